#pragma once
// Heroes, items and sheet geometry for the party screen's tests and gallery.
// The geometry follows the screen's layout at scroll 0, so a test can click
// a row without reading pixels.
#include <sys/inotify.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "screens/party_rules.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace partytest {

// A hero with nothing worn, no points and no name.
inline rpg::Hero bareHero(const std::string& id, rpg::ClassId cls, int level = 1) {
    rpg::Hero h;
    h.id = id;
    h.cls = cls;
    h.level = level;
    return h;
}

inline rpg::ItemInstance item(const std::string& defId) { return rpg::makeItem(defId); }

// The roster and party in order, nothing else in the progress.
inline void setParty(const std::vector<rpg::Hero>& heroes) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.roster = heroes;
    meta.partyIds.clear();
    for (const rpg::Hero& h : heroes) meta.partyIds.push_back(h.id);
}

inline ui::GameState partyEntry(const std::string& heroId = "") {
    ui::GameState s;
    s.screen = ui::kParty;
    s.heroId = heroId;
    return s;
}

// Where the sheet lies in a window of width W at scale s.
struct Sheet {
    double s;
    double x;    // content left
    double w;    // content width
    double top;  // content top at scroll 0

    Sheet(double W, double scale) : s(scale) {
        const double K = std::min(std::round(0.66 * W), W);
        x = (W - K) / 2 + 12 * s;
        w = K - 24 * s;
        top = ui::kHeaderHeight * s + 6 * s + 64 * s + 12 * s;
    }
    double right() const { return x + w; }

    double pointsTop() const { return top + (54 + 102) * s; }
    // Stat button i of the points panel, its centre.
    double statButtonX(int i) const {
        const double bw = (w - 38 * s) / 4;
        return x + 10 * s + (i % 4) * (bw + 6 * s) + bw / 2;
    }
    double statButtonY(int i) const { return pointsTop() + 40 * s + (i / 4) * 30 * s + 12 * s; }
    double autoAssignX() const { return right() - 80 * s; }
    double autoAssignY() const { return pointsTop() + 20 * s; }

    // Below the points panel and the set blocks.
    double summaryTop(const rpg::Hero& h) const {
        double y = pointsTop() + (h.points > 0 ? 114 * s : 0);
        for (const rpg::SetPieceCount& p : rpg::setPieces(h.equipment)) {
            const rpg::SetDef* set = rpg::findSet(p.setId);
            if (!set) continue;
            bool reached = false;
            bool next = false;
            for (int t = 0; t < set->tierCount; ++t) {
                if (set->tiers[t].pieces <= p.count) reached = true;
                else next = true;
            }
            y += (30 + (reached ? 16 : 0) + (next ? 15 : 0) + 12) * s;
        }
        return y;
    }
    double rowButtonX(int choice) const { return x + 70 * s + choice * 110 * s + 50 * s; }
    double rowButtonY(const rpg::Hero& h) const { return summaryTop(h) + 50 * s + 16 * s; }

    // Top of the first slot row; the stash note sits above it when nothing
    // in the stash fits the hero.
    double slotsTop(const rpg::Hero& h) const {
        double y = summaryTop(h) + (50 + 44 + 106 + 26) * s;
        bool any = false;
        for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
            any = any || !ui::candidates(h, static_cast<rpg::EquipSlot>(i), store::meta().stash).empty();
        }
        return any ? y : y + 26 * s;
    }
    // Top of a slot row while no candidate list is open. Every worn item of
    // the catalogue has a detail line; affixes add one more.
    double slotTop(const rpg::Hero& h, int slot) const {
        double y = slotsTop(h);
        for (int i = 0; i < slot; ++i) y += slotHeight(h, i);
        return y;
    }
    double slotHeight(const rpg::Hero& h, int slot) const {
        const rpg::ItemInstance& worn = h.equipment.slots[static_cast<std::size_t>(slot)];
        const bool known = !worn.defId.empty() && rpg::findItem(worn.defId);
        return (38 + (known ? 15 : 0) + (known && !worn.affixes.empty() ? 14 : 0) + 6) * s;
    }
    // The row's centre, away from the unequip cross.
    double slotClickX() const { return x + w / 2; }
    double slotClickY(const rpg::Hero& h, int slot) const { return slotTop(h, slot) + 19 * s; }
    double crossX() const { return right() - 18 * s; }
    // Candidate j of the list open under `slot`.
    double candidateY(const rpg::Hero& h, int slot, int j) const {
        const double listTop = slotTop(h, slot) + slotHeight(h, slot) - 6 * s + 4 * s;
        return listTop + 6 * s + j * 58 * s + 26 * s;
    }
    // Bag panel rows (no list open): bag groups first, then, after the
    // "from the stash" line, the stash's consumables.
    double bagTop(const rpg::Hero& h) const { return slotTop(h, rpg::kEquipSlotCount) + 26 * s; }
    double moveX() const { return right() - 8 * s - 60 * s; }
    double bagRowY(const rpg::Hero& h, int row) const { return bagTop(h) + 6 * s + row * 24 * s + 12 * s; }
    double stashRowY(const rpg::Hero& h, int bagGroups, int row) const {
        const double inner = bagTop(h) + 6 * s + (bagGroups == 0 ? 22 * s : bagGroups * 24 * s) + 18 * s;
        return inner + row * 24 * s + 12 * s;
    }
};

// Drags the sheet up by exactly `by` units from (x, y) and lets go only once
// the drag has no speed left, so the list does not coast on.
template <class Harness>
void dragSheet(Harness& h, double x, double y, double by) {
    h.moveTo(x, y).frame();
    h.press().frame();
    for (int i = 1; i <= 10; ++i) h.moveTo(x, y - by * i / 10).frame();
    h.frames(40);
    h.release().frame();
}

// Counts the saves of the lasting progress: each save renames a finished
// file over "saves.dat" in the data directory.
class SaveWatch {
public:
    explicit SaveWatch(const std::string& dir) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) inotify_add_watch(fd_, dir.c_str(), IN_MOVED_TO);
    }
    ~SaveWatch() {
        if (fd_ >= 0) close(fd_);
    }
    SaveWatch(const SaveWatch&) = delete;
    SaveWatch& operator=(const SaveWatch&) = delete;

    bool ok() const { return fd_ >= 0; }
    // Saves since the last call.
    int metaSaves() {
        int saves = 0;
        alignas(inotify_event) char buf[4096];
        for (;;) {
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n <= 0) break;
            for (ssize_t at = 0; at < n;) {
                const auto* ev = reinterpret_cast<const inotify_event*>(buf + at);
                if (ev->len > 0 && std::string(ev->name) == "saves.dat") ++saves;
                at += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            }
        }
        return saves;
    }

private:
    int fd_;
};

} // namespace partytest

#include "play/run.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "play/detail.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/runes.h"

namespace play {
namespace detail {

rpg::Hero* bagRecipient() {
    std::vector<rpg::Hero> party = partyCopies();
    const rpg::Hero* pick = rpg::pickBagRecipient(std::span<rpg::Hero>(party));
    return pick ? store::heroById(pick->id) : nullptr;
}

bool markNodeDone(const std::string& nodeId) {
    rpg::RunState& run = store::run();
    bool changed = run.pos != nodeId;
    run.pos = nodeId;
    if (!rpg::isCleared(run, nodeId)) {
        run.cleared.push_back(nodeId);
        changed = true;
    }
    return changed;
}

RunEnd endRun(bool won, int depth) {
    store::Meta& meta = store::meta();
    rpg::RunState& run = store::run();
    RunEnd end{true, won, depth >= 1 ? depth : run.depth, run.gold, {}};
    for (const rpg::PartyMember& m : run.party) end.heroIds.push_back(m.heroId);
    meta.stash.insert(meta.stash.end(), run.inventory.begin(), run.inventory.end());
    meta.bestDepth = std::max(meta.bestDepth, end.depth);
    if (won) meta.ascension = std::min(meta.ascension + 1, rpg::kMaxAscension);
    run.active = false;
    return end;
}

} // namespace detail

namespace {

// Fills the members whose hero is in the roster and who are fallen (or not)
// up to their maxima, keeping a value already above them.
void refill(rpg::RunState& run, bool fallen) {
    for (rpg::PartyMember& m : run.party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero || (m.hp <= 0) != fallen) continue;
        const rpg::Stats max = maxima(*hero);
        m.hp = std::max(m.hp, max.maxHp);
        m.mp = std::max(m.mp, max.maxMp);
    }
}

Result buyService(double price, int needing, bool fallen) {
    store::Meta& meta = store::meta();
    if (!store::hasRun() || needing <= 0 || meta.gold < price) return refused();
    meta.gold -= price;
    refill(store::run(), fallen);
    store::saveMetaAndRun();
    return done(Sound::Success);
}

} // namespace

double addedGold(double purse, double amount) {
    const double sum = purse + amount;
    if (std::isnan(sum)) return purse;
    return std::min(sum, std::numeric_limits<double>::max());
}

Result startRun(std::uint32_t seed) {
    if (store::hasRun()) return refused(Sound::None);
    const std::vector<rpg::Hero> party = partyCopies();
    if (party.empty()) return refused(Sound::None);
    const store::Meta& meta = store::meta();
    store::run() = rpg::createRun(party, seed, rpg::runeBonus(meta.runeCircle), static_cast<double>(meta.ascension));
    store::saveRun();
    return done(Sound::Success);
}

NodeState nodeState(const rpg::RunState& run, const rpg::MapNode& node, const std::vector<std::string>& reachable) {
    NodeState f;
    f.cleared = rpg::isCleared(run, node.id);
    // The boss's chest ends the run, so a beaten boss in a run that goes on
    // means the game was left before its chest was taken.
    f.chestWaits = run.active && node.type == rpg::NodeType::Boss && f.cleared;
    f.replayable = f.cleared && (node.type == rpg::NodeType::Battle || node.type == rpg::NodeType::Elite);
    f.reachable = std::find(reachable.begin(), reachable.end(), node.id) != reachable.end();
    f.current = node.id == run.pos;
    return f;
}

Result enterNode(const std::string& nodeId) {
    rpg::RunState& run = store::run();
    if (!run.active) return refused(Sound::None);
    const rpg::MapNode* found = rpg::nodeById(run.map, nodeId);
    if (!found) return refused(Sound::None);
    const rpg::MapNode node = *found;
    const NodeState state = nodeState(run, node, rpg::reachableFrom(run));
    if (!state.enterable()) return refused(Sound::None);
    run.pos = node.id;
    run.depth = std::max(run.depth, node.row);
    store::saveRun();
    return done(Sound::NodeSelect, state.chestWaits ? Next::BossChest : Next::Node);
}

Result leaveNode(const std::string& nodeId) {
    if (!store::hasRun() || !rpg::nodeById(store::run().map, nodeId)) return refused(Sound::None);
    if (detail::markNodeDone(nodeId)) store::saveRun();
    return done(Sound::None, Next::Back);
}

Result restParty() {
    if (!store::hasRun()) return refused(Sound::None);
    for (rpg::PartyMember& m : store::run().party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero) continue;
        const rpg::Stats max = maxima(*hero);
        m.hp = max.maxHp;
        m.mp = max.maxMp;
    }
    store::saveRun();
    return done(Sound::None);
}

int woundedCount(const rpg::RunState& run) {
    int count = 0;
    for (const rpg::PartyMember& m : run.party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero || m.hp <= 0) continue;
        const rpg::Stats max = maxima(*hero);
        if (m.hp < max.maxHp || m.mp < max.maxMp) ++count;
    }
    return count;
}

int fallenCount(const rpg::RunState& run) {
    return static_cast<int>(
        std::count_if(run.party.begin(), run.party.end(), [](const rpg::PartyMember& m) { return m.hp <= 0; }));
}

int revivableCount(const rpg::RunState& run) {
    return static_cast<int>(std::count_if(run.party.begin(), run.party.end(), [](const rpg::PartyMember& m) {
        return m.hp <= 0 && store::heroById(m.heroId) != nullptr;
    }));
}

void healWounded(rpg::RunState& run) { refill(run, false); }
void reviveFallen(rpg::RunState& run) { refill(run, true); }

Result buyHeal() { return buyService(kHealPrice, store::hasRun() ? woundedCount(store::run()) : 0, false); }
Result buyRevive() { return buyService(kRevivePrice, store::hasRun() ? revivableCount(store::run()) : 0, true); }

RunEnd settleRun(bool won, int depth) {
    if (!store::hasRun()) return {};
    const RunEnd end = detail::endRun(won, depth);
    store::saveMetaAndRun();
    return end;
}

} // namespace play

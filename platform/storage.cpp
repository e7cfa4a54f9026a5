// The store state: one record per process, loaded once, saved on request.
#include "platform/storage.h"

#include <chrono>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/storage_detail.h"

namespace store {
namespace {

struct State {
    Settings settings;
    Meta meta;
    bool loaded = false;
    std::string dir;  // where the files live; empty: the data directory
};

State& st() {
    static State state;
    return state;
}

std::string filePath(const char* name) {
    const std::string& dir = st().dir.empty() ? paths::dataDir() : st().dir;
    return dir + "/" + name;
}

// Made ids come from counters that restart with every process; moving them
// past every id on disk keeps a hero or item made today from taking the id
// of one loaded from yesterday's save.
void reserveLoadedIds() {
    std::vector<std::string> ids;
    auto addItem = [&ids](const rpg::ItemInstance& it) {
        if (!it.uid.empty()) ids.push_back(it.uid);
    };
    const Meta& m = st().meta;
    for (const rpg::Hero& h : m.roster) {
        ids.push_back(h.id);
        for (const rpg::ItemInstance& it : h.equipment.slots) addItem(it);
        for (const rpg::ItemInstance& it : h.bag) addItem(it);
    }
    for (const rpg::ItemInstance& it : m.stash) addItem(it);
    rpg::reserveMadeIds(ids);
}

void loadSettings() {
    const js::Value v = detail::readSealed(filePath("settings.dat"));
    if (v.type == js::Type::Object) detail::settingsFromJson(v, &st().settings);
}

void loadMeta() {
    const js::Value v = detail::readSealed(filePath("saves.dat"));
    if (v.type == js::Type::Object) detail::metaFromJson(v, &st().meta);
}

} // namespace

void init() {
    State& s = st();
    if (s.loaded) return;
    s.loaded = true;
    loadSettings();
    loadMeta();
    reserveLoadedIds();
}

Settings& settings() { return st().settings; }
Meta& meta() { return st().meta; }

rpg::Hero* heroById(const std::string& id) {
    for (rpg::Hero& h : st().meta.roster) {
        if (h.id == id) return &h;
    }
    return nullptr;
}

std::vector<rpg::Hero*> partyHeroes() {
    std::vector<rpg::Hero*> out;
    for (const std::string& id : st().meta.partyIds) {
        if (rpg::Hero* h = heroById(id)) out.push_back(h);
    }
    return out;
}

bool saveSettings() { return detail::writeSealed(filePath("settings.dat"), detail::settingsToJson(st().settings)); }

bool saveMeta() { return detail::writeSealed(filePath("saves.dat"), detail::metaToJson(st().meta)); }

void resetProgress() {
    st().meta = Meta{};
    saveMeta();
}

std::int64_t nowMs() {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return static_cast<std::int64_t>(ns.count() / 1000000);
}

void reloadForTests(const std::string& dir) {
    st() = State{};
    st().dir = dir;
    init();
}

} // namespace store

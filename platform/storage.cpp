// The store state: one record per process, loaded once, saved on request.
#include "platform/storage.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/storage_detail.h"

namespace store {
namespace {

// The three files, each with whether it must stay untouched this session.
enum File { kSettingsFile, kMetaFile, kRunFile, kFileCount };
constexpr const char* kFileNames[kFileCount] = {"settings.dat", "saves.dat", "run.dat"};

struct State {
    Settings settings;
    Meta meta;
    rpg::RunState run = detail::emptyRun();
    bool loaded = false;
    std::string dir;  // where the files live; empty: the data directory
    // A file that exists but could not be read is the player's, not ours:
    // it is never written over or removed until the program ends.
    bool untouchable[kFileCount] = {};
};

State& st() {
    static State state;
    return state;
}

// Empty when there is no data directory to keep files in.
std::string filePath(File file) {
    const std::string& dir = st().dir.empty() ? paths::dataDir() : st().dir;
    return dir.empty() ? std::string() : dir + "/" + kFileNames[file];
}

js::Value load(File file) {
    const std::string path = filePath(file);
    if (path.empty()) return {};
    return detail::readSealed(path, &st().untouchable[file]);
}

// Whether the file may be written or removed; says why not when it may not.
bool writable(File file, const std::string& path) {
    if (path.empty()) return false;  // no data directory: said once at start-up
    if (!st().untouchable[file]) return true;
    std::fprintf(stderr, "[storage] %s konnte nicht gespeichert werden: beim Start nicht lesbar, bleibt unangetastet\n",
                 path.c_str());
    return false;
}

bool save(File file, const js::Value& value) {
    const std::string path = filePath(file);
    return writable(file, path) && detail::writeSealed(path, value);
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
    for (const rpg::ItemInstance& it : st().run.inventory) addItem(it);
    for (const rpg::PartyMember& p : st().run.party) ids.push_back(p.heroId);
    rpg::reserveMadeIds(ids);
}

void loadSettings() {
    const js::Value v = load(kSettingsFile);
    if (v.type == js::Type::Object) detail::settingsFromJson(v, &st().settings);
}

void loadMeta() {
    const js::Value v = load(kMetaFile);
    if (v.type == js::Type::Object) detail::metaFromJson(v, &st().meta);
}

// A run that does not load stays on disk untouched: the next run or the
// next clear replaces it.
void loadRun() {
    const js::Value v = load(kRunFile);
    if (v.type == js::Type::Object) detail::runFromJson(v, &st().run);
}

} // namespace

void init() {
    State& s = st();
    if (s.loaded) return;
    s.loaded = true;
    loadSettings();
    rpg::setActiveDifficulty(s.settings.difficulty);
    loadMeta();
    loadRun();
    reserveLoadedIds();
}

Settings& settings() { return st().settings; }
Meta& meta() { return st().meta; }
rpg::RunState& run() { return st().run; }
bool hasRun() { return st().run.active; }

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

bool saveSettings() { return save(kSettingsFile, detail::settingsToJson(st().settings)); }

bool saveMeta() { return save(kMetaFile, detail::metaToJson(st().meta)); }

bool saveRun() {
    if (!st().run.active) return clearRun();
    return save(kRunFile, detail::runToJson(st().run));
}

bool clearRun() {
    st().run = detail::emptyRun();
    const std::string path = filePath(kRunFile);
    if (!writable(kRunFile, path)) return false;
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    std::fprintf(stderr, "[storage] %s konnte nicht entfernt werden: %s\n", path.c_str(), std::strerror(errno));
    return false;
}

void resetProgress() {
    st().meta = Meta{};
    clearRun();
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

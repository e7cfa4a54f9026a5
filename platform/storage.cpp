// The store state: one record per process, loaded once, saved on request.
#include "platform/storage.h"

#include <algorithm>
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
    // it is never written over or removed until the program ends, and
    // neither is the run of a progress that could not be read.
    bool unreadable[kFileCount] = {};
    bool untouchable[kFileCount] = {};
    // The number of the last change written to both files, stamped into
    // each ("txn"); 0 (no stamp) until the first such change.
    double txn = 0;
    // That change's run (an object, or false for a run it ended), kept in
    // "saves.dat" until "run.dat" has been written after it.
    js::Value runAfter;
    bool runPending = false;
};

constexpr const char* kTxnKey = "txn";
constexpr const char* kRunAfterKey = "runAfter";

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
    js::Value v = detail::readSealed(path, &st().unreadable[file]);
    st().untouchable[file] = st().unreadable[file];
    return v;
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

js::Value stamped(js::Value v) {
    if (st().txn > 0) v.obj[kTxnKey] = detail::number(st().txn);
    return v;
}

js::Value metaFileValue() {
    js::Value v = stamped(detail::metaToJson(st().meta));
    if (st().runPending) v.obj[kRunAfterKey] = st().runAfter;
    return v;
}

double stampOf(const js::Value& v) { return std::max(0.0, detail::numberOr(v[kTxnKey], 0)); }

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

// The stamp of the last change of both files and the run it left, if the
// file still carries it.
void loadMeta() {
    const js::Value v = load(kMetaFile);
    if (v.type != js::Type::Object) return;
    detail::metaFromJson(v, &st().meta);
    st().txn = stampOf(v);
    const js::Value& after = v[kRunAfterKey];
    if (after.type == js::Type::Object || after.type == js::Type::Bool) {
        st().runAfter = after;
        st().runPending = true;
    }
}

// A run that does not load stays on disk untouched: the next run or the
// next clear replaces it. A "run.dat" older than the last change of both
// files was not rewritten before the program ended: the run that change
// left (or its end) is the one that counts, and is kept pending until the
// file is written again.
void loadRun() {
    State& s = st();
    // The run belongs to its progress: while that cannot be read, the run is
    // neither played without it nor written over.
    if (s.unreadable[kMetaFile]) {
        s.untouchable[kRunFile] = true;
        s.runPending = false;
        return;
    }
    const js::Value v = load(kRunFile);
    if (v.type != js::Type::Object) {
        s.runPending = false;
        return;
    }
    const double runTxn = stampOf(v);
    if (s.runPending && runTxn < s.txn) {
        if (s.runAfter.type != js::Type::Object || !detail::runFromJson(s.runAfter, &s.run)) s.run = detail::emptyRun();
        return;
    }
    s.runPending = false;
    s.txn = std::max(s.txn, runTxn);
    detail::runFromJson(v, &s.run);
}

// A run is fought by heroes of the roster: one none of whose members is
// there (its progress was set aside, or is not the one it was played with)
// is not offered at all. Its file stays until the next run or the next
// clear replaces it.
void keepRunOfKnownHeroes() {
    rpg::RunState& run = st().run;
    if (!run.active) return;
    const bool known = std::any_of(run.party.begin(), run.party.end(),
                                   [](const rpg::PartyMember& m) { return heroById(m.heroId) != nullptr; });
    if (!known) run = detail::emptyRun();
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
    // The ids of a run that is dropped stay taken too, or a hero made now
    // could carry one and bring that run back at the next start.
    reserveLoadedIds();
    keepRunOfKnownHeroes();
}

std::vector<std::string> unreadableFiles() {
    std::vector<std::string> paths;
    for (int f = 0; f < kFileCount; ++f) {
        if (st().unreadable[f]) paths.push_back(filePath(static_cast<File>(f)));
    }
    return paths;
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

bool saveMeta() { return save(kMetaFile, metaFileValue()); }

bool saveRun() {
    if (!st().run.active) return clearRun();
    if (!save(kRunFile, stamped(detail::runToJson(st().run)))) return false;
    st().runPending = false;
    return true;
}

bool saveMetaAndRun() {
    State& s = st();
    s.txn += 1;
    s.runAfter = s.run.active ? detail::runToJson(s.run) : detail::flag(false);
    s.runPending = true;
    if (!saveMeta()) return false;
    return saveRun();
}

bool clearRun() {
    st().run = detail::emptyRun();
    const std::string path = filePath(kRunFile);
    if (!writable(kRunFile, path)) return false;
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) {
        st().runPending = false;
        return true;
    }
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

#pragma once
// The one store of everything that outlives a frame: the settings, the
// lasting progress between runs and the run in progress, each kept in a
// sealed file in the data directory ("settings.dat", "saves.dat",
// "run.dat"). The files are read once at start-up; afterwards the record in
// memory is the truth and each save rewrites its file whole.
#include <cstdint>
#include <string>
#include <vector>

#include "rules/difficulty.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/run.h"
#include "rules/runes.h"

namespace store {

struct Settings {
    std::string language;  // catalogue code; empty follows the environment
    bool soundOn = true;
    double musicVolume = 0.1;  // 0..1
    double sfxVolume = 0.25;   // 0..1
    rpg::Difficulty difficulty = rpg::Difficulty::Easy;  // for new monsters
    std::int32_t windowW = 0;  // 0: none stored
    std::int32_t windowH = 0;
    std::int32_t windowX = -1;  // -1: none stored
    std::int32_t windowY = -1;
    bool maximized = false;
    bool fullscreen = false;

    friend bool operator==(const Settings&, const Settings&) = default;
};

struct Meta {
    bool initialized = false;  // the first party has been formed
    std::vector<rpg::Hero> roster;
    // After loading, each names a roster hero, once, and there are no more
    // than the ascension's party cap.
    std::vector<std::string> partyIds;
    double gold = 0;
    std::int32_t bestDepth = 0;
    std::vector<rpg::ItemInstance> stash;
    std::int32_t ascension = 0;  // runs won
    std::vector<rpg::Runestone> runeInventory;
    rpg::RuneCircle runeCircle;
    std::int32_t saveVersion = 1;

    friend bool operator==(const Meta&, const Meta&) = default;
};

// Loads the three files once and makes the stored difficulty active; later
// calls do nothing. Writes no file. A run none of whose heroes is in the
// roster is not loaded.
void init();

// The save files that were there at start-up but could not be read (the
// player's rights do not allow it, say), in the order settings, progress,
// run. None of them is written over or removed while the program runs, nor
// is the run of a progress among them; the player is to be told.
std::vector<std::string> unreadableFiles();

// The state; usable before init (then holding the defaults).
Settings& settings();
Meta& meta();
rpg::RunState& run();
bool hasRun();  // the run's active flag

// The first roster hero with exactly this id, or null. The pointer lives
// until the roster next changes.
rpg::Hero* heroById(const std::string& id);
// The roster hero of each party id in order; ids without a hero are
// skipped, a repeated id gives the same hero twice.
std::vector<rpg::Hero*> partyHeroes();

// Each rewrites its file whole from the state. False when the file could not
// be written; the previous file then stays as it was, and a "[storage]" line
// on standard error says so.
bool saveSettings();
bool saveMeta();
// Without an active run this is clearRun().
bool saveRun();
// Rewrites "saves.dat" and "run.dat" (or removes it without an active run)
// as one step, for a change that touches both: killed at any moment, the
// next start finds the old progress with the old run or the new progress
// with the new run, never one of each. The progress file is written first
// and carries the new run along until "run.dat" holds it; a start that finds
// "run.dat" older than that takes the run from there. False when a file
// could not be written; a failed progress file leaves "run.dat" untouched.
bool saveMetaAndRun();

// The empty run in memory and no "run.dat" on disk. False (with a
// "[storage]" line) only when the file exists and cannot be removed, since
// it would bring the ended run back at the next start.
bool clearRun();
// A new progress record and the empty run: removes "run.dat" and writes
// "saves.dat". The settings stay.
void resetProgress();

// Milliseconds since the Unix epoch by the system clock.
std::int64_t nowMs();

// For tests and headless harnesses: throws the whole state away, points the
// three files at `dir` (empty: the data directory) and loads them as at
// start-up. `dir` must exist. The made-id counters are not reset (see
// rpg::resetMadeIdCounters).
void reloadForTests(const std::string& dir = "");

} // namespace store

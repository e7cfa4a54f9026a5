#pragma once
// The run from its start to its end: beginning it, entering and leaving the
// map's nodes, the rest site, the tavern's services, and settling the run
// into lasting progress. Every change is checked, made and saved at once; a
// change of both the progress and the run is one step on disk.
#include <cstdint>
#include <string>
#include <vector>

#include "play/outcome.h"
#include "rules/map.h"
#include "rules/run.h"

namespace play {

// The purse with `amount` added, held at the largest amount a purse can
// hold: a sum past it would be infinite, and a file keeps no infinity (it
// would come back as 0). Every gain of gold, lasting or the run's, goes
// through here.
double addedGold(double purse, double amount);

// A new run of the party on the map of `seed`, every member at its maxima:
// Success. Refused without a party, or while a run is going on.
Result startRun(std::uint32_t seed);

// --- The map ---

// What a node is to the run.
struct NodeState {
    bool reachable = false;   // offered by the row the run is on
    bool cleared = false;
    bool replayable = false;  // a cleared battle or elite, fought again for its pay
    bool current = false;     // the party stands on it
    bool chestWaits = false;  // a beaten boss whose chest was never taken
    bool enterable() const { return reachable || replayable || chestWaits; }
};
// `reachable` is rpg::reachableFrom(run), passed in so a frame works it out once.
NodeState nodeState(const rpg::RunState& run, const rpg::MapNode& node, const std::vector<std::string>& reachable);

// The party moves onto an enterable node and the deepest row rises to it;
// saved. NodeSelect, and next the node's screen or, for a beaten boss, its
// chest. Refused (no sound) without a run, for a node the map lacks or one
// that cannot be entered.
Result enterNode(const std::string& nodeId);

// The node's screen is done: the run stands on the node and the node is
// cleared (once), saved. Nothing without a run, for a node the map lacks, or
// when the run already stands on the cleared node (nothing is written).
Result leaveNode(const std::string& nodeId);

// The rest site's refill: every member whose hero is in the roster back at
// its maxima, a fallen one too; saved. The node is left by leaveNode.
Result restParty();

// --- The tavern's rest house ---

inline constexpr double kHealPrice = 20;
inline constexpr double kRevivePrice = 40;

// Run members with a roster hero, alive, short of their maxima's hit points
// or mana.
int woundedCount(const rpg::RunState& run);
// Run members at 0 hit points or below, whether or not the hero exists.
int fallenCount(const rpg::RunState& run);
// The fallen whom a revive can reach: those with a roster hero.
int revivableCount(const rpg::RunState& run);
// Refill the living (heal) or the fallen (revive) members with a roster hero
// to the hero's maxima; a value already above them is kept. Saves nothing.
void healWounded(rpg::RunState& run);
void reviveFallen(rpg::RunState& run);

// The services, paid from the lasting gold: Success. Refused (Error)
// without a run, with nobody to heal or revive, or when the gold is short.
Result buyHeal();
Result buyRevive();

// --- The end ---

// What an ended run leaves for its result: how deep it went and the gold it
// earned (already paid into the lasting gold as it was won).
struct RunEnd {
    bool settled = false;  // false: there was no run to settle
    bool won = false;
    int depth = 0;
    double gold = 0;
    std::vector<std::string> heroIds;  // everyone the run's party held, in its order
};

// Moves the run into lasting progress and ends it: its inventory to the
// stash, the best depth raised to `depth` (the run's own depth when below
// 1), one more ascension for a won run; saved with the run's removal in one
// step. Without a run nothing happens, so nothing is ever paid twice.
RunEnd settleRun(bool won, int depth);

} // namespace play

#pragma once
// The run in progress: its party, gains and map, how it starts, and which
// nodes the party may enter next.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/stats.h"

namespace rpg {

// Every run map has this many rows.
inline constexpr std::int32_t kRunRows = 9;
// The deepest row a party enters: the boss row.
inline constexpr std::int32_t kMaxDepth = kRunRows - 1;
// Won runs counted at most: far more than anyone plays, far below where the
// arithmetic on the count would overflow.
inline constexpr std::int32_t kMaxAscension = 9999;

// A hero's standing within the run.
struct PartyMember {
    std::string heroId;
    double hp = 0;
    double mp = 0;

    friend bool operator==(const PartyMember&, const PartyMember&) = default;
};

struct RunState {
    bool active = false;
    std::uint32_t seed = 0;  // the map and every seeded roll of the run come from it
    std::vector<PartyMember> party;
    double gold = 0;
    std::vector<ItemInstance> inventory;
    GameMap map;
    std::string pos;  // the node the party stands on
    // Done node ids in the order they were done; the start id from the start.
    std::vector<std::string> cleared;
    std::int32_t depth = 0;  // the deepest row entered

    friend bool operator==(const RunState&, const RunState&) = default;
};

// A new active run on the nine-row map of `seed`; every member starts at the maxima
// its worn items and `bonus` give.
RunState createRun(const std::vector<Hero>& heroes, std::uint32_t seed, const Stats& bonus, double ascension);
bool isCleared(const RunState& run, std::string_view id);
// Only the first row that is not done is offered: a reward row until one of
// its nodes is cleared, a fighting row until all of them are. Map order.
std::vector<std::string> reachableFrom(const RunState& run);
// The row of the first reachable node; the last row once nothing is left.
std::int32_t activeRow(const RunState& run);

} // namespace rpg

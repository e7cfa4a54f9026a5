#pragma once
// Runestones and the rune circle: stones found in chests are socketed one per
// stat, and every socketed stone adds its value to that stat for the whole
// party.
#include <array>
#include <cstdint>
#include <string>

#include "rules/rng.h"
#include "rules/stats.h"

namespace rpg {

struct Runestone {
    std::string uid;  // "rune-<stat>-<tier>-<six digits>"
    StatId stat = MaxHp;
    double value = 0;

    friend bool operator==(const Runestone&, const Runestone&) = default;
};

// Socket i holds a stone of StatId i; a stone counts only while its socket's
// flag is set.
struct RuneCircle {
    std::array<bool, kStatCount> filled{};
    std::array<Runestone, kStatCount> stones{};

    friend bool operator==(const RuneCircle&, const RuneCircle&) = default;
};

// The socket of a stat: the stat's own number, 0 for a value outside 0-7.
std::int32_t runeSlot(StatId stat);
// A new stone for a chest at `depth`; three draws: the stat, the value, the
// uid number. Deeper chests multiply the base, not the random part.
Runestone rollRunestone(double depth, Rng& rng);
Stats runeBonus(const RuneCircle& circle);
double runeSellValue(const Runestone& stone);

} // namespace rpg

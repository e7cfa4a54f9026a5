#pragma once
// The stat block shared by classes, heroes, items, sets, runestones, monsters
// and combatants, and the stat identifiers with their save and label keys.
#include <array>
#include <cstdint>
#include <string_view>

namespace rpg {

enum StatId : std::int32_t {
    MaxHp = 0,
    MaxMp = 1,
    Atk = 2,
    Def = 3,
    Mag = 4,
    Res = 5,
    Spd = 6,
    Crit = 7,  // percent points
};

inline constexpr int kStatCount = 8;

// Eight doubles in StatId order. Catalogue values are whole numbers, but sums
// are never rounded here.
struct Stats {
    double maxHp = 0;
    double maxMp = 0;
    double atk = 0;
    double def = 0;
    double mag = 0;
    double res = 0;
    double spd = 0;
    double crit = 0;

    friend bool operator==(const Stats&, const Stats&) = default;
};

// Stats a hero may spend points on, in the order the party screen lists them.
inline constexpr std::array<StatId, 8> kAllocatable = {MaxHp, MaxMp, Atk, Def, Mag, Res, Spd, Crit};
// Stats a runestone can carry.
inline constexpr std::array<StatId, 8> kRuneAttrs = {MaxHp, MaxMp, Atk, Def, Mag, Res, Spd, Crit};

double statValue(const Stats& s, StatId id);
void addStat(Stats* s, StatId id, double x);
const char* statLabelKey(StatId id);
const char* statSaveKey(StatId id);
bool statFromSaveKey(std::string_view key, StatId* out);
// The gain of one spent stat point.
double allocStep(StatId id);

// Field-wise sum, used wherever bonuses stack.
Stats operator+(const Stats& a, const Stats& b);
Stats& operator+=(Stats& a, const Stats& b);

} // namespace rpg

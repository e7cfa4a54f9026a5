#include "rules/difficulty.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "rules/leveling.h"

namespace rpg {

namespace {

constexpr std::array<const char*, kDifficultyCount> kIds = {"easy", "hard", "brutal", "insane"};
constexpr std::array<const char*, kDifficultyCount> kNames = {
    "difficulty.easy", "difficulty.hard", "difficulty.brutal", "difficulty.insane"};
constexpr std::array<const char*, kDifficultyCount> kHints = {
    "difficulty.easyHint", "difficulty.hardHint", "difficulty.brutalHint", "difficulty.insaneHint"};
constexpr std::array<DifficultyMods, kDifficultyCount> kMods = {{
    {1.0, 1.0, 1.0},
    {1.12, 1.4, 1.1},
    {1.25, 1.9, 1.2},
    {1.45, 2.6, 1.35},
}};

// Hit point factor by monster tier (normal, elite, boss); it slides from the
// early to the late value over the first 120 effective ascensions.
constexpr std::array<double, 3> kTierHpEarly = {1.5, 1.5, 1.5};
constexpr std::array<double, 3> kTierHpLate = {1.5, 3.2, 11.0};

struct DifficultyState {
    Difficulty current = Difficulty::Easy;
};

DifficultyState& state() {
    static DifficultyState s;
    return s;
}

// A value outside the table reads as easy rather than past its end.
std::size_t row(Difficulty d) {
    const auto i = static_cast<std::int32_t>(d);
    return i >= 0 && i < kDifficultyCount ? static_cast<std::size_t>(i) : 0;
}

// The factors shared by every stat of one scaled monster.
struct ScaleTerms {
    double ea = 0;  // effective ascension
    double f = 0;   // party level term
    double h = 1;   // early damper
    double u = 0;   // offence and hit point ramp
    double g = 0;   // defence ramp
    double t = 0;   // square term
};

ScaleTerms scaleTerms(double ascension, double partyLevel) {
    ScaleTerms s;
    s.ea = effectiveAscension(ascension, partyLevel);
    s.f = partyLevel - 1 > 0 ? 0.03 * (partyLevel - 1) : 0.0;
    s.h = 1 - s.ea / 5 > 0 ? 1 - 0.45 * (1 - s.ea / 5) : 1.0;
    const double w = 0.55 + 0.45 * s.ea / 10;
    if (s.ea / 10 < 1) {
        s.u = 1.2 * s.ea * w;
        s.g = s.ea * w;
    } else {
        s.u = 1.2 * s.ea;
        s.g = s.ea;
    }
    s.t = 0.001 * s.ea * s.ea;
    return s;
}

double tierHpFactor(std::uint8_t tier, double ea) {
    const std::size_t i = std::min<std::size_t>(tier, kTierHpEarly.size() - 1);
    return kTierHpEarly[i] + (kTierHpLate[i] - kTierHpEarly[i]) * std::min(ea / 120, 1.0);
}

std::int32_t levelAtLeastOne(double l) { return l > 1 ? static_cast<std::int32_t>(l) : 1; }

} // namespace

DifficultyMods difficultyMods(Difficulty d) { return kMods[row(d)]; }
const char* difficultyId(Difficulty d) { return kIds[row(d)]; }
const char* difficultyNameKey(Difficulty d) { return kNames[row(d)]; }
const char* difficultyHintKey(Difficulty d) { return kHints[row(d)]; }

bool difficultyFromId(std::string_view id, Difficulty* out) {
    for (int i = 0; i < kDifficultyCount; ++i) {
        if (id == kIds[i]) {
            *out = static_cast<Difficulty>(i);
            return true;
        }
    }
    return false;
}

void setActiveDifficulty(Difficulty d) { state().current = d; }
Difficulty activeDifficulty() { return state().current; }

double effectiveAscension(double ascension, double partyLevel) {
    return std::min(1 + 1.1 * supportedAscension(partyLevel), std::max(0.0, ascension));
}

double xpLevelFactor(double partyLevel) {
    return 1 + 0.035 * (std::pow(std::max(1.0, partyLevel), 1.6) - 1);
}

ScaledMonster scaleMonster(const MonsterDef& m, double depth, double ascension, double partyLevel, Difficulty d) {
    const DifficultyMods mods = difficultyMods(d);
    const ScaleTerms s = scaleTerms(ascension, partyLevel);
    const double th = tierHpFactor(m.tier, s.ea);
    const double a = depth;
    const Stats& b = m.base;
    const double offence = (1 + 0.1 * a + s.u + s.t + s.f) * s.h * mods.offence;
    const double defence = mods.defence * (1 + 0.06 * a + s.t + s.g + s.f);

    ScaledMonster out;
    out.stats.maxHp = std::round(mods.hp * th * (1 + 0.12 * a + s.u + s.t + s.f) * s.h * b.maxHp);
    out.stats.maxMp = std::round((1 + 0.1 * a + 0.12 * s.ea) * b.maxMp);
    out.stats.atk = std::round(offence * b.atk);
    out.stats.def = std::round(defence * b.def);
    out.stats.mag = std::round(offence * b.mag);
    out.stats.res = std::round(defence * b.res);
    out.stats.spd = b.spd;
    out.stats.crit = b.crit;
    out.reward = std::round((1 + 0.18 * a) * m.xp * xpLevelFactor(partyLevel));
    return out;
}

ScaledMonster scaleMonster(const MonsterDef& m, double depth, double ascension, double partyLevel) {
    return scaleMonster(m, depth, ascension, partyLevel, activeDifficulty());
}

std::int32_t encounterLevel(double depth, double ascension, double partyLevel, double nodeBonus) {
    const double ea = effectiveAscension(ascension, partyLevel);
    return levelAtLeastOne(std::round(0.3 * depth + partyLevel + 0.6 * ea + nodeBonus));
}

std::int32_t encounterXpLevel(double depth, double partyLevel, double nodeBonus) {
    return levelAtLeastOne(std::round(0.3 * depth + partyLevel + nodeBonus));
}

} // namespace rpg

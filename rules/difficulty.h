#pragma once
// The difficulty settings, the process-wide active difficulty, and the
// arithmetic that turns a catalogue monster into the one a battle fields.
#include <cstdint>
#include <string_view>

#include "rules/monsters.h"
#include "rules/stats.h"

namespace rpg {

enum class Difficulty : std::int32_t {
    Easy = 0,
    Hard = 1,
    Brutal = 2,
    Insane = 3,
};
inline constexpr int kDifficultyCount = 4;

struct DifficultyMods {
    double offence = 1;  // monster attack and magic
    double hp = 1;       // monster maximum hit points
    double defence = 1;  // monster defence and resistance
};

struct ScaledMonster {
    Stats stats{};
    double reward = 0;  // experience
};

DifficultyMods difficultyMods(Difficulty d);
const char* difficultyId(Difficulty d);
const char* difficultyNameKey(Difficulty d);
const char* difficultyHintKey(Difficulty d);
// Exact byte comparison; leaves *out untouched when the text is no id.
bool difficultyFromId(std::string_view id, Difficulty* out);

// One value for the whole process, easy until set.
void setActiveDifficulty(Difficulty d);
Difficulty activeDifficulty();

// The ascension that counts: never below 0, never beyond what the party's
// level supports plus one level of grace.
double effectiveAscension(double ascension, double partyLevel);
double xpLevelFactor(double partyLevel);

// depth: the deepest row entered; partyLevel: the party's rounded mean level.
ScaledMonster scaleMonster(const MonsterDef& m, double depth, double ascension, double partyLevel, Difficulty d);
ScaledMonster scaleMonster(const MonsterDef& m, double depth, double ascension, double partyLevel);

// nodeBonus: 5 for a boss, 2 for an elite, else 0.
// The level shown for a monster.
std::int32_t encounterLevel(double depth, double ascension, double partyLevel, double nodeBonus);
// The level a won battle's experience is measured against; ascension plays
// no part.
std::int32_t encounterXpLevel(double depth, double partyLevel, double nodeBonus);

} // namespace rpg

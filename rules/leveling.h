#pragma once
// The curves of growth: experience per level, the experience factor of a
// level gap, ascension and monster level, skill power by level, and what
// skills cost at the trainer and the scroll shop.
#include <cstdint>

#include "rules/skills.h"

namespace rpg {

double xpToNext(std::int32_t level);
double totalXpFor(std::int32_t level);
std::int32_t expectedLevelFor(double ascension);
double supportedAscension(double level);
double xpFactorFor(std::int32_t heroLevel, std::int32_t enemyLevel);

// The level a skill without a limit of its own stops at.
inline constexpr std::int32_t kMaxSkillLevel = 9999;
std::int32_t maxSkillLevel(const SkillDef& s);
double skillPowerAt(const SkillDef& s, std::int32_t level);
double statusMagAt(double magnitude, std::int32_t level);

double skillBaseCost(const SkillDef& s);
double learnCost(const SkillDef& s);
double upgradeCost(const SkillDef& s, std::int32_t level);
// Price factor in a run: `a` the party's mean level, `b` the depth.
double spellCostMul(double a, double b);
double learnPrice(const SkillDef& s, double a, double b);
double upgradePrice(const SkillDef& s, std::int32_t level, double a, double b);

} // namespace rpg

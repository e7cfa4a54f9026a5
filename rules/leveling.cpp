#include "rules/leveling.h"

#include <algorithm>
#include <cmath>

namespace rpg {

double xpToNext(std::int32_t level) { return std::floor(20.0 * std::pow(level, 1.6)) + 20.0; }

double totalXpFor(std::int32_t level) {
    double sum = 0;
    for (std::int32_t i = 1; i < level; ++i) sum += xpToNext(i);
    return sum;
}

std::int32_t expectedLevelFor(double ascension) {
    if (ascension <= 0) return 6;
    return static_cast<std::int32_t>(std::round(3.8 * ascension + 6));
}

double supportedAscension(double level) {
    if (level <= 1) return 0;
    return std::max(0.0, (level - 6) / 3.8);
}

double xpFactorFor(std::int32_t heroLevel, std::int32_t enemyLevel) {
    const double h = std::max(1, heroLevel);
    const double e = std::max(1, enemyLevel);
    if (h > e) return std::max(0.15, 1 - 0.12 * (h - e));
    return std::min(25.0, std::pow(e / h, 0.9));
}

std::int32_t maxSkillLevel(const SkillDef& s) { return s.maxLevel > 0 ? s.maxLevel : kMaxSkillLevel; }

double skillPowerAt(const SkillDef& s, std::int32_t level) {
    return s.power * (1 + 0.18 * (std::max(1, level) - 1));
}

double statusMagAt(double magnitude, std::int32_t level) {
    return std::round(magnitude * (1 + 0.15 * std::max(0, level - 1)));
}

double skillBaseCost(const SkillDef& s) {
    if (s.baseCost > 0) return s.baseCost;
    return std::round(6 * s.manaCost + 60 + 40 * s.power);
}

double learnCost(const SkillDef& s) { return skillBaseCost(s); }

double upgradeCost(const SkillDef& s, std::int32_t level) {
    return std::round(skillBaseCost(s) * 0.5 * std::max(1, level));
}

double spellCostMul(double a, double b) {
    const double depthPart = b > 0 ? 1 + 0.03 * b : 1.0;
    const double levelPart = a > 1 ? 0.08 * (a - 1) : 0.0;
    return depthPart + levelPart;
}

double learnPrice(const SkillDef& s, double a, double b) {
    return std::round(spellCostMul(a, b) * learnCost(s));
}

double upgradePrice(const SkillDef& s, std::int32_t level, double a, double b) {
    return std::round(spellCostMul(a, b) * upgradeCost(s, level));
}

} // namespace rpg

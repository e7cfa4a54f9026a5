#include <gtest/gtest.h>

#include <cmath>

#include "rules/leveling.h"

using namespace rpg;

namespace {

SkillDef skill(double mana, double power, double baseCost = 0, int maxLevel = 0) {
    SkillDef s;
    s.manaCost = mana;
    s.power = power;
    s.baseCost = baseCost;
    s.maxLevel = maxLevel;
    return s;
}

} // namespace

TEST(Leveling, ExperienceCurve) {
    struct Case { int level; double next; } cases[] = {{1, 40}, {2, 80}, {3, 135}, {10, 816}};
    for (auto c : cases) EXPECT_EQ(xpToNext(c.level), c.next) << c.level;
    EXPECT_EQ(totalXpFor(0), 0);
    EXPECT_EQ(totalXpFor(1), 0);
    EXPECT_EQ(totalXpFor(3), 120);
}

TEST(Leveling, XpFactorForLevelGap) {
    struct Case { int hero, enemy; double factor; } cases[] = {
        {10, 10, 1.0}, {10, 5, 0.4}, {20, 5, 0.15}, {1, 100, 25.0}, {0, 0, 1.0}, {-3, 2, 0},
    };
    cases[5].factor = std::pow(2.0, 0.9);  // a hero below level 1 counts as level 1
    for (auto c : cases) EXPECT_NEAR(xpFactorFor(c.hero, c.enemy), c.factor, 1e-12) << c.hero << " vs " << c.enemy;
}

TEST(Leveling, AscensionAndMonsterLevel) {
    EXPECT_EQ(expectedLevelFor(0), 6);
    EXPECT_EQ(expectedLevelFor(-1), 6);
    EXPECT_EQ(expectedLevelFor(1), 10);  // round(9.8)
    EXPECT_EQ(supportedAscension(1), 0);
    EXPECT_EQ(supportedAscension(6), 0);
    EXPECT_EQ(supportedAscension(3), 0);  // never negative
    EXPECT_DOUBLE_EQ(supportedAscension(25), 5);
}

TEST(Leveling, SkillPowerAndStatusGrowth) {
    SkillDef s = skill(5, 1.4);
    EXPECT_DOUBLE_EQ(skillPowerAt(s, 0), 1.4);
    EXPECT_DOUBLE_EQ(skillPowerAt(s, 1), 1.4);
    EXPECT_DOUBLE_EQ(skillPowerAt(s, 3), 1.4 * 1.36);
    EXPECT_EQ(statusMagAt(4, 0), 4);
    EXPECT_EQ(statusMagAt(4, 3), 5);  // round(5.2)
    EXPECT_EQ(statusMagAt(10, 2), 12);  // round(11.5) rounds half away from zero
    EXPECT_EQ(maxSkillLevel(s), 9999);
    EXPECT_EQ(maxSkillLevel(skill(0, 0, 0, 5)), 5);
}

TEST(Leveling, SkillCosts) {
    SkillDef firebolt = skill(5, 1.4);
    SkillDef whirlwind = skill(12, 1.1, 220);
    EXPECT_EQ(skillBaseCost(firebolt), 146);
    EXPECT_EQ(learnCost(firebolt), 146);
    EXPECT_EQ(skillBaseCost(whirlwind), 220);
    EXPECT_EQ(upgradeCost(firebolt, 0), 73);
    EXPECT_EQ(upgradeCost(firebolt, 1), 73);
    EXPECT_EQ(upgradeCost(firebolt, 3), 219);
}

TEST(Leveling, RunPrices) {
    EXPECT_DOUBLE_EQ(spellCostMul(1, 0), 1);
    EXPECT_DOUBLE_EQ(spellCostMul(11, 10), 2.1);
    EXPECT_DOUBLE_EQ(spellCostMul(0, -2), 1);
    SkillDef firebolt = skill(5, 1.4);
    EXPECT_EQ(learnPrice(firebolt, 11, 10), std::round(2.1 * 146));
    EXPECT_EQ(upgradePrice(firebolt, 3, 11, 10), std::round(2.1 * 219));
}

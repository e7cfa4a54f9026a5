#include <gtest/gtest.h>

#include "rules/difficulty.h"
#include "rules/leveling.h"

using namespace rpg;

namespace {

// The active difficulty is process-wide: every test starts and ends on easy.
class DifficultyTest : public ::testing::Test {
protected:
    void SetUp() override { setActiveDifficulty(Difficulty::Easy); }
    void TearDown() override { setActiveDifficulty(Difficulty::Easy); }
};

MonsterDef monster(Stats base, double xp, std::uint8_t tier) {
    MonsterDef m;
    m.base = base;
    m.xp = xp;
    m.tier = tier;
    return m;
}

const Stats kNormalBase{40, 10, 8, 5, 4, 4, 6, 5};
const Stats kStrongBase{100, 20, 10, 8, 6, 5, 7, 5};

} // namespace

TEST_F(DifficultyTest, TableRows) {
    struct Case { Difficulty d; const char* id; const char* name; const char* hint; DifficultyMods mods; } cases[] = {
        {Difficulty::Easy, "easy", "difficulty.easy", "difficulty.easyHint", {1, 1, 1}},
        {Difficulty::Hard, "hard", "difficulty.hard", "difficulty.hardHint", {1.12, 1.4, 1.1}},
        {Difficulty::Brutal, "brutal", "difficulty.brutal", "difficulty.brutalHint", {1.25, 1.9, 1.2}},
        {Difficulty::Insane, "insane", "difficulty.insane", "difficulty.insaneHint", {1.45, 2.6, 1.35}},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(difficultyId(c.d), c.id);
        EXPECT_STREQ(difficultyNameKey(c.d), c.name);
        EXPECT_STREQ(difficultyHintKey(c.d), c.hint);
        const DifficultyMods m = difficultyMods(c.d);
        EXPECT_EQ(m.offence, c.mods.offence) << c.id;
        EXPECT_EQ(m.hp, c.mods.hp) << c.id;
        EXPECT_EQ(m.defence, c.mods.defence) << c.id;
        Difficulty back = Difficulty::Easy;
        EXPECT_TRUE(difficultyFromId(c.id, &back));
        EXPECT_EQ(back, c.d);
    }
    for (const char* bad : {"Insane", "HARD", "", "easy "}) {
        Difficulty kept = Difficulty::Brutal;
        EXPECT_FALSE(difficultyFromId(bad, &kept)) << bad;
        EXPECT_EQ(kept, Difficulty::Brutal);
    }
}

TEST_F(DifficultyTest, ActiveDifficultyStartsEasyAndIsUsedByTheShortForm) {
    EXPECT_EQ(activeDifficulty(), Difficulty::Easy);
    const MonsterDef m = monster(kStrongBase, 30, TierElite);
    for (Difficulty d : {Difficulty::Insane, Difficulty::Hard, Difficulty::Easy}) {
        setActiveDifficulty(d);
        EXPECT_EQ(activeDifficulty(), d);
        const ScaledMonster shortForm = scaleMonster(m, 10, 2, 15);
        const ScaledMonster longForm = scaleMonster(m, 10, 2, 15, d);
        EXPECT_EQ(shortForm.stats, longForm.stats) << difficultyId(d);
        EXPECT_EQ(shortForm.reward, longForm.reward);
    }
    // The difficulty moves hit points, offence and defence, never mana or reward.
    const ScaledMonster easy = scaleMonster(m, 10, 2, 15, Difficulty::Easy);
    const ScaledMonster insane = scaleMonster(m, 10, 2, 15, Difficulty::Insane);
    EXPECT_GT(insane.stats.maxHp, easy.stats.maxHp);
    EXPECT_GT(insane.stats.atk, easy.stats.atk);
    EXPECT_GT(insane.stats.res, easy.stats.res);
    EXPECT_EQ(insane.stats.maxMp, easy.stats.maxMp);
    EXPECT_EQ(insane.reward, easy.reward);
}

TEST_F(DifficultyTest, WorkedScalingExamples) {
    struct Case {
        Stats base; double xp; std::uint8_t tier;
        double depth, ascension, level; Difficulty d;
        Stats want; double reward;
    } cases[] = {
        // At ascension 0 the damper cuts hit points to 0.825 and offence to 0.55 of the base.
        {kNormalBase, 12, TierNormal, 0, 0, 1, Difficulty::Easy, {33, 10, 4, 5, 2, 4, 6, 5}, 12},
        // Capped by the ascension itself (ea 2).
        {kStrongBase, 30, TierElite, 10, 2, 15, Difficulty::Hard, {650, 45, 32, 29, 19, 18, 7, 5}, 305},
        // Capped by the party level (ea 10.842).
        {kStrongBase, 30, TierBoss, 20, 12, 40, Difficulty::Insane, {10852, 86, 251, 155, 150, 97, 7, 5}, 1900},
        // A negative ascension counts as none.
        {kNormalBase, 12, TierNormal, 0, -7, 1, Difficulty::Easy, {33, 10, 4, 5, 2, 4, 6, 5}, 12},
        // Ascension beyond the cap scales as the cap does.
        {kStrongBase, 30, TierBoss, 20, 500, 40, Difficulty::Insane, {10852, 86, 251, 155, 150, 97, 7, 5}, 1900},
    };
    for (const auto& c : cases) {
        const ScaledMonster s = scaleMonster(monster(c.base, c.xp, c.tier), c.depth, c.ascension, c.level, c.d);
        EXPECT_EQ(s.stats, c.want) << "tier " << int(c.tier) << " depth " << c.depth << " ascension " << c.ascension;
        EXPECT_EQ(s.reward, c.reward) << "tier " << int(c.tier) << " depth " << c.depth;
    }
}

TEST_F(DifficultyTest, TierHitPointsSlideWithAscension) {
    // At level 1000 the party supports far more than 120 ascensions.
    const Stats base{10000, 0, 0, 0, 0, 0, 0, 0};  // large, so rounding hardly moves the ratio
    struct Case { std::uint8_t tier; double ascension; double factor; } cases[] = {
        {TierNormal, 120, 1.5}, {TierElite, 0, 1.5}, {TierElite, 60, 2.35}, {TierElite, 120, 3.2},
        {TierElite, 240, 3.2},  {TierBoss, 120, 11}, {TierBoss, 240, 11},
    };
    const double level = 1000;
    for (const auto& c : cases) {
        const double cap = 1 + 1.1 * supportedAscension(level);
        ASSERT_GT(cap, c.ascension);
        const ScaledMonster normal = scaleMonster(monster(base, 0, TierNormal), 0, c.ascension, level, Difficulty::Easy);
        const ScaledMonster tiered = scaleMonster(monster(base, 0, c.tier), 0, c.ascension, level, Difficulty::Easy);
        // Only the tier factor differs; compare it against the normal tier's 1.5.
        EXPECT_NEAR(tiered.stats.maxHp / normal.stats.maxHp, c.factor / 1.5, 1e-4)
            << "tier " << int(c.tier) << " ascension " << c.ascension;
    }
}

TEST_F(DifficultyTest, EncounterLevels) {
    struct Shown { double depth, ascension, level, bonus; int want; } shown[] = {
        {0, 0, 1, 0, 1}, {10, 2, 15, 2, 21}, {0, 0, -5, 0, 1}, {0, 100, 1, 5, 7}, {20, 12, 40, 5, 58},
    };
    for (auto c : shown) {
        EXPECT_EQ(encounterLevel(c.depth, c.ascension, c.level, c.bonus), c.want)
            << c.depth << " " << c.ascension << " " << c.level << " " << c.bonus;
    }
    struct Xp { double depth, level, bonus; int want; } xp[] = {
        {10, 15, 2, 20}, {0, 1, 0, 1}, {5, 1, 0, 3}, {0, 0, 0, 1}, {0, -3, 0, 1},
    };
    for (auto c : xp) EXPECT_EQ(encounterXpLevel(c.depth, c.level, c.bonus), c.want) << c.depth << " " << c.level;
}

TEST_F(DifficultyTest, EffectiveAscensionAndXpFactor) {
    EXPECT_EQ(effectiveAscension(2, 15), 2);
    EXPECT_NEAR(effectiveAscension(12, 40), 1 + 1.1 * 34 / 3.8, 1e-12);
    EXPECT_EQ(effectiveAscension(3, 1), 1);  // one level of grace
    EXPECT_EQ(effectiveAscension(-2, 30), 0);
    EXPECT_EQ(xpLevelFactor(1), 1);
    EXPECT_EQ(xpLevelFactor(0.5), 1);
    EXPECT_NEAR(xpLevelFactor(15), 3.63, 0.01);
}

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "rules/rng.h"
#include "rules/runes.h"

using namespace rpg;

TEST(Runes, SeededStonesAreFixedAndTakeThreeDraws) {
    struct Case {
        std::uint32_t seed;
        double depth;
        StatId stat;
        double value;
        const char* uid;
    } cases[] = {
        {0, 0, Atk, 3, "rune-atk-1-300944"},
        {0, 8, Atk, 9, "rune-atk-3-300944"},
        {873, 0, MaxHp, 23, "rune-maxHp-1-202797"},
        {873, 8, MaxHp, 47, "rune-maxHp-3-202797"},  // tier 3 scales the base only: 36 + 11
        {1261, 3.9, Crit, 2, "rune-crit-1-600878"},
        {1261, 4, Crit, 4, "rune-crit-2-600878"},
        {194, -2, Spd, 3, "rune-spd-1-752537"},
        {388, 8, MaxMp, 30, "rune-maxMp-3-971430"},
    };
    for (const Case& c : cases) {
        Rng rng{c.seed};
        Runestone s = rollRunestone(c.depth, rng);
        SCOPED_TRACE(c.uid);
        EXPECT_EQ(s.stat, c.stat);
        EXPECT_EQ(s.value, c.value);
        EXPECT_EQ(s.uid, c.uid);
        EXPECT_EQ(rng.state, c.seed + 3 * kRngStep);
    }
}

TEST(Runes, ValuesSpanBaseTimesTierPlusTheBase) {
    const double base[kStatCount] = {12, 8, 3, 3, 3, 3, 2, 2};
    const std::regex uidForm("rune-(maxHp|maxMp|atk|def|mag|res|spd|crit)-([0-9]+)-[1-9][0-9]{5}");
    struct Depth {
        double depth;
        int tier;
    } depths[] = {{0, 1}, {3.9, 1}, {4, 2}, {11.5, 3}, {-7, 1}};
    for (const Depth& d : depths) {
        Rng rng{0xC0FFEE};
        for (int i = 0; i < 2000; ++i) {
            Runestone s = rollRunestone(d.depth, rng);
            const double m = base[s.stat];
            ASSERT_GE(s.value, m * d.tier) << s.uid;
            ASSERT_LE(s.value, m * d.tier + m) << s.uid;
            std::smatch match;
            ASSERT_TRUE(std::regex_match(s.uid, match, uidForm)) << s.uid;
            ASSERT_EQ(match[1], statSaveKey(s.stat));
            ASSERT_EQ(std::stoi(match[2]), d.tier) << d.depth;
        }
    }
}

TEST(Runes, CircleBonusCountsFilledSocketsOnly) {
    RuneCircle circle;
    EXPECT_EQ(runeBonus(circle), Stats{});
    circle.filled[Crit] = true;
    circle.stones[Crit] = {"r1", Crit, 5};
    circle.stones[Atk] = {"r2", Atk, 9};  // lying in an empty socket
    EXPECT_EQ(runeBonus(circle), (Stats{.crit = 5}));
    circle.filled[MaxHp] = true;
    circle.stones[MaxHp] = {"r3", MaxHp, 24};
    EXPECT_EQ(runeBonus(circle), (Stats{.maxHp = 24, .crit = 5}));
}

TEST(Runes, SocketsAndSaleValue) {
    for (int i = 0; i < kStatCount; ++i) EXPECT_EQ(runeSlot(static_cast<StatId>(i)), i);
    EXPECT_EQ(runeSlot(static_cast<StatId>(8)), 0);
    EXPECT_EQ(runeSlot(static_cast<StatId>(-1)), 0);
    EXPECT_EQ(runeSellValue({"r", Atk, 10}), 65);
    EXPECT_EQ(runeSellValue({"r", Atk, 0}), 25);
}

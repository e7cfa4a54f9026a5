#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "rules/loot.h"
#include "rules/rng.h"

using namespace rpg;

namespace {

// Every test starts from the counters of a fresh process.
class Loot : public ::testing::Test {
protected:
    void SetUp() override { resetMadeIdCounters(); }
};

// How many draws took a generator from `seed` to its state: kRngStep is odd,
// so its inverse mod 2^32 turns the difference of states back into a count.
std::uint32_t drawsSince(std::uint32_t seed, const Rng& rng) {
    std::uint32_t inverse = kRngStep;
    for (int i = 0; i < 5; ++i) inverse *= 2 - kRngStep * inverse;
    return (rng.state - seed) * inverse;
}

LootCtx ctxOf(std::int32_t depth, std::int32_t tier, std::vector<std::int32_t> levels, std::vector<ClassId> classes) {
    LootCtx ctx;
    ctx.depth = depth;
    ctx.tier = tier;
    ctx.levels = std::move(levels);
    ctx.classes = std::move(classes);
    return ctx;
}

const ItemDef& def(const ItemInstance& item) {
    static const ItemDef unknown{.slot = ItemSlot::Valuable};
    const ItemDef* d = findItem(item.defId);
    return d ? *d : unknown;
}

bool isEquipment(const ItemInstance& item) {
    return static_cast<int>(def(item).slot) <= static_cast<int>(ItemSlot::Amulet);
}

bool wears(const ItemInstance& item, ClassId cls) { return ((def(item).classMask >> static_cast<int>(cls)) & 1) != 0; }

int rarityOf(const ItemInstance& item) { return static_cast<int>(def(item).rarity); }

// Uids count up with every item made, so replays compare everything else.
std::vector<ItemInstance> withoutUids(std::vector<ItemInstance> items) {
    for (ItemInstance& item : items) item.uid.clear();
    return items;
}

struct Pinned {
    const char* id;
    std::int32_t ilvl;
};

void expectItems(const std::vector<ItemInstance>& got, std::initializer_list<Pinned> want) {
    ASSERT_EQ(got.size(), want.size());
    std::size_t i = 0;
    for (const Pinned& p : want) {
        EXPECT_EQ(got[i].defId, p.id) << "item " << i;
        EXPECT_EQ(got[i].ilvl, p.ilvl) << p.id;
        ++i;
    }
}

Hero heroOf(ClassId cls, std::int32_t level) {
    Hero h;
    h.cls = cls;
    h.level = level;
    return h;
}

} // namespace

TEST_F(Loot, PartyContextFromHeroesDepthAndAscension) {
    struct Case {
        std::vector<Hero> heroes;
        std::int32_t depth;
        double ascension;
        std::int32_t wantDepth;
        std::int32_t wantTier;
        std::vector<std::int32_t> levels;
        std::vector<ClassId> classes;
    } cases[] = {
        {{}, 0, 0, 0, 1, {1}, {}},
        {{}, -3, 2.9, 0, 3, {1}, {}},
        {{heroOf(ClassId::Mage, 7), heroOf(ClassId::Archer, 0), heroOf(ClassId::Warrior, 30)},
         12, 1.0, 12, 2, {7, 1, 30}, {ClassId::Mage, ClassId::Archer, ClassId::Warrior}},
        // A broken stored count never drives the tier out of range.
        {{heroOf(ClassId::Dieb, 3)}, 4, -0.5, 4, 1, {3}, {ClassId::Dieb}},
        {{}, 1, std::nan(""), 1, 1, {1}, {}},
        {{}, 1, 1e300, 1, 1'000'000'001, {1}, {}},
    };
    for (const Case& c : cases) {
        const LootCtx ctx = partyLootCtx(c.heroes, c.depth, c.ascension);
        SCOPED_TRACE(c.ascension);
        EXPECT_EQ(ctx.depth, c.wantDepth);
        EXPECT_EQ(ctx.tier, c.wantTier);
        EXPECT_EQ(ctx.levels, c.levels);
        EXPECT_EQ(ctx.classes, c.classes);
    }
    const LootCtx none;
    const LootCtx empty = partyLootCtx({}, 0, 0);
    EXPECT_EQ(none.levels, empty.levels) << "a default context is an empty party's";
}

TEST(LootPower, GrowsWithDepthAndTheRootOfWonRuns) {
    struct Case {
        double depth, tier, power;
    } cases[] = {
        {0, 1, 0}, {5, 1, 5}, {-4, 1, 0}, {0, 5, 3.8}, {3, 0, 3}, {2, 10, 2 + 1.9 * 3},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(lootTier(c.depth, c.tier), c.power) << c.depth << " " << c.tier;
}

// Fixed generator states must keep giving the same goods from one version
// to the next: stored runs rebuild their shops and chests from them. The
// draw counts include every draw of the items' own rolls.
TEST_F(Loot, FixedStatesGiveFixedGoods) {
    const LootCtx pair = ctxOf(5, 3, {7, 4}, {ClassId::Warrior, ClassId::Mage});
    {
        Rng rng{12345};
        expectItems(rollShopOffers(Merchant::Weaponsmith, pair, rng),
                    {{"nightreaver", 3}, {"astralScepter", 6}, {"reaverAxe", 6}, {"shadowFang", 7}, {"ironHammer", 11},
                     {"shepherdStaff", 12}, {"runedBlade", 13}, {"daggerPair", 14}, {"rustySword", 15}});
        EXPECT_EQ(drawsSince(12345, rng), 63u);
    }
    {
        Rng rng{12345};
        expectItems(rollShopOffers(Merchant::Armorer, pair, rng),
                    {{"girdleOfMight", 3}, {"ropeBelt", 6}, {"wardShield", 6}, {"ringSwiftness", 8}, {"silkRobe", 9},
                     {"ritualHood", 12}, {"paddedVest", 14}, {"amuletSwiftness", 13}, {"steelGreaves", 15}});
        EXPECT_EQ(drawsSince(12345, rng), 53u);
    }
    {
        Rng rng{12345};
        expectItems(rollShopOffers(Merchant::Wanderer, pair, rng),
                    {{"amuletVigor", 4}, {"astralScepter", 8}, {"ringFocus", 11}, {"oakStaff", 16}, {"potionHp", 1},
                     {"potionMp", 1}});
        EXPECT_EQ(drawsSince(12345, rng), 37u);
    }
    {
        Rng rng{4242};
        expectItems(rollShopOffers(Merchant::Weaponsmith, partyLootCtx({}, 2, 0), rng),
                    {{"shadowFang", 2}, {"shepherdStaff", 2}, {"runewoodStaff", 3}, {"oakStaff", 2}, {"hunterCrossbow", 3},
                     {"knightBlade", 5}, {"templeClub", 5}, {"steelCrossbow", 4}, {"ironSword", 6}});
        EXPECT_EQ(drawsSince(4242, rng), 69u);
    }
    {
        Rng rng{777};
        const LootResult chest = rollTreasure(pair, rng);
        EXPECT_EQ(chest.quality, LootQuality::Found);
        EXPECT_EQ(chest.gold, 115);
        expectItems(chest.items, {{"greaterPotionHp", 1}, {"pilgrimSandals", 11}, {"dragonShield", 15}});
        EXPECT_EQ(drawsSince(777, rng), 26u);
    }
    {
        // Its second and third pieces come from deeper down (bonus 6 and 3).
        Rng rng{36};
        const LootCtx deeper = ctxOf(6, 3, {7, 4}, {ClassId::Warrior, ClassId::Mage});
        const LootResult chest = rollTreasure(deeper, rng, LootQuality::Found);
        EXPECT_EQ(chest.gold, 126);
        expectItems(chest.items, {{"greaterPotionHp", 1}, {"ringPower", 10}, {"wardPlate", 14}, {"rangerHood", 16},
                                  {"warcleaver", 12}});
        EXPECT_EQ(drawsSince(36, rng), 50u);
    }
    {
        Rng rng{1};
        const LootResult chest = rollTreasure(ctxOf(9, 1, {12}, {ClassId::Rogue}), rng, LootQuality::Jackpot);
        EXPECT_EQ(chest.gold, 449);
        expectItems(chest.items,
                    {{"elixir", 10}, {"scoutHood", 17}, {"huntersCap", 15}, {"girdleOfWarding", 18}, {"primBlade", 17}});
        EXPECT_EQ(drawsSince(1, rng), 49u);
    }
    {
        Rng rng{7};
        const LootResult drop = rollBattleLoot(pair, rng);
        EXPECT_EQ(drop.gold, 53);
        expectItems(drop.items, {{"noviceRobe", 10}});
        EXPECT_EQ(drawsSince(7, rng), 10u);
    }
}

TEST_F(Loot, SameStateSameGoods) {
    const LootCtx contexts[] = {
        LootCtx{},
        ctxOf(7, 2, {12, 9, 15}, {ClassId::Cleric, ClassId::Rogue, ClassId::Druide}),
        ctxOf(20, 6, {40}, {ClassId::Vampire}),
    };
    for (const LootCtx& ctx : contexts) {
        for (std::uint32_t seed = 0; seed < 40; ++seed) {
            for (int m = 0; m < 4; ++m) {
                Rng a{seed}, b{seed};
                EXPECT_EQ(withoutUids(rollShopOffers(static_cast<Merchant>(m), ctx, a)),
                          withoutUids(rollShopOffers(static_cast<Merchant>(m), ctx, b)));
                EXPECT_EQ(a.state, b.state);
            }
            Rng a{seed}, b{seed};
            const LootResult x = rollTreasure(ctx, a), y = rollTreasure(ctx, b);
            EXPECT_EQ(withoutUids(x.items), withoutUids(y.items));
            EXPECT_EQ(x.gold, y.gold);
            EXPECT_EQ(x.quality, y.quality);
            const LootResult u = rollBattleLoot(ctx, a), v = rollBattleLoot(ctx, b);
            EXPECT_EQ(withoutUids(u.items), withoutUids(v.items));
            EXPECT_EQ(u.gold, v.gold);
            EXPECT_EQ(a.state, b.state);
        }
    }
}

TEST_F(Loot, ApothecaryDrawsNothingAndHoldsBackRareGoodsUntilDepthFour) {
    struct Case {
        std::int32_t depth;
        std::vector<std::int32_t> levels;
        std::size_t count;
        std::int32_t ilvl;
    } cases[] = {
        {3, {1}, 7, 1},           {4, {1}, 10, 1},
        {0, {14, 17}, 7, 10},     // mean 15.5 rounds to 16: potions of tier 10
        {12, {25, 34}, 10, 30},   // mean 29.5 rounds to 30
        {4, {}, 10, 1},
    };
    for (const Case& c : cases) {
        Rng rng{99};
        const auto offers = rollShopOffers(Merchant::Apothecary, ctxOf(c.depth, 4, c.levels, {ClassId::Mage}), rng);
        SCOPED_TRACE(c.depth);
        EXPECT_EQ(rng.state, 99u);
        ASSERT_EQ(offers.size(), c.count);
        for (std::size_t i = 0; i < offers.size(); ++i) {
            EXPECT_EQ(def(offers[i]).slot, ItemSlot::Consumable);
            EXPECT_EQ(offers[i].ilvl, c.ilvl);
            if (c.depth <= 3) {
                EXPECT_NE(def(offers[i]).rarity, Rarity::Rare) << offers[i].defId;
            }
            if (i > 0) {
                EXPECT_LT(itemIndex(offers[i - 1].defId), itemIndex(offers[i].defId)) << "catalogue order";
            }
        }
    }
}

TEST_F(Loot, SmithsOfferNineClimbingPiecesWalkingRoundTheClasses) {
    struct Case {
        LootCtx ctx;
        double lo, top;  // the level band of the first and the last offer
    } cases[] = {
        {ctxOf(0, 1, {1}, {}), 1, 4},
        {ctxOf(5, 3, {7, 4}, {ClassId::Warrior, ClassId::Mage}), 3, 16},
        {ctxOf(12, 2, {20, 22, 25}, {ClassId::Rogue, ClassId::Cleric, ClassId::Archer}), 19, 35},
        {ctxOf(3, 1, {1}, {ClassId::Archer}), 1, 5},
    };
    for (const Case& c : cases) {
        for (Merchant m : {Merchant::Weaponsmith, Merchant::Armorer}) {
            for (std::uint32_t seed = 0; seed < 150; ++seed) {
                Rng rng{seed};
                const auto offers = rollShopOffers(m, c.ctx, rng);
                SCOPED_TRACE(::testing::Message() << "merchant " << static_cast<int>(m) << " seed " << seed);
                ASSERT_EQ(offers.size(), 9u);
                std::set<std::string> ids;
                for (std::size_t i = 0; i < offers.size(); ++i) {
                    const ItemInstance& it = offers[i];
                    EXPECT_EQ(def(it).slot == ItemSlot::Weapon, m == Merchant::Weaponsmith) << it.defId;
                    EXPECT_TRUE(isEquipment(it)) << it.defId;
                    if (!c.ctx.classes.empty()) {
                        EXPECT_TRUE(wears(it, c.ctx.classes[i % c.ctx.classes.size()])) << it.defId;
                    }
                    ids.insert(it.defId);
                    const double mid = std::round(c.lo + i * 0.125 * (c.top - c.lo));
                    EXPECT_GE(it.ilvl, std::max(1.0, mid - 1)) << i;
                    EXPECT_LE(it.ilvl, mid + 1) << i;
                }
                EXPECT_EQ(ids.size(), 9u) << "no id twice while others remain";
            }
        }
    }
}

TEST_F(Loot, WandererOffersFourPiecesAndTwoPlainPotions) {
    const LootCtx ctx = ctxOf(6, 1, {10, 12}, {ClassId::Dieb, ClassId::Druide});
    int weapons = 0;
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        Rng rng{seed};
        const auto offers = rollShopOffers(Merchant::Wanderer, ctx, rng);
        ASSERT_EQ(offers.size(), 6u);
        std::set<std::string> ids;
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_TRUE(isEquipment(offers[i])) << offers[i].defId;
            EXPECT_TRUE(wears(offers[i], ctx.classes[i % 2])) << offers[i].defId;
            weapons += def(offers[i]).slot == ItemSlot::Weapon;
            ids.insert(offers[i].defId);
        }
        EXPECT_EQ(ids.size(), 4u);
        for (std::size_t i = 4; i < 6; ++i) {
            EXPECT_EQ(offers[i].defId, i == 4 ? "potionHp" : "potionMp");
            EXPECT_EQ(offers[i].ilvl, 1);
            EXPECT_FALSE(offers[i].rolled);
        }
    }
    EXPECT_NEAR(weapons / 1200.0, 0.5, 0.05) << "a fair draw between weapon and armour";
}

TEST_F(Loot, TrapsHoldNoItemsAndAtMostALittleGold) {
    for (std::int32_t depth : {0, 6, 30}) {
        const LootCtx ctx = ctxOf(depth, 3, {1}, {ClassId::Warrior});
        std::set<double> seen;
        for (std::uint32_t seed = 0; seed < 2000; ++seed) {
            Rng rng{seed};
            const LootResult chest = rollTreasure(ctx, rng, LootQuality::Trap);
            EXPECT_EQ(chest.quality, LootQuality::Trap);
            EXPECT_TRUE(chest.items.empty());
            EXPECT_GE(chest.gold, 0);
            EXPECT_LE(chest.gold, depth + 4);
            EXPECT_EQ(drawsSince(seed, rng), chest.gold == 0 ? 2u : 3u) << "quality, gold chance, amount";
            seen.insert(chest.gold);
        }
        EXPECT_TRUE(seen.contains(0) && seen.contains(1) && seen.contains(depth + 4)) << depth;
    }
}

TEST_F(Loot, FoundAndJackpotChestsHoldTheirShare) {
    struct Case {
        LootQuality quality;
        std::int32_t depth;
        std::size_t minPieces, maxPieces;
        double consumableChance;
        double minGold, maxGold;  // party level 1: unscaled
        int minBonus, maxBonus;   // the depth added to each piece's roll
    } cases[] = {
        {LootQuality::Found, 0, 2, 4, 0.5, 30, 70, 0, 6},
        {LootQuality::Found, 10, 2, 4, 0.5, 30, 170, 0, 6},
        {LootQuality::Jackpot, 0, 4, 5, 0.8, 100, 180, 4, 7},
        {LootQuality::Jackpot, 10, 4, 5, 0.8, 100, 340, 4, 7},
    };
    for (const Case& c : cases) {
        const LootCtx ctx = ctxOf(c.depth, 1, {1}, {});
        SCOPED_TRACE(::testing::Message() << "quality " << static_cast<int>(c.quality) << " depth " << c.depth);
        int withConsumable = 0;
        const int rolls = 1500;
        for (std::uint32_t seed = 0; seed < rolls; ++seed) {
            Rng rng{seed};
            const LootResult chest = rollTreasure(ctx, rng, c.quality);
            EXPECT_EQ(chest.quality, c.quality);
            EXPECT_GE(chest.gold, c.minGold);
            EXPECT_LE(chest.gold, c.maxGold);
            std::size_t pieces = 0;
            for (std::size_t i = 0; i < chest.items.size(); ++i) {
                const ItemInstance& it = chest.items[i];
                if (!isEquipment(it)) {
                    EXPECT_EQ(i, 0u) << "the consumable comes first";
                    EXPECT_EQ(def(it).slot, ItemSlot::Consumable);
                    EXPECT_TRUE(c.depth > 3 || def(it).rarity != Rarity::Rare) << it.defId;
                    EXPECT_EQ(it.ilvl, 1);
                    ++withConsumable;
                    continue;
                }
                ++pieces;
                // Level 1 party at tier 1: the drop level is 0.3 * (depth + bonus) + 1, give or take two.
                EXPECT_GE(it.ilvl, std::max(1.0, std::round(0.3 * (c.depth + c.minBonus) + 1) - 2)) << it.defId;
                EXPECT_LE(it.ilvl, std::round(0.3 * (c.depth + c.maxBonus) + 1) + 2) << it.defId;
            }
            EXPECT_GE(pieces, c.minPieces);
            EXPECT_LE(pieces, c.maxPieces);
        }
        EXPECT_NEAR(withConsumable / double(rolls), c.consumableChance, 0.04);
    }
}

TEST_F(Loot, RolledQualityAndGivenQualityGiveTheSameChest) {
    const LootCtx ctx = ctxOf(4, 2, {9, 11}, {ClassId::Cleric, ClassId::Vampire});
    int counts[3] = {};
    const int rolls = 3000;
    for (std::uint32_t seed = 0; seed < rolls; ++seed) {
        Rng rolledRng{seed};
        const LootResult rolled = rollTreasure(ctx, rolledRng);
        ++counts[static_cast<int>(rolled.quality)];
        Rng givenRng{seed};
        const LootResult given = rollTreasure(ctx, givenRng, rolled.quality);
        EXPECT_EQ(withoutUids(given.items), withoutUids(rolled.items)) << seed;
        EXPECT_EQ(given.gold, rolled.gold) << seed;
        EXPECT_EQ(givenRng.state, rolledRng.state) << "the given quality still takes the first draw";
    }
    EXPECT_NEAR(counts[0] / double(rolls), 0.10, 0.02);
    EXPECT_NEAR(counts[1] / double(rolls), 0.68, 0.03);
    EXPECT_NEAR(counts[2] / double(rolls), 0.22, 0.02);
}

TEST_F(Loot, BattleDropsArePlainAndRare) {
    const LootCtx ctx = ctxOf(8, 1, {1}, {ClassId::Archer});
    int drops = 0;
    const int rolls = 3000;
    for (std::uint32_t seed = 0; seed < rolls; ++seed) {
        Rng rng{seed};
        const LootResult loot = rollBattleLoot(ctx, rng);
        EXPECT_EQ(loot.quality, LootQuality::Found);
        EXPECT_GE(loot.gold, 8);
        EXPECT_LE(loot.gold, 8 + 5 * 8 + 16);
        ASSERT_LE(loot.items.size(), 1u);
        if (loot.items.empty()) {
            EXPECT_EQ(drawsSince(seed, rng), 2u);
            continue;
        }
        ++drops;
        EXPECT_TRUE(isEquipment(loot.items[0]));
        // No bonus depth: 0.3 * 8 + 1 = 3.4, give or take two.
        EXPECT_GE(loot.items[0].ilvl, 1);
        EXPECT_LE(loot.items[0].ilvl, 5);
    }
    EXPECT_NEAR(drops / double(rolls), 0.22, 0.02);
}

TEST_F(Loot, GoldGrowsEightPercentPerMeanLevelAboveOne) {
    // Seeds without a drop: the second draw alone sets the gold.
    struct Case {
        std::vector<std::int32_t> levels;
        double factor;
    } cases[] = {
        {{1}, 1}, {{}, 1}, {{1, 1, 2}, 1},  // mean 1.33 rounds to 1
        {{2}, 1.08}, {{1, 2}, 1.08},        // mean 1.5 rounds to 2
        {{11}, 1.8}, {{30, 40, 50}, 1 + 0.08 * 39},
    };
    int checked = 0;
    for (std::uint32_t seed = 0; checked < 200; ++seed) {
        Rng probe{seed};
        if (probe.uniform() < 0.22) continue;
        const double base = std::floor((5 * 3 + 17) * probe.uniform()) + 8;
        ++checked;
        for (const Case& c : cases) {
            Rng rng{seed};
            const LootResult loot = rollBattleLoot(ctxOf(3, 1, c.levels, {}), rng);
            ASSERT_TRUE(loot.items.empty());
            EXPECT_EQ(loot.gold, std::round(base * c.factor)) << "seed " << seed << " factor " << c.factor;
        }
    }
}

TEST_F(Loot, DropLevelsFollowTierDepthAndHeroLevel) {
    struct Case {
        std::int32_t depth, tier, heroLevel;  // heroLevel 0: no heroes
    } cases[] = {{0, 1, 0}, {10, 1, 0}, {0, 4, 0}, {6, 2, 15}, {30, 5, 50}};
    for (const Case& c : cases) {
        const LootCtx ctx = c.heroLevel ? ctxOf(c.depth, c.tier, {c.heroLevel}, {ClassId::Warrior})
                                        : partyLootCtx({}, c.depth, c.tier - 1);
        const double mid = 2.0 * c.tier - 2 + 0.3 * c.depth + std::max(1, c.heroLevel);
        std::set<std::int32_t> seen;
        for (std::uint32_t seed = 0; seed < 3000; ++seed) {
            Rng rng{seed};
            for (const ItemInstance& it : rollBattleLoot(ctx, rng).items) seen.insert(it.ilvl);
        }
        SCOPED_TRACE(mid);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(*seen.begin(), std::max(1.0, std::round(mid - 2)));
        EXPECT_EQ(*seen.rbegin(), std::round(mid + 2));
    }
}

TEST_F(Loot, RarityOddsAtTheSurface) {
    // At power 0 the kinds weigh 100, 62, 18, 3.5, 0.25 and almost nothing.
    const double weights[] = {100, 62, 18, 3.5, 0.25, 0.02, 0.009, 0.0005};
    double sum = 0;
    for (double w : weights) sum += w;
    int counts[kRarityCount] = {};
    int total = 0;
    const LootCtx ctx = ctxOf(0, 1, {3, 3}, {ClassId::Mage, ClassId::Rogue});
    for (std::uint32_t seed = 0; seed < 60000; ++seed) {
        Rng rng{seed};
        for (const ItemInstance& it : rollBattleLoot(ctx, rng).items) {
            ++counts[rarityOf(it)];
            ++total;
        }
    }
    ASSERT_GT(total, 10000);
    EXPECT_NEAR(counts[0] / double(total), 100 / sum, 0.02) << "common, about 54 percent";
    EXPECT_NEAR(counts[1] / double(total), 62 / sum, 0.02);
    EXPECT_NEAR(counts[2] / double(total), 18 / sum, 0.01);
    EXPECT_NEAR(counts[3] / double(total), 3.5 / sum, 0.005);
    EXPECT_LE(counts[5] + counts[6] + counts[7], 5);
}

TEST_F(Loot, FoundRarityRisesWithDepthAndAscension) {
    const std::vector<Hero> party = {heroOf(ClassId::Warrior, 10), heroOf(ClassId::Mage, 10), heroOf(ClassId::Cleric, 10)};
    struct Place {
        std::int32_t depth;
        double ascension;
    };
    // Two walks: deeper at a fixed ascension, then more won runs at a fixed depth.
    const std::vector<std::vector<Place>> walks = {
        {{0, 0}, {5, 0}, {10, 0}, {20, 0}, {40, 0}},
        {{3, 0}, {3, 2}, {3, 8}, {3, 30}, {3, 100}},
    };
    for (const auto& walk : walks) {
        double lastMean = -1, lastCommon = 2;
        for (const Place& p : walk) {
            const LootCtx ctx = partyLootCtx(party, p.depth, p.ascension);
            double sum = 0;
            int commons = 0, n = 0;
            for (std::uint32_t seed = 0; seed < 1500; ++seed) {
                Rng rng{seed};
                for (const ItemInstance& it : rollTreasure(ctx, rng).items) {
                    if (!isEquipment(it)) continue;
                    sum += rarityOf(it);
                    commons += rarityOf(it) == 0;
                    ++n;
                }
            }
            const double mean = sum / n, common = commons / double(n);
            SCOPED_TRACE(::testing::Message() << "depth " << p.depth << " ascension " << p.ascension);
            EXPECT_GT(mean, lastMean);
            EXPECT_LE(common, lastCommon);
            lastMean = mean;
            lastCommon = common;
        }
        EXPECT_LT(lastCommon, 0.05) << "commons all but vanish at the far end of each walk";
    }
}

TEST_F(Loot, AbsurdDepthStillFindsTheRarestKind) {
    // So deep that the weights overflow a double; eternal must still win.
    const LootCtx ctx = ctxOf(std::numeric_limits<std::int32_t>::max(), 1, {1}, {});
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        Rng rng{seed};
        const LootResult chest = rollTreasure(ctx, rng, LootQuality::Jackpot);
        EXPECT_TRUE(std::isfinite(chest.gold));
        for (const ItemInstance& it : chest.items) {
            if (!isEquipment(it)) continue;
            EXPECT_EQ(def(it).rarity, Rarity::Eternal) << it.defId;
            EXPECT_GE(it.ilvl, 1);
        }
    }
}

TEST_F(Loot, FoundItemsFavourThePartysClasses) {
    // The share of found equipment that a class could wear, with and without
    // that class in the party. Warriors wear nearly everything, so they make
    // no yardstick.
    auto shareFor = [](const LootCtx& ctx, ClassId cls) {
        int fit = 0, n = 0;
        for (std::uint32_t seed = 0; seed < 1500; ++seed) {
            Rng rng{seed};
            for (const ItemInstance& it : rollTreasure(ctx, rng).items) {
                if (!isEquipment(it)) continue;
                fit += wears(it, cls);
                ++n;
            }
        }
        return fit / double(n);
    };
    const LootCtx nobody = ctxOf(5, 1, {5}, {});
    struct Case {
        std::vector<ClassId> party;
        ClassId measured;
        double atLeast;
    } cases[] = {
        {{ClassId::Mage}, ClassId::Mage, 0.85},
        {{ClassId::Archer}, ClassId::Archer, 0.88},
        {{ClassId::Warrior, ClassId::Mage}, ClassId::Mage, 0.62},
        {{ClassId::Warrior, ClassId::Rogue}, ClassId::Rogue, 0.74},
        {{ClassId::Mage, ClassId::Cleric, ClassId::Warrior, ClassId::Archer}, ClassId::Mage, 0.6},
        {{ClassId::Mage, ClassId::Cleric, ClassId::Warrior, ClassId::Archer}, ClassId::Archer, 0.74},
    };
    for (const Case& c : cases) {
        const LootCtx ctx = ctxOf(5, 1, std::vector<std::int32_t>(c.party.size(), 5), c.party);
        const double with = shareFor(ctx, c.measured), without = shareFor(nobody, c.measured);
        SCOPED_TRACE(::testing::Message() << classIdString(c.measured) << " in a party of " << c.party.size());
        EXPECT_GE(with, c.atLeast);
        EXPECT_GT(with, without + 0.15);
    }
}

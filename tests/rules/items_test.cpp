#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "rules/rng.h"

using namespace rpg;

namespace {

// Every test starts from the counters of a fresh process.
class Items : public ::testing::Test {
protected:
    void SetUp() override { resetMadeIdCounters(); }
};

// How many draws took a generator from `seed` to `state` (each adds kRngStep).
std::uint32_t drawsBetween(std::uint32_t seed, std::uint32_t state) {
    for (std::uint32_t k = 0; k < 1000; ++k)
        if (seed + k * kRngStep == state) return k;
    return 1000;
}

MakeItemOpts atLevel(std::int32_t level) {
    MakeItemOpts o;
    o.level = level;
    o.levelGiven = true;
    return o;
}

ItemInstance rolled(std::string_view id, std::int32_t level, std::uint32_t seed, std::uint32_t* draws = nullptr) {
    Rng rng{seed};
    ItemInstance it = makeItem(id, atLevel(level), &rng);
    if (draws) *draws = drawsBetween(seed, rng.state);
    return it;
}

ItemAffix affix(std::uint8_t kind, double value, StatusKind status = StatusKind::Poison) {
    ItemAffix a;
    a.kind = kind;
    a.value = value;
    a.status = status;
    return a;
}

} // namespace

TEST_F(Items, PlainItemsTakeUidsFromTheCounter) {
    ItemInstance a = makeItem("rustySword");
    EXPECT_EQ(a.uid, "it-1");
    EXPECT_EQ(a.defId, "rustySword");
    EXPECT_EQ(a.ilvl, 1);
    EXPECT_FALSE(a.rolled);
    EXPECT_TRUE(a.affixes.empty());
    EXPECT_EQ(itemBonus(a), (Stats{.atk = 3}));

    MakeItemOpts given;
    given.uid = "kept";
    EXPECT_EQ(makeItem("plateArmor", given, nullptr).uid, "kept");
    EXPECT_EQ(makeItem("plateArmor").ilvl, 10) << "rare rows start at their rarity's level";
    EXPECT_EQ(makeItem("unknownThing"), ItemInstance{}) << "unknown rows make an empty item";
    EXPECT_EQ(makeItem("potionHp").uid, "it-3") << "a given uid and an unknown row use no number";
    EXPECT_EQ(makeItem("rustySword", atLevel(-4), nullptr).ilvl, 1);
}

TEST_F(Items, CloneKeepsEverythingButTheUid) {
    ItemInstance a = rolled("plateArmor", 20, 16);
    ItemInstance b = cloneItem(a);
    EXPECT_EQ(b.uid, "it-2");
    b.uid = a.uid;
    EXPECT_EQ(a, b);
}

TEST_F(Items, CasesThatDrawNothing) {
    struct Case {
        const char* id;
        bool withRng;
    } cases[] = {{"potionHp", true}, {"elixir", true}, {"rustySword", false}, {"nothing", true}};
    for (const Case& c : cases) {
        Rng rng{4242};
        ItemInstance it = makeItem(c.id, atLevel(30), c.withRng ? &rng : nullptr);
        EXPECT_EQ(rng.state, 4242u) << c.id;
        EXPECT_FALSE(it.rolled) << c.id;
        EXPECT_TRUE(it.affixes.empty()) << c.id;
    }
    Rng rng{4242};
    EXPECT_EQ(makeItem("potionHp", atLevel(30), &rng).ilvl, 30) << "consumables still take the level";
}

TEST_F(Items, ValuablesKeepLevelZeroAndFixedPrices) {
    Rng rng{99};
    ItemInstance t = makeItem("trompetchen", atLevel(50), &rng);
    EXPECT_EQ(rng.state, 99u) << "a valuable without bonus entries draws nothing";
    EXPECT_EQ(t.ilvl, 0);
    EXPECT_FALSE(t.rolled);
    EXPECT_TRUE(t.affixes.empty());
    EXPECT_EQ(itemLevel(t), 10);
    EXPECT_EQ(buyPrice(t), 200);
    EXPECT_EQ(sellPrice(t), 100);
    EXPECT_EQ(gearScore(t), 0);
}

// Rolls and affixes for fixed generator states, with the exact number of
// draws each one takes.
TEST_F(Items, SeededRollsAreFixed) {
    struct Case {
        const char* id;
        std::int32_t level;
        std::uint32_t seed;
        Stats roll;
        std::vector<StatId> keys;
        std::vector<ItemAffix> affixes;
        std::uint32_t draws;
    } cases[] = {
        {"rustySword", 1, 2, {.atk = 4}, {Atk}, {}, 2},
        {"rustySword", 1, 27, {.atk = 3}, {Atk}, {affix(0, 1)}, 3},
        {"rustySword", 1, 1, {.atk = 3}, {Atk}, {affix(1, 4)}, 3},
        {"rustySword", 1, 6, {.atk = 3}, {Atk}, {affix(2, 27, StatusKind::Poison)}, 5},
        {"plateArmor", 20, 4, {.maxHp = 52, .def = 35, .spd = -1}, {Def, MaxHp, Spd}, {affix(0, 5)}, 6},
        {"plateArmor", 20, 16, {.maxHp = 46, .def = 31, .spd = -1}, {Def, MaxHp, Spd},
         {affix(1, 17), affix(2, 65, StatusKind::Stun)}, 9},
        {"etBlade", 100, 630, {.atk = 408, .spd = 36, .crit = 165}, {Atk, Crit, Spd},
         {affix(1, 73), affix(0, 19)}, 7},
    };
    for (const Case& c : cases) {
        std::uint32_t draws = 0;
        ItemInstance it = rolled(c.id, c.level, c.seed, &draws);
        SCOPED_TRACE(std::string(c.id) + " seed " + std::to_string(c.seed));
        EXPECT_TRUE(it.rolled);
        EXPECT_EQ(it.ilvl, c.level);
        EXPECT_EQ(it.roll, c.roll);
        EXPECT_EQ(it.rollKeys, c.keys);
        EXPECT_EQ(it.affixes, c.affixes);
        EXPECT_EQ(draws, c.draws);
        EXPECT_EQ(itemBonus(it), c.roll) << "the roll replaces the row's bonus";
    }
}

TEST_F(Items, SameStateSameItem) {
    MakeItemOpts o = atLevel(40);
    o.uid = "x";
    for (std::uint32_t seed : {5u, 77u, 123456u, 0xFFFFFFFFu}) {
        Rng a{seed}, b{seed};
        EXPECT_EQ(makeItem("etArmorHeavy", o, &a), makeItem("etArmorHeavy", o, &b));
        EXPECT_EQ(a.state, b.state);
    }
}

// The first affix comes when the draw is below min(0.7, 0.05 + 0.012 x +
// 0.06 r): 0.062 for a common item at level 1, 0.7 for an eternal at 100.
TEST_F(Items, FirstAffixChanceAtItsEdges) {
    // The affix draw follows one roll draw per bonus entry.
    auto draw = [](std::uint32_t seed, int k) {
        Rng r{seed};
        double u = 0;
        for (int i = 0; i < k; ++i) u = r.uniform();
        return u;
    };
    ASSERT_TRUE(draw(7, 2) < 0.062 && draw(7, 2) > 0.0615);
    ASSERT_TRUE(draw(1858, 2) >= 0.062 && draw(1858, 2) < 0.0625);
    EXPECT_EQ(rolled("rustySword", 1, 7).affixes.size(), 1u);
    EXPECT_TRUE(rolled("rustySword", 1, 1858).affixes.empty());

    ASSERT_TRUE(draw(630, 4) < 0.7 && draw(630, 4) > 0.6995);
    ASSERT_TRUE(draw(683, 4) >= 0.7 && draw(683, 4) < 0.7005);
    EXPECT_FALSE(rolled("etBlade", 100, 630).affixes.empty());
    std::uint32_t draws = 0;
    EXPECT_TRUE(rolled("etBlade", 100, 683, &draws).affixes.empty());
    EXPECT_EQ(draws, 4u);
}

TEST_F(Items, NegativeBonusOfOneStaysOne) {
    // plateArmor carries spd -1; every draw rounds to -1 or less, capped at -1.
    for (std::uint32_t seed = 0; seed < 2000; ++seed)
        ASSERT_EQ(rolled("plateArmor", 10, seed * 7919u).roll.spd, -1) << seed;
}

TEST_F(Items, RollsStayInsideTheirBand) {
    // atk 43 on an eternal row at level 100: (0.75 + 0.6 U + 0.245) * 7.93 * 43.
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        double atk = rolled("etBlade", 100, seed * 104729u).roll.atk;
        ASSERT_GE(atk, 339) << seed;
        ASSERT_LE(atk, 544) << seed;
    }
}

TEST_F(Items, Prices) {
    struct Case {
        const char* id;
        std::int32_t ilvl;
        double buy, sell;
    } cases[] = {
        {"rustySword", 11, 36, 18}, {"rustySword", 1, 20, 10}, {"rustySword", 0, 20, 10},
        {"plateArmor", 0, 258, 129},  // rare rows price from level 10: 150 * 1.72
        {"potionHp", 1, 15, 7},     {"trompetchen", 0, 200, 100}, {"trompetchen", 40, 200, 100},
        {"nothing", 5, 0, 1},
    };
    for (const Case& c : cases) {
        ItemInstance it;
        it.uid = "u";
        it.defId = c.id;
        it.ilvl = c.ilvl;
        EXPECT_EQ(buyPrice(it), c.buy) << c.id << " at " << c.ilvl;
        EXPECT_EQ(sellPrice(it), c.sell) << c.id << " at " << c.ilvl;
    }
}

TEST_F(Items, LevelsFallBackToTheRarity) {
    ItemInstance it;
    it.defId = "plateArmor";
    EXPECT_EQ(itemLevel(it), 10);
    it.ilvl = 3;
    EXPECT_EQ(itemLevel(it), 3);
    it.defId = "nothing";
    it.ilvl = 0;
    EXPECT_EQ(itemLevel(it), 1);
    EXPECT_EQ(itemBonus(it), Stats{});
}

TEST_F(Items, PotionsRestoreLessBelowTheHerosLevel) {
    struct Case {
        const char* id;
        std::int32_t ilvl;
        double maximum;
        std::int32_t heroLevel;
        double heal;
    } cases[] = {
        {"potionHp", 1, 200, 10, 6},  {"potionHp", 1, 200, 1, 60}, {"potionHp", 1, 200, 0, 60},
        {"potionHp", 10, 200, 10, 60}, {"potionHp", 30, 200, 10, 60}, {"potionHp", 1, 10, 50, 1},
        {"superPotionMp", 0, 80, 1, 80}, {"nothing", 5, 200, 1, 1},
    };
    for (const Case& c : cases) {
        ItemInstance it;
        it.defId = c.id;
        it.ilvl = c.ilvl;
        EXPECT_EQ(consumableHeal(it, c.maximum, c.heroLevel), c.heal) << c.id << " hero level " << c.heroLevel;
    }
    EXPECT_EQ(consumablePower(makeItem("tonicAtk")), 6);
    EXPECT_EQ(consumablePower(ItemInstance{}), 0);
}

TEST_F(Items, GearScore) {
    EXPECT_EQ(gearScore(Stats{1, 1, 1, 1, 1, 1, 1, 1}), 18) << "17.6 rounds up";
    EXPECT_EQ(gearScore(Stats{.maxHp = 1}), 1) << "0.5 rounds away from zero";
    EXPECT_EQ(gearScore(Stats{.atk = 2, .spd = -5}), 0) << "never negative";
    const Stats s{.atk = 2, .def = 4};
    EXPECT_EQ(gearScore(s, {}), 0);
    EXPECT_EQ(gearScore(s, {Atk, Atk}), 12) << "repeats count";
    EXPECT_EQ(gearScore(s, {Def, static_cast<StatId>(9)}), 10) << "unknown keys add nothing";
    EXPECT_EQ(gearScore(s, {Atk}), 6) << "other stats do not count";

    EXPECT_EQ(gearScore(makeItem("rustySword")), 9);
    EXPECT_EQ(gearScore(makeItem("plateArmor")), 35) << "27.5 + 11 - 4 = 34.5";
    ItemInstance r = rolled("plateArmor", 20, 16);
    EXPECT_EQ(gearScore(r), 97) << "77.5 + 23 - 4 over the roll; affixes never count";
    r.rollKeys = {Def};
    EXPECT_EQ(gearScore(r), 78) << "only the listed stats of the roll";
    r.defId = "nothing";
    EXPECT_EQ(gearScore(r), 0);
}

TEST_F(Items, WearableClasses) {
    auto ids = [](std::string_view item) {
        std::vector<int> out;
        for (ClassId c : equipClasses(*findItem(item))) out.push_back(static_cast<int>(c));
        return out;
    };
    EXPECT_EQ(ids("rustySword"), (std::vector<int>{0, 3, 4, 5}));
    EXPECT_EQ(ids("shortBow"), (std::vector<int>{7}));
    EXPECT_EQ(ids("leatherBelt").size(), 8u);
    EXPECT_TRUE(ids("potionHp").empty());
    EXPECT_TRUE(ids("trompetchen").empty());
}

namespace {

Equipment wearing(std::initializer_list<std::pair<EquipSlot, const char*>> pieces) {
    Equipment eq;
    int n = 0;
    for (auto [slot, id] : pieces) {
        eq[slot].uid = "w" + std::to_string(++n);
        eq[slot].defId = id;
    }
    return eq;
}

const Stats kHeavy4{.maxHp = 90, .atk = 18, .def = 32};
const Stats kHeavy6{.maxHp = 200, .atk = 40, .def = 70, .res = 30};

} // namespace

TEST_F(Items, SetsGiveTheirHighestTierOnly) {
    using E = EquipSlot;
    Equipment six = wearing({{E::Helm, "primHelmHeavy"}, {E::Armor, "primArmorHeavy"}, {E::Boots, "primBootsHeavy"},
                             {E::Belt, "primBeltHeavy"}, {E::Ring1, "primRingHeavy"},
                             {E::Amulet, "primAmuletHeavy"}});
    EXPECT_EQ(setBonus(six), kHeavy6);
    Equipment five = six;
    five[E::Amulet] = ItemInstance{};
    EXPECT_EQ(setBonus(five), kHeavy4);
    five[E::Belt].uid.clear();  // a slot without uid is empty whatever its row
    five[E::Boots].defId = "nothing";
    EXPECT_EQ(setBonus(five), (Stats{.maxHp = 40, .def = 14}));
    five[E::Ring1] = ItemInstance{};
    five[E::Helm] = ItemInstance{};
    EXPECT_EQ(setBonus(five), Stats{}) << "one piece reaches no tier";

    Equipment mixed = wearing({{E::MainHand, "rustySword"}, {E::Helm, "etHelmLight"}, {E::Armor, "primArmorHeavy"},
                               {E::Boots, "etBootsLight"}, {E::Ring2, "primRingHeavy"}});
    std::vector<SetPieceCount> pieces = setPieces(mixed);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].setId, "eternalLight");
    EXPECT_EQ(pieces[0].count, 2);
    EXPECT_EQ(pieces[1].setId, "primordialHeavy");
    EXPECT_EQ(pieces[1].count, 2);
    EXPECT_EQ(setBonus(mixed), (Stats{.maxHp = 40, .def = 14, .spd = 10, .crit = 14}));
}

TEST_F(Items, EquipBonusAddsRollsBaseBonusesAndSets) {
    using E = EquipSlot;
    Equipment eq = wearing({{E::MainHand, "rustySword"}, {E::Ring1, "primRingHeavy"}, {E::Ring2, "primRingHeavy"}});
    eq[E::Armor] = rolled("plateArmor", 20, 16);
    eq[E::Helm].defId = "titanHelm";  // no uid: not worn
    eq[E::Boots].uid = "ghost";
    eq[E::Boots].defId = "nothing";
    const Stats ring = itemBaseBonus(*findItem("primRingHeavy"));
    Stats expected = Stats{.atk = 3} + Stats{.maxHp = 46, .def = 31, .spd = -1} + ring + ring +
                     Stats{.maxHp = 40, .def = 14};
    EXPECT_EQ(equipBonus(eq), expected);
    EXPECT_EQ(equipBonus(Equipment{}), Stats{});
}

TEST_F(Items, AffixTotals) {
    using E = EquipSlot;
    Equipment eq = wearing({{E::MainHand, "rustySword"}, {E::Helm, "leatherCap"}, {E::Ring1, "woodenRing"}});
    eq[E::MainHand].affixes = {affix(2, 70, StatusKind::Poison), affix(0, 3)};
    eq[E::Helm].affixes = {affix(2, 50, StatusKind::Poison), affix(1, 4), affix(2, 20, StatusKind::Slow)};
    eq[E::Ring1].affixes = {affix(0, 2), affix(1, 5)};
    eq[E::Boots].affixes = {affix(0, 100)};  // no uid: not worn
    AffixTotals t = equipAffixTotals(eq);
    EXPECT_EQ(t.manaRegen, 5);
    EXPECT_EQ(t.hpRegen, 9);
    EXPECT_EQ(t.resist[static_cast<int>(StatusKind::Poison)], 100) << "70 + 50 caps at 100";
    EXPECT_EQ(t.resist[static_cast<int>(StatusKind::Slow)], 20);
    EXPECT_EQ(t.resist[static_cast<int>(StatusKind::Burn)], 0);
}

TEST_F(Items, ReservedUidsAreNeverMadeAgain) {
    reserveItemUid("it-41");
    reserveItemUid("it-7");  // lower ids never move the counter back
    for (const char* ignored : {"it-", "it-x", "it-12a", "item-500", "it--300", "it-+300", "IT-900",
                                "it-18446744073709551615", "it-99999999999999999999999"})
        reserveItemUid(ignored);
    EXPECT_EQ(makeItem("rustySword").uid, "it-42");
    EXPECT_EQ(cloneItem(makeItem("rustySword")).uid, "it-44");
}

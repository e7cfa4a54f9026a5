#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/leveling.h"
#include "rules/rng.h"

using namespace rpg;

namespace {

// Hero creation draws from the process-wide loose generator and counts ids
// and names: every test starts from fresh counters and a known state.
class Heroes : public ::testing::Test {
protected:
    void SetUp() override {
        resetMadeIdCounters();
        looseRng().state = 1;
    }
};

std::uint32_t drawsBetween(std::uint32_t seed, std::uint32_t state) {
    for (std::uint32_t k = 0; k < 1000; ++k)
        if (seed + k * kRngStep == state) return k;
    return 1000;
}

Hero heroAt(ClassId cls, std::int32_t level) {
    Hero h;
    h.id = "h";
    h.cls = cls;
    h.level = level;
    return h;
}

} // namespace

TEST_F(Heroes, SeededHeroesAreFixed) {
    struct Case {
        ClassId cls;
        std::int32_t level;
        std::uint32_t seed;
        const char* name;
        Stats mainRoll;
        std::size_t mainAffixes;
        Stats statMod;
        std::uint32_t draws;
    } cases[] = {
        {ClassId::Warrior, 0, 1234, "Dren", {.atk = 4}, 0, {-5, -1, -1, 1, 0, -1, 0, 0}, 12},
        {ClassId::Mage, 5, 7, "Borin 2", {.maxMp = 9, .mag = 9}, 0, {-1, 0, 0, 0, 1, 0, -1, 0}, 13},
        {ClassId::Dieb, 3, 99, "Bram", {.atk = 2, .crit = 3}, 1, {-3, -1, 1, 0, 0, 0, 1, 0}, 19},
    };
    for (const Case& c : cases) {
        resetMadeIdCounters();
        looseRng().state = c.seed;
        Hero h = makeHero(c.cls, "", c.level);
        SCOPED_TRACE(h.id);
        EXPECT_EQ(h.id, std::string(classIdString(c.cls)) + "-1");
        EXPECT_EQ(h.name, c.name);
        EXPECT_EQ(h.level, std::max(1, c.level));
        EXPECT_EQ(h.points, 3 * h.level - 3);
        EXPECT_EQ(h.xp, 0);
        const ItemInstance& main = h.equipment[EquipSlot::MainHand];
        EXPECT_EQ(main.defId, classDef(c.cls).startWeapon);
        EXPECT_EQ(main.uid, "it-1");
        EXPECT_EQ(main.ilvl, h.level) << "starting gear is made at the hero's level";
        EXPECT_TRUE(main.rolled);
        EXPECT_EQ(main.roll, c.mainRoll);
        EXPECT_EQ(main.affixes.size(), c.mainAffixes);
        EXPECT_EQ(h.statMod, c.statMod);
        EXPECT_EQ(drawsBetween(c.seed, looseRng().state), c.draws);
    }
}

TEST_F(Heroes, DiebStartsWithACudgelInEachHand) {
    Hero h = makeHero(ClassId::Dieb, "", 1);
    EXPECT_EQ(h.equipment[EquipSlot::MainHand].defId, "cudgel");
    EXPECT_EQ(h.equipment[EquipSlot::OffHand].defId, "cudgel");
    EXPECT_EQ(h.equipment[EquipSlot::OffHand].uid, "it-2");
    Hero w = makeHero(ClassId::Warrior, "", 1);
    EXPECT_TRUE(w.equipment[EquipSlot::OffHand].empty());
    for (int s = 2; s < kEquipSlotCount; ++s) EXPECT_TRUE(w.equipment.slots[s].empty());
}

TEST_F(Heroes, SameStateSameHero) {
    looseRng().state = 555;
    Hero a = makeHero(ClassId::Archer, "", 7);
    resetMadeIdCounters();
    looseRng().state = 555;
    Hero b = makeHero(ClassId::Archer, "", 7);
    EXPECT_EQ(a, b);
}

TEST_F(Heroes, IdsCountAcrossClassesAndGivenIdsUseNoNumber) {
    EXPECT_EQ(makeHero(ClassId::Warrior, "", 1).id, "warrior-1");
    EXPECT_EQ(makeHero(ClassId::Mage, "hero-a", 1).id, "hero-a");
    EXPECT_EQ(makeHero(ClassId::Mage, "", 1).id, "mage-2");
    Hero big = makeHero(ClassId::Cleric, "", 20000);
    EXPECT_EQ(big.level, kMaxHeroLevel);
    EXPECT_EQ(big.points, 3 * kMaxHeroLevel - 3);
    EXPECT_EQ(makeHero(ClassId::Rogue, "", -3).level, 1);
}

TEST_F(Heroes, NamesComeFromThePoolWithTheRunningCounter) {
    looseRng().state = 0;
    EXPECT_EQ(randomHeroName(), "Bram 2");
    EXPECT_EQ(looseRng().state, 2 * kRngStep) << "two draws per name";
    looseRng().state = 0;
    EXPECT_EQ(randomHeroName(), "Bram 3") << "the digit follows the number of names drawn";
    looseRng().state = 1234;
    EXPECT_EQ(randomHeroName(), "Dren");
}

TEST_F(Heroes, ReservedIdsAreNeverMadeAgain) {
    const std::vector<std::string> loaded = {"warrior-7", "mage-3",  "it-12",    "hero-99", "dieb-x",
                                             "archer-",   "druide-5x", "Warrior-50", "it-3",   "cleric-04",
                                             "rogue-18446744073709551615"};
    reserveMadeIds(loaded);
    Hero h = makeHero(ClassId::Cleric, "", 1);
    EXPECT_EQ(h.id, "cleric-8");
    EXPECT_EQ(h.equipment[EquipSlot::MainHand].uid, "it-13");

    // After a restart the counters begin at 0 again; the ids the stores hand
    // over must never come back.
    resetMadeIdCounters();
    const std::vector<std::string> saved = {"vampire-40", "archer-2", "it-300", "it-17", "dieb-39"};
    reserveMadeIds(saved);
    std::set<std::string> made;
    for (int i = 0; i < 60; ++i) {
        Hero x = makeHero(static_cast<ClassId>(i % kClassCount), "", 1);
        made.insert(x.id);
        made.insert(x.equipment[EquipSlot::MainHand].uid);
        made.insert(cloneItem(x.equipment[EquipSlot::MainHand]).uid);
    }
    for (const std::string& id : saved) EXPECT_EQ(made.count(id), 0u) << id;
    EXPECT_EQ(made.count("warrior-41"), 1u);
    EXPECT_EQ(made.count("it-301"), 1u);
}

TEST_F(Heroes, DerivedStatsFloorTheGrowthAndAddTheRest) {
    Hero w = heroAt(ClassId::Warrior, 10);
    // hp 46 + 72, def 10 + 14.4, mag 3 + 2.7, crit 5 + 2.7
    EXPECT_EQ(deriveStats(w, {}, {}), (Stats{118, 19, 30, 24, 5, 13, 11, 7}));
    w.statMod = {.maxHp = -5, .atk = 1};
    w.alloc = {.maxHp = 16, .spd = 2};
    EXPECT_EQ(deriveStats(w, {.def = 3}, {.crit = 1.5}), (Stats{129, 19, 31, 27, 5, 13, 13, 8.5}));

    // 7 + 0.7 * 170 is 126, though the binary product falls just short.
    EXPECT_EQ(deriveStats(heroAt(ClassId::Mage, 171), {}, {}).spd, 126);
    EXPECT_EQ(deriveStats(heroAt(ClassId::Mage, 1), {}, {}), (Stats{26, 30, 4, 4, 14, 8, 7, 6}));
    EXPECT_EQ(deriveStats(heroAt(ClassId::Mage, 0), {}, {}).maxHp, 26) << "no growth below level 1";
}

TEST_F(Heroes, GrowthFloorsLikeExactArithmeticAtEveryLevel) {
    // Growth comes in tenths, so the exact value is a whole number of tenths.
    for (int c = 0; c < kClassCount; ++c) {
        const ClassDef& def = classDef(static_cast<ClassId>(c));
        for (int s = 0; s < kStatCount; ++s) {
            const double g10 = std::round(statValue(def.growth, static_cast<StatId>(s)) * 10);
            ASSERT_NEAR(g10 / 10, statValue(def.growth, static_cast<StatId>(s)), 1e-12) << def.id;
        }
        for (std::int32_t level = 1; level <= kMaxHeroLevel; ++level) {
            const Stats got = deriveStats(heroAt(static_cast<ClassId>(c), level), {}, {});
            for (int s = 0; s < kStatCount; ++s) {
                const auto id = static_cast<StatId>(s);
                const auto tenths = static_cast<std::int64_t>(statValue(def.base, id)) * 10 +
                                    static_cast<std::int64_t>(std::round(statValue(def.growth, id) * 10)) * (level - 1);
                ASSERT_EQ(statValue(got, id), static_cast<double>(tenths / 10))
                    << def.id << " stat " << s << " level " << level;
            }
        }
    }
}

TEST_F(Heroes, DerivedStatsWithOwnGearIncludeSetBonuses) {
    Hero h = heroAt(ClassId::Warrior, 1);
    h.equipment[EquipSlot::Helm] = makeItem("primHelmHeavy");
    h.equipment[EquipSlot::Armor] = makeItem("primArmorHeavy");
    const Stats gear = equipBonus(h.equipment);
    const Stats twoPieces{.maxHp = 40, .def = 14};
    EXPECT_EQ(gear, itemBaseBonus(*findItem("primHelmHeavy")) + itemBaseBonus(*findItem("primArmorHeavy")) + twoPieces);
    EXPECT_EQ(deriveStats(h), deriveStats(h, gear, {}));
}

TEST_F(Heroes, GainingExperience) {
    struct Case {
        std::int32_t level;
        double xp, amount;
        std::int32_t endLevel;
        double endXp;
        std::int32_t gained;
    } cases[] = {
        {1, 0, -50, 1, 0, 0},        {1, 10, 29.99, 1, 39, 0},   {1, 0, 40, 2, 0, 1},
        {1, 0, 1000.9, 6, 260, 5},   {9998, 0, 3 * 50221673.0, 9999, 0, 1},
        {9999, 0, 5000, 9999, 0, 0}, {5, 0, 0, 5, 0, 0},
    };
    for (const Case& c : cases) {
        Hero h = heroAt(ClassId::Rogue, c.level);
        h.xp = c.xp;
        h.points = 2;
        EXPECT_EQ(gainXp(&h, c.amount), c.gained) << c.level << " + " << c.amount;
        EXPECT_EQ(h.level, c.endLevel);
        EXPECT_EQ(h.xp, c.endXp);
        EXPECT_EQ(h.points, 2 + 3 * c.gained);
    }
    // Unspent points stop at the most a hero can ever have unspent.
    Hero h = heroAt(ClassId::Rogue, 1);
    h.points = kMaxUnspentPoints - 1;
    EXPECT_EQ(gainXp(&h, 1000.9), 5);
    EXPECT_EQ(h.points, kMaxUnspentPoints);
}

TEST_F(Heroes, LevelProgress) {
    Hero h = heroAt(ClassId::Mage, 1);
    h.xp = 10;
    EXPECT_EQ(levelProgress(h), 0.25);
    h.xp = 80;
    EXPECT_EQ(levelProgress(h), 1);
    h.level = 3;
    h.xp = 27;
    EXPECT_EQ(levelProgress(h), 27 / xpToNext(3));
    h.level = kMaxHeroLevel;
    EXPECT_EQ(levelProgress(h), 0);
}

TEST_F(Heroes, SkillLevels) {
    Hero w = heroAt(ClassId::Warrior, 50);
    EXPECT_EQ(skillLevel(w, "whirlwind"), 0) << "bought skills need buying";
    EXPECT_EQ(skillLevel(w, "attack"), 1);
    EXPECT_EQ(skillLevel(w, "firebolt"), 0) << "another class's skill";
    EXPECT_EQ(skillLevel(w, "noSuchSkill"), 0);
    w.skillLevels = {{"whirlwind", 2}, {"noSuchSkill", 4}, {"attack", 0}, {"cleave", 3}};
    EXPECT_EQ(skillLevel(w, "whirlwind"), 2);
    EXPECT_EQ(skillLevel(w, "noSuchSkill"), 4);
    EXPECT_EQ(skillLevel(w, "attack"), 1) << "a zero entry falls back to the class";
    EXPECT_EQ(skillLevel(w, "cleave"), 3);

    Hero young = heroAt(ClassId::Warrior, 2);
    EXPECT_EQ(skillLevel(young, "bash"), 0) << "bash needs level 3";
    young.level = 3;
    EXPECT_EQ(skillLevel(young, "bash"), 1);
}

TEST_F(Heroes, UnlockedSkillsListClassSkillsThenBoughtOnesInKeyOrder) {
    Hero w = heroAt(ClassId::Warrior, 1);
    EXPECT_EQ(unlockedSkills(w), (std::vector<std::string>{"attack", "defend", "cleave"}));
    w.level = 4;
    w.skillLevels = {{"whirlwind", 2}, {"attack", 3}, {"zeta", 1}, {"aaa", 0}, {"Bolt", 1}};
    EXPECT_EQ(unlockedSkills(w),
              (std::vector<std::string>{"attack", "defend", "cleave", "bash", "warcry", "Bolt", "whirlwind", "zeta"}));
}

TEST_F(Heroes, BagRecipientHasTheFewestItems) {
    std::vector<Hero> party(3, heroAt(ClassId::Mage, 1));
    party[0].bag.resize(3);
    party[1].bag.resize(3);
    party[2].bag.resize(4);
    EXPECT_EQ(pickBagRecipient(party), &party[0]) << "a tie goes to the earlier hero";
    party[1].bag.resize(2);
    EXPECT_EQ(pickBagRecipient(party), &party[1]);
    EXPECT_EQ(pickBagRecipient(std::span<Hero>()), nullptr);

    std::vector<Hero*> picked = {nullptr, &party[2], &party[0]};
    EXPECT_EQ(pickBagRecipient(picked), &party[0]);
    EXPECT_EQ(pickBagRecipient(std::vector<Hero*>{nullptr}), nullptr);
}

TEST_F(Heroes, SlotsAndSlotKeys) {
    struct Case {
        const char* item;
        bool worn;
        EquipSlot slot;
    } cases[] = {
        {"rustySword", true, EquipSlot::MainHand}, {"woodenShield", true, EquipSlot::OffHand},
        {"leatherCap", true, EquipSlot::Helm},     {"plateArmor", true, EquipSlot::Armor},
        {"leatherBelt", true, EquipSlot::Belt},    {"leatherBoots", true, EquipSlot::Boots},
        {"woodenRing", true, EquipSlot::Ring1},    {"amuletVigor", true, EquipSlot::Amulet},
        {"potionHp", false, EquipSlot::Ring2},     {"trompetchen", false, EquipSlot::Ring2},
    };
    for (const Case& c : cases) {
        EquipSlot out = EquipSlot::Ring2;
        EXPECT_EQ(slotFor(*findItem(c.item), &out), c.worn) << c.item;
        EXPECT_EQ(out, c.slot) << c.item;
    }

    const char* keys[] = {"mainHand", "offHand", "helm", "armor", "belt", "boots", "ring1", "ring2", "amulet"};
    for (int i = 0; i < kEquipSlotCount; ++i) {
        EquipSlot s{};
        EXPECT_STREQ(equipSlotKey(static_cast<EquipSlot>(i)), keys[i]);
        ASSERT_TRUE(equipSlotFromKey(keys[i], &s));
        EXPECT_EQ(static_cast<int>(s), i);
    }
    EquipSlot untouched = EquipSlot::Boots;
    for (const char* bad : {"", "Helm", "ring", "weapon"}) EXPECT_FALSE(equipSlotFromKey(bad, &untouched)) << bad;
    EXPECT_EQ(untouched, EquipSlot::Boots);
}

TEST_F(Heroes, SmallTables) {
    const std::pair<double, int> caps[] = {{0, 3}, {1, 3}, {1.9, 3}, {2, 4}, {3, 4}, {4, 5}, {5, 5}, {6, 6}, {20, 6}};
    for (auto [a, cap] : caps) EXPECT_EQ(partyCap(a), cap) << a;

    const std::pair<int, int> tiers[] = {{-5, 1}, {1, 1}, {2, 1}, {9, 1}, {10, 10}, {19, 10}, {37, 30}, {99, 90}};
    for (auto [level, tier] : tiers) EXPECT_EQ(potionTierFor(level), tier) << level;

    const bool back[kClassCount] = {false, true, true, false, false, false, true, true};
    for (int c = 0; c < kClassCount; ++c) {
        EXPECT_EQ(defaultRow(static_cast<ClassId>(c)), back[c]) << c;
        EXPECT_EQ(makeHero(static_cast<ClassId>(c), "", 1).row, back[c] ? 1 : 0) << c;
    }
}

#include <gtest/gtest.h>

#include <string>

#include "rules/classes.h"
#include "rules/items.h"
#include "rules/monsters.h"
#include "rules/skills.h"

using namespace rpg;

TEST(CatalogLookup, UnknownIdsGiveNullOrMinusOne) {
    EXPECT_EQ(findItem(""), nullptr);
    EXPECT_EQ(itemIndex(""), -1);
    EXPECT_EQ(findSkill("Attack"), nullptr);  // ids are case-sensitive
    EXPECT_EQ(skillIndex("Attack"), -1);
    EXPECT_EQ(findMonster("wolf"), nullptr);  // a base alone is no monster id
    EXPECT_EQ(findMonster("Frost_wolf"), nullptr);
    EXPECT_EQ(findSet("primordial"), nullptr);
    EXPECT_EQ(findItem("rustySword "), nullptr);
}

TEST(CatalogLookup, KnownIdsFindTheirRowsInPlace) {
    EXPECT_EQ(skillIndex("attack"), 0);
    EXPECT_EQ(skillIndex("piercingVolley"), 119);
    EXPECT_EQ(itemIndex("rustySword"), 0);
    EXPECT_EQ(itemIndex("trompetchen"), 283);
    // Pointers point into the catalogue vectors, which never move.
    EXPECT_EQ(findSkill("heal"), &skills()[8]);
    EXPECT_EQ(findItem("oakStaff"), &items()[3]);
    EXPECT_EQ(findMonster("frost_wolf"), &monsters()[0]);
    EXPECT_EQ(findMonster("worldserpent"), &monsters().back());
    EXPECT_EQ(findSet("eternalHeavy"), &sets()[5]);
    EXPECT_EQ(&skills(), &skills());
    // A lookup by a temporary text works: the maps do not keep the caller's text.
    EXPECT_EQ(findItem(std::string("elixir")), findItem("elixir"));
}

TEST(CatalogLookup, EveryRowIsFoundByItsOwnId) {
    for (std::size_t i = 0; i < skills().size(); ++i) EXPECT_EQ(skillIndex(skills()[i].id), int(i));
    for (std::size_t i = 0; i < items().size(); ++i) EXPECT_EQ(itemIndex(items()[i].id), int(i));
    for (const MonsterDef& m : monsters()) EXPECT_EQ(findMonster(m.id), &m);
    for (const SetDef& s : sets()) EXPECT_EQ(findSet(s.id), &s);
}

TEST(CatalogLookup, ClassIds) {
    struct Case { const char* text; ClassId cls; } cases[] = {
        {"warrior", ClassId::Warrior}, {"dieb", ClassId::Dieb}, {"archer", ClassId::Archer},
        {"Dieb", ClassId::None},       {"", ClassId::None},      {"thief", ClassId::None},
    };
    for (auto c : cases) EXPECT_EQ(classFromId(c.text), c.cls) << c.text;
    EXPECT_EQ(static_cast<int>(classFromId("nobody")), 8);
    for (int i = 0; i < kClassCount; ++i) {
        auto cls = static_cast<ClassId>(i);
        EXPECT_EQ(classFromId(classIdString(cls)), cls);
        EXPECT_EQ(classDef(cls).cls, cls);
        EXPECT_EQ(&classDef(cls), &classes()[std::size_t(i)]);
    }
}

TEST(CatalogLookup, Rarities) {
    struct Case { const char* id; std::uint32_t colour; int baseLevel; } cases[] = {
        {"common", 0x9098a0, 1},     {"uncommon", 0x5a9c3a, 4},  {"rare", 0x3a72b2, 10},
        {"epic", 0xe3c23a, 20},      {"legendary", 0xa85ad8, 32}, {"mythic", 0xe8852a, 48},
        {"primordial", 0xe2453a, 70}, {"eternal", 0xf4efd0, 100},
    };
    for (int i = 0; i < kRarityCount; ++i) {
        auto r = static_cast<Rarity>(i);
        EXPECT_STREQ(rarityId(r), cases[i].id);
        EXPECT_EQ(rarityColor(r), cases[i].colour) << cases[i].id;
        EXPECT_EQ(rarityBaseLevel(r), cases[i].baseLevel) << cases[i].id;
        EXPECT_EQ(rarityFromId(cases[i].id), r);
    }
    EXPECT_EQ(rarityFromId("Legendary"), Rarity::Common);
    EXPECT_EQ(rarityFromId(""), Rarity::Common);
    EXPECT_EQ(rarityFromId("godlike"), Rarity::Common);
}

TEST(CatalogLookup, ItemSlotIds) {
    const char* ids[] = {"weapon", "shield", "helm", "armor", "belt", "boots", "ring", "amulet", "consumable", "valuable"};
    for (int i = 0; i < kItemSlotCount; ++i) EXPECT_STREQ(itemSlotId(static_cast<ItemSlot>(i)), ids[i]);
    EXPECT_STREQ(itemSlotId(static_cast<ItemSlot>(10)), "");
    EXPECT_STREQ(itemSlotId(static_cast<ItemSlot>(255)), "");
}

TEST(CatalogLookup, ItemBaseBonus) {
    Stats plate = itemBaseBonus(*findItem("plateArmor"));
    EXPECT_EQ(plate, (Stats{.maxHp = 22, .def = 11, .spd = -1}));
    EXPECT_EQ(itemBaseBonus(*findItem("potionHp")), Stats{});
    EXPECT_EQ(itemBaseBonus(*findItem("trompetchen")), Stats{});
    // Bonus entries for the same stat add up rather than overwrite.
    ItemDef twice;
    twice.bonusCount = 2;
    twice.bonusStats = {Atk, Atk};
    twice.bonusValues = {3, 4};
    EXPECT_EQ(itemBaseBonus(twice).atk, 7);
}

TEST(CatalogLookup, StatusTable) {
    struct Case { const char* key; bool ticks, positive; std::uint32_t colour; } cases[] = {
        {"status.poison", true, false, 0x7bbf3a},   {"status.burn", true, false, 0xe3692a},
        {"status.regen", true, true, 0x5a9c3a},     {"status.stun", false, false, 0xf4c95a},
        {"status.slow", false, false, 0x5fb6d8},    {"status.atkUp", false, true, 0xd8443a},
        {"status.defUp", false, true, 0x9aa3b2},    {"status.atkDown", false, false, 0xb25a3a},
        {"status.defDown", false, false, 0x6a7080}, {"status.shield", false, true, 0x5fb6d8},
    };
    for (int i = 0; i < kStatusCount; ++i) {
        const StatusDef& d = statusDesc(static_cast<StatusKind>(i));
        EXPECT_EQ(static_cast<int>(d.kind), i);
        EXPECT_STREQ(d.nameKey, cases[i].key);
        EXPECT_EQ(d.ticks, cases[i].ticks) << cases[i].key;
        EXPECT_EQ(d.positive, cases[i].positive) << cases[i].key;
        EXPECT_EQ(d.colour, cases[i].colour) << cases[i].key;
    }
}

TEST(CatalogLookup, MonsterTierLists) {
    const auto& boss = bossMonsters();
    ASSERT_EQ(boss.size(), 82u);
    EXPECT_STREQ(monsters()[boss.front()].id, "ancient_wraith");
    EXPECT_STREQ(monsters()[boss.back()].id, "worldserpent");
    EXPECT_EQ(normalMonsters().size(), 604u);
    EXPECT_EQ(eliteMonsters().size(), 451u);
    EXPECT_STREQ(monsters()[normalMonsters().front()].id, "frost_wolf");
    EXPECT_STREQ(monsters()[eliteMonsters().back()].id, "orc");
}

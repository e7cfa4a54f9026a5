// The heroes' transactions: the maxima every hit point bar measures against,
// the roster and the party, points, and the party sheet's gear.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/party.h"
#include "rules/classes.h"
#include "rules/items.h"
#include "rules/runes.h"
#include "tests/play/play_fixture.h"

namespace {

using play::Sound;
using layertest::PlayTest;
using rpg::ClassId;
using rpg::EquipSlot;

class Party : public PlayTest {};

TEST_F(Party, MaximaCountWornItemsAndTheRuneCircle) {
    party({ClassId::Warrior}, 5);
    rpg::Hero& hero = store::meta().roster[0];
    const double plain = rpg::deriveStats(hero, {}, {}).maxHp;
    store::meta().runeCircle.filled[rpg::MaxHp] = true;
    store::meta().runeCircle.stones[rpg::MaxHp] = {"r", rpg::MaxHp, 40};
    hero.equipment[EquipSlot::Armor] = rpg::makeItem("leatherArmor");
    const rpg::Stats max = play::maxima(hero);
    EXPECT_EQ(max.maxHp, plain + 40 + rpg::equipBonus(hero.equipment).maxHp);
    EXPECT_EQ(max.maxHp, rpg::deriveStats(hero).maxHp + 40) << "the rune on top of what the hero wears";
}

TEST_F(Party, VitalsAreTheRunsOrFull) {
    party({ClassId::Warrior, ClassId::Mage});
    const rpg::Stats max = play::maxima(store::meta().roster[0]);
    play::Vitals v = play::vitals(store::meta().roster[0]);
    EXPECT_EQ(v.hp, max.maxHp) << "no run: full";
    EXPECT_EQ(v.maxHp, max.maxHp);
    run();
    store::run().party[0].hp = 3;
    store::run().party.push_back({"h0", 7, 2});  // the last member with the id counts
    v = play::vitals(store::meta().roster[0]);
    EXPECT_EQ(v.hp, 7);
    EXPECT_EQ(v.mp, 2);
    store::run().party.pop_back();
    store::run().party.pop_back();
    EXPECT_EQ(play::vitals(store::meta().roster[1]).hp, play::maxima(store::meta().roster[1]).maxHp)
        << "a hero the run does not list stands at full health";
}

TEST_F(Party, JoiningAndLeavingThePartyKeepsItBetweenOneAndTheCap) {
    party({ClassId::Warrior}, 1);
    for (ClassId cls : {ClassId::Mage, ClassId::Cleric, ClassId::Rogue})
        store::meta().roster.push_back(rpg::makeHero(cls, "r" + std::to_string(static_cast<int>(cls)), 1));
    store::saveMeta();
    struct Step {
        const char* id;
        bool done;
        std::vector<std::string> party;
    } steps[] = {
        {"h0", false, {"h0"}},               // the only member stays
        {"nobody", false, {"h0"}},           // no such hero
        {"r1", true, {"h0", "r1"}},
        {"r2", true, {"h0", "r1", "r2"}},
        {"r3", false, {"h0", "r1", "r2"}},   // the cap before any won run is 3
        {"h0", true, {"r1", "r2"}},          // the others keep their order
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.id);
        const play::Result r = play::toggleParty(step.id);
        EXPECT_EQ(r.done, step.done);
        EXPECT_EQ(r.sound, step.done ? Sound::Click : Sound::Error);
        reload();
        EXPECT_EQ(store::meta().partyIds, step.party);
    }
}

TEST_F(Party, ARecruitCostsThePriceAndJoinsTheRosterOnly) {
    party({ClassId::Warrior, ClassId::Mage, ClassId::Rogue}, 1, 50);
    const play::Result hired = play::recruit(ClassId::Archer);
    EXPECT_TRUE(hired.done);
    EXPECT_EQ(hired.sound, Sound::Success);
    reload();
    ASSERT_EQ(store::meta().roster.size(), 4u);
    EXPECT_EQ(store::meta().roster[3].cls, ClassId::Archer);
    EXPECT_EQ(store::meta().partyIds.size(), 3u);
    EXPECT_EQ(store::meta().gold, 10);

    const layertest::Files before = files();
    EXPECT_EQ(play::recruit(ClassId::Archer).sound, Sound::Error) << "a fourth hero costs 80";
    EXPECT_EQ(files(), before) << "a refusal writes nothing";
}

TEST_F(Party, ADismissedHerosGearGoesToTheStashAndThePartyNeverEmpties) {
    party({ClassId::Warrior});
    store::meta().roster.push_back(rpg::makeHero(ClassId::Mage, "m", 1));
    rpg::Hero& w = store::meta().roster[0];
    w.equipment[EquipSlot::MainHand] = rpg::makeItem("rustySword");
    w.bag.push_back(rpg::makeItem("potionHp"));
    EXPECT_TRUE(play::dismissHero("h0").done);
    reload();
    ASSERT_EQ(store::meta().roster.size(), 1u);
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{"m"}) << "the first hero steps in";
    ASSERT_EQ(store::meta().stash.size(), 2u);
    EXPECT_EQ(store::meta().stash[0].defId, "rustySword");
    EXPECT_EQ(store::meta().stash[1].defId, "potionHp");
    EXPECT_FALSE(play::dismissHero("m").done) << "the last hero stays";
    EXPECT_FALSE(play::dismissHero("nobody").done);
}

TEST_F(Party, AFirstPartyReplacesTheRosterAndKeepsTheGold) {
    party({ClassId::Druide}, 4, 99);
    EXPECT_FALSE(play::formFirstParty({}).done);
    EXPECT_TRUE(play::formFirstParty({ClassId::Mage, ClassId::Cleric}).done);
    reload();
    ASSERT_EQ(store::meta().roster.size(), 2u);
    EXPECT_EQ(store::meta().roster[0].cls, ClassId::Mage);
    EXPECT_EQ(store::meta().roster[1].level, 1);
    EXPECT_EQ(store::meta().partyIds[1], store::meta().roster[1].id);
    EXPECT_EQ(store::meta().gold, 99);
}

TEST_F(Party, PointsAreSpentOneAtATimeOrAllOnTheKeyStats) {
    party({ClassId::Warrior});
    store::meta().roster[0].points = 3;
    const play::Result one = play::spendPoint("h0", rpg::Atk);
    EXPECT_EQ(one.sound, Sound::Place);
    reload();
    EXPECT_EQ(store::meta().roster[0].points, 2);
    EXPECT_EQ(store::meta().roster[0].alloc.atk, rpg::allocStep(rpg::Atk));

    EXPECT_TRUE(play::autoAssign("h0").done);
    reload();
    const rpg::Hero& hero = store::meta().roster[0];
    EXPECT_EQ(hero.points, 0);
    const rpg::ClassDef& cls = rpg::classDef(ClassId::Warrior);
    const rpg::StatId first = cls.keyStats[0];
    EXPECT_GE(rpg::statValue(hero.alloc, first), rpg::allocStep(first)) << "the first key stat comes first";

    const play::Result refusals[] = {play::spendPoint("h0", rpg::Atk), play::autoAssign("h0"),
                                     play::spendPoint("nobody", rpg::Atk)};
    for (const play::Result& r : refusals) {
        EXPECT_FALSE(r.done) << "nothing left to spend";
        EXPECT_EQ(r.sound, Sound::Error);
    }
}

TEST_F(Party, TheSheetPutsOnOnlyWhatFitsTheSlotAndTheHero) {
    party({ClassId::Warrior, ClassId::Mage});
    const auto wears = [](const char* itemId, ClassId cls) {
        const std::vector<ClassId> classes = rpg::equipClasses(*rpg::findItem(itemId));
        return std::find(classes.begin(), classes.end(), cls) != classes.end();
    };
    ASSERT_FALSE(wears("greataxe", ClassId::Mage));
    store::meta().roster[0].equipment[EquipSlot::MainHand] = rpg::makeItem("greataxe");
    store::meta().stash = {rpg::makeItem("woodenShield"), rpg::makeItem("greataxe"), rpg::makeItem("potionHp")};
    const std::vector<rpg::ItemInstance> stash = store::meta().stash;
    struct Case {
        const char* what;
        const char* hero;
        EquipSlot slot;
        std::size_t item;
    } cases[] = {
        {"a shield in the main hand", "h0", EquipSlot::MainHand, 0},
        {"a potion on the helm", "h0", EquipSlot::Helm, 2},
        {"the off hand beside a two-handed weapon", "h0", EquipSlot::OffHand, 0},
        {"an axe the class may not carry", "h1", EquipSlot::MainHand, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const rpg::Equipment worn = store::heroById(c.hero)->equipment;
        play::PartyActions a;
        a.equipId = stash[c.item].uid;
        a.equipSlot = c.slot;
        play::applySheet(c.hero, &a);
        EXPECT_EQ(store::heroById(c.hero)->equipment, worn);
        EXPECT_EQ(store::meta().stash, stash) << "nothing moved";
    }

    // What fits goes on, and the sheet's actions are one save.
    play::PartyActions a;
    a.unequip = EquipSlot::MainHand;
    a.row = 1;
    EXPECT_TRUE(play::applySheet("h0", &a).done);
    a.equipId = stash[0].uid;
    a.equipSlot = EquipSlot::OffHand;
    EXPECT_TRUE(play::applySheet("h0", &a).done);
    reload();
    const rpg::Hero& w = *store::heroById("h0");
    EXPECT_EQ(w.row, 1);
    EXPECT_EQ(w.equipment[EquipSlot::OffHand].defId, "woodenShield");
    EXPECT_TRUE(w.equipment[EquipSlot::MainHand].defId.empty());
    EXPECT_EQ(store::meta().stash.size(), 3u) << "the axe went to the stash, the shield came out of it";
    EXPECT_FALSE(play::applySheet("nobody", &a).done);
}

} // namespace

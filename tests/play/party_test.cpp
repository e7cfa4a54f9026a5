// The heroes' transactions: the maxima every hit point bar measures against,
// the roster and the party, points, and the party sheet's gear.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "play/battle.h"
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

// The member the run keeps for the hero, as the files hold it; null when
// the run does not list him.
const rpg::PartyMember* member(const std::string& id) {
    for (const rpg::PartyMember& m : store::run().party) {
        if (m.heroId == id) return &m;
    }
    return nullptr;
}

// A battle of the node as it is built from the stores, decided with every
// hero's combatant at these hit points and mana (by hero id).
rpg::BattleState decided(const std::string& node, bool won, const std::map<std::string, play::Vitals>& left) {
    rpg::BattleState s = play::buildBattle(node, rpg::NodeType::Battle).state;
    s.outcome = won ? rpg::OutcomeWon : rpg::OutcomeLost;
    s.rewardXp = 0;  // one point each: nobody rises a level and refills
    for (rpg::Combatant& c : s.combatants) {
        if (const auto it = left.find(c.heroId); c.side == rpg::Side::Heroes && it != left.end()) {
            c.hp = it->second.hp;
            c.mp = it->second.mp;
        }
    }
    return s;
}

// The hero's combatant in the battle the stores build for the node.
play::Vitals fightsWith(const std::string& node, const std::string& id) {
    for (const rpg::Combatant& c : play::buildBattle(node, rpg::NodeType::Battle).state.combatants) {
        if (c.heroId == id) return {c.hp, c.mp, c.stats.maxHp, c.stats.maxMp};
    }
    ADD_FAILURE() << id << " does not fight";
    return {};
}

// The low-HP run: the warrior at 1, the mage and the cleric fallen; the
// rogue waits in the barracks. Whoever fights is tracked by the run, and
// whoever left it comes back as he left.
TEST_F(Party, TheRunTracksWhoeverFightsInItAndKeepsWhoLeft) {
    party({ClassId::Warrior, ClassId::Mage, ClassId::Cleric}, 20);
    store::meta().roster.push_back(rpg::makeHero(ClassId::Rogue, "r", 20));
    store::saveMeta();
    run();
    store::run().party[0].hp = 1;
    store::run().party[1].hp = 0;
    store::run().party[2].hp = 0;
    store::saveRun();
    const rpg::Stats max = play::maxima(*store::heroById("r"));

    for (const char* id : {"h1", "h2", "r"}) ASSERT_TRUE(play::toggleParty(id).done) << id;
    reload();
    ASSERT_NE(member("r"), nullptr) << "the rogue joins the run";
    EXPECT_EQ(member("r")->hp, max.maxHp);
    EXPECT_EQ(member("r")->mp, max.maxMp);
    EXPECT_EQ(member("h1")->hp, 0) << "the mage keeps his place";
    const std::string node = reachable();
    EXPECT_EQ(fightsWith(node, "r").hp, max.maxHp);

    play::settleBattle(decided(node, true, {{"h0", {1, 2}}, {"r", {7, 3}}}), node, rpg::NodeType::Battle);
    reload();
    EXPECT_EQ(member("r")->hp, 7) << "his wounds stay with him";
    EXPECT_EQ(member("r")->mp, 3);

    // Out, the mage in, then back: nothing heals him on the way.
    for (const char* id : {"r", "h1", "h1", "r"}) ASSERT_TRUE(play::toggleParty(id).done) << id;
    reload();
    EXPECT_EQ(store::meta().partyIds, (std::vector<std::string>{"h0", "r"}));
    EXPECT_EQ(member("r")->hp, 7);
    EXPECT_EQ(member("h1")->hp, 0) << "the mage came and went fallen";
    EXPECT_EQ(fightsWith(node, "r").hp, 7);
    EXPECT_EQ(fightsWith(node, "r").mp, 3);

    // The party that fights falls: the run ends, with everyone who ran it.
    const play::BattleEnd end = play::settleBattle(decided(node, false, {{"h0", {0, 0}}, {"r", {0, 0}}}), node,
                                                   rpg::NodeType::Battle);
    EXPECT_EQ(end.run.heroIds, (std::vector<std::string>{"h0", "h1", "h2", "r"}));
    reload();
    EXPECT_FALSE(store::hasRun());
}

// A run saved while it still let the party change untracked: a hero it
// does not list is tracked from his first battle on.
TEST_F(Party, AnUntrackedPartyHeroIsTrackedFromHisFirstBattle) {
    party({ClassId::Warrior}, 20);
    run();
    store::meta().roster.push_back(rpg::makeHero(ClassId::Archer, "a", 20));
    store::meta().partyIds.push_back("a");
    store::saveMeta();
    reload();
    ASSERT_EQ(member("a"), nullptr);
    const std::string node = reachable();
    EXPECT_EQ(fightsWith(node, "a").hp, play::maxima(*store::heroById("a")).maxHp);
    play::settleBattle(decided(node, true, {{"a", {5, 1}}}), node, rpg::NodeType::Battle);
    reload();
    ASSERT_NE(member("a"), nullptr);
    EXPECT_EQ(member("a")->hp, 5);
}

TEST_F(Party, ADismissedHeroLeavesTheRunAndWhoeverStepsInJoinsIt) {
    party({ClassId::Warrior, ClassId::Mage}, 5);
    store::meta().roster.push_back(rpg::makeHero(ClassId::Druide, "d", 5));
    store::saveMeta();
    run();
    ASSERT_TRUE(play::dismissHero("h1").done);
    reload();
    EXPECT_EQ(member("h1"), nullptr);
    ASSERT_TRUE(play::dismissHero("h0").done);
    reload();
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{"d"});
    ASSERT_EQ(store::run().party.size(), 1u);
    EXPECT_EQ(store::run().party[0].heroId, "d");
    EXPECT_EQ(store::run().party[0].hp, play::maxima(*store::heroById("d")).maxHp);
}

// A file's party past the cap of its ascension is cut to the cap; the
// heroes beyond it stay in the roster and sit out the battles.
TEST_F(Party, APartyPastTheCapIsCutToItOnLoad) {
    const std::pair<int, std::size_t> kCases[] = {{0, 3}, {2, 4}};
    for (const auto& [ascension, cap] : kCases) {
        SCOPED_TRACE(ascension);
        store::meta() = store::Meta{};
        store::meta().ascension = ascension;
        party({ClassId::Warrior, ClassId::Mage, ClassId::Cleric, ClassId::Rogue});
        reload();
        EXPECT_EQ(store::meta().partyIds.size(), cap);
        EXPECT_EQ(store::meta().roster.size(), 4u);
        EXPECT_EQ(store::meta().partyIds.back(), "h" + std::to_string(cap - 1));
        store::clearRun();
        run();
        const rpg::BattleState battle = play::buildBattle(reachable(), rpg::NodeType::Battle).state;
        EXPECT_EQ(std::count_if(battle.combatants.begin(), battle.combatants.end(),
                                [](const rpg::Combatant& c) { return c.side == rpg::Side::Heroes; }),
                  static_cast<std::ptrdiff_t>(cap));
    }
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

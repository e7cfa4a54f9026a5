// A battle's settlement, a bag item spent in it, and the chests: each pays
// once, and what ends the run ends it in the same step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "play/battle.h"
#include "play/chest.h"
#include "play/party.h"
#include "play/trade.h"
#include "rules/run.h"
#include "tests/play/play_fixture.h"

namespace {

using play::ChestKind;
using play::Next;
using play::Sound;
using layertest::PlayTest;
using rpg::ClassId;
using rpg::NodeType;

class Settle : public PlayTest {
protected:
    // The battle of the node, decided: won or lost, with this pay.
    static rpg::BattleState decided(const std::string& nodeId, NodeType type, bool won, double gold) {
        rpg::BattleState s = play::buildBattle(nodeId, type).state;
        s.outcome = won ? rpg::OutcomeWon : rpg::OutcomeLost;
        s.rewardGold = gold;
        s.rewardXp = 10;
        for (rpg::Combatant& c : s.combatants)
            if (c.side == rpg::Side::Heroes) c.hp = won ? 4 : 0;
        return s;
    }
};

TEST_F(Settle, AVictoryPaysAndClearsItsNodeOnceAndAgainOnlyPays) {
    party({ClassId::Warrior, ClassId::Mage}, 3, 100);
    run();
    const std::string node = reachable();
    play::enterNode(node);
    const play::BattleEnd end = play::settleBattle(decided(node, NodeType::Battle, true, 30), node, NodeType::Battle);
    EXPECT_TRUE(end.won);
    ASSERT_EQ(end.rows.size(), 2u);
    EXPECT_EQ(end.rows[0].heroId, "h0");
    reload();
    EXPECT_EQ(store::meta().gold, 130);
    EXPECT_EQ(store::run().gold, 30);
    EXPECT_TRUE(rpg::isCleared(store::run(), node));
    EXPECT_EQ(store::run().party[0].hp, 4) << "the party keeps what it ended with";
    EXPECT_EQ(store::heroById("h0")->xp, end.rows[0].xp);

    store::run().pos = "start";
    play::settleBattle(decided(node, NodeType::Battle, true, 30), node, NodeType::Battle);
    reload();
    EXPECT_EQ(store::meta().gold, 160) << "paid again";
    EXPECT_EQ(store::run().pos, "start") << "but no progress moves";
    EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
}

TEST_F(Settle, ADefeatEndsTheRunAtOnce) {
    party({ClassId::Warrior}, 1, 20);
    run();
    const std::string node = reachable();
    play::enterNode(node);
    store::run().depth = 3;
    store::run().gold = 12;
    store::run().inventory.push_back(rpg::makeItem("woodenShield"));
    const play::BattleEnd end = play::settleBattle(decided(node, NodeType::Battle, false, 30), node, NodeType::Battle);
    EXPECT_FALSE(end.won);
    EXPECT_TRUE(end.run.settled);
    EXPECT_EQ(end.run.depth, 3);
    EXPECT_EQ(end.run.gold, 12);
    reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_EQ(store::meta().gold, 20) << "a defeat pays nothing";
    EXPECT_EQ(store::meta().bestDepth, 3);
    ASSERT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().ascension, 0);

    EXPECT_FALSE(play::settleBattle(decided(node, NodeType::Battle, true, 30), node, NodeType::Battle).run.settled);
    reload();
    EXPECT_EQ(store::meta().gold, 20) << "no run, nothing settled";
}

TEST_F(Settle, ABagItemIsSpentAndSavedAtOnce) {
    party({ClassId::Warrior});
    store::meta().roster[0].bag = {rpg::makeItem("potionHp"), rpg::makeItem("potionMp")};
    const std::string mp = store::meta().roster[0].bag[1].uid;
    const auto spent = play::spendBagItem("h0", 1);
    ASSERT_TRUE(spent.has_value());
    EXPECT_EQ(spent->uid, mp);
    reload();
    ASSERT_EQ(store::meta().roster[0].bag.size(), 1u);
    EXPECT_EQ(store::meta().roster[0].bag[0].defId, "potionHp");
    EXPECT_FALSE(play::spendBagItem("h0", 1).has_value());
    EXPECT_FALSE(play::spendBagItem("nobody", 0).has_value());
}

// A steal's loot as the engine reports it, from the battle of a reachable
// node whose first monster the rogue has just robbed.
class Steal : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        party({ClassId::Rogue}, 12, 50);
        run();
        battle = play::buildBattle(reachable(), NodeType::Battle).state;
        victim().robbed = true;
    }
    rpg::Combatant& thief() { return *rpg::combatant(battle, "h0"); }
    rpg::Combatant& victim() { return *rpg::combatant(battle, "e0"); }
    static rpg::CombatEvent loot(double gold, const std::string& item = {}, std::int32_t level = 0) {
        rpg::CombatEvent e;
        e.kind = rpg::CombatEvent::Steal;
        e.actor = "h0";
        e.target = "e0";
        e.amount = gold;
        e.item = item;
        e.itemLevel = level;
        return e;
    }
    std::int32_t tier() { return rpg::potionTierFor(thief().level); }

    rpg::BattleState battle;
};

TEST_F(Steal, TheLootIsTheRunsAndSavedWithTheBattlesEnd) {
    const double most = rpg::maxStolenGold(victim().stats.maxHp);
    const layertest::Files before = files();
    const play::Result r = play::takeStolen(battle, loot(most, "potionMp", tier()));
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.sound, Sound::Coin);
    EXPECT_TRUE(play::takeStolen(battle, loot(0, "woodenRing")).done) << "an item alone";
    EXPECT_EQ(files(), before) << "a battle broken off now is fought afresh, its steals with it";

    battle.outcome = rpg::OutcomeWon;
    play::settleBattle(battle, reachable(), NodeType::Battle);
    reload();
    EXPECT_EQ(store::run().gold, most + battle.rewardGold);
    EXPECT_EQ(store::meta().gold, 50 + battle.rewardGold) << "the stolen gold is not the lasting gold";
    ASSERT_EQ(store::run().inventory.size(), 2u);
    EXPECT_EQ(store::run().inventory[0].defId, "potionMp");
    EXPECT_EQ(store::run().inventory[0].ilvl, tier());
    EXPECT_EQ(store::run().inventory[1].defId, "woodenRing");
    EXPECT_EQ(store::run().inventory[1].ilvl, rpg::makeItem("woodenRing").ilvl) << "gear keeps its own level";
}

// Nothing the battle cannot have given is taken, and nothing is written.
TEST_F(Steal, WhatTheBattleCannotHaveGivenIsRefused) {
    ASSERT_GT(rpg::potionTierFor(25), 10);
    const double most = rpg::maxStolenGold(victim().stats.maxHp);
    struct Case {
        const char* what;
        rpg::CombatEvent event;
        std::function<void()> before;
    };
    const auto looted = [] {
        rpg::CombatEvent e = loot(10);
        e.looted = true;
        return e;
    }();
    const auto damage = [] {
        rpg::CombatEvent e = loot(10);
        e.kind = rpg::CombatEvent::Damage;
        return e;
    }();
    const auto byMonster = [] {
        rpg::CombatEvent e = loot(10);
        e.actor = "e0";
        e.target = "h0";
        return e;
    }();
    const Case cases[] = {
        {"gold past the bound", loot(most + 1), {}},
        {"a fraction of gold", loot(9.5), {}},
        {"gold below nothing", loot(-5), {}},
        {"gold that is no number", loot(std::nan("")), {}},
        {"nothing to take", loot(0), {}},
        {"an item no steal yields", loot(10, "ironSword"), {}},
        {"an item the catalogue lacks", loot(10, "noSuchThing"), {}},
        {"a potion off the thief's tier", loot(10, "potionHp", 0), {}},
        {"gear with a level", loot(10, "leatherCap", 3), {}},
        {"an antidote above tier 10", loot(10, "antidote", rpg::potionTierFor(25)),
         [this] { thief().level = 25; }},
        {"a target robbed before", looted, {}},
        {"a target never robbed", loot(10), [this] { victim().robbed = false; }},
        {"no steal at all", damage, {}},
        {"a monster stealing", byMonster, {}},
        {"no run", loot(10), [] { store::run().active = false; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reload();
        battle = play::buildBattle(reachable(), NodeType::Battle).state;
        victim().robbed = true;
        if (c.before) c.before();
        const layertest::Files before = files();
        const play::Result r = play::takeStolen(battle, c.event);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.sound, Sound::None);
        EXPECT_EQ(files(), before);
        EXPECT_EQ(store::run().gold, 0);
        EXPECT_TRUE(store::run().inventory.empty());
    }
}

class Chest : public PlayTest {
protected:
    static play::ChestLoot loot(double gold) {
        play::ChestLoot l;
        l.gold = gold;
        l.items = {rpg::makeItem("potionHp"), rpg::makeItem("woodenShield")};
        return l;
    }
};

TEST_F(Chest, ATreasureNodesChestPaysOnceAndLeavesTheNode) {
    party({ClassId::Warrior, ClassId::Mage}, 1, 5);
    run();
    const std::string node = nodeOf(NodeType::Treasure);
    const play::ChestTake t = play::takeChest(ChestKind::Treasure, node, 0, loot(40));
    EXPECT_EQ(t.result.sound, Sound::Coin);
    EXPECT_EQ(t.result.next, Next::Back);
    reload();
    EXPECT_EQ(store::meta().gold, 45);
    EXPECT_EQ(store::run().gold, 40);
    EXPECT_EQ(store::run().pos, node);
    EXPECT_TRUE(rpg::isCleared(store::run(), node));
    ASSERT_EQ(store::run().inventory.size(), 1u);
    EXPECT_EQ(store::run().inventory[0].defId, "woodenShield");
    EXPECT_EQ(store::heroById("h0")->bag.size() + store::heroById("h1")->bag.size(), 1u) << "the potion to a bag";

    const layertest::Files after = files();
    EXPECT_FALSE(play::takeChest(ChestKind::Treasure, node, 0, loot(40)).result.done) << "never twice";
    EXPECT_FALSE(play::takeChest(ChestKind::Treasure, "nowhere", 0, loot(40)).result.done);
    EXPECT_EQ(files(), after);
}

TEST_F(Chest, AWonGamesChestPaysOnItsClearedNode) {
    party({ClassId::Warrior});
    run();
    const std::string node = reachable();
    play::leaveNode(node);  // the won game cleared it
    EXPECT_TRUE(play::takeChest(ChestKind::Lucky, node, 0, loot(25)).result.done);
    reload();
    EXPECT_EQ(store::meta().gold, 25);
    EXPECT_EQ(store::run().pos, node);
}

TEST_F(Chest, TheBossChestEndsTheRunInTheSameStep) {
    party({ClassId::Warrior}, 1, 10);
    run();
    const std::string boss = nodeOf(NodeType::Boss);
    play::ChestLoot l = loot(60);
    l.rune = {"rune-boss", rpg::Atk, 4};
    EXPECT_FALSE(play::takeChest(ChestKind::Boss, boss, 8, l).result.done) << "the boss is not beaten yet";
    EXPECT_TRUE(store::hasRun());

    store::run().cleared.push_back(boss);
    store::run().inventory.push_back(rpg::makeItem("ironSword"));
    const play::ChestTake t = play::takeChest(ChestKind::Boss, boss, 8, l);
    EXPECT_EQ(t.result.next, Next::RunResult);
    EXPECT_TRUE(t.run.won);
    EXPECT_EQ(t.run.depth, 8);
    EXPECT_EQ(t.run.gold, 60);
    reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_EQ(store::meta().gold, 70);
    EXPECT_EQ(store::meta().ascension, 1);
    EXPECT_EQ(store::meta().bestDepth, 8);
    ASSERT_EQ(store::meta().runeInventory.size(), 1u);
    ASSERT_EQ(store::meta().stash.size(), 2u) << "the run's sword and the chest's shield";
    EXPECT_EQ(store::meta().stash[0].defId, "ironSword");

    EXPECT_FALSE(play::takeChest(ChestKind::Boss, boss, 8, l).result.done) << "never twice";
    reload();
    EXPECT_EQ(store::meta().gold, 70);
}

// A purse near the largest amount it can hold takes a gain that would
// overflow it by stopping there: a sum past it would be saved as 0.
TEST_F(Chest, GainsStopAtTheLargestPurseInsteadOfOverflowing) {
    constexpr double kMost = std::numeric_limits<double>::max();
    struct Case {
        const char* what;
        std::function<void()> gain;
        bool runGold;  // the run's purse gains too
    } cases[] = {
        {"a stone sold for more than a purse holds",
         [] {
             store::meta().runeInventory.push_back({"rune-huge", rpg::Atk, 1e308});
             play::sellRune(store::meta().runeInventory.size() - 1);
         },
         false},
        {"a battle won",
         [] {
             rpg::BattleState s = play::buildBattle(rpg::reachableFrom(store::run()).front(), NodeType::Battle).state;
             s.outcome = rpg::OutcomeWon;
             s.rewardGold = 1e308;
             play::settleBattle(s, rpg::reachableFrom(store::run()).front(), NodeType::Battle);
         },
         true},
        {"a chest taken", [this] { play::takeChest(ChestKind::Treasure, nodeOf(NodeType::Treasure), 0, loot(1e308)); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store::meta() = store::Meta{};
        store::clearRun();
        party({ClassId::Warrior}, 1, 1.7e308);
        run();
        store::run().gold = 1.7e308;
        store::saveRun();
        c.gain();
        reload();
        EXPECT_EQ(store::meta().gold, kMost);
        EXPECT_EQ(store::run().gold, c.runGold ? kMost : 1.7e308);
    }
}

TEST_F(Chest, AscensionsStopAtTheirLargestCount) {
    party({ClassId::Warrior});
    store::meta().ascension = rpg::kMaxAscension;
    store::saveMeta();
    run();
    ASSERT_TRUE(play::settleRun(true, 8).won);
    EXPECT_EQ(store::meta().ascension, rpg::kMaxAscension) << "held as it changes, not only when loaded";
    reload();
    EXPECT_EQ(store::meta().ascension, rpg::kMaxAscension);
}

TEST_F(Chest, TheSameChestOfTheSameRunHoldsTheSameLoot) {
    party({ClassId::Warrior, ClassId::Cleric}, 4);
    run(3);
    const std::string node = nodeOf(NodeType::Treasure);
    for (ChestKind kind : {ChestKind::Treasure, ChestKind::Lucky, ChestKind::Boss}) {
        const play::ChestLoot a = play::rollChest(kind, node, 8);
        const play::ChestLoot b = play::rollChest(kind, node, 8);
        EXPECT_EQ(a.gold, b.gold);
        EXPECT_EQ(a.outcome, b.outcome);
        ASSERT_EQ(a.items.size(), b.items.size());
        for (std::size_t i = 0; i < a.items.size(); ++i) EXPECT_EQ(a.items[i].defId, b.items[i].defId);
        EXPECT_EQ(a.rune.value > 0, kind == ChestKind::Boss) << "only the boss rolls a stone";
    }
    EXPECT_EQ(play::rollChest(ChestKind::Lucky, node, 0).outcome, rpg::LootQuality::Jackpot);
}

} // namespace

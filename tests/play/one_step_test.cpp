// Every transaction that changes both the progress and the run is one step
// on disk: a program killed between its two writes starts again with the
// pair as the transaction left it, never the new progress beside the old
// run (a victory paid but its battle still to fight, a boss chest taken but
// still waiting on the map).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "play/battle.h"
#include "play/chest.h"
#include "play/run.h"
#include "play/trade.h"
#include "tests/play/play_fixture.h"

namespace {

using layertest::Files;
using layertest::PlayTest;
using rpg::ClassId;
using rpg::NodeType;

class OneStep : public PlayTest {
protected:
    // A party of two on a run, a battle node entered, the second hero hurt
    // and the first fallen, gold and gear in both purses; saved.
    void world() {
        party({ClassId::Warrior, ClassId::Cleric}, 3, 500);
        run();
        node = reachable();
        play::enterNode(node);
        store::run().party[0].hp = 0;
        store::run().party[1].hp = 5;
        store::run().gold = 20;
        store::run().inventory.push_back(rpg::makeItem("ironSword"));
        store::saveRun();
    }

    rpg::BattleState decided(bool won) const {
        rpg::BattleState s = play::buildBattle(node, NodeType::Battle).state;
        s.outcome = won ? rpg::OutcomeWon : rpg::OutcomeLost;
        s.rewardGold = 30;
        s.rewardXp = 50;
        return s;
    }

    std::string node;
};

TEST_F(OneStep, AKillBetweenTheTwoWritesLeavesTheTransactionsPair) {
    const auto chest = [](double gold) {
        play::ChestLoot l;
        l.gold = gold;
        l.items = {rpg::makeItem("potionHp"), rpg::makeItem("woodenShield")};
        l.rune = {"rune-1", rpg::Atk, 3};
        return l;
    };
    struct Case {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"a victory", [this] { play::settleBattle(decided(true), node, NodeType::Battle); }},
        {"a defeat", [this] { play::settleBattle(decided(false), node, NodeType::Battle); }},
        {"a treasure chest",
         [&] { play::takeChest(play::ChestKind::Treasure, nodeOf(NodeType::Treasure), 0, chest(40)); }},
        {"a won game's chest", [&] { play::takeChest(play::ChestKind::Lucky, node, 0, chest(40)); }},
        {"the boss chest",
         [&] {
             const std::string boss = rpg::nodesInRow(store::run().map, 8).front()->id;
             store::run().cleared.push_back(boss);
             play::takeChest(play::ChestKind::Boss, boss, 8, chest(90));
         }},
        {"a purchase on the road", [] { play::buyOffer(rpg::makeItem("woodenShield"), true); }},
        {"a heal", [] { play::buyHeal(); }},
        {"a revive", [] { play::buyRevive(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        world();
        const Files before = files();
        c.act();
        const Files after = files();
        ASSERT_NE(after.at("saves.dat"), before.at("saves.dat"));
        ASSERT_TRUE(!after.count("run.dat") || after.at("run.dat") != before.at("run.dat")) << "both files change";
        reload();
        const store::Meta meta = store::meta();
        const rpg::RunState run = store::run();

        // Killed after the progress was written, before the run was.
        Files between = after;
        between["run.dat"] = before.at("run.dat");
        layertest::writeFiles(dir, between);
        reload();
        EXPECT_EQ(store::meta(), meta);
        EXPECT_EQ(store::run(), run);
    }
}

// The real program killed at random moments of a stream of victories and
// boss chests: whatever moment it died at, the progress's gold is what the
// run's gold and the ascensions say it must be. A victory pays 30 into both
// purses; the boss chest pays 60 more and ends the run.
TEST_F(OneStep, KilledAtAnyMomentTheProgressAndTheRunAgree) {
    world();
    store::run().gold = 0;
    store::meta().gold = 0;
    store::saveMeta();
    store::saveRun();
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(ready[0]);
            play::ChestLoot loot;
            loot.gold = 60;
            for (long n = 0;; ++n) {
                if (!store::hasRun() && !play::startRun(static_cast<std::uint32_t>(n)).done) _exit(3);
                // One victory per run: a boss beaten before the last kill waits for its chest.
                const std::string boss = rpg::nodesInRow(store::run().map, 8).front()->id;
                if (!rpg::isCleared(store::run(), boss)) {
                    rpg::BattleState won = play::buildBattle(boss, NodeType::Boss).state;
                    won.outcome = rpg::OutcomeWon;
                    won.rewardGold = 30;
                    play::settleBattle(won, boss, NodeType::Boss);
                }
                if (n == 0 && write(ready[1], "x", 1) != 1) _exit(3);
                play::takeChest(play::ChestKind::Boss, boss, 8, loot);
            }
        }
        close(ready[1]);
        char c;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        close(ready[0]);
        // Anywhere in the next few transactions, each a synced write or two.
        usleep(static_cast<useconds_t>(300 + round * 7919 % 40000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        reload();
        const double runGold = store::hasRun() ? store::run().gold : 0;
        EXPECT_EQ(store::meta().gold, 90 * store::meta().ascension + runGold)
            << store::meta().ascension << " runs won, " << runGold << " in the run";
    }
}

} // namespace

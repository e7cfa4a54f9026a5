// The run's own transactions: its start, the map's nodes, the rest site,
// the tavern's services and the settlement at its end.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/party.h"
#include "play/run.h"
#include "rules/runes.h"
#include "tests/play/play_fixture.h"

namespace {

using play::Next;
using play::Sound;
using layertest::PlayTest;
using rpg::ClassId;
using rpg::NodeType;

class Run : public PlayTest {};

TEST_F(Run, ARunBeginsForThePartyAtItsMaximaAndOnlyOnce) {
    EXPECT_FALSE(play::startRun(7).done) << "no party";
    party({ClassId::Warrior, ClassId::Cleric}, 3);
    store::meta().runeCircle.filled[rpg::MaxHp] = true;
    store::meta().runeCircle.stones[rpg::MaxHp] = {"r", rpg::MaxHp, 25};
    store::saveMeta();
    const play::Result r = play::startRun(7);
    EXPECT_EQ(r.sound, Sound::Success);
    reload();
    ASSERT_TRUE(store::hasRun());
    EXPECT_EQ(store::run().seed, 7u);
    ASSERT_EQ(store::run().party.size(), 2u);
    for (const rpg::PartyMember& m : store::run().party)
        EXPECT_EQ(m.hp, play::maxima(*store::heroById(m.heroId)).maxHp) << m.heroId;
    EXPECT_FALSE(play::startRun(8).done) << "a run is going on";
    EXPECT_EQ(store::run().seed, 7u);
}

TEST_F(Run, OnlyAnEnterableNodeIsEnteredAndTheDepthOnlyRises) {
    party({ClassId::Warrior});
    run();
    const std::string first = reachable();
    std::string later;
    for (const rpg::MapNode& n : store::run().map.nodes)
        if (n.row == 3) later = n.id;
    for (const std::string& id : {later, std::string("nowhere")}) {
        const layertest::Files before = files();
        EXPECT_FALSE(play::enterNode(id).done) << id;
        EXPECT_EQ(files(), before);
    }
    const play::Result r = play::enterNode(first);
    EXPECT_EQ(r.sound, Sound::NodeSelect);
    EXPECT_EQ(r.next, Next::Node);
    reload();
    EXPECT_EQ(store::run().pos, first);
    EXPECT_EQ(store::run().depth, 0);
    EXPECT_FALSE(rpg::isCleared(store::run(), first)) << "entering settles nothing";
}

TEST_F(Run, ABeatenBossOfARunGoingOnLeadsToItsChest) {
    party({ClassId::Warrior});
    run();
    const std::string boss = nodeOf(NodeType::Boss);
    EXPECT_FALSE(play::enterNode(boss).done) << "not yet reachable";
    store::run().cleared.push_back(boss);
    const play::Result r = play::enterNode(boss);
    EXPECT_EQ(r.next, Next::BossChest);
    reload();
    EXPECT_EQ(store::run().depth, 8);
}

TEST_F(Run, LeavingANodeClearsItOnceAndWritesOnlyAChange) {
    EXPECT_FALSE(play::leaveNode("n0_0").done) << "no run";
    party({ClassId::Warrior});
    run();
    const std::string node = reachable();
    EXPECT_EQ(play::leaveNode(node).next, Next::Back);
    reload();
    EXPECT_EQ(store::run().pos, node);
    EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
    const layertest::Files before = files();
    EXPECT_TRUE(play::leaveNode(node).done);
    EXPECT_EQ(files(), before) << "nothing left to change";
    EXPECT_FALSE(play::leaveNode("nowhere").done);
}

TEST_F(Run, TheRestRefillsEveryMemberWithAHeroTheFallenToo) {
    party({ClassId::Warrior, ClassId::Mage});
    store::meta().runeCircle.filled[rpg::MaxMp] = true;
    store::meta().runeCircle.stones[rpg::MaxMp] = {"r", rpg::MaxMp, 12};
    store::saveMeta();
    run();
    store::run().party[0].hp = 0;
    store::run().party[1].mp = 1;
    store::run().party.push_back({"gone", 0, 0});
    EXPECT_TRUE(play::restParty().done);
    reload();
    for (const char* id : {"h0", "h1"}) {
        const rpg::Stats max = play::maxima(*store::heroById(id));
        const auto& m = *std::find_if(store::run().party.begin(), store::run().party.end(),
                                      [&](const rpg::PartyMember& p) { return p.heroId == id; });
        EXPECT_EQ(m.hp, max.maxHp) << id;
        EXPECT_EQ(m.mp, max.maxMp) << id;
    }
    EXPECT_EQ(store::run().party[2].hp, 0) << "a member without a hero stays as it is";
}

// The rest house: its prices, whom it reaches, and what it refuses.
TEST_F(Run, TheTavernHealsAndRevivesForItsPricesAndRefusesWhatItCannotSell) {
    party({ClassId::Warrior, ClassId::Cleric}, 2, 50);
    EXPECT_EQ(play::buyHeal().sound, Sound::Error) << "no run";
    run();
    EXPECT_EQ(play::buyHeal().sound, Sound::Error) << "nothing to heal";
    EXPECT_EQ(play::buyRevive().sound, Sound::Error) << "nobody to revive";

    store::run().party[0].hp = 5;
    store::run().party[1].hp = 0;
    EXPECT_EQ(play::woundedCount(store::run()), 1);
    EXPECT_EQ(play::fallenCount(store::run()), 1);
    const play::Result healed = play::buyHeal();
    EXPECT_EQ(healed.sound, Sound::Success);
    reload();
    EXPECT_EQ(store::meta().gold, 30);
    EXPECT_EQ(store::run().party[0].hp, play::maxima(*store::heroById("h0")).maxHp);
    EXPECT_EQ(store::run().party[1].hp, 0) << "healing does not raise the fallen";

    EXPECT_EQ(play::buyRevive().sound, Sound::Error) << "30 gold is short of 40";
    store::meta().gold = 40;
    EXPECT_TRUE(play::buyRevive().done);
    reload();
    EXPECT_EQ(store::meta().gold, 0);
    EXPECT_EQ(store::run().party[1].hp, play::maxima(*store::heroById("h1")).maxHp);
}

TEST_F(Run, SettlingARunMovesItIntoTheProgressOnce) {
    struct Case {
        bool won;
        int depth;  // 0 falls back to the run's
        int bestDepth;
        int ascension;
    } cases[] = {
        {true, 8, 8, 3},  // the boss row, the deepest there is
        {false, 0, 6, 2},
        {false, 2, 4, 2},  // shallower than the best: the best stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "won " << c.won << ", depth " << c.depth);
        SetUp();
        party({ClassId::Archer}, 6);
        store::meta().stash.push_back(rpg::makeItem("potionHp"));
        store::meta().bestDepth = 4;
        store::meta().ascension = 2;
        run(5);
        store::run().depth = 6;
        store::run().gold = 75;
        store::run().inventory = {rpg::makeItem("potionMp"), rpg::makeItem("woodenShield")};
        const std::vector<rpg::ItemInstance> loot = store::run().inventory;
        const play::RunEnd end = play::settleRun(c.won, c.depth);
        EXPECT_TRUE(end.settled);
        EXPECT_EQ(end.depth, c.depth >= 1 ? c.depth : 6);
        EXPECT_EQ(end.gold, 75);
        reload();
        EXPECT_FALSE(store::hasRun());
        EXPECT_EQ(files().count("run.dat"), 0u);
        EXPECT_EQ(store::meta().ascension, c.ascension);
        EXPECT_EQ(store::meta().bestDepth, c.bestDepth);
        ASSERT_EQ(store::meta().stash.size(), 3u);
        EXPECT_EQ(store::meta().stash[1], loot[0]);
        EXPECT_EQ(store::meta().stash[2], loot[1]);
        EXPECT_EQ(store::meta().gold, 0) << "the run's gold was paid as it was won";

        const layertest::Files after = files();
        EXPECT_FALSE(play::settleRun(true, 9).settled) << "nothing left to settle";
        EXPECT_EQ(files(), after);
    }
}

} // namespace

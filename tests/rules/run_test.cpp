#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/run.h"

using namespace rpg;

namespace {

// A run on a hand-made map: rows of node types, no draws involved.
RunState fixtureRun(const std::vector<std::vector<NodeType>>& rows) {
    RunState run;
    run.active = true;
    run.map.rows = static_cast<std::int32_t>(rows.size());
    run.map.startId = "start";
    run.map.nodes.push_back(MapNode{"start", NodeType::Start, -1, 1});
    for (std::int32_t r = 0; r < run.map.rows; ++r) {
        for (std::int32_t c = 0; c < static_cast<std::int32_t>(rows[r].size()); ++c) {
            run.map.nodes.push_back(MapNode{"n" + std::to_string(r) + "_" + std::to_string(c), rows[r][c], r, c});
        }
    }
    run.pos = "start";
    run.cleared = {"start"};
    return run;
}

using Ids = std::vector<std::string>;

std::vector<std::string> idsOf(const std::vector<const MapNode*>& nodes) {
    std::vector<std::string> out;
    for (const MapNode* n : nodes) out.push_back(n->id);
    return out;
}

// What the map screen does on entering a node, then what the node's screen
// does when it is done with it.
void enterAndClear(RunState& run, const std::string& id) {
    const MapNode* n = nodeById(run.map, id);
    ASSERT_NE(n, nullptr) << id;
    run.pos = id;
    run.depth = std::max(run.depth, n->row);
    if (!isCleared(run, id)) run.cleared.push_back(id);
}

} // namespace

TEST(Run, NewRunStandsOnTheStartNode) {
    std::vector<Hero> heroes = {makeHero(ClassId::Warrior, "w", 1), makeHero(ClassId::Mage, "m", 4)};
    heroes[0].equipment[EquipSlot::MainHand] = makeItem("greataxe");
    const Stats bonus{25, 5, 0, 0, 3, 0, 0, 0};
    const RunState run = createRun(heroes, 4000000000u, bonus, 2);

    EXPECT_TRUE(run.active);
    EXPECT_EQ(run.seed, 4000000000u);
    EXPECT_EQ(run.gold, 0);
    EXPECT_TRUE(run.inventory.empty());
    EXPECT_EQ(run.depth, 0);
    EXPECT_EQ(run.map, generateMap(4000000000u, 9, 2));
    EXPECT_EQ(run.pos, "start");
    EXPECT_EQ(run.cleared, Ids{"start"});
    EXPECT_EQ(reachableFrom(run), idsOf(nodesInRow(run.map, 0)));
    EXPECT_EQ(activeRow(run), 0);

    ASSERT_EQ(run.party.size(), 2u);
    for (std::size_t i = 0; i < heroes.size(); ++i) {
        const Stats full = deriveStats(heroes[i], equipBonus(heroes[i].equipment), bonus);
        EXPECT_EQ(run.party[i], (PartyMember{heroes[i].id, full.maxHp, full.maxMp}));
    }
    // The worn axe and the bonus both count.
    const Stats axe = equipBonus(heroes[0].equipment);
    const Stats bare = deriveStats(heroes[0], Stats{}, Stats{});
    EXPECT_NE(axe, Stats{});
    EXPECT_EQ(run.party[0].hp, bare.maxHp + axe.maxHp + 25);
    EXPECT_EQ(run.party[0].mp, bare.maxMp + axe.maxMp + 5);

    EXPECT_TRUE(createRun({}, 7, Stats{}, 0).party.empty());
}

TEST(Run, FightingRowsNeedEveryNodeAndRewardRowsOne) {
    RunState run = fixtureRun({
        {NodeType::Battle, NodeType::Elite},
        {NodeType::Rest, NodeType::Shop, NodeType::Coin},
        {NodeType::Boss},
    });
    EXPECT_EQ(reachableFrom(run), (Ids{"n0_0", "n0_1"}));

    enterAndClear(run, "n0_1");
    EXPECT_EQ(reachableFrom(run), Ids{"n0_0"});
    EXPECT_EQ(activeRow(run), 0);

    enterAndClear(run, "n0_0");
    EXPECT_EQ(reachableFrom(run), (Ids{"n1_0", "n1_1", "n1_2"}));
    EXPECT_EQ(activeRow(run), 1);

    enterAndClear(run, "n1_1");  // closes the rest site and the coin game
    EXPECT_EQ(reachableFrom(run), Ids{"n2_0"});
    EXPECT_EQ(activeRow(run), 2);

    enterAndClear(run, "n2_0");
    EXPECT_TRUE(reachableFrom(run).empty());
    EXPECT_EQ(activeRow(run), 2);
}

TEST(Run, ReachabilityLooksOnlyAtTheClearedList) {
    RunState run = fixtureRun({{NodeType::Battle}, {NodeType::Treasure, NodeType::Dice}, {NodeType::Boss}});
    // Position, depth and foreign or doubled ids change nothing.
    run.pos = "n2_0";
    run.depth = 2;
    run.cleared = {"start", "n7_7", "start", "n0_0", "n0_0"};
    EXPECT_EQ(reachableFrom(run), (Ids{"n1_0", "n1_1"}));

    // Clearing a later row does not skip an earlier one.
    run.cleared = {"start", "n2_0", "n1_0"};
    EXPECT_EQ(reachableFrom(run), Ids{"n0_0"});

    // The start node is never offered, even when not cleared.
    run.cleared.clear();
    EXPECT_EQ(reachableFrom(run), Ids{"n0_0"});
    EXPECT_FALSE(isCleared(run, "start"));

    RunState empty = fixtureRun({});
    EXPECT_TRUE(reachableFrom(empty).empty());
    EXPECT_EQ(activeRow(empty), -1);

    // A row without nodes is passed over.
    RunState gap = fixtureRun({{NodeType::Battle}, {}, {NodeType::Boss}});
    gap.cleared.push_back("n0_0");
    EXPECT_EQ(reachableFrom(gap), Ids{"n2_0"});
    EXPECT_EQ(activeRow(gap), 2);
}

// Generated runs walked from the start to the boss by calls alone, checking
// at every step that exactly the first unfinished row is offered.
TEST(Run, GeneratedRunsWalkToTheBoss) {
    const std::vector<Hero> heroes = {makeHero(ClassId::Cleric, "c", 1)};
    for (std::uint32_t seed : {0u, 1u, 99u, 123456u, 4000000000u}) {
        SCOPED_TRACE(seed);
        RunState run = createRun(heroes, seed, Stats{}, 3);
        std::int32_t lastRow = 0;
        int steps = 0;
        int expectedSteps = 0;
        for (std::int32_t r = 0; r < run.map.rows; ++r) {
            expectedSteps += isRewardRow(run.map, r) ? 1 : static_cast<int>(nodesInRow(run.map, r).size());
        }

        for (auto open = reachableFrom(run); !open.empty(); open = reachableFrom(run)) {
            ASSERT_LE(++steps, 40);
            const std::int32_t row = activeRow(run);
            ASSERT_GE(row, lastRow);
            lastRow = row;
            // Every earlier row is done.
            for (std::int32_t r = 0; r < row; ++r) {
                const auto nodes = nodesInRow(run.map, r);
                const auto done = std::count_if(nodes.begin(), nodes.end(),
                                                [&](const MapNode* n) { return isCleared(run, n->id); });
                if (isRewardRow(run.map, r)) {
                    EXPECT_EQ(done, 1) << "row " << r;
                } else {
                    EXPECT_EQ(done, static_cast<long>(nodes.size())) << "row " << r;
                }
            }
            // The active row offers all its nodes (reward) or its uncleared ones (fighting).
            Ids want;
            for (const MapNode* n : nodesInRow(run.map, row)) {
                if (isRewardRow(run.map, row) || !isCleared(run, n->id)) want.push_back(n->id);
            }
            EXPECT_EQ(open, want) << "row " << row;

            // Take the last offer one time and the first the next, to vary the path.
            enterAndClear(run, steps % 2 ? open.back() : open.front());
            EXPECT_EQ(run.depth, row);
        }

        EXPECT_EQ(steps, expectedSteps);
        EXPECT_EQ(run.pos, "n8_0");
        EXPECT_TRUE(isCleared(run, "n8_0"));
        EXPECT_EQ(run.depth, 8);
        EXPECT_EQ(activeRow(run), 8);
    }
}

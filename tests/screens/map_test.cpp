// The run map: entering nodes moves and saves the run and opens the node's
// screen; Escape goes back without saving; odd runs draw without crashing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "screens/map_layout.h"
#include "tests/screens/run_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A map of `rows` rows with one battle in each (and the start), for runs
// whose shape a test needs to know.
rpg::GameMap ladder(std::int32_t rows, std::vector<rpg::MapNode> extra = {}) {
    rpg::GameMap map;
    map.rows = rows;
    map.startId = "start";
    map.nodes.push_back({"start", rpg::NodeType::Start, -1, 1});
    for (const rpg::MapNode& n : extra) map.nodes.push_back(n);
    return map;
}

class MapTest : public ::testing::Test {
protected:
    MapTest() : h(&ui::Game::instance()) {
        h.setFrameStep(0.05);
        runfix::makeParty({rpg::ClassId::Warrior, rpg::ClassId::Mage});
    }

    void openMap() { runfix::openScreens(h, {ui::kCity, ui::kMap}); }

    // Where a node's tile stands after the first frame placed the view.
    ui::Rect tileOf(const std::string& id) {
        const rpg::RunState& run = store::run();
        const double s = h.ctx().uiScale;
        ui::MapLayout l = ui::mapLayout(h.ctx().width, h.ctx().height, s, run.map.rows, 0);
        const double most = std::max(0.0, l.contentHeight() - l.view.h);
        const double scroll = std::min(ui::mapInitialScroll(run.map.rows, rpg::activeRow(run), s), most);
        l = ui::mapLayout(h.ctx().width, h.ctx().height, s, run.map.rows, scroll);
        const rpg::MapNode* node = rpg::nodeById(run.map, id);
        EXPECT_NE(node, nullptr) << id;
        if (!node) return {};
        int index = 0, count = 0;
        for (const rpg::MapNode* n : rpg::nodesInRow(run.map, node->row)) {
            if (n->col < node->col) ++index;
            ++count;
        }
        return l.tile(node->row, index, count);
    }

    // The pointer comes to rest first: a press right after a jump would
    // count the jump as a drag of the map.
    void clickAt(double x, double y) {
        h.moveTo(x, y).frame();
        h.click(x, y);
    }
    void clickTile(const std::string& id) {
        const ui::Rect t = tileOf(id);
        clickAt(t.x + t.w / 2, t.y + t.h / 2);
    }

    harness::ScreenHarness h;
};

TEST_F(MapTest, EnteringANodeMovesAndSavesTheRunThenOpensItsScreen) {
    runfix::startRun(4242);
    openMap();
    const rpg::MapNode first = *rpg::nodesInRow(store::run().map, 0).front();
    clickTile(first.id);

    EXPECT_EQ(h.top().screen, ui::kBattle);
    EXPECT_EQ(h.top().nodeId, first.id);
    EXPECT_EQ(h.top().nodeType, static_cast<std::uint8_t>(first.type));
    EXPECT_FALSE(h.top().boss);
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::NodeSelect});
    ASSERT_EQ(ui::Game::instance().stack().size(), 3u);
    EXPECT_EQ(ui::Game::instance().stack()[1].screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::run().pos, first.id);
    EXPECT_EQ(store::run().depth, 0);
}

TEST_F(MapTest, DepthRisesToTheEnteredRowAndNeverFalls) {
    runfix::startRun(4242);
    runfix::walkThrough(2);
    openMap();
    const rpg::MapNode next = *rpg::nodesInRow(store::run().map, 3).front();  // a reward row
    clickTile(next.id);
    EXPECT_EQ(h.top().nodeId, next.id);
    h.reloadStores();
    EXPECT_EQ(store::run().depth, 3);

    // A cleared fight further down may be fought again; the depth stays.
    openMap();
    const rpg::MapNode old = *rpg::nodesInRow(store::run().map, 0).front();
    clickTile(old.id);
    EXPECT_EQ(h.top().screen, ui::kBattle);
    EXPECT_EQ(h.top().nodeId, old.id);
    h.reloadStores();
    EXPECT_EQ(store::run().pos, old.id);
    EXPECT_EQ(store::run().depth, 3);
}

TEST_F(MapTest, TilesThatCannotBeEnteredIgnoreClicks) {
    runfix::startRun(4242);
    runfix::walkThrough(1);  // row 1 is a reward row: its other nodes close
    const std::string saved = fileBytes(h.dataFile("run.dat"));
    openMap();
    const auto row1 = rpg::nodesInRow(store::run().map, 1);
    ASSERT_GE(row1.size(), 2u);
    const auto row3 = rpg::nodesInRow(store::run().map, 3);
    // The start (cleared, and never offered), a taken and a closed reward
    // node, and a node two rows ahead.
    for (const std::string& id : {std::string("start"), row1[0]->id, row1[1]->id, row3[0]->id}) {
        SCOPED_TRACE(id);
        clickTile(id);
        EXPECT_EQ(h.top().screen, ui::kMap);
    }
    EXPECT_TRUE(h.sounds().empty());
    EXPECT_EQ(fileBytes(h.dataFile("run.dat")), saved);
}

TEST_F(MapTest, EscapeReturnsToTheCityWithoutSaving) {
    runfix::startRun(99);
    runfix::walkThrough(4);
    const std::string saved = fileBytes(h.dataFile("run.dat"));
    ASSERT_FALSE(saved.empty());
    openMap();
    h.frames(3);
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kCity);
    EXPECT_EQ(fileBytes(h.dataFile("run.dat")), saved);
}

// The boss beaten but the game left before its chest (which ends the run):
// the boss is all the map has left, and it opens that chest, not a second
// fight. Without a run going on it opens nothing.
TEST_F(MapTest, ABeatenBossOfARunStillGoingOnOpensItsChest) {
    runfix::startRun(4242);
    runfix::walkThrough(8);
    const std::string boss = rpg::nodesInRow(store::run().map, 8).front()->id;
    ASSERT_TRUE(rpg::reachableFrom(store::run()).empty());
    openMap();
    clickTile(boss);
    EXPECT_EQ(h.top().screen, ui::kTreasure);
    EXPECT_EQ(h.top().nodeId, boss);
    EXPECT_EQ(h.top().nodeType, static_cast<std::uint8_t>(rpg::NodeType::Boss));
    EXPECT_TRUE(h.top().boss);
    EXPECT_EQ(h.top().depth, 8);
    EXPECT_FALSE(h.top().lucky);

    const std::string saved = fileBytes(h.dataFile("run.dat"));
    store::run().active = false;
    openMap();
    clickTile(boss);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_EQ(fileBytes(h.dataFile("run.dat")), saved);
}

TEST_F(MapTest, ShopNodesOpenTheScrollShopLowAndTheWanderingMerchantHigh) {
    struct Case {
        std::int32_t row;
        int screen;
        int subMode;
    } cases[] = {{2, ui::kScrollShop, 0}, {5, ui::kShop, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        runfix::startRun(5);
        const std::string id = "n" + std::to_string(c.row) + "_0";
        store::run().map = ladder(9, {{id, rpg::NodeType::Shop, c.row, 0}});
        store::saveRun();
        openMap();
        clickTile(id);
        EXPECT_EQ(h.top().screen, c.screen);
        EXPECT_EQ(h.top().subMode, c.subMode);
        EXPECT_EQ(h.top().nodeId, id);
        EXPECT_EQ(h.top().nodeType, static_cast<std::uint8_t>(rpg::NodeType::Shop));
    }
}

TEST(MapShopRule, RowsDecideTheShopAndTheIdAloneDecides) {
    for (std::int32_t row = 0; row <= 8; ++row) {
        for (int col = 0; col <= 2; ++col) {
            const std::string id = "n" + std::to_string(row) + "_" + std::to_string(col);
            EXPECT_EQ(play::shopNodeOpensScrollShop(id), row <= 3) << id;
        }
    }
    EXPECT_TRUE(play::shopNodeOpensScrollShop(""));
}

TEST(MapNodeEntry, EveryTypeOpensItsScreen) {
    const int expected[rpg::kNodeTypeCount] = {
        ui::kBattle, ui::kBattle, ui::kRest, ui::kTreasure, ui::kScrollShop, ui::kBattle,
        -1,          ui::kDice,   ui::kShell, ui::kMemory,  ui::kWhack,      ui::kCoin,
    };
    for (int t = 0; t < rpg::kNodeTypeCount; ++t) {
        SCOPED_TRACE(t);
        const rpg::MapNode node{"n1_0", static_cast<rpg::NodeType>(t), 1, 0};
        const auto entry = ui::mapNodeEntry(node);
        if (expected[t] < 0) {
            EXPECT_FALSE(entry.has_value());
            continue;
        }
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->screen, expected[t]);
        EXPECT_EQ(entry->nodeId, "n1_0");
        EXPECT_EQ(entry->nodeType, t);
        EXPECT_EQ(entry->subMode, 0);
        EXPECT_FALSE(entry->boss);
    }
}

TEST_F(MapTest, AClickCountsOnlyInsideTheView) {
    // One battle per row; every row but 6 cleared, so row 6 is the active
    // row and the cleared battles above it stay enterable.
    std::vector<rpg::MapNode> nodes;
    for (std::int32_t r = 0; r < 9; ++r) nodes.push_back({"n" + std::to_string(r) + "_0", rpg::NodeType::Battle, r, 0});
    runfix::startRun(3);
    store::run().map = ladder(9, nodes);
    for (std::int32_t r = 0; r < 9; ++r) {
        if (r != 6) store::run().cleared.push_back("n" + std::to_string(r) + "_0");
    }
    store::saveRun();
    openMap();

    const ui::Rect hidden = tileOf("n8_0");
    const ui::Rect near = tileOf("n7_0");
    const double viewTop = ui::mapLayout(1280, 720, 1, 9, 0).view.y;
    ASSERT_LE(hidden.y + hidden.h, viewTop) << "the top row lies wholly above the view";
    ASSERT_GT(near.y, viewTop);
    clickAt(hidden.x + hidden.w / 2, hidden.y + hidden.h / 2);
    EXPECT_EQ(h.top().screen, ui::kMap);

    // Drag the map up by 40 units and let it settle: row 7 now straddles the
    // view's top edge; its hidden part takes no click, its visible part does.
    h.moveTo(640, 500).frame();
    h.press().frame();
    for (int i = 1; i <= 4; ++i) h.moveTo(640, 500 - 10 * i).frame();
    h.frames(30);
    h.release().frame();
    EXPECT_EQ(h.top().screen, ui::kMap) << "the drag's release clicks nothing";
    clickAt(near.x + near.w / 2, viewTop - 5);
    EXPECT_EQ(h.top().screen, ui::kMap);
    clickAt(near.x + near.w / 2, viewTop + 5);
    EXPECT_EQ(h.top().screen, ui::kBattle);
    EXPECT_EQ(h.top().nodeId, "n7_0");
}

TEST_F(MapTest, OddRunsDrawWithoutCrashing) {
    // No run at all, the map opened directly: one entry, Escape rebuilds it.
    runfix::openScreens(h, {ui::kMap});
    h.frames(2);
    h.key(SDLK_ESCAPE).frame();
    h.frames(2);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_EQ(ui::Game::instance().stack().size(), 1u);

    // A run standing on a node its map lacks, with a member the roster lost
    // and every hero at 0 hit points.
    runfix::startRun(77);
    store::run().pos = "n42_7";
    for (rpg::PartyMember& m : store::run().party) m.hp = 0;
    store::run().party.push_back({"gone-1", 10, 10});
    store::meta().partyIds.push_back("gone-2");
    openMap();
    h.frames(5);
    EXPECT_EQ(h.top().screen, ui::kMap);
    store::run().pos = "start";
    h.frames(5);

    // An empty party walks as a star.
    store::meta().partyIds.clear();
    h.frames(5);
    EXPECT_EQ(h.top().screen, ui::kMap);
}

TEST(MapTraveller, WalksBetweenAHalfAndOneAndAHalfSeconds) {
    EXPECT_DOUBLE_EQ(ui::travelDuration(0, 1), 0.45);
    EXPECT_DOUBLE_EQ(ui::travelDuration(250, 1), 0.6);
    EXPECT_DOUBLE_EQ(ui::travelDuration(500, 2), 0.6);  // the distance counts in unscaled units
    EXPECT_DOUBLE_EQ(ui::travelDuration(5000, 1), 1.5);
}

} // namespace

// The treasure screen: the chest replays for its node, the opening's sounds
// come in order, and taking pays into the right places.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "screens/treasure_layout.h"
#include "screens/treasure_roll.h"
#include "tests/screens/progress_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using audio::Sfx;
using rpg::LootQuality;

// Two heroes on a run of seed 3; the run's first treasure node.
std::string setUpRun() {
    progresstest::addPartyHero(rpg::ClassId::Warrior, 4, "w");
    progresstest::addPartyHero(rpg::ClassId::Cleric, 4, "c");
    progresstest::startRun(3);
    const rpg::MapNode* node = progresstest::firstNodeOf(rpg::NodeType::Treasure);
    return node ? node->id : "n1_0";
}

// Keeps the run (and its map) but changes its seed until the node's chest
// fits; the seed is saved.
play::ChestLoot findChest(const ui::GameState& entry, const std::function<bool(const play::ChestLoot&)>& fits) {
    for (std::uint32_t seed = 1; seed < 20000; ++seed) {
        store::run().seed = seed;
        play::ChestLoot loot = ui::rollChest(entry);
        if (fits(loot)) {
            store::saveRun();
            return loot;
        }
    }
    ADD_FAILURE() << "no seed gives such a chest";
    return {};
}

// The chest above the map, as the map pushes it.
void openChest(harness::ScreenHarness& h, const ui::GameState& entry) {
    ui::GameState map;
    map.screen = ui::kMap;
    h.start(map);
    ui::Game::instance().push(entry);
    h.frame();
}

void clickOpen(harness::ScreenHarness& h) { h.click(640, 720 - 80 * h.ctx().uiScale); }

// Items as the loot holds them, apart from the uid each roll makes afresh.
bool sameItems(std::vector<rpg::ItemInstance> a, std::vector<rpg::ItemInstance> b) {
    for (auto* list : {&a, &b}) {
        for (rpg::ItemInstance& item : *list) item.uid.clear();
    }
    return a == b;
}

TEST(TreasureScreen, TheSameNodeHoldsTheSameLootAfterLeavingAndComingBack) {
    harness::ScreenHarness h(&ui::Game::instance());
    const ui::GameState entry = progresstest::entryFor(ui::kTreasure, setUpRun());
    const play::ChestLoot loot =
        findChest(entry, [](const play::ChestLoot& l) { return l.outcome == LootQuality::Found && l.gold > 0; });
    h.setFrameStep(0.1);
    openChest(h, entry);
    clickOpen(h);
    h.runFor(2.0);
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 0) << "leaving takes nothing";
    EXPECT_FALSE(rpg::isCleared(store::run(), entry.nodeId));

    ui::Game::instance().push(entry);
    h.frame();
    clickOpen(h);
    h.runFor(2.0);
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, loot.gold);
    EXPECT_EQ(store::run().gold, loot.gold);
    EXPECT_TRUE(rpg::isCleared(store::run(), entry.nodeId));
    EXPECT_EQ(store::run().pos, entry.nodeId);
    // Equipment goes to the run; consumables all into one bag.
    std::vector<rpg::ItemInstance> taken = store::run().inventory;
    for (const char* id : {"w", "c"}) {
        const auto& bag = store::heroById(id)->bag;
        taken.insert(taken.end(), bag.begin(), bag.end());
    }
    auto byDef = [](const rpg::ItemInstance& a, const rpg::ItemInstance& b) { return a.defId < b.defId; };
    std::vector<rpg::ItemInstance> rolled = loot.items;
    std::sort(taken.begin(), taken.end(), byDef);
    std::sort(rolled.begin(), rolled.end(), byDef);
    EXPECT_TRUE(sameItems(taken, rolled));
    EXPECT_TRUE(store::heroById("w")->bag.empty() || store::heroById("c")->bag.empty());
}

TEST(TreasureScreen, TheOpeningPlaysItsSoundsInOrder) {
    harness::ScreenHarness h(&ui::Game::instance());
    const ui::GameState entry = progresstest::entryFor(ui::kTreasure, setUpRun());
    const play::ChestLoot loot = findChest(entry, [](const play::ChestLoot& l) {
        return l.outcome == LootQuality::Found && l.gold > 0 && l.items.size() >= 3;
    });
    const int lines = 1 + static_cast<int>(loot.items.size());
    h.setFrameStep(0.02);
    openChest(h, entry);
    clickOpen(h);
    EXPECT_EQ(h.sounds(), (std::vector{Sfx::Click, Sfx::ChestOpen}));
    h.clearSounds();
    h.runFor(0.6);
    EXPECT_TRUE(h.sounds().empty());
    h.runFor(0.1);
    EXPECT_EQ(h.sounds(), std::vector{Sfx::ChestPop});
    h.runFor(0.9);
    EXPECT_EQ(h.sounds(), std::vector{Sfx::ChestPop}) << "nothing more before 1.7 s";
    h.runFor(0.15);
    EXPECT_EQ(h.sounds(), (std::vector{Sfx::ChestPop, Sfx::Success, Sfx::Item}));
    // Half a second at once: several lines come due, one sound; every later
    // line ticks on its own, so the lines merged in that frame are missing.
    h.runFor(0.04);
    h.clearSounds();
    h.wait(0.5);
    h.frame();
    EXPECT_EQ(h.sounds(), std::vector{Sfx::Item});
    h.runFor(2.0);
    const auto ticks = std::count(h.sounds().begin(), h.sounds().end(), Sfx::Item);
    EXPECT_GE(ticks, 1);
    EXPECT_LE(ticks, lines - 2);
    h.clearSounds();
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.sounds(), std::vector{Sfx::Coin});
}

TEST(TreasureScreen, ATrapWithoutGoldShowsTheLeavePanelAndPaysNothing) {
    harness::ScreenHarness h(&ui::Game::instance());
    const ui::GameState entry = progresstest::entryFor(ui::kTreasure, setUpRun());
    const play::ChestLoot loot =
        findChest(entry, [](const play::ChestLoot& l) { return l.outcome == LootQuality::Trap && l.gold == 0; });
    EXPECT_TRUE(loot.items.empty());
    EXPECT_DOUBLE_EQ(ui::chestContentHeight(loot, 1.0), 20);
    h.setFrameStep(0.1);
    openChest(h, entry);
    clickOpen(h);
    h.runFor(2.0);
    EXPECT_NE(std::find(h.sounds().begin(), h.sounds().end(), Sfx::Error), h.sounds().end());
    EXPECT_EQ(std::find(h.sounds().begin(), h.sounds().end(), Sfx::Item), h.sounds().end()) << "no lines to tick";
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 0);
    EXPECT_TRUE(store::run().inventory.empty());
    EXPECT_TRUE(rpg::isCleared(store::run(), entry.nodeId));
}

// Taking a beaten boss's chest ends the run in the same step: a program
// ended in that very frame finds no run whose chest still waits, so the
// loot is paid once, however the game is started again.
TEST(TreasureScreen, ABossChestAlwaysEndsTheRunWithItsLootInTheSameStep) {
    for (bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "escape before opening" : "return after the reveal");
        harness::ScreenHarness h(&ui::Game::instance());
        setUpRun();
        store::meta().gold = 10;
        store::saveMeta();
        const std::string boss = progresstest::firstNodeOf(rpg::NodeType::Boss)->id;
        store::run().cleared.push_back(boss);  // the boss is beaten
        store::run().inventory.push_back(rpg::makeItem("woodenShield"));
        store::saveRun();
        ui::GameState entry = progresstest::entryFor(ui::kTreasure, boss);
        entry.nodeType = static_cast<std::uint8_t>(rpg::NodeType::Boss);
        entry.boss = true;
        entry.depth = 8;
        const play::ChestLoot loot = ui::rollChest(entry);
        EXPECT_EQ(loot.outcome, LootQuality::Jackpot);
        ASSERT_GT(loot.rune.value, 0);
        h.setFrameStep(0.1);
        openChest(h, entry);
        if (byEscape) {
            h.key(SDLK_ESCAPE).frame();
        } else {
            clickOpen(h);
            h.runFor(2.0);
            h.key(SDLK_RETURN).frame();
        }
        const auto& stack = ui::Game::instance().stack();
        ASSERT_EQ(stack.size(), 2u) << "the result replaces the chest";
        EXPECT_EQ(h.top().screen, ui::kRunResult);
        EXPECT_EQ(h.top().lost, 0);
        EXPECT_EQ(h.top().depth, 8);
        EXPECT_EQ(h.top().gold, loot.gold) << "the run's gold, carried to the result";
        // The program ends here, before the result screen is ever built.
        h.reloadStores();
        EXPECT_FALSE(store::hasRun()) << "no chest left waiting on the map";
        EXPECT_EQ(store::meta().ascension, 1);
        EXPECT_EQ(store::meta().bestDepth, 8);
        ASSERT_EQ(store::meta().runeInventory.size(), 1u);
        EXPECT_EQ(store::meta().runeInventory[0], loot.rune);
        EXPECT_EQ(store::meta().gold, 10 + loot.gold);
        std::size_t gear = 1;  // the shield the run carried
        for (const rpg::ItemInstance& item : loot.items)
            gear += rpg::findItem(item.defId)->slot != rpg::ItemSlot::Consumable;
        EXPECT_EQ(store::meta().stash.size(), gear);
    }
}

// A won game's chest stands on a node the game already cleared, which never
// opens again: walking away from the chest takes its loot, as for the boss.
TEST(TreasureScreen, LeavingAWonGamesChestTakesItsLoot) {
    for (bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "escape after the reveal" : "escape as it opens");
        harness::ScreenHarness h(&ui::Game::instance());
        ui::GameState entry = progresstest::entryFor(ui::kTreasure, setUpRun());
        entry.lucky = true;
        entry.autoOpen = true;
        store::run().cleared.push_back(entry.nodeId);  // as the won game left it
        store::saveRun();
        const play::ChestLoot loot = ui::rollChest(entry);
        ASSERT_GT(loot.gold, 0);
        h.setFrameStep(0.1);
        openChest(h, entry);
        if (opened) h.runFor(2.0);
        h.key(SDLK_ESCAPE).frame();
        EXPECT_EQ(h.top().screen, ui::kMap);
        EXPECT_EQ(h.sounds().back(), Sfx::Coin);
        h.reloadStores();
        EXPECT_EQ(store::meta().gold, loot.gold);
        EXPECT_EQ(store::run().gold, loot.gold);
        EXPECT_EQ(store::run().pos, entry.nodeId);
    }
}

TEST(TreasureScreen, AWonMinigamesChestOpensByItselfWithJackpotQuality) {
    harness::ScreenHarness h(&ui::Game::instance());
    ui::GameState entry = progresstest::entryFor(ui::kTreasure, setUpRun());
    entry.lucky = true;
    EXPECT_EQ(ui::rollChest(entry).outcome, LootQuality::Jackpot);
    for (bool autoOpen : {false, true}) {
        entry.autoOpen = autoOpen;
        h.clearSounds();
        openChest(h, entry);
        EXPECT_EQ(h.sounds(), autoOpen ? std::vector{Sfx::ChestOpen} : std::vector<Sfx>{});
    }
}

TEST(TreasureScreen, OpenedDirectlyWithoutARunTakingLeavesNoRunBehind) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.1);
    h.start(*ui::startScreenFor("treasure"));
    h.frame();
    clickOpen(h);
    h.runFor(2.0);
    h.key(SDLK_RETURN).frame();
    h.frames(2);
    EXPECT_EQ(h.top().screen, ui::kTreasure);
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    h.reloadStores();
    EXPECT_FALSE(store::hasRun());
}

// The opened chest's block below the header: the loot panel shrinks and
// scrolls rather than push the take button out of the window, and a short
// list is shown whole.
TEST(TreasureLayout, TheRevealedBlockStaysBetweenHeaderAndWindowFoot) {
    struct Case {
        double w, h;
        int items;
        LootQuality outcome;
    };
    const Case cases[] = {
        {1280, 720, 2, LootQuality::Found}, {1280, 720, 30, LootQuality::Jackpot},
        {860, 560, 2, LootQuality::Trap},   {860, 560, 30, LootQuality::Found},
    };
    for (const Case& c : cases) {
        const double s = ui::uiScaleFor(c.w, c.h);
        const double header = ui::kHeaderHeight * s;
        play::ChestLoot loot;
        loot.outcome = c.outcome;
        loot.gold = 40;
        loot.items.resize(static_cast<std::size_t>(c.items));
        const double panelW = ui::treasurePanelWidth(c.w, s, c.outcome == LootQuality::Trap, 900);
        const ui::TreasureRevealed lay = ui::treasureRevealedLayout(c.w, c.h, s, header, loot, panelW);
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << ", " << c.items << " items");
        EXPECT_LE(panelW, 0.8 * c.w) << "a wide line is fitted, not the window overrun";
        EXPECT_GT(lay.chestY, header);
        EXPECT_GE(lay.panel.y, lay.titleY + lay.titleH) << "the title sits above the panel";
        EXPECT_GT(lay.button.y, lay.panel.y + lay.panel.h);
        EXPECT_LE(lay.button.y + lay.button.h, c.h);
        EXPECT_DOUBLE_EQ(lay.content, ui::chestContentHeight(loot, s));
        if (c.items > 10) EXPECT_LT(lay.panel.h, lay.content) << "a long list scrolls";
        else EXPECT_DOUBLE_EQ(lay.panel.h, lay.content);
    }
}

} // namespace

// The run result screen: settling a won or lost run into lasting progress,
// once, and the way back to the city.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/screens/progress_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

using audio::Sfx;

// A run of one hero, six rows deep, carrying two items and 75 gold; the
// stash already holds one item and the best depth is 4.
void setUpRun() {
    progresstest::addPartyHero(rpg::ClassId::Archer, 6, "arc");
    store::Meta& meta = store::meta();
    meta.stash.push_back(rpg::makeItem("potionHp"));
    meta.bestDepth = 4;
    meta.ascension = 2;
    store::saveMeta();
    progresstest::startRun(5);
    rpg::RunState& run = store::run();
    run.depth = 6;
    run.gold = 75;
    run.inventory.push_back(rpg::makeItem("potionMp"));
    run.inventory.push_back(rpg::makeItem("potionHp"));
    store::saveRun();
}

ui::GameState resultEntry(bool lost, int depth) {
    ui::GameState s;
    s.screen = ui::kRunResult;
    s.lost = lost ? 1 : 0;
    s.depth = depth;
    return s;
}

// The result replaces the battle or the chest above the map.
void openResult(harness::ScreenHarness& h, const ui::GameState& result) {
    ui::GameState s;
    s.screen = ui::kMenu;
    h.start(s);
    for (int screen : {ui::kCity, ui::kMap}) {
        s.screen = screen;
        ui::Game::instance().push(s);
    }
    ui::Game::instance().push(result);
    h.frame();
}

TEST(RunResultScreen, SettlesAWonOrLostRunIntoLastingProgress) {
    struct Case {
        bool lost;
        int depth;  // of the entry; 0 falls back to the run's
        int bestDepth;
        int ascension;
        Sfx sound;
    } cases[] = {
        {false, 8, 8, 3, Sfx::WinGlare},  // the boss row, the deepest there is
        {true, 0, 6, 2, Sfx::Defeat},
        {true, 2, 4, 2, Sfx::Defeat},  // shallower than the best: the best stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lost " << c.lost << ", depth " << c.depth);
        harness::ScreenHarness h(&ui::Game::instance());
        setUpRun();
        const std::vector<rpg::ItemInstance> loot = store::run().inventory;
        openResult(h, resultEntry(c.lost, c.depth));
        EXPECT_EQ(h.sounds(), std::vector<Sfx>{c.sound});
        EXPECT_FALSE(h.hasDataFile("run.dat"));
        h.reloadStores();
        EXPECT_FALSE(store::hasRun());
        const store::Meta& meta = store::meta();
        EXPECT_EQ(meta.ascension, c.ascension);
        EXPECT_EQ(meta.bestDepth, c.bestDepth);
        ASSERT_EQ(meta.stash.size(), 3u);
        EXPECT_EQ(meta.stash[1], loot[0]);
        EXPECT_EQ(meta.stash[2], loot[1]);
        EXPECT_EQ(meta.gold, 0) << "the run's gold was paid when it was won";
    }
}

TEST(RunResultScreen, ABuiltAgainScreenSettlesNothingTwice) {
    harness::ScreenHarness h(&ui::Game::instance());
    setUpRun();
    openResult(h, resultEntry(false, 8));
    ui::Game::instance().replace(h.top());  // the same entry, built anew
    h.frames(3);
    h.reloadStores();
    EXPECT_EQ(store::meta().ascension, 3);
    EXPECT_EQ(store::meta().stash.size(), 3u);
    EXPECT_EQ(h.sounds(), std::vector<Sfx>{Sfx::WinGlare});
}

TEST(RunResultScreen, ReturnOrTheButtonLeadsToTheCityAboveTheMenu) {
    for (bool byKey : {true, false}) {
        SCOPED_TRACE(byKey);
        harness::ScreenHarness h(&ui::Game::instance());
        setUpRun();
        openResult(h, resultEntry(true, 3));
        h.runFor(0.5);
        if (byKey) {
            h.key(SDLK_RETURN).frame();
        } else {
            const double s = h.ctx().uiScale;
            h.click(640, 720 - 80 * s + 24 * s);
        }
        const auto& stack = ui::Game::instance().stack();
        ASSERT_EQ(stack.size(), 2u);
        EXPECT_EQ(stack[0].screen, ui::kMenu);
        EXPECT_EQ(stack[1].screen, ui::kCity);
        EXPECT_GE(std::count(h.sounds().begin(), h.sounds().end(), Sfx::Click), 1);
    }
}

TEST(RunResultScreen, WithoutARunItShowsTheEntryAndWritesNothing) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.start(resultEntry(false, 4));
    h.runFor(0.5);
    EXPECT_TRUE(h.sounds().empty());
    EXPECT_FALSE(h.hasDataFile("saves.dat"));
    EXPECT_EQ(store::meta().ascension, 0);
}

} // namespace

// The run result screen: the announcement of a run that was settled where
// it ended (the settlement itself is the run's transaction, tested with
// it), and the way back to the city.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

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
    s.lost = lost;
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

std::string bytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

ui::GameState resultEntry(bool lost, int depth, double gold) {
    ui::GameState s = resultEntry(lost, depth);
    s.gold = gold;
    return s;
}

TEST(RunResultScreen, AnnouncesTheRunItsEntryCarriesAndWritesNothing) {
    struct Case {
        bool lost;
        Sfx sound;
    } cases[] = {{false, Sfx::WinGlare}, {true, Sfx::Defeat}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lost);
        harness::ScreenHarness h(&ui::Game::instance());
        progresstest::addPartyHero(rpg::ClassId::Archer, 6, "arc");
        store::saveMeta();
        const std::string before = bytes(h.dataFile("saves.dat"));
        openResult(h, resultEntry(c.lost, 6, 75));
        h.runFor(0.5);
        EXPECT_EQ(h.sounds(), std::vector<Sfx>{c.sound}) << "once, as the screen is built";
        EXPECT_EQ(bytes(h.dataFile("saves.dat")), before);
        EXPECT_FALSE(h.hasDataFile("run.dat"));
    }
}

// The run is settled where it ends; a run that reaches this screen some
// other way is left as it is, never paid into the progress here.
TEST(RunResultScreen, ARunStillGoingOnIsLeftAlone) {
    harness::ScreenHarness h(&ui::Game::instance());
    setUpRun();
    const store::Meta meta = store::meta();
    const rpg::RunState run = store::run();
    openResult(h, resultEntry(false, 9));
    ui::Game::instance().replace(h.top());  // the same entry, built anew
    h.frames(3);
    h.reloadStores();
    EXPECT_EQ(store::meta(), meta);
    EXPECT_EQ(store::run(), run);
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

TEST(RunResultScreen, WithoutAnyStoresItShowsTheEntryAndWritesNothing) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.start(resultEntry(false, 4));
    h.runFor(0.5);
    EXPECT_FALSE(h.hasDataFile("saves.dat"));
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    EXPECT_EQ(store::meta().ascension, 0);
}

} // namespace

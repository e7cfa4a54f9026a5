// The city hub: the run card starts or continues the run and opens the map;
// every building and shop card opens its screen; Escape leaves.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/city_layout.h"
#include "tests/screens/run_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

// The stack as hero selection leaves it: the menu, then the city.
void openCity(harness::ScreenHarness& h) { runfix::openScreens(h, {ui::kMenu, ui::kCity}); }

// The pointer comes to rest before it presses, as a player's does.
void clickIn(harness::ScreenHarness& h, const ui::Rect& r) {
    h.moveTo(r.x + r.w / 2, r.y + r.h / 2).frame();
    h.click(r.x + r.w / 2, r.y + r.h / 2);
}

ui::CityLayout layoutOf(harness::ScreenHarness& h) {
    const ui::Ctx& c = h.ctx();
    return ui::cityLayout(c.width, c.height, c.uiScale, store::meta().ascension >= 1, 0);
}

TEST(CityScreen, TheRunCardStartsARunOfThePartyThenContinuesIt) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.05);
    runfix::makeParty({rpg::ClassId::Warrior, rpg::ClassId::Cleric});
    store::meta().roster.push_back(rpg::makeHero(rpg::ClassId::Rogue, "", 2));  // parked in the roster
    store::saveMeta();
    openCity(h);

    clickIn(h, layoutOf(h).run);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_EQ(ui::Game::instance().stack().size(), 3u);
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Success});
    h.reloadStores();
    ASSERT_TRUE(store::hasRun());
    const rpg::RunState first = store::run();
    EXPECT_EQ(first.map.rows, 9);
    EXPECT_EQ(first.pos, "start");
    ASSERT_EQ(first.party.size(), 2u);
    EXPECT_EQ(first.party[0].heroId, store::meta().partyIds[0]);
    EXPECT_EQ(first.party[1].heroId, store::meta().partyIds[1]);

    // Back in the city the card continues the same run.
    h.key(SDLK_ESCAPE).frame();
    ASSERT_EQ(h.top().screen, ui::kCity);
    h.frame();
    h.clearSounds();
    clickIn(h, layoutOf(h).run);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});
    h.reloadStores();
    EXPECT_EQ(store::run(), first);
}

TEST(CityScreen, WithAnEmptyPartyTheMapOpensWithoutARun) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.05);
    openCity(h);
    clickIn(h, layoutOf(h).run);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    h.frames(3);  // the map copes with the empty run
    EXPECT_EQ(h.top().screen, ui::kMap);
}

TEST(CityScreen, EveryCardOpensItsScreen) {
    // Tall enough that every card is in view unscrolled.
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 1000);
    h.setFrameStep(0.05);
    runfix::makeParty({rpg::ClassId::Archer});
    struct Case {
        int card;  // 0-4 doors, 5-8 shops
        int screen;
        int subMode;
    } cases[] = {
        {0, ui::kParty, 0},   {1, ui::kTrainer, 0}, {2, ui::kScrollShop, 0}, {3, ui::kKaserne, 0},
        {4, ui::kRuneTower, 0}, {5, ui::kShop, 0},  {6, ui::kShop, 1},       {7, ui::kShop, 2},
        {8, ui::kShop, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        openCity(h);
        const ui::CityLayout l = layoutOf(h);
        clickIn(h, c.card < 5 ? l.doors[c.card] : l.shops[c.card - 5]);
        EXPECT_EQ(h.top().screen, c.screen);
        EXPECT_EQ(h.top().subMode, c.subMode);
        EXPECT_TRUE(h.top().nodeId.empty());
        EXPECT_EQ(ui::Game::instance().stack().size(), 3u);
        EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});
    }
    EXPECT_FALSE(store::hasRun());
}

TEST(CityScreen, CardsScrolledOutOfViewTakeNoClicks) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.05);
    openCity(h);
    const ui::CityLayout l = layoutOf(h);
    // The second row of shops starts below the window; the pointer there
    // lies outside the view, and the card must not react.
    ASSERT_GE(l.shops[2].y, l.view.y + l.view.h);
    clickIn(h, l.shops[2]);
    EXPECT_EQ(h.top().screen, ui::kCity);
    EXPECT_TRUE(h.sounds().empty());
}

TEST(CityScreen, TheAscensionLineMovesTheCardsDown) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.05);
    store::meta().ascension = 1;
    openCity(h);
    const ui::CityLayout with = layoutOf(h);
    const ui::CityLayout without = ui::cityLayout(1280, 720, 1, false, 0);
    EXPECT_DOUBLE_EQ(with.view.y - without.view.y, 18);
    // The top of the run card's old place is now the gap above it.
    clickIn(h, {without.run.x, without.run.y + 6, without.run.w, 8});
    EXPECT_EQ(h.top().screen, ui::kCity);
    clickIn(h, with.run);
    EXPECT_EQ(h.top().screen, ui::kMap);
}

TEST(CityScreen, EscapeReturnsToTheMenu) {
    harness::ScreenHarness h(&ui::Game::instance());
    openCity(h);
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kMenu);
    EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
}

} // namespace

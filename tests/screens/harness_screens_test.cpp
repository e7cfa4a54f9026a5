// The harness drives the process-wide screen stack the way the loop does.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

TEST(HarnessScreens, BuildsTheTopScreenAndReadsTheStack) {
    harness::ScreenHarness h(&ui::Game::instance());
    ui::GameState city;
    city.screen = ui::kCity;
    h.start(city);
    ui::GameState map;
    map.screen = ui::kMap;
    ui::Game::instance().push(map);
    h.frame();
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_GT(h.overlayPixel(640, 10) >> 24, 0u) << "the screen drew its header";
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kCity);
    EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
}

} // namespace

// The splash hands over to the main menu on a click, a key or by itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

TEST(SplashScreen, LeavesForTheMenuOnAClickAKeyOrAfterItsTime) {
    struct Case {
        const char* what;
        std::function<void(harness::ScreenHarness&)> act;
    };
    const Case cases[] = {
        {"click", [](harness::ScreenHarness& h) { h.click(400, 300); }},
        {"key", [](harness::ScreenHarness& h) { h.key(SDLK_SPACE).frame(); }},
        {"time", [](harness::ScreenHarness& h) {
             h.runFor(2.1);
             ASSERT_EQ(h.top().screen, ui::kSplash) << "still within its 2.2 s";
             h.runFor(0.2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        harness::ScreenHarness h(&ui::Game::instance());
        h.start(ui::GameState{});
        h.frame();
        ASSERT_EQ(h.top().screen, ui::kSplash);
        c.act(h);
        EXPECT_EQ(h.top().screen, ui::kMenu);
        EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
    }
}

} // namespace

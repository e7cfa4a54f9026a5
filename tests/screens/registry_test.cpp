#include "ui/screens.h"

#include <gtest/gtest.h>

#include "tests/support/screen_harness.h"

#include <cairo.h>

#include <optional>

namespace {

TEST(ScreenTableTest, EveryScreenNumberHasAScreen) {
    // Some factories settle what the stores hold (the run result ends the
    // run): they get fresh stores of their own.
    harness::ScreenHarness h;
    for (int n = 0; n <= 23; ++n) {
        SCOPED_TRACE(n);
        ui::GameState s;
        s.screen = n;
        EXPECT_NE(ui::makeScreen(s), nullptr);
    }
    for (int n : {-1, 24, 1000}) {
        ui::GameState s;
        s.screen = n;
        EXPECT_EQ(ui::makeScreen(s), nullptr);
    }
}

TEST(ScreenTableTest, TheProcessStackShowsItsTopAndGoesBackOnEscape) {
    ui::Game& game = ui::Game::instance();
    ui::GameState map;
    map.screen = ui::kMap;
    game.resetTo(ui::GameState{});
    game.push(map);

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 320, 180);
    ui::Ctx ctx;
    ctx.cr = cairo_create(surface);
    ctx.width = 320;
    ctx.height = 180;
    ctx.uiScale = ui::uiScaleFor(320, 180);
    game.update(ctx);
    ASSERT_NE(game.current(), nullptr);
    EXPECT_EQ(game.stack().size(), 2u);

    ctx.beginFrame();
    ctx.input.keys.push_back(27);
    const int version = game.version();
    game.update(ctx);
    EXPECT_EQ(game.version(), version + 1);
    EXPECT_EQ(game.top().screen, ui::kSplash);

    cairo_destroy(ctx.cr);
    cairo_surface_destroy(surface);
}

TEST(StartScreenTest, Names) {
    struct Case {
        const char* name;
        int screen;  // -1: unknown, usage line
        int subMode;
    } cases[] = {
        {"menu", 1, 0},       {"herosel", 2, 0},     {"city", 3, 0},      {"party", 4, 0},
        {"kaserne", 5, 0},    {"runetower", 9, 0},   {"trainer", 8, 0},   {"scrolls", 7, 0},
        {"map", 10, 0},       {"rest", 13, 0},       {"treasure", 14, 0}, {"dice", 16, 0},
        {"shell", 17, 0},     {"memory", 18, 0},     {"whack", 19, 0},    {"coin", 20, 0},
        {"settings", 21, 0},  {"about", 22, 0},      {"licenses", 23, 0}, {"shop", 6, 0},
        {"shop:3", 6, 3},     {"shopping", 6, 0},    {"shop:", 6, 0},     {"shop:x", 6, 0},
        {"shop:4:1", 6, 4},   {"shopkeeper:2", 6, 2}, {"shop:99999999999", 6, 2147483647},
        {"Menu", -1, 0},      {"", -1, 0},           {"splash", -1, 0},   {"battle", -1, 0},
        {" map", -1, 0},      {"map ", -1, 0},       {"Shop", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<ui::GameState> s = ui::startScreenFor(c.name);
        ASSERT_EQ(s.has_value(), c.screen >= 0);
        if (!s) continue;
        EXPECT_EQ(s->screen, c.screen);
        EXPECT_EQ(s->subMode, c.subMode);
        // Otherwise the default entry.
        EXPECT_TRUE(s->nodeId.empty());
        EXPECT_TRUE(s->firstFlag);
        EXPECT_EQ(s->depth, 0);
    }
}

TEST(StartScreenTest, UsageNamesEveryStartScreen) {
    EXPECT_EQ(ui::startScreenUsage(),
              "VELMORANDINE_SCREEN: menu herosel city party kaserne runetower trainer scrolls map shop[:0-4] rest "
              "treasure dice shell memory whack coin settings about licenses\n");
}

} // namespace

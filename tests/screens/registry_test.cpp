#include "ui/screens.h"

#include <gtest/gtest.h>

#include <cairo.h>

namespace {

TEST(ScreenTableTest, EveryScreenNumberHasAScreen) {
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

} // namespace

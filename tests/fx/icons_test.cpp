#include <gtest/gtest.h>

#include "fx/icons.h"
#include "tests/fx/canvas.h"

using fxtest::Canvas;

namespace {

constexpr uint32_t kAccent = 0x00FF00;  // no fixed icon colour is green

void icon(Canvas& c, uint32_t which, double x, double y, double size) {
    c.draw([&] { ui::drawCityIcon(c.ctx.cr, ui::CityIcon(which), x, y, size, kAccent); });
}

bool hasAccent(const Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            uint32_t p = c.argb(x, y);
            int a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a > 200 && g > r + 100 && g > b + 100) return true;
        }
    return false;
}

} // namespace

// The hammer head of the smith reaches furthest: 0.6 of the size above the centre.
TEST(CityIcon, EachIconStaysInItsBoxAndWearsTheAccent) {
    Canvas c(200, 200);
    for (uint32_t i = 0; i < 8; ++i) {
        icon(c, i, 100, 100, 100);
        fxtest::Box b = c.paintedBox();
        ASSERT_FALSE(b.empty()) << i;
        EXPECT_GE(b.left, 40) << i;
        EXPECT_LE(b.right, 160) << i;
        EXPECT_GE(b.top, 40) << i;
        EXPECT_LE(b.bottom, 160) << i;
        EXPECT_GT(b.right - b.left, 50) << i;
        EXPECT_TRUE(hasAccent(c)) << i;
    }
}

TEST(CityIcon, RunCardAndUnknownValuesDrawNothing) {
    Canvas c(200, 200);
    for (uint32_t i : {8u, 9u, 0xFFFFFFFFu}) {
        icon(c, i, 100, 100, 100);
        EXPECT_EQ(c.painted(), 0) << i;
    }
}

TEST(CityIcon, FlaskClipEndsWithTheIcon) {
    Canvas c(200, 200);
    cairo_rectangle(c.ctx.cr, 10, 10, 180, 180);
    cairo_clip(c.ctx.cr);  // an outer clip of the caller survives too
    c.draw([&] {
        ui::drawCityIcon(c.ctx.cr, ui::CityIcon::Apothecary, 100, 100, 100, kAccent);
        ui::drawCityIcon(c.ctx.cr, ui::CityIcon::Apothecary, 40, 40, 30, kAccent);
    });
    // A fill after the icon reaches everything the caller's clip allows.
    cairo_rectangle(c.ctx.cr, 0, 0, 200, 200);
    cairo_set_source_rgb(c.ctx.cr, 1, 1, 1);
    cairo_fill(c.ctx.cr);
    EXPECT_EQ(c.painted(), 180 * 180);
}

TEST(CityIcon, TavernHandleKeepsAMinimumWidth) {
    // Size 10 drawn twenty times enlarged: the handle is 2.4 wide (1.6 times
    // the 1.5 floor), so its stroke reaches x + 0.22 s + 0.16 s + 1.2 = +5.0.
    Canvas c(400, 400);
    cairo_scale(c.ctx.cr, 20, 20);
    icon(c, 3, 10, 10, 10);
    EXPECT_NEAR(c.paintedBox().right + 1, 20 * (10 + 5.0), 2);

    // At size 100 the width follows the size: 1.6 * 6 = 9.6, reaching 0.38 s + 4.8.
    Canvas big(200, 200);
    icon(big, 3, 100, 100, 100);
    EXPECT_NEAR(big.paintedBox().right + 1, 100 + 38 + 4.8, 1);
}

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "fx/win_fx.h"
#include "tests/fx/canvas.h"

using fxtest::Canvas;

namespace {

constexpr double kX = 250, kY = 300;

void win(Canvas& c, double t) {
    c.draw([&] { ui::drawWinFx(c.ctx, kX, kY, t); });
}

// Alpha 70 units from the centre, `deg` degrees clockwise from straight up.
int rayAlpha(const Canvas& c, double deg) {
    double a = deg * std::numbers::pi / 180;
    return c.alpha(static_cast<int>(kX + 70 * std::sin(a)), static_cast<int>(kY - 70 * std::cos(a)));
}

} // namespace

TEST(WinFx, RaysTurnOncePerEightSeconds) {
    Canvas c(500, 500);
    win(c, 0);
    EXPECT_NEAR(rayAlpha(c, 0), 77, 2) << "a ray straight up at 0.3";
    EXPECT_EQ(rayAlpha(c, 15), 0) << "between two rays";
    win(c, 8.0 / 48);  // a 48th of a turn clockwise: the rays stand at 7.5 degrees
    EXPECT_NEAR(rayAlpha(c, 7.5), 77, 2);
    EXPECT_EQ(rayAlpha(c, -7.5), 0);
}

TEST(WinFx, ConfettiFliesOutOnlyAfterTheStart) {
    Canvas c(500, 500);
    auto beyondRays = [&] {
        int n = 0;
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x)
                if (c.alpha(x, y) && std::hypot(x + 0.5 - kX, y + 0.5 - kY) > 104) ++n;
        return n;
    };
    win(c, 0);
    EXPECT_GT(c.painted(), 0);
    EXPECT_EQ(beyondRays(), 0) << "at the win only rays and glow";
    win(c, 1.0);
    EXPECT_GT(beyondRays(), 100);
    fxtest::Box b = c.paintedBox();
    EXPECT_LT(b.top, kY - 150) << "thrown upwards";
}

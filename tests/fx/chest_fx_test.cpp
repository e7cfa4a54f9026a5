#include <gtest/gtest.h>

#include "fx/chest_fx.h"
#include "tests/fx/canvas.h"

using fxtest::Canvas;

namespace {

constexpr double kX = 200, kY = 260;
constexpr uint32_t kColor = 0x5AD7FF;

void chest(Canvas& c, bool opening, double t, bool quiet = false, bool grand = false) {
    c.draw([&] { ui::drawChestFx(c.ctx, kX, kY, 1.0, opening, t, kColor, quiet, grand); });
}

} // namespace

TEST(ChestFx, IdleChestBobsOnTheClockAndIgnoresItsTime) {
    Canvas a(400, 400), b(400, 400);
    a.ctx.now = b.ctx.now = 0.3;
    chest(a, false, 0.0);
    chest(b, false, 0.67);  // the moment an opening chest flashes hardest
    EXPECT_TRUE(a.samePixels(b));
    EXPECT_EQ(b.alpha(2, 2), 0) << "an idle chest never flashes";
    EXPECT_EQ(b.rgb(200, 277), 0xDCC24Au) << "the lock stays on";

    a.ctx.now = 0;
    chest(a, false, 0);
    b.ctx.now = 1.2;  // top of the 2.4 s bob
    chest(b, false, 0);
    EXPECT_EQ(a.paintedBox().top - b.paintedBox().top, 5);
    EXPECT_EQ(a.painted(), b.painted());
}

TEST(ChestFx, ShakeSwingsBothWaysAndStopsAt063) {
    struct Case {
        double t;
        int tilt;  // +1 right side lower (clockwise), -1 left side lower, 0 level
    } cases[] = {{0.0, 0}, {0.14, 1}, {0.2, -1}, {0.65, 0}, {1.0, 0}};
    Canvas c(400, 400);
    for (const Case& k : cases) {
        chest(c, true, k.t, true);
        int left = c.lowestRow(0, 200), right = c.lowestRow(200, 400);
        if (k.tilt == 0)
            EXPECT_EQ(left, right) << "t=" << k.t;
        else
            EXPECT_GT((right - left) * k.tilt, 3) << "t=" << k.t;
    }
}

TEST(ChestFx, FlashPeaksAt067FullOnlyWhenGrand) {
    struct Case {
        double t;
        bool grand;
        int alpha;
    } cases[] = {
        {0.5, true, 0}, {0.67, true, 255}, {0.67, false, 153}, {0.94, false, 77}, {1.25, true, 0},
    };
    Canvas c(400, 400);
    for (const Case& k : cases) {
        chest(c, true, k.t, true, k.grand);
        EXPECT_NEAR(c.alpha(2, 2), k.alpha, 1) << "t=" << k.t << " grand=" << k.grand;
        if (k.alpha > 0) {
            EXPECT_EQ(c.argb(2, 2) & 0xFF, static_cast<uint32_t>(c.alpha(2, 2))) << "white";
        }
    }
}

TEST(ChestFx, LidRisesAndTheLockBreaks) {
    Canvas shut(400, 400), open(400, 400);
    chest(shut, true, 0.5, true);
    chest(open, true, 1.5, true);
    EXPECT_EQ(shut.rgb(200, 277), 0xDCC24Au);
    EXPECT_EQ(open.rgb(200, 277), 0x8C5A1Eu) << "the body shows where the lock was";
    EXPECT_LT(open.paintedBox().top, shut.paintedBox().top - 30);
}

TEST(ChestFx, BurstAndParticlesStartAt07UnlessQuiet) {
    Canvas loud(400, 400), quiet(400, 400);
    chest(loud, true, 0.69);
    chest(quiet, true, 0.69, true);
    EXPECT_TRUE(loud.samePixels(quiet)) << "nothing of the burst before 0.7 s";

    chest(loud, true, 1.5);
    chest(quiet, true, 1.5, true);
    auto above = [](const Canvas& c) {
        int n = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 400; ++x) n += c.alpha(x, y) != 0;
        return n;
    };
    EXPECT_EQ(above(quiet), 0);
    EXPECT_GT(above(loud), 1000) << "rays and light cones reach far above the chest";
}

TEST(ChestFx, GrandChestThrowsParticlesFarther) {
    auto farthest = [](bool grand) {
        Canvas c(2400, 2400);
        c.draw([&] { ui::drawChestFx(c.ctx, 1200, 1200, 1.0, true, 1.35, kColor, false, grand); });
        fxtest::Box b = c.paintedBox();
        return std::max({1200 - b.left, b.right - 1200, 1200 - b.top, b.bottom - 1200});
    };
    int plain = farthest(false), grand = farthest(true);
    EXPECT_GT(plain, 250);
    EXPECT_GT(grand, plain + 100);
}

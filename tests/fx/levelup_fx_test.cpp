#include <gtest/gtest.h>

#include <cmath>

#include "fx/levelup_fx.h"
#include "tests/fx/canvas.h"
#include "tests/ui/ui_fixture.h"

using fxtest::Canvas;

namespace {

constexpr int kCx = 320, kCy = 180;
constexpr uint32_t kBevelLight = 0x7A5F40;

constexpr uint32_t kBannerText = 0xF4C95A;

void levelUp(Canvas& c, double t, const char* text = "Level up!") {
    c.draw([&] { ui::drawLevelUpFx(c.ctx, text, t); });
}

// Horizontal extent of the banner text's gold pixels.
std::pair<int, int> goldSpan(const Canvas& c) {
    int lo = c.width(), hi = -1;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.alpha(x, y) == 255 && fxtest::nearColor(c.rgb(x, y), kBannerText, 6)) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    return {lo, hi};
}

class LevelUpFx : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }
};

// Left edge of the banner on the centre row: its first fully covered column
// of the light bevel strip.
int bannerLeft(const Canvas& c) {
    for (int x = 0; x < kCx; ++x)
        if (c.alpha(x, kCy) == 255 && fxtest::nearColor(c.rgb(x, kCy), kBevelLight)) return x;
    return -1;
}

} // namespace

TEST_F(LevelUpFx, WaitsUntil095AndEndsByItself) {
    Canvas c(640, 360);
    levelUp(c, 0.94);
    EXPECT_EQ(c.painted(), 0);
    levelUp(c, 0.96);
    EXPECT_GT(c.painted(), 0);
    levelUp(c, 0.95 + 3.0);  // banner gone, the last sparkles still rise
    EXPECT_EQ(bannerLeft(c), -1);
    EXPECT_GT(c.painted(), 0);
    levelUp(c, 0.95 + 4.1);
    EXPECT_EQ(c.painted(), 0);
}

TEST_F(LevelUpFx, BannerOvershootsThenSettlesAndFades) {
    struct Case {
        double u;
        double scale;
    } cases[] = {{0.24, 1.18}, {0.39, 1.0}, {1.0, 1.0}, {1.64, 1.0}};
    Canvas c(640, 360);
    for (const Case& k : cases) {
        levelUp(c, 0.95 + k.u);
        EXPECT_NEAR(bannerLeft(c), std::ceil(kCx - 130 * k.scale), 1) << "u=" << k.u;
    }
    // Half way through the fade: the bevel at 0.5 over the box at 0.72 * 0.5.
    levelUp(c, 0.95 + 1.86);
    EXPECT_NEAR(c.alpha(kCx - 129, kCy), 255 * (0.36 + 0.5 * 0.64), 2);
    levelUp(c, 0.95 + 2.08);
    EXPECT_EQ(c.alpha(kCx - 129, kCy), 0);
}

TEST_F(LevelUpFx, BannerTextIsCentredAndShrinksToFit) {
    Canvas c(640, 360);
    levelUp(c, 0.95 + 1.0);
    auto [lo, hi] = goldSpan(c);
    ASSERT_LT(lo, hi) << "gold text on the banner";
    EXPECT_NEAR((lo + hi) / 2.0, kCx, 3);
    EXPECT_GT(lo, kCx - 120);

    // Twice as many letters would run past the banner at full size.
    levelUp(c, 0.95 + 1.0, "Level up! Level up!");
    auto [lo2, hi2] = goldSpan(c);
    EXPECT_GE(lo2, kCx - 121);
    EXPECT_LE(hi2, kCx + 121);
    EXPECT_GT(hi2 - lo2, hi - lo);
}

TEST_F(LevelUpFx, FollowsTheUiScale) {
    Canvas c(640, 360, 1.5);
    levelUp(c, 0.95 + 1.0);
    EXPECT_NEAR(bannerLeft(c), std::ceil(kCx - 130 * 1.5), 1);
}

namespace {

constexpr uint32_t kFill = 0x30C030;
constexpr uint32_t kTrack = 0x120D09;
const ui::Rect kBar{10, 10, 180, 20};  // border 2 at scale 1: the fill runs from x 12 over 176

void bar(Canvas& c, double from, double to, double now, double start = 10) {
    c.draw([&] { ui::drawXpGainBar(c.ctx, kBar, from, to, kFill, now, start); });
}

// Right end of the fill: the last inner column that is not the track.
double fillEnd(const Canvas& c) {
    for (int x = 187; x >= 12; --x)
        if (c.rgb(x, 20) != kTrack) return x + 1;
    return 12;
}

} // namespace

TEST(XpGainBar, FillEasesFromOldToNewFraction) {
    struct Case {
        double from, to, elapsed, fill;
    } cases[] = {
        {0.2, 0.8, -1.0, 0.2},  {0.2, 0.8, 0.0, 0.2},   {0.2, 0.8, 0.55, 0.725},
        {0.2, 0.8, 1.1, 0.8},   {0.2, 0.8, 6.0, 0.8},   {0.5, 1.5, 3.0, 1.0},
        {0.9, 0.3, 3.0, 0.3},
    };
    Canvas c(200, 40);
    for (const Case& k : cases) {
        bar(c, k.from, k.to, 10 + k.elapsed);
        EXPECT_NEAR(fillEnd(c), 12 + 176 * k.fill, 1.0) << k.from << "->" << k.to << " after " << k.elapsed;
    }
}

TEST(XpGainBar, ShimmersOnlyInTheFirstTwoSeconds) {
    Canvas c(200, 40);
    bar(c, 0.5, 0.5, 10.2);  // the shimmer's crest
    uint32_t crest = c.rgb(50, 20);
    EXPECT_GT(crest & 0xFF, 0xC0u) << "whitened";
    bar(c, 0.5, 0.5, 10.0);
    EXPECT_EQ(c.rgb(50, 20), kFill) << "not before the start";
    bar(c, 0.5, 0.5, 12.2);  // a crest, were it still shimmering
    EXPECT_EQ(c.rgb(50, 20), kFill) << "not after 2 s";
    bar(c, 0.5, 0.5, 10.4);
    EXPECT_EQ(c.rgb(50, 20), kFill) << "a trough of the 0.4 s shimmer";
}

TEST(XpGainBar, EmptyFillDrawsOnlyTrackAndSunkenBevel) {
    Canvas c(200, 40);
    for (double f : {0.0, -0.5}) {
        bar(c, f, f, 10.3);
        EXPECT_EQ(c.rgb(13, 20), kTrack) << f;
        EXPECT_EQ(c.rgb(100, 20), kTrack) << f;
    }
    EXPECT_EQ(c.rgb(10, 20), 0x0F0A06u) << "left";
    EXPECT_EQ(c.rgb(100, 10), 0x0F0A06u) << "top";
    EXPECT_EQ(c.rgb(189, 20), 0x7A5F40u) << "right";
    EXPECT_EQ(c.rgb(100, 29), 0x7A5F40u) << "bottom";
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fx/storm.h"
#include "rules/rng.h"
#include "tests/fx/canvas.h"
#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"

using fxtest::Canvas;
using fxtest::Rgb;
using fxtest::SoftGpu;

namespace {

constexpr double kDepth = 0.32 * 360;

// Draws one frame of the storm at `now`.
void frame(Canvas& c, ui::Storm& st, double now, double depth = kDepth) {
    c.ctx.now = now;
    c.draw([&] { ui::stormBackdrop(c.ctx, &st, depth); });
}

ui::Storm strikeAt(Canvas& c, double now) {
    ui::Storm st;
    st.nextStrike = now;
    frame(c, st, now);
    return st;
}

bool samePoint(const ui::Storm::Point& a, const ui::Storm::Point& b) { return a.x == b.x && a.y == b.y; }

bool sameBolts(const ui::Storm& a, const ui::Storm& b) {
    if (a.bolts.size() != b.bolts.size()) return false;
    for (size_t i = 0; i < a.bolts.size(); ++i) {
        if (a.bolts[i].size() != b.bolts[i].size()) return false;
        for (size_t k = 0; k < a.bolts[i].size(); ++k)
            if (!samePoint(a.bolts[i][k], b.bolts[i][k])) return false;
    }
    return true;
}

} // namespace

TEST(Storm, StrikeHasAMainBoltWithBranchesAndTwigs) {
    Canvas c(640, 360);
    bool sawBig = false, sawSmall = false;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        ui::seedStormForTests(seed * 7919u);
        ui::Storm st = strikeAt(c, 5.0);
        (st.big ? sawBig : sawSmall) = true;
        ASSERT_GE(st.bolts.size(), 5u);
        ASSERT_LE(st.bolts.size(), 14u);

        const auto& main = st.bolts[0];
        ASSERT_EQ(main.size(), 10u);
        EXPECT_EQ(main[0].y, 0);
        if (st.big) {
            EXPECT_EQ(main[9].x, 320);
            EXPECT_EQ(main[9].y, kDepth);
            EXPECT_EQ(st.flash, 0.42);
            EXPECT_EQ(st.bigCount, 1);
        } else {
            EXPECT_GE(main[9].x, 0.18 * 640);
            EXPECT_LT(main[9].x, 0.82 * 640);
            EXPECT_GE(main[9].y, 0.5 * 360);
            EXPECT_LT(main[9].y, 0.7 * 360);
            EXPECT_EQ(st.flash, 0.3);
            EXPECT_EQ(st.bigCount, 0);
        }
        EXPECT_LE(std::fabs(main[0].x - main[9].x), 60);
        // The zigzag: odd points left of the straight line, even ones right.
        for (int k = 1; k < 9; ++k) {
            double line = main[0].x + k / 9.0 * (main[9].x - main[0].x);
            double off = main[k].x - line;
            EXPECT_GE(std::fabs(off), 24 - 1e-9);
            EXPECT_LT(std::fabs(off), 44);
            EXPECT_EQ(off < 0, k % 2 == 1) << k;
        }

        int branches = 0;
        for (size_t b = 1; b < st.bolts.size(); ++b) {
            const auto& bolt = st.bolts[b];
            bool twig = bolt.size() == 3 && samePoint(bolt[0], st.bolts[b - 1][1]) && b > 1 &&
                        st.bolts[b - 1].size() >= 3 && !samePoint(st.bolts[b - 1][0], bolt[0]);
            if (!twig) {
                ++branches;
                ASSERT_GE(bolt.size(), 3u);
                ASSERT_LE(bolt.size(), 5u);
                bool onInnerPoint = false;
                for (int k = 1; k < 9; ++k) onInnerPoint |= samePoint(bolt[0], main[k]);
                EXPECT_TRUE(onInnerPoint) << "branch " << b;
            }
            for (size_t k = 1; k < bolt.size(); ++k) EXPECT_GT(bolt[k].y, bolt[k - 1].y);
        }
        EXPECT_GE(branches, 4);
        EXPECT_LE(branches, 7);

        EXPECT_EQ(st.lastStrike, 5.0);
        EXPECT_GE(st.nextStrike, 5.0 + 2.2);
        EXPECT_LT(st.nextStrike, 5.0 + 6.2);
    }
    EXPECT_TRUE(sawBig);
    EXPECT_TRUE(sawSmall);
}

TEST(Storm, DrawsInItsOrderFromItsOwnGenerator) {
    Canvas c(640, 360);
    const uint32_t seed = 0xC0FFEEu;
    ui::seedStormForTests(seed);
    ui::Storm st = strikeAt(c, 2.0);

    rpg::Rng g{seed};
    bool big = g.uniform() < 0.4;
    ASSERT_EQ(st.big, big);
    double x = 320, end = kDepth;
    if (!big) {
        x = (0.18 + 0.64 * g.uniform()) * 640;
        end = (0.5 + 0.2 * g.uniform()) * 360;
    }
    double x0 = x + (2 * g.uniform() - 1) * 60;
    EXPECT_DOUBLE_EQ(st.bolts[0][0].x, x0);
    EXPECT_DOUBLE_EQ(st.bolts[0][1].x, x0 + (x - x0) / 9 - (24 + 20 * g.uniform()));
    EXPECT_DOUBLE_EQ(st.bolts[0][2].x, x0 + 2 * (x - x0) / 9 + (24 + 20 * g.uniform()));
    EXPECT_DOUBLE_EQ(st.bolts[0][9].y, end);
    for (int k = 3; k < 9; ++k) g.uniform();

    // Then the branch count, and per branch its start, direction and length
    // (three draws per segment), a twig coin and two draws per twig segment;
    // the last draw times the next strike.
    int branches = static_cast<int>(4 * g.uniform()) + 4;
    size_t b = 1;
    for (int n = 0; n < branches; ++n) {
        SCOPED_TRACE(n);
        ASSERT_LT(b, st.bolts.size());
        const auto& branch = st.bolts[b++];
        int from = static_cast<int>(8 * g.uniform()) + 1;
        EXPECT_TRUE(samePoint(branch[0], st.bolts[0][from]));
        bool left = g.uniform() < 0.5;
        EXPECT_EQ(branch[1].x < branch[0].x, left);
        int segments = static_cast<int>(3 * g.uniform()) + 2;
        EXPECT_EQ(branch.size(), static_cast<size_t>(segments + 1));
        for (int k = 0; k < 3 * segments; ++k) g.uniform();
        if (g.uniform() < 0.5) {
            ASSERT_LT(b, st.bolts.size());
            const auto& twig = st.bolts[b++];
            EXPECT_TRUE(samePoint(twig[0], branch[1]));
            EXPECT_EQ(twig[1].x > twig[0].x, left) << "the twig turns the other way";
            for (int k = 0; k < 4; ++k) g.uniform();
        }
    }
    EXPECT_EQ(b, st.bolts.size());
    EXPECT_DOUBLE_EQ(st.nextStrike, 2.0 + 2.2 + 4 * g.uniform());

    // The same seed replays the strike; the generator is shared, so the next
    // storm gets a different one.
    ui::seedStormForTests(seed);
    ui::Storm again = strikeAt(c, 2.0);
    EXPECT_TRUE(sameBolts(st, again));
    EXPECT_EQ(st.nextStrike, again.nextStrike);
    ui::Storm other = strikeAt(c, 2.0);
    EXPECT_FALSE(sameBolts(st, other));
}

TEST(Storm, StrikesAtMostOncePerFrame) {
    Canvas c(640, 360);
    ui::seedStormForTests(42);
    ui::Storm st;
    st.nextStrike = 1.0;  // several strike times have passed by t = 10
    frame(c, st, 10.0);
    ASSERT_EQ(st.lastStrike, 10.0);
    EXPECT_GE(st.nextStrike, 12.2);
    ui::Storm kept = st;
    frame(c, st, 10.0);
    frame(c, st, 12.19);
    EXPECT_TRUE(sameBolts(st, kept));
    EXPECT_EQ(st.nextStrike, kept.nextStrike);
    frame(c, st, st.nextStrike);
    EXPECT_EQ(st.lastStrike, kept.nextStrike);
}

// The storm lies wholly on the GPU layer, beneath all that the screen draws
// on the overlay after it.
std::vector<std::uint32_t> stormPicture(SoftGpu& gpu, ui::Storm& st, double now) {
    gpu.beginFrame(now);
    auto before = cairocheck::snapshot(gpu.ctx.cr);
    ui::stormBackdrop(gpu.ctx, &st, kDepth);
    EXPECT_TRUE(cairocheck::unchanged(gpu.ctx.cr, before));
    EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0) << "nothing on the overlay";
    std::vector<std::uint32_t> out;
    for (int y = 0; y < gpu.pixelHeight(); ++y)
        for (int x = 0; x < gpu.pixelWidth(); ++x) {
            const Rgb c = gpu.pixel(x, y);
            out.push_back(static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b));
        }
    return out;
}

TEST(Storm, BoltsFlickerThenOnlyRainRemains) {
    SoftGpu gpu(640, 360);
    ASSERT_TRUE(gpu.ok());
    gpu.ctx.uiScale = 1;
    ui::Storm calm;  // first strike still ahead, last one long past
    calm.nextStrike = 1e9;

    ui::seedStormForTests(7);
    ui::Storm st;
    st.nextStrike = 20.0;
    stormPicture(gpu, st, 20.0);
    ASSERT_FALSE(st.bolts.empty());

    struct Case {
        double ms;
        bool onlyRain;
    } cases[] = {{18, false}, {100, false}, {200, false}, {220, true}, {1500, true}};
    for (const Case& k : cases) {
        double now = 20.0 + k.ms / 1000;
        const auto struck = stormPicture(gpu, st, now);
        EXPECT_EQ(struck == stormPicture(gpu, calm, now), k.onlyRain) << k.ms << " ms";
    }

    // The strongest flicker: the main bolt's white core shows.
    stormPicture(gpu, st, 20.018);
    const auto& p = st.bolts[0][5];
    const Rgb core = gpu.pixel(static_cast<int>(p.x), static_cast<int>(p.y));
    EXPECT_TRUE(fxtest::nearColor(static_cast<std::uint32_t>(core.r << 16 | core.g << 8 | core.b), 0xFFFFFF, 24));

    // Every strike paints its bolts anew and lets the last one's pictures
    // go: the cache does not grow strike by strike.
    std::size_t cached = ui::gpuCacheSize();
    for (int i = 0; i < 12; ++i) {
        const int last = st.strikeId;
        st.nextStrike = 30.0 + i;
        stormPicture(gpu, st, 30.018 + i);
        EXPECT_NE(st.strikeId, last);
        if (i == 0) cached = ui::gpuCacheSize();
    }
    EXPECT_EQ(ui::gpuCacheSize(), cached);
}

TEST(Storm, SkyFlashWithoutBolts) {
    SoftGpu gpu(320, 180);
    ASSERT_TRUE(gpu.ok());
    ui::Storm st;
    st.nextStrike = 1e9;
    st.lastStrike = 3.0;
    st.flash = 0.42;
    // Over black, the flash's colour at its strength (rain aside).
    auto flashAt = [&](double now) {
        stormPicture(gpu, st, now);
        return gpu.pixel(160, 2).b;
    };
    EXPECT_NEAR(flashAt(3.030), 0.42 * 255, 2) << "the flash's peak";
    EXPECT_NEAR(flashAt(3.066), 0.06 * 255, 2);
    EXPECT_EQ(flashAt(3.5), 0) << "over";
}

TEST(ElectricTitle, FlaresOnlyDuringItsShortSpan) {
    Canvas c(640, 360);
    const ui::Rect title{200, 100, 240, 50};
    struct Case {
        ui::Rect r;
        double t;
        bool drawn;
    } cases[] = {
        {title, -0.01, false}, {title, 0.0, false}, {title, 0.07, true}, {title, 0.62, true},
        {title, 0.63, false},  {title, 2.0, false}, {{200, 100, 0, 50}, 0.07, false},
        {{200, 100, -5, 50}, 0.07, false},
    };
    for (const Case& k : cases) {
        c.draw([&] { ui::electricTitle(c.ctx, k.r, k.t); });
        EXPECT_EQ(c.painted() > 0, k.drawn) << "t=" << k.t << " w=" << k.r.w;
    }
    // At 70 ms the bars along 0.2 and 0.82 of the height are at 0.55.
    c.draw([&] { ui::electricTitle(c.ctx, title, 0.07); });
    EXPECT_NEAR(c.alpha(320, 110), 0.55 * 255, 2);
    EXPECT_NEAR(c.alpha(320, 141), 0.55 * 255, 2);
    EXPECT_EQ(c.alpha(320, 126), 0) << "the middle line has only its streak";
}

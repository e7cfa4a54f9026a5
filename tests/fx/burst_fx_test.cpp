// Bursts, heal columns, buff links and flask pours.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "fx/fx.h"
#include "tests/fx/battle_fixture.h"
#include "tests/fx/soft_gpu.h"

namespace {

using battlefx::Stage;
using battlefx::kBlue;
using battlefx::kCx;
using battlefx::kCy;
using battlefx::kRed;
using fxtest::SoftGpu;

TEST(BurstFamily, DrawsNothingOutsideTheOpenWindow) {
    using Effect = std::function<void(ui::Ctx&, double)>;
    const Effect effects[] = {
        [](ui::Ctx& c, double t) { ui::drawBurst(c, kCx, kCy, kRed, 10, 30, true, true, t); },
        [](ui::Ctx& c, double t) { ui::drawHealColumn(c, kCx, kCy, t); },
        [](ui::Ctx& c, double t) { ui::drawBuffLink(c, 100, 200, 500, 300, kRed, kBlue, t); },
        [](ui::Ctx& c, double t) { ui::drawFlaskPour(c, kCx, kCy, kRed, kBlue, t); },
    };
    Stage st;
    int index = 0;
    for (const Effect& fx : effects) {
        for (double t : {-1.0, 0.0, 1.0, 1.2, std::nan("")}) {
            st.draw([&](ui::Ctx& c) { fx(c, t); });
            EXPECT_EQ(st.painted(), 0) << "effect " << index << " t " << t;
        }
        st.draw([&](ui::Ctx& c) { fx(c, 0.3); });
        EXPECT_GT(st.painted(), 0) << "effect " << index;
        ++index;
    }
}

TEST(Burst, PartsFollowTheFlagsAndAtLeastOneParticle) {
    struct Case {
        int count;
        bool flash, ring;
        double t;
        int particles;
    };
    // The flash lasts while the eased progress is below 0.38 (t < 0.21). The
    // spray flies out to 240 units, clear of the flash and the ring, so each
    // piece stands apart; the ring's quarters may meet a pixel apart in the
    // tests' renderer.
    const Case cases[] = {
        {0, false, false, 0.5, 1},  {-4, false, false, 0.5, 1}, {1, false, false, 0.5, 1},  {10, false, false, 0.5, 10},
        {10, true, false, 0.1, 10}, {10, true, false, 0.3, 10}, {10, false, true, 0.3, 10}, {6, true, true, 0.1, 6},
    };
    SoftGpu gpu(640, 640);
    ASSERT_TRUE(gpu.ok());
    gpu.ctx.uiScale = 1;
    for (const Case& c : cases) {
        gpu.beginFrame(0);
        ui::drawBurst(gpu.ctx, kCx, kCy, kRed, c.count, 240, c.flash, c.ring, c.t);
        const std::string what = "count " + std::to_string(c.count) + " flash " + std::to_string(c.flash) +
                                 " ring " + std::to_string(c.ring) + " t " + std::to_string(c.t);
        const bool flashLit = c.flash && c.t < 0.21;
        EXPECT_EQ(gpu.blobs([](fxtest::Rgb p) { return p.g > 40; }), flashLit ? 1 : 0) << what << ": the white flash";
        EXPECT_EQ(gpu.blobs([](fxtest::Rgb p) { return p.r > 8 && p.g < 4; }, 3), c.particles + (c.ring ? 1 : 0))
            << what << ": the particles and the ring";
    }
}

TEST(Burst, ParticlesFlyOutToTheRadiusAndLift) {
    // Four particles at 0°, 90°+0.4, 180°, 270°+0.4 radians; near the end
    // the spray reaches radius × scale × e and rises by 6 s × e.
    const double t = 0.9;
    const double e = 1 - (1 - t) * (1 - t);
    for (double scale : {1.0, 2.0}) {
        Stage st(scale);
        st.draw([&](ui::Ctx& c) { ui::drawBurst(c, kCx, kCy, kRed, 4, 60, false, false, t); });
        const ui::Rect ink = st.ink();
        const double reach = 60 * scale * e;
        EXPECT_NEAR(ink.x, kCx - reach - (3 + 2) * scale * (1 - 0.5 * e) / 2, 2) << "scale " << scale;
        EXPECT_NEAR(ink.x + ink.w, kCx + reach + 3 * scale * (1 - 0.5 * e) / 2, 2) << "scale " << scale;
        // Particle 0 at angle 0 sits on the lifted horizontal line.
        EXPECT_GT(st.alpha(kCx + reach, kCy - 6 * scale * e), 0);
    }
}

TEST(HealColumn, RisesAndShrinksWhileItFades) {
    // The column's frame stands at y + 16 s − 14 s d and is scaled
    // vertically by 1 − 0.15 d, d = max(0, (t − 0.55) / 0.45); its outer
    // layer spans ±30 s by ±42 s, and its outline of width 1.5 s stands
    // half outside. The plus signs stay inside it at these t.
    const double s = 2;
    Stage st(s);
    for (double t : {0.2, 0.5, 0.7, 0.9}) {
        const double d = std::max(0.0, (t - 0.55) / 0.45);
        const double mid = kCy + 16 * s - 14 * s * d;
        const double half = (42 + 0.75) * s * (1 - 0.15 * d);
        st.draw([&](ui::Ctx& c) { ui::drawHealColumn(c, kCx, kCy, t); });
        const ui::Rect ink = st.ink();
        EXPECT_NEAR(ink.y, mid - half, 2) << "t " << t;
        EXPECT_NEAR(ink.y + ink.h, mid + half, 2) << "t " << t;
        EXPECT_NEAR(ink.w, 61.5 * s, 2) << "t " << t;
    }
}

TEST(HealColumn, IntensityRisesHoldsAndFalls) {
    // A pixel of the outer layer alone, low beside the middle layer, away
    // from the plus signs: alpha 0.2 × intensity.
    struct Case {
        double t;
        double intensity;
    };
    const Case cases[] = {{0.07, 0.5}, {0.14, 1}, {0.3, 1}, {0.55, 1}, {0.775, 0.5}};
    Stage st;
    for (const Case& c : cases) {
        st.draw([&](ui::Ctx& ctx) { ui::drawHealColumn(ctx, kCx, kCy, c.t); });
        const double d = std::max(0.0, (c.t - 0.55) / 0.45);
        const double y = kCy + 16 - 14 * d + 30 * (1 - 0.15 * d);
        EXPECT_NEAR(st.alpha(kCx + 26, y), 255 * 0.2 * c.intensity, 1.5) << "t " << c.t;
    }
}

TEST(HealColumn, InnerLayersAreFilledOnce) {
    // Each layer adds its own alpha over the ones below it; a layer path
    // left behind would be filled again by the next layer and darken it.
    Stage st;
    st.draw([](ui::Ctx& c) { ui::drawHealColumn(c, kCx, kCy, 0.3); });
    const double outer = 0.2, middle = 0.28, inner = 0.34;
    const double expectOuterMiddle = 1 - (1 - outer) * (1 - middle);
    const double expectAll = 1 - (1 - outer) * (1 - middle) * (1 - inner);
    EXPECT_NEAR(st.alpha(kCx + 20, kCy + 40), 255 * expectOuterMiddle, 1.5);
    EXPECT_NEAR(st.alpha(kCx + 12, kCy + 50), 255 * expectAll, 1.5);
}

TEST(BuffLink, BeamLiesAlongTheLine) {
    struct Case {
        double x0, y0, x1, y1;
    };
    // t = 0.3: the beam is out (its thickness is at most 6 s) and the orbs
    // are small squares on the line.
    const Case cases[] = {
        {100, 320, 540, 320},  // right
        {320, 540, 320, 100},  // up
        {100, 100, 500, 500},  // diagonal
    };
    Stage st;
    for (const Case& c : cases) {
        st.draw([&](ui::Ctx& ctx) { ui::drawBuffLink(ctx, c.x0, c.y0, c.x1, c.y1, kRed, kBlue, 0.3); });
        const ui::Rect ink = st.ink();
        EXPECT_NEAR(ink.x, std::min(c.x0, c.x1), 6);
        EXPECT_NEAR(ink.x + ink.w, std::max(c.x0, c.x1), 6);
        EXPECT_NEAR(ink.y, std::min(c.y0, c.y1), 6);
        EXPECT_NEAR(ink.y + ink.h, std::max(c.y0, c.y1), 6);
        // The middle of the line is covered.
        EXPECT_GT(st.alpha((c.x0 + c.x1) / 2, (c.y0 + c.y1) / 2), 0);
    }
}

TEST(BuffLink, SamePointsDrawAShortLevelBeam) {
    Stage st;
    st.draw([](ui::Ctx& c) { ui::drawBuffLink(c, kCx, kCy, kCx, kCy, kRed, kBlue, 0.05); });
    // The beam, one unit long, and the first orb, both on the point.
    const ui::Rect ink = st.ink();
    EXPECT_GT(st.painted(), 0);
    EXPECT_LE(ink.w, 12);
    EXPECT_LE(ink.h, 12);
    EXPECT_NEAR(ink.x + ink.w / 2, kCx, 1.5);
    EXPECT_NEAR(ink.y + ink.h / 2, kCy, 1.5);
}

TEST(BuffLink, OrbsTravelOneAfterAnother) {
    // At e = 0.5 orb 0 is halfway, orb 1 at (0.5 − 0.22) / 0.78, orb 2 at
    // (0.5 − 0.44) / 0.56; the middle orb alone takes colour B.
    const double t = 1 - std::sqrt(0.5);
    Stage st;
    st.draw([&](ui::Ctx& c) { ui::drawBuffLink(c, 100, kCy, 500, kCy, kRed, kBlue, t); });
    const double q1 = 0.28 / 0.78;
    const uint32_t p = st.canvas().pixel(static_cast<int>(100 + 400 * q1), static_cast<int>(kCy));
    EXPECT_GT(p & 0xFF, (p >> 16) & 0xFF) << "the middle orb is blue";
    const double q0 = 0.5;
    const uint32_t r = st.canvas().pixel(static_cast<int>(100 + 400 * q0), static_cast<int>(kCy));
    EXPECT_GT((r >> 16) & 0xFF, r & 0xFF) << "the first orb is red";
}

TEST(FlaskPour, PartsAppearInTheirTimeWindows) {
    // Probes: the stream (left of the point, well below the flask's mouth)
    // and the flask's stopper at its hanging point above the target.
    struct Case {
        double t;
        bool stream;
        bool anything;
    };
    const Case cases[] = {
        {0.2, false, true}, {0.4, true, true},  {0.57, true, true},
        {0.6, false, true}, {0.9, false, true}, {0.93, false, false},
    };
    Stage st;
    for (const Case& c : cases) {
        st.draw([&](ui::Ctx& ctx) { ui::drawFlaskPour(ctx, kCx, kCy, kRed, kBlue, c.t); });
        EXPECT_EQ(st.alpha(kCx - 11, kCy - 50) > 0, c.stream) << "t " << c.t;
        EXPECT_EQ(st.painted() > 0, c.anything) << "t " << c.t;
    }
}

TEST(FlaskPour, FlaskGrowsToFullSizeByTheEighthOfItsRun) {
    // Before the drops start only the flask is drawn; it turns about its
    // hanging point (x, y − 66 s), so its farthest ink from that point
    // measures its size whatever its tilt.
    const double s = 2;
    Stage st(s);
    auto reach = [&](double t) {
        st.draw([&](ui::Ctx& c) { ui::drawFlaskPour(c, kCx, kCy, kRed, kBlue, t); });
        double far = 0;
        for (int y = 0; y < 640; ++y)
            for (int x = 0; x < 640; ++x)
                if (st.alpha(x, y) > 0) far = std::max(far, std::hypot(x + 0.5 - kCx, y + 0.5 - (kCy - 66 * s)));
        return far;
    };
    const double full = reach(0.08);
    // The glass outline's far corner: centre (3, 16) s, radius 5 s + 1 s.
    EXPECT_NEAR(full, (std::hypot(3, 16) + 6) * s, 2);
    EXPECT_NEAR(reach(0.15), full, 1);
    EXPECT_NEAR(reach(0.01) / full, 0.6 + 0.4 * 0.01 / 0.08, 0.04);
}

}  // namespace

namespace {

// A non-finite position would leave the context in an error state that
// blanks the rest of the frame; the check after each call catches that.
TEST(BattleEffects, NonFiniteCoordinatesDrawNothing) {
    using Effect = std::function<void(ui::Ctx&, double)>;
    const Effect effects[] = {
        [](ui::Ctx& c, double v) { ui::drawSlash(c, rpg::SlashSweep, v, kCy, kRed, kBlue, 1, 0.5); },
        [](ui::Ctx& c, double v) { ui::drawAura(c, rpg::AuraShield, kCx, v, kRed, kBlue, 1, 0.5); },
        [](ui::Ctx& c, double v) {
            ui::drawProjectile(c, rpg::FormArrow, rpg::TrailEmber, kCx, kCy, v, kCy, kRed, kBlue, 1, 0.5, true);
        },
        [](ui::Ctx& c, double v) { ui::drawBurst(c, v, kCy, kRed, 5, 30, true, true, 0.1); },
        [](ui::Ctx& c, double v) { ui::drawBurst(c, kCx, kCy, kRed, 5, v, true, true, 0.1); },
        [](ui::Ctx& c, double v) { ui::drawHealColumn(c, kCx, v, 0.5); },
        [](ui::Ctx& c, double v) { ui::drawBuffLink(c, kCx, kCy, kCx, v, kRed, kBlue, 0.5); },
        [](ui::Ctx& c, double v) { ui::drawFlaskPour(c, v, kCy, kRed, kBlue, 0.4); },
        [](ui::Ctx& c, double v) {
            ui::StatusAuraPick pick;
            pick.add(rpg::StatusKind::Regen);
            ui::drawStatusAura(c, pick, kCx, kCy, v);
        },
        [](ui::Ctx& c, double v) {
            ui::drawAoE(c, rpg::AoEWhirl, rpg::VariantDefault, {100, 100, v, 120}, kRed, kBlue, 1, 0.5);
        },
    };
    Stage st;
    int index = 0;
    for (const Effect& fx : effects) {
        for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
            st.draw([&](ui::Ctx& c) { fx(c, v); });
            EXPECT_EQ(st.painted(), 0) << "effect " << index << " value " << v;
        }
        ++index;
    }
}

} // namespace

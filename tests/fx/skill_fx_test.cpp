// Slashes, auras and projectiles.
#include <gtest/gtest.h>

#include <cmath>

#include "fx/fx.h"
#include "tests/fx/battle_fixture.h"

namespace {

using battlefx::Stage;
using battlefx::kBlue;
using battlefx::kCx;
using battlefx::kCy;
using battlefx::kRed;

TEST(Slash, DrawsOnlyInsideTheOpenWindow) {
    Stage st;
    for (int kind = 0; kind <= 7; ++kind) {
        for (double t : {-0.5, 0.0, 1.0, 1.5, std::nan("")}) {
            st.draw(
                [&](ui::Ctx& c) { ui::drawSlash(c, static_cast<rpg::SlashKind>(kind), kCx, kCy, kRed, kBlue, 2, t); });
            EXPECT_EQ(st.painted(), 0) << "kind " << kind << " t " << t;
        }
        st.draw(
            [&](ui::Ctx& c) { ui::drawSlash(c, static_cast<rpg::SlashKind>(kind), kCx, kCy, kRed, kBlue, 2, 0.5); });
        const bool known = kind >= 1 && kind <= 6;
        EXPECT_EQ(st.painted() > 0, known) << "kind " << kind;
    }
    st.draw([&](ui::Ctx& c) { ui::drawSlash(c, static_cast<rpg::SlashKind>(255), kCx, kCy, kRed, kBlue, 1, 0.5); });
    EXPECT_EQ(st.painted(), 0);
}

// Ink sizes in units of R = scale × tier factor, at t = 0.5 where the sweep
// stands level and the jaws have closed.
TEST(Slash, SizesFollowScaleAndTier) {
    const double g = 0.4 + 0.9 * 0.5;
    // A capsule turned by 45°: its straight part projected plus its round ends.
    const double diag = (54 * g - 5 * g) / std::sqrt(2.0) + 5 * g;
    struct Case {
        int kind;
        double w, h;  // in R
    };
    const Case cases[] = {
        {1, 58, 12},          // the wide pale bar is 46 long, the thin bright one 58
        {2, diag, diag},      // two bars crossed at ±45°
        {5, 46 * g, 46 * g},  // star rays
        {6, 36, 20},          // three teeth per row, rows 4R off the centre
    };
    for (double scale : {1.0, 2.0}) {
        for (int level : {1, 3}) {
            const double R = scale * (1 + 0.18 * (level - 1));
            Stage st(scale);
            for (const Case& c : cases) {
                st.draw([&](ui::Ctx& ctx) {
                    ui::drawSlash(ctx, static_cast<rpg::SlashKind>(c.kind), kCx, kCy, kRed, kBlue, level, 0.5);
                });
                const ui::Rect ink = st.ink();
                EXPECT_NEAR(ink.w, c.w * R, 2.5) << "kind " << c.kind << " level " << level << " scale " << scale;
                EXPECT_NEAR(ink.h, c.h * R, 2.5) << "kind " << c.kind << " level " << level << " scale " << scale;
                EXPECT_NEAR(ink.x + ink.w / 2, kCx, 1.5) << "kind " << c.kind;
            }
        }
    }
}

TEST(Slash, SweepTurnsFromMinusToPlusFiftyDegrees) {
    // Early the bar is turned back (−40° at t = 0.1: its left end low);
    // late it is turned forward (+40° at t = 0.9: its left end high).
    Stage st;
    for (double t : {0.1, 0.9}) {
        st.draw([&](ui::Ctx& c) { ui::drawSlash(c, rpg::SlashSweep, kCx, kCy, kRed, kBlue, 1, t); });
        const int leftUpper = st.alpha(kCx - 18, kCy - 15);
        const int leftLower = st.alpha(kCx - 18, kCy + 15);
        EXPECT_EQ(leftLower > 0, t < 0.5) << "t " << t;
        EXPECT_EQ(leftUpper > 0, t > 0.5) << "t " << t;
    }
}

TEST(Slash, JawsOpenWideThenClose) {
    Stage st;
    struct Case {
        double t;
        double h;  // ink height in R
    };
    // Rows sit (4 + 16 o) R off the centre with o = max(0, 1 − 2.2 t).
    for (Case c : {Case{0.1, 2 * (4 + 16 * (1 - 0.22)) + 12}, Case{1 / 2.2 + 0.01, 20}, Case{0.8, 20}}) {
        st.draw([&](ui::Ctx& ctx) { ui::drawSlash(ctx, rpg::SlashJaws, kCx, kCy, kRed, kBlue, 1, c.t); });
        EXPECT_NEAR(st.ink().h, c.h, 2) << "t " << c.t;
    }
}

TEST(Aura, DrawsOnlyInsideTheOpenWindow) {
    Stage st;
    for (int kind = 0; kind <= 9; ++kind) {
        for (double t : {-0.1, 0.0, 1.0, 2.0}) {
            st.draw(
                [&](ui::Ctx& c) { ui::drawAura(c, static_cast<rpg::AuraKind>(kind), kCx, kCy, kRed, kBlue, 3, t); });
            EXPECT_EQ(st.painted(), 0) << "kind " << kind << " t " << t;
        }
        // Every kind draws something, unknown ones as squares.
        st.draw([&](ui::Ctx& c) { ui::drawAura(c, static_cast<rpg::AuraKind>(kind), kCx, kCy, kRed, kBlue, 3, 0.5); });
        EXPECT_GT(st.painted(), 0) << "kind " << kind;
    }
}

TEST(Aura, ShieldRingGrowsToItsFullSizeByTheMiddle) {
    struct Case {
        double t;
        double unit;  // R' / R
    };
    for (int level : {1, 3}) {
        const double R = 1.5 * (1 + 0.18 * (level - 1));
        Stage st(1.5);
        for (Case c : {Case{0.25, 0.8}, Case{0.45, 0.96}, Case{0.6, 1.0}, Case{0.9, 1.0}}) {
            st.draw([&](ui::Ctx& ctx) { ui::drawAura(ctx, rpg::AuraShield, kCx, kCy, kRed, kBlue, level, c.t); });
            const double r = R * c.unit;
            const ui::Rect ink = st.ink();
            // The ring of radius 37 and width 3 bounds everything.
            EXPECT_NEAR(ink.w, 2 * 38.5 * r, 2.5) << "t " << c.t << " level " << level;
            EXPECT_NEAR(ink.h, 2 * 38.5 * r, 2.5) << "t " << c.t << " level " << level;
            EXPECT_NEAR(ink.y + ink.h / 2, kCy - 11 * r, 1.5) << "t " << c.t;
        }
    }
}

TEST(Aura, ParticleCountStopsGrowingAtLevelThree) {
    // Low dots are one disc each; all particles are under way at t = 0.5.
    const int expected[] = {5, 7, 9, 9, 9};
    for (int level = 1; level <= 5; ++level) {
        const int n = battlefx::shapesPainted(
            1, [&](ui::Ctx& c) { ui::drawAura(c, rpg::AuraDots, kCx, kCy, kRed, kBlue, level, 0.5); });
        EXPECT_EQ(n, expected[level - 1]) << "level " << level;
    }
}

TEST(Aura, UnknownKindsDrawSquaresInColourB) {
    Stage st;
    for (int kind : {0, 9, 200}) {
        st.draw([&](ui::Ctx& c) { ui::drawAura(c, static_cast<rpg::AuraKind>(kind), kCx, kCy, kRed, kBlue, 2, 0.5); });
        double r, g, b;
        st.channelSums(&r, &g, &b);
        EXPECT_GT(b, 0) << "kind " << kind;
        EXPECT_EQ(r, 0) << "kind " << kind;
    }
}

TEST(Aura, ParticlesRiseOverTheirRun) {
    // The ink's centre climbs as the particles rise, except for the orbit,
    // which circles a fixed centre.
    for (int kind : {1, 2, 4, 5, 6, 8}) {
        Stage st;
        st.draw([&](ui::Ctx& c) { ui::drawAura(c, static_cast<rpg::AuraKind>(kind), kCx, kCy, kRed, kBlue, 2, 0.2); });
        const double early = st.centroid().y;
        st.draw([&](ui::Ctx& c) { ui::drawAura(c, static_cast<rpg::AuraKind>(kind), kCx, kCy, kRed, kBlue, 2, 0.7); });
        EXPECT_LT(st.centroid().y, early - 8) << "kind " << kind;
    }
}

// A flight from left to right along y = kCy.
constexpr double kX0 = 120;
constexpr double kX1 = 520;

void shoot(Stage& st, int form, int trail, int level, double t, bool lob) {
    st.draw([&](ui::Ctx& c) {
        ui::drawProjectile(c, static_cast<rpg::FxForm>(form), static_cast<rpg::FxTrail>(trail), kX0, kCy, kX1, kCy,
                           kRed, kBlue, level, t, lob);
    });
}

TEST(Projectile, DrawsForTheClosedWindow) {
    Stage st;
    for (double t : {-0.01, 1.01, std::nan("")}) {
        shoot(st, 1, 1, 3, t, false);
        EXPECT_EQ(st.painted(), 0) << "t " << t;
    }
    // At the start the body stands on the source.
    shoot(st, 1, 1, 3, 0, false);
    EXPECT_GT(st.painted(), 0);
    EXPECT_NEAR(st.centroid().x, kX0, 1);
    EXPECT_NEAR(st.centroid().y, kCy, 1);
    // At the end the body has faded out; only the trail is left behind it.
    shoot(st, 1, 0, 3, 1, false);
    EXPECT_EQ(st.painted(), 0);
    shoot(st, 1, 1, 3, 1, false);
    EXPECT_GT(st.painted(), 0);
    EXPECT_LT(st.ink().x + st.ink().w, kX1 - 10);
}

TEST(Projectile, BodyTravelsTheLine) {
    Stage st;
    for (double t : {0.25, 0.5, 0.75}) {
        shoot(st, 1, 0, 1, t, false);
        EXPECT_NEAR(st.centroid().x, kX0 + t * (kX1 - kX0), 1) << "t " << t;
        EXPECT_NEAR(st.centroid().y, kCy, 1) << "t " << t;
    }
}

TEST(Projectile, LobPeaksNinetyUnitsAboveTheMiddleWhateverTheTier) {
    struct Case {
        double scale;
        int level;
        double t;
        double lift;  // in units of the scale
    };
    const Case cases[] = {
        {1, 1, 0.5, 90}, {1, 4, 0.5, 90}, {2, 1, 0.5, 90}, {1.5, 3, 0.5, 90}, {1, 1, 0.25, 90 * std::sqrt(0.5)},
    };
    for (const Case& c : cases) {
        Stage st(c.scale);
        shoot(st, 1, 0, c.level, c.t, true);
        EXPECT_NEAR(st.centroid().y, kCy - c.lift * c.scale, 1) << "scale " << c.scale << " level " << c.level;
        EXPECT_NEAR(st.centroid().x, kX0 + c.t * (kX1 - kX0), 1);
    }
}

TEST(Projectile, TrailFollowsTheArcAtItsOwnLag) {
    Stage st;
    const double t = 0.6;
    shoot(st, 1, 3, 1, t, true);
    for (int i = 0; i < 3; ++i) {
        const double q = t - (0.08 + 0.055 * i);
        const double x = kX0 + q * (kX1 - kX0);
        const double lift = std::sin(M_PI * q) * 90;
        EXPECT_GT(st.alpha(x, kCy - lift), 0) << "piece " << i;
        EXPECT_EQ(st.alpha(x, kCy), 0) << "piece " << i;
    }
}

TEST(Projectile, TrailCountStopsGrowingAtSix) {
    // The orb is two shapes; at t = 0.9 every trail piece is out.
    const int expected[] = {3, 4, 5, 6, 6, 6};
    for (int level = 1; level <= 6; ++level) {
        const int n = battlefx::shapesPainted(1, [&](ui::Ctx& c) {
            ui::drawProjectile(c, rpg::FormOrb, rpg::TrailWhite, kX0, kCy, kX1, kCy, kRed, kBlue, level, 0.9, false);
        });
        EXPECT_EQ(n - 2, expected[level - 1]) << "level " << level;
    }
    for (int trail : {0, 7, 99}) {
        const int n = battlefx::shapesPainted(1, [&](ui::Ctx& c) {
            ui::drawProjectile(c, rpg::FormOrb, static_cast<rpg::FxTrail>(trail), kX0, kCy, kX1, kCy, kRed, kBlue, 4,
                               0.9, false);
        });
        EXPECT_EQ(n, 2) << "trail " << trail;
    }
}

TEST(Projectile, TrailTakesItsKindsColourBehindTheLeadingPiece) {
    struct Case {
        int trail;
        uint32_t color;
    };
    const Case cases[] = {{1, 0xFFB24A}, {2, 0xFFFFFF}, {3, 0x5A5A66}, {4, 0xBFE9FF}, {5, 0xB8E86A}, {6, 0xE85A6A}};
    for (const Case& c : cases) {
        // Piece 2 sits alone at q = t − 0.19 with the body far ahead.
        Stage st;
        const double t = 0.5;
        st.draw([&](ui::Ctx& ctx) {
            ui::drawProjectile(ctx, rpg::FormDart, static_cast<rpg::FxTrail>(c.trail), kX0, kCy, kX1, kCy, kRed, kBlue,
                               1, t, false);
        });
        const double x = kX0 + (t - 0.19) * (kX1 - kX0);
        const uint32_t p = st.canvas().pixel(static_cast<int>(x), static_cast<int>(kCy));
        const int a = p >> 24;
        ASSERT_GT(a, 0) << "trail " << c.trail;
        // Un-premultiply and compare each channel.
        for (int shift : {16, 8, 0}) {
            const double got = ((p >> shift) & 0xFF) * 255.0 / a;
            EXPECT_NEAR(got, (c.color >> shift) & 0xFF, 3) << "trail " << c.trail << " shift " << shift;
        }
    }
}

TEST(Projectile, UnknownFormsDrawTheOrb) {
    Stage st;
    shoot(st, 1, 2, 2, 0.4, false);
    const std::string orb = st.pixels();
    for (int form : {0, 13, 255}) {
        shoot(st, form, 2, 2, 0.4, false);
        EXPECT_EQ(st.pixels(), orb) << "form " << form;
    }
    for (int form = 2; form <= 12; ++form) {
        shoot(st, form, 2, 2, 0.4, false);
        EXPECT_NE(st.pixels(), orb) << "form " << form;
    }
}

TEST(Projectile, MuzzleFlashShowsOnlyEarly) {
    // The dart is small and flies off; a pixel beside the source, inside the
    // flash square but outside the body, tells the flash apart.
    Stage st;
    struct Case {
        double t;
        bool lit;
    };
    for (Case c : {Case{0.03, true}, Case{0.15, true}, Case{0.23, false}, Case{0.5, false}}) {
        shoot(st, 11, 0, 1, c.t, false);
        EXPECT_EQ(st.alpha(kX0, kCy + 5) > 0, c.lit) << "t " << c.t;
    }
}

TEST(Projectile, DirectedFormsPointAlongTheLineEvenWhenLobbed) {
    // An arrow shot straight down is taller than wide, also in an arc.
    for (bool lob : {false, true}) {
        Stage st;
        st.draw([&](ui::Ctx& c) {
            ui::drawProjectile(c, rpg::FormArrow, rpg::TrailNone, kCx, 100, kCx, 500, kRed, kBlue, 1, 0.5, lob);
        });
        const ui::Rect ink = st.ink();
        EXPECT_GT(ink.h, 2 * ink.w) << "lob " << lob;
    }
}

}  // namespace

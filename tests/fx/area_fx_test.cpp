// Area effects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fx/fx.h"
#include "tests/fx/battle_fixture.h"

namespace {

using battlefx::kBlue;
using battlefx::kRed;
using battlefx::Stage;

// The battle screen's area: 120 units high, centred at (320, 400).
ui::Rect areaOf(double width, double s = 1) { return {320 - width / 2, 400 - 60 * s, width, 120 * s}; }

TEST(AoE, LengthsAndImpactMoments) {
    struct Case {
        int kind;
        double length;
        double impact;
    };
    const Case cases[] = {
        {0, 0, 0.52},    {1, 0.9, 0.76}, {2, 0.56, 0.52}, {3, 0.72, 0.52}, {4, 0.6, 0.52},
        {5, 0.82, 0.64}, {6, 0.78, 0.6}, {7, 0.88, 0.64}, {8, 0.7, 0.52},  {9, 0.52, 0.52},
        {10, 0, 0.52},   {255, 0, 0.52}, {-1, 0, 0.52},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ui::aoeDuration(static_cast<rpg::AoEKind>(c.kind)), c.length) << "kind " << c.kind;
        EXPECT_DOUBLE_EQ(ui::aoeImpactDelay(static_cast<rpg::AoEKind>(c.kind)), c.impact) << "kind " << c.kind;
    }
}

TEST(AoE, DrawsOnlyKnownKindsInsideTheOpenWindow) {
    Stage st;
    for (int kind = 0; kind <= 11; ++kind) {
        for (double t : {-0.2, 0.0, 1.0, 1.4, std::nan("")}) {
            st.draw([&](ui::Ctx& c) {
                ui::drawAoE(c, static_cast<rpg::AoEKind>(kind), rpg::VariantDefault, areaOf(400), kRed, kBlue, 3, t);
            });
            EXPECT_EQ(st.painted(), 0) << "kind " << kind << " t " << t;
        }
        st.draw([&](ui::Ctx& c) {
            ui::drawAoE(c, static_cast<rpg::AoEKind>(kind), rpg::VariantDefault, areaOf(400), kRed, kBlue, 3, 0.5);
        });
        EXPECT_EQ(st.painted() > 0, kind >= 1 && kind <= 9) << "kind " << kind;
    }
}

TEST(AoE, RingsKeepTheirSmallestSizeOverANarrowArea) {
    // Half the ink width: the ring radius plus half its line width.
    struct Case {
        int kind;
        double width;  // of the area, in s
        double t;
        double half;  // in s
    };
    const double r3 = (0.8 - 0.55) / 0.45;
    const double g3 = 0.2 + 1.9 * r3;
    const Case cases[] = {
        // Kind 4: the outer ring, (max(0.6 w, 70 s) − 3 s) × 1.1 at t = 0.5.
        {4, 10, 0.5, 67 * 1.1 + 3 * 1.1},
        {4, 300, 0.5, 177 * 1.1 + 3 * 1.1},
        // Kind 3: the shock ring after the block has landed.
        {3, 10, 0.8, 61 * g3 + 3 * g3},
        {3, 200, 0.8, 107 * g3 + 3 * g3},
    };
    for (double s : {1.0, 1.5}) {
        for (const Case& c : cases) {
            Stage st(s, 1400, 1400);
            const ui::Rect area{700 - c.width * s / 2, 640, c.width * s, 120 * s};
            st.draw([&](ui::Ctx& ctx) {
                ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), rpg::VariantDefault, area, kRed, kBlue, 1, c.t);
            });
            EXPECT_NEAR(st.ink().w / 2, c.half * s, 1.5) << "kind " << c.kind << " width " << c.width << " s " << s;
        }
    }
}

TEST(AoE, WhirlGroundRingKeepsItsSmallestSize) {
    // The ellipse's horizontal half-extent: rx plus half its line width
    // (7 s g rx / ry, drawn in a frame squeezed only vertically).
    for (double width : {10.0, 300.0}) {
        Stage st(1, 1400, 1400);
        const ui::Rect area{700 - width / 2, 640, width, 120};
        const double t = 0.5;
        const double g = 0.2 + 1.7 * t;
        const double R0 = std::max(0.55 * width, 70.0);
        st.draw([&](ui::Ctx& c) { ui::drawAoE(c, rpg::AoEWhirl, rpg::VariantDefault, area, kRed, kBlue, 1, t); });
        const double half = (R0 - 3.5) * g + 3.5 * g / 0.35;
        EXPECT_NEAR(st.ink().w / 2, half, 1.5) << "width " << width;
    }
}

TEST(AoE, BoltsStrikeInTurnAndDim) {
    // Bolt 3 stands at cx + 0.5 w, starts at t = 0.36, is gone from
    // t = 0.86 and drops to a fifth of its alpha from t = 0.76. Probed over
    // its first segment's column above the second segment, where nothing
    // overlaps.
    const double w = 400;
    const double x = 320 + 0.5 * w;
    Stage st;
    auto strongest = [&](double t, int yEnd) {
        st.draw(
            [&](ui::Ctx& ctx) { ui::drawAoE(ctx, rpg::AoEBolts, rpg::VariantDefault, areaOf(w), kRed, kBlue, 1, t); });
        int most = 0;
        for (int y = 0; y < yEnd; ++y)
            for (int dx = -8; dx <= 8; ++dx) most = std::max(most, st.alpha(x + dx, y));
        return most;
    };
    EXPECT_EQ(strongest(0.35, 640), 0);
    EXPECT_GT(strongest(0.37, 640), 0);
    EXPECT_EQ(strongest(0.861, 640), 0);
    struct Case {
        double t;
        int alpha;
    };
    for (Case c : {Case{0.5, 255}, Case{0.7, 255}, Case{0.75, 255}, Case{0.77, 51}, Case{0.85, 51}})
        EXPECT_NEAR(strongest(c.t, 400 - 175), c.alpha, 1) << "t " << c.t;
}

TEST(AoE, BoltsReachDownToTheCentre) {
    // At full length a bolt's three segments zig-zag from cy − 250 s to cy.
    Stage st;
    st.draw([](ui::Ctx& c) { ui::drawAoE(c, rpg::AoEBolts, rpg::VariantDefault, areaOf(400), kRed, kBlue, 1, 0.45); });
    const ui::Rect ink = st.ink();
    EXPECT_NEAR(ink.y, 400 - 250, 1);
    EXPECT_NEAR(ink.y + ink.h, 400, 1);
}

TEST(AoE, PieceCountsStopGrowingAtTwelve) {
    struct Case {
        int kind;
        int variant;
        double t;
        int extra;  // shapes that are not pieces
        int perPiece;
        int counts[5];  // levels 1 to 5
    };
    // Every piece is under way at these moments.
    const Case cases[] = {
        {5, 0, 0.47, 0, 2, {7, 9, 11, 12, 12}},
        {6, 6, 0.5, 0, 1, {6, 8, 10, 12, 12}},
        {7, 0, 0.5, 0, 1, {8, 10, 12, 12, 12}},
        {8, 0, 0.5, 1, 1, {8, 10, 12, 12, 12}},
    };
    for (const Case& c : cases) {
        for (int level = 1; level <= 5; ++level) {
            const int n = battlefx::shapesPainted(1, [&](ui::Ctx& ctx) {
                ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), static_cast<rpg::FxVariant>(c.variant), areaOf(400),
                            kRed, kBlue, level, c.t);
            });
            EXPECT_EQ(n, c.extra + c.perPiece * c.counts[level - 1]) << "kind " << c.kind << " level " << level;
        }
    }
}

TEST(AoE, VariantsChangeOnlyTheirKindsPieces) {
    Stage st;
    auto picture = [&](int kind, int variant) {
        st.draw([&](ui::Ctx& c) {
            ui::drawAoE(c, static_cast<rpg::AoEKind>(kind), static_cast<rpg::FxVariant>(variant), areaOf(400), kRed,
                        kBlue, 2, 0.5);
        });
        return st.pixels();
    };
    struct Case {
        int kind;
        int sameAsDefault[8];  // 1 when the variant draws the default piece
    };
    const Case cases[] = {
        {5, {1, 1, 0, 0, 1, 1, 1, 1}}, {6, {1, 1, 1, 1, 1, 0, 0, 0}}, {1, {1, 1, 1, 1, 1, 1, 1, 1}},
        {2, {1, 1, 1, 1, 1, 1, 1, 1}}, {3, {1, 1, 1, 1, 1, 1, 1, 1}}, {4, {1, 1, 1, 1, 1, 1, 1, 1}},
        {7, {1, 1, 1, 1, 1, 1, 1, 1}}, {8, {1, 1, 1, 1, 1, 1, 1, 1}}, {9, {1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        const std::string base = picture(c.kind, 0);
        for (int v = 1; v < 8; ++v)
            EXPECT_EQ(picture(c.kind, v) == base, c.sameAsDefault[v] == 1) << "kind " << c.kind << " variant " << v;
    }
    // The flock's pills take colour A for variant 6 and colour B for 7.
    EXPECT_NE(picture(6, 6), picture(6, 7));
    EXPECT_EQ(picture(5, 99), picture(5, 0));
}

TEST(AoE, TierScalesOnlyTheKindsThatUseIt) {
    struct Case {
        int kind;
        double t;
        bool scaled;
    };
    const Case cases[] = {{1, 0.5, false}, {2, 0.45, false}, {3, 0.8, false}, {4, 0.5, false}, {5, 0.47, true},
                          {6, 0.5, true},  {7, 0.5, true},   {8, 0.5, true},  {9, 0.5, true}};
    Stage st;
    for (const Case& c : cases) {
        st.draw([&](ui::Ctx& ctx) {
            ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), rpg::VariantDefault, areaOf(300), kRed, kBlue, 1, c.t);
        });
        const std::string low = st.pixels();
        st.draw([&](ui::Ctx& ctx) {
            ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), rpg::VariantDefault, areaOf(300), kRed, kBlue, 1, c.t);
        });
        EXPECT_EQ(st.pixels(), low) << "kind " << c.kind << ": the same call draws the same picture";
        // Level 3 keeps the piece counts of kinds 7 and 8 apart from the
        // size, so compare level 3 with level 4 where every count is 12.
        const int a = c.kind >= 5 ? 4 : 1;
        const int b = c.kind >= 5 ? 5 : 4;
        st.draw([&](ui::Ctx& ctx) {
            ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), rpg::VariantDefault, areaOf(300), kRed, kBlue, a, c.t);
        });
        const std::string first = st.pixels();
        st.draw([&](ui::Ctx& ctx) {
            ui::drawAoE(ctx, static_cast<rpg::AoEKind>(c.kind), rpg::VariantDefault, areaOf(300), kRed, kBlue, b, c.t);
        });
        EXPECT_EQ(st.pixels() != first, c.scaled) << "kind " << c.kind;
    }
}

TEST(AoE, SwungToolGrowsWithTheTier) {
    // The three bars, tallest 84 s, in a frame scaled by the tier factor
    // and turned by −4° at t = 0.5: its ink height grows by 1.36 at level 3.
    Stage st;
    st.draw([](ui::Ctx& c) { ui::drawAoE(c, rpg::AoESwing, rpg::VariantDefault, areaOf(300), kRed, kBlue, 1, 0.5); });
    const double low = st.ink().h;
    st.draw([](ui::Ctx& c) { ui::drawAoE(c, rpg::AoESwing, rpg::VariantDefault, areaOf(300), kRed, kBlue, 3, 0.5); });
    EXPECT_NEAR(st.ink().h / low, 1.36, 0.03);
    // It travels from 0.55 w left of the centre to 0.55 w right of it.
    st.draw([](ui::Ctx& c) { ui::drawAoE(c, rpg::AoESwing, rpg::VariantDefault, areaOf(300), kRed, kBlue, 1, 0.2); });
    const double early = st.centroid().x;
    st.draw([](ui::Ctx& c) { ui::drawAoE(c, rpg::AoESwing, rpg::VariantDefault, areaOf(300), kRed, kBlue, 1, 0.6); });
    EXPECT_NEAR(st.centroid().x - early, 1.1 * 300 * 0.4, 6);
}

TEST(AoE, FunnelSweepsFromTheLeftEdgeToTheRightEdge) {
    Stage st;
    for (double t : {0.2, 0.5, 0.8}) {
        st.draw(
            [&](ui::Ctx& c) { ui::drawAoE(c, rpg::AoEFunnel, rpg::VariantDefault, areaOf(400), kRed, kBlue, 1, t); });
        EXPECT_NEAR(st.centroid().x, 120 + 400 * t, 4) << "t " << t;
        // The widest layer's top stands 96 above the centre.
        EXPECT_NEAR(st.ink().y, 400 - 96, 1) << "t " << t;
    }
}

}  // namespace

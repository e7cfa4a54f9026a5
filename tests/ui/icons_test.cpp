// Vector icons on cairo image surfaces, checked by pixel probes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/cairo_check.h"
#include "tests/ui/ui_fixture.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace {

using uitest::Canvas;

constexpr double kC = 50;     // centre of a 100 x 100 canvas
constexpr double kSize = 40;  // icon size for the probes; r = 20
constexpr double kR = kSize / 2;
constexpr uint32_t kColour = 0x3080C0;
constexpr uint32_t kEmpty = 0;  // fully transparent

// The premultiplied pixel of an opaque 0xRRGGBB colour.
constexpr uint32_t opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// Pixel channels within one step of each other (blends round either way).
bool near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) return false;
    return true;
}

// A pixel offset from the icon's centre, in units of r.
uint32_t at(Canvas& cv, double dx, double dy) {
    return cv.pixel(static_cast<int>(kC + dx * kR), static_cast<int>(kC + dy * kR));
}

using Draw = std::function<void(cairo_t*)>;

struct Probe {
    double dx, dy;  // offset from the centre in units of r
    uint32_t want;  // premultiplied pixel
};

struct GlyphCase {
    const char* what;
    Draw draw;
    std::vector<Probe> probes;
};

// 0xFFF3C8 at 0.8 over 0xF4C95A, per channel.
constexpr uint32_t kCoinShine = 0xFFFDEBB2;

TEST(Icons, ShapesAndColoursAtTheirPlaces) {
    const uint32_t solid = opaque(kColour);
    const uint32_t light = opaque(theme::lighten(kColour, 0.5));
    const uint32_t rim = opaque(theme::mix(kColour, theme::lighten(kColour, 0.5), 0.9));  // 0.9 over the fill
    const std::vector<GlyphCase> cases = {
        {"coin", [](cairo_t* cr) { ui::drawCoinIcon(cr, kC, kC, kSize); },
         {{0, 0, opaque(theme::kLightGold)}, {0.92, 0, opaque(theme::kDeepGold)}, {-0.22, -0.22, kCoinShine},
          {1.1, 0, kEmpty}}},
        {"pause", [](cairo_t* cr) { ui::drawPauseIcon(cr, kC, kC, kSize, kColour); },
         {{0, 0, kEmpty}, {-0.38, 0, solid}, {0.38, 0, solid}, {0.38, -0.8, kEmpty}}},
        {"shuffle", [](cairo_t* cr) { ui::drawShuffleIcon(cr, kC, kC, kSize, kColour); },
         {{0, 0, solid}, {0.6, -0.55, solid}, {0.6, 0.55, solid}, {0, -0.8, kEmpty}, {-0.6, 0, kEmpty}}},
        {"filled star", [](cairo_t* cr) { ui::drawStarIcon(cr, kC, kC, kSize, true, kColour); },
         {{0, 0, solid}, {0, -0.8, rim}, {0.8, 0.8, kEmpty}}},
        {"outline star", [](cairo_t* cr) { ui::drawStarIcon(cr, kC, kC, kSize, false, kColour); },
         {{0, 0, kEmpty}, {0.8, 0.8, kEmpty}}},
        {"lock", [](cairo_t* cr) { ui::drawLockIcon(cr, kC, kC, kSize, kColour); },
         {{0, 0.28, opaque(theme::kParchment)}, {0.4, 0.28, solid}, {0, -0.65, solid}, {0, -0.4, kEmpty}}},
        {"clock", [](cairo_t* cr) { ui::drawClockIcon(cr, kC, kC, kSize, kColour); },
         {{0, 0, solid}, {0.84, 0, solid}, {0, -0.4, solid}, {-0.5, 0, kEmpty}, {0.95, 0.95, kEmpty}}},
        {"poison", [](cairo_t* cr) { ui::drawStatusIcon(cr, rpg::StatusKind::Poison, kC, kC, kSize, kColour); },
         {{0, 0.5, solid}, {0, -0.9, solid}, {0.8, -0.8, kEmpty}}},
        {"burn", [](cairo_t* cr) { ui::drawStatusIcon(cr, rpg::StatusKind::Burn, kC, kC, kSize, kColour); },
         {{0, 0.5, light}, {0, -0.7, solid}, {0.8, -0.8, kEmpty}}},
        {"regen", [](cairo_t* cr) { ui::drawStatusIcon(cr, rpg::StatusKind::Regen, kC, kC, kSize, kColour); },
         {{0, 0, solid}, {0, -0.9, solid}, {0.9, 0, solid}, {0.6, 0.6, kEmpty}}},
        {"stun", [](cairo_t* cr) { ui::drawStatusIcon(cr, rpg::StatusKind::Stun, kC, kC, kSize, kColour); },
         {{0, 0, solid}, {0, -0.8, solid}, {0.8, 0, solid}, {0.5, 0.5, kEmpty}}},
        {"shield", [](cairo_t* cr) { ui::drawStatusIcon(cr, rpg::StatusKind::Shield, kC, kC, kSize, kColour); },
         {{0, 0, solid}, {0, 0.9, solid}, {0.75, -0.5, solid}, {0.9, 0.6, kEmpty}}},
    };
    for (const auto& c : cases) {
        Canvas cv(100, 100);
        c.draw(cv.cr);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(near(at(cv, p.dx, p.dy), p.want))
                << c.what << " at (" << p.dx << ", " << p.dy << "): " << std::hex << at(cv, p.dx, p.dy) << " want "
                << p.want;
    }
}

TEST(Icons, TranslucentPlusHasNoDarkerMiddle) {
    Canvas cv(100, 100);
    ui::drawStatusIcon(cv.cr, rpg::StatusKind::Regen, kC, kC, kSize, kColour, 0.5);
    EXPECT_NEAR(cv.alpha(int(kC), int(kC)), 128, 1);
    EXPECT_EQ(cv.alpha(int(kC), int(kC)), cv.alpha(int(kC), int(kC - 0.8 * kR)));
}

// Every icon at the sizes the interface uses hands the context back as it
// found it, caps and joins included: a round cap left behind would round the
// next widget's strokes.
TEST(Icons, EveryIconLeavesTheContextAsItFoundIt) {
    using Icon = std::function<void(cairo_t*, double size)>;
    std::vector<std::pair<std::string, Icon>> icons = {
        {"coin", [](cairo_t* cr, double z) { ui::drawCoinIcon(cr, kC, kC, z); }},
        {"pause", [](cairo_t* cr, double z) { ui::drawPauseIcon(cr, kC, kC, z, kColour); }},
        {"shuffle", [](cairo_t* cr, double z) { ui::drawShuffleIcon(cr, kC, kC, z, kColour); }},
        {"filled star", [](cairo_t* cr, double z) { ui::drawStarIcon(cr, kC, kC, z, true, kColour); }},
        {"outline star", [](cairo_t* cr, double z) { ui::drawStarIcon(cr, kC, kC, z, false, kColour); }},
        {"lock", [](cairo_t* cr, double z) { ui::drawLockIcon(cr, kC, kC, z, kColour); }},
        {"clock", [](cairo_t* cr, double z) { ui::drawClockIcon(cr, kC, kC, z, kColour); }},
    };
    for (int d = 0; d < 4; ++d) {
        icons.push_back({"triangle " + std::to_string(d),
                         [d](cairo_t* cr, double z) { ui::drawTriangleIcon(cr, kC, kC, z, d, kColour); }});
        icons.push_back({"chevron " + std::to_string(d),
                         [d](cairo_t* cr, double z) { ui::drawChevronIcon(cr, kC, kC, z, d, kColour); }});
    }
    for (int k = 0; k < rpg::kStatusCount; ++k)
        icons.push_back({"status " + std::to_string(k), [k](cairo_t* cr, double z) {
                             ui::drawStatusIcon(cr, static_cast<rpg::StatusKind>(k), kC, kC, z, kColour);
                         }});
    for (const auto& [name, draw] : icons) {
        for (double size : {8.0, 14.0, 24.0, 40.0}) {
            Canvas cv(100, 100);
            const auto before = cairocheck::snapshot(cv.cr);
            draw(cv.cr, size);
            EXPECT_TRUE(cairocheck::unchanged(cv.cr, before)) << name << " at " << size;
            EXPECT_EQ(cairo_get_line_cap(cv.cr), CAIRO_LINE_CAP_BUTT) << name << " at " << size;
            EXPECT_EQ(cairo_get_line_join(cv.cr), CAIRO_LINE_JOIN_MITER) << name << " at " << size;
        }
    }
}

TEST(Icons, UnknownStatusKindDrawsNothing) {
    for (int kind : {10, 11, 255}) {
        Canvas cv(100, 100);
        const auto before = cairocheck::snapshot(cv.cr);
        ui::drawStatusIcon(cv.cr, static_cast<rpg::StatusKind>(kind), kC, kC, kSize, kColour);
        EXPECT_EQ(cairocheck::paintedPixels(cv.surface), 0) << kind;
        EXPECT_TRUE(cairocheck::unchanged(cv.cr, before)) << kind;
    }
}

// Raising and lowering statuses reuse the triangles pixel for pixel.
TEST(Icons, StatusArrowsAreTheTriangles) {
    const struct {
        rpg::StatusKind kind;
        int direction;
    } cases[] = {{rpg::StatusKind::AtkUp, 0},   {rpg::StatusKind::DefUp, 0},   {rpg::StatusKind::Slow, 2},
                 {rpg::StatusKind::AtkDown, 2}, {rpg::StatusKind::DefDown, 2}};
    for (const auto& c : cases) {
        Canvas glyph(100, 100);
        Canvas triangle(100, 100);
        ui::drawStatusIcon(glyph.cr, c.kind, kC, kC, kSize, kColour, 0.7);
        ui::drawTriangleIcon(triangle.cr, kC, kC, kSize, c.direction, kColour, 0.7);
        ASSERT_GT(cairocheck::paintedPixels(glyph.surface), 0);
        bool same = true;
        for (int y = 0; y < 100 && same; ++y)
            for (int x = 0; x < 100 && same; ++x) same = glyph.pixel(x, y) == triangle.pixel(x, y);
        EXPECT_TRUE(same) << int(c.kind);
    }
}

TEST(Icons, TrianglePointsWhereItsDirectionSays) {
    // Probes in units of r: just inside the tip, where the tip's side
    // corners would be (empty), and just inside a base corner.
    struct Case {
        int direction;
        Probe tip, besideTip, baseCorner;
    };
    const uint32_t solid = opaque(kColour);
    const Case cases[] = {
        {0, {0, -0.85, solid}, {-0.8, -0.8, kEmpty}, {-0.7, 0.6, solid}},
        {1, {0.85, 0, solid}, {0.8, -0.8, kEmpty}, {-0.6, -0.7, solid}},
        {2, {0, 0.85, solid}, {0.8, 0.8, kEmpty}, {0.7, -0.6, solid}},
        {3, {-0.85, 0, solid}, {-0.8, 0.8, kEmpty}, {0.6, 0.7, solid}},
        {-1, {-0.85, 0, solid}, {-0.8, -0.8, kEmpty}, {0.6, -0.7, solid}},
        {7, {-0.85, 0, solid}, {-0.8, 0.8, kEmpty}, {0.6, 0.7, solid}},
    };
    for (const auto& c : cases) {
        Canvas cv(100, 100);
        ui::drawTriangleIcon(cv.cr, kC, kC, kSize, c.direction, kColour);
        for (const Probe& p : {c.tip, c.besideTip, c.baseCorner})
            EXPECT_EQ(at(cv, p.dx, p.dy), p.want) << "direction " << c.direction << " at (" << p.dx << ", " << p.dy
                                                 << ")";
    }
}

TEST(Icons, ChevronPointsRightOnlyForDirectionOne) {
    // Size 40: e = 12.8; the bend sits e/2 from the centre on the side it
    // points to, the two ends e/2 on the other side.
    for (int direction : {0, 1, 2, 3, -1, 9}) {
        Canvas cv(100, 100);
        ui::drawChevronIcon(cv.cr, kC, kC, kSize, direction, kColour);
        const int side = direction == 1 ? 1 : -1;
        const int bend = int(kC + side * 6.4);
        const int ends = int(kC - side * 6.4);
        EXPECT_GT(cv.alpha(bend, int(kC)), 200) << direction;
        EXPECT_EQ(cv.alpha(ends, int(kC)), 0) << direction;
        EXPECT_GT(cv.alpha(ends, int(kC - 12.8) + 1), 200) << direction;
        EXPECT_EQ(cv.alpha(bend, int(kC - 12.8) + 1), 0) << direction;
    }
}

// Width and height of the pixels with at least half the strongest coverage,
// so that edge smoothing does not widen the measure.
std::pair<int, int> halfCoveredExtent(Canvas& cv) {
    int peak = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) peak = std::max(peak, cv.alpha(x, y));
    int x0 = 100, x1 = -1, y0 = 100, y1 = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            if (peak == 0 || 2 * cv.alpha(x, y) < peak) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    return {x1 - x0 + 1, y1 - y0 + 1};
}

// However small the icon, its strokes keep a minimum width: drawn at a
// near-zero size they shrink to a round dot as wide as that minimum.
TEST(Icons, StrokesKeepTheirMinimumWidth) {
    constexpr double kZoom = 20;  // device pixels per unit, so widths are measurable
    constexpr double kTiny = 0.01;
    const struct {
        const char* what;
        Draw draw;
        double floor;
    } cases[] = {
        {"chevron", [](cairo_t* cr) { ui::drawChevronIcon(cr, 0, 0, kTiny, 1, kColour); }, 1.8},
        {"shuffle", [](cairo_t* cr) { ui::drawShuffleIcon(cr, 0, 0, kTiny, kColour); }, 1.6},
        {"lock", [](cairo_t* cr) { ui::drawLockIcon(cr, 0, 0, kTiny, kColour); }, 1.6},
        {"clock", [](cairo_t* cr) { ui::drawClockIcon(cr, 0, 0, kTiny, kColour); }, 1.4},
        {"filled star", [](cairo_t* cr) { ui::drawStarIcon(cr, 0, 0, kTiny, true, kColour); }, 1.0},
        {"outline star", [](cairo_t* cr) { ui::drawStarIcon(cr, 0, 0, kTiny, false, kColour); }, 1.0},
        {"rating", [](cairo_t* cr) { ui::starRating(cr, 0, 0, kTiny, 1, 1, 1.0); }, 1.0},
    };
    for (const auto& c : cases) {
        Canvas cv(100, 100);
        cairo_translate(cv.cr, 50, 50);
        cairo_scale(cv.cr, kZoom, kZoom);
        c.draw(cv.cr);
        const auto [w, h] = halfCoveredExtent(cv);
        EXPECT_NEAR(w, c.floor * kZoom, 1.5) << c.what;
        EXPECT_NEAR(h, c.floor * kZoom, 1.5) << c.what;
    }
}

// Star centres of a row of three stars of size 20 around x = 100.
constexpr double kStarSize = 20;
constexpr double kStep = kStarSize * 1.35;
double starX(int i) { return 100 - kStep + i * kStep; }

TEST(StarRating, FilledOutlinedAndGrowing) {
    {
        Canvas cv(200, 60);
        ui::starRating(cv.cr, 100, 30, kStarSize, 2, 3, 1.0);
        EXPECT_EQ(cv.pixel(int(starX(0)), 30), opaque(theme::kGold));
        EXPECT_EQ(cv.pixel(int(starX(1)), 30), opaque(theme::kGold));
        EXPECT_EQ(cv.alpha(int(starX(2)), 30), 0) << "the third is only an outline";
        const int faint = cv.alpha(int(starX(2)), int(30 - 0.45 * kStarSize));
        EXPECT_GT(faint, 0);
        EXPECT_LE(faint, 90) << "outline at 0.35";
        // All three at full size: the row spans three stars and two gaps.
        const ui::Rect ink = cv.ink();
        EXPECT_NEAR(ink.w, 3 * kStarSize + 2 * 0.35 * kStarSize, 4);
    }
    {
        // Half way: the first star whole, the second grown half in, the third not yet.
        Canvas cv(200, 60);
        ui::starRating(cv.cr, 100, 30, kStarSize, 3, 3, 0.5);
        EXPECT_EQ(cv.pixel(int(starX(0)), 30), opaque(theme::kGold));
        EXPECT_NEAR(cv.alpha(int(starX(1)), 30), 128, 1);
        const ui::Rect ink = cv.ink();
        EXPECT_LT(ink.x + ink.w, starX(2) - kStarSize / 2) << "nothing of the third star";
        EXPECT_NEAR(ink.h, kStarSize + 0.06 * kStarSize, 2) << "height of the whole first star";
        // The whole star's tip reaches row 19, the grown-in one's stays below it.
        EXPECT_GT(cv.alpha(int(starX(0)), 19), 0);
        EXPECT_EQ(cv.alpha(int(starX(1)), 19), 0) << "the second is smaller";
    }
}

TEST(StarRating, NothingWithoutStarsOrProgress) {
    const struct {
        int filled, count;
        double progress;
    } cases[] = {{2, 3, 0.0}, {2, 3, -0.5}, {1, 0, 1.0}, {1, -2, 1.0}};
    for (const auto& c : cases) {
        Canvas cv(200, 60);
        const auto before = cairocheck::snapshot(cv.cr);
        ui::starRating(cv.cr, 100, 30, kStarSize, c.filled, c.count, c.progress);
        EXPECT_EQ(cairocheck::paintedPixels(cv.surface), 0) << c.count << " " << c.progress;
        EXPECT_TRUE(cairocheck::unchanged(cv.cr, before));
    }
}

} // namespace

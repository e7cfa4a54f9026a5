#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace {

using uitest::Canvas;

TEST(Shapes, RoundedRectRadiusIsLimitedToHalfTheShorterSide) {
    struct Case {
        double radius;
        int cornerAlpha;  // coverage of the pixel in the top-left corner
    };
    // 100 x 40 at (10, 10): radius 0 keeps square corners, any radius past 20
    // gives a stadium whose round ends still reach the left edge.
    const Case cases[] = {{0, 255}, {20, 0}, {500, 0}};
    for (const auto& c : cases) {
        Canvas cv(120, 60);
        ui::fillRoundedRect(cv.cr, {10, 10, 100, 40}, c.radius, 0xFF0000);
        EXPECT_EQ(cv.alpha(10, 10), c.cornerAlpha) << "radius " << c.radius;
        EXPECT_GT(cv.alpha(10, 29), 200) << "radius " << c.radius;
        ui::Rect ink = cv.ink();
        EXPECT_EQ(ink.w, 100);
        EXPECT_EQ(ink.h, 40);
        EXPECT_FALSE(cairo_has_current_point(cv.cr)) << "the fill consumes the path";
    }
}

TEST(Shapes, RoundedRectTopAndBottomCornersKeepTheirOwnRadius) {
    struct Case {
        double top, bottom;
        int topAlpha, bottomAlpha;  // coverage of the top-left and bottom-left corner pixels
    };
    // 100 x 40 at (10, 10); a radius past 20 is held at 20 on its own edge only.
    const Case cases[] = {{12, 0, 0, 255}, {0, 500, 255, 0}, {500, 8, 0, 0}};
    for (const auto& c : cases) {
        Canvas cv(120, 60);
        ui::roundedRectPath(cv.cr, {10, 10, 100, 40}, c.top, c.bottom);
        cairo_set_source_rgb(cv.cr, 1, 0, 0);
        cairo_fill(cv.cr);
        EXPECT_EQ(cv.alpha(10, 10), c.topAlpha) << c.top << "/" << c.bottom;
        EXPECT_EQ(cv.alpha(10, 49), c.bottomAlpha) << c.top << "/" << c.bottom;
        EXPECT_GT(cv.alpha(10, 29), 200) << "the sides still reach the left edge";
        const ui::Rect ink = cv.ink();
        EXPECT_EQ(ink.w, 100);
        EXPECT_EQ(ink.h, 40);
    }
}

TEST(Shapes, PrimitivesDrawInTheirOwnColour) {
    Canvas cv(60, 60);
    ui::fillRect(cv.cr, {0, 0, 10, 10}, 0x102030, 1.0);
    ui::fillCircle(cv.cr, 30, 30, 8, 0x00FF00, 0.5);
    ui::drawLine(cv.cr, 0, 55, 60, 55, 2, 0x0000FF);
    EXPECT_EQ(cv.pixel(5, 5), 0xFF102030u);
    uint32_t half = cv.pixel(30, 30);  // premultiplied: green equals alpha
    EXPECT_NEAR(double(half >> 24), 127.5, 1.0);
    EXPECT_EQ(half, (half & 0xFF000000u) | ((half >> 24) << 8));
    EXPECT_EQ(cv.pixel(30, 55), 0xFF0000FFu);
    EXPECT_EQ(cv.alpha(30, 50), 0) << "a line of width 2 stays on its row pair";
    EXPECT_EQ(cv.alpha(30, 20), 0) << "outside the circle";
}

// A fill large enough to go through the scratch mask: a ring with a plate
// across it, translucent, over a translucent backdrop.
void ringAndPlate(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 100, 80, 64, 0, 2 * ui::kPi);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 100, 80, 52, 2 * ui::kPi, 0);
    ui::roundedRectPath(cr, {40.3, 60.6, 120, 30}, 7);
}

int maxChannelDiff(Canvas& a, Canvas& b, int w, int h) {
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int shift = 0; shift < 32; shift += 8)
                worst = std::max(worst, std::abs(static_cast<int>((a.pixel(x, y) >> shift) & 0xFF) -
                                                 static_cast<int>((b.pixel(x, y) >> shift) & 0xFF)));
    return worst;
}

TEST(Shapes, ALargeTranslucentFillLandsAsTheDirectFill) {
    struct Case {
        const char* what;
        void (*setUp)(cairo_t*);
        bool group = false;
    };
    const Case cases[] = {
        {"part of a pixel off the grid", [](cairo_t* cr) { cairo_translate(cr, 0.37, 0.61); }},
        {"scaled and turned",
         [](cairo_t* cr) {
             cairo_translate(cr, 100, 80);
             cairo_rotate(cr, 0.4);
             cairo_scale(cr, 1.3, 0.7);
             cairo_translate(cr, -100, -80);
         }},
        {"under a clip off the grid",
         [](cairo_t* cr) {
             cairo_rectangle(cr, 31.5, 20.25, 90, 70);
             cairo_clip(cr);
         }},
        {"reaching past the canvas", [](cairo_t* cr) { cairo_translate(cr, -70, 45); }},
        {"in a group with its own origin",
         [](cairo_t* cr) {
             cairo_rectangle(cr, 40, 30, 100, 80);
             cairo_clip(cr);
         },
         true},
        {"even-odd", [](cairo_t* cr) { cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD); }},
        {"another operator", [](cairo_t* cr) { cairo_set_operator(cr, CAIRO_OPERATOR_ADD); }},
    };
    constexpr int kW = 200, kH = 160;
    Canvas blank(kW, kH);
    ui::fillRect(blank.cr, {0, 0, kW, kH}, 0x2A5A3A, 0.6);
    for (const Case& c : cases) {
        Canvas direct(kW, kH), masked(kW, kH);
        for (Canvas* cv : {&direct, &masked}) {
            ui::fillRect(cv->cr, {0, 0, kW, kH}, 0x2A5A3A, 0.6);
            cairo_save(cv->cr);
            c.setUp(cv->cr);
            if (c.group) cairo_push_group(cv->cr);
            ringAndPlate(cv->cr);
        }
        ui::setColor(direct.cr, 0xE8F8FF, 0.55);
        cairo_fill(direct.cr);
        ui::fillPath(masked.cr, 0xE8F8FF, 0.55);
        EXPECT_FALSE(cairo_has_current_point(masked.cr)) << c.what << ": the fill consumes the path";
        for (Canvas* cv : {&direct, &masked}) {
            if (c.group) {
                cairo_pop_group_to_source(cv->cr);
                cairo_paint(cv->cr);
            }
            cairo_restore(cv->cr);
        }
        // Rounding of edge coverage only; a shape moved, cut or filled by
        // another rule differs by far more.
        EXPECT_LE(maxChannelDiff(direct, masked, kW, kH), 4) << c.what;
        EXPECT_GT(maxChannelDiff(blank, masked, kW, kH), 60) << c.what << ": the shape is drawn";
    }
}

TEST(Shapes, SoftShadowLeavesThePathForTheCaller) {
    Canvas cv(80, 80);
    cairo_rectangle(cv.cr, 20, 20, 20, 20);
    double before[4];
    cairo_path_extents(cv.cr, &before[0], &before[1], &before[2], &before[3]);
    ui::softShadowFromPath(cv.cr, 10, 10, 4, 0x000000, 0.8);
    double after[4];
    cairo_path_extents(cv.cr, &after[0], &after[1], &after[2], &after[3]);
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(after[i], before[i]);
    EXPECT_GT(cv.alpha(45, 45), 0) << "shadow lies under the offset shape";
    EXPECT_EQ(cv.alpha(25, 25), 0) << "nothing under the shape itself";
}

} // namespace

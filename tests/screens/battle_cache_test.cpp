// The floor's cached pictures land as the drawing they keep, and a picture
// that shows something else is painted afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "screens/battle_cache.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace {

using ui::battle::PictureCache;

// A chip-like drawing: antialiased rounded plate, a stroke and a circle.
void chip(cairo_t* cr, double x, double y, std::uint32_t colour) {
    ui::fillRoundedRect(cr, {x, y, 22, 16}, 3, colour);
    ui::strokeRoundedRect(cr, {x, y, 22, 16}, 3, 1, 0x3A0F0F);
    ui::fillCircle(cr, x + 7, y + 8, 4.3, 0x140F0A, 0.8);
}

void backdrop(uitest::Canvas& c, int w, int h) {
    ui::fillRect(c.cr, {0, 0, static_cast<double>(w), static_cast<double>(h)}, 0x2A5A3A, 0.7);
}

int maxChannelDiff(uitest::Canvas& a, uitest::Canvas& b, int w, int h) {
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift = 0; shift < 32; shift += 8)
                worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
        }
    return worst;
}

TEST(BattlePictures, ACachedPictureLandsAsTheDrawingAtAnyFractionAndScale) {
    struct Case {
        double ratio, x, y;
    };
    for (const Case& k : {Case{1, 10, 12}, Case{1, 10.37, 12.5}, Case{1.5, 7.2, 9.9}, Case{2, 3.75, 4.25}}) {
        const int w = static_cast<int>(60 * k.ratio), h = static_cast<int>(40 * k.ratio);
        uitest::Canvas direct(w, h), cached(w, h);
        backdrop(direct, w, h);
        backdrop(cached, w, h);
        cairo_scale(direct.cr, k.ratio, k.ratio);
        cairo_scale(cached.cr, k.ratio, k.ratio);
        chip(direct.cr, k.x, k.y, 0xC2382F);
        PictureCache cache;
        const ui::Rect area{k.x, k.y, 22, 16};
        cache.draw(cached.cr, "chip", area, [&](cairo_t* cr) { chip(cr, k.x, k.y, 0xC2382F); });
        const std::string what = "ratio " + std::to_string(k.ratio) + " at " + std::to_string(k.x);
        EXPECT_LE(maxChannelDiff(direct, cached, w, h), 2) << what;
        // Drawn again from the image, over the same: as the drawing twice.
        chip(direct.cr, k.x, k.y, 0xC2382F);
        cache.draw(cached.cr, "chip", area, [&](cairo_t*) { ADD_FAILURE() << "painted again: " << what; });
        EXPECT_LE(maxChannelDiff(direct, cached, w, h), 3) << what;
        EXPECT_EQ(cache.painted(), 1u) << what;
    }
}

TEST(BattlePictures, WhatChangesIsPaintedAfreshAndWholePixelMovesAreNot) {
    PictureCache cache;
    uitest::Canvas c(80, 40);
    const auto red = [&](cairo_t* cr) { ui::fillRect(cr, {10, 10, 10, 10}, 0xFF0000); };
    cache.draw(c.cr, "plate|red", {10, 10, 10, 10}, red);
    EXPECT_EQ(c.pixel(15, 15) & 0xFFFFFF, 0xFF0000u);
    // Another key in the same place: a fresh picture with the new look.
    cache.draw(c.cr, "plate|blue", {10, 10, 10, 10}, [&](cairo_t* cr) { ui::fillRect(cr, {10, 10, 10, 10}, 0x0000FF); });
    EXPECT_EQ(c.pixel(15, 15) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(cache.painted(), 2u);
    // The red plate moved by whole pixels comes from its image, where it now stands.
    cairo_translate(c.cr, 40, 3);
    cache.draw(c.cr, "plate|red", {10, 10, 10, 10}, red);
    EXPECT_EQ(cache.painted(), 2u);
    EXPECT_EQ(c.pixel(55, 18) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(c.alpha(49, 18), 0);
    // Moved by part of a pixel: the image would blur it, so it is painted there.
    cairo_translate(c.cr, 0.5, 0);
    cache.draw(c.cr, "plate|red", {10, 10, 10, 10}, red);
    EXPECT_EQ(cache.painted(), 3u);
}

TEST(BattlePictures, StaysWithinItsCapacityAndDrawsARotatedOneDirectly) {
    PictureCache cache(8);
    uitest::Canvas c(40, 40);
    for (int i = 0; i < 50; ++i) {
        cache.draw(c.cr, "n" + std::to_string(i), {2, 2, 4, 4}, [](cairo_t* cr) { ui::fillRect(cr, {2, 2, 4, 4}, 0xFFFFFF); });
        EXPECT_LE(cache.entries(), 8u);
    }
    cache.clear();
    cairo_rotate(c.cr, 0.3);
    int calls = 0;
    cache.draw(c.cr, "tilted", {2, 2, 4, 4}, [&](cairo_t* cr) {
        ++calls;
        EXPECT_EQ(cr, c.cr);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(cache.entries(), 0u);
}

} // namespace

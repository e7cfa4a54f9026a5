// The battle's cached texts look like the texts the drawing kit lays out.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "screens/battle_text.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace {

using ui::battle::TextCache;

void expectNear(const ui::Rect& a, const ui::Rect& b, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, 1) << what;
    EXPECT_NEAR(a.y, b.y, 1) << what;
    EXPECT_NEAR(a.w, b.w, 1) << what;
    EXPECT_NEAR(a.h, b.h, 1) << what;
}

TEST(BattleText, ACachedTextInksWhereTheKitDrawsIt) {
    uitest::fontsReady();
    TextCache cache;
    ui::TextStyle st;
    st.size = 15;
    st.bold = true;
    st.letterSpacing = 1;
    st.upperCase = true;
    for (ui::Align align : {ui::Align::Left, ui::Align::Centre, ui::Align::Right}) {
        st.align = align;
        for (double ratio : {1.0, 2.0}) {
            uitest::Canvas kit(400 * ratio, 100 * ratio), cached(400 * ratio, 100 * ratio);
            cairo_scale(kit.cr, ratio, ratio);
            cairo_scale(cached.cr, ratio, ratio);
            ui::drawText(kit.cr, 200, 30, "Frost Fenrir L17", st);
            cache.draw(cached.cr, 200, 30, "Frost Fenrir L17", st);
            expectNear(cached.ink(), kit.ink(),
                       "align " + std::to_string(static_cast<int>(align)) + " ratio " + std::to_string(ratio));
        }
    }
    double w = 0, h = 0;
    uitest::Canvas c(10, 10);
    ui::measureText(c.cr, "Frost Fenrir L17", st, &w, &h);
    EXPECT_DOUBLE_EQ(cache.measure(c.cr, "Frost Fenrir L17", st).w, w);
    EXPECT_DOUBLE_EQ(cache.measure(c.cr, "Frost Fenrir L17", st).h, h);
}

TEST(BattleText, OpacityAndColourComeFromTheStyleAndTheCacheStaysBounded) {
    uitest::fontsReady();
    TextCache cache;
    ui::TextStyle st;
    st.size = 20;
    st.color = 0xFF0000;
    uitest::Canvas full(200, 60), faint(200, 60);
    cache.draw(full.cr, 10, 10, "-42", st);
    st.alpha = 0.25;
    cache.draw(faint.cr, 10, 10, "-42", st);
    EXPECT_EQ(cache.entries(), 1u) << "one mask for both opacities";
    const ui::Rect ink = full.ink();
    int strongest = 0, strongestFaint = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            strongest = std::max(strongest, full.alpha(x, y));
            strongestFaint = std::max(strongestFaint, faint.alpha(x, y));
        }
    }
    EXPECT_GT(ink.w, 0);
    EXPECT_EQ(strongest, 255);
    EXPECT_NEAR(strongestFaint, 64, 2);
    for (int i = 0; i < 2000; ++i) cache.measure(full.cr, std::to_string(i), st);
    EXPECT_LE(cache.entries(), 400u);
}

} // namespace

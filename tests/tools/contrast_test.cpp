// The contrast check on small drawn scenes: each is drawn twice through the
// headless harness (GPU layer and overlay), once recorded and once with its
// texts left out, and every text is judged as the screenshot tool judges it.
#include "tools/screenshots/contrast.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "screens/battle_text.h"
#include "screens/shop.h"
#include "tests/support/screen_harness.h"
#include "ui/draw.h"
#include "ui/theme.h"

namespace {

using Draw = std::function<void(ui::Ctx&)>;

// Both layers as the player sees them: the overlay over the GPU layer.
std::vector<std::uint32_t> composite(harness::ScreenHarness& h, int w, int hgt) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * hgt);
    SDL_RenderReadPixels(h.renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
    cairo_surface_t* out = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels.data()),
                                                                CAIRO_FORMAT_RGB24, w, hgt, w * 4);
    cairo_t* cr = cairo_create(out);
    cairo_surface_flush(h.overlay());
    cairo_set_source_surface(cr, h.overlay(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(out);
    cairo_surface_destroy(out);
    return pixels;
}

struct Judged {
    std::vector<contrast::SeenText> texts;     // as recorded, shadows marked
    std::map<std::string, double> figures;     // by text, shadows and hidden texts left out
};

// Draws the scene twice, as the screenshot tool does a frame, and judges it.
Judged check(const Draw& draw) {
    constexpr int kW = 320, kH = 120;
    harness::ScreenHarness h(nullptr, kW, kH);
    h.setBody(draw);
    contrast::Recorder rec;
    Judged out;
    rec.begin(h.overlay(), contrast::Pass::Record);
    h.frame();
    out.texts = rec.end();
    contrast::markShadows(out.texts);
    const std::vector<std::uint32_t> finished = composite(h, kW, kH);
    rec.begin(h.overlay(), contrast::Pass::Backdrop, &out.texts);
    h.frame();
    EXPECT_TRUE(contrast::sameTexts(out.texts, rec.end()));
    const std::vector<std::uint32_t> pixels = composite(h, kW, kH);
    const contrast::Picture backdrop{pixels.data(), kW, kH, kW};
    const contrast::Picture done{finished.data(), kW, kH, kW};
    for (const contrast::SeenText& t : out.texts) {
        if (!t.shadow && !contrast::hidden(t, done, backdrop)) out.figures[t.text] = contrast::judge(t, backdrop).figure;
    }
    return out;
}

ui::TextStyle label(std::uint32_t color, double alpha = 1) {
    ui::TextStyle st;
    st.size = 14;
    st.bold = true;
    st.color = color;
    st.alpha = alpha;
    return st;
}

constexpr std::uint32_t kSky = 0x8FB4D8;
constexpr ui::Rect kPlate{40, 30, 200, 40};

void sky(ui::Ctx& c) { ui::fillRect(c.cr, {0, 0, c.width, c.height}, kSky); }

// The tavern's greyed service button over the painted sky: as it was drawn
// (its label 0x6E5D44 on a plate at 0.6) and as the shop draws it now.
TEST(ContrastCheck, FailsTheGreyedTavernLabelInItsOldColourAndPassesItNow) {
    const Judged old = check([](ui::Ctx& c) {
        ui::sceneBackdrop(c, ui::SceneOpts{});
        ui::fillRect(c.cr, kPlate, theme::kDarkerPanel, 0.6);
        ui::drawTextIn(c.cr, kPlate, "Heal all",
                       ui::TextStyle{.size = 14, .color = 0x6E5D44, .fitWidth = kPlate.w - 16});
    });
    ASSERT_EQ(old.figures.count("Heal all"), 1u);
    EXPECT_LT(old.figures.at("Heal all"), contrast::kMinRatio);
    const Judged now = check([](ui::Ctx& c) {
        ui::sceneBackdrop(c, ui::SceneOpts{});
        ui::drawPricePlate(c, kPlate, "Heal all", 14, false);
    });
    ASSERT_EQ(now.figures.count("Heal all"), 1u);
    EXPECT_GE(now.figures.at("Heal all"), contrast::kMinRatio);
}

// What lies under a text counts as the player sees it; what lies beside it
// does not; a text's own shadow is part of what it stands on.
TEST(ContrastCheck, JudgesEachTextByWhatLiesUnderItsLetters) {
    struct Case {
        const char* name;
        Draw draw;
        bool passes;
    };
    const Case cases[] = {
        {"gold over the bare sky",
         [](ui::Ctx& c) {
             sky(c);
             ui::drawText(c.cr, 50, 40, "Ascension", label(theme::kLightGold));
         },
         false},
        {"gold over a dark plate whose bright rim runs beside the letters",
         [](ui::Ctx& c) {
             sky(c);
             ui::fillRect(c.cr, kPlate, theme::kDarkerPanel);
             ui::drawTextIn(c.cr, kPlate, "Ascension", label(theme::kLightGold));
             ui::fillRect(c.cr, {kPlate.x, kPlate.y + 9, kPlate.w, 2}, 0xFFFFFF);
         },
         true},
        {"gold with a black copy one pixel down and right",
         [](ui::Ctx& c) {
             sky(c);
             ui::drawText(c.cr, 51, 41, "Ascension", label(0x000000));
             ui::drawText(c.cr, 50, 40, "Ascension", label(theme::kLightGold));
         },
         true},
        {"cream on a dark plate, a bright bubble drawn over the letters afterwards",
         [](ui::Ctx& c) {
             ui::fillRect(c.cr, kPlate, theme::kDarkerPanel);
             ui::drawTextIn(c.cr, kPlate, "Ascension", label(theme::kCreamText));
             ui::fillCircle(c.cr, kPlate.x + kPlate.w / 2, kPlate.y + kPlate.h / 2, 30, 0xFFF4DC, 0.85);
         },
         false},
        {"muted text on a dark panel at full opacity",
         [](ui::Ctx& c) {
             ui::fillRect(c.cr, kPlate, theme::kDarkPanel);
             ui::drawTextIn(c.cr, kPlate, "Ascension", label(theme::kMutedText));
         },
         true},
        {"the same at 0.55 opacity",
         [](ui::Ctx& c) {
             ui::fillRect(c.cr, kPlate, theme::kDarkPanel);
             ui::drawTextIn(c.cr, kPlate, "Ascension", label(theme::kMutedText, 0.55));
         },
         false},
        {"painted from a battle mask over the bare sky",
         [](ui::Ctx& c) {
             static ui::battle::TextCache masks;
             sky(c);
             masks.draw(c.cr, 50, 40, "Ascension", label(theme::kLightGold));
         },
         false},
    };
    for (const Case& k : cases) {
        const Judged j = check(k.draw);
        ASSERT_EQ(j.figures.count("Ascension"), 1u) << k.name;
        EXPECT_EQ(j.figures.at("Ascension") >= contrast::kMinRatio, k.passes)
            << k.name << ": " << j.figures.at("Ascension");
    }
}

// Only the copies under a text are its shadow or outline: not a text drawn
// twice in one colour, not a different text, not a far copy.
TEST(ContrastCheck, TellsShadowsAndOutlinesFromOtherTexts) {
    const Judged outlined = check([](ui::Ctx& c) {
        sky(c);
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
            ui::drawText(c.cr, 50 + dx, 40 + dy, "Outlined", label(0x000000));
        ui::drawText(c.cr, 50, 40, "Outlined", label(0xFFFFFF));
        ui::drawText(c.cr, 50, 70, "Twice", label(theme::kCreamText));
        ui::drawText(c.cr, 50, 70, "Twice", label(theme::kCreamText));
        ui::drawText(c.cr, 200, 40, "Far", label(0x000000));
        ui::drawText(c.cr, 200, 80, "Far", label(0xFFFFFF));
    });
    std::vector<std::pair<std::string, bool>> marks;
    for (const contrast::SeenText& t : outlined.texts) marks.push_back({t.text, t.shadow});
    const std::vector<std::pair<std::string, bool>> want{
        {"Outlined", true}, {"Outlined", true}, {"Outlined", true}, {"Outlined", true}, {"Outlined", false},
        {"Twice", false},   {"Twice", false},   {"Far", false},     {"Far", false}};
    EXPECT_EQ(marks, want);
    EXPECT_GE(outlined.figures.at("Outlined"), contrast::kMinRatio);
}

// A text that an opaque box covers whole is not on screen and not judged;
// one that shows at the box's edge is.
TEST(ContrastCheck, LeavesTextsHiddenUnderAnOpaqueBoxUnjudged) {
    const Judged j = check([](ui::Ctx& c) {
        ui::fillRect(c.cr, {0, 0, c.width, c.height}, theme::kDarkerPanel);
        ui::drawText(c.cr, 50, 40, "Under", label(0x140F0A));
        ui::drawText(c.cr, 185, 40, "Edge", label(0x140F0A));
        ui::fillRect(c.cr, {40, 30, 160, 30}, theme::kDarkerPanel);
    });
    EXPECT_EQ(j.figures.count("Under"), 0u);
    ASSERT_EQ(j.figures.count("Edge"), 1u);
    EXPECT_LT(j.figures.at("Edge"), contrast::kMinRatio);
}

// A battle text laid out for the first time while texts are left out still
// fills its mask: texts drawn on other surfaces are neither recorded nor
// left out.
TEST(ContrastCheck, LeavesTextsOnOtherSurfacesAlone) {
    ui::battle::TextCache masks;
    harness::ScreenHarness h(nullptr, 200, 80);
    h.setBody([&](ui::Ctx& c) { masks.draw(c.cr, 20, 20, "Mask", label(0xFFFFFF)); });
    contrast::Recorder rec;
    const std::vector<contrast::SeenText> none;
    rec.begin(h.overlay(), contrast::Pass::Backdrop, &none);
    h.frame();
    const std::vector<contrast::SeenText> left = rec.end();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_FALSE(left[0].shadow);
    rec.begin(h.overlay(), contrast::Pass::Record);
    h.frame();
    const std::vector<contrast::SeenText> drawn = rec.end();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_GT(drawn[0].box.w, 10);
    EXPECT_EQ(drawn[0].cover.size(), static_cast<std::size_t>(drawn[0].box.w * drawn[0].box.h));
    EXPECT_EQ(drawn[0].box.x, left[0].box.x);
}

// A text whose opacity moves from frame to frame is judged as it stands at
// full opacity; one held at a low opacity is judged at it.
TEST(ContrastCheck, JudgesFadingTextsAtFullOpacityAndSteadyOnesAtTheirs) {
    const std::vector<std::uint32_t> panel(16 * 16, theme::kDarkPanel);
    const contrast::Picture backdrop{panel.data(), 16, 16, 16};
    auto text = [](const char* words, double alpha, int x) {
        contrast::SeenText t;
        t.text = words;
        t.color = theme::kMutedText;
        t.alpha = alpha;
        t.box = {x, 4, 4, 4};
        t.cover.assign(16, 255);
        return t;
    };
    struct Case {
        const char* name;
        contrast::SeenText before;
        bool fading;
    };
    const Case cases[] = {
        {"fading in", text("Fade", 0.3, 4), true},
        {"risen a few pixels as it fades", text("Fade", 0.5, 9), true},
        {"held at the same opacity", text("Fade", 0.4, 4), false},
        {"another text before", text("Other", 0.3, 4), false},
        {"the same text far away", text("Fade", 0.3, 40), false},
    };
    for (const Case& k : cases) {
        std::vector<contrast::SeenText> now{text("Fade", 0.4, 4)};
        contrast::markFading(now, {k.before});
        EXPECT_EQ(now[0].fading, k.fading) << k.name;
        EXPECT_EQ(contrast::judge(now[0], backdrop).figure >= contrast::kMinRatio, k.fading) << k.name;
    }
}

// Each text's font size is recorded in device pixels as it lands on screen,
// and one below its script's legible size fails: drawn under a shrinking
// transform or painted from a mask made small. A style that asks for less
// is raised to the size by the drawing itself.
TEST(ContrastCheck, FailsATextDrawnBelowItsScriptsLegibleSize) {
    auto scaled = [](double k, const char* text, double size) {
        return [=](ui::Ctx& c) {
            cairo_save(c.cr);
            cairo_scale(c.cr, k, k);
            ui::drawText(c.cr, 20, 20, text, label(0xFFFFFF));
            ui::TextStyle st = label(0xFFFFFF);
            st.size = size;
            ui::drawText(c.cr, 20, 20, text, st);
            cairo_restore(c.cr);
        };
    };
    struct Case {
        const char* name;
        Draw draw;
        double pixels;  // of the last text drawn
        bool fails;
    };
    const Case cases[] = {
        {"Latin as asked", scaled(1, "Ascension", 14), 14, false},
        {"Latin at half scale", scaled(0.5, "Ascension", 14), 7, true},
        {"Latin at 0.75: 10.5 px reads", scaled(0.75, "Ascension", 14), 10.5, false},
        {"kanji at 0.75: 10.5 px does not", scaled(0.75, "攻撃力", 14), 10.5, true},
        {"Arabic at 0.75", scaled(0.75, "الهجوم", 14), 10.5, true},
        {"a style asking for 5 px", scaled(1, "Ascension", 5), 9, false},
        {"kanji asking for 5 px", scaled(1, "攻撃力", 5), 11, false},
        {"a battle mask at half scale",
         [](ui::Ctx& c) {
             static ui::battle::TextCache masks;
             cairo_save(c.cr);
             cairo_scale(c.cr, 0.5, 0.5);
             masks.draw(c.cr, 50, 40, "Ascension", label(0xFFFFFF));
             cairo_restore(c.cr);
         },
         7, true},
    };
    for (const Case& k : cases) {
        const Judged j = check(k.draw);
        ASSERT_FALSE(j.texts.empty()) << k.name;
        const contrast::SeenText& t = j.texts.back();
        EXPECT_NEAR(t.pixels, k.pixels, 0.01) << k.name;
        EXPECT_EQ(contrast::tooSmall(t.pixels, contrast::legiblePixels(t)), k.fails) << k.name << ": " << t.pixels;
    }
}

TEST(ContrastCheck, LaysColoursOverEachOtherAtTheirOpacity) {
    EXPECT_DOUBLE_EQ(contrast::ratio(0xFFFFFF, 0x000000), 21);
    EXPECT_DOUBLE_EQ(contrast::ratio(0x000000, 0xFFFFFF), 21);
    EXPECT_EQ(contrast::over(0xFFFFFF, 0.5, 0x000000), 0x808080u);
    EXPECT_EQ(contrast::over(0x123456, 1.5, 0xABCDEF), 0x123456u);
    EXPECT_EQ(contrast::over(0x123456, -1, 0xABCDEF), 0xABCDEFu);
}

} // namespace

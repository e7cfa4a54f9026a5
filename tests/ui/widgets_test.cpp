// Buttons, switches, the slider and the yes/no dialog, driven frame by frame
// through the headless harness.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "tests/support/cairo_check.h"
#include "tests/support/screen_harness.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace {

using audio::Sfx;
using harness::ScreenHarness;

const std::vector<Sfx> kClick{Sfx::Click};

constexpr ui::Rect kButton{100, 100, 200, 50};

// A clickable widget drawn at kButton; returns whether it reported a click.
struct Clickable {
    const char* name;
    std::function<bool(ui::Ctx&)> draw;
    bool pulses = false;  // grows and shrinks about its centre
};

std::vector<Clickable> clickables() {
    return {
        {"menu gold", [](ui::Ctx& c) { return ui::menuButton(c, kButton, "Start", true); }},
        {"menu dark", [](ui::Ctx& c) { return ui::menuButton(c, kButton, "Start", false); }},
        {"plain active", [](ui::Ctx& c) { return ui::plainButton(c, kButton, "Easy", true); }},
        {"plain", [](ui::Ctx& c) { return ui::plainButton(c, kButton, "Easy", false); }},
        {"wood", [](ui::Ctx& c) { return ui::woodButton(c, kButton, "Play", false, 0); }},
        {"wood selected", [](ui::Ctx& c) { return ui::woodButton(c, kButton, "Play", true, 900); }},
        {"arcade", [](ui::Ctx& c) { return ui::arcadeStartButton(c, kButton, "Go", "now"); }, true},
        {"letter", [](ui::Ctx& c) { return ui::letterButton(c, kButton, "A", false); }},
        {"toggle", [](ui::Ctx& c) { return ui::toggleRow(c, kButton, "Sound", false); }},
    };
}

TEST(Buttons, AClickInsideReportsOnceWithTheClickSound) {
    for (const Clickable& w : clickables()) {
        SCOPED_TRACE(w.name);
        ScreenHarness h;
        std::vector<bool> results;
        h.setBody([&](ui::Ctx& c) { results.push_back(w.draw(c)); });
        h.moveTo(150, 120).press().frame();  // pressed: no click yet
        h.frame();                           // still held
        h.release().frame();                 // released inside: the click
        h.frame();                           // the click lasts one frame
        EXPECT_EQ(results, (std::vector<bool>{false, false, true, false}));
        EXPECT_EQ(h.sounds(), kClick);
    }
}

TEST(Buttons, AClickOutsideOrOnTheEdgeDoesNothing) {
    for (const Clickable& w : clickables()) {
        SCOPED_TRACE(w.name);
        ScreenHarness h;
        bool clicked = false;
        h.setBody([&](ui::Ctx& c) { clicked |= w.draw(c); });
        h.click(80, 120);
        h.click(150, 160);
        if (!w.pulses) {
            h.click(99, 120);   // just left of the rect
            h.click(300, 120);  // on the right edge: half-open
            h.click(150, 150);  // on the bottom edge
        }
        EXPECT_FALSE(clicked);
        EXPECT_TRUE(h.sounds().empty());
    }
}

TEST(Buttons, OnlyTheFirstWidgetToTakeTheClickGetsIt) {
    ScreenHarness h;
    bool first = false;
    bool second = false;
    h.setBody([&](ui::Ctx& c) {
        first |= ui::plainButton(c, kButton, "A", false);
        second |= ui::menuButton(c, kButton, "B", false);
    });
    h.tap(150, 120);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(h.sounds(), kClick);
}

TEST(Buttons, AUsedLetterTileNeverTakesTheClick) {
    ScreenHarness h;
    bool clicked = false;
    bool below = false;
    h.setBody([&](ui::Ctx& c) {
        clicked |= ui::letterButton(c, kButton, "Q", true);
        below |= ui::plainButton(c, kButton, "under", false);
    });
    h.tap(150, 120);
    EXPECT_FALSE(clicked);
    EXPECT_TRUE(below) << "the click stays free for what lies under a used tile";
}

TEST(Buttons, ToggleRowReturnsTheNewValue) {
    ScreenHarness h;
    bool value = false;
    h.setBody([&](ui::Ctx& c) { value = ui::toggleRow(c, kButton, "Music", value); });
    h.frame();
    EXPECT_FALSE(value);
    h.tap(110, 110);  // far from the switch: the whole row counts
    EXPECT_TRUE(value);
    h.frames(3);
    EXPECT_TRUE(value);
    h.tap(290, 125);
    EXPECT_FALSE(value);
    EXPECT_EQ(h.sounds(), (std::vector<Sfx>{Sfx::Click, Sfx::Click}));
}

TEST(Buttons, SoundOffPlaysNothingButTheClickStillCounts) {
    ScreenHarness h;
    audio::setEnabled(false);
    bool clicked = false;
    h.setBody([&](ui::Ctx& c) { clicked |= ui::menuButton(c, kButton, "Quiet", false); });
    h.tap(150, 120);
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(h.sounds().empty());
}

// --- Slider ---

constexpr ui::Rect kTrack{100, 200, 400, 20};

struct SliderRun {
    ScreenHarness h;
    double value;
    bool clickTakenSeen = false;
    explicit SliderRun(double start) : value(start) {
        h.setBody([this](ui::Ctx& c) {
            value = ui::slider(c, kTrack, value);
            clickTakenSeen = c.clickTaken;
        });
    }
};

TEST(Slider, FollowsTheHeldPointerAndClampsAtTheEnds) {
    SliderRun run(0.5);
    run.h.moveTo(200, 210).press().frame();
    EXPECT_DOUBLE_EQ(run.value, 0.25);
    EXPECT_TRUE(run.clickTakenSeen);
    run.h.moveTo(400, 215).frame();
    EXPECT_DOUBLE_EQ(run.value, 0.75);
    run.h.moveTo(95, 195).frame();  // left of the track, inside the slack
    EXPECT_DOUBLE_EQ(run.value, 0.0);
    run.h.moveTo(510, 225).frame();  // right of the track
    EXPECT_DOUBLE_EQ(run.value, 1.0);
    run.h.moveTo(300, 300).frame();  // held but out of the zone: stays
    EXPECT_DOUBLE_EQ(run.value, 1.0);
    EXPECT_FALSE(run.clickTakenSeen);
    run.h.moveTo(300, 210).release().frame();  // released over the track: no change
    EXPECT_DOUBLE_EQ(run.value, 1.0);
    EXPECT_TRUE(run.h.sounds().empty());
}

TEST(Slider, AButtonPressedElsewhereGrabsItWhenDraggedIn) {
    SliderRun run(0.1);
    run.h.moveTo(300, 400).press().frame();
    EXPECT_DOUBLE_EQ(run.value, 0.1);
    run.h.moveTo(300, 205).frame();
    EXPECT_DOUBLE_EQ(run.value, 0.5);
}

TEST(Slider, ZeroWidthNeverChanges) {
    ScreenHarness h;
    double value = 0.3;
    h.setBody([&](ui::Ctx& c) { value = ui::slider(c, {100, 200, 0, 20}, value); });
    h.moveTo(100, 210).press().frame();
    h.moveTo(105, 210).frame();
    EXPECT_DOUBLE_EQ(value, 0.3);
}

// --- Back button ---

TEST(BackButton, SitsFurtherInOnWideWindows) {
    struct Case {
        double w, h, scale, bar;
        ui::Rect want;
    } cases[] = {
        {1280, 720, 1.0, 60, {16, 13, 130, 34}},
        {1099, 720, 1.0, 60, {12, 13, 130, 34}},  // narrower than 1100 s
        {1280, 639, 1.0, 52, {12, 9, 130, 34}},   // lower than 640 s
        {1920, 1080, 1.5, 0, {24, 13.5, 195, 51}},  // bar <= 0 stands for 52 s
        {1280, 720, 1.0, 20, {16, 4, 130, 34}},     // never closer than 4 s to the top
    };
    for (const Case& c : cases) {
        ui::Ctx ctx;
        ctx.width = c.w;
        ctx.height = c.h;
        ctx.uiScale = c.scale;
        const ui::Rect r = ui::backButtonRect(ctx, c.bar * c.scale);
        EXPECT_DOUBLE_EQ(r.x, c.want.x) << c.w << "x" << c.h;
        EXPECT_DOUBLE_EQ(r.y, c.want.y) << c.w << "x" << c.h;
        EXPECT_DOUBLE_EQ(r.w, c.want.w);
        EXPECT_DOUBLE_EQ(r.h, c.want.h);
    }
}

TEST(BackButton, ClicksWithTheSoundAndHeadersHandItOn) {
    ScreenHarness h;
    bool button = false;
    h.setBody([&](ui::Ctx& c) { button = ui::backButton(c, 60); });
    h.tap(20, 20);
    EXPECT_TRUE(button);
    h.tap(150, 20);  // right of the button
    EXPECT_FALSE(button);
    EXPECT_EQ(h.sounds(), kClick);

    struct Header {
        const char* name;
        std::function<double(ui::Ctx&, bool*)> draw;
        double height;
    } headers[] = {
        {"game", [](ui::Ctx& c, bool* b) { return ui::gameHeader(c, "Map", b, false); }, 52},
        {"screen", [](ui::Ctx& c, bool* b) { return ui::screenHeader(c, "Party", b); }, 60},
    };
    for (const Header& hd : headers) {
        SCOPED_TRACE(hd.name);
        ScreenHarness hh;
        bool back = true;
        double height = 0;
        hh.setBody([&](ui::Ctx& c) { height = hd.draw(c, &back); });
        hh.frame();
        EXPECT_FALSE(back) << "written every frame";
        EXPECT_EQ(height, hd.height);
        hh.tap(30, height / 2);
        EXPECT_TRUE(back);
        hh.frame();
        EXPECT_FALSE(back);
        hh.setBody([&](ui::Ctx& c) { hd.draw(c, nullptr); });
        hh.tap(30, height / 2);  // no pointer: nothing to store, nothing crashes
    }
}

TEST(Headers, TheGameBarDrawsABackButtonOnlyWhenAskedAndTheScreenHeaderShrinksWhenCompact) {
    ScreenHarness h;
    bool back = false;
    h.setBody([&](ui::Ctx& c) { ui::gameHeader(c, "", nullptr, false); });
    h.frame();
    const std::uint32_t bare = h.overlayPixel(20, 26);
    h.setBody([&](ui::Ctx& c) { ui::gameHeader(c, "", &back, false); });
    h.frame();
    EXPECT_NE(h.overlayPixel(20, 26), bare) << "the back button covers the bar";
    h.moveTo(20, 26).frame();
    const std::uint32_t hovered = h.overlayPixel(20, 26);
    h.moveTo(600, 26).frame();
    EXPECT_NE(h.overlayPixel(20, 26), hovered) << "hover brightens the button";

    ScreenHarness small(nullptr, 1000, 700);
    small.setUiScale(1.0);  // 1000 < 1100 s
    double height = 0;
    small.setBody([&](ui::Ctx& c) { height = ui::screenHeader(c, "Settings", nullptr); });
    small.frame();
    EXPECT_EQ(height, 52);
}

TEST(Headers, TheGameBarShowsTheLastingGoldRightAlignedBesideAFixedCoin) {
    struct Seen {
        std::uint32_t coin;
        int left, right;  // ink of the amount: light gold pixels right of the coin
    };
    auto look = [](double gold, bool show) {
        ScreenHarness h;
        store::meta().gold = gold;
        h.setBody([&](ui::Ctx& c) { ui::gameHeader(c, "", nullptr, show); });
        h.frame();
        Seen seen{h.overlayPixel(1280 - 112, 26) & 0xFFFFFF, 1280, -1};
        for (int y = 10; y < 42; ++y) {
            for (int x = 1280 - 100; x < 1280; ++x) {
                const std::uint32_t p = h.overlayPixel(x, y) & 0xFFFFFF;
                if ((p >> 16) > 0xC0) {
                    seen.left = std::min(seen.left, x);
                    seen.right = std::max(seen.right, x);
                }
            }
        }
        return seen;
    };
    const Seen few = look(5, true);
    const Seen many = look(1234567, true);
    const Seen none = look(1234567, false);
    EXPECT_EQ(few.coin, many.coin);
    EXPECT_NE(few.coin, none.coin) << "no coin without showGold";
    EXPECT_NEAR(few.right, 1280 - 16, 4) << "the glyph's own margin aside";
    EXPECT_NEAR(many.right, few.right, 2);
    EXPECT_LT(many.left, few.left - 40) << "grouped digits grow to the left";
    EXPECT_EQ(none.right, -1);
}

// --- Dialog ---

// The dialog's panel in a 1280x720 window at scale 1: 420 x 240 centred.
constexpr double kPanelX = 430, kPanelY = 240;
constexpr double kCancelX = kPanelX + 20 + 90, kConfirmX = kPanelX + 20 + 180 + 20 + 90;
constexpr double kButtonsY = kPanelY + 240 - 66 + 23;

TEST(Dialog, AnswersClicksAndKeys) {
    struct Case {
        const char* what;
        std::function<void(ScreenHarness&)> act;
        ui::DialogAnswer answer;
        bool sound;
    };
    using enum ui::DialogAnswer;
    const Case cases[] = {
        {"nothing", [](ScreenHarness& h) { h.moveTo(kConfirmX, kButtonsY).frame(); }, Open, false},
        {"confirm", [](ScreenHarness& h) { h.tap(kConfirmX, kButtonsY); }, Confirmed, true},
        {"cancel", [](ScreenHarness& h) { h.tap(kCancelX, kButtonsY); }, Cancelled, true},
        {"outside", [](ScreenHarness& h) { h.tap(100, 100); }, Cancelled, true},
        {"on the panel", [](ScreenHarness& h) { h.tap(kPanelX + 210, kPanelY + 60); }, Open, false},
        {"between the buttons", [](ScreenHarness& h) { h.tap(kPanelX + 210, kButtonsY); }, Open, false},
        {"press only", [](ScreenHarness& h) { h.moveTo(kConfirmX, kButtonsY).press().frame(); }, Open, false},
        {"return", [](ScreenHarness& h) { h.key(SDLK_RETURN).frame(); }, Confirmed, false},
        {"second return", [](ScreenHarness& h) { h.key(SDLK_RETURN2).frame(); }, Confirmed, false},
        {"escape", [](ScreenHarness& h) { h.key(SDLK_ESCAPE).frame(); }, Cancelled, false},
        {"escape wins", [](ScreenHarness& h) { h.key(SDLK_ESCAPE).key(SDLK_RETURN).frame(); }, Cancelled, false},
        {"escape over a confirm click", [](ScreenHarness& h) { h.key(SDLK_ESCAPE).tap(kConfirmX, kButtonsY); },
         Cancelled, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScreenHarness h;
        std::optional<ui::DialogAnswer> answer;  // none: the dialog never ran
        h.setBody([&](ui::Ctx& ctx) {
            answer = ui::confirmDialog(ctx, "Reset?", "All progress is lost.", "Yes", "No");
        });
        c.act(h);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(h.sounds().size(), c.sound ? 1u : 0u);
    }
}

// A page drawn under the dialog, as screens draw it: its controls first,
// the dialog last, and one more button after it.
struct DialogOverPage {
    ScreenHarness h;
    bool open = true;
    std::optional<ui::DialogAnswer> answer;  // none: the dialog never ran
    bool under = false, after = false, hovered = false, keySeen = false;
    DialogOverPage() {
        h.setBody([this](ui::Ctx& c) {
            under |= ui::plainButton(c, {kConfirmX - 5, kButtonsY - 5, 10, 10}, "under", false);
            hovered |= c.hover({0, 0, 1280, 720});
            keySeen |= c.input.hasKey(SDLK_ESCAPE);
            if (!open) return;
            answer = ui::confirmDialog(c, "Quit?", "", "Yes", "No");
            if (answer != ui::DialogAnswer::Open) open = false;
            after |= ui::plainButton(c, {0, 0, 1280, 720}, "after", false);
        });
    }
    void clear() { under = after = hovered = keySeen = false; }
};

TEST(Dialog, WhatLiesUnderItSeesNoPointerNoButtonAndNoKey) {
    DialogOverPage page;
    page.h.frame();  // the frame that opens it
    page.clear();
    page.h.moveTo(kConfirmX, kButtonsY).frame();
    EXPECT_FALSE(page.hovered);
    page.h.key(SDLK_ESCAPE).tap(kConfirmX, kButtonsY);
    EXPECT_EQ(page.answer, ui::DialogAnswer::Cancelled) << "the dialog has both";
    EXPECT_FALSE(page.under || page.after || page.hovered || page.keySeen);
    EXPECT_EQ(page.h.sounds(), kClick) << "the dialog's click alone";

    page.clear();
    page.h.tap(kConfirmX, kButtonsY);
    EXPECT_TRUE(page.under) << "closed: the page answers at once";
}

TEST(Dialog, ItsButtonsAnswerOverAControlDrawnBeforeIt) {
    DialogOverPage page;
    page.h.frame();
    page.h.tap(kConfirmX, kButtonsY);
    EXPECT_EQ(page.answer, ui::DialogAnswer::Confirmed);
    EXPECT_FALSE(page.under);
    EXPECT_FALSE(page.after);
}

TEST(Dialog, InTheFrameItOpensAClickTakenBeforeItIsNoAnswer) {
    DialogOverPage page;
    page.h.tap(kConfirmX, kButtonsY);
    EXPECT_TRUE(page.under);
    EXPECT_EQ(page.answer, ui::DialogAnswer::Open);
    EXPECT_FALSE(page.after);
}

TEST(Dialog, ADialogNoLongerDrawnLapsesAfterOneFrame) {
    DialogOverPage page;
    page.h.frame();
    page.open = false;  // its screen stopped drawing it without an answer
    page.h.frame();
    page.clear();
    page.h.tap(kConfirmX, kButtonsY);
    EXPECT_TRUE(page.under);
}

// The title and the message stand on light parchment: each must read on it
// as body text does (4.5:1), judged by the strongest pixel of its band, the
// glyphs' solid cores.
TEST(Dialog, TitleAndMessageReadOnThePanel) {
    ScreenHarness h;
    h.setBody([](ui::Ctx& c) {
        ui::confirmDialog(c, "Reset progress?", "All heroes, gold and items are lost.", "Reset", "Cancel");
    });
    h.frame();
    // The overlay is all but opaque over the panel; its colour is what shows.
    const std::uint32_t panel = h.overlayPixel(int(kPanelX) + 30, int(kPanelY) + 90) & 0xFFFFFF;
    EXPECT_LT(theme::contrastRatio(panel, theme::kParchment), 1.1) << std::hex << panel;
    auto strongest = [&](double top, double bottom) {
        double best = 1;
        for (int y = int(top); y < int(bottom); ++y)
            for (int x = int(kPanelX) + 20; x < int(kPanelX) + 400; ++x)
                best = std::max(best, theme::contrastRatio(h.overlayPixel(x, y) & 0xFFFFFF, panel));
        return best;
    };
    EXPECT_GE(strongest(kPanelY + 40, kPanelY + 72), 4.5) << "title";
    EXPECT_GE(strongest(kPanelY + 108, kPanelY + 140), 4.5) << "message";
}

// --- Wooden plank ---

TEST(WoodButton, ShineComesAfterItsDelayThenEveryFourPointEightSeconds) {
    ScreenHarness h;
    h.setBody([](ui::Ctx& c) { ui::woodButton(c, kButton, "Quit", false, 3600); });
    auto pictureAt = [&](double t) {
        h.wait(t - h.now());
        h.frame();
        cairo_surface_flush(h.overlay());
        const unsigned char* d = cairo_image_surface_get_data(h.overlay());
        return std::vector<unsigned char>(d, d + cairo_image_surface_get_stride(h.overlay()) * 720);
    };
    const auto plain = pictureAt(0);
    EXPECT_EQ(pictureAt(4.35), plain) << "no shine before 0.8 s + 3.6 s";
    EXPECT_NE(pictureAt(5.1), plain) << "mid-sweep of the first shine";
    EXPECT_EQ(pictureAt(5.85), plain) << "a sweep lasts 1.4 s";
    EXPECT_NE(pictureAt(9.9), plain) << "the next sweep 4.8 s later";
    EXPECT_EQ(pictureAt(11.0), plain);
}

// --- Context hygiene ---

TEST(Widgets, LeaveTheContextAsTheyFoundIt) {
    const std::vector<std::uint32_t> palette{0xFF0000, 0x00FF00};
    struct Case {
        const char* name;
        std::function<void(ui::Ctx&)> draw;
    } cases[] = {
        {"slider", [](ui::Ctx& c) { ui::slider(c, kTrack, 0.4); }},
        {"back button", [](ui::Ctx& c) { ui::backButton(c, 0); }},
        {"game header", [](ui::Ctx& c) {
             bool b = false;
             ui::gameHeader(c, "Title", &b, false);
         }},
        {"screen header", [](ui::Ctx& c) {
             bool b = false;
             ui::screenHeader(c, "Title", &b);
         }},
        {"dialog", [](ui::Ctx& c) { ui::confirmDialog(c, "Title", "A longer message that wraps.", "Yes", "No"); }},
        {"footer", [](ui::Ctx& c) { ui::footer(c, 700); }},
        {"pixel panel", [](ui::Ctx& c) { ui::pixelPanel(c, kButton, false); }},
        {"status chips", [](ui::Ctx& c) {
             ui::statusChips(c, 100, 100, 24, {{rpg::StatusKind::Burn, 2, 0}, {rpg::StatusKind::Shield, 1, 5}});
         }},
        {"sunken panel", [](ui::Ctx& c) { ui::pixelPanel(c, kButton, true); }},
        {"parchment", [](ui::Ctx& c) { ui::parchmentCard(c, kButton); }},
        {"stat bar", [](ui::Ctx& c) { ui::statBar(c, kButton, 3, 4, 0xC2382F, 0x7C2019, "3/4"); }},
        {"anim bar", [](ui::Ctx& c) { ui::animBar(c, "hygiene", kButton, 3, 4, 0x3A72B2, true); }},
        {"pill",
         [](ui::Ctx& c) { ui::hudPill(c, kButton, "Gold", "120", 0x3A2A1C, 0xD8A23A, 0xF4C95A, 0xF0E2C0, 20); }},
        {"wavy title", [&](ui::Ctx& c) { ui::wavyTitle(c, 640, 100, "Vel mor", 40, &palette); }},
        {"scrollbar", [](ui::Ctx& c) { ui::scrollbar(c, kButton, 500, 40); }},
        {"scroll", [](ui::Ctx& c) {
             ui::beginScroll(c, "hygiene", kButton, 500, 10);
             ui::endScroll(c);
         }},
    };
    std::vector<Clickable> all = clickables();
    for (const Case& c : cases) all.push_back({c.name, [d = c.draw](ui::Ctx& ctx) { d(ctx); return false; }, false});
    for (const Clickable& w : all) {
        SCOPED_TRACE(w.name);
        ScreenHarness h;
        h.setBody([&](ui::Ctx& c) {
            const auto before = cairocheck::snapshot(c.cr);
            w.draw(c);
            EXPECT_TRUE(cairocheck::unchanged(c.cr, before));
        });
        h.moveTo(150, 120).press().frame();  // drawn pressed
        h.release().frame();
        if (std::string(w.name) != "scroll") {
            EXPECT_GT(cairocheck::paintedPixels(h.overlay()), 0) << "draws something";
        }
    }
}

} // namespace

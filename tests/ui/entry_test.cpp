#include "ui/entry.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

namespace {

// argv with the program name in front.
struct Args {
    explicit Args(std::vector<std::string> a) : words(std::move(a)) {
        words.insert(words.begin(), "velmorandine");
        for (const std::string& w : words) ptrs.push_back(w.c_str());
    }
    int argc() const { return static_cast<int>(ptrs.size()); }
    const char* const* argv() const { return ptrs.data(); }

    std::vector<std::string> words;
    std::vector<const char*> ptrs;
};

TEST(InfoOptionTest, FirstInformationalOptionWins) {
    using ui::InfoOption;
    struct Case {
        std::vector<std::string> args;
        InfoOption expected;
    } cases[] = {
        {{}, InfoOption::None},
        {{"--fullscreen", "--size", "800x600"}, InfoOption::None},
        {{"--bogus", "--version"}, InfoOption::Version},
        {{"--help", "--version"}, InfoOption::Help},
        {{"--version", "--help"}, InfoOption::Version},
        {{"-version", "--HELP", "--help=1"}, InfoOption::None},
    };
    for (const Case& c : cases) {
        Args a(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(ui::findInfoOption(a.argc(), a.argv()), c.expected);
    }
}

TEST(InfoOptionTest, Texts) {
    EXPECT_EQ(ui::infoText(ui::InfoOption::Version), "Velmorandine 1.0.0 (Build 1053)\n");
    EXPECT_EQ(ui::infoText(ui::InfoOption::Help),
              "Velmorandine 1.0.0\n  --version    Version ausgeben\n  --fullscreen im Vollbild starten\n"
              "  --windowed   im Fenster starten\n  --size BxH   mit dieser Fenstergroesse starten\n");
}

TEST(WindowOptionsTest, SecondPass) {
    struct Case {
        std::vector<std::string> args;
        int fullscreen;  // -1 untouched, 0 windowed, 1 full screen
        bool sizeGiven;
        int w, h;
    } cases[] = {
        {{}, -1, false, 0, 0},
        {{"--fullscreen"}, 1, false, 0, 0},
        {{"--fullscreen", "--windowed"}, 0, false, 0, 0},
        {{"--windowed", "--fullscreen"}, 1, false, 0, 0},
        {{"--size", "640x480"}, -1, true, 640, 480},
        {{"--size", "639x480"}, -1, false, 0, 0},
        {{"--size", "800x479"}, -1, false, 0, 0},
        {{"--size", "1280x720trailing"}, -1, true, 1280, 720},
        {{"--size", " 1024x 768"}, -1, true, 1024, 768},
        {{"--size", "1024X768"}, -1, false, 0, 0},
        {{"--size", "1024x"}, -1, false, 0, 0},
        {{"--size", "99999999999x720"}, -1, false, 0, 0},
        {{"--size"}, -1, false, 0, 0},
        // The value after "--size" is consumed even when invalid.
        {{"--size", "--fullscreen"}, -1, false, 0, 0},
        {{"--size", "800x600", "--size", "639x480"}, -1, true, 800, 600},
        {{"--size", "800x600", "--size", "1000x700"}, -1, true, 1000, 700},
        {{"--fullscreen", "--size"}, 1, false, 0, 0},
        {{"--version", "--FULLSCREEN", "extra"}, -1, false, 0, 0},
    };
    for (const Case& c : cases) {
        Args a(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ui::WindowOptions o = ui::parseWindowOptions(a.argc(), a.argv());
        EXPECT_EQ(o.fullscreen.has_value() ? int(*o.fullscreen) : -1, c.fullscreen);
        EXPECT_EQ(o.sizeGiven, c.sizeGiven);
        if (c.sizeGiven) {
            EXPECT_EQ(o.width, c.w);
            EXPECT_EQ(o.height, c.h);
        }
    }
}

TEST(WindowSizeTest, InitialSize) {
    struct Case {
        const char* what;
        int storedW, storedH;
        bool sizeGiven;
        int displayW, displayH;
        ui::Size expected;
    } cases[] = {
        {"given size is not limited", 640, 480, true, 1920, 1050, {640, 480}},
        {"given size fills the display at most", 1920, 2000, true, 1920, 1050, {1920, 1050}},
        {"given size larger than display", 99999, 99999, true, 1280, 720, {1280, 720}},
        {"given size without display", 99999, 600, true, 0, 0, {16384, 600}},
        {"stored size kept", 1200, 800, false, 1920, 1050, {1200, 800}},
        {"stored size limited", 1900, 1040, false, 1920, 1050, {1900, 970}},
        {"stored size without display", 1900, 1040, false, 0, 1050, {1900, 1040}},
        {"automatic on full hd", 0, 0, false, 1920, 1050, {860, 560}},
        {"automatic on 1440p", 0, 0, false, 2560, 1400, {1031, 580}},
        {"automatic on 4k", 0, 0, false, 3840, 2100, {1547, 870}},
        {"automatic on a wide short display", 0, 0, false, 5120, 900, {1457, 820}},
        {"automatic on a tiny display", 0, 0, false, 800, 600, {780, 520}},
        {"one stored side is automatic", 1200, 0, false, 3840, 2100, {1547, 870}},
        {"automatic without display", 0, 0, false, -1, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ui::initialWindowSize(c.storedW, c.storedH, c.sizeGiven, c.displayW, c.displayH), c.expected);
    }
}

TEST(WindowPlacementTest, StoredPositionHeldOnTheDisplay) {
    EXPECT_TRUE(ui::hasStoredPosition(100, 50));
    EXPECT_TRUE(ui::hasStoredPosition(-9999, -9999));
    EXPECT_TRUE(ui::hasStoredPosition(0, -1));
    EXPECT_FALSE(ui::hasStoredPosition(-1, 50));
    EXPECT_FALSE(ui::hasStoredPosition(-10000, 50));
    EXPECT_FALSE(ui::hasStoredPosition(100, -10000));

    const SDL_Rect display{0, 0, 1920, 1050};
    struct Case {
        int x, y;
        SDL_Rect display;
        int ex, ey;
    } cases[] = {
        {100, 100, display, 100, 100},
        {-500, 0, display, 0, 30},           // off the left, above the top margin
        {5000, 5000, display, 920, 490},     // off the bottom right: window 1000x560
        {3000, 200, {1920, 0, 1280, 1000}, 2200, 200},  // second display to the right
        {50, 40, {0, 0, 800, 500}, 0, 30},   // window larger than the display
        {-7000, -9000, {0, 0, 0, 0}, -7000, -9000},  // no display size: unclamped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const SDL_Point p = ui::placeOnDisplay(c.x, c.y, c.display, 1000, 560);
        EXPECT_EQ(p.x, c.ex);
        EXPECT_EQ(p.y, c.ey);
    }
}

SDL_Event mouseButton(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    return e;
}

SDL_Event keyDown(SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
}

TEST(EventTest, DoubleClickNeedsTwoReleasesWithinThreeTenths) {
    double lastRelease = -10;
    const SDL_Event up = mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    struct Step {
        double now;
        bool doubleClick;
    } steps[] = {{0.0, false}, {0.3, false}, {0.59, true}, {0.88, true}, {5.0, false}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.now);
        ui::Input in;
        ui::applyEvent(up, in, s.now, lastRelease);
        EXPECT_TRUE(in.leftReleased);
        EXPECT_EQ(in.doubleClick, s.doubleClick);
        EXPECT_EQ(lastRelease, s.now);
    }
    // Other buttons neither click nor move the double-click clock.
    ui::Input in;
    ui::applyEvent(mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT), in, 5.1, lastRelease);
    EXPECT_FALSE(in.leftReleased);
    EXPECT_EQ(lastRelease, 5.0);
}

TEST(EventTest, ButtonsWheelAndKeys) {
    double lastRelease = -10;
    ui::Input in;
    using ui::EventEffect;
    EXPECT_EQ(ui::applyEvent(mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), in, 1, lastRelease), EventEffect::None);
    ui::applyEvent(mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), in, 1, lastRelease);
    EXPECT_TRUE(in.leftPressed);
    EXPECT_TRUE(in.rightPressed);
    EXPECT_FALSE(in.leftReleased);

    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;
    ui::applyEvent(wheel, in, 1, lastRelease);
    wheel.wheel.y = 3;
    ui::applyEvent(wheel, in, 1, lastRelease);
    EXPECT_EQ(in.wheel, 1);

    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_ESCAPE), in, 1, lastRelease), EventEffect::None);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_q), in, 1, lastRelease), EventEffect::None);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_ESCAPE), in, 1, lastRelease), EventEffect::None);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_F11), in, 1, lastRelease), EventEffect::ToggleFullscreen);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_q, KMOD_LCTRL), in, 1, lastRelease), EventEffect::Quit);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_q, KMOD_RCTRL | KMOD_SHIFT), in, 1, lastRelease), EventEffect::Quit);
    EXPECT_EQ(ui::applyEvent(keyDown(SDLK_q, KMOD_ALT), in, 1, lastRelease), EventEffect::None);
    // F11 and Ctrl+Q belong to the loop; everything else reaches the screen in order.
    EXPECT_EQ(in.keys, (std::vector<int>{SDLK_ESCAPE, SDLK_q, SDLK_ESCAPE, SDLK_q}));

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(ui::applyEvent(quit, in, 1, lastRelease), EventEffect::Quit);
    SDL_Event window{};
    window.type = SDL_WINDOWEVENT;
    EXPECT_EQ(ui::applyEvent(window, in, 1, lastRelease), EventEffect::Window);
}

// SDL falls back on a driver that shows nothing when it finds no display;
// that is only fine when the user asked for it by name.
TEST(NoDisplayTest, AFallbackNobodyAskedFor) {
    struct Case {
        const char* chosen;
        const char* asked;
        bool noDisplay;
    } cases[] = {
        {"x11", nullptr, false},
        {"wayland", "dummy", false},
        {"offscreen", nullptr, true},
        {"dummy", nullptr, true},
        {"evdev", nullptr, true},
        {"offscreen", "", true},
        {"offscreen", "x11", true},
        {"offscreen", "offscreen", false},
        {"dummy", "DUMMY", false},  // SDL matches names in any case
        {"offscreen", "x11,offscreen", false},
        {"offscreen", "offscreen2", true},
        {"dummy", "dumm", true},
        {nullptr, nullptr, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::noDisplay(c.chosen, c.asked), c.noDisplay)
            << (c.chosen ? c.chosen : "null") << " asked " << (c.asked ? c.asked : "null");
    }
}

TEST(MessageBoxTextTest, LongLinesBreakAtTheirLastSpaceOrWhereTheyMust) {
    struct Case {
        const char* text;
        int columns;
        const char* wrapped;
    } cases[] = {
        {"fits as it is", 13, "fits as it is"},
        {"one two three four", 9, "one two\nthree\nfour"},
        {"one two", 3, "one\ntwo"},  // the space that would overflow is the break
        {"abcdefghij", 4, "abcd\nefgh\nij"},
        {"ab\ncd ef gh", 5, "ab\ncd ef\ngh"},  // the text's own breaks stay and start a line
        {"/a/very/long/path/saves.dat", 10, "/a/very/lo\nng/path/sa\nves.dat"},
        {"Spielstand gehört dir", 12, "Spielstand\ngehört dir"},  // characters, not bytes
        {"日本語のテキスト", 6, "日本語\nのテキ\nスト"},        // wide characters count two
        {"", 5, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ui::wrapForMessageBox(c.text, c.columns), c.wrapped) << c.text;
}

// Diagnostic lines keep their exact text, columns and all.
TEST(StatsLineTest, ExactFormat) {
    EXPECT_EQ(ui::statsLine(60, 2.345, 0.96, 41, 1280, 720, ""),
              "[stats]  60 fps   CPU   2.3 ms   GPU   1.0 ms   41 Kopien  1280x720 \n");
    EXPECT_EQ(ui::statsLine(1234, 123.45, 10.0, 0, 860, 560, " battle 1.5 text 0.2"),
              "[stats] 1234 fps   CPU 123.5 ms   GPU  10.0 ms   0 Kopien  860x560  battle 1.5 text 0.2\n");
}

TEST(ClockTest, StartsNearZeroAndNeverRunsBackwards) {
    const double a = ui::nowSeconds();
    const double b = ui::nowSeconds();
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 60);  // counted from its first call in this process, not from boot
    EXPECT_GE(b, a);
}

TEST(TerminationDeathTest, FirstSignalAsksSecondEndsAtOnce) {
    EXPECT_EXIT(
        {
            ui::installTerminationHandlers();
            if (ui::terminationRequested()) std::_Exit(3);
            std::raise(SIGTERM);
            if (!ui::terminationRequested()) std::_Exit(4);
            std::raise(SIGINT);
            std::_Exit(5);
        },
        testing::ExitedWithCode(128 + SIGINT), "");
}

TEST(TerminationDeathTest, DefaultActionRestored) {
    EXPECT_EXIT(
        {
            ui::installTerminationHandlers();
            ui::restoreDefaultTerminationHandlers();
            std::raise(SIGHUP);
            std::_Exit(5);
        },
        testing::KilledBySignal(SIGHUP), "");
}

} // namespace

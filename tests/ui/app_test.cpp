#include "ui/app.h"
#include "ui/draw.h"
#include "ui/gpu.h"
#include "ui/keys.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include "ui_fixture.h"

#include <string>
#include <vector>

namespace {

// Every build and destruction of a screen, in order, as "+N" and "-N".
std::vector<std::string>& journal() {
    static std::vector<std::string> j;
    return j;
}

std::vector<std::string>& contextLines() {
    static std::vector<std::string> lines;
    return lines;
}

class RecordingScreen : public ui::Screen {
public:
    explicit RecordingScreen(const ui::GameState& s) : state_(s) { journal().push_back("+" + std::to_string(s.screen)); }
    ~RecordingScreen() override { journal().push_back("-" + std::to_string(state_.screen)); }
    void update(ui::Ctx&) override { ++updates; }

    ui::GameState state_;
    int updates = 0;
};

std::unique_ptr<ui::Screen> recordingFactory(const ui::GameState& s) { return std::make_unique<RecordingScreen>(s); }

void recordContext(const char* line) { contextLines().push_back(line); }

ui::GameState entry(int screen, std::string nodeId = "") {
    ui::GameState s;
    s.screen = screen;
    s.nodeId = std::move(nodeId);
    return s;
}

class GameTest : public testing::Test {
protected:
    void SetUp() override {
        journal().clear();
        contextLines().clear();
    }
    RecordingScreen* shown() { return static_cast<RecordingScreen*>(game.current()); }

    ui::Game game{&recordingFactory, &recordContext};
    ui::Ctx ctx;
};

TEST(GameStateTest, DefaultEntryAndDeepCopy) {
    ui::GameState a;
    EXPECT_EQ(a.screen, 0);
    EXPECT_TRUE(a.firstFlag);
    EXPECT_FALSE(a.lucky);
    EXPECT_FALSE(a.autoOpen);
    rpg::ItemInstance item;
    item.uid = "it-1";
    a.items.push_back(item);
    a.xpRows.push_back(ui::XpRow{"warrior-0", 40, 3, 4});
    ui::GameState b = a;
    a.items[0].uid = "it-2";
    a.xpRows[0].heroId = "mage-0";
    EXPECT_EQ(b.items[0].uid, "it-1");
    EXPECT_EQ(b.xpRows[0].heroId, "warrior-0");
}

TEST_F(GameTest, StartsOnTheSplashAndBuildsItOnFirstUpdate) {
    EXPECT_EQ(game.version(), 0);
    ASSERT_EQ(game.stack().size(), 1u);
    EXPECT_EQ(game.top().screen, 0);
    EXPECT_EQ(game.current(), nullptr);
    game.update(ctx);
    ASSERT_NE(shown(), nullptr);
    EXPECT_EQ(shown()->updates, 1);
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"+0"}));
    EXPECT_EQ(shown()->updates, 2);
}

TEST_F(GameTest, EachOperationRaisesTheVersionByOneAndRebuildsOnce) {
    game.update(ctx);
    game.push(entry(10));
    EXPECT_EQ(game.version(), 1);
    game.push(entry(11, "r2c1"));
    EXPECT_EQ(game.version(), 2);
    game.replace(entry(12, "r2c1"));
    EXPECT_EQ(game.version(), 3);
    ASSERT_EQ(game.stack().size(), 3u);
    EXPECT_EQ(game.top().screen, 12);

    game.update(ctx);
    game.update(ctx);
    // Intermediate entries never get a screen; the new one exists before the old dies.
    EXPECT_EQ(journal(), (std::vector<std::string>{"+0", "+12", "-0"}));
    EXPECT_EQ(shown()->state_.nodeId, "r2c1");

    game.pop();
    EXPECT_EQ(game.version(), 4);
    EXPECT_EQ(game.top().screen, 10);
    game.resetTo(entry(1));
    EXPECT_EQ(game.version(), 5);
    ASSERT_EQ(game.stack().size(), 1u);
    EXPECT_EQ(game.top().screen, 1);
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"+0", "+12", "-0", "+1", "-12"}));
}

TEST_F(GameTest, PopOnTheLastEntryKeepsItAndRebuildsItsScreen) {
    game.update(ctx);
    RecordingScreen* before = shown();
    game.pop();
    EXPECT_EQ(game.version(), 1);
    ASSERT_EQ(game.stack().size(), 1u);
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"+0", "+0", "-0"}));
    EXPECT_NE(shown(), before);
}

TEST_F(GameTest, ResetToAnEntryOfTheStackItself) {
    game.push(entry(3));
    game.push(entry(10));
    game.resetTo(game.stack()[1]);
    ASSERT_EQ(game.stack().size(), 1u);
    EXPECT_EQ(game.top().screen, 3);
}

TEST_F(GameTest, UnknownScreenNumberKeepsTheOldScreenButWritesTheContext) {
    game.update(ctx);
    for (int bad : {24, -1}) {
        SCOPED_TRACE(bad);
        contextLines().clear();
        game.push(entry(bad));
        game.update(ctx);
        EXPECT_EQ(shown()->state_.screen, 0);
        EXPECT_EQ(contextLines(), (std::vector<std::string>{"Bildschirm " + std::to_string(bad) +
                                                            ", Feld -, Welt 0, Tiefe 0"}));
        game.pop();
    }
    EXPECT_EQ(journal(), (std::vector<std::string>{"+0"}));
}

TEST_F(GameTest, UnknownFirstScreenLeavesNothingToUpdate) {
    game.replace(entry(99));
    game.update(ctx);
    EXPECT_EQ(game.current(), nullptr);
    game.replace(entry(2));
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"+2"}));
}

// A screen that changes the stack during its own update keeps running until
// the frame ends; its successor appears on the next update.
class PushingScreen : public ui::Screen {
public:
    explicit PushingScreen(ui::Game& g) : game_(g) {}
    ~PushingScreen() override { journal().push_back("-pusher"); }
    void update(ui::Ctx&) override {
        game_.push(entry(13));
        journal().push_back("pushed");
    }

private:
    ui::Game& game_;
};

ui::Game* g_pushGame = nullptr;
std::unique_ptr<ui::Screen> pushingFactory(const ui::GameState& s) {
    if (s.screen == 0) return std::make_unique<PushingScreen>(*g_pushGame);
    return std::make_unique<RecordingScreen>(s);
}

TEST(GameChangeInsideUpdate, TakesEffectOnTheNextFrame) {
    journal().clear();
    ui::Game game(&pushingFactory, &recordContext);
    g_pushGame = &game;
    ui::Ctx ctx;
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"pushed"}));
    game.update(ctx);
    EXPECT_EQ(journal(), (std::vector<std::string>{"pushed", "+13", "-pusher"}));
}

// A screen that draws one texture and one render target every frame.
class TexturedScreen : public ui::Screen {
public:
    void update(ui::Ctx&) override {
        ui::gpuTexture("kept", 4, 4, nullptr, nullptr);
        ui::gpuRenderTarget("target", 4, 4, nullptr, nullptr, false);
    }
};

std::unique_ptr<ui::Screen> texturedFactory(const ui::GameState&) { return std::make_unique<TexturedScreen>(); }

TEST(GameTextures, WhatTheNewScreenDoesNotUseGoesOnItsThirtiethFrame) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    ui::gpuInit(renderer);
    ui::Game game(&texturedFactory, &recordContext);
    ui::Ctx ctx;
    const auto frame = [&] {
        ui::gpuBeginFrame();
        game.update(ctx);
    };
    ASSERT_NE(ui::gpuTexture("left", 4, 4, nullptr, nullptr), nullptr);  // the screen before's
    for (int i = 0; i < 29; ++i) frame();
    EXPECT_EQ(ui::gpuCacheSize(), 3u) << "the new screen is still settling";
    EXPECT_FALSE(game.leftoversDropped());
    frame();
    EXPECT_EQ(ui::gpuCacheSize(), 2u) << "the render target drawn every frame stays";
    EXPECT_TRUE(game.leftoversDropped()) << "the shell hands freed memory back on this frame";
    EXPECT_EQ(ui::gpuCached("left", 4, 4), nullptr);
    EXPECT_NE(ui::gpuCached("kept", 4, 4), nullptr);

    // The next screen lets go of nothing it uses, however long the last was shown.
    for (int i = 0; i < 100; ++i) frame();
    EXPECT_FALSE(game.leftoversDropped()) << "once a screen";
    game.push(entry(3));
    for (int i = 0; i < 30; ++i) frame();
    EXPECT_EQ(ui::gpuCacheSize(), 2u);
    ui::gpuShutdown();
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}

// A screen that measures one label every frame.
cairo_t* g_textCr = nullptr;
class LabelledScreen : public ui::Screen {
public:
    void update(ui::Ctx&) override { ui::measureText(g_textCr, "kept label", ui::TextStyle{}, nullptr, nullptr); }
};

std::unique_ptr<ui::Screen> labelledFactory(const ui::GameState&) { return std::make_unique<LabelledScreen>(); }

TEST(GameTexts, WhatTheNewScreenDoesNotLayOutGoesOnItsThirtiethFrame) {
    ASSERT_TRUE(uitest::fontsReady());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    g_textCr = cairo_create(surface);
    ui::clearTextCache();
    const auto missesFor = [&](const char* text) {
        const std::size_t before = ui::textCacheStats().misses;
        ui::measureText(g_textCr, text, ui::TextStyle{}, nullptr, nullptr);
        return ui::textCacheStats().misses - before;
    };
    missesFor("left label");  // the screen before's
    ui::Game game(&labelledFactory, &recordContext);
    ui::Ctx ctx;
    for (int i = 0; i < 29; ++i) game.update(ctx);
    EXPECT_EQ(ui::textCacheStats().entries, 2u) << "the new screen is still settling";
    game.update(ctx);
    EXPECT_EQ(ui::textCacheStats().entries, 1u);
    EXPECT_EQ(missesFor("kept label"), 0u) << "in use, so kept";
    EXPECT_EQ(missesFor("left label"), 1u) << "laid out again when asked for";

    // The next screen keeps what it lays out, however long the last was shown.
    for (int i = 0; i < 100; ++i) game.update(ctx);
    game.push(entry(3));
    for (int i = 0; i < 30; ++i) game.update(ctx);
    EXPECT_EQ(missesFor("kept label"), 0u);
    EXPECT_EQ(ui::textCacheStats().entries, 1u) << "the one asked for outside the screens went";
    cairo_destroy(g_textCr);
    g_textCr = nullptr;
    cairo_surface_destroy(surface);
    ui::clearTextCache();
}

TEST(CrashContextLine, NamesScreenNodeAscensionAndDepth) {
    EXPECT_EQ(ui::crashContextLine(entry(11, "r3c2"), 2, 7), "Bildschirm 11, Feld r3c2, Welt 2, Tiefe 7");
    EXPECT_EQ(ui::crashContextLine(entry(10), 0, 0), "Bildschirm 10, Feld -, Welt 0, Tiefe 0");
    const std::string line = ui::crashContextLine(entry(11, std::string(500, 'n')), 0, 0);
    EXPECT_EQ(line.size(), 199u);
}

TEST(CtxTest, HitTestsAreHalfOpen) {
    ui::Ctx ctx;
    const ui::Rect r{10, 20, 30, 40};
    struct Case {
        double x, y;
        bool inside;
    } cases[] = {{10, 20, true}, {39.99, 59.99, true}, {40, 30, false}, {20, 60, false}, {9.99, 30, false}};
    for (const Case& c : cases) {
        ctx.input.x = c.x;
        ctx.input.y = c.y;
        ctx.input.leftReleased = true;
        ctx.input.rightPressed = true;
        ctx.clickTaken = false;
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(ctx.hover(r), c.inside);
        EXPECT_EQ(ctx.takeRightClick(r), c.inside);
        EXPECT_EQ(ctx.takeClick(r), c.inside);
    }
}

TEST(CtxTest, TakeClickSucceedsOncePerFrame) {
    ui::Ctx ctx;
    const ui::Rect under{0, 0, 100, 100}, over{50, 50, 100, 100};
    ctx.input.x = 60;
    ctx.input.y = 60;
    EXPECT_FALSE(ctx.takeClick(under));  // no release, no click
    ctx.input.leftReleased = true;
    EXPECT_TRUE(ctx.takeClick(under));
    EXPECT_FALSE(ctx.takeClick(over));
    EXPECT_TRUE(ctx.hover(under));
    EXPECT_TRUE(ctx.hover(over));

    ctx.beginFrame();
    EXPECT_FALSE(ctx.clickTaken);
    EXPECT_FALSE(ctx.input.leftReleased);
    ctx.input.leftReleased = true;
    ctx.input.x = 60;
    ctx.input.y = 60;
    EXPECT_TRUE(ctx.takeClick(over));
}

TEST(CtxTest, BeginFrameClearsInputButKeepsLastingState) {
    ui::Ctx ctx;
    ctx.input.keys = {27};
    ctx.input.wheel = 2;
    ctx.ctrl = ctx.shift = ctx.clickTaken = true;
    ctx.quit = true;
    ctx.scrolling.dragOwner = "list";
    ctx.scrolling.velocity = 300;
    ctx.uiScale = 1.5;
    ctx.beginFrame();
    EXPECT_FALSE(ctx.input.hasKey(27));
    EXPECT_EQ(ctx.input.wheel, 0);
    EXPECT_FALSE(ctx.ctrl || ctx.shift || ctx.clickTaken);
    EXPECT_TRUE(ctx.quit);
    EXPECT_EQ(ctx.scrolling.dragOwner, "list");
    EXPECT_EQ(ctx.scrolling.velocity, 300);
    EXPECT_EQ(ctx.uiScale, 1.5);
}

// A dialog open and a list held when the screen changes: the new screen
// gets the frame's input and no drag or fling of the old one.
TEST_F(GameTest, ANewScreenStartsWithoutTheOldDialogDragOrFling) {
    game.update(ctx);
    ctx.beginFrame();
    ctx.settleInput();
    ctx.beginModal();
    ctx.endModal(true);
    ctx.scrolling.dragOwner = ctx.scrolling.flingOwner = "list";
    ctx.scrolling.velocity = 300;

    ctx.beginFrame();
    ctx.input.x = ctx.input.y = 10;
    ctx.input.leftReleased = true;
    ctx.settleInput();
    const ui::Rect r{0, 0, 100, 100};
    ASSERT_FALSE(ctx.hover(r)) << "under the dialog";
    game.push(entry(3));
    game.update(ctx);
    EXPECT_TRUE(ctx.takeClick(r));
    EXPECT_TRUE(ctx.scrolling.dragOwner.empty());
    EXPECT_TRUE(ctx.scrolling.flingOwner.empty());
    EXPECT_EQ(ctx.scrolling.velocity, 0);
}

TEST(CtxTest, BackIsAskedByTheButtonOrEscape) {
    struct Case {
        bool clicked;
        std::vector<int> keys;
        bool asked;
    } cases[] = {
        {false, {}, false},
        {true, {}, true},
        {false, {ui::key::kEscape}, true},
        {false, {ui::key::kReturn, 'a'}, false},
    };
    for (const Case& c : cases) {
        ui::Ctx ctx;
        ctx.beginFrame();
        ctx.input.keys = c.keys;
        ctx.settleInput();
        EXPECT_EQ(ctx.backAsked(c.clicked), c.asked) << c.clicked << " " << c.keys.size();
    }
}

// Escape under an open dialog cancels the dialog; the screen beneath does
// not also go back.
TEST(CtxTest, EscapeUnderADialogIsTheDialogsNotTheScreens) {
    ui::Ctx ctx;
    ctx.beginFrame();
    ctx.settleInput();
    ctx.beginModal();
    ctx.endModal(true);

    ctx.beginFrame();
    ctx.input.keys = {ui::key::kEscape};
    ctx.settleInput();
    EXPECT_FALSE(ctx.backAsked(false)) << "the screen drawn before the dialog";
    ctx.beginModal();
    EXPECT_TRUE(ctx.input.hasKey(ui::key::kEscape)) << "the dialog itself";
    ctx.endModal(false);
}

TEST(InputTest, HasKey) {
    ui::Input in;
    for (int k : {27, 13, int('a')}) EXPECT_FALSE(in.hasKey(k));
    in.keys = {13, 'a'};
    EXPECT_TRUE(in.hasKey('a'));
    EXPECT_FALSE(in.hasKey(27));
}

TEST(UiScaleTest, FollowsTheTighterAxisWithinLimits) {
    struct Case {
        double w, h, scale;
    } cases[] = {
        {1280, 720, 1.0}, {2560, 720, 1.0}, {1920, 1080, 1.5}, {860, 560, 0.72},
        {640, 480, 0.72}, {1280, 1440, 1.0}, {7680, 4320, 2.0}, {0, 0, 0.72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        EXPECT_DOUBLE_EQ(ui::uiScaleFor(c.w, c.h), c.scale);
    }
}

} // namespace

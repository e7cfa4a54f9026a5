// The GPU layer on SDL's software renderer drawing into a surface.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "ui/draw.h"
#include "ui/gpu.h"

namespace {

constexpr int kSize = 64;

class Gpu : public ::testing::Test {
protected:
    void SetUp() override {
        surface = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        renderer = SDL_CreateSoftwareRenderer(surface);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
        testing::internal::CaptureStderr();
        ui::gpuInit(renderer);
        initLog = testing::internal::GetCapturedStderr();
        ui::gpuSetScale(1);
        clear(0x000000);
    }
    void TearDown() override {
        ui::gpuShutdown();
        if (renderer) SDL_DestroyRenderer(renderer);
        if (surface) SDL_FreeSurface(surface);
    }

    void clear(uint32_t rgb) {
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF, 255);
        SDL_RenderClear(renderer);
    }
    // 0xRRGGBB of the target pixel after all queued drawing.
    uint32_t at(int x, int y) {
        uint32_t px = 0;
        SDL_Rect r{x, y, 1, 1};
        SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_ARGB8888, &px, 4);
        return px & 0xFFFFFF;
    }

    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    std::string initLog;
};

struct Paint {
    uint32_t color = 0xFF0000;
    double alpha = 1.0;
    int calls = 0;
};

void paintFill(cairo_t* cr, void* user) {
    auto* p = static_cast<Paint*>(user);
    ++p->calls;
    ui::setColor(cr, p->color, p->alpha);
    cairo_paint(cr);
}

// Left half red, right half green, in logical units of a 20 x 10 picture.
void paintHalves(cairo_t* cr, void*) {
    ui::fillRect(cr, {0, 0, 10, 10}, 0xFF0000);
    ui::fillRect(cr, {10, 0, 10, 10}, 0x00FF00);
}

TEST_F(Gpu, SoftwareRendererFallsBackToPlainBlending) {
    EXPECT_EQ(initLog, "[gpu] kein vormultipliziertes Mischen — nehme das normale\n");
    Paint p;
    SDL_Texture* tex = ui::gpuTexture("probe", 4, 4, paintFill, &p);
    ASSERT_NE(tex, nullptr);
    SDL_BlendMode mode;
    SDL_GetTextureBlendMode(tex, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);
}

TEST_F(Gpu, TextureIsCachedByKeyAndSizeAndRepaintedAtAnotherSize) {
    Paint p;
    SDL_Texture* a = ui::gpuTexture("scene", 800, 600, paintFill, &p);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(ui::gpuTexture("scene", 800, 600, paintFill, &p), a);
    EXPECT_EQ(p.calls, 1);
    EXPECT_EQ(ui::gpuCached("scene", 800, 600), a);

    SDL_Texture* b = ui::gpuTexture("scene", 801, 600, paintFill, &p);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(p.calls, 2);
    EXPECT_EQ(ui::gpuCached("scene", 800, 600), nullptr) << "one entry per key";
    EXPECT_EQ(ui::gpuCached("scene", 801, 600), b);
    EXPECT_EQ(ui::gpuCached("other", 801, 600), nullptr);

    ui::gpuDrop("scene");
    EXPECT_EQ(ui::gpuCached("scene", 801, 600), nullptr);
}

TEST_F(Gpu, NoTextureWithoutRendererOrForAnEmptySize) {
    Paint p;
    EXPECT_EQ(ui::gpuTexture("zero", 0, 5, paintFill, &p), nullptr);
    EXPECT_EQ(ui::gpuTexture("negative", 5, -1, paintFill, &p), nullptr);
    const uint32_t px = 0xFFFFFFFF;
    EXPECT_EQ(ui::gpuTextureRgba("nopixels", 1, 1, nullptr, true), nullptr);
    ui::gpuShutdown();
    EXPECT_EQ(ui::gpuRenderer(), nullptr);
    EXPECT_EQ(ui::gpuTexture("late", 5, 5, paintFill, &p), nullptr);
    EXPECT_EQ(ui::gpuTextureRgba("late", 1, 1, &px, true), nullptr);
    EXPECT_EQ(p.calls, 0);
    ui::gpuBeginFrame();
    ui::gpuFillRect(0, 0, 5, 5, 0xFFFFFF);
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
}

std::string key(char prefix, int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%03d", prefix, i);
    return buf;
}

void makeEntries(char prefix, int count) {
    Paint p;
    for (int i = 0; i < count; ++i) ASSERT_NE(ui::gpuTexture(key(prefix, i), 1, 1, paintFill, &p), nullptr);
}

TEST_F(Gpu, EvictionNeedsMoreThan900Entries) {
    ui::gpuBeginFrame();
    makeEntries('k', 900);
    ui::gpuBeginFrame();
    makeEntries('n', 1);  // 900 before: nothing goes
    for (int i = 0; i < 900; ++i) ASSERT_NE(ui::gpuCached(key('k', i), 1, 1), nullptr) << key('k', i);
}

TEST_F(Gpu, EvictionDropsTheLeastRecentlyUsedThirdThenSmallerKeys) {
    ui::gpuBeginFrame();
    makeEntries('m', 600);  // older
    ui::gpuBeginFrame();
    makeEntries('a', 300);  // newer, though their keys sort first
    ASSERT_NE(ui::gpuCached("m599", 1, 1), nullptr);  // used again: now among the newest
    makeEntries('b', 1);    // 901 entries
    ui::gpuBeginFrame();
    makeEntries('z', 1);    // evicts 901 / 3 = 300 first

    for (int i = 0; i < 300; ++i) EXPECT_EQ(ui::gpuCached(key('m', i), 1, 1), nullptr) << key('m', i);
    for (int i = 300; i < 600; ++i) EXPECT_NE(ui::gpuCached(key('m', i), 1, 1), nullptr) << key('m', i);
    for (int i = 0; i < 300; ++i) EXPECT_NE(ui::gpuCached(key('a', i), 1, 1), nullptr) << key('a', i);
    EXPECT_NE(ui::gpuCached("b000", 1, 1), nullptr);
    EXPECT_NE(ui::gpuCached("z000", 1, 1), nullptr);
}

// 2048 x 1024 pixels are 8 MB: four fill the 32 MB the cache may hold.
TEST_F(Gpu, ByteCapDropsTheLeastRecentlyUsedButNeverWhatThisFrameUsed) {
    constexpr std::size_t kBig = std::size_t{8} << 20;
    Paint p;
    const auto big = [&](const char* k) { return ui::gpuTexture(k, 2048, 1024, paintFill, &p); };
    const auto held = [](const char* k) { return ui::gpuCached(k, 2048, 1024) != nullptr; };
    ui::gpuBeginFrame();
    for (const char* k : {"a0", "a1", "a2", "a3"}) ASSERT_NE(big(k), nullptr);
    EXPECT_EQ(ui::gpuCacheBytes(), 4 * kBig);

    ui::gpuBeginFrame();
    ASSERT_TRUE(held("a3"));  // used again
    std::vector<SDL_Texture*> thisFrame;
    for (const char* k : {"b0", "b1", "b2", "b3"}) thisFrame.push_back(big(k));
    // a0..a2 made room; then only this frame's were left, and they all stay.
    EXPECT_FALSE(held("a0") || held("a1") || held("a2"));
    EXPECT_EQ(ui::gpuCacheBytes(), 5 * kBig);
    EXPECT_TRUE(held("a3"));
    const char* keys[] = {"b0", "b1", "b2", "b3"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ui::gpuCached(keys[i], 2048, 1024), thisFrame[i]) << keys[i];

    // A later frame brings the cache back under the cap, the oldest first.
    ui::gpuBeginFrame();
    ASSERT_NE(big("c0"), nullptr);
    EXPECT_EQ(ui::gpuCacheBytes(), 4 * kBig);
    EXPECT_FALSE(held("a3") || held("b0"));
    EXPECT_TRUE(held("b1") && held("b2") && held("b3") && held("c0"));

    ui::gpuDropPrefix("b");
    EXPECT_EQ(ui::gpuCacheBytes(), kBig);
    ASSERT_NE(ui::gpuTexture("c0", 4, 4, paintFill, &p), nullptr);  // made anew at another size
    EXPECT_EQ(ui::gpuCacheBytes(), 64u);
}

TEST_F(Gpu, TexturesHoldPremultipliedPixels) {
    Paint half{0xFF0000, 0.5};
    SDL_Texture* tex = ui::gpuTexture("half", 8, 8, paintFill, &half);
    ui::gpuBlit(tex, 0, 0, 8, 8, 1.0);
    // Stored red is 128 (premultiplied); plain blending scales it by alpha once more.
    EXPECT_NEAR(static_cast<int>(at(4, 4) >> 16), 64, 2);
}

TEST_F(Gpu, BlitAlphaIsHeldBetweenZeroAndOne) {
    Paint red;
    SDL_Texture* tex = ui::gpuTexture("red", 8, 8, paintFill, &red);
    struct Case {
        double alpha;
        uint32_t want;
    };
    for (const Case& c : {Case{1.7, 0xFF0000}, Case{-0.1, 0x0000FF}, Case{0.0, 0x0000FF}}) {
        clear(0x0000FF);
        ui::gpuBlit(tex, 0, 0, 8, 8, c.alpha);
        EXPECT_EQ(at(4, 4), c.want) << "alpha " << c.alpha;
    }
}

TEST_F(Gpu, ScaleTurnsLogicalUnitsIntoRoundedPixels) {
    for (double s : {0.0, -2.0}) {
        ui::gpuSetScale(s);
        EXPECT_EQ(ui::gpuScale(), 1.0) << s;
    }
    ui::gpuSetScale(2);
    ui::gpuFillRect(1, 1, 2, 2, 0xFFFFFF);  // pixels 2..5
    EXPECT_EQ(at(1, 1), 0x000000u);
    EXPECT_EQ(at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(at(5, 5), 0xFFFFFFu);
    EXPECT_EQ(at(6, 6), 0x000000u);

    // The painter works in logical units: its red half is 20 of the 40 pixels.
    SDL_Texture* tex = ui::gpuTexture("halves", 40, 20, paintHalves, nullptr);
    ui::gpuBlit(tex, 10, 10, 20, 10);  // pixels 20..59
    EXPECT_EQ(at(21, 25), 0xFF0000u);
    EXPECT_EQ(at(38, 25), 0xFF0000u);
    EXPECT_EQ(at(41, 25), 0x00FF00u);
    EXPECT_EQ(at(58, 25), 0x00FF00u);

    ui::gpuSetScale(1.5);
    clear(0);
    ui::gpuFillRect(1, 1, 3, 3, 0xFFFFFF);  // 1.5 and 4.5 round away from zero: pixels 2..6
    EXPECT_EQ(at(1, 1), 0x000000u);
    EXPECT_EQ(at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(at(6, 6), 0xFFFFFFu);
    EXPECT_EQ(at(7, 7), 0x000000u);
}

TEST_F(Gpu, DrawCallsCountEveryBlitAndRectOfTheFrame) {
    Paint p;
    SDL_Texture* tex = ui::gpuTexture("t", 4, 4, paintFill, &p);
    ui::gpuBeginFrame();
    ui::gpuFillRect(0, 0, 0, 5, 0xFFFFFF);   // zero width: nothing
    ui::gpuFillRect(0, 0, 5, -1, 0xFFFFFF);  // negative height: nothing
    ui::gpuBlit(nullptr, 0, 0, 4, 4);        // no texture: nothing
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
    ui::gpuFillRect(0, 0, 5, 5, 0xFFFFFF);
    ui::gpuStrokeRect(0, 0, 5, 5, 0xFFFFFF);
    ui::gpuBlit(tex, 0, 0, 4, 4);
    ui::gpuBlitTinted(tex, 0, 0, 4, 4, 0x808080);
    ui::gpuBlitAdditive(tex, 0, 0, 4, 4, 0x808080);
    ui::gpuBlitRotated(tex, 8, 8, 4, 4, 30);
    ui::gpuBlitMirrored(tex, 8, 8, 4, 4, 30, true);
    ui::gpuBlitPivot(tex, 8, 8, 4, 4, 1, 1, 30, false);
    EXPECT_EQ(ui::gpuDrawCalls(), 8);
    ui::gpuBeginFrame();
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
}

TEST_F(Gpu, MirroredRotatedAndPivotBlitsPlaceThePicture) {
    SDL_Texture* tex = ui::gpuTexture("halves", 20, 10, paintHalves, nullptr);
    ASSERT_NE(tex, nullptr);
    struct Probe {
        int x, y;
        uint32_t want;
    };
    struct Case {
        const char* what;
        void (*blit)(SDL_Texture*);
        Probe probes[3];
    };
    const Case cases[] = {
        {"plain rotation 0", [](SDL_Texture* t) { ui::gpuBlitRotated(t, 30, 30, 20, 10, 0); },
         {{25, 30, 0xFF0000}, {35, 30, 0x00FF00}, {30, 20, 0x000000}}},
        {"mirrored", [](SDL_Texture* t) { ui::gpuBlitMirrored(t, 30, 30, 20, 10, 0, true); },
         {{25, 30, 0x00FF00}, {35, 30, 0xFF0000}, {30, 20, 0x000000}}},
        {"rotated 90 clockwise about the centre",
         [](SDL_Texture* t) { ui::gpuBlitRotated(t, 30, 30, 20, 10, 90); },
         {{30, 25, 0xFF0000}, {30, 35, 0x00FF00}, {24, 30, 0x000000}}},
        // Top-left (20, 10), pivot at that corner: the picture swings down to x 10..20, y 10..30.
        {"pivot at the top-left corner", [](SDL_Texture* t) { ui::gpuBlitPivot(t, 20, 10, 20, 10, 0, 0, 90, false); },
         {{15, 15, 0xFF0000}, {15, 25, 0x00FF00}, {30, 15, 0x000000}}},
    };
    for (const auto& c : cases) {
        clear(0);
        c.blit(tex);
        for (const Probe& p : c.probes) EXPECT_EQ(at(p.x, p.y), p.want) << c.what << " at " << p.x << "," << p.y;
    }
}

TEST_F(Gpu, TintMultipliesTheColour) {
    Paint white{0xFFFFFF};
    SDL_Texture* tex = ui::gpuTexture("white", 8, 8, paintFill, &white);
    ui::gpuBlitTinted(tex, 0, 0, 8, 8, 0x40C0FF, 1.0);
    EXPECT_EQ(at(4, 4), 0x40C0FFu);
    clear(0);
    ui::gpuBlitAdditive(tex, 0, 0, 8, 8, 0x204060, 1.0);
    ui::gpuBlitAdditive(tex, 0, 0, 8, 8, 0x204060, 1.0);
    EXPECT_EQ(at(4, 4), 0x4080C0u) << "additive blits add up";
    SDL_BlendMode mode;
    SDL_GetTextureBlendMode(tex, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_BLEND) << "the layer's blend mode comes back";
}

TEST_F(Gpu, QuadsPlaceFlipTintAndFadeTheirCopiesInOneCall) {
    Paint white{0xFFFFFF};
    SDL_Texture* tex = ui::gpuTexture("white", 8, 8, paintFill, &white);
    const ui::GpuQuad quads[] = {{8, 8, 8, 8}, {40, 20, 4, 12}};
    ui::gpuBeginFrame();
    ui::gpuBlitQuads(tex, quads, 2, 0x40C0FF, 1.0);
    EXPECT_EQ(ui::gpuDrawCalls(), 1) << "all quads in one call";
    EXPECT_EQ(at(8, 8), 0x40C0FFu);
    EXPECT_EQ(at(5, 5), 0x40C0FFu);
    EXPECT_EQ(at(13, 13), 0x000000u) << "the first quad spans 4..12";
    EXPECT_EQ(at(39, 15), 0x40C0FFu) << "the second is 4 wide and 12 high about (40, 20)";
    EXPECT_EQ(at(43, 20), 0x000000u);
    EXPECT_EQ(at(40, 27), 0x000000u);

    // Flipped copies of the red-green picture, each way.
    SDL_Texture* halves = ui::gpuTexture("halves", 20, 10, paintHalves, nullptr);
    clear(0);
    const ui::GpuQuad flipped[] = {{10, 5, 20, 10, false, false}, {10, 15, 20, 10, true, false},
                                   {10, 25, 20, 10, false, true}, {10, 35, 20, 10, true, true}};
    ui::gpuBlitQuads(halves, flipped, 4, 0xFFFFFF, 1.0);
    for (int row : {0, 1, 2, 3}) {
        const bool mirrored = row % 2 == 1;
        EXPECT_EQ(at(4, 10 * row + 5), mirrored ? 0x00FF00u : 0xFF0000u) << "row " << row;
        EXPECT_EQ(at(15, 10 * row + 5), mirrored ? 0xFF0000u : 0x00FF00u) << "row " << row;
    }

    // Faded as a tinted blit of the same alpha is.
    clear(0);
    ui::gpuBlitQuads(tex, quads, 1, 0xFFFFFF, 0.5);
    const uint32_t faded = at(8, 8);
    clear(0);
    ui::gpuBlitTinted(tex, 4, 4, 8, 8, 0xFFFFFF, 0.5);
    EXPECT_EQ(faded, at(8, 8));
    EXPECT_GT(faded & 0xFF, 0u);
    EXPECT_LT(faded & 0xFF, 0xFFu);
}

TEST_F(Gpu, UploadedPixelsKeepTheScaleQualityHint) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "best");
    const uint32_t pixels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    SDL_Texture* tex = ui::gpuTextureRgba("rgba", 2, 2, pixels, true);
    ASSERT_NE(tex, nullptr);
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY), "best");
    EXPECT_EQ(ui::gpuTextureRgba("rgba", 2, 2, pixels, true), tex);
    ui::gpuBlit(tex, 0, 0, 20, 20);
    EXPECT_EQ(at(5, 5), 0xFF0000u);
    EXPECT_EQ(at(15, 5), 0x00FF00u);
    EXPECT_EQ(at(5, 15), 0x0000FFu);
    EXPECT_EQ(at(15, 15), 0xFFFFFFu);
}

TEST_F(Gpu, RenderTargetIsDrawnOnceUnlessRedrawIsAsked) {
    int draws = 0;
    auto draw = [](void* user) {
        ++*static_cast<int*>(user);
        ui::gpuFillRect(0, 0, 4, 4, 0x00FF00);
    };
    SDL_Texture* tex = ui::gpuRenderTarget("target", 8, 8, draw, &draws, false);
    ASSERT_NE(tex, nullptr);
    EXPECT_EQ(ui::gpuRenderTarget("target", 8, 8, draw, &draws, false), tex);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(ui::gpuRenderTarget("target", 8, 8, draw, &draws, true), tex);
    EXPECT_EQ(draws, 2);
    ui::gpuBlit(tex, 0, 0, 8, 8);
    EXPECT_EQ(at(2, 2), 0x00FF00u);
    EXPECT_EQ(at(6, 6), 0x000000u) << "cleared to transparent before drawing";
}

// The profiler reads VELMORANDINE_STATS once per process, so each case runs
// in a fresh child process of this test binary.
void reportWithStats(bool on) {
    if (on) setenv("VELMORANDINE_STATS", "1", 1);
    else unsetenv("VELMORANDINE_STATS");
    std::fprintf(stderr, "[%s]", ui::profReport().c_str());  // nothing timed yet
    ui::profBegin("paint");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ui::profEnd("paint");
    ui::profBegin("blit");
    ui::profEnd("blit");
    ui::profBegin("blit");
    ui::profEnd("blit");
    const std::string report = ui::profReport();
    std::fprintf(stderr, "[%s]", report.c_str());
    std::fprintf(stderr, "[%s]", ui::profReport().c_str());  // sections were reset
    double paintMs = 0;
    const size_t at = report.find(" paint ");
    if (at != std::string::npos) paintMs = std::atof(report.c_str() + at + 7);
    std::exit(on && paintMs < 19.5 ? 1 : 0);
}

TEST(Profiler, ReportsMeanMillisecondsPerSectionOnlyWithStats) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(reportWithStats(false), testing::ExitedWithCode(0), "^\\[\\]\\[\\]\\[\\]$");
    EXPECT_EXIT(reportWithStats(true), testing::ExitedWithCode(0),
                "^\\[\\]\\[ blit [0-9]+\\.[0-9] paint [0-9]+\\.[0-9]\\]\\[\\]$");
}

} // namespace

namespace {

// One recorded frame of the window's loop: begin, draw, then whether it
// would show anything new.
template <typename Draw>
bool recordedFrameDiffers(Draw draw) {
    ui::gpuBeginFrame();
    draw();
    return ui::gpuFrameDiffers();
}

} // namespace

TEST_F(Gpu, RecordedFramesAreDrawnOnAskingAndARepeatedFrameIsKnown) {
    ui::gpuRecordFrames(true);
    Paint red{0xFF0000};
    Paint blue{0x0000FF};
    SDL_Texture* tex = ui::gpuTexture("red", 8, 8, paintFill, &red);
    ASSERT_NE(tex, nullptr);
    auto frame = [&](double x, double alpha) {
        return recordedFrameDiffers([&] {
            ui::gpuSetClip(0, 0, 32, 32);
            ui::gpuBlit(ui::gpuTexture("red", 8, 8, paintFill, &red), x, 0, 8, 8, alpha);
            ui::gpuClearClip();
        });
    };

    EXPECT_TRUE(frame(0, 1.0)) << "a new texture was made";
    EXPECT_EQ(at(4, 4), 0x000000u) << "nothing drawn before the frame is sent";
    ui::gpuDrawFrame();
    EXPECT_EQ(at(4, 4), 0xFF0000u);

    EXPECT_FALSE(frame(0, 1.0)) << "the same calls on the same textures";
    ui::gpuFrameShown();
    EXPECT_TRUE(frame(1, 1.0)) << "moved a pixel";
    ui::gpuDrawFrame();
    EXPECT_TRUE(frame(1, 0.5)) << "faded";
    ui::gpuDrawFrame();
    EXPECT_FALSE(frame(1, 0.5));
    ui::gpuFrameShown();

    // Repainted under its key (the new texture may even take the old one's
    // address): the same calls show other pixels.
    ui::gpuDrop("red");
    red.color = 0x00FF00;
    EXPECT_TRUE(frame(1, 0.5));
    ui::gpuFrameShown();

    // Quads count by their corners: the same ones repeat, a moved one differs.
    SDL_Texture* white = ui::gpuTexture("red", 8, 8, paintFill, &red);
    auto quadFrame = [&](double x) {
        return recordedFrameDiffers([&] {
            const ui::GpuQuad quads[] = {{4, 4, 4, 4}, {x, 12, 4, 4}};
            ui::gpuBlitQuads(white, quads, 2, 0xFFFFFF, 1.0);
        });
    };
    EXPECT_TRUE(quadFrame(12));
    clear(0);
    ui::gpuDrawFrame();
    EXPECT_EQ(at(12, 12), 0x00FF00u) << "recorded quads are sent with the frame";
    EXPECT_FALSE(quadFrame(12));
    ui::gpuFrameShown();
    EXPECT_TRUE(quadFrame(12.5)) << "half a pixel is another picture";
    ui::gpuFrameShown();

    // A texture destroyed after it was drawn in this frame is left out when
    // the frame is sent, not reached.
    clear(0);
    ui::gpuBeginFrame();
    ui::gpuBlit(ui::gpuTexture("blue", 8, 8, paintFill, &blue), 0, 0, 8, 8);
    ui::gpuDrop("blue");
    ui::gpuFillRect(16, 16, 4, 4, 0xFFFFFF);
    ui::gpuDrawFrame();
    EXPECT_EQ(at(4, 4), 0x000000u);
    EXPECT_EQ(at(17, 17), 0xFFFFFFu);

    // Without recording every call goes out at once, as in the tests' frames.
    ui::gpuRecordFrames(false);
    ui::gpuBeginFrame();
    ui::gpuFillRect(0, 0, 4, 4, 0x0000FF);
    EXPECT_EQ(at(1, 1), 0x0000FFu);
}

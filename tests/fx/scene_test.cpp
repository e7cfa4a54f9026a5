#include "fx/scene.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"

namespace {

using fxtest::Rgb;
using fxtest::SoftGpu;

TEST(SceneChoosers, ThemeForDepth) {
    struct Case {
        int depth, layers;
        ui::SceneTheme want;
    } cases[] = {
        {8, 9, ui::kSceneLava},   {9, 9, ui::kSceneLava},  {7, 9, ui::kSceneCave},    {0, 9, ui::kSceneMeadow},
        {2, 9, ui::kSceneMeadow}, {3, 9, ui::kSceneForest}, {4, 0, ui::kSceneForest}, {5, 9, ui::kSceneCave},
        {9, 0, ui::kSceneCave},   {-3, 0, ui::kSceneMeadow}, {0, 1, ui::kSceneLava},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::themeForDepth(c.depth, c.layers), c.want) << c.depth << " of " << c.layers;
}

TEST(SceneChoosers, ThemeForWorldCyclesBothWays) {
    const ui::SceneTheme cycle[] = {ui::kSceneMeadow, ui::kSceneForest, ui::kSceneVillage, ui::kSceneCave,
                                    ui::kSceneLava};
    for (int w = 1; w <= 5; ++w) EXPECT_EQ(ui::themeForWorld(w), cycle[w - 1]) << w;
    EXPECT_EQ(ui::themeForWorld(6), ui::kSceneMeadow);
    EXPECT_EQ(ui::themeForWorld(0), ui::kSceneLava);
    EXPECT_EQ(ui::themeForWorld(-4), ui::kSceneMeadow);
    EXPECT_EQ(ui::themeForWorld(12), ui::kSceneForest);
    // The extremes must still land inside the table.
    for (int w : {INT_MIN, INT_MAX}) {
        const int t = ui::themeForWorld(w);
        EXPECT_TRUE(t >= 0 && t <= ui::kSceneVillage) << w;
    }
}

TEST(SceneChoosers, DaytimeForProgress) {
    struct Case {
        int step, layers, want;
    } cases[] = {
        {3, 9, ui::kDay},  {4, 9, ui::kDusk},  {7, 9, ui::kNight}, {6, 9, ui::kDusk}, {-2, 9, ui::kDay},
        {8, 9, ui::kNight}, {20, 9, ui::kNight}, {5, 1, ui::kDay},  {0, 0, ui::kDay},  {1, 2, ui::kNight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::daytimeForProgress(c.step, c.layers), c.want) << c.step << " of " << c.layers;
}

TEST(SceneChoosers, WeatherForSeed) {
    struct Case {
        const char* text;
        int theme;
        int want;
    } cases[] = {
        // The empty text hashes to 2166136261.
        {"", ui::kSceneMeadow, ui::kWeatherFog},
        {"", ui::kSceneForest, ui::kWeatherFog},
        {"", ui::kSceneCave, ui::kWeatherClear},
        {"", ui::kSceneLava, ui::kWeatherClear},
        {"", ui::kSceneVillage, ui::kWeatherClear},
        // "map:1:3" hashes to 1226745191.
        {"map:1:3", ui::kSceneMeadow, ui::kWeatherClouds},
        {"map:1:3", ui::kSceneForest, ui::kWeatherStorm},
        {"map:1:3", ui::kSceneCave, ui::kWeatherFog},
        {"map:1:3", ui::kSceneLava, ui::kWeatherStorm},
        {"map:1:3", ui::kSceneVillage, ui::kWeatherSnow},
        {"map:1:3", ui::kSceneDarkGold, ui::kWeatherClear},
        {"map:1:3", ui::kSceneNightBlue, ui::kWeatherClear},
        {"map:1:3", 40, ui::kWeatherClear},
        // "abc" hashes to 440920331; a theme below the table reads as meadow.
        {"abc", ui::kSceneMeadow, ui::kWeatherSnow},
        {"abc", -5, ui::kWeatherSnow},
        {"abc", ui::kSceneForest, ui::kWeatherRain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::weatherForSeed(c.text, static_cast<ui::SceneTheme>(c.theme)), c.want)
            << '"' << c.text << "\" theme " << c.theme;
}

// ---- drawing ------------------------------------------------------------

constexpr double kW = 320;
constexpr double kH = 180;

// Only the still layer at the bottom-left corner: no weather, no particles.
ui::SceneOpts quiet(int theme) {
    ui::SceneOpts o;
    o.theme = theme;
    o.count = 0;
    o.horizon = 0.5;
    return o;
}

bool isMagenta(const Rgb& c) { return c.r > 150 && c.g < 60 && c.b > 150; }

// Overwrites the cached still layer with magenta, so the next frame shows
// whether it was painted again.
void markStill(const SoftGpu& gpu) {
    SDL_Texture* tex = ui::gpuCached("scene", gpu.pixelWidth(), gpu.pixelHeight());
    ASSERT_NE(tex, nullptr);
    std::vector<std::uint32_t> magenta(static_cast<size_t>(gpu.pixelWidth()) * gpu.pixelHeight(), 0xFFFF00FFu);
    ASSERT_EQ(SDL_UpdateTexture(tex, nullptr, magenta.data(), gpu.pixelWidth() * 4), 0);
}

void frame(SoftGpu& gpu, const ui::SceneOpts& o, double now = 0) {
    gpu.beginFrame(now);
    auto before = cairocheck::snapshot(gpu.ctx.cr);
    ui::sceneBackdrop(gpu.ctx, o);
    EXPECT_TRUE(cairocheck::unchanged(gpu.ctx.cr, before));
    // Everything goes to the GPU; the vector overlay stays empty.
    EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0);
}

TEST(SceneBackdrop, RepaintsOnlyWhenTheStillPictureChanges) {
    struct Case {
        const char* what;
        ui::SceneOpts from, to;
        bool repaint;
    };
    auto with = [](ui::SceneOpts o, auto change) {
        change(o);
        return o;
    };
    const ui::SceneOpts meadow = quiet(ui::kSceneMeadow);
    const ui::SceneOpts cave = quiet(ui::kSceneCave);
    const Case cases[] = {
        {"same options", meadow, meadow, false},
        {"count", meadow, with(meadow, [](auto& o) { o.count = 30; }), false},
        {"embers", meadow, with(meadow, [](auto& o) { o.embers = true; }), false},
        {"weather", meadow, with(meadow, [](auto& o) { o.weather = ui::kWeatherStorm; }), false},
        {"daytime on cave", cave, with(cave, [](auto& o) { o.daytime = ui::kNight; }), false},
        {"intensity 0.5 to 0.55", with(meadow, [](auto& o) { o.intensity = 0.5; }),
         with(meadow, [](auto& o) { o.intensity = 0.55; }), false},
        {"theme beyond the table", quiet(ui::kSceneNightBlue), quiet(99), false},
        {"daytime on meadow", meadow, with(meadow, [](auto& o) { o.daytime = ui::kDusk; }), true},
        {"daytime on village", quiet(ui::kSceneVillage),
         with(quiet(ui::kSceneVillage), [](auto& o) { o.daytime = ui::kNight; }), true},
        {"intensity 0.5 to 0.7", with(meadow, [](auto& o) { o.intensity = 0.5; }),
         with(meadow, [](auto& o) { o.intensity = 0.7; }), true},
        {"theme", meadow, cave, true},
        {"horizon", meadow, with(meadow, [](auto& o) { o.horizon = 0.62; }), true},
    };
    for (const Case& c : cases) {
        SoftGpu gpu(kW, kH);
        ASSERT_TRUE(gpu.ok());
        frame(gpu, c.from);
        markStill(gpu);
        frame(gpu, c.to);
        const Rgb corner = gpu.pixel(2, gpu.pixelHeight() - 2);
        EXPECT_EQ(!isMagenta(corner), c.repaint) << c.what;
    }
}

TEST(SceneBackdrop, NewWindowSizeRepaints) {
    SoftGpu gpu(kW, kH);
    ASSERT_TRUE(gpu.ok());
    frame(gpu, quiet(ui::kSceneMeadow));
    markStill(gpu);
    gpu.ctx.width = kW - 20;
    frame(gpu, quiet(ui::kSceneMeadow));
    EXPECT_FALSE(isMagenta(gpu.pixel(2, gpu.pixelHeight() - 2)));
    EXPECT_NE(ui::gpuCached("scene", gpu.pixelWidth() - 20, gpu.pixelHeight()), nullptr);
}

TEST(SceneBackdrop, NothingWithoutRenderer) {
    ui::gpuShutdown();
    ui::Ctx ctx;
    ctx.width = kW;
    ctx.height = kH;
    ui::gpuBeginFrame();
    ui::sceneBackdrop(ctx, quiet(ui::kSceneMeadow));
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
}

// The frame's picture sampled on a grid, for telling two frames apart.
std::vector<int> sampled(const SoftGpu& gpu, int step) {
    std::vector<int> px;
    for (int y = 0; y < gpu.pixelHeight(); y += step)
        for (int x = 0; x < gpu.pixelWidth(); x += step) {
            const Rgb c = gpu.pixel(x, y);
            px.push_back(c.r << 16 | c.g << 8 | c.b);
        }
    return px;
}

TEST(SceneBackdrop, ThemesOutsideTheTableAreClamped) {
    auto picture = [](int theme) {
        SoftGpu gpu(kW, kH);
        frame(gpu, quiet(theme), 2.0);
        return sampled(gpu, 7);
    };
    EXPECT_EQ(picture(-7), picture(ui::kSceneMeadow));
    EXPECT_EQ(picture(1234), picture(ui::kSceneNightBlue));
    EXPECT_NE(picture(ui::kSceneMeadow), picture(ui::kSceneNightBlue));
}

TEST(SceneBackdrop, DaytimeShowsOnOutdoorThemesOnly) {
    auto brightness = [](int theme, int daytime) {
        SoftGpu gpu(kW, kH);
        ui::SceneOpts o = quiet(theme);
        o.daytime = daytime;
        frame(gpu, o);
        return gpu.brightness();
    };
    for (int theme : {ui::kSceneMeadow, ui::kSceneForest, ui::kSceneVillage})
        EXPECT_LT(brightness(theme, ui::kNight), brightness(theme, ui::kDay) - 20) << theme;
    for (int theme : {ui::kSceneCave, ui::kSceneLava, ui::kSceneDarkGold, ui::kSceneNightBlue})
        EXPECT_DOUBLE_EQ(brightness(theme, ui::kNight), brightness(theme, ui::kDay)) << theme;
}

// Which overlays a frame uses shows in the masks it asks the cache for.
TEST(SceneBackdrop, WeatherOverlays) {
    struct Case {
        int theme, weather;
        bool clouds, rain, snow, fog;
    } cases[] = {
        {ui::kSceneMeadow, ui::kWeatherClear, true, false, false, false},
        {ui::kSceneCave, ui::kWeatherClear, false, false, false, false},
        {ui::kSceneCave, ui::kWeatherClouds, false, false, false, false},
        {ui::kSceneLava, ui::kWeatherStorm, false, true, false, false},
        {ui::kSceneDarkGold, ui::kWeatherRain, true, true, false, false},
        {ui::kSceneForest, ui::kWeatherSnow, true, false, true, false},
        {ui::kSceneLava, ui::kWeatherFog, false, false, false, true},
    };
    for (const Case& c : cases) {
        SoftGpu gpu(kW, kH);
        ui::SceneOpts o = quiet(c.theme);
        o.weather = c.weather;
        frame(gpu, o, 5.0);
        EXPECT_EQ(ui::gpuCached("scenemask0_46_22", 46, 22) != nullptr, c.clouds) << c.theme << "/" << c.weather;
        EXPECT_EQ(ui::gpuCached("scenemask1_2_32", 2, 32) != nullptr, c.rain) << c.theme << "/" << c.weather;
        EXPECT_EQ(ui::gpuCached("scenemask2_8_8", 8, 8) != nullptr, c.snow) << c.theme << "/" << c.weather;
        EXPECT_EQ(ui::gpuCached("scenemask2_120_60", 120, 60) != nullptr, c.fog) << c.theme << "/" << c.weather;
    }
}

// Whatever the theme and the daytime, every weather shows over the clear
// picture (at 11 s no storm flash is lit: the storm shows by its rain).
TEST(SceneBackdrop, EveryWeatherShowsOnEveryThemeAndDaytime) {
    auto picture = [](int theme, int daytime, int weather) {
        SoftGpu gpu(kW, kH);
        ui::SceneOpts o = quiet(theme);
        o.daytime = daytime;
        o.weather = weather;
        frame(gpu, o, 11.0);
        return sampled(gpu, 1);
    };
    for (int theme = ui::kSceneMeadow; theme <= ui::kSceneNightBlue; ++theme) {
        for (int daytime = ui::kDay; daytime <= ui::kNight; ++daytime) {
            const std::vector<int> clear = picture(theme, daytime, ui::kWeatherClear);
            for (int weather = ui::kWeatherClouds; weather <= ui::kWeatherFog; ++weather)
                EXPECT_NE(picture(theme, daytime, weather), clear)
                    << "theme " << theme << " daytime " << daytime << " weather " << weather;
        }
    }
}

TEST(SceneBackdrop, CaveCloudsOnlyDarken) {
    SoftGpu gpu(kW, kH);
    ui::SceneOpts o = quiet(ui::kSceneCave);
    frame(gpu, o, 5.0);
    const double clear = gpu.brightness();
    EXPECT_EQ(ui::gpuDrawCalls(), 1);
    o.weather = ui::kWeatherClouds;
    frame(gpu, o, 5.0);
    EXPECT_EQ(ui::gpuDrawCalls(), 2);  // the still layer and the darkening
    EXPECT_LT(gpu.brightness(), clear);
    o.intensity = 0;
    frame(gpu, o, 5.0);
    EXPECT_EQ(ui::gpuDrawCalls(), 1);
}

TEST(SceneBackdrop, StormFlashes) {
    SoftGpu gpu(kW, kH);
    ui::SceneOpts o = quiet(ui::kSceneCave);
    o.weather = ui::kWeatherStorm;
    frame(gpu, o, 1.8 + 0.04 * 5.2);  // the peak of the first flash
    const double flash = gpu.brightness();
    frame(gpu, o, 3.0);
    const double calm = gpu.brightness();
    EXPECT_GT(flash, calm + 100);
    // Without intensity there is neither darkening nor flash.
    o.intensity = 0;
    frame(gpu, o, 1.8 + 0.04 * 5.2);
    const double quietFlash = gpu.brightness();
    frame(gpu, o, 3.0);
    EXPECT_NEAR(quietFlash, gpu.brightness(), 5.0);
    EXPECT_GT(gpu.brightness(), calm);
}

TEST(SceneBackdrop, EmbersAndMotesWithNoCount) {
    // Cave has no clouds, so beyond the still layer only particles draw.
    SoftGpu gpu(kW, kH);
    ui::SceneOpts o = quiet(ui::kSceneCave);
    o.embers = true;
    frame(gpu, o, 1.0);
    EXPECT_EQ(ui::gpuDrawCalls(), 2);  // one ember even for a count of 0
    o.embers = false;
    frame(gpu, o, 1.0);
    EXPECT_EQ(ui::gpuDrawCalls(), 1);
    o.count = 12;
    frame(gpu, o, 10.0);
    EXPECT_GT(ui::gpuDrawCalls(), 6);
    EXPECT_LE(ui::gpuDrawCalls(), 13);
}

// A second of frames at 60 a second, recorded as the window's loop records
// them: how many of them would show other pixels than the frame before.
int framesThatDiffer(const ui::SceneOpts& o, double from) {
    SoftGpu gpu(1280, 720);
    EXPECT_TRUE(gpu.ok());
    ui::gpuRecordFrames(true);
    int differ = 0;
    for (int k = 0; k < 60; ++k) {
        gpu.beginFrame(from + k / 60.0);
        ui::sceneBackdrop(gpu.ctx, o);
        if (ui::gpuFrameDiffers()) ++differ;
        ui::gpuFrameShown();
    }
    ui::gpuRecordFrames(false);
    return differ;
}

// Drifting clouds, fog, snow and motes move together in a twentieth of a
// second's steps, so most frames repeat the last one; rain falls every frame.
TEST(SceneBackdrop, SlowWeatherAndMotesMoveInStepsRainEveryFrame) {
    struct Case {
        const char* what;
        int theme, weather, count;
        bool embers, everyFrame;
    } cases[] = {
        {"village clouds and motes", ui::kSceneVillage, ui::kWeatherClear, 10, false, false},
        {"meadow grey clouds", ui::kSceneMeadow, ui::kWeatherClouds, 0, false, false},
        {"snow", ui::kSceneVillage, ui::kWeatherSnow, 0, false, false},
        {"fog", ui::kSceneCave, ui::kWeatherFog, 0, false, false},
        {"embers", ui::kSceneDarkGold, ui::kWeatherClear, 30, true, false},
        {"rain", ui::kSceneForest, ui::kWeatherRain, 0, false, true},
    };
    for (const Case& c : cases) {
        ui::SceneOpts o = quiet(c.theme);
        o.weather = c.weather;
        o.count = c.count;
        o.embers = c.embers;
        const int differ = framesThatDiffer(o, 7.0);
        if (c.everyFrame) {
            EXPECT_GE(differ, 58) << c.what;
        } else {
            // The first frame, then at most one a step; and it does move.
            EXPECT_LE(differ, 21) << c.what;
            EXPECT_GE(differ, 8) << c.what;
        }
    }
}

// At pixel ratio 2 the still layer has twice the pixels and shows the same
// picture as at ratio 1, not a magnified corner of it.
TEST(SceneBackdrop, PixelRatioTwo) {
    ui::SceneOpts o = quiet(ui::kSceneVillage);
    std::vector<Rgb> one;
    {
        SoftGpu gpu(kW, kH, 1.0);
        frame(gpu, o);
        for (int y = 4; y < kH; y += 8)
            for (int x = 4; x < kW; x += 8) one.push_back(gpu.pixel(x, y));
    }
    SoftGpu gpu(kW, kH, 2.0);
    frame(gpu, o);
    EXPECT_NE(ui::gpuCached("scene", 640, 360), nullptr);
    double diff = 0;
    size_t i = 0;
    for (int y = 4; y < kH; y += 8)
        for (int x = 4; x < kW; x += 8) {
            const Rgb a = one[i++];
            const Rgb b = gpu.pixel(2 * x, 2 * y);
            diff += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    EXPECT_LT(diff / static_cast<double>(one.size()), 12.0);
}

} // namespace

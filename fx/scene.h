#pragma once
// The painted landscape behind most screens: sky, hills, ground and props
// painted once into a cached texture, with weather, embers and motes blitted
// over it every frame as pure functions of the clock. Also the choosers that
// give the map and battle screens a theme, a daytime and a weather for a run.
#include <cstdint>
#include <string_view>

#include "ui/app.h"

namespace ui {

// Index into the palette table; screens keep it in the int field of
// SceneOpts. A value outside the table is drawn as the nearest theme.
enum SceneTheme : std::int32_t {
    kSceneMeadow = 0,
    kSceneForest = 1,
    kSceneCave = 2,
    kSceneLava = 3,
    kSceneVillage = 4,
    kSceneDarkGold = 5,
    kSceneNightBlue = 6,
};

enum SceneWeather : std::int32_t {
    kWeatherClear = 0,
    kWeatherClouds = 1,
    kWeatherRain = 2,
    kWeatherStorm = 3,
    kWeatherSnow = 4,
    kWeatherFog = 5,
};

enum SceneDaytime : std::int32_t {
    kDay = 0,
    kDusk = 1,
    kNight = 2,
};

struct SceneOpts {
    std::int32_t theme = kSceneMeadow;
    std::int32_t count = 0;     // embers or motes
    double horizon = 0.5;       // fraction of the height, from the top
    bool embers = false;        // rising embers instead of motes
    std::int32_t weather = kWeatherClear;
    std::int32_t daytime = kDay;  // only meadow, forest and village show it
    double intensity = 1.0;     // scales weather and night darkening and storm flashes
};

// Draws the backdrop for this frame over the whole window. The still picture
// is repainted only when the pixel size, theme, shown daytime, horizon or
// intensity change. Draws nothing without a GPU renderer.
void sceneBackdrop(const Ctx& ctx, const SceneOpts& opts);

// The clock the slow scenery moves by: now stepped down to a twentieth of a
// second. Slow animations of a screen at rest that step by it change in the
// same frames as the scenery, and the frames between need not be presented.
double sceneryTime(double now);

// Lava on the boss layer (layers > 0, depth >= layers - 1), else meadow for
// depths below 3, forest for 3 and 4, cave beyond.
SceneTheme themeForDepth(int depth, int layers);
// Worlds 1 to 5 are meadow, forest, village, cave, lava; the cycle repeats in
// both directions (world 0 is lava).
SceneTheme themeForWorld(int world);
// Day, dusk or night for how far step has come through the layers.
int daytimeForProgress(int step, int layers);
// A weather from the theme's list picked by a hash of the text, so the same
// text always gives the same weather; clear for dark gold and night blue.
int weatherForSeed(std::string_view text, SceneTheme theme);

} // namespace ui

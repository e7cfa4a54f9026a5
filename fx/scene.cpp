#include "fx/scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <iterator>

#include "fx/shapes.h"
#include "ui/draw.h"
#include "ui/beneath.h"
#include "ui/theme.h"

namespace ui {
namespace {

using fxshape::glow;
using fxshape::kGolden;

enum Body : int { kSun = 0, kPaleDisc = 1, kMoon = 2, kLavaGlow = 3, kNoBody = 4 };
enum Props : int { kFlowers = 0, kMushrooms = 1, kCrystals = 2, kLavaCracks = 3, kStones = 4, kOchreDots = 5,
                   kNoProps = 6 };

struct Pal {
    uint32_t skyTop, skyMid, skyLow;
    uint32_t farRidge;
    double farRidgeAlpha;
    uint32_t midRidge, nearRidge;
    uint32_t groundTop, groundMid, groundLow;
    uint32_t mote;
    bool motesRise;
    int32_t body;
    bool clouds;
    uint32_t cloud;
    bool stars;
    uint32_t haze;
    double hazeAlpha;
    int32_t props;
    int32_t seed;
};

constexpr Pal kPals[] = {
    // meadow
    {0x4FA3C8, 0x7CC4D8, 0xCDEEE6, 0x7FAE72, 0.8, 0x4F8A3A, 0x3C6F28, 0x5A9C3A, 0x4A8830, 0x2E5A1C, 0xEAF6C8, false,
     kSun, true, 0xFFFFFF, false, 0xDFF2E4, 85 / 255.0, kFlowers, 6},
    // forest
    {0x24404A, 0x3A5A52, 0x5D7A62, 0x41604A, 0.8, 0x2C4626, 0x22381E, 0x2E4A24, 0x26401E, 0x162812, 0xBFE0A0, false,
     kPaleDisc, true, 0xC8D8C0, false, 0x5D7A62, 102 / 255.0, kMushrooms, 6},
    // cave
    {0x151020, 0x221A30, 0x2E2440, 0x332648, 0.8, 0x241A30, 0x191226, 0x2A2030, 0x221A28, 0x140E1C, 0x9A86C8, true,
     kNoBody, false, 0, false, 0x3A2C50, 68 / 255.0, kCrystals, 4},
    // lava
    {0x1C0C08, 0x3A140C, 0x6A2A16, 0x572414, 0.32, 0x3A1810, 0x220E08, 0x38160E, 0x2A100A, 0x180806, 0xFF9A3A, true,
     kLavaGlow, false, 0, false, 0xFF6A2A, 34 / 255.0, kLavaCracks, 4},
    // village
    {0x5A86AC, 0x93AEC0, 0xECD2A2, 0x7A9070, 0.8, 0x4F6A4A, 0x6A5038, 0x7A5A3A, 0x66492E, 0x3E2C1C, 0xFFE0A0, false,
     kSun, true, 0xFFF2DC, false, 0xF2DDB5, 85 / 255.0, kStones, 7},
    // dark gold
    {0x170F0B, 0x241711, 0x3A2517, 0x4A3522, 0.8, theme::kDarkPanel, 0x221810, 0x1B1410, 0x150F0B, 0x0E0906,
     theme::kGold, true, kNoBody, false, 0, true, theme::kGold, 20 / 255.0, kOchreDots, 4},
    // night blue
    {0x080E26, 0x141B3E, 0x2A2F58, 0x232C58, 0.8, 0x1B2347, 0x101530, 0x1A2438, 0x141C2C, 0x0A101C, 0xEAF0FF, false,
     kMoon, false, 0, true, 0x3A4A7A, 51 / 255.0, kStones, 4},
};
constexpr int kThemeCount = static_cast<int>(std::size(kPals));

constexpr uint32_t kFlame[] = {0xFF4D14, 0xFF6A1A, 0xFF8A26, 0xFFAC3A, 0xFFD24A};

constexpr SceneTheme kWorlds[] = {kSceneMeadow, kSceneForest, kSceneVillage, kSceneCave, kSceneLava};

// Weather lists of the themes that have weather; the rest stay clear.
constexpr int kMeadowWeather[] = {kWeatherClear, kWeatherClear, kWeatherClouds, kWeatherClouds, kWeatherRain,
                                  kWeatherRain,  kWeatherStorm, kWeatherFog,    kWeatherSnow};
constexpr int kForestWeather[] = {kWeatherClear, kWeatherClouds, kWeatherClouds, kWeatherRain,
                                  kWeatherRain,  kWeatherFog,    kWeatherFog,    kWeatherStorm};
constexpr int kCaveWeather[] = {kWeatherClear, kWeatherClear, kWeatherFog, kWeatherFog};
constexpr int kLavaWeather[] = {kWeatherClear, kWeatherClear, kWeatherFog, kWeatherStorm};
constexpr int kVillageWeather[] = {kWeatherClear, kWeatherClear, kWeatherClouds,
                                   kWeatherClouds, kWeatherRain, kWeatherSnow};

struct WeatherList {
    const int* entries;
    std::size_t size;
};
constexpr WeatherList kWeatherLists[] = {
    {kMeadowWeather, std::size(kMeadowWeather)}, {kForestWeather, std::size(kForestWeather)},
    {kCaveWeather, std::size(kCaveWeather)},     {kLavaWeather, std::size(kLavaWeather)},
    {kVillageWeather, std::size(kVillageWeather)},
};

int clampTheme(int theme) { return std::clamp(theme, 0, kThemeCount - 1); }

// Only the outdoor themes with a sky that changes show the time of day.
int paintedDaytime(int theme, int daytime) {
    if (theme != kSceneMeadow && theme != kSceneForest && theme != kSceneVillage) return kDay;
    return std::clamp(daytime, 0, 2);
}

// The still scenery's own generator, so a backdrop of a given size is always
// the same picture whatever else draws random numbers.
struct LayerRng {
    uint32_t x;
    explicit LayerRng(uint32_t seed) : x(seed == 0 ? 1u : seed) {}
    double next() {
        x = 1664525u * x + 1013904223u;
        return x / 4294967295.0;
    }
};

// ---- still layer -------------------------------------------------------

struct PaintParams {
    int theme = 0;
    int daytime = 0;
    double horizon = 0.5;
    double intensity = 1.0;
    int w = 0;  // design units
    int h = 0;
    double scale = 1.0;  // design units to the painter's logical units
};

struct Stop {
    double offset;
    uint32_t color;
    double alpha;
};

void vGradient(cairo_t* cr, double w, double y, double h, std::initializer_list<Stop> stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    for (const Stop& s : stops) addColorStop(p, s.offset, s.color, s.alpha);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void ridge(cairo_t* cr, double w, double y, double amp, double step, double phase, uint32_t color, double alpha) {
    cairo_move_to(cr, 0, y);
    for (double x = 0; x <= w + step; x += step) {
        const double a = 0.5 + 0.5 * std::sin(0.9 * x / step + phase);
        const double b = 0.5 + 0.5 * std::sin(2.3 * x / step + 1.7 * phase);
        cairo_line_to(cr, x, y - amp * (0.65 * a + 0.35 * b));
    }
    // The fill reaches far below the frame, so it covers everything under the crest.
    cairo_line_to(cr, w, y);
    cairo_line_to(cr, w, 10000);
    cairo_line_to(cr, 0, 10000);
    cairo_close_path(cr);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

void paintMoon(cairo_t* cr, double cx, double cy, uint32_t cutColor, bool bothCraters) {
    glow(cr, cx, cy, 44, 0xCDD8FF, 64 / 255.0);
    fillCircle(cr, cx, cy, 16, 0xE8ECFF);
    fillCircle(cr, cx + 6, cy - 4, 14, cutColor, 0.9);
    fillCircle(cr, cx - 6, cy + 3, 2.2, 0xC2C8E8);
    if (bothCraters) fillCircle(cr, cx - 1, cy + 8, 1.4, 0xC2C8E8);
}

void paintBody(cairo_t* cr, const Pal& pal, const PaintParams& p, double hy) {
    const double cx = 0.76 * p.w;
    const double cy = (p.daytime == kDusk ? 0.68 : 0.34) * hy;
    const bool night = p.daytime == kNight;
    switch (pal.body) {
    case kSun:
        if (night) break;
        if (p.daytime == kDusk) {
            glow(cr, cx, cy, 54, 0xFF9A4A, 0.4);
            fillCircle(cr, cx, cy, 22, 0xFFCF9A);
            fillCircle(cr, cx, cy, 17, 0xFF9A4A);
        } else {
            glow(cr, cx, cy, 54, 0xFFF2C8, 1 / 3.0);
            fillCircle(cr, cx, cy, 22, 0xFFF6D8);
            fillCircle(cr, cx, cy, 17, 0xFFE9A0);
        }
        break;
    case kPaleDisc:
        if (night) break;
        glow(cr, cx, cy, 40, 0xE8F0D8, 1 / 3.0);
        fillCircle(cr, cx, cy, 15, 0xDCEAC8, 0.85);
        break;
    case kMoon:
        if (!night) paintMoon(cr, cx, cy, pal.skyTop, true);
        break;
    case kLavaGlow:
        vGradient(cr, p.w, hy - 60, 60, {{0, 0xFF6A2A, 0}, {1, 0xFF6A2A, 60 / 255.0}});
        break;
    default:
        break;
    }
}

void paintProp(cairo_t* cr, int kind, double x, double y, double k, double q3) {
    switch (kind) {
    case kFlowers:
        fillRect(cr, {x - k, y - 5 * k, 2 * k, 5 * k}, 0x2E5A1C);
        fillCircle(cr, x, y - 6 * k, 2.4 * k, q3 < 0.34 ? 0xF2E26A : q3 < 0.67 ? 0xE88AB0 : 0xF0F0E0);
        fillCircle(cr, x, y - 6 * k, k, 0xB8862A);
        break;
    case kMushrooms:
        fillRect(cr, {x - 1.4 * k, y - 5 * k, 2.8 * k, 5 * k}, 0xD8C8A8);
        fillRoundedRect(cr, {x - 4 * k, y - 8 * k, 8 * k, 4 * k}, 2 * k, q3 < 0.5 ? 0xB84A3A : 0xC8863A);
        fillCircle(cr, x - 1.5 * k, y - 6.4 * k, 0.9 * k, 0xF0E8D8);
        break;
    case kCrystals:
        cairo_move_to(cr, x, y - 11 * k);
        cairo_line_to(cr, x + 3.4 * k, y);
        cairo_line_to(cr, x - 3.4 * k, y);
        cairo_close_path(cr);
        setColor(cr, q3 < 0.5 ? 0x8F6AD8 : 0x5FB6D8, 0.9);
        cairo_fill(cr);
        cairo_move_to(cr, x, y - 8 * k);
        cairo_line_to(cr, x + 1.2 * k, y - 0.5 * k);
        cairo_line_to(cr, x - 1.2 * k, y - 0.5 * k);
        cairo_close_path(cr);
        setColor(cr, 0xFFFFFF, 0.3);
        cairo_fill(cr);
        break;
    case kLavaCracks: {
        auto crack = [&](uint32_t color, double alpha, double width) {
            cairo_move_to(cr, x - 16 * k, y);
            cairo_line_to(cr, x - 5 * k, y - 2.4 * k);
            cairo_line_to(cr, x + 3 * k, y + 1.6 * k);
            cairo_line_to(cr, x + 15 * k, y - k);
            setColor(cr, color, alpha);
            cairo_set_line_width(cr, width);
            cairo_stroke(cr);
        };
        cairo_save(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int n = 3; n >= 1; --n) crack(0xFF6A1A, 0.238 * n / 3, (2.4 * n + 2.6) * k);
        crack(0xFF6A1A, 0.85, 2.6 * k);
        crack(0xFFD24A, 1.0, 1.1 * k);
        cairo_restore(cr);
        break;
    }
    case kStones:
        fillRoundedRect(cr, {x - 3.4 * k, y - 3 * k, 6.8 * k, 4.4 * k}, 2 * k, 0x000000, 48 / 255.0);
        fillRoundedRect(cr, {x - 3 * k, y - 4 * k, 6 * k, 4.4 * k}, 2 * k, q3 < 0.5 ? 0x9A9284 : 0x7A7468);
        fillRoundedRect(cr, {x - 3 * k, y - 3.6 * k, 2.6 * k, 1.4 * k}, 0.7 * k, 0xFFFFFF, 46 / 255.0);
        break;
    case kOchreDots:
        fillCircle(cr, x, y, 1.4 * k, theme::kGold, 0.5);
        break;
    default:
        break;
    }
}

void paintProps(cairo_t* cr, const Pal& pal, const PaintParams& p, double hy) {
    if (pal.props < 0 || pal.props >= kNoProps) return;
    LayerRng rng(static_cast<uint32_t>(p.w + 1013 * pal.seed));
    const int count = pal.props == kLavaCracks ? 7 : 14;
    const double top = hy + 20;
    const double band = std::max(20.0, p.h - hy - 54);
    const double range = std::max(1.0, p.h - hy - 20);
    for (int i = 0; i < count; ++i) {
        const double q1 = rng.next();
        const double q2 = rng.next();
        const double q3 = rng.next();
        const double y = top + 14 + q1 * band;
        const double x = q2 * p.w;
        // Props further down are nearer and so larger.
        const double k = (y - top) / range * 0.9 + 0.55;
        paintProp(cr, pal.props, x, y, k, q3);
    }
}

void paintSkyOverlays(cairo_t* cr, const Pal& pal, const PaintParams& p, double hy) {
    if (p.daytime == kDusk) {
        vGradient(cr, p.w, 0, p.h, {{0, 0xFF7A2A, 48 / 255.0}, {1, 0x5A245A, 38 / 255.0}});
    } else if (p.daytime == kNight) {
        fillRect(cr, {0, 0, double(p.w), double(p.h)}, 0x0A1638, 0.45 * p.intensity);
    }
    if (pal.stars || p.daytime == kNight) {
        LayerRng rng(static_cast<uint32_t>(pal.seed + 97));
        for (int i = 0; i < 46; ++i) {
            const double q1 = rng.next();
            const double q2 = rng.next();
            const double q3 = rng.next();
            const double q4 = rng.next();
            fillCircle(cr, q1 * p.w, q2 * hy * 0.9, 0.6 + 1.1 * q3, 0xEAF0FF, 0.25 + 0.6 * q4);
        }
    }
    if (p.daytime == kNight) paintMoon(cr, 0.76 * p.w, 0.3 * hy, 0x101A3A, false);
}

void paintStatic(cairo_t* cr, void* user) {
    const PaintParams& p = *static_cast<const PaintParams*>(user);
    const Pal& pal = kPals[clampTheme(p.theme)];
    const double w = p.w;
    const double h = p.h;
    const double hy = std::round(h * p.horizon);
    cairo_save(cr);
    cairo_scale(cr, p.scale, p.scale);
    vGradient(cr, w, 0, hy, {{0, pal.skyTop, 1}, {0.55, pal.skyMid, 1}, {1, pal.skyLow, 1}});
    paintBody(cr, pal, p, hy);
    ridge(cr, w, hy, std::max(0.14 * h, 34.0), 30, 2.9, pal.farRidge, pal.farRidgeAlpha);
    ridge(cr, w, hy, std::max(0.1 * h, 26.0), 26, 1.7, pal.midRidge, 1);
    ridge(cr, w, hy + 24, std::max(0.07 * h, 18.0), 34, 4.2, pal.nearRidge, 1);
    vGradient(cr, w, hy, h - hy, {{0, pal.groundTop, 1}, {0.45, pal.groundMid, 1}, {1, pal.groundLow, 1}});
    vGradient(cr, w, hy - 26, 54, {{0, pal.haze, 0}, {0.5, pal.haze, pal.hazeAlpha}, {1, pal.haze, 0}});
    paintProps(cr, pal, p, hy);
    paintSkyOverlays(cr, pal, p, hy);
    cairo_restore(cr);
}

// ---- masks -------------------------------------------------------------

enum MaskKind : int { kMaskCloud = 0, kMaskStreak = 1, kMaskDot = 2 };

struct MaskShape {
    int kind, w, h;
};

void paintMask(cairo_t* cr, void* user) {
    const MaskShape& m = *static_cast<const MaskShape*>(user);
    switch (m.kind) {
    case kMaskCloud:
        fillRoundedRect(cr, {0, 7, 46, 15}, 8, 0xFFFFFF);
        fillRoundedRect(cr, {7, 0, 24, 13}, 7, 0xFFFFFF);
        fillRoundedRect(cr, {26, 3, 18, 10}, 5, 0xFFFFFF);
        break;
    case kMaskStreak:
        fillRoundedRect(cr, {0, 0, double(m.w), double(m.h)}, m.w / 2.0, 0xBCD4EC);
        break;
    case kMaskDot:
        fillRoundedRect(cr, {0, 0, double(m.w), double(m.h)}, std::min(m.w, m.h) / 2.0, 0xFFFFFF);
        break;
    default:
        break;
    }
}

// A small shape painted once in device pixels and drawn many times a frame.
beneath::Picture mask(int kind, int w, int h) {
    char key[48];
    std::snprintf(key, sizeof key, "scenemask%d_%d_%d", kind, w, h);
    MaskShape shape{kind, w, h};
    const double g = gpuScale();
    return beneath::Picture(key, static_cast<int>(std::lround(w * g)), static_cast<int>(std::lround(h * g)),
                            paintMask, &shape);
}

// ---- overlays ----------------------------------------------------------

// Design units of the frame and the time; lengths are drawn times s. The
// clouds, fog, snow, motes and embers move by the stepped scenery clock
// (stepped): clouds then shift about a pixel a step, and all of them move in
// the same frames, so the frames between show what was shown and need not
// be presented. Rain and lightning keep the true time t.
struct Frame {
    const Ctx& ctx;
    double w, h, s, t, stepped;
    int theme;
    const SceneOpts& o;
};

void darkening(const Frame& f, double width, double height) {
    double factor = 0;
    if (f.o.weather == kWeatherClouds) factor = 0.07;
    else if (f.o.weather == kWeatherRain) factor = 0.13;
    else if (f.o.weather == kWeatherStorm) factor = 0.22;
    const double a = factor * f.o.intensity;
    if (a > 0) beneath::fill(f.ctx, {0, 0, width, height}, 0x060A14, a);
}

void clouds(const Frame& f) {
    const Pal& pal = kPals[f.theme];
    const int wx = f.o.weather;
    const bool wet = wx == kWeatherRain || wx == kWeatherStorm;
    const bool outdoor = f.theme != kSceneCave && f.theme != kSceneLava;
    if (!pal.clouds && !((wx == kWeatherClouds || wet) && outdoor)) return;
    int n = 3;
    uint32_t color = pal.cloud;
    if (wx == kWeatherClouds) {
        n = 6;
        color = 0xC8CCD4;
    } else if (wet) {
        n = 5;
        color = 0x8A94A4;
    }
    const beneath::Picture tex = mask(kMaskCloud, 46, 22);
    if (!tex) return;
    const double band = std::max(24.0, 0.45 * std::round(f.o.horizon * f.h));
    for (int i = 0; i < n; ++i) {
        const double top = std::fmod(37.0 * i, band) + 16;
        const double o = std::fmod(0.23 * i, 1.0);
        const double period = (52 + (7919 * i % 30000) / 1000.0) * (1 - o);
        const double u = std::fmod(f.stepped, period) / period;
        const double left = (u * (1 - o) + o) * (f.w + 180) - 90;
        const double m = (29 * i % 10) / 14.0 + 0.7;
        beneath::drawTinted(f.ctx, tex, {left * f.s, top * f.s, 46 * m * f.s, 22 * m * f.s}, color, 0.5);
    }
}

void rain(const Frame& f) {
    const bool storm = f.o.weather == kWeatherStorm;
    if (!storm && f.o.weather != kWeatherRain) return;
    const beneath::Picture tex = mask(kMaskStreak, 2, 32);
    if (!tex) return;
    const int n = storm ? 38 : 24;
    const double base = storm ? 620 : 860;
    for (int j = 0; j < n; ++j) {
        const double fx = std::fmod(kGolden * j + 0.31, 1.0);
        const double len = storm ? 4 * (j % 4) + 16 : 3 * (j % 3) + 11;
        const double period = (90 * (j % 5) + base) / 1000;
        const double delay = std::fmod(137.0 * j, 1000 * period) / 1000;
        const double u = std::fmod(std::max(0.0, f.t - delay), period) / period;
        const double alpha = u < 0.06 ? 12 * u : u > 0.9 ? 8 * (1 - u) : 0.7;
        if (alpha <= 0) continue;
        const double left = (f.w + 60) * fx - 30 - 0.18 * u * f.h + 1;
        const double top = (2 * len + f.h) * u - 0.5 * len;
        beneath::drawTurned(f.ctx, tex, (left + 1) * f.s, (top + len / 2) * f.s, 2 * f.s, len * f.s, 10, alpha);
    }
}

void snow(const Frame& f) {
    if (f.o.weather != kWeatherSnow) return;
    const beneath::Picture tex = mask(kMaskDot, 8, 8);
    if (!tex) return;
    for (int j = 0; j < 26; ++j) {
        const double fx = std::fmod(kGolden * j + 0.17, 1.0);
        const double period = (1300 * (j % 6) + 7200) / 1000.0;
        const double delay = std::fmod(431.0 * j, 4000) / 1000;
        const double u = std::fmod(std::max(0.0, f.stepped - delay), period) / period;
        const double a = 1.6 * std::sin(kPi * u);
        const double alpha = a >= 1 ? 0.85 : 0.85 * a;
        if (alpha <= 0) continue;
        const double size = j % 3 + 2;
        const double left = (8 * (j % 5) + 14) * std::sin(3 * kPi * u + j) + fx * f.w;
        const double top = (f.h + 8) * u - 4;
        beneath::drawTinted(f.ctx, tex, {left * f.s, top * f.s, size * f.s, size * f.s}, 0xF0F4FF, alpha);
    }
}

void fog(const Frame& f) {
    if (f.o.weather != kWeatherFog) return;
    const beneath::Picture tex = mask(kMaskDot, 120, 60);
    if (!tex) return;
    const uint32_t color = f.theme == kSceneLava ? 0x3A2A24 : 0xC8D0DC;
    for (int j = 0; j < 3; ++j) {
        const double period = (9000.0 * j + 34000) / 1000;
        const double q = std::fmod(f.stepped, 2 * period) / period;
        const double r = q > 1 ? 2 - q : q;
        const double e = std::pow(std::sin(r * kPi / 2), 2);
        const double b = (0.2 * j + 0.7) * f.w;
        const double left = (f.w - 0.6 * b) * e - 0.2 * b;
        const double top = (0.22 * j + 0.3) * f.h;
        const double height = j % 2 ? 52 : 34;
        const double alpha = 0.1 + 0.05 * std::sin(e * kPi);
        beneath::drawTinted(f.ctx, tex, {left * f.s, top * f.s, b * f.s, height * f.s}, color, alpha);
    }
}

void stormFlashes(const Frame& f, double width, double height) {
    if (f.o.weather != kWeatherStorm) return;
    struct Train {
        double start, period;
    };
    // A bright flash with a weaker after-flash, on two trains that rarely meet.
    for (Train tr : {Train{1.8, 5.2}, Train{4.4, 6.9}}) {
        if (f.t < tr.start) continue;
        const double u = std::fmod(f.t - tr.start, tr.period) / tr.period;
        const double a = std::max(0.0, 1 - std::fabs(u - 0.04) / 0.02) +
                         0.6 * std::max(0.0, 1 - std::fabs(u - 0.1) / 0.03);
        const double alpha = 0.32 * a * f.o.intensity;
        if (alpha > 0) beneath::fill(f.ctx, {0, 0, width, height}, 0xEAF2FF, alpha);
    }
}

void embers(const Frame& f) {
    const beneath::Picture tex = mask(kMaskDot, 24, 58);
    if (!tex) return;
    const int n = std::max(1, f.o.count);
    for (int j = 0; j < n; ++j) {
        const double start = std::fmod(230.0 * j, 3000) / 1000;
        if (f.stepped < start) continue;
        const double period = (900 * (j % 5) + 3400) / 1000.0;
        const double m = std::fmod(f.stepped - start, period) / period;
        const double e = m < 0.5 ? 2 * m * m : 1 - 2 * (1 - m) * (1 - m);
        const double alpha = (0.22 * std::sin(9 * kPi * e + j) + 0.78) * std::sin(kPi * e) * 0.9;
        if (alpha <= 0) continue;
        const double z = (2 * (j % 4) + 5) * (1 - 0.78 * e);
        const double left = (5 * (j % 4) + 6) * std::sin(j + 3 * kPi * e) +
                            (f.w / n) * ((53 * j % 100) / 100.0 - 0.5) + (j + 0.5) / n * f.w;
        const double top = f.h - e * f.h / 3;
        beneath::drawTinted(f.ctx, tex, {left * f.s, top * f.s, z * f.s, 2.4 * z * f.s}, kFlame[j % 5], alpha);
    }
}

void motes(const Frame& f) {
    const Pal& pal = kPals[f.theme];
    for (int j = 0; j < f.o.count; ++j) {
        const double fx = std::fmod(kGolden * j + 0.5, 1.0);
        const double start = std::fmod(240.0 * j, 3000) / 1000;
        if (f.stepped < start) continue;
        const double period = (900 * (j % 5) + 4200) / 1000.0;
        const double u = std::fmod(f.stepped - start, period) / period;
        const double alpha = 0.7 * std::sin(kPi * u);
        if (alpha <= 0) continue;
        const double top = pal.motesRise ? f.h - u * f.h : u * f.h;
        const double size = j % 3 + 2;
        const double left = (14 * (j % 7) - 42) * std::sin(2 * kPi * u) + fx * f.w;
        beneath::fill(f.ctx, {left * f.s, top * f.s, size * f.s, size * f.s}, pal.mote, alpha);
    }
}

// ---- cache of the still layer ------------------------------------------

// What the still layer shows; any change repaints it. Kept apart rather than
// packed into one number so that no two scenes can share a key.
struct SceneKey {
    long intensity7 = -1;
    int theme = -1;
    int daytime = -1;
    long horizon100 = -1;
    bool operator==(const SceneKey&) const = default;
};

struct SceneCache {
    int lastW = -1;
    int lastH = -1;
    SceneKey lastKey;  // matches no scene, so the first call paints
};

SceneCache& cache() {
    static SceneCache c;
    return c;
}

} // namespace

void sceneBackdrop(const Ctx& ctx, const SceneOpts& opts) {
    // The scenery is the GPU layer's own: without one there is none (and the
    // cache keeps what it knew).
    if (!beneath::onGpu()) return;
    const int theme = clampTheme(opts.theme);
    const int daytime = paintedDaytime(theme, opts.daytime);
    const double g = gpuScale();
    const double s = ctx.uiScale > 0 ? ctx.uiScale : 1.0;
    const int pw = static_cast<int>(std::lround(g * ctx.width));
    const int ph = static_cast<int>(std::lround(g * ctx.height));
    const SceneKey key{std::lround(7 * opts.intensity), theme, daytime, std::lround(100 * opts.horizon)};
    SceneCache& c = cache();
    if (pw != c.lastW || ph != c.lastH || !(key == c.lastKey)) {
        gpuDrop("scene");
        c.lastW = pw;
        c.lastH = ph;
        c.lastKey = key;
    }
    // The texture's surface already carries the device scale, so the painter
    // only turns design units into logical ones.
    PaintParams params{theme,
                       daytime,
                       opts.horizon,
                       opts.intensity,
                       static_cast<int>(std::lround(ctx.width / s)),
                       static_cast<int>(std::lround(ctx.height / s)),
                       s};
    beneath::draw(ctx, beneath::Picture("scene", pw, ph, paintStatic, &params), {0, 0, ctx.width, ctx.height});

    const Frame f{ctx, ctx.width / s, ctx.height / s, s, ctx.now, sceneryTime(ctx.now), theme, opts};
    darkening(f, ctx.width, ctx.height);
    clouds(f);
    rain(f);
    snow(f);
    fog(f);
    stormFlashes(f, ctx.width, ctx.height);
    if (opts.embers) embers(f);
    else motes(f);
}

double sceneryTime(double now) {
    constexpr double kStepsPerSecond = 20;
    return std::floor(now * kStepsPerSecond) / kStepsPerSecond;
}

SceneTheme themeForDepth(int depth, int layers) {
    if (layers > 0 && depth >= layers - 1) return kSceneLava;
    if (depth < 3) return kSceneMeadow;
    if (depth < 5) return kSceneForest;
    return kSceneCave;
}

SceneTheme themeForWorld(int world) {
    const long long n = static_cast<long long>(std::size(kWorlds));
    const long long i = ((static_cast<long long>(world) - 1) % n + n) % n;
    return kWorlds[i];
}

int daytimeForProgress(int step, int layers) {
    if (layers < 2) return kDay;
    const double f = static_cast<double>(step) / (layers - 1);
    if (f < 0.45) return kDay;
    if (f < 0.8) return kDusk;
    return kNight;
}

int weatherForSeed(std::string_view text, SceneTheme theme) {
    const int t = std::max(0, static_cast<int>(theme));
    if (t >= static_cast<int>(std::size(kWeatherLists))) return kWeatherClear;
    uint32_t h = 0x811C9DC5u;
    for (unsigned char c : text) {
        h ^= c;
        h *= 16777619u;
    }
    const WeatherList& list = kWeatherLists[t];
    return list.entries[h % list.size];
}

} // namespace ui

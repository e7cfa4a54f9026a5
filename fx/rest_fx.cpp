#include "fx/rest_fx.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "fx/shapes.h"
#include "ui/draw.h"
#include "ui/beneath.h"

namespace ui {
namespace {

using fxshape::Frame;

constexpr uint32_t kFlame[] = {0xFF4D14, 0xFF6A1A, 0xFF8A26, 0xFFB23A, 0xFFE07A};
constexpr uint32_t kCrystal[] = {0xBFE9FF, 0x9AD0FF, 0xD8C0FF, 0xAEF0E0, 0xFFFFFF};
constexpr int kCrystalKinds = static_cast<int>(std::size(kCrystal));
// Logical size of a crystal texture's picture.
constexpr double kCrystalBox = 96;

// How far a looping particle is through its current cycle (0..1), or -1
// before its first start.
double cycle(double now, double start, double period) {
    if (now < start) return -1;
    return std::fmod(now - start, period) / period;
}

void fillEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t color, double alpha = 1.0) {
    {
        // The path is laid in the squashed frame and filled outside it.
        Frame f(cr, cx, cy);
        f.scale(rx, ry);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    }
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

void logCapsule(cairo_t* cr, double cx, double cy, double length, double thick, double degrees, uint32_t color) {
    Frame f(cr, cx, cy, degrees);
    fxshape::bar(cr, length, thick, color, 1.0);
}

void flames(cairo_t* cr, double now, double L, double s) {
    for (int i = 0; i < 9; ++i) {
        const double q = cycle(now, (90 * i % 700) / 1000.0, (620 + 160 * (i % 5)) / 1000.0);
        if (q < 0) continue;
        const double e = 1 - (1 - q) * (1 - q);
        const double alpha = std::max(0.0, (0.7 + 0.3 * std::sin(i + 8 * kPi * e)) * std::sin(kPi * e));
        if (alpha <= 0) continue;
        const double w = (6 + 3 * (i % 3)) * s * (1 - 0.7 * e);
        const double x = 0.5 * L + ((41 * i % 100) / 100.0 - 0.5) * 0.5 * L + 4 * s * std::sin(i + 3 * kPi * e);
        const double y = 0.84 * L * (1 - (0.55 + 0.12 * (i % 3)) * e);
        fillRoundedRect(cr, {x, y, w, 2.4 * w}, w, kFlame[i % 5], alpha);
    }
}

void sparks(cairo_t* cr, double now, double L, double s) {
    for (int j = 0; j < 5; ++j) {
        const double q = cycle(now, (260 * j % 1800) / 1000.0, (1700 + 500 * (j % 4)) / 1000.0);
        if (q < 0) continue;
        const double alpha = 0.8 * std::sin(kPi * q);
        if (alpha <= 0) continue;
        const double k = 1 - 0.5 * q;
        const double x = 0.5 * L + ((67 * j % 100) / 100.0 - 0.5) * 0.7 * L + 10 * s * std::sin(j + 4 * kPi * q);
        const double y = 0.6 * L - 0.9 * L * q;
        fillRoundedRect(cr, {x, y, 3 * s * k, 3 * s * k}, 2 * s * k, 0xFFCF6A, alpha);
    }
}

void droplets(cairo_t* cr, double now, double L, double s) {
    for (int i = 0; i < 10; ++i) {
        const double q = cycle(now, (180 * i % 1500) / 1000.0, (1500 + 260 * (i % 5)) / 1000.0);
        if (q < 0) continue;
        const double h = std::sin(kPi * q);
        const double k = 0.7 + 0.6 * h;
        const double side = i % 2 == 0 ? 1 : -1;
        const double x = 0.5 * L + side * 0.12 * L * (1 + 0.5 * (i % 3)) * q;
        const double y = 0.46 * L - 0.28 * L * h;
        fillRoundedRect(cr, {x, y, 4 * s * k, 4 * s * k}, 2 * s * k, 0xBFE9FF, 0.5 + 0.5 * h);
    }
}

double scaleOf(const Ctx& ctx) { return ctx.uiScale > 0 ? ctx.uiScale : 1.0; }

} // namespace

void drawCampfire(const Ctx& ctx, double x, double y, double size) {
    cairo_t* cr = ctx.cr;
    if (!cr) return;
    const double L = size;
    const double s = scaleOf(ctx);
    fxshape::glowBeneath(ctx, x + 0.5 * L, y + 0.82 * L, 0.5 * L, 0xFF9628, 0.5);
    Frame box(cr, x, y);
    fillEllipse(cr, 0.5 * L, 0.86 * L, 0.34 * L, 0.1 * L, 0x3A3A44);
    fillEllipse(cr, 0.5 * L, 0.84 * L, 0.27 * L, 0.075 * L, 0x1C1C26);
    logCapsule(cr, 0.5 * L, 0.84 * L, 0.5 * L, 10 * s, 18, 0x6B4424);
    logCapsule(cr, 0.5 * L, 0.84 * L, 0.5 * L, 10 * s, -18, 0x7A4F2A);
    flames(cr, ctx.now, L, s);
    sparks(cr, ctx.now, L, s);
}

void drawFountain(const Ctx& ctx, double x, double y, double size) {
    cairo_t* cr = ctx.cr;
    if (!cr) return;
    const double L = size;
    const double s = scaleOf(ctx);
    fxshape::glowBeneath(ctx, x + 0.5 * L, y + 0.4 * L, 0.55 * L, 0x78C8FF, 0.28);
    Frame box(cr, x, y);
    fillEllipse(cr, 0.5 * L, 0.82 * L, 0.42 * L, 0.12 * L, 0x3B5566);
    fillEllipse(cr, 0.5 * L, 0.79 * L, 0.36 * L, 0.09 * L, 0x2A3F4D);
    fillEllipse(cr, 0.5 * L, 0.78 * L, 0.3 * L, 0.07 * L, 0x5FC8F0);
    fillRoundedRect(cr, {0.44 * L, 0.5 * L, 0.12 * L, 0.28 * L}, 4 * s, 0x3B5566);
    fillEllipse(cr, 0.5 * L, 0.5 * L, 0.2 * L, 0.06 * L, 0x3B5566);
    fillEllipse(cr, 0.5 * L, 0.485 * L, 0.15 * L, 0.045 * L, 0x5FC8F0);
    droplets(cr, ctx.now, L, s);
}

void paintCrystal(cairo_t* cr, void* user) {
    const uint32_t color = *static_cast<const uint32_t*>(user);
    fillCircle(cr, 48, 48, 48, color);
    fillRect(cr, {28, 28, 40, 40}, color);
    cairo_rectangle(cr, 30.5, 30.5, 35, 35);
    setColor(cr, 0xFFFFFF, 0.8);
    cairo_save(cr);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawCrystalRain(const Ctx& ctx, double keepLeft, double keepRight) {
    // Shards by the dozen are cheap only as blits: without a GPU layer there
    // are none.
    if (!beneath::onGpu()) return;
    // Sized in device pixels like every other painted texture, so the whole
    // 96-unit picture fits at any pixel ratio.
    const int px = static_cast<int>(std::lround(kCrystalBox * gpuScale()));
    beneath::Picture tex[kCrystalKinds];
    for (int k = 0; k < kCrystalKinds; ++k) {
        const std::string key = "restcrystal" + std::to_string(k);
        tex[k] = beneath::Picture(key, px, px, paintCrystal, const_cast<uint32_t*>(&kCrystal[k]));
    }
    const double s = scaleOf(ctx);
    const double H = ctx.height;
    const long n = std::max(14L, std::lround(ctx.width / s / 26));
    // The shards fall in the width left beside the band (grown by the
    // largest shard's half), then step over it.
    const double margin = 18 * s;
    const double bandLeft = std::max(keepLeft - margin, 0.0);
    const double band = keepRight > keepLeft ? std::min(keepRight + margin, ctx.width) - bandLeft : 0;
    const double W = ctx.width - band;
    for (long i = 0; i < n; ++i) {
        const double q = cycle(ctx.now, (290 * i % 3200) / 1000.0, (3400 + 650 * (i % 7)) / 1000.0);
        if (q < 0) continue;
        const double alpha = (0.55 + 0.45 * std::sin(6 * kPi * q + i)) * std::sin(kPi * q);
        const beneath::Picture& t = tex[i % kCrystalKinds];
        if (alpha <= 0.01 || !t) continue;
        const double u = fxshape::frac(fxshape::kGolden * i + 0.5);
        const double z = (5 + 3 * (i % 4)) * 2.4 * s;
        const double fall = std::clamp(u * W + ((53 * i % 100) / 100.0 - 0.5) * 0.06 * W * q, 0.0, W);
        const double cx = fall < bandLeft ? fall : fall + band;
        const double cy = (H + 48 * s) * q - 24 * s;
        beneath::drawTurned(ctx, t, cx, cy, z, z, 180 * q + 45, alpha);
    }
}

} // namespace ui

// Shapes beneath the overlay: glows, dots and rings. A ring is a white
// circle's outline painted once per line ratio and size step as the top-left
// quarter of the ring, and drawn as four mirrored quarters in one call,
// tinted and scaled to the ring asked.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fx/shapes.h"
#include "ui/beneath.h"
#include "ui/draw.h"

namespace ui::fxshape {
namespace {

struct GlowDisc {
    double r;
    uint32_t color;
};

void paintGlowDisc(cairo_t* cr, void* user) {
    const GlowDisc& g = *static_cast<const GlowDisc*>(user);
    glow(cr, g.r, g.r, g.r, g.color, 1.0);
}

void paintDot(cairo_t* cr, void* user) {
    const uint32_t color = *static_cast<const uint32_t*>(user);
    const double u = 1 / gpuScale();  // one texture pixel
    fillCircle(cr, 17 * u, 17 * u, 16 * u, color, 1.0);
}

// Texture sides grow in steps of 2^(1/2): a ring is drawn down to 0.71 of
// its picture, which bilinear sampling still shows with smooth edges, and
// a ring growing over an effect's life paints a few textures once instead
// of one wide stroke every frame. Past the largest side the picture is
// drawn larger than painted (its edges a little softer): only a wide,
// fading ring gets there, and painting and uploading its own pictures took
// frames of 10 ms and more and several megabytes.
constexpr double kStepsPerOctave = 2;
constexpr int kSmallestSide = 8;
constexpr int kLargestSide = 256;
// Line ratios in steps of 1/16 octave (4 %): rings of nearly the same
// proportions share their pictures.
constexpr double kRatioSteps = 16;

struct Quarter {
    int side;      // pixels; the ring's centre is the bottom-right corner
    double ratio;  // line width / radius
};

// The ring's outer edge one pixel inside the texture, for its antialiasing.
double paintedRadius(int side, double ratio) { return (side - 1) / (1 + ratio / 2); }

void paintQuarter(cairo_t* cr, void* user) {
    const Quarter& q = *static_cast<const Quarter*>(user);
    const double g = gpuScale();
    cairo_scale(cr, 1 / g, 1 / g);  // paint in texture pixels
    const double r = paintedRadius(q.side, q.ratio);
    strokeCircle(cr, q.side, q.side, r, q.ratio * r, 0xFFFFFF, 1.0);
}

int sideFor(double extent) {
    if (extent <= kSmallestSide) return kSmallestSide;
    const double step = std::ceil(kStepsPerOctave * std::log2(extent) - 1e-9);
    return std::min(kLargestSide, static_cast<int>(std::ceil(std::exp2(step / kStepsPerOctave) - 1e-9)));
}

} // namespace

void glowBeneath(const Ctx& ctx, double cx, double cy, double r, uint32_t color, double alpha) {
    if (!(r > 0)) return;
    GlowDisc g{r, color};
    char key[64];
    std::snprintf(key, sizeof key, "glow|%06x|%.3f", color & 0xFFFFFFu, r);
    beneath::still(ctx, key, {cx - r, cy - r, 2 * r, 2 * r}, paintGlowDisc, &g, alpha);
}

void dotBeneath(const Ctx& ctx, double cx, double cy, double d, uint32_t color, double alpha) {
    if (!(d > 0) || !(alpha > 0)) return;
    char key[32];
    std::snprintf(key, sizeof key, "fxdot|%06x", color & 0xFFFFFFu);
    // 32 pixels of disc within a clear pixel all round, so scaled edges stay soft.
    const beneath::Picture dot(key, 34, 34, paintDot, &color);
    const double box = d * 34 / 32;
    beneath::draw(ctx, dot, {cx - box / 2, cy - box / 2, box, box}, alpha);
}

void ringBeneath(const Ctx& ctx, double cx, double cy, double radius, double lineWidth, uint32_t color,
                 double alpha) {
    const double g = gpuScale();
    const double r = radius * g;
    const double w = std::abs(lineWidth) * g;
    if (!allFinite({cx, cy, r, w})) return;
    if (!(r > 0) || !(w > 0) || !(alpha > 0)) return;  // nothing to see
    // A line wider than the ring's diameter covers a disc out to the line's
    // outer edge; its picture would have no hole to scale.
    if (w >= 2 * r) return dotBeneath(ctx, cx, cy, 2 * radius + std::abs(lineWidth), color, alpha);
    const double ratio = std::exp2(std::round(std::log2(w / r) * kRatioSteps) / kRatioSteps);
    const Quarter q{sideFor(r * (1 + ratio / 2) + 1), ratio};
    char key[48];
    std::snprintf(key, sizeof key, "ringq|%.5f|%d", q.ratio, q.side);
    const beneath::Picture quarter(key, q.side, q.side, paintQuarter, const_cast<Quarter*>(&q));
    // The quarters share their edges' corners exactly, so they meet
    // without a seam.
    const double d = q.side * radius / paintedRadius(q.side, q.ratio);
    const GpuQuad quarters[] = {{cx - d / 2, cy - d / 2, d, d, false, false},
                                {cx + d / 2, cy - d / 2, d, d, true, false},
                                {cx + d / 2, cy + d / 2, d, d, true, true},
                                {cx - d / 2, cy + d / 2, d, d, false, true}};
    beneath::drawQuads(ctx, quarter, quarters, 4, color, alpha);
}

} // namespace ui::fxshape

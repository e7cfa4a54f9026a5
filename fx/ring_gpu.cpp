// Rings on the GPU layer: a white circle's outline painted once per line
// ratio and size step as the top-left quarter of the ring, and drawn as four
// mirrored quarters in one call, tinted and scaled to the ring asked.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fx/shapes.h"
#include "ui/draw.h"
#include "ui/gpu.h"

namespace ui::fxshape {
namespace {

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

bool ringOnGpu(double cx, double cy, double radius, double lineWidth, uint32_t color, double alpha) {
    if (!gpuRenderer()) return false;
    const double g = gpuScale();
    const double r = radius * g;
    const double w = std::abs(lineWidth) * g;
    if (!allFinite({cx, cy, r, w})) return true;
    if (!(r > 0) || !(w > 0) || !(alpha > 0)) return true;  // nothing to see
    // A line wider than the ring's diameter fills a disc; its picture would
    // have no hole to scale, so cairo draws it.
    if (w >= 2 * r) return false;
    const double ratio = std::exp2(std::round(std::log2(w / r) * kRatioSteps) / kRatioSteps);
    const Quarter q{sideFor(r * (1 + ratio / 2) + 1), ratio};
    char key[48];
    std::snprintf(key, sizeof key, "ringq|%.5f|%d", q.ratio, q.side);
    SDL_Texture* tex = gpuTexture(key, q.side, q.side, paintQuarter, const_cast<Quarter*>(&q));
    if (!tex) return false;
    // The quarters share their edges' corners exactly, so they meet
    // without a seam.
    const double d = q.side * radius / paintedRadius(q.side, q.ratio);
    const GpuQuad quarters[] = {{cx - d / 2, cy - d / 2, d, d, false, false},
                                {cx + d / 2, cy - d / 2, d, d, true, false},
                                {cx + d / 2, cy + d / 2, d, d, true, true},
                                {cx - d / 2, cy + d / 2, d, d, false, true}};
    gpuBlitQuads(tex, quarters, 4, color, alpha);
    return true;
}

} // namespace ui::fxshape

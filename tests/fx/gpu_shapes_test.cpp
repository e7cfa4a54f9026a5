// Rings and bursts beneath the overlay, held against what cairo strokes and
// fills of them.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fx/fx.h"
#include "fx/shapes.h"
#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"
#include "ui/draw.h"

namespace {

using fxtest::SoftGpu;

// Coverage 0..1 of each pixel, row by row.
struct Coverage {
    int w = 0, h = 0;
    std::vector<double> v;
    double at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0 : v[y * w + x]; }
    double sum() const {
        double s = 0;
        for (double c : v) s += c;
        return s;
    }
};

// The GPU picture drawn in white on black: its brightness is the coverage.
Coverage ofGpu(const SoftGpu& gpu) {
    Coverage c{gpu.pixelWidth(), gpu.pixelHeight(), {}};
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const fxtest::Rgb p = gpu.pixel(x, y);
            c.v.push_back((p.r + p.g + p.b) / (3 * 255.0));
        }
    return c;
}

// What cairo draws of the same in pixels of the given ratio.
template <class Draw>
Coverage ofCairo(int w, int h, double ratio, Draw draw) {
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_set_device_scale(surf, ratio, ratio);
    cairo_t* cr = cairo_create(surf);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surf);
    Coverage c{w, h, {}};
    const unsigned char* data = cairo_image_surface_get_data(surf);
    const int stride = cairo_image_surface_get_stride(surf);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.v.push_back((reinterpret_cast<const uint32_t*>(data + y * stride)[x] >> 24) / 255.0);
    cairo_surface_destroy(surf);
    return c;
}

// Along a ray from (cx, cy) in pixels: the coverage-weighted mean distance
// and the strongest coverage.
struct RayProfile {
    double mean = 0, peak = 0;
};
RayProfile ray(const Coverage& c, double cx, double cy, double degrees, double reach) {
    const double a = degrees * ui::kDegree;
    double sum = 0, moment = 0, peak = 0;
    for (double d = 0; d < reach; d += 0.25) {
        const double v = c.at(static_cast<int>(std::floor(cx + d * std::cos(a))),
                              static_cast<int>(std::floor(cy + d * std::sin(a))));
        sum += v;
        moment += v * d;
        peak = std::max(peak, v);
    }
    return {sum > 0 ? moment / sum : -1, peak};
}

TEST(RingBeneath, MatchesTheStrokedRingAtEverySizeStep) {
    struct Case {
        double radius, width;  // units
    };
    const Case cases[] = {
        {6, 2},         // the smallest texture
        {61.5, 9},      // a burst's ring near its end
        {120.4, 6.1},   // just past a step: drawn from the next, larger picture
        {194.7, 6.6},   // an area ring half grown
        {363, 12.3},    // past the largest picture: drawn larger than painted
    };
    for (double ratio : {1.0, 1.5}) {
        for (const Case& k : cases) {
            const double cx = 400.3, cy = 390.6;
            SoftGpu gpu(800, 800, ratio);
            ASSERT_TRUE(gpu.ok());
            gpu.beginFrame(0);
            ui::fxshape::ringBeneath(gpu.ctx, cx, cy, k.radius, k.width, 0xFFFFFF, 1.0);
            const Coverage got = ofGpu(gpu);
            const Coverage want = ofCairo(gpu.pixelWidth(), gpu.pixelHeight(), ratio, [&](cairo_t* cr) {
                ui::strokeCircle(cr, cx, cy, k.radius, k.width, 0xFFFFFF, 1.0);
            });
            const std::string what = "radius " + std::to_string(k.radius) + " ratio " + std::to_string(ratio);
            // The tests' software renderer samples its triangles' textures
            // without filtering, which costs a pixel at the edges; a wrong
            // size step or a missing or unflipped quarter costs far more.
            EXPECT_NEAR(got.sum(), want.sum(), 0.3 * want.sum()) << what;
            // On the axes the quarters meet; between them they are scaled.
            const double reach = (k.radius + k.width) * ratio + 4;
            for (double degrees : {0.0, 30.0, 45.0, 90.0, 135.0, 180.0, 225.0, 270.0, 315.0}) {
                const RayProfile g = ray(got, cx * ratio, cy * ratio, degrees, reach);
                const RayProfile c = ray(want, cx * ratio, cy * ratio, degrees, reach);
                EXPECT_NEAR(g.mean, c.mean, 1.75 * ratio) << what << " at " << degrees << "°";
                EXPECT_GT(g.peak, 0.5 * c.peak) << what << " at " << degrees << "°";
            }
        }
    }
}

TEST(RingBeneath, TintsFadesAndFillsADiscWhenTheLineOutgrowsTheHole) {
    SoftGpu gpu(200, 200);
    ASSERT_TRUE(gpu.ok());
    gpu.beginFrame(0);
    ui::fxshape::ringBeneath(gpu.ctx, 100, 100, 40, 8, 0xFF8000, 1.0);
    const fxtest::Rgb on = gpu.pixel(140, 100);
    EXPECT_EQ(on.r, 255);
    EXPECT_NEAR(on.g, 128, 2);
    EXPECT_EQ(on.b, 0);
    EXPECT_EQ(gpu.pixel(100, 100).r, 0) << "the hole stays clear";
    gpu.beginFrame(0);
    ui::fxshape::ringBeneath(gpu.ctx, 100, 100, 40, 8, 0xFF8000, 0.5);
    EXPECT_GT(gpu.pixel(140, 100).r, 0);
    EXPECT_LT(gpu.pixel(140, 100).r, 255) << "faded";

    gpu.beginFrame(0);
    ui::fxshape::ringBeneath(gpu.ctx, 100, 100, 0, 8, 0xFFFFFF, 1.0);
    ui::fxshape::ringBeneath(gpu.ctx, 100, 100, 40, 8, 0xFFFFFF, 0.0);
    EXPECT_EQ(gpu.brightness(), 0) << "no radius, no alpha: nothing to see";

    // A line 25 wide about a radius of 10 covers the disc out to 22.5.
    gpu.beginFrame(0);
    ui::fxshape::ringBeneath(gpu.ctx, 100, 100, 10, 25, 0xFFFFFF, 1.0);
    EXPECT_EQ(gpu.pixel(100, 100).r, 255) << "no hole";
    EXPECT_EQ(gpu.pixel(120, 100).r, 255);
    EXPECT_EQ(gpu.pixel(125, 100).r, 0);
    EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0) << "all of it beneath the overlay";
}

TEST(BurstBeneath, LeavesTheOverlayAndMatchesTheCairoBurst) {
    struct Case {
        int count;
        bool flash, ring;
        double t;
    };
    // Early enough that the pieces are still bright: the software renderer
    // fades them twice (it lacks premultiplied blending).
    const Case cases[] = {{4, false, false, 0.4}, {18, false, false, 0.3}, {10, true, false, 0.05},
                          {18, true, true, 0.15}, {18, false, true, 0.45}};
    for (double ratio : {1.0, 2.0}) {
        for (const Case& k : cases) {
            SoftGpu gpu(400, 400, ratio);
            ASSERT_TRUE(gpu.ok());
            gpu.beginFrame(0);
            const double s = gpu.ctx.uiScale;
            ui::drawBurst(gpu.ctx, 200, 210, 0xFFFFFF, k.count, 40, k.flash, k.ring, k.t);
            const std::string what = "count " + std::to_string(k.count) + " t " + std::to_string(k.t) + " ratio " +
                                     std::to_string(ratio);
            EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0) << what;
            const Coverage got = ofGpu(gpu);
            // The same burst without a GPU layer, drawn with cairo on the
            // overlay: the context's scale as the GPU's.
            ui::gpuShutdown();
            const Coverage want = ofCairo(gpu.pixelWidth(), gpu.pixelHeight(), ratio, [&](cairo_t* cr) {
                ui::Ctx ctx;
                ctx.cr = cr;
                ctx.width = 400;
                ctx.height = 400;
                ctx.uiScale = s;
                ui::drawBurst(ctx, 200, 210, 0xFFFFFF, k.count, 40, k.flash, k.ring, k.t);
            });
            auto inked = [](const Coverage& c) {
                int n = 0;
                for (double v : c.v) n += v > 0.02;
                return n;
            };
            ASSERT_GT(inked(want), 0) << what;
            // Its small quads lose an edge pixel in the software renderer.
            EXPECT_GT(inked(got), inked(want) / 3) << what;
            EXPECT_LE(inked(got), inked(want) * 5 / 4) << what;
            // Every piece where cairo put it: the inked boxes agree.
            auto box = [](const Coverage& c, int* x0, int* y0, int* x1, int* y1) {
                *x0 = c.w, *y0 = c.h, *x1 = -1, *y1 = -1;
                for (int y = 0; y < c.h; ++y)
                    for (int x = 0; x < c.w; ++x)
                        if (c.at(x, y) > 0.02) {
                            *x0 = std::min(*x0, x), *x1 = std::max(*x1, x);
                            *y0 = std::min(*y0, y), *y1 = std::max(*y1, y);
                        }
            };
            int g[4], w[4];
            box(got, &g[0], &g[1], &g[2], &g[3]);
            box(want, &w[0], &w[1], &w[2], &w[3]);
            for (int i = 0; i < 4; ++i) EXPECT_NEAR(g[i], w[i], 2 * ratio) << what << " edge " << i;
        }
    }
}

} // namespace

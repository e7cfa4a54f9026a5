// Drawing beneath the overlay: the GPU layer's picture (the game's path) and
// the cairo one drawn without a GPU layer show the same.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"
#include "ui/beneath.h"
#include "ui/draw.h"

namespace {

using fxtest::SoftGpu;

constexpr double kW = 240, kH = 180;

// An opaque picture over black, three channels a pixel.
struct Image {
    int w = 0, h = 0;
    std::vector<int> rgb;
    int at(int x, int y, int c) const { return rgb[3 * (y * w + x) + c]; }
};

using Drawing = std::function<void(const ui::Ctx&)>;

// What the drawing shows in the game: beneath an empty overlay, on the GPU
// layer of a window of kW by kH units at the pixel ratio.
Image onGpu(double ratio, const Drawing& draw) {
    SoftGpu gpu(kW, kH, ratio);
    EXPECT_TRUE(gpu.ok());
    gpu.beginFrame(0);
    draw(gpu.ctx);
    EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0) << "nothing on the overlay";
    Image img{gpu.pixelWidth(), gpu.pixelHeight(), {}};
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const fxtest::Rgb p = gpu.pixel(x, y);
            img.rgb.insert(img.rgb.end(), {p.r, p.g, p.b});
        }
    return img;
}

// What it shows without a GPU layer: drawn on the overlay itself.
Image onCairo(double ratio, const Drawing& draw) {
    const int pw = static_cast<int>(std::lround(kW * ratio)), ph = static_cast<int>(std::lround(kH * ratio));
    ui::gpuShutdown();
    ui::gpuSetScale(ratio);
    EXPECT_FALSE(ui::beneath::onGpu());
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
    cairo_surface_set_device_scale(surf, ratio, ratio);
    ui::Ctx ctx;
    ctx.cr = cairo_create(surf);
    ctx.width = kW;
    ctx.height = kH;
    const auto before = cairocheck::snapshot(ctx.cr);
    draw(ctx);
    EXPECT_TRUE(cairocheck::unchanged(ctx.cr, before)) << "the context as it was";
    cairo_destroy(ctx.cr);
    cairo_surface_flush(surf);
    Image img{pw, ph, {}};
    const unsigned char* data = cairo_image_surface_get_data(surf);
    const int stride = cairo_image_surface_get_stride(surf);
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
            const uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
            img.rgb.insert(img.rgb.end(), {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                                           static_cast<int>(p & 0xFF)});
        }
    cairo_surface_destroy(surf);
    ui::gpuSetScale(1);
    return img;
}

// The inked pixels' box (any channel above a quarter) and the summed ink.
struct Ink {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    double sum = 0;
};
Ink inkOf(const Image& img) {
    Ink k;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const int m = std::max({img.at(x, y, 0), img.at(x, y, 1), img.at(x, y, 2)});
            k.sum += img.at(x, y, 0) + img.at(x, y, 1) + img.at(x, y, 2);
            if (m < 64) continue;
            k.x0 = std::min(k.x0, x), k.x1 = std::max(k.x1, x);
            k.y0 = std::min(k.y0, y), k.y1 = std::max(k.y1, y);
        }
    return k;
}

// The two pictures agree: ink in the same box, as much of it, and pixel by
// pixel all but at the edges. The tests' software renderer samples a
// stretched texture by its nearest pixel where the game's and cairo blend
// four, so an edge may move by a pixel; a wrong place, size, colour, flip
// or turn costs far more.
void expectSame(const Image& gpu, const Image& cairo, double ratio, const std::string& what) {
    ASSERT_EQ(gpu.w, cairo.w);
    const Ink g = inkOf(gpu), c = inkOf(cairo);
    ASSERT_GE(c.x1, 0) << what << ": the fallback draws something";
    ASSERT_GE(g.x1, 0) << what << ": the GPU layer draws something";
    const double edge = 1.5 * ratio;
    EXPECT_NEAR(g.x0, c.x0, edge) << what;
    EXPECT_NEAR(g.x1, c.x1, edge) << what;
    EXPECT_NEAR(g.y0, c.y0, edge) << what;
    EXPECT_NEAR(g.y1, c.y1, edge) << what;
    EXPECT_NEAR(g.sum, c.sum, 0.06 * c.sum) << what;
    double diff = 0;
    for (std::size_t i = 0; i < gpu.rgb.size(); ++i) diff += std::abs(gpu.rgb[i] - cairo.rgb[i]);
    EXPECT_LT(diff, 0.12 * c.sum) << what;
}

// Two colours side by side on the left and right halves, so a mirrored or
// turned picture shows which way it went.
void paintHalves(cairo_t* cr, void* user) {
    const double* size = static_cast<const double*>(user);
    ui::fillRect(cr, {0, 0, size[0] / 2, size[1]}, 0xE04020);
    ui::fillRect(cr, {size[0] / 2, 0, size[0] / 2, size[1]}, 0x2060E0);
}

void paintWhiteDisc(cairo_t* cr, void* user) {
    const double r = *static_cast<const double*>(user);
    ui::fillCircle(cr, r, r, r - 1 / ui::gpuScale(), 0xFFFFFF);
}

TEST(Beneath, TheGamesPathAndTheFallbackShowTheSame) {
    struct Case {
        const char* what;
        Drawing draw;
    };
    const Case cases[] = {
        {"a still picture at a fraction of a pixel, a later one over an earlier",
         [](const ui::Ctx& c) {
             double size[2] = {60, 30};
             ui::beneath::still(c, "t.halves", {20.3, 30.6, 60, 30}, paintHalves, size);
             double r = 18;
             ui::beneath::still(c, "t.disc", {60.25, 40.5, 36, 36}, paintWhiteDisc, &r);
         }},
        {"a picture stretched",
         [](const ui::Ctx& c) {
             double size[2] = {20, 10};
             const ui::beneath::Picture p("t.small", static_cast<int>(20 * ui::gpuScale()),
                                          static_cast<int>(10 * ui::gpuScale()), paintHalves, size);
             ui::beneath::draw(c, p, {40.5, 50.25, 120, 60});
         }},
        {"a white picture tinted",
         [](const ui::Ctx& c) {
             double r = 16;
             const int px = static_cast<int>(32 * ui::gpuScale());
             const ui::beneath::Picture p("t.disc32", px, px, paintWhiteDisc, &r);
             ui::beneath::drawTinted(c, p, {30, 40, 96, 96}, 0x40C0FF);
         }},
        {"a picture turned and mirrored",
         [](const ui::Ctx& c) {
             double size[2] = {40, 16};
             const ui::beneath::Picture p("t.bar", static_cast<int>(40 * ui::gpuScale()),
                                          static_cast<int>(16 * ui::gpuScale()), paintHalves, size);
             ui::beneath::drawTurned(c, p, 80, 70, 100, 40, 30);
             ui::beneath::drawTurned(c, p, 170, 120, 80, 32, -20, 1.0, true);
         }},
        {"a picture turned about a corner, mirrored or not",
         [](const ui::Ctx& c) {
             double size[2] = {40, 16};
             const ui::beneath::Picture p("t.bar", static_cast<int>(40 * ui::gpuScale()),
                                          static_cast<int>(16 * ui::gpuScale()), paintHalves, size);
             ui::beneath::drawPivoted(c, p, {40, 30, 100, 40}, 0, 0, 35);
             ui::beneath::drawPivoted(c, p, {100, 110, 80, 32}, 80, 32, -25, 1.0, true);
         }},
        {"quads flipped and tinted",
         [](const ui::Ctx& c) {
             double size[2] = {20, 20};
             const int px = static_cast<int>(20 * ui::gpuScale());
             const ui::beneath::Picture p("t.quad", px, px, paintHalves, size);
             const ui::GpuQuad quads[] = {
                 {50, 50, 60, 60}, {130, 50, 60, 60, true, false}, {90, 130, 60, 40, false, true}};
             ui::beneath::drawQuads(c, p, quads, 3, 0xFFFFFF);
         }},
        {"rectangles, one clipped",
         [](const ui::Ctx& c) {
             ui::beneath::fill(c, {10, 10, 100, 50}, 0x30A050);
             const ui::beneath::Clip clip(c, {60, 80, 100, 60});
             ui::beneath::fill(c, {20, 70, 200, 100}, 0xC0C040);
         }},
    };
    for (double ratio : {1.0, 2.0}) {
        for (const Case& k : cases) {
            const std::string what = std::string(k.what) + " at ratio " + std::to_string(ratio);
            const Image gpu = onGpu(ratio, k.draw);
            expectSame(gpu, onCairo(ratio, k.draw), ratio, what);
        }
    }
}

TEST(Beneath, NothingForAnEmptyPictureOrSize) {
    SoftGpu gpu(kW, kH);
    ASSERT_TRUE(gpu.ok());
    gpu.beginFrame(0);
    double size[2] = {10, 10};
    const ui::beneath::Picture none("t.none", 0, 10, paintHalves, size);
    EXPECT_FALSE(none);
    ui::beneath::draw(gpu.ctx, none, {0, 0, 50, 50});
    ui::beneath::drawQuads(gpu.ctx, none, nullptr, 0, 0xFFFFFF);
    ui::beneath::still(gpu.ctx, "t.flat", {10, 10, 0, 20}, paintHalves, size);
    ui::beneath::fill(gpu.ctx, {10, 10, 20, -1}, 0xFFFFFF);
    EXPECT_EQ(gpu.brightness(), 0);
    ui::gpuShutdown();
    ui::beneath::draw(gpu.ctx, none, {0, 0, 50, 50});
    ui::beneath::still(gpu.ctx, "t.flat", {10, 10, 0, 20}, paintHalves, size);
    EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0);
}

} // namespace

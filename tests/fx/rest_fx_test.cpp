#include "fx/rest_fx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"

namespace {

using fxtest::Rgb;
using fxtest::SoftGpu;

// Pixels of an image surface in a band of rows whose alpha is above limit.
int strongPixels(cairo_surface_t* s, int y0, int y1, int limit) {
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) n += static_cast<int>(row[x] >> 24) > limit;
    }
    return n;
}

void clear(cairo_surface_t* s) {
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_destroy(cr);
}

using BoxFx = void (*)(const ui::Ctx&, double, double, double);

// The campfire and fountain draw with cairo in their box; their glows lie
// on the GPU layer, which without a renderer draws nothing.
TEST(RestFx, CampfireAndFountainDrawInTheirBoxWithoutGpu) {
    ui::gpuShutdown();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 200);
    cairo_t* cr = cairo_create(s);
    ui::Ctx ctx;
    ctx.cr = cr;
    ctx.width = 300;
    ctx.height = 200;
    for (BoxFx fx : {BoxFx(ui::drawCampfire), BoxFx(ui::drawFountain)}) {
        for (double now : {0.0, 0.4, 1.7, 12.3}) {
            clear(s);
            ctx.now = now;
            auto before = cairocheck::snapshot(cr);
            fx(ctx, 100, 60, 112);
            EXPECT_TRUE(cairocheck::unchanged(cr, before));
            EXPECT_GT(cairocheck::paintedPixels(s), 112 * 112 / 10) << now;
            // Nothing spills sideways out of the box (glow and sparks may
            // reach above and below it).
            int outside = 0;
            cairo_surface_flush(s);
            const unsigned char* data = cairo_image_surface_get_data(s);
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 300; ++x) {
                    const bool inBox = x >= 100 - 12 && x < 212 + 12;
                    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * cairo_image_surface_get_stride(s));
                    outside += !inBox && (row[x] >> 24) != 0;
                }
            EXPECT_EQ(outside, 0) << now;
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

// Each glow is one blit on the GPU layer, centred where the fire and the
// fountain shine from and fading out at its rim.
TEST(RestFx, GlowsLieOnTheGpuLayer) {
    struct Case {
        BoxFx fx;
        double cx, cy, r;  // in units of the box's side
        int warm;          // the channel the glow's colour is strongest in: 0 red, 2 blue
    };
    const Case cases[] = {{ui::drawCampfire, 0.5, 0.82, 0.5, 0}, {ui::drawFountain, 0.5, 0.4, 0.55, 2}};
    const double L = 112;
    for (const Case& c : cases) {
        SoftGpu gpu(400, 300);
        ASSERT_TRUE(gpu.ok());
        gpu.beginFrame(1.0);
        c.fx(gpu.ctx, 100, 60, L);
        EXPECT_EQ(ui::gpuDrawCalls(), 1);
        const Rgb centre = gpu.pixel(static_cast<int>(100 + c.cx * L), static_cast<int>(60 + c.cy * L));
        const int channels[] = {centre.r, centre.g, centre.b};
        EXPECT_GT(channels[c.warm], 10);
        EXPECT_EQ(channels[c.warm], std::max({centre.r, centre.g, centre.b}));
        const Rgb outside = gpu.pixel(static_cast<int>(100 + c.cx * L + c.r * L + 2), static_cast<int>(60 + c.cy * L));
        EXPECT_EQ(outside.r + outside.g + outside.b, 0) << "nothing beyond the rim";
    }
}

// Flames start one after another in the first 0.63 s; the space above the
// logs is empty at the very start and lit once they run.
TEST(RestFx, CampfireFlamesStartByTheirStartTimes) {
    const int L = 112;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, L, L);
    cairo_t* cr = cairo_create(s);
    ui::Ctx ctx;
    ctx.cr = cr;
    ctx.width = L;
    ctx.height = L;
    auto fireAt = [&](double now) {
        clear(s);
        ctx.now = now;
        ui::drawCampfire(ctx, 0, 0, L);
        // Above the logs only the glow (at most half opaque) lies under the flames.
        return strongPixels(s, 0, static_cast<int>(0.72 * L), 150);
    };
    auto meanOver = [&](double from, double to) {
        double sum = 0;
        int n = 0;
        for (double t = from; t <= to + 1e-9; t += 0.05, ++n) sum += fireAt(t);
        return sum / n;
    };
    EXPECT_EQ(fireAt(0.0), 0);
    const double starting = meanOver(0, 0.15);
    const double running = meanOver(0.65, 1.5);
    EXPECT_GT(running, 50);
    EXPECT_LT(starting, running / 5);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

// The crystal fills its 96-unit box centred, at any pixel ratio: a disc with
// empty corners.
TEST(RestFx, CrystalPainter) {
    for (double ratio : {1.0, 2.0}) {
        const int px = static_cast<int>(96 * ratio);
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, px, px);
        cairo_surface_set_device_scale(s, ratio, ratio);
        cairo_t* cr = cairo_create(s);
        std::uint32_t color = 0x9AD0FF;
        auto before = cairocheck::snapshot(cr);
        ui::paintCrystal(cr, &color);
        EXPECT_TRUE(cairocheck::unchanged(cr, before));
        const double disc = 3.14159265 * (px / 2.0) * (px / 2.0);
        EXPECT_NEAR(cairocheck::paintedPixels(s), disc, disc * 0.03) << ratio;
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
}

TEST(RestFx, CrystalRainNeedsRenderer) {
    ui::gpuShutdown();
    ui::Ctx ctx;
    ctx.width = 800;
    ctx.height = 600;
    ctx.now = 5;
    ui::gpuBeginFrame();
    ui::drawCrystalRain(ctx);
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
    EXPECT_EQ(ui::gpuCached("restcrystal0", 96, 96), nullptr);
}

// The most shards seen at once over a stretch of time: every shard of the
// rain, never more.
int mostShards(SoftGpu& gpu) {
    int most = 0;
    for (double t = 4; t < 40; t += 0.05) {
        gpu.beginFrame(t);
        ui::drawCrystalRain(gpu.ctx);
        most = std::max(most, ui::gpuDrawCalls());
    }
    return most;
}

TEST(RestFx, CrystalRainShardCount) {
    SoftGpu narrow(200, 400);
    ASSERT_TRUE(narrow.ok());
    EXPECT_EQ(mostShards(narrow), 14);
}

TEST(RestFx, CrystalRainGrowsWithWidth) {
    SoftGpu wide(1600, 400);
    ASSERT_TRUE(wide.ok());
    wide.ctx.uiScale = 1;
    const int most = mostShards(wide);  // 62 shards
    EXPECT_LE(most, 62);
    EXPECT_GT(most, 50);
}

// Beside a kept band the shards fall on both sides of it and never in it.
TEST(RestFx, CrystalRainKeepsOutOfTheBand) {
    SoftGpu gpu(800, 300);
    ASSERT_TRUE(gpu.ok());
    gpu.ctx.uiScale = 1;
    bool left = false, right = false;
    for (double t = 4; t < 14; t += 0.25) {
        gpu.beginFrame(t);
        ui::drawCrystalRain(gpu.ctx, 300, 500);
        for (int y = 0; y < 300; y += 3) {
            for (int x = 0; x < 800; x += 2) {
                const fxtest::Rgb c = gpu.pixel(x, y);
                if (c.r + c.g + c.b == 0) continue;
                ASSERT_FALSE(x >= 300 && x < 500) << x << "," << y << " at " << t;
                (x < 300 ? left : right) = true;
            }
        }
    }
    EXPECT_TRUE(left && right);
}

// Textures are sized in device pixels: at ratio 2 a crystal blitted at its
// own logical size shows the whole disc, not a magnified quarter.
TEST(RestFx, CrystalTexturesAtPixelRatios) {
    for (double ratio : {1.0, 2.0}) {
        SoftGpu gpu(200, 200, ratio);
        ASSERT_TRUE(gpu.ok());
        gpu.beginFrame(5);
        auto before = cairocheck::snapshot(gpu.ctx.cr);
        ui::drawCrystalRain(gpu.ctx);
        EXPECT_TRUE(cairocheck::unchanged(gpu.ctx.cr, before));
        EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0);
        const int px = static_cast<int>(96 * ratio);
        for (int k = 0; k < 5; ++k) {
            const std::string key = "restcrystal" + std::to_string(k);
            EXPECT_NE(ui::gpuCached(key, px, px), nullptr) << key << " at " << ratio;
        }
        gpu.beginFrame(5);
        ui::gpuBlit(ui::gpuCached("restcrystal1", px, px), 0, 0, 96, 96);
        const auto lit = [&](int x, int y) {
            const fxtest::Rgb c = gpu.pixel(x, y);
            return c.r + c.g + c.b > 100;
        };
        const int last = px - 3;
        const int mid = px / 2;
        EXPECT_TRUE(lit(mid, mid)) << ratio;
        for (auto [x, y] : {std::pair{2, 2}, {last, 2}, {2, last}, {last, last}})
            EXPECT_FALSE(lit(x, y)) << ratio << " corner " << x << "," << y;
        for (auto [x, y] : {std::pair{mid, 3}, {mid, last}, {3, mid}, {last, mid}})
            EXPECT_TRUE(lit(x, y)) << ratio << " edge " << x << "," << y;
    }
}

} // namespace

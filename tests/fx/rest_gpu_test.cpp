// The chest at rest and the win celebration drawn on the GPU layer must show
// what the cairo drawing shows, whatever colour the cache was filled with first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "fx/chest_fx.h"
#include "fx/win_fx.h"
#include "tests/fx/canvas.h"
#include "tests/fx/soft_gpu.h"

using fxtest::Canvas;
using fxtest::SoftGpu;

namespace {

constexpr int kW = 640, kH = 480;

struct Compare {
    int painted = 0;  // pixels the cairo picture lights
    int apart = 0;    // pixels lit in one picture only, or in other hues
};

// The cairo picture over black against the GPU picture drawn over black.
// SDL's software renderer blends the cached (premultiplied) textures as
// plain ones, which darkens what is translucent but keeps its hue: so the
// two are compared by where they are lit and in which hue.
Compare compare(const Canvas& c, const SoftGpu& g) {
    Compare r;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const uint32_t p = c.argb(x, y);  // premultiplied: over black it is its own colour
            const double a[3] = {static_cast<double>((p >> 16) & 0xFF), static_cast<double>((p >> 8) & 0xFF),
                                 static_cast<double>(p & 0xFF)};
            const fxtest::Rgb q = g.pixel(x, y);
            const double b[3] = {static_cast<double>(q.r), static_cast<double>(q.g), static_cast<double>(q.b)};
            const double sa = a[0] + a[1] + a[2], sb = b[0] + b[1] + b[2];
            const bool litA = sa > 40, litB = sb > 12;
            if ((p >> 24) != 0) ++r.painted;
            if (sa > 40 && sb < 4) ++r.apart;
            else if (sb > 40 && sa < 4) ++r.apart;
            else if (litA && litB) {
                double hue = 0;
                for (int k = 0; k < 3; ++k) hue = std::max(hue, std::abs(a[k] / sa - b[k] / sb));
                if (hue > 0.08) ++r.apart;
            }
        }
    return r;
}

void expectSame(const std::function<void(ui::Ctx&)>& cairoDraw, const std::function<void()>& gpuDraw, SoftGpu& g,
                double now, const char* what) {
    Canvas c(kW, kH);
    c.ctx.now = now;
    c.draw([&] { cairoDraw(c.ctx); });
    g.beginFrame(now);
    gpuDraw();
    const Compare r = compare(c, g);
    EXPECT_GT(r.painted, 2000) << what;
    EXPECT_LT(r.apart, r.painted / 10) << what << ": " << r.apart << " of " << r.painted << " pixels apart";
}

} // namespace

TEST(RestOnGpu, ChestAtRestLooksAsDrawnWithCairo) {
    EXPECT_FALSE(ui::chestFxAtRest(false, 5.0)) << "a shut chest is never at rest";
    EXPECT_FALSE(ui::chestFxAtRest(true, 1.5)) << "the burst still swells";
    EXPECT_TRUE(ui::chestFxAtRest(true, 1.7));
    SoftGpu g(kW, kH);
    ASSERT_TRUE(g.ok());
    struct Case {
        uint32_t color;
        bool quiet, grand;
        double t;
    } cases[] = {{0x5AD7FF, false, false, 2.3}, {0xFF7BD5, false, false, 2.3}, {0xFFE24A, false, true, 3.1},
                 {0x9A7BFF, true, false, 2.0}};
    for (const Case& k : cases) {
        g.ctx.uiScale = 1.0;
        expectSame([&](ui::Ctx& ctx) { ui::drawChestFx(ctx, 320, 260, 1.0, true, k.t, k.color, k.quiet, k.grand); },
                   [&] { ui::drawChestFxBeneath(g.ctx, 320, 260, 1.0, k.t, k.color, k.quiet, k.grand); }, g, 0,
                   k.quiet ? "quiet chest" : "chest");
    }
}

TEST(RestOnGpu, WinCelebrationLooksAsDrawnWithCairo) {
    SoftGpu g(kW, kH);
    ASSERT_TRUE(g.ok());
    g.ctx.uiScale = 1.0;
    for (double t : {0.4, 1.3, 2.75}) {
        expectSame([&](ui::Ctx& ctx) { ui::drawWinFx(ctx, 300.3, 240.6, t); },
                   [&] { ui::drawWinFxBeneath(g.ctx, 300.3, 240.6, t); }, g, 0, "celebration");
    }
}

#include "fx/levelup_fx.h"

#include <algorithm>
#include <cmath>

#include "fx/shapes.h"
#include "ui/draw.h"
#include "ui/theme.h"

namespace ui {
namespace {

constexpr uint32_t kGold = 0xFFD24A;
constexpr uint32_t kSparkle = 0xFFF6D8;
constexpr uint32_t kBanner = 0x0C0804;

constexpr double kStart = 0.95;  // the level-up waits for the reward cards to settle

using fxshape::Frame;
using fxshape::frac;

// Quadratic ease-out of u over the given length.
double easeOut(double u, double length) {
    double k = 1 - u / length;
    return 1 - k * k;
}

void drawRays(cairo_t* cr, double cx, double cy, double s, double u) {
    if (u >= 0.82) return;
    double e = easeOut(u, 0.82);
    for (int i = 0; i < 8; ++i) {
        Frame f(cr, cx, cy, 45 * i);
        f.scale(0.4 + 0.9 * e, 0.4 + 0.9 * e);
        fillRoundedRect(cr, {-2.5 * s, -80 * s, 5 * s, 56 * s}, 3 * s, kGold, 0.6 * (1 - e));
    }
}

void drawRing(cairo_t* cr, double cx, double cy, double s, double u) {
    if (u >= 0.56) return;
    double e = easeOut(u, 0.56);
    strokeCircle(cr, cx, cy, (0.25 + 1.1 * e) * 63 * s, 4 * s, kGold, 0.85 * (1 - e));
}

void drawSparks(cairo_t* cr, double cx, double cy, double s, double u) {
    if (u >= 0.64) return;
    double e = easeOut(u, 0.64);
    for (int i = 0; i < 14; ++i) {
        double angle = 2 * kPi * i / 14.0 + (i % 2 == 1 ? 0.35 : 0.0);
        double d = (60 + 16 * (i % 5)) * s;
        double z = (4 + 2 * (i % 3)) * s * (1 - 0.4 * e);
        Frame f(cr, cx + std::cos(angle) * d * e, cy + std::sin(angle) * d * e - 14 * s * e, 270 * e + 30 * i);
        fillRoundedRect(cr, {-z / 2, -z / 2, z, z}, s, kGold, 1 - e);
    }
}

// Each sparkle rises twice and is then done.
void drawSparkles(cairo_t* cr, double cx, double cy, double s, double u) {
    for (int j = 0; j < 10; ++j) {
        double start = (170 * j % 900) / 1000.0;
        double period = (1000 + 260 * (j % 4)) / 1000.0;
        double q = (u - start) / period;
        if (q < 0 || q >= 2) continue;
        double f = frac(q);
        double a = std::sin(kPi * f);
        double k = 0.5 + 0.7 * a;
        Rect r{cx + (frac(0.377 * j) - 0.5) * 190 * s - 3 * s * k, cy + 50 * s - 150 * s * f - 3 * s * k, 6 * s * k,
               6 * s * k};
        fillRoundedRect(cr, r, 3 * s * k, kSparkle, 0.9 * a);
    }
}

struct BannerPose {
    double alpha = 0;
    double scale = 1;
};

// Pops in past full size, settles, holds and fades.
BannerPose bannerAt(double u) {
    if (u < 0) return {};
    if (u < 0.24) {
        double d = u / 0.24 - 1;
        return {std::min(1.0, u / 0.15), 0.5 + 0.68 * (1 + 3 * d * d * d + 2 * d * d)};
    }
    if (u < 0.39) return {1, 1.18 - 0.18 * (u - 0.24) / 0.15};
    if (u < 1.65) return {1, 1};
    if (u < 2.07) return {1 - (u - 1.65) / 0.42, 1};
    return {};
}

void bevel(cairo_t* cr, const Rect& r, double b, uint32_t topLeft, uint32_t bottomRight, double alpha) {
    fillRect(cr, {r.x, r.y, r.w, b}, topLeft, alpha);
    fillRect(cr, {r.x, r.y, b, r.h}, topLeft, alpha);
    fillRect(cr, {r.x, r.y + r.h - b, r.w, b}, bottomRight, alpha);
    fillRect(cr, {r.x + r.w - b, r.y, b, r.h}, bottomRight, alpha);
}

void drawBanner(cairo_t* cr, std::string_view text, double cx, double cy, double s, double u) {
    BannerPose p = bannerAt(u);
    if (p.alpha <= 0) return;
    double w = 260 * s * p.scale, h = 46 * s * p.scale;
    Rect box{cx - w / 2, cy - h / 2, w, h};
    fillRect(cr, box, kBanner, 0.72 * p.alpha);
    bevel(cr, box, std::max(2 * s, 2.0), theme::kBevelLight, theme::kBevelDark, p.alpha);

    TextStyle st;
    st.family = kFontMono;
    st.size = std::round(26 * s * p.scale);
    st.bold = true;
    st.upperCase = true;
    st.align = Align::Centre;
    // Long translations shrink to stay inside the banner.
    st.fitWidth = 240 * s * p.scale;
    st.minFit = 0.6;
    st.alpha = p.alpha;
    st.color = 0x000000;
    drawTextCentered(cr, cx + 1, cy, text, st);
    st.color = theme::kLightGold;
    drawTextCentered(cr, cx, cy, text, st);
}

} // namespace

void drawLevelUpFx(Ctx& ctx, std::string_view text, double t) {
    double u = t - kStart;
    if (u < 0) return;
    cairo_t* cr = ctx.cr;
    double s = ctx.uiScale;
    double cx = ctx.width / 2, cy = ctx.height / 2;
    SavedState keep(cr);
    drawRays(cr, cx, cy, s, u);
    drawRing(cr, cx, cy, s, u);
    drawSparks(cr, cx, cy, s, u);
    drawSparkles(cr, cx, cy, s, u);
    drawBanner(cr, text, cx, cy, s, u);
}

void drawXpGainBar(Ctx& ctx, const Rect& r, double from, double to, uint32_t color, double now, double start) {
    double fill = from, shimmer = 0;
    if (now > start) {
        double d = now - start;
        double k = std::max(0.0, 1 - d / 1.1);
        fill = from + (to - from) * (1 - k * k * k);
        if (d < 2) {
            double v = std::fmod(d, 0.4) / 0.2;
            if (v > 1) v = 2 - v;
            shimmer = 0.5 - 0.5 * std::cos(kPi * v);
        }
    }
    cairo_t* cr = ctx.cr;
    double b = std::max(2 * ctx.uiScale, 1.0);
    SavedState keep(cr);
    fillRect(cr, r, theme::kBarTrack);
    Rect bar{r.x + b, r.y + b, (r.w - 2 * b) * std::min(fill, 1.0), r.h - 2 * b};
    if (fill > 0 && bar.w > 0 && bar.h > 0) {
        fillRect(cr, bar, color);
        if (shimmer > 0) fillRect(cr, bar, 0xFFFFFF, 0.8 * shimmer);
    }
    bevel(cr, r, b, theme::kBevelDark, theme::kBevelLight, 1.0);
}

} // namespace ui

// The run's end as a picture: the crown and the party for a victory, the
// grave with the fallen heroes and rising souls under a storm for a defeat.
#include <algorithm>
#include <cmath>

#include "fx/win_fx.h"
#include "screens/runresult.h"
#include "fx/storm.h"
#include "ui/gpu.h"
#include "ui/sprite.h"
#include "ui/theme.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kStoneW = 66;
constexpr double kStoneH = 76;

// p runs 0..1..0 over a 5.2 s cycle.
double pulse(double t) {
    double p = std::fmod(t, 5.2) / 2.6;
    if (p > 1) p = 2 - p;
    return p;
}

} // namespace

void RunResultScreen::drawDefeatSky(Ctx& ctx) {
    stormBackdrop(ctx, &storm_, -1);
    const double p = pulse(ctx.now);
    // Over the storm and beneath all else, on the GPU layer like the storm: a
    // veil that pulses would otherwise change the whole overlay each frame.
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kDefeatSky, 0.28 + 0.18 * (1 - std::cos(kPi * p)) / 2);
    drawAsh(ctx);
}

void RunResultScreen::drawAsh(Ctx& ctx) {
    const double s = ctx.uiScale;
    const double t = ctx.now;
    for (int j = 0; j < 16; ++j) {
        const double delay = std::fmod(430.0 * j, 3800.0) / 1000;
        if (t < delay) continue;
        const double base = std::fmod(0.6180339887 * j + 0.07, 1.0) * ctx.width;
        const double period = (6400.0 + 1400.0 * (j % 5)) / 1000;
        const double q = std::fmod(t - delay, period) / period;
        const double side = (j % 3 + 3) * s;
        const double alpha = 0.7 * std::min(1.0, 1.5 * std::sin(kPi * q));
        if (alpha <= 0) continue;
        const double x = base + std::sin(2.5 * kPi * q + j) * (9.0 * (j % 4) + 18) * s;
        const double y = (900 * q - 8) * s;
        fillRect(ctx.cr, {x, y, side, side}, j % 4 == 0 ? theme::kConfettiOrange : theme::kConfettiGrey, alpha);
    }
}

void RunResultScreen::drawVictory(Ctx& ctx, double e) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const double cx = ctx.width / 2;
    const double cy = 0.42 * ctx.height - 20 * s;
    drawWinFx(ctx, cx, cy, e);
    for (int k = 0; k < 10; ++k) {
        SavedState keep(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, kPi / 5 * k + 2 * kPi * e / 9);
        fillRoundedRect(cr, {-2 * s, 23 * s, 4 * s, 58 * s}, 2 * s, kGold, 0.35);
    }
    const TextStyle crown{.family = kFontSans, .size = 64 * s, .color = kGold, .align = Align::Centre};
    drawShadowedTextTop(cr, cx, 0.42 * ctx.height - 64 * s, "♛", crown, {.dx = 3 * s, .dy = 3 * s});

    const double n = static_cast<double>(sprites_.size());
    double x = cx - (n * 48 * s + (n - 1) * 14 * s) / 2;
    for (std::size_t i = 0; i < sprites_.size(); ++i) {
        const int frame = static_cast<int>(2 * ctx.now + 0.5 * static_cast<double>(i)) % 2;
        drawSpriteCairo(cr, sprites_[i], x, 0.42 * ctx.height + 30 * s, 48 * s, 48 * s, nullptr, frame, false, 1.0);
        x += 62 * s;
    }
}

void RunResultScreen::drawGrave(Ctx& ctx, double e) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const double cx = ctx.width / 2;
    const Rect stone{cx - kStoneW / 2 * s, 0.42 * ctx.height - kStoneH / 2 * s, kStoneW * s, kStoneH * s};
    const double bottom = stone.y + stone.h;
    {
        SavedState keep(cr);
        roundedRectPath(cr, stone, 30 * s, 4 * s);  // round-shouldered on top, nearly square below
        setColor(cr, theme::kGraveStone);
        cairo_fill_preserve(cr);
        setColor(cr, theme::kGraveStoneEdge);
        cairo_set_line_width(cr, 3 * s);
        cairo_stroke(cr);
    }
    fillRoundedRect(cr, {cx - 5.5 * s, stone.y + 14 * s, 11 * s, 36 * s}, s, theme::kGraveCross);
    fillRoundedRect(cr, {cx - 16 * s, stone.y + 25 * s, 32 * s, 11 * s}, s, theme::kGraveCross);
    const Rect mound{cx - 48 * s, bottom - 4 * s, 96 * s, 16 * s};
    fillRoundedRect(cr, mound, 12 * s, theme::kGraveMound);
    strokeRoundedRect(cr, mound, 12 * s, 3 * s, theme::kGraveMoundEdge);
    drawFallen(ctx, stone);
    drawSouls(ctx, bottom, e);
}

// Even heroes lie left of the stone, odd ones right, outwards in turn.
void RunResultScreen::drawFallen(Ctx& ctx, const Rect& stone) {
    const double s = ctx.uiScale;
    for (std::size_t i = 0; i < sprites_.size(); ++i) {
        const bool left = i % 2 == 0;
        const double out = (34 + 52 * static_cast<double>(i / 2)) * s;
        const double x = left ? stone.x - out : stone.x + stone.w + out;
        const double y = stone.y + stone.h - 18 * s;
        SavedState keep(ctx.cr);
        cairo_translate(ctx.cr, x, y);
        cairo_rotate(ctx.cr, left ? -kPi / 2 : kPi / 2);
        drawSpriteCairo(ctx.cr, sprites_[i], -24 * s, -24 * s, 48 * s, 48 * s, nullptr, 0, false, 0.55);
    }
}

void RunResultScreen::drawSouls(Ctx& ctx, double stoneBottom, double e) {
    const double s = ctx.uiScale;
    const int n = std::max<int>(3, static_cast<int>(sprites_.size()));
    for (int j = 0; j < n; ++j) {
        const double start = 0.6 + 1.1 * j;
        if (e < start) continue;
        const double period = (3400.0 + 900.0 * (j % 3)) / 1000;
        const double q = std::fmod(e - start, period) / period;
        const double r = 1 - (1 - q) * (1 - q);
        const double f = 0.75 * std::sin(kPi * r);
        const double k = 0.7 + 0.5 * r;
        const double x = ctx.width / 2 + (j - n / 2.0) * 26 * s + 10 * s * std::sin(2.0 * j + 2 * kPi * r);
        const double y = stoneBottom + 30 * s - 84 * s * r;
        fillCircle(ctx.cr, x, y, 5 * s * k, theme::kSoulHead, 0.9 * f);
        fillRoundedRect(ctx.cr, {x - 2.5 * s * k, y + 3 * s * k, 5 * s * k, 12 * s * k}, 3 * s * k, theme::kSoulBody,
                        0.6 * f);
    }
}

} // namespace ui

#include "ui/widgets.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "ui/game_ui.h"
#include "ui/theme.h"
#include "ui/widget_base.h"

namespace ui {
namespace {

using namespace theme;

Rect scaledAbout(const Rect& r, double k) {
    const double w = r.w * k;
    const double h = r.h * k;
    return {r.x + (r.w - w) / 2, r.y + (r.h - h) / 2, w, h};
}

void drawArcadeGlow(cairo_t* cr, const Rect& body, double beat, double s) {
    for (int n = 3; n >= 1; --n) {
        const double grow = 4 * n * s * (0.7 + 0.3 * (beat + 1));
        const double alpha = (0.16 - 0.035 * n) * (0.5 + 0.45 * (beat + 1));
        strokeRoundedRect(cr, kit::grown(body, grow), 0, 3 * s, kLightGold, alpha);
    }
}

void drawArcadeBody(cairo_t* cr, const Rect& body, double s) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, body.y, 0, body.y + body.h);
    addColorStop(g, 0, lighten(kLightGold, 0.25));
    addColorStop(g, 0.5, kGold);
    addColorStop(g, 1, kDeepGold);
    cairo_rectangle(cr, body.x, body.y, body.w, body.h);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    drawBevel(cr, body, std::max(3 * s, 2.0), lighten(kLightGold, 0.4), kBevelDark, 1.0);
}

void drawDialog(Ctx& ctx, const DialogRects& d, const std::string& title, const std::string& message,
                const std::string& confirmLabel, const std::string& cancelLabel) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const Rect& p = d.panel;
    fillRect(cr, {0, 0, ctx.width, ctx.height}, 0x000000, 0.7);
    fillRoundedRect(cr, p, 18 * s, kParchment, 0.98);
    strokeRoundedRect(cr, p, 18 * s, 1.4 * s, kBrownBorder, 0.9);
    // Dark text: gold or cream on the parchment panel cannot be read.
    drawTextTop(
        cr, p.x + p.w / 2, p.y + 40 * s, title,
        TextStyle{
            .size = 20 * s, .bold = true, .color = kParchmentTitle, .align = Align::Centre, .fitWidth = p.w - 48 * s});
    TextStyle body{.size = 14 * s, .color = kDarkText, .align = Align::Centre};
    body.wrapWidth = p.w - 44 * s;
    drawTextTop(cr, p.x + 22 * s, p.y + 108 * s, message, body);

    const double bw = d.cancel.w;
    fillRoundedRect(cr, d.cancel, 12 * s, kHeaderBrown, ctx.hover(d.cancel) ? 1.0 : 0.85);
    strokeRoundedRect(cr, d.cancel, 12 * s, 1.2 * s, kBrownBorder, 0.9);
    drawTextIn(
        cr, d.cancel, cancelLabel,
        TextStyle{.size = 15 * s, .bold = true, .color = kCreamText, .align = Align::Centre, .fitWidth = bw - 16 * s});
    fillRoundedRect(cr, d.confirm, 12 * s, kGold, ctx.hover(d.confirm) ? 1.0 : 0.92);
    drawTextIn(
        cr, d.confirm, confirmLabel,
        TextStyle{.size = 15 * s, .bold = true, .color = 0xFDF6E8, .align = Align::Centre, .fitWidth = bw - 16 * s});
}

DialogAnswer dialogPointerAnswer(Ctx& ctx, const DialogRects& d) {
    if (!ctx.input.leftReleased || ctx.clickTaken) return DialogAnswer::Open;
    DialogAnswer answer = DialogAnswer::Open;
    if (ctx.hover(d.confirm)) answer = DialogAnswer::Confirmed;
    else if (ctx.hover(d.cancel) || !ctx.hover(d.panel)) answer = DialogAnswer::Cancelled;
    if (answer != DialogAnswer::Open) audio::play(audio::Sfx::Click);
    return answer;
}

DialogAnswer dialogKeyAnswer(const Ctx& ctx, DialogAnswer answer) {
    if (ctx.input.hasKey(SDLK_RETURN) || ctx.input.hasKey(SDLK_RETURN2)) answer = DialogAnswer::Confirmed;
    if (ctx.input.hasKey(SDLK_ESCAPE)) answer = DialogAnswer::Cancelled;
    return answer;
}

} // namespace

DialogRects confirmDialogRects(const Ctx& ctx) {
    const double s = ctx.uiScale;
    const double pw = std::min(ctx.width - 64 * s, 420 * s);
    const double ph = 240 * s;
    DialogRects d;
    d.panel = {(ctx.width - pw) / 2, (ctx.height - ph) / 2, pw, ph};
    const double bw = (pw - 60 * s) / 2;
    const double by = d.panel.y + ph - 66 * s;
    d.cancel = {d.panel.x + 20 * s, by, bw, 46 * s};
    d.confirm = {d.panel.x + 20 * s + bw + 20 * s, by, bw, 46 * s};
    return d;
}

bool menuButton(Ctx& ctx, const Rect& r, const std::string& text, bool gold) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const kit::Press p = kit::pressOf(ctx, r);
    {
        SavedState keep(cr);
        if (gold) fillRect(cr, r, kGold, p.pressed ? 0.7 : 1.0);
        else fillRect(cr, r, kDarkPanel, p.pressed ? 0.672 : 0.96);
        uint32_t light = gold ? kLightGold : kBevelLight;
        uint32_t dark = gold ? kDeepGold : kBevelDark;
        if (!gold && p.pressed) std::swap(light, dark);
        drawBevel(cr, r, std::max(3 * s, 2.0), light, dark, p.pressed ? 0.7 : 1.0);
        if (p.outlined()) strokeRoundedRect(cr, r, 0, 2 * s, kLightGold, 0.6);
        drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, text,
                         TextStyle{.size = std::min(0.42 * r.h, 18 * s),
                                   .bold = true,
                                   .color = gold ? kDarkText : kCreamText,
                                   .align = Align::Centre,
                                   .fitWidth = r.w - 24 * s});
    }
    return kit::takeButtonClick(ctx, r);
}

bool plainButton(Ctx& ctx, const Rect& r, const std::string& text, bool active) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    {
        SavedState keep(cr);
        if (active) {
            fillRect(cr, r, kGold, 1.0);
            strokeRoundedRect(cr, r, 0, 2 * s, kLightGold, 1.0);
        } else {
            fillRect(cr, r, kDarkPanel, ctx.hover(r) ? 1.0 : 0.85);
            strokeRoundedRect(cr, r, 0, 1.2 * s, kBrownBorder, 0.7);
        }
        drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, text,
                         TextStyle{.size = 15 * s,
                                   .bold = active,
                                   .color = active ? kDarkText : kCreamText,
                                   .align = Align::Centre,
                                   .fitWidth = r.w - 16 * s});
    }
    return kit::takeButtonClick(ctx, r);
}

bool arcadeStartButton(Ctx& ctx, const Rect& r, const std::string& title, const std::string& subtitle) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double beat = std::sin(3.2 * ctx.now);
    const kit::Press p = kit::pressOf(ctx, r);
    const Rect body = scaledAbout(r, (1 + 0.02 * beat) * (p.pressed ? 0.98 : 1.0));
    {
        SavedState keep(cr);
        drawArcadeGlow(cr, body, beat, s);
        drawArcadeBody(cr, body, s);
        if (p.hovered) strokeRoundedRect(cr, body, 0, 2 * s, kCreamText, 0.7);
        const double cx = body.x + body.w / 2;
        const double cy = body.y + body.h / 2;
        if (subtitle.empty()) {
            drawTextCentered(cr, cx, cy, title,
                             TextStyle{.size = std::round(std::min(0.52 * r.h, 24 * s)),
                                       .bold = true,
                                       .color = kDarkText,
                                       .align = Align::Centre,
                                       .fitWidth = r.w - 28 * s});
        } else {
            drawTextCentered(cr, cx, cy - 0.13 * body.h, title,
                             TextStyle{.size = std::round(std::min(0.4 * r.h, 24 * s)),
                                       .bold = true,
                                       .color = kDarkText,
                                       .align = Align::Centre,
                                       .fitWidth = r.w - 28 * s});
            drawTextCentered(cr, cx, cy + 0.22 * body.h, subtitle,
                             TextStyle{.size = std::round(std::min(0.24 * r.h, 14 * s)),
                                       .color = darken(kDeepGold, 0.35),
                                       .align = Align::Centre,
                                       .fitWidth = r.w - 28 * s});
        }
    }
    return kit::takeButtonClick(ctx, body);
}

bool letterButton(Ctx& ctx, const Rect& r, const std::string& letter, bool used) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double radius = std::min(0.45 * r.h, 16 * s);
    {
        SavedState keep(cr);
        const double fill = (!used && ctx.hover(r)) ? 0.8 : 0.6;
        fillRoundedRect(cr, r, radius, kParchment, fill);
        strokeRoundedRect(cr, r, radius, 1.2 * s, 0xFFFFFF, 0.4);
        drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, letter,
                         TextStyle{.size = std::min(0.5 * r.h, 20 * s),
                                   .bold = true,
                                   .color = used ? kMutedText : kCreamText,
                                   .align = Align::Centre});
    }
    if (used) return false;
    return kit::takeButtonClick(ctx, r);
}

bool toggleRow(Ctx& ctx, const Rect& r, const std::string& text, bool value) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    {
        SavedState keep(cr);
        drawText(cr, r.x, r.y + r.h / 2 - 10 * s, text,
                 TextStyle{.size = 15 * s, .color = kCreamText, .fitWidth = r.w - 110 * s});
        const Rect track{r.x + r.w - 58 * s, r.y + r.h / 2 - 14 * s, 52 * s, 28 * s};
        if (value) fillRoundedRect(cr, track, 14 * s, kGold, 1.0);
        else fillRoundedRect(cr, track, 14 * s, kParchment, 0.7);
        strokeRoundedRect(cr, track, 14 * s, 1.2 * s, 0xFFFFFF, 0.4);
        const double knobX = value ? track.x + track.w - 14 * s : track.x + 14 * s;
        fillCircle(cr, knobX, track.y + track.h / 2, 11 * s, 0xFFFFFF, 1.0);
    }
    return kit::takeButtonClick(ctx, r) ? !value : value;
}

double slider(Ctx& ctx, const Rect& r, double value) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    {
        SavedState keep(cr);
        const Rect track{r.x, r.y + r.h / 2 - 4 * s, r.w, 8 * s};
        fillRoundedRect(cr, track, 4 * s, kDarkerPanel, 0.95);
        const double fillW = r.w * std::clamp(value, 0.0, 1.0);
        if (fillW > 0) fillRoundedRect(cr, {track.x, track.y, fillW, track.h}, 4 * s, kGold, 1.0);
        fillCircle(cr, r.x + fillW, r.y + r.h / 2, 10 * s, kGold, 1.0);
        fillCircle(cr, r.x + fillW, r.y + r.h / 2, 6 * s, 0xFFFFFF, 1.0);
    }
    // The grab zone is wider than the track so the ends are easy to reach;
    // the press may have started anywhere.
    const Rect zone{r.x - 12 * s, r.y - 10 * s, r.w + 24 * s, r.h + 20 * s};
    if (!ctx.input.leftDown || r.w <= 0 || !ctx.hover(zone)) return value;
    ctx.clickTaken = true;
    return std::clamp((ctx.input.x - r.x) / r.w, 0.0, 1.0);
}

Rect backButtonRect(const Ctx& ctx, double barHeight) {
    const double s = ctx.uiScale;
    const double bar = barHeight <= 0 ? kHeaderHeight * s : barHeight;
    const double h = 34 * s;
    return {kit::isCompact(ctx) ? 12 * s : 16 * s, std::max((bar - h) / 2, 4 * s), 130 * s, h};
}

bool backButton(Ctx& ctx, double barHeight) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const Rect r = backButtonRect(ctx, barHeight);
    {
        SavedState keep(cr);
        const bool hovered = ctx.hover(r);
        fillRect(cr, r, kDarkPanel, hovered ? 1.0 : 0.9);
        strokeRoundedRect(cr, r, 0, 1.2 * s, hovered ? kLightGold : kBrownBorder, hovered ? 0.95 : 0.85);
        const double cy = r.y + r.h / 2;
        drawChevronIcon(cr, r.x + 14 * s, cy, std::min(0.42 * 34 * s, 11 * s), 3, kGold, 1.0);
        const std::string text = i18n::tr("common.back");
        const TextStyle st{
            .size = std::min(0.44 * 34 * s, 15 * s), .bold = true, .color = kCreamText, .fitWidth = 130 * s - 30 * s};
        double th = 0;
        measureText(cr, text, st, nullptr, &th);
        drawText(cr, r.x + 24 * s, cy - th / 2, text, st);
    }
    return kit::takeButtonClick(ctx, r);
}

DialogAnswer confirmDialog(Ctx& ctx, const std::string& title, const std::string& message, const std::string& confirmLabel,
                  const std::string& cancelLabel) {
    ctx.beginModal();
    const DialogRects d = confirmDialogRects(ctx);
    {
        SavedState keep(ctx.cr);
        drawDialog(ctx, d, title, message, confirmLabel, cancelLabel);
    }
    const DialogAnswer answer = dialogKeyAnswer(ctx, dialogPointerAnswer(ctx, d));
    ctx.endModal(answer == DialogAnswer::Open);
    return answer;
}

} // namespace ui

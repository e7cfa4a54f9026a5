// Small vector icons.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "platform/i18n.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace ui {
namespace {



struct Pt {
    double x, y;
};

void polygon(cairo_t* cr, std::initializer_list<Pt> pts) {
    bool first = true;
    for (const Pt& p : pts) {
        if (first) cairo_move_to(cr, p.x, p.y);
        else cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr);
}

void strokePath(cairo_t* cr, double width, uint32_t color, double alpha) {
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void roundStrokes(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

// A drop from (cx, top) to (cx, bottom), symmetric about x = cx: the right
// side bends through the two controls (cx + dx1, y1) and (cx + dx2, y2).
void dropPath(cairo_t* cr, double cx, double top, double bottom, double dx1, double y1, double dx2, double y2) {
    cairo_move_to(cr, cx, top);
    cairo_curve_to(cr, cx + dx1, y1, cx + dx2, y2, cx, bottom);
    cairo_curve_to(cr, cx - dx2, y2, cx - dx1, y1, cx, top);
    cairo_close_path(cr);
}

// Ten points around (cx, cy), alternating the outer and the inner radius,
// starting straight up.
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner) {
    for (int k = 0; k < 10; ++k) {
        const double a = (-90.0 + 36.0 * k) * kDegree;
        const double rad = (k % 2 == 0) ? outer : inner;
        const double x = cx + rad * std::cos(a);
        const double y = cy + rad * std::sin(a);
        if (k == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void poisonGlyph(cairo_t* cr, double cx, double cy, double r, uint32_t color, double alpha) {
    dropPath(cr, cx, cy - r, cy + r, r, cy - 0.1 * r, 0.75 * r, cy + r);
    fillPath(cr, color, alpha);
}

void burnGlyph(cairo_t* cr, double cx, double cy, double r, uint32_t color, double alpha) {
    dropPath(cr, cx, cy - r, cy + r, 0.9 * r, cy - 0.1 * r, 0.55 * r, cy + r);
    fillPath(cr, color, alpha);
    dropPath(cr, cx, cy - 0.25 * r, cy + 0.85 * r, 0.45 * r, cy + 0.15 * r, 0.28 * r, cy + 0.85 * r);
    fillPath(cr, theme::lighten(color, 0.5), alpha);
}

// Both bars go into one path so that a translucent plus has no darker middle.
void regenGlyph(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    const double r = size / 2;
    const double t = std::max(0.16 * size, 1.5);
    cairo_rectangle(cr, cx - t / 2, cy - r, t, size);
    cairo_rectangle(cr, cx - r, cy - t / 2, size, t);
    fillPath(cr, color, alpha);
}

void stunGlyph(cairo_t* cr, double cx, double cy, double r, uint32_t color, double alpha) {
    const double k = 0.28 * r;
    polygon(cr, {{cx, cy - r}, {cx + k, cy - k}, {cx + r, cy}, {cx + k, cy + k},
                 {cx, cy + r}, {cx - k, cy + k}, {cx - r, cy}, {cx - k, cy - k}});
    fillPath(cr, color, alpha);
}

void shieldGlyph(cairo_t* cr, double cx, double cy, double r, uint32_t color, double alpha) {
    polygon(cr, {{cx, cy - r}, {cx + 0.85 * r, cy - 0.55 * r}, {cx + 0.7 * r, cy + 0.35 * r},
                 {cx, cy + r}, {cx - 0.7 * r, cy + 0.35 * r}, {cx - 0.85 * r, cy - 0.55 * r}});
    fillPath(cr, color, alpha);
}

} // namespace

void drawCoinIcon(cairo_t* cr, double cx, double cy, double size, double alpha) {
    SavedState saved(cr);
    const double r = size / 2;
    fillCircle(cr, cx, cy, r, theme::kDeepGold, alpha);
    fillCircle(cr, cx, cy, 0.82 * r, theme::kLightGold, alpha);
    fillCircle(cr, cx - 0.22 * r, cy - 0.22 * r, 0.28 * r, 0xFFF3C8, 0.8 * alpha);
}

void drawTriangleIcon(cairo_t* cr, double cx, double cy, double size, int direction, uint32_t color,
                      double alpha) {
    SavedState saved(cr);
    const double e = size / 2;
    switch (direction) {
    case 0: polygon(cr, {{cx, cy - e}, {cx - e, cy + 0.7 * e}, {cx + e, cy + 0.7 * e}}); break;
    case 1: polygon(cr, {{cx + e, cy}, {cx - 0.7 * e, cy - e}, {cx - 0.7 * e, cy + e}}); break;
    case 2: polygon(cr, {{cx, cy + e}, {cx - e, cy - 0.7 * e}, {cx + e, cy - 0.7 * e}}); break;
    default: polygon(cr, {{cx - e, cy}, {cx + 0.7 * e, cy - e}, {cx + 0.7 * e, cy + e}}); break;
    }
    fillPath(cr, color, alpha);
}

void drawChevronIcon(cairo_t* cr, double cx, double cy, double size, int direction, uint32_t color,
                     double alpha) {
    SavedState saved(cr);
    const double e = 0.32 * size;
    const double d = direction == 1 ? -e / 2 : e / 2;
    roundStrokes(cr);
    cairo_move_to(cr, cx + d, cy - e);
    cairo_line_to(cr, cx - d, cy);
    cairo_line_to(cr, cx + d, cy + e);
    strokePath(cr, std::max(0.14 * size, 1.8), color, alpha);
}

void drawPauseIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    SavedState saved(cr);
    const double bw = 0.22 * size;
    const double bh = 0.74 * size;
    const double top = cy - 0.37 * size;
    roundedRectPath(cr, {cx - 0.08 * size - bw, top, bw, bh}, 0.35 * bw);
    roundedRectPath(cr, {cx + 0.08 * size, top, bw, bh}, 0.35 * bw);
    fillPath(cr, color, alpha);
}

void drawShuffleIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    SavedState saved(cr);
    const double r = size / 2;
    const double hi = cy - 0.55 * r;
    const double lo = cy + 0.55 * r;
    roundStrokes(cr);
    cairo_move_to(cr, cx - r, hi);
    cairo_curve_to(cr, cx - 0.2 * r, hi, cx + 0.2 * r, lo, cx + 0.75 * r, lo);
    cairo_move_to(cr, cx - r, lo);
    cairo_curve_to(cr, cx - 0.2 * r, lo, cx + 0.2 * r, hi, cx + 0.75 * r, hi);
    strokePath(cr, std::max(0.11 * size, 1.6), color, alpha);
    for (double y0 : {hi, lo})
        polygon(cr, {{cx + 0.35 * r, y0 - 0.3 * r}, {cx + 0.8 * r, y0}, {cx + 0.35 * r, y0 + 0.3 * r}});
    fillPath(cr, color, alpha);
}

void drawStarIcon(cairo_t* cr, double cx, double cy, double size, bool filled, uint32_t color, double alpha) {
    SavedState saved(cr);
    const double r = size / 2;
    const double width = std::max(0.12 * size, 1.0);
    cairo_translate(cr, cx, cy);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    starPath(cr, 0, 0, r, 0.42 * r);
    if (filled) {
        setColor(cr, color, alpha);
        cairo_fill_preserve(cr);
        strokePath(cr, width, theme::lighten(color, 0.5), 0.9 * alpha);
    } else {
        strokePath(cr, width, color, 0.45 * alpha);
    }
}

void drawRuneMark(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    SavedState saved(cr);
    const double r = size / 2, k = 0.3 * r;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - r);
    cairo_line_to(cr, cx + k, cy - k);
    cairo_line_to(cr, cx + r, cy);
    cairo_line_to(cr, cx + k, cy + k);
    cairo_line_to(cr, cx, cy + r);
    cairo_line_to(cr, cx - k, cy + k);
    cairo_line_to(cr, cx - r, cy);
    cairo_line_to(cr, cx - k, cy - k);
    cairo_close_path(cr);
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

double drawMarkedText(cairo_t* cr, double x, double y, const std::string& text, const TextStyle& st) {
    // As large as the letters come out (raised to a readable size, see ui/draw.h).
    TextStyle unfitted = st;
    unfitted.fitWidth = 0;
    const double size = fittedSize(cr, text, unfitted);
    const double mark = 0.95 * size, gap = 0.35 * size;
    TextStyle line = st;
    line.align = Align::Left;
    if (line.fitWidth > 0) line.fitWidth = std::max(line.fitWidth - mark - gap, 1.0);
    double tw = 0, th = 0;
    measureText(cr, text, line, &tw, &th);
    const double cy = y + 0.55 * th;
    if (i18n::currentIsRtl()) {
        drawText(cr, x, y, text, line);
        drawRuneMark(cr, x + tw + gap + mark / 2, cy, mark, st.color, st.alpha);
    } else {
        drawRuneMark(cr, x + mark / 2, cy, mark, st.color, st.alpha);
        drawText(cr, x + mark + gap, y, text, line);
    }
    return mark + gap + tw;
}

void drawLockIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    SavedState saved(cr);
    const Rect body{cx - 0.31 * size, cy - 0.11 * size, 0.62 * size, 0.5 * size};
    fillRoundedRect(cr, body, 0.1 * size, color, alpha);
    roundStrokes(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, body.y - 0.02 * size, 0.32 * body.w, kPi, 2 * kPi);
    strokePath(cr, std::max(0.1 * size, 1.6), color, alpha);
    fillCircle(cr, body.x + body.w / 2, body.y + body.h / 2, 0.075 * size, theme::kParchment, alpha);
}

void drawClockIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha) {
    SavedState saved(cr);
    const double big = 0.42 * size;
    const double w = std::max(0.09 * size, 1.4);
    strokeCircle(cr, cx, cy, big, w, color, alpha);
    roundStrokes(cr);
    cairo_move_to(cr, cx, cy - 0.55 * big);
    cairo_line_to(cr, cx, cy);
    cairo_line_to(cr, cx + 0.42 * big, cy + 0.18 * big);
    strokePath(cr, w, color, alpha);
}

void drawStatusIcon(cairo_t* cr, rpg::StatusKind kind, double cx, double cy, double size, uint32_t color,
                    double alpha) {
    const double r = size / 2;
    SavedState saved(cr);
    switch (kind) {
    case rpg::StatusKind::Poison: poisonGlyph(cr, cx, cy, r, color, alpha); break;
    case rpg::StatusKind::Burn: burnGlyph(cr, cx, cy, r, color, alpha); break;
    case rpg::StatusKind::Regen: regenGlyph(cr, cx, cy, size, color, alpha); break;
    case rpg::StatusKind::Stun: stunGlyph(cr, cx, cy, r, color, alpha); break;
    case rpg::StatusKind::AtkUp:
    case rpg::StatusKind::DefUp: drawTriangleIcon(cr, cx, cy, size, 0, color, alpha); break;
    case rpg::StatusKind::Slow:
    case rpg::StatusKind::AtkDown:
    case rpg::StatusKind::DefDown: drawTriangleIcon(cr, cx, cy, size, 2, color, alpha); break;
    case rpg::StatusKind::Shield: shieldGlyph(cr, cx, cy, r, color, alpha); break;
    default: break;  // a kind from a newer or damaged source: no glyph
    }
}

void starRating(cairo_t* cr, double cx, double cy, double starSize, int filled, int count, double progress) {
    if (count < 1) return;
    SavedState saved(cr);
    const double gap = 0.35 * starSize;
    const double x0 = cx - ((count - 1) * gap + count * starSize) / 2 + starSize / 2;
    const int gold = std::min(filled, count);
    const double width = std::max(0.06 * starSize, 1.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < count; ++i) {
        double a = count * progress - i;
        if (a <= 0) continue;
        a = std::min(a, 1.0);
        // A star grows in from 70 % as the progress reaches it.
        const double outer = (a >= 1 ? 1.0 : 0.7 + 0.3 * a) * starSize / 2;
        starPath(cr, x0 + i * (starSize + gap), cy, outer, 0.42 * outer);
        if (i < gold) {
            setColor(cr, theme::kGold, a);
            cairo_fill_preserve(cr);
            strokePath(cr, width, 0xFFF2B0, 0.9 * a);
        } else {
            strokePath(cr, width, theme::kMutedText, 0.35 * a);
        }
    }
}

} // namespace ui

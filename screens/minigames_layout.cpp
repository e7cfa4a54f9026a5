// Where the minigames draw: the play area under the table's rule box and
// the geometry of each game within it.
#include "screens/minigames_layout.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/theme.h"

namespace ui {

Rect minigamePlayArea(Ctx& ctx, double header, const std::string& info) {
    const double s = ctx.uiScale;
    double th = 0;
    measureText(ctx.cr, info,
                TextStyle{.size = 13 * ctx.uiScale,
                          .color = theme::kCreamText,
                          .align = Align::Centre,
                          .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)},
                nullptr, &th);
    // The rule box: 10s below the header, the text with 6s above and below.
    const double top = header + 10 * s + th + 12 * s + 14 * s;
    return {0, top, ctx.width, std::max(ctx.height - 140 * s - top, 120 * s)};
}

CoinLayout coinLayout(double w, double h, double s, const Rect& area, bool finished) {
    CoinLayout L;
    L.diameter = std::clamp(std::min(h, w) * 0.26, 72 * s, 120 * s);
    const double D = L.diameter;
    L.throwHeight = 1.9 * D;
    const double reach = 1.3 * D + L.throwHeight;
    const double below = finished ? 28 * s : (12 + 76 + 48) * s;
    L.coinY = std::max((area.h - reach - below) / 2, 0.0) + area.y + reach - 0.5 * D;
    const double top = L.coinY + 0.62 * D;
    for (int k = 0; k < 2; ++k) L.cards[k] = {0.5 * w - 150 * s - 9 * s + k * 168 * s, top, 150 * s, 76 * s};
    const double bw = std::min(320 * s, w - 48 * s);
    L.button = {0.5 * w - bw / 2, top + 88 * s, bw, 48 * s};
    return L;
}

DiceLayout diceLayout(double w, double s, const Rect& area) {
    DiceLayout L;
    L.die = std::max(std::min({(area.h - 70 * s - 18 * s - 88 * s) / 2, (w - 120 * s) / 5, 92 * s}), 34 * s);
    L.rowH = L.die + 44 * s;
    const double block = 18 * s + 2 * L.rowH + 70 * s;
    L.rogueY = std::max((area.h - block) / 2, 0.0) + area.y + 6 * s;
    L.playerY = L.rogueY + L.rowH + 18 * s;
    const double bw = std::min(320 * s, w - 48 * s);
    L.button = {0.5 * w - bw / 2, L.rogueY + 2 * L.rowH + 18 * s + 12 * s, bw, 48 * s};
    return L;
}

ShellLayout shellLayout(double w, double s, const Rect& area) {
    ShellLayout L;
    L.cupW = std::min(0.25 * (w - 80 * s), 76 * s);
    L.cupH = 1.21 * L.cupW;
    L.x = {0.5 * w - 1.55 * L.cupW, 0.5 * w, 0.5 * w + 1.55 * L.cupW};
    L.baseY = area.y + 0.78 * area.h;
    return L;
}

MemoryLayout memoryLayout(double w, double s, const Rect& area) {
    MemoryLayout L;
    L.w = w;
    L.s = s;
    L.gap = 10 * s;
    L.card = std::max(std::min({(area.h - 84 * s) / 3, (w - 62 * s) / 4, 116 * s}), 46 * s);
    L.top = area.y + std::max(0.5 * (area.h - (3 * L.card + 2 * L.gap + 56 * s)), 0.0);
    return L;
}

Rect MemoryLayout::cardRect(int i) const {
    const double left = 0.5 * w - 0.5 * (4 * card + 3 * gap);
    return {left + (i % 4) * (card + gap), top + 56 * s + (i / 4) * (card + gap), card, card};
}

WhackLayout whackLayout(double w, double s, const Rect& area, bool running) {
    WhackLayout L;
    L.w = w;
    L.gap = 12 * s;
    const double reserve = running ? 70 * s : 0;
    L.hole = std::max(std::min((std::min(area.h - reserve - L.gap, w - 32 * s) - 2 * L.gap) / 3, 132 * s), 54 * s);
    L.grid = 3 * L.hole + 2 * L.gap;
    L.top = area.y + std::max(0.5 * (area.h - L.grid - reserve), 0.0);
    const double bw = std::min(320 * s, w - 48 * s);
    L.button = {0.5 * w - bw / 2, L.top + L.grid + 16 * s, bw, 48 * s};
    return L;
}

Rect WhackLayout::holeRect(int i) const {
    return {0.5 * w - 0.5 * grid + (i % 3) * (hole + gap), top + (i / 3) * (hole + gap), hole, hole};
}

} // namespace ui

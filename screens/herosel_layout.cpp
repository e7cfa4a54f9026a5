// Where hero selection puts its class cards: as many columns as the width
// holds, the cards shrunk until two rows fit above the start button.
#include <algorithm>
#include <cmath>

#include "rules/classes.h"
#include "screens/herosel_layout.h"

namespace ui {

namespace {

constexpr double kCardHeight = 320;  // scaled
constexpr double kGap = 12;          // between cards, scaled

// The grid of cards at card scale c: its rows, columns and height.
struct Grid {
    double cw = 0, ch = 0, gap = 0, height = 0;
    int cols = 1;
};

Grid gridAt(double width, double s, double c) {
    Grid g;
    g.cw = std::min((width - 44 * s) / 2, 170 * c);
    g.ch = kCardHeight * c;
    g.gap = kGap * c;
    g.cols = std::max(1, static_cast<int>(std::floor((width - 32 * s + g.gap) / (g.cw + g.gap))));
    const int rows = (rpg::kClassCount + g.cols - 1) / g.cols;
    g.height = (rows - 1) * g.gap + rows * g.ch;
    return g;
}

} // namespace

HeroSelectLayout heroSelectLayout(const Ctx& ctx, double headerHeight) {
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double area = headerHeight + 28 * s;
    const double room = ctx.height - area - 80 * s;
    // At the usual window sizes two rows of full-size cards are taller than
    // the room above the start button, which would hide the last row's
    // texts behind it: the cards shrink (down to 80 %) until the grid fits.
    // Past that they keep that size and run off the bottom.
    double c = s;
    Grid g = gridAt(w, s, c);
    while (g.height > room && c > 0.8 * s + 1e-9) {
        c = std::max(0.8 * s, c - 0.01 * s);
        g = gridAt(w, s, c);
    }
    const double top = area + std::max(0.0, (room - g.height) / 2);

    HeroSelectLayout l;
    l.cardScale = c;
    for (int i = 0; i < rpg::kClassCount; ++i) {
        const int row = i / g.cols;
        const int inRow = std::min(g.cols, rpg::kClassCount - g.cols * row);
        const double left = w / 2 - ((inRow - 1) * g.gap + inRow * g.cw) / 2;
        l.cards.push_back({left + (i % g.cols) * (g.cw + g.gap), top + row * (g.ch + g.gap), g.cw, g.ch});
    }
    const double bw = std::min(420 * s, w - 32 * s);
    l.bottomBar = {w / 2 - bw / 2, ctx.height - 64 * s, bw, 48 * s};
    return l;
}


} // namespace ui

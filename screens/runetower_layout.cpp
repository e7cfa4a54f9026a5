#include "screens/runetower_layout.h"

#include <algorithm>
#include <cmath>

namespace ui {

RuneTowerLayout runeTowerLayout(double w, double h, double s, double headerH) {
    RuneTowerLayout lay;
    const double K = std::min(std::round(0.66 * w), w);
    lay.innerX = (w - K) / 2 + 16 * s;
    lay.innerW = K - 32 * s;
    lay.goldY = headerH + 4 * s;
    lay.introY = headerH + 32 * s;
    lay.circleHeadY = headerH + 54 * s;
    const double gy = headerH + 78 * s;
    const double cw = std::floor((lay.innerW - 12 * s) / 2);
    for (int i = 0; i < rpg::kStatCount; ++i) {
        lay.sockets[i] = {lay.innerX + (i % 2) * (cw + 12 * s), gy + (i / 2) * (76 * s + 12 * s), cw, 76 * s};
    }
    lay.bonus = {lay.innerX, gy + 354 * s, lay.innerW, 56 * s};
    lay.inventoryHeadY = lay.bonus.y + lay.bonus.h + 14 * s;
    const double top = lay.inventoryHeadY + 24 * s;
    lay.list = {lay.innerX, top, lay.innerW, std::max(0.0, h - lay.inventoryHeadY - 40 * s)};
    return lay;
}

Rect runeRowRect(const RuneTowerLayout& lay, int index, double s, double scroll) {
    return {lay.list.x, lay.list.y - scroll + 50 * s * index, lay.list.w - 8 * s, 44 * s};
}

// The sell button holds a word and a price ("Verkaufen 125") at a readable
// size in the smallest window.
Rect runeSocketButton(const Rect& row, double s) { return {row.x + row.w - 236 * s, row.y + 6 * s, 100 * s, 32 * s}; }

Rect runeSellButton(const Rect& row, double s) { return {row.x + row.w - 128 * s, row.y + 6 * s, 120 * s, 32 * s}; }

} // namespace ui

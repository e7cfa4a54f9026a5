#pragma once
// Where the rune tower puts its pieces below a header of height headerH:
// the column, the circle's eight sockets, the bonus panel and the scrolled
// list of stones. The screen draws with it and tests click with it.
#include <array>

#include "rules/stats.h"
#include "ui/rect.h"

namespace ui {

struct RuneTowerLayout {
    double innerX = 0;
    double innerW = 0;
    double goldY = 0;
    double introY = 0;
    double circleHeadY = 0;
    std::array<Rect, rpg::kStatCount> sockets{};  // in rune circle order
    Rect bonus;            // the active bonus panel
    double inventoryHeadY = 0;
    Rect list;             // the stones' visible area; rows take clicks only inside it
};

RuneTowerLayout runeTowerLayout(double w, double h, double s, double headerH);

// Stone i's row with the list scrolled by `scroll`, and its two buttons.
Rect runeRowRect(const RuneTowerLayout& lay, int index, double s, double scroll);
Rect runeSocketButton(const Rect& row, double s);
Rect runeSellButton(const Rect& row, double s);

} // namespace ui

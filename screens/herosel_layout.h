#pragma once
// Where hero selection puts its class cards and its bottom bar.
#include <vector>

#include "ui/app.h"

namespace ui {

struct HeroSelectLayout {
    std::vector<Rect> cards;  // one per class, in class order
    Rect bottomBar;           // the start button, or the note how many picks are missing
    double cardScale = 1;     // the scale the cards are drawn at (the UI scale, or less to fit)
};

// headerHeight: where the header bar ends.
HeroSelectLayout heroSelectLayout(const Ctx& ctx, double headerHeight);

} // namespace ui

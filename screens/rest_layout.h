#pragma once
// Where the rest screen puts its blocks, for the screen and for tests that
// click its buttons.
#include "ui/app.h"

namespace ui {

// The party panel: a column per hero, in units before the UI scale.
inline constexpr double kRestPanelHeight = 150;
inline constexpr double kRestColumn = 104;
inline constexpr double kRestColumnGap = 14;

struct RestLayout {
    Rect plate;      // the dark plate under the body text
    double bodyWrap = 0;  // the body text's wrap width; 0: one line
    Rect panel;      // the party panel
    Rect heal;
    Rect leave;
    bool decorated = false;  // the side margins hold the campfire and the fountain
    Rect fire;
    Rect fountain;
};

// The layout below a header of height `header` for `heroes` party heroes;
// measures the body text with ctx's cairo context.
RestLayout restLayout(Ctx& ctx, double header, int heroes);

} // namespace ui

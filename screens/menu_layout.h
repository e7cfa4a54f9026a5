#pragma once
// Where the main menu puts its column: title, accent bar, brand line,
// tagline and the wooden buttons, centred as one block in the window.
#include <vector>

#include "ui/app.h"

namespace ui {

struct MenuLayout {
    double titleSize = 0;  // base title size, already scaled
    double top = 0;        // top of the whole column
    double accentY = 0;    // top of the accent bar
    double brandY = 0;     // top of the brand line
    double taglineY = 0;
    double blockTop = 0;   // top of the first button
    double blockHeight = 0;
    // Play, New Game (only with a saved game), Settings, About, Leave.
    std::vector<Rect> buttons;
};

// saved: a game exists to continue (initialised progress with heroes).
MenuLayout menuLayout(const Ctx& ctx, bool saved);

} // namespace ui

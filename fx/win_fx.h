#pragma once
// The victory celebration of the minigames and the run summary.
#include "ui/app.h"

namespace ui {

// Turning rays, a glow, confetti thrown up and falling back, and rising
// sparkles around (x, y); t is the seconds since the win. Loops for as long
// as it is drawn.
void drawWinFx(Ctx& ctx, double x, double y, double t);

// The same celebration beneath the overlay (ui/beneath.h), for one that lies
// beneath everything else the frame draws: its rays, glow and confetti
// painted once and drawn turned and faded.
void drawWinFxBeneath(Ctx& ctx, double x, double y, double t);

} // namespace ui

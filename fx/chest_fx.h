#pragma once
// The treasure chest of the treasure screen: it bobs while it waits, and when
// it opens it shakes, flashes, throws its lid up and bursts with light and
// particles for as long as it is drawn.
#include <cstdint>

#include "ui/app.h"

namespace ui {

// (x, y) is the chest's anchor, size its scale on top of the UI scale; t is
// the seconds since the opening began and is ignored while the chest is not
// opening (it then bobs on the frame clock). quiet leaves out the burst and the
// particles; grand flashes to full white and throws the particles wider.
void drawChestFx(Ctx& ctx, double x, double y, double size, bool opening, double t, uint32_t color, bool quiet,
                 bool grand);

// Whether an opening chest stands at rest at t: its lid up, its flash gone
// and its burst steady, so that only the rays, sparkles and particles move.
bool chestFxAtRest(bool opening, double t);

// The chest at rest (t past chestFxAtRest's moment) as drawChestFx draws it,
// beneath the overlay (ui/beneath.h): the still parts painted once, the
// moving ones drawn from pictures. The caller clips it with beneath::Clip.
void drawChestFxBeneath(Ctx& ctx, double x, double y, double size, double t, uint32_t color, bool quiet, bool grand);

} // namespace ui

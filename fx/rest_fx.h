#pragma once
// The looping decorations of the campsite: a campfire and a fountain drawn
// with cairo in a square box, and crystal shards raining over the window as
// blits of small cached textures. All are stateless and move with the frame
// clock; particles are placed by fixed formulas of their index.
#include <cairo.h>

#include "ui/app.h"

namespace ui {

// The fire fills the square of side size whose top-left corner is (x, y).
void drawCampfire(const Ctx& ctx, double x, double y, double size);
// Same box convention as the campfire.
void drawFountain(const Ctx& ctx, double x, double y, double size);
// Shards over the whole window, or beside the band from keepLeft to
// keepRight (the column of texts and buttons, which they would cross:
// their layer lies under every plate); nothing without a GPU renderer.
void drawCrystalRain(const Ctx& ctx, double keepLeft = 0, double keepRight = 0);
// Texture painter of one shard: user points at its 0xRRGGBB colour. Paints a
// 96 by 96 box in the painter's logical units.
void paintCrystal(cairo_t* cr, void* user);

} // namespace ui

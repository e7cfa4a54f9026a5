#pragma once
// Drawing the built-in sprites: scaled with nearest-neighbour sampling,
// optionally recoloured, mirrored or as a white silhouette.
#include <cairo.h>

#include <cstdint>
#include <string>

#include "ui/sprites.h"

namespace ui {

// A recolouring from four 0xRRGGBB colours for the keys '1', '2', '3', 'e'.
pixel::Recolor recolorOf(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t ce, bool active = true);

// Paints the sprite into the rectangle on a cairo context; unknown names
// paint "slime". Builds the pixels on every call: meant for cached pictures.
void drawSpriteCairo(cairo_t* cr, const std::string& name, double x, double y, double w, double h,
                     const pixel::Recolor* recolor, int frame, bool mirror, double alpha);

} // namespace ui

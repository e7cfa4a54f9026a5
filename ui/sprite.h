#pragma once
// Drawing the built-in sprites: scaled with nearest-neighbour sampling,
// optionally recoloured, mirrored or as a white silhouette. The GPU forms
// cache each variant (sprite, recolouring, frame, silhouette) as a texture
// under its own key, so a variant is built and uploaded once; the cairo form
// builds the pixels on every call. Unknown names draw "slime".
#include <cairo.h>

#include <cstdint>
#include <string>

#include "ui/sprites.h"

namespace ui {

// A recolouring from four 0xRRGGBB colours for the keys '1', '2', '3', 'e'.
pixel::Recolor recolorOf(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t ce, bool active = true);

// Through the GPU layer, with the bottom centre at (x, y): the target is
// (x - w/2, y - h, w, h), rotated by angle degrees (clockwise) about that
// bottom centre. Nothing when w or h is not above 0 or no texture can be made.
void drawSpritePivot(const std::string& name, double x, double y, double w, double h, double angle, bool mirror,
                     double alpha, const pixel::Recolor* recolor, int frame, bool silhouette);
// Through the GPU layer into the rectangle (x, y, w, h), unrotated.
void drawSprite(const std::string& name, double x, double y, double w, double h, const pixel::Recolor* recolor,
                int frame, bool mirror, double alpha, bool silhouette);

// Paints the sprite into the rectangle on a cairo context. Builds the pixels
// on every call: meant for pictures that are themselves cached.
void drawSpriteCairo(cairo_t* cr, const std::string& name, double x, double y, double w, double h,
                     const pixel::Recolor* recolor, int frame, bool mirror, double alpha);

} // namespace ui

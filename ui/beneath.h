#pragma once
// Drawing beneath the overlay. Whatever is drawn through these calls lies
// under everything the frame's cairo overlay holds, in whatever order the
// calls come: the GPU layer is drawn first and the overlay laid over it. A
// caller uses them for what stands behind the interface and never covers it
// (scenery, rings, bursts, motes, the menu's title, pictures at rest) and
// draws on the overlay what must cover something.
//
// Among themselves the calls keep their order: a later one covers an earlier.
// Pictures are painted once, cached by the GPU layer under the caller's key
// (which must name everything the painter draws, size included) and blitted
// every frame; coordinates are logical units.
//
// Without a GPU layer (the gallery's sheets draw on a plain cairo surface)
// the same pictures are painted with cairo on the context's overlay in call
// order instead, so a sheet still shows them; in the game there always is a
// GPU layer.
#include <SDL.h>
#include <cairo.h>

#include <cstdint>
#include <string_view>

#include "ui/gpu.h"
#include "ui/rect.h"

namespace ui {
struct Ctx;
}

namespace ui::beneath {

// There is a GPU layer: what is drawn here goes beneath the overlay.
bool onGpu();

// A picture painted once at pw by ph pixels (the painter works in logical
// units on a surface of the GPU layer's pixel ratio), ready to be drawn any
// number of times in this frame at any size. Empty when pw or ph is below 1
// or the picture cannot be made.
class Picture {
public:
    Picture() = default;
    Picture(std::string_view key, int pw, int ph, GpuPainter painter, void* user);
    ~Picture();
    Picture(const Picture& other);
    Picture& operator=(const Picture& other);

    explicit operator bool() const { return texture_ || image_; }
    int pixelWidth() const { return pw_; }
    int pixelHeight() const { return ph_; }

private:
    friend struct Access;
    SDL_Texture* texture_ = nullptr;  // cached by the GPU layer
    cairo_surface_t* image_ = nullptr;  // without one: painted here
    int pw_ = 0, ph_ = 0;
};

// The picture stretched over r and faded by alpha.
void draw(const Ctx& ctx, const Picture& picture, const Rect& r, double alpha = 1.0);
// The picture with its colours multiplied by the tint's (a white picture
// shows its shape in the tint colour).
void drawTinted(const Ctx& ctx, const Picture& picture, const Rect& r, uint32_t tint, double alpha = 1.0);
// w by h centred on (cx, cy), turned about that centre (degrees, clockwise),
// flipped horizontally when mirror.
void drawTurned(const Ctx& ctx, const Picture& picture, double cx, double cy, double w, double h, double degrees,
                double alpha = 1.0, bool mirror = false);
// Stretched over r, flipped horizontally within it when mirror, and turned
// about the pivot (relative to r's top-left corner).
void drawPivoted(const Ctx& ctx, const Picture& picture, const Rect& r, double pivotX, double pivotY,
                 double degrees, double alpha = 1.0, bool mirror = false);
// Many tinted copies of one picture at once (see GpuQuad), each faded by
// alpha times its own fade.
void drawQuads(const Ctx& ctx, const Picture& picture, const GpuQuad* quads, int n, uint32_t tint,
               double alpha = 1.0);

// A picture that stays the same from frame to frame, its top-left corner at
// (r.x, r.y): the painter draws in units with that corner at the origin,
// within r's size. On the GPU layer it lands on the pixels it would cover
// drawn directly with cairo.
void still(const Ctx& ctx, std::string_view key, const Rect& r, GpuPainter painter, void* user, double alpha = 1.0);

// A plain rectangle.
void fill(const Ctx& ctx, const Rect& r, uint32_t color, double alpha = 1.0);

// What is drawn beneath while it lives keeps inside r.
class Clip {
public:
    Clip(const Ctx& ctx, const Rect& r);
    ~Clip();
    Clip(const Clip&) = delete;
    Clip& operator=(const Clip&) = delete;

private:
    cairo_t* cr_ = nullptr;  // without a GPU layer: the overlay, clipped
};

} // namespace ui::beneath

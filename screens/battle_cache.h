#pragma once
// Drawings of the battle floor that stay the same from frame to frame (a
// unit's status chips, its bars at rest) painted once into an image and then
// composited onto the overlay where they stand, at the same point of the
// frame's drawing order as before, so nothing changes layers. A dozen units
// would otherwise fill and stroke some hundred small shapes every frame.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/rect.h"

namespace ui::battle {

class PictureCache {
public:
    using Painter = void (*)(cairo_t* cr, const void* user);

    explicit PictureCache(std::size_t capacity = 160) : capacity_(capacity) {}

    // Draws what paint draws into area (user units of cr), from the picture
    // kept under key when there is one. The painter draws in cr's own units,
    // as it would draw directly; the key must name everything it draws. The
    // picture is kept per position on the pixel grid, scale and key, so it
    // lands on the pixels the painter would have touched. A transform that
    // rotates or skews, or an empty area, paints directly.
    void draw(cairo_t* cr, std::string_view key, const Rect& area, Painter paint, const void* user);
    template <class F>
    void draw(cairo_t* cr, std::string_view key, const Rect& area, const F& paint) {
        draw(cr, key, area, [](cairo_t* c, const void* u) { (*static_cast<const F*>(u))(c); }, &paint);
    }

    std::size_t entries() const { return pictures_.size(); }
    // How many pictures were painted into images (misses), for tests.
    std::size_t painted() const { return painted_; }
    void clear() { pictures_.clear(); }

private:
    struct FreeSurface {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct Picture {
        std::unique_ptr<cairo_surface_t, FreeSurface> surface;
        int x = 0, y = 0;  // device pixels of the image's top-left corner, relative to the key's grid
        std::uint64_t used = 0;
    };

    std::size_t capacity_;
    std::unordered_map<std::string, Picture> pictures_;
    std::uint64_t clock_ = 0;
    std::size_t painted_ = 0;
    std::string key_;
};

// The floor's pictures, for the life of the process (bounded).
PictureCache& floorPictures();

} // namespace ui::battle

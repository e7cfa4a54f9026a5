#pragma once
// The battle's texts drawn from rendered masks: each text is laid out once
// per style and pixel ratio and then painted in any colour and opacity (a
// float fades, a shadow is the same mask in black). A frame of a full battle
// shows some hundred names, numbers and labels; laying each out again every
// frame would cost more than the rest of the frame.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/draw.h"

namespace ui::battle {

class TextCache {
public:
    struct Size {
        double w = 0, h = 0;
    };

    // What ui::measureText gives for the text in the style.
    Size measure(cairo_t* cr, std::string_view text, const TextStyle& st);
    // As ui::drawText: top edge at y; x is the left edge, the centre or the
    // right edge by the style's alignment. Colour and opacity from the style.
    void draw(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st);
    // Centred on (x, y).
    void drawCentered(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st);
    // As draw, over the text's drop shadow.
    void drawShadowed(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st,
                      const TextShadow& shadow = {});

    // The text as it fits into maxW in the style (with its own fit width and
    // smallest shrink applied first): whole, or cut at a character and ended
    // with "…". Remembered, so a name laid out every frame is cut once.
    const std::string& elided(cairo_t* cr, std::string_view text, const TextStyle& st, double maxW);

    std::size_t entries() const { return masks_.size(); }

private:
    struct FreeSurface {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct Mask {
        std::unique_ptr<cairo_surface_t, FreeSurface> surface;
        Size size;
        double fontSize = 0;  // what the text was laid out at
        std::uint64_t used = 0;
    };

    const Mask& maskFor(cairo_t* cr, std::string_view text, const TextStyle& st);
    void paint(cairo_t* cr, const Mask& m, double x, double y, std::string_view text, std::uint32_t color,
               double alpha);
    void evictOld();

    std::unordered_map<std::string, Mask> masks_;
    std::unordered_map<std::string, std::string> cuts_;  // elided() by text, style and width
    std::uint64_t clock_ = 0;
    std::string key_;  // reused, so a lookup allocates nothing
};

} // namespace ui::battle

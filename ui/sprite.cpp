// Sprite drawing.
#include "ui/sprite.h"

#include <vector>

namespace ui {
namespace {

// Unknown names fall back to the slime so that a missing sprite still shows.
const pixel::Sprite* spriteOrSlime(const std::string& name) {
    const pixel::Sprite* s = pixel::find(name);
    return s ? s : pixel::find("slime");
}

} // namespace

pixel::Recolor recolorOf(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t ce, bool active) {
    constexpr std::uint32_t kOpaque = 0xFF000000u;
    return pixel::Recolor{active, c1 | kOpaque, c2 | kOpaque, c3 | kOpaque, ce | kOpaque};
}

void drawSpriteCairo(cairo_t* cr, const std::string& name, double x, double y, double w, double h,
                     const pixel::Recolor* recolor, int frame, bool mirror, double alpha) {
    const pixel::Sprite* s = spriteOrSlime(name);
    if (!s || !cr || w <= 0 || h <= 0) return;
    std::vector<std::uint32_t> px = pixel::buildArgb(*s, frame, recolor, false);
    cairo_surface_t* img = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(px.data()),
                                                               CAIRO_FORMAT_ARGB32, s->width, s->height,
                                                               s->width * 4);
    cairo_save(cr);
    cairo_translate(cr, mirror ? x + w : x, y);
    cairo_scale(cr, (mirror ? -w : w) / s->width, h / s->height);
    cairo_set_source_surface(cr, img, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    if (alpha < 1)
        cairo_paint_with_alpha(cr, alpha);
    else
        cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(img);
}

} // namespace ui

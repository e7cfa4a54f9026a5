// Sprite drawing.
#include "ui/sprite.h"

#include <cstdio>
#include <vector>

#include "ui/gpu.h"

namespace ui {
namespace {

// Unknown names fall back to the slime so that a missing sprite still shows.
const pixel::Sprite* spriteOrSlime(const std::string& name) {
    const pixel::Sprite* s = pixel::find(name);
    return s ? s : pixel::find("slime");
}

// The cache key names every choice that changes the pixels.
std::string textureKey(const pixel::Sprite& s, const pixel::Recolor* recolor, int frame, bool silhouette) {
    char key[160];
    constexpr std::uint32_t kRgb = 0xFFFFFFu;
    if (recolor && recolor->active)
        std::snprintf(key, sizeof key, "sp|%s|%06x%06x%06x%06x|%d|%d", s.name, unsigned(recolor->c1 & kRgb),
                      unsigned(recolor->c2 & kRgb), unsigned(recolor->c3 & kRgb), unsigned(recolor->ce & kRgb),
                      frame, silhouette ? 1 : 0);
    else
        std::snprintf(key, sizeof key, "sp|%s||%d|%d", s.name, frame, silhouette ? 1 : 0);
    return key;
}

// The cached texture of a sprite variant, built and uploaded on a miss.
SDL_Texture* textureFor(const std::string& name, const pixel::Recolor* recolor, int frame, bool silhouette) {
    const pixel::Sprite* s = spriteOrSlime(name);
    if (!s || !gpuRenderer()) return nullptr;
    const std::string key = textureKey(*s, recolor, frame, silhouette);
    if (SDL_Texture* tex = gpuCached(key, s->width, s->height)) return tex;
    const std::vector<std::uint32_t> px = pixel::buildArgb(*s, frame, recolor, silhouette);
    return gpuTextureRgba(key, s->width, s->height, px.data(), true);
}

} // namespace

void drawSpritePivot(const std::string& name, double x, double y, double w, double h, double angle, bool mirror,
                     double alpha, const pixel::Recolor* recolor, int frame, bool silhouette) {
    if (w <= 0 || h <= 0) return;
    SDL_Texture* tex = textureFor(name, recolor, frame, silhouette);
    if (!tex) return;
    gpuBlitPivot(tex, x - w / 2, y - h, w, h, w / 2, h, angle, mirror, alpha);
}

void drawSprite(const std::string& name, double x, double y, double w, double h, const pixel::Recolor* recolor,
                int frame, bool mirror, double alpha, bool silhouette) {
    if (w <= 0 || h <= 0) return;
    SDL_Texture* tex = textureFor(name, recolor, frame, silhouette);
    if (!tex) return;
    gpuBlitMirrored(tex, x + w / 2, y + h / 2, w, h, 0, mirror, alpha);
}

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

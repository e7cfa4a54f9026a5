#include "ui/beneath.h"

#include <algorithm>
#include <cmath>

#include "ui/app.h"
#include "ui/draw.h"

namespace ui::beneath {

struct Access {
    static SDL_Texture* texture(const Picture& p) { return p.texture_; }
    static cairo_surface_t* image(const Picture& p) { return p.image_; }
};

namespace {

// Without a GPU layer: the picture as its texture would hold it, painted
// the way the GPU layer paints one, then kept in plain pixels so that
// drawing it only has to stretch them.
cairo_surface_t* paintImage(int pw, int ph, GpuPainter painter, void* user) {
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
    if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(img);
        return nullptr;
    }
    cairo_surface_set_device_scale(img, gpuScale(), gpuScale());
    cairo_t* cr = cairo_create(img);
    if (painter) painter(cr, user);
    cairo_destroy(cr);
    cairo_surface_flush(img);
    cairo_surface_set_device_scale(img, 1, 1);
    return img;
}

// The image with every channel multiplied by the tint's, as the GPU
// modulates a texture's colour.
cairo_surface_t* tinted(cairo_surface_t* img, uint32_t tint) {
    const int w = cairo_image_surface_get_width(img), h = cairo_image_surface_get_height(img);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(out) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(out);
        return nullptr;
    }
    cairo_surface_flush(out);
    const int from = cairo_image_surface_get_stride(img), to = cairo_image_surface_get_stride(out);
    const unsigned char* src = cairo_image_surface_get_data(img);
    unsigned char* dst = cairo_image_surface_get_data(out);
    const uint32_t r = tint >> 16 & 0xFF, g = tint >> 8 & 0xFF, b = tint & 0xFF;
    auto mul = [](uint32_t p, int shift, uint32_t k) { return ((p >> shift & 0xFF) * k + 127) / 255 << shift; };
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(src + y * from);
        auto* o = reinterpret_cast<uint32_t*>(dst + y * to);
        for (int x = 0; x < w; ++x)
            o[x] = (in[x] & 0xFF000000u) | mul(in[x], 16, r) | mul(in[x], 8, g) | mul(in[x], 0, b);
    }
    cairo_surface_mark_dirty(out);
    return out;
}

// The image stretched over a w by h box whose top-left corner is at (x, y),
// flipped within the box, then turned about the pivot (relative to that
// corner), tinted and faded; sampled as the GPU samples a texture (linear,
// its edges held).
struct Placing {
    double x, y, w, h;
    double pivotX = 0, pivotY = 0, degrees = 0;
    bool flipX = false, flipY = false;
    const uint32_t* tint = nullptr;
    double alpha = 1;
};

void stretch(cairo_t* cr, cairo_surface_t* img, const Placing& p) {
    if (!cr || !img || !(p.w > 0) || !(p.h > 0) || !(p.alpha > 0)) return;
    cairo_surface_t* shown = p.tint ? tinted(img, *p.tint) : cairo_surface_reference(img);
    if (!shown) return;
    SavedState keep(cr);
    cairo_translate(cr, p.x + p.pivotX, p.y + p.pivotY);
    if (p.degrees != 0) cairo_rotate(cr, p.degrees * kDegree);
    cairo_translate(cr, p.w / 2 - p.pivotX, p.h / 2 - p.pivotY);
    cairo_scale(cr, p.flipX ? -1 : 1, p.flipY ? -1 : 1);
    cairo_translate(cr, -p.w / 2, -p.h / 2);
    cairo_rectangle(cr, 0, 0, p.w, p.h);
    cairo_clip(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(shown);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, cairo_image_surface_get_width(img) / p.w, cairo_image_surface_get_height(img) / p.h);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, std::min(1.0, p.alpha));
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(shown);
}

// A box of w by h centred on (cx, cy), turned about its centre.
Placing centred(double cx, double cy, double w, double h, double degrees = 0) {
    return {cx - w / 2, cy - h / 2, w, h, w / 2, h / 2, degrees};
}

} // namespace

bool onGpu() { return gpuRenderer() != nullptr; }

Picture::Picture(std::string_view key, int pw, int ph, GpuPainter painter, void* user) : pw_(pw), ph_(ph) {
    if (pw < 1 || ph < 1) return;
    if (onGpu()) texture_ = gpuTexture(key, pw, ph, painter, user);
    else image_ = paintImage(pw, ph, painter, user);
}

Picture::~Picture() {
    if (image_) cairo_surface_destroy(image_);
}

Picture::Picture(const Picture& other)
    : texture_(other.texture_), image_(other.image_ ? cairo_surface_reference(other.image_) : nullptr),
      pw_(other.pw_), ph_(other.ph_) {}

Picture& Picture::operator=(const Picture& other) {
    if (this == &other) return *this;
    if (image_) cairo_surface_destroy(image_);
    texture_ = other.texture_;
    image_ = other.image_ ? cairo_surface_reference(other.image_) : nullptr;
    pw_ = other.pw_;
    ph_ = other.ph_;
    return *this;
}

void draw(const Ctx& ctx, const Picture& picture, const Rect& r, double alpha) {
    if (SDL_Texture* tex = Access::texture(picture)) return gpuBlit(tex, r.x, r.y, r.w, r.h, alpha);
    Placing p{r.x, r.y, r.w, r.h};
    p.alpha = alpha;
    stretch(ctx.cr, Access::image(picture), p);
}

void drawTinted(const Ctx& ctx, const Picture& picture, const Rect& r, uint32_t tint, double alpha) {
    if (SDL_Texture* tex = Access::texture(picture)) return gpuBlitTinted(tex, r.x, r.y, r.w, r.h, tint, alpha);
    Placing p{r.x, r.y, r.w, r.h};
    p.tint = &tint;
    p.alpha = alpha;
    stretch(ctx.cr, Access::image(picture), p);
}

void drawTurned(const Ctx& ctx, const Picture& picture, double cx, double cy, double w, double h, double degrees,
                double alpha, bool mirror) {
    if (SDL_Texture* tex = Access::texture(picture))
        return gpuBlitMirrored(tex, cx, cy, w, h, degrees, mirror, alpha);
    Placing p = centred(cx, cy, w, h, degrees);
    p.flipX = mirror;
    p.alpha = alpha;
    stretch(ctx.cr, Access::image(picture), p);
}

void drawPivoted(const Ctx& ctx, const Picture& picture, const Rect& r, double pivotX, double pivotY,
                 double degrees, double alpha, bool mirror) {
    if (SDL_Texture* tex = Access::texture(picture))
        return gpuBlitPivot(tex, r.x, r.y, r.w, r.h, pivotX, pivotY, degrees, mirror, alpha);
    Placing p{r.x, r.y, r.w, r.h, pivotX, pivotY, degrees, mirror};
    p.alpha = alpha;
    stretch(ctx.cr, Access::image(picture), p);
}

void drawQuads(const Ctx& ctx, const Picture& picture, const GpuQuad* quads, int n, uint32_t tint, double alpha) {
    if (!quads || n <= 0) return;
    if (SDL_Texture* tex = Access::texture(picture)) return gpuBlitQuads(tex, quads, n, tint, alpha);
    for (int i = 0; i < n; ++i) {
        const GpuQuad& q = quads[i];
        Placing p = centred(q.cx, q.cy, q.w, q.h);
        p.flipX = q.flipX;
        p.flipY = q.flipY;
        p.tint = &tint;
        p.alpha = alpha * q.fade;
        stretch(ctx.cr, Access::image(picture), p);
    }
}

void still(const Ctx& ctx, std::string_view key, const Rect& r, GpuPainter painter, void* user, double alpha) {
    if (onGpu()) return gpuPicture(key, r.x, r.y, r.w, r.h, painter, user, alpha);
    cairo_t* cr = ctx.cr;
    if (!cr || !painter || !(r.w > 0) || !(r.h > 0) || !(alpha > 0) || !std::isfinite(r.x) || !std::isfinite(r.y))
        return;
    SavedState keep(cr);
    cairo_translate(cr, r.x, r.y);
    cairo_rectangle(cr, 0, 0, r.w, r.h);
    cairo_clip(cr);
    cairo_push_group(cr);
    painter(cr, user);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, std::min(1.0, alpha));
}

void fill(const Ctx& ctx, const Rect& r, uint32_t color, double alpha) {
    if (onGpu()) return gpuFillRect(r.x, r.y, r.w, r.h, color, alpha);
    if (ctx.cr && r.w > 0 && r.h > 0) fillRect(ctx.cr, r, color, std::clamp(alpha, 0.0, 1.0));
}

Clip::Clip(const Ctx& ctx, const Rect& r) {
    if (onGpu()) {
        gpuSetClip(r.x, r.y, r.w, r.h);
        return;
    }
    cr_ = ctx.cr;
    if (!cr_) return;
    cairo_save(cr_);
    cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
    cairo_clip(cr_);
}

Clip::~Clip() {
    if (cr_) cairo_restore(cr_);
    else gpuClearClip();
}

} // namespace ui::beneath

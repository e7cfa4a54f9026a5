#pragma once
// An image surface with a frame context on it, for drawing the effects in
// tests and reading back what they painted.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "tests/support/cairo_check.h"
#include "ui/app.h"

namespace fxtest {

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool empty() const { return right < left; }
};

class Canvas {
public:
    Canvas(int w, int h, double scale = 1.0) {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        ctx.cr = cairo_create(surface_);
        ctx.width = w;
        ctx.height = h;
        ctx.uiScale = scale;
    }
    ~Canvas() {
        cairo_destroy(ctx.cr);
        cairo_surface_destroy(surface_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }
    cairo_surface_t* surface() const { return surface_; }

    void clear() {
        cairo_save(ctx.cr);
        cairo_set_operator(ctx.cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(ctx.cr);
        cairo_restore(ctx.cr);
    }

    // Clears, runs the drawing and checks that it left the context as it
    // found it.
    void draw(const std::function<void()>& paint) {
        clear();
        auto before = cairocheck::snapshot(ctx.cr);
        paint();
        EXPECT_TRUE(cairocheck::unchanged(ctx.cr, before));
        cairo_surface_flush(surface_);
    }

    // Premultiplied ARGB of one pixel.
    uint32_t argb(int x, int y) const {
        const unsigned char* data = cairo_image_surface_get_data(surface_);
        int stride = cairo_image_surface_get_stride(surface_);
        return reinterpret_cast<const uint32_t*>(data + y * stride)[x];
    }
    int alpha(int x, int y) const { return static_cast<int>(argb(x, y) >> 24); }
    // 0xRRGGBB of an opaque pixel.
    uint32_t rgb(int x, int y) const { return argb(x, y) & 0xFFFFFF; }

    int painted() const { return cairocheck::paintedPixels(surface_); }

    Box paintedBox() const {
        Box b{width(), height(), -1, -1};
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (alpha(x, y) != 0) {
                    b.left = std::min(b.left, x);
                    b.right = std::max(b.right, x);
                    b.top = std::min(b.top, y);
                    b.bottom = std::max(b.bottom, y);
                }
        return b;
    }

    // Lowest painted row within the columns [from, to).
    int lowestRow(int from, int to) const {
        for (int y = height() - 1; y >= 0; --y)
            for (int x = from; x < to; ++x)
                if (alpha(x, y) != 0) return y;
        return -1;
    }

    bool samePixels(const Canvas& other) const {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (argb(x, y) != other.argb(x, y)) return false;
        return true;
    }

    ui::Ctx ctx;

private:
    cairo_surface_t* surface_ = nullptr;
};

// Channels of two opaque colours differ by at most tol.
inline bool nearColor(uint32_t a, uint32_t b, int tol = 2) {
    for (int shift : {16, 8, 0}) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(d) > tol) return false;
    }
    return true;
}

} // namespace fxtest

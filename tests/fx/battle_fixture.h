#pragma once
// Shared by the battle effect tests: a frame context over a cairo image
// surface whose every drawing call is checked for context hygiene, ink
// measurements, and a count of the shapes one call paints.
#include <cairo-svg.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/cairo_check.h"
#include "tests/ui/ui_fixture.h"
#include "ui/app.h"

namespace battlefx {

// Two colours that no effect mixes from on its own, and the stage's centre.
inline constexpr uint32_t kRed = 0xFF0000;
inline constexpr uint32_t kBlue = 0x0000FF;
inline constexpr double kCx = 320;
inline constexpr double kCy = 320;

struct Point {
    double x = 0;
    double y = 0;
};

class Stage {
public:
    explicit Stage(double scale = 1, int w = 640, int h = 640) : canvas_(w, h) {
        ctx_.cr = canvas_.cr;
        ctx_.width = w;
        ctx_.height = h;
        ctx_.uiScale = scale;
    }

    ui::Ctx& ctx() { return ctx_; }
    uitest::Canvas& canvas() { return canvas_; }

    // Clears the surface, runs one drawing call and checks that it left the
    // context as it found it (no path, same source, transform, line width).
    template <class Draw>
    void draw(Draw&& fn) {
        clear();
        const auto before = cairocheck::snapshot(ctx_.cr);
        fn(ctx_);
        EXPECT_TRUE(cairocheck::unchanged(ctx_.cr, before));
    }

    void clear() {
        cairo_save(ctx_.cr);
        cairo_set_operator(ctx_.cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(ctx_.cr);
        cairo_restore(ctx_.cr);
    }

    int painted() { return cairocheck::paintedPixels(canvas_.surface); }
    ui::Rect ink() { return canvas_.ink(); }
    int alpha(double x, double y) { return canvas_.alpha(static_cast<int>(x), static_cast<int>(y)); }

    // The coverage-weighted centre of the ink.
    Point centroid() {
        cairo_surface_flush(canvas_.surface);
        const int w = cairo_image_surface_get_width(canvas_.surface);
        const int h = cairo_image_surface_get_height(canvas_.surface);
        double sum = 0, sx = 0, sy = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double a = canvas_.alpha(x, y);
                sum += a;
                sx += a * (x + 0.5);
                sy += a * (y + 0.5);
            }
        }
        return sum > 0 ? Point{sx / sum, sy / sum} : Point{-1, -1};
    }

    // The summed premultiplied red, green and blue of every pixel.
    void channelSums(double* r, double* g, double* b) {
        cairo_surface_flush(canvas_.surface);
        *r = *g = *b = 0;
        const int w = cairo_image_surface_get_width(canvas_.surface);
        const int h = cairo_image_surface_get_height(canvas_.surface);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t p = canvas_.pixel(x, y);
                *r += (p >> 16) & 0xFF;
                *g += (p >> 8) & 0xFF;
                *b += p & 0xFF;
            }
        }
    }

    // The whole picture, for comparing two calls.
    std::string pixels() {
        cairo_surface_flush(canvas_.surface);
        const auto* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(canvas_.surface));
        return std::string(data, data + cairo_image_surface_get_stride(canvas_.surface) *
                                            cairo_image_surface_get_height(canvas_.surface));
    }

private:
    uitest::Canvas canvas_;
    ui::Ctx ctx_;
};

// What one call paints, recorded through a vector surface as SVG text
// (shapes drawn fully transparent are left out).
template <class Draw>
std::string paintedSvg(double scale, Draw&& fn) {
    std::string svg;
    auto sink = [](void* out, const unsigned char* data, unsigned int n) {
        static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), n);
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(sink, &svg, 640, 640);
    cairo_t* cr = cairo_create(surface);
    ui::Ctx ctx;
    ctx.cr = cr;
    ctx.width = ctx.height = 640;
    ctx.uiScale = scale;
    fn(ctx);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    return svg;
}

// The number of fills and strokes that one call paints.
template <class Draw>
int shapesPainted(double scale, Draw&& fn) {
    const std::string svg = paintedSvg(scale, fn);
    int count = 0;
    for (size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1)) ++count;
    return count;
}

// The figures that one call paints, whether each has a fill of its own or
// many share one: every closed outline counts, and a path with none (a
// circle or a ring) counts once.
template <class Draw>
int figuresPainted(double scale, Draw&& fn) {
    const std::string svg = paintedSvg(scale, fn);
    int count = 0;
    for (size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1)) {
        const size_t d = svg.find(" d=\"", at);
        const size_t end = svg.find('"', d + 4);
        int closed = 0;
        for (size_t z = svg.find('Z', d); z < end; z = svg.find('Z', z + 1)) ++closed;
        count += closed > 0 ? closed : 1;
    }
    return count;
}

} // namespace battlefx

#pragma once
// Context hygiene for drawing code: a drawing function must leave the cairo
// context as it found it (transform, clip, path, source, line width,
// operator) and without an error status. Take a snapshot before the call and
// compare after it:
//
//   auto before = cairocheck::snapshot(cr);
//   ui::drawSomething(cr, ...);
//   EXPECT_TRUE(cairocheck::unchanged(cr, before));
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace cairocheck {

struct Snapshot {
    cairo_matrix_t matrix{};
    double clip[4]{};
    cairo_pattern_t* source = nullptr;
    double lineWidth = 0;
    cairo_operator_t op = CAIRO_OPERATOR_OVER;
    double fontMatrixXX = 0;
};

inline Snapshot snapshot(cairo_t* cr) {
    Snapshot s;
    cairo_get_matrix(cr, &s.matrix);
    cairo_clip_extents(cr, &s.clip[0], &s.clip[1], &s.clip[2], &s.clip[3]);
    s.source = cairo_get_source(cr);
    s.lineWidth = cairo_get_line_width(cr);
    s.op = cairo_get_operator(cr);
    cairo_matrix_t fm;
    cairo_get_font_matrix(cr, &fm);
    s.fontMatrixXX = fm.xx;
    return s;
}

inline bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

inline ::testing::AssertionResult unchanged(cairo_t* cr, const Snapshot& before) {
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return ::testing::AssertionFailure() << "error status: " << cairo_status_to_string(cairo_status(cr));
    Snapshot now = snapshot(cr);
    const cairo_matrix_t& a = before.matrix;
    const cairo_matrix_t& b = now.matrix;
    if (!near(a.xx, b.xx) || !near(a.yx, b.yx) || !near(a.xy, b.xy) || !near(a.yy, b.yy) || !near(a.x0, b.x0) ||
        !near(a.y0, b.y0))
        return ::testing::AssertionFailure() << "transform changed";
    for (int i = 0; i < 4; ++i)
        if (!near(before.clip[i], now.clip[i])) return ::testing::AssertionFailure() << "clip changed";
    if (before.source != now.source) return ::testing::AssertionFailure() << "source changed";
    if (!near(before.lineWidth, now.lineWidth)) return ::testing::AssertionFailure() << "line width changed";
    if (before.op != now.op) return ::testing::AssertionFailure() << "operator changed";
    if (!near(before.fontMatrixXX, now.fontMatrixXX)) return ::testing::AssertionFailure() << "font size changed";
    cairo_path_t* path = cairo_copy_path(cr);
    const int pathData = path->num_data;
    cairo_path_destroy(path);
    if (pathData != 0) return ::testing::AssertionFailure() << "a path was left behind";
    return ::testing::AssertionSuccess();
}

// Bytes of an ARGB32 image surface that are not fully transparent.
inline int paintedPixels(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int n = 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) n += (row[x] >> 24) != 0;
    }
    return n;
}

} // namespace cairocheck

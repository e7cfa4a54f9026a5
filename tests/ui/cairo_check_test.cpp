#include <gtest/gtest.h>

#include "tests/support/cairo_check.h"

// The hygiene check itself must catch each kind of leak it claims to.
TEST(CairoCheck, CatchesEachLeak) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* cr = cairo_create(s);
    auto before = cairocheck::snapshot(cr);
    EXPECT_TRUE(cairocheck::unchanged(cr, before));

    struct Leak {
        const char* what;
        void (*apply)(cairo_t*);
    } leaks[] = {
        {"transform", [](cairo_t* c) { cairo_translate(c, 3, 0); }},
        {"clip", [](cairo_t* c) { cairo_rectangle(c, 0, 0, 4, 4); cairo_clip(c); }},
        {"source", [](cairo_t* c) { cairo_set_source_rgb(c, 1, 0, 0); }},
        {"path", [](cairo_t* c) { cairo_rectangle(c, 0, 0, 4, 4); }},
        {"line width", [](cairo_t* c) { cairo_set_line_width(c, 7); }},
        {"operator", [](cairo_t* c) { cairo_set_operator(c, CAIRO_OPERATOR_ADD); }},
    };
    for (const auto& leak : leaks) {
        cairo_save(cr);
        leak.apply(cr);
        EXPECT_FALSE(cairocheck::unchanged(cr, before)) << leak.what;
        cairo_new_path(cr);
        cairo_restore(cr);
        EXPECT_TRUE(cairocheck::unchanged(cr, before)) << leak.what;
    }
    EXPECT_EQ(cairocheck::paintedPixels(s), 0);
    cairo_rectangle(cr, 0, 0, 2, 2);
    cairo_fill(cr);
    EXPECT_EQ(cairocheck::paintedPixels(s), 4);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

#pragma once
// Shared by the interface tests: an asset directory that holds the source
// tree's fonts, registered once per process, and small pixel helpers for
// cairo image surfaces.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_env.h"
#include "ui/draw.h"

namespace uitest {

// The asset root: one under the test's temporary directory whose fonts link
// to the source tree's (so a test may take one away) and whose audio folder
// is the source tree's when it exists. An asset directory chosen by the
// environment is kept.
inline const std::string& assetRoot() {
    static const std::string root = [] {
        if (const char* env = std::getenv("VELMORANDINE_ASSET_DIR"); env && *env) return std::string(env);
        namespace fs = std::filesystem;
        const fs::path src = fs::path(VEL_SOURCE_DIR) / "assets";
        const fs::path dst = fs::path(testenv::root()) / "asset-root";
        fs::create_directories(dst / "assets" / "fonts");
        for (const auto& f : fs::directory_iterator(src / "fonts")) {
            fs::create_symlink(f.path(), dst / "assets" / "fonts" / f.path().filename());
        }
        if (fs::is_directory(src / "audio")) fs::create_directory_symlink(src / "audio", dst / "assets" / "audio");
        else fs::create_directories(dst / "assets" / "audio");
        setenv("VELMORANDINE_ASSET_DIR", dst.c_str(), 1);
        return dst.string();
    }();
    return root;
}

// Registers the bundled fonts once, before the first text of the process.
inline bool fontsReady() {
    static const bool ok = (assetRoot(), ui::registerBundledFonts());
    return ok;
}

// An ARGB32 image surface with its context, cleared to transparent.
struct Canvas {
    cairo_surface_t* surface;
    cairo_t* cr;
    Canvas(int w, int h)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface)) {}
    ~Canvas() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    uint32_t pixel(int x, int y) {
        cairo_surface_flush(surface);
        const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        return reinterpret_cast<const uint32_t*>(row)[x];
    }
    int alpha(int x, int y) { return static_cast<int>(pixel(x, y) >> 24); }

    // The bounding box of every pixel with some coverage; w = 0 when blank.
    ui::Rect ink() {
        cairo_surface_flush(surface);
        int w = cairo_image_surface_get_width(surface);
        int h = cairo_image_surface_get_height(surface);
        int x0 = w, y0 = h, x1 = -1, y1 = -1;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (alpha(x, y) == 0) continue;
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
        if (x1 < 0) return {};
        return {double(x0), double(y0), double(x1 - x0 + 1), double(y1 - y0 + 1)};
    }
};

} // namespace uitest

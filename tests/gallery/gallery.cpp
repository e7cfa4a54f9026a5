#include "tests/gallery/gallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace gallery {

std::string dir() {
    static const std::string d = [] {
        const char* env = std::getenv("VEL_GALLERY_DIR");
        std::string path = env && *env ? env : std::string(VEL_BINARY_DIR) + "/gallery";
        std::filesystem::create_directories(path);
        return path;
    }();
    return d;
}

void shoot(harness::ScreenHarness& h, const std::string& name) {
    const ui::Ctx& c = h.ctx();
    const std::string path =
        dir() + "/" + name + "-" + std::to_string(static_cast<int>(c.width)) + "x" +
        std::to_string(static_cast<int>(c.height)) + ".png";
    EXPECT_TRUE(h.writePng(path)) << path;
}

} // namespace gallery

// The splash as the program opens.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "ui/screens.h"

namespace {

TEST(SplashGallery, Opening) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        hs.start(ui::GameState{});
        hs.runFor(1.0);
        gallery::shoot(hs, "splash");
    }
}

} // namespace

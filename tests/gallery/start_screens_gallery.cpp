// Every start screen as VELMORANDINE_SCREEN opens it on a first start (empty
// stores, no run), after half a second: what a player sees who opens a screen
// directly.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "ui/screens.h"

namespace {

TEST(StartScreensGallery, FirstStart) {
    for (auto [w, h] : gallery::kSizes) {
        for (const ui::ScreenInfo& info : ui::screenTable()) {
            if (!info.startName) continue;
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            hs.start(*ui::startScreenFor(info.startName));
            hs.runFor(0.5);
            gallery::shoot(hs, std::string("start-") + info.startName);
        }
    }
}

} // namespace

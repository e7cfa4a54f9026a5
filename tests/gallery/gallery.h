#pragma once
// The gallery: pictures for a person to look at, not tests. `make gallery`
// builds and runs every sheet and says where the PNGs are; one family can be
// run alone with --gtest_filter (e.g. `build/vel_gallery --gtest_filter='Map*'`).
//
// A screen's pictures:
//   TEST(MapGallery, Depths) {
//       for (auto [w, h] : gallery::kSizes) {
//           harness::ScreenHarness hs(&ui::Game::instance(), w, h);
//           ... set up the stores, start the screen, run a few frames ...
//           gallery::shoot(hs, "map-depth0");   // map-depth0-1280x720.png
//       }
//   }
#include <string>
#include <utility>

#include "tests/support/screen_harness.h"

namespace gallery {

// The two window sizes every screen is pictured at: the usual one and the
// smallest the window allows.
inline constexpr std::pair<int, int> kSizes[] = {{1280, 720}, {860, 560}};

// The folder the PNGs go to: $VEL_GALLERY_DIR, else "<build>/gallery".
std::string dir();

// Writes both layers of the harness's last frame to "<dir>/<name>-<W>x<H>.png"
// and fails the sheet when the file cannot be written.
void shoot(harness::ScreenHarness& h, const std::string& name);

} // namespace gallery

#pragma once
// The gallery: pictures for a person to look at, not tests. `make gallery`
// builds and runs every sheet and says where the PNGs are; one family can be
// run alone with --gtest_filter (e.g. `build/tests/vel_gallery --gtest_filter='Map*'`).
//
// A screen's pictures:
//   TEST(MapGallery, Depths) {
//       for (auto [w, h] : gallery::kSizes) {
//           harness::ScreenHarness hs(&ui::Game::instance(), w, h);
//           ... set up the stores, start the screen, run a few frames ...
//           gallery::shoot(hs, "map-depth0");   // map-depth0-1280x720.png
//       }
//   }
//
// Drawings that are no screen (effects, widgets, icons) go on a contact
// sheet, one labelled cell per picture:
//   gallery::Sheet sheet(4, 2, 320, 240);
//   for (double t : moments)
//       sheet.draw(gallery::fmt("t = %.2f s", t), [&](ui::Ctx& c) { ui::drawWinFx(c, 160, 140, t); });
//   sheet.write("victory");                 // victory.png
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "tests/support/screen_harness.h"
#include "ui/app.h"
#include "ui/rect.h"
#include "ui/theme.h"

namespace gallery {

// The two window sizes every screen is pictured at: the usual one and the
// smallest the window allows.
inline constexpr std::pair<int, int> kSizes[] = {{1280, 720}, {860, 560}};

// The folder the PNGs go to: $VEL_GALLERY_DIR, else "<build>/gallery".
std::string dir();

// "<dir>/<name>.png".
std::string path(const std::string& name);

// Writes both layers of the harness's last frame to "<dir>/<name>-<W>x<H>.png"
// and fails the sheet when the file cannot be written.
void shoot(harness::ScreenHarness& h, const std::string& name);

// Writes an image surface to "<dir>/<name>.png"; fails the sheet when the
// file cannot be written.
void write(cairo_surface_t* image, const std::string& name);

// One number put into a label by a printf format.
std::string fmt(const char* format, double value);

using Painter = std::function<void(ui::Ctx&)>;

// A grid of equal cells on a dark sheet, filled left to right and row by row;
// each cell is a picture on the interface's dark ground under a label band.
class Sheet {
public:
    Sheet(int cols, int rows, int cellW, int cellH);
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // Paints the picture into the next cell, scaled to the cell when its size
    // differs, over the cell's ground.
    void add(const std::string& label, cairo_surface_t* picture);
    // Draws the next cell on a canvas of its own (so a full-screen flash stays
    // in the cell) at a UI scale and a frame time; fails the sheet when the
    // drawing leaves the context changed.
    void draw(const std::string& label, const Painter& paint, double now = 0, double scale = 1);
    // Starts the next cell: its ground and label. Returns where the picture
    // goes on the sheet, for drawing marks under it before place().
    ui::Rect next(const std::string& label);
    void place(cairo_surface_t* picture, const ui::Rect& cell);
    cairo_t* cr() { return cr_; }

    void write(const std::string& name);

    static constexpr int kGap = 4;
    static constexpr int kLabelH = 16;
    static constexpr uint32_t kGround = theme::kDarkerPanel;

private:
    int cols_, rows_, cellW_, cellH_;
    int cells_ = 0;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

} // namespace gallery

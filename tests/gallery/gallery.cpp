#include "tests/gallery/gallery.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/fx/canvas.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace gallery {
namespace {

// Says where the sheets went once every sheet ran.
class Report : public ::testing::Environment {
public:
    void TearDown() override { std::printf("gallery: the sheets are in %s\n", dir().c_str()); }
};

[[maybe_unused]] ::testing::Environment* const kReport = ::testing::AddGlobalTestEnvironment(new Report);

} // namespace

std::string dir() {
    static const std::string d = [] {
        const char* env = std::getenv("VEL_GALLERY_DIR");
        std::string path = env && *env ? env : std::string(VEL_BINARY_DIR) + "/gallery";
        std::filesystem::create_directories(path);
        return path;
    }();
    return d;
}

std::string path(const std::string& name) { return dir() + "/" + name + ".png"; }

void shoot(harness::ScreenHarness& h, const std::string& name) {
    const ui::Ctx& c = h.ctx();
    const std::string file = path(name + "-" + std::to_string(static_cast<int>(c.width)) + "x" +
                                  std::to_string(static_cast<int>(c.height)));
    EXPECT_TRUE(h.writePng(file)) << file;
}

void write(cairo_surface_t* image, const std::string& name) {
    const std::string file = path(name);
    EXPECT_EQ(cairo_surface_write_to_png(image, file.c_str()), CAIRO_STATUS_SUCCESS) << file;
}

std::string fmt(const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

Sheet::Sheet(int cols, int rows, int cellW, int cellH)
    : cols_(cols),
      rows_(rows),
      cellW_(cellW),
      cellH_(cellH),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, cols * (cellW + kGap) + kGap,
                                          rows * (cellH + kLabelH + kGap) + kGap)),
      cr_(cairo_create(surface_)) {
    uitest::fontsReady();
    cairo_set_source_rgb(cr_, 0.06, 0.04, 0.02);
    cairo_paint(cr_);
}

Sheet::~Sheet() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

ui::Rect Sheet::next(const std::string& label) {
    EXPECT_LT(cells_, cols_ * rows_) << "the sheet is full: " << label;
    const double x = kGap + (cells_ % cols_) * (cellW_ + kGap);
    const double y = kGap + (cells_ / cols_) * (cellH_ + kLabelH + kGap);
    ++cells_;
    ui::fillRect(cr_, {x, y, double(cellW_), double(cellH_ + kLabelH)}, kGround);
    ui::TextStyle text;
    text.size = 11;
    text.color = theme::kMutedText;
    text.fitWidth = cellW_ - 8;
    ui::drawText(cr_, x + 4, y + 2, label, text);
    return {x, y + kLabelH, double(cellW_), double(cellH_)};
}

void Sheet::place(cairo_surface_t* picture, const ui::Rect& cell) {
    const int w = cairo_image_surface_get_width(picture);
    const int h = cairo_image_surface_get_height(picture);
    ui::SavedState keep(cr_);
    cairo_rectangle(cr_, cell.x, cell.y, cell.w, cell.h);
    cairo_clip(cr_);
    cairo_translate(cr_, cell.x, cell.y);
    if (w != cellW_ || h != cellH_) cairo_scale(cr_, cell.w / w, cell.h / h);
    cairo_set_source_surface(cr_, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint(cr_);
}

void Sheet::add(const std::string& label, cairo_surface_t* picture) { place(picture, next(label)); }

void Sheet::draw(const std::string& label, const Painter& paint, double now, double scale) {
    fxtest::Canvas canvas(cellW_, cellH_, scale);
    canvas.ctx.now = now;
    canvas.draw([&] { paint(canvas.ctx); });
    add(label, canvas.surface());
}

void Sheet::write(const std::string& name) { gallery::write(surface_, name); }

} // namespace gallery

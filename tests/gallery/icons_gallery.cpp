// Every vector icon at several sizes on the interface's panel colour:
// icons.png.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/gallery/gallery.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace {

using Icon = std::function<void(cairo_t*, double cx, double cy, double size)>;

struct Row {
    std::string label;
    std::vector<Icon> icons;
};

constexpr double kCell = 56;
constexpr double kLabelW = 150;
constexpr double kZoom = 2;  // the sheet is drawn at twice the logical size
constexpr double kSizes[] = {8, 14, 24, 40};

// A sample colour per status kind.
constexpr uint32_t kStatusColours[] = {0x6FBF3A, 0xE8602C, 0x5ED36A, 0xFFE27A, 0x7FA8D8,
                                       0xE0483A, 0x4C8FE0, 0xB04A8A, 0x8A6A4A, 0x9AD0F0};

std::vector<Row> rows() {
    std::vector<Row> out;
    auto sized = [](const std::string& label, std::function<void(cairo_t*, double, double, double)> f) {
        Row r{label, {}};
        for (double s : kSizes) r.icons.push_back([f, s](cairo_t* cr, double x, double y, double) { f(cr, x, y, s); });
        return r;
    };
    out.push_back(sized("coin", [](cairo_t* cr, double x, double y, double s) { ui::drawCoinIcon(cr, x, y, s); }));
    for (int d : {0, 1, 2, 3})
        out.push_back(sized("triangle " + std::to_string(d), [d](cairo_t* cr, double x, double y, double s) {
            ui::drawTriangleIcon(cr, x, y, s, d, theme::kLightGold);
        }));
    for (int d : {1, 3})
        out.push_back(sized("chevron " + std::to_string(d), [d](cairo_t* cr, double x, double y, double s) {
            ui::drawChevronIcon(cr, x, y, s, d, theme::kGold);
        }));
    out.push_back(sized("pause", [](cairo_t* cr, double x, double y, double s) {
        ui::drawPauseIcon(cr, x, y, s, theme::kCreamText);
    }));
    out.push_back(sized("shuffle", [](cairo_t* cr, double x, double y, double s) {
        ui::drawShuffleIcon(cr, x, y, s, theme::kCreamText);
    }));
    out.push_back(sized("star filled", [](cairo_t* cr, double x, double y, double s) {
        ui::drawStarIcon(cr, x, y, s, true, theme::kGold);
    }));
    out.push_back(sized("star empty", [](cairo_t* cr, double x, double y, double s) {
        ui::drawStarIcon(cr, x, y, s, false, theme::kCreamText);
    }));
    out.push_back(sized("lock", [](cairo_t* cr, double x, double y, double s) {
        ui::drawLockIcon(cr, x, y, s, theme::kMutedText);
    }));
    out.push_back(sized("clock", [](cairo_t* cr, double x, double y, double s) {
        ui::drawClockIcon(cr, x, y, s, theme::kCreamText);
    }));
    for (int k = 0; k < 10; ++k)
        out.push_back(sized("status " + std::to_string(k), [k](cairo_t* cr, double x, double y, double s) {
            ui::drawStatusIcon(cr, static_cast<rpg::StatusKind>(k), x, y, s, kStatusColours[k]);
        }));
    Row rating{"rating 2 of 3", {}};
    for (double p : {0.2, 0.5, 0.8, 1.0})
        rating.icons.push_back([p](cairo_t* cr, double x, double y, double) { ui::starRating(cr, x, y, 13, 2, 3, p); });
    out.push_back(rating);
    return out;
}

TEST(IconGallery, EveryIconAtFourSizes) {
    ASSERT_TRUE(uitest::fontsReady());
    const auto all = rows();
    const int cols = static_cast<int>(std::size(kSizes));
    const double w = kLabelW + cols * kCell + 10;
    const double h = 30 + all.size() * kCell;
    uitest::Canvas sheet(static_cast<int>(w * kZoom), static_cast<int>(h * kZoom));
    cairo_t* cr = sheet.cr;
    cairo_scale(cr, kZoom, kZoom);
    ui::fillRect(cr, {0, 0, w, h}, theme::kDarkPanel);

    ui::TextStyle label;
    label.size = 12;
    label.color = theme::kMutedText;
    for (int c = 0; c < cols; ++c) {
        char text[16];
        std::snprintf(text, sizeof text, "%g", kSizes[c]);
        ui::drawTextCentered(cr, kLabelW + (c + 0.5) * kCell, 15, text, label);
    }
    for (size_t r = 0; r < all.size(); ++r) {
        const double y = 30 + r * kCell;
        ui::drawText(cr, 10, y + kCell / 2 - 8, all[r].label, label);
        for (size_t c = 0; c < all[r].icons.size(); ++c) {
            const ui::Rect cell{kLabelW + c * kCell, y, kCell, kCell};
            ui::fillRect(cr, {cell.x + 2, cell.y + 2, cell.w - 4, cell.h - 4}, theme::kDarkerPanel);
            all[r].icons[c](cr, cell.x + cell.w / 2, cell.y + cell.h / 2, 0);
        }
    }

    gallery::write(sheet.surface, "icons");
}

} // namespace

// Where the city hub's lines and cards stand.
#include <algorithm>
#include <cmath>

#include "screens/city_layout.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// Content of the scrolled column, in units of the UI scale: margin,
// greeting, party panel and gap, run card and five doors, heading, two rows
// of shops, bottom margin.
constexpr double kContent = 10 + 34 + 88 + 14 + 6 * (60 + 14) + 28 + 2 * 60 + 12 + 16;
constexpr double kCardH = 60;
constexpr double kCardStep = 60 + 14;

} // namespace

CityLayout cityLayout(double width, double height, double s, bool ascensionLine, double scroll) {
    CityLayout l;
    const double header = kHeaderHeight * s;
    l.goldY = header + 4 * s;
    double y = l.goldY + 26 * s;
    if (ascensionLine) {
        l.ascensionY = y;
        y += 18 * s;
    }
    const double column = std::min(std::round(0.66 * width), width);
    const double x0 = (width - column) / 2;
    l.view = {x0, y, column, height - y};
    l.contentHeight = kContent * s;
    l.innerX = x0 + 16 * s;
    l.innerW = column - 32 * s;
    l.contentTop = y + 10 * s - scroll;
    l.party = {l.innerX, l.contentTop + 34 * s, l.innerW, 88 * s};
    l.run = {l.innerX, l.party.y + 88 * s + 14 * s, l.innerW, kCardH * s};
    for (std::size_t i = 0; i < l.doors.size(); ++i) {
        l.doors[i] = {l.innerX, l.run.y + static_cast<double>(i + 1) * kCardStep * s, l.innerW, kCardH * s};
    }
    const double shopsTop = l.doors.back().y + kCardStep * s;
    l.headingY = shopsTop + 6 * s;
    const double cw = std::floor((l.innerW - 12 * s) / 2);
    for (std::size_t i = 0; i < l.shops.size(); ++i) {
        const double col = static_cast<double>(i % 2);
        const double row = static_cast<double>(i / 2);
        l.shops[i] = {l.innerX + col * (cw + 12 * s), shopsTop + 28 * s + row * 72 * s, cw, kCardH * s};
    }
    return l;
}

} // namespace ui

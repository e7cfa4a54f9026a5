#pragma once
// Where the city hub's lines and cards stand, for the screen and its tests.
#include <array>

#include "ui/rect.h"

namespace ui {

struct CityLayout {
    double goldY = 0;        // top of the gold line
    double ascensionY = 0;   // top of the ascension line, when there is one
    Rect view;               // the scrolled column
    double contentHeight = 0;
    double contentTop = 0;   // the greeting's top, moved by the scroll
    double innerX = 0;       // left edge of the cards
    double innerW = 0;       // width of the cards
    Rect party;
    Rect run;
    std::array<Rect, 5> doors;  // party, trainer, scroll shop, barracks, rune tower
    double headingY = 0;     // top of the shop heading
    std::array<Rect, 4> shops;  // weaponsmith, armourer, apothecary, tavern
};

// The layout of a width x height window at UI scale s; the ascension line
// (shown from the first won run on) moves everything below it down.
CityLayout cityLayout(double width, double height, double s, bool ascensionLine, double scroll);

} // namespace ui

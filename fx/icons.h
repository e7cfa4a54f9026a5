#pragma once
// The small flat icons on the city hub's place cards.
#include <cairo.h>

#include <cstdint>

namespace ui {

enum class CityIcon : uint32_t {
    Weaponsmith = 0,
    Armourer = 1,
    Apothecary = 2,
    Tavern = 3,
    Party = 4,
    Barracks = 5,
    Trainer = 6,  // also the scroll shop
    RuneTower = 7,
    Run = 8,      // start or continue the run: a card without an icon
};

// Draws the icon centred on (x, y), `size` across, with the card's accent
// colour; Run and any unknown value draw nothing.
void drawCityIcon(cairo_t* cr, CityIcon icon, double x, double y, double size, uint32_t accent);

} // namespace ui

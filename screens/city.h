#pragma once
// The city hub between runs: the lasting gold, the party, the card that
// starts or continues the run, and the cards of the buildings and shops.
// city.cpp draws it and follows its cards, city_layout.cpp places them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "fx/icons.h"
#include "screens/city_layout.h"
#include "ui/app.h"

namespace ui {

class CityScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

    // A building or shop behind a card: the screen it pushes.
    struct Door {
        const char* title;
        const char* desc;
        int screen;
        int subMode;  // the pushed entry's sub-mode: a shop's kind, else 0
        std::uint32_t colour;
        CityIcon icon;
    };

private:
    // What a card's click asked for, followed once the cards are drawn.
    struct Choice {
        bool run = false;            // start or continue the run
        const Door* door = nullptr;  // open a building or shop
    };

    void drawAscension(Ctx& ctx, const CityLayout& l, int ascension);
    // The cards inside the clipped column; the one clicked, if any.
    Choice drawCards(Ctx& ctx, const CityLayout& l);
    // One card per door in its rectangle; the door clicked, if any.
    const Door* doorCards(Ctx& ctx, std::span<const Door> doors, std::span<const Rect> rects);
    bool card(Ctx& ctx, const Rect& r, const std::string& title, const std::string& desc, bool highlight,
              CityIcon icon, std::uint32_t colour);
    static void apply(const Choice& choice);

    double scroll_ = 0;
};

} // namespace ui

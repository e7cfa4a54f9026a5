#pragma once
// Hero selection: one card per class; the player picks three and starts a
// new game with one fresh hero of each. herosel.cpp holds the frame and the
// cards, herosel_layout.cpp their places.
#include <optional>
#include <vector>

#include "rules/classes.h"
#include "ui/app.h"

namespace ui {

class HeroSelectScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

    static constexpr int kPicks = 3;

private:
    // The card's place in the pick order; none when not picked.
    std::optional<int> pickIndex(rpg::ClassId cls) const;
    void toggle(rpg::ClassId cls);
    // True when the start button was clicked.
    bool bottomBar(Ctx& ctx, const Rect& bar) const;
    void startGame() const;

    std::vector<rpg::ClassId> picks_;  // in pick order, no repeats
};

} // namespace ui

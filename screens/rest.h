#pragma once
// The campsite of a rest node: resting refills every hero of the run to the
// maxima they fight with, then the party moves on and the node is done. Its
// files: rest.cpp (the frame and the rest's timeline), rest_layout.cpp
// (where the blocks stand).
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "play/party.h"
#include "rules/hero.h"
#include "screens/rest_layout.h"
#include "ui/app.h"

namespace ui {

class RestScreen final : public Screen {
public:
    explicit RestScreen(const GameState& s);
    void update(Ctx& ctx) override;

private:
    // The button the player clicked this frame.
    enum class Choice { None, Heal, Leave };

    void drawBody(Ctx& ctx, const RestLayout& lay);
    void drawParty(Ctx& ctx, const Rect& panel, const std::vector<rpg::Hero*>& heroes);
    void drawHeroColumn(Ctx& ctx, double cx, double top, const rpg::Hero& hero);
    std::pair<double, double> shownValues(const rpg::Hero& hero, const play::Vitals& v, double now) const;
    Choice drawButtons(Ctx& ctx, const RestLayout& lay);
    void beginRest(double now);
    void stepHealing(double now);
    void advance();

    GameState state_;
    bool healing_ = false;
    bool healed_ = false;
    double healStart_ = 0;
    std::map<std::string, std::pair<double, double>> snapshot_;  // hero id: hit points, mana at the rest's start
};

} // namespace ui

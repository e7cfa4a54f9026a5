#pragma once
// The spell shop in its two forms: the scroll shop (a city door or a map
// shop node) and the trainer. trainer.cpp holds the frame and the lists,
// trainer_stock.cpp the stock, the prices and where the pieces lie.
#include <optional>
#include <string>
#include <vector>

#include "play/trade.h"
#include "rules/hero.h"
#include "rules/skills.h"
#include "screens/common.h"
#include "screens/trainer_stock.h"
#include "ui/app.h"

namespace ui {

class SpellShopScreen final : public Screen {
public:
    SpellShopScreen(const SpellShopOpts& opts, const GameState& state);
    void update(Ctx& ctx) override;

private:
    void drawLists(Ctx& ctx, const Rect& list, const SpellShopPlace& place);
    double section(Ctx& ctx, const Rect& list, double y, const char* headerKey,
                   const std::vector<const rpg::SkillDef*>& skills, const rpg::Hero& hero, bool learn,
                   const char* emptyKey, const SpellShopPlace& place);
    void drawRow(Ctx& ctx, const Rect& row, const rpg::SkillDef& skill, const rpg::Hero& hero, bool learn,
                 const SpellShopPlace& place);
    void buy(const play::SkillOffer& offer);
    void leave();

    SpellShopOpts opts_;
    GameState state_;
    std::string selected_;
    double scroll_ = 0;
    GoldPulse pulse_;
    std::optional<play::SkillOffer> pending_;  // a purchase found while the list was drawn
};

} // namespace ui

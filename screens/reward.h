#pragma once
// The reward after a won battle: the gold won, each hero's experience with
// its filling bar and level-up tag, and buttons to spend unspent stat
// points. The battle has already granted the experience and the gold; this
// screen only shows them and lets points be spent. Its files: reward.cpp
// (the frame, its sounds and what a click applies), reward_layout.cpp (cards
// and buttons), reward_cards.cpp (a hero's card).
#include <optional>
#include <string>

#include "rules/hero.h"
#include "rules/stats.h"
#include "screens/common.h"
#include "screens/reward_layout.h"
#include "ui/app.h"

namespace ui {

class RewardScreen final : public Screen {
public:
    explicit RewardScreen(const GameState& s);
    void update(Ctx& ctx) override;

private:
    // A stat button clicked on a hero's card.
    struct Pick {
        std::string heroId;
        rpg::StatId stat = rpg::MaxHp;
    };

    // --- Frame (reward.cpp) ---
    bool leveled() const;
    void playSounds(double elapsed);
    void drawGoldLine(Ctx& ctx);
    static void spendPoint(const Pick& pick);
    void moveOn();

    // --- Cards (reward_cards.cpp) ---
    std::optional<Pick> drawCardList(Ctx& ctx, double elapsed);
    void drawCard(Ctx& ctx, const Rect& card, const XpRow& row, double elapsed, int index, std::optional<Pick>* pick);
    void drawCardHead(Ctx& ctx, const Rect& card, const rpg::Hero& hero, const XpRow& row);
    void drawPointsBlock(Ctx& ctx, const Rect& card, const rpg::Hero& hero);
    void drawStatButtons(Ctx& ctx, const Rect& card, const rpg::Hero& hero, std::optional<Pick>* pick);

    GameState state_;
    OutcomeOpening opening_;
    double scroll_ = 0;
    bool xpSoundPlayed_ = false;
    bool levelSoundPlayed_ = false;
};

} // namespace ui

#include "screens/reward.h"

#include <algorithm>

#include "fx/levelup_fx.h"
#include "fx/scene.h"
#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kXpSoundAt = 0.32;
constexpr double kLevelSoundAt = 0.95;

} // namespace

RewardScreen::RewardScreen(const GameState& s) : state_(s) {}

void RewardScreen::update(Ctx& ctx) {
    const double elapsed = opening_.elapsed(ctx.now);
    OutcomeOpening::backdrop(ctx, kSceneDarkGold, 12);
    playSounds(elapsed);
    const double s = ctx.uiScale;
    OutcomeOpening::title(ctx, 8 * s, i18n::tr("battle.victory"), 24 * s, kLightGold);
    drawGoldLine(ctx);
    const std::optional<Pick> pick = drawCardList(ctx, elapsed);
    if (leveled()) drawLevelUpFx(ctx, i18n::tr("reward.levelUp"), elapsed);
    const Rect next = rewardContinueButton(ctx.width, ctx.height, s);
    const bool moveOnAsked = menuButton(ctx, next, i18n::tr("reward.continue"), true) || ctx.input.hasKey(key::kReturn);
    // Apply: a spent point, then the way on.
    if (pick) spendPoint(*pick);
    if (moveOnAsked) moveOn();
}

bool RewardScreen::leveled() const {
    return std::any_of(state_.xpRows.begin(), state_.xpRows.end(),
                       [](const XpRow& r) { return r.levelAfter > r.levelBefore; });
}

void RewardScreen::playSounds(double elapsed) {
    if (elapsed >= kXpSoundAt && !xpSoundPlayed_) {
        xpSoundPlayed_ = true;
        audio::play(audio::Sfx::Xp);
    }
    if (leveled() && elapsed >= kLevelSoundAt && !levelSoundPlayed_) {
        levelSoundPlayed_ = true;
        audio::play(audio::Sfx::Levelup);
    }
}

void RewardScreen::drawGoldLine(Ctx& ctx) {
    const double s = ctx.uiScale;
    const double y = 40 * s;
    const std::string text = "+" + num(state_.gold) + " " + i18n::tr("common.gold");
    const TextStyle st{.size = 16 * s, .bold = true, .color = kLightGold};
    double w = 0;
    measureText(ctx.cr, text, st, &w, nullptr);
    const double left = ctx.width / 2 - (w + 20 * s) / 2;
    drawRimmedCoin(ctx.cr, left + 7 * s, y + 11 * s, 7 * s, s);
    drawText(ctx.cr, left + 20 * s, y + 3 * s, text, st);
}

// A spent point is one transaction; a card without points left has no
// buttons, so a refusal needs no sound.
void RewardScreen::spendPoint(const Pick& pick) {
    if (!rewardCanSpend(store::heroById(pick.heroId))) return;
    answer(play::spendPoint(pick.heroId, pick.stat));
}

void RewardScreen::moveOn() {
    audio::play(audio::Sfx::Click);
    if (!state_.boss) {
        Game::instance().pop();
        return;
    }
    Game::instance().replace(bossChestEntry(state_.nodeId, state_.depth));
}

std::unique_ptr<Screen> makeRewardScreen(const GameState& s) { return std::make_unique<RewardScreen>(s); }

} // namespace ui

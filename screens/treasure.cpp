#include "screens/treasure.h"

#include "platform/i18n.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;
using rpg::LootQuality;

namespace {

constexpr double kChimeAt = 0.68;  // seconds after opening began
constexpr double kRevealAt = 1.7;

} // namespace

TreasureScreen::TreasureScreen(const GameState& s) : state_(s), loot_(rollChest(s)) {}

void TreasureScreen::update(Ctx& ctx) {
    // Input.
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
    bool back = false;
    const double header = gameHeader(ctx, i18n::tr("treasure.title"), &back, false);
    if (ctx.backAsked(back)) {
        leave();
        return;
    }
    const double t = openedAt_ ? ctx.now - *openedAt_ : 0;
    stepTimeline(ctx.now, t);
    if (!openedAt_ && state_.lucky && state_.autoOpen) open(ctx.now);
    // Layout and draw: the parts lay themselves out from the phase they show.
    const Choice choice = revealed_ ? drawRevealed(ctx, header, t) : drawClosedOrOpening(ctx, header, t);
    // Apply.
    if (choice == Choice::Open) open(ctx.now);
    else if (choice == Choice::Take) take();
}

bool TreasureScreen::trap() const { return loot_.outcome == LootQuality::Trap; }
bool TreasureScreen::jackpot() const { return loot_.outcome == LootQuality::Jackpot; }
bool TreasureScreen::hasRune() const { return loot_.rune.value > 0; }

int TreasureScreen::lineCount() const {
    return (loot_.gold > 0 ? 1 : 0) + static_cast<int>(loot_.items.size()) + (hasRune() ? 1 : 0);
}

void TreasureScreen::open(double now) {
    openedAt_ = now;
    audio::play(audio::Sfx::ChestOpen);
}

// Back or Escape. The chest of a beaten boss or a won game stands on a node
// already cleared, which never opens again: leaving it takes the loot as
// Return does. A treasure node's chest stays for later.
void TreasureScreen::leave() {
    if (state_.boss || state_.lucky) take();
    else Game::instance().pop();
}

void TreasureScreen::stepTimeline(double now, double t) {
    if (!openedAt_) return;
    if (!chimePlayed_ && t >= kChimeAt) {
        chimePlayed_ = true;
        audio::play(audio::Sfx::ChestPop);
    }
    if (!revealed_ && t >= kRevealAt) {
        revealed_ = true;
        revealedAt_ = now;
        switch (loot_.outcome) {
        case LootQuality::Trap: audio::play(audio::Sfx::Error); break;
        case LootQuality::Jackpot: audio::play(audio::Sfx::WinGlare); break;
        default: audio::play(audio::Sfx::Success); break;
        }
    }
}

// One transaction: the loot, the node left or, for the boss, the run settled
// as won.
void TreasureScreen::take() {
    const play::ChestTake t = play::takeChest(chestKindOf(state_), state_.nodeId, state_.depth, loot_);
    answer(t.result);
    if (t.result.next == play::Next::RunResult) {
        Game::instance().replace(runResultEntry(false, t.run.depth, t.run.gold, t.run.heroIds));
        return;
    }
    Game::instance().pop();
}

play::ChestKind chestKindOf(const GameState& entry) {
    if (entry.boss) return play::ChestKind::Boss;
    return entry.lucky ? play::ChestKind::Lucky : play::ChestKind::Treasure;
}

play::ChestLoot rollChest(const GameState& entry) {
    return play::rollChest(chestKindOf(entry), entry.nodeId, entry.depth);
}

std::uint32_t chestColor(const play::ChestLoot& loot) {
    if (loot.outcome == LootQuality::Trap) return kBevelLight;
    if (loot.outcome == LootQuality::Jackpot) return kLightGold;
    const rpg::ItemDef* rarest = nullptr;
    for (const rpg::ItemInstance& item : loot.items) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (def && (!rarest || def->rarity > rarest->rarity)) rarest = def;
    }
    return rarest ? rpg::rarityColor(rarest->rarity) : kGold;
}

std::unique_ptr<Screen> makeTreasureScreen(const GameState& s) { return std::make_unique<TreasureScreen>(s); }

} // namespace ui

// The end of a battle: the result panel, the settlement of a victory or a
// defeat (once, through the run's transactions), and the hand-over to the
// reward or run-result screen.
#include <cmath>

#include "play/battle.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/battle_scene.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

bool won(const Scene& sc) { return sc.state.outcome == rpg::OutcomeWon; }

void drawEndPanel(Ctx& ctx, bool victory) {
    const double s = ctx.uiScale;
    const double y = ctx.height - kPanelH * s;
    fillRect(ctx.cr, {0, y, ctx.width, kPanelH * s}, theme::kHeaderBrown, 0.94);
    fillRect(ctx.cr, {0, y, ctx.width, 2 * s}, theme::kBrownBorder);
    TextStyle st;
    st.size = std::round(26 * s);
    st.bold = true;
    st.upperCase = true;
    st.letterSpacing = 2 * s;
    st.color = victory ? theme::kLightGold : theme::kDangerRed;
    drawTextCentered(ctx.cr, ctx.width / 2, ctx.height - 48 * s,
                     i18n::tr(victory ? "battle.victory" : "battle.defeat"), st);
}

} // namespace

void settle(Scene& sc) {
    const play::BattleEnd end =
        play::settleBattle(sc.state, sc.entry.nodeId, static_cast<rpg::NodeType>(sc.entry.nodeType));
    sc.rewardRows.clear();
    for (const play::XpGain& g : end.rows) sc.rewardRows.push_back({g.heroId, g.xp, g.levelBefore, g.levelAfter});
    sc.runEnd = end.run;
}

GameState rewardEntry(const Scene& sc) {
    GameState e;
    e.screen = kReward;
    e.nodeId = sc.entry.nodeId;
    e.nodeType = sc.entry.nodeType;
    e.xp = sc.state.rewardXp;
    e.gold = sc.state.rewardGold;
    e.xpRows = sc.rewardRows;
    e.boss = sc.entry.nodeType == static_cast<std::uint8_t>(rpg::NodeType::Boss);
    e.depth = store::run().depth;
    return e;
}

// The run is gone by the hand-over: the entry carries what it left.
GameState defeatEntry(const Scene& sc) {
    return runResultEntry(true, sc.runEnd.depth, sc.runEnd.gold, sc.runEnd.heroIds);
}

void endOfBattle(Scene& sc, Ctx& ctx) {
    drawEndPanel(ctx, won(sc));
    if (!sc.endSeen) {
        sc.endSeen = true;
        sc.endTime = ctx.now;
        if (won(sc)) audio::playWinFanfare();
        else audio::playLoseSound();
        settle(sc);
    }
    if (ctx.now - sc.endTime >= kHandOver) Game::instance().replace(won(sc) ? rewardEntry(sc) : defeatEntry(sc));
}

} // namespace ui::battle

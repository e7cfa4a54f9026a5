// The end of a battle: the result panel, the settlement of a victory or a
// defeat (once), and the hand-over to the reward or run-result screen.
#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "rules/leveling.h"
#include "screens/battle_scene.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

bool won(const Scene& sc) { return sc.state.outcome == rpg::OutcomeWon; }

int partyLevel(const std::vector<rpg::Hero*>& heroes) {
    if (heroes.empty()) return 1;
    double sum = 0;
    for (const rpg::Hero* h : heroes) sum += h->level;
    return static_cast<int>(std::round(sum / static_cast<double>(heroes.size())));
}

double nodeBonus(rpg::NodeType type) {
    if (type == rpg::NodeType::Boss) return 5;
    if (type == rpg::NodeType::Elite) return 2;
    return 0;
}

// A hero who rose a level leaves with the maxima it fights with now.
void refill(const rpg::Hero& hero) {
    const rpg::Stats maxima = battleMaxima(hero);
    for (rpg::PartyMember& m : store::run().party) {
        if (m.heroId != hero.id) continue;
        m.hp = maxima.maxHp;
        m.mp = maxima.maxMp;
    }
}

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
    st.color = victory ? theme::kLightGold : 0xC2382F;
    drawTextCentered(ctx.cr, ctx.width / 2, ctx.height - 48 * s,
                     i18n::tr(victory ? "battle.victory" : "battle.defeat"), st);
}

} // namespace

void copyBackParty(const rpg::BattleState& state) {
    for (rpg::PartyMember& m : store::run().party) {
        const rpg::Combatant* c = rpg::combatant(state, m.heroId);
        if (!c) continue;
        m.hp = c->hp;
        m.mp = c->mp;
    }
}

std::vector<XpRow> grantXp(double rewardXp, int depth, rpg::NodeType type) {
    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    const int enemyLevel = rpg::encounterXpLevel(depth, partyLevel(heroes), nodeBonus(type));
    std::vector<XpRow> rows;
    for (rpg::Hero* hero : heroes) {
        const int before = hero->level;
        const double factor = rpg::xpFactorFor(before, enemyLevel);
        const double xp = std::max(std::round(factor * rewardXp), 1.0);
        if (rpg::gainXp(hero, xp) > 0) refill(*hero);
        rows.push_back({hero->id, xp, before, hero->level});
    }
    return rows;
}

std::vector<XpRow> payVictory(const rpg::BattleState& state, const GameState& entry) {
    rpg::RunState& run = store::run();
    store::Meta& meta = store::meta();
    const auto type = static_cast<rpg::NodeType>(entry.nodeType);
    std::vector<XpRow> rows = grantXp(state.rewardXp, run.depth, type);
    meta.gold += state.rewardGold;
    run.gold += state.rewardGold;
    // Winning a node again pays, but moves no progress.
    if (!rpg::isCleared(run, entry.nodeId)) {
        run.pos = entry.nodeId;
        run.cleared.push_back(entry.nodeId);
        meta.bestDepth = std::max(meta.bestDepth, run.depth);
    }
    return rows;
}

void settleVictory(Scene& sc) {
    sc.rewardRows = payVictory(sc.state, sc.entry);
    store::saveMeta();
    store::saveRun();
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

GameState defeatEntry() {
    GameState e;
    e.screen = kRunResult;
    e.lost = 1;
    return e;
}

void endOfBattle(Scene& sc, Ctx& ctx) {
    drawEndPanel(ctx, won(sc));
    if (!sc.endSeen) {
        sc.endSeen = true;
        sc.endTime = ctx.now;
        if (won(sc)) audio::playWinFanfare();
        else audio::playLoseSound();
        copyBackParty(sc.state);
        if (won(sc)) settleVictory(sc);
        else store::saveRun();
    }
    if (ctx.now - sc.endTime >= kHandOver) Game::instance().replace(won(sc) ? rewardEntry(sc) : defeatEntry());
}

} // namespace ui::battle

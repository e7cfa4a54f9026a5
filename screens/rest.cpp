#include "screens/rest.h"

#include <algorithm>
#include <cmath>

#include "fx/rest_fx.h"
#include "fx/scene.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/legible.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kRefillAt = 0.95;  // seconds after resting began: the bars are full and saved
constexpr double kLeaveAt = 1.4;    // the node is settled and the screen goes

} // namespace

RestScreen::RestScreen(const GameState& s) : state_(s) {}

void RestScreen::update(Ctx& ctx) {
    sceneBackdrop(ctx, SceneOpts{kSceneNightBlue, 26, 0.52, false, kWeatherClear, kDay, 1.0});
    bool back = false;
    const double header = gameHeader(ctx, i18n::tr("rest.title"), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();  // leaving this way never settles the node
        return;
    }
    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    const RestLayout lay = restLayout(ctx, header, static_cast<int>(heroes.size()));
    // Beside the column of texts and buttons (the shards' GPU layer lies
    // under every plate, so they would show through them).
    const double left = std::min({lay.plate.x, lay.panel.x, lay.heal.x});
    const double right = std::max({lay.plate.x + lay.plate.w, lay.panel.x + lay.panel.w, lay.heal.x + lay.heal.w});
    drawCrystalRain(ctx, left, right);
    if (lay.decorated) {
        drawCampfire(ctx, lay.fire.x, lay.fire.y, lay.fire.w);
        drawFountain(ctx, lay.fountain.x, lay.fountain.y, lay.fountain.w);
    }
    drawBody(ctx, lay);
    drawParty(ctx, lay.panel, heroes);
    const Choice choice = drawButtons(ctx, lay);
    // Without a run there is nobody to heal: resting only moves on.
    if (choice == Choice::Leave || (choice == Choice::Heal && !store::hasRun())) {
        advance();
        return;
    }
    if (choice == Choice::Heal) beginRest(ctx.now);
    if (healing_) stepHealing(ctx.now);
}

void RestScreen::drawBody(Ctx& ctx, const RestLayout& lay) {
    const double s = ctx.uiScale;
    fillRoundedRect(ctx.cr, lay.plate, 8 * s, theme::kNightPlate, 0.85);
    TextStyle st{.family = kFontSans, .size = 13 * s, .color = kMutedText, .align = Align::Centre};
    st.wrapWidth = lay.bodyWrap;
    const double x = lay.bodyWrap > 0 ? (ctx.width - lay.bodyWrap) / 2 : ctx.width / 2;
    drawTextTop(ctx.cr, x, lay.plate.y + 5 * s, i18n::tr("rest.body"), st);
}

void RestScreen::drawParty(Ctx& ctx, const Rect& panel, const std::vector<rpg::Hero*>& heroes) {
    const double s = ctx.uiScale;
    pixelPanel(ctx, panel, false);
    fillRect(ctx.cr, panel, theme::kNightPanel, 0.55);
    double x = panel.x + 10 * s;
    for (const rpg::Hero* hero : heroes) {
        drawHeroColumn(ctx, x + kRestColumn * s / 2, panel.y, *hero);
        x += (kRestColumn + kRestColumnGap) * s;
    }
}

void RestScreen::drawHeroColumn(Ctx& ctx, double cx, double top, const rpg::Hero& hero) {
    const double s = ctx.uiScale;
    const int frame = static_cast<int>(2 * ctx.now) % 2;
    drawSpriteCairo(ctx.cr, rpg::classDef(hero.cls).id, cx - 24 * s, top + 8 * s, 48 * s, 48 * s, nullptr, frame,
                    false, 1.0);
    const play::Vitals v = play::vitals(hero);
    auto [hp, mp] = shownValues(hero, v, ctx.now);
    // Tall enough for their labels at the size the labels can be read at.
    const double label = 1.3 * legibleUnitsOfLanguage();
    const double hpH = std::max(14 * s, label), mpH = std::max(12 * s, label);
    statBar(ctx, {cx - 45 * s, top + 62 * s, 90 * s, hpH}, hp, v.maxHp, theme::kHpRed, kBarTrack,
            i18n::tr("stat.hp"));
    if (v.maxMp > 0) {
        statBar(ctx, {cx - 45 * s, top + 62 * s + hpH + 4 * s, 90 * s, mpH}, mp, v.maxMp, theme::kManaBlue,
                kBarTrack, i18n::tr("stat.mp"));
    }
}

// The run's values, full for a hero the run does not list; while resting,
// the way from the values at the start of the rest to the maxima.
std::pair<double, double> RestScreen::shownValues(const rpg::Hero& hero, const play::Vitals& v, double now) const {
    const auto snap = snapshot_.find(hero.id);
    if (healing_ && snap != snapshot_.end()) {
        const double k = std::min(1.0, (now - healStart_) / kRefillAt);
        const auto [hp0, mp0] = snap->second;
        return {std::round(hp0 + (v.maxHp - hp0) * k), std::round(mp0 + (v.maxMp - mp0) * k)};
    }
    return {v.hp, v.mp};
}

RestScreen::Choice RestScreen::drawButtons(Ctx& ctx, const RestLayout& lay) {
    // While resting the buttons stay in view but dead: they take no click.
    const bool keepTaken = ctx.clickTaken;
    if (healing_) ctx.clickTaken = true;
    const bool heal = menuButton(ctx, lay.heal, i18n::tr("rest.heal"), true);
    const bool leave = menuButton(ctx, lay.leave, i18n::tr("rest.leave"), false);
    if (healing_) {
        ctx.clickTaken = keepTaken;
        return Choice::None;
    }
    if (leave) return Choice::Leave;
    return heal ? Choice::Heal : Choice::None;
}

void RestScreen::beginRest(double now) {
    audio::play(audio::Sfx::Rest);
    snapshot_.clear();
    for (const rpg::PartyMember& m : store::run().party) snapshot_[m.heroId] = {m.hp, m.mp};
    healing_ = true;
    healStart_ = now;
}

void RestScreen::stepHealing(double now) {
    const double t = now - healStart_;
    if (!healed_ && t >= kRefillAt) {
        healed_ = true;
        play::restParty();
    }
    if (healed_ && t >= kLeaveAt) advance();
}

void RestScreen::advance() {
    play::leaveNode(state_.nodeId);
    Game::instance().pop();
}

std::unique_ptr<Screen> makeRestScreen(const GameState& s) { return std::make_unique<RestScreen>(s); }

} // namespace ui

// The campsite of a rest node: resting refills every hero of the run to the
// maxima they fight with, then the party moves on and the node is done.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fx/rest_fx.h"
#include "fx/scene.h"
#include "play/party.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "screens/common.h"
#include "screens/rest_layout.h"
#include "ui/audio.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kRefillAt = 0.95;  // seconds after resting began: the bars are full and saved
constexpr double kLeaveAt = 1.4;    // the node is settled and the screen goes
constexpr double kPanelHeight = 150;
constexpr double kColumn = 104;
constexpr double kColumnGap = 14;

class RestScreen final : public Screen {
public:
    explicit RestScreen(const GameState& s) : state_(s) {}

    void update(Ctx& ctx) override {
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
        if (drawButtons(ctx, lay)) return;
        if (healing_) stepHealing(ctx.now);
    }

private:
    void drawBody(Ctx& ctx, const RestLayout& lay) {
        const double s = ctx.uiScale;
        fillRoundedRect(ctx.cr, lay.plate, 8 * s, theme::kNightPlate, 0.85);
        TextStyle st{.family = kFontSans, .size = 13 * s, .color = kMutedText, .align = Align::Centre};
        st.wrapWidth = lay.bodyWrap;
        const double x = lay.bodyWrap > 0 ? (ctx.width - lay.bodyWrap) / 2 : ctx.width / 2;
        drawTextTop(ctx.cr, x, lay.plate.y + 5 * s, i18n::tr("rest.body"), st);
    }

    void drawParty(Ctx& ctx, const Rect& panel, const std::vector<rpg::Hero*>& heroes) {
        const double s = ctx.uiScale;
        pixelPanel(ctx, panel, false);
        fillRect(ctx.cr, panel, theme::kNightPanel, 0.55);
        double x = panel.x + 10 * s;
        for (const rpg::Hero* hero : heroes) {
            drawHeroColumn(ctx, x + kColumn * s / 2, panel.y, *hero);
            x += (kColumn + kColumnGap) * s;
        }
    }

    void drawHeroColumn(Ctx& ctx, double cx, double top, const rpg::Hero& hero) {
        const double s = ctx.uiScale;
        const int frame = static_cast<int>(2 * ctx.now) % 2;
        drawSpriteCairo(ctx.cr, rpg::classDef(hero.cls).id, cx - 24 * s, top + 8 * s, 48 * s, 48 * s, nullptr, frame,
                        false, 1.0);
        const play::Vitals v = play::vitals(hero);
        auto [hp, mp] = shownValues(hero, v, ctx.now);
        statBar(ctx, {cx - 45 * s, top + 62 * s, 90 * s, 14 * s}, hp, v.maxHp, theme::kHpRed, kBarTrack,
                i18n::tr("stat.hp"));
        if (v.maxMp > 0) {
            statBar(ctx, {cx - 45 * s, top + 80 * s, 90 * s, 12 * s}, mp, v.maxMp, theme::kManaBlue, kBarTrack,
                    i18n::tr("stat.mp"));
        }
    }

    // The run's values, full for a hero the run does not list; while resting,
    // the way from the values at the start of the rest to the maxima.
    std::pair<double, double> shownValues(const rpg::Hero& hero, const play::Vitals& v, double now) const {
        const auto snap = snapshot_.find(hero.id);
        if (healing_ && snap != snapshot_.end()) {
            const double k = std::min(1.0, (now - healStart_) / kRefillAt);
            const auto [hp0, mp0] = snap->second;
            return {std::round(hp0 + (v.maxHp - hp0) * k), std::round(mp0 + (v.maxMp - mp0) * k)};
        }
        return {v.hp, v.mp};
    }

    // True when the screen left.
    bool drawButtons(Ctx& ctx, const RestLayout& lay) {
        // While resting the buttons stay in view but dead: they take no click.
        const bool keepTaken = ctx.clickTaken;
        if (healing_) ctx.clickTaken = true;
        const bool heal = menuButton(ctx, lay.heal, i18n::tr("rest.heal"), true);
        const bool leave = menuButton(ctx, lay.leave, i18n::tr("rest.leave"), false);
        if (healing_) {
            ctx.clickTaken = keepTaken;
            return false;
        }
        if (leave || (heal && !store::hasRun())) {
            advance();
            return true;
        }
        if (heal) beginRest(ctx.now);
        return false;
    }

    void beginRest(double now) {
        audio::play(audio::Sfx::Rest);
        snapshot_.clear();
        for (const rpg::PartyMember& m : store::run().party) snapshot_[m.heroId] = {m.hp, m.mp};
        healing_ = true;
        healStart_ = now;
    }

    void stepHealing(double now) {
        const double t = now - healStart_;
        if (!healed_ && t >= kRefillAt) {
            healed_ = true;
            play::restParty();
        }
        if (healed_ && t >= kLeaveAt) advance();
    }

    void advance() {
        play::leaveNode(state_.nodeId);
        Game::instance().pop();
    }

    GameState state_;
    bool healing_ = false;
    bool healed_ = false;
    double healStart_ = 0;
    std::map<std::string, std::pair<double, double>> snapshot_;  // hero id: hit points, mana at the rest's start
};

} // namespace

RestLayout restLayout(Ctx& ctx, double header, int heroes) {
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double h = ctx.height;
    RestLayout lay;
    const double cw = std::min(w - 40 * s, 470 * s);
    const double margin = (w - cw) / 2;
    const double d = std::min(0.34 * h, 112 * s);
    lay.decorated = margin > 0.9 * d;
    lay.fire = {margin / 2 - d / 2, h / 2 - d / 2, d, d};
    lay.fountain = {w - margin / 2 - d / 2, h / 2 - d / 2, d, d};

    // The block sits on the bottom edge unless the header pushes it down.
    const double y0 = std::max(h - 340 * s, header + 20 * s);
    // A text longer than the window (some languages) wraps instead of running off it.
    const std::string body = i18n::tr("rest.body");
    TextStyle st{.family = kFontSans, .size = 13 * s, .color = kMutedText, .align = Align::Centre};
    double tw = 0;
    double th = 0;
    measureText(ctx.cr, body, st, &tw, &th);
    if (tw > w - 48 * s) {
        lay.bodyWrap = w - 48 * s;
        st.wrapWidth = lay.bodyWrap;
        measureText(ctx.cr, body, st, &tw, &th);
    }
    lay.plate = {w / 2 - tw / 2 - 12 * s, y0, tw + 24 * s, th + 10 * s};

    const double y1 = y0 + th + 22 * s;
    const double pw = heroes > 0 ? heroes * kColumn * s + (heroes - 1) * kColumnGap * s + 20 * s : 124 * s;
    lay.panel = {(w - pw) / 2, y1, pw, kPanelHeight * s};
    lay.heal = {margin, y1 + kPanelHeight * s + 12 * s, cw, 46 * s};
    lay.leave = {margin, lay.heal.y + 46 * s + 12 * s, cw, 46 * s};
    return lay;
}

std::unique_ptr<Screen> makeRestScreen(const GameState& s) { return std::make_unique<RestScreen>(s); }

} // namespace ui

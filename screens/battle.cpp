// The battle screen: builds the fight of a battle node, runs it turn by turn
// (the player commands the heroes, the AI the monsters) and, once it is
// decided, settles and hands over. This file holds the frame and the engine
// steps; the parts are listed in battle_scene.h.
#include "screens/battle.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/encounters.h"
#include "rules/runes.h"
#include "screens/battle_cache.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/beneath.h"
#include "ui/screens.h"
#include "ui/theme.h"

namespace ui {
namespace battle {

void buildScene(Scene* sc, const GameState& entry) {
    sc->entry = entry;
    play::Battle b = play::buildBattle(entry.nodeId, static_cast<rpg::NodeType>(entry.nodeType));
    sc->heroes = std::move(b.heroes);
    sc->rng = b.rng;
    sc->state = std::move(b.state);
}

void step(Scene& sc, Ctx& ctx) {
    sc.lastStep = ctx.now;
    if (sc.state.outcome != rpg::OutcomeRunning) return;
    consume(sc, ctx, rpg::advance(sc.state, sc.rng));
}

void act(Scene& sc, Ctx& ctx, const std::string& skillId, const std::vector<std::string>& targets) {
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    const rpg::SkillDef* skill = rpg::findSkill(skillId);
    if (!actor || !skill) return;
    announce(sc, ctx, *actor, *skill, targets);
    spawnFx(sc, ctx, *actor, *skill, targets);
}

void performDueAct(Scene& sc, Ctx& ctx) {
    if (!sc.pending.armed || sc.pending.due > ctx.now) return;
    const PendingAct a = std::exchange(sc.pending, PendingAct{});
    const rpg::Combatant* current = rpg::currentActor(sc.state);
    if (current && current->id == a.actor) {
        if (a.itemUse) {
            const std::string target = a.targets.empty() ? std::string() : a.targets.front();
            consume(sc, ctx, rpg::performItemUse(sc.state, a.effect, a.amount, target));
        } else {
            consume(sc, ctx, rpg::performAction(sc.state, a.actor, a.skill, a.targets, sc.rng));
        }
    }
    step(sc, ctx);
}

void monsterTurn(Scene& sc, Ctx& ctx) {
    if (ctx.now - sc.lastStep <= kMonsterPause) return;
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (!actor || actor->id.empty()) {
        step(sc, ctx);
        return;
    }
    const std::string id = actor->id;
    const rpg::AiAction choice = rpg::aiChooseAction(sc.state, id, sc.rng);
    act(sc, ctx, choice.skill, choice.targets);
    if (!sc.pending.armed) step(sc, ctx);  // nothing to show: the turn passes
}

} // namespace battle

namespace {

constexpr double kBannerLife = 1.6;

SceneOpts backdropFor(const GameState& entry) {
    const rpg::RunState& run = store::run();
    const int layers = run.map.rows < 1 ? 8 : run.map.rows;
    SceneOpts o;
    o.theme = themeForDepth(run.depth, layers);
    o.count = 14;
    o.horizon = 0.22;
    o.embers = false;
    o.weather = weatherForSeed(entry.nodeId + ":" + seedNum(store::meta().ascension), static_cast<SceneTheme>(o.theme));
    o.daytime = daytimeForProgress(run.depth, layers);
    o.intensity = 0.4;
    return o;
}

void drawRoundHeader(Ctx& ctx, battle::Scene& sc) {
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = std::round(16 * s);
    st.bold = true;
    st.upperCase = true;
    st.align = Align::Centre;
    st.color = theme::kLightGold;
    const std::string text = i18n::tr("battle.round", {{"n", num(sc.state.round)}});
    sc.texts.drawShadowed(ctx.cr, ctx.width / 2, 22 * s, text, st);
}

// A text in a dark rounded box centred on W/2 with its top at y.
void drawPill(Ctx& ctx, battle::TextCache& texts, const std::string& text, const TextStyle& st, double y, double padX,
              double padY, double radius, double alpha) {
    const battle::TextCache::Size size = texts.measure(ctx.cr, text, st);
    const Rect box{ctx.width / 2 - size.w / 2 - padX, y, size.w + 2 * padX, size.h + 2 * padY};
    fillRoundedRect(ctx.cr, box, radius, theme::kPlateDark, alpha);
    texts.drawCentered(ctx.cr, box.x + box.w / 2, box.y + box.h / 2, text, st);
}

void drawTurnPill(Ctx& ctx, battle::Scene& sc) {
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (!actor || sc.state.outcome != rpg::OutcomeRunning) return;
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = std::round(12 * s);
    st.color = theme::kCreamText;
    st.align = Align::Centre;
    drawPill(ctx, sc.texts, i18n::tr("battle.turn", {{"name", combatantName(*actor)}}), st, 44 * s, 10 * s, 3 * s, 8 * s,
             0.6);
}

void drawBanner(Ctx& ctx, battle::Scene& sc) {
    if (sc.banner.empty() || ctx.now - sc.bannerTime >= kBannerLife) return;
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = std::round(16 * s);
    st.bold = true;
    st.color = theme::kLightGold;
    st.letterSpacing = s;
    st.align = Align::Centre;
    drawPill(ctx, sc.texts, sc.banner, st, battle::kBannerTop * s, 14 * s, 7 * s, 6 * s, 0.86);
}

} // namespace

battle::Scene& BattleScreen::scene() { return scene_; }

// The floor's pictures are of this battle's units: kept on, they would only
// hold memory until the next battle, which paints its own.
BattleScreen::~BattleScreen() { battle::floorPictures().clear(); }

BattleScreen::BattleScreen(const GameState& entry) : backdrop_(backdropFor(entry)) {
    battle::buildScene(&scene_, entry);
}

void BattleScreen::update(Ctx& ctx) {
    profBegin("battle.scenery");
    sceneBackdrop(ctx, backdrop_);
    scene_.floor.h = ctx.height;
    scene_.floor.w = std::min(0.72 * ctx.height, ctx.width);
    scene_.floor.x = (ctx.width - scene_.floor.w) / 2;
    updateOverPanel(ctx);
    drawScenery(ctx);
    profEnd("battle.scenery");
    profBegin("battle.units");
    battle::layout(scene_, ctx);
    battle::drawCombatants(scene_, ctx);
    profEnd("battle.units");
    profBegin("battle.fx");
    battle::drawFx(ctx, &scene_.fx);
    profEnd("battle.fx");
    drawRoundHeader(ctx, scene_);
    drawTurnPill(ctx, scene_);
    drawBanner(ctx, scene_);
    battle::performDueAct(scene_, ctx);
    if (scene_.state.outcome != rpg::OutcomeRunning) battle::endOfBattle(scene_, ctx);
    else drawCommandPanel(ctx);
    // Last, so no banner, box or panel hides a number while it rises.
    battle::drawFloats(scene_, ctx);
}

void BattleScreen::updateOverPanel(Ctx& ctx) {
    battle::Scene& sc = scene_;
    const double s = ctx.uiScale;
    sc.overPanel = ctx.hover({0, ctx.height - battle::kPanelH * s, ctx.width, battle::kPanelH * s});
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (sc.overPanel || sc.submenu == battle::Submenu::None || sc.state.outcome != rpg::OutcomeRunning || !actor ||
        actor->side != rpg::Side::Heroes || sc.pending.armed)
        return;
    const Rect box = battle::submenuBox(sc, sc.submenu, ctx, actor).box;
    sc.overPanel = box.h > 0 && ctx.hover(box);
}

void BattleScreen::drawScenery(Ctx& ctx) {
    drawTrees(ctx);
    drawFloor(ctx);
}

// The trees never move: each is painted once per window size into a texture
// of its own size (the window's strips beside the floor are mostly empty),
// beneath everything else, on the same pixels as it would lie on the overlay.
void BattleScreen::drawTrees(Ctx& ctx) {
    const battle::TreeScene now{scene_.floor, ctx.width, ctx.height, ctx.uiScale};
    if (!(now == trees_)) {
        gpuDropPrefix("battletree");
        trees_ = now;
        treeSpots_ = battle::sideTreeSpots(now.floor, now.width, now.height, now.s);
    }
    struct Painted {
        battle::TreeSpot spot;
        double x = 0, y = 0;  // the texture's corner, on whole pixels
    };
    const auto paint = [](cairo_t* cr, void* user) {
        const Painted* p = static_cast<const Painted*>(user);
        cairo_translate(cr, -p->x, -p->y);
        battle::drawTree(cr, p->spot);
    };
    const double g = gpuScale();
    for (std::size_t i = 0; i < treeSpots_.size(); ++i) {
        const Rect b = battle::treeBounds(treeSpots_[i]);
        const double x0 = std::floor(b.x * g), y0 = std::floor(b.y * g);
        const int pw = static_cast<int>(std::ceil((b.x + b.w) * g) - x0);
        const int ph = static_cast<int>(std::ceil((b.y + b.h) * g) - y0);
        Painted p{treeSpots_[i], x0 / g, y0 / g};
        const std::string key = "battletree" + std::to_string(i);
        beneath::draw(ctx, beneath::Picture(key, pw, ph, paint, &p), {p.x, p.y, pw / g, ph / g});
    }
}

void BattleScreen::drawFloor(Ctx& ctx) {
    const double g = gpuScale();
    const int px[2] = {static_cast<int>(std::lround(g * scene_.floor.w)), static_cast<int>(std::lround(g * ctx.height))};
    if (px[0] != scene_.floorPx[0] || px[1] != scene_.floorPx[1]) {
        gpuDrop("isofloor");
        scene_.floorPx[0] = px[0];
        scene_.floorPx[1] = px[1];
    }
    const battle::RowBand band = battle::floorBand(px[1], g);
    battle::FloorPicture picture{px[0], px[1], band.top};
    const beneath::Picture floor("isofloor", px[0], band.bottom - band.top, &battle::paintFloor, &picture);
    // Placed as the whole picture would be, scaled to the floor's height.
    const double unit = ctx.height / px[1];
    beneath::draw(ctx, floor, {scene_.floor.x, band.top * unit, scene_.floor.w, (band.bottom - band.top) * unit});
}

void BattleScreen::drawCommandPanel(Ctx& ctx) {
    battle::Scene& sc = scene_;
    if (sc.pending.armed) {
        battle::drawEmptyPanel(sc, ctx);
        return;
    }
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (!actor) {
        battle::step(sc, ctx);
        return;
    }
    if (actor->side == rpg::Side::Heroes) {
        battle::drawPanel(sc, ctx, battle::kPanelH * ctx.uiScale, actor);
        return;
    }
    battle::monsterTurn(sc, ctx);
    battle::drawEmptyPanel(sc, ctx);
}

std::unique_ptr<Screen> makeBattleScreen(const GameState& s) { return std::make_unique<BattleScreen>(s); }

} // namespace ui

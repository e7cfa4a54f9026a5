// The city hub's frame: every card pushes the screen it names; leaving
// returns to the menu below.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "fx/icons.h"
#include "fx/scene.h"
#include "play/run.h"
#include "play/trade.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/rng.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "screens/city.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using Door = CityScreen::Door;

constexpr Door kDoors[] = {
    {"city.party", "city.partyDesc", kParty, 0, theme::kPlaceParty, CityIcon::Party},
    {"city.trainer", "city.trainerDesc", kTrainer, 0, theme::kPlaceTrainer, CityIcon::Trainer},
    {"city.scrolls", "city.scrollsDesc", kScrollShop, 0, theme::kPlaceScrolls, CityIcon::Trainer},
    {"city.kaserne", "city.kaserneDesc", kKaserne, 0, theme::kPlaceKaserne, CityIcon::Barracks},
    {"city.runeTower", "city.runeTowerDesc", kRuneTower, 0, theme::kPlaceRuneTower, CityIcon::RuneTower},
};

constexpr Door kShops[] = {
    {"city.weaponsmith", "city.weaponDesc", kShop, play::kShopWeaponsmith, theme::kPlaceWeaponsmith,
     CityIcon::Weaponsmith},
    {"city.armorer", "city.armorDesc", kShop, play::kShopArmorer, theme::kPlaceArmourer, CityIcon::Armourer},
    {"city.apothecary", "city.apothecaryDesc", kShop, play::kShopApothecary, theme::kPlaceApothecary,
     CityIcon::Apothecary},
    {"city.tavern", "city.tavernDesc", kShop, play::kShopTavern, theme::kPlaceTavern, CityIcon::Tavern},
};
static_assert(std::size(kDoors) == std::tuple_size_v<decltype(CityLayout::doors)>);
static_assert(std::size(kShops) == std::tuple_size_v<decltype(CityLayout::shops)>);

void drawScenery(const Ctx& ctx) {
    SceneOpts o;
    o.theme = kSceneVillage;
    o.count = 10;
    o.horizon = 0.62;
    o.embers = false;
    o.weather = kWeatherClear;
    o.daytime = kDay;
    o.intensity = 1.0;
    sceneBackdrop(ctx, o);
}

void drawGreeting(Ctx& ctx, const CityLayout& l, double s) {
    cairo_t* cr = ctx.cr;
    TextStyle st;
    st.family = kFontSans;
    st.size = 13 * s;
    st.align = Align::Centre;
    st.wrapWidth = l.innerW;
    // A dark shadow keeps the muted text readable over the bright sky.
    const std::string text = i18n::tr("city.greeting");
    double tw = 0, th = 0;
    measureText(cr, text, st, &tw, &th);
    skyPlate(ctx, {l.innerX + l.innerW / 2 - tw / 2 - 10 * s, l.contentTop - 3 * s, tw + 20 * s, th + 6 * s});
    st.color = theme::kMutedText;
    drawShadowedTextTop(cr, l.innerX, l.contentTop, text, st, {.alpha = 0.75});
}

// The party in one row, stepping out of phase, each with its level below.
void drawParty(Ctx& ctx, const Rect& panel) {
    const double s = ctx.uiScale;
    pixelPanel(ctx, panel, false);
    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    const double n = static_cast<double>(heroes.size());
    TextStyle lvl;
    lvl.size = 10 * s;
    lvl.color = theme::kMutedText;
    // Each hero as wide as its portrait or its level, whichever is wider, so
    // that the levels never run together.
    double column = 48 * s;
    for (const rpg::Hero* hero : heroes) {
        double w = 0;
        measureText(ctx.cr, levelLabel(hero->level), lvl, &w, nullptr);
        column = std::max(column, w + 4 * s);
    }
    const double left = panel.x + panel.w / 2 - ((n - 1) * 18 * s + n * column) / 2;
    for (std::size_t i = 0; i < heroes.size(); ++i) {
        const double x = left + static_cast<double>(i) * (column + 18 * s) + (column - 48 * s) / 2;
        const int frame = static_cast<int>(std::floor(2 * ctx.now + 0.3 * static_cast<double>(i))) % 2;
        drawSpriteCairo(ctx.cr, rpg::classDef(heroes[i]->cls).id, x, panel.y + 10 * s, 48 * s, 48 * s, nullptr,
                        frame, false, 1.0);
        drawTextIn(ctx.cr, {x, panel.y + 66 * s, 48 * s, 18 * s}, levelLabel(heroes[i]->level),
                   lvl);
    }
}

// A new run from the party (none with an empty party), else the saved one;
// either way the map opens.
void openRun() {
    if (store::hasRun()) audio::play(audio::Sfx::Click);
    else audio::play(audio::Sfx::Success);
    play::startRun(rpg::randomSeed());
    GameState map;
    map.screen = kMap;
    Game::instance().push(map);
}

void openDoor(const Door& d) {
    audio::play(audio::Sfx::Click);
    GameState s;
    s.screen = d.screen;
    s.subMode = d.subMode;
    Game::instance().push(s);
}

} // namespace

void CityScreen::update(Ctx& ctx) {
    const double s = ctx.uiScale;
    drawScenery(ctx);
    bool back = false;
    gameHeader(ctx, i18n::tr("city.title"), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();
        return;
    }
    const int ascension = store::meta().ascension;
    CityLayout l = cityLayout(ctx.width, ctx.height, s, ascension >= 1, scroll_);
    drawGoldLine(ctx, l.goldY, 16 * s);
    if (ascension >= 1) drawAscension(ctx, l, ascension);
    scroll_ = beginScroll(ctx, "city.cards", l.view, l.contentHeight, scroll_);
    l = cityLayout(ctx.width, ctx.height, s, ascension >= 1, scroll_);
    const Choice choice = drawCards(ctx, l);
    endScroll(ctx);
    apply(choice);
}

void CityScreen::drawAscension(Ctx& ctx, const CityLayout& l, int ascension) {
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = 12 * s;
    st.bold = true;
    st.color = theme::kPlateRed;
    const std::string text = i18n::tr("city.ascension", {{"n", num(ascension)}});
    double tw = 0, th = 0;
    measureText(ctx.cr, text, st, &tw, &th);
    skyPlate(ctx, {ctx.width / 2 - tw / 2 - 8 * s, l.ascensionY - s, tw + 16 * s, th + 2 * s});
    drawTextTop(ctx.cr, ctx.width / 2, l.ascensionY, text, st);
}

void CityScreen::apply(const Choice& choice) {
    if (choice.run) openRun();
    else if (choice.door) openDoor(*choice.door);
}

CityScreen::Choice CityScreen::drawCards(Ctx& ctx, const CityLayout& l) {
    const bool running = store::hasRun();
    drawGreeting(ctx, l, ctx.uiScale);
    drawParty(ctx, l.party);
    Choice choice;
    choice.run = card(ctx, l.run, i18n::tr(running ? "city.continueRun" : "city.startRun"),
                      i18n::tr(running ? "city.continueRunDesc" : "city.startRunDesc"), true, CityIcon::Run, 0);
    const Door* door = doorCards(ctx, kDoors, l.doors);
    TextStyle heading;
    heading.size = 13 * ctx.uiScale;
    heading.bold = true;
    heading.upperCase = true;
    heading.color = theme::kLightGold;
    drawText(ctx.cr, l.innerX, l.headingY, i18n::tr("city.title"), heading);
    const Door* shop = doorCards(ctx, kShops, l.shops);
    choice.door = door ? door : shop;
    return choice;
}

const Door* CityScreen::doorCards(Ctx& ctx, std::span<const Door> doors, std::span<const Rect> rects) {
    const Door* clicked = nullptr;
    for (std::size_t i = 0; i < doors.size(); ++i) {
        const Door& d = doors[i];
        if (card(ctx, rects[i], i18n::tr(d.title), i18n::tr(d.desc), false, d.icon, d.colour)) clicked = &d;
    }
    return clicked;
}

bool CityScreen::card(Ctx& ctx, const Rect& r, const std::string& title, const std::string& desc, bool highlight,
                      CityIcon icon, std::uint32_t colour) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const bool pressed = ctx.hover(r) && ctx.input.leftDown;
    const bool clicked = ctx.takeClick(r);

    const Rect c{r.x, pressed ? r.y + s : r.y, r.w, r.h};
    fillRect(cr, c, highlight ? theme::kDeepGold : theme::kDarkPanel);
    const double b = std::max(3 * s, 2.0);
    const std::uint32_t lit = pressed ? theme::kBevelDark : theme::kBevelLight;
    const std::uint32_t shade = pressed ? theme::kBevelLight : theme::kBevelDark;
    fillRect(cr, {c.x, c.y, c.w, b}, lit);
    fillRect(cr, {c.x, c.y, b, c.h}, lit);
    fillRect(cr, {c.x, c.y + c.h - b, c.w, b}, shade);
    fillRect(cr, {c.x + c.w - b, c.y, b, c.h}, shade);

    double textX = c.x + 12 * s;
    if (icon != CityIcon::Run) {
        const double z = std::min(40 * s, c.h - 16 * s);
        drawCityIcon(cr, icon, c.x + 12 * s + z / 2, c.y + c.h / 2, z, colour);
        textX += z + 10 * s;
    }
    const double textW = c.x + c.w - 12 * s - textX;
    TextStyle head;
    head.size = 16 * s;
    head.bold = true;
    head.upperCase = true;
    head.align = Align::Centre;
    head.color = highlight ? theme::kPaleGold : theme::kCreamText;
    head.fitWidth = textW;
    TextStyle sub;
    sub.size = 10 * s;
    // Muted text would vanish on the highlighted card's gold.
    sub.color = highlight ? theme::kCreamText : theme::kMutedText;
    sub.align = Align::Centre;
    sub.wrapWidth = textW;
    const TextLine lines[] = {{title, &head}, {desc, &sub}};
    drawTextStack(cr, {textX, c.y, textW, c.h}, lines, 2, 3 * s);
    return clicked;
}

std::unique_ptr<Screen> makeCityScreen() { return std::make_unique<CityScreen>(); }

} // namespace ui

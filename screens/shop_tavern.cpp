// The tavern, the fourth kind of the merchant screen: recruits for the
// roster, the choice of the party, and while a run lasts a rest house that
// heals the wounded and revives the fallen of the run's party.
#include <algorithm>
#include <cmath>

#include "play/party.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/shop_layout.h"
#include "screens/shop.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

// The tavern's lines stand on the open backdrop: a dark copy one unit down
// and right keeps them readable over sky and hills alike.
constexpr TextShadow kLineShadow{.alpha = 0.8};

void drawHeading(cairo_t* cr, double x, double y, const std::string& text, double s) {
    drawShadowedText(cr, x, y, text, TextStyle{.size = 13 * s, .bold = true, .color = kLightGold}, kLineShadow);
}

// A service button, or its plate while it cannot be bought.
bool serviceButton(Ctx& ctx, const Rect& r, const std::string& label, bool enabled) {
    if (enabled) return menuButton(ctx, r, label, false);
    drawPricePlate(ctx, r, label, 14 * ctx.uiScale, false);
    return false;
}

TextStyle recruitLabel(double s) { return TextStyle{.size = 10 * s, .color = kMutedText}; }

// A recruit card: 84 units wide, wider where a class name would not fit
// under its portrait at a readable size.
double recruitCardW(cairo_t* cr, double s) {
    double widest = 0;
    for (int i = 0; i < rpg::kClassCount; ++i) {
        double w = 0;
        measureText(cr, className(static_cast<rpg::ClassId>(i)), recruitLabel(s), &w, nullptr);
        widest = std::max(widest, w);
    }
    return std::max(84 * s, widest + 8 * s);
}

} // namespace

ShopScreen::TavernChoice ShopScreen::drawTavern(Ctx& ctx, double y0) {
    const double s = ctx.uiScale;
    const double panel = std::min(std::round(0.66 * ctx.width), ctx.width);
    const Rect area{(ctx.width - panel) / 2, y0, panel, std::max(0.0, ctx.height - y0 - 10 * s)};
    const double x = area.x + 12 * s;
    const double width = panel - 24 * s;
    const bool run = store::hasRun();
    const int columns = std::max(1, static_cast<int>((width + 10 * s) / (recruitCardW(ctx.cr, s) + 10 * s)));
    const int recruitLines = (rpg::kClassCount + columns - 1) / columns;
    const double heroes = static_cast<double>(store::meta().roster.size());
    const double content =
        heroes * 86 * s + 28 * s + 12 * s + 136 * s + (recruitLines - 1) * 88 * s + (run ? 168 * s : 0);
    scroll = beginScroll(ctx, "tavern", area, content, scroll);
    TavernChoice choice;
    double y = y0 - scroll;
    drawRecruits(ctx, x, width, &y, &choice);
    if (run) drawRestHouse(ctx, x, width, &y, &choice);
    drawRoster(ctx, area, x, width, y, &choice);
    // A hire moves the roster under the pointer: a double click hires once.
    if (choice.recruit != rpg::ClassId::None) ctx.changedUnderPointer();
    endScroll(ctx);
    return choice;
}

// One click takes the frame, so at most one of these was chosen.
void ShopScreen::apply(const TavernChoice& choice) {
    if (choice.recruit != rpg::ClassId::None) answer(play::recruit(choice.recruit));
    else if (choice.heal) answer(play::buyHeal());
    else if (choice.revive) answer(play::buyRevive());
    else if (!choice.toggled.empty()) answer(play::toggleParty(choice.toggled));
}

// The party line and a row per roster hero; a clicked row is recorded.
void ShopScreen::drawRoster(Ctx& ctx, const Rect& area, double x, double width, double y, TavernChoice* choice) {
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const std::string partyLine = i18n::tr("city.party") + " " + num(static_cast<double>(meta.partyIds.size())) +
                                  "/" + num(rpg::partyCap(static_cast<double>(meta.ascension)));
    drawHeading(ctx.cr, x, y, partyLine, s);
    y += 28 * s;
    for (const rpg::Hero& hero : meta.roster) {
        const Rect r{x, y, width, 74 * s};
        y += 86 * s;
        if (r.y + r.h <= area.y || r.y >= area.y + area.h) continue;
        if (rosterRow(ctx, r, hero)) choice->toggled = hero.id;
    }
}

// The eight classes for hire; a clicked card is recorded.
void ShopScreen::drawRecruits(Ctx& ctx, double x, double width, double* y, TavernChoice* choice) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double price = play::recruitPrice(store::meta().roster);
    drawHeading(cr, x, *y, i18n::tr("shop.recruit") + kPriceMark + num(price), s);
    *y += 28 * s;
    const double cardW = recruitCardW(cr, s);
    const int columns = std::max(1, static_cast<int>((width + 10 * s) / (cardW + 10 * s)));
    for (int i = 0; i < rpg::kClassCount; ++i) {
        const auto cls = static_cast<rpg::ClassId>(i);
        const Rect r{x + (i % columns) * (cardW + 10 * s), *y + (i / columns) * 88 * s, cardW, 78 * s};
        pixelPanel(ctx, r, true);
        const int frame = static_cast<int>(2 * ctx.now + 0.4 * i) % 2;
        drawSpriteCairo(cr, rpg::classDef(cls).id, r.x + r.w / 2 - 22 * s, r.y + 8 * s, 44 * s, 44 * s, nullptr, frame,
                        false, 1.0);
        TextStyle label = recruitLabel(s);
        label.fitWidth = r.w - 6 * s;
        drawTextIn(cr, {r.x + 3 * s, r.y + r.h - 22 * s, r.w - 6 * s, 18 * s}, className(cls), label);
        if (ctx.takeClick(r)) choice->recruit = cls;
    }
    *y += 88 * s * ((rpg::kClassCount + columns - 1) / columns) + 4 * s;
}

void ShopScreen::drawRestHouse(Ctx& ctx, double x, double width, double* y, TavernChoice* choice) {
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const rpg::RunState& run = store::run();
    drawHeading(ctx.cr, x, *y, i18n::tr("tavern.services"), s);
    *y += 28 * s;
    const int wounded = play::woundedCount(run);
    const int fallen = play::fallenCount(run);
    const Rect heal{x, *y, width, 46 * s};
    if (serviceButton(ctx, heal, i18n::tr("tavern.fullHeal") + kPriceMark + num(play::kHealPrice),
                      wounded > 0 && meta.gold >= play::kHealPrice)) {
        choice->heal = true;
    }
    *y += 58 * s;
    // Only a fallen member with a roster hero can be revived: the service is
    // not sold for one whose hero has left.
    const Rect revive{x, *y, width, 46 * s};
    if (serviceButton(ctx, revive, i18n::tr("tavern.revive") + kPriceMark + num(play::kRevivePrice),
                      play::revivableCount(run) > 0 && meta.gold >= play::kRevivePrice)) {
        choice->revive = true;
    }
    *y += 58 * s;
    if (wounded == 0 && fallen == 0) {
        drawShadowedText(ctx.cr, x, *y, i18n::tr("tavern.allWell"), TextStyle{.size = 13 * s, .color = kMutedText},
                         kLineShadow);
    }
    *y += 24 * s;  // the line is kept free, so the roster does not jump when it shows
}

bool ShopScreen::rosterRow(Ctx& ctx, const Rect& r, const rpg::Hero& hero) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const bool inParty = std::find(meta.partyIds.begin(), meta.partyIds.end(), hero.id) != meta.partyIds.end();
    const play::Vitals v = play::vitals(hero);
    const bool fallen = v.hp <= 0;
    const bool wounded = v.hp < v.maxHp;
    fillRect(cr, r, kDarkerPanel, fallen ? 0.55 : 1.0);
    if (inParty) strokeRoundedRect(cr, r, 4 * s, 2 * s, theme::kGainGreen);
    const int frame = static_cast<int>(std::fabs(2 * ctx.now + r.y)) % 2;
    drawSpriteCairo(cr, rpg::classDef(hero.cls).id, r.x + 8 * s, r.y + 10 * s, 48 * s, 48 * s, nullptr, frame, false,
                    1.0);
    const double tx = r.x + 64 * s;
    const double tw = r.w - 104 * s;
    const std::string name = hero.name.empty() ? className(hero.cls) : hero.name;
    const TextStyle nameStyle{.size = 14 * s, .bold = true, .color = kCreamText, .fitWidth = 0.55 * tw};
    const TextStyle lineStyle{.size = 11 * s, .color = kMutedText, .fitWidth = tw};
    const std::string line = i18n::tr("common.level") + " " + num(hero.level) + " \u00B7 " + className(hero.cls);
    // The lines and bars below one another as tall as they come out.
    double nameH = 0, lineH = 0;
    measureText(cr, name, nameStyle, nullptr, &nameH);
    measureText(cr, line, lineStyle, nullptr, &lineH);
    const double lineTop = std::max(r.y + 26 * s, r.y + 8 * s + nameH + s);
    const double hpTop = std::max(r.y + 42 * s, lineTop + lineH + 2 * s);
    drawText(cr, tx, r.y + 8 * s, name, nameStyle);
    drawText(cr, tx, lineTop, line, lineStyle);
    if (fallen || wounded) {
        double nameW = 0;
        measureText(cr, name, nameStyle, &nameW, nullptr);
        TextStyle tag{.size = 10 * s, .bold = true, .color = fallen ? theme::kRedText : kGold};
        tag.upperCase = true;
        drawText(cr, tx + std::min(0.55 * tw, nameW) + 8 * s, r.y + 11 * s,
                 i18n::tr(fallen ? "tavern.dead" : "tavern.needsHeal"), tag);
    }
    const uint32_t hpColor = fallen ? theme::kDimText : theme::kHpRed;
    const uint32_t hpBase = fallen ? theme::kDimText : theme::kHpRedDark;
    statBar(ctx, {tx, hpTop, tw, 12 * s}, std::max(0.0, v.hp), v.maxHp, hpColor, hpBase, "");
    if (v.maxMp > 0)
        statBar(ctx, {tx, hpTop + 15 * s, tw, 9 * s}, v.mp, v.maxMp, theme::kManaBlue, theme::kManaBlueDark, "");
    TextStyle mark{.size = 18 * s, .bold = true, .color = inParty ? theme::kGainGreen : theme::kDimText};
    mark.family = kFontSans;
    drawTextCentered(cr, r.x + r.w - 20 * s, r.y + r.h / 2, inParty ? "\u2713" : "\u25CB", mark);
    return ctx.takeClick(r);
}

} // namespace ui

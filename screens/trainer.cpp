// The spell shop's frame and lists: the scroll shop's stock is capped by
// price and shuffled per hero, the trainer teaches every skill of a hero's
// class at base cost. Both let a hero learn new skills and improve the ones
// it has, for lasting gold.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "play/run.h"
#include "play/trade.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/leveling.h"
#include "screens/common.h"
#include "screens/trainer.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

SpellShopScreen::SpellShopScreen(const SpellShopOpts& opts, const GameState& state) : opts_(opts), state_(state) {
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    if (!party.empty()) selected_ = party.front()->id;
}

void SpellShopScreen::update(Ctx& ctx) {
    const double s = ctx.uiScale;
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
    bool back = false;
    const double headerH = gameHeader(ctx, i18n::tr(opts_.titleKey), &back, false);
    if (ctx.backAsked(back)) {
        leave();
        return;
    }
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    if (party.empty()) {
        Game::instance().pop();
        return;
    }
    if (!store::heroById(selected_)) selected_ = party.front()->id;
    drawGoldLine(ctx, headerH + 4 * s, 16 * s, pulse_.factor(store::meta().gold, ctx.now));
    const std::string tab = heroTabs(ctx, party, spellTabsTop(headerH, s), selected_);
    if (!tab.empty()) selected_ = tab;
    const SpellShopPlace place = spellShopPlace(state_.nodeId);
    const Rect list = spellListRect(ctx.width, ctx.height, s, headerH, place.inRun());
    drawLists(ctx, list, place);
    if (place.inRun() &&
        menuButton(ctx, spellLeaveRect(ctx.width, ctx.height, s, list.w), i18n::tr("common.leave"), true)) {
        leave();
        return;
    }
    if (pending_) buy(*pending_);
}

void SpellShopScreen::drawLists(Ctx& ctx, const Rect& list, const SpellShopPlace& place) {
    const double s = ctx.uiScale;
    // The caller has just made sure the selected hero exists; nothing
    // changes the roster before the purchase after drawing.
    const rpg::Hero& hero = *store::heroById(selected_);
    const std::vector<const rpg::SkillDef*> learn = learnList(hero, opts_, place);
    const std::vector<const rpg::SkillDef*> upgrade = upgradeList(hero);
    const auto height = [s](std::size_t n) {
        return kSpellSectionHead * s + (n == 0 ? kSpellEmptyNote * s : static_cast<double>(n) * kSpellRowStep * s);
    };
    const double content = 12 * s + height(learn.size()) + height(upgrade.size());
    scroll_ = beginScroll(ctx, "spells.list", list, content, scroll_);
    pending_.reset();
    double y = list.y + 12 * s - scroll_;
    if (opts_.learnFirst) {
        y = section(ctx, list, y, opts_.learnHeaderKey, learn, hero, true, "scrolls.soldOut", place);
        section(ctx, list, y, opts_.upgradeHeaderKey, upgrade, hero, false, "trainer.noneYet", place);
    } else {
        y = section(ctx, list, y, opts_.upgradeHeaderKey, upgrade, hero, false, "trainer.noneYet", place);
        section(ctx, list, y, opts_.learnHeaderKey, learn, hero, true, "scrolls.soldOut", place);
    }
    // A learnt skill leaves its list: the second click of a double click
    // would buy the one that moves up.
    if (pending_) ctx.changedUnderPointer();
    endScroll(ctx);
}

// One list under its header; returns the y below it.
double SpellShopScreen::section(Ctx& ctx, const Rect& list, double y, const char* headerKey,
                                const std::vector<const rpg::SkillDef*>& skills, const rpg::Hero& hero, bool learn,
                                const char* emptyKey, const SpellShopPlace& place) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    TextStyle head{.size = 13 * s, .bold = true, .color = kGold};
    head.upperCase = true;
    drawText(cr, list.x + 12 * s, y + 4 * s, i18n::tr(headerKey), head);
    y += kSpellSectionHead * s;
    if (skills.empty()) {
        drawText(cr, list.x + 12 * s, y + 6 * s, i18n::tr(emptyKey),
                 TextStyle{.size = 12 * s, .color = kMutedText, .fitWidth = list.w - 24 * s});
        return y + kSpellEmptyNote * s;
    }
    for (const rpg::SkillDef* skill : skills) {
        const Rect row = spellRowRect(list, y, s);
        y += kSpellRowStep * s;
        if (row.y + row.h <= list.y || row.y >= list.y + list.h) continue;
        drawRow(ctx, row, *skill, hero, learn, place);
    }
    return y;
}

void SpellShopScreen::drawRow(Ctx& ctx, const Rect& row, const rpg::SkillDef& skill, const rpg::Hero& hero,
                              bool learn, const SpellShopPlace& place) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    pixelPanel(ctx, row, false);
    const double fit = row.w - 164 * s;
    const TextStyle nameStyle{.size = 14 * s, .bold = true, .color = learn ? kLightGold : kCreamText, .fitWidth = fit};
    const std::string name = i18n::tr(skill.nameKey);
    drawText(cr, row.x + 10 * s, row.y + 9 * s, name, nameStyle);
    const int level = learn ? 0 : rpg::skillLevel(hero, skill.id);
    if (!learn) {
        double nameW = 0;
        measureText(cr, name, nameStyle, &nameW, nullptr);
        drawText(cr, row.x + 10 * s + std::min(nameW, fit) + 6 * s, row.y + 12 * s, levelLabel(level),
                 TextStyle{.size = 11 * s, .color = kMutedText});
    }
    std::string desc = i18n::tr(skill.descKey);
    if (learn && skill.manaCost > 0) desc = withManaCost(desc, skill.manaCost);
    drawText(cr, row.x + 10 * s, row.y + 28 * s, desc, TextStyle{.size = 11 * s, .color = kMutedText, .fitWidth = fit});

    const Rect box = spellActionRect(row, s);
    if (!learn && level >= rpg::maxSkillLevel(skill)) {
        fillRoundedRect(cr, box, 3 * s, kDarkerPanel);
        drawTextIn(cr, box, i18n::tr("trainer.max"), TextStyle{.size = 11 * s, .bold = true, .color = kLightGold});
        return;
    }
    const double price = learn ? learnPriceAt(skill, opts_, place) : upgradePriceAt(skill, level, opts_, place);
    const std::string label = i18n::tr(learn ? opts_.buyButtonKey : opts_.upgradeButtonKey) + " \u25C9 " + num(price);
    if (store::meta().gold < price) {
        fillRect(cr, box, kDarkerPanel, 0.6);
        drawTextIn(cr, box, label, TextStyle{.size = 12 * s, .color = theme::kFaintLabel, .fitWidth = box.w - 6 * s});
        return;
    }
    if (plainButton(ctx, box, label, false)) pending_ = play::SkillOffer{skill.id, learn, level, price};
}

// Pays the price shown and raises the skill of the hero the store holds.
// Only the lasting progress changes: a run shop's run is saved on leaving.
void SpellShopScreen::buy(const play::SkillOffer& offer) { answer(play::trainSkill(selected_, offer)); }

// A run's scroll shop is done however it is left.
void SpellShopScreen::leave() {
    if (!state_.nodeId.empty()) play::leaveNode(state_.nodeId);
    Game::instance().pop();
}

std::unique_ptr<Screen> makeScrollShopScreen(const GameState& s) {
    return std::make_unique<SpellShopScreen>(scrollShopOpts(), s);
}

std::unique_ptr<Screen> makeTrainerScreen() { return std::make_unique<SpellShopScreen>(trainerOpts(), GameState{}); }

} // namespace ui

// The reward screen's cards: a hero's sprite, experience bar and level-up
// tag, and while points are left, the points line and the stat buttons.
#include <algorithm>
#include <string>
#include <vector>

#include "fx/levelup_fx.h"
#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/leveling.h"
#include "screens/reward.h"
#include "ui/game_ui.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

// A button of the stat grid: raised, or pushed in with gold edges.
void drawStatBevel(cairo_t* cr, const Rect& r, bool pressed, double edge) {
    fillRect(cr, r, pressed ? kDeepGold : kDarkPanel);
    drawBevel(cr, r, edge, pressed ? kLightGold : kBevelLight, pressed ? kLightGold : kBevelDark);
}

bool isKeyStat(const rpg::ClassDef& cls, rpg::StatId stat) {
    return std::find(cls.keyStats.begin(), cls.keyStats.end(), stat) != cls.keyStats.end();
}

// Where a bar starts: empty after a level-up, else where the hero stood
// before this battle's experience.
double xpBarFrom(const rpg::Hero& hero, const XpRow& row, double to) {
    if (row.levelAfter > row.levelBefore) return 0;
    const double need = rpg::xpToNext(hero.level);
    if (need <= 0) return 0;
    return std::clamp((hero.xp - row.xp) / need, 0.0, to);
}

} // namespace

std::optional<RewardScreen::Pick> RewardScreen::drawCardList(Ctx& ctx, double elapsed) {
    const double s = ctx.uiScale;
    const Rect area = rewardListArea(ctx.width, ctx.height, s);
    const double content = rewardContentHeight(state_.xpRows, s);
    scroll_ = beginScroll(ctx, "reward.cards", area, content, scroll_);
    const std::vector<Rect> cards = rewardCards(state_.xpRows, area, s, scroll_);
    std::optional<Pick> pick;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const Rect& c = cards[i];
        if (c.y + c.h <= area.y || c.y >= area.y + area.h) continue;
        drawCard(ctx, c, state_.xpRows[i], elapsed, static_cast<int>(i), &pick);
    }
    endScroll(ctx);
    return pick;
}

void RewardScreen::drawCard(Ctx& ctx, const Rect& card, const XpRow& row, double elapsed, int index,
                            std::optional<Pick>* pick) {
    const rpg::Hero* hero = store::heroById(row.heroId);
    if (!hero) return;
    const double s = ctx.uiScale;
    pixelPanel(ctx, card, false);
    drawCardHead(ctx, card, *hero, row);
    const double barX = card.x + 72 * s;
    const double to = rpg::levelProgress(*hero);
    drawXpGainBar(ctx, {barX, card.y + 50 * s, card.x + card.w - 12 * s - barX, 13 * s}, xpBarFrom(*hero, row, to),
                  to, kGold, elapsed, 0.28 + 0.32 * index);
    if (!rewardCanSpend(hero)) return;
    drawPointsBlock(ctx, card, *hero);
    drawStatButtons(ctx, card, *hero, pick);
    TextStyle hint{.size = 10 * s, .color = kMutedText};
    hint.italic = true;
    drawText(ctx.cr, card.x + 12 * s, card.y + rewardHintTop(s), "★ " + i18n::tr("reward.keyStatHint"), hint);
}

void RewardScreen::drawCardHead(Ctx& ctx, const Rect& card, const rpg::Hero& hero, const XpRow& row) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const rpg::ClassDef& cls = rpg::classDef(hero.cls);
    const int frame = static_cast<int>(2 * ctx.now) % 2;
    drawSpriteCairo(cr, cls.id, card.x + 12 * s, card.y + 12 * s, 48 * s, 48 * s, nullptr, frame, false, 1.0);
    const double textX = card.x + 72 * s;
    const double right = card.x + card.w - 12 * s;
    TextStyle head{.size = 16 * s, .bold = true, .color = kCreamText, .fitWidth = 0.6 * (right - textX)};
    head.upperCase = true;
    drawText(cr, textX, card.y + 12 * s, i18n::tr(cls.nameKey), head);
    if (row.levelAfter > row.levelBefore) {
        TextStyle tag{.size = 12 * s, .bold = true, .color = theme::kGainGreen, .align = Align::Right};
        tag.upperCase = true;
        drawText(cr, right, card.y + 15 * s, i18n::tr("reward.levelReached", {{"n", num(row.levelAfter)}}), tag);
    }
    const std::string line =
        "+" + num(row.xp) + " " + i18n::tr("common.xp") + " · " + i18n::tr("common.level") + " " + num(hero.level);
    drawText(cr, textX, card.y + 32 * s, line, TextStyle{.size = 11 * s, .color = kMutedText});
}

// The points line and three figures of what the hero fights with.
void RewardScreen::drawPointsBlock(Ctx& ctx, const Rect& card, const rpg::Hero& hero) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    fillRect(cr, {card.x + 10 * s, card.y + 74 * s, card.w - 20 * s, std::max(2 * s, 2.0)}, kBevelDark);
    TextStyle points{.size = 12 * s, .bold = true, .color = kLightGold};
    points.upperCase = true;
    drawText(cr, card.x + 12 * s, card.y + 82 * s, countText("reward.points", "n", hero.points), points);

    const rpg::Stats final = play::maxima(hero);
    struct Figure {
        const char* key;
        double value;
        uint32_t color;
    } const figures[] = {
        {"stat.hp", final.maxHp, theme::kRedText},
        {"stat.mp", final.maxMp, theme::kManaText},
        {"stat.dmg", std::max(final.atk, final.mag), kLightGold},
    };
    double x = card.x + card.w / 2 - 150 * s;
    for (const Figure& f : figures) {
        TextStyle lab{.size = 12 * s, .bold = true, .color = f.color};
        lab.upperCase = true;
        const std::string text = i18n::tr(f.key);
        double w = 0;
        measureText(cr, text, lab, &w, nullptr);
        drawText(cr, x, card.y + 102 * s, text, lab);
        drawText(cr, x + w + 5 * s, card.y + 101 * s, num(f.value),
                 TextStyle{.size = 14 * s, .bold = true, .color = kCreamText});
        x += 100 * s;
    }
}

void RewardScreen::drawStatButtons(Ctx& ctx, const Rect& card, const rpg::Hero& hero, std::optional<Pick>* pick) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const rpg::ClassDef& cls = rpg::classDef(hero.cls);
    const rpg::Stats final = play::maxima(hero);
    for (int i = 0; i < static_cast<int>(rpg::kAllocatable.size()); ++i) {
        const rpg::StatId stat = rpg::kAllocatable[i];
        const Rect b = rewardStatButton(card, i, s);
        const bool key = isKeyStat(cls, stat);
        drawStatBevel(cr, b, ctx.hover(b) && ctx.input.leftDown, std::max(2 * s, 2.0));
        TextStyle lab{.size = 9 * s,
                      .bold = key,
                      .color = key ? kLightGold : kMutedText,
                      .align = Align::Centre,
                      .fitWidth = b.w - 4 * s};
        lab.upperCase = true;
        // Label, value and step each below the last, as tall as they come
        // out; the block centred in the button.
        const std::string label = (key ? "★ " : "") + i18n::tr(rpg::statLabelKey(stat));
        const std::string value = num(rpg::statValue(final, stat));
        const std::string step = "+" + num(rpg::allocStep(stat));
        const TextStyle valueStyle{.size = 14 * s, .bold = true, .color = kCreamText};
        const TextStyle stepStyle{.size = 10 * s, .bold = true, .color = theme::kGainGreen};
        double labelH = 0, valueH = 0, stepH = 0;
        measureText(cr, label, lab, nullptr, &labelH);
        measureText(cr, value, valueStyle, nullptr, &valueH);
        measureText(cr, step, stepStyle, nullptr, &stepH);
        const double cx = b.x + b.w / 2;
        double y = b.y + std::max(2 * s, (b.h - labelH - valueH - stepH) / 2);
        drawTextTop(cr, cx, y, label, lab);
        drawTextTop(cr, cx, y += labelH, value, valueStyle);
        drawTextTop(cr, cx, y += valueH, step, stepStyle);
        if (ctx.takeClick(b)) {
            *pick = Pick{hero.id, stat};
            // The last point folds the card, and the next card moves up
            // under the pointer: a double click spends only this one.
            if (hero.points == 1) ctx.changedUnderPointer();
        }
    }
}

} // namespace ui

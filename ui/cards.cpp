// The item and hero cards of the widget kit.
#include "ui/cards.h"

#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "ui/game_ui.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widget_base.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

constexpr const char* kSep = " \u00B7 ";

void drawItemBackground(Ctx& ctx, const Rect& r, uint32_t rarity, bool selected, bool dimmed) {
    cairo_t* cr = ctx.cr;
    double borderAlpha = 1.0;
    if (dimmed) {
        fillRect(cr, r, selected ? kDarkPanel : kDarkerPanel, 0.5);
        borderAlpha = 0.4;
    } else if (selected) {
        fillRect(cr, r, kDarkPanel, 1.0);
    } else {
        fillRect(cr, r, kDarkerPanel, 1.0);
        borderAlpha = ctx.hover(r) ? 1.0 : 0.75;
    }
    strokeRoundedRect(cr, r, 0, std::max(2 * ctx.uiScale, 1.5), rarity, borderAlpha);
}

std::string levelLine(const rpg::ItemInstance& item, const rpg::ItemDef& def) {
    std::string line = levelLabel(rpg::itemLevel(item));
    if (def.weaponClassKey && *def.weaponClassKey) line += kSep + i18n::tr(def.weaponClassKey);
    if (def.twoHanded) line += kSep + i18n::tr("equip.twoHand");
    return line;
}

// Name and tag, then the bonus, affix and level lines as far as the card's
// height allows.
void drawItemTexts(Ctx& ctx, const Rect& r, const rpg::ItemInstance& item, const rpg::ItemDef& def,
                   const std::string& tag, bool dimmed) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double pad = 10 * s;
    const double bottom = r.y + r.h;
    const double headAlpha = dimmed ? 0.55 : 1.0;
    double y = r.y + pad;
    drawText(cr, r.x + pad, y, itemName(item),
             TextStyle{.size = 15 * s,
                       .bold = true,
                       .color = rarityTextColor(def.rarity),
                       .alpha = headAlpha,
                       .fitWidth = r.w - 2 * pad - 70 * s});
    if (!tag.empty())
        drawText(
            cr, r.x + r.w - pad, y, tag,
            TextStyle{.size = 14 * s, .bold = true, .color = kLightGold, .alpha = headAlpha, .align = Align::Right});
    y += 19 * s;
    const double textAlpha = dimmed ? 0.5 : 0.95;
    const std::string bonus = itemBonusLine(item);
    if (!bonus.empty()) {
        drawText(cr, r.x + pad, y, bonus,
                 TextStyle{.size = 13 * s, .color = kCreamText, .alpha = textAlpha, .fitWidth = r.w - 2 * pad});
        y += 17 * s;
    }
    const std::string affixes = affixLine(item);
    if (!affixes.empty() && bottom - y > 14 * s) {
        drawText(cr, r.x + pad, y, affixes,
                 TextStyle{.size = 12 * s, .color = kRuneBlue, .alpha = textAlpha, .fitWidth = r.w - 2 * pad});
        y += 16 * s;
    }
    if (bottom - y > 13 * s) {
        drawText(cr, r.x + pad, y, levelLine(item, def),
                 TextStyle{.size = 12 * s, .color = kMutedText, .fitWidth = r.w - 2 * pad});
    }
}

} // namespace

bool itemCard(Ctx& ctx, const Rect& r, const rpg::ItemInstance& item, const std::string& tag, bool selected,
              bool dimmed) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def) return false;
    {
        SavedState keep(ctx.cr);
        drawItemBackground(ctx, r, rpg::rarityColor(def->rarity), selected, dimmed);
        drawItemTexts(ctx, r, item, *def, tag, dimmed);
    }
    return ctx.takeClick(r);
}

bool heroCard(Ctx& ctx, const Rect& r, const rpg::Hero& hero, double hp, double mp, bool selected) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double pad = 10 * s;
    const double portrait = std::min(64 * s, r.h - 2 * pad);
    const double left = r.x + 2 * pad + portrait;
    const double w = r.x + r.w - pad - left;
    pixelPanel(ctx, r, !selected);
    {
        SavedState keep(cr);
        if (selected) strokeRoundedRect(cr, r, 0, std::max(3 * s, 2.0), kLightGold, 1.0);
        drawSpriteCairo(cr, rpg::classDef(hero.cls).id, r.x + pad, r.y + pad, portrait, portrait, nullptr, 0, false,
                        1.0);
        drawText(cr, left, r.y + pad, hero.name,
                 TextStyle{.size = 15 * s, .bold = true, .color = kCreamText, .fitWidth = w});
        const std::string line =
            className(hero.cls) + kSep + levelLabel(hero.level);
        drawText(cr, left, r.y + pad + 18 * s, line, TextStyle{.size = 12 * s, .color = kMutedText, .fitWidth = w});
    }
    const rpg::Stats max = rpg::deriveStats(hero);
    const Rect hpBar{left, r.y + pad + 38 * s, w, 11 * s};
    statBar(ctx, hpBar, hp, rpg::statValue(max, rpg::StatId::MaxHp), kHpRed, kHpRedDark, "");
    statBar(ctx, {left, hpBar.y + hpBar.h + 3 * s, w, 11 * s}, mp, rpg::statValue(max, rpg::StatId::MaxMp), kManaBlue,
            kManaBlueDark, "");
    return ctx.takeClick(r);
}

} // namespace ui

// The lower half of the party sheet: the nine worn slots with the stash items
// that fit them, the bag with the potions the stash can hand over, and the
// hero's skills with the way to the trainer. Clicks here only record.
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/skills.h"
#include "screens/party.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/legible.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using Offer = std::vector<const rpg::ItemInstance*>;

const char* handKey(const rpg::ItemDef& def) { return def.twoHanded ? "equip.twoHand" : "equip.oneHand"; }

// "Blade  ·  1H  ·  ATK +6  CRIT +2" under a worn item; empty when there is
// nothing to say.
std::string wornMetaLine(const rpg::ItemInstance& item, const rpg::ItemDef& def) {
    std::string line = def.weaponClassKey ? i18n::tr(def.weaponClassKey) : std::string();
    if (def.slot == rpg::ItemSlot::Weapon) {
        if (!line.empty()) line += "  ·  ";
        line += i18n::tr(handKey(def));
    }
    std::string bonus;
    const rpg::Stats stats = rpg::itemBonus(item);
    for (rpg::StatId stat : rpg::kAllocatable) {
        const double v = rpg::statValue(stats, stat);
        if (v == 0) continue;
        if (!bonus.empty()) bonus += "  ";
        bonus += i18n::tr(rpg::statLabelKey(stat)) + " " + (v > 0 ? "+" : "") + num(v);
    }
    if (!bonus.empty() && !line.empty()) line += "  ·  ";
    return line + bonus;
}

std::string candidateName(const rpg::ItemDef& def) {
    const std::string name = i18n::tr(def.nameKey);
    return def.slot == rpg::ItemSlot::Weapon && def.weaponClassKey ? withWeaponKind(name, def) : name;
}

// One chip per stat either item has, marked by how the offer compares with
// what is worn; chips that would run past `right` are left out.
void comparisonChips(cairo_t* cr, double x, double y, double right, double s, const rpg::Stats& offer,
                     const rpg::Stats& worn) {
    for (rpg::StatId stat : rpg::kAllocatable) {
        const double c = rpg::statValue(offer, stat);
        const double e = rpg::statValue(worn, stat);
        if (c == 0 && e == 0) continue;
        std::string text = i18n::tr(rpg::statLabelKey(stat)) + " " + (c > 0 ? "+" : "") + num(c);
        std::uint32_t color = theme::kMutedText;
        if (c > e) {
            text += "▲";
            color = theme::kGainGreen;
        } else if (c < e) {
            text += "▼";
            color = theme::kRedText;
        }
        const TextStyle st{.size = 10 * s, .bold = true, .color = color};
        double tw = 0;
        double th = 0;
        measureText(cr, text, st, &tw, &th);
        if (x + tw > right) return;
        drawText(cr, x, y, text, st);
        x += tw + 6 * s;
    }
}

void sectionTitle(cairo_t* cr, double x, double y, double w, const char* key, double s) {
    drawText(cr, x, y, i18n::tr(key),
             TextStyle{.size = 13 * s, .bold = true, .color = theme::kGold, .fitWidth = w, .upperCase = true});
}

} // namespace

// --- Equipment ---

double PartyScreen::equipment(Sheet& sh, double y) {
    const double s = sh.s;
    if (sh.shows(y, 26 * s)) sectionTitle(sh.ctx.cr, sh.x, y + 4 * s, sh.w, "party.equip", s);
    y += 26 * s;
    std::array<Offer, rpg::kEquipSlotCount> offers;
    bool anyOffer = false;
    for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
        offers[static_cast<std::size_t>(i)] =
            candidates(sh.hero, static_cast<rpg::EquipSlot>(i), store::meta().stash);
        anyOffer = anyOffer || !offers[static_cast<std::size_t>(i)].empty();
    }
    if (!anyOffer) {
        if (sh.shows(y, 26 * s)) {
            drawTextTop(
                sh.ctx.cr, sh.x + sh.w / 2, y + 4 * s, i18n::tr("party.stashEmpty"),
                TextStyle{.size = 12 * s, .color = theme::kMutedText, .align = Align::Centre, .fitWidth = sh.w});
        }
        y += 26 * s;
    }
    for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
        y = slotRow(sh, y, static_cast<rpg::EquipSlot>(i), offers[static_cast<std::size_t>(i)]);
    }
    return y;
}

double PartyScreen::slotRow(Sheet& sh, double y, rpg::EquipSlot slot, const Offer& offered) {
    const rpg::ItemInstance& worn = sh.hero.equipment[slot];
    const rpg::ItemDef* def = worn.defId.empty() ? nullptr : rpg::findItem(worn.defId);
    const bool locked = play::isSlotLocked(sh.hero, slot);
    if (sh.shows(y, 38 * sh.s)) slotHeader(sh, {sh.x, y, sh.w, 38 * sh.s}, slot, def, locked, offered);
    double below = y + 38 * sh.s;
    if (def) below = wornDetails(sh, below, worn, *def);
    if (selectedSlot_ == slot && !locked) {
        below = candidateList(sh, below, slot, offered);
        if (sh.draw && std::exchange(revealAsked_, false)) {
            // As far as the list's bottom needs, never past the slot's own row.
            const double overflow = below + 6 * sh.s - sh.visibleBottom;
            revealBy_ = std::max(0.0, std::min(overflow, y - sh.visibleTop));
        }
    }
    return below + 6 * sh.s;
}

// The bevelled row with the slot's name, what it holds, the unequip cross
// and the click that opens or closes the slot's list.
void PartyScreen::slotHeader(Sheet& sh, const Rect& row, rpg::EquipSlot slot, const rpg::ItemDef* def, bool locked,
                             const Offer& offered) {
    const double s = sh.s;
    cairo_t* cr = sh.ctx.cr;
    fillRect(cr, row, theme::kDarkPanel, locked ? 0.5 : 1.0);
    drawBevel(cr, row, std::max(2 * s, 2.0), theme::kBevelLight, theme::kBevelDark);
    drawText(cr, row.x + 10 * s, row.y + 11 * s, i18n::tr(std::string("party.slot.") + rpg::equipSlotKey(slot)),
             TextStyle{.size = 12 * s, .color = theme::kMutedText, .fitWidth = 64 * s, .upperCase = true});
    const std::string itemText = locked ? i18n::tr("party.twoHandedLock")
                                 : def  ? i18n::tr(def->nameKey)
                                        : i18n::tr("party.empty");
    drawText(cr, row.x + 80 * s, row.y + 11 * s, itemText,
             TextStyle{.size = 13 * s,
                       .color = def ? rarityTextColor(def->rarity) : theme::kMutedText,
                       .fitWidth = row.w - 120 * s});
    // The cross comes first so that its click is not also the row's.
    if (def) {
        const Rect cross{row.x + row.w - 30 * s, row.y + 6 * s, 24 * s, 26 * s};
        TextStyle st{
            .size = 16 * s, .bold = true, .color = theme::kRedText, .align = Align::Centre, .fitWidth = cross.w};
        st.family = kFontSans;
        drawTextIn(cr, cross, "✕", st);
        if (sh.ctx.takeClick(cross)) {
            audio::play(audio::Sfx::Remove);
            pending_.unequip = slot;
        }
    }
    if (locked || !sh.ctx.takeClick(row)) return;
    if (offered.empty()) {
        audio::play(audio::Sfx::Error);
        return;
    }
    audio::play(audio::Sfx::Click);
    if (selectedSlot_ == slot) selectedSlot_.reset();
    else selectedSlot_ = slot;
    revealAsked_ = selectedSlot_.has_value();
}

// The worn item's kind and bonus, then its affixes; returns the cursor below.
double PartyScreen::wornDetails(Sheet& sh, double y, const rpg::ItemInstance& worn, const rpg::ItemDef& def) {
    const double s = sh.s;
    const std::string meta = wornMetaLine(worn, def);
    // Each line as tall as it comes out in the language's script.
    const double line = lineHeightOfLanguage(10 * s);
    if (!meta.empty()) {
        const double h = std::max(15 * s, 2 * s + line + s);
        if (sh.shows(y, h)) {
            drawText(sh.ctx.cr, sh.x + 10 * s, y + 2 * s, meta,
                     TextStyle{.size = 10 * s, .color = theme::kGainGreen, .fitWidth = sh.w - 20 * s});
        }
        y += h;
    }
    if (!worn.affixes.empty()) {
        const double h = std::max(14 * s, s + line + s);
        if (sh.shows(y, h)) {
            drawMarkedText(
                sh.ctx.cr, sh.x + 10 * s, y + s, affixLine(worn),
                TextStyle{.size = 10 * s, .bold = true, .color = theme::kManaText, .fitWidth = sh.w - 20 * s});
        }
        y += h;
    }
    return y;
}

namespace {

// A candidate's row: its name, the comparison chips and its affixes, each
// line as tall as it comes out in the language's script.
double candidateRowHeight(double s) {
    return std::max(52 * s, 5 * s + lineHeightOfLanguage(13 * s) + 2 * s + lineHeightOfLanguage(10 * s) + 2 * s +
                                lineHeightOfLanguage(10 * s) + 3 * s);
}

} // namespace

double PartyScreen::candidateList(Sheet& sh, double y, rpg::EquipSlot slot, const Offer& offered) {
    const double s = sh.s;
    const double top = y + 4 * s;
    const double rowH = candidateRowHeight(s);
    const double height =
        8 * s + (offered.empty() ? 24 * s : static_cast<double>(offered.size()) * (rowH + 6 * s));
    if (sh.shows(top, height)) {
        pixelPanel(sh.ctx, {sh.x, top, sh.w, height}, true);
        if (offered.empty()) {
            drawTextTop(
                sh.ctx.cr, sh.x + sh.w / 2, top + 8 * s, i18n::tr("party.noFit"),
                TextStyle{.size = 12 * s, .color = theme::kMutedText, .align = Align::Centre, .fitWidth = sh.w});
        }
        for (std::size_t j = 0; j < offered.size(); ++j) {
            const Rect row{sh.x + 6 * s, top + 6 * s + static_cast<double>(j) * (rowH + 6 * s), sh.w - 12 * s, rowH};
            if (sh.shows(row.y, row.h)) candidateRow(sh, row, slot, *offered[j]);
        }
    }
    return y + 4 * s + height;
}

void PartyScreen::candidateRow(Sheet& sh, const Rect& r, rpg::EquipSlot slot, const rpg::ItemInstance& item) {
    const double s = sh.s;
    cairo_t* cr = sh.ctx.cr;
    if (const rpg::ItemDef* def = rpg::findItem(item.defId)) {
        fillRect(cr, r, theme::kBarTrack, 1.0);
        const double right = r.x + r.w;
        drawText(cr, r.x + 8 * s, r.y + 5 * s, candidateName(*def),
                 TextStyle{.size = 13 * s, .bold = true, .color = rarityTextColor(def->rarity), .fitWidth = 0.7 * r.w});
        drawText(cr, right - 8 * s, r.y + 6 * s, levelLabel(rpg::itemLevel(item)),
                 TextStyle{.size = 11 * s, .bold = true, .color = theme::kLightGold, .align = Align::Right});
        const rpg::ItemInstance& worn = sh.hero.equipment[slot];
        const bool filled = !worn.defId.empty() && rpg::findItem(worn.defId);
        const double chipsTop = r.y + std::max(26 * s, 5 * s + lineHeightOfLanguage(13 * s) + 2 * s);
        comparisonChips(cr, r.x + 8 * s, chipsTop, right - 8 * s, s, rpg::itemBonus(item),
                        filled ? rpg::itemBonus(worn) : rpg::Stats{});
        if (!item.affixes.empty()) {
            drawMarkedText(
                cr, r.x + 8 * s, std::max(r.y + 38 * s, chipsTop + lineHeightOfLanguage(10 * s) + 2 * s),
                affixLine(item),
                TextStyle{.size = 10 * s, .bold = true, .color = theme::kManaText, .fitWidth = r.w - 16 * s});
        }
    }
    if (sh.ctx.takeClick(r)) {
        audio::play(audio::Sfx::Place);
        pending_.equipId = item.uid;
        pending_.equipSlot = slot;
    }
}

// --- Bag ---

double PartyScreen::bag(Sheet& sh, double y) {
    const double s = sh.s;
    if (sh.shows(y, 26 * s)) sectionTitle(sh.ctx.cr, sh.x, y + 4 * s, sh.w, "party.bag", s);
    y += 26 * s;
    const std::vector<ItemGroup> bagGroups = groupByDefinition(sh.hero.bag, false);
    const std::vector<ItemGroup> stashGroups = groupByDefinition(store::meta().stash, true);
    const double height = 12 * s + (bagGroups.empty() ? 22 * s : static_cast<double>(bagGroups.size()) * 24 * s) +
                          (stashGroups.empty() ? 0 : 18 * s + static_cast<double>(stashGroups.size()) * 24 * s);
    if (!sh.shows(y, height)) return y + height + 12 * s;
    cairo_t* cr = sh.ctx.cr;
    pixelPanel(sh.ctx, {sh.x, y, sh.w, height}, true);
    double inner = y + 6 * s;
    const double rowX = sh.x + 8 * s;
    const double rowW = sh.w - 16 * s;
    if (bagGroups.empty()) {
        drawTextTop(cr, sh.x + sh.w / 2, inner, i18n::tr("party.bagEmpty"),
                    TextStyle{.size = 12 * s, .color = theme::kMutedText, .align = Align::Centre, .fitWidth = sh.w});
        inner += 22 * s;
    }
    for (const ItemGroup& g : bagGroups) {
        bagRow(sh.ctx, {rowX, inner, rowW, 24 * s}, g.defId, g.count, true);
        inner += 24 * s;
    }
    if (!stashGroups.empty()) {
        drawText(cr, rowX, inner + 2 * s, i18n::tr("party.fromStash"),
                 TextStyle{.size = 10 * s, .color = theme::kMutedText, .fitWidth = rowW, .upperCase = true});
        inner += 18 * s;
        for (const ItemGroup& g : stashGroups) {
            bagRow(sh.ctx, {rowX, inner, rowW, 24 * s}, g.defId, g.count, false);
            inner += 24 * s;
        }
    }
    return y + height + 12 * s;
}

void PartyScreen::bagRow(Ctx& ctx, const Rect& r, const std::string& defId, int count, bool toStash) {
    const rpg::ItemDef* def = rpg::findItem(defId);
    if (!def) return;
    const double s = ctx.uiScale;
    const double right = r.x + r.w;
    drawText(ctx.cr, r.x, r.y + 2 * s, i18n::tr(def->nameKey) + " \u00d7" + num(count),
             TextStyle{.size = 13 * s, .bold = true, .color = rarityTextColor(def->rarity), .fitWidth = 0.6 * r.w});
    const std::string action = toStash ? std::string(forwardArrow()) + " " + i18n::tr("party.toStash") : "+ " + i18n::tr("party.toBag");
    drawText(ctx.cr, right, r.y + 4 * s, action,
             TextStyle{.size = 11 * s,
                       .bold = true,
                       .color = toStash ? theme::kMutedText : theme::kGainGreen,
                       .align = Align::Right,
                       .fitWidth = 0.4 * r.w - 8 * s});
    if (ctx.takeClick({right - 120 * s, r.y, 120 * s, r.h})) {
        audio::play(audio::Sfx::Place);
        pending_.moveId = defId;
        pending_.moveToBag = !toStash;
    }
}

// --- Skills ---

double PartyScreen::skills(Sheet& sh, double y) {
    const double s = sh.s;
    const std::vector<std::string> ids = rpg::unlockedSkills(sh.hero);
    const double n = static_cast<double>(ids.size());
    // The name over its description, each as tall as it comes out.
    const double descTop = std::max(18 * s, lineHeightOfLanguage(13 * s) + s);
    const double rowH = std::max(38 * s, descTop + lineHeightOfLanguage(11 * s) + 3 * s);
    const Rect panel{sh.x, y + 28 * s, sh.w, n * rowH + 12 * s};
    if (!sh.shows(y, panel.y + panel.h - y)) return panel.y + panel.h;
    cairo_t* cr = sh.ctx.cr;
    sectionTitle(cr, sh.x, y + 4 * s, 0.6 * sh.w, "party.skills", s);
    drawText(
        cr, sh.x + sh.w, y + 5 * s, i18n::tr("party.trainSkills") + " ›",
        TextStyle{.size = 12 * s, .bold = true, .color = theme::kGold, .align = Align::Right, .fitWidth = 190 * s});
    if (sh.ctx.takeClick({sh.x + sh.w - 190 * s, y, 190 * s, 24 * s})) {
        audio::play(audio::Sfx::Click);
        openTrainer_ = true;
    }
    pixelPanel(sh.ctx, panel, true);
    const double right = panel.x + panel.w;
    double rowY = panel.y + 6 * s;
    for (const std::string& id : ids) {
        const rpg::SkillDef* skill = rpg::findSkill(id);
        if (!skill) continue;
        if (!sh.shows(rowY, rowH)) {
            rowY += rowH;
            continue;
        }
        drawText(cr, panel.x + 8 * s, rowY, i18n::tr(skill->nameKey),
                 TextStyle{.size = 13 * s, .bold = true, .color = theme::kLightGold, .fitWidth = 0.6 * panel.w});
        drawText(cr, right - 8 * s, rowY + 2 * s, levelLabel(rpg::skillLevel(sh.hero, id)),
                 TextStyle{.size = 11 * s, .bold = true, .color = theme::kGold, .align = Align::Right});
        std::string desc = i18n::tr(skill->descKey);
        if (skill->manaCost > 0) desc = withManaCost(desc, skill->manaCost);
        drawText(cr, panel.x + 8 * s, rowY + descTop, desc,
                 TextStyle{.size = 11 * s, .color = theme::kMutedText, .fitWidth = panel.w - 16 * s});
        rowY += rowH;
    }
    return panel.y + panel.h;
}

} // namespace ui

// The barracks' frame: a row's click moves its hero into or out of the
// party, the gear button opens the party screen, and the cross dismisses a
// hero for good, after asking, with its gear going to the stash.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/common.h"
#include "screens/kaserne.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

bool inParty(const store::Meta& meta, const std::string& id) {
    return std::find(meta.partyIds.begin(), meta.partyIds.end(), id) != meta.partyIds.end();
}

} // namespace

void KaserneScreen::update(Ctx& ctx) {
    const double s = ctx.uiScale;
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
    bool back = false;
    const double headerH = gameHeader(ctx, i18n::tr("city.kaserne"), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();
        return;
    }
    const store::Meta& meta = store::meta();
    const KaserneLayout lay = kaserneLayout(meta.roster, ctx.width, ctx.height, s, headerH);
    drawCounts(ctx, lay.list, headerH + 6 * s);
    // The bar stands clear of the rows' right edges and their outlines.
    scroll_ = beginScroll(ctx, "kaserne.roster", lay.list, lay.content, scroll_, 8 * s);
    const RosterClick click = drawList(ctx, lay);
    endScroll(ctx);
    apply(ctx, click);
}

void KaserneScreen::drawCounts(Ctx& ctx, const Rect& list, double y) {
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const double party = static_cast<double>(meta.partyIds.size());
    const double parked = static_cast<double>(meta.roster.size()) - party;
    const double cap = rpg::partyCap(static_cast<double>(meta.ascension));
    drawText(ctx.cr, list.x + 16 * s, y, i18n::tr("kaserne.active", {{"n", num(party)}, {"cap", num(cap)}}),
             TextStyle{.size = 13 * s, .bold = true, .color = kGold});
    drawText(ctx.cr, list.x + list.w - 16 * s, y, i18n::tr("kaserne.parked", {{"n", num(parked)}}),
             TextStyle{.size = 13 * s, .bold = true, .color = kMutedText, .align = Align::Right});
}

KaserneScreen::RosterClick KaserneScreen::drawList(Ctx& ctx, const KaserneLayout& lay) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const bool canDismiss = meta.roster.size() >= 2;
    const Rect& L = lay.list;
    RosterClick click;
    TextStyle head{.size = 13 * s, .bold = true, .color = kLightGold};
    head.upperCase = true;
    for (const KaserneLine& line : lay.lines) {
        if (!line.hero) {
            drawText(cr, L.x + 16 * s, line.y - scroll_ + 4 * s,
                     className(line.cls) + " \u00B7 " + num(line.count), head);
            continue;
        }
        const Rect r = kaserneRowRect(lay, line, s, scroll_);
        if (r.y + r.h <= L.y || r.y >= L.y + L.h) continue;
        const rpg::Hero& hero = *line.hero;
        row(ctx, r, hero, inParty(meta, hero.id));
        if (ctx.takeClick(kaserneGearRect(r, s))) {
            click.gearId = hero.id;
        } else if (canDismiss && ctx.takeClick(kaserneCrossRect(r, s))) {
            click.dismissId = hero.id;
            click.dismissName = hero.name;
        } else if (ctx.takeClick(r)) {
            click.toggled = hero.id;
        }
    }
    return click;
}

void KaserneScreen::row(Ctx& ctx, const Rect& R, const rpg::Hero& hero, bool member) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    pixelPanel(ctx, R, true);
    if (member) strokeRoundedRect(cr, R, 0, 2 * s, theme::kGainGreen);
    const int frame = static_cast<int>(2 * ctx.now + R.y) % 2;
    drawSpriteCairo(cr, rpg::classDef(hero.cls).id, R.x + 10 * s, R.y + 8 * s, 48 * s, 48 * s, nullptr, frame,
                    false, 1.0);
    drawText(cr, R.x + 66 * s, R.y + 8 * s, hero.name.empty() ? className(hero.cls) : hero.name,
             TextStyle{.size = 14 * s, .bold = true, .color = kCreamText, .fitWidth = R.w - 216 * s});
    TextStyle tag{
        .size = 9 * s, .bold = true, .color = member ? theme::kGainGreen : theme::kDimText, .align = Align::Right};
    tag.upperCase = true;
    drawText(cr, R.x + R.w - 70 * s, R.y + 10 * s, i18n::tr(member ? "kaserne.inParty" : "kaserne.parkedTag"),
             tag);
    drawText(cr, R.x + 66 * s, R.y + 26 * s,
             className(hero.cls) + " \u00B7 " + i18n::tr("common.level") + " " + num(hero.level),
             TextStyle{.size = 11 * s, .color = kMutedText});
    const play::Vitals v = play::vitals(hero);
    animBar(ctx, "kaserne." + hero.id, {R.x + 66 * s, R.y + 44 * s, R.w - 136 * s, 10 * s}, std::max(0.0, v.hp),
            v.maxHp, theme::kHpRed, false);
    TextStyle gear{.size = 20 * s, .color = kGold};
    gear.family = kFontSans;
    drawTextCentered(cr, R.x + R.w - 50 * s, R.y + 32 * s, "\u2699", gear);
    TextStyle cross{.size = 18 * s, .bold = true, .color = theme::kHpRed};
    cross.family = kFontSans;
    drawTextCentered(cr, R.x + R.w - 18 * s, R.y + 32 * s, "\u2715", cross);
}

// The dismissal's question is the dialog drawn last, above the list; it
// opens in the frame of the cross's click.
void KaserneScreen::apply(Ctx& ctx, const RosterClick& click) {
    if (!click.toggled.empty()) ui::answer(play::toggleParty(click.toggled));
    if (click.gearId) {
        audio::play(audio::Sfx::Click);
        // The row's own hero, in the party or in reserve.
        GameState party;
        party.screen = kParty;
        party.heroId = *click.gearId;
        Game::instance().push(party);
        return;
    }
    if (!click.dismissId.empty()) {
        pendingId_ = click.dismissId;
        pendingName_ = click.dismissName;
    }
    if (pendingId_.empty()) return;
    const DialogAnswer answer = confirmDialog(ctx, i18n::tr("kaserne.dismiss"),
                                              i18n::tr("kaserne.dismissConfirm", {{"name", pendingName_}}),
                                              i18n::tr("common.confirm"), i18n::tr("common.cancel"));
    if (answer == DialogAnswer::Confirmed) ui::answer(play::dismissHero(pendingId_));
    if (answer != DialogAnswer::Open) pendingId_.clear();
}

std::unique_ptr<Screen> makeKaserneScreen() { return std::make_unique<KaserneScreen>(); }

} // namespace ui

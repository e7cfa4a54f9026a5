#include "screens/map.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

void MapScreen::update(Ctx& ctx) {
    const rpg::RunState& run = store::run();
    const int world = store::meta().ascension + 1;
    const double s = ctx.uiScale;
    const std::int32_t active = rpg::activeRow(run);
    drawScenery(ctx, world, active, run.map.rows);

    bool back = false;
    const double header = gameHeader(ctx, i18n::tr("map.worldTitle", {{"n", num(world)}}), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();
        return;
    }
    drawGoldLine(ctx, header + 4 * s, 15 * s);
    drawPartyStrip(ctx, header + 28 * s);

    if (!scrollReady_) {
        scrollReady_ = true;
        scroll_ = mapInitialScroll(run.map.rows, active, s);
    }
    MapLayout l = mapLayout(ctx.width, ctx.height, s, run.map.rows, scroll_);
    scroll_ = beginScroll(ctx, "map.rows", l.view, l.contentHeight(), scroll_);
    l = mapLayout(ctx.width, ctx.height, s, run.map.rows, scroll_);
    const SortedRows rows = sortedRows(run.map);
    drawTrail(ctx.cr, l, active);
    const rpg::MapNode* entered = drawRows(ctx, l, rows, run);
    drawTraveler(ctx, l, rows, run);
    endScroll(ctx);
    if (entered) enter(*entered);
}

void MapScreen::startMove(double tx, double ty, const std::string& pos, double now, double s) {
    if (movedFor_.empty()) {
        drawnX_ = tx;
        drawnY_ = ty;
    }
    fromX_ = drawnX_;
    fromY_ = drawnY_;
    toX_ = tx;
    toY_ = ty;
    movedFor_ = pos;
    moveStart_ = now;
    moveTime_ = travelDuration(std::hypot(tx - fromX_, ty - fromY_), s);
    mirrored_ = tx - fromX_ < -4 * s;
}

void MapScreen::drawTraveler(Ctx& ctx, const MapLayout& l, const SortedRows& rows, const rpg::RunState& run) {
    const rpg::MapNode* here = rpg::nodeById(run.map, run.pos);
    if (!here || here->row < -1 || here->row >= l.rows) return;
    const std::vector<const rpg::MapNode*>& row = rows.at(here->row);
    const int index = static_cast<int>(std::find(row.begin(), row.end(), here) - row.begin());
    const Rect tile = l.tile(here->row, index, static_cast<int>(row.size()));
    const double s = ctx.uiScale;
    const double tx = tile.x + tile.w / 2;
    const double ty = tile.y + 6 * s;

    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    if (heroes.empty()) {
        const TextStyle star{.family = kFontSans, .size = 16 * s, .color = theme::kLightGold};
        drawTextTop(ctx.cr, tx, ty - 16 * s, "✦", star);
        return;
    }
    const rpg::Hero* figure = heroes.front();
    for (const rpg::Hero* h : heroes) {
        if (play::vitals(*h).hp > 0) {
            figure = h;
            break;
        }
    }

    if (run.pos != movedFor_) {
        startMove(tx, ty, run.pos, ctx.now, s);
    } else {
        toX_ = tx;  // follows scrolling and resizing
        toY_ = ty;
    }
    const double p = moveTime_ > 0 ? std::clamp((ctx.now - moveStart_) / moveTime_, 0.0, 1.0) : 1.0;
    const double e = p < 0.5 ? 2 * p * p : 1 - 2 * (1 - p) * (1 - p);
    drawnX_ = fromX_ + e * (toX_ - fromX_);
    drawnY_ = fromY_ + e * (toY_ - fromY_);
    const int frame = static_cast<int>(std::floor(2 * ctx.now)) % 2;
    drawSpriteCairo(ctx.cr, rpg::classDef(figure->cls).id, drawnX_ - 16 * s, drawnY_ - 32 * s, 32 * s, 32 * s,
                    nullptr, frame, mirrored_, 1.0);
}

void MapScreen::enter(const rpg::MapNode& node) {
    const rpg::MapNode target = node;  // the run is changed below; keep our own copy
    const play::Result r = play::enterNode(target.id);
    if (!answer(r)) return;
    if (r.next == play::Next::BossChest) Game::instance().push(bossChestEntry(target.id, store::run().depth));
    else if (const auto entry = mapNodeEntry(target)) Game::instance().push(*entry);
}

std::unique_ptr<Screen> makeMapScreen() { return std::make_unique<MapScreen>(); }

} // namespace ui

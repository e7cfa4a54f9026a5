// The run map: the rows of the run's map as a ladder from the start at the
// bottom to the boss at the top, the party's hit points, and a small
// traveller walking to the node the party stands on. A click on an
// enterable node moves the run there, saves it and opens the node's screen.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "play/party.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/run.h"
#include "screens/common.h"
#include "screens/map_layout.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// The map's nodes row by row (the start row -1 first), each row by column.
using SortedRows = std::map<std::int32_t, std::vector<const rpg::MapNode*>>;

SortedRows sortedRows(const rpg::GameMap& map) {
    SortedRows rows;
    for (const rpg::MapNode& n : map.nodes) rows[n.row].push_back(&n);
    for (auto& [row, nodes] : rows) {
        std::stable_sort(nodes.begin(), nodes.end(),
                         [](const rpg::MapNode* a, const rpg::MapNode* b) { return a->col < b->col; });
    }
    return rows;
}

// Rises and falls once every 1.24 s.
double pulseAt(double t) {
    double x = std::fmod(t, 1.24) / 0.62;
    if (x > 1) x = 2 - x;
    return 0.5 - 0.5 * std::cos(kPi * x);
}

void drawScenery(const Ctx& ctx, int world, std::int32_t activeRow, std::int32_t rows) {
    SceneOpts o;
    o.theme = themeForWorld(world);
    o.count = 14;
    o.horizon = 0.5;
    o.embers = false;
    const std::string seedText = "map:" + std::to_string(world) + ":" + std::to_string(activeRow);
    o.weather = weatherForSeed(seedText, static_cast<SceneTheme>(o.theme));
    o.daytime = daytimeForProgress(activeRow, rows);
    o.intensity = 1.0;
    sceneBackdrop(ctx, o);
}

void drawPartyStrip(Ctx& ctx, double y) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    fillRoundedRect(cr, {8 * s, y, ctx.width - 16 * s, 40 * s}, 6 * s, theme::kPlateDark, 0.62);
    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    const double n = static_cast<double>(heroes.size());
    if (heroes.empty()) return;
    const double cw = (ctx.width - 16 * s - 24 * s - (n - 1) * 8 * s) / n;
    for (std::size_t i = 0; i < heroes.size(); ++i) {
        const rpg::Hero& hero = *heroes[i];
        const double x = 20 * s + static_cast<double>(i) * (cw + 8 * s);
        TextStyle name;
        name.size = 10 * s;
        name.color = theme::kCreamText;
        name.fitWidth = 0.7 * cw;
        const std::string cls = i18n::tr(rpg::classDef(hero.cls).nameKey);
        double nameW = 0;
        measureText(cr, cls, name, &nameW, nullptr);
        drawText(cr, x, y + 6 * s, cls, name);
        TextStyle lvl;
        lvl.size = 10 * s;
        lvl.bold = true;
        lvl.color = theme::kLightGold;
        drawText(cr, x + std::min(nameW, 0.7 * cw) + 4 * s, y + 6 * s, levelLabel(hero.level), lvl);
        const play::Vitals v = play::vitals(hero);
        animBar(ctx, "map." + hero.id, {x, y + 22 * s, cw, 12 * s}, v.hp, v.maxHp, theme::kHpRed, false);
    }
}

// The road from the start to the boss, bending left and right between rows,
// with a ring on every row's centre line.
void drawTrail(cairo_t* cr, const MapLayout& l, std::int32_t activeRow) {
    const double s = l.s;
    const double bend = std::min(0.32 * l.hw, 60 * s);
    auto bar = [&](double x1, double y1, double x2, double y2, bool taken) {
        const double thick = (taken ? 16 : 14) * s;
        const double len = std::hypot(x2 - x1, y2 - y1) + 8 * s;
        SavedState keep(cr);
        cairo_translate(cr, (x1 + x2) / 2, (y1 + y2) / 2);
        cairo_rotate(cr, std::atan2(y2 - y1, x2 - x1));
        fillRoundedRect(cr, {-len / 2, -thick / 2, len, thick}, thick / 2, taken ? theme::kRoadTaken : theme::kRoad,
                        0.92);
    };
    for (std::int32_t r = -1; r <= l.rows - 2; ++r) {
        const double sigma = (r % 2 == 0) ? 1 : -1;
        const double y1 = l.rowY(r);
        const double y2 = l.rowY(r + 1);
        const double mx = l.cx + bend * sigma;
        const double my = (y1 + y2) / 2;
        bar(l.cx, y1, mx, my, r < activeRow);
        bar(mx, my, l.cx, y2, r < activeRow);
    }
    for (std::int32_t r = -1; r <= l.rows - 1; ++r) {
        fillCircle(cr, l.cx, l.rowY(r), 13 * s, theme::kRowMark, 0.9);
        strokeCircle(cr, l.cx, l.rowY(r), 12 * s, 2 * s, theme::kRowMarkEdge, 0.9);
    }
}

class MapScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    bool field(Ctx& ctx, const Rect& tile, const rpg::MapNode& node, const play::NodeState& f);
    void drawTraveler(Ctx& ctx, const MapLayout& l, const SortedRows& rows, const rpg::RunState& run);
    const rpg::MapNode* drawRows(Ctx& ctx, const MapLayout& l, const SortedRows& rows, const rpg::RunState& run);
    void startMove(double tx, double ty, const std::string& pos, double now, double s);
    static void enter(const rpg::MapNode& node);

    double scroll_ = 0;
    bool scrollReady_ = false;
    std::string movedFor_;        // the position the traveller's move was started for
    double drawnX_ = 0, drawnY_ = 0;
    double fromX_ = 0, fromY_ = 0;
    double toX_ = 0, toY_ = 0;
    double moveStart_ = 0;        // seconds of the frame clock
    double moveTime_ = 0;         // seconds
    bool mirrored_ = false;
};

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

const rpg::MapNode* MapScreen::drawRows(Ctx& ctx, const MapLayout& l, const SortedRows& rows,
                                        const rpg::RunState& run) {
    const std::vector<std::string> reachable = rpg::reachableFrom(run);
    const rpg::MapNode* clicked = nullptr;
    for (const auto& [r, nodes] : rows) {
        if (r < -1 || r >= l.rows) continue;
        const int m = static_cast<int>(nodes.size());
        for (int i = 0; i < m; ++i) {
            if (field(ctx, l.tile(r, i, m), *nodes[i], play::nodeState(run, *nodes[i], reachable))) clicked = nodes[i];
        }
    }
    return clicked;
}

bool MapScreen::field(Ctx& ctx, const Rect& tile, const rpg::MapNode& node, const play::NodeState& f) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const MapNodeLook& look = mapNodeLook(node.type);
    const bool pulsing = f.reachable && !f.cleared;
    const double o = pulsing ? pulseAt(ctx.now) : 0;
    const double k = 1 + 0.07 * o;
    const Rect sr{tile.x + tile.w / 2 * (1 - k), tile.y + tile.h / 2 * (1 - k), tile.w * k, tile.h * k};

    // Every tile is opaque, so the road never shows through; what cannot be
    // entered is dimmed by its outline and a softer sign.
    std::uint32_t fill = theme::kNodeFill, outline = look.colour, ink = theme::kMutedText;
    double edge = 0.5, q = 0.8;
    if (f.current) {
        fill = theme::kDeepGold;
        outline = theme::kLightGold;
        ink = theme::kCreamText;  // the muted brown and the signs' colours vanish on the gold
        edge = q = 1;
    } else if (f.enterable()) {
        fill = theme::kDarkPanel;
        edge = q = 1;
    } else if (f.cleared) {
        fill = theme::kDarkPanel;
        edge = 0.85;
        q = 1;
    }
    fillRect(cr, sr, fill, 1.0);
    strokeRoundedRect(cr, sr, 0, 3 * s, outline, edge);
    if (pulsing) {
        const Rect outer{sr.x - 3 * s, sr.y - 3 * s, sr.w + 6 * s, sr.h + 6 * s};
        strokeRoundedRect(cr, outer, 0, 3 * s, look.colour, 0.85 * o);
        const TextStyle arrow{
            .family = kFontSans, .size = 13 * s, .color = theme::kLightGold, .alpha = 0.75 + 0.25 * o};
        const double ay = tile.y - 19 * s - 4 * s * o;
        // A dark copy under it: the arrow stands on the open sky.
        const double off = std::max(s, 1.0);
        drawShadowedTextTop(cr, tile.x + tile.w / 2, ay, "▼", arrow, {.dx = off, .dy = off, .alpha = 0.7});
    } else if (f.cleared) {
        const double shimmer = 0.5 - 0.5 * std::cos(kPi * std::fmod(ctx.now, 5.2) / 2.6);
        fillRect(cr, sr, theme::kGold, 0.04 + 0.1 * shimmer);
    }

    // The sign and the label as they land on the tile (the shimmer's top
    // included), lifted where the sign's own colour would not read there.
    const std::uint32_t ground = f.cleared && !f.current ? theme::mix(fill, theme::kGold, 0.14) : fill;
    TextStyle glyph;
    glyph.family = kFontSans;
    glyph.size = 24 * s;
    glyph.color = theme::readableOn(theme::mix(ground, f.current ? ink : look.colour, q), ground);
    glyph.align = Align::Centre;
    TextStyle label;
    label.size = std::max(9 * s, 8.0);  // 9 units would be 6.5 pixels in the smallest window
    label.color = theme::readableOn(theme::mix(ground, ink, q), ground);
    label.align = Align::Centre;
    label.upperCase = true;
    label.fitWidth = sr.w - 6 * s;
    label.minFit = 0.85;
    const TextLine lines[] = {
        {f.replayable ? "↻" : f.cleared ? "✓" : look.glyph, &glyph},
        {i18n::tr(std::string("map.node.") + rpg::nodeTypeId(node.type)), &label},
    };
    drawTextStack(cr, sr, lines, 2, 2 * s);
    return f.enterable() && ctx.takeClick(tile);
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
        TextStyle star;
        star.family = kFontSans;
        star.size = 16 * s;
        star.color = theme::kLightGold;
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

} // namespace

std::unique_ptr<Screen> makeMapScreen() { return std::make_unique<MapScreen>(); }

} // namespace ui

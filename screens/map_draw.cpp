// The run map's drawing: the world's scenery, the party strip, the road
// between the rows and the node tiles.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "screens/map.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// Rises and falls once every 1.24 s, by the scenery's stepped clock: under a
// sky at rest the frames between its steps are not presented.
double pulseAt(double now) {
    double x = std::fmod(sceneryTime(now), 1.24) / 0.62;
    if (x > 1) x = 2 - x;
    return 0.5 - 0.5 * std::cos(kPi * x);
}

} // namespace

void MapScreen::drawScenery(const Ctx& ctx, int world, std::int32_t activeRow, std::int32_t rows) {
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

void MapScreen::drawPartyStrip(Ctx& ctx, double y) {
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
        const TextStyle name{.size = 10 * s, .color = theme::kCreamText, .fitWidth = 0.7 * cw};
        const std::string cls = i18n::tr(rpg::classDef(hero.cls).nameKey);
        double nameW = 0, nameH = 0;
        measureText(cr, cls, name, &nameW, &nameH);
        drawText(cr, x, y + 6 * s, cls, name);
        const TextStyle lvl{.size = 10 * s, .bold = true, .color = theme::kLightGold};
        drawText(cr, x + std::min(nameW, 0.7 * cw) + 4 * s, y + 6 * s, levelLabel(hero.level), lvl);
        const play::Vitals v = play::vitals(hero);
        // Under the name as tall as it comes out, thinner where it leaves less of the strip.
        const double barTop = std::max(y + 22 * s, y + 6 * s + nameH + s);
        const double barH = std::clamp(y + 36 * s - barTop, 6 * s, 12 * s);
        animBar(ctx, "map." + hero.id, {x, barTop, cw, barH}, v.hp, v.maxHp, theme::kHpRed, false);
    }
}

// The road from the start to the boss, bending left and right between rows,
// with a ring on every row's centre line.
void MapScreen::drawTrail(cairo_t* cr, const MapLayout& l, std::int32_t activeRow) {
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
    // The labels in cream: the muted brown read poorly on the dark tiles.
    std::uint32_t fill = theme::kNodeFill, outline = look.colour, ink = theme::kCreamText;
    double edge = 0.5, q = 0.8;
    if (f.current) {
        fill = theme::kDeepGold;
        outline = theme::kLightGold;
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
        const double shimmer = 0.5 - 0.5 * std::cos(kPi * std::fmod(sceneryTime(ctx.now), 5.2) / 2.6);
        fillRect(cr, sr, theme::kGold, 0.04 + 0.1 * shimmer);
    }

    // The sign and the label as they land on the tile (the shimmer's top
    // included), lifted where the sign's own colour would not read there.
    const std::uint32_t ground = f.cleared && !f.current ? theme::mix(fill, theme::kGold, 0.14) : fill;
    const TextStyle glyph{.family = kFontSans,
                          .size = 24 * s,
                          .color = theme::readableOn(theme::mix(ground, f.current ? ink : look.colour, q), ground),
                          .align = Align::Centre};
    const TextStyle label{.size = 11 * s,
                          .bold = true,
                          .color = theme::readableOn(theme::mix(ground, ink, q), ground),
                          .align = Align::Centre,
                          .fitWidth = sr.w - 6 * s,
                          .minFit = 0.85,
                          .upperCase = true};
    const TextLine lines[] = {
        {f.replayable ? "↻" : f.cleared ? "✓" : look.glyph, &glyph},
        {i18n::tr(std::string("map.node.") + rpg::nodeTypeId(node.type)), &label},
    };
    drawTextStack(cr, sr, lines, 2, 2 * s);
    return f.enterable() && ctx.takeClick(tile);
}

} // namespace ui

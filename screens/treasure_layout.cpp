#include "screens/treasure_layout.h"

#include <algorithm>
#include <cmath>

#include "rules/stats.h"
#include "ui/draw.h"

namespace ui {

using rpg::LootQuality;

namespace {

bool hasStatLine(const rpg::ItemInstance& item) {
    const rpg::Stats bonus = rpg::itemBonus(item);
    return std::any_of(rpg::kAllocatable.begin(), rpg::kAllocatable.end(),
                       [&](rpg::StatId id) { return rpg::statValue(bonus, id) != 0; });
}

} // namespace

double chestItemHeight(const rpg::ItemInstance& item, double s) {
    return (20 + (hasStatLine(item) ? 15 : 0) + (item.affixes.empty() ? 0 : 15) + 6) * s;
}

double chestContentHeight(const play::ChestLoot& loot, double s) {
    double h = 20 * s + (loot.gold > 0 ? 24 * s : 0) + (loot.rune.value > 0 ? 40 * s : 0);
    for (const rpg::ItemInstance& item : loot.items) h += chestItemHeight(item, s);
    return h;
}

Rect treasureOpenButton(double w, double h, double s, double now) {
    const double k = 1 + 0.04 * std::sin(2 * kPi * now / 1.6);
    const double bw = std::min(320 * s, 0.5 * w) * k;
    return {(w - bw) / 2, h - 96 * s, bw, 50 * s * k};
}

double treasureClosedChestY(double h, double header) { return header + 0.42 * (h - header); }

double treasurePanelWidth(double w, double s, bool trap, double linesWidth) {
    if (trap) return std::min(std::max(0.8 * w, 300 * s), 520 * s);
    return std::min(std::max(linesWidth, 300 * s), std::min(0.8 * w, 520 * s));
}

TreasureRevealed treasureRevealedLayout(double w, double h, double s, double header, const play::ChestLoot& loot,
                                        double panelW) {
    TreasureRevealed lay;
    const bool trap = loot.outcome == LootQuality::Trap;
    lay.titleH = (trap ? 58 : loot.outcome == LootQuality::Jackpot ? 34 : 26) * s;
    lay.content = chestContentHeight(loot, s);
    const double room = h - header - 24 * s - 220 * s - lay.titleH - 48 * s - 48 * s;
    const double panelH = std::min(room > 60 * s ? room : 60 * s, lay.content);
    const double top = header + std::max(0.5 * (h - header - (lay.titleH + 220 * s + panelH + 96 * s)), 8 * s);
    lay.chestY = top + 110 * s;
    lay.titleY = top + 232 * s;
    lay.panel = {0.5 * w - 0.5 * panelW, lay.titleY + lay.titleH, panelW, panelH};
    const double bw = std::min(std::max(panelW, 280 * s), 360 * s);
    lay.button = {(w - bw) / 2, lay.panel.y + panelH + 16 * s, bw, 48 * s};
    return lay;
}

} // namespace ui

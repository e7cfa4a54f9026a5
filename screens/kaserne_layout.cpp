#include "screens/kaserne_layout.h"

#include <algorithm>
#include <cmath>

namespace ui {

KaserneLayout kaserneLayout(const std::vector<rpg::Hero>& roster, double w, double h, double s, double headerH) {
    KaserneLayout lay;
    const double cw = std::min(std::round(0.66 * w), w);
    lay.list = {(w - cw) / 2, headerH + 28 * s, cw, std::max(0.0, h - headerH - 28 * s)};
    double y = lay.list.y + 12 * s;
    for (int c = 0; c < rpg::kClassCount; ++c) {
        const auto cls = static_cast<rpg::ClassId>(c);
        std::vector<const rpg::Hero*> heroes;
        for (const rpg::Hero& hero : roster) {
            if (hero.cls == cls) heroes.push_back(&hero);
        }
        if (heroes.empty()) continue;
        std::sort(heroes.begin(), heroes.end(),
                  [](const rpg::Hero* a, const rpg::Hero* b) { return a->level > b->level; });
        lay.lines.push_back({cls, nullptr, static_cast<int>(heroes.size()), y});
        y += 24 * s;
        for (const rpg::Hero* hero : heroes) {
            lay.lines.push_back({cls, hero, 0, y});
            y += 70 * s;
        }
        y += 6 * s;
    }
    lay.content = y + 12 * s - lay.list.y;
    return lay;
}

Rect kaserneRowRect(const KaserneLayout& layout, const KaserneLine& line, double s, double scroll) {
    return {layout.list.x + 12 * s, line.y - scroll, layout.list.w - 24 * s, 64 * s};
}

Rect kaserneGearRect(const Rect& row, double s) { return {row.x + row.w - 64 * s, row.y + 18 * s, 28 * s, 28 * s}; }

Rect kaserneCrossRect(const Rect& row, double s) { return {row.x + row.w - 32 * s, row.y + 18 * s, 28 * s, 28 * s}; }

} // namespace ui

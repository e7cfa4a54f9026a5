#include "screens/common.h"

#include <algorithm>

#include "platform/storage.h"
#include "rules/items.h"
#include "rules/runes.h"
#include "ui/theme.h"

namespace ui {

void settleNode(const std::string& nodeId) {
    rpg::RunState& run = store::run();
    run.pos = nodeId;
    if (std::find(run.cleared.begin(), run.cleared.end(), nodeId) == run.cleared.end()) {
        run.cleared.push_back(nodeId);
    }
    store::saveRun();
}

rpg::Stats battleMaxima(const rpg::Hero& hero) {
    return rpg::deriveStats(hero, rpg::equipBonus(hero.equipment), rpg::runeBonus(store::meta().runeCircle));
}

} // namespace ui

namespace ui {

TextStyle textStyle(double size, bool bold, std::uint32_t color, int align, double fit) {
    TextStyle st;
    st.size = size;
    st.bold = bold;
    st.color = color;
    st.align = align;
    st.fitWidth = fit;
    return st;
}

void drawRimmedCoin(cairo_t* cr, double cx, double cy, double r, double s, double alpha) {
    fillCircle(cr, cx, cy, r, theme::kGold, alpha);
    strokeCircle(cr, cx, cy, r - s, 2 * s, theme::kDeepGold, alpha);
}

} // namespace ui

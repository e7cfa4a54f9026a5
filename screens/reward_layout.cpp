#include "screens/reward_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/storage.h"
#include "ui/legible.h"

namespace ui {

namespace {

constexpr double kButtonsTop = 120;
constexpr double kButtonGap = 6;
constexpr double kShortCard = 80;
constexpr double kCardGap = 12;

// The stat buttons' text lines (label, value, step) with their margins: at
// least 48 units, taller where the lines come out larger to be read.
double buttonHeight(double s) {
    return std::max(48 * s, 5 * s + lineHeightOfLanguage(9 * s) + lineHeightOfLatin(14 * s) +
                                lineHeightOfLatin(10 * s) + 3 * s);
}

} // namespace

bool rewardCanSpend(const rpg::Hero* hero) { return hero && hero->points > 0; }

double rewardHintTop(double s) { return (kButtonsTop + kButtonGap) * s + 2 * buttonHeight(s) + 4 * s; }

double rewardCardHeight(const XpRow& row, double s) {
    if (!rewardCanSpend(store::heroById(row.heroId))) return kShortCard * s;
    return rewardHintTop(s) + lineHeightOfLanguage(10 * s) + 4 * s;
}

Rect rewardListArea(double w, double h, double s) {
    const double k = std::min(std::round(0.66 * w), w);
    return {(w - k) / 2, 68 * s, k, h - 68 * s - 74 * s};
}

double rewardContentHeight(const std::vector<XpRow>& rows, double s) {
    double total = kCardGap * s;
    for (const XpRow& row : rows) total += rewardCardHeight(row, s) + kCardGap * s;
    return total;
}

std::vector<Rect> rewardCards(const std::vector<XpRow>& rows, const Rect& area, double s, double scroll) {
    std::vector<Rect> cards;
    double y = area.y + kCardGap * s - scroll;
    for (const XpRow& row : rows) {
        const double h = rewardCardHeight(row, s);
        cards.push_back({area.x + 12 * s, y, area.w - 24 * s, h});
        y += h + kCardGap * s;
    }
    return cards;
}

Rect rewardStatButton(const Rect& card, int i, double s) {
    const double bw = (card.w - 42 * s) / 4;
    const double bh = buttonHeight(s);
    return {card.x + 12 * s + (i % 4) * (bw + kButtonGap * s), card.y + kButtonsTop * s + (i / 4) * (bh + kButtonGap * s),
            bw, bh};
}

Rect rewardContinueButton(double w, double h, double s) {
    const double k = std::min(std::round(0.66 * w), w);
    const double bw = std::min(420 * s, k - 28 * s);
    return {(w - bw) / 2, h - 60 * s, bw, 46 * s};
}

} // namespace ui

#include "screens/reward_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/storage.h"

namespace ui {

namespace {

constexpr double kTallCard = 232;
constexpr double kShortCard = 80;
constexpr double kCardGap = 12;

} // namespace

bool rewardCanSpend(const rpg::Hero* hero) { return hero && hero->points > 0; }

double rewardCardHeight(const XpRow& row, double s) {
    return (rewardCanSpend(store::heroById(row.heroId)) ? kTallCard : kShortCard) * s;
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
    return {card.x + 12 * s + (i % 4) * (bw + 6 * s), card.y + 120 * s + (i / 4) * (48 * s + 6 * s), bw, 48 * s};
}

Rect rewardContinueButton(double w, double h, double s) {
    const double k = std::min(std::round(0.66 * w), w);
    const double bw = std::min(420 * s, k - 28 * s);
    return {(w - bw) / 2, h - 60 * s, bw, 46 * s};
}

} // namespace ui

#pragma once
// Where the reward screen puts its cards and buttons, for the screen and for
// tests that click them.
#include <vector>

#include "rules/hero.h"
#include "ui/app.h"

namespace ui {

// A hero in the roster with points left to spend: its card is tall and holds
// the stat buttons.
bool rewardCanSpend(const rpg::Hero* hero);

// A card is tall while its hero is in the roster with points to spend.
double rewardCardHeight(const XpRow& row, double s);
// Where the key-stat hint stands in a tall card, below its top.
double rewardHintTop(double s);
// The scrolled list between the gold line and the continue button.
Rect rewardListArea(double w, double h, double s);
// The card of every row, in order, for the list scrolled by `scroll`.
std::vector<Rect> rewardCards(const std::vector<XpRow>& rows, const Rect& area, double s, double scroll);
// Height of everything the list holds.
double rewardContentHeight(const std::vector<XpRow>& rows, double s);
// Stat button i (0-7, in rpg::kAllocatable order) of a card.
Rect rewardStatButton(const Rect& card, int i, double s);
Rect rewardContinueButton(double w, double h, double s);

} // namespace ui

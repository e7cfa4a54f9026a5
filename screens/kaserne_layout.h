#pragma once
// Where the barracks puts its roster: a group per class that has heroes,
// its header and a row per hero, and the list area they scroll in. The
// screen draws with it and tests find a hero's row with it.
#include <string>
#include <vector>

#include "rules/hero.h"
#include "ui/rect.h"

namespace ui {

// One line of the roster list, unscrolled: a class's header or a hero's row.
struct KaserneLine {
    rpg::ClassId cls = rpg::ClassId::Warrior;
    const rpg::Hero* hero = nullptr;  // null: the class's header
    int count = 0;                    // header: the class's heroes
    double y = 0;                     // top, before scrolling
};

struct KaserneLayout {
    Rect list;             // the visible list; rows take clicks only inside it
    double content = 0;    // the height of every group with its margins
    std::vector<KaserneLine> lines;
};

// The roster's classes in class order, each with its heroes highest level
// first (equal levels in no set order); the lines point into `roster`.
KaserneLayout kaserneLayout(const std::vector<rpg::Hero>& roster, double w, double h, double s, double headerH);

// A hero's row when the list is scrolled by `scroll`, and its two buttons.
Rect kaserneRowRect(const KaserneLayout& layout, const KaserneLine& line, double s, double scroll);
Rect kaserneGearRect(const Rect& row, double s);
Rect kaserneCrossRect(const Rect& row, double s);

} // namespace ui

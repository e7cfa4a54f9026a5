#pragma once
// The thunderstorm over the title screen and the defeat summary, and the
// menu title's electric flourish.
//
// Strikes are random: they draw from one generator of the storm's own, shared
// by every storm of the process and seeded afresh on every program start.
#include <cstdint>
#include <vector>

#include "ui/app.h"
#include "ui/rect.h"

namespace ui {

// Kept by the screen that shows the storm and handed in every frame.
struct Storm {
    struct Point {
        double x = 0;
        double y = 0;
    };
    // The current strike: element 0 is the main bolt, the rest its branches
    // and twigs. Replaced at every strike.
    std::vector<std::vector<Point>> bolts;
    double lastStrike = -100.0;  // long past: nothing flickers at first
    double nextStrike = 1.4;     // the first strike comes soon after the screen opens
    double flash = 0;            // sky flash of the current strike
    bool big = false;            // from the top centre down to the caller's depth
    int bigCount = 0;            // big strikes so far; owners watch it for new ones
    int strikeId = 0;            // names the current strike's painted bolts, unique in the process
};

// Rain, and when a strike is due a new bolt, then the bolt's flicker and the
// sky flash. bigDepth is where big bolts end (negative keeps them on the top
// edge). All of it lies beneath the overlay (ui/beneath.h), under everything
// the screen then draws there: call it before anything else but the scenery.
void stormBackdrop(Ctx& ctx, Storm* storm, double bigDepth);

// Light bars and streaks racing along a title's rectangle for 0.62 s; t is the
// seconds since the flourish began. Nothing outside that span or for an empty
// rectangle.
void electricTitle(Ctx& ctx, const Rect& title, double t);

// Tests only: puts the storm's generator into a known state so that strikes
// replay.
void seedStormForTests(uint32_t state);

} // namespace ui

#pragma once
// Helpers of the navigation screens' tests: opening a screen above the
// menu, exact scrolling and clicks that do not start a drag.
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace navtest {

// The menu at the bottom, the screen above it, one frame drawn.
inline void openOverMenu(harness::ScreenHarness& h, int screen) {
    ui::GameState menu;
    menu.screen = ui::kMenu;
    h.start(menu);
    ui::GameState top;
    top.screen = screen;
    ui::Game::instance().push(top);
    h.frame();
}

// Scrolls a list by an exact distance: drags from (x, y) by dy (negative moves the content up, as a finger
// pushing it), holds still until the fling speed has died away, releases.
inline void dragBy(harness::ScreenHarness& h, double x, double y, double dy) {
    h.moveTo(x, y).frame();
    h.press().frame();
    h.moveTo(x, y + dy).frame();
    for (int i = 0; i < 40; ++i) h.frame();
    h.release().frame();
}

// A click that does not start as a drag: on a scrolling list, pointer
// motion in the press frame would count as dragging the list.
inline void clickStill(harness::ScreenHarness& h, double x, double y) {
    h.moveTo(x, y).frame();
    h.click(x, y);
}

// Where content starts below a screen header in this window.
inline double headerBottom(harness::ScreenHarness& h) { return ui::screenHeader(h.ctx(), "", nullptr); }

} // namespace navtest

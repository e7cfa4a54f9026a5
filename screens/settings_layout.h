#pragma once
// Where the settings page puts its sections. Every position is for the
// given scroll offset; the page itself is the clipped, scrolling area.
#include "ui/app.h"

namespace ui {

struct SettingsLayout {
    Rect page;
    double scale = 1;          // the UI scale it was laid out for
    double contentHeight = 0;  // from the difficulty title to the reset button
    int cells = 0;             // language cells: the system's, then one per language
    int columns = 2;           // of the language grid
    int rows = 0;
    double cellW = 0;          // a language cell: 112 units, wider where a name would not fit at a readable size

    double difficultyTitle = 0;
    Rect difficulty[4];        // easy, hard, brutal, insane
    double hintTop = 0;
    double soundTitle = 0;
    Rect soundSwitch;
    double musicLabel = 0;
    Rect musicSlider;
    double sfxLabel = 0;
    Rect sfxSlider;
    double languageTitle = 0;
    double gridTop = 0;
    double resetTitle = 0;
    Rect resetButton;

    // Cell 0 is the system language, cell i the language list's entry i - 1.
    Rect languageCell(int i) const;
};

// top: where the header ends and content starts.
SettingsLayout settingsLayout(const Ctx& ctx, double top, double scroll);

} // namespace ui

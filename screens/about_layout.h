#pragma once
// The about page's lines, laid out top to bottom: what each says, how it
// looks, where it stands and, for a link, what it opens.
#include <string>
#include <vector>

#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

struct AboutLine {
    std::string text;
    TextStyle style;
    Rect box;             // measured, centred on the window
    std::string address;  // opened on click; empty for plain text
};

struct AboutPage {
    double factor = 1;              // size factor for small windows
    std::vector<AboutLine> lines;
    std::vector<double> dividers;   // y of each divider line
    Rect licensesButton;
};

// top: where the header ends. Measures the texts on ctx.cr.
AboutPage aboutLayout(Ctx& ctx, double top);

} // namespace ui

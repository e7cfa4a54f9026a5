#pragma once
// The about page: title, version, who made the game, contact links and the
// music and sound credits, and the way to the licences. Its files: about.cpp
// (the frame and its links), about_layout.cpp (the lines, measured and
// placed).
#include "screens/about_layout.h"
#include "ui/app.h"

namespace ui {

class AboutScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // A link drawn underlined; true when it took the frame's click.
    static bool drawLink(Ctx& ctx, const AboutLine& line);
};

} // namespace ui

#pragma once
// The first screen: title, a short bar and the tagline, then the main menu
// after a click, a key or a little while. All of it is in splash.cpp.
#include "ui/app.h"

namespace ui {

class SplashScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    static void draw(Ctx& ctx);

    double start_ = -1.0;  // context time of the first frame
};

} // namespace ui

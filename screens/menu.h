#pragma once
// The main menu: the title under a thunderstorm and the wooden buttons that
// lead into the game. It stays the bottom of the stack for the whole run of
// the program. menu.cpp draws it, menu_layout.cpp places its column.
#include <cairo.h>

#include <optional>

#include "fx/storm.h"
#include "screens/menu_layout.h"
#include "ui/app.h"
#include "ui/widgets.h"

namespace ui {

class MenuScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

    enum class Action { Play, NewGame, Settings, About, Leave };

private:
    void drawBackdrop(Ctx& ctx);
    void drawTitle(Ctx& ctx, const MenuLayout& l, double o) const;
    static void drawBrandLine(Ctx& ctx, const MenuLayout& l);
    static void drawTagline(Ctx& ctx, const MenuLayout& l);
    static void drawGlow(Ctx& ctx, const MenuLayout& l, double o);
    // The wooden buttons; the one clicked this frame, if any.
    static std::optional<Action> drawButtons(Ctx& ctx, const MenuLayout& l, bool saved);
    DialogAnswer drawConfirmation(Ctx& ctx);
    void apply(Ctx& ctx, std::optional<Action> action, DialogAnswer confirmation, bool saved);

    bool confirmOpen_ = false;  // the new game's question is asked
    Storm storm_;
    int seenBigStrikes_ = 0;
    double titleFxStart_ = -100.0;  // context time of the last big strike
};

} // namespace ui

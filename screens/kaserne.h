#pragma once
// The barracks: every hero of the roster grouped by class, who is in the
// party and who waits in reserve. kaserne.cpp draws it and applies its
// clicks, kaserne_layout.cpp places the groups and rows.
#include <optional>
#include <string>

#include "rules/hero.h"
#include "screens/kaserne_layout.h"
#include "ui/app.h"

namespace ui {

class KaserneScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // What the list's click asked for, applied once the list is drawn.
    struct RosterClick {
        std::optional<std::string> gearId;  // a gear button: the party screen opens on this hero
        std::string toggled;    // a row: the hero joins or leaves the party
        std::string dismissId;  // a cross: the hero to dismiss, after asking
        std::string dismissName;
    };

    void drawCounts(Ctx& ctx, const Rect& list, double y);
    // Draws the groups and offers the click to each visible row: its gear
    // button, then (with two heroes or more) its cross, then the row itself.
    RosterClick drawList(Ctx& ctx, const KaserneLayout& lay);
    void row(Ctx& ctx, const Rect& r, const rpg::Hero& hero, bool member);
    // Applies the list's click, then asks about a pending dismissal.
    void apply(Ctx& ctx, const RosterClick& click);

    double scroll_ = 0;
    std::string pendingId_;  // the hero whose dismissal is being asked
    std::string pendingName_;
};

} // namespace ui

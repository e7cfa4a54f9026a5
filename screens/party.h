#pragma once
// The party screen's object, shared by its source files only: party.cpp (the
// frame, tabs and applied actions), party_sheet.cpp (the upper half of the
// sheet) and party_gear.cpp (equipment, bag and skills).
//
// The sheet is laid out twice a frame, once to measure and once to draw in a
// scrolled area. Clicks found while drawing only fill the pending fields;
// update() applies them afterwards, so the hero and the stash never change
// under a half-drawn frame.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "play/party.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/stats.h"
#include "screens/common.h"
#include "screens/party_rules.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

class PartyScreen final : public Screen {
public:
    explicit PartyScreen(std::string heroId) : selectedHero_(std::move(heroId)) {}
    void update(Ctx& ctx) override;

    // Lays the sheet of `hero` out from (x, y) in width w and returns its
    // height. Measuring (draw false) neither draws nor takes clicks.
    double layout(Ctx& ctx, rpg::Hero& hero, double x, double y, double w, bool draw);

private:
    // What one layout call works with.
    struct Sheet {
        Ctx& ctx;
        rpg::Hero& hero;
        const rpg::ClassDef& cls;
        rpg::Stats finalStats;  // as the frame began, auto-assign or not
        double x, w, s;
        bool draw;
        double visibleTop, visibleBottom;  // the scroll area, while drawing
        bool isKey(rpg::StatId stat) const;
        // Drawing pass and the band meets the scroll area: what lies wholly
        // outside is skipped (the view's clip keeps the rest from clicks).
        bool shows(double top, double height) const;
    };

    // --- Frame (party.cpp) ---
    std::vector<rpg::Hero*> listedHeroes() const;
    rpg::Hero* shownHero(const std::vector<rpg::Hero*>& heroes);
    static Rect sheetArea(const Ctx& ctx);
    void drawTabs(Ctx& ctx, const std::vector<rpg::Hero*>& heroes, double top);
    void drawSheet(Ctx& ctx, rpg::Hero& hero, const Rect& area);
    void applyPending(rpg::Hero& hero);
    void openDoor();

    // --- Upper half (party_sheet.cpp); each returns the cursor below it ---
    double recruitButton(Sheet& sh, double y);
    double heroBlock(Sheet& sh, double y);
    double pointsPanel(Sheet& sh, double y);
    void statButton(Sheet& sh, const Rect& r, rpg::StatId stat);
    double setBlocks(Sheet& sh, double y);
    double summaryStrip(Sheet& sh, double y);
    double rowChoice(Sheet& sh, double y);
    double statsGrid(Sheet& sh, double y);

    // --- Lower half (party_gear.cpp) ---
    double equipment(Sheet& sh, double y);
    double slotRow(Sheet& sh, double y, rpg::EquipSlot slot, const std::vector<const rpg::ItemInstance*>& offered);
    void slotHeader(Sheet& sh, const Rect& row, rpg::EquipSlot slot, const rpg::ItemDef* def, bool locked,
                    const std::vector<const rpg::ItemInstance*>& offered);
    static double wornDetails(Sheet& sh, double y, const rpg::ItemInstance& worn, const rpg::ItemDef& def);
    double candidateList(Sheet& sh, double y, rpg::EquipSlot slot,
                         const std::vector<const rpg::ItemInstance*>& offered);
    void candidateRow(Sheet& sh, const Rect& r, rpg::EquipSlot slot, const rpg::ItemInstance& item);
    double bag(Sheet& sh, double y);
    void bagRow(Ctx& ctx, const Rect& r, const std::string& defId, int count, bool toStash);
    double skills(Sheet& sh, double y);

    std::string selectedHero_;
    Rect visible_;  // the scroll area of the drawing pass
    double scroll_ = 0;
    std::optional<rpg::EquipSlot> selectedSlot_;  // the slot whose candidate list is open
    // A list opened under the view's bottom edge scrolls itself into view:
    // the opening click asks, the next drawing measures, then the sheet
    // glides to revealTo_ (a scroll offset; < 0 none) unless the player
    // scrolls first.
    bool revealAsked_ = false;
    double revealBy_ = 0;
    double revealTo_ = -1;
    play::PartyActions pending_;
    bool openRecruit_ = false;
    bool openTrainer_ = false;
};

} // namespace ui

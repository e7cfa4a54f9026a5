#pragma once
// The merchant screen: the three city merchants, the wandering merchant of a
// map shop node and the tavern. shop.cpp holds the frame and the shelf,
// shop_tavern.cpp the tavern's body, shop_layout.cpp the geometry.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "screens/shop_layout.h"
#include "screens/common.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

// Between a price label and its amount: "Buy ◉ 120".
inline constexpr const char* kPriceMark = " \u25C9 ";

// A price that cannot be paid (or a service nobody needs): a dim plate with
// its label, never clickable.
void drawPricePlate(Ctx& ctx, const Rect& r, const std::string& label, double size, bool outlined);

class ShopScreen final : public Screen {
public:
    explicit ShopScreen(const GameState& s);
    void update(Ctx& ctx) override;

private:
    // One card of the shelf, rebuilt every frame.
    struct Row {
        const rpg::ItemInstance* item = nullptr;
        double price = 0;
        bool locked = false;  // shown, not for sale
        std::string caption;  // in place of the price on a locked row
        int stashIndex = -1;  // sell shelf: the stash entry the card shows
    };

    // A price button clicked on the shelf: recorded while the shelf draws,
    // settled once it is drawn. The uid is copied, as the row points into
    // the lists the deal changes.
    struct Deal {
        bool sale = false;
        std::string uid;
        int stashIndex = -1;  // a sale: the stash entry the card showed
    };

    bool inRun() const { return !state.nodeId.empty(); }
    bool selling() const { return !inRun() && tab == ShopTab::Sell; }
    void restock();
    void leave();

    // The shelf (shop.cpp).
    void drawTabs(Ctx& ctx, double headerH);
    std::vector<Row> shelfRows() const;
    std::optional<Deal> drawShelf(Ctx& ctx, double headerH);
    bool card(Ctx& ctx, const Rect& r, const rpg::ItemInstance& item, double price, bool affordable, bool locked,
              const std::string& caption);
    void settle(const Deal& deal);
    bool runLeaveButton(Ctx& ctx);

    // The tavern (shop_tavern.cpp). Its clicks are recorded while it draws
    // and applied once the frame is drawn.
    struct TavernChoice {
        rpg::ClassId recruit = rpg::ClassId::None;
        bool heal = false;
        bool revive = false;
        std::string toggled;  // a roster hero joining or leaving the party
    };
    TavernChoice drawTavern(Ctx& ctx, double y);
    void drawRecruits(Ctx& ctx, double x, double width, double* y, TavernChoice* choice);
    void drawRestHouse(Ctx& ctx, double x, double width, double* y, TavernChoice* choice);
    void drawRoster(Ctx& ctx, const Rect& area, double x, double width, double y, TavernChoice* choice);
    bool rosterRow(Ctx& ctx, const Rect& r, const rpg::Hero& hero);
    static void apply(const TavernChoice& choice);

    GameState state;
    play::ShopKind kind = play::kShopWeaponsmith;
    ShopTab tab = ShopTab::Buy;  // always Buy inside a run
    std::vector<rpg::ItemInstance> offers;
    double scroll = 0;
    GoldPulse goldPulse;
};

} // namespace ui

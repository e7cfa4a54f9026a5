#pragma once
// The spell shop's figures that need no frame: the options of its two forms
// (the scroll shop and the trainer), the depth and party level that set its
// prices, the scroll stock with its ceiling and seeded order, the list of
// skills to improve, the prices, and where its pieces lie. The screen draws
// with them and tests call them directly.
#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/skills.h"
#include "ui/rect.h"

namespace ui {

struct SpellShopOpts {
    const char* titleKey = "";
    const char* learnHeaderKey = "";
    const char* upgradeHeaderKey = "";
    const char* buyButtonKey = "";
    const char* upgradeButtonKey = "";
    bool learnFirst = false;   // the learn list stands above the upgrade list
    bool runPrices = false;    // prices grow with depth and party level
    bool scrollStock = false;  // the learn list is capped by price and shuffled
};

SpellShopOpts scrollShopOpts();
SpellShopOpts trainerOpts();

// What one visit's prices and stock depend on.
struct SpellShopPlace {
    std::string nodeId;     // the map node served; empty in the city
    double depth = 0;       // in a run the deeper of the node's row and the run's depth, else the best depth
    double partyLevel = 1;  // the party's mean level, rounded; 1 without a party
    bool inRun() const { return !nodeId.empty(); }
};

// Read from the stores as they are now.
SpellShopPlace spellShopPlace(const std::string& nodeId);

// The dearest scroll the shop stocks: 240 + 35 per depth + 18 per party level.
double scrollCeiling(const SpellShopPlace& place);

// The text that seeds a hero's scroll order: in a run the run seed, the node
// and the hero; in the city the hero, the best depth and the party level.
// It is the same in every language, so a change of language keeps the stock.
std::string scrollSeedText(const SpellShopPlace& place, const std::string& heroId);

// The skills of the hero's class that can be bought and that it lacks, in
// the class's order; with scroll stock only those within the ceiling, in the
// order the seed text shuffles them to.
std::vector<const rpg::SkillDef*> learnList(const rpg::Hero& hero, const SpellShopOpts& opts,
                                            const SpellShopPlace& place);

// The hero's usable skills except attack and defend, in its own order;
// ids the catalogue lacks are left out.
std::vector<const rpg::SkillDef*> upgradeList(const rpg::Hero& hero);

// The prices the shop asks: base costs at the trainer, run prices at the
// scroll shop. `level` is the hero's current level of the skill.
double learnPriceAt(const rpg::SkillDef& skill, const SpellShopOpts& opts, const SpellShopPlace& place);
double upgradePriceAt(const rpg::SkillDef& skill, int level, const SpellShopOpts& opts,
                      const SpellShopPlace& place);

// --- Where things lie, below a header of height headerH ---

// The hero tabs' top.
double spellTabsTop(double headerH, double s);
// The scrolling list: 0.66 of the window wide, ending above the leave
// button in a run.
Rect spellListRect(double w, double h, double s, double headerH, bool inRun);
// The leave button of a run's scroll shop.
Rect spellLeaveRect(double w, double h, double s, double listW);

// Section heights: the header line, an empty list's note, one row's step.
inline constexpr double kSpellSectionHead = 28;
inline constexpr double kSpellEmptyNote = 30;
inline constexpr double kSpellRowStep = 74;

// A row whose top is y; its buy button or price box.
Rect spellRowRect(const Rect& list, double y, double s);
Rect spellActionRect(const Rect& row, double s);

} // namespace ui

#pragma once
// A player for whole play-throughs: it clicks and presses keys on the real
// screens of the game's stack, finding its way by the screens' public
// layout helpers, and never touches a screen object. The stores may be set
// up before a step (the world: a party, its runes, a run's seed) and are
// read back from their files after it, to see what the game really saved.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "play/run.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "screens/battle_layout.h"
#include "screens/city_layout.h"
#include "screens/herosel_layout.h"
#include "screens/kaserne_layout.h"
#include "screens/map_layout.h"
#include "screens/menu_layout.h"
#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "screens/rest_layout.h"
#include "screens/reward_layout.h"
#include "screens/shop_layout.h"
#include "screens/treasure_layout.h"
#include "screens/treasure_roll.h"
#include "tests/support/screen_harness.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace playtest {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// --- The world ---

// A level-1 hero of the class with its starting weapon and nothing random.
inline rpg::Hero freshHero(const std::string& id, rpg::ClassId cls) {
    rpg::Hero h;
    h.id = id;
    h.cls = cls;
    h.name = "Hero " + id;
    h.row = rpg::defaultRow(cls) ? 1 : 0;
    h.equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(rpg::classDef(cls).startWeapon);
    return h;
}

// The heroes become the roster and the party of a game begun earlier.
inline void formParty(const std::vector<rpg::Hero>& heroes) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.roster = heroes;
    meta.partyIds.clear();
    for (const rpg::Hero& h : heroes) meta.partyIds.push_back(h.id);
    store::saveMeta();
}

using Runes = std::vector<std::pair<rpg::StatId, double>>;

// A rune circle no monster stands up to: every hero strikes first and
// hardest and shrugs off every blow, whatever its level.
inline const Runes kMightyRunes = {{rpg::MaxHp, 100000}, {rpg::Atk, 5000}, {rpg::Def, 3000},
                                   {rpg::Mag, 5000},     {rpg::Res, 3000}, {rpg::Spd, 1000}};
// Heroes who outlast any fight but need a few blows for each monster and
// take theirs: a battle of several rounds that the party wins.
inline const Runes kSturdyRunes = {{rpg::MaxHp, 100000}, {rpg::Atk, 30}};

// The stones socketed in the lasting rune circle, saved.
inline void socketRunes(const Runes& stones) {
    rpg::RuneCircle& circle = store::meta().runeCircle;
    for (const auto& [stat, value] : stones) {
        circle.filled[stat] = true;
        circle.stones[stat] = {"rune-test-" + std::to_string(stat), stat, value};
    }
    store::saveMeta();
}

// A run of the party on the map of `seed`, begun as the city begins it.
inline void beginRun(std::uint32_t seed) { ASSERT_TRUE(play::startRun(seed).done); }

// The catalogue ids of everything the party carries in the run: the run's
// inventory and the party's bags.
inline std::multiset<std::string> carried() {
    std::multiset<std::string> ids;
    for (const rpg::ItemInstance& item : store::run().inventory) ids.insert(item.defId);
    for (const rpg::Hero* h : store::partyHeroes())
        for (const rpg::ItemInstance& item : h->bag) ids.insert(item.defId);
    return ids;
}

inline std::multiset<std::string> plus(std::multiset<std::string> ids, const std::vector<rpg::ItemInstance>& items) {
    for (const rpg::ItemInstance& item : items) ids.insert(item.defId);
    return ids;
}

// --- The player ---

class Player {
public:
    explicit Player(harness::ScreenHarness& h) : h_(h) {}

    double s() const { return h_.ctx().uiScale; }
    double w() const { return h_.ctx().width; }
    double ht() const { return h_.ctx().height; }
    int screen() const { return h_.top().screen; }
    std::vector<int> stackScreens() const {
        std::vector<int> out;
        for (const ui::GameState& e : ui::Game::instance().stack()) out.push_back(e.screen);
        return out;
    }

    // Where the screens' common header ends.
    double header() { return ui::gameHeader(h_.ctx(), "", nullptr, false); }

    // The pointer goes to the middle of r and rests a frame, then clicks:
    // on a scrolling screen a press that moves the pointer would drag.
    void press(const ui::Rect& r) {
        const double x = r.x + r.w / 2;
        const double y = r.y + r.h / 2;
        h_.moveTo(x, y).frame();
        h_.click(x, y);
    }
    void key(int code) { h_.key(code).frame(); }

    // Frames until the top screen is `screen` and has drawn a frame, for at
    // most `seconds`.
    AssertionResult waitFor(int screen, double seconds = 5) {
        const double end = h_.now() + seconds;
        while (this->screen() != screen && h_.now() < end) h_.frame();
        if (this->screen() == screen) {
            h_.frame();  // the stack builds the screen on the frame after the change
            return AssertionSuccess();
        }
        return AssertionFailure() << "screen " << this->screen() << " on top, waited for " << screen;
    }

    // The stores as their files hold them. Every file must still pass its
    // seal (a file that fails is moved aside) and the settings must be as
    // they were set up: nothing in a run writes them.
    void reload() {
        h_.reloadStores();
        for (const auto& entry : std::filesystem::directory_iterator(h_.dataDir())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "settings.dat" || name == "saves.dat" || name == "run.dat") << name;
        }
        EXPECT_EQ(store::settings(), settings_);
    }
    // Settings of this player's own, saved; reload() checks they stay.
    void keepSettings() {
        store::settings().musicVolume = 0.35;
        store::settings().sfxVolume = 0.6;
        store::settings().difficulty = rpg::Difficulty::Easy;
        store::saveSettings();
        settings_ = store::settings();
    }

    // --- Menu, hero selection, city ---

    AssertionResult playFromMenu() {
        if (screen() != ui::kMenu) return AssertionFailure() << "not on the menu";
        const bool saved = store::meta().initialized && !store::meta().roster.empty();
        press(ui::menuLayout(h_.ctx(), saved).buttons.front());
        return waitFor(saved ? ui::kCity : ui::kHeroSelect, 1);
    }

    AssertionResult pickHeroes(const std::vector<rpg::ClassId>& classes) {
        if (screen() != ui::kHeroSelect) return AssertionFailure() << "not on hero selection";
        const ui::HeroSelectLayout l = ui::heroSelectLayout(h_.ctx(), header());
        for (const rpg::ClassId cls : classes) press(l.cards[static_cast<std::size_t>(cls)]);
        press(l.bottomBar);
        return waitFor(ui::kCity, 1);
    }

    // The city's run card: a new run, or the one in progress.
    AssertionResult openRun() {
        if (screen() != ui::kCity) return AssertionFailure() << "not in the city";
        press(ui::cityLayout(w(), ht(), s(), store::meta().ascension >= 1, 0).run);
        return waitFor(ui::kMap, 1);
    }

    // The city's barracks: each hero's row clicked in turn (joining or
    // leaving the party), then back to the city.
    AssertionResult changeParty(const std::vector<std::string>& heroIds) {
        if (screen() != ui::kCity) return AssertionFailure() << "not in the city";
        press(ui::cityLayout(w(), ht(), s(), store::meta().ascension >= 1, 0).doors[3]);
        if (AssertionResult opened = waitFor(ui::kKaserne, 1); !opened) return opened;
        for (const std::string& id : heroIds) {
            const ui::KaserneLayout lay = ui::kaserneLayout(store::meta().roster, w(), ht(), s(), header());
            const auto line = std::find_if(lay.lines.begin(), lay.lines.end(),
                                           [&](const ui::KaserneLine& l) { return l.hero && l.hero->id == id; });
            if (line == lay.lines.end()) return AssertionFailure() << "no row for " << id;
            const ui::Rect row = ui::kaserneRowRect(lay, *line, s(), 0);
            press({row.x, row.y, row.w / 2, row.h});  // clear of its buttons
        }
        key(ui::key::kEscape);
        return waitFor(ui::kCity, 1);
    }

    // --- Map ---

    // A click on the node's tile, where the map, as it opens, shows it;
    // `opens`: the screen expected (-1: the one the node's type opens).
    AssertionResult enterNode(const std::string& id, int opens = -1) {
        if (screen() != ui::kMap) return AssertionFailure() << "not on the map";
        const rpg::RunState& run = store::run();
        const rpg::MapNode* node = rpg::nodeById(run.map, id);
        if (!node) return AssertionFailure() << "no node " << id;
        std::vector<const rpg::MapNode*> row = rpg::nodesInRow(run.map, node->row);
        std::stable_sort(row.begin(), row.end(), [](auto* a, auto* b) { return a->col < b->col; });
        const int i = static_cast<int>(std::find(row.begin(), row.end(), node) - row.begin());
        // The opening scroll, held within the content as every list holds it.
        const ui::MapLayout top = ui::mapLayout(w(), ht(), s(), run.map.rows, 0);
        const double scroll = std::clamp(ui::mapInitialScroll(run.map.rows, rpg::activeRow(run), s()), 0.0,
                                         std::max(0.0, top.contentHeight() - top.view.h));
        const ui::MapLayout l = ui::mapLayout(w(), ht(), s(), run.map.rows, scroll);
        if (opens < 0) opens = ui::mapNodeEntry(*node)->screen;
        press(l.tile(node->row, i, static_cast<int>(row.size())));
        return waitFor(opens, 1);
    }

    // --- Battle ---

    // Clicks a command (0 attack, 3 defend) over and over until the battle
    // hands over; a click while the monsters act falls on an empty panel.
    AssertionResult fight(int command = 0, double seconds = 120) {
        if (screen() != ui::kBattle) return AssertionFailure() << "not in a battle";
        const ui::Rect r = ui::battle::commandButton(w(), ht(), s(), command);
        const double end = h_.now() + seconds;
        const double step = 0.1;  // timing detail does not matter here
        h_.setFrameStep(step);
        while (screen() == ui::kBattle && h_.now() < end) {
            h_.click(r.x + r.w / 2, r.y + r.h / 2);
            h_.frame();
        }
        h_.setFrameStep(kStep);
        if (screen() == ui::kBattle) return AssertionFailure() << "the battle lasted beyond " << seconds << " s";
        h_.frame();  // the screen it handed over to is built
        return AssertionSuccess();
    }
    // A few attacks into a battle.
    void attack(int times) {
        const ui::Rect r = ui::battle::commandButton(w(), ht(), s(), 0);
        h_.setFrameStep(0.1);
        for (int i = 0; i < times; ++i) {
            h_.click(r.x + r.w / 2, r.y + r.h / 2);
            h_.frame();
        }
        h_.setFrameStep(kStep);
    }

    // --- Reward ---

    // Spends one point of the reward's first hero on stat i of its card.
    void spendPoint(int stat) {
        const std::vector<ui::XpRow>& rows = h_.top().xpRows;
        const ui::Rect area = ui::rewardListArea(w(), ht(), s());
        press(ui::rewardStatButton(ui::rewardCards(rows, area, s(), 0).front(), stat, s()));
    }
    AssertionResult continueFromReward(int next) {
        if (screen() != ui::kReward) return AssertionFailure() << "not on the reward";
        press(ui::rewardContinueButton(w(), ht(), s()));
        return waitFor(next, 1);
    }

    // --- Chests ---

    // Opens the chest by its button, waits for the loot and takes it.
    AssertionResult openAndTake(int next) {
        if (screen() != ui::kTreasure) return AssertionFailure() << "not at a chest";
        press(ui::treasureOpenButton(w(), ht(), s(), h_.now()));
        return takeChest(next);
    }
    // Waits until the loot shows (however the chest was opened), takes it.
    AssertionResult takeChest(int next) {
        h_.runFor(1.8);
        key(ui::key::kReturn);
        return waitFor(next, 1);
    }

    // --- Rest, shop, dice ---

    AssertionResult rest() {
        if (screen() != ui::kRest) return AssertionFailure() << "not at a rest site";
        press(ui::restLayout(h_.ctx(), header(), static_cast<int>(store::partyHeroes().size())).heal);
        return waitFor(ui::kMap, 3);
    }

    // Buys the first offer of the wandering merchant's shelf that the gold
    // pays for; the offer, or null when none is affordable.
    std::optional<rpg::ItemInstance> buyFirstAffordable(const std::string& nodeId) {
        const std::vector<rpg::ItemInstance> stock = play::shopStock(play::kShopWanderer, nodeId);
        std::vector<const rpg::ItemInstance*> items;
        for (const rpg::ItemInstance& item : stock) items.push_back(&item);
        const ui::ShopGrid grid = ui::shopGrid(w(), ht(), s(), header(), true);
        const double cardH = ui::shopCardHeight(h_.ctx().cr, items, grid.cardW, s());
        for (std::size_t i = 0; i < stock.size(); ++i) {
            const ui::Rect card = ui::shopCardRect(grid, static_cast<int>(i), cardH, s(), 0);
            if (card.y + card.h > grid.area.y + grid.area.h) break;  // below the visible shelf
            if (rpg::buyPrice(stock[i]) > store::meta().gold) continue;
            press(ui::shopActionRect(card, s()));
            return stock[i];
        }
        return std::nullopt;
    }

    // Rolls the dice; the loose generator is seeded so that the player wins.
    AssertionResult rollWinningDice() {
        if (screen() != ui::kDice) return AssertionFailure() << "not at the dice";
        std::uint32_t seed = 1;
        for (;; ++seed) {
            rpg::Rng rng{seed};
            if (play::diceWon(play::rollDice(rng))) break;
        }
        ui::MiniTable::seedLoose(seed);
        const ui::Rect area = ui::minigamePlayArea(h_.ctx(), header(), i18n::tr("dice.info"));
        press(ui::diceLayout(w(), s(), area).button);
        h_.runFor(ui::kDiceSlot * ui::kDiceSlots + 0.2);
        key(ui::key::kReturn);  // opens the chest the game won
        return waitFor(ui::kTreasure, 1);
    }

    static constexpr double kStep = 1.0 / 30;

private:
    harness::ScreenHarness& h_;
    store::Settings settings_;
};

} // namespace playtest

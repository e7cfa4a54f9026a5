#pragma once
// A run whose first row holds the game under test, the city, the map and
// the minigame on the stack, and the harness that plays it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/monsters.h"
#include "rules/run.h"
#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace minitest {

class MinigameTest : public ::testing::Test {
protected:
    // Opens the game `screen` on a node of the node type `type`; the loose
    // generator starts from `seed`.
    void open(int screen, int type, std::uint32_t seed, int width = 1280, int height = 720) {
        h.reset();  // harnesses nest: the old one must go first
        h = std::make_unique<harness::ScreenHarness>(&ui::Game::instance(), width, height);
        store::meta().roster.clear();
        store::meta().partyIds.clear();
        for (std::size_t i = 0; i < partyLevels.size(); ++i) {
            const std::string id = "hero" + std::to_string(i);
            store::meta().roster.push_back(rpg::makeHero(rpg::ClassId::Warrior, id, partyLevels[i]));
            store::meta().partyIds.push_back(id);
        }
        store::meta().gold = gold;
        store::meta().initialized = true;
        store::saveMeta();
        store::run() = rpg::createRun(store::meta().roster, 4242, {}, 0);
        rpg::MapNode& node = *std::find_if(store::run().map.nodes.begin(), store::run().map.nodes.end(),
                                           [](const rpg::MapNode& n) { return n.row == 0; });
        node.type = static_cast<rpg::NodeType>(type);
        nodeId = node.id;
        store::run().pos = nodeId;
        store::saveRun();

        ui::GameState city;
        city.screen = ui::kCity;
        h->start(city);
        ui::GameState map;
        map.screen = ui::kMap;
        ui::Game::instance().push(map);
        entry = ui::GameState{};
        entry.screen = screen;
        entry.nodeId = nodeId;
        entry.nodeType = static_cast<std::uint8_t>(type);
        ui::Game::instance().push(entry);
        ui::MiniTable::seedLoose(seed);
        h->frame();
    }

    const ui::MiniTable& game() const {
        const ui::MiniTable* g = ui::minigameTable(ui::Game::instance().current());
        EXPECT_NE(g, nullptr) << "the minigame is not the current screen";
        return *g;
    }
    const ui::Rect& area() const { return game().playArea(); }
    double width() const { return h->ctx().width; }
    double height() const { return h->ctx().height; }
    double scale() const { return h->ctx().uiScale; }

    void click(const ui::Rect& r) { h->click(r.x + r.w / 2, r.y + r.h / 2); }

    int count(audio::Sfx fx) const { return static_cast<int>(std::count(h->sounds().begin(), h->sounds().end(), fx)); }

    std::string runFile() const {
        std::ifstream f(h->dataFile("run.dat"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    bool nodeCleared() const { return rpg::isCleared(store::run(), nodeId); }

    // The party and its lasting gold, as open() sets them up.
    std::vector<int> partyLevels{3, 3};
    double gold = 0;

    std::unique_ptr<harness::ScreenHarness> h;
    std::string nodeId;
    ui::GameState entry;
};

// The first seed from `from` on whose generator `pred` holds.
template <typename Pred>
std::uint32_t findSeed(Pred pred, std::uint32_t from = 1) {
    for (std::uint32_t seed = from;; ++seed) {
        rpg::Rng rng{seed};
        if (pred(rng)) return seed;
    }
}

// Two pairs of the deal that show one creature in two colourings; -1 and -1
// when there are none.
inline std::pair<int, int> sameCreaturePairs(const play::MemoryDeal& d) {
    const std::vector<rpg::MonsterDef>& mons = rpg::monsters();
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            if (std::string_view(mons[d.faces[a]].sprite) == mons[d.faces[b]].sprite) return {a, b};
    return {-1, -1};
}

// The first (nth 0) or second (nth 1) card of a pair.
inline int cardOf(const play::MemoryDeal& d, int pair, int nth) {
    for (int i = 0; i < play::kMemoryCards; ++i)
        if (d.cards[i] == pair && nth-- == 0) return i;
    return -1;
}

} // namespace minitest

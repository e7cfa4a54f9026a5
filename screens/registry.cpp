// The one table that binds screen numbers to their start-screen names and
// factories; the usage line and the start-screen lookup are read from it.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <string>

#include "ui/screens.h"

namespace ui {

namespace {

template <std::unique_ptr<Screen> (*Make)()>
std::unique_ptr<Screen> noEntry(const GameState&) {
    return Make();
}

// Start screens first, in the order the usage line lists them (the name is
// what VELMORANDINE_SCREEN accepts; the shop alone takes a kind, "shop:3"),
// then the screens that need a node or a finished fight.
constexpr ScreenInfo kScreens[] = {
    {kMenu, "menu", &noEntry<makeMenuScreen>},
    {kHeroSelect, "herosel", &noEntry<makeHeroSelectScreen>},
    {kCity, "city", &noEntry<makeCityScreen>},
    {kParty, "party", &makePartyScreen},
    {kKaserne, "kaserne", &noEntry<makeKaserneScreen>},
    {kRuneTower, "runetower", &noEntry<makeRuneTowerScreen>},
    {kTrainer, "trainer", &noEntry<makeTrainerScreen>},
    {kScrollShop, "scrolls", &makeScrollShopScreen},
    {kMap, "map", &noEntry<makeMapScreen>},
    {kShop, "shop", &makeShopScreen},
    {kRest, "rest", &makeRestScreen},
    {kTreasure, "treasure", &makeTreasureScreen},
    {kDice, "dice", &makeMinigameScreen},
    {kShell, "shell", &makeMinigameScreen},
    {kMemory, "memory", &makeMinigameScreen},
    {kWhack, "whack", &makeMinigameScreen},
    {kCoin, "coin", &makeMinigameScreen},
    {kSettings, "settings", &noEntry<makeSettingsScreen>},
    {kAbout, "about", &noEntry<makeAboutScreen>},
    {kLicenses, "licenses", &noEntry<makeLicensesScreen>},
    {kSplash, nullptr, &noEntry<makeSplashScreen>},
    {kBattle, nullptr, &makeBattleScreen},
    {kReward, nullptr, &makeRewardScreen},
    {kRunResult, nullptr, &makeRunResultScreen},
};
static_assert(std::size(kScreens) == kScreenCount);

// Row of each screen number; every number has exactly one row.
constexpr std::array<int, kScreenCount> kRowOf = [] {
    std::array<int, kScreenCount> row{};
    row.fill(-1);
    for (int i = 0; i < kScreenCount; ++i) {
        const int id = kScreens[i].id;
        if (id < 0 || id >= kScreenCount || row[id] != -1) throw "screen numbers must be 0-23, each once";
        row[id] = i;
    }
    return row;
}();

// A decimal integer as atoi reads it, held to the range of int.
int readDecimal(std::string_view text) {
    const std::string copy(text);
    const long v = std::strtol(copy.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

} // namespace

std::span<const ScreenInfo> screenTable() { return kScreens; }

std::unique_ptr<Screen> makeScreen(const GameState& s) {
    if (s.screen < 0 || s.screen >= kScreenCount) return nullptr;
    return kScreens[kRowOf[s.screen]].make(s);
}

std::optional<GameState> startScreenFor(std::string_view name) {
    GameState s;
    if (name.starts_with("shop")) {
        s.screen = kShop;
        if (const auto colon = name.find(':'); colon != std::string_view::npos) {
            s.subMode = readDecimal(name.substr(colon + 1));
        }
        return s;
    }
    for (const ScreenInfo& info : kScreens) {
        if (info.startName && info.startName == name) {
            s.screen = info.id;
            return s;
        }
    }
    return std::nullopt;
}

std::string startScreenUsage() {
    std::string line = "VELMORANDINE_SCREEN:";
    for (const ScreenInfo& info : kScreens) {
        if (!info.startName) continue;
        line += ' ';
        line += info.startName;
        if (info.id == kShop) line += "[:0-4]";
    }
    return line + '\n';
}

// Defined beside the table rather than with the stack: the interface library
// stays free of the screens, and whatever asks for the real stack links them.
Game& Game::instance() {
    static Game game(&makeScreen);
    return game;
}

} // namespace ui

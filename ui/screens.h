#pragma once
// The screens: their numbers, the table that binds each number to its
// start-screen name and factory, and the factories, which only the screen
// stack calls (each returns a newly built screen, never null).
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/app.h"

namespace ui {

// Screen numbers of the stack entries.
enum ScreenId : int {
    kSplash = 0,
    kMenu = 1,
    kHeroSelect = 2,
    kCity = 3,
    kParty = 4,
    kKaserne = 5,
    kShop = 6,
    kScrollShop = 7,
    kTrainer = 8,
    kRuneTower = 9,
    kMap = 10,
    kBattle = 11,
    kReward = 12,
    kRest = 13,
    kTreasure = 14,
    kRunResult = 15,
    kDice = 16,
    kShell = 17,
    kMemory = 18,
    kWhack = 19,
    kCoin = 20,
    kSettings = 21,
    kAbout = 22,
    kLicenses = 23,
};
inline constexpr int kScreenCount = 24;

// One row of the screen table.
struct ScreenInfo {
    ScreenId id;
    const char* startName;  // the VELMORANDINE_SCREEN name; null: not a start screen
    std::unique_ptr<Screen> (*make)(const GameState&);
};
// Every screen once: the start screens in the order of the usage line, then
// the others.
std::span<const ScreenInfo> screenTable();

std::unique_ptr<Screen> makeSplashScreen();
std::unique_ptr<Screen> makeMenuScreen();
std::unique_ptr<Screen> makeHeroSelectScreen();
std::unique_ptr<Screen> makeCityScreen();
std::unique_ptr<Screen> makePartyScreen(const GameState& s);
std::unique_ptr<Screen> makeKaserneScreen();
std::unique_ptr<Screen> makeShopScreen(const GameState& s);
std::unique_ptr<Screen> makeScrollShopScreen(const GameState& s);
std::unique_ptr<Screen> makeTrainerScreen();
std::unique_ptr<Screen> makeRuneTowerScreen();
std::unique_ptr<Screen> makeMapScreen();
std::unique_ptr<Screen> makeBattleScreen(const GameState& s);
std::unique_ptr<Screen> makeRewardScreen(const GameState& s);
std::unique_ptr<Screen> makeRestScreen(const GameState& s);
std::unique_ptr<Screen> makeTreasureScreen(const GameState& s);
std::unique_ptr<Screen> makeRunResultScreen(const GameState& s);
// Screens 16 to 20: 17 shell, 18 memory, 19 whack, 20 coin, else dice.
std::unique_ptr<Screen> makeMinigameScreen(const GameState& s);
std::unique_ptr<Screen> makeSettingsScreen();
std::unique_ptr<Screen> makeAboutScreen();
std::unique_ptr<Screen> makeLicensesScreen();

// The factory of the entry's screen number; null for a number outside 0-23.
std::unique_ptr<Screen> makeScreen(const GameState& s);

// The start screen named by VELMORANDINE_SCREEN: a default entry with its
// number (and for "shop[:k]" the sub-mode); nothing for an unknown name,
// which earns the usage line.
std::optional<GameState> startScreenFor(std::string_view name);
// "VELMORANDINE_SCREEN: menu herosel ... licenses\n", every start name.
std::string startScreenUsage();

} // namespace ui

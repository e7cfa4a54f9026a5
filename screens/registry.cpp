// The one place that binds screen numbers to screens.
#include "ui/screens.h"

namespace ui {

std::unique_ptr<Screen> makeScreen(const GameState& s) {
    switch (s.screen) {
    case kSplash: return makeSplashScreen();
    case kMenu: return makeMenuScreen();
    case kHeroSelect: return makeHeroSelectScreen();
    case kCity: return makeCityScreen();
    case kParty: return makePartyScreen(s);
    case kKaserne: return makeKaserneScreen();
    case kShop: return makeShopScreen(s);
    case kScrollShop: return makeScrollShopScreen(s);
    case kTrainer: return makeTrainerScreen();
    case kRuneTower: return makeRuneTowerScreen();
    case kMap: return makeMapScreen();
    case kBattle: return makeBattleScreen(s);
    case kReward: return makeRewardScreen(s);
    case kRest: return makeRestScreen(s);
    case kTreasure: return makeTreasureScreen(s);
    case kRunResult: return makeRunResultScreen(s);
    case kDice:
    case kShell:
    case kMemory:
    case kWhack:
    case kCoin: return makeMinigameScreen(s);
    case kSettings: return makeSettingsScreen();
    case kAbout: return makeAboutScreen();
    case kLicenses: return makeLicensesScreen();
    default: return nullptr;
    }
}

// Defined beside the table rather than with the stack: the interface library
// stays free of the screens, and whatever asks for the real stack links them.
Game& Game::instance() {
    static Game game(&makeScreen);
    return game;
}

} // namespace ui

// The settings page: every change is applied at once and lands in
// settings.dat; a volume drag is written when the button is let go; the
// reset wipes progress and the run after asking.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "play/settings.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "rules/hero.h"
#include "rules/run.h"
#include "screens/settings_layout.h"
#include "tests/screens/nav_support.h"
#include "ui/audio.h"
#include "ui/screens.h"

namespace {

class SettingsScreenTest : public testing::Test {
protected:
    void TearDown() override {
        i18n::setLanguage("en");
        rpg::setActiveDifficulty(difficulty_);
    }

    static void open(harness::ScreenHarness& h) { navtest::openOverMenu(h, ui::kSettings); }

    static ui::SettingsLayout layout(harness::ScreenHarness& h, double scroll = 0) {
        return ui::settingsLayout(h.ctx(), navtest::headerBottom(h), scroll);
    }

    static void clickIn(harness::ScreenHarness& h, const ui::Rect& r) { h.click(r.x + r.w / 2, r.y + r.h / 2); }

private:
    rpg::Difficulty difficulty_ = rpg::activeDifficulty();
};

// Tall enough for the whole page to show without scrolling.
constexpr int kTall = 1100;

TEST_F(SettingsScreenTest, DifficultyAndSoundAreAppliedAndSaved) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, kTall);
    open(h);
    const ui::SettingsLayout l = layout(h);

    clickIn(h, l.difficulty[2]);
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Brutal);
    h.reloadStores();
    EXPECT_EQ(store::settings().difficulty, rpg::Difficulty::Brutal);

    h.clearData();
    clickIn(h, l.difficulty[2]);  // the chosen one again: saved again, still active
    EXPECT_TRUE(h.hasDataFile("settings.dat"));
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Brutal);

    clickIn(h, l.soundSwitch);
    h.reloadStores();
    EXPECT_FALSE(store::settings().soundOn);
    h.clearSounds();
    clickIn(h, l.difficulty[0]);
    EXPECT_TRUE(h.sounds().empty()) << "effects fall silent at once";
    clickIn(h, l.soundSwitch);
    EXPECT_TRUE(store::settings().soundOn);
    clickIn(h, l.difficulty[0]);
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click}) << "and play again at once";
}

// A dragged knob is heard at once and settled in the settings (and their
// file) when it is let go, or when the page is left while it is held.
TEST_F(SettingsScreenTest, VolumeDragIsHeardAtOnceAndWrittenOnRelease) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, kTall);
    store::settings().musicVolume = 0.5;
    store::settings().sfxVolume = 0.5;
    store::saveSettings();
    open(h);
    const ui::Rect music = layout(h).musicSlider;
    const double y = music.y + music.h / 2;

    h.moveTo(music.x + 0.5 * music.w, y).press().frame();
    h.moveTo(music.x + 0.8 * music.w, y).frame();
    h.reloadStores();
    EXPECT_NEAR(store::settings().musicVolume, 0.5, 1e-9) << "the file waits for the release";
    h.frame();  // still held: the knob stays under the pointer
    h.release().frame();
    h.reloadStores();
    EXPECT_NEAR(store::settings().musicVolume, 0.8, 1e-9);

    const ui::Rect sfx = layout(h).sfxSlider;
    h.moveTo(sfx.x + 0.5 * sfx.w, sfx.y + sfx.h / 2).press().frame();
    h.moveTo(sfx.x, sfx.y + sfx.h / 2).frame();
    h.clearSounds();
    audio::play(audio::Sfx::Click);
    EXPECT_TRUE(h.sounds().empty()) << "effects fall silent while the knob is held at 0";
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kMenu);
    h.reloadStores();
    EXPECT_EQ(store::settings().sfxVolume, 0) << "settled on the way out";
    EXPECT_NEAR(store::settings().musicVolume, 0.8, 1e-9);
}

TEST_F(SettingsScreenTest, VolumesAreSavedWithinTheirRange) {
    harness::ScreenHarness h;
    play::setVolumes(1.7, -0.2);
    EXPECT_EQ(store::settings().musicVolume, 1);
    EXPECT_EQ(store::settings().sfxVolume, 0);
    play::setVolumes(std::nan(""), 0.3);
    EXPECT_EQ(store::settings().musicVolume, 1) << "no number keeps the volume";
    h.reloadStores();
    EXPECT_EQ(store::settings().musicVolume, 1);
    EXPECT_NEAR(store::settings().sfxVolume, 0.3, 1e-9);
}

TEST_F(SettingsScreenTest, LanguageSwitchRebuildsThePageInTheNewLanguage) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, kTall);
    open(h);
    const auto& langs = i18n::languages();
    const auto de = std::find_if(langs.begin(), langs.end(), [](const i18n::Language& l) { return l.code == "de"; });
    ASSERT_NE(de, langs.end());
    const ui::Screen* before = ui::Game::instance().current();

    clickIn(h, layout(h).languageCell(1 + static_cast<int>(de - langs.begin())));
    h.frame();
    EXPECT_NE(ui::Game::instance().current(), before) << "built anew";
    EXPECT_EQ(h.top().screen, ui::kSettings);
    EXPECT_EQ(i18n::currentLanguage(), "de");
    h.reloadStores();
    EXPECT_EQ(store::settings().language, "de");

    clickIn(h, layout(h).languageCell(0));
    h.reloadStores();
    EXPECT_EQ(store::settings().language, "") << "the system language";
}

TEST_F(SettingsScreenTest, ResetAsksThenWipesProgressAndRun) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, kTall);
    store::Meta& m = store::meta();
    m.initialized = true;
    m.roster.push_back(rpg::makeHero(rpg::ClassId::Cleric, "", 3));
    m.partyIds.push_back(m.roster.back().id);
    m.gold = 90;
    store::saveMeta();
    store::run() = rpg::createRun(m.roster, 11, rpg::Stats{}, 0);
    store::saveRun();
    open(h);
    const ui::Rect reset = layout(h).resetButton;

    clickIn(h, reset);
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kSettings) << "Escape closes the dialog only";
    h.reloadStores();
    EXPECT_EQ(store::meta().roster.size(), 1u);
    EXPECT_TRUE(store::hasRun());

    clickIn(h, reset);
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.top().screen, ui::kMenu);
    EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
    h.reloadStores();
    EXPECT_FALSE(store::meta().initialized);
    EXPECT_TRUE(store::meta().roster.empty());
    EXPECT_EQ(store::meta().gold, 0);
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
}

TEST_F(SettingsScreenTest, EscapeLeavesWhenNoDialogIsOpen) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, kTall);
    open(h);
    h.key(SDLK_ESCAPE).frame();
    EXPECT_EQ(h.top().screen, ui::kMenu);
}

// Controls scrolled up under the header are not clickable there.
TEST_F(SettingsScreenTest, ControlsScrolledOutOfThePageTakeNoClicks) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    open(h);
    const ui::SettingsLayout l0 = layout(h);
    navtest::dragBy(h, l0.page.x + l0.page.w - 4, l0.hintTop, -40);
    const ui::SettingsLayout l = layout(h, 40);
    const ui::Rect hard = l.difficulty[1];
    ASSERT_LT(hard.y, l.page.y) << "the button reaches above the page";
    navtest::clickStill(h, hard.x + hard.w / 2, (hard.y + l.page.y) / 2);
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Easy);
    navtest::clickStill(h, hard.x + hard.w / 2, l.page.y + 2);
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Hard) << "the visible part still works";
}

} // namespace

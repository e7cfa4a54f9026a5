// The settings page's frame: every change takes effect at once and is saved.
#include <cmath>
#include <optional>
#include <string>

#include "play/settings.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "screens/common.h"
#include "screens/settings.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using namespace theme;

constexpr double kVolumeEpsilon = 1e-6;

void sectionTitle(Ctx& ctx, const SettingsLayout& l, double y, const char* key) {
    const double s = ctx.uiScale;
    drawText(ctx.cr, l.page.x, y, i18n::tr(key),
             TextStyle{.family = "sans", .size = std::round(15 * s), .bold = true, .color = kGold});
    drawLine(ctx.cr, l.page.x, y + 22 * s, l.page.x + l.page.w, y + 22 * s, s, kBrownBorder, 0.8);
}

void volumeRow(Ctx& ctx, const SettingsLayout& l, double labelY, const Rect& track, const char* key, double volume,
               std::optional<double>* moved) {
    drawText(ctx.cr, l.page.x, labelY, i18n::tr(key),
             TextStyle{.family = "sans", .size = std::round(13 * ctx.uiScale), .color = kMutedText});
    const double v = slider(ctx, track, volume);
    if (std::fabs(v - volume) > kVolumeEpsilon) *moved = v;
}

} // namespace

void SettingsScreen::update(Ctx& ctx) {
    bool leave = false;
    const double top = pageHeader(ctx, i18n::tr("settings.headline"), &leave);
    if (leave) {
        settleVolumes();  // a knob still held when the page is left
        Game::instance().pop();
        return;
    }
    const SettingsLayout before = settingsLayout(ctx, top, scroll_);
    // The rows reach the page's right edge; the bar stands just beside it.
    scroll_ = beginScroll(ctx, "settings.page", before.page, before.contentHeight, scroll_, 10 * ctx.uiScale);
    const SettingsLayout l = settingsLayout(ctx, top, scroll_);
    Choice choice;
    drawDifficulty(ctx, l, &choice);
    drawSound(ctx, l, &choice);
    drawVolumes(ctx, l, &choice);
    drawLanguages(ctx, l, &choice);
    sectionTitle(ctx, l, l.resetTitle, "settings.reset");
    if (plainButton(ctx, l.resetButton, i18n::tr("settings.reset"), false)) resetOpen_ = true;
    endScroll(ctx);
    footer(ctx, ctx.height);
    if (resetOpen_) drawResetDialog(ctx, &choice);
    apply(ctx, choice);
}

void SettingsScreen::drawDifficulty(Ctx& ctx, const SettingsLayout& l, Choice* choice) {
    const double s = ctx.uiScale;
    const store::Settings& st = store::settings();
    sectionTitle(ctx, l, l.difficultyTitle, "settings.difficulty");
    for (int d = 0; d < 4; ++d) {
        const auto diff = static_cast<rpg::Difficulty>(d);
        if (plainButton(ctx, l.difficulty[d], i18n::tr(rpg::difficultyNameKey(diff)), st.difficulty == diff)) {
            choice->difficulty = diff;
        }
    }
    const TextStyle hint{.family = kFontSans, .size = std::round(13 * s), .color = kMutedText, .wrapWidth = l.page.w};
    drawText(ctx.cr, l.page.x, l.hintTop, i18n::tr(rpg::difficultyHintKey(st.difficulty)), hint);
}

void SettingsScreen::drawSound(Ctx& ctx, const SettingsLayout& l, Choice* choice) {
    const store::Settings& st = store::settings();
    sectionTitle(ctx, l, l.soundTitle, "settings.sound");
    const bool on = toggleRow(ctx, l.soundSwitch, i18n::tr("settings.sound"), st.soundOn);
    if (on != st.soundOn) choice->soundOn = on;
}

void SettingsScreen::drawVolumes(Ctx& ctx, const SettingsLayout& l, Choice* choice) const {
    const Volumes v = shownVolumes();
    volumeRow(ctx, l, l.musicLabel, l.musicSlider, "settings.musicVolume", v.music, &choice->musicVolume);
    volumeRow(ctx, l, l.sfxLabel, l.sfxSlider, "settings.sfxVolume", v.sfx, &choice->sfxVolume);
}

SettingsScreen::Volumes SettingsScreen::shownVolumes() const {
    if (dragged_) return *dragged_;
    const store::Settings& st = store::settings();
    return {st.musicVolume, st.sfxVolume};
}

void SettingsScreen::settleVolumes() {
    if (!dragged_) return;
    play::setVolumes(dragged_->music, dragged_->sfx);
    dragged_.reset();
}

void SettingsScreen::drawLanguages(Ctx& ctx, const SettingsLayout& l, Choice* choice) {
    const store::Settings& st = store::settings();
    sectionTitle(ctx, l, l.languageTitle, "settings.language");
    const auto& langs = i18n::languages();
    for (int i = 0; i < l.cells; ++i) {
        const std::string code = i == 0 ? std::string() : langs[i - 1].code;
        const std::string label = i == 0 ? i18n::tr("settings.languageSystem") : langs[i - 1].nativeName;
        if (plainButton(ctx, l.languageCell(i), label, st.language == code)) choice->language = code;
    }
}

void SettingsScreen::drawResetDialog(Ctx& ctx, Choice* choice) {
    const DialogAnswer answer =
        confirmDialog(ctx, i18n::tr("settings.resetConfirmTitle"), i18n::tr("settings.resetConfirmBody"),
                      i18n::tr("settings.resetConfirmYes"), i18n::tr("settings.resetConfirmNo"));
    if (answer == DialogAnswer::Open) return;
    resetOpen_ = false;
    choice->reset = answer == DialogAnswer::Confirmed;
}

// Volumes are heard while the knob moves; they are settled (and the file
// written) once the button is let go, not on every frame of the drag. A new
// language rebuilds the whole screen in it, from the top.
void SettingsScreen::apply(const Ctx& ctx, const Choice& c) {
    if (c.difficulty) play::setDifficulty(*c.difficulty);
    if (c.soundOn) {
        play::setSoundOn(*c.soundOn);
        audio::setEnabled(*c.soundOn);
    }
    if (c.musicVolume || c.sfxVolume) {
        Volumes v = shownVolumes();
        if (c.musicVolume) {
            v.music = *c.musicVolume;
            audio::setMusicVolume(v.music);
        }
        if (c.sfxVolume) {
            v.sfx = *c.sfxVolume;
            audio::setSfxVolume(v.sfx);
        }
        dragged_ = v;
    }
    if (!ctx.input.leftDown) settleVolumes();
    Game& game = Game::instance();
    if (c.reset) {
        play::resetProgress();
        GameState menu;
        menu.screen = kMenu;
        game.resetTo(menu);
    } else if (c.language) {
        play::setLanguage(*c.language);
        const GameState self = game.top();
        game.replace(self);
    }
}

std::unique_ptr<Screen> makeSettingsScreen() { return std::make_unique<SettingsScreen>(); }

} // namespace ui

// The settings page: difficulty, sound and volumes, language, and the reset
// of all progress. Every change takes effect at once and is saved.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "play/settings.h"
#include "platform/i18n.h"
#include "screens/common.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "screens/settings_layout.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using namespace theme;

constexpr double kCellW = 112;  // language cell, scaled
constexpr double kCellH = 30;
constexpr double kCellGap = 6;
constexpr double kVolumeEpsilon = 1e-6;

int languageCellCount() { return 1 + static_cast<int>(i18n::languages().size()); }

void sectionTitle(Ctx& ctx, const SettingsLayout& l, double y, const char* key) {
    const double s = ctx.uiScale;
    drawText(ctx.cr, l.page.x, y, i18n::tr(key),
             TextStyle{.family = "sans", .size = std::round(15 * s), .bold = true, .color = kGold});
    drawLine(ctx.cr, l.page.x, y + 22 * s, l.page.x + l.page.w, y + 22 * s, s, kBrownBorder, 0.8);
}

// What the frame's clicks chose; applied once the page is drawn, so every
// control of a frame shows the same settings.
struct SettingsChoice {
    std::optional<rpg::Difficulty> difficulty;
    std::optional<bool> soundOn;
    std::optional<std::string> language;
    std::optional<double> musicVolume, sfxVolume;  // the knob's new place
    bool reset = false;
};

void runDifficulty(Ctx& ctx, const SettingsLayout& l, SettingsChoice* choice) {
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

void runSound(Ctx& ctx, const SettingsLayout& l, SettingsChoice* choice) {
    const store::Settings& st = store::settings();
    sectionTitle(ctx, l, l.soundTitle, "settings.sound");
    const bool on = toggleRow(ctx, l.soundSwitch, i18n::tr("settings.sound"), st.soundOn);
    if (on != st.soundOn) choice->soundOn = on;
}

void volumeRow(Ctx& ctx, const SettingsLayout& l, double labelY, const Rect& track, const char* key, double volume,
               std::optional<double>* moved) {
    drawText(ctx.cr, l.page.x, labelY, i18n::tr(key),
             TextStyle{.family = "sans", .size = std::round(13 * ctx.uiScale), .color = kMutedText});
    const double v = slider(ctx, track, volume);
    if (std::fabs(v - volume) > kVolumeEpsilon) *moved = v;
}

void runVolumes(Ctx& ctx, const SettingsLayout& l, SettingsChoice* choice) {
    const store::Settings& st = store::settings();
    volumeRow(ctx, l, l.musicLabel, l.musicSlider, "settings.musicVolume", st.musicVolume, &choice->musicVolume);
    volumeRow(ctx, l, l.sfxLabel, l.sfxSlider, "settings.sfxVolume", st.sfxVolume, &choice->sfxVolume);
}

void runLanguages(Ctx& ctx, const SettingsLayout& l, SettingsChoice* choice) {
    const store::Settings& st = store::settings();
    sectionTitle(ctx, l, l.languageTitle, "settings.language");
    const auto& langs = i18n::languages();
    for (int i = 0; i < languageCellCount(); ++i) {
        const std::string code = i == 0 ? std::string() : langs[i - 1].code;
        const std::string label = i == 0 ? i18n::tr("settings.languageSystem") : langs[i - 1].nativeName;
        if (plainButton(ctx, l.languageCell(i), label, st.language == code)) choice->language = code;
    }
}

class SettingsScreen final : public Screen {
public:
    void update(Ctx& ctx) override {
        bool leave = false;
        const double top = pageHeader(ctx, i18n::tr("settings.headline"), &leave);
        if (leave) {
            Game::instance().pop();
            return;
        }
        const SettingsLayout before = settingsLayout(ctx, top, scroll_);
        // The rows reach the page's right edge; the bar stands just beside it.
        scroll_ = beginScroll(ctx, "settings.page", before.page, before.contentHeight, scroll_, 10 * ctx.uiScale);
        const SettingsLayout l = settingsLayout(ctx, top, scroll_);
        SettingsChoice choice;
        runDifficulty(ctx, l, &choice);
        runSound(ctx, l, &choice);
        runVolumes(ctx, l, &choice);
        runLanguages(ctx, l, &choice);
        sectionTitle(ctx, l, l.resetTitle, "settings.reset");
        if (plainButton(ctx, l.resetButton, i18n::tr("settings.reset"), false)) resetOpen_ = true;
        endScroll(ctx);
        footer(ctx, ctx.height);
        if (resetOpen_) runResetDialog(ctx, &choice);
        apply(ctx, choice);
    }

private:
    void runResetDialog(Ctx& ctx, SettingsChoice* choice) {
        const int answer = confirmDialog(ctx, i18n::tr("settings.resetConfirmTitle"),
                                         i18n::tr("settings.resetConfirmBody"), i18n::tr("settings.resetConfirmYes"),
                                         i18n::tr("settings.resetConfirmNo"));
        if (answer == 0) return;
        resetOpen_ = false;
        choice->reset = answer > 0;
    }

    // Volumes apply while the knob moves; the file is written once the
    // button is let go, not on every frame of the drag. A new language
    // rebuilds the whole screen in it, from the top.
    void apply(const Ctx& ctx, const SettingsChoice& c) {
        if (c.difficulty) play::setDifficulty(*c.difficulty);
        if (c.soundOn) {
            play::setSoundOn(*c.soundOn);
            audio::setEnabled(*c.soundOn);
        }
        store::Settings& st = store::settings();
        if (c.musicVolume) {
            st.musicVolume = *c.musicVolume;
            audio::setMusicVolume(st.musicVolume);
            volumeUnsaved_ = true;
        }
        if (c.sfxVolume) {
            st.sfxVolume = *c.sfxVolume;
            audio::setSfxVolume(st.sfxVolume);
            volumeUnsaved_ = true;
        }
        if (volumeUnsaved_ && !ctx.input.leftDown) {
            play::setVolumes(st.musicVolume, st.sfxVolume);
            volumeUnsaved_ = false;
        }
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

    double scroll_ = 0;
    bool resetOpen_ = false;
    bool volumeUnsaved_ = false;  // a dragged volume not yet in the file
};

} // namespace

Rect SettingsLayout::languageCell(int i) const {
    const double step = (kCellW + kCellGap) * scale;
    return {page.x + (i % columns) * step, gridTop + (i / columns) * (kCellH + kCellGap) * scale, kCellW * scale,
            kCellH * scale};
}

SettingsLayout settingsLayout(const Ctx& ctx, double top, double scroll) {
    const double s = ctx.uiScale;
    const double m = std::max((ctx.width - 620 * s) / 2, 24 * s);
    SettingsLayout l;
    l.scale = s;
    l.page = {m, top + 6 * s, ctx.width - 2 * m, ctx.height - top - 46 * s};
    const double pw = l.page.w;
    l.columns = std::max(2, static_cast<int>((pw + kCellGap * s) / ((kCellW + kCellGap) * s)));
    l.rows = (languageCellCount() + l.columns - 1) / l.columns;
    l.contentHeight = 408 * s + l.rows * (kCellH + kCellGap) * s;

    const double y = l.page.y - scroll;
    l.difficultyTitle = y;
    const double bw = (pw - 9 * s) / 4;
    for (int d = 0; d < 4; ++d) l.difficulty[d] = {l.page.x + d * (bw + 3 * s), y + 30 * s, bw, 38 * s};
    l.hintTop = y + 74 * s;
    l.soundTitle = l.hintTop + 40 * s;
    l.soundSwitch = {l.page.x, l.soundTitle + 30 * s, pw, 38 * s};
    l.musicLabel = l.soundSwitch.y + l.soundSwitch.h + 8 * s;
    l.musicSlider = {l.page.x, l.musicLabel + 18 * s, pw, 22 * s};
    l.sfxLabel = l.musicLabel + 52 * s;
    l.sfxSlider = {l.page.x, l.sfxLabel + 18 * s, pw, 22 * s};
    l.languageTitle = l.sfxLabel + 56 * s;
    l.gridTop = l.languageTitle + 30 * s;
    l.resetTitle = l.gridTop + l.rows * (kCellH + kCellGap) * s + 16 * s;
    l.resetButton = {l.page.x, l.resetTitle + 30 * s, std::min(280 * s, pw), 34 * s};
    return l;
}

std::unique_ptr<Screen> makeSettingsScreen() { return std::make_unique<SettingsScreen>(); }

} // namespace ui

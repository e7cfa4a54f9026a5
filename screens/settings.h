#pragma once
// The settings page: difficulty, sound and volumes, language, and the reset
// of all progress. settings.cpp draws it and applies its choices,
// settings_layout.cpp places its sections.
#include <optional>
#include <string>

#include "rules/difficulty.h"
#include "screens/settings_layout.h"
#include "ui/app.h"

namespace ui {

class SettingsScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // What the frame's clicks chose; applied once the page is drawn, so every
    // control of a frame shows the same settings.
    struct Choice {
        std::optional<rpg::Difficulty> difficulty;
        std::optional<bool> soundOn;
        std::optional<std::string> language;
        std::optional<double> musicVolume, sfxVolume;  // the knob's new place
        bool reset = false;
    };

    static void drawDifficulty(Ctx& ctx, const SettingsLayout& l, Choice* choice);
    static void drawSound(Ctx& ctx, const SettingsLayout& l, Choice* choice);
    void drawVolumes(Ctx& ctx, const SettingsLayout& l, Choice* choice) const;
    static void drawLanguages(Ctx& ctx, const SettingsLayout& l, Choice* choice);
    void drawResetDialog(Ctx& ctx, Choice* choice);
    void apply(const Ctx& ctx, const Choice& c);

    // The knobs' places while one is dragged: heard at once, settled in the
    // settings when the button is let go.
    struct Volumes {
        double music = 0, sfx = 0;
    };
    Volumes shownVolumes() const;
    void settleVolumes();

    double scroll_ = 0;
    bool resetOpen_ = false;  // the reset's question is asked
    std::optional<Volumes> dragged_;
};

} // namespace ui

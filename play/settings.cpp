#include "play/settings.h"

#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "platform/storage.h"

namespace play {
namespace {

// A volume outside 0..1 is held to it; one that is no number changes nothing.
void setVolume(double* stored, double v) {
    if (!std::isnan(v)) *stored = std::clamp(v, 0.0, 1.0);
}

} // namespace

void setDifficulty(rpg::Difficulty difficulty) {
    store::settings().difficulty = difficulty;
    rpg::setActiveDifficulty(difficulty);
    store::saveSettings();
}

void setSoundOn(bool on) {
    store::settings().soundOn = on;
    store::saveSettings();
}

void setVolumes(double music, double sfx) {
    store::Settings& st = store::settings();
    setVolume(&st.musicVolume, music);
    setVolume(&st.sfxVolume, sfx);
    store::saveSettings();
}

void setLanguage(const std::string& code) {
    store::settings().language = code;
    i18n::setLanguage(code);
    store::saveSettings();
}

void resetProgress() { store::resetProgress(); }

} // namespace play

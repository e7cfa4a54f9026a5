#include "play/settings.h"

#include "platform/i18n.h"
#include "platform/storage.h"

namespace play {

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
    store::settings().musicVolume = music;
    store::settings().sfxVolume = sfx;
    store::saveSettings();
}

void setLanguage(const std::string& code) {
    store::settings().language = code;
    i18n::setLanguage(code);
    store::saveSettings();
}

void resetProgress() { store::resetProgress(); }

} // namespace play

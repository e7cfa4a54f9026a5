// The settings page in English and in Arabic (right to left), at the top,
// scrolled to the end, and asking before a reset.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/settings_layout.h"
#include "tests/gallery/gallery.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

void shootSettings(const std::string& lang) {
    for (auto [w, h] : gallery::kSizes) {
        for (const char* state : {"top", "end", "reset"}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            store::settings().language = lang;
            i18n::setLanguage(lang);
            ui::GameState settings;
            settings.screen = ui::kSettings;
            hs.start(settings);
            hs.frame();
            if (std::string(state) != "top") {
                hs.moveTo(w / 2.0, h / 2.0).wheel(-40).frame();
                hs.runFor(2.0);
            }
            if (std::string(state) == "reset") {
                const double top = ui::screenHeader(hs.ctx(), "", nullptr);
                const ui::SettingsLayout l0 = ui::settingsLayout(hs.ctx(), top, 0);
                const double end = std::max(0.0, l0.contentHeight - l0.page.h);
                const ui::Rect r = ui::settingsLayout(hs.ctx(), top, end).resetButton;
                hs.moveTo(r.x + r.w / 2, r.y + r.h / 2).frame();
                hs.click(r.x + r.w / 2, r.y + r.h / 2);
            }
            hs.moveTo(w - 2, h - 2).frame();
            gallery::shoot(hs, "settings-" + lang + "-" + state);
        }
    }
    i18n::setLanguage("en");
}

TEST(SettingsGallery, English) { shootSettings("en"); }
TEST(SettingsGallery, Arabic) { shootSettings("ar"); }

} // namespace

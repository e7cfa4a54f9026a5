// The smallest window in the languages whose scripts need the largest
// texts: screens that open without a run show every text at its script's
// legible size, and no two texts run into each other or touch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/hero.h"
#include "tests/screens/nav_support.h"
#include "tools/screenshots/contrast.h"
#include "ui/screens.h"

namespace {

struct LanguageGuard {
    explicit LanguageGuard(const std::string& code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

// The texts of one frame on screen, shadows marked.
std::vector<contrast::SeenText> recordFrame(harness::ScreenHarness& h) {
    contrast::Recorder rec;
    rec.begin({h.overlay()}, contrast::Pass::Record);
    h.frame();
    std::vector<contrast::SeenText> texts = rec.end();
    contrast::markShadows(texts);
    return texts;
}

TEST(SmallWindow, ScreensShowEveryTextReadableAndApart) {
    const std::pair<int, const char*> screens[] = {
        {ui::kHeroSelect, "hero selection"}, {ui::kCity, "city"}, {ui::kSettings, "settings"}, {ui::kAbout, "about"}};
    for (const char* code : {"ja", "ar", "de"}) {
        const LanguageGuard language(code);
        for (const auto& [screen, name] : screens) {
            harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
            store::Meta& meta = store::meta();  // a party of four, its levels under the city's portraits
            for (rpg::ClassId cls : {rpg::ClassId::Warrior, rpg::ClassId::Mage, rpg::ClassId::Cleric, rpg::ClassId::Archer}) {
                meta.roster.push_back(rpg::makeHero(cls, "", 13));
                meta.partyIds.push_back(meta.roster.back().id);
            }
            meta.initialized = true;
            store::saveMeta();
            navtest::openOverMenu(h, screen);
            h.frame();
            const std::vector<contrast::SeenText> texts = recordFrame(h);
            std::vector<const contrast::SeenText*> shown;
            for (const contrast::SeenText& t : texts)
                if (!t.shadow && t.box.w > 0) shown.push_back(&t);
            ASSERT_GT(shown.size(), 3u) << name << " " << code;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const contrast::SeenText& a = *shown[i];
                EXPECT_FALSE(contrast::tooSmall(a.pixels, contrast::legiblePixels(a)))
                    << name << " " << code << ": \"" << a.text << "\" at " << a.pixels << " px";
                for (std::size_t j = 0; j < i; ++j) {
                    const contrast::SeenText& b = *shown[j];
                    EXPECT_LT(contrast::inkOverlap(a, b), 3)
                        << name << " " << code << ": \"" << a.text << "\" runs into \"" << b.text << "\"";
                    EXPECT_FALSE(contrast::touching(a, b))
                        << name << " " << code << ": \"" << a.text << "\" touches \"" << b.text << "\"";
                }
            }
        }
    }
}

} // namespace

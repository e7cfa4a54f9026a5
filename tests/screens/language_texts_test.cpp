// What the screens show in the other languages: no English or German left
// over from the code, no label glued to its number, no number grouped with a
// dot where a dot is a decimal point, and in right-to-left languages no
// Latin list comma and no arrow pointing against the reading.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/battle_scene.h"
#include "tests/screens/battle_fixture.h"
#include "tests/screens/progress_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/app.h"
#include "ui/draw.h"
#include "ui/game_ui.h"

namespace {

std::vector<std::string>& shown() {
    static std::vector<std::string> texts;
    return texts;
}

void record(std::string_view text) { shown().emplace_back(text); }

struct Recording {
    Recording() {
        shown().clear();
        ui::setTextObserver(&record);
    }
    ~Recording() { ui::setTextObserver(nullptr); }
};

struct LanguageGuard {
    explicit LanguageGuard(const std::string& code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Texts the code once put on screen in English or German whatever the
// language, and labels glued to their numbers.
std::string offence(const std::string& text) {
    for (const char* word : {"The Velmorandine team", "aus Noto", "eigene Arbeit", "Pixelkunst und Spielregeln",
                             "Musik: \u201ECalm", "Klangeffekte (eigene", "LAME-Projekt"}) {
        if (text.find(word) != std::string::npos) return word;
    }
    for (const char* label : {"Lv ", "GS ", "  L"}) {
        const std::size_t at = text.find(label);
        const std::size_t after = at + std::string(label).size();
        if (at != std::string::npos && after < text.size() && isDigit(text[after])) return label;
    }
    const std::string level = i18n::tr("common.lvl");
    const std::size_t at = text.find(level);
    if (at != std::string::npos && at + level.size() < text.size() && isDigit(text[at + level.size()]))
        return "level label without a space";
    return {};
}

// A digit, a dot and three more digits: a number grouped the German way.
bool dotGrouped(const std::string& text) {
    for (std::size_t i = 0; i + 4 < text.size(); ++i) {
        if (!isDigit(text[i]) || text[i + 1] != '.') continue;
        if (isDigit(text[i + 2]) && isDigit(text[i + 3]) && isDigit(text[i + 4])) return true;
    }
    return false;
}

// In a right-to-left line: the Latin comma of Arabic script, and the marks
// that point right (Unicode mirrors ">" only by the text around it, so the
// text and the screen would disagree on its direction).
std::string rightToLeftOffence(const std::string& text) {
    const std::string& code = i18n::currentLanguage();
    const bool arabicScript = code == "ar" || code == "fa" || code == "ur";
    if (arabicScript && text.find(", ") != std::string::npos) return "Latin comma";
    for (const char* arrow : {"\u2192", ">"}) {
        if (text.find(arrow) != std::string::npos) return arrow;
    }
    return {};
}

struct Scene {
    const char* name;
    ui::GameState entry;
    bool englishTable;  // the licences are English in every language
};

std::vector<Scene> scenes() {
    using progresstest::entryFor;
    using progresstest::firstNodeOf;
    const std::string battle = firstNodeOf(rpg::NodeType::Battle)->id;
    const std::string treasure = firstNodeOf(rpg::NodeType::Treasure)->id;
    ui::GameState party = entryFor(ui::kParty, "");
    party.heroId = "h1";
    ui::GameState shop = entryFor(ui::kShop, "");
    shop.subMode = 1;
    return {
        {"menu", entryFor(ui::kMenu, ""), false},
        {"city", entryFor(ui::kCity, ""), false},
        {"map", entryFor(ui::kMap, ""), false},
        {"party", party, false},
        {"shop", shop, false},
        {"battle", entryFor(ui::kBattle, battle), false},
        {"treasure", entryFor(ui::kTreasure, treasure), false},
        {"about", entryFor(ui::kAbout, ""), false},
        {"licences", entryFor(ui::kLicenses, ""), true},
    };
}

TEST(LanguageTexts, NoScreenShowsLeftoverWordsOrBackwardPunctuation) {
    for (const char* language : {"de", "ar", "ja", "he", "fa", "ur", "zh", "ko"}) {
        LanguageGuard guard(language);
        harness::ScreenHarness h(&ui::Game::instance());
        progresstest::addPartyHero(rpg::ClassId::Warrior, 18, "h1");
        progresstest::addPartyHero(rpg::ClassId::Rogue, 12, "h2");
        progresstest::startRun(7);
        store::meta().gold = 12345;
        const bool dotIsDecimal = ui::num(1000).find('.') == std::string::npos;
        int goldShown = 0;
        for (const Scene& scene : scenes()) {
            SCOPED_TRACE(std::string(language) + " " + scene.name);
            Recording rec;
            h.start(scene.entry);
            h.frames(3);
            EXPECT_GT(shown().size(), 3u) << "the screen drew its texts";
            for (const std::string& text : shown()) {
                EXPECT_EQ(offence(text), "") << text;
                if (dotIsDecimal) {
                    EXPECT_FALSE(dotGrouped(text)) << text;
                }
                goldShown += text.find(ui::num(12345)) != std::string::npos;
                if (i18n::currentIsRtl() && !scene.englishTable) {
                    EXPECT_EQ(rightToLeftOffence(text), "") << text;
                }
            }
        }
        EXPECT_GT(goldShown, 0) << language << ": the gold as the language writes it";
    }
}

// The action banner names its target behind an arrow that points the way the
// line reads: ">" in Latin text, "→" between Chinese, Japanese or Korean
// phrases, "←" right to left.
TEST(LanguageTexts, TheBattleBannerPointsAlongTheLine) {
    battletest::Stage st;
    const struct {
        const char* language;
        const char* arrow;
    } cases[] = {{"en", "  >  "},       {"de", "  >  "},       {"ar", "  \u2190  "}, {"he", "  \u2190  "},
                 {"fa", "  \u2190  "}, {"ur", "  \u2190  "}, {"ja", "  \u2192  "}, {"zh", "  \u2192  "},
                 {"ko", "  \u2192  "}};
    for (const auto& c : cases) {
        LanguageGuard guard(c.language);
        st.sc.pending = {};
        ui::battle::useSkill(st.sc, st.ctx(), st.at("h1"), "attack");
        const std::string& banner = st.sc.banner;
        EXPECT_NE(banner.find(c.arrow), std::string::npos) << c.language << ": " << banner;
        for (const char* other : {"  >  ", "  \u2190  ", "  \u2192  "}) {
            if (std::string(other) != c.arrow) {
                EXPECT_EQ(banner.find(other), std::string::npos) << c.language;
            }
        }
    }
}

} // namespace

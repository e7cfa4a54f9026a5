// Numbers, clock and date texts: numbers as each language writes them, and
// the one form that seed texts use in every language.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <string>

#include "platform/i18n.h"
#include "ui/game_ui.h"

namespace {

struct LanguageGuard {
    explicit LanguageGuard(const char* code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

TEST(DisplayText, SeedNumRoundsAndGroupsWithDotsInEveryLanguage) {
    LanguageGuard english("en");
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {0.4, "0"},
        {-0.4, "0"},  // no "-0"
        {-0.5, "-1"},
        {999, "999"},
        {-999, "-999"},
        {1000, "1.000"},
        {1000.5, "1.001"},
        {-1000, "-1.000"},  // never a separator right after the sign
        {-1234, "-1.234"},
        {123456, "123.456"},
        {1234567.49, "1.234.567"},
        {1e6, "1.000.000"},
        {-100000, "-100.000"},
        {std::nan(""), "0"},
        {1e30, "9.223.372.036.854.775.807"},
        {-1e30, "-9.223.372.036.854.775.808"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::seedNum(c.value), c.text) << c.value;
    for (const char* code : {"de", "fr", "fa", "hi", "ja"}) {
        i18n::setLanguage(code);
        EXPECT_EQ(ui::seedNum(-1234567.5), "-1.234.568") << code;
    }
}

TEST(DisplayText, NumRoundsLikeTheSeedFormAndGroupsAsEnglishDoes) {
    LanguageGuard english("en");
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.4, "0"},        {-0.4, "0"},          {-0.5, "-1"},
        {999, "999"},      {1000.5, "1,001"},    {-1000, "-1,000"},
        {123456, "123,456"}, {std::nan(""), "0"}, {-1e30, "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::num(c.value), c.text) << c.value;
}

// How each language writes a thousand, twelve thousand and minus a million
// and a bit: a dot only where it is the thousands mark, no-break spaces
// (narrow in French), lakhs in South Asia, Persian digits, and four digits
// left whole in Spanish, Polish and Bulgarian.
TEST(DisplayText, NumGroupsAsEachLanguageWrites) {
    using Forms = std::array<const char*, 3>;  // 1234, 12345, -1234567
    const Forms dot{"1.234", "12.345", "-1.234.567"};
    const Forms comma{"1,234", "12,345", "-1,234,567"};
    const Forms space{"1\u00a0234", "12\u00a0345", "-1\u00a0234\u00a0567"};
    const Forms spaceFrom5{"1234", "12\u00a0345", "-1\u00a0234\u00a0567"};
    const Forms lakhs{"1,234", "12,345", "-12,34,567"};
    const std::map<std::string, Forms> expected = {
        {"de", dot},        {"en", comma},     {"es", {"1234", "12.345", "-1.234.567"}},
        {"fr", {"1\u202f234", "12\u202f345", "-1\u202f234\u202f567"}},
        {"it", dot},        {"pt", dot},       {"nl", dot},        {"pl", spaceFrom5}, {"cs", space},
        {"hu", space},      {"ro", dot},       {"sv", space},      {"da", dot},        {"fi", space},
        {"el", dot},        {"tr", dot},       {"ru", space},      {"ja", comma},      {"zh", comma},
        {"ko", comma},      {"ar", comma},     {"he", comma},      {"bg", spaceFrom5}, {"bn", lakhs},
        {"ca", dot},        {"hi", lakhs},     {"hr", dot},        {"id", dot},        {"lt", space},
        {"lv", space},      {"ms", comma},     {"nb", space},      {"ne", lakhs},      {"sk", space},
        {"sl", dot},        {"sr", dot},       {"sw", comma},      {"th", comma},      {"tl", comma},
        {"uk", space},      {"ur", lakhs},     {"vi", dot},        {"zh_TW", comma},
        {"fa", {"\u06f1\u066c\u06f2\u06f3\u06f4", "\u06f1\u06f2\u066c\u06f3\u06f4\u06f5",
                "-\u06f1\u066c\u06f2\u06f3\u06f4\u066c\u06f5\u06f6\u06f7"}},
    };
    LanguageGuard english("en");
    for (const i18n::Language& language : i18n::languages()) {
        SCOPED_TRACE(language.code);
        const auto it = expected.find(language.code);
        ASSERT_NE(it, expected.end()) << "no expected numbers for this language";
        i18n::setLanguage(language.code);
        EXPECT_EQ(ui::num(1234), it->second[0]);
        EXPECT_EQ(ui::num(12345), it->second[1]);
        EXPECT_EQ(ui::num(-1234567), it->second[2]);
        EXPECT_EQ(ui::num(999), language.code == "fa" ? "\u06f9\u06f9\u06f9" : "999");
    }
}

TEST(DisplayText, FormatTimeSwitchesAtTheHour) {
    const struct {
        long long ms;
        const char* text;
    } cases[] = {
        {0, "00:00"},
        {999, "00:00"},
        {61000, "01:01"},
        {3599999, "59:59"},
        {3600000, "1:00:00"},
        {3661000, "1:01:01"},
        {360000000, "100:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::formatTime(c.ms), c.text) << c.ms;
}

// Sets TZ for one scope and puts the old value back.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone() {
        if (old_) setenv("TZ", old_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> old_;
};

TEST(DisplayText, FormatDateTimeInLocalTime) {
    const struct {
        const char* zone;
        long long ms;
        const char* text;
    } cases[] = {
        {"UTC0", 0, "01.01.1970 00:00"},
        {"UTC0", 1700000000999, "14.11.2023 22:13"},
        {"XYZ-2", 0, "01.01.1970 02:00"},  // two hours east of Greenwich
        {"XYZ+5", 0, "31.12.1969 19:00"},
    };
    for (const auto& c : cases) {
        ScopedZone zone(c.zone);
        EXPECT_EQ(ui::formatDateTime(c.ms), c.text) << c.zone << " " << c.ms;
    }
}

} // namespace

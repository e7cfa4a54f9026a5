#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/i18n_data.h"

namespace {

const char* const kLocaleVars[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

// Sets the four locale variables for one case (nullopt: unset) and puts the
// previous values back afterwards, so no case leaks into another test.
class LocaleEnv {
public:
    explicit LocaleEnv(std::vector<std::optional<std::string>> values) {
        for (size_t i = 0; i < 4; ++i) {
            const char* old = std::getenv(kLocaleVars[i]);
            saved_.push_back(old ? std::optional<std::string>(old) : std::nullopt);
            apply(kLocaleVars[i], i < values.size() ? values[i] : std::nullopt);
        }
    }
    ~LocaleEnv() {
        for (size_t i = 0; i < 4; ++i) apply(kLocaleVars[i], saved_[i]);
    }

private:
    static void apply(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    std::vector<std::optional<std::string>> saved_;
};

// Leaves English active for whatever runs next.
class I18n : public testing::Test {
protected:
    void TearDown() override { i18n::setLanguage("en"); }
};

} // namespace

TEST_F(I18n, DetectsLanguageFromTheEnvironment) {
    const std::nullopt_t unset = std::nullopt;
    struct Case {
        std::optional<std::string> language, lcAll, lcMessages, lang;
        const char* expected;
    };
    const Case cases[] = {
        {"xx:de", unset, unset, "fr_FR.UTF-8", "de"},     // first matching piece wins
        {unset, "POSIX", unset, "pt_BR.UTF-8", "pt"},     // posix names no code
        {unset, unset, unset, "zh_TW.UTF-8", "zh_TW"},
        {unset, unset, unset, "zh_HK", "zh_TW"},
        {unset, unset, unset, "zh-Hant", "zh_TW"},
        {unset, unset, unset, "ZH_tw", "zh_TW"},
        {unset, unset, unset, "zh_MO.UTF-8", "zh_TW"},
        {unset, unset, unset, "zh_CN.UTF-8", "zh"},
        {unset, unset, unset, "de_TW", "de"},              // the marks count only after "zh"
        {unset, unset, unset, "nb_NO.UTF-8", "nb"},
        {unset, unset, unset, "sr@latin", "sr"},
        {unset, unset, unset, "no_NO", "en"},
        {unset, unset, unset, "fil_PH", "en"},
        {unset, unset, unset, "EN_us", "en"},
        {unset, unset, unset, "C.UTF-8", "en"},
        {"", "", "it_IT.UTF-8", "de_DE", "it"},            // empty variables are skipped
        {":fr", unset, unset, unset, "fr"},                // an empty piece matches nothing
        {"xx:yy", "C", unset, "uk_UA.UTF-8", "uk"},        // then the next variable
        {unset, unset, unset, unset, "en"},
        {"zh_TW", unset, unset, unset, "zh_TW"},
    };
    for (const Case& c : cases) {
        LocaleEnv env({c.language, c.lcAll, c.lcMessages, c.lang});
        EXPECT_EQ(i18n::detectSystemLanguage(), c.expected)
            << "LANGUAGE=" << c.language.value_or("<unset>") << " LC_ALL=" << c.lcAll.value_or("<unset>")
            << " LC_MESSAGES=" << c.lcMessages.value_or("<unset>") << " LANG=" << c.lang.value_or("<unset>");
    }
}

TEST_F(I18n, SetLanguageMatchesCodesExactly) {
    LocaleEnv env({std::nullopt, std::nullopt, std::nullopt, "de_AT.UTF-8"});
    struct Case {
        const char* requested;
        const char* active;
        bool rtl;
        const char* victory;
    };
    const Case cases[] = {
        {"FR", "en", false, "Victory!"},   // case-sensitive
        {"", "de", false, "Sieg!"},        // empty runs detection
        {"zh_TW", "zh_TW", false, nullptr},
        {"zh_tw", "en", false, "Victory!"},
        {"ar", "ar", true, nullptr},
        {"de-DE", "en", false, "Victory!"}, // a code is never cut down
        {"de", "de", false, "Sieg!"},
    };
    for (const Case& c : cases) {
        i18n::setLanguage(c.requested);
        EXPECT_EQ(i18n::currentLanguage(), c.active) << "requested " << c.requested;
        EXPECT_EQ(i18n::currentIsRtl(), c.rtl) << "requested " << c.requested;
        if (c.victory) {
            EXPECT_EQ(i18n::tr("battle.victory"), c.victory) << "requested " << c.requested;
        }
    }
}

TEST_F(I18n, LookupAndPlaceholders) {
    i18n::setLanguage("en");
    EXPECT_EQ(i18n::tr("no.such.key"), "no.such.key");
    EXPECT_EQ(i18n::tr("Battle.victory"), "Battle.victory");
    EXPECT_EQ(i18n::tr("battle.victory"), "Victory!");
    EXPECT_EQ(i18n::tr("app.title"), "Velmorandine");

    EXPECT_EQ(i18n::tr("kaserne.active", {{"n", "2"}, {"cap", "4"}}), "Active 2/4");
    EXPECT_EQ(i18n::tr("battle.leveledUp", {{"name", "Mira"}, {"level", "7"}}), "Mira reached level 7!");
    EXPECT_EQ(i18n::tr("set.pieces", {{"have", "3"}}), "3/{{total}} pieces") << "a placeholder without a pair stays";
    EXPECT_EQ(i18n::tr("battle.round", {{"x", "1"}}), "Round {{n}}");

    // A key the catalogue lacks comes back as it is and gets its
    // placeholders filled all the same, which shows the replacement rules.
    struct Case {
        const char* text;
        std::initializer_list<std::pair<const char*, std::string>> values;
        const char* expected;
    };
    const Case cases[] = {
        {"{{n}} and {{n}}", {{"n", "5"}}, "5 and 5"},
        {"<{{n}}>", {{"n", "{{n}}{{n}}"}}, "<{{n}}{{n}}>"},        // a value is not searched again
        {"{{a}}", {{"a", "{{b}}"}, {"b", "B"}}, "B"},              // but later pairs see it
        {"{{b}}{{a}}", {{"b", "x"}, {"a", "{{b}}"}}, "x{{b}}"},    // earlier pairs do not
        {"{{n}}", {{"n", ""}}, ""},
        {"{ {n}} {{N}}", {{"n", "1"}}, "{ {n}} {{N}}"},
    };
    for (const Case& c : cases) EXPECT_EQ(i18n::tr(c.text, c.values), c.expected) << c.text;

    i18n::setLanguage("de");
    EXPECT_EQ(i18n::tr("kaserne.active", {{"n", "1"}, {"cap", "3"}}), "Aktiv 1/3");
    EXPECT_EQ(i18n::tr("stat.atk"), "ANG");
    EXPECT_EQ(i18n::tr("no.such.key"), "no.such.key") << "no fallback to English either";
}

TEST_F(I18n, CatalogueTable) {
    const char* const codes[] = {"de", "en", "fr", "es", "it", "pt", "nl", "pl", "cs", "hu", "ro",
                                 "sv", "da", "fi", "el", "tr", "ru", "ja", "zh", "ko", "ar", "he",
                                 "bg", "bn", "ca", "fa", "hi", "hr", "id", "lt", "lv", "ms", "nb",
                                 "ne", "sk", "sl", "sr", "sw", "th", "tl", "uk", "ur", "vi", "zh_TW"};
    const auto& langs = i18n::languages();
    ASSERT_EQ(langs.size(), std::size(codes));
    EXPECT_EQ(&langs, &i18n::languages()) << "built once";
    for (size_t i = 0; i < langs.size(); ++i) {
        const i18n_data::Catalog& c = i18n_data::kCatalogs[i];
        EXPECT_EQ(langs[i].code, codes[i]);
        EXPECT_STREQ(c.code, codes[i]);
        EXPECT_EQ(langs[i].nativeName, c.nativeName);
        EXPECT_EQ(langs[i].englishName, c.englishName);
        const std::string code = codes[i];
        EXPECT_EQ(langs[i].rtl, code == "ar" || code == "he" || code == "fa" || code == "ur") << code;
    }
    EXPECT_EQ(langs[0].nativeName, "Deutsch");
    EXPECT_EQ(langs[43].nativeName, "繁體中文");
    EXPECT_EQ(langs[43].englishName, "Chinese (Traditional)");
    EXPECT_EQ(i18n_data::kEntries_zh_TW, i18n_data::kCatalogs[43].entries);
}

TEST_F(I18n, EveryCatalogueHoldsTheSameSortedKeys) {
    const i18n_data::Catalog& english = i18n_data::kCatalogs[1];
    ASSERT_EQ(english.count, 1021);
    for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
        ASSERT_EQ(c.count, english.count) << c.code;
        for (int i = 0; i < c.count; ++i) {
            ASSERT_STREQ(c.entries[i].key, english.entries[i].key) << c.code;
            if (i > 0) {
                ASSERT_LT(std::strcmp(c.entries[i - 1].key, c.entries[i].key), 0) << c.entries[i].key;
            }
            ASSERT_GT(std::strlen(c.entries[i].text), 0u) << c.code << " " << c.entries[i].key;
        }
    }
}

TEST_F(I18n, TrAnswersEveryKeyInEveryLanguage) {
    for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
        i18n::setLanguage(c.code);
        ASSERT_EQ(i18n::currentLanguage(), c.code);
        for (int i = 0; i < c.count; ++i) {
            ASSERT_EQ(i18n::tr(c.entries[i].key), c.entries[i].text) << c.code << " " << c.entries[i].key;
        }
    }
}

namespace {

// Reads a source catalogue the way translators write it, so the compiled
// tables can be compared with what the files say.
std::map<std::string, std::string> readSource(const std::string& code) {
    std::ifstream in(std::string(VEL_SOURCE_DIR) + "/platform/lang/" + code + ".txt", std::ios::binary);
    std::map<std::string, std::string> texts;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t sep = line.find(" = ");
        if (sep == std::string::npos) continue;
        std::string text;
        for (size_t i = sep + 3; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                text += line[i + 1] == 'n' ? '\n' : line[i + 1];
                ++i;
            } else {
                text += line[i];
            }
        }
        texts[line.substr(0, sep)] = text;
    }
    return texts;
}

} // namespace

TEST_F(I18n, CompiledTablesMatchTheSourceFiles) {
    for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
        const auto source = readSource(c.code);
        ASSERT_EQ(source.size(), static_cast<size_t>(c.count)) << c.code;
        for (int i = 0; i < c.count; ++i) {
            auto it = source.find(c.entries[i].key);
            ASSERT_NE(it, source.end()) << c.code << " " << c.entries[i].key;
            ASSERT_EQ(it->second, c.entries[i].text) << c.code << " " << c.entries[i].key;
        }
    }
}

// Runs in a fresh process, where nothing has chosen a language yet.
TEST(I18nFreshProcess, AnswersInEnglishBeforeAnyLanguageIsSet) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    LocaleEnv env({"de", std::nullopt, std::nullopt, "de_DE.UTF-8"});
    EXPECT_EXIT(
        {
            const bool english = i18n::tr("battle.victory") == "Victory!" && i18n::currentLanguage() == "en" &&
                                 !i18n::currentIsRtl();
            std::exit(english ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

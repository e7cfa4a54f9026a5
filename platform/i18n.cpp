#include "platform/i18n.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/i18n_data.h"

namespace i18n {
namespace {

constexpr int kEnglish = 1;

struct State {
    int active = kEnglish;
    std::map<std::string, const char*> lookup;  // texts stay in the tables
};

State& state() {
    static State s;
    return s;
}

void buildLookup() {
    State& s = state();
    s.lookup.clear();
    const i18n_data::Catalog& c = i18n_data::kCatalogs[s.active];
    for (int i = 0; i < c.count; ++i) s.lookup[c.entries[i].key] = c.entries[i].text;
}

int catalogIndex(const std::string& code) {
    for (int i = 0; i < i18n_data::kCatalogCount; ++i) {
        if (code == i18n_data::kCatalogs[i].code) return i;
    }
    return -1;
}

std::string lowerAscii(std::string s) {
    for (char& ch : s) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return s;
}

bool isTraditionalChinese(const std::string& lower) {
    if (lower.rfind("zh", 0) != 0) return false;
    for (const char* mark : {"hant", "_tw", "-tw", "_hk", "-hk", "_mo", "-mo"}) {
        if (lower.find(mark) != std::string::npos) return true;
    }
    return false;
}

// The catalogue code one locale piece names, or empty. A piece is never
// compared whole: "pt_BR" names "pt"; "zh_TW" is reached only by its marks.
std::string codeOfPiece(const std::string& piece) {
    std::string lower = lowerAscii(piece);
    if (isTraditionalChinese(lower)) return "zh_TW";
    std::string prefix = lower.substr(0, lower.find_first_of("-.@_"));
    if (!prefix.empty() && catalogIndex(prefix) >= 0) return prefix;
    return {};
}

std::string codeOfValue(const std::string& value) {
    size_t start = 0;
    while (true) {
        size_t colon = value.find(':', start);
        std::string code = codeOfPiece(value.substr(start, colon - start));
        if (!code.empty()) return code;
        if (colon == std::string::npos) return {};
        start = colon + 1;
    }
}

} // namespace

void setLanguage(const std::string& code) {
    const std::string candidate = code.empty() ? detectSystemLanguage() : code;
    int index = catalogIndex(candidate);
    state().active = index >= 0 ? index : catalogIndex("en");
    buildLookup();
}

std::string tr(const std::string& key) {
    State& s = state();
    if (s.lookup.empty()) buildLookup();
    auto it = s.lookup.find(key);
    return it == s.lookup.end() ? key : std::string(it->second);
}

std::string tr(const std::string& key,
               std::initializer_list<std::pair<const char*, std::string>> values) {
    std::string text = tr(key);
    for (const auto& [name, value] : values) {
        const std::string pattern = std::string("{{") + name + "}}";
        size_t pos = text.find(pattern);
        while (pos != std::string::npos) {
            text.replace(pos, pattern.size(), value);
            pos = text.find(pattern, pos + value.size());
        }
    }
    return text;
}

const std::vector<Language>& languages() {
    static const std::vector<Language> list = [] {
        std::vector<Language> out;
        for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
            out.push_back({c.code, c.nativeName, c.englishName, c.rtl});
        }
        return out;
    }();
    return list;
}

std::string detectSystemLanguage() {
    for (const char* var : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (!value || !*value) continue;
        std::string code = codeOfValue(value);
        if (!code.empty()) return code;
    }
    return "en";
}

const std::string& currentLanguage() {
    static std::string code;
    code = i18n_data::kCatalogs[state().active].code;
    return code;
}

bool currentIsRtl() { return i18n_data::kCatalogs[state().active].rtl; }

bool currentPrefixAfterBase() { return i18n_data::kCatalogs[state().active].prefixAfterBase; }

namespace {

// Languages whose punctuation is not the Latin one; all others use ", ",
// "!" and a space between words.
struct Punctuation {
    const char* code;
    const char* listSeparator;
    const char* exclamation;
    const char* wordGap;
};

constexpr Punctuation kLatinPunctuation{"", ", ", "!", " "};
constexpr Punctuation kPunctuation[] = {
    {"ar", "\u060C ", "!", " "},
    {"fa", "\u060C ", "!", " "},
    {"ur", "\u060C ", "!", " "},
    {"ja", "\u3001", "\uFF01", ""},
    {"zh", "\u3001", "\uFF01", ""},
    {"zh_TW", "\u3001", "\uFF01", ""},
};

const Punctuation& punctuation() {
    const char* code = i18n_data::kCatalogs[state().active].code;
    for (const Punctuation& p : kPunctuation) {
        if (std::strcmp(p.code, code) == 0) return p;
    }
    return kLatinPunctuation;
}

} // namespace

const char* listSeparator() { return punctuation().listSeparator; }

std::string joinList(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += listSeparator();
        out += items[i];
    }
    return out;
}

const char* exclamationMark() { return punctuation().exclamation; }

const char* wordGap() { return punctuation().wordGap; }

namespace {

// How each language groups the digits of a number. A dot reads as a decimal
// point to most of the world, so only the languages that write "12.345"
// get it; the others take a comma or a no-break space, which a wrapped line
// never breaks.
struct NumberStyle {
    const char* separator;
    bool lakhs = false;        // groups of two above the last three: 12,34,567
    int fewestGrouped = 4;     // shorter numbers stay whole
    bool persianDigits = false;
};

constexpr NumberStyle kDot{"."};
constexpr NumberStyle kDotFrom5{".", false, 5};
constexpr NumberStyle kComma{","};
constexpr NumberStyle kLakhs{",", true};
constexpr NumberStyle kSpace{"\u00A0"};
constexpr NumberStyle kSpaceFrom5{"\u00A0", false, 5};
constexpr NumberStyle kNarrowSpace{"\u202F"};
// Persian writes its own digits with the Arabic thousands mark; Arabic and
// Urdu keep the digits their catalogues are written with.
constexpr NumberStyle kPersian{"\u066C", false, 4, true};

struct LanguageNumbers {
    const char* code;
    NumberStyle style;
};

constexpr LanguageNumbers kNumbers[] = {
    {"de", kDot},        {"en", kComma},       {"fr", kNarrowSpace}, {"es", kDotFrom5}, {"it", kDot},
    {"pt", kDot},        {"nl", kDot},         {"pl", kSpaceFrom5},  {"cs", kSpace},    {"hu", kSpace},
    {"ro", kDot},        {"sv", kSpace},       {"da", kDot},         {"fi", kSpace},    {"el", kDot},
    {"tr", kDot},        {"ru", kSpace},       {"ja", kComma},       {"zh", kComma},    {"ko", kComma},
    {"ar", kComma},      {"he", kComma},       {"bg", kSpaceFrom5},  {"bn", kLakhs},    {"ca", kDot},
    {"fa", kPersian},    {"hi", kLakhs},       {"hr", kDot},         {"id", kDot},      {"lt", kSpace},
    {"lv", kSpace},      {"ms", kComma},       {"nb", kSpace},       {"ne", kLakhs},    {"sk", kSpace},
    {"sl", kDot},        {"sr", kDot},         {"sw", kComma},       {"th", kComma},    {"tl", kComma},
    {"uk", kSpace},      {"ur", kLakhs},       {"vi", kDot},         {"zh_TW", kComma},
};

const NumberStyle& numberStyle() {
    const char* code = i18n_data::kCatalogs[state().active].code;
    for (const LanguageNumbers& n : kNumbers) {
        if (std::strcmp(n.code, code) == 0) return n.style;
    }
    return kComma;
}

// Whether a separator stands before the digit that has `left` digits from
// it to the end of the number.
bool groupStartsAt(std::size_t left, bool lakhs) {
    if (lakhs) return left == 3 || (left > 3 && (left - 3) % 2 == 0);
    return left % 3 == 0;
}

} // namespace

std::string formatWhole(long long value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", value);
    const bool negative = buf[0] == '-';
    const char* digits = negative ? buf + 1 : buf;
    const std::size_t count = std::strlen(digits);
    const NumberStyle& style = numberStyle();
    const bool grouped = count >= static_cast<std::size_t>(style.fewestGrouped);
    static constexpr const char* kPersianDigits[] = {"\u06F0", "\u06F1", "\u06F2", "\u06F3", "\u06F4",
                                                     "\u06F5", "\u06F6", "\u06F7", "\u06F8", "\u06F9"};
    std::string out = negative ? "-" : "";
    for (std::size_t i = 0; i < count; ++i) {
        if (grouped && i > 0 && groupStartsAt(count - i, style.lakhs)) out += style.separator;
        if (style.persianDigits) out += kPersianDigits[digits[i] - '0'];
        else out += digits[i];
    }
    return out;
}

} // namespace i18n

#pragma once
// Translated texts: the active catalogue, language detection from the
// environment and lookups by dotted key with "{{name}}" placeholders.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace i18n {

struct Language {
    std::string code;
    std::string nativeName;
    std::string englishName;
    bool rtl = false;
};

// Activates the catalogue of `code` (exact, case-sensitive); an empty code
// means the language detected from the environment; an unknown code falls
// back to English.
void setLanguage(const std::string& code);

// The key's text in the active catalogue, or the key itself when missing.
// Before any setLanguage call the English catalogue answers.
std::string tr(const std::string& key);

// The same text with every "{{name}}" replaced by its value, pair by pair in
// the order given; inserted values are not searched for their own pattern.
std::string tr(const std::string& key,
               std::initializer_list<std::pair<const char*, std::string>> values);

// All catalogues in table order, built on first use.
const std::vector<Language>& languages();

// From LANGUAGE, LC_ALL, LC_MESSAGES and LANG, in that order; "en" when
// nothing matches. Always a catalogue code.
std::string detectSystemLanguage();

const std::string& currentLanguage();
bool currentIsRtl();
// Whether the active language puts a monster's name prefix after the base
// name ("Loup glaciaire") rather than before it ("Frost Wolf").
bool currentPrefixAfterBase();

// The active language's own punctuation, for texts the code puts together.
// The list comma with its space: ", ", "، " (Arabic script), "、" (Japanese,
// Chinese).
const char* listSeparator();
// The items joined by the list comma: "Warrior, Rogue", "戦士、ローグ".
std::string joinList(const std::vector<std::string>& items);
// The exclamation mark that ends an exclamation: "!" or the full-width "！".
const char* exclamationMark();
// What stands between two words the code joins, such as a monster's prefix
// and name: a space, or nothing in scripts written without spaces.
const char* wordGap();
// A whole number as the active language writes it: its digits, grouped by
// its own mark: "12.345", "12,345", "12\u202F345", "۱۲٬۳۴۵", lakhs as in
// "1,23,456", and "1234" left whole where four digits stay ungrouped.
std::string formatWhole(long long value);

} // namespace i18n

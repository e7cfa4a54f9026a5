#include "ui/legible.h"

#include <glib.h>

#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "ui/draw.h"

namespace ui {
namespace {

constexpr double kLatin = 9;    // also Greek, Cyrillic, digits and symbols
constexpr double kHebrew = 10;
constexpr double kDense = 11;   // Arabic, Thai, Lao, the Indic scripts, CJK

double pixelsOf(gunichar ch) {
    switch (g_unichar_get_script(ch)) {
    case G_UNICODE_SCRIPT_HEBREW: return kHebrew;
    case G_UNICODE_SCRIPT_ARABIC:
    case G_UNICODE_SCRIPT_SYRIAC:
    case G_UNICODE_SCRIPT_THAANA:
    case G_UNICODE_SCRIPT_THAI:
    case G_UNICODE_SCRIPT_LAO:
    case G_UNICODE_SCRIPT_KHMER:
    case G_UNICODE_SCRIPT_MYANMAR:
    case G_UNICODE_SCRIPT_DEVANAGARI:
    case G_UNICODE_SCRIPT_BENGALI:
    case G_UNICODE_SCRIPT_GURMUKHI:
    case G_UNICODE_SCRIPT_GUJARATI:
    case G_UNICODE_SCRIPT_ORIYA:
    case G_UNICODE_SCRIPT_TAMIL:
    case G_UNICODE_SCRIPT_TELUGU:
    case G_UNICODE_SCRIPT_KANNADA:
    case G_UNICODE_SCRIPT_MALAYALAM:
    case G_UNICODE_SCRIPT_SINHALA:
    case G_UNICODE_SCRIPT_HAN:
    case G_UNICODE_SCRIPT_HIRAGANA:
    case G_UNICODE_SCRIPT_KATAKANA:
    case G_UNICODE_SCRIPT_HANGUL:
    case G_UNICODE_SCRIPT_BOPOMOFO: return kDense;
    default: return kLatin;
    }
}

} // namespace

double legiblePixels(std::string_view text) {
    double most = kLatin;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        if (static_cast<unsigned char>(*p) < 0x80) {  // ASCII: Latin or common
            ++p;
            continue;
        }
        const gunichar ch = g_utf8_get_char_validated(p, end - p);
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) break;
        most = std::max(most, pixelsOf(ch));
        if (most >= kDense) break;
        p = g_utf8_next_char(p);
    }
    return most;
}

double legiblePixelsOfLanguage() {
    // The language's name in itself is written in its script.
    static std::string code;
    static double pixels = kLatin;
    const std::string& current = i18n::currentLanguage();
    if (current != code) {
        code = current;
        pixels = kLatin;
        for (const i18n::Language& l : i18n::languages()) {
            if (l.code == code) pixels = legiblePixels(l.nativeName);
        }
    }
    return pixels;
}

double legibleUnits(std::string_view text) { return legiblePixels(text) / textPixelRatio(); }

double legibleUnitsOfLanguage() { return legiblePixelsOfLanguage() / textPixelRatio(); }

double lineHeightOfLanguage(double size) { return lineHeight(std::max(size, legibleUnitsOfLanguage())); }

double lineHeightOfLatin(double size) { return lineHeight(std::max(size, kLatin / textPixelRatio())); }

} // namespace ui

#include "ui/draw.h"

#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/i18n.h"
#include "platform/paths.h"
#include "ui/legible.h"

namespace ui {
namespace {

constexpr int kStackMax = 8;

constexpr const char* kFontFiles[] = {
    "assets/fonts/DejaVuSans.ttf",       "assets/fonts/DejaVuSans-Bold.ttf",
    "assets/fonts/DejaVuSansMono.ttf",   "assets/fonts/DejaVuSansMono-Bold.ttf",
    "assets/fonts/VelmorandineCJK.ttf",  "assets/fonts/VelmorandineDeva.ttf",
    "assets/fonts/VelmorandineBeng.ttf", "assets/fonts/VelmorandineThai.ttf",
    "assets/fonts/VelmorandineArab.ttf",
};

// Texts are laid out in Pango contexts of their own, at the frame's base
// transform (the pixel ratio), never at whatever transform the context is
// under when a text is drawn: a screen that scales a title would otherwise
// have every later label of the frame laid out, and its fonts looked up,
// under a new matrix each frame. Drawing under another transform still
// renders at that transform.
//
// A layout is kept for reuse under everything that shapes it: the text and
// the style's family, effective size, weight, slant, letter spacing, case,
// wrap width and alignment, the paragraph direction and the font options of
// the surface and context it is drawn on. Colour and opacity
// are applied when drawing. The least recently used layouts go beyond the
// capacity, so memory stays flat whatever a long session shows; the whole
// cache goes when the language, the fonts or the pixel ratio change.
//
// Contexts and layouts live until exit on purpose: freeing them from a
// static destructor could run after Pango's own teardown.
struct LayoutKey {
    std::string_view text;
    std::string_view family;
    double size;
    double letterSpacing;
    double wrapWidth;
    Align align;
    bool bold, italic, upperCase, rtl;
    unsigned long options;  // hash of the font options, see Contexts

    bool operator==(const LayoutKey&) const = default;
};

// A new field in TextStyle must be weighed for the key above: one that
// changes the layout belongs in it (and in configureLayout), one that only
// colours the drawing does not.
static_assert(sizeof(TextStyle) == 80, "TextStyle changed: check LayoutKey and configureLayout");

struct LayoutKeyHash {
    std::size_t operator()(const LayoutKey& k) const {
        auto mix = [](std::size_t h, std::size_t v) { return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)); };
        std::size_t h = std::hash<std::string_view>{}(k.text);
        h = mix(h, std::hash<std::string_view>{}(k.family));
        h = mix(h, std::hash<double>{}(k.size));
        h = mix(h, std::hash<double>{}(k.letterSpacing));
        h = mix(h, std::hash<double>{}(k.wrapWidth));
        h = mix(h, static_cast<std::size_t>(k.align) << 4 | k.bold << 3 | k.italic << 2 | k.upperCase << 1 | k.rtl);
        return mix(h, k.options);
    }
};

struct Laid {
    std::string text;  // the key's views point into these two
    std::string family;
    LayoutKey key{};
    PangoLayout* layout = nullptr;
    int w = 0;
    int h = 0;
    std::uint64_t lastUse = 0;  // the cache's use count when last looked up
};

// The two contexts (left to right, right to left) for one set of font
// options; nearly always the one set of the game's image surfaces.
struct Contexts {
    cairo_font_options_t* options = nullptr;
    unsigned long hash = 0;
    PangoContext* dir[2] = {nullptr, nullptr};
};

struct TextCache {
    std::vector<Contexts> contexts;
    double scale = 1;           // the base transform the contexts are made for
    double wantedScale = 1;
    std::string language;       // the language the layouts were made under
    bool valid = false;
    bool enabled = true;
    std::size_t capacity = kTextCacheCapacity;
    std::list<Laid> order;      // most recently used first
    std::unordered_map<LayoutKey, std::list<Laid>::iterator, LayoutKeyHash> index;
    Laid scratch;               // the one layout of an uncached lookup
    cairo_font_options_t* probe = nullptr;  // the options of the context at hand
    cairo_font_options_t* probeOwn = nullptr;
    std::size_t hits = 0;
    std::size_t misses = 0;
    std::uint64_t uses = 0;     // lookups ever, never reset: marks stay comparable
};

TextCache& textCache() {
    static TextCache cache;
    return cache;
}

void dropLayout(Laid& l) {
    if (l.layout) g_object_unref(l.layout);
    l.layout = nullptr;
}

void dropOldest(TextCache& c) {
    c.index.erase(c.order.back().key);
    dropLayout(c.order.back());
    c.order.pop_back();
}

void dropAll(TextCache& c) {
    for (Laid& l : c.order) dropLayout(l);
    c.order.clear();
    c.index.clear();
    dropLayout(c.scratch);
}

PangoContext* makeContext(const cairo_font_options_t* options, bool rtl, double scale, const std::string& language) {
    PangoContext* ctx = pango_font_map_create_context(pango_cairo_font_map_get_default());
    // The shaper picks a face's regional forms by language: the CJK face
    // draws Chinese forms unless told the text is Japanese, Korean or
    // Traditional Chinese ("zh_TW" reads as Pango's "zh-tw").
    pango_context_set_language(ctx, pango_language_from_string(language.c_str()));
    pango_cairo_context_set_font_options(ctx, options);
    if (scale != 1) {
        PangoMatrix m = PANGO_MATRIX_INIT;
        pango_matrix_scale(&m, scale, scale);
        pango_context_set_matrix(ctx, &m);
    }
    // Whole-pixel glyph advances make a shrunk text step in coarse jumps (a
    // monospaced label grows by one pixel per letter) and overshoot its fit
    // width; fractional advances keep widths in proportion to the size.
    pango_context_set_round_glyph_positions(ctx, FALSE);
    pango_context_set_base_dir(ctx, rtl ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_WEAK_LTR);
    return ctx;
}

void dropContexts(TextCache& c) {
    for (Contexts& set : c.contexts) {
        for (PangoContext* ctx : set.dir) g_object_unref(ctx);
        cairo_font_options_destroy(set.options);
    }
    c.contexts.clear();
}

// Everything the cache was filled under must still hold.
void checkValidity(TextCache& c) {
    const std::string& language = i18n::currentLanguage();
    if (c.valid && c.scale == c.wantedScale && c.language == language) return;
    dropAll(c);
    dropContexts(c);
    c.scale = c.wantedScale;
    c.language = language;
    c.valid = true;
}

// The font options that text on cr is rendered with: the surface's, under
// any the context sets itself (as Pango merges them).
const Contexts& contextsFor(TextCache& c, cairo_t* cr) {
    if (!c.probe) {
        c.probe = cairo_font_options_create();
        c.probeOwn = cairo_font_options_create();
    }
    cairo_surface_get_font_options(cairo_get_target(cr), c.probe);
    cairo_get_font_options(cr, c.probeOwn);
    cairo_font_options_merge(c.probe, c.probeOwn);
    const unsigned long hash = cairo_font_options_hash(c.probe);
    for (const Contexts& set : c.contexts) {
        if (set.hash == hash && cairo_font_options_equal(set.options, c.probe)) return set;
    }
    Contexts set;
    set.options = cairo_font_options_copy(c.probe);
    set.hash = hash;
    set.dir[0] = makeContext(set.options, false, c.scale, c.language);
    set.dir[1] = makeContext(set.options, true, c.scale, c.language);
    c.contexts.push_back(set);
    return c.contexts.back();
}

// Lines are as tall as the Latin face makes them (DejaVu: 0.928 em above the
// baseline, 0.236 below), whatever script they hold: the Arabic, Indic and
// CJK faces bring taller metrics, which would push their text lower and
// make their lines taller than the layouts around them were measured for.
constexpr double kLineHeightEm = 1.164;

// --- Where lines of a wrapped text may break ---
//
// Pango breaks Chinese, Japanese and Korean text between any two characters,
// which parts words ("破/壊力", "ロー/グ"). In those languages a wrapped
// text breaks only between phrases: at spaces, after closing punctuation,
// before opening brackets, where Latin letters or digits meet the script, and
// in Japanese where hiragana (which ends a phrase) meets kanji or katakana.
enum class PhraseBreaks { Anywhere, Japanese, Chinese, Korean };

PhraseBreaks phraseBreaksOfLanguage() {
    const std::string& code = i18n::currentLanguage();
    if (code == "ja") return PhraseBreaks::Japanese;
    if (code == "zh" || code == "zh_TW") return PhraseBreaks::Chinese;
    if (code == "ko") return PhraseBreaks::Korean;
    return PhraseBreaks::Anywhere;
}

bool isHiragana(gunichar ch) { return ch >= 0x3041 && ch <= 0x309F; }

bool isSpaceLike(gunichar ch) { return g_unichar_isspace(ch) || ch == 0x200B; }

// Never starts a line: closing punctuation, small kana, the prolonged sound
// mark, a percent sign.
bool isNonStarter(gunichar ch) {
    switch (g_unichar_break_type(ch)) {
    case G_UNICODE_BREAK_CLOSE_PUNCTUATION:
    case G_UNICODE_BREAK_CLOSE_PARANTHESIS:
    case G_UNICODE_BREAK_EXCLAMATION:
    case G_UNICODE_BREAK_INFIX_SEPARATOR:
    case G_UNICODE_BREAK_NON_STARTER:
    case G_UNICODE_BREAK_CONDITIONAL_JAPANESE_STARTER:
    case G_UNICODE_BREAK_POSTFIX: return true;
    default: return false;
    }
}

// Ends a phrase: the punctuation among the non-starters ("、", "。", "！").
bool isClosing(gunichar ch) { return isNonStarter(ch) && g_unichar_ispunct(ch); }

bool isOpening(gunichar ch) { return g_unichar_break_type(ch) == G_UNICODE_BREAK_OPEN_PUNCTUATION; }

// The letters of the language's own script (ideographs, kana, hangul).
bool isScriptLetter(gunichar ch) {
    switch (g_unichar_get_script(ch)) {
    case G_UNICODE_SCRIPT_HAN:
    case G_UNICODE_SCRIPT_HIRAGANA:
    case G_UNICODE_SCRIPT_KATAKANA:
    case G_UNICODE_SCRIPT_HANGUL: return true;
    default: return ch == 0x30FC;  // the prolonged sound mark belongs to the kana around it
    }
}

bool mayBreakBetween(gunichar before, gunichar after, PhraseBreaks mode) {
    if (isSpaceLike(before)) return true;
    if (isSpaceLike(after) || isNonStarter(after)) return false;
    if (isClosing(before) || isOpening(after)) return !isOpening(before);
    if (isOpening(before) || mode == PhraseBreaks::Korean) return false;
    if (mode == PhraseBreaks::Japanese && isHiragana(after)) return false;  // a particle or ending
    if (isScriptLetter(before) != isScriptLetter(after)) return g_unichar_isalnum(before) || isScriptLetter(before);
    return mode == PhraseBreaks::Japanese && isHiragana(before);
}

// Byte offsets at which a line may start, in ascending order.
std::vector<int> phraseBreaks(const char* text, PhraseBreaks mode) {
    std::vector<int> out;
    gunichar before = 0;
    for (const char* p = text; *p; p = g_utf8_next_char(p)) {
        const gunichar ch = g_utf8_get_char(p);
        if (p != text && mayBreakBetween(before, ch, mode)) out.push_back(static_cast<int>(p - text));
        before = ch;
    }
    return out;
}

void applyFont(PangoLayout* layout, const TextStyle& st, double size, std::string_view text) {
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, fontFamilyFor(text, st.family ? st.family : kFontMono).c_str());
    pango_font_description_set_absolute_size(desc, std::max(size, 0.0) * PANGO_SCALE);
    pango_font_description_set_weight(desc, st.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, st.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
}

struct ByteRange {
    int from;
    int to;
};

// Forbids line breaks inside the phrases of the layout's text, so Pango
// breaks only where phraseBreaks allows (and its own rules agree); phrases
// that overlap a loose range may break anywhere.
void guardPhrases(PangoLayout* layout, PangoAttrList* attrs, PhraseBreaks breaks,
                  const std::vector<ByteRange>& loose) {
    const char* text = pango_layout_get_text(layout);
    const std::vector<int> at = phraseBreaks(text, breaks);
    int from = 0;
    const int end = static_cast<int>(std::strlen(text));
    for (std::size_t i = 0; i <= at.size(); ++i) {
        const int to = i < at.size() ? at[i] : end;
        const bool isLoose =
            std::any_of(loose.begin(), loose.end(), [&](const ByteRange& r) { return r.from < to && from < r.to; });
        if (to > from && !isLoose) {
            PangoAttribute* keep = pango_attr_allow_breaks_new(FALSE);
            keep->start_index = static_cast<guint>(from);
            keep->end_index = static_cast<guint>(to);
            pango_attr_list_insert(attrs, keep);
        }
        from = to;
    }
}

// Line height and letter spacing; with phrases, the guards of a wrapped
// text in a language written without spaces between words.
void applyAttributes(PangoLayout* layout, const TextStyle& st, double size, PhraseBreaks phrases,
                     const std::vector<ByteRange>& loose = {}) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_line_height_new_absolute(
                                      static_cast<int>(std::lround(kLineHeightEm * size * PANGO_SCALE))));
    if (st.letterSpacing != 0) {
        pango_attr_list_insert(attrs,
                               pango_attr_letter_spacing_new(static_cast<int>(st.letterSpacing * PANGO_SCALE)));
    }
    if (phrases != PhraseBreaks::Anywhere) guardPhrases(layout, attrs, phrases, loose);
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
}

// The lines of the wrapped layout that are wider than the wrap width: each
// holds a phrase too long for the box, which may then break anywhere.
std::vector<ByteRange> overflowingLines(PangoLayout* layout) {
    std::vector<ByteRange> out;
    const int width = pango_layout_get_width(layout);
    for (GSList* l = pango_layout_get_lines_readonly(layout); l; l = l->next) {
        PangoLayoutLine* line = static_cast<PangoLayoutLine*>(l->data);
        PangoRectangle logical;
        pango_layout_line_get_extents(line, nullptr, &logical);
        if (logical.width > width) out.push_back({line->start_index, line->start_index + line->length});
    }
    return out;
}

void applyText(PangoLayout* layout, std::string_view text, const TextStyle& st) {
    const char* data = text.data() ? text.data() : "";  // an empty view may carry no pointer
    if (!st.upperCase) {
        pango_layout_set_text(layout, data, static_cast<int>(text.size()));
        return;
    }
    gchar* upper = g_utf8_strup(data, static_cast<gssize>(text.size()));
    pango_layout_set_text(layout, upper, -1);
    g_free(upper);
}

bool rightToLeftScript(gunichar ch) {
    switch (g_unichar_get_script(ch)) {
    case G_UNICODE_SCRIPT_ARABIC:
    case G_UNICODE_SCRIPT_HEBREW:
    case G_UNICODE_SCRIPT_SYRIAC:
    case G_UNICODE_SCRIPT_THAANA:
    case G_UNICODE_SCRIPT_NKO: return true;
    default: return false;
    }
}

// Pango takes a paragraph's direction from its first strong letter, so a
// Hebrew sentence that starts with a Latin hero name would run left to right
// and scramble its words. While the language is right-to-left, a text that
// holds any right-to-left letter is therefore laid out right to left; one
// without (a name, a number) keeps its own direction. Persian digits and the
// Arabic number marks belong to the Arabic script but are no letters: a
// number written with them alone ("-۲۷۰") keeps its sign in front.
bool forcedRightToLeft(std::string_view text) {
    if (!i18n::currentIsRtl()) return false;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const gunichar ch = g_utf8_get_char_validated(p, end - p);
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) return false;
        const bool numberMark = g_unichar_type(ch) == G_UNICODE_DECIMAL_NUMBER || ch == 0x066B || ch == 0x066C;
        if (rightToLeftScript(ch) && !numberMark) return true;
        p = g_utf8_next_char(p);
    }
    return false;
}

void applyWrap(PangoLayout* layout, const TextStyle& st, bool rtl) {
    if (st.wrapWidth > 0) {
        pango_layout_set_width(layout, static_cast<int>(st.wrapWidth * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        // Left and right mean the start and end of a right-to-left
        // paragraph, as Pango treats the paragraphs it finds right to left.
        const PangoAlignment start = rtl ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
        const PangoAlignment end = rtl ? PANGO_ALIGN_LEFT : PANGO_ALIGN_RIGHT;
        pango_layout_set_alignment(layout, st.align == Align::Centre  ? PANGO_ALIGN_CENTER
                                           : st.align == Align::Right ? end
                                                                      : start);
    } else {
        pango_layout_set_width(layout, -1);
        pango_layout_set_alignment(layout, rtl ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
    }
}

// A fresh layout of the text in the style at the effective size; every
// setting that shapes it is made here (and keyed in LayoutKey).
PangoLayout* configureLayout(PangoContext* ctx, std::string_view text, const TextStyle& st, double size, bool rtl) {
    PangoLayout* layout = pango_layout_new(ctx);
    applyFont(layout, st, size, text);
    applyText(layout, text, st);
    const PhraseBreaks phrases = st.wrapWidth > 0 ? phraseBreaksOfLanguage() : PhraseBreaks::Anywhere;
    applyAttributes(layout, st, size, phrases);
    pango_layout_set_auto_dir(layout, !rtl);
    applyWrap(layout, st, rtl);
    if (phrases != PhraseBreaks::Anywhere) {
        const std::vector<ByteRange> loose = overflowingLines(layout);
        if (!loose.empty()) applyAttributes(layout, st, size, phrases, loose);
    }
    return layout;
}

const Laid& layoutFor(cairo_t* cr, std::string_view text, const TextStyle& st, double fit) {
    TextCache& c = textCache();
    checkValidity(c);
    const Contexts& contexts = contextsFor(c, cr);
    const bool rtl = forcedRightToLeft(text);
    const char* family = st.family ? st.family : kFontMono;
    const LayoutKey key{text, family, st.size * fit, st.letterSpacing, st.wrapWidth, st.align,
                        st.bold, st.italic, st.upperCase, rtl, contexts.hash};
    auto laidOut = [&](Laid& l) {
        l.layout = configureLayout(contexts.dir[rtl ? 1 : 0], text, st, key.size, rtl);
        pango_layout_get_pixel_size(l.layout, &l.w, &l.h);
    };
    if (!c.enabled) {
        dropLayout(c.scratch);
        laidOut(c.scratch);
        ++c.misses;
        return c.scratch;
    }
    ++c.uses;
    if (auto it = c.index.find(key); it != c.index.end()) {
        c.order.splice(c.order.begin(), c.order, it->second);
        ++c.hits;
        it->second->lastUse = c.uses;
        return *it->second;
    }
    ++c.misses;
    while (!c.order.empty() && c.order.size() >= c.capacity) {
        dropOldest(c);
    }
    c.order.push_front(Laid{std::string(text), std::string(family)});
    Laid& l = c.order.front();
    laidOut(l);
    l.lastUse = c.uses;
    l.key = key;
    l.key.text = l.text;
    l.key.family = l.family;
    c.index.emplace(l.key, c.order.begin());
    return l;
}

struct Fitted {
    PangoLayout* layout;
    double w;
    double h;
};

// The fit below which the text would fall under its script's legible size.
double legibleFit(std::string_view text, const TextStyle& st) {
    if (!(st.size > 0)) return 0;
    return legiblePixels(text) / (textPixelRatio() * st.size);
}

// Lays the text out, shrunk to the style's fit width when it is too wide,
// and never below its legible size.
Fitted fitted(cairo_t* cr, std::string_view text, const TextStyle& st) {
    const double least = legibleFit(text, st);
    double fit = 1.0;
    if (st.fitWidth > 0 && least < 1) {
        const Laid& full = layoutFor(cr, text, st, 1.0);
        if (full.w > 0 && full.w > st.fitWidth) fit = std::max({st.fitWidth / full.w, st.minFit, least});
        if (fit == 1.0) return {full.layout, static_cast<double>(full.w), static_cast<double>(full.h)};
    }
    fit = std::max(fit, least);
    const Laid& l = layoutFor(cr, text, st, fit);
    return {l.layout, static_cast<double>(l.w), static_cast<double>(l.h)};
}

// The absolute size the layout's font was set to.
double layoutSize(PangoLayout* layout) {
    const PangoFontDescription* desc = pango_layout_get_font_description(layout);
    return desc ? static_cast<double>(pango_font_description_get_size(desc)) / PANGO_SCALE : 0;
}

TextObserver& textObserver() {
    static TextObserver observer = nullptr;
    return observer;
}

bool probeLayout(cairo_t* cr, PangoLayout* layout, double x, double y, const TextStyle& st) {
    PangoRectangle ink;
    pango_layout_get_pixel_extents(layout, &ink, nullptr);
    const Rect box{x + ink.x - 1, y + ink.y - 1, ink.width + 2.0, ink.height + 2.0};
    cairo_save(cr);
    cairo_rectangle(cr, box.x, box.y, box.w, box.h);
    cairo_clip(cr);  // keeps the group as small as the text
    cairo_push_group_with_content(cr, CAIRO_CONTENT_ALPHA);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    cairo_new_path(cr);
    cairo_pattern_t* pattern = cairo_pop_group(cr);
    cairo_restore(cr);
    const bool draw =
        textProbe(cr, pattern, box, pango_layout_get_text(layout), st.color, st.alpha, layoutSize(layout));
    cairo_pattern_destroy(pattern);
    return draw;
}

void showAt(cairo_t* cr, PangoLayout* layout, double x, double y, const TextStyle& st) {
    if (textObserver()) textObserver()(pango_layout_get_text(layout));
    if (textProbe && !probeLayout(cr, layout, x, y, st)) return;
    setColor(cr, st.color, st.alpha);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    cairo_new_path(cr);  // the move leaves a current point that the next fill would join
}

} // namespace

namespace {

double channel(uint32_t color, int shift) { return ((color >> shift) & 0xFF) / 255.0; }

} // namespace

void setColor(cairo_t* cr, uint32_t color, double alpha) {
    cairo_set_source_rgba(cr, channel(color, 16), channel(color, 8), channel(color, 0), alpha);
}

void addColorStop(cairo_pattern_t* gradient, double offset, uint32_t color, double alpha) {
    cairo_pattern_add_color_stop_rgba(gradient, offset, channel(color, 16), channel(color, 8), channel(color, 0),
                                      alpha);
}

namespace {

// A device-space box of a user-space rectangle under cr's transform.
struct DeviceBox {
    double x0, y0, x1, y1;
};
DeviceBox deviceBox(cairo_t* cr, double x0, double y0, double x1, double y1) {
    double xs[] = {x0, x1, x0, x1}, ys[] = {y0, y0, y1, y1};
    DeviceBox b{1e300, 1e300, -1e300, -1e300};
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        b.x0 = std::min(b.x0, xs[i]);
        b.y0 = std::min(b.y0, ys[i]);
        b.x1 = std::max(b.x1, xs[i]);
        b.y1 = std::max(b.y1, ys[i]);
    }
    return b;
}

// A clip edge through the middle of a pixel is met differently by a fill
// (cut from the shape) and by a mask (scaled by the clip's coverage).
bool clipOnWholePixels(cairo_t* cr) {
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    bool whole = list->status == CAIRO_STATUS_SUCCESS;
    for (int i = 0; whole && i < list->num_rectangles; ++i) {
        const cairo_rectangle_t& r = list->rectangles[i];
        const DeviceBox b = deviceBox(cr, r.x, r.y, r.x + r.width, r.y + r.height);
        for (double v : {b.x0, b.y0, b.x1, b.y1}) whole = whole && std::abs(v - std::round(v)) < 1e-6;
    }
    cairo_rectangle_list_destroy(list);
    return whole;
}

// Below this many rows a translucent fill is cheaper drawn directly (the
// mask's own fill costs about as much per row as a small direct fill).
constexpr int kMaskedFillRows = 96;

// cairo's image backend composites a translucent fill run by run, one pixman
// call per run of pixels on every row, which made large translucent rings and
// particle clouds the dearest part of a busy battle frame. Drawn opaque into
// an alpha mask (written span by span without such calls) and composited in
// the colour once, the same coverage lands on the same pixels. False (the
// path kept) when the direct fill is as good: small shapes, another operator
// or a target that is not an image.
bool fillMasked(cairo_t* cr, uint32_t color, double alpha) {
    if (!(alpha > 0 && alpha < 1) || cairo_get_operator(cr) != CAIRO_OPERATOR_OVER) return false;
    if (cairo_surface_get_type(cairo_get_group_target(cr)) != CAIRO_SURFACE_TYPE_IMAGE) return false;
    if (!clipOnWholePixels(cr)) return false;
    double px0, py0, px1, py1, cx0, cy0, cx1, cy1;
    cairo_path_extents(cr, &px0, &py0, &px1, &py1);
    cairo_clip_extents(cr, &cx0, &cy0, &cx1, &cy1);
    const DeviceBox p = deviceBox(cr, px0, py0, px1, py1), c = deviceBox(cr, cx0, cy0, cx1, cy1);
    // Whole pixels around the ink (antialiased edges reach one pixel out).
    const int x0 = static_cast<int>(std::floor(std::max(p.x0, c.x0))) - 1;
    const int y0 = static_cast<int>(std::floor(std::max(p.y0, c.y0))) - 1;
    const int x1 = static_cast<int>(std::ceil(std::min(p.x1, c.x1))) + 1;
    const int y1 = static_cast<int>(std::ceil(std::min(p.y1, c.y1))) + 1;
    const int w = x1 - x0, h = y1 - y0;
    if (h < kMaskedFillRows || w <= 0 || static_cast<double>(w) * h > 1 << 24) return false;
    // One scratch buffer for the process (main thread only, as all drawing).
    static std::vector<unsigned char> scratch;
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, w);
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(h);
    if (scratch.size() < bytes) scratch.resize(bytes);
    std::memset(scratch.data(), 0, bytes);
    cairo_surface_t* mask = cairo_image_surface_create_for_data(scratch.data(), CAIRO_FORMAT_A8, w, h, stride);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return false;
    }
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_t* mc = cairo_create(mask);
    // The path's units land on the mask as on the target, shifted by whole
    // pixels only, so the coverage is the one the direct fill would give.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    m.x0 -= x0;
    m.y0 -= y0;
    cairo_set_matrix(mc, &m);
    cairo_set_fill_rule(mc, cairo_get_fill_rule(cr));
    cairo_set_antialias(mc, cairo_get_antialias(cr));
    cairo_set_tolerance(mc, cairo_get_tolerance(cr));
    cairo_append_path(mc, path);
    cairo_fill(mc);
    cairo_destroy(mc);
    cairo_path_destroy(path);
    cairo_surface_flush(mask);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    setColor(cr, color, alpha);
    cairo_mask_surface(cr, mask, x0, y0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
    return true;
}

} // namespace

void fillPath(cairo_t* cr, uint32_t color, double alpha) {
    if (fillMasked(cr, color, alpha)) {
        setColor(cr, color, alpha);  // the source a direct fill leaves behind
        return;
    }
    setColor(cr, color, alpha);
    cairo_fill(cr);
}

void fillRect(cairo_t* cr, const Rect& r, uint32_t color, double alpha) {
    setColor(cr, color, alpha);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    cairo_fill(cr);
}

void drawBevel(cairo_t* cr, const Rect& r, double b, uint32_t topLeft, uint32_t bottomRight, double alpha) {
    fillRect(cr, {r.x, r.y, r.w, b}, topLeft, alpha);
    fillRect(cr, {r.x, r.y, b, r.h}, topLeft, alpha);
    fillRect(cr, {r.x, r.y + r.h - b, r.w, b}, bottomRight, alpha);
    fillRect(cr, {r.x + r.w - b, r.y, b, r.h}, bottomRight, alpha);
}

void roundedRectPath(cairo_t* cr, const Rect& r, double radius) { roundedRectPath(cr, r, radius, radius); }

void roundedRectPath(cairo_t* cr, const Rect& r, double top, double bottom) {
    const double most = std::min(r.w, r.h) / 2;
    const double t = std::max(0.0, std::min(top, most));
    const double b = std::max(0.0, std::min(bottom, most));
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.x + r.w - t, r.y + t, t, -kPi / 2, 0);
    cairo_arc(cr, r.x + r.w - b, r.y + r.h - b, b, 0, kPi / 2);
    cairo_arc(cr, r.x + b, r.y + r.h - b, b, kPi / 2, kPi);
    cairo_arc(cr, r.x + t, r.y + t, t, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void fillRoundedRect(cairo_t* cr, const Rect& r, double radius, uint32_t color, double alpha) {
    roundedRectPath(cr, r, radius);
    fillPath(cr, color, alpha);
}

void strokeRoundedRect(cairo_t* cr, const Rect& r, double radius, double lineWidth, uint32_t color, double alpha) {
    roundedRectPath(cr, r, radius);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

void fillCircle(cairo_t* cr, double cx, double cy, double radius, uint32_t color, double alpha) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    fillPath(cr, color, alpha);
}

// The ring a stroke would cover, filled: the same shape under any transform,
// at a fraction of the stroker's cost (effects draw dozens a frame).
void strokeCircle(cairo_t* cr, double cx, double cy, double radius, double lineWidth, uint32_t color, double alpha) {
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    if (!(radius > 0)) {  // a stroke of a point draws nothing
        cairo_new_path(cr);
        return;
    }
    const double half = std::abs(lineWidth) / 2;
    const double inner = radius - half;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius + half, 0, 2 * kPi);
    if (inner > 0) {
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, inner, 2 * kPi, 0);
    }
    fillPath(cr, color, alpha);
}

void drawLine(cairo_t* cr, double x1, double y1, double x2, double y2, double lineWidth, uint32_t color,
              double alpha) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

void softShadowFromPath(cairo_t* cr, double dx, double dy, double blur, uint32_t color, double alpha) {
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    int n = std::max(2, static_cast<int>(blur));
    // Wide faint strokes under narrower ones build up a soft edge.
    for (int i = n; i >= 1; --i) {
        cairo_new_path(cr);
        cairo_append_path(cr, path);
        setColor(cr, color, alpha / n);
        cairo_set_line_width(cr, blur * 2 * i / n);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

void measureText(cairo_t* cr, std::string_view text, const TextStyle& style, double* width, double* height) {
    Fitted f = fitted(cr, text, style);
    if (width) *width = f.w;
    if (height) *height = f.h;
}

double fittedSize(cairo_t* cr, std::string_view text, const TextStyle& style) {
    return layoutSize(fitted(cr, text, style).layout);
}

double lineHeight(double size) { return kLineHeightEm * size; }

void setTextObserver(TextObserver observer) { textObserver() = observer; }

std::vector<int> lineStarts(cairo_t* cr, std::string_view text, const TextStyle& style) {
    PangoLayout* layout = fitted(cr, text, style).layout;
    std::vector<int> starts;
    for (GSList* l = pango_layout_get_lines_readonly(layout); l; l = l->next) {
        starts.push_back(static_cast<PangoLayoutLine*>(l->data)->start_index);
    }
    return starts;
}

namespace {

constexpr const char* kArabicFace = "Velmorandine Arab";
constexpr const char* kHebrewFace = "DejaVu Sans";  // the bundled face that has Hebrew
constexpr const char* kHangulFace = "Velmorandine CJK";

// The list without one family, as "a, b, c".
std::string withoutFamily(std::string_view list, std::string_view family) {
    std::string out;
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t comma = list.find(',', from);
        if (comma == std::string_view::npos) comma = list.size();
        std::string_view name = list.substr(from, comma - from);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (!name.empty() && name != family) {
            if (!out.empty()) out += ", ";
            out += name;
        }
        from = comma + 1;
    }
    return out;
}

} // namespace

std::string fontFamilyFor(std::string_view text, const char* family) {
    // ASCII text holds no such letter, and most texts are ASCII.
    if (std::none_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }))
        return family;
    const char* end = text.data() + text.size();
    for (const char* p = text.data(); p < end; p = g_utf8_next_char(p)) {
        const gunichar ch = g_utf8_get_char_validated(p, end - p);
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) break;
        const GUnicodeScript script = g_unichar_get_script(ch);
        const char* face = script == G_UNICODE_SCRIPT_ARABIC   ? kArabicFace
                           : script == G_UNICODE_SCRIPT_HEBREW ? kHebrewFace
                           : script == G_UNICODE_SCRIPT_HANGUL ? kHangulFace
                                                               : nullptr;
        if (face) return std::string(face) + ", " + withoutFamily(family, face);
    }
    return family;
}

void drawText(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    Fitted f = fitted(cr, text, style);
    double left = x;
    if (style.wrapWidth <= 0) {
        if (style.align == Align::Centre) left = x - f.w / 2;
        else if (style.align == Align::Right) left = x - f.w;
    }
    showAt(cr, f.layout, left, y, style);
}

void drawTextCentered(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    Fitted f = fitted(cr, text, style);
    showAt(cr, f.layout, x - f.w / 2, y - f.h / 2, style);
}

void drawTextTop(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    Fitted f = fitted(cr, text, style);
    showAt(cr, f.layout, style.wrapWidth > 0 ? x : x - f.w / 2, y, style);
}

void drawShadowedText(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style,
                      const TextShadow& shadow) {
    drawText(cr, x + shadow.dx, y + shadow.dy, text, shadowStyle(style, shadow));
    drawText(cr, x, y, text, style);
}

void drawShadowedTextTop(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style,
                         const TextShadow& shadow) {
    drawTextTop(cr, x + shadow.dx, y + shadow.dy, text, shadowStyle(style, shadow));
    drawTextTop(cr, x, y, text, style);
}

void drawTextIn(cairo_t* cr, const Rect& r, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    Fitted f = fitted(cr, text, style);
    showAt(cr, f.layout, r.x + r.w / 2 - f.w / 2, r.y + r.h / 2 - f.h / 2, style);
}

void drawTextStack(cairo_t* cr, const Rect& r, const TextLine* lines, int count, double gap) {
    if (!lines || count < 1) return;
    int n = std::min(count, kStackMax);
    double heights[kStackMax] = {};
    double total = gap * (n - 1);
    for (int i = 0; i < n; ++i) {
        if (lines[i].text.empty() || !lines[i].style) continue;
        heights[i] = fitted(cr, lines[i].text, *lines[i].style).h;
        total += heights[i];
    }
    double cx = r.x + r.w / 2;
    double y = r.y + r.h / 2 - total / 2;
    for (int i = 0; i < n; ++i) {
        if (!lines[i].text.empty() && lines[i].style) {
            const TextStyle& st = *lines[i].style;
            Fitted f = fitted(cr, lines[i].text, st);
            showAt(cr, f.layout, st.wrapWidth > 0 ? cx - st.wrapWidth / 2 : cx - f.w / 2, y, st);
        }
        y += heights[i] + gap;
    }
}

bool probeTextMask(cairo_t* cr, cairo_surface_t* mask, double x, double y, std::string_view text, uint32_t color,
                   double alpha, double size) {
    if (!textProbe) return true;
    double sx = 1, sy = 1;
    cairo_surface_get_device_scale(mask, &sx, &sy);
    const Rect box{x, y, cairo_image_surface_get_width(mask) / sx, cairo_image_surface_get_height(mask) / sy};
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(mask);
    cairo_matrix_t at;
    cairo_matrix_init_translate(&at, -x, -y);
    cairo_pattern_set_matrix(pattern, &at);
    const bool draw = textProbe(cr, pattern, box, text, color, alpha, size);
    cairo_pattern_destroy(pattern);
    return draw;
}

bool registerBundledFonts() {
    FcConfig* config = FcConfigGetCurrent();
    if (!config) return false;
    bool all = true;
    for (const char* rel : kFontFiles) {
        std::string path = paths::asset(rel);
        if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str()))) {
            std::fprintf(stderr, "[fonts] konnte %s nicht anmelden\n", path.c_str());
            all = false;
        }
    }
    // Layouts made before may have found other faces.
    clearTextCache();
    return all;
}

void setTextPixelRatio(double ratio) { textCache().wantedScale = ratio > 0 ? ratio : 1.0; }

double textPixelRatio() { return textCache().wantedScale; }

void clearTextCache() {
    TextCache& c = textCache();
    dropAll(c);
    c.hits = 0;
    c.misses = 0;
}

void setTextCacheEnabled(bool on) {
    TextCache& c = textCache();
    c.enabled = on;
    if (!on) dropAll(c);
}

void setTextCacheCapacity(std::size_t n) {
    TextCache& c = textCache();
    c.capacity = std::max<std::size_t>(n, 1);
    while (c.order.size() > c.capacity) {
        dropOldest(c);
    }
}

std::uint64_t textCacheMark() { return textCache().uses; }

void dropTextsUnusedSince(std::uint64_t mark) {
    TextCache& c = textCache();
    // Most recently used first: the unused ones are all at the back.
    while (!c.order.empty() && c.order.back().lastUse <= mark) {
        dropOldest(c);
    }
}

TextCacheStats textCacheStats() {
    const TextCache& c = textCache();
    return {c.order.size(), c.hits, c.misses};
}

} // namespace ui

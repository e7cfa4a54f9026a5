#include "ui/draw.h"

#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/i18n.h"
#include "platform/paths.h"

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

// The one layout of the process and what its font description was made from.
// Layout and description live until exit on purpose: freeing them from a
// static destructor could run after Pango's own teardown.
struct TextCache {
    PangoLayout* layout = nullptr;
    cairo_t* cr = nullptr;
    uintptr_t crStamp = 0;  // tag left on cr, so a new context at a reused address is noticed
    uintptr_t stampsIssued = 0;
    PangoFontDescription* desc = nullptr;
    std::string family;
    double size = -1;
    bool bold = false;
    bool italic = false;
    bool rtl = false;  // the layout's paragraphs are forced right to left
};

TextCache& textCache() {
    static TextCache cache;
    return cache;
}

const cairo_user_data_key_t kStampKey{};

bool madeFor(const TextCache& c, cairo_t* cr) {
    return c.layout && c.cr == cr &&
           reinterpret_cast<uintptr_t>(cairo_get_user_data(cr, &kStampKey)) == c.crStamp;
}

void bindContext(TextCache& c, cairo_t* cr) {
    if (c.layout) g_object_unref(c.layout);
    c.layout = pango_cairo_create_layout(cr);
    // Whole-pixel glyph advances make a shrunk text step in coarse jumps (a
    // monospaced label grows by one pixel per letter) and overshoot its fit
    // width; fractional advances keep widths in proportion to the size.
    pango_context_set_round_glyph_positions(pango_layout_get_context(c.layout), FALSE);
    pango_layout_context_changed(c.layout);
    c.cr = cr;
    c.crStamp = ++c.stampsIssued;
    cairo_set_user_data(cr, &kStampKey, reinterpret_cast<void*>(c.crStamp), nullptr);
    c.size = -1;  // the new layout has no description yet
    c.rtl = false;
}

void applyFont(TextCache& c, const TextStyle& st, double size) {
    const char* family = st.family ? st.family : kFontMono;
    if (c.desc && c.size == size && c.bold == st.bold && c.italic == st.italic && c.family == family) return;
    if (c.desc) pango_font_description_free(c.desc);
    c.desc = pango_font_description_new();
    pango_font_description_set_family(c.desc, family);
    pango_font_description_set_absolute_size(c.desc, std::max(size, 0.0) * PANGO_SCALE);
    pango_font_description_set_weight(c.desc, st.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(c.desc, st.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    c.family = family;
    c.size = size;
    c.bold = st.bold;
    c.italic = st.italic;
    pango_layout_set_font_description(c.layout, c.desc);
}

// Lines are as tall as the Latin face makes them (DejaVu: 0.928 em above the
// baseline, 0.236 below), whatever script they hold: the Arabic, Indic and
// CJK faces bring taller metrics, which would push their text lower and
// make their lines taller than the layouts around them were measured for.
constexpr double kLineHeightEm = 1.164;

void applySpacing(PangoLayout* layout, const TextStyle& st, double size) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_line_height_new_absolute(
                                      static_cast<int>(std::lround(kLineHeightEm * size * PANGO_SCALE))));
    if (st.letterSpacing != 0) {
        pango_attr_list_insert(attrs,
                               pango_attr_letter_spacing_new(static_cast<int>(st.letterSpacing * PANGO_SCALE)));
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
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
// without (a name, a number) keeps its own direction.
bool forcedRightToLeft(std::string_view text) {
    if (!i18n::currentIsRtl()) return false;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const gunichar ch = g_utf8_get_char_validated(p, end - p);
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2)) return false;
        if (rightToLeftScript(ch)) return true;
        p = g_utf8_next_char(p);
    }
    return false;
}

void applyDirection(TextCache& c, bool rtl) {
    if (c.rtl == rtl) return;
    pango_layout_set_auto_dir(c.layout, !rtl);
    pango_context_set_base_dir(pango_layout_get_context(c.layout),
                               rtl ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_WEAK_LTR);
    pango_layout_context_changed(c.layout);
    c.rtl = rtl;
}

void applyWrap(PangoLayout* layout, const TextStyle& st, bool rtl) {
    if (st.wrapWidth > 0) {
        pango_layout_set_width(layout, static_cast<int>(st.wrapWidth * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        // Left and right mean the start and end of a right-to-left
        // paragraph, as Pango treats the paragraphs it finds right to left.
        const PangoAlignment start = rtl ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
        const PangoAlignment end = rtl ? PANGO_ALIGN_LEFT : PANGO_ALIGN_RIGHT;
        pango_layout_set_alignment(layout, st.align == 1 ? PANGO_ALIGN_CENTER : st.align == 2 ? end : start);
    } else {
        pango_layout_set_width(layout, -1);
        // An alignment left over from a wrapped text would otherwise
        // shift the lines of the next multi-line text.
        pango_layout_set_alignment(layout, rtl ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
    }
}

PangoLayout* layoutFor(cairo_t* cr, std::string_view text, const TextStyle& st, double fit) {
    TextCache& c = textCache();
    if (!madeFor(c, cr)) bindContext(c, cr);
    applyFont(c, st, st.size * fit);
    applySpacing(c.layout, st, st.size * fit);
    applyText(c.layout, text, st);
    const bool rtl = forcedRightToLeft(text);
    applyDirection(c, rtl);
    applyWrap(c.layout, st, rtl);
    return c.layout;
}

struct Fitted {
    PangoLayout* layout;
    double w;
    double h;
};

// Lays the text out, shrunk to the style's fit width when it is too wide.
Fitted fitted(cairo_t* cr, std::string_view text, const TextStyle& st) {
    int w = 0;
    int h = 0;
    double fit = 1.0;
    if (st.fitWidth > 0) {
        PangoLayout* full = layoutFor(cr, text, st, 1.0);
        pango_layout_get_pixel_size(full, &w, &h);
        if (w > 0 && w > st.fitWidth) fit = std::max(st.fitWidth / w, st.minFit);
        if (fit == 1.0) return {full, static_cast<double>(w), static_cast<double>(h)};
    }
    PangoLayout* layout = layoutFor(cr, text, st, fit);
    pango_layout_get_pixel_size(layout, &w, &h);
    return {layout, static_cast<double>(w), static_cast<double>(h)};
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
    const bool draw = textProbe(cr, pattern, box, pango_layout_get_text(layout), st.color, st.alpha);
    cairo_pattern_destroy(pattern);
    return draw;
}

void showAt(cairo_t* cr, PangoLayout* layout, double x, double y, const TextStyle& st) {
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

void fillRect(cairo_t* cr, const Rect& r, uint32_t color, double alpha) {
    setColor(cr, color, alpha);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    cairo_fill(cr);
}

void roundedRectPath(cairo_t* cr, const Rect& r, double radius) {
    double rad = std::max(0.0, std::min(radius, std::min(r.w, r.h) / 2));
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.x + r.w - rad, r.y + rad, rad, -kPi / 2, 0);
    cairo_arc(cr, r.x + r.w - rad, r.y + r.h - rad, rad, 0, kPi / 2);
    cairo_arc(cr, r.x + rad, r.y + r.h - rad, rad, kPi / 2, kPi);
    cairo_arc(cr, r.x + rad, r.y + rad, rad, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void fillRoundedRect(cairo_t* cr, const Rect& r, double radius, uint32_t color, double alpha) {
    roundedRectPath(cr, r, radius);
    setColor(cr, color, alpha);
    cairo_fill(cr);
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
    setColor(cr, color, alpha);
    cairo_fill(cr);
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
    cairo_fill(cr);
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

void drawText(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style) {
    if (text.empty()) return;
    Fitted f = fitted(cr, text, style);
    double left = x;
    if (style.wrapWidth <= 0) {
        if (style.align == 1) left = x - f.w / 2;
        else if (style.align == 2) left = x - f.w;
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
                   double alpha) {
    if (!textProbe) return true;
    double sx = 1, sy = 1;
    cairo_surface_get_device_scale(mask, &sx, &sy);
    const Rect box{x, y, cairo_image_surface_get_width(mask) / sx, cairo_image_surface_get_height(mask) / sy};
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(mask);
    cairo_matrix_t at;
    cairo_matrix_init_translate(&at, -x, -y);
    cairo_pattern_set_matrix(pattern, &at);
    const bool draw = textProbe(cr, pattern, box, text, color, alpha);
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
    return all;
}

} // namespace ui

#pragma once
// Drawing with cairo: shape primitives and text. Lengths are in the user
// units of the context they draw on; colours are 0xRRGGBB with a separate
// opacity (see ui/theme.h for the colour helpers).
//
// Laid-out texts are cached between calls (see below), so these functions
// are for the main thread only.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "ui/rect.h"

namespace ui {

inline constexpr double kPi = std::numbers::pi;
// One degree in radians: cairo turns by radians, the drawing code thinks in degrees.
inline constexpr double kDegree = kPi / 180;

// Keeps the caller's cairo state (source, line settings, transform, clip)
// around one drawing: drawing functions set colours and widths as they go and
// must hand the context back as they found it. The path is not part of
// cairo's saved state, so a path left unfinished inside is dropped too.
class SavedState {
public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() {
        cairo_new_path(cr_);
        cairo_restore(cr_);
    }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    cairo_t* cr_;
};

// The interface's font family lists. The script faces follow the Latin face
// so that every language of the game finds its glyphs in a bundled font; a
// text with Arabic, Hebrew or Hangul letters is laid out with its script's
// face first (see fontFamilyFor). kFontMono is the list of every ordinary text style;
// kFontSans is the proportional variant for symbol glyphs and some labels and
// body texts.
inline constexpr const char* kFontMono =
    "DejaVu Sans Mono, Velmorandine CJK, Velmorandine Deva, Velmorandine Beng, Velmorandine Thai, Velmorandine Arab";
inline constexpr const char* kFontSans =
    "DejaVu Sans, Velmorandine CJK, Velmorandine Deva, Velmorandine Beng, Velmorandine Thai, Velmorandine Arab";

enum class Align { Left, Centre, Right };

// Built with designated initializers, fields in this order:
// TextStyle{.size = 13 * s, .bold = true, .color = theme::kGold, .align = Align::Right}.
struct TextStyle {
    const char* family = kFontMono;  // comma-separated Pango family list
    double size = 14;                // font size in logical pixels
    bool bold = false;
    bool italic = false;
    uint32_t color = 0xFFFFFF;
    double alpha = 1.0;
    Align align = Align::Left;
    double fitWidth = 0;             // shrink the font until the text fits; 0 = never
    double minFit = 0.6;             // smallest shrink factor
    double letterSpacing = 0;        // extra logical pixels between letters, not shrunk
    bool upperCase = false;
    double wrapWidth = 0;            // wrap into this width; 0 = one line
};

// A drop shadow under a text: the same text in `color` at opacity `alpha`,
// offset by (dx, dy), drawn just before it, so that what looks at the texts
// on screen (the contrast check) takes it for the text's shadow.
struct TextShadow {
    double dx = 1, dy = 1;
    double alpha = 1.0;
    uint32_t color = 0x000000;
};
// The style the shadow of a text in `style` is drawn in.
inline TextStyle shadowStyle(TextStyle style, const TextShadow& shadow) {
    style.color = shadow.color;
    style.alpha = shadow.alpha;
    return style;
}

struct TextLine {
    std::string text;
    const TextStyle* style = nullptr;
};

// Shapes. Each sets its own source colour; each fill or stroke consumes the
// current path.
void setColor(cairo_t* cr, uint32_t color, double alpha = 1.0);
// Adds a stop to a gradient at offset 0..1.
void addColorStop(cairo_pattern_t* gradient, double offset, uint32_t color, double alpha = 1.0);
void fillRect(cairo_t* cr, const Rect& r, uint32_t color, double alpha = 1.0);
// Fills (and consumes) the current path in the colour, as setColor and
// cairo_fill would, but far cheaper for a large translucent shape.
void fillPath(cairo_t* cr, uint32_t color, double alpha = 1.0);
// Adds a closed sub-path; the radius is limited to half the shorter side.
void roundedRectPath(cairo_t* cr, const Rect& r, double radius);
// The top corners rounded by `top`, the bottom ones by `bottom`.
void roundedRectPath(cairo_t* cr, const Rect& r, double top, double bottom);
void fillRoundedRect(cairo_t* cr, const Rect& r, double radius, uint32_t color, double alpha = 1.0);
void strokeRoundedRect(cairo_t* cr, const Rect& r, double radius, double lineWidth, uint32_t color,
                       double alpha = 1.0);
void fillCircle(cairo_t* cr, double cx, double cy, double radius, uint32_t color, double alpha = 1.0);
void strokeCircle(cairo_t* cr, double cx, double cy, double radius, double lineWidth, uint32_t color,
                  double alpha = 1.0);
void drawLine(cairo_t* cr, double x1, double y1, double x2, double y2, double lineWidth, uint32_t color,
              double alpha = 1.0);
// The bevel bands of width b inside r: top and left in one colour, bottom
// and right in the other.
void drawBevel(cairo_t* cr, const Rect& r, double b, uint32_t topLeft, uint32_t bottomRight, double alpha = 1.0);
// Draws a blurred shadow of the current path, offset by (dx, dy), and leaves
// the path in place for the caller to fill.
void softShadowFromPath(cairo_t* cr, double dx, double dy, double blur, uint32_t color, double alpha);

// Text. Every function first shrinks the font to the style's fit width. The
// draw functions draw nothing for an empty text.
//
// No text is laid out below the legible size of its script (ui/legible.h),
// however small its style or far its fit width would shrink it: a text that
// does not fit its fit width at that size is wider than the width, and its
// layout must make room.
//
// Width and height in pixels of the laid-out text (empty text has a height).
void measureText(cairo_t* cr, std::string_view text, const TextStyle& style, double* width, double* height);
// The font size the text is laid out at in the style: shrunk to the fit
// width, raised to the legible size.
double fittedSize(cairo_t* cr, std::string_view text, const TextStyle& style);
// The height of a line laid out at a font size, whatever its script.
double lineHeight(double size);
// Top edge at y. Without a wrap width x is the left edge, the centre or the
// right edge by the style's alignment; with one, x is the wrap box's left edge.
void drawText(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style);
// drawText and drawTextTop over their drop shadow.
void drawShadowedText(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style,
                      const TextShadow& shadow = {});
void drawShadowedTextTop(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style,
                         const TextShadow& shadow = {});
// Centred on (x, y).
void drawTextCentered(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style);
// Top edge at y, centred on x; with a wrap width, x is the wrap box's left edge.
void drawTextTop(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& style);
// Centred in the rectangle.
void drawTextIn(cairo_t* cr, const Rect& r, std::string_view text, const TextStyle& style);
// Up to 8 lines as one block centred in the rectangle, gap units apart; an
// empty line takes no height but keeps its gaps.
void drawTextStack(cairo_t* cr, const Rect& r, const TextLine* lines, int count, double gap);

// The family list a text is laid out with: the style's list, with the face of
// the text's Arabic, Hebrew or Hangul letters put first, so that the
// punctuation and spaces of the sentence come from the face of its letters
// ("بالمجد." without a monospaced gap before the full stop, "전열. 베어"
// without monospaced holes around it).
std::string fontFamilyFor(std::string_view text, const char* family);
// Byte offsets in the text at which the lines of its layout begin (with a
// wrap width, where the text breaks; the first is 0). An upper-cased style
// counts in the upper-cased text.
std::vector<int> lineStarts(cairo_t* cr, std::string_view text, const TextStyle& style);

// Hands every text to the observer as it is drawn (null: nobody), so that a
// test can read what a screen shows.
using TextObserver = void (*)(std::string_view text);
void setTextObserver(TextObserver observer);

// Tools that look at every text on screen (the contrast check) set a probe;
// the game leaves it null, which costs one test per text. The probe sees each
// text as it is about to be drawn: its ink as a mask pattern in cr's user
// space, a box in that space holding the ink, the text, its colour and
// opacity, and the font size it was laid out at (in cr's user units). The
// text is drawn only when the probe returns true.
using TextProbe = bool (*)(cairo_t* cr, cairo_pattern_t* ink, const Rect& box, std::string_view text,
                           uint32_t color, double alpha, double size);
inline TextProbe textProbe = nullptr;
// For code that paints text it laid out earlier as an alpha mask (its top
// left at x, y; laid out at font size `size`): asks the probe; true when the
// text is to be drawn.
bool probeTextMask(cairo_t* cr, cairo_surface_t* mask, double x, double y, std::string_view text, uint32_t color,
                   double alpha, double size);

// Makes the nine font files of the asset directory known to Fontconfig. Call
// once at start-up before any text is drawn; true when every file was taken.
bool registerBundledFonts();

// Text is laid out at the frame's base transform, the overlay's pixels per
// logical unit (the shell sets it each frame; 1 until then), whatever
// transform a text is drawn under.
void setTextPixelRatio(double ratio);
double textPixelRatio();

// Laid-out texts are kept for reuse, at most this many (the least recently
// used go first); a change of language, fonts or pixel ratio empties it.
inline constexpr std::size_t kTextCacheCapacity = 2048;
struct TextCacheStats {
    std::size_t entries = 0;
    std::size_t hits = 0;
    std::size_t misses = 0;
};
TextCacheStats textCacheStats();
// A mark in the cache's use, and the drop of every text not looked up since
// one: what a screen left behind goes once the next one has drawn.
std::uint64_t textCacheMark();
void dropTextsUnusedSince(std::uint64_t mark);
// Empties the cache and its counts.
void clearTextCache();
// Test seams: with the cache off every text is laid out afresh; a smaller
// capacity drops the least recently used at once.
void setTextCacheEnabled(bool on);
void setTextCacheCapacity(std::size_t n);

} // namespace ui

#pragma once
// The contrast check: is every text on screen readable over what is really
// behind it?
//
// Also: is every text drawn at least at the legible size of its script
// (ui/legible.h)? The size is the font's, in device pixels, as each text is
// drawn.
//
// A frame is drawn twice, the same way: once as it is, with every text it
// draws on the screen's surface recorded (its ink in device pixels, its
// colour and opacity), and once with those texts left out. The second
// picture, GPU layer and overlay composited, is what each text stands on:
// plates, skies, clouds, effects drawn over it and its own shadow (a text
// drawn just before the same text, a little offset, is its shadow or outline
// and stays in the picture).
//
// A text's figure: every pixel its ink covers at least half of is judged by
// the WCAG contrast between the text's colour there (laid over the backdrop
// at its opacity, see markFading) and the best-contrasting backdrop pixel
// among that pixel and its neighbours (one pixel round for body text, up to
// four for a large sign); the figure is the contrast that four fifths of
// those pixels reach. Judging at the letters rather than over the box keeps
// a plate's bright rim beside a label from counting, while a cloud under a
// fifth of the letters does count; the neighbours let a letter be read by
// its edge, so a shadow one pixel off counts where it lies.
//
//   contrast::Recorder rec;                    // installs the text probe
//   rec.begin(surface, contrast::Pass::Record);
//   draw(cr);                                  // texts drawn and recorded
//   auto texts = rec.end();
//   contrast::markShadows(texts);
//   rec.begin(surface, contrast::Pass::Backdrop, &texts);
//   draw(cr);                                  // texts left out, shadows kept
//   rec.end();
//   ... read the composited picture, then judge() each text
#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace contrast {

// Below this a text fails.
inline constexpr double kMinRatio = 3.0;

// WCAG contrast, (lighter + 0.05) / (darker + 0.05) of the relative
// luminances: 1 to 21.
double ratio(std::uint32_t a, std::uint32_t b);
// a laid over b at opacity alpha.
std::uint32_t over(std::uint32_t a, double alpha, std::uint32_t b);

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

struct SeenText {
    std::string text;
    std::uint32_t color = 0;
    double alpha = 1;
    Box box;                          // the ink's bounds in device pixels
    double pixels = 0;                // its font size in device pixels
    std::vector<std::uint8_t> cover;  // box.w × box.h ink coverage, 0-255
    bool shadow = false;              // drawn under a text as its shadow or outline
    bool fading = false;              // its opacity changes from frame to frame
};

enum class Pass {
    Record,    // texts drawn as usual and recorded
    Backdrop,  // texts recorded but left out, except the shadows of the record pass
};

// While it lives, every text drawn goes past it; texts on other surfaces
// than the screen's (masks, cached tiles) are drawn and not recorded. One at
// a time.
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Starts a frame on screen. In a backdrop pass, `recorded` is the
    // record pass's list of the same frame, shadows marked: the nth text
    // drawn is kept when the nth recorded one is the same text and a shadow.
    // screen: the surface the frame draws on.
    void begin(cairo_surface_t* screen, Pass pass, const std::vector<SeenText>* recorded = nullptr);
    // Ends the frame: the texts seen in it, in drawing order; texts with no
    // ink on screen are left out.
    std::vector<SeenText> end();

    struct State;

private:
    State* state_;
};

// Marks each text that a later text of the next few draws repeats (same
// text, same ink size, offset by a few pixels at most, another colour).
void markShadows(std::vector<SeenText>& texts);

// Marks each text whose opacity differs from that of the same text (same
// words, a few pixels away at most) in the frame before: it is fading in or
// out, or pulsing, and is judged as it stands at full opacity. A text at a
// steady opacity is judged at that opacity.
void markFading(std::vector<SeenText>& texts, const std::vector<SeenText>& before);

// The frame's composited picture, 0x??RRGGBB per pixel.
struct Picture {
    const std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    int stride = 0;  // pixels per row
    std::uint32_t at(int x, int y) const { return pixels[y * stride + x] & 0xFFFFFF; }
};

struct Verdict {
    double figure = 21;       // 21 when the text has no ink pixel inside the picture
    std::uint32_t under = 0;  // the backdrop at the pixel that sets the figure
};
// The figure of a text over the backdrop (see above).
Verdict judge(const SeenText& t, const Picture& backdrop);
// Nothing of the text shows in the finished picture: at nearly all of its
// ink pixels it is the same as the backdrop, as under an opaque box drawn
// over it. Such a text is not judged. (An effect that hides a text only
// in part leaves it judged, and failing.) The pixels that the ink of
// `besides` covers do not count: a text left out of the backdrop that lies
// over t would show there. `share`: of its ink pixels that must be hidden.
bool hidden(const SeenText& t, const Picture& finished, const Picture& backdrop, const SeenText* besides = nullptr,
            double share = 0.97);

// The smallest font size its script is read at, in device pixels.
double legiblePixels(const SeenText& t);
// A text whose script is read from `legible` pixels on is drawn too small
// at `pixels`.
bool tooSmall(double pixels, double legible);

// Device pixels that the inks of two texts both cover (at least half each):
// letters of one text running into another's.
int inkOverlap(const SeenText& a, const SeenText& b);
// Side by side on one line with less than a pixel between their inks: two
// words that read as one ("Lv. 13Lv. 12").
bool touching(const SeenText& a, const SeenText& b);

// The two lists of a frame name the same texts in the same order.
bool sameTexts(const std::vector<SeenText>& a, const std::vector<SeenText>& b);

} // namespace contrast

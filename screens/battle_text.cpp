#include "screens/battle_text.h"
#include "ui/theme.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui::battle {
namespace {

// Room around the text for ink that overhangs its logical box.
constexpr double kPad = 2;
constexpr std::size_t kMaxMasks = 400;

double pixelRatio(cairo_t* cr) {
    double dx = 1, dy = 0;
    cairo_user_to_device_distance(cr, &dx, &dy);
    return std::max(std::hypot(dx, dy), 0.01);
}

template <class T>
void appendRaw(std::string* key, const T& value) {
    key->append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The text, then the style's layout fields and the ratio as raw bytes: a
// lookup per text drawn must cost next to nothing.
void makeKey(std::string* key, std::string_view text, const TextStyle& st, double ratio) {
    key->assign(text);
    key->push_back('\0');
    appendRaw(key, st.family);  // the lists are constants, so the pointer names one
    const double numbers[] = {st.size, st.fitWidth, st.minFit, st.letterSpacing, st.wrapWidth, ratio};
    appendRaw(key, numbers);
    const char flags[] = {st.bold, st.italic, st.upperCase};
    appendRaw(key, flags);
}

} // namespace

const TextCache::Mask& TextCache::maskFor(cairo_t* cr, std::string_view text, const TextStyle& st) {
    const double ratio = pixelRatio(cr);
    makeKey(&key_, text, st, ratio);
    ++clock_;
    if (auto it = masks_.find(key_); it != masks_.end()) {
        it->second.used = clock_;
        return it->second;
    }
    if (masks_.size() >= kMaxMasks) evictOld();
    Mask m;
    measureText(cr, text, st, &m.size.w, &m.size.h);
    m.fontSize = fittedSize(cr, text, st);
    const int pw = std::max(1, static_cast<int>(std::ceil((m.size.w + 2 * kPad) * ratio)));
    const int ph = std::max(1, static_cast<int>(std::ceil((m.size.h + 2 * kPad) * ratio)));
    m.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, pw, ph));
    cairo_surface_set_device_scale(m.surface.get(), ratio, ratio);
    cairo_t* mc = cairo_create(m.surface.get());
    TextStyle white = st;
    white.align = Align::Left;
    white.color = theme::kShineWhite;
    white.alpha = 1;
    drawText(mc, kPad, kPad, text, white);
    cairo_destroy(mc);
    m.used = clock_;
    return masks_.emplace(key_, std::move(m)).first->second;
}

const std::string& TextCache::elided(cairo_t* cr, std::string_view text, const TextStyle& st, double maxW) {
    makeKey(&key_, text, st, pixelRatio(cr));
    appendRaw(&key_, maxW);
    if (auto it = cuts_.find(key_); it != cuts_.end()) return it->second;
    if (cuts_.size() >= kMaxMasks) cuts_.clear();
    auto widthOf = [&](std::string_view t) {
        double w = 0;
        measureText(cr, t, st, &w, nullptr);
        return w;
    };
    std::string out(text);
    if (widthOf(text) > maxW) {
        // Cut points: the starts of UTF-8 characters after the first.
        std::vector<std::size_t> cuts;
        for (std::size_t i = 1; i < text.size(); ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
        const std::string_view ellipsis = "\xE2\x80\xA6";
        auto candidate = [&](std::size_t n) {
            std::string_view head = text.substr(0, n);
            while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
            return std::string(head) + std::string(ellipsis);
        };
        // The longest head that still fits; at least one character.
        std::size_t lo = 0, hi = cuts.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            if (widthOf(candidate(cuts[mid - 1])) <= maxW) lo = mid;
            else hi = mid - 1;
        }
        out = candidate(lo > 0 ? cuts[lo - 1] : (cuts.empty() ? text.size() : cuts[0]));
    }
    return cuts_.emplace(key_, std::move(out)).first->second;
}

// Keeps the most recently used half.
void TextCache::evictOld() {
    std::vector<std::uint64_t> uses;
    uses.reserve(masks_.size());
    for (const auto& [key, m] : masks_) uses.push_back(m.used);
    std::nth_element(uses.begin(), uses.begin() + uses.size() / 2, uses.end());
    const std::uint64_t median = uses[uses.size() / 2];
    std::erase_if(masks_, [&](const auto& entry) { return entry.second.used < median; });
}

void TextCache::paint(cairo_t* cr, const Mask& m, double x, double y, std::string_view text, std::uint32_t color,
                      double alpha) {
    // On whole device pixels, so the mask is not resampled into a blur.
    cairo_user_to_device(cr, &x, &y);
    x = std::round(x);
    y = std::round(y);
    cairo_device_to_user(cr, &x, &y);
    if (textProbe && !probeTextMask(cr, m.surface.get(), x - kPad, y - kPad, text, color, alpha, m.fontSize)) return;
    setColor(cr, color, alpha);
    cairo_mask_surface(cr, m.surface.get(), x - kPad, y - kPad);
}

TextCache::Size TextCache::measure(cairo_t* cr, std::string_view text, const TextStyle& st) {
    return maskFor(cr, text, st).size;
}

void TextCache::draw(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st) {
    if (text.empty()) return;
    const Mask& m = maskFor(cr, text, st);
    const double left = st.align == Align::Centre ? x - m.size.w / 2 : st.align == Align::Right ? x - m.size.w : x;
    paint(cr, m, left, y, text, st.color, st.alpha);
}

void TextCache::drawCentered(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st) {
    if (text.empty()) return;
    const Mask& m = maskFor(cr, text, st);
    paint(cr, m, x - m.size.w / 2, y - m.size.h / 2, text, st.color, st.alpha);
}

void TextCache::drawShadowed(cairo_t* cr, double x, double y, std::string_view text, const TextStyle& st,
                             const TextShadow& shadow) {
    draw(cr, x + shadow.dx, y + shadow.dy, text, shadowStyle(st, shadow));
    draw(cr, x, y, text, st);
}

} // namespace ui::battle

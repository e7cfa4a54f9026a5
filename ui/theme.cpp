#include "ui/theme.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace theme {
namespace {

double channel(uint32_t c, int shift) { return static_cast<double>((c >> shift) & 0xFF) / 255.0; }

uint32_t toByte(double v) {
    return static_cast<uint32_t>(std::round(std::clamp(v, 0.0, 1.0) * 255.0));
}

// Applies f to the three channels (each in 0..1) and packs the result.
template <class F>
uint32_t perChannel(uint32_t c, F f) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) out |= toByte(f(channel(c, shift), shift)) << shift;
    return out;
}

} // namespace

uint32_t mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return perChannel(a, [&](double ca, int shift) { return ca + (channel(b, shift) - ca) * t; });
}

uint32_t lighten(uint32_t c, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return perChannel(c, [&](double v, int) { return v + (1.0 - v) * t; });
}

uint32_t darken(uint32_t c, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return perChannel(c, [&](double v, int) { return v * (1.0 - t); });
}

double luminance(uint32_t c) {
    return 0.2126 * channel(c, 16) + 0.7152 * channel(c, 8) + 0.0722 * channel(c, 0);
}

double contrastRatio(uint32_t a, uint32_t b) {
    // Luminance over linear light: each sRGB channel undone of its gamma.
    auto linear = [](uint32_t c) {
        double sum = 0;
        for (auto [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
            const double v = channel(c, shift);
            sum += weight * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double la = linear(a), lb = linear(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t readableOn(uint32_t c, uint32_t ground, double ratio) {
    const bool dark = contrastRatio(ground, 0x000000) < contrastRatio(ground, 0xFFFFFF);
    for (int i = 0; i < 40 && contrastRatio(c, ground) < ratio; ++i) c = dark ? lighten(c, 0.06) : darken(c, 0.06);
    return c;
}

const std::vector<uint32_t>& titleColors() {
    static const std::vector<uint32_t> colors{kLightGold, kGold, 0xB5703A, 0xC2382F, 0x5A9C3A, 0x5FB6D8, kGold};
    return colors;
}

} // namespace theme

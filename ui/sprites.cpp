// Sprite lookup, shade derivation and pixel building.
#include "ui/sprites.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace pixel {
namespace {

struct Hsl {
    double h, s, l;
};

Hsl toHsl(double r, double g, double b) {
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    Hsl out{0, 0, (mx + mn) / 2};
    if (mx == mn) return out;
    const double d = mx - mn;
    out.s = out.l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    if (mx == r)
        out.h = 60 * ((g - b) / d + (b > g ? 6 : 0));
    else if (mx == g)
        out.h = 60 * ((b - r) / d + 2);
    else
        out.h = 60 * ((r - g) / d + 4);
    return out;
}

double hueChannel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 1.0 / 2) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

std::uint32_t channelByte(double v) {
    return static_cast<std::uint32_t>(std::round(v * 255));
}

std::uint32_t fromHsl(const Hsl& c) {
    double r = c.l, g = c.l, b = c.l;
    if (c.s != 0) {
        const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
        const double p = 2 * c.l - q;
        const double h = c.h / 360;
        r = hueChannel(p, q, h + 1.0 / 3);
        g = hueChannel(p, q, h);
        b = hueChannel(p, q, h - 1.0 / 3);
    }
    return channelByte(r) << 16 | channelByte(g) << 8 | channelByte(b);
}

// Moves a hue part of the way towards a target along the shorter arc.
double hueTowards(double h, double target, double share) {
    return h + share * (std::fmod(target - h + 540, 360) - 180);
}

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 128;
}

bool isRecolourKey(char c) {
    return c == '1' || c == '2' || c == '3' || c == 'e';
}

struct Palette {
    std::array<std::uint32_t, 128> colour{};
    std::array<bool, 128> present{};
};

Palette loadPalette(const Sprite& s) {
    Palette p;
    for (int i = 0; i < s.paletteCount; ++i) {
        const char k = s.paletteKeys[i];
        if (!isAscii(k)) continue;
        p.colour[k] = s.paletteColours[i];
        p.present[k] = s.paletteColours[i] != 0;
    }
    return p;
}

// Only shades of recoloured keys need deriving: the table already holds the
// shades of its own colours.
void applyRecolor(const Sprite& s, const Recolor& rc, Palette* p) {
    const std::pair<char, std::uint32_t> swaps[] = {{'1', rc.c1}, {'2', rc.c2}, {'3', rc.c3}, {'e', rc.ce}};
    for (const auto& [key, c] : swaps)
        if (p->colour[key] != 0) p->colour[key] = c;
    for (int i = 0; i < s.shadeCount; ++i) {
        const char* r = s.shadeRules + 3 * i;
        if (!isAscii(r[0]) || !isAscii(r[1]) || !isRecolourKey(r[1])) continue;
        if (p->colour[r[1]] == 0) continue;
        p->colour[r[0]] = deriveShade(p->colour[r[1]], r[2] == 1);
    }
}

std::uint32_t premultiply(std::uint32_t c) {
    const std::uint32_t a = c >> 24;
    if (a == 255) return c;
    const std::uint32_t r = (c >> 16 & 0xFF) * a / 255;
    const std::uint32_t g = (c >> 8 & 0xFF) * a / 255;
    const std::uint32_t b = (c & 0xFF) * a / 255;
    return a << 24 | r << 16 | g << 8 | b;
}

} // namespace

const Sprite* spriteTable(int* count) {
    if (count) *count = kSpriteCount;
    return kSprites;
}

const Sprite* find(const std::string& name) {
    static const auto index = [] {
        std::unordered_map<std::string, const Sprite*> m;
        m.reserve(kSpriteCount);
        for (const Sprite& s : kSprites) m.emplace(s.name, &s);
        return m;
    }();
    auto it = index.find(name);
    return it == index.end() ? nullptr : it->second;
}

std::uint32_t deriveShade(std::uint32_t colour, bool lighter) {
    Hsl c = toHsl((colour >> 16 & 0xFF) / 255.0, (colour >> 8 & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
    Hsl n = c;
    if (lighter) {
        n.l = c.l + 0.13 + (1 - c.l) * 0.06;
        n.s = 0.92 * c.s;
        if (c.s > 0.05) n.h = hueTowards(c.h, 55, 0.14);
    } else {
        n.l = c.l - 0.13 - 0.08 * c.l;
        n.s = 0.04 + 1.08 * c.s;
        if (c.s > 0.05) n.h = hueTowards(c.h, 255, 0.16);
    }
    n.s = std::clamp(n.s, 0.0, 1.0);
    n.l = std::clamp(n.l, 0.0, 1.0);
    n.h = std::fmod(n.h, 360);
    if (n.h < 0) n.h += 360;
    return (colour & 0xFF000000u) | fromHsl(n);
}

std::vector<std::uint32_t> buildArgb(const Sprite& s, int frame, const Recolor* recolor, bool silhouette) {
    Palette p = loadPalette(s);
    if (recolor && recolor->active) applyRecolor(s, *recolor, &p);
    if (silhouette)
        for (int k = 0; k < 128; ++k)
            if (p.present[k]) p.colour[k] |= 0x00FFFFFFu;
    const char* const* rows = frame == 1 && s.rows2 ? s.rows2 : s.rows;
    std::vector<std::uint32_t> out(static_cast<size_t>(s.width) * s.height, 0);
    for (int y = 0; y < s.height; ++y) {
        const char* row = rows[y];
        for (int x = 0; x < s.width && row[x]; ++x) {
            const char k = row[x];
            if (!isAscii(k) || !p.present[k] || (p.colour[k] >> 24) == 0) continue;
            out[static_cast<size_t>(y) * s.width + x] = premultiply(p.colour[k]);
        }
    }
    return out;
}

} // namespace pixel

#pragma once
// The built-in pixel sprites of heroes and monsters: rows of palette-key
// characters, turned into premultiplied ARGB pixels on demand.
#include <cstdint>
#include <string>
#include <vector>

namespace pixel {

// One sprite of the table. Rows hold `width` key characters each; a key that
// the palette lacks (or a non-ASCII byte) is transparent.
struct Sprite {
    const char* name;
    int width, height;
    int pivotX, pivotY;
    int paletteCount;
    const char* paletteKeys;              // paletteCount keys
    const std::uint32_t* paletteColours;  // 0xAARRGGBB, 0 for the transparent key
    int shadeCount;
    const char* shadeRules;               // 3 bytes a rule: target, source, 1 lighter / 0 darker
    const char* const* rows;              // frame 0
    const char* const* rows2;             // frame 1, or null
};

// Replacement colours for the keys '1', '2', '3' and 'e' (0xAARRGGBB).
struct Recolor {
    bool active = false;
    std::uint32_t c1 = 0, c2 = 0, c3 = 0, ce = 0;
};

inline constexpr int kSpriteCount = 123;
extern const Sprite kSprites[kSpriteCount];

// The first sprite of the table; writes the sprite count to count.
const Sprite* spriteTable(int* count);
// The sprite of exactly that name, or null.
const Sprite* find(const std::string& name);
// A lighter or darker shade in HSL; the alpha byte is kept.
std::uint32_t deriveShade(std::uint32_t colour, bool lighter);
// width * height premultiplied ARGB pixels, row-major, top row first.
// Frame 1 falls back to frame 0 when the sprite has no second frame.
std::vector<std::uint32_t> buildArgb(const Sprite& s, int frame, const Recolor* recolor, bool silhouette);

} // namespace pixel

#pragma once
// Which parts of the overlay changed since the frame before: the frame loop
// uploads only those to the overlay's texture, so a frame that changes little
// (a screen at rest, a blinking cursor) pays for little. The frame before is
// remembered by a hash of each tile rather than a copy of its pixels: a
// full-window copy is 3.6 MB that a software GL driver's process already
// pays for three times over.
#include <cstdint>
#include <vector>

namespace ui {

// Pixels, (x, y) the top-left corner.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const PixelRect&) const = default;
};

// Tiles the images are compared in; a changed pixel costs its tile.
inline constexpr int kDiffTileW = 64;
inline constexpr int kDiffTileH = 16;

// The hashes of the tiles of the last image seen.
class TileHashes {
public:
    // The rectangles that cover every tile of now (w by h 32-bit pixels,
    // rows `stride` bytes apart) whose hash differs from the image seen
    // before: changed tiles, those side by side in a band of rows joined,
    // and equal spans of adjacent bands joined in turn; clipped to the
    // image. The whole image when none of this size was seen before; empty
    // when nothing changed. Remembers now's hashes for the next call.
    std::vector<PixelRect> changedRects(const std::uint8_t* now, int w, int h, int stride);
    // Forgets the image seen: the next call reports the whole image.
    void reset() { hashes_.clear(); }

private:
    int w_ = 0;
    int h_ = 0;
    std::vector<std::uint64_t> hashes_;
};

} // namespace ui

#pragma once
// Which parts of the overlay changed since the frame before: the frame loop
// uploads only those to the overlay's texture, so a frame that changes little
// (a screen at rest, a blinking cursor) pays for little.
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

// Tiles the two images are compared in; a changed pixel costs its tile.
inline constexpr int kDiffTileW = 64;
inline constexpr int kDiffTileH = 16;

// The rectangles that cover every pixel in which the two images (w by h
// 32-bit pixels, rows `stride` bytes apart) differ: changed tiles, those
// side by side in a band of rows joined, and equal spans of adjacent bands
// joined in turn; clipped to the image. Empty when the images are equal.
std::vector<PixelRect> changedRects(const std::uint8_t* now, const std::uint8_t* before, int w, int h, int stride);

} // namespace ui

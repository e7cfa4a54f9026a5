#include "ui/overlay_diff.h"

#include <algorithm>
#include <cstring>

namespace ui {

std::vector<PixelRect> changedRects(const std::uint8_t* now, const std::uint8_t* before, int w, int h, int stride) {
    std::vector<PixelRect> out;
    if (!now || !before || w <= 0 || h <= 0) return out;
    const int columns = (w + kDiffTileW - 1) / kDiffTileW;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    std::vector<char> dirty(static_cast<std::size_t>(columns));
    for (int top = 0; top < h; top += kDiffTileH) {
        const int bottom = std::min(h, top + kDiffTileH);
        std::fill(dirty.begin(), dirty.end(), 0);
        int dirtyCount = 0;
        for (int y = top; y < bottom && dirtyCount < columns; ++y) {
            const std::uint8_t* a = now + static_cast<std::size_t>(y) * stride;
            const std::uint8_t* b = before + static_cast<std::size_t>(y) * stride;
            if (std::memcmp(a, b, rowBytes) == 0) continue;  // most rows of most frames
            for (int c = 0; c < columns; ++c) {
                if (dirty[c]) continue;
                const std::size_t from = static_cast<std::size_t>(c) * kDiffTileW * 4;
                const std::size_t bytes = std::min<std::size_t>(kDiffTileW * 4, rowBytes - from);
                if (std::memcmp(a + from, b + from, bytes) != 0) {
                    dirty[c] = 1;
                    ++dirtyCount;
                }
            }
        }
        const std::size_t thisBand = out.size();  // rectangles before it end at or above this band
        for (int c = 0; c < columns;) {
            if (!dirty[c]) {
                ++c;
                continue;
            }
            int end = c;
            while (end < columns && dirty[end]) ++end;
            const PixelRect r{c * kDiffTileW, top, std::min(w, end * kDiffTileW) - c * kDiffTileW, bottom - top};
            // The same span in the band just above grows down instead.
            bool joined = false;
            for (std::size_t i = 0; i < thisBand; ++i) {
                PixelRect& above = out[i];
                if (above.x == r.x && above.w == r.w && above.y + above.h == top) {
                    above.h += r.h;
                    joined = true;
                    break;
                }
            }
            if (!joined) out.push_back(r);
            c = end;
        }
    }
    return out;
}

} // namespace ui

#include "screens/battle_cache.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui::battle {
namespace {

// Room around the area for antialiased edges and strokes that reach out.
constexpr int kPadPx = 2;

template <class T>
void appendRaw(std::string* key, const T& value) {
    key->append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

void PictureCache::draw(cairo_t* cr, std::string_view key, const Rect& area, Painter paint, const void* user) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (area.w <= 0 || area.h <= 0 || m.xy != 0 || m.yx != 0 || m.xx <= 0 || m.yy <= 0) {
        paint(cr, user);
        return;
    }
    // The area's corner on the device grid: the whole pixels place the
    // image, the fraction (with the scale) belongs to the picture.
    const double dx = m.xx * area.x + m.x0, dy = m.yy * area.y + m.y0;
    const double fx = std::floor(dx), fy = std::floor(dy);
    key_.assign(key);
    key_.push_back('\0');
    const double numbers[] = {m.xx, m.yy, dx - fx, dy - fy, area.w, area.h};
    appendRaw(&key_, numbers);
    ++clock_;
    auto it = pictures_.find(key_);
    if (it == pictures_.end()) {
        if (pictures_.size() >= capacity_) {
            // Keeps the most recently used half.
            std::vector<std::uint64_t> uses;
            uses.reserve(pictures_.size());
            for (const auto& [k, p] : pictures_) uses.push_back(p.used);
            std::nth_element(uses.begin(), uses.begin() + uses.size() / 2, uses.end());
            const std::uint64_t median = uses[uses.size() / 2];
            std::erase_if(pictures_, [&](const auto& entry) { return entry.second.used < median; });
        }
        const int w = static_cast<int>(std::ceil(area.w * m.xx + (dx - fx))) + 2 * kPadPx;
        const int h = static_cast<int>(std::ceil(area.h * m.yy + (dy - fy))) + 2 * kPadPx;
        Picture pic;
        pic.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
        if (cairo_surface_status(pic.surface.get()) != CAIRO_STATUS_SUCCESS) {
            paint(cr, user);
            return;
        }
        cairo_t* pc = cairo_create(pic.surface.get());
        // The painter's units land on the image as on the overlay, shifted
        // by whole pixels only.
        cairo_matrix_t shifted = m;
        shifted.x0 = m.x0 - fx + kPadPx;
        shifted.y0 = m.y0 - fy + kPadPx;
        cairo_set_matrix(pc, &shifted);
        paint(pc, user);
        cairo_destroy(pc);
        cairo_surface_flush(pic.surface.get());
        it = pictures_.emplace(key_, std::move(pic)).first;
        ++painted_;
    }
    it->second.used = clock_;
    // Placed by the whole pixels of this frame's corner.
    const double px = fx - kPadPx, py = fy - kPadPx;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, it->second.surface.get(), px, py);
    cairo_paint(cr);
    cairo_restore(cr);
}

PictureCache& floorPictures() {
    // Never destroyed: a battle screen still shown at exit empties it from
    // its own destructor, which may run after static destructors.
    static PictureCache& cache = *new PictureCache;
    return cache;
}

} // namespace ui::battle

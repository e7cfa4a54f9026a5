#include "ui/gpu.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace ui {
namespace {

constexpr size_t kMaxEntries = 900;
// The pixels the cache may hold. A software GL driver keeps every texture in
// the process's own memory, so these bytes are resident; a busy battle uses
// about 11 MB, three full-window pictures are 11 MB more.
constexpr size_t kMaxBytes = size_t{32} << 20;

struct Entry {
    SDL_Texture* texture = nullptr;
    int w = 0;
    int h = 0;
    int64_t lastUsed = 0;
    size_t bytes() const { return size_t{4} * static_cast<size_t>(w) * static_cast<size_t>(h); }
};

struct ProfEntry {
    double total = 0;
    double start = 0;
    int count = 0;
};

// One call of the frame's GPU drawing, as the renderer is to be asked for
// it: the texture's modulation and blending are taken at the call, as SDL
// takes them when a copy is queued.
struct DrawCmd {
    enum class Kind : std::uint8_t { Copy, CopyEx, FillRect, StrokeRect, Clip, NoClip, Quads };
    Kind kind = Kind::Copy;
    bool pivoted = false;
    SDL_RendererFlip flip = SDL_FLIP_NONE;
    SDL_Texture* texture = nullptr;
    SDL_Rect rect{0, 0, 0, 0};
    SDL_Point pivot{0, 0};
    double angle = 0;
    Uint8 r = 255, g = 255, b = 255, a = 255;
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    int first = 0, count = 0;  // Quads: the vertices, in the frame's list

    bool operator==(const DrawCmd& o) const {
        return kind == o.kind && first == o.first && count == o.count && pivoted == o.pivoted && flip == o.flip && texture == o.texture &&
               rect.x == o.rect.x && rect.y == o.rect.y && rect.w == o.rect.w && rect.h == o.rect.h &&
               pivot.x == o.pivot.x && pivot.y == o.pivot.y && angle == o.angle && r == o.r && g == o.g &&
               b == o.b && a == o.a && blend == o.blend;
    }
};

struct State {
    SDL_Renderer* renderer = nullptr;
    double scale = 1.0;
    int drawCalls = 0;
    int64_t frame = 0;
    std::map<std::string, Entry, std::less<>> textures;
    size_t bytes = 0;  // of all cached textures
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    bool profiling = std::getenv("VELMORANDINE_STATS") != nullptr;
    std::map<std::string, ProfEntry, std::less<>> sections;
    // Recorded frames: the draws of this frame and of the last one shown.
    bool recording = false;
    int intoTarget = 0;  // draws into a render target go out at once
    std::vector<DrawCmd> frameCmds;
    std::vector<DrawCmd> shownCmds;
    std::vector<SDL_Vertex> frameVerts;
    std::vector<SDL_Vertex> shownVerts;
    std::vector<int> quadIndices;  // two triangles a quad, for as many quads as drawn at once
    // A texture was made, redrawn or destroyed since the last frame shown:
    // equal calls may then show other pixels.
    bool texturesChanged = true;
};

State& st() {
    static State state;
    return state;
}

double clockSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int px(double v) { return static_cast<int>(std::lround(v * st().scale)); }

SDL_Rect toPixels(double x, double y, double w, double h) { return SDL_Rect{px(x), px(y), px(w), px(h)}; }

Uint8 alphaByte(double a) {
    if (a < 0) return 0;
    if (a > 1) return 255;
    return static_cast<Uint8>(static_cast<int>(255 * a + 0.5));
}

Uint8 scaledChannel(uint32_t color, int shift, double a) {
    return static_cast<Uint8>(static_cast<int>(((color >> shift) & 0xFF) * std::clamp(a, 0.0, 1.0) + 0.5));
}

// Quads of one texture in one call; the vertices carry the tint.
void issueQuads(SDL_Texture* tex, SDL_BlendMode blend, const SDL_Vertex* verts, int count) {
    State& s = st();
    if (!tex || count < 4) return;
    const int quads = count / 4;
    while (static_cast<int>(s.quadIndices.size()) < 6 * quads) {
        const int q = static_cast<int>(s.quadIndices.size()) / 6 * 4;
        for (int i : {0, 1, 2, 2, 3, 0}) s.quadIndices.push_back(q + i);
    }
    SDL_BlendMode own = blend;
    const bool other = SDL_GetTextureBlendMode(tex, &own) != 0 || own != blend;
    if (other) SDL_SetTextureBlendMode(tex, blend);
    SDL_SetTextureAlphaMod(tex, 255);
    SDL_SetTextureColorMod(tex, 255, 255, 255);
    SDL_RenderGeometry(s.renderer, tex, verts, 4 * quads, s.quadIndices.data(), 6 * quads);
    if (other) SDL_SetTextureBlendMode(tex, own);
}

void issue(const DrawCmd& c) {
    SDL_Renderer* r = st().renderer;
    switch (c.kind) {
    case DrawCmd::Kind::Copy:
    case DrawCmd::Kind::CopyEx:
    {
        if (!c.texture) return;
        // A blit of its own blending (the additive one) leaves the texture's as it was.
        SDL_BlendMode own = c.blend;
        const bool other = SDL_GetTextureBlendMode(c.texture, &own) != 0 || own != c.blend;
        if (other) SDL_SetTextureBlendMode(c.texture, c.blend);
        SDL_SetTextureAlphaMod(c.texture, c.a);
        SDL_SetTextureColorMod(c.texture, c.r, c.g, c.b);
        if (c.kind == DrawCmd::Kind::Copy) SDL_RenderCopy(r, c.texture, nullptr, &c.rect);
        else SDL_RenderCopyEx(r, c.texture, nullptr, &c.rect, c.angle, c.pivoted ? &c.pivot : nullptr, c.flip);
        if (other) SDL_SetTextureBlendMode(c.texture, own);
        return;
    }
    case DrawCmd::Kind::FillRect:
    case DrawCmd::Kind::StrokeRect:
        SDL_SetRenderDrawBlendMode(r, c.blend);
        SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
        if (c.kind == DrawCmd::Kind::FillRect) SDL_RenderFillRect(r, &c.rect);
        else SDL_RenderDrawRect(r, &c.rect);
        return;
    case DrawCmd::Kind::Clip:
        SDL_RenderSetClipRect(r, &c.rect);
        return;
    case DrawCmd::Kind::NoClip:
        SDL_RenderSetClipRect(r, nullptr);
        return;
    case DrawCmd::Kind::Quads:
        issueQuads(c.texture, c.blend, st().frameVerts.data() + c.first, c.count);
        return;
    }
}

void submit(const DrawCmd& c) {
    State& s = st();
    if (s.recording && s.intoTarget == 0) s.frameCmds.push_back(c);
    else issue(c);
}

// Every way a texture goes away passes here: the frame's recorded calls
// must not reach it.
void destroyTexture(SDL_Texture* tex) {
    State& s = st();
    for (DrawCmd& c : s.frameCmds) {
        if (c.texture == tex) c.texture = nullptr;
    }
    s.texturesChanged = true;
    SDL_DestroyTexture(tex);
}

using Textures = std::map<std::string, Entry, std::less<>>;

Textures::iterator erase(Textures::iterator it) {
    State& s = st();
    destroyTexture(it->second.texture);
    s.bytes -= it->second.bytes();
    return s.textures.erase(it);
}

// The entry of key when it has the asked size; an entry of another size is
// destroyed, since the caller is about to make it anew.
SDL_Texture* findSized(std::string_view key, int w, int h) {
    State& s = st();
    auto it = s.textures.find(key);
    if (it == s.textures.end()) return nullptr;
    if (it->second.w == w && it->second.h == h) {
        it->second.lastUsed = s.frame;
        return it->second.texture;
    }
    erase(it);
    return nullptr;
}

// Makes room for a texture of the given bytes: past the entry cap the least
// recently used third goes, past the byte cap as many of the least recently
// used as it takes. What this frame used stays, whatever the caps say: its
// caller may still hold the texture. Among entries of one frame the bytewise
// smaller keys go first, so the choice never depends on map layout.
void evictIfFull(size_t incoming) {
    State& s = st();
    const bool tooMany = s.textures.size() > kMaxEntries;
    if (!tooMany && s.bytes + incoming <= kMaxBytes) return;
    std::vector<std::pair<int64_t, std::string>> order;
    order.reserve(s.textures.size());
    for (const auto& [key, e] : s.textures) {
        if (e.lastUsed < s.frame) order.emplace_back(e.lastUsed, key);
    }
    std::sort(order.begin(), order.end());
    size_t n = tooMany ? s.textures.size() / 3 : 0;
    for (const auto& [used, key] : order) {
        if (n == 0 && s.bytes + incoming <= kMaxBytes) break;
        erase(s.textures.find(key));
        if (n > 0) --n;
    }
}

SDL_Texture* store(std::string_view key, SDL_Texture* tex, int w, int h) {
    State& s = st();
    s.texturesChanged = true;
    const Entry e{tex, w, h, s.frame};
    auto [it, fresh] = s.textures.try_emplace(std::string(key), e);
    if (!fresh) {
        if (it->second.texture != tex) destroyTexture(it->second.texture);
        s.bytes -= it->second.bytes();
        it->second = e;
    }
    s.bytes += e.bytes();
    return tex;
}

// Paints into a cairo image surface whose device scale lets the painter work
// in logical units; null when the surface cannot be made.
cairo_surface_t* paintSurface(int w, int h, GpuPainter painter, void* user) {
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surf);
        return nullptr;
    }
    cairo_surface_set_device_scale(surf, st().scale, st().scale);
    cairo_t* cr = cairo_create(surf);
    if (painter) painter(cr, user);
    cairo_destroy(cr);
    cairo_surface_flush(surf);
    return surf;
}

void drawInto(SDL_Texture* target, GpuDrawer draw, void* user) {
    State& s = st();
    SDL_Renderer* r = s.renderer;
    SDL_Texture* previous = SDL_GetRenderTarget(r);
    SDL_SetRenderTarget(r, target);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 0);
    SDL_RenderClear(r);
    ++s.intoTarget;
    if (draw) draw(user);
    --s.intoTarget;
    SDL_SetRenderTarget(r, previous);
    s.texturesChanged = true;
}

// A copy of a premultiplied texture faded by alpha: colour and alpha scale
// alike.
DrawCmd fadedCopy(SDL_Texture* tex, const SDL_Rect& dst, double alpha) {
    DrawCmd c;
    c.texture = tex;
    c.rect = dst;
    c.a = alphaByte(alpha);
    c.r = c.g = c.b = c.a;
    if (SDL_GetTextureBlendMode(tex, &c.blend) != 0) c.blend = st().blend;
    return c;
}

void copyEx(SDL_Texture* tex, const SDL_Rect& dst, double angle, const SDL_Point* pivot, bool mirror, double alpha) {
    State& s = st();
    DrawCmd c = fadedCopy(tex, dst, alpha);
    c.kind = DrawCmd::Kind::CopyEx;
    c.angle = angle;
    c.pivoted = pivot != nullptr;
    if (pivot) c.pivot = *pivot;
    c.flip = mirror ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE;
    submit(c);
    ++s.drawCalls;
}

} // namespace

void gpuInit(SDL_Renderer* renderer) {
    gpuShutdown();
    State& s = st();
    s.renderer = renderer;
    SDL_BlendMode premultiplied =
        SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD,
                                   SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
    s.blend = premultiplied;
    SDL_Texture* probe = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1, 1);
    if (!probe) return;
    if (SDL_SetTextureBlendMode(probe, premultiplied) != 0) {
        std::fprintf(stderr, "[gpu] kein vormultipliziertes Mischen — nehme das normale\n");
        s.blend = SDL_BLENDMODE_BLEND;
    }
    SDL_DestroyTexture(probe);
}

void gpuShutdown() {
    State& s = st();
    for (auto& [key, e] : s.textures) SDL_DestroyTexture(e.texture);
    s.textures.clear();
    s.bytes = 0;
    s.frameCmds.clear();
    s.shownCmds.clear();
    s.frameVerts.clear();
    s.shownVerts.clear();
    s.recording = false;
    s.texturesChanged = true;
    s.renderer = nullptr;
}

SDL_Renderer* gpuRenderer() { return st().renderer; }

void gpuBeginFrame() {
    State& s = st();
    s.drawCalls = 0;
    ++s.frame;
    s.frameCmds.clear();
    s.frameVerts.clear();
}

void gpuRecordFrames(bool on) {
    State& s = st();
    s.recording = on;
    s.frameCmds.clear();
    s.shownCmds.clear();
    s.frameVerts.clear();
    s.shownVerts.clear();
    s.texturesChanged = true;
}

bool gpuFrameDiffers() {
    const State& s = st();
    if (s.texturesChanged || s.frameCmds != s.shownCmds) return true;
    return s.frameVerts.size() != s.shownVerts.size() ||
           (!s.frameVerts.empty() &&
            std::memcmp(s.frameVerts.data(), s.shownVerts.data(), s.frameVerts.size() * sizeof(SDL_Vertex)) != 0);
}

void gpuDrawFrame() {
    State& s = st();
    for (const DrawCmd& c : s.frameCmds) issue(c);
    gpuFrameShown();
}

void gpuFrameShown() {
    State& s = st();
    s.shownCmds.swap(s.frameCmds);
    s.frameCmds.clear();
    s.shownVerts.swap(s.frameVerts);
    s.frameVerts.clear();
    s.texturesChanged = false;
}

int gpuDrawCalls() { return st().drawCalls; }

void gpuSetScale(double s) { st().scale = s > 0 ? s : 1.0; }

double gpuScale() { return st().scale; }

SDL_Texture* gpuCached(std::string_view key, int w, int h) {
    State& s = st();
    auto it = s.textures.find(key);
    if (it == s.textures.end() || it->second.w != w || it->second.h != h) return nullptr;
    it->second.lastUsed = s.frame;
    return it->second.texture;
}

SDL_Texture* gpuTexture(std::string_view key, int w, int h, GpuPainter painter, void* user) {
    State& s = st();
    if (!s.renderer || w < 1 || h < 1) return nullptr;
    if (SDL_Texture* tex = findSized(key, w, h)) return tex;
    evictIfFull(Entry{nullptr, w, h}.bytes());
    cairo_surface_t* surf = paintSurface(w, h, painter, user);
    if (!surf) return nullptr;
    SDL_Texture* tex = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
    if (!tex) {
        cairo_surface_destroy(surf);
        return nullptr;
    }
    SDL_UpdateTexture(tex, nullptr, cairo_image_surface_get_data(surf), cairo_image_surface_get_stride(surf));
    SDL_SetTextureBlendMode(tex, s.blend);
    cairo_surface_destroy(surf);
    return store(key, tex, w, h);
}

namespace {

struct Shifted {
    GpuPainter painter;
    void* user;
    double dx, dy;
};

void paintShifted(cairo_t* cr, void* user) {
    const Shifted* s = static_cast<const Shifted*>(user);
    cairo_translate(cr, s->dx, s->dy);
    s->painter(cr, s->user);
}

} // namespace

void gpuPicture(std::string_view key, double x, double y, double w, double h, GpuPainter painter, void* user,
                double alpha) {
    State& s = st();
    if (!s.renderer || !painter || !(w > 0) || !(h > 0) || !std::isfinite(x) || !std::isfinite(y)) return;
    // Quarter pixels: finer than antialiasing shows, coarse enough that a
    // picture at rest keeps one texture.
    auto split = [&](double v, int* whole) {
        const double p = v * s.scale;
        *whole = static_cast<int>(std::floor(p));
        return std::round((p - *whole) * 4) / 4;
    };
    int ix = 0, iy = 0;
    const double fx = split(x, &ix);
    const double fy = split(y, &iy);
    const int pw = static_cast<int>(std::ceil(fx + w * s.scale));
    const int ph = static_cast<int>(std::ceil(fy + h * s.scale));
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "|%.2f,%.2f", fx, fy);
    std::string full(key);
    full += suffix;
    Shifted shifted{painter, user, fx / s.scale, fy / s.scale};
    SDL_Texture* tex = gpuTexture(full, pw, ph, paintShifted, &shifted);
    gpuBlit(tex, ix / s.scale, iy / s.scale, pw / s.scale, ph / s.scale, alpha);
}

SDL_Texture* gpuTextureRgba(std::string_view key, int w, int h, const uint32_t* pixels, bool crisp) {
    State& s = st();
    if (!s.renderer || w < 1 || h < 1 || !pixels) return nullptr;
    if (SDL_Texture* tex = findSized(key, w, h)) return tex;
    evictIfFull(Entry{nullptr, w, h}.bytes());
    // The sampling mode is fixed when a texture is made, from this hint.
    const char* hint = SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    std::string previous = hint ? hint : "linear";
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, crisp ? "0" : "1");
    SDL_Texture* tex = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, previous.c_str());
    if (!tex) return nullptr;
    SDL_UpdateTexture(tex, nullptr, pixels, w * 4);
    if (SDL_SetTextureBlendMode(tex, s.blend) != 0) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    return store(key, tex, w, h);
}

SDL_Texture* gpuRenderTarget(std::string_view key, int w, int h, GpuDrawer draw, void* user, bool redraw) {
    State& s = st();
    if (!s.renderer || w <= 0 || h <= 0) return nullptr;
    auto it = s.textures.find(key);
    if (it != s.textures.end()) {
        if (it->second.w == w && it->second.h == h) {
            it->second.lastUsed = s.frame;
            if (redraw) drawInto(it->second.texture, draw, user);
            return it->second.texture;
        }
        erase(it);
    }
    evictIfFull(Entry{nullptr, w, h}.bytes());
    SDL_Texture* tex = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!tex) return nullptr;
    SDL_SetTextureBlendMode(tex, s.blend);
    drawInto(tex, draw, user);
    return store(key, tex, w, h);
}

void gpuDrop(std::string_view key) {
    State& s = st();
    auto it = s.textures.find(key);
    if (it != s.textures.end()) erase(it);
}

void gpuDropPrefix(std::string_view prefix) {
    State& s = st();
    auto it = s.textures.lower_bound(prefix);
    while (it != s.textures.end() && std::string_view(it->first).starts_with(prefix)) it = erase(it);
}

void gpuDropUnusedSince(int64_t frame) {
    State& s = st();
    for (auto it = s.textures.begin(); it != s.textures.end();) {
        if (it->second.lastUsed < frame) it = erase(it);
        else ++it;
    }
}

int64_t gpuFrame() { return st().frame; }

std::size_t gpuCacheSize() { return st().textures.size(); }

std::size_t gpuCacheBytes() { return st().bytes; }

void gpuSetClip(double x, double y, double w, double h) {
    if (!st().renderer) return;
    DrawCmd c;
    c.kind = DrawCmd::Kind::Clip;
    c.rect = toPixels(x, y, w, h);
    submit(c);
}

void gpuClearClip() {
    if (!st().renderer) return;
    DrawCmd c;
    c.kind = DrawCmd::Kind::NoClip;
    submit(c);
}

namespace {

void rectCall(double x, double y, double w, double h, uint32_t color, double alpha, bool fill) {
    State& s = st();
    if (!s.renderer || w <= 0 || h <= 0) return;
    DrawCmd c;
    c.kind = fill ? DrawCmd::Kind::FillRect : DrawCmd::Kind::StrokeRect;
    c.rect = toPixels(x, y, w, h);
    c.r = (color >> 16) & 0xFF;
    c.g = (color >> 8) & 0xFF;
    c.b = color & 0xFF;
    c.a = alphaByte(alpha);
    c.blend = SDL_BLENDMODE_BLEND;
    submit(c);
    ++s.drawCalls;
}

} // namespace

void gpuFillRect(double x, double y, double w, double h, uint32_t color, double alpha) {
    rectCall(x, y, w, h, color, alpha, true);
}

void gpuStrokeRect(double x, double y, double w, double h, uint32_t color, double alpha) {
    rectCall(x, y, w, h, color, alpha, false);
}

void gpuBlit(SDL_Texture* tex, double x, double y, double w, double h, double alpha) {
    State& s = st();
    if (!tex || !s.renderer) return;
    submit(fadedCopy(tex, toPixels(x, y, w, h), alpha));
    ++s.drawCalls;
}

void gpuBlitTinted(SDL_Texture* tex, double x, double y, double w, double h, uint32_t tint, double alpha) {
    State& s = st();
    if (!tex || !s.renderer) return;
    DrawCmd c = fadedCopy(tex, toPixels(x, y, w, h), alpha);
    c.r = scaledChannel(tint, 16, alpha);
    c.g = scaledChannel(tint, 8, alpha);
    c.b = scaledChannel(tint, 0, alpha);
    submit(c);
    ++s.drawCalls;
}

void gpuBlitAdditive(SDL_Texture* tex, double x, double y, double w, double h, uint32_t tint, double alpha) {
    State& s = st();
    if (!tex || !s.renderer) return;
    DrawCmd c = fadedCopy(tex, toPixels(x, y, w, h), 1.0);
    c.blend = SDL_BLENDMODE_ADD;
    c.r = scaledChannel(tint, 16, alpha);
    c.g = scaledChannel(tint, 8, alpha);
    c.b = scaledChannel(tint, 0, alpha);
    submit(c);
    ++s.drawCalls;
}

void gpuBlitRotated(SDL_Texture* tex, double cx, double cy, double w, double h, double angle, double alpha) {
    gpuBlitMirrored(tex, cx, cy, w, h, angle, false, alpha);
}

void gpuBlitMirrored(SDL_Texture* tex, double cx, double cy, double w, double h, double angle, bool mirror,
                     double alpha) {
    if (!tex || !st().renderer) return;
    copyEx(tex, toPixels(cx - w / 2, cy - h / 2, w, h), angle, nullptr, mirror, alpha);
}

void gpuBlitQuads(SDL_Texture* tex, const GpuQuad* quads, int n, uint32_t tint, double alpha) {
    State& s = st();
    if (!tex || !s.renderer || !quads || n <= 0) return;
    const bool record = s.recording && s.intoTarget == 0;
    std::vector<SDL_Vertex> direct;
    std::vector<SDL_Vertex>& out = record ? s.frameVerts : direct;
    const int first = static_cast<int>(out.size());
    const float g = static_cast<float>(s.scale);
    for (int i = 0; i < n; ++i) {
        const GpuQuad& q = quads[i];
        const double a = alpha * q.fade;
        const SDL_Color color{scaledChannel(tint, 16, a), scaledChannel(tint, 8, a), scaledChannel(tint, 0, a),
                              alphaByte(a)};
        const float x0 = g * static_cast<float>(q.cx - q.w / 2), x1 = g * static_cast<float>(q.cx + q.w / 2);
        const float y0 = g * static_cast<float>(q.cy - q.h / 2), y1 = g * static_cast<float>(q.cy + q.h / 2);
        const float u0 = q.flipX ? 1.f : 0.f, v0 = q.flipY ? 1.f : 0.f;
        out.push_back({{x0, y0}, color, {u0, v0}});
        out.push_back({{x1, y0}, color, {1 - u0, v0}});
        out.push_back({{x1, y1}, color, {1 - u0, 1 - v0}});
        out.push_back({{x0, y1}, color, {u0, 1 - v0}});
    }
    SDL_BlendMode blend = s.blend;
    if (SDL_GetTextureBlendMode(tex, &blend) != 0) blend = s.blend;
    if (record) {
        DrawCmd c;
        c.kind = DrawCmd::Kind::Quads;
        c.texture = tex;
        c.blend = blend;
        c.first = first;
        c.count = 4 * n;
        s.frameCmds.push_back(c);
    } else {
        issueQuads(tex, blend, direct.data(), 4 * n);
    }
    ++s.drawCalls;
}

void gpuBlitPivot(SDL_Texture* tex, double x, double y, double w, double h, double pivotX, double pivotY, double angle,
                  bool mirror, double alpha) {
    if (!tex || !st().renderer) return;
    SDL_Point pivot{px(pivotX), px(pivotY)};
    copyEx(tex, toPixels(x, y, w, h), angle, &pivot, mirror, alpha);
}

void profBegin(const char* name) {
    State& s = st();
    if (!s.profiling || !name) return;
    s.sections[name].start = clockSeconds();
}

void profEnd(const char* name) {
    State& s = st();
    if (!s.profiling || !name) return;
    ProfEntry& e = s.sections[name];
    e.count += 1;
    e.total += clockSeconds() - e.start;
}

std::string profReport() {
    State& s = st();
    std::string out;
    if (!s.profiling) return out;
    for (auto& [name, e] : s.sections) {
        if (e.count <= 0) continue;
        char piece[128];
        std::snprintf(piece, sizeof piece, " %s %.1f", name.c_str(), 1000.0 * e.total / e.count);
        out += piece;
        e.total = 0;
        e.count = 0;
    }
    return out;
}

} // namespace ui

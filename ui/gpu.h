#pragma once
// The GPU layer: pictures that are costly to draw with cairo are painted once
// into textures, cached under a key and a pixel size, and blitted by the
// renderer every frame beneath the cairo overlay. Cached textures hold
// premultiplied alpha. Coordinates and sizes are logical units, turned into
// pixels by the layer's scale; alpha arguments are held in 0..1.
//
// Screens and effects draw on it through ui/beneath.h, which says what lies
// where; this header is the layer itself: the texture cache, the blits and
// the frame's recording. It also counts the frame's draw calls and keeps a
// small named-section profiler (on when VELMORANDINE_STATS is set).
#include <SDL.h>
#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// Paints a texture's picture in logical units; user is passed through.
using GpuPainter = void (*)(cairo_t* cr, void* user);
using GpuDrawer = void (*)(void* user);

// Empties the cache, takes the renderer and picks the blend mode of cached
// textures (premultiplied, or plain blending where the renderer lacks it).
void gpuInit(SDL_Renderer* renderer);
// Destroys every cached texture and forgets the renderer.
void gpuShutdown();
SDL_Renderer* gpuRenderer();
// Starts a frame: resets the draw-call count, advances the frame counter.
void gpuBeginFrame();
// With recording on (the window's loop), the frame's draws are kept instead
// of sent to the renderer, so a frame that draws what the last one showed
// need not be drawn again; draws into render targets still go out at once.
void gpuRecordFrames(bool on);
// Whether this frame's recorded draws would show other pixels than the last
// frame drawn: other calls, or a texture made, redrawn or destroyed since.
bool gpuFrameDiffers();
// Sends the recorded draws to the renderer and remembers them as shown.
void gpuDrawFrame();
// Remembers the recorded draws as shown without sending them (the picture on
// screen already is theirs).
void gpuFrameShown();
int gpuDrawCalls();
// Logical-to-pixel factor; s <= 0 means 1.
void gpuSetScale(double s);
double gpuScale();

// The texture of key if it is cached at exactly w by h pixels, else null.
// Never paints or evicts.
SDL_Texture* gpuCached(std::string_view key, int w, int h);
// The texture of key at w by h pixels, painted by painter when missing or
// cached at another size. Null without a renderer, for a size below 1 or when
// the texture cannot be made.
SDL_Texture* gpuTexture(std::string_view key, int w, int h, GpuPainter painter, void* user);
// As gpuTexture, uploaded from premultiplied ARGB pixels (w * 4 bytes a row);
// crisp scales with nearest-neighbour sampling.
SDL_Texture* gpuTextureRgba(std::string_view key, int w, int h, const uint32_t* pixels, bool crisp);
// A picture that stays the same from frame to frame (beneath::still):
// painted once into a texture kept under key (and the position's fraction of
// a pixel), then blitted each frame with its top-left corner at (x, y), w by
// h units, with alpha. The painter draws in
// units with the picture's top-left corner at the origin; the texture is
// aligned to the pixel grid and the picture painted at the position's
// fraction, so it lands on the same pixels as drawn directly with cairo.
// The key must name everything the painter draws (size included). Like all
// GPU drawing it lies beneath the whole overlay.
void gpuPicture(std::string_view key, double x, double y, double w, double h, GpuPainter painter, void* user,
                double alpha = 1.0);
// A cached render-target texture, drawn by draw when made or when redraw is set.
SDL_Texture* gpuRenderTarget(std::string_view key, int w, int h, GpuDrawer draw, void* user, bool redraw);
void gpuDrop(std::string_view key);
// Drops every entry whose key begins with prefix.
void gpuDropPrefix(std::string_view prefix);
// Drops every entry last used before the given frame (as gpuFrame counts).
void gpuDropUnusedSince(int64_t frame);
// The frame counter gpuBeginFrame advances.
int64_t gpuFrame();
// How many textures the cache holds, and their pixels' bytes (4 a pixel).
// The cache keeps at most 900 textures and 32 MB of pixels, dropping the
// least recently used first but never one used in the current frame.
std::size_t gpuCacheSize();
std::size_t gpuCacheBytes();

void gpuSetClip(double x, double y, double w, double h);
void gpuClearClip();
void gpuFillRect(double x, double y, double w, double h, uint32_t color, double alpha = 1.0);
void gpuStrokeRect(double x, double y, double w, double h, uint32_t color, double alpha = 1.0);

// Blits copy the whole texture; each is one draw call, and a null texture
// draws nothing. Angles are degrees, clockwise.
void gpuBlit(SDL_Texture* tex, double x, double y, double w, double h, double alpha = 1.0);
void gpuBlitTinted(SDL_Texture* tex, double x, double y, double w, double h, uint32_t tint, double alpha = 1.0);
void gpuBlitAdditive(SDL_Texture* tex, double x, double y, double w, double h, uint32_t tint, double alpha = 1.0);
// Centred on (cx, cy), rotated about its centre.
void gpuBlitRotated(SDL_Texture* tex, double cx, double cy, double w, double h, double angle, double alpha = 1.0);
// As gpuBlitRotated, flipped horizontally when mirror.
void gpuBlitMirrored(SDL_Texture* tex, double cx, double cy, double w, double h, double angle, bool mirror,
                     double alpha = 1.0);
// Many copies of one texture in one draw call: each the whole texture drawn
// w by h units centred on (cx, cy), flipped as asked, at fractions of a
// pixel, all tinted alike and faded by alpha times their own fade (as
// gpuBlitTinted).
struct GpuQuad {
    double cx, cy, w, h;
    bool flipX = false, flipY = false;
    double fade = 1.0;
};
void gpuBlitQuads(SDL_Texture* tex, const GpuQuad* quads, int n, uint32_t tint, double alpha = 1.0);
// Top-left at (x, y), rotated about the pivot given relative to that corner.
void gpuBlitPivot(SDL_Texture* tex, double x, double y, double w, double h, double pivotX, double pivotY, double angle,
                  bool mirror, double alpha = 1.0);

// Named-section timing; no effect unless profiling is on.
void profBegin(const char* name);
void profEnd(const char* name);
// " name mean-ms" for each section timed since the last report, in name
// order; resets those sections. Empty when profiling is off.
std::string profReport();

} // namespace ui

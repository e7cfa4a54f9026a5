// The least a program does to show the game's first frame, the yardstick of
// first_frame_bench: the video system, a window made as the game makes it,
// the renderer the game would take, one full-window streaming texture
// uploaded and laid over the cleared renderer, presented. Then it waits
// until it is asked to end.
//
// Usage: first_frame_bare [--size WxH]   (1280x720 when none is given)
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    int w = 1280, h = 720;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--size") == 0 && std::sscanf(argv[i + 1], "%dx%d", &w, &h) != 2) return 2;
    }
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    SDL_Window* window = SDL_CreateWindow("first frame", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                          flags | SDL_WINDOW_OPENGL);
    if (!window) window = SDL_CreateWindow("first frame", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (!window) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_Renderer* renderer = nullptr;
    const Uint32 attempts[] = {SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_ACCELERATED,
                               SDL_RENDERER_SOFTWARE};
    for (Uint32 f : attempts) {
        if ((renderer = SDL_CreateRenderer(window, -1, f))) break;
    }
    if (!renderer) {
        std::fprintf(stderr, "SDL_CreateRenderer: %s\n", SDL_GetError());
        return 1;
    }
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, outW, outH);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(outW) * static_cast<std::size_t>(outH),
                                            0x80402010u);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), outW * 4);
    SDL_SetRenderDrawColor(renderer, 27, 20, 16, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);

    SDL_Event e;
    while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

#pragma once
// The key codes screens look for in Input::keys: SDL's key codes, named once
// so that no screen re-types them (ui/app.cpp checks them against SDL).

namespace ui::key {

inline constexpr int kReturn = 13;  // SDLK_RETURN
inline constexpr int kEscape = 27;  // SDLK_ESCAPE

}  // namespace ui::key

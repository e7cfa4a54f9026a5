#pragma once
// The reward screen's level-up celebration and its growing experience bars.
#include <cstdint>
#include <string_view>

#include "ui/app.h"
#include "ui/rect.h"

namespace ui {

// Rays, a ring, sparks, sparkles and a banner with text at the screen centre;
// t is the seconds since the reward screen began. Nothing before 0.95 s; the
// banner is gone 2.07 s later and the last sparkle fades out soon after.
void drawLevelUpFx(Ctx& ctx, std::string_view text, double t);

// An experience bar in r that fills from `from` to `to` (fractions) with a
// cubic ease-out over 1.1 s after start and shimmers for its first 2 s; until
// start it shows `from`. now and start are seconds on the caller's clock.
void drawXpGainBar(Ctx& ctx, const Rect& r, double from, double to, uint32_t color, double now, double start);

} // namespace ui

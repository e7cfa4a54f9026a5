#pragma once
// The licences page: every component the game uses or ships, in one
// scrolling list, each with its web address as a link. Its files:
// licenses.cpp (the frame and the entries) and licenses_list.h (the list).
#include <optional>

#include "screens/licenses_list.h"
#include "ui/app.h"

namespace ui {

class LicensesScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // Entry i with its top at y; true when its address took the frame's click.
    static bool drawEntry(Ctx& ctx, const Rect& view, int i, double y);
    static void drawNote(Ctx& ctx, double y);

    double scroll_ = 0;
};

} // namespace ui

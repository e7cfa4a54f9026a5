#include "screens/common.h"

#include <SDL.h>

#include <algorithm>

#include "platform/storage.h"
#include "rules/items.h"
#include "rules/runes.h"
#include "ui/gpu.h"
#include "ui/widgets.h"

namespace ui {

void settleNode(const std::string& nodeId) {
    rpg::RunState& run = store::run();
    run.pos = nodeId;
    if (std::find(run.cleared.begin(), run.cleared.end(), nodeId) == run.cleared.end()) {
        run.cleared.push_back(nodeId);
    }
    store::saveRun();
}

rpg::Stats battleMaxima(const rpg::Hero& hero) {
    return rpg::deriveStats(hero, rpg::equipBonus(hero.equipment), rpg::runeBonus(store::meta().runeCircle));
}

double pageHeader(Ctx& ctx, const std::string& title, bool* leave) {
    gpuFillRect(0, 0, ctx.width, ctx.height, kScreenFill, 1.0);
    bool back = false;
    const double top = screenHeader(ctx, title, &back);
    *leave = back || ctx.input.hasKey(27);
    return top;
}

namespace {

LinkOpener& linkOpener() {
    static LinkOpener opener = &SDL_OpenURL;
    return opener;
}

// Web addresses carry "://"; mail links are the one kind without it. A bare
// "host:port" therefore still counts as scheme-less.
bool hasScheme(const std::string& address) {
    return address.find("://") != std::string::npos || address.starts_with("mailto:");
}

} // namespace

std::string linkUrl(const std::string& address) { return hasScheme(address) ? address : "https://" + address; }

void openLink(const std::string& address) {
    if (address.empty()) return;
    linkOpener()(linkUrl(address).c_str());
}

void setLinkOpener(LinkOpener opener) { linkOpener() = opener ? opener : &SDL_OpenURL; }

} // namespace ui

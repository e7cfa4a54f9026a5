// "settings.dat": the player's preferences as one JSON object.
#include "platform/storage_detail.h"

namespace store::detail {
namespace {

// Volumes are kept in 0..1 on the way in; what the game sets is written as
// it stands.
double volumeFrom(const js::Value& v, double def) {
    if (v.type != js::Type::Number) return def;
    const double x = numberOr(v, def);
    return x < 0 ? 0 : (x < 1 ? x : 1);
}

bool boolOr(const js::Value& v, bool def) { return v.type == js::Type::Bool ? v.b : def; }

} // namespace

js::Value settingsToJson(const Settings& s) {
    js::Value o = object();
    o.obj["language"] = text(s.language);
    o.obj["soundOn"] = flag(s.soundOn);
    o.obj["musicVolume"] = number(s.musicVolume, 0.1);
    o.obj["sfxVolume"] = number(s.sfxVolume, 0.25);
    o.obj["difficulty"] = text(rpg::difficultyId(s.difficulty));
    o.obj["windowW"] = number(s.windowW);
    o.obj["windowH"] = number(s.windowH);
    o.obj["windowX"] = number(s.windowX);
    o.obj["windowY"] = number(s.windowY);
    o.obj["maximized"] = flag(s.maximized);
    o.obj["fullscreen"] = flag(s.fullscreen);
    return o;
}

void settingsFromJson(const js::Value& o, Settings* s) {
    s->language = o["language"].str;
    if (o.has("soundOn")) s->soundOn = boolOr(o["soundOn"], true);
    if (o.has("musicVolume")) s->musicVolume = volumeFrom(o["musicVolume"], 0.1);
    if (o.has("sfxVolume")) s->sfxVolume = volumeFrom(o["sfxVolume"], 0.25);
    rpg::difficultyFromId(o["difficulty"].str, &s->difficulty);  // an unknown id keeps the current one
    s->windowW = o["windowW"].asInt(0);
    s->windowH = o["windowH"].asInt(0);
    s->windowX = o["windowX"].asInt(-1);
    s->windowY = o["windowY"].asInt(-1);
    s->maximized = boolOr(o["maximized"], false);
    s->fullscreen = boolOr(o["fullscreen"], false);
}

} // namespace store::detail

// "run.dat": the run in progress. Unlike the other two files it is all or
// nothing: a run with a broken map or no party is not played on.
#include <algorithm>
#include <cmath>

#include "platform/storage_detail.h"
#include "rules/run.h"

namespace store::detail {
namespace {

// The low 32 bits of the number truncated toward zero, for any finite
// number; fmod is exact, so no out-of-range conversion is ever made.
std::uint32_t seedFrom(const js::Value& v) {
    constexpr double kTwo32 = 4294967296.0;
    double r = std::fmod(std::trunc(numberOr(v, 0)), kTwo32);
    if (r < 0) r += kTwo32;
    return static_cast<std::uint32_t>(r);
}

js::Value nodeToJson(const rpg::MapNode& n) {
    js::Value o = object();
    o.obj["id"] = text(n.id);
    o.obj["type"] = text(rpg::nodeTypeId(n.type));
    o.obj["row"] = number(n.row);
    o.obj["col"] = number(n.col);
    return o;
}

js::Value mapToJson(const rpg::GameMap& map) {
    js::Value o = object();
    o.obj["rows"] = number(map.rows);
    o.obj["startId"] = text(map.startId);
    js::Value nodes = array();
    nodes.arr.reserve(map.nodes.size());
    for (const rpg::MapNode& n : map.nodes) nodes.arr.push_back(nodeToJson(n));
    o.obj["nodes"] = std::move(nodes);
    return o;
}

bool mapFromJson(const js::Value& o, rpg::GameMap* out) {
    if (o.type != js::Type::Object || o["nodes"].type != js::Type::Array) return false;
    rpg::GameMap map;
    // Every row is drawn and walked each frame: a map longer than any the
    // game makes is held to that length (nodes beyond it are never offered).
    map.rows = std::min(o["rows"].asInt(0), rpg::kRunRows);
    map.startId = o["startId"].str;
    if (map.startId.empty()) map.startId = "start";
    for (const js::Value& e : o["nodes"].arr) {
        rpg::MapNode n;
        n.id = e["id"].str;
        if (!rpg::nodeTypeFromId(e["type"].str, &n.type)) return false;
        n.row = e["row"].asInt(0);
        n.col = e["col"].asInt(0);
        map.nodes.push_back(std::move(n));
    }
    if (map.rows <= 0 || map.nodes.empty()) return false;
    *out = std::move(map);
    return true;
}

js::Value memberToJson(const rpg::PartyMember& p) {
    js::Value o = object();
    o.obj["heroId"] = text(p.heroId);
    o.obj["hp"] = number(p.hp);
    o.obj["mp"] = number(p.mp);
    return o;
}

} // namespace

rpg::RunState emptyRun() {
    rpg::RunState run;
    run.map.startId = "start";
    return run;
}

js::Value runToJson(const rpg::RunState& run) {
    js::Value o = object();
    o.obj["seed"] = number(run.seed);
    o.obj["gold"] = number(run.gold);
    o.obj["pos"] = text(run.pos);
    o.obj["depth"] = number(run.depth);
    o.obj["map"] = mapToJson(run.map);
    js::Value party = array();
    for (const rpg::PartyMember& p : run.party) party.arr.push_back(memberToJson(p));
    o.obj["party"] = std::move(party);
    o.obj["inventory"] = itemsToJson(run.inventory);
    js::Value cleared = array();
    for (const std::string& id : run.cleared) cleared.arr.push_back(text(id));
    o.obj["cleared"] = std::move(cleared);
    return o;
}

bool runFromJson(const js::Value& o, rpg::RunState* out) {
    rpg::RunState run = emptyRun();
    if (!mapFromJson(o["map"], &run.map)) return false;
    run.seed = seedFrom(o["seed"]);
    run.gold = std::max(0.0, numberOr(o["gold"], 0));
    run.pos = o["pos"].str;
    if (run.pos.empty()) run.pos = run.map.startId;
    run.depth = std::clamp(o["depth"].asInt(0), 0, rpg::kMaxDepth);
    for (const js::Value& e : o["party"].arr) {
        run.party.push_back(rpg::PartyMember{e["heroId"].str, numberOr(e["hp"], 0), numberOr(e["mp"], 0)});
    }
    itemsFromJson(o["inventory"], &run.inventory);
    for (const js::Value& e : o["cleared"].arr) run.cleared.push_back(e.str);
    if (run.cleared.empty()) run.cleared.push_back(run.map.startId);
    if (run.party.empty()) return false;
    run.active = true;
    *out = std::move(run);
    return true;
}

} // namespace store::detail

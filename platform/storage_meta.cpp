// "saves.dat": the lasting progress, and the item form the run file shares.
// Readers never fail: a member of the wrong kind takes its default and an
// entry the catalogues do not know is dropped.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_set>

#include "platform/storage_detail.h"
#include "rules/leveling.h"
#include "rules/run.h"

namespace store::detail {
namespace {

constexpr rpg::StatId kAllStats[] = {rpg::MaxHp, rpg::MaxMp, rpg::Atk, rpg::Def,
                                     rpg::Mag,   rpg::Res,   rpg::Spd, rpg::Crit};

const char* affixKindKey(std::uint8_t kind) {
    if (kind == 0) return "manaRegen";
    if (kind == 1) return "hpRegen";
    return "resist";
}

js::Value affixToJson(const rpg::ItemAffix& a) {
    js::Value o = object();
    o.obj["kind"] = text(affixKindKey(a.kind));
    o.obj["value"] = number(a.value);
    if (a.kind >= 2) o.obj["status"] = number(static_cast<int>(a.status));
    return o;
}

rpg::ItemAffix affixFromJson(const js::Value& o) {
    rpg::ItemAffix a;
    const std::string& kind = o["kind"].str;
    a.kind = kind == "manaRegen" ? 0 : kind == "hpRegen" ? 1 : 2;
    a.value = numberOr(o["value"], 0);
    const int status = o["status"].asInt(0);
    a.status = static_cast<rpg::StatusKind>(status >= 0 && status < rpg::kStatusCount ? status : 0);
    return a;
}

js::Value runeToJson(const rpg::Runestone& r) {
    js::Value o = object();
    o.obj["uid"] = text(r.uid);
    o.obj["attr"] = text(rpg::statSaveKey(r.stat));
    o.obj["value"] = number(r.value);
    return o;
}

js::Value runeCircleToJson(const rpg::RuneCircle& c) {
    js::Value o = object();
    for (int i = 0; i < rpg::kStatCount; ++i) {
        if (c.filled[i]) o.obj[rpg::statSaveKey(rpg::kRuneAttrs[i])] = runeToJson(c.stones[i]);
    }
    return o;
}

void runeInventoryFromJson(const js::Value& list, std::vector<rpg::Runestone>* out) {
    for (const js::Value& e : list.arr) {
        rpg::Runestone r;
        if (!rpg::statFromSaveKey(e["attr"].str, &r.stat)) continue;
        r.uid = e["uid"].str;
        r.value = numberOr(e["value"], 0);
        out->push_back(std::move(r));
    }
}

// The socket follows the member's key; the stone's own "attr" is not read.
void runeCircleFromJson(const js::Value& o, rpg::RuneCircle* c) {
    for (const auto& [key, member] : o.obj) {
        rpg::StatId stat;
        if (!rpg::statFromSaveKey(key, &stat)) continue;
        const int slot = rpg::runeSlot(stat);
        c->filled[slot] = true;
        c->stones[slot] = rpg::Runestone{member["uid"].str, stat, numberOr(member["value"], 0)};
    }
}

js::Value equipmentToJson(const rpg::Equipment& eq) {
    js::Value o = object();
    for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
        const auto slot = static_cast<rpg::EquipSlot>(i);
        if (!eq[slot].defId.empty()) o.obj[rpg::equipSlotKey(slot)] = itemToJson(eq[slot]);
    }
    return o;
}

void equipmentFromJson(const js::Value& o, rpg::Equipment* eq) {
    for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
        const auto slot = static_cast<rpg::EquipSlot>(i);
        const js::Value& member = o[rpg::equipSlotKey(slot)];
        if (member.type != js::Type::Object) continue;
        rpg::ItemInstance it = itemFromJson(member);
        if (!it.defId.empty()) (*eq)[slot] = std::move(it);
    }
}

js::Value heroToJson(const rpg::Hero& h) {
    js::Value o = object();
    o.obj["id"] = text(h.id);
    o.obj["classId"] = text(rpg::classIdString(h.cls));
    o.obj["name"] = text(h.name);
    o.obj["level"] = number(h.level, 1);
    o.obj["xp"] = number(h.xp);
    o.obj["points"] = number(h.points);
    o.obj["row"] = text(h.row == 1 ? "back" : "front");
    o.obj["alloc"] = statsToJson(h.alloc);
    o.obj["statMod"] = statsToJson(h.statMod);
    o.obj["equipment"] = equipmentToJson(h.equipment);
    o.obj["bag"] = itemsToJson(h.bag);
    js::Value skills = object();
    for (const auto& [id, level] : h.skillLevels) skills.obj[id] = number(level);
    o.obj["skillLevels"] = std::move(skills);
    return o;
}

// The class decides first: a hero of no known class is dropped whole. A
// missing name draws from the name pool, so nameless heroes are named in
// file order.
bool heroFromJson(const js::Value& o, rpg::Hero* out) {
    if (o.type != js::Type::Object) return false;
    rpg::Hero h;
    h.cls = rpg::classFromId(o["classId"].str);
    if (h.cls == rpg::ClassId::None) return false;
    h.id = o["id"].str;
    h.name = o["name"].str;
    if (h.name.empty()) h.name = rpg::randomHeroName();
    h.level = std::clamp(o["level"].asInt(1), 1, rpg::kMaxHeroLevel);
    h.xp = numberOr(o["xp"], 0);
    h.points = std::clamp(o["points"].asInt(0), 0, rpg::kMaxUnspentPoints);
    h.row = o["row"].str == "back" ? 1 : 0;
    h.alloc = statsFromJson(o["alloc"]);
    h.statMod = statsFromJson(o["statMod"]);
    equipmentFromJson(o["equipment"], &h.equipment);
    itemsFromJson(o["bag"], &h.bag);
    for (const auto& [id, level] : o["skillLevels"].obj) {
        const rpg::SkillDef* skill = rpg::findSkill(id);
        h.skillLevels[id] = std::clamp(level.asInt(0), 0, skill ? rpg::maxSkillLevel(*skill) : rpg::kMaxSkillLevel);
    }
    *out = std::move(h);
    return true;
}

} // namespace

js::Value statsToJson(const rpg::Stats& s) {
    js::Value o = object();
    for (rpg::StatId id : kAllStats) {
        const double v = rpg::statValue(s, id);
        if (v != 0 && std::isfinite(v)) o.obj[rpg::statSaveKey(id)] = number(v);
    }
    return o;
}

rpg::Stats statsFromJson(const js::Value& v) {
    rpg::Stats s;
    for (const auto& [key, member] : v.obj) {
        rpg::StatId id;
        if (rpg::statFromSaveKey(key, &id)) rpg::addStat(&s, id, numberOr(member, 0));
    }
    return s;
}

js::Value itemToJson(const rpg::ItemInstance& item) {
    js::Value o = object();
    o.obj["uid"] = text(item.uid);
    o.obj["defId"] = text(item.defId);
    if (item.ilvl > 0) o.obj["ilvl"] = number(item.ilvl);
    if (item.rolled) {
        o.obj["roll"] = statsToJson(item.roll);
        js::Value keys = array();
        for (rpg::StatId k : item.rollKeys) keys.arr.push_back(text(rpg::statSaveKey(k)));
        o.obj["rollKeys"] = std::move(keys);
    }
    if (!item.affixes.empty()) {
        js::Value list = array();
        for (const rpg::ItemAffix& a : item.affixes) list.arr.push_back(affixToJson(a));
        o.obj["affixes"] = std::move(list);
    }
    return o;
}

rpg::ItemInstance itemFromJson(const js::Value& v) {
    if (v.type != js::Type::Object || !rpg::findItem(v["defId"].str)) return {};
    rpg::ItemInstance it;
    it.uid = v["uid"].str;
    it.defId = v["defId"].str;
    // Below 1 means the rarity's base level, which the file writes as no level at all.
    it.ilvl = std::clamp(v["ilvl"].asInt(0), 0, rpg::kMaxItemLevel);
    if (v.has("roll")) {
        it.rolled = true;
        it.roll = statsFromJson(v["roll"]);
        for (const js::Value& k : v["rollKeys"].arr) {
            rpg::StatId id;
            if (rpg::statFromSaveKey(k.str, &id)) it.rollKeys.push_back(id);
        }
    }
    for (const js::Value& a : v["affixes"].arr) it.affixes.push_back(affixFromJson(a));
    return it;
}

js::Value itemsToJson(const std::vector<rpg::ItemInstance>& items) {
    js::Value a = array();
    a.arr.reserve(items.size());
    for (const rpg::ItemInstance& it : items) a.arr.push_back(itemToJson(it));
    return a;
}

void itemsFromJson(const js::Value& list, std::vector<rpg::ItemInstance>* out) {
    for (const js::Value& e : list.arr) {
        rpg::ItemInstance it = itemFromJson(e);
        if (!it.defId.empty()) out->push_back(std::move(it));
    }
}

js::Value metaToJson(const Meta& m) {
    js::Value o = object();
    o.obj["saveVersion"] = number(m.saveVersion, 1);
    o.obj["initialized"] = flag(m.initialized);
    o.obj["gold"] = number(m.gold);
    o.obj["bestDepth"] = number(m.bestDepth);
    o.obj["ascension"] = number(m.ascension);
    js::Value roster = array();
    roster.arr.reserve(m.roster.size());
    for (const rpg::Hero& h : m.roster) roster.arr.push_back(heroToJson(h));
    o.obj["roster"] = std::move(roster);
    js::Value party = array();
    for (const std::string& id : m.partyIds) party.arr.push_back(text(id));
    o.obj["partyIds"] = std::move(party);
    o.obj["stash"] = itemsToJson(m.stash);
    js::Value runes = array();
    for (const rpg::Runestone& r : m.runeInventory) runes.arr.push_back(runeToJson(r));
    o.obj["runeInventory"] = std::move(runes);
    o.obj["runeCircle"] = runeCircleToJson(m.runeCircle);
    return o;
}

void metaFromJson(const js::Value& o, Meta* m) {
    m->initialized = o["initialized"].type == js::Type::Bool && o["initialized"].b;
    m->gold = std::max(0.0, numberOr(o["gold"], 0));
    // Counts are held to what the game can make: the screens do arithmetic
    // on them (the next world, a chest's depth) that must not overflow.
    m->bestDepth = std::clamp(o["bestDepth"].asInt(0), 0, rpg::kMaxDepth);
    m->ascension = std::clamp(o["ascension"].asInt(0), 0, rpg::kMaxAscension);
    for (const js::Value& e : o["roster"].arr) {
        rpg::Hero h;
        if (heroFromJson(e, &h)) m->roster.push_back(std::move(h));
    }
    // A party id whose hero was dropped goes with it, and so does a repeat:
    // one hero fights once. Past the cap the heroes stay in the roster but
    // not in the party. Linear, whatever a file holds.
    std::unordered_set<std::string_view> heroes;
    for (const rpg::Hero& h : m->roster) heroes.insert(h.id);
    std::unordered_set<std::string_view> taken;
    const std::size_t cap = static_cast<std::size_t>(std::max(1, rpg::partyCap(m->ascension)));
    for (const js::Value& e : o["partyIds"].arr) {
        if (m->partyIds.size() >= cap) break;
        if (heroes.count(e.str) && taken.insert(e.str).second) m->partyIds.push_back(e.str);
    }
    itemsFromJson(o["stash"], &m->stash);
    runeInventoryFromJson(o["runeInventory"], &m->runeInventory);
    runeCircleFromJson(o["runeCircle"], &m->runeCircle);
    // The format has one version; whatever the file said, it is saved as 1.
    m->saveVersion = 1;
}

} // namespace store::detail

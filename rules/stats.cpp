#include "rules/stats.h"

namespace rpg {
namespace {

struct StatRow {
    const char* saveKey;
    const char* labelKey;
};

constexpr StatRow kStatRows[kStatCount] = {
    {"maxHp", "stat.hp"}, {"maxMp", "stat.mp"}, {"atk", "stat.atk"},  {"def", "stat.def"},
    {"mag", "stat.mag"},  {"res", "stat.res"},  {"spd", "stat.spd"},  {"crit", "stat.crit"},
};

bool inRange(StatId id) { return id >= 0 && id < kStatCount; }

double* field(Stats* s, StatId id) {
    switch (id) {
    case MaxHp: return &s->maxHp;
    case MaxMp: return &s->maxMp;
    case Atk: return &s->atk;
    case Def: return &s->def;
    case Mag: return &s->mag;
    case Res: return &s->res;
    case Spd: return &s->spd;
    case Crit: return &s->crit;
    }
    return nullptr;
}

} // namespace

double statValue(const Stats& s, StatId id) {
    const double* f = field(const_cast<Stats*>(&s), id);
    return f ? *f : 0.0;
}

void addStat(Stats* s, StatId id, double x) {
    if (double* f = field(s, id)) *f += x;
}

const char* statLabelKey(StatId id) { return inRange(id) ? kStatRows[id].labelKey : ""; }

const char* statSaveKey(StatId id) { return inRange(id) ? kStatRows[id].saveKey : ""; }

bool statFromSaveKey(std::string_view key, StatId* out) {
    for (int i = 0; i < kStatCount; ++i) {
        if (key == kStatRows[i].saveKey) {
            *out = static_cast<StatId>(i);
            return true;
        }
    }
    return false;
}

double allocStep(StatId id) {
    if (id == MaxHp) return 8;
    if (id == MaxMp) return 5;
    return 1;
}

Stats operator+(const Stats& a, const Stats& b) {
    Stats r = a;
    r += b;
    return r;
}

Stats& operator+=(Stats& a, const Stats& b) {
    a.maxHp += b.maxHp;
    a.maxMp += b.maxMp;
    a.atk += b.atk;
    a.def += b.def;
    a.mag += b.mag;
    a.res += b.res;
    a.spd += b.spd;
    a.crit += b.crit;
    return a;
}

} // namespace rpg

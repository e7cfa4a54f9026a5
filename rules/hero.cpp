#include "rules/hero.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "rules/leveling.h"
#include "rules/rng.h"
#include "rules/skills.h"

namespace rpg {
namespace {

constexpr const char* kNames[] = {
    "Borin", "Kaela", "Dren",  "Mira",  "Holt", "Sera",  "Garr",  "Lyra",  "Tovi",  "Esca",
    "Bram",  "Niko",  "Vesa",  "Roan",  "Yara", "Doran", "Pell",  "Isa",   "Korr",  "Wren",
    "Fenn",  "Alia",  "Brak",  "Suri",  "Odo",  "Tace",  "Vale",  "Juno",  "Marn",  "Cael",
    "Riska", "Hew",   "Onyx",  "Petra", "Skarn", "Liora", "Davos", "Nyx",  "Quill", "Tamsin",
};
constexpr int kNameCount = static_cast<int>(std::size(kNames));

constexpr const char* kSlotKeys[kEquipSlotCount] = {"mainHand", "offHand", "helm",  "armor", "belt",
                                                    "boots",    "ring1",   "ring2", "amulet"};

struct Counters {
    // 64 bits so that an id read from disk near 2^32 cannot wrap the counter
    // back onto small, already used numbers.
    std::uint64_t hero = 0;
    std::uint32_t name = 0;
};

Counters& counters() {
    static Counters c;
    return c;
}

// Level growth is a multiple of a tenth; a product such as 0.7 * 170 lands a
// hair below the whole number in binary and must not floor one lower.
double flooredGrowth(double base, double growth, std::int32_t level) {
    const double v = base + growth * std::max(0, level - 1);
    return std::floor(v + 1e-12 * std::max(1.0, std::abs(v)));
}

void giveStartingGear(Hero* hero, const ClassDef& def) {
    MakeItemOpts opts;
    opts.level = hero->level;
    opts.levelGiven = true;
    if (def.startWeapon) hero->equipment[EquipSlot::MainHand] = makeItem(def.startWeapon, opts, &looseRng());
    if (def.startOffhand) hero->equipment[EquipSlot::OffHand] = makeItem(def.startOffhand, opts, &looseRng());
}

Stats rollStatMod(const ClassDef& def) {
    Stats mod;
    for (int i = 0; i < kStatCount; ++i) {
        const auto stat = static_cast<StatId>(i);
        const double v = statValue(def.base, stat);
        if (v == 0) continue;
        const double d = std::round(v * (0.24 * looseRng().uniform() - 0.12));
        if (d != 0) addStat(&mod, stat, d);
    }
    return mod;
}

bool isClassSkill(ClassId cls, std::string_view id) {
    for (std::uint16_t i : classDef(cls).skills)
        if (id == skills()[i].id) return true;
    return false;
}

} // namespace

Hero makeHero(ClassId cls, std::string_view id, std::int32_t level) {
    const ClassDef& def = classDef(cls);
    Hero hero;
    hero.level = std::clamp(level, 1, kMaxHeroLevel);
    hero.id = id.empty() ? std::string(def.id) + "-" + std::to_string(++counters().hero) : std::string(id);
    hero.cls = cls;
    hero.name = randomHeroName();
    giveStartingGear(&hero, def);
    hero.points = kPointsPerLevel * (hero.level - 1);
    hero.statMod = rollStatMod(def);
    hero.row = defaultRow(cls) ? 1 : 0;
    return hero;
}

std::string randomHeroName() {
    Rng& rng = looseRng();
    std::string name = kNames[rng.index(kNameCount)];
    const std::uint32_t n = ++counters().name;
    if (rng.uniform() < 0.18) name += " " + std::to_string(n % 9 + 1);
    return name;
}

bool defaultRow(ClassId cls) {
    return cls == ClassId::Mage || cls == ClassId::Cleric || cls == ClassId::Druide || cls == ClassId::Archer;
}

std::int32_t partyCap(double ascension) {
    return static_cast<std::int32_t>(std::min(6.0, std::floor(ascension / 2) + 3));
}

std::int32_t skillLevel(const Hero& hero, std::string_view skillId) {
    auto it = hero.skillLevels.find(skillId);
    if (it != hero.skillLevels.end() && it->second > 0) return it->second;
    const SkillDef* s = findSkill(skillId);
    if (!s || s->purchaseOnly || static_cast<std::int64_t>(hero.level) < s->reqLevel) return 0;
    return isClassSkill(hero.cls, skillId) ? 1 : 0;
}

Stats deriveStats(const Hero& hero, const Stats& a, const Stats& b) {
    const ClassDef& def = classDef(hero.cls);
    Stats out;
    for (int i = 0; i < kStatCount; ++i) {
        const auto s = static_cast<StatId>(i);
        const double grown = flooredGrowth(statValue(def.base, s), statValue(def.growth, s), hero.level);
        addStat(&out, s, grown + statValue(hero.statMod, s) + statValue(hero.alloc, s) + statValue(a, s) +
                             statValue(b, s));
    }
    return out;
}

Stats deriveStats(const Hero& hero) { return deriveStats(hero, equipBonus(hero.equipment), Stats{}); }

std::int32_t gainXp(Hero* hero, double amount) {
    hero->xp += std::max(0.0, std::floor(amount));
    std::int32_t gained = 0;
    while (hero->level < kMaxHeroLevel && hero->xp >= xpToNext(hero->level)) {
        hero->xp -= xpToNext(hero->level);
        ++hero->level;
        ++gained;
    }
    if (hero->level >= kMaxHeroLevel) hero->xp = 0;
    hero->points = std::min(hero->points + kPointsPerLevel * gained, kMaxUnspentPoints);
    return gained;
}

double levelProgress(const Hero& hero) {
    if (hero.level >= kMaxHeroLevel) return 0;
    return std::min(1.0, hero.xp / xpToNext(hero.level));
}

Hero* pickBagRecipient(std::span<Hero* const> heroes) {
    Hero* best = nullptr;
    for (Hero* h : heroes)
        if (h && (!best || h->bag.size() < best->bag.size())) best = h;
    return best;
}

Hero* pickBagRecipient(std::span<Hero> heroes) {
    Hero* best = nullptr;
    for (Hero& h : heroes)
        if (!best || h.bag.size() < best->bag.size()) best = &h;
    return best;
}

std::vector<std::string> unlockedSkills(const Hero& hero) {
    std::vector<std::string> out;
    for (std::uint16_t i : classDef(hero.cls).skills) {
        const SkillDef& s = skills()[i];
        if (!s.purchaseOnly && static_cast<std::int64_t>(hero.level) >= s.reqLevel) out.emplace_back(s.id);
    }
    for (const auto& [id, level] : hero.skillLevels)
        if (level >= 1 && std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
    return out;
}

const char* equipSlotKey(EquipSlot slot) {
    const auto i = static_cast<std::size_t>(slot);
    return i < std::size(kSlotKeys) ? kSlotKeys[i] : "";
}

bool equipSlotFromKey(std::string_view key, EquipSlot* out) {
    for (int i = 0; i < kEquipSlotCount; ++i) {
        if (key == kSlotKeys[i]) {
            *out = static_cast<EquipSlot>(i);
            return true;
        }
    }
    return false;
}

bool slotFor(const ItemDef& item, EquipSlot* out) {
    switch (item.slot) {
    case ItemSlot::Weapon: *out = EquipSlot::MainHand; return true;
    case ItemSlot::Shield: *out = EquipSlot::OffHand; return true;
    case ItemSlot::Helm: *out = EquipSlot::Helm; return true;
    case ItemSlot::Armor: *out = EquipSlot::Armor; return true;
    case ItemSlot::Belt: *out = EquipSlot::Belt; return true;
    case ItemSlot::Boots: *out = EquipSlot::Boots; return true;
    case ItemSlot::Ring: *out = EquipSlot::Ring1; return true;
    case ItemSlot::Amulet: *out = EquipSlot::Amulet; return true;
    default: return false;
    }
}

std::int32_t potionTierFor(std::int32_t level) {
    if (level <= 1) return 1;
    const std::int32_t tier = level / 10 * 10;
    return tier == 0 ? 1 : tier;
}

void reserveMadeId(std::string_view id) {
    reserveItemUid(id);
    for (const ClassDef& def : classes()) {
        const std::string_view cls = def.id;
        if (id.size() <= cls.size() + 1 || !id.starts_with(cls) || id[cls.size()] != '-') continue;
        const std::string_view digits = id.substr(cls.size() + 1);
        std::uint64_t n = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (ec != std::errc{} || end != digits.data() + digits.size()) return;
        // The counter's last value could only wrap; no made id ever gets there.
        if (n == std::numeric_limits<std::uint64_t>::max()) return;
        counters().hero = std::max(counters().hero, n);
        return;
    }
}

void reserveMadeIds(std::span<const std::string> ids) {
    for (const std::string& id : ids) reserveMadeId(id);
}

void resetMadeIdCounters() {
    counters() = Counters{};
    resetItemUidCounter();
}

} // namespace rpg

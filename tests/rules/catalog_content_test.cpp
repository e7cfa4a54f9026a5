#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "rules/classes.h"
#include "rules/items.h"
#include "rules/monsters.h"
#include "rules/skills.h"

// The content rules that the catalogues must keep whatever the numbers are
// tuned to: ids and their order, the fixed rows, counts, bands and masks.

using namespace rpg;

namespace {

const std::vector<std::string> kSkillIds = {
    "attack", "defend", "cleave", "bash", "warcry", "firebolt", "frost", "inferno", "heal", "purify", "smite",
    "bless", "revive", "stab", "poisonStrike", "backstab", "flurry", "taschendiebstahl", "knockout", "meucheln",
    "thornLash", "rejuvenate", "entangle", "wildGrowth", "stormcall", "arrowShot", "volley", "pierceShot", "bite",
    "sanguineGift", "crimsonFeast", "whirlwind", "meteor", "sanctuary", "assassinate", "bloodNova", "rainOfArrows",
    "venomBite", "crush", "rend", "weaken", "hex", "drainTouch", "emberBlast", "frostNova", "shadowBolt",
    "shellHarden", "regenerate", "mendWound", "roar", "maul", "spit", "tailSweep", "dragonBreath", "soulDrain",
    "doom", "lightning", "chainLightning", "bombThrow", "cyclone", "healAlly", "mendAllies", "battleHymn", "bulwark",
    "pounce", "gore", "charge", "constrict", "screech", "web", "enrage", "petrify", "shieldBash", "groundSlam",
    "berserk", "ironBulwark", "executeStrike", "bloodthirst", "arcaneBolt", "blizzard", "iceLance", "pyroclasm",
    "voidBlast", "meteorShower", "holyMend", "holyNova", "divineShield", "blessingMight", "judgment", "sanctify",
    "eviscerate", "poisonCloud", "shadowstrike", "fanOfKnives", "cripple", "deathmark", "drainLife", "batSwarm",
    "hemorrhage", "nightShroud", "bloodFrenzy", "crimsonEmbrace", "smokeBomb", "shiv", "garrote", "pilfer", "ambush",
    "coupDeGrace", "moonfire", "hurricane", "barkskin", "naturesSwarm", "healingBloom", "wrathOfNature",
    "explosiveArrow", "snipe", "poisonArrow", "crippleShot", "multishot", "piercingVolley",
};

const std::vector<std::string> kItemIds = {
    "rustySword", "ironSword", "knightBlade", "oakStaff", "arcaneStaff", "daggerPair", "cudgel", "shepherdStaff",
    "holyMace", "greataxe", "runedBlade", "dragonfang", "worldender", "shortBow", "huntingBow", "recurveBow",
    "windforceBow", "stormpiercer", "worldpiercer", "shadowFang", "venomEdge", "nightreaver", "thousandCuts",
    "apprenticeStaff", "runewoodStaff", "archmageStaff", "staffOfCreation", "templeClub", "blessedMace",
    "radiantMaul", "dawnbreaker", "godhammer", "handAxe", "battleAxe", "warcleaver", "executioner", "worldcleaver",
    "ashScepter", "silverScepter", "rubyScepter", "astralScepter", "eclipseScepter", "infinityScepter", "ironHammer",
    "battleHammer", "templeHammer", "sanctifiedMaul", "skybreaker", "worldhammer", "longsword", "broadsword",
    "claymore", "zweihander", "soulreaver", "eternalEdge", "warAxe", "reaverAxe", "skullsplitter", "worldsplitter",
    "duelistBlade", "kingslayer", "handCrossbow", "hunterCrossbow", "steelCrossbow", "repeaterCrossbow",
    "stormRepeater", "worldRepeater", "leatherArmor", "chainmail", "plateArmor", "silkRobe", "mageRobe", "wardPlate",
    "aegis", "godscale", "ringmail", "acolyteRobe", "archmageRobe", "celestialRobe", "robeOfEternity",
    "studdedLeather", "rangerMail", "shadowweave", "dragonhide", "phoenixhide", "woodenShield", "ironShield",
    "towerShield", "bulwarkShield", "aegisShield", "godwall", "leatherCap", "ironHelm", "wizardHat", "dragonHelm",
    "crownOfKings", "clothHood", "scholarCap", "archmageHat", "crownOfStars", "halo", "studdedHood", "rangerHood",
    "shadowHood", "phoenixCrown", "ironCap", "knightHelm", "titanHelm", "godcrown", "leatherBelt", "studdedBelt",
    "titanBelt", "girdleOfMight", "girdleOfGiants", "beltOfEternity", "leatherBoots", "swiftBoots", "plateGreaves",
    "windwalkers", "clothSlippers", "silkSlippers", "mageTreads", "runestriders", "voidwalkers", "etherealSteps",
    "scoutBoots", "stormstriders", "lightstep", "ironBoots", "steelGreaves", "titanGreaves", "colossusGreaves",
    "godstride", "woodenRing", "ringFocus", "ringPower", "ringVitality", "ringArchon", "ringOfOmnipotence",
    "amuletVigor", "amuletWard", "amuletFury", "amuletEternity", "woodenCharm", "amuletInfinity", "ritualHood",
    "seersVeil", "oracleCirclet", "astralDiadem", "mindweaverCrown", "crownOfAeons", "noviceRobe", "wovenVestment",
    "starweaveRobe", "aetherMantle", "seraphRobe", "robeOfCreation", "feltShoes", "pilgrimSandals", "sigilSlippers",
    "astralTreads", "seraphSteps", "stepsOfEternity", "huntersCap", "scoutHood", "falconHelm", "nightstalkerMask",
    "viperCrown", "crownOfShadows", "paddedVest", "huntersGarb", "viperScale", "nightweave", "griffonhide",
    "shadowOfTheVoid", "hideBoots", "trackerBoots", "pantherSteps", "zephyrBoots", "talonstriders", "whisperwalk",
    "bronzeHelm", "guardHelm", "bulwarkHelm", "warlordHelm", "bastionCrown", "helmOfTheColossus", "bronzePlate",
    "scaleArmor", "bulwarkPlate", "warlordPlate", "bastionPlate", "plateOfTheColossus", "bronzeSabatons",
    "guardSabatons", "bulwarkSabatons", "warlordSabatons", "bastionSabatons", "stridesOfTheColossus", "ropeBelt",
    "chainBelt", "sashOfFocus", "girdleOfWarding", "girdleOfTitans", "beltOfInfinity", "copperBand", "ringWarding",
    "ringSwiftness", "ringOfEmbers", "ringOfEternity", "ringOfTheCosmos", "boneCharm", "amuletFocus",
    "amuletSwiftness", "amuletOfEmbers", "amuletDominion", "amuletOfTheCosmos", "buckler", "kiteShield",
    "wardShield", "dragonShield", "sanctuaryShield", "shieldOfTheCosmos", "primHelmCloth", "primArmorCloth",
    "primBootsCloth", "primBeltCloth", "primRingCloth", "primAmuletCloth", "primHelmLight", "primArmorLight",
    "primBootsLight", "primBeltLight", "primRingLight", "primAmuletLight", "primHelmHeavy", "primArmorHeavy",
    "primBootsHeavy", "primBeltHeavy", "primRingHeavy", "primAmuletHeavy", "primBlade", "primAxe", "primMace",
    "primDagger", "primStaff", "primBow", "primShield", "etHelmCloth", "etArmorCloth", "etBootsCloth", "etBeltCloth",
    "etRingCloth", "etAmuletCloth", "etHelmLight", "etArmorLight", "etBootsLight", "etBeltLight", "etRingLight",
    "etAmuletLight", "etHelmHeavy", "etArmorHeavy", "etBootsHeavy", "etBeltHeavy", "etRingHeavy", "etAmuletHeavy",
    "etBlade", "etAxe", "etMace", "etDagger", "etStaff", "etBow", "etShield", "potionHp", "greaterPotionHp",
    "superPotionHp", "potionMp", "greaterPotionMp", "superPotionMp", "antidote", "tonicAtk", "tonicDef", "elixir",
    "trompetchen",
};

const std::vector<std::string> kBases = {
    "wolf", "spider", "mushroom", "wisp", "imp", "wraith", "dragon", "golem", "bear", "serpent", "boar", "crocodile",
    "rhino", "panther", "eagle", "scorpion", "toad", "rat", "crab", "vulture", "ram", "stag", "hyena", "shark",
    "gorilla", "cobra", "lion", "tiger", "owl", "turtle", "frog", "lizard", "viper", "jackal", "mammoth", "python",
    "condor", "warthog", "beetle", "hornet", "mantis", "ant", "moth", "centipede", "dragonfly", "locust", "tick",
    "firefly", "roach", "grub", "scarab", "stagbeetle", "caterpillar", "mosquito", "termite", "weevil", "cicada",
    "snail", "earwig", "antqueen", "mantislord", "hornetqueen", "tarantula", "griffin", "unicorn", "phoenix",
    "hydra", "chimera", "pegasus", "basilisk", "minotaur", "centaur", "harpy", "sphinx", "manticore", "wyvern",
    "cerberus", "gargoyle", "troll", "fairy", "djinn", "kelpie", "fenrir", "satyr", "ent", "salamander", "kobold",
    "gnoll", "werewolf", "banshee", "mermaid", "cockatrice", "wendigo",
};

const std::set<std::string> kGreatBases = {
    "wraith", "dragon", "golem", "bear", "crocodile", "rhino", "shark", "gorilla", "lion", "tiger", "mammoth",
    "python", "antqueen", "mantislord", "hornetqueen", "tarantula", "stagbeetle", "griffin", "phoenix", "hydra",
    "basilisk", "minotaur", "sphinx", "manticore", "wyvern", "cerberus", "troll", "djinn", "fenrir", "ent",
    "werewolf", "wendigo", "chimera",
};

const std::vector<std::string> kPrefixes = {"frost", "hell",    "shadow", "venom",   "storm", "molten",
                                            "blood", "iron",    "crystal", "plague", "ancient", "void"};

struct Named { const char* id; int tier; };
const std::vector<Named> kNamed = {
    {"slime", 0},   {"bat", 0},          {"goblin", 0},    {"skeleton", 0},   {"orc", 1},       {"ogre", 2},
    {"cyclops", 2}, {"medusa", 2},       {"dragonking", 2}, {"lich", 2},      {"demonlord", 2}, {"titan", 2},
    {"kraken", 2},  {"behemoth", 2},     {"hydraking", 2}, {"phoenixlord", 2}, {"minotaurking", 2},
    {"archdemon", 2}, {"frostgiant", 2}, {"shadowking", 2}, {"worldserpent", 2},
};

const std::set<std::string> kIcons = {"i_sword", "i_armor", "i_robe",  "i_axe",    "i_bow",
                                      "i_dagger", "i_staff", "i_ring", "i_potion", "i_potionb"};

// Gear-score weights per stat, as the item screens compare items.
constexpr double kGsWeight[kStatCount] = {0.5, 0.6, 3, 2.5, 3, 2.5, 4, 1.5};

double gearScore(const ItemDef& it) {
    double sum = 0;
    for (int i = 0; i < it.bonusCount; ++i) sum += kGsWeight[it.bonusStats[std::size_t(i)]] * it.bonusValues[std::size_t(i)];
    return sum;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool endsWith(std::string_view s, std::string_view p) { return s.size() >= p.size() && s.substr(s.size() - p.size()) == p; }

std::vector<std::string> skillIdsOf(std::span<const std::uint16_t> list) {
    std::vector<std::string> out;
    for (auto i : list) out.push_back(i < skills().size() ? skills()[i].id : "?");
    return out;
}

std::vector<std::string> skillIdsOf(const MonsterDef& m) { return skillIdsOf(m.skills); }

Stats stats(double hp, double mp, double atk, double def, double mag, double res, double spd, double crit) {
    return Stats{hp, mp, atk, def, mag, res, spd, crit};
}

const std::set<std::string>& purchaseOnlySkills() {
    static const std::set<std::string> ids = [] {
        std::set<std::string> s;
        for (const ClassDef& c : classes())
            for (auto& id : skillIdsOf(c.premium)) s.insert(id);
        return s;
    }();
    return ids;
}

} // namespace

// --- ids, order and counts --------------------------------------------------

TEST(CatalogContent, SkillAndItemIdsInCatalogueOrder) {
    ASSERT_EQ(skills().size(), kSkillIds.size());
    for (std::size_t i = 0; i < kSkillIds.size(); ++i) EXPECT_EQ(skills()[i].id, kSkillIds[i]) << i;
    ASSERT_EQ(spellFx().size(), skills().size());
    ASSERT_EQ(items().size(), kItemIds.size());
    for (std::size_t i = 0; i < kItemIds.size(); ++i) EXPECT_EQ(items()[i].id, kItemIds[i]) << i;
}

TEST(CatalogContent, MonstersAreBasesTimesPrefixesThenNamed) {
    ASSERT_EQ(monsters().size(), kBases.size() * kPrefixes.size() + kNamed.size());
    std::size_t i = 0;
    for (const std::string& base : kBases) {
        const bool great = kGreatBases.count(base) > 0;
        for (std::size_t p = 0; p < kPrefixes.size(); ++p, ++i) {
            const MonsterDef& m = monsters()[i];
            const std::string& prefix = kPrefixes[p];
            EXPECT_EQ(m.id, prefix + "_" + base);
            EXPECT_EQ(m.nameKey, "monster." + base);
            ASSERT_NE(m.prefixKey, nullptr) << m.id;
            EXPECT_EQ(m.prefixKey, "monster.pre." + prefix);
            EXPECT_EQ(m.sprite, base);
            EXPECT_EQ(m.recolour, 1u);
            const bool lifted = prefix == "ancient" || prefix == "void";
            EXPECT_EQ(m.tier, (great ? 1 : 0) + (lifted ? 1 : 0)) << m.id;
        }
    }
    for (const Named& n : kNamed) {
        const MonsterDef& m = monsters()[i++];
        EXPECT_STREQ(m.id, n.id);
        EXPECT_EQ(m.nameKey, std::string("monster.") + n.id);
        EXPECT_EQ(m.prefixKey, nullptr);
        EXPECT_STREQ(m.sprite, n.id);
        EXPECT_EQ(m.recolour, 0u);
        EXPECT_EQ(m.colours, (std::array<std::uint32_t, 4>{}));
        EXPECT_EQ(m.tier, n.tier) << n.id;
    }
    EXPECT_EQ(kGreatBases.size(), 33u);
}

TEST(CatalogContent, ItemKindsAndRarities) {
    std::map<ItemSlot, int> kinds;
    for (const ItemDef& it : items()) {
        ++kinds[it.slot];
        const std::string id = it.id;
        const bool equipment = it.slot <= ItemSlot::Amulet;
        if (!equipment) continue;
        // The primordial and eternal rows are named prim... and et... followed by a capital.
        const bool prim = startsWith(id, "prim") && std::isupper(static_cast<unsigned char>(id[4]));
        const bool et = startsWith(id, "et") && std::isupper(static_cast<unsigned char>(id[2]));
        const auto r = static_cast<int>(it.rarity);
        if (prim) {
            EXPECT_EQ(it.rarity, Rarity::Primordial) << id;
        }
        else if (et) EXPECT_EQ(it.rarity, Rarity::Eternal) << id;
        else EXPECT_LE(r, 5) << id;
    }
    const std::map<ItemSlot, int> expected = {
        {ItemSlot::Weapon, 79}, {ItemSlot::Shield, 14}, {ItemSlot::Helm, 42}, {ItemSlot::Armor, 42},
        {ItemSlot::Belt, 18},   {ItemSlot::Boots, 42},  {ItemSlot::Ring, 18}, {ItemSlot::Amulet, 18},
        {ItemSlot::Consumable, 10}, {ItemSlot::Valuable, 1},
    };
    EXPECT_EQ(kinds, expected);
}

// --- fixed rows ---------------------------------------------------------------

TEST(CatalogContent, ClassRows) {
    struct Row {
        const char* id; ClassRole role; Stats base, growth;
        std::vector<std::string> skills; std::vector<StatId> keys; const char* weapon; const char* offhand;
        std::vector<std::string> premium;
    };
    const std::vector<Row> rows = {
        {"warrior", ClassRole::Tank, stats(46, 10, 12, 10, 3, 6, 6, 5), stats(8, 1, 2, 1.6, 0.3, 0.8, 0.6, 0.3),
         {"attack", "defend", "cleave", "bash", "warcry"}, {Atk, Def, MaxHp}, "rustySword", nullptr,
         {"whirlwind", "shieldBash", "groundSlam", "berserk", "ironBulwark", "executeStrike", "bloodthirst"}},
        {"mage", ClassRole::Damage, stats(26, 30, 4, 4, 14, 8, 7, 6), stats(4, 4, 0.4, 0.6, 2.4, 1, 0.7, 0.4),
         {"attack", "defend", "firebolt", "frost", "inferno"}, {Mag, MaxMp, Spd}, "oakStaff", nullptr,
         {"meteor", "arcaneBolt", "blizzard", "iceLance", "pyroclasm", "voidBlast", "meteorShower"}},
        {"cleric", ClassRole::Support, stats(32, 26, 6, 6, 11, 9, 6, 4), stats(5, 3.5, 0.7, 0.9, 1.8, 1.2, 0.6, 0.3),
         {"attack", "defend", "heal", "smite", "bless", "revive", "purify"}, {Mag, MaxMp, Res}, "holyMace", nullptr,
         {"sanctuary", "holyMend", "holyNova", "divineShield", "blessingMight", "judgment", "sanctify"}},
        {"rogue", ClassRole::Damage, stats(30, 14, 11, 5, 5, 5, 11, 15), stats(5, 1.5, 1.8, 0.7, 0.5, 0.6, 1, 0.6),
         {"attack", "defend", "stab", "poisonStrike", "backstab", "flurry"}, {Atk, Spd, Crit}, "daggerPair", nullptr,
         {"assassinate", "eviscerate", "poisonCloud", "shadowstrike", "fanOfKnives", "cripple", "deathmark"}},
        {"vampire", ClassRole::Damage, stats(34, 18, 10, 6, 8, 6, 9, 8), stats(5.5, 2, 1.6, 0.8, 1, 0.7, 0.8, 0.5),
         {"attack", "defend", "bite", "sanguineGift", "crimsonFeast"}, {Atk, Mag, Spd}, "rustySword", nullptr,
         {"bloodNova", "drainLife", "batSwarm", "hemorrhage", "nightShroud", "bloodFrenzy", "crimsonEmbrace"}},
        {"dieb", ClassRole::Damage, stats(28, 14, 10, 4, 4, 5, 13, 14), stats(5, 1.5, 1.6, 0.6, 0.4, 0.6, 1.1, 0.7),
         {"attack", "defend", "taschendiebstahl", "knockout", "meucheln"}, {Spd, Crit, Atk}, "cudgel", "cudgel",
         {"smokeBomb", "shiv", "garrote", "pilfer", "ambush", "coupDeGrace"}},
        {"druide", ClassRole::Support, stats(30, 30, 5, 5, 12, 10, 6, 4), stats(5, 4, 0.5, 0.8, 2, 1.3, 0.6, 0.3),
         {"attack", "defend", "thornLash", "rejuvenate", "entangle", "wildGrowth", "stormcall", "purify"},
         {Mag, MaxMp, Res}, "shepherdStaff", nullptr,
         {"moonfire", "hurricane", "barkskin", "naturesSwarm", "healingBloom", "wrathOfNature"}},
        {"archer", ClassRole::Damage, stats(30, 14, 11, 4, 4, 5, 10, 10), stats(5, 1.5, 1.7, 0.6, 0.4, 0.6, 0.9, 0.5),
         {"attack", "defend", "arrowShot", "volley", "pierceShot"}, {Atk, Spd, Crit}, "shortBow", nullptr,
         {"rainOfArrows", "explosiveArrow", "snipe", "poisonArrow", "crippleShot", "multishot", "piercingVolley"}},
    };
    ASSERT_EQ(classes().size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ClassDef& c = classes()[i];
        const Row& r = rows[i];
        SCOPED_TRACE(r.id);
        EXPECT_EQ(static_cast<std::size_t>(c.cls), i);
        EXPECT_STREQ(c.id, r.id);
        EXPECT_EQ(c.nameKey, std::string("class.") + r.id);
        EXPECT_EQ(c.blurbKey, std::string("class.") + r.id + ".blurb");
        EXPECT_EQ(c.role, r.role);
        EXPECT_EQ(c.base, r.base);
        EXPECT_EQ(c.growth, r.growth);
        EXPECT_EQ(skillIdsOf(c.skills), r.skills);
        EXPECT_EQ(std::vector<StatId>(c.keyStats.begin(), c.keyStats.end()), r.keys);
        EXPECT_STREQ(c.startWeapon, r.weapon);
        if (r.offhand) {
            EXPECT_STREQ(c.startOffhand, r.offhand);
        }
        else EXPECT_EQ(c.startOffhand, nullptr);
        EXPECT_EQ(skillIdsOf(c.premium), r.premium);
    }
}

TEST(CatalogContent, SetRows) {
    struct Row { const char* id; Stats two, four, six; };
    const Row rows[] = {
        {"primordialCloth", Stats{.maxMp = 20, .mag = 12}, Stats{.maxMp = 45, .mag = 28, .res = 15},
         Stats{.maxHp = 120, .maxMp = 90, .mag = 60, .res = 35}},
        {"primordialLight", Stats{.spd = 6, .crit = 8}, Stats{.atk = 20, .spd = 14, .crit = 18},
         Stats{.maxHp = 120, .atk = 45, .spd = 28, .crit = 35}},
        {"primordialHeavy", Stats{.maxHp = 40, .def = 14}, Stats{.maxHp = 90, .atk = 18, .def = 32},
         Stats{.maxHp = 200, .atk = 40, .def = 70, .res = 30}},
        {"eternalCloth", Stats{.maxMp = 35, .mag = 22}, Stats{.maxMp = 80, .mag = 50, .res = 28},
         Stats{.maxHp = 220, .maxMp = 160, .mag = 110, .res = 60, .spd = 10}},
        {"eternalLight", Stats{.spd = 10, .crit = 14}, Stats{.atk = 36, .spd = 24, .crit = 32},
         Stats{.maxHp = 220, .atk = 85, .spd = 50, .crit = 60}},
        {"eternalHeavy", Stats{.maxHp = 70, .def = 25}, Stats{.maxHp = 160, .atk = 32, .def = 58},
         Stats{.maxHp = 360, .atk = 75, .def = 125, .res = 55}},
    };
    ASSERT_EQ(sets().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const SetDef& s = sets()[i];
        SCOPED_TRACE(rows[i].id);
        EXPECT_STREQ(s.id, rows[i].id);
        EXPECT_EQ(s.nameKey, std::string("set.") + rows[i].id);
        ASSERT_EQ(s.tierCount, 3);
        EXPECT_EQ(s.tiers[0].pieces, 2);
        EXPECT_EQ(s.tiers[1].pieces, 4);
        EXPECT_EQ(s.tiers[2].pieces, 6);
        EXPECT_EQ(s.tiers[0].bonus, rows[i].two);
        EXPECT_EQ(s.tiers[1].bonus, rows[i].four);
        EXPECT_EQ(s.tiers[2].bonus, rows[i].six);
    }
}

TEST(CatalogContent, SetPieces) {
    const char* slots[] = {"Helm", "Armor", "Boots", "Belt", "Ring", "Amulet"};
    std::map<std::string, int> pieces;
    for (const ItemDef& it : items()) {
        if (!it.setId) continue;
        ++pieces[it.setId];
        const std::string id = it.id, set = it.setId;
        const std::string weight = set.substr(set.find_first_of("CLH"));
        const std::string pre = startsWith(set, "primordial") ? "prim" : "et";
        bool named = false;
        for (const char* s : slots) named = named || id == pre + s + weight;
        EXPECT_TRUE(named) << id << " in " << set;
    }
    EXPECT_EQ(pieces.size(), 6u);
    for (auto& [set, n] : pieces) EXPECT_EQ(n, 6) << set;
    for (const char* pre : {"prim", "et"})
        for (const char* s : slots)
            for (const char* w : {"Cloth", "Light", "Heavy"}) {
                const ItemDef* it = findItem(std::string(pre) + s + w);
                ASSERT_NE(it, nullptr) << pre << s << w;
                EXPECT_NE(it->setId, nullptr) << it->id;
            }
}

TEST(CatalogContent, KeySkillRows) {
    struct Row {
        const char* id; double mana; unsigned level; int target, school; double power, crit;
        int status; int rounds; double magnitude; double chance;
        double drain; bool shared; double execute; bool steal, cleanse, buy; double cost;
    };
    const int none = -1;
    const Row rows[] = {
        {"attack", 0, 1, 0, 0, 1.0, 0, none, 0, 0, 1, 0, false, 0, false, false, false, 0},
        {"defend", 0, 1, 4, 3, 0, 0, int(StatusKind::DefUp), 1, 8, 1, 0, false, 0, false, false, false, 0},
        {"bash", 5, 3, 0, 0, 1.3, 0, int(StatusKind::Stun), 1, 0, 0.5, 0, false, 0, false, false, false, 0},
        {"firebolt", 5, 1, 0, 1, 1.4, 0, int(StatusKind::Burn), 2, 4, 0.4, 0, false, 0, false, false, false, 0},
        {"heal", 5, 1, 2, 2, 1.5, 0, none, 0, 0, 1, 0, false, 0, false, false, false, 0},
        {"purify", 5, 3, 2, 2, 0.4, 0, none, 0, 0, 1, 0, false, 0, false, true, false, 0},
        {"revive", 14, 5, 5, 4, 0.5, 0, none, 0, 0, 1, 0, false, 0, false, false, false, 0},
        {"backstab", 6, 3, 0, 0, 1.6, 35, none, 0, 0, 1, 0, false, 0, false, false, false, 0},
        {"taschendiebstahl", 0, 1, 0, 0, 0, 0, none, 0, 0, 1, 0, false, 0, true, false, false, 0},
        {"meucheln", 8, 5, 0, 0, 1.8, 30, none, 0, 0, 1, 0, false, 0.1, false, false, false, 0},
        {"sanguineGift", 6, 3, 0, 0, 1.1, 0, none, 0, 0, 1, 0.6, true, 0, false, false, false, 0},
        {"shellHarden", 6, 1, 4, 3, 0, 0, int(StatusKind::Shield), 3, 30, 1, 0, false, 0, false, false, false, 0},
        {"whirlwind", 10, 1, 1, 0, 1.0, 0, none, 0, 0, 1, 0, false, 0, false, false, true, 220},
        {"meteorShower", 16, 1, 1, 1, 1.3, 0, int(StatusKind::Burn), 3, 8, 1, 0, false, 0, false, false, true, 560},
    };
    for (const Row& r : rows) {
        const SkillDef* s = findSkill(r.id);
        ASSERT_NE(s, nullptr) << r.id;
        SCOPED_TRACE(r.id);
        EXPECT_EQ(s->manaCost, r.mana);
        EXPECT_EQ(s->reqLevel, r.level);
        EXPECT_EQ(s->target, r.target);
        EXPECT_EQ(s->school, r.school);
        EXPECT_EQ(s->power, r.power);
        EXPECT_EQ(s->critBonus, r.crit);
        EXPECT_EQ(s->status.applies != 0, r.status != none);
        if (r.status != none) {
            EXPECT_EQ(static_cast<int>(s->status.kind), r.status);
            EXPECT_EQ(s->status.rounds, r.rounds);
            EXPECT_EQ(s->status.magnitude, r.magnitude);
        }
        EXPECT_EQ(s->statusChance, r.chance);
        EXPECT_EQ(s->drain, r.drain);
        EXPECT_EQ(s->drainShared != 0, r.shared);
        EXPECT_EQ(s->executeThreshold, r.execute);
        EXPECT_EQ(s->steal != 0, r.steal);
        EXPECT_EQ(s->cleanse != 0, r.cleanse);
        EXPECT_EQ(s->purchaseOnly != 0, r.buy);
        EXPECT_EQ(s->baseCost, r.cost);
    }
}

TEST(CatalogContent, KeySpellEffects) {
    auto fx = [](const char* id) { return spellFx()[std::size_t(skillIndex(id))]; };
    SpellFx attack = fx("attack");
    EXPECT_EQ(attack.colourA, 0xc8ccd4u);
    EXPECT_EQ(attack.colourB, 0xffffffu);
    EXPECT_EQ(attack.slash, 1);
    SpellFx defend = fx("defend");
    EXPECT_EQ(defend.colourA, 0xc8ccd4u);
    EXPECT_EQ(defend.colourB, 0xffffffu);
    EXPECT_EQ(defend.aura, 3);
    SpellFx firebolt = fx("firebolt");
    EXPECT_EQ(firebolt.colourA, 0xff6a1au);
    EXPECT_EQ(firebolt.colourB, 0xffe08au);
    EXPECT_EQ(firebolt.form, 1);
    EXPECT_EQ(firebolt.trail, 1);
    SpellFx smite = fx("smite");
    EXPECT_EQ(smite.colourA, 0xf4e25au);
    EXPECT_EQ(smite.colourB, 0xfffbe0u);
    EXPECT_EQ(smite.form, 3);
    EXPECT_EQ(smite.trail, 2);
    EXPECT_EQ(smite.lob, 1);
    EXPECT_EQ(fx("cleave").aoe, 9);
    EXPECT_EQ(fx("heal").aura, 8);
}

TEST(CatalogContent, KeyItemRows) {
    const ItemDef& rusty = *findItem("rustySword");
    EXPECT_EQ(rusty.rarity, Rarity::Common);
    EXPECT_EQ(rusty.weaponClass, WeaponBlade);
    EXPECT_EQ(itemBaseBonus(rusty), Stats{.atk = 3});
    EXPECT_EQ(rusty.price, 20);
    const ItemDef& oak = *findItem("oakStaff");
    EXPECT_EQ(oak.rarity, Rarity::Common);
    EXPECT_EQ(oak.weaponClass, WeaponStaff);
    EXPECT_EQ(oak.twoHanded, 1);
    EXPECT_EQ(itemBaseBonus(oak), (Stats{.maxMp = 6, .mag = 5}));
    EXPECT_EQ(oak.price, 20);
    const ItemDef& plate = *findItem("plateArmor");
    EXPECT_EQ(plate.slot, ItemSlot::Armor);
    EXPECT_EQ(plate.rarity, Rarity::Rare);
    EXPECT_EQ(plate.armorWeight, WeightHeavy);
    EXPECT_EQ(plate.price, 150);
    const ItemDef& axe = *findItem("primAxe");
    EXPECT_EQ(axe.rarity, Rarity::Primordial);
    EXPECT_EQ(axe.weaponClass, WeaponAxe);
    EXPECT_EQ(axe.twoHanded, 1);
    EXPECT_EQ(itemBaseBonus(axe), (Stats{.atk = 52, .spd = -1, .crit = 10}));
    EXPECT_EQ(axe.price, 2600);
    const ItemDef& shield = *findItem("etShield");
    EXPECT_EQ(shield.slot, ItemSlot::Shield);
    EXPECT_EQ(shield.rarity, Rarity::Eternal);
    EXPECT_EQ(itemBaseBonus(shield), (Stats{.maxHp = 180, .def = 78, .res = 40}));
    EXPECT_EQ(shield.price, 5600);
    const ItemDef& horn = *findItem("trompetchen");
    EXPECT_EQ(horn.slot, ItemSlot::Valuable);
    EXPECT_EQ(horn.rarity, Rarity::Rare);
    EXPECT_EQ(horn.price, 200);
}

TEST(CatalogContent, Consumables) {
    struct Row { const char* id; ConsumableEffect effect; double power, price; };
    const Row rows[] = {
        {"potionHp", ConsumableEffect::HealHp, 30, 15},        {"greaterPotionHp", ConsumableEffect::HealHp, 55, 45},
        {"superPotionHp", ConsumableEffect::HealHp, 100, 120},  {"potionMp", ConsumableEffect::RestoreMp, 35, 15},
        {"greaterPotionMp", ConsumableEffect::RestoreMp, 65, 40}, {"superPotionMp", ConsumableEffect::RestoreMp, 100, 110},
        {"antidote", ConsumableEffect::Purify, 1, 18},          {"tonicAtk", ConsumableEffect::AttackUp, 6, 32},
        {"tonicDef", ConsumableEffect::DefenceUp, 6, 32},       {"elixir", ConsumableEffect::Revive, 50, 60},
    };
    std::set<std::string> listed;
    for (const Row& r : rows) {
        const ItemDef* it = findItem(r.id);
        ASSERT_NE(it, nullptr) << r.id;
        listed.insert(r.id);
        EXPECT_EQ(it->slot, ItemSlot::Consumable) << r.id;
        EXPECT_EQ(it->effect, r.effect) << r.id;
        EXPECT_EQ(it->power, r.power) << r.id;
        EXPECT_EQ(it->price, r.price) << r.id;
        EXPECT_EQ(it->bonusCount, 0) << r.id;
    }
    for (const ItemDef& it : items()) {
        if (it.slot == ItemSlot::Consumable) {
            EXPECT_TRUE(listed.count(it.id)) << it.id;
        }
        else EXPECT_EQ(it.effect, ConsumableEffect::None) << it.id;
    }
    // The apothecary keeps rare potions back on shallow floors; some must be rare.
    EXPECT_EQ(findItem("superPotionHp")->rarity, Rarity::Rare);
    EXPECT_EQ(findItem("potionHp")->rarity, Rarity::Common);
}

TEST(CatalogContent, KeyMonsterRows) {
    const MonsterDef& wolf = *findMonster("frost_wolf");
    EXPECT_EQ(wolf.base, stats(28, 8, 11, 4, 3, 3, 11, 8));
    EXPECT_EQ(skillIdsOf(wolf), (std::vector<std::string>{"attack", "maul", "frost", "frostNova"}));
    EXPECT_EQ(wolf.xp, 12);
    EXPECT_EQ(wolf.goldMin, 4);
    EXPECT_EQ(wolf.goldMax, 10);
    EXPECT_EQ(wolf.tier, TierNormal);
    const MonsterDef& old = *findMonster("ancient_wolf");
    EXPECT_EQ(old.base.maxHp, 105);
    EXPECT_EQ(old.base.atk, 41);
    EXPECT_EQ(old.xp, 45);
    EXPECT_EQ(old.goldMin, 12);
    EXPECT_EQ(old.goldMax, 30);
    EXPECT_EQ(old.tier, TierElite);
    const MonsterDef& serpent = *findMonster("worldserpent");
    EXPECT_EQ(serpent.base, stats(312, 44, 33, 15, 8, 10, 7, 10));
    EXPECT_EQ(skillIdsOf(serpent), (std::vector<std::string>{"attack", "constrict", "venomBite", "tailSweep"}));
    EXPECT_EQ(serpent.xp, 200);
    EXPECT_EQ(serpent.goldMin, 80);
    EXPECT_EQ(serpent.goldMax, 170);
    EXPECT_EQ(serpent.tier, TierBoss);
}

// --- skills -------------------------------------------------------------------

TEST(CatalogContent, PurchaseOnlySkillsAreExactlyTheBoughtOnes) {
    EXPECT_EQ(purchaseOnlySkills().size(), 54u);
    for (const SkillDef& s : skills()) {
        SCOPED_TRACE(s.id);
        if (purchaseOnlySkills().count(s.id)) {
            EXPECT_EQ(s.purchaseOnly, 1);
            EXPECT_GE(s.baseCost, 200);
            EXPECT_LE(s.baseCost, 560);
        } else {
            EXPECT_EQ(s.purchaseOnly, 0);
            EXPECT_EQ(s.baseCost, 0);
            EXPECT_EQ(s.maxLevel, 0);
        }
    }
    // Indices 31-36 are the first bought skill of six classes, 72-119 the rest.
    for (std::size_t i = 0; i < skills().size(); ++i)
        EXPECT_EQ(skills()[i].purchaseOnly != 0, (i >= 31 && i <= 36) || i >= 72) << skills()[i].id;
}

TEST(CatalogContent, EveryClassHasAScrollForAFreshParty) {
    // The city scroll shop at depth 0 and party level 1 offers what costs at most 258.
    for (const ClassDef& c : classes()) {
        double cheapest = 1e9;
        for (auto i : c.premium) cheapest = std::min(cheapest, skills()[i].baseCost);
        EXPECT_LE(cheapest, 258) << c.id;
    }
}

TEST(CatalogContent, SomeSkillDrainsForTheUserAlone) {
    int unshared = 0, shared = 0;
    for (const SkillDef& s : skills()) {
        if (s.drain > 0 && !s.drainShared) ++unshared;
        if (s.drain > 0 && s.drainShared) ++shared;
        if (s.drainShared) {
            EXPECT_GT(s.drain, 0) << s.id;
        }
    }
    EXPECT_GE(unshared, 1);
    EXPECT_GE(shared, 1);
}

TEST(CatalogContent, ClassSkillsFitTheirClass) {
    for (const ClassDef& c : classes()) {
        SCOPED_TRACE(c.id);
        int firstLevelAttacks = 0;
        for (auto i : c.skills) {
            const SkillDef& s = skills()[i];
            EXPECT_EQ(s.purchaseOnly, 0) << s.id;
            if (s.reqLevel == 1 && s.id != std::string("attack") && s.id != std::string("defend")) ++firstLevelAttacks;
        }
        EXPECT_GE(firstLevelAttacks, 1);  // something to cast from the first battle on
        for (auto i : c.premium) EXPECT_EQ(skills()[i].purchaseOnly, 1) << skills()[i].id;
        // The starting gear must be wearable by its own class.
        for (const char* id : {c.startWeapon, c.startOffhand}) {
            if (!id) continue;
            const ItemDef* it = findItem(id);
            ASSERT_NE(it, nullptr) << id;
            EXPECT_TRUE(it->classMask & (1u << static_cast<int>(c.cls))) << id;
            EXPECT_EQ(it->slot, ItemSlot::Weapon) << id;
        }
    }
}

// --- items ----------------------------------------------------------------------

TEST(CatalogContent, PricesFollowRarity) {
    const double lo[] = {16, 50, 140, 300, 620, 1200, 2400, 5200};
    const double hi[] = {25, 70, 160, 320, 660, 1260, 2600, 5600};
    for (const ItemDef& it : items()) {
        if (it.slot > ItemSlot::Amulet) continue;
        const auto r = static_cast<int>(it.rarity);
        EXPECT_GE(it.price, lo[r]) << it.id;
        EXPECT_LE(it.price, hi[r]) << it.id;
    }
}

TEST(CatalogContent, ClassMasksFollowWeaponClassAndWeight) {
    const std::uint8_t byWeapon[] = {0x39, 0xbb, 0x46, 0x45, 0x01, 0x80};
    const std::uint8_t byWeight[] = {0xff, 0xfd, 0x01};
    const char* keys[] = {"weaponClass.blade", "weaponClass.dagger", "weaponClass.staff",
                          "weaponClass.mace",  "weaponClass.axe",    "weaponClass.bow"};
    for (const ItemDef& it : items()) {
        SCOPED_TRACE(it.id);
        switch (it.slot) {
        case ItemSlot::Weapon:
            ASSERT_LT(it.weaponClass, 6);
            EXPECT_EQ(it.classMask, byWeapon[it.weaponClass]);
            EXPECT_STREQ(it.weaponClassKey, keys[it.weaponClass]);
            break;
        case ItemSlot::Helm:
        case ItemSlot::Armor:
        case ItemSlot::Boots:
            ASSERT_LT(it.armorWeight, 3);
            EXPECT_EQ(it.classMask, byWeight[it.armorWeight]);
            break;
        case ItemSlot::Shield: EXPECT_EQ(it.classMask, 0x45); break;
        case ItemSlot::Consumable:
        case ItemSlot::Valuable: EXPECT_EQ(it.classMask, 0x00); break;
        default: EXPECT_EQ(it.classMask, 0xff); break;
        }
        if (it.slot != ItemSlot::Weapon) {
            EXPECT_EQ(it.weaponClass, WeaponNone);
            EXPECT_EQ(it.weaponClassKey, nullptr);
            EXPECT_EQ(it.twoHanded, 0);
        }
        EXPECT_TRUE(kIcons.count(it.icon)) << it.icon;
        EXPECT_EQ(it.spare, 8);
        EXPECT_EQ(it.nameKey, std::string("item.") + it.id);
    }
}

TEST(CatalogContent, EveryClassFindsAWeaponAndArmourOfEveryOrdinaryRarity) {
    for (int c = 0; c < kClassCount; ++c)
        for (int r = 0; r <= 5; ++r)
            for (ItemSlot slot : {ItemSlot::Weapon, ItemSlot::Helm, ItemSlot::Armor, ItemSlot::Boots}) {
                bool found = false;
                for (const ItemDef& it : items())
                    found = found || (it.slot == slot && int(it.rarity) == r && (it.classMask & (1 << c)));
                EXPECT_TRUE(found) << classDef(ClassId(c)).id << " rarity " << r << " slot " << int(slot);
            }
}

TEST(CatalogContent, BonusesRiseWithRarity) {
    // Within one kind (weapons split by hands) every row of a rarity beats
    // every row of the rarity below by gear score.
    std::map<std::pair<int, int>, std::map<int, std::pair<double, double>>> range;
    for (const ItemDef& it : items()) {
        if (it.slot > ItemSlot::Amulet) {
            EXPECT_EQ(it.bonusCount, 0) << it.id;
            continue;
        }
        EXPECT_GE(it.bonusCount, 1) << it.id;
        EXPECT_LE(it.bonusCount, kMaxItemBonus) << it.id;
        const double gs = gearScore(it);
        auto& r = range[{int(it.slot), int(it.twoHanded)}];
        auto [at, fresh] = r.try_emplace(int(it.rarity), gs, gs);
        if (!fresh) at->second = {std::min(at->second.first, gs), std::max(at->second.second, gs)};
    }
    for (auto& [kind, byRarity] : range)
        for (auto it = byRarity.begin(); std::next(it) != byRarity.end(); ++it)
            EXPECT_GT(std::next(it)->second.first, it->second.second)
                << "slot " << kind.first << (kind.second ? " two-handed" : "") << " rarity " << it->first;
}

TEST(CatalogContent, NoNegativeResistanceAndFewDrawbacks) {
    for (const ItemDef& it : items())
        for (int i = 0; i < it.bonusCount; ++i) {
            const StatId s = it.bonusStats[std::size_t(i)];
            const double v = it.bonusValues[std::size_t(i)];
            EXPECT_NE(v, 0) << it.id;
            if (s == Res) {  // magic damage divides by resistance
                EXPECT_GT(v, 0) << it.id;
            }
            if (v < 0) {
                EXPECT_EQ(s, Spd) << it.id;  // heavy gear slows, nothing else is taken away
            }
        }
}

// --- monsters -------------------------------------------------------------------

TEST(CatalogContent, MonsterSkillsAreUsable) {
    for (const MonsterDef& m : monsters()) {
        SCOPED_TRACE(m.id);
        auto ids = skillIdsOf(m);
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.front(), "attack");
        std::set<std::string> seen;
        for (auto& id : ids) {
            const SkillDef* s = findSkill(id);
            ASSERT_NE(s, nullptr) << id;
            EXPECT_TRUE(seen.insert(id).second) << id << " twice";
            // A monster cannot revive (never chosen), steal (the loot would go
            // to the party) or defend (never chosen).
            EXPECT_EQ(s->steal, 0) << id;
            EXPECT_NE(s->school, SchoolRevive) << id;
            EXPECT_NE(id, "defend");
        }
    }
}

TEST(CatalogContent, VariantsOfABaseShareItsNatureAndCarryTheirElement) {
    for (std::size_t b = 0; b < kBases.size(); ++b) {
        const auto& frost = monsters()[b * 12];
        const auto frostSkills = skillIdsOf(frost);
        for (std::size_t p = 0; p < 12; ++p) {
            const MonsterDef& m = monsters()[b * 12 + p];
            const MonsterDef& sameElement = monsters()[(b == 0 ? 1 : 0) * 12 + p];
            auto mine = skillIdsOf(m), other = skillIdsOf(sameElement);
            // The prefix's two skills come last and are the same on every base
            // (unless the base already knows one).
            for (std::size_t k = other.size() - 2; k < other.size(); ++k)
                EXPECT_TRUE(std::find(mine.begin(), mine.end(), other[k]) != mine.end()) << m.id << " lacks " << other[k];
            // The base's own skills open every variant's list.
            for (std::size_t k = 0; k + 2 < frostSkills.size(); ++k) EXPECT_EQ(mine[k], frostSkills[k]) << m.id;
        }
    }
}

TEST(CatalogContent, MonsterRewardBands) {
    const double xpLo[] = {8, 40, 150}, xpHi[] = {14, 158, 480};
    std::map<std::pair<int, int>, int> gold[3];
    double xpMin[3] = {1e9, 1e9, 1e9}, xpMax[3] = {0, 0, 0};
    for (const MonsterDef& m : monsters()) {
        SCOPED_TRACE(m.id);
        ASSERT_LE(m.tier, 2);
        EXPECT_GE(m.xp, xpLo[m.tier]);
        EXPECT_LE(m.xp, xpHi[m.tier]);
        EXPECT_EQ(m.xp, std::round(m.xp));
        xpMin[m.tier] = std::min(xpMin[m.tier], m.xp);
        xpMax[m.tier] = std::max(xpMax[m.tier], m.xp);
        EXPECT_GE(m.goldMin, 1);
        EXPECT_LE(m.goldMin, m.goldMax);
        ++gold[m.tier][{m.goldMin, m.goldMax}];
    }
    EXPECT_EQ(xpMin[0], 8);
    EXPECT_EQ(xpMax[0], 14);
    EXPECT_EQ(xpMin[2], 150);
    EXPECT_EQ(xpMax[2], 480);
    auto byCount = [](const std::map<std::pair<int, int>, int>& m) {
        std::vector<std::pair<int, std::pair<int, int>>> v;
        for (auto& [range, n] : m) v.push_back({n, range});
        std::sort(v.rbegin(), v.rend());
        return v;
    };
    EXPECT_EQ(byCount(gold[0])[0].second, std::make_pair(5, 12));
    EXPECT_EQ(byCount(gold[1])[0].second, std::make_pair(60, 138));
    EXPECT_EQ(byCount(gold[1])[1].second, std::make_pair(15, 36));
    EXPECT_EQ(byCount(gold[2])[0].second, std::make_pair(160, 368));
}

TEST(CatalogContent, MonstersGrowWithTier) {
    // Per base, every lifted variant (ancient, void) outclasses every
    // elemental one in hit points, attack, reward and gold.
    for (std::size_t b = 0; b < kBases.size(); ++b) {
        double hp = 0, atk = 0, xp = 0, gold = 0;
        for (std::size_t p = 0; p < 10; ++p) {
            const MonsterDef& m = monsters()[b * 12 + p];
            hp = std::max(hp, m.base.maxHp);
            atk = std::max(atk, m.base.atk);
            xp = std::max(xp, m.xp);
            gold = std::max(gold, double(m.goldMax));
        }
        for (std::size_t p = 10; p < 12; ++p) {
            const MonsterDef& m = monsters()[b * 12 + p];
            EXPECT_GT(m.base.maxHp, hp) << m.id;
            EXPECT_GT(m.base.atk, atk) << m.id;
            EXPECT_GT(m.xp, xp) << m.id;
            EXPECT_GT(m.goldMax, gold) << m.id;
        }
    }
    // Across the catalogue the tiers stand apart on average too.
    double hp[3] = {}, n[3] = {};
    for (const MonsterDef& m : monsters()) hp[m.tier] += m.base.maxHp, ++n[m.tier];
    EXPECT_LT(hp[0] / n[0] * 2, hp[1] / n[1]);
    EXPECT_LT(hp[1] / n[1] * 2, hp[2] / n[2]);
}

// --- the whole tables -------------------------------------------------------------

TEST(CatalogShape, SkillRows) {
    for (const SkillDef& s : skills()) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(s.nameKey, std::string("skill.") + s.id);
        EXPECT_EQ(s.descKey, std::string("skill.") + s.id + ".desc");
        EXPECT_LE(s.target, TargetFallenAlly);
        EXPECT_LE(s.school, SchoolRevive);
        EXPECT_GE(s.reqLevel, 1u);
        EXPECT_GE(s.manaCost, 0);
        EXPECT_GE(s.statusChance, 0);
        EXPECT_LE(s.statusChance, 1);
        EXPECT_GE(s.drain, 0);
        EXPECT_LE(s.drain, 1);
        EXPECT_GE(s.executeThreshold, 0);
        EXPECT_LT(s.executeThreshold, 0.5);
        EXPECT_GE(s.maxLevel, 0);
        if (s.status.applies) {
            EXPECT_LT(static_cast<int>(s.status.kind), kStatusCount);
            EXPECT_GE(s.status.rounds, 1);
            EXPECT_GE(s.status.magnitude, 0);
            if (s.status.kind != StatusKind::Stun) {
                EXPECT_GT(s.status.magnitude, 0);
            }
            EXPECT_GT(s.statusChance, 0);
        }
        // What each school needs to do anything at all.
        switch (s.school) {
        case SchoolPhysical:
        case SchoolMagic:
            if (!s.steal) {
                EXPECT_GT(s.power, 0);
            }
            EXPECT_LE(s.target, TargetAllFoes);
            break;
        case SchoolHealing: EXPECT_GT(s.power, 0); EXPECT_TRUE(s.target == TargetAlly || s.target == TargetAllAllies || s.target == TargetSelf); break;
        case SchoolStatus: EXPECT_TRUE(s.status.applies); break;
        case SchoolRevive: EXPECT_EQ(s.target, TargetFallenAlly); EXPECT_GT(s.power, 0); break;
        }
        // Buffs land on one's own side, curses on the other.
        if (s.status.applies && s.school == SchoolStatus) {
            const bool good = statusDesc(s.status.kind).positive;
            const bool ownSide = s.target >= TargetAlly && s.target <= TargetSelf;
            EXPECT_EQ(good, ownSide);
        }
        if (s.steal) {
            EXPECT_EQ(s.school, SchoolPhysical);
        }
        if (s.cleanse) {
            EXPECT_EQ(s.school, SchoolHealing);
        }
    }
}

TEST(CatalogShape, SpellEffectRows) {
    for (std::size_t i = 0; i < spellFx().size(); ++i) {
        const SpellFx& fx = spellFx()[i];
        const SkillDef& s = skills()[i];
        SCOPED_TRACE(s.id);
        EXPECT_LE(fx.colourA, 0xffffffu);
        EXPECT_LE(fx.colourB, 0xffffffu);
        EXPECT_LE(fx.form, 12);
        EXPECT_LE(fx.trail, 6);
        EXPECT_LE(fx.aoe, 9);
        EXPECT_LE(fx.variant, 7);
        EXPECT_LE(fx.slash, 6);
        EXPECT_LE(fx.aura, 8);
        // The battle screen plays an area effect for any row with an area
        // kind; only skills that reach a whole side carry one.
        if (fx.aoe) {
            EXPECT_TRUE(s.target == TargetAllFoes || s.target == TargetAllAllies);
        }
        if (fx.variant) {
            EXPECT_NE(fx.aoe, AoENone);
        }
        if (fx.lob || fx.trail) {
            EXPECT_NE(fx.form, FormNone);
        }
        // Every skill shows something of its own.
        EXPECT_TRUE(fx.form || fx.aoe || fx.slash || fx.aura);
    }
}

TEST(CatalogShape, MonsterRows) {
    for (const MonsterDef& m : monsters()) {
        SCOPED_TRACE(m.id);
        EXPECT_TRUE(startsWith(m.nameKey, "monster."));
        EXPECT_FALSE(startsWith(m.nameKey, "monster.pre."));
        if (m.prefixKey) {
            EXPECT_TRUE(endsWith(m.id, std::string("_") + m.sprite));
        }
        else EXPECT_STREQ(m.id, m.sprite);
        EXPECT_EQ(m.nameKey, std::string("monster.") + m.sprite);
        for (auto c : m.colours) EXPECT_LE(c, 0xffffffu);
        EXPECT_GE(m.base.maxHp, 1);
        EXPECT_GE(m.base.atk, 1);
        EXPECT_GE(m.base.spd, 1);
        for (double v : {m.base.maxMp, m.base.def, m.base.mag, m.base.res, m.base.crit}) EXPECT_GE(v, 0);
        for (double v : {m.base.maxHp, m.base.maxMp, m.base.atk, m.base.def, m.base.mag, m.base.res, m.base.spd, m.base.crit})
            EXPECT_EQ(v, std::round(v));
    }
    // One name key per base and named monster, one prefix key per prefix.
    std::set<std::string> names, prefixes;
    for (const MonsterDef& m : monsters()) {
        names.insert(m.nameKey);
        if (m.prefixKey) prefixes.insert(m.prefixKey);
    }
    EXPECT_EQ(names.size(), 114u);
    EXPECT_EQ(prefixes.size(), 12u);
}

#!/usr/bin/env python3
"""Turns the content data under rules/data/ into the constant C++ tables.

usage: gen_catalog.py DATA_DIR OUT_DIR

Writes OUT_DIR/rules/data_gen.h and OUT_DIR/rules/data_gen.cpp. Any broken
reference or malformed row stops the build with a message naming the row.
Numbers are read as decimals so that designer values round as written
(halves away from zero).
"""
import json
import os
import sys
from decimal import ROUND_HALF_UP, Decimal

STATS = ["maxHp", "maxMp", "atk", "def", "mag", "res", "spd", "crit"]
STAT_ENUM = ["MaxHp", "MaxMp", "Atk", "Def", "Mag", "Res", "Spd", "Crit"]
STAT_FIELD = ["maxHp", "maxMp", "atk", "def", "mag", "res", "spd", "crit"]

STATUS = ["poison", "burn", "regen", "stun", "slow", "atkUp", "defUp", "atkDown", "defDown", "shield"]
STATUS_ENUM = ["Poison", "Burn", "Regen", "Stun", "Slow", "AtkUp", "DefUp", "AtkDown", "DefDown", "Shield"]
TARGETS = ["foe", "allFoes", "ally", "allAllies", "self", "fallenAlly"]
TARGET_ENUM = ["TargetFoe", "TargetAllFoes", "TargetAlly", "TargetAllAllies", "TargetSelf", "TargetFallenAlly"]
SCHOOLS = ["physical", "magic", "healing", "status", "revive"]
SCHOOL_ENUM = ["SchoolPhysical", "SchoolMagic", "SchoolHealing", "SchoolStatus", "SchoolRevive"]

FORMS = {"orb": (1, "FormOrb"), "arrow": (2, "FormArrow"), "bolt": (3, "FormBolt"), "twoHeads": (4, "FormTwoHeads"),
         "upright": (5, "FormUpright"), "cross": (6, "FormCross"), "hammer": (7, "FormHammer"),
         "glowBall": (8, "FormGlowBall"), "star": (9, "FormStar"), "flask": (10, "FormFlask"),
         "dart": (11, "FormDart"), "bottle": (12, "FormBottle")}
TRAILS = {"ember": "TrailEmber", "white": "TrailWhite", "smoke": "TrailSmoke", "ice": "TrailIce",
          "venom": "TrailVenom", "blood": "TrailBlood"}
AOES = {"funnel": "AoEFunnel", "bolts": "AoEBolts", "impact": "AoEImpact", "rings": "AoERings", "rain": "AoERain",
        "flock": "AoEFlock", "bubbles": "AoEBubbles", "whirl": "AoEWhirl", "swing": "AoESwing"}
VARIANTS = {"arrows": "VariantArrows", "stones": "VariantStones", "blades": "VariantBlades",
            "pillsA": "VariantPillsA", "pillsB": "VariantPillsB"}
SLASHES = {"sweep": "SlashSweep", "cross": "SlashCross", "thrust": "SlashThrust", "claws": "SlashClaws",
           "star": "SlashStar", "jaws": "SlashJaws"}
AURAS = {"streaks": "AuraStreaks", "pills": "AuraPills", "shield": "AuraShield", "arrows": "AuraArrows",
         "notes": "AuraNotes", "dots": "AuraDots", "orbit": "AuraOrbit", "plus": "AuraPlus"}

CLASS_ENUM = {"warrior": "Warrior", "mage": "Mage", "cleric": "Cleric", "rogue": "Rogue", "vampire": "Vampire",
              "dieb": "Dieb", "druide": "Druide", "archer": "Archer"}
ROLE_ENUM = {"tank": "Tank", "damage": "Damage", "support": "Support"}

RARITIES = ["common", "uncommon", "rare", "epic", "legendary", "mythic", "primordial", "eternal"]
SLOTS = ["weapon", "shield", "helm", "armor", "belt", "boots", "ring", "amulet", "consumable", "valuable"]
WEAPONS = ["blade", "dagger", "staff", "mace", "axe", "bow"]
WEIGHTS = ["cloth", "light", "heavy"]
WEIGHTED_SLOTS = ("helm", "armor", "boots")
EFFECTS = {"healHp": "HealHp", "restoreMp": "RestoreMp", "revive": "Revive", "purify": "Purify",
           "attackUp": "AttackUp", "defenceUp": "DefenceUp"}
MAX_ITEM_BONUS = 4
MAX_SET_TIERS = 3
TIERS = ["normal", "elite", "boss"]
TIER_ENUM = ["TierNormal", "TierElite", "TierBoss"]


class DataError(Exception):
    pass


def fail(where, message):
    raise DataError(f"{where}: {message}")


def load(data_dir, name):
    path = os.path.join(data_dir, name)
    with open(path, encoding="utf-8") as f:
        return json.load(f, parse_float=Decimal, parse_int=Decimal)


def dec(x):
    return x if isinstance(x, Decimal) else Decimal(x)


def round_half_away(x):
    x = dec(x)
    return int(x.quantize(Decimal(1), rounding=ROUND_HALF_UP))


def num(x):
    """A C++ literal for a decimal: 1, 0.75, -1."""
    x = dec(x)
    if x == x.to_integral_value():
        return str(int(x))
    text = format(x.normalize(), "f")
    return text


def colour(where, text):
    if not (isinstance(text, str) and len(text) == 7 and text[0] == "#"):
        fail(where, f"colour {text!r} is not #rrggbb")
    try:
        return int(text[1:], 16)
    except ValueError:
        fail(where, f"colour {text!r} is not #rrggbb")


def hexc(value):
    return f"0x{value:06x}"


def pick(where, table, key, what):
    if key not in table:
        fail(where, f"unknown {what} {key!r}")
    return table[key]


def index_of(where, names, key, what):
    if key not in names:
        fail(where, f"unknown {what} {key!r}")
    return names.index(key)


def known_fields(where, row, fields):
    extra = set(row) - set(fields)
    if extra:
        fail(where, f"unknown fields {sorted(extra)}")


def stat_block(where, values):
    if isinstance(values, dict):
        out = [Decimal(0)] * 8
        for k, v in values.items():
            out[index_of(where, STATS, k, "stat")] = dec(v)
        return out
    if not isinstance(values, list) or len(values) != 8:
        fail(where, "a stat block lists eight values (maxHp, maxMp, atk, def, mag, res, spd, crit)")
    return [dec(v) for v in values]


def stats_cpp(values):
    return "{" + ", ".join(f".{STAT_FIELD[i]} = {num(v)}" for i, v in enumerate(values)) + "}"


def unique(where, ids):
    seen = set()
    for i in ids:
        if i in seen:
            fail(where, f"id {i!r} appears twice")
        seen.add(i)


# --- skills -----------------------------------------------------------------

SKILL_KEYS = {"id", "mana", "level", "target", "school", "power", "crit", "status", "chance", "drain", "shared",
              "execute", "steal", "cleanse", "buy"}


def read_skills(data):
    rows = data["skills"]
    unique("skills.json", [r["id"] for r in rows])
    skills = []
    for r in rows:
        where = f"skills.json {r.get('id')}"
        known_fields(where, r, SKILL_KEYS)
        s = {
            "id": r["id"],
            "mana": dec(r.get("mana", 0)),
            "level": int(r.get("level", 1)),
            "target": index_of(where, TARGETS, r["target"], "target"),
            "school": index_of(where, SCHOOLS, r["school"], "school"),
            "power": dec(r.get("power", 0)),
            "crit": dec(r.get("crit", 0)),
            "status": None,
            "chance": dec(r.get("chance", 1)),
            "drain": dec(r.get("drain", 0)),
            "shared": bool(r.get("shared", False)),
            "execute": dec(r.get("execute", 0)),
            "steal": bool(r.get("steal", False)),
            "cleanse": bool(r.get("cleanse", False)),
            "buy": None,
        }
        if "status" in r:
            kind, rounds, mag = r["status"]
            s["status"] = (index_of(where, STATUS, kind, "status"), int(rounds), dec(mag))
        if "buy" in r:
            cost, max_level = r["buy"]
            s["buy"] = (dec(cost), int(max_level))
        if s["shared"] and s["drain"] <= 0:
            fail(where, "shared without drain")
        if not (0 <= s["chance"] <= 1):
            fail(where, "chance outside 0..1")
        skills.append(s)
    return skills


def skill_row(s):
    f = [f'.id = "{s["id"]}"', f'.nameKey = "skill.{s["id"]}"', f'.descKey = "skill.{s["id"]}.desc"']
    if s["mana"]:
        f.append(f".manaCost = {num(s['mana'])}")
    f.append(f".reqLevel = {s['level']}")
    f.append(f".target = {TARGET_ENUM[s['target']]}")
    f.append(f".school = {SCHOOL_ENUM[s['school']]}")
    if s["power"]:
        f.append(f".power = {num(s['power'])}")
    if s["crit"]:
        f.append(f".critBonus = {num(s['crit'])}")
    if s["status"]:
        kind, rounds, mag = s["status"]
        f.append(f".status = {{.applies = 1, .kind = StatusKind::{STATUS_ENUM[kind]}, .rounds = {rounds}, "
                 f".magnitude = {num(mag)}}}")
    f.append(f".statusChance = {num(s['chance'])}")
    if s["drain"]:
        f.append(f".drain = {num(s['drain'])}")
    if s["shared"]:
        f.append(".drainShared = 1")
    if s["execute"]:
        f.append(f".executeThreshold = {num(s['execute'])}")
    if s["steal"]:
        f.append(".steal = 1")
    if s["cleanse"]:
        f.append(".cleanse = 1")
    if s["buy"]:
        cost, max_level = s["buy"]
        f += [".purchaseOnly = 1", f".baseCost = {num(cost)}", f".maxLevel = {max_level}"]
    return "    {" + ", ".join(f) + "},"


FX_KEYS = {"skill", "a", "b", "form", "trail", "lob", "aoe", "variant", "slash", "aura"}


def read_fx(data, skills):
    rows = data["fx"]
    if [r.get("skill") for r in rows] != [s["id"] for s in skills]:
        fail("spellfx.json", "needs exactly one row per skill, in skill order")
    out = []
    for r in rows:
        where = f"spellfx.json {r['skill']}"
        known_fields(where, r, FX_KEYS)
        fx = {"a": colour(where, r["a"]), "b": colour(where, r["b"])}
        fx["form"] = pick(where, FORMS, r["form"], "form")[1] if "form" in r else None
        fx["trail"] = pick(where, TRAILS, r["trail"], "trail") if "trail" in r else None
        fx["lob"] = bool(r.get("lob", False))
        fx["aoe"] = pick(where, AOES, r["aoe"], "area kind") if "aoe" in r else None
        fx["variant"] = pick(where, VARIANTS, r["variant"], "variant") if "variant" in r else None
        fx["slash"] = pick(where, SLASHES, r["slash"], "slash") if "slash" in r else None
        fx["aura"] = pick(where, AURAS, r["aura"], "aura") if "aura" in r else None
        out.append((r["skill"], fx))
    return out


def fx_row(skill_id, fx):
    f = [f".colourA = {hexc(fx['a'])}", f".colourB = {hexc(fx['b'])}"]
    for key in ("form", "trail"):
        if fx[key]:
            f.append(f".{key} = {fx[key]}")
    if fx["lob"]:
        f.append(".lob = 1")
    for key in ("aoe", "variant", "slash", "aura"):
        if fx[key]:
            f.append(f".{key} = {fx[key]}")
    return f"    {{{', '.join(f)}}},  // {skill_id}"


# --- items and sets ---------------------------------------------------------

ITEM_KEYS = {"id", "slot", "rarity", "weapon", "weight", "twoHanded", "set", "bonus", "price", "icon", "effect",
             "power"}


def read_items(data, set_ids):
    wearers, icons = data["wearers"], data["icons"]
    rows = data["items"]
    unique("items.json", [r["id"] for r in rows])
    items = []
    for r in rows:
        where = f"items.json {r.get('id')}"
        known_fields(where, r, ITEM_KEYS)
        slot = r["slot"]
        index_of(where, SLOTS, slot, "slot")
        it = {"id": r["id"], "slot": slot, "rarity": index_of(where, RARITIES, r["rarity"], "rarity"),
              "price": dec(r["price"]), "two": bool(r.get("twoHanded", False)), "set": r.get("set"),
              "weapon": None, "weight": None, "effect": None, "power": dec(r.get("power", 0))}
        if slot == "weapon":
            it["weapon"] = r.get("weapon")
            index_of(where, WEAPONS, it["weapon"], "weapon class")
            mask, icon = wearers["weapon"][it["weapon"]], icons["weapon"][it["weapon"]]
        elif slot in WEIGHTED_SLOTS:
            it["weight"] = r.get("weight")
            index_of(where, WEIGHTS, it["weight"], "armour weight")
            mask, icon = wearers["weight"][it["weight"]], icons["weight"][it["weight"]]
        else:
            mask, icon = wearers["slot"][slot], icons["slot"].get(slot)
        if slot != "weapon" and "weapon" in r:
            fail(where, "only weapons have a weapon class")
        if slot not in WEIGHTED_SLOTS and "weight" in r:
            fail(where, "only helms, armours and boots have a weight")
        it["mask"] = int(mask, 16)
        it["icon"] = r.get("icon", icon)
        if not it["icon"]:
            fail(where, "needs an icon")
        if it["set"] is not None and it["set"] not in set_ids:
            fail(where, f"unknown set {it['set']!r}")
        if slot == "consumable":
            it["effect"] = pick(where, EFFECTS, r.get("effect"), "consumable effect")
        elif "effect" in r or "power" in r:
            fail(where, "only consumables have an effect and a power")
        bonus = [(index_of(where, STATS, k, "stat"), dec(v)) for k, v in r.get("bonus", {}).items()]
        if len(bonus) > MAX_ITEM_BONUS:
            fail(where, f"at most {MAX_ITEM_BONUS} bonus stats")
        it["bonus"] = bonus
        items.append(it)
    return items


def item_row(it):
    f = [f'.id = "{it["id"]}"', f'.nameKey = "item.{it["id"]}"',
         f".slot = ItemSlot::{it['slot'][0].upper() + it['slot'][1:]}",
         f".rarity = Rarity::{RARITIES[it['rarity']][0].upper() + RARITIES[it['rarity']][1:]}"]
    if it["bonus"]:
        f.append(f".bonusCount = {len(it['bonus'])}")
        f.append(".bonusStats = {" + ", ".join(STAT_ENUM[s] for s, _ in it["bonus"]) + "}")
        f.append(".bonusValues = {" + ", ".join(num(v) for _, v in it["bonus"]) + "}")
    f.append(f'.icon = "{it["icon"]}"')
    f.append(f".price = {num(it['price'])}")
    if it["set"]:
        f.append(f'.setId = "{it["set"]}"')
    if it["two"]:
        f.append(".twoHanded = 1")
    if it["effect"]:
        f.append(f".effect = ConsumableEffect::{it['effect']}")
        f.append(f".power = {num(it['power'])}")
    if it["weight"]:
        f.append(f".armorWeight = Weight{it['weight'].capitalize()}")
    if it["weapon"]:
        f.append(f".weaponClass = Weapon{it['weapon'].capitalize()}")
        f.append(f'.weaponClassKey = "weaponClass.{it["weapon"]}"')
    f.append(f".classMask = 0x{it['mask']:02x}")
    return "    {" + ", ".join(f) + "},"


def read_sets(data):
    rows = data["sets"]
    unique("sets.json", [r["id"] for r in rows])
    sets = []
    for r in rows:
        where = f"sets.json {r['id']}"
        known_fields(where, r, {"id", "tiers"})
        tiers = [(int(p), stat_block(where, b)) for p, b in r["tiers"]]
        if not 0 < len(tiers) <= MAX_SET_TIERS:
            fail(where, f"one to {MAX_SET_TIERS} tiers")
        if [p for p, _ in tiers] != sorted({p for p, _ in tiers}):
            fail(where, "tiers need rising piece counts")
        sets.append({"id": r["id"], "tiers": tiers})
    return sets


def set_row(s):
    tiers = ", ".join(f"{{.pieces = {p}, .bonus = {stats_cpp(b)}}}" for p, b in s["tiers"])
    return (f'    {{.id = "{s["id"]}", .nameKey = "set.{s["id"]}", .tierCount = {len(s["tiers"])},\n'
            f"     .tiers = {{{{{tiers}}}}}}},")


# --- classes ----------------------------------------------------------------

def read_classes(data, skill_ids, item_ids):
    rows = data["classes"]
    if [r["id"] for r in rows] != list(CLASS_ENUM):
        fail("classes.json", f"classes must be {list(CLASS_ENUM)} in that order")
    out = []
    for r in rows:
        where = f"classes.json {r['id']}"
        known_fields(where, r, {"id", "role", "base", "growth", "skills", "premium", "keyStats", "start"})
        c = {"id": r["id"], "role": pick(where, ROLE_ENUM, r["role"], "role"),
             "base": stat_block(where, r["base"]), "growth": stat_block(where, r["growth"]),
             "skills": [index_of(where, skill_ids, s, "skill") for s in r["skills"]],
             "premium": [index_of(where, skill_ids, s, "skill") for s in r["premium"]],
             "keyStats": [index_of(where, STATS, s, "stat") for s in r["keyStats"]],
             "start": r["start"]}
        if not 1 <= len(c["start"]) <= 2:
            fail(where, "start lists a weapon and at most one off-hand item")
        for item in c["start"]:
            index_of(where, item_ids, item, "item")
        out.append(c)
    return out


# --- monsters ---------------------------------------------------------------

PREFIX_KEYS = {"id", "colours", "skills", "mul", "add", "xp", "tierStep"}
BASE_KEYS = {"id", "family", "stats", "xp", "gold", "skills", "great"}
NAMED_KEYS = {"id", "tier", "family", "stats", "xp", "gold", "skills"}
AT_LEAST_ONE = ("maxHp", "atk", "spd")


def monster_skill_check(data, skill_ids, skills):
    """A checker for skill lists: every skill known, usable by a monster and,
    when a family is named, in that family's pool."""
    families = data["families"]
    for fam, pool in families.items():
        for s in pool:
            index_of(f"monsters.json family {fam}", skill_ids, s, "skill")

    def check(where, family, names):
        if family is not None:
            pool = pick(where, families, family, "family")
            for s in names:
                if s not in pool:
                    fail(where, f"skill {s!r} does not fit the {family} family")
        for s in names:
            sk = skills[index_of(where, skill_ids, s, "skill")]
            if sk["steal"] or sk["school"] == SCHOOLS.index("revive"):
                fail(where, f"monsters cannot use {s!r}")
    return check


def read_tiers(data):
    tiers = []
    for t in TIERS:
        row = data["tiers"][t]
        tiers.append({"mul": stat_block(f"monsters.json tier {t}", row["mul"]), "xp": dec(row["xp"]),
                      "gold": dec(row["gold"])})
    return tiers


def read_prefixes(data, check):
    rows = data["prefixes"]
    unique("monsters.json prefixes", [p["id"] for p in rows])
    prefixes = []
    for p in rows:
        where = f"monsters.json prefix {p['id']}"
        known_fields(where, p, PREFIX_KEYS)
        if len(p["colours"]) != 4:
            fail(where, "four colours, for the palette keys 1, 2, 3 and e")
        check(where, None, p["skills"])
        mul = p.get("mul", {})
        prefixes.append({"id": p["id"], "colours": [colour(where, c) for c in p["colours"]], "skills": p["skills"],
                         "mul": [m if k in mul else Decimal(1) for m, k in zip(stat_block(where, mul), STATS)],
                         "add": stat_block(where, p.get("add", {})), "xp": dec(p.get("xp", 1)),
                         "step": int(p.get("tierStep", 0))})
    return prefixes


def expand_base(base, prefixes, tiers):
    stats = stat_block(f"monsters.json base {base['id']}", base["stats"])
    lo, hi = base["gold"]
    rows = []
    for p in prefixes:
        tier = (1 if base.get("great", False) else 0) + p["step"]
        if not 0 <= tier < len(TIERS):
            fail(f"monster {p['id']}_{base['id']}", "the prefix lifts the tier past boss")
        t = tiers[tier]
        values = []
        for i, key in enumerate(STATS):
            v = round_half_away((stats[i] * p["mul"][i] + p["add"][i]) * t["mul"][i])
            values.append(max(1 if key in AT_LEAST_ONE else 0, v))
        names = ["attack"]
        for s in base["skills"] + p["skills"]:
            if s not in names:
                names.append(s)
        rows.append({"id": f"{p['id']}_{base['id']}", "base": base["id"], "prefix": p["id"], "sprite": base["id"],
                     "colours": p["colours"], "stats": values, "skills": names,
                     "xp": round_half_away(dec(base["xp"]) * p["xp"] * t["xp"]),
                     "gold": (round_half_away(dec(lo) * t["gold"]), round_half_away(dec(hi) * t["gold"])),
                     "tier": tier})
    return rows


def read_named(n, check):
    where = f"monsters.json named {n['id']}"
    known_fields(where, n, NAMED_KEYS)
    check(where, n["family"], n["skills"])
    return {"id": n["id"], "base": n["id"], "prefix": None, "sprite": n["id"], "colours": [0, 0, 0, 0],
            "stats": [int(v) for v in stat_block(where, n["stats"])], "skills": ["attack"] + n["skills"],
            "xp": dec(n["xp"]), "gold": (int(n["gold"][0]), int(n["gold"][1])),
            "tier": index_of(where, TIERS, n["tier"], "tier")}


def read_monsters(data, skill_ids, skills):
    check = monster_skill_check(data, skill_ids, skills)
    tiers = read_tiers(data)
    prefixes = read_prefixes(data, check)
    rows = []
    for base in data["bases"]:
        where = f"monsters.json base {base['id']}"
        known_fields(where, base, BASE_KEYS)
        check(where, base["family"], base["skills"])
        rows += expand_base(base, prefixes, tiers)
    rows += [read_named(n, check) for n in data["named"]]
    unique("monsters.json", [m["id"] for m in rows])
    for m in rows:
        if m["gold"][0] > m["gold"][1]:
            fail(f"monster {m['id']}", "gold minimum above maximum")
    return rows


def monster_row(m, skill_array):
    f = [f'.id = "{m["id"]}"', f'.nameKey = "monster.{m["base"]}"']
    if m["prefix"]:
        f.append(f'.prefixKey = "monster.pre.{m["prefix"]}"')
    f.append(f'.sprite = "{m["sprite"]}"')
    if m["prefix"]:
        f.append(".recolour = 1")
        f.append(".colours = {" + ", ".join(hexc(c) for c in m["colours"]) + "}")
    f.append(".base = " + stats_cpp(m["stats"]))
    f.append(f".skills = {skill_array}")
    f.append(f".xp = {num(m['xp'])}")
    f.append(f".goldMin = {m['gold'][0]}, .goldMax = {m['gold'][1]}")
    f.append(f".tier = {TIER_ENUM[m['tier']]}")
    return "    {" + ", ".join(f) + "},"


# --- output -----------------------------------------------------------------

BANNER = "// Generated by tools/gen_catalog.py from rules/data/*.json. Do not edit: change the data and rebuild.\n"


def index_list(values, names):
    return "{" + ", ".join(f"{v} /* {names[v]} */" for v in values) + "}"


def write(out_dir, skills, fx, items, sets, classes, monsters):
    skill_ids = [s["id"] for s in skills]
    header = BANNER + f"""#pragma once
#include "rules/classes.h"
#include "rules/items.h"
#include "rules/monsters.h"
#include "rules/skills.h"

namespace rpg::data {{

inline constexpr int kSkillCount = {len(skills)};
inline constexpr int kItemCount = {len(items)};
inline constexpr int kSetCount = {len(sets)};
inline constexpr int kClassCount = {len(classes)};
inline constexpr int kMonsterCount = {len(monsters)};

extern const SkillDef kSkills[kSkillCount];
extern const SpellFx kSpellFx[kSkillCount];
extern const ItemDef kItems[kItemCount];
extern const SetDef kSets[kSetCount];
extern const ClassDef kClasses[kClassCount];
extern const MonsterDef kMonsters[kMonsterCount];

}} // namespace rpg::data
"""
    body = [BANNER, '#include "rules/data_gen.h"\n\nnamespace rpg::data {\nnamespace {\n']
    for c in classes:
        name = c["id"].capitalize()
        body.append(f"const std::uint16_t k{name}Skills[] = {index_list(c['skills'], skill_ids)};\n")
        body.append(f"const std::uint16_t k{name}Premium[] = {index_list(c['premium'], skill_ids)};\n")
        body.append(f"const StatId k{name}KeyStats[] = {{{', '.join(STAT_ENUM[s] for s in c['keyStats'])}}};\n")
    lists = {}
    for m in monsters:
        key = tuple(m["skills"])
        if key not in lists:
            lists[key] = f"kMonsterSkills{len(lists)}"
            idx = [skill_ids.index(s) for s in key]
            body.append(f"const std::uint16_t {lists[key]}[] = {index_list(idx, skill_ids)};\n")
    body.append("\n} // namespace\n\n")

    body.append("const SkillDef kSkills[kSkillCount] = {\n")
    body += [skill_row(s) + "\n" for s in skills]
    body.append("};\n\nconst SpellFx kSpellFx[kSkillCount] = {\n")
    body += [fx_row(sid, f) + "\n" for sid, f in fx]
    body.append("};\n\nconst ItemDef kItems[kItemCount] = {\n")
    body += [item_row(it) + "\n" for it in items]
    body.append("};\n\nconst SetDef kSets[kSetCount] = {\n")
    body += [set_row(s) + "\n" for s in sets]
    body.append("};\n\nconst ClassDef kClasses[kClassCount] = {\n")
    for c in classes:
        name = c["id"].capitalize()
        start = c["start"]
        off = f'"{start[1]}"' if len(start) > 1 else "nullptr"
        body.append(
            f"    {{.cls = ClassId::{CLASS_ENUM[c['id']]}, .nameKey = \"class.{c['id']}\", "
            f".blurbKey = \"class.{c['id']}.blurb\", .role = ClassRole::{c['role']}, .id = \"{c['id']}\",\n"
            f"     .base = {stats_cpp(c['base'])},\n"
            f"     .growth = {stats_cpp(c['growth'])},\n"
            f"     .skills = k{name}Skills, .keyStats = k{name}KeyStats, .startWeapon = \"{start[0]}\", "
            f".startOffhand = {off}, .premium = k{name}Premium}},\n")
    body.append("};\n\nconst MonsterDef kMonsters[kMonsterCount] = {\n")
    body += [monster_row(m, lists[tuple(m["skills"])]) + "\n" for m in monsters]
    body.append("};\n\n} // namespace rpg::data\n")

    os.makedirs(os.path.join(out_dir, "rules"), exist_ok=True)
    # Always written: the build compares the outputs' time with the data's.
    for name, text in (("data_gen.h", header), ("data_gen.cpp", "".join(body))):
        with open(os.path.join(out_dir, "rules", name), "w", encoding="utf-8") as f:
            f.write(text)


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    data_dir, out_dir = argv[1], argv[2]
    try:
        skills = read_skills(load(data_dir, "skills.json"))
        skill_ids = [s["id"] for s in skills]
        fx = read_fx(load(data_dir, "spellfx.json"), skills)
        sets = read_sets(load(data_dir, "sets.json"))
        items = read_items(load(data_dir, "items.json"), {s["id"] for s in sets})
        classes = read_classes(load(data_dir, "classes.json"), skill_ids, [i["id"] for i in items])
        monsters = read_monsters(load(data_dir, "monsters.json"), skill_ids, skills)
    except DataError as e:
        print(f"gen_catalog: {e}", file=sys.stderr)
        return 1
    except (KeyError, ValueError, TypeError) as e:
        print(f"gen_catalog: malformed data: {e!r}", file=sys.stderr)
        return 1
    write(out_dir, skills, fx, items, sets, classes, monsters)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

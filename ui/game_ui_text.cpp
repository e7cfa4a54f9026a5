// Display texts: game values as the strings the screens show.
#include <glib.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "platform/i18n.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace ui {
namespace {

// llround has no defined result for NaN or beyond the range of long long;
// such values (from a damaged save, say) show as 0 or the nearest end.
long long roundedForDisplay(double value) {
    constexpr double kTwo63 = 9223372036854775808.0;
    if (std::isnan(value)) return 0;
    if (value >= kTwo63) return LLONG_MAX;
    if (value < -kTwo63) return LLONG_MIN;
    return std::llround(value);
}

constexpr const char* kSeparator = " \u00b7 ";

void appendItem(std::string* line, const std::string& item) {
    if (!line->empty()) *line += kSeparator;
    *line += item;
}

// "+5", "-2", and "+0" for a value that rounds to nothing but is not 0.
std::string signedWhole(double value) {
    const long long whole = roundedForDisplay(value);
    return whole < 0 ? num(static_cast<double>(whole)) : "+" + num(static_cast<double>(whole));
}


// The word with its first letter in lower case ("Wolf": "wolf"), as the
// second part of a compound writes it.
std::string lowerInitial(const std::string& word) {
    if (word.empty() || !g_utf8_validate(word.data(), static_cast<gssize>(word.size()), nullptr)) return word;
    const char* second = g_utf8_next_char(word.data());
    gchar* initial = g_utf8_strdown(word.data(), second - word.data());
    std::string out = std::string(initial) + second;
    g_free(initial);
    return out;
}

// Whether the name's last word carries the Arabic article ("خنزير الثآليل"):
// such a name is complete and takes no further genitive.
bool endsInDefiniteWord(const std::string& name) {
    const std::size_t space = name.rfind(' ');
    return std::string_view(name).substr(space == std::string::npos ? 0 : space + 1).starts_with("\u0627\u0644");
}

// A monster's translated name and prefix, as the catalogue writes them. A
// prefix text is either a word that stands before or after the name, as
// the language orders them ("Frost Wolf", "Loup glaciaire"), or a stem that
// ends in "-" and joins the name as one word ("Frost-": "Frostwolf"). After
// " | " it may give the form that follows a name ending in a definite word
// (Arabic: "الحمم | المنصهر" gives "ذئب الحمم" but "خنزير الثآليل المنصهر").
std::string prefixedName(const std::string& base, const std::string& prefixText) {
    std::string prefix = prefixText;
    if (const std::size_t bar = prefixText.find(" | "); bar != std::string::npos) {
        prefix = endsInDefiniteWord(base) ? prefixText.substr(bar + 3) : prefixText.substr(0, bar);
    }
    if (prefix.size() > 1 && prefix.back() == '-') return prefix.substr(0, prefix.size() - 1) + lowerInitial(base);
    const char* gap = i18n::wordGap();
    return i18n::currentPrefixAfterBase() ? base + gap + prefix : prefix + gap + base;
}

} // namespace

std::string className(rpg::ClassId cls) { return i18n::tr(rpg::classDef(cls).nameKey); }

std::string heroTitle(const rpg::Hero& hero) { return hero.name + kSeparator + className(hero.cls); }

std::string combatantName(const rpg::Combatant& c) {
    if (!c.name.empty()) return c.name;
    const std::string base = i18n::tr(c.nameKey);
    if (c.prefixKey.empty()) return base;
    return prefixedName(base, i18n::tr(c.prefixKey));
}

// A no-break space: a wrapped line never parts the label from its number.
std::string levelLabel(double level) { return i18n::tr("common.lvl") + "\u00a0" + num(level); }

std::string gearScoreLabel(double score) { return i18n::tr("common.gearScore") + "\u00a0" + num(score); }

const char* forwardArrow() { return i18n::currentIsRtl() ? "\u2190" : "\u2192"; }

namespace {

// Chinese, Japanese and Korean read an arrow between two phrases where Latin
// text takes a bare ">".
bool arrowBetweenPhrases() {
    const std::string& code = i18n::currentLanguage();
    return code == "ja" || code == "zh" || code == "zh_TW" || code == "ko";
}

} // namespace

const char* targetArrow() {
    if (i18n::currentIsRtl()) return "\u2190";
    return arrowBetweenPhrases() ? "\u2192" : ">";
}

// Unicode mirrors "<" and ">" by the level of the text around them, so a bare
// mark would point one way in the text and the other on screen; held between
// two left-to-right marks, "<" is drawn as written.
const char* moreMark() { return i18n::currentIsRtl() ? "\u200E<\u200E" : ">"; }

std::string itemName(const rpg::ItemInstance& item) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    return def ? i18n::tr(def->nameKey) : item.defId;
}

std::string bonusLine(const rpg::Stats& stats, const std::vector<rpg::StatId>& ids) {
    std::string line;
    for (rpg::StatId id : ids) {
        const double v = rpg::statValue(stats, id);
        if (v == 0) continue;
        appendItem(&line, i18n::tr(rpg::statLabelKey(id)) + " " + signedWhole(v));
    }
    return line;
}

std::string itemBonusLine(const rpg::ItemInstance& item) {
    if (item.rolled) return bonusLine(item.roll, item.rollKeys);
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def) return {};
    std::vector<rpg::StatId> ids(def->bonusStats.begin(), def->bonusStats.begin() + def->bonusCount);
    return bonusLine(rpg::itemBaseBonus(*def), ids);
}

uint32_t rarityTextColor(rpg::Rarity r) { return r == rpg::Rarity::Rare ? theme::kManaText : rpg::rarityColor(r); }

std::string affixLine(const rpg::ItemInstance& item) {
    // Two affixes of one kind (the same resistance, say) work as their sum,
    // so they read as one, where the first of them stands.
    std::vector<rpg::ItemAffix> merged;
    for (const rpg::ItemAffix& affix : item.affixes) {
        const bool resist = affix.kind > 1;
        auto same = std::find_if(merged.begin(), merged.end(), [&](const rpg::ItemAffix& m) {
            return resist ? m.kind > 1 && m.status == affix.status : m.kind == affix.kind;
        });
        if (same == merged.end()) merged.push_back(affix);
        else same->value += affix.value;
    }
    std::string line;
    for (const rpg::ItemAffix& affix : merged) {
        const std::string n = num(affix.value);
        if (affix.kind == 0) {
            appendItem(&line, i18n::tr("affix.manaRegen", {{"n", n}}));
        } else if (affix.kind == 1) {
            appendItem(&line, i18n::tr("affix.hpRegen", {{"n", n}}));
        } else {
            const std::string s = i18n::tr(rpg::statusDesc(affix.status).nameKey);
            appendItem(&line, affix.value >= 100 ? i18n::tr("affix.immune", {{"s", s}})
                                                 : i18n::tr("affix.resist", {{"s", s}, {"n", n}}));
        }
    }
    return line;
}

std::string countText(const std::string& key, const char* name, double count) {
    return i18n::tr(count == 1 ? key + ".one" : key, {{name, num(count)}});
}

std::string withWeaponKind(const std::string& name, const rpg::ItemDef& def) {
    const char* hands = def.twoHanded ? "equip.twoHand" : "equip.oneHand";
    return i18n::tr("equip.withKind", {{"name", name},
                                       {"kind", def.weaponClassKey ? i18n::tr(def.weaponClassKey) : std::string()},
                                       {"hands", i18n::tr(hands)}});
}

std::string withManaCost(const std::string& desc, double cost) {
    return i18n::tr("common.withCost", {{"n", num(cost)}, {"mp", i18n::tr("stat.mp")}, {"desc", desc}});
}

std::string num(double value) { return i18n::formatWhole(roundedForDisplay(value)); }

std::string seedNum(double value) {
    const std::string digits = std::to_string(roundedForDisplay(value));
    const bool negative = digits[0] == '-';
    std::string out;
    const size_t first = negative ? 1 : 0;
    for (size_t i = first; i < digits.size(); ++i) {
        if (i > first && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

std::string formatTime(long long ms) {
    const long long hours = ms / 3600000;
    const long long minutes = (ms / 1000 - hours * 3600) / 60;
    const long long seconds = ms / 1000 - (ms / 60000) * 60;
    char buf[64];  // room for any long long, though real times need far less
    if (ms < 3600000)
        std::snprintf(buf, sizeof buf, "%02lld:%02lld", minutes, seconds);
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", hours, minutes, seconds);
    return buf;
}

std::string formatDateTime(long long ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return {};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                  local.tm_hour, local.tm_min);
    return buf;
}

} // namespace ui

#include "screens/trainer_stock.h"

#include <algorithm>
#include <cmath>

#include "platform/storage.h"
#include "rules/leveling.h"
#include "rules/rng.h"
#include "ui/game_ui.h"

namespace ui {

SpellShopOpts scrollShopOpts() {
    return {"city.scrolls", "scrolls.learn", "scrolls.upgrade", "scrolls.buyBtn", "scrolls.upgradeBtn",
            true,           true,            true};
}

SpellShopOpts trainerOpts() {
    return {"city.trainer", "trainer.learn", "trainer.upgrade", "trainer.learnBtn", "trainer.upgradeBtn",
            false,          false,           false};
}

SpellShopPlace spellShopPlace(const std::string& nodeId) {
    SpellShopPlace place;
    place.nodeId = nodeId;
    if (place.inRun()) {
        const rpg::RunState& run = store::run();
        double row = 0;
        for (const rpg::MapNode& node : run.map.nodes) {
            if (node.id == nodeId) row = node.row;
        }
        place.depth = std::max(row, static_cast<double>(run.depth));
    } else {
        place.depth = store::meta().bestDepth;
    }
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    if (!party.empty()) {
        double sum = 0;
        for (const rpg::Hero* hero : party) sum += hero->level;
        place.partyLevel = std::round(sum / static_cast<double>(party.size()));
    }
    return place;
}

double scrollCeiling(const SpellShopPlace& place) { return 240 + 35 * place.depth + 18 * place.partyLevel; }

std::string scrollSeedText(const SpellShopPlace& place, const std::string& heroId) {
    if (place.inRun()) return std::to_string(store::run().seed) + "-" + place.nodeId + "-" + heroId;
    return "scrolls-" + heroId + "-" + seedNum(place.depth) + "-" + seedNum(place.partyLevel);
}

std::vector<const rpg::SkillDef*> learnList(const rpg::Hero& hero, const SpellShopOpts& opts,
                                            const SpellShopPlace& place) {
    const std::vector<rpg::SkillDef>& catalogue = rpg::skills();
    const double ceiling = scrollCeiling(place);
    std::vector<const rpg::SkillDef*> list;
    for (const std::uint16_t index : rpg::classDef(hero.cls).premium) {
        if (index >= catalogue.size()) continue;
        const rpg::SkillDef& skill = catalogue[index];
        if (rpg::skillLevel(hero, skill.id) >= 1) continue;
        if (opts.scrollStock && rpg::learnCost(skill) > ceiling) continue;
        list.push_back(&skill);
    }
    if (opts.scrollStock) {
        rpg::Rng rng = rpg::rngFromText(scrollSeedText(place, hero.id));
        rng.shuffle(list);
    }
    return list;
}

std::vector<const rpg::SkillDef*> upgradeList(const rpg::Hero& hero) {
    std::vector<const rpg::SkillDef*> list;
    for (const std::string& id : rpg::unlockedSkills(hero)) {
        if (id == "attack" || id == "defend") continue;
        if (const rpg::SkillDef* skill = rpg::findSkill(id)) list.push_back(skill);
    }
    return list;
}

double learnPriceAt(const rpg::SkillDef& skill, const SpellShopOpts& opts, const SpellShopPlace& place) {
    return opts.runPrices ? rpg::learnPrice(skill, place.partyLevel, place.depth) : rpg::learnCost(skill);
}

double upgradePriceAt(const rpg::SkillDef& skill, int level, const SpellShopOpts& opts,
                      const SpellShopPlace& place) {
    return opts.runPrices ? rpg::upgradePrice(skill, level, place.partyLevel, place.depth)
                          : rpg::upgradeCost(skill, level);
}

double spellTabsTop(double headerH, double s) { return headerH + 4 * s + 28 * s; }

Rect spellListRect(double w, double h, double s, double headerH, bool inRun) {
    const double width = std::min(std::round(0.66 * w), w);
    const double top = spellTabsTop(headerH, s) + 56 * s + 10 * s;
    const double bottom = inRun ? h - 66 * s : h - 8 * s;
    return {(w - width) / 2, top, width, std::max(0.0, bottom - top)};
}

Rect spellLeaveRect(double w, double h, double s, double listW) {
    const double width = std::min(420 * s, listW - 24 * s);
    return {(w - width) / 2, h - 58 * s, width, 46 * s};
}

Rect spellRowRect(const Rect& list, double y, double s) { return {list.x + 12 * s, y, list.w - 24 * s, 62 * s}; }

Rect spellActionRect(const Rect& row, double s) {
    return {row.x + row.w - 10 * s - 134 * s, row.y + (row.h - 32 * s) / 2, 134 * s, 32 * s};
}

} // namespace ui

#include "rules/classes.h"

#include "rules/data_gen.h"

namespace rpg {

const std::vector<ClassDef>& classes() {
    static const std::vector<ClassDef> rows(std::begin(data::kClasses), std::end(data::kClasses));
    return rows;
}

const ClassDef& classDef(ClassId cls) { return classes()[static_cast<std::size_t>(cls)]; }

const char* classIdString(ClassId cls) { return classDef(cls).id; }

ClassId classFromId(std::string_view id) {
    for (const ClassDef& c : classes())
        if (id == c.id) return c.cls;
    return ClassId::None;
}

} // namespace rpg

#include "rules/classes.h"

#include "rules/catalog.h"
#include "rules/data_gen.h"

namespace rpg {

const std::vector<ClassDef>& classes() { return catalogOf<data::kClasses>().rows(); }

const ClassDef& classDef(ClassId cls) { return classes()[static_cast<std::size_t>(cls)]; }

const char* classIdString(ClassId cls) { return classDef(cls).id; }

ClassId classFromId(std::string_view id) {
    const ClassDef* c = catalogOf<data::kClasses>().find(id);
    return c ? c->cls : ClassId::None;
}

} // namespace rpg

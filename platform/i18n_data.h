#pragma once
// The built-in translation catalogues. The tables are generated at build time
// from platform/lang/*.txt; every catalogue holds the same keys, sorted by
// their bytes.

namespace i18n_data {

struct Entry {
    const char* key;
    const char* text;
};

struct Catalog {
    const char* code;
    const char* nativeName;
    const char* englishName;
    bool rtl;
    bool prefixAfterBase;  // a monster's name prefix follows its base name
    const Entry* entries;
    int count;
};

constexpr int kCatalogCount = 44;
extern const Catalog kCatalogs[kCatalogCount];

} // namespace i18n_data

// Declares the per-language arrays (kEntries_de, kEntries_zh_TW, ...).
#include "i18n_entries.h"

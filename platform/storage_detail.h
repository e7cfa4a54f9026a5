#pragma once
// Inside the store: the sealed reader and writer that the three files share
// and the JSON forms of what they hold. Only the store's own sources and its
// tests include this.
#include <string>

#include "platform/json.h"
#include "platform/storage.h"

namespace store::detail {

// Seals the value's text into path + ".neu", syncs it and renames it over
// `path` in one step, so `path` always holds either the old or the new
// file. False on any failure: the old file stays, the ".neu" is removed and
// one "[storage]" line goes to standard error.
bool writeSealed(const std::string& path, const js::Value& value);
// The parsed object in `path`, or Null when it is missing, unreadable,
// empty, or damaged. A damaged file (whose seal fails, or whose text is no
// JSON object), and anything under the name that is not a regular file of
// sane size, is renamed to path + ".manipuliert" (an older copy there moves
// on to ".manipuliert.1", …) with one "[storage]" line on standard error. A file that exists but cannot be
// opened or read stays untouched: one "[storage]" line, and *untouchable
// (when given) is set so that the caller never writes over it.
js::Value readSealed(const std::string& path, bool* untouchable = nullptr);

// Value builders. A non-finite number counts as missing both ways: it is
// written as the field's default and read as the field's default, so a
// "nan" never reaches a file and a file never brings one into the game.
js::Value object();
js::Value array();
js::Value text(const std::string& s);
js::Value flag(bool b);
js::Value number(double v, double def = 0);
// A finite Number's value, else def.
double numberOr(const js::Value& v, double def);

js::Value statsToJson(const rpg::Stats& s);
rpg::Stats statsFromJson(const js::Value& v);
js::Value itemToJson(const rpg::ItemInstance& item);
// The empty item (empty defId) for a value that is not an item of the
// catalogue; callers drop it.
rpg::ItemInstance itemFromJson(const js::Value& v);
js::Value itemsToJson(const std::vector<rpg::ItemInstance>& items);
// Appends the accepted items of an array; anything else adds nothing.
void itemsFromJson(const js::Value& list, std::vector<rpg::ItemInstance>* out);

js::Value settingsToJson(const Settings& s);
// Over the record's current values; only what the file holds changes.
void settingsFromJson(const js::Value& o, Settings* s);
js::Value metaToJson(const Meta& m);
// Into a record that holds the defaults.
void metaFromJson(const js::Value& o, Meta* m);
js::Value runToJson(const rpg::RunState& run);
// The run a file holds, active; false (and *out untouched) when the map is
// broken or the party empty, so that nothing half is ever played on.
bool runFromJson(const js::Value& o, rpg::RunState* out);
// The run of a new state: inactive, nothing in it, start id "start".
rpg::RunState emptyRun();

} // namespace store::detail

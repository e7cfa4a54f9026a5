#pragma once
// The game's own JSON values: one plain value type, a compact writer and a
// forgiving parser. Stored state goes through here; lookups never fail and
// never insert, so readers of stored fields can chain them freely.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace js {

enum class Type : std::int32_t { Null = 0, Bool = 1, Number = 2, String = 3, Array = 4, Object = 5 };

// Every member exists whatever the kind; only the kind's own member means
// anything, the others stay empty or zero.
struct Value {
    Type type = Type::Null;
    bool b = false;
    double num = 0.0;
    std::string str;
    std::vector<Value> arr;
    std::map<std::string, Value> obj;  // bytewise key order, which dump() keeps

    // A Number rounded half up (floor(num + 0.5)); def for every other kind
    // and for NaN; numbers beyond int are clamped to its range.
    int asInt(int def) const;
    // The member or element, or kNull when the kind or key or index misses.
    const Value& operator[](const std::string& key) const;
    const Value& operator[](unsigned long i) const;
    // Elements of an Array, members of an Object, 0 otherwise.
    std::size_t size() const;
    bool has(const std::string& key) const;
    // Compact text: no whitespace anywhere.
    std::string dump() const;
};

// The one shared Null that every missed lookup hands out.
extern const Value kNull;

// Nesting deeper than this fails the parse instead of exhausting the stack.
inline constexpr int kMaxDepth = 512;

// The value the text begins with (trailing bytes are ignored), or Null when
// the text is not valid.
Value parse(const std::string& text);
// Reads and parses a whole file; false (and *out untouched) when the file
// cannot be read, does not parse, or holds only null.
bool parseFile(const std::string& path, Value* out);
// Writes v.dump() to path + ".tmp" and renames it over path, so the old file
// stays whole until the new one is complete.
bool writeFileAtomic(const std::string& path, const Value& v);

} // namespace js

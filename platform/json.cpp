#include "platform/json.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <locale.h>

#include "platform/fs.h"

namespace js {

const Value kNull{};

namespace {

// ---- writer ----------------------------------------------------------------

// std::to_chars never looks at the process locale, so a German desktop still
// writes "0.5" and not "0,5".
void dumpNumber(double n, std::string& out) {
    char buf[40];
    std::to_chars_result r;
    if (std::floor(n) == n && std::fabs(n) < 1e15) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(n));
    } else {
        r = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::general, 17);
    }
    out.append(buf, r.ptr);
}

void dumpString(const std::string& s, std::string& out) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void dumpValue(const Value& v, std::string& out) {
    switch (v.type) {
    case Type::Null: out += "null"; return;
    case Type::Bool: out += v.b ? "true" : "false"; return;
    case Type::Number: dumpNumber(v.num, out); return;
    case Type::String: dumpString(v.str, out); return;
    case Type::Array: {
        out += '[';
        bool first = true;
        for (const Value& e : v.arr) {
            if (!first) out += ',';
            first = false;
            dumpValue(e, out);
        }
        out += ']';
        return;
    }
    case Type::Object: {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : v.obj) {
            if (!first) out += ',';
            first = false;
            dumpString(key, out);
            out += ':';
            dumpValue(member, out);
        }
        out += '}';
        return;
    }
    }
}

// ---- parser ----------------------------------------------------------------

struct Parser {
    const std::string& text;
    std::size_t pos = 0;
    bool ok = true;  // sticky: the first error decides the result
    int depth = 0;   // arrays and objects open around pos

    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return text[pos]; }
    void skipBlanks() {
        while (!atEnd()) {
            char c = peek();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return;
            ++pos;
        }
    }
};

// Counts one level of nesting for as long as it lives; input nested deeper
// than kMaxDepth fails rather than recursing until the stack runs out.
struct Nesting {
    Parser& p;
    explicit Nesting(Parser& parser) : p(parser) {
        if (++p.depth > kMaxDepth) p.ok = false;
    }
    ~Nesting() { --p.depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
};

// Numbers read the same in every process locale: strtod under a fixed "C"
// locale object keeps every form strtod accepts (hex, inf, a leading plus)
// without the decimal comma of a German or French desktop.
double readNumber(const char* s, char** end) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return cLocale ? strtod_l(s, end, cLocale) : std::strtod(s, end);
}

// A byte that is no hex digit counts as 0; stored files may rely on that.
unsigned hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 0;
}

unsigned hex4(const std::string& text, std::size_t at) {
    unsigned cp = 0;
    for (std::size_t i = 0; i < 4; ++i) cp = cp * 16 + hexDigit(text[at + i]);
    return cp;
}

void appendUtf8(unsigned cp, std::string& s) {
    if (cp <= 0x7F) {
        s += static_cast<char>(cp);
    } else if (cp <= 0x7FF) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0xFFFF) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// After "\u": four digits, joined with a following low-surrogate escape
// when they name a high surrogate; unpaired halves are kept as they are.
bool readUnicodeEscape(Parser& p, std::string& s) {
    const std::string& t = p.text;
    if (t.size() - p.pos < 4) return false;
    unsigned cp = hex4(t, p.pos);
    p.pos += 4;
    if (cp >= 0xD800 && cp <= 0xDBFF && t.size() - p.pos >= 6 && t[p.pos] == '\\' && t[p.pos + 1] == 'u') {
        unsigned low = hex4(t, p.pos + 2);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            cp = 0x10000 + (cp - 0xD800) * 0x400 + (low - 0xDC00);
            p.pos += 6;
        }
    }
    appendUtf8(cp, s);
    return true;
}

bool readEscape(Parser& p, std::string& s) {
    if (p.atEnd()) return false;
    switch (p.text[p.pos++]) {
    case '"': s += '"'; return true;
    case '\\': s += '\\'; return true;
    case '/': s += '/'; return true;
    case 'b': s += '\b'; return true;
    case 'f': s += '\f'; return true;
    case 'n': s += '\n'; return true;
    case 'r': s += '\r'; return true;
    case 't': s += '\t'; return true;
    case 'u': return readUnicodeEscape(p, s);
    default: return false;
    }
}

std::string parseString(Parser& p) {
    std::string s;
    p.skipBlanks();
    if (p.atEnd() || p.peek() != '"') {
        p.ok = false;
        return s;
    }
    ++p.pos;
    for (;;) {
        // Raw bytes (control bytes and line breaks too) are copied in runs.
        std::size_t stop = p.text.find_first_of("\"\\", p.pos);
        if (stop == std::string::npos) {
            p.ok = false;
            return s;
        }
        s.append(p.text, p.pos, stop - p.pos);
        p.pos = stop + 1;
        if (p.text[stop] == '"') return s;
        if (!readEscape(p, s)) {
            p.ok = false;
            return s;
        }
    }
}

Value parseValue(Parser& p);

Value parseArray(Parser& p) {
    Value v;
    v.type = Type::Array;
    ++p.pos;  // the opening bracket
    Nesting nest(p);
    if (!p.ok) return v;
    p.skipBlanks();
    if (!p.atEnd() && p.peek() == ']') {
        ++p.pos;
        return v;
    }
    for (;;) {
        v.arr.push_back(parseValue(p));
        if (!p.ok) return v;
        p.skipBlanks();
        if (p.atEnd()) break;
        char c = p.text[p.pos++];
        if (c == ',') continue;
        if (c == ']') return v;
        break;
    }
    p.ok = false;
    return v;
}

Value parseObject(Parser& p) {
    Value v;
    v.type = Type::Object;
    p.skipBlanks();
    if (p.atEnd() || p.peek() != '{') {
        p.ok = false;
        return v;
    }
    ++p.pos;
    Nesting nest(p);
    if (!p.ok) return v;
    p.skipBlanks();
    if (!p.atEnd() && p.peek() == '}') {
        ++p.pos;
        return v;
    }
    for (;;) {
        std::string key = parseString(p);
        if (!p.ok) return v;
        p.skipBlanks();
        if (p.atEnd() || p.peek() != ':') break;
        ++p.pos;
        Value member = parseValue(p);
        if (!p.ok) return v;
        v.obj.insert_or_assign(std::move(key), std::move(member));  // the last duplicate wins
        p.skipBlanks();
        if (p.atEnd()) break;
        char c = p.text[p.pos++];
        if (c == ',') continue;
        if (c == '}') return v;
        break;
    }
    p.ok = false;
    return v;
}

bool parseLiteral(Parser& p, const char* word, std::size_t len) {
    if (p.text.compare(p.pos, len, word) != 0) {
        p.ok = false;
        return false;
    }
    p.pos += len;
    return true;
}

void parseNumber(Parser& p, Value& v) {
    const char* start = p.text.c_str() + p.pos;
    char* end = nullptr;
    double d = readNumber(start, &end);
    if (end == start) {
        p.ok = false;
        return;
    }
    v.type = Type::Number;
    v.num = d;
    p.pos += static_cast<std::size_t>(end - start);
}

Value parseValue(Parser& p) {
    Value v;
    p.skipBlanks();
    if (p.atEnd()) {
        p.ok = false;
        return v;
    }
    switch (p.peek()) {
    case '"':
        v.str = parseString(p);
        v.type = Type::String;
        return v;
    case '[': return parseArray(p);
    case '{': return parseObject(p);
    case 't':
        if (parseLiteral(p, "true", 4)) {
            v.type = Type::Bool;
            v.b = true;
        }
        return v;
    case 'f':
        if (parseLiteral(p, "false", 5)) v.type = Type::Bool;
        return v;
    case 'n':
        parseLiteral(p, "null", 4);
        return v;
    default:
        parseNumber(p, v);
        return v;
    }
}

} // namespace

// ---- Value -------------------------------------------------------------------

int Value::asInt(int def) const {
    if (type != Type::Number || std::isnan(num)) return def;
    const double r = std::floor(num + 0.5);
    // Converting a double outside int's range is undefined; clamp first.
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

const Value& Value::operator[](const std::string& key) const {
    if (type != Type::Object) return kNull;
    auto it = obj.find(key);
    return it == obj.end() ? kNull : it->second;
}

const Value& Value::operator[](unsigned long i) const {
    if (type != Type::Array || i >= arr.size()) return kNull;
    return arr[i];
}

std::size_t Value::size() const {
    if (type == Type::Array) return arr.size();
    if (type == Type::Object) return obj.size();
    return 0;
}

bool Value::has(const std::string& key) const { return type == Type::Object && obj.count(key) != 0; }

std::string Value::dump() const {
    std::string out;
    dumpValue(*this, out);
    return out;
}

// ---- whole documents -----------------------------------------------------------

Value parse(const std::string& text) {
    Parser p{text};
    Value v = parseValue(p);
    if (!p.ok) return Value{};
    return v;
}

bool parseFile(const std::string& path, Value* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // istream::read turns a failing read (a directory, an I/O error) into
    // badbit; a streambuf iterator would throw instead.
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    Value v = parse(text);
    if (v.type == Type::Null) return false;
    *out = std::move(v);
    return true;
}

bool writeFileAtomic(const std::string& path, const Value& v) {
    const std::string tmp = path + ".tmp";
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    const std::string text = v.dump();
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    // A full disk shows up when the buffer is written out: check that here,
    // and the close too, so a short file never replaces a whole one.
    f.flush();
    if (!f) {
        f.close();
        return false;
    }
    f.close();
    if (f.fail()) return false;
    // One rename, never a remove first: the old file stays whole until then.
    return platform::fs::replaceAtomic(tmp, path);
}

} // namespace js

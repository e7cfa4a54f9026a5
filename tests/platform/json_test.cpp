#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

#include "platform/fs.h"
#include "platform/json.h"
#include "tests/support/test_env.h"

namespace {

using js::Type;
using js::Value;

Value num(double d) {
    Value v;
    v.type = Type::Number;
    v.num = d;
    return v;
}

Value str(const std::string& s) {
    Value v;
    v.type = Type::String;
    v.str = s;
    return v;
}

std::string scratchDir(const std::string& name) {
    std::string dir = testenv::root() + "/json/" + name;
    platform::fs::ensureDir(dir);
    return dir;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct ParseCase {
    const char* text;
    const char* dump;  // "null" for a failed parse
};

} // namespace

TEST(JsonParse, AcceptsAndRejectsLikeStoredFilesExpect) {
    const ParseCase cases[] = {
        // empty, blank and misspelt input fails; null parses but reads as failure
        {"", "null"},
        {" \t\r\n", "null"},
        {"nul", "null"},
        {"null", "null"},
        {"true x", "true"},
        {"fals", "null"},
        // the last duplicate key wins; trailing text after the value is ignored
        {R"({"a":1,"a":2} trailing [ junk)", R"({"a":2})"},
        {"[1,2,]", "null"},
        {R"({"a":1,})", "null"},
        {"{a:1}", "null"},
        {"[1 2]", "null"},
        {R"({"a" 1})", "null"},
        {R"({"a":1 "b":2})", "null"},
        {"[]", "[]"},
        {" { } ", "{}"},
        {"[ 1 , [ ] , { \"k\" : null } ]", R"([1,[],{"k":null}])"},
        // every form strtod takes is a number; lower-case nan selects the null literal
        {"+5", "5"},
        {"0x10", "16"},
        {"0x1A", "26"},
        {".5", "0.5"},
        {"5.", "5"},
        {"007", "7"},
        {"-2.5e-3", "-0.0025000000000000001"},
        {"1e999", "inf"},
        {"Infinity", "inf"},
        {"inf", "inf"},
        {"-inf", "-inf"},
        {"NaN", "nan"},
        {"nan", "null"},
        {"\v\f7", "7"},
        {"[1,\v2]", "[1,2]"},
        {"-", "null"},
        {"[1,2x]", "null"},
        // strings
        {R"("\ud83d\ude00")", "\"\xF0\x9F\x98\x80\""},
        {R"("\ud83dx")", "\"\xED\xA0\xBDx\""},
        {R"("\ud83d\u0041")", "\"\xED\xA0\xBD" "A\""},
        {R"("\udc00")", "\"\xED\xB0\x80\""},
        {R"("\u00e9")", "\"\xC3\xA9\""},
        {R"("\u00E9\u07ff\uffff")", "\"\xC3\xA9\xDF\xBF\xEF\xBF\xBF\""},
        {R"("\u12G4")", "\"\xE1\x88\x84\""},
        {R"("\u0000")", R"("\u0000")"},
        {R"("\b\f\n\r\t\/\\\"")", R"("\u0008\u000c\n\r\t/\\\"")"},
        {"\"a\tb\x01\xff\"", "\"a\\tb\\u0001\xff\""},
        {R"("\q")", "null"},
        {R"("\u12")", "null"},
        {R"("\)", "null"},
        {R"("abc)", "null"},
        {R"({"k\u0041":1})", R"({"kA":1})"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(js::parse(c.text).dump(), c.dump) << "input: " << c.text;
    }
}

TEST(JsonParse, NumbersKeepTheirValues) {
    EXPECT_EQ(js::parse("Infinity").num, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(js::parse("NaN").num));
    EXPECT_EQ(js::parse("NaN").type, Type::Number);
    const Value v = js::parse("[0.1, 123456789012345678, -0, 4.9e-324]");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0ul].num, 0.1);
    EXPECT_EQ(v[1ul].num, 123456789012345678.0);
    EXPECT_TRUE(std::signbit(v[2ul].num));
    EXPECT_EQ(v[3ul].num, std::numeric_limits<double>::denorm_min());
}

TEST(JsonDump, WritesCompactEscapedText) {
    struct Case {
        Value value;
        const char* text;
    };
    Value keys;
    keys.type = Type::Object;
    keys.obj["b"] = num(1);
    keys.obj["a"] = num(2);
    keys.obj["B"] = num(3);
    Value nested;
    nested.type = Type::Array;
    nested.arr = {Value{}, str(""), keys, Value{}};
    nested.arr[3].type = Type::Bool;
    Value emptyObj;
    emptyObj.type = Type::Object;
    const Case cases[] = {
        {str(std::string("\x01/\"\t", 4)), R"("\u0001/\"\t")"},
        {str(std::string("\b\x1b\x7f\xc3\xa9\\\r\n", 8)), "\"\\u0008\\u001b\x7f\xc3\xa9\\\\\\r\\n\""},
        {str(std::string("a\0b", 3)), R"("a\u0000b")"},
        {num(3.0), "3"},
        {num(-0.0), "0"},
        {num(0.25), "0.25"},
        {num(-7), "-7"},
        {num(0.1), "0.10000000000000001"},
        {num(999999999999999.0), "999999999999999"},
        {num(-999999999999999.0), "-999999999999999"},
        {num(1e15), "1000000000000000"},
        {num(1e17), "1e+17"},
        {num(1e20), "1e+20"},
        {num(1.5e-7), "1.4999999999999999e-07"},
        {num(std::numeric_limits<double>::infinity()), "inf"},
        {num(-std::numeric_limits<double>::infinity()), "-inf"},
        {num(std::numeric_limits<double>::quiet_NaN()), "nan"},
        {num(-std::numeric_limits<double>::quiet_NaN()), "-nan"},
        {keys, R"({"B":3,"a":2,"b":1})"},
        {nested, R"([null,"",{"B":3,"a":2,"b":1},false])"},
        {emptyObj, "{}"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value.dump(), c.text);
}

TEST(JsonDump, RoundTripsStoredDocuments) {
    const std::string settings =
        R"({"difficulty":"easy","fullscreen":false,"language":"","maximized":false,"musicVolume":0.10000000000000001,)"
        R"("sfxVolume":0.25,"soundOn":true,"windowH":0,"windowW":0,"windowX":-1,"windowY":-1})";
    EXPECT_EQ(js::parse(settings).dump(), settings);

    const std::string nested = R"({"a":[1,2.5,-3e-05,"x\"y",[[],{}],{"k":[true,false,null]}],"z\u0001":"\u00e9"})";
    const std::string once = js::parse(nested).dump();
    EXPECT_NE(once, "null");
    EXPECT_EQ(js::parse(once).dump(), once);
    EXPECT_EQ(js::parse(once)["a"][1ul].num, 2.5);
}

TEST(JsonDump, NonFiniteNumbersReadBackExceptPlainNan) {
    EXPECT_EQ(js::parse(num(std::nan("")).dump()).type, Type::Null);
    const Value negNan = js::parse(num(-std::numeric_limits<double>::quiet_NaN()).dump());
    EXPECT_EQ(negNan.type, Type::Number);
    EXPECT_TRUE(std::isnan(negNan.num));
    EXPECT_EQ(js::parse(num(INFINITY).dump()).num, INFINITY);
    EXPECT_EQ(js::parse(num(-INFINITY).dump()).num, -INFINITY);
}

TEST(JsonValue, AsIntRoundsHalfUpAndNeverOverflows) {
    struct Case {
        double in;
        int out;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {2.5, 3},
        {-2.5, -2},
        {2.4999, 2},
        {-0.5, 0},
        {1280.5, 1281},
        {-7.0, -7},
        {2147483646.4, INT_MAX - 1},
        {2147483647.0, INT_MAX},
        {2147483647.5, INT_MAX},
        {1e300, INT_MAX},
        {inf, INT_MAX},
        {-2147483648.0, INT_MIN},
        {-2147483648.7, INT_MIN},
        {-1e300, INT_MIN},
        {-inf, INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(num(c.in).asInt(99), c.out) << c.in;

    EXPECT_EQ(num(std::numeric_limits<double>::quiet_NaN()).asInt(7), 7);
    EXPECT_EQ(js::parse("-nan").asInt(7), 7);
    EXPECT_EQ(str("5").asInt(7), 7);
    EXPECT_EQ(js::parse("true").asInt(7), 7);
    EXPECT_EQ(Value{}.asInt(7), 7);
    EXPECT_EQ(js::kNull.asInt(7), 7);
}

TEST(JsonValue, LookupsMissIntoTheSharedNull) {
    const Value v = js::parse(R"({"list":[10,20,30],"s":"abc","o":{"x":1}})");
    ASSERT_EQ(v.type, Type::Object);
    EXPECT_EQ(&v["missing"]["deeper"], &js::kNull);
    EXPECT_EQ(v["missing"]["deeper"].asInt(7), 7);
    EXPECT_EQ(&v["list"][5ul], &js::kNull);
    EXPECT_EQ(v["list"][2ul].asInt(0), 30);
    EXPECT_EQ(&v["list"]["x"], &js::kNull) << "a key into an array";
    EXPECT_EQ(&v[0ul], &js::kNull) << "an index into an object";
    EXPECT_EQ(v["s"].size(), 0u);
    EXPECT_EQ(v["list"].size(), 3u);
    EXPECT_EQ(v.size(), 3u);
    EXPECT_TRUE(v.has("o"));
    EXPECT_FALSE(v.has("x"));
    EXPECT_FALSE(v["list"].has("0"));
    EXPECT_EQ(v.size(), 3u) << "lookups never insert";
    EXPECT_EQ(js::kNull.type, Type::Null);
    EXPECT_EQ(js::kNull.size(), 0u);
}

TEST(JsonParse, NestingIsCappedInsteadOfOverflowingTheStack) {
    auto arrays = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    EXPECT_EQ(js::parse(arrays(js::kMaxDepth)).type, Type::Array);
    EXPECT_EQ(js::parse(arrays(js::kMaxDepth + 1)).type, Type::Null);

    // Objects and arrays count alike.
    std::string mixed;
    for (int i = 0; i < js::kMaxDepth / 2; ++i) mixed += R"({"a":[)";
    std::string close;
    for (int i = 0; i < js::kMaxDepth / 2; ++i) close += "]}";
    EXPECT_EQ(js::parse(mixed + close).type, Type::Object);
    EXPECT_EQ(js::parse(mixed + "[]" + close).type, Type::Null);

    // Sibling containers do not add up: depth is nesting, not count.
    std::string wide = "[";
    for (int i = 0; i < 2000; ++i) wide += (i ? ",[[]]" : "[[]]");
    EXPECT_EQ(js::parse(wide + "]").size(), 2000u);

    // Hostile input far deeper than any stack.
    EXPECT_EQ(js::parse(std::string(1000000, '[')).type, Type::Null);
    std::string deepObj;
    for (int i = 0; i < 200000; ++i) deepObj += R"({"k":)";
    EXPECT_EQ(js::parse(deepObj).type, Type::Null);
}

namespace {

// Switches LC_NUMERIC for the life of the guard.
struct NumericLocale {
    std::string previous;
    explicit NumericLocale(const char* name) : previous(std::setlocale(LC_NUMERIC, nullptr)) {
        std::setlocale(LC_NUMERIC, name);
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, previous.c_str()); }
};

bool localeExists(const char* name) {
    // setlocale rather than newlocale: the latter leaks its search path
    // when LOCPATH is set, which the leak checker reports.
    NumericLocale probe("C");
    return std::setlocale(LC_NUMERIC, name) != nullptr;
}

// A locale with a decimal comma: an installed one, else one built for the
// test (only LC_NUMERIC matters); empty when neither is possible.
std::string commaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (localeExists(name)) return name;
    }
    const std::string dir = scratchDir("locales");
    std::ofstream(dir + "/comma.src") << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                         "grouping 3;3\nEND LC_NUMERIC\n";
    const std::string cmd = "localedef -c -i '" + dir + "/comma.src' -f ANSI_X3.4-1968 '" + dir +
                            "/xx_COMMA' >/dev/null 2>&1";
    (void)std::system(cmd.c_str());  // exits non-zero over the categories it leaves out
    setenv("LOCPATH", dir.c_str(), 1);
    if (localeExists("xx_COMMA")) return "xx_COMMA";
    unsetenv("LOCPATH");
    return "";
}

} // namespace

TEST(JsonParse, NumberTextIgnoresTheProcessLocale) {
    const std::string name = commaLocale();
    if (name.empty()) GTEST_SKIP() << "no locale with a decimal comma can be found or built here";
    NumericLocale guard(name.c_str());
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    ASSERT_EQ(std::strtod("0.5", nullptr), 0.0) << "the locale must really break naive number reading";

    const Value v = js::parse(R"({"musicVolume":0.10000000000000001,"x":[-1.25e2,0.5,3]})");
    ASSERT_EQ(v.type, Type::Object);
    EXPECT_EQ(v["musicVolume"].num, 0.1);
    EXPECT_EQ(v["x"][0ul].num, -125.0);
    EXPECT_EQ(v["x"][1ul].num, 0.5);
    EXPECT_EQ(js::parse("[1,5]").size(), 2u) << "a comma stays a separator";
    EXPECT_EQ(v.dump(), R"({"musicVolume":0.10000000000000001,"x":[-125,0.5,3]})");
    EXPECT_EQ(num(2.5e-9).dump(), "2.5000000000000001e-09");
}

TEST(JsonFile, ParseFileAcceptsOnlyNonNullDocuments) {
    const std::string dir = scratchDir("parse");
    std::ofstream(dir + "/good.json") << R"( {"a": [1, 2]} tail)";
    std::ofstream(dir + "/null.json") << "null";
    std::ofstream(dir + "/bad.json") << R"({"a": [1, 2})";
    std::ofstream(dir + "/empty.json");

    Value out = str("untouched");
    EXPECT_FALSE(js::parseFile(dir + "/missing.json", &out));
    EXPECT_FALSE(js::parseFile(dir + "/null.json", &out));
    EXPECT_FALSE(js::parseFile(dir + "/bad.json", &out));
    EXPECT_FALSE(js::parseFile(dir + "/empty.json", &out));
    EXPECT_FALSE(js::parseFile(dir, &out)) << "a directory";
    EXPECT_EQ(out.str, "untouched");

    ASSERT_TRUE(js::parseFile(dir + "/good.json", &out));
    EXPECT_EQ(out.dump(), R"({"a":[1,2]})");
}

TEST(JsonFile, WriteFileAtomicReplacesWholeFiles) {
    const std::string dir = scratchDir("write");
    const std::string path = dir + "/state.json";
    Value v = js::parse(R"({"gold":12,"name":"Ada"})");
    ASSERT_TRUE(js::writeFileAtomic(path, v));
    EXPECT_EQ(readAll(path), R"({"gold":12,"name":"Ada"})");
    EXPECT_FALSE(platform::fs::isFile(path + ".tmp"));

    v.obj["gold"] = num(13);
    ASSERT_TRUE(js::writeFileAtomic(path, v));
    Value back;
    ASSERT_TRUE(js::parseFile(path, &back));
    EXPECT_EQ(back["gold"].asInt(0), 13);
}

TEST(JsonFile, FailedWriteKeepsTheOldFile) {
    const std::string dir = scratchDir("fail");
    const std::string old = R"({"keep":true})";

    // The scratch file leads to a device that is always full: the data fails
    // when the buffer is written out, which must be seen before any rename.
    const std::string full = dir + "/full.json";
    std::ofstream(full) << old;
    if (::symlink("/dev/full", (full + ".tmp").c_str()) != 0) GTEST_SKIP() << "cannot link /dev/full";
    Value big;
    big.type = Type::String;
    big.str.assign(1 << 16, 'x');
    EXPECT_FALSE(js::writeFileAtomic(full, big));
    EXPECT_FALSE(js::writeFileAtomic(full, js::parse("[1]")));
    ASSERT_TRUE(platform::fs::isFile(full)) << "the target must still be the old regular file";
    EXPECT_EQ(readAll(full), old);

    // The target cannot be replaced (an empty directory): no remove first,
    // so it is still there afterwards and the call reports failure.
    const std::string blocked = dir + "/blocked";
    platform::fs::ensureDir(blocked);
    EXPECT_FALSE(js::writeFileAtomic(blocked, js::parse("[1]")));
    EXPECT_TRUE(platform::fs::isDir(blocked));

    // The scratch file cannot be created at all.
    EXPECT_FALSE(js::writeFileAtomic(dir + "/no/such/dir/x.json", js::parse("[1]")));
}

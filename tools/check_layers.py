#!/usr/bin/env python3
"""Checks that no source file includes upward through the layers.

The layers build on each other: rules <- platform <- play <- ui <- fx <-
screens. rules/ is pure game logic: the C++ standard library and its own
headers (the generated content tables among them), nothing else. Every other
layer may include what lies below it but nothing above.

The benchmarks in bench/ take what they time from any layer, and reach the
screens only where the screens are what they time: run_bench and
battle_bench drive the game without screens, frame_bench measures them
through the screenshot tool's stage (tools/screenshots/), and no other
benchmark includes screens/ or the stage. No benchmark includes anything
from tests/.

Usage: check_layers.py SOURCE_DIR
Prints one line per upward include, "file:line: includes X (why)", and exits
1 when there is any; prints nothing and exits 0 for a clean tree.
"""
import os
import re
import sys

LAYERS = ["rules", "platform", "play", "ui", "fx", "screens"]

# Folders outside the layers that are checked too.
OUTSIDE = ["bench"]

# The benchmark that measures the screens, and what reaches them from bench/.
SCREEN_BENCH = "bench/frame_bench.cpp"
SCREEN_PATHS = ("screens/", "tools/screenshots/")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')

# The C++20 standard library, with the C headers it carries (<cmath> and
# the older <math.h> alike).
STANDARD = set("""
algorithm any array atomic barrier bit bitset charconv chrono codecvt compare complex concepts
condition_variable coroutine deque exception execution expected filesystem format forward_list
fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator latch
limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue
random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span
sstream stack stdexcept stop_token streambuf string string_view syncstream system_error thread
tuple type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant
vector version
cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp csignal cstdarg
cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype
assert.h ctype.h errno.h fenv.h float.h inttypes.h limits.h locale.h math.h setjmp.h signal.h
stdarg.h stddef.h stdint.h stdio.h stdlib.h string.h time.h uchar.h wchar.h wctype.h
""".split())

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def layer_of(path):
    """The layer a project header path like "ui/draw.h" belongs to, or None."""
    top = path.split("/", 1)[0]
    return top if top in LAYERS and "/" in path else None


def bench_problem(rel, bracket, target):
    """Why the benchmark file `rel` may not include `target`, or None."""
    if bracket != '"':
        return None
    if target.startswith("tests/"):
        return "bench/ uses nothing from tests/"
    if target.startswith(SCREEN_PATHS) and rel != SCREEN_BENCH:
        return "only %s measures the screens; the other benchmarks run without them" % SCREEN_BENCH
    return None


def problem(layer, bracket, target, rel=""):
    """Why a file `rel` of `layer` may not include `target`, or None when it may."""
    if layer == "bench":
        return bench_problem(rel, bracket, target)
    rank = LAYERS.index(layer)
    if layer == "rules":
        if bracket == "<":
            return None if target in STANDARD else "rules/ uses the standard library only"
        if layer_of(target) == "rules":
            return None
        return "rules/ includes nothing but its own headers and the standard library"
    if bracket == '"':
        other = layer_of(target)
        if other is not None and LAYERS.index(other) > rank:
            return "%s/ lies below %s/" % (layer, other)
    return None


def check(source_dir):
    """Every upward include under source_dir, as report lines."""
    found = []
    for layer in LAYERS + OUTSIDE:
        top = os.path.join(source_dir, layer)
        if not os.path.isdir(top):
            continue
        for root, dirs, files in os.walk(top):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(root, name)
                rel = os.path.relpath(path, source_dir).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        why = problem(layer, m.group(1), m.group(2), rel)
                        if why:
                            shown = m.group(1) + m.group(2) + (">" if m.group(1) == "<" else '"')
                            found.append("%s:%d: includes %s (%s)" % (rel, number, shown, why))
    return found


def main(argv):
    if len(argv) != 2:
        print("usage: check_layers.py SOURCE_DIR", file=sys.stderr)
        return 2
    found = check(argv[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

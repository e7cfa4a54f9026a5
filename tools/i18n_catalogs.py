#!/usr/bin/env python3
"""Translation catalogues: check them, keep their files in shape and turn them
into the constant C++ tables the game is built with.

The catalogues live in one directory:

  languages.txt   the languages in table order: "code | native name |
                  English name | ltr or rtl | prefix-base or base-prefix",
                  one per line; the last column is the order of a prefixed
                  monster's two words
  <code>.txt      one catalogue per language: "key = text", one per line

English (en.txt) is the master: every other catalogue must hold exactly its
keys, and each text must use the same "{{name}}" placeholders as the English
text of its key. In a text, "\\n" stands for a line break and "\\\\" for a
backslash. Lines that are blank or start with "#" are ignored.

Commands:
  check     validate every catalogue and report, per language, how many texts
            are still the English ones
  sync      rewrite catalogues in the canonical layout (keys in English order,
            family headings); keys missing from a catalogue get the English
            text, keys unknown to English are dropped
  generate  validate, then write the C++ source and header of the tables

Standard library only: the build runs it.
"""

import argparse
import os
import re
import sys

MASTER = "en"
PLACEHOLDER = re.compile(r"\{\{([A-Za-z0-9_]+)\}\}")
KEY = re.compile(r"^[a-z][A-Za-z0-9]*(\.[A-Za-z0-9_]+)+$")
CODE = re.compile(r"^[a-z]{2,3}(_[A-Z]{2})?$")
SPACED_PERCENT = re.compile(r"(\d|\}\}) %")
# Where a monster's name prefix stands: "Frost Wolf" or "Loup glaciaire".
ORDERS = {"prefix-base": "monster.pre.frost + monster.wolf",
          "base-prefix": "monster.wolf + monster.pre.frost"}

HEADER = """\
# Velmorandine translations: {english} ({native}), code "{code}".
#
# One text per line, written as: key = text
# - Translate only the text right of " = "; never change a key.
# - Keep every {{{{name}}}} placeholder exactly as it is; the game fills it in.
#   Move it wherever the sentence needs it.
# - "\\n" is a line break, "\\\\" a backslash. Keep texts about as short as the
#   English ones: most are labels on buttons and small panels.
# - A prefixed monster's name is two texts with one space between them, here
#   {order}; write the monster.pre texts for that place.
#   A monster.pre text that ends in "-" is a stem that joins the name as one
#   word ("Frost-" and "Wolf" give "Frostwolf"). After " | " a second form
#   may follow, for a name whose last word is definite (Arabic "ال").
# - Every catalogue lists the same keys in the same order as en.txt, so a
#   line number means the same key in every file. After editing, run
#     python3 tools/i18n_catalogs.py sync platform/lang
#   to restore that layout, and build: the build checks every catalogue.
"""


class CatalogError(Exception):
    pass


def bytewise(keys):
    return sorted(keys, key=lambda k: k.encode("utf-8"))


def read_languages(lang_dir):
    path = os.path.join(lang_dir, "languages.txt")
    langs = []
    with open(path, "rb") as f:
        for number, raw in enumerate(f, 1):
            line = raw.decode("utf-8").strip()
            if not line or line.startswith("#"):
                continue
            parts = [p.strip() for p in line.split("|")]
            if (len(parts) != 5 or not CODE.match(parts[0]) or parts[3] not in ("ltr", "rtl")
                    or parts[4] not in ORDERS):
                raise CatalogError(f"{path}:{number}: expected "
                                   "'code | native | English | ltr|rtl | prefix-base|base-prefix'")
            langs.append({"code": parts[0], "native": parts[1], "english": parts[2],
                          "rtl": parts[3] == "rtl", "prefix_after": parts[4] == "base-prefix"})
    codes = [l["code"] for l in langs]
    if len(set(codes)) != len(codes):
        raise CatalogError(f"{path}: a language code is listed twice")
    if MASTER not in codes:
        raise CatalogError(f"{path}: the master language '{MASTER}' is missing")
    return langs


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        ch = text[i]
        if ch == "\\":
            nxt = text[i + 1] if i + 1 < len(text) else ""
            if nxt == "n":
                out.append("\n")
            elif nxt == "\\":
                out.append("\\")
            else:
                raise CatalogError(f"{where}: unknown escape '\\{nxt}'")
            i += 2
            continue
        out.append(ch)
        i += 1
    return "".join(out)


def escape(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n")


def read_catalog(lang_dir, code):
    """Returns (entries in file order as (key, text) pairs, list of problems)."""
    path = os.path.join(lang_dir, code + ".txt")
    problems = []
    entries = []
    seen = set()
    with open(path, "rb") as f:
        data = f.read()
    for number, raw in enumerate(data.split(b"\n"), 1):
        where = f"{path}:{number}"
        try:
            line = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            problems.append(f"{where}: invalid UTF-8 ({e.reason})")
            continue
        if line.endswith("\r"):
            problems.append(f"{where}: carriage return at the end of the line")
            line = line[:-1]
        if not line.strip() or line.startswith("#"):
            continue
        key, sep, text = line.partition(" = ")
        if not sep:
            problems.append(f"{where}: expected 'key = text'")
            continue
        if not KEY.match(key):
            problems.append(f"{where}: malformed key '{key}'")
            continue
        if key in seen:
            problems.append(f"{where}: key '{key}' appears twice")
            continue
        seen.add(key)
        try:
            text = unescape(text, where)
        except CatalogError as e:
            problems.append(str(e))
            continue
        if not text.strip():
            problems.append(f"{where}: empty text for '{key}'")
        elif text != text.strip():
            problems.append(f"{where}: text of '{key}' starts or ends with a blank")
        if "\0" in text:
            problems.append(f"{where}: text of '{key}' contains a NUL byte")
        entries.append((key, text))
    return entries, problems


def placeholders(text):
    return set(PLACEHOLDER.findall(text))


def stray_braces(text):
    return "{{" in PLACEHOLDER.sub("", text) or "}}" in PLACEHOLDER.sub("", text)


def validate(lang_dir, langs):
    """Reads every catalogue; returns ({code: {key: text}}, problems)."""
    problems = []
    catalogs = {}
    for lang in langs:
        code = lang["code"]
        if not os.path.exists(os.path.join(lang_dir, code + ".txt")):
            problems.append(f"{code}: catalogue file {code}.txt is missing")
            continue
        entries, found = read_catalog(lang_dir, code)
        problems.extend(found)
        catalogs[code] = dict(entries)
    master = catalogs.get(MASTER)
    if master is None:
        return catalogs, problems
    for lang in langs:
        code = lang["code"]
        texts = catalogs.get(code)
        if texts is None:
            continue
        missing = bytewise(set(master) - set(texts))
        extra = bytewise(set(texts) - set(master))
        for key in missing:
            problems.append(f"{code}: missing key '{key}'")
        for key in extra:
            problems.append(f"{code}: key '{key}' is not in the English catalogue")
        for key in bytewise(set(master) & set(texts)):
            want, have = placeholders(master[key]), placeholders(texts[key])
            if want != have:
                problems.append(f"{code}: '{key}' has placeholders {sorted(have)}, "
                                f"English has {sorted(want)}")
            if stray_braces(texts[key]):
                problems.append(f"{code}: '{key}' has braces that are no placeholder")
            if SPACED_PERCENT.search(texts[key]):
                problems.append(f"{code}: '{key}' has an ordinary space before '%': a line break "
                                "could part number and sign; use a no-break space")
    return catalogs, problems


def family(key):
    return key.split(".", 1)[0]


def write_catalog(lang_dir, lang, keys, texts):
    order = ORDERS["base-prefix" if lang["prefix_after"] else "prefix-base"]
    lines = [HEADER.format(english=lang["english"], native=lang["native"], code=lang["code"], order=order)]
    current = None
    for key in keys:
        if family(key) != current:
            current = family(key)
            lines.append(f"\n# {current}\n")
        lines.append(f"{key} = {escape(texts[key])}\n")
    path = os.path.join(lang_dir, lang["code"] + ".txt")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(lines))


def identifier(code):
    return "kEntries_" + code


def c_literal(text):
    """A C string literal; every byte outside printable ASCII becomes a
    three-digit octal escape, which never runs into a following digit."""
    out = ['"']
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch in '"\\':
            out.append("\\" + ch)
        elif 0x20 <= byte < 0x7F and ch != "?":
            out.append(ch)
        else:
            out.append("\\%03o" % byte)
    out.append('"')
    return "".join(out)


def generate(lang_dir, langs, catalogs, out_cpp, out_header):
    keys = bytewise(catalogs[MASTER])
    header = ["// Generated by tools/i18n_catalogs.py from platform/lang; do not edit.",
              "#pragma once", "", "namespace i18n_data {", "",
              f"constexpr int kEntryCount = {len(keys)};", ""]
    for lang in langs:
        header.append(f"extern const Entry {identifier(lang['code'])}[kEntryCount];")
    header += ["", "} // namespace i18n_data", ""]

    src = ["// Generated by tools/i18n_catalogs.py from platform/lang; do not edit.",
           '#include "platform/i18n_data.h"', "", "namespace i18n_data {", ""]
    for lang in langs:
        texts = catalogs[lang["code"]]
        src.append(f"const Entry {identifier(lang['code'])}[kEntryCount] = {{")
        for key in keys:
            src.append(f"    {{{c_literal(key)}, {c_literal(texts[key])}}},")
        src += ["};", ""]
    src.append("const Catalog kCatalogs[kCatalogCount] = {")
    for lang in langs:
        rtl = "true" if lang["rtl"] else "false"
        after = "true" if lang["prefix_after"] else "false"
        src.append(f"    {{{c_literal(lang['code'])}, {c_literal(lang['native'])}, "
                   f"{c_literal(lang['english'])}, {rtl}, {after}, {identifier(lang['code'])}, kEntryCount}},")
    src += ["};", "", "} // namespace i18n_data", ""]

    write_if_changed(out_header, "\n".join(header))
    write_if_changed(out_cpp, "\n".join(src))


def write_if_changed(path, content):
    # Unchanged output keeps its time stamp, so nothing is rebuilt needlessly.
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == content:
                return
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)
    os.replace(tmp, path)


def report(problems):
    for p in problems:
        print("error: " + p, file=sys.stderr)
    if problems:
        print(f"{len(problems)} problem(s) in the translation catalogues", file=sys.stderr)


def cmd_check(args):
    langs = read_languages(args.lang_dir)
    catalogs, problems = validate(args.lang_dir, langs)
    report(problems)
    master = catalogs.get(MASTER, {})
    print(f"{len(langs)} catalogues, {len(master)} keys")
    for lang in langs:
        texts = catalogs.get(lang["code"])
        if texts is None or lang["code"] == MASTER:
            continue
        same = sum(1 for k, v in texts.items() if master.get(k) == v)
        print(f"  {lang['code']:6} {lang['english']:22} {same:5} of {len(master)} texts identical to English")
    return 1 if problems else 0


def cmd_sync(args):
    langs = read_languages(args.lang_dir)
    master_entries, problems = read_catalog(args.lang_dir, MASTER)
    if problems:
        report(problems)
        return 1
    master = dict(master_entries)
    keys = bytewise(master)
    wanted = set(args.codes) if args.codes else None
    for lang in langs:
        code = lang["code"]
        if wanted is not None and code not in wanted:
            continue
        texts = {}
        if os.path.exists(os.path.join(args.lang_dir, code + ".txt")):
            entries, problems = read_catalog(args.lang_dir, code)
            if problems:
                report(problems)
                return 1
            texts = dict(entries)
        added = [k for k in keys if k not in texts]
        dropped = [k for k in texts if k not in master]
        merged = {k: texts.get(k, master[k]) for k in keys}
        write_catalog(args.lang_dir, lang, keys, merged)
        if added or dropped:
            print(f"{code}: {len(added)} key(s) added with the English text, {len(dropped)} dropped")
    return 0


def cmd_generate(args):
    langs = read_languages(args.lang_dir)
    catalogs, problems = validate(args.lang_dir, langs)
    if problems:
        report(problems)
        return 1
    generate(args.lang_dir, langs, catalogs, args.out_cpp, args.out_header)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("check")
    p.add_argument("lang_dir")
    p.set_defaults(run=cmd_check)
    p = sub.add_parser("sync")
    p.add_argument("lang_dir")
    p.add_argument("codes", nargs="*", help="only these catalogues (default: all)")
    p.set_defaults(run=cmd_sync)
    p = sub.add_parser("generate")
    p.add_argument("lang_dir")
    p.add_argument("--out-cpp", required=True)
    p.add_argument("--out-header", required=True)
    p.set_defaults(run=cmd_generate)
    args = parser.parse_args()
    try:
        return args.run(args)
    except BrokenPipeError:
        # The reader went away (as with "| head"); nothing left to say.
        sys.stderr.close()
        return 0
    except (CatalogError, OSError) as e:
        print("error: " + str(e), file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())

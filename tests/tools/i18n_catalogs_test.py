#!/usr/bin/env python3
"""Checks of the translation catalogue tool on small fixture catalogues."""

import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = os.path.join(os.environ.get("VEL_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", "..")),
                    "tools", "i18n_catalogs.py")

_spec = importlib.util.spec_from_file_location("i18n_catalogs", TOOL)
tool = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(tool)

LANGUAGES = ("en | English | English | ltr | prefix-base\nde | Deutsch | German | ltr | prefix-base\n"
             "ar | العربية | Arabic | rtl | base-prefix\n")
ENGLISH = "a.title = Title\na.count = {{n}} of {{total}}\nb.name = Name\n"


class Fixture:
    def __init__(self, files):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        for name, content in files.items():
            mode = "wb" if isinstance(content, bytes) else "w"
            with open(os.path.join(self.dir, name), mode, **({} if mode == "wb" else {"encoding": "utf-8"})) as f:
                f.write(content)

    def run(self, *args):
        return subprocess.run([sys.executable, TOOL, *args], capture_output=True, text=True)

    def read(self, name):
        with open(os.path.join(self.dir, name), encoding="utf-8") as f:
            return f.read()


def catalogues(de, ar=None):
    return {"languages.txt": LANGUAGES, "en.txt": ENGLISH, "de.txt": de, "ar.txt": ar if ar is not None else ENGLISH}


class CheckTest(unittest.TestCase):
    def test_valid_catalogues_pass_and_report_english_texts(self):
        fx = Fixture(catalogues("a.title = Titel\na.count = {{total}}: {{n}}\u00a0%\nb.name = Name\n"))
        result = fx.run("check", fx.dir)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertRegex(result.stdout, r"de\s+German\s+1 of 3 texts identical to English")
        self.assertRegex(result.stdout, r"ar\s+Arabic\s+3 of 3 texts identical to English")

    def test_faults_are_reported(self):
        cases = [
            ("a.title = Titel\nb.name = Name\n", "missing key 'a.count'"),
            (ENGLISH + "c.extra = Mehr\n", "'c.extra' is not in the English catalogue"),
            ("a.title = Titel\na.count = {{n}} von {{gesamt}}\nb.name = Name\n", "has placeholders"),
            ("a.title = Titel\na.count = {{n}} von {{total}\nb.name = Name\n", "has placeholders"),
            ("a.title = {{n}} Titel {{n}}\n" + ENGLISH.split("\n", 1)[1], "has placeholders"),
            ("a.title = Titel {{ n }}\na.count = {{n}} / {{total}}\nb.name = Name\n", "braces that are no placeholder"),
            ("a.title = Titel\na.count = {{n}} % von {{total}}\nb.name = Name\n", "ordinary space before '%'"),
            ("a.title = 30 % Titel\na.count = {{n}} {{total}}\nb.name = Name\n", "ordinary space before '%'"),
            ("a.title = \na.count = {{n}} {{total}}\nb.name = Name\n", "empty text"),
            ("a.title =  Titel\na.count = {{n}} {{total}}\nb.name = Name\n", "starts or ends with a blank"),
            (ENGLISH + "a.title = Zweimal\n", "appears twice"),
            ("a.title Titel\n" + ENGLISH, "expected 'key = text'"),
            ("a.title = Ti\\tel\na.count = {{n}} {{total}}\nb.name = Name\n", "unknown escape"),
            (b"a.title = Tit\xc3el\na.count = {{n}} {{total}}\nb.name = Name\n", "invalid UTF-8"),
            (b"a.title = \xed\xa0\x80\na.count = {{n}} {{total}}\nb.name = Name\n", "invalid UTF-8"),
        ]
        for de, message in cases:
            with self.subTest(message=message, de=de):
                fx = Fixture(catalogues(de))
                _, problems = tool.validate(fx.dir, tool.read_languages(fx.dir))
                self.assertTrue(any(message in p for p in problems), problems)
        # Through the command line, a fault fails the check and the build.
        fx = Fixture(catalogues(cases[0][0]))
        result = fx.run("check", fx.dir)
        self.assertEqual(result.returncode, 1)
        self.assertIn(cases[0][1], result.stderr)
        out = os.path.join(fx.dir, "out")
        gen = fx.run("generate", fx.dir, "--out-cpp", out + ".cpp", "--out-header", out + ".h")
        self.assertEqual(gen.returncode, 1)
        self.assertFalse(os.path.exists(out + ".cpp"))

    def test_a_malformed_language_row_is_reported(self):
        rows = ["de | Deutsch | German | ltr",                    # no name order
                "de | Deutsch | German | ltr | after",            # not one of the two orders
                "de | Deutsch | German | rtl | base-prefix | x",  # a column too many
                "DE | Deutsch | German | ltr | prefix-base"]
        for row in rows:
            with self.subTest(row=row):
                files = catalogues(ENGLISH)
                files["languages.txt"] = LANGUAGES.replace("de | Deutsch | German | ltr | prefix-base", row)
                fx = Fixture(files)
                result = fx.run("check", fx.dir)
                self.assertEqual(result.returncode, 1)
                self.assertIn("expected 'code | native | English | ltr|rtl | prefix-base|base-prefix'",
                              result.stderr)

    def test_a_missing_catalogue_file_is_reported(self):
        files = catalogues(ENGLISH)
        del files["ar.txt"]
        fx = Fixture(files)
        result = fx.run("check", fx.dir)
        self.assertEqual(result.returncode, 1)
        self.assertIn("ar.txt is missing", result.stderr)


class SyncTest(unittest.TestCase):
    def test_sync_orders_fills_and_drops(self):
        fx = Fixture(catalogues("b.name = Benennung\nold.key = Alt\na.title = Titel\n", ar=""))
        result = fx.run("sync", fx.dir)
        self.assertEqual(result.returncode, 0, result.stderr)
        de_lines = [l for l in fx.read("de.txt").splitlines() if l and not l.startswith("#")]
        self.assertEqual(de_lines, ["a.count = {{n}} of {{total}}", "a.title = Titel", "b.name = Benennung"])
        # Every catalogue gets the same layout, line for line.
        en, ar = fx.read("en.txt").splitlines(), fx.read("ar.txt").splitlines()
        self.assertEqual(len(en), len(fx.read("de.txt").splitlines()))
        def layout(lines):
            return ["#" if l.startswith("#") else l.split(" = ")[0] for l in lines]
        self.assertEqual(layout(en), layout(ar))
        self.assertEqual(fx.run("check", fx.dir).returncode, 0)
        # The header tells the translator the language's name order.
        self.assertIn("here\n#   monster.pre.frost + monster.wolf;", fx.read("de.txt"))
        self.assertIn("here\n#   monster.wolf + monster.pre.frost;", fx.read("ar.txt"))


class GenerateTest(unittest.TestCase):
    def test_tables_are_sorted_and_escaped(self):
        english = "z.last = Z\na.Zed = {{n}}\"\\\\\\n?\na.first = Ä1\n"
        fx = Fixture({"languages.txt": LANGUAGES, "en.txt": english, "de.txt": english, "ar.txt": english})
        out = os.path.join(fx.dir, "gen")
        result = fx.run("generate", fx.dir, "--out-cpp", out + ".cpp", "--out-header", out + ".h")
        self.assertEqual(result.returncode, 0, result.stderr)
        cpp = fx.read("gen.cpp")
        # Bytewise order puts upper case first.
        self.assertLess(cpp.index('"a.Zed"'), cpp.index('"a.first"'))
        self.assertLess(cpp.index('"a.first"'), cpp.index('"z.last"'))
        # Octal escapes have three digits, so the following "1" stays a character.
        self.assertIn('{"a.first", "\\303\\2041"}', cpp)
        self.assertIn('"{{n}}\\"\\\\\\012\\077"', cpp)
        self.assertNotIn("\\x", cpp)
        self.assertIn('{"ar", "\\330\\247', cpp)
        # Direction and name order per language.
        self.assertIn("false, false, kEntries_de, kEntryCount}", cpp)
        self.assertIn("true, true, kEntries_ar, kEntryCount}", cpp)
        self.assertIn("constexpr int kEntryCount = 3;", fx.read("gen.h"))
        self.assertIn("extern const Entry kEntries_de[kEntryCount];", fx.read("gen.h"))


if __name__ == "__main__":
    unittest.main()

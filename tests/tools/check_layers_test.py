#!/usr/bin/env python3
"""Checks that the layer check finds every kind of upward include, and only those."""
import importlib.util
import os
import shutil
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

module_def = importlib.util.spec_from_file_location("check_layers", os.path.join(ROOT, "tools", "check_layers.py"))
layers = importlib.util.module_from_spec(module_def)
module_def.loader.exec_module(layers)

# (file, include line, refused)
CASES = [
    ("rules/a.cpp", "#include <vector>", False),
    ("rules/a.cpp", "#include <math.h>", False),
    ("rules/a.cpp", '#include "rules/data_gen.h"', False),
    ("rules/a.cpp", "#include <SDL.h>", True),
    ("rules/a.cpp", "#include <sodium.h>", True),
    ("rules/a.cpp", '#include "platform/json.h"', True),
    ("rules/a.cpp", '#include "helper.h"', True),
    ("platform/a.cpp", '#include "rules/items.h"', False),
    ("platform/a.cpp", "#include <sodium.h>", False),
    ("platform/a.cpp", '#include "i18n_entries.h"', False),
    ("platform/a.cpp", '#include "ui/draw.h"', True),
    ("platform/a.cpp", '#include "fx/fx.h"', True),
    ("platform/a.cpp", '#include "screens/common.h"', True),
    ("ui/a.cpp", '#include "platform/storage.h"', False),
    ("ui/a.h", '#include "fx/scene.h"', True),
    ("ui/a.cpp", '#include "screens/common.h"', True),
    ("fx/a.cpp", '#include "ui/draw.h"', False),
    ("fx/a.cpp", '  #  include "screens/common.h"', True),
    ("screens/a.cpp", '#include "fx/fx.h"', False),
    ("screens/a.cpp", '#include "ui/app.h"', False),
    ("platform/a.cpp", '#include "play/run.h"', True),
    ("play/a.cpp", '#include "platform/storage.h"', False),
    ("play/a.cpp", '#include "rules/run.h"', False),
    ("play/a.h", '#include "ui/app.h"', True),
    ("play/a.cpp", '#include "screens/common.h"', True),
    ("ui/a.cpp", '#include "play/outcome.h"', False),
    ("screens/a.cpp", '#include "play/chest.h"', False),
    ("bench/a.cpp", '#include "play/battle.h"', False),
    ("bench/a.cpp", '#include "platform/storage.h"', False),
    ("bench/a.cpp", "#include <SDL.h>", False),
    ("bench/frame_bench.cpp", '#include "tools/screenshots/stage.h"', False),
    ("bench/frame_bench.cpp", '#include "screens/battle.h"', False),
    ("bench/run_bench.cpp", '#include "tools/screenshots/stage.h"', True),
    ("bench/battle_bench.cpp", '#include "screens/battle.h"', True),
    ("bench/bench_common.h", '#include "screens/battle.h"', True),
    ("bench/storage_bench.cpp", '#include "tests/platform/sample_progress.h"', True),
    ("bench/frame_bench.cpp", '#include "tests/support/screen_harness.h"', True),
]


class CheckLayersTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def write(self, rel, text):
        path = os.path.join(self.tmp, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)

    def test_each_include_is_judged_by_its_layer(self):
        for rel, line, refused in CASES:
            with self.subTest(file=rel, include=line):
                shutil.rmtree(self.tmp)
                os.makedirs(self.tmp)
                self.write(rel, "// a file\n" + line + "\n")
                found = layers.check(self.tmp)
                if refused:
                    self.assertEqual(len(found), 1, found)
                    self.assertTrue(found[0].startswith(rel + ":2: includes "), found[0])
                else:
                    self.assertEqual(found, [])

    def test_exit_status_follows_the_findings(self):
        self.write("ui/ok.cpp", '#include "rules/items.h"\n')
        self.assertEqual(layers.main(["check_layers.py", self.tmp]), 0)
        self.write("ui/bad.cpp", '#include "screens/common.h"\n')
        self.assertEqual(layers.main(["check_layers.py", self.tmp]), 1)


if __name__ == "__main__":
    unittest.main()

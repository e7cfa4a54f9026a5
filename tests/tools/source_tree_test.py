#!/usr/bin/env python3
"""The source-tree check: a file the tests leave behind fails it, ignored or
not; what a developer had already changed before the tests does not."""
import importlib.util
import os
import shutil
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("source_tree", os.path.join(HERE, "source_tree.py"))
source_tree = importlib.util.module_from_spec(spec)
spec.loader.exec_module(source_tree)


def git(repo, *args):
    subprocess.run(["git", "-C", repo, *args], check=True, capture_output=True)


@unittest.skipUnless(shutil.which("git"), "git is not installed")
class SourceTreeTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.repo = os.path.join(self.tmp.name, "repo")
        self.state = os.path.join(self.tmp.name, "state.txt")
        self.write("build/CMakeCache.txt", "built before the tests\n")
        git(self.repo, "init", "-q")
        self.write(".gitignore", "build/\n*.raw\n__pycache__/\n")
        self.write("a.txt", "one\n")
        git(self.repo, "add", ".")
        git(self.repo, "-c", "user.name=t", "-c", "user.email=t@t", "commit", "-qm", "start")

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, name, text):
        path = os.path.join(self.repo, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)

    def run_mode(self, mode):
        return source_tree.main(["source_tree.py", mode, self.repo, self.state])

    def test_untouched_tree_passes_with_the_build_folder_written_to(self):
        self.assertEqual(self.run_mode("note"), 0)
        self.write("build/out.o", "x")
        self.assertEqual(self.run_mode("check"), 0)

    def test_a_developers_own_edits_do_not_count(self):
        self.write("a.txt", "edited\n")
        self.write("notes.txt", "mine\n")
        self.assertEqual(self.run_mode("note"), 0)
        self.assertEqual(self.run_mode("check"), 0)

    def test_files_left_by_the_tests_fail(self):
        for name, change in (("new file", lambda: self.write("stray.txt", "x")),
                             ("ignored file", lambda: self.write("sdlaudio.raw", "x")),
                             ("changed file", lambda: self.write("a.txt", "two\n")),
                             ("folder", lambda: self.write("tools/__pycache__/m.pyc", "x"))):
            with self.subTest(name):
                git(self.repo, "checkout", "-q", "--", ".")
                git(self.repo, "clean", "-qfdx", "-e", "build")
                self.assertEqual(self.run_mode("note"), 0)
                change()
                self.assertEqual(self.run_mode("check"), 1)

    def test_without_a_work_tree_nothing_is_checked(self):
        plain = os.path.join(self.tmp.name, "plain")
        os.makedirs(plain)
        self.assertEqual(source_tree.main(["source_tree.py", "note", plain, self.state]), 0)
        self.assertEqual(source_tree.main(["source_tree.py", "check", plain, self.state]), source_tree.SKIPPED)


if __name__ == "__main__":
    unittest.main()

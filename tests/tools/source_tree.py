#!/usr/bin/env python3
"""The test suite writes only under the build directory and temporary
directories: what git says of the source tree after the last test is what it
said before the first one.

  source_tree.py note  SOURCE_DIR STATE_FILE   (runs before every other test)
  source_tree.py check SOURCE_DIR STATE_FILE   (runs after all of them)

`note` keeps `git status --porcelain --ignored` in STATE_FILE; `check` fails
with every entry that has appeared since, so a developer's own uncommitted
edits never fail it. Ignored files count too: a stray file that .gitignore
hides from a commit is still a file written into the tree. A folder git does
not track is one entry however much is written inside it, so the build
directory, wherever it lies, passes. Outside a git work tree, or without git,
there is nothing to compare and `check` is skipped (status 77).
"""
import os
import subprocess
import sys

SKIPPED = 77
HEADER = "# git status --porcelain --ignored"


def tree_status(source):
    try:
        run = subprocess.run(["git", "-C", source, "status", "--porcelain", "--ignored"],
                             capture_output=True, text=True, timeout=120)
    except (OSError, subprocess.TimeoutExpired):
        return None
    return run.stdout.splitlines() if run.returncode == 0 else None


def main(argv):
    if len(argv) != 4 or argv[1] not in ("note", "check"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    mode, source, state = argv[1:]
    status = tree_status(source)
    if mode == "note":
        # Never fails: every test waits for this one, and none may be lost
        # because git is missing.
        with open(state, "w", encoding="utf-8") as f:
            if status is not None:
                f.write("\n".join([HEADER] + status) + "\n")
        return 0
    noted = []
    if os.path.isfile(state):
        with open(state, encoding="utf-8") as f:
            noted = f.read().splitlines()
    if status is None or noted[:1] != [HEADER]:
        print("source tree: no git status to compare, not checked")
        return SKIPPED
    before = set(noted[1:])
    added = [line for line in status if line not in before]
    for line in added:
        print(f"source tree: the tests left {line!r}")
    return 1 if added else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""End-to-end checks of the real program in a real window.

Starts one Xvfb server, then runs the game once per start screen (each in its
own data and runtime directory), lets it draw for a while, sends SIGTERM and
checks that it ended cleanly: status 0, the geometry line, a settings file and
no crash report. The start screens are the ones the program itself names in
the usage line it prints for an unknown VELMORANDINE_SCREEN (that run is
checked the same way). Also checks that a second copy is refused with status 0
and that without any display the game says so and ends before it touches a
file.

Usage: run_game_test.py <path to velmorandine> [screens | copies]...
  screens: every start screen; copies: the second copy, its box, a closed
  standard output, no display and one window kept from the start (both when
  none is named).
"""
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

UNKNOWN_SCREEN = "no-such-screen"
CATALOGUE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "lang", "en.txt")
RUN_SECONDS = 1.0
START_TIMEOUT = 60.0


def display_taken(display):
    return os.path.exists(f"/tmp/.X11-unix/X{display}") or os.path.exists(f"/tmp/.X{display}-lock")


def unused_display():
    return next(d for d in range(400, 500) if not display_taken(d))


def start_xvfb():
    """An Xvfb of this run's own: the server picks a free display number
    itself and names it once it accepts clients, so runs side by side never
    share one. -noreset: by default the server resets when its last client
    leaves and refuses the next game that connects meanwhile."""
    xvfb = shutil.which("Xvfb")
    if not xvfb:
        return None, None
    read, write = os.pipe()
    proc = subprocess.Popen([xvfb, "-displayfd", str(write), "-screen", "0", "1600x1000x24",
                             "-nolisten", "tcp", "-noreset"],
                            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number.isdigit():
        proc.kill()
        proc.wait()
        return None, None
    return proc, ":" + number


def game_env(root, display):
    env = dict(os.environ)
    for sub in ("data", "runtime"):
        os.makedirs(os.path.join(root, sub), exist_ok=True)
    env["XDG_DATA_HOME"] = os.path.join(root, "data")
    env["XDG_RUNTIME_DIR"] = os.path.join(root, "runtime")
    env["HOME"] = root
    env["SDL_AUDIODRIVER"] = "dummy"
    env["LANGUAGE"] = "en"
    env.pop("VELMORANDINE_SCREEN", None)
    if display:
        env["DISPLAY"] = display
        env.pop("SDL_VIDEODRIVER", None)
    else:
        env["SDL_VIDEODRIVER"] = "dummy"
    return env


def wait_for_window(proc):
    """Reads standard output up to the renderer report; None when it never comes."""
    head = ""
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        line = proc.stdout.readline()
        if not line:
            return None
        head += line
        if line.startswith("[video] zur Wahl:"):
            return head
    return None


def run_screen(game, display, screen, usage=None):
    """Runs one start screen; returns a problem text or None. With a usage
    list, the usage line's names are appended to it (an unknown name)."""
    root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
    try:
        env = game_env(root, display)
        if screen:
            env["VELMORANDINE_SCREEN"] = screen
        proc = subprocess.Popen([game], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        # Wait until the window is up (a loaded machine can take a while to
        # start the program), then let it run its frame loop.
        head = wait_for_window(proc)
        if head is None:
            proc.kill()
            out, err = proc.communicate()
            return f"{screen or 'splash'}: no window within {START_TIMEOUT} s\n{out}{err}"
        time.sleep(RUN_SECONDS)
        if proc.poll() is not None:
            out, err = proc.communicate()
            return f"{screen or 'splash'}: ended early with {proc.returncode}\n{head}{out}{err}"
        proc.send_signal(signal.SIGTERM)
        try:
            out, err = proc.communicate(timeout=10)
            out = head + out
        except subprocess.TimeoutExpired:
            proc.kill()
            return f"{screen or 'splash'}: did not end after SIGTERM"
        problems = []
        if proc.returncode != 0:
            problems.append(f"exit status {proc.returncode}")
        if "[fenster] sichere " not in out:
            problems.append("no '[fenster] sichere' line")
        if not os.path.isfile(os.path.join(root, "data", "Velmorandine", "settings.dat")):
            problems.append("no settings.dat")
        for d in ("runtime", os.path.join("data", "Velmorandine")):
            if os.path.exists(os.path.join(root, d, "Velmorandine_crash.txt")):
                problems.append("a crash report was written")
        usage_lines = [l for l in err.splitlines() if l.startswith("VELMORANDINE_SCREEN:")]
        if usage is None and usage_lines:
            problems.append("the start screen was not recognised")
        if usage is not None:
            if len(usage_lines) != 1:
                problems.append("no usage line for an unknown start screen")
            else:
                usage.extend(usage_lines[0].split(":", 1)[1].split())
        if problems:
            return f"{screen or 'splash'}: " + ", ".join(problems) + f"\n--- stdout\n{out}--- stderr\n{err}"
        return None
    finally:
        shutil.rmtree(root, ignore_errors=True)


def catalogue_text(key):
    """The English text of a translation key, as the game shows it."""
    with open(CATALOGUE, encoding="utf-8") as f:
        for line in f:
            name, sep, text = line.partition(" = ")
            if sep and name.strip() == key:
                return text.rstrip("\n")
    raise KeyError(key)


def second_instance(game, display):
    root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
    try:
        env = game_env(root, display)
        first = subprocess.Popen([game], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        if wait_for_window(first) is None:
            first.kill()
            return "second instance: the first copy never opened its window"
        # The refusal shows a message box; without a display it cannot block.
        env2 = dict(env)
        env2["SDL_VIDEODRIVER"] = "dummy"
        env2.pop("DISPLAY", None)
        second = subprocess.run([game], env=env2, capture_output=True, text=True, timeout=20)
        first.send_signal(signal.SIGTERM)
        first.communicate(timeout=10)
        if second.returncode != 0:
            return f"second instance: exit status {second.returncode}"
        refusal = catalogue_text("app.alreadyRunning")
        if refusal not in second.stderr.splitlines():
            return f"second instance: the refusal {refusal!r} is not a line of standard error: {second.stderr!r}"
        return None
    finally:
        shutil.rmtree(root, ignore_errors=True)


def closed_stdout(game, display):
    """A game whose standard output is a closed pipe still ends cleanly and
    saves its settings."""
    root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
    try:
        env = game_env(root, display)
        proc = subprocess.Popen([game], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        if wait_for_window(proc) is None:
            proc.kill()
            proc.communicate()
            return "closed stdout: no window"
        proc.stdout.close()
        time.sleep(0.3)
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            return "closed stdout: did not end after SIGTERM"
        err = proc.stderr.read()
        problems = []
        if proc.returncode != 0:
            problems.append(f"exit status {proc.returncode}")
        if not os.path.isfile(os.path.join(root, "data", "Velmorandine", "settings.dat")):
            problems.append("no settings.dat")
        return "closed stdout: " + ", ".join(problems) + f"\n{err}" if problems else None
    finally:
        shutil.rmtree(root, ignore_errors=True)


def within(seconds, check):
    """Whether check() comes true within the time, asked every 0.1 s."""
    deadline = time.monotonic() + seconds
    while not check():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


def alive(pid):
    try:
        os.kill(pid, 0)
    except OSError:
        return False
    with open(f"/proc/{pid}/stat") as f:  # a zombie is as good as gone
        return f.read().split(") ", 1)[1][0] != "Z"


class _TextProperty(ctypes.Structure):
    _fields_ = [("value", ctypes.c_void_p), ("encoding", ctypes.c_ulong), ("format", ctypes.c_int),
                ("nitems", ctypes.c_ulong)]


_X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_x_errors = _X_ERROR_HANDLER(lambda display, event: 0)


def xlib():
    """libX11 (which SDL itself loads), or None when it cannot be loaded.
    Xlib's own error handler ends the process: a window that another program
    destroys between listing it and asking for its title (a refusal box going
    away) must make that one request fail, not the whole test."""
    try:
        x = ctypes.CDLL("libX11.so.6")
    except OSError:
        return None
    x.XSetErrorHandler.restype = ctypes.c_void_p
    x.XSetErrorHandler.argtypes = [_X_ERROR_HANDLER]
    x.XSetErrorHandler(_ignore_x_errors)
    return x


def top_level_windows(display):
    """The display's top-level windows as {id: title}; None when libX11
    cannot be used. A window gone before its title is read has none."""
    x = xlib()
    if x is None:
        return None
    window = ctypes.c_ulong
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = window
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XQueryTree.argtypes = [ctypes.c_void_p, window, ctypes.POINTER(window), ctypes.POINTER(window),
                             ctypes.POINTER(ctypes.POINTER(window)), ctypes.POINTER(ctypes.c_uint)]
    x.XGetWMName.argtypes = [ctypes.c_void_p, window, ctypes.POINTER(_TextProperty)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    d = x.XOpenDisplay(display.encode())
    if not d:
        return None
    try:
        root, parent = window(), window()
        children, count = ctypes.POINTER(window)(), ctypes.c_uint()
        if not x.XQueryTree(d, x.XDefaultRootWindow(d), ctypes.byref(root), ctypes.byref(parent),
                            ctypes.byref(children), ctypes.byref(count)):
            return None
        found = {}
        for i in range(count.value):
            name = _TextProperty()
            title = ""
            if x.XGetWMName(d, children[i], ctypes.byref(name)) and name.value:
                title = ctypes.string_at(name.value, name.nitems).decode("utf-8", "replace")
                x.XFree(name.value)
            found[children[i]] = title
        if children:
            x.XFree(children)
        return found
    finally:
        x.XCloseDisplay(d)


def refusal_box_ends_with_its_copy(game, display):
    """The message box of a refused second copy goes when that copy is ended.
    SDL draws the box itself as an X11 window when the X server has its core
    fonts, and else runs the zenity program: a stand-in on PATH records its
    pid and waits like a box that nobody answers. Whichever is shown must go."""
    root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
    try:
        env = game_env(root, display)
        first = subprocess.Popen([game], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        if wait_for_window(first) is None:
            first.kill()
            return "refusal box: the first copy never opened its window"
        fake = os.path.join(root, "bin")
        os.makedirs(fake)
        pid_file = os.path.join(root, "box.pid")
        with open(os.path.join(fake, "zenity"), "w") as f:
            f.write(f"#!/bin/sh\necho $$ > {pid_file}\nexec sleep 60\n")
        os.chmod(os.path.join(fake, "zenity"), 0o755)
        env2 = dict(env, PATH=fake + os.pathsep + env.get("PATH", ""))
        before = top_level_windows(display) or {}
        second = subprocess.Popen([game], env=env2, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        box_pid, box_windows = None, {}
        for _ in range(200):
            if os.path.isfile(pid_file) and open(pid_file).read().strip():
                box_pid = int(open(pid_file).read())
                break
            now = top_level_windows(display) or {}
            box_windows = {w: t for w, t in now.items() if w not in before and t}
            if box_windows:
                break
            time.sleep(0.05)
        second.send_signal(signal.SIGTERM)
        second.wait(timeout=10)

        def box_gone():
            windows_left = set(box_windows) & set(top_level_windows(display) or {})
            return not (box_pid and alive(box_pid)) and not windows_left

        problem = None
        if box_pid is None and not box_windows:
            problem = "refusal box: no box was shown (neither a window of the refused copy nor zenity)"
        elif not within(3.0, box_gone):
            if box_pid and alive(box_pid):
                os.kill(box_pid, signal.SIGKILL)
            problem = f"refusal box: the box outlived the refused copy ({box_windows or 'zenity'})"
        first.send_signal(signal.SIGTERM)
        first.communicate(timeout=10)
        return problem
    finally:
        shutil.rmtree(root, ignore_errors=True)


class _XEvent(ctypes.Structure):
    """The head that XMapEvent, XUnmapEvent and XDestroyWindowEvent share,
    padded to the size of the XEvent union."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("pad", ctypes.c_long * 18)]


MAP_NOTIFY, UNMAP_NOTIFY, DESTROY_NOTIFY = 19, 18, 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


def one_window(game, display):
    """The game opens one window and keeps it: from its start past its first
    frames exactly one top-level window is mapped, and none it mapped is
    unmapped or destroyed (the renderer must not make the window anew, which
    a player sees as the window vanishing and coming back)."""
    x = xlib()
    if x is None:
        print("one window: libX11 not loadable, not checked")
        return None
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XEvent)]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    d = x.XOpenDisplay(display.encode())
    if not d:
        return "one window: the display could not be opened"
    root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
    try:
        x.XSelectInput(d, x.XDefaultRootWindow(d), SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(d, 0)
        proc = subprocess.Popen([game], env=game_env(root, display), stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        if wait_for_window(proc) is None:
            proc.kill()
            proc.communicate()
            return "one window: no window"
        time.sleep(0.5)
        x.XSync(d, 0)
        events = []
        e = _XEvent()
        while x.XPending(d):
            x.XNextEvent(d, ctypes.byref(e))
            if e.type in (MAP_NOTIFY, UNMAP_NOTIFY, DESTROY_NOTIFY):
                events.append((e.type, e.window))
        proc.send_signal(signal.SIGTERM)
        proc.communicate(timeout=10)
        mapped = [w for t, w in events if t == MAP_NOTIFY]
        lost = [w for t, w in events if t in (UNMAP_NOTIFY, DESTROY_NOTIFY) and w in mapped]
        if len(mapped) != 1 or lost:
            names = {MAP_NOTIFY: "mapped", UNMAP_NOTIFY: "unmapped", DESTROY_NOTIFY: "destroyed"}
            return "one window: " + ", ".join(f"{names[t]} {w:#x}" for t, w in events)
        return None
    finally:
        x.XCloseDisplay(d)
        shutil.rmtree(root, ignore_errors=True)


def no_display(game):
    """With no display at all, or one that does not answer, the game says so
    in one line and ends with status 1 before it takes the lock or saves."""
    problems = []
    for label, display in (("no DISPLAY", None), ("DISPLAY nowhere", ":" + str(unused_display()))):
        root = tempfile.mkdtemp(prefix="velmorandine-e2e-")
        try:
            env = game_env(root, None)
            for name in ("SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"):
                env.pop(name, None)
            if display:
                env["DISPLAY"] = display
            proc = subprocess.Popen([game], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            try:
                out, err = proc.communicate(timeout=20)
            except subprocess.TimeoutExpired:
                proc.send_signal(signal.SIGTERM)
                try:
                    out, err = proc.communicate(timeout=10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    out, err = proc.communicate()
                # A machine with a display of another kind (the console's
                # DRM device) starts the game on it, as it should.
                driver = re.search(r"^\[video\] Treiber (\S+),", out, re.M)
                if driver and driver.group(1) not in ("offscreen", "dummy", "evdev"):
                    print(f"no display: {label}: the game found the display {driver.group(1)}, not checked")
                else:
                    problems.append(f"{label}: still running after 20 s")
                continue
            lines = out.splitlines()
            if proc.returncode != 1:
                problems.append(f"{label}: exit status {proc.returncode}")
            if len(lines) != 1 or not lines[0].startswith("[video] kein Bildschirm gefunden"):
                problems.append(f"{label}: standard output is not one line saying that no display was found: "
                                f"{out!r}")
            if err:
                problems.append(f"{label}: standard error is not empty: {err!r}")
            written = [os.path.join(d, f) for d, _, files in os.walk(root) for f in files]
            if written or os.path.exists(os.path.join(root, "data", "Velmorandine")):
                problems.append(f"{label}: files were touched: {written}")
        finally:
            shutil.rmtree(root, ignore_errors=True)
    return "no display: " + "; ".join(problems) if problems else None


def start_screens(names):
    """The usage line's names as VELMORANDINE_SCREEN values: "shop[:0-4]"
    stands for the plain shop and one with a kind."""
    screens = []
    for name in names:
        if name.endswith("]") and "[:" in name:
            base = name.split("[", 1)[0]
            screens += [base, base + ":3"]
        else:
            screens.append(name)
    return screens


def start_screen_runs(game, display):
    names = []
    results = [run_screen(game, display, UNKNOWN_SCREEN, names)]
    screens = start_screens(names)
    if not screens:
        results.append("the usage line named no start screen")
    with ThreadPoolExecutor(max_workers=6) as pool:
        results += list(pool.map(lambda s: run_screen(game, display, s), [""] + screens))
    return results


def copy_runs(game, display):
    results = [no_display(game), second_instance(game, display), closed_stdout(game, display)]
    if display:
        results.append(one_window(game, display))
        results.append(refusal_box_ends_with_its_copy(game, display))
    return results


PARTS = {"screens": start_screen_runs, "copies": copy_runs}


def main():
    game = sys.argv[1]
    parts = sys.argv[2:] or list(PARTS)
    if any(p not in PARTS for p in parts):
        print(f"usage: run_game_test.py GAME [{' | '.join(PARTS)}]...", file=sys.stderr)
        return 2
    xvfb, display = start_xvfb()
    if display is None:
        print("Xvfb not available: using SDL's dummy video driver")
    results = []
    try:
        for part in parts:
            results += PARTS[part](game, display)
    finally:
        if xvfb:
            xvfb.terminate()
            xvfb.wait()
    failures = [r for r in results if r]
    for f in failures:
        print("FAIL", f)
    print(f"{len(results) - len(failures)} of {len(results)} runs clean")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

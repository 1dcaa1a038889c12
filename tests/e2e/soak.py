#!/usr/bin/env python3
"""A soak of the real Tavrik.exe under Wine and Xvfb: random but valid input,
drawn from a seed, for a number of steps or minutes, with invariants checked
from outside after every step.

The input is a person's: clicks, double clicks and keys in every window, list
menus, the folder dialog and error boxes, restarts with a folder argument, and
"-X" and "/ini" runs from a second process. The oracle is never the program:
the DOS device name space (dosdev.exe), the windows (wininfo.exe), the list
files as bytes, and the program's GDI objects, windows, handles and private
memory (wininfo proc), sampled and judged for steady growth.

The same seed gives the same actions: every step draws the same count of
random numbers, whatever the windows show. A failure prints the seed and the
step; `--seed S --steps N` replays it.

  soak.py --exe Tavrik.exe --bin <dir of dosdev.exe, wininfo.exe> --out <dir>
          [--seed S] [--steps N | --minutes M] [--short SEEDS_FILE]

It runs inside a Wine environment (WINEPREFIX, DISPLAY) as scripts/wine-env.sh
makes one, on a copy of that prefix with a server of its own.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SCREEN_W, SCREEN_H = 1024, 768
MAIN, SETUP, HELP, BOX, BROWSE, SPLASH = "Ombrilo", "Mount @ Win Startup", "Help", "ERROR!", "Browse for Folder", "Splash"
RENAME = "Rename Drive"
ABOUT = "About Wine"  # an item Wine adds to every window menu
KNOWN_CAPTIONS = {MAIN, SETUP, HELP, BOX, BROWSE, SPLASH, RENAME}
LISTS = ("mount.ini", "Tavrik.ini", "labels.ini")
# Labels a person gives a drive: blanks around and inside, Latin-1, and long.
# (xdotool types a capital it has no key for in lower case: none here.)
LABELS = ["Data", "My Drive", "  padded  ", "", "Dätä öl", "x" * 40]
KNOWN_CLASSES = {"#32768", "ComboLBox", "tooltips_class32"}  # menus, drop-down lists, tips: no caption
BOM = b"\xef\xbb\xbf"
LINE = 13  # list line height, pixels

# Client positions (pixels) of what the soak clicks, as the journeys use them.
M_MOUNT, M_SETUP, M_HELP, M_PICKER = (40, 60), (104, 60), (170, 60), (385, 102)
M_MOUNTED, M_HISTORY = (40, 123), (40, 217)  # first line of each list
S_BROWSE, S_ADD, S_PICKER, S_LINE = (358, 58), (383, 58), (45, 57), (40, 95)
# A point of each window on no control: a click there gives it the keyboard.
NEUTRAL = {MAIN: (200, 100), SETUP: (200, 78), HELP: (180, 301), RENAME: (60, 100)}

# Leak judgement, per process: past the warm-up, a figure that rose by more
# than this and reached a new high at CLIMB samples or more grows without
# bound. What the system keeps after the first showing of a box, a menu or a
# list makes a few steps up, not a climb.
TOLERANCE = {"gdi": 16, "user": 8, "handles": 16, "private": 4 << 20}
CLIMB = 8

# The short run, for every test run: these seeds for this many steps each.
SHORT_SEEDS, SHORT_STEPS = (1, 2), 30


class Fault(Exception):
    pass


def line_of(r):
    """A list line, the first ones likelier."""
    return 0 if r < 0.6 else 1 if r < 0.85 else 2


def pick(r, table):
    """The entry of a weighted table that r (0..1) falls on."""
    total = sum(weight for weight, *_ in table)
    at = r * total
    for weight, *rest in table:
        if at < weight:
            return rest
        at -= weight
    return table[-1][1:]


class Machine:
    """Wine, the display and the outside helpers, each run with its output in a file (a pipe
    could be held open by the services Wine starts)."""

    def __init__(self, bin_dir, work, env):
        self.bin, self.work, self.env = bin_dir, work, env
        self.out = os.path.join(work, "helper.out")
        self.dumps = {}  # what a window showed since the last input

    def wine(self, *args, timeout=30):
        with open(self.out, "wb") as out:
            try:
                code = subprocess.run(["wine", *args], stdout=out, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                                      env=self.env, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                code = None
        with open(self.out, "rb") as out:
            return code, out.read().decode("utf-8", "replace").replace("\r", "")

    def helper(self, name, *args):
        return self.wine(os.path.join(self.bin, name + ".exe"), *args)

    def windows(self):
        """Every visible top-level window: dicts of pid, cls, rect, iconic, enabled, text."""
        found = []
        for line in self.helper("wininfo", "windows")[1].splitlines():
            m = re.match(r"top (\S+) pid (\d+) class (\S+) rect (-?\d+) (-?\d+) (-?\d+) (-?\d+) iconic (\d) enabled (\d) "
                         r"flags (\d+) text ?(.*)$", line)
            if m:
                found.append(dict(hwnd=m[1], pid=int(m[2]), cls=m[3], rect=tuple(int(m[i]) for i in range(4, 8)),
                                  iconic=m[8] == "1", enabled=m[9] == "1", moving=int(m[10]) & 2 != 0, text=m[11]))
        return found

    def dump(self, caption):
        """A window's origin and children (class, x, y, w, h, text, items) or None."""
        if caption not in self.dumps:
            self.dumps[caption] = self.read_dump(caption)
        return self.dumps[caption]

    def read_dump(self, caption):
        code, text = self.helper("wininfo", "dump", caption)
        if code != 0:
            return None
        window, children = None, []
        for line in text.splitlines():
            f = line.split(" ")
            if f[0] == "window":
                window = dict(origin=(int(f[3]), int(f[4])), outer=tuple(int(v) for v in f[6:10]), children=children)
            elif f[0] == "child":
                children.append(dict(cls=f[1], x=int(f[2]), y=int(f[3]), w=int(f[4]), h=int(f[5]), visible=f[9] == "1",
                                     enabled=f[7] == "1", text=line.split(" text ", 1)[1] if " text " in line else "", items=[]))
            elif f[0] == "item" and children:
                children[-1]["items"].append(line.split(" ", 2)[2] if len(f) > 2 else "")
        return window

    def letters(self):
        """{letter: (target, long form)} of every letter that names anything; their
        labels for Explorer ("*" first where the key is the program's) go to self.labels."""
        def failure(code, text):
            return ("dosdev letters " + ("timed out" if code is None else f"ended with {code}") +
                    (": " + text.strip()[-300:] if text.strip() else ""))

        code, text = self.helper("dosdev", "letters")
        if code != 0:
            # Only the helper's own failure, which a loaded machine once gave: it is asked once
            # more, and the log says so. What it reads is judged only from an answer.
            print(f"  {failure(code, text)}; asked again", flush=True)
            code, text = self.helper("dosdev", "letters")
        if code != 0:
            raise Fault(failure(code, text))
        found, self.labels = {}, {}
        for line in text.splitlines():
            name_target, long_form, label = (line.split("\t") + ["", ""])[:3]
            if name_target[3:]:
                found[name_target[0]] = (name_target[3:], long_form)
            if label:
                self.labels[name_target[0]] = label
        return found

    def proc(self, caption):
        code, text = self.helper("wininfo", "proc", caption)
        m = re.search(r"pid (\d+) gdi (\d+) user (\d+) handles (\d+) private (\d+)", text)
        return dict(zip(("pid", "gdi", "user", "handles", "private"), map(int, m.groups()))) if code == 0 and m else None

    def x(self, *args):
        self.dumps.clear()
        subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def child_at(window, x, y):
    return next((c for c in window["children"] if (c["x"], c["y"]) == (x, y)), None) if window else None


class Soak:
    def __init__(self, machine, home, exe, seed, acp, log):
        self.m, self.home, self.seed, self.acp, self.log = machine, home, seed, acp, log
        self.rng = random.Random(seed)
        self.app = os.path.join(home, "app")
        self.exe = os.path.join(self.app, "Tavrik.exe")
        os.makedirs(self.app)
        shutil.copy(exe, self.exe)
        self.make_folders()
        self.proc = None          # the main window's process (Linux side)
        self.arg = None           # its folder argument
        self.output_seen = 0
        self.may_close = False    # the step just taken may end the program
        self.moved = set()        # the windows a person moved, which may leave the screen in part
        self.stale = False        # the name space changed behind the main window's back
        self.validated = {}       # letter -> target already found to be a folder it was given
        self.samples = []         # this process's (seconds, figures)
        self.all_samples = []
        self.last_sample = 0.0
        self.step_no = 0

    # --- the folders it mounts and the lists it starts with -----------------------------
    def win(self, unix):
        return "Z:" + unix.replace("/", "\\")

    def make_folders(self):
        base = os.path.join(self.home, "f")
        os.makedirs(base)
        prefix = self.win(base) + "\\"
        long_name = ("Long folder name " * 20)[: 250 - len(prefix)]
        names = ["Alpha", "My Folder", "Плюс", "写真", "Ünïcödé", long_name, "Gone", "Missing"]
        for name in names[:-1]:
            os.makedirs(os.path.join(base, name))
        self.gone = os.path.join(base, "Gone")
        self.folders = [prefix + name for name in names]
        self.allowed = {f.casefold() for f in self.folders}
        self.write_list("mount.ini", [f"P: \t{self.folders[0]}", f"Q: \t{self.folders[1]}"])
        self.write_list("Tavrik.ini", [self.folders[4]])

    def list_path(self, name):
        return os.path.join(self.app, name)

    def write_list(self, name, lines):
        """As the program writes a list: the code page where it holds every line, else UTF-8 after a mark."""
        text = "".join(line + "\r\n" for line in lines)
        try:
            data = text.encode(self.acp)
        except UnicodeEncodeError:
            data = BOM + text.encode("utf-8")
        with open(self.list_path(name), "wb") as f:
            f.write(data)

    def read_list(self, name):
        """The lines of a list file, checked as bytes: one encoding, CR LF ends, no NUL."""
        path = self.list_path(name)
        if not os.path.exists(path):
            return []
        data = open(path, "rb").read()
        if b"\0" in data:
            raise Fault(f"{name} holds a NUL")
        utf8 = data.startswith(BOM)
        body = data[len(BOM):] if utf8 else data
        if BOM in body:
            raise Fault(f"{name} holds a byte-order mark inside")
        try:
            text = body.decode("utf-8" if utf8 else self.acp)
        except UnicodeDecodeError as e:
            raise Fault(f"{name} is not all {'UTF-8' if utf8 else self.acp}: {e}")
        if text and not text.endswith("\r\n"):
            raise Fault(f"{name}: the last line has no CR LF")
        lines = text.split("\r\n")[:-1] if text else []
        if any("\r" in line or "\n" in line for line in lines):
            raise Fault(f"{name}: a line end that is no CR LF")
        return lines

    def list_bytes(self):
        return {n: (open(self.list_path(n), "rb").read() if os.path.exists(self.list_path(n)) else None) for n in LISTS}

    def exists(self, folder):
        """Whether a Windows path names a directory, looked up as Wine does: without regard to case."""
        m = re.match(r"^([A-Za-z]):\\?(.*)$", folder)
        if not m:
            return False
        path = os.path.realpath(os.path.join(self.m.env["WINEPREFIX"], "dosdevices", m[1].lower() + ":"))
        for part in filter(None, m[2].split("\\")):
            try:
                path = os.path.join(path, next(e for e in os.listdir(path) if e.casefold() == part.casefold()))
            except (StopIteration, OSError):
                return False
        return os.path.isdir(path)

    # --- the program -------------------------------------------------------------------
    def start(self, arg):
        self.stop()
        self.m.dumps.clear()
        self.arg = arg
        self.moved, self.stale = set(), False
        self.samples = []
        self.stdout_path = os.path.join(self.home, "tavrik.out")
        with open(self.stdout_path, "wb") as out:
            self.proc = subprocess.Popen(["wine", self.exe] + ([arg] if arg is not None else []), stdout=out,
                                         stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, env=self.m.env)
        self.output_seen = 0
        self.started_at = time.time()
        if not self.wait_for(MAIN, 15):
            raise Fault(f"the main window did not open for {arg!r}")
        self.pid = (self.m.proc(MAIN) or {}).get("pid")
        self.warm_up()

    def wait_for(self, caption, seconds, shown=True):
        for _ in range(int(seconds / 0.15)):
            if (self.m.helper("wininfo", "exists", caption)[0] == 0) == shown:
                time.sleep(0.2)
                return True
            time.sleep(0.15)
        return False

    def warm_up(self):
        """Every window and menu once, in a fixed order, so that what the system keeps after
        their first showing is in the program's figures before the first sample counts."""
        steps = [(lambda: self.click(MAIN, *M_SETUP), SETUP, True), (lambda: self.click(SETUP, *S_BROWSE), BROWSE, True),
                 (lambda: self.keys("Escape"), BROWSE, False), (lambda: self.keys("Escape"), SETUP, False),
                 (lambda: self.click(MAIN, *M_HELP), HELP, True), (lambda: self.keys("Escape"), HELP, False)]
        for act, caption, shown in steps:
            act()
            # On a loaded machine a window may show before it has the keyboard: a key that
            # found none is pressed again.
            if not shown and not self.wait_for(caption, 4, shown):
                act()
            if not self.wait_for(caption, 10, shown):
                self.check_process()  # a crash says more than a window that did not come
                raise Fault(f"warming up, {caption} did not {'open' if shown else 'close'}")
        for opener in ([M_HISTORY, 3], [M_PICKER, 1]):
            self.click(MAIN, *opener[0], button=opener[1])
            self.keys("Escape")
        self.focus(MAIN)
        self.keys("alt+space", "Escape")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None

    def crash_output(self):
        with open(self.stdout_path, "rb") as f:
            f.seek(self.output_seen)
            new = f.read()
        self.output_seen += len(new)
        hit = re.search(r"^.*(Unhandled|Backtrace|starting debugger).*$", new.decode("utf-8", "replace"), re.M)
        return hit[0] if hit else None

    # --- input ---------------------------------------------------------------------------
    def origin(self, caption):
        window = self.m.dump(caption)
        return window["origin"] if window else None

    def click(self, caption, x, y, button=1, double=False):
        at = self.origin(caption)
        if not at:
            return
        self.m.x("mousemove", at[0] + x, at[1] + y)
        if double:
            self.m.x("click", "--repeat", 2, "--delay", 80, button)
        else:
            self.m.x("click", button)
        time.sleep(0.3)

    def focus(self, caption):
        self.click(caption, *NEUTRAL[caption])

    def keys(self, *keys):
        self.m.x("key", "--delay", 60, *keys)
        time.sleep(0.3)

    def menu_item(self, letter):
        """Presses a menu's letter once the menu shows; False when none came (a slow
        machine, or nothing to show it for)."""
        for _ in range(15):
            if any(w["cls"] == "#32768" for w in self.m.windows()):
                self.keys(letter)
                return True
            time.sleep(0.2)
        return False

    def eventually(self, check, seconds=5):
        """A check that holds once the program has caught up, as a slow machine may need."""
        deadline = time.time() + seconds
        while True:
            try:
                return check()
            except Fault:
                if time.time() > deadline:
                    raise
            time.sleep(0.3)
            self.m.dumps.clear()

    def window_of(self, windows, caption):
        return next((w for w in windows if w["text"] == caption and w["pid"] == self.pid), None)

    # --- where the program is ---------------------------------------------------------------
    def context(self, windows):
        ours = [w for w in windows if w["pid"] == self.pid]
        classes = {w["cls"] for w in ours}
        captions = {w["text"] for w in ours}
        if any(c.startswith(ABOUT) for c in captions):
            return "about"
        if any(w["moving"] for w in ours):
            return "moving"  # the window menu's Move or Size, waiting for arrows
        if "#32768" in classes:
            return "menu"
        if "ComboLBox" in classes:
            return "dropdown"
        for caption, name in ((BOX, "box"), (BROWSE, "browse"), (RENAME, "rename"), (SETUP, "setup"), (HELP, "help")):
            if caption in captions:
                return name
        main = self.window_of(windows, MAIN)
        if main:
            return "iconic" if main["iconic"] else "main"
        return "none"

    # --- actions: each takes the step's random numbers and returns a check or None ----------
    def random_point(self, caption, r1, r2):
        """A point of a window, but its Close button: closing is an action of its own."""
        window = self.m.dump(caption)
        if not window:
            return None
        left, top, right, bottom = window["outer"]
        x, y = int(r1 * (right - left - 4)) + 2, int(r2 * (bottom - top - 4)) + 2
        if any(c["text"] == "Close" and c["visible"] and c["x"] <= x < c["x"] + c["w"] and c["y"] <= y < c["y"] + c["h"]
               for c in window["children"] if c["cls"] == "TavrikCaptionButton"):
            return None
        return x, y

    def a_click_random(self, caption, r, double=False):
        at = self.random_point(caption, r[0], r[1])
        if at:
            self.click(caption, *at, double=double)
        return f"{'double ' if double else ''}click {at}"

    def a_keys(self, caption, r, table):
        key = pick(r[0], [(1, k) for k in table])[0]
        if key == "letter":
            key = "abcdefghijklmnopqrstuvwxyz"[int(r[1] * 26)]
        if r[2] < 0.4 and caption:
            self.focus(caption)
        self.keys(key)
        return f"key {key}{' after a click on the window' if r[2] < 0.4 else ''}"

    def main_state(self):
        window = self.m.dump(MAIN)
        picker = child_at(window, 350, 92)
        mounted, history = child_at(window, 6, 116), child_at(window, 6, 210)
        return dict(letter=(picker["text"] if picker else "")[:1], mounted=mounted["items"] if mounted else [],
                    history=history["items"] if history else [], mount_enabled=(child_at(window, 13, 40) or {}).get("enabled"))

    def choose_letter(self, r):
        """Now and then a person picks the letter before mounting."""
        if r < 0.35:
            self.click(MAIN, M_PICKER[0] - 25, M_PICKER[1])
            self.keys("defgpqrsxy"[int(r / 0.35 * 10)])

    def a_mount(self, r):
        self.choose_letter(r[2])
        state, before = self.main_state(), self.m.letters()
        lists = self.list_bytes()
        by_key = r[0] < 0.4
        if by_key:
            self.focus(MAIN)
            self.keys("alt+m")
        else:
            self.click(MAIN, *M_MOUNT)
        if not state["mount_enabled"]:
            return "mount (disabled)", lambda: self.expect_nothing(before, lists)
        return f"mount {self.arg!r} on {state['letter']}: by {'Alt+M' if by_key else 'click'}", \
            lambda: self.expect_mount(self.arg, state["letter"], before, lists, history=True)

    def a_remount(self, r):
        self.choose_letter(r[2])
        state, before, lists = self.main_state(), self.m.letters(), self.list_bytes()
        i = line_of(r[0])
        how = pick(r[1], [(2, "double click"), (1, "menu"), (1, "Enter"), (1, "context key"), (1, "Shift+F10")])[0]
        x, y = M_HISTORY[0], M_HISTORY[1] + i * LINE
        self.click(MAIN, x, y)
        if how == "double click":
            self.click(MAIN, x, y, double=True)
        elif how == "menu":
            self.click(MAIN, x, y, button=3)
        else:
            self.keys({"Enter": "Return", "context key": "Menu", "Shift+F10": "shift+F10"}[how])
        shown = how in ("double click", "Enter") or self.menu_item("m")
        if i >= len(state["history"]) or not shown:
            return f"remount line {i} by {how} (no such line)", None
        folder = state["history"][i]
        return f"remount {folder!r} on {state['letter']}: by {how}", \
            lambda: self.expect_mount(folder, state["letter"], before, lists, history=False)

    def a_unmount(self, r):
        state = self.main_state()
        i = line_of(r[0])
        how = pick(r[1], [(2, "Delete"), (1, "menu"), (1, "context key"), (1, "Shift+F10")])[0]
        x, y = M_MOUNTED[0], M_MOUNTED[1] + i * LINE
        self.click(MAIN, x, y)
        if how == "menu":
            self.click(MAIN, x, y, button=3)
        else:
            self.keys({"Delete": "Delete", "context key": "Menu", "Shift+F10": "shift+F10"}[how])
        if how != "Delete" and not self.menu_item("u"):
            return f"unmount line {i} by {how} (no menu)", None
        if i >= len(state["mounted"]):
            return f"unmount line {i} by {how} (no such line)", None
        letter = state["mounted"][i][0]
        return f"unmount {letter}: by {how}", lambda: self.expect_unmounted(letter)

    def a_rename(self, r):
        """A mounted line's drive renamed, by F2 or its menu, and the label typed and taken
        (or the window left open, or cancelled, for the next steps)."""
        state = self.main_state()
        i = line_of(r[0])
        x, y = M_MOUNTED[0], M_MOUNTED[1] + i * LINE
        self.click(MAIN, x, y)
        by_key = r[1] < 0.5
        if by_key:
            self.keys("F2")
        else:
            self.click(MAIN, x, y, button=3)
            self.menu_item("m")
        if i >= len(state["mounted"]) or not self.wait_for(RENAME, 3):
            return f"rename line {i} (no such line)", None
        label = LABELS[int(r[2] * len(LABELS))]
        self.keys("Home", "shift+End", "BackSpace")
        if label:
            self.m.x("type", "--delay", 30, label)
        ending = pick(r[3], [(6, "Return"), (1, "Escape"), (1, "open")])[0]
        letter, folder = state["mounted"][i][0], state["mounted"][i][5:]
        if ending == "open":
            return f"rename {letter}: typing {label!r}, window left open", None
        self.keys(ending)
        if ending == "Escape":
            return f"rename {letter}: typing {label!r}, cancelled", None
        return f"rename {letter}: to {label!r} by {'F2' if by_key else 'menu'}", \
            lambda: self.expect_label(letter, folder, label.strip(" "))

    def expect_label(self, letter, folder, label):
        kept = {f.casefold(): l for f, l in (line.split("\t", 1) for line in self.read_list("labels.ini"))}
        if kept.get(folder.casefold(), "") != label:
            raise Fault(f"labels.ini keeps {kept.get(folder.casefold())!r} for {folder!r}, not {label!r}")
        self.m.letters()
        if self.m.labels.get(letter) != "*" + (label or self.default_label(folder)):
            raise Fault(f"{letter}: renamed to {label!r} is labelled {self.m.labels.get(letter)!r}")

    def a_clear(self, r):
        state = self.main_state()
        self.click(MAIN, M_HISTORY[0], M_HISTORY[1] + line_of(r[0]) * LINE, button=3)
        if not self.menu_item("c") or line_of(r[0]) >= len(state["history"]):
            return "clear (no line under the pointer)", None
        return "clear the history", self.expect_cleared

    def a_picker(self, caption, at, r):
        how = pick(r[0], [(2, "open"), (1, "letter"), (1, "Alt+Down")])[0]
        if how == "open":
            self.click(caption, *at)
            return "open the picker"
        self.click(caption, at[0] - 25, at[1])
        if how == "letter":
            letter = "defghpqrstxy"[int(r[1] * 12)]
            self.keys(letter)
            return f"type {letter} on the picker"
        self.keys("alt+Down")
        return "Alt+Down on the picker"

    def a_line_menu(self, caption, first, r):
        x, y = first[0], first[1] + line_of(r[0]) * LINE
        self.click(caption, x, y, button=3)
        return f"right click at line {line_of(r[0])}"

    def a_system_menu(self, r):
        """The window menu of the main window, by Alt+Space or F10, and one of its items."""
        self.focus(MAIN)
        opener = "alt+space" if r[0] < 0.6 else "F10"
        item = pick(r[1], [(3, "Escape"), (2, "n"), (1, "m"), (1, "x"), (1, "s"), (1, "r"), (0.5, "c")])[0]
        self.keys(opener)
        if item == "m":
            arrows = ["Left", "Right", "Up", "Down"]
            moves = [arrows[int(v * 4)] for v in r[2:4]]
            if self.menu_item("m"):
                self.keys(*moves, "Return")
                self.moved.add(MAIN)
            return f"{opener}, move {' '.join(moves)}"
        self.may_close = item == "c"
        # A disabled item leaves the menu open, an enabled Size waits for arrows: Escape ends either.
        if self.menu_item(item) and item in "xsr":
            self.keys("Escape")
        return f"{opener}, {item}"

    def a_close_main(self, r):
        how = pick(r[0], [(1, "Alt+F4"), (1, "close button"), (1, "Alt+Space C")])[0]
        self.may_close = True
        if how == "Alt+F4":
            self.focus(MAIN)
            self.keys("alt+F4")
        elif how == "Alt+Space C":
            self.focus(MAIN)
            self.keys("alt+space")
            self.menu_item("c")
        else:
            self.close_button(MAIN)
        return f"close the main window by {how}"

    def close_button(self, caption):
        window = self.m.dump(caption)
        button = next((c for c in (window or {}).get("children", []) if c["text"] == "Close" and c["visible"]), None)
        if button:
            self.click(caption, button["x"] + button["w"] // 2, button["y"] + button["h"] // 2)

    def a_close(self, caption, r):
        how = pick(r[0], [(2, "Escape"), (1, "Alt+F4"), (1, "close button")])[0]
        if how == "close button":
            self.close_button(caption)
        else:
            self.focus(caption)
            self.keys({"Escape": "Escape", "Alt+F4": "alt+F4"}[how])
        return f"close {caption} by {how}"

    def a_button(self, caption, at, key, r, name):
        if r[0] < 0.5:
            self.click(caption, *at)
            return f"click {name}"
        self.keys(key)
        return f"{key} ({name})"

    def a_setup_remove(self, r):
        i = line_of(r[0])
        how = pick(r[1], [(2, "Delete"), (1, "menu"), (1, "context key"), (1, "Shift+F10")])[0]
        x, y = S_LINE[0], S_LINE[1] + i * LINE
        self.click(SETUP, x, y)
        if how == "Delete":
            self.keys("Delete")
        else:
            if how == "menu":
                self.click(SETUP, x, y, button=3)
            else:
                self.keys({"context key": "Menu", "Shift+F10": "shift+F10"}[how])
            self.menu_item("r")
        return f"remove start-up line {i} by {how}"

    def a_menu(self, r):
        # Letters of every menu the program shows; "c" closes the window whose
        # window menu is open, which may be the main one.
        what = pick(r[0], [(3, "Escape"), (2, "Down"), (1, "Up"), (2, "letter"), (1, "Return"), (1, "click"), (1, "away")])[0]
        menu = next((w for w in self.m.windows() if w["cls"] == "#32768"), None)
        if what == "letter":
            letter = "umcrno"[int(r[1] * 6)]
            self.may_close = letter == "c"
            self.keys(letter)
            return f"menu key {letter}"
        if what == "click" and menu:
            left, top, right, bottom = menu["rect"]
            self.may_close = True
            self.m.x("mousemove", left + 5 + int(r[1] * (right - left - 10)), top + 3 + int(r[2] * (bottom - top - 6)), "click", 1)
            time.sleep(0.3)
            return "click in the menu"
        if what == "away":
            self.m.x("mousemove", 5 + int(r[1] * 200), 5 + int(r[2] * 150), "click", 1)
            time.sleep(0.3)
            return "click away from the menu"
        self.may_close = what == "Return"
        self.keys(what)
        return f"menu key {what}"

    def a_dropdown(self, r):
        what = pick(r[0], [(2, "Down"), (1, "Up"), (2, "Return"), (2, "Escape"), (1, "letter"), (2, "click")])[0]
        lst = next((w for w in self.m.windows() if w["cls"] == "ComboLBox"), None)
        if what == "click" and lst:
            left, top, right, bottom = lst["rect"]
            self.m.x("mousemove", left + 5 + int(r[1] * max(1, right - left - 20)), top + 2 + int(r[2] * max(1, bottom - top - 4)), "click", 1)
            time.sleep(0.3)
            return "click in the drop-down list"
        key = "efgpq"[int(r[1] * 5)] if what == "letter" else what
        self.keys(key)
        return f"drop-down key {key}"

    def a_box(self, r):
        what = pick(r[0], [(3, "Return"), (2, "Escape"), (1, "space"), (1, "alt+F4"), (1, "Tab"), (2, "click")])[0]
        if what == "click":
            box = self.m.dump(BOX)
            button = next((c for c in (box or {}).get("children", []) if c["cls"] == "Button"), None)
            if button:
                self.click(BOX, button["x"] + button["w"] // 2, button["y"] + button["h"] // 2)
            return f"click {button['text'] if button else 'nothing'} in the box"
        self.keys(what)
        return f"box key {what}"

    def a_browse(self, r):
        # Only moves through the tree, OK and Cancel: the dialog also makes,
        # renames and deletes folders (a button, F2, Delete, a click on a
        # selected name) on the real disk, which no soak may do.
        what = pick(r[0], [(4, "Down"), (2, "Up"), (1, "Right"), (1, "Left"), (2, "Return"), (2, "Escape"), (1, "OK"), (1, "Cancel")])[0]
        if what in ("OK", "Cancel"):
            dialog = self.m.dump(BROWSE)
            button = next((c for c in (dialog or {}).get("children", []) if c["cls"] == "Button" and c["text"] == what), None)
            if button:
                self.click(BROWSE, button["x"] + button["w"] // 2, button["y"] + button["h"] // 2)
            return f"click {what} in the folder dialog"
        self.keys(what)
        return f"folder dialog key {what}"

    def a_moving(self, r):
        self.moved |= {w["text"] for w in self.m.windows() if w["pid"] == self.pid and w["enabled"] and w["moving"]}
        key = pick(r[0], [(1, "Left"), (1, "Right"), (1, "Up"), (1, "Down"), (2, "Return"), (1, "Escape")])[0]
        self.keys(key)
        return f"move key {key}"

    def a_restore(self, r):
        if r[0] < 0.3:
            main = self.window_of(self.m.windows(), MAIN)
            if main:
                self.m.x("mousemove", main["rect"][0] + 40, main["rect"][1] + 10, "click", 1)
                time.sleep(0.3)
        self.keys("alt+space")
        self.menu_item("r")
        return "restore the main window"

    # --- actions from outside the window -------------------------------------------------
    def a_restart(self, r):
        arg = None if r[0] < 0.15 else self.folders[int(r[1] * len(self.folders))]
        self.may_close = True
        self.start(arg)
        return f"restart with {arg!r}"

    def a_unmount_run(self, r):
        before, lists = self.m.letters(), self.list_bytes()
        bound = sorted(letter for letter, (target, _) in before.items() if target.startswith("\\??\\"))
        form = pick(r[0], [(5, "bound"), (2, "free"), (1, "disk"), (1, "odd")])[0]
        if form == "bound" and bound:
            letter = bound[int(r[1] * len(bound))]
        elif form == "disk":
            letter = "CZ"[int(r[1] * 2)]
        else:
            letter = "DEFGHIJKLMNOPQRSTUVWXY"[int(r[1] * 22)]
        arg = pick(r[2], [(3, f"-{letter}"), (1, f"-{letter.lower()}:"), (1, "-"), (1, "-1")])[0] if form == "odd" else f"-{letter}"
        code, _ = self.m.wine(self.exe, arg, timeout=20)
        self.stale = True
        after = self.m.letters()
        name = arg[1:2].upper()
        if not name.isalpha():
            want = 2
        elif name not in before:
            want = 1
        elif before[name][0].startswith("\\??\\"):
            want = 0
        else:
            want = 2
        if code != want:
            raise Fault(f"'{arg}' ended with {code}, not {want} (before: {before.get(name)})")
        if want == 0 and name in after:
            raise Fault(f"'{arg}' left {name}: bound to {after[name][0]}")
        if {k: v for k, v in after.items() if k != name} != {k: v for k, v in before.items() if k != name}:
            raise Fault(f"'{arg}' changed other letters: {before} -> {after}")
        if self.list_bytes() != lists:
            raise Fault(f"'{arg}' changed a list file")
        return f"run '{arg}' (ended with {code})"

    def a_startup_run(self, r):
        before, lists = self.m.letters(), self.list_bytes()
        want = dict(before)
        for line in self.read_list("mount.ini"):
            fields = line.split("\t")
            if len(fields) < 2 or not fields[0][:1].isascii() or not fields[0][:1].isalpha():
                continue
            letter = fields[0][0].upper()
            if letter not in want and self.exists(fields[1]):
                want[letter] = ("\\??\\", fields[1])
        code, _ = self.m.wine(self.exe, "/ini", timeout=30)
        self.stale = True
        if code != 0:
            raise Fault(f"'/ini' ended with {code}")
        after = self.m.letters()
        if set(after) != set(want):
            raise Fault(f"'/ini' bound {sorted(set(after) - set(before))}, expected {sorted(set(want) - set(before))}")
        for letter, (target, folder) in want.items():
            if letter not in before and after[letter][1].casefold() != folder.casefold():
                raise Fault(f"'/ini' bound {letter}: to {after[letter]}, not {folder}")
        if self.list_bytes() != lists:
            raise Fault("'/ini' changed a list file")
        return f"run '/ini' (bound {''.join(sorted(set(after) - set(before))) or 'nothing'})"

    def a_edit_startup(self, r):
        lines = self.read_list("mount.ini")
        if r[0] < 0.3 and lines:
            gone = lines.pop(int(r[1] * len(lines)))
            self.write_list("mount.ini", lines)
            return f"delete start-up line {gone!r} from outside"
        line = f"{'DEFGPQRSTUVW'[int(r[1] * 12)]}: \t{self.folders[int(r[2] * len(self.folders))]}"
        self.write_list("mount.ini", lines + [line])
        return f"add start-up line {line!r} from outside"

    def a_toggle_gone(self, r):
        if os.path.isdir(self.gone):
            os.rmdir(self.gone)
            self.stale = True  # a bound folder that is gone has no long form any more
            return "delete the folder Gone"
        os.makedirs(self.gone)
        self.stale = True
        return "make the folder Gone again"

    # --- checks of what an action did ------------------------------------------------------
    def expect_nothing(self, before, lists):
        if self.m.letters() != before:
            raise Fault("a disabled mount button changed the name space")
        if self.list_bytes() != lists:
            raise Fault("a disabled mount button changed a list file")

    def box_text(self):
        box = self.m.dump(BOX)
        return " ".join(c["text"] for c in box["children"]) if box else None

    def expect_mount(self, folder, letter, before, lists, history):
        after, text = self.m.letters(), self.box_text()
        was_bound = letter in before
        if not self.exists(folder):
            if text is None or "does not exist" not in text:
                raise Fault(f"mounting the missing {folder!r} showed {text!r}, not that it does not exist")
        elif was_bound:
            if text is None or "Drive Creation Failed" not in text:
                raise Fault(f"mounting on the bound {letter}: showed {text!r}, not that it failed")
        else:
            if text is not None:
                raise Fault(f"mounting {folder!r} on {letter}: showed {text!r}")
            if letter not in after or after[letter][1].casefold() != folder.casefold():
                raise Fault(f"{letter}: is {after.get(letter)}, not bound to {folder!r}")
            if history and not any(line.casefold() == folder.casefold() for line in self.read_list("Tavrik.ini")):
                raise Fault(f"the history lacks the mounted {folder!r}")
            if not history and self.list_bytes()["Tavrik.ini"] != lists["Tavrik.ini"]:
                raise Fault("a remount from the history wrote the history")
            changed = {k for k in set(after) | set(before) if after.get(k) != before.get(k)}
            if changed != {letter}:
                raise Fault(f"mounting on {letter}: changed {sorted(changed)}")
            return
        if after != before:
            raise Fault(f"a mount that failed changed the name space: {before} -> {after}")
        if self.list_bytes()["Tavrik.ini"] != lists["Tavrik.ini"]:
            raise Fault("a mount that failed wrote the history")

    def expect_unmounted(self, letter):
        target = self.m.letters().get(letter)
        if target and target[0].startswith("\\??\\"):
            raise Fault(f"{letter}: is still bound to {target[0]} after its unmount")

    def expect_cleared(self):
        if os.path.exists(self.list_path("Tavrik.ini")):
            raise Fault("the history file is still there after Clear")
        history = child_at(self.m.dump(MAIN), 6, 210)
        if history and history["items"]:
            raise Fault(f"the history list still shows {history['items']} after Clear")

    # --- invariants, after every step ------------------------------------------------------
    def check_process(self):
        if self.proc is None:
            return
        crash = self.crash_output()
        if crash:
            raise Fault(f"Wine reports a crash: {crash}")
        code = self.proc.poll()
        if code is not None:
            if not self.may_close:
                raise Fault(f"the program ended by itself with exit code {code}")
            if code != 0:
                raise Fault(f"the program was closed and ended with exit code {code}")
            self.proc = None

    def check_windows(self, windows):
        self.moved &= {w["text"] for w in windows if w["pid"] == self.pid}  # shown again, it is centred
        for w in windows:
            ours = w["pid"] == self.pid
            if w["text"] not in KNOWN_CAPTIONS and w["cls"] not in KNOWN_CLASSES and not w["text"].startswith(ABOUT):
                raise Fault(f"an unknown window: {w}")
            left, top, right, bottom = w["rect"]
            if not ours and w["text"] not in KNOWN_CAPTIONS:
                continue
            # A tip is the system's to size: Wine shows one at no size for a moment when
            # the pointer rests on the picker while its list is open.
            if (right <= left or bottom <= top) and w["cls"] != "tooltips_class32":
                raise Fault(f"a window of no size: {w}")
            if right <= 0 or bottom <= 0 or left >= SCREEN_W or top >= SCREEN_H:
                raise Fault(f"a window off the screen: {w}")
            whole = left >= 0 and top >= 0 and right <= SCREEN_W and bottom <= SCREEN_H
            if w["text"] in KNOWN_CAPTIONS and not whole and w["text"] not in self.moved:
                raise Fault(f"a window partly off the screen: {w}")
        if self.proc and not any(w["pid"] == self.pid for w in windows):
            raise Fault("the program runs without a visible window")

    def check_lists(self):
        for line in self.read_list("mount.ini"):
            if not re.fullmatch(r"[A-Za-z]: \t[^\t]+", line):
                raise Fault(f"a start-up line that is no letter, ': ', TAB and folder: {line!r}")
            self.allowed.add(line.split("\t")[1].casefold())
        history = self.read_list("Tavrik.ini")
        folded = [line.casefold() for line in history]
        if len(set(folded)) != len(folded):
            raise Fault(f"the history names a folder twice: {history}")
        strays = [line for line in history if line not in self.folders]
        if strays:
            raise Fault(f"the history holds lines never given as a folder: {strays}")
        labels = [line.split("\t", 1) for line in self.read_list("labels.ini")]
        if self.list_bytes()["labels.ini"] and not self.list_bytes()["labels.ini"].startswith(BOM):
            raise Fault("labels.ini is not UTF-8 after a byte-order mark")
        for entry in labels:
            if len(entry) != 2 or entry[0].casefold() not in self.allowed or not entry[1] or entry[1] != entry[1].strip(" "):
                raise Fault(f"a labels line that is no folder of the program's, a TAB and a label: {entry}")
        if len({folder.casefold() for folder, _ in labels}) != len(labels):
            raise Fault(f"labels.ini names a folder twice: {labels}")
        leftovers = [n for n in os.listdir(self.app) if n not in ("Tavrik.exe",) + LISTS]
        if leftovers:
            raise Fault(f"files left beside the program: {leftovers}")

    def check_names(self, letters):
        for letter, (target, long_form) in letters.items():
            if self.start_letters.get(letter) == (target, long_form) or self.validated.get(letter) == target:
                continue
            if not target.startswith("\\??\\"):
                raise Fault(f"{letter}: names {target!r}, which nobody asked for")
            if (long_form or target[4:]).casefold() not in self.allowed:
                raise Fault(f"{letter}: is bound to {long_form or target!r}, a folder the program was never given")
            self.validated[letter] = target

    def default_label(self, long_form):
        name = long_form.rstrip("\\").rsplit("\\", 1)[-1]
        return name + "\\" if name.endswith(":") else name

    def check_labels(self, letters):
        """Explorer's label of a drive lives exactly as long as the binding it names, and is
        its folder's: what the user gave the folder (labels.ini), or else the folder's name."""
        given = {folder.casefold(): label for folder, label in
                 (line.split("\t", 1) for line in self.read_list("labels.ini") if "\t" in line)}
        for letter, label in self.m.labels.items():
            if not label.startswith("*"):
                raise Fault(f"{letter}: has a label key the program did not mark: {label!r}")
            if not letters.get(letter, ("",))[0].startswith("\\??\\"):
                raise Fault(f"{letter}: keeps its label {label[1:]!r} with no folder bound to it")
        for letter, (target, long_form) in letters.items():
            label = self.m.labels.get(letter)
            if not target.startswith("\\??\\") or self.start_letters.get(letter) or not long_form:
                continue
            want = given.get(long_form.casefold(), self.default_label(long_form))
            if label != "*" + want:
                raise Fault(f"{letter}: ({long_form}) is labelled {label!r}, not {want!r}")

    def check_mounted_list(self, letters):
        """The main window's list shows every folder binding, in letter order, by its long form."""
        if self.stale:
            return
        window = self.m.dump(MAIN)
        mounted = child_at(window, 6, 116)
        if not mounted:
            return
        want = [(k, v[1]) for k, v in sorted(letters.items()) if v[0].startswith("\\??\\")]
        # wininfo shows the TAB as \t, and leaves the backslashes of the folder as they are.
        shown = [(line[:1], line[5:] if line[1:5] == ": \\t" else None) for line in mounted["items"]]
        if [k for k, _ in shown] != [k for k, _ in want] or any(w and s != w for (_, s), (_, w) in zip(shown, want)):
            raise Fault(f"the mounted list shows {mounted['items']}, the name space holds {want}")

    def sample(self, windows, force=False):
        """The program's figures, taken with the main window alone on the screen."""
        now = time.time()
        alone = [w for w in windows if w["pid"] == self.pid and w["cls"] != "tooltips_class32"]
        if not force and (now - self.last_sample < self.sample_seconds or len(alone) != 1 or alone[0]["iconic"]):
            return
        figures = self.m.proc(MAIN)
        if not figures or figures["pid"] != self.pid:
            return
        self.last_sample = now
        age = now - self.started_at
        self.samples.append((age, figures))
        self.all_samples.append((now, figures))
        self.log(f"  sample at {age:.0f} s of this process: " + " ".join(f"{k} {figures[k]}" for k in TOLERANCE))
        tail = [f for t, f in self.samples if t >= self.warmup_seconds]
        for key, tolerance in TOLERANCE.items():
            values = [f[key] for f in tail]
            highs = sum(value > max(values[:i]) for i, value in enumerate(values) if i)
            if highs >= CLIMB and values[-1] - values[0] > tolerance:
                raise Fault(f"{key} grows without bound: {values}")

    # --- the run --------------------------------------------------------------------------
    CONTEXT_ACTIONS = {
        "main": lambda s: [
            (4, s.a_mount), (4, s.a_remount), (3, s.a_unmount), (0.4, s.a_clear), (1.5, s.a_rename),
            (1.5, lambda r: s.a_button(MAIN, M_SETUP, "alt+s", r, "Setup")),
            (1, lambda r: s.a_button(MAIN, M_HELP, "alt+h", r, "Help")),
            (2, lambda r: s.a_picker(MAIN, M_PICKER, r)),
            (1.5, lambda r: s.a_line_menu(MAIN, M_MOUNTED if r[1] < 0.5 else M_HISTORY, r)),
            (3, lambda r: s.a_click_random(MAIN, r)), (1, lambda r: s.a_click_random(MAIN, r, double=True)),
            (5, lambda r: s.a_keys(MAIN, r, ["Tab", "shift+Tab", "Return", "Escape", "space", "Up", "Down", "Left", "Right",
                                       "Delete", "letter", "letter", "shift+F10", "Menu", "F10", "alt+space"])),
            (1, s.a_system_menu), (0.1, s.a_close_main)],
        "iconic": lambda s: [(1, s.a_restore)],
        "setup": lambda s: [
            (2, lambda r: s.a_button(SETUP, S_BROWSE, "alt+b", r, "Browse")),
            (3, lambda r: s.a_button(SETUP, S_ADD, "alt+a", r, "Add")),
            (1.5, lambda r: s.a_picker(SETUP, S_PICKER, r)), (2, s.a_setup_remove),
            (1, lambda r: s.a_line_menu(SETUP, S_LINE, r)),
            (2, lambda r: s.a_click_random(SETUP, r)), (1, lambda r: s.a_click_random(SETUP, r, double=True)),
            (3, lambda r: s.a_keys(SETUP, r, ["Tab", "shift+Tab", "Return", "space", "Up", "Down", "Left", "Right", "Delete",
                                       "letter", "shift+F10", "Menu", "F10", "alt+space"])),
            (3, lambda r: s.a_close(SETUP, r))],
        "rename": lambda s: [
            (3, lambda r: s.a_keys(RENAME, r, ["letter", "letter", "space", "BackSpace", "Delete", "Home", "End", "Tab",
                                                "shift+Tab", "Return", "Escape", "ctrl+v", "alt+l"])),
            (1, lambda r: s.a_click_random(RENAME, r)), (1, lambda r: s.a_close(RENAME, r))],
        "help": lambda s: [
            (2, lambda r: s.a_click_random(HELP, r)), (1, lambda r: s.a_click_random(HELP, r, double=True)),
            (3, lambda r: s.a_keys(HELP, r, ["letter", "Delete", "BackSpace", "ctrl+v", "ctrl+x", "Up", "Down", "Tab", "Return", "space"])),
            (2, lambda r: s.a_close(HELP, r))],
        "menu": lambda s: [(1, s.a_menu)],
        "dropdown": lambda s: [(1, s.a_dropdown)],
        "box": lambda s: [(1, s.a_box)],
        "about": lambda s: [(1, lambda r: s.a_keys(None, r, ["Return", "Escape"]))],
        "browse": lambda s: [(1, s.a_browse)],
        "moving": lambda s: [(1, s.a_moving)],
    }
    OUTSIDE_ACTIONS = lambda s: [(0.4, s.a_restart), (3, s.a_unmount_run), (2, s.a_startup_run), (1.5, s.a_edit_startup),
                                 (0.7, s.a_toggle_gone)]
    OUTSIDE_SHARE = 0.07

    def run(self, steps, seconds, sample_seconds, warmup_seconds):
        self.sample_seconds, self.warmup_seconds = sample_seconds, warmup_seconds
        self.start_letters = self.m.letters()
        self.start(self.folders[self.rng.randrange(len(self.folders))])
        windows = self.settle()
        letters = self.m.letters()
        self.sample(windows, force=True)
        deadline = time.time() + seconds if seconds else None
        while (steps is None or self.step_no < steps) and (deadline is None or time.time() < deadline):
            self.step_no += 1
            r = [self.rng.random() for _ in range(6)]
            context = self.context(windows)
            self.may_close = False
            if context == "none":
                action = self.a_restart
            elif r[0] < self.OUTSIDE_SHARE:
                action = pick(r[1], self.OUTSIDE_ACTIONS())[0]
            else:
                action = pick(r[1], self.CONTEXT_ACTIONS[context](self))[0]
            letters_before = letters
            result = action(r[2:])
            what, check = result if isinstance(result, tuple) else (result, None)
            self.log(f"step {self.step_no} [{context}] {what}")
            windows = self.settle()
            if check:
                self.eventually(check)
            self.check_process()
            if self.proc is None:
                continue
            letters = self.m.letters()
            if action not in (self.a_unmount_run, self.a_startup_run) and letters != letters_before:
                self.stale = False  # the window changed the name space, and read it again
            self.check_windows(windows)
            self.check_lists()
            self.check_names(letters)
            self.check_labels(letters)
            if self.context(windows) == "main":
                self.eventually(lambda: self.check_mounted_list(self.m.letters()))
            self.sample(windows)
        return self.step_no

    def settle(self):
        """The windows once they stop changing (at most a few seconds)."""
        self.m.dumps.clear()
        time.sleep(0.3)
        last = self.m.windows()
        for _ in range(12):
            time.sleep(0.15)
            now = self.m.windows()
            if [(w["hwnd"], w["rect"], w["iconic"], w["enabled"]) for w in now if w["cls"] != "tooltips_class32"] == \
                    [(w["hwnd"], w["rect"], w["iconic"], w["enabled"]) for w in last if w["cls"] != "tooltips_class32"]:
                return now
            last = now
        return last

    def cleanup(self):
        """Every binding it made goes, the program's own way first, so that its labels go too."""
        self.stop()
        for letter in self.m.letters():
            if letter not in self.start_letters:
                self.m.wine(self.exe, f"-{letter}", timeout=20)
        strays = [k + ":" for k in self.m.letters() if k not in self.start_letters]
        if strays:
            self.m.helper("dosdev", "remove", *strays)


def own_wine(work, base_env):
    """A copy of the prefix with a server of its own, under a UTF-8 locale whose code page is 1252,
    so that the letters it binds stay its own and every name reaches the program."""
    prefix = os.path.join(work, "prefix")
    subprocess.run(["cp", "-a", base_env["WINEPREFIX"], prefix], check=True)
    env = dict(base_env, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEARCH=base_env.get("WINEARCH", "win32"))
    locales = os.path.join(work, "locale")
    os.makedirs(locales)
    subprocess.run(["localedef", "-i", "en_US", "-f", "UTF-8", os.path.join(locales, "en_US.UTF-8")],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    env.update(LOCPATH=locales, LC_ALL="en_US.UTF-8")
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, env=env)
    subprocess.run(["wineserver", "-p"], **quiet)
    subprocess.run(["wine", "cmd", "/c", "ver"], **quiet)
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD",
                    "/d", "0", "/f"], **quiet)
    return env


def soak_one(args, machine, home, seed, steps, seconds, log):
    """One seed in a folder of its own, on the shared server; a list of its failure, if any."""
    log(f"soak seed {seed}: " + (f"{steps} steps" if steps else f"{seconds / 60:g} minutes"))
    started = time.time()
    os.makedirs(home)
    acp = "cp" + machine.helper("dosdev", "acp")[1].strip()
    soak = Soak(machine, home, args.exe, seed, acp, log)
    fault = None
    try:
        soak.run(steps, seconds, args.sample_seconds, args.warmup_seconds)
    except Fault as e:
        fault = str(e)
        shot = os.path.join(args.out, f"soak-{seed}-step{soak.step_no}.png")
        machine.screenshot(shot)
        log(f"FAIL seed {seed} step {soak.step_no}: {fault}\n  screenshot {shot}")
    finally:
        soak.cleanup()
    if soak.all_samples:
        first, last = soak.all_samples[0][1], soak.all_samples[-1][1]
        log("  figures at start: " + " ".join(f"{k} {first[k]}" for k in TOLERANCE) +
            "\n  figures at end:   " + " ".join(f"{k} {last[k]}" for k in TOLERANCE))
    log(f"soak seed {seed}: {soak.step_no} steps in {time.time() - started:.0f} s, " + ("FAILED" if fault else "passed"))
    return [(seed, soak.step_no, fault)] if fault else []


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--seed", type=int)
    parser.add_argument("--steps", type=int)
    parser.add_argument("--minutes", type=float)
    parser.add_argument("--short", metavar="SEEDS_FILE", help="the short run: two fixed seeds, then every kept one")
    parser.add_argument("--sample-seconds", type=float, default=20)
    parser.add_argument("--warmup-seconds", type=float, default=60)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    # Stopped from outside (a test's time-out), it still ends its server and removes its copy.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    args.exe, args.bin = os.path.abspath(args.exe), os.path.abspath(args.bin)

    def log(line):
        print(line, flush=True)

    if args.short:
        runs = [(seed, SHORT_STEPS, None) for seed in SHORT_SEEDS]
        with open(args.short) as f:  # "seed steps  # what it found"
            for fields in (line.split("#")[0].split() for line in f):
                if fields:
                    runs.append((int(fields[0]), int(fields[1]), None))
    else:
        seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1, 10 ** 9)
        runs = [(seed, args.steps, None if args.steps else (args.minutes or 10) * 60)]

    failed = []
    work = tempfile.mkdtemp(prefix="soak-")
    env = dict(os.environ)
    try:
        env = own_wine(work, env)
        machine = Machine(args.bin, work, env)
        # A GUI helper first, with its output nowhere: the desktop process it
        # starts would otherwise hold a helper's output open.
        subprocess.run(["wine", os.path.join(args.bin, "wininfo.exe"), "windows"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, env=env)
        for i, (seed, steps, seconds) in enumerate(runs):
            failed += soak_one(args, machine, os.path.join(work, f"run{i}"), seed, steps, seconds, log)
    finally:
        if env.get("WINEPREFIX", "").startswith(work):
            subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(0.5)
        shutil.rmtree(work, ignore_errors=True)
    for seed, step, fault in failed:
        log(f"FAILED: seed {seed} at step {step}: {fault}\n  replay: --seed {seed} --steps {step}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

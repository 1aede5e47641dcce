"""Drives the real window program on a real X server (Xvfb with the openbox window manager)
with real X key and mouse events, the way a person at a desktop does.

The offscreen platform of the unit tests has no window manager, no frames and no real key
order; faults of focus, keys and geometry only show here.

    with XSession() as x:
        app = x.start_program()              # a fresh program folder with a copy of the binary
        expr = app.wait_window(EXPRESSION)
        x.chord(["ctrl"], "r", release="mods-first")
        ...
        app.close()                          # WM_DELETE_WINDOW through the window manager
        record = app.record()                # the 14664 bytes left in the program folder

Needs the Debian packages xvfb, openbox, xdotool, wmctrl and x11-utils, and imagemagick for
pictures of windows. Every wait polls with a deadline; nothing sleeps for a fixed time except
the short settle after an input event.
"""

import os
import re
import shutil
import signal
import struct
import subprocess
import tempfile
import time

RECORD_SIZE = 14664
# Offsets in the data record of the fields the window tests read or prepare.
ACTIVE_CALCULATOR = 188  # 0 expression, 1 financial, 2 RPN
SLOTS = 256  # settings slot i at SLOTS + 4 * i
EXPR_TOP_SLOT, EXPR_LEFT_SLOT, FIN_TOP_SLOT, FIN_LEFT_SLOT = 3, 4, 16, 17
RPN_TOP, RPN_LEFT = 14652, 14656
EXPRESSION = r"^Tobrisk( +[dr])?$"  # the caption carries the angle unit after some blanks
FINANCIAL = r"^Tobrisk FIN$"
RPN = r"^Tobrisk RPN$"
ABOUT = r"^About Tobrisk$"

OPENBOX_RC = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse></mouse>
</openbox_config>
"""


def _env_bin(name, default):
    return os.environ.get(name) or default


class Timeout(AssertionError):
    pass


def wait_until(check, timeout=5.0, interval=0.02, what="condition"):
    """Polls check() until it returns a truthy value; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class XSession:
    """An Xvfb display of its own (a free number chosen by the server) with openbox on it."""

    def __init__(self, width=1280, height=1024, scale=None):
        self.width, self.height, self.scale = width, height, scale
        self.tmp = tempfile.mkdtemp(prefix="tobrisk-x11-")
        self.procs = []
        self.display = None

    # -- life -------------------------------------------------------------------------------
    def __enter__(self):
        r, w = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        self.procs.append(xvfb)
        with os.fdopen(r) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        rc = os.path.join(self.tmp, "rc.xml")
        with open(rc, "w") as f:
            f.write(OPENBOX_RC)
        wm = subprocess.Popen(["openbox", "--config-file", rc, "--sm-disable"], env=self.env(),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(wm)
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self._run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False), 10, what="openbox")
        self._wait_wm_manages()
        return self

    def _wait_wm_manages(self):
        """openbox announces itself before its event loop runs, and a map request that
        arrives in between waits, unseen, for the next event on its connection: the first
        window of a session would stay unmapped (seen under load). A probe window must get its
        frame while property changes on the root window keep waking openbox up."""
        probe = subprocess.Popen(["xmessage", "-title", "xharness-probe", "probe"],
                                 env=self.env(), stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        pokes = [0]

        def framed():
            pokes[0] += 1
            self._run(["xprop", "-root", "-f", "_XHARNESS_POKE", "32c", "-set",
                       "_XHARNESS_POKE", str(pokes[0])], check=False)
            return any(self.frame_extents(w) != (0, 0, 0, 0)
                       for w in self.search("^xharness-probe$"))
        try:
            wait_until(framed, 10, interval=0.05, what="openbox to frame a window")
        finally:
            probe.terminate()
            probe.wait(5)

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        shutil.rmtree(self.tmp, ignore_errors=True)
        return False

    def env(self, **extra):
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env["DISPLAY"] = self.display
        env["QT_QPA_PLATFORM"] = "xcb"
        if self.scale:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        env.update({k: str(v) for k, v in extra.items()})
        return env

    def _run(self, args, check=True):
        out = subprocess.run(args, env=self.env(), capture_output=True, text=True, timeout=20)
        if check and out.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed: {out.stderr.strip()}")
        return out.stdout

    # -- programs ---------------------------------------------------------------------------
    def start_program(self, record=None, binary=None, extra_env=None, folder=None):
        """Starts the window program from a fresh program folder (a copy of the binary, so
        that the data file lands there); `record` is an optional data file to start with."""
        return Program(self, record=record, binary=binary, extra_env=extra_env, folder=folder)

    # -- windows ----------------------------------------------------------------------------
    def search(self, name_regex, visible=True):
        args = ["xdotool", "search"]
        if visible:
            args.append("--onlyvisible")
        args += ["--name", name_regex]
        out = self._run(args, check=False)
        return [int(w) for w in out.split()]

    def name(self, win):
        return self._run(["xdotool", "getwindowname", str(win)], check=False).rstrip("\n")

    def active(self):
        out = self._run(["xdotool", "getactivewindow"], check=False).strip()
        return int(out) if out else None

    def geometry(self, win):
        """The client area: (x, y, width, height) in root coordinates."""
        out = self._run(["xwininfo", "-id", str(win)])

        def num(label):
            return int(re.search(label + r":\s+(-?\d+)", out).group(1))
        return (num("Absolute upper-left X"), num("Absolute upper-left Y"), num("Width"),
                num("Height"))

    def frame_extents(self, win):
        """(left, right, top, bottom) of the frame the window manager draws."""
        out = self._run(["xprop", "-id", str(win), "_NET_FRAME_EXTENTS"], check=False)
        m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
        return tuple(int(v) for v in m.groups()) if m else (0, 0, 0, 0)

    def frame_geometry(self, win):
        """The outer frame: (x, y, width, height) including the title bar and borders."""
        x, y, w, h = self.geometry(win)
        left, right, top, bottom = self.frame_extents(win)
        return (x - left, y - top, w + left + right, h + top + bottom)

    def workarea(self):
        out = self._run(["xprop", "-root", "_NET_WORKAREA"], check=False)
        m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
        return tuple(int(v) for v in m.groups()) if m else (0, 0, self.width, self.height)

    def describe_windows(self):
        """Names, map states and geometry of the program's windows (for failure messages)."""
        out = self._run(["xdotool", "search", "--class", "tobrisk"], check=False)
        lines = []
        for w in out.split():
            info = self._run(["xwininfo", "-id", w], check=False)
            state = re.search(r"Map State:\s+(\S+)", info)
            lines.append(f"{w} {self.name(int(w))!r} {state.group(1) if state else '?'}")
        return "; ".join(lines)

    def stacking(self):
        """Managed windows from bottom to top."""
        out = self._run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], check=False)
        return [int(v, 16) for v in re.findall(r"0x[0-9a-fA-F]+", out)]

    def popup_menus(self):
        """The program's visible pop-up windows (menus, drop-down lists): [(id, (w, h))]."""
        out = self._run(["xdotool", "search", "--onlyvisible", "--class", "tobrisk"],
                        check=False)
        found = []
        for w in out.split():
            info = self._run(["xwininfo", "-id", w], check=False)
            if "Override Redirect State: yes" in info and "IsViewable" in info:
                found.append((int(w), self.geometry(int(w))[2:]))
        return found

    def wait_popup(self, timeout=5):
        """Waits for exactly one visible pop-up window and returns (id, (w, h))."""
        return wait_until(lambda: (lambda p: p[0] if len(p) == 1 else None)(self.popup_menus()),
                          timeout, what="a pop-up menu")

    def always_on_top(self, win):
        out = self._run(["xprop", "-id", str(win), "_NET_WM_STATE"], check=False)
        return "_NET_WM_STATE_ABOVE" in out

    def wait_active(self, win, timeout=5):
        wait_until(lambda: self.active() == win, timeout, what=f"window {win} to be active")

    def window_pixels(self, win):
        """The raw RGB pixels of one window's client area (to compare before and after)."""
        path = os.path.join(self.tmp, "pixels.rgb")
        self._run(["import", "-window", str(win), "-depth", "8", "rgb:" + path])
        with open(path, "rb") as f:
            return f.read()

    def activate(self, win):
        self._run(["xdotool", "windowactivate", "--sync", str(win)], check=False)
        self.settle()

    def close_window(self, win):
        """Asks the window to close as its frame's close button does (WM_DELETE_WINDOW)."""
        self._run(["wmctrl", "-i", "-c", hex(win)], check=False)

    # -- input ------------------------------------------------------------------------------
    @staticmethod
    def settle(seconds=0.05):
        time.sleep(seconds)

    def keydown(self, *keys):
        self._run(["xdotool", "keydown", *keys])

    def keyup(self, *keys):
        self._run(["xdotool", "keyup", *keys])

    def key(self, keysym):
        """Press and release one key (keysym names: Return, Up, F1, a, 7, plus, ...)."""
        self.keydown(keysym)
        self.keyup(keysym)
        self.settle()

    def chord(self, mods, keysym, release="key-first", before_release=None):
        """A shortcut with real key order: the modifiers go down, then the key; release
        "key-first" lets go of the key before the modifiers, "mods-first" the other way.
        before_release, when given, runs while every key is still down (e.g. a wait for the
        window the press switched to, so that the releases surely reach that window)."""
        for m in mods:
            self.keydown(m)
        self.keydown(keysym)
        if before_release:
            before_release()
        if release == "key-first":
            self.keyup(keysym)
            for m in reversed(mods):
                self.keyup(m)
        else:
            for m in reversed(mods):
                self.keyup(m)
            self.keyup(keysym)
        self.settle()

    def type(self, text):
        self._run(["xdotool", "type", "--delay", "8", text])
        self.settle()

    def click(self, win, x, y, button=1, double=False):
        """Clicks at (x, y) inside the client area of win."""
        self._run(["xdotool", "mousemove", "--window", str(win), str(x), str(y)])
        args = ["xdotool", "click"]
        if double:
            args += ["--repeat", "2", "--delay", "80"]
        self._run(args + [str(button)])
        self.settle()

    def screenshot(self, path):
        self._run(["import", "-window", "root", path])
        return path


class Program:
    """One run of the window program in a program folder of its own."""

    def __init__(self, x, record=None, binary=None, extra_env=None, folder=None):
        self.x = x
        binary = binary or _env_bin("TOBRISK_BIN", "build/shell/tobrisk")
        self.folder = folder or tempfile.mkdtemp(prefix="prog-", dir=x.tmp)
        self.exe = os.path.join(self.folder, "tobrisk")
        if not os.path.exists(self.exe):
            shutil.copy2(binary, self.exe)
            chm = os.path.join(os.path.dirname(binary), "Tbhelp.chm")
            if os.path.exists(chm):
                shutil.copy2(chm, self.folder)
        if record is not None:
            with open(self.data_path, "wb") as f:
                f.write(record)
        self.log = open(os.path.join(self.folder, "program.log"), "wb")
        self.proc = subprocess.Popen([self.exe], cwd=self.folder, env=x.env(**(extra_env or {})),
                                     stdout=self.log, stderr=subprocess.STDOUT)

    @property
    def data_path(self):
        return os.path.join(self.folder, "Tbdata.dat")

    def alive(self):
        return self.proc.poll() is None

    def wait_window(self, name_regex, timeout=10):
        try:
            wins = wait_until(lambda: self.x.search(name_regex), timeout,
                              what=f"a visible window named {name_regex}")
        except Timeout as e:
            raise Timeout(f"{e}; program {'running' if self.alive() else 'ended'}; windows: "
                          f"{self.x.describe_windows()}") from None
        return wins[0]

    def wait_gone(self, name_regex, timeout=5):
        wait_until(lambda: not self.x.search(name_regex), timeout,
                   what=f"{name_regex} to be hidden")

    def visible_calculators(self):
        names = []
        for label, rx in (("expression", EXPRESSION), ("financial", FINANCIAL), ("rpn", RPN)):
            if self.x.search(rx):
                names.append(label)
        return names

    def close(self, timeout=10):
        """Closes the visible calculator through its frame and waits for the program to end."""
        for rx in (EXPRESSION, FINANCIAL, RPN):
            for w in self.x.search(rx):
                self.x.close_window(w)
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=10):
        try:
            code = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout("the program did not end")
        self.log.close()
        return code

    def kill(self, sig=signal.SIGKILL):
        if self.alive():
            self.proc.send_signal(sig)
            self.proc.wait(10)
        self.log.close()

    def output(self):
        with open(os.path.join(self.folder, "program.log"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def record(self):
        with open(self.data_path, "rb") as f:
            return f.read()


def read_i32(record, offset):
    return struct.unpack_from("<i", record, offset)[0]


def with_i32(record, offset, value):
    """A copy of the record with a signed 32-bit field changed."""
    out = bytearray(record)
    struct.pack_into("<i", out, offset, value)
    return bytes(out)


def saved_frame(record, which):
    """The saved (left, top) of "expression", "financial" or "rpn": a frame's top-left."""
    if which == "rpn":
        return (read_i32(record, RPN_LEFT), read_i32(record, RPN_TOP))
    top, left = (EXPR_TOP_SLOT, EXPR_LEFT_SLOT) if which == "expression" else (FIN_TOP_SLOT,
                                                                             FIN_LEFT_SLOT)
    return (read_i32(record, SLOTS + 4 * left), read_i32(record, SLOTS + 4 * top))


def with_saved_frame(record, which, left, top):
    if which == "rpn":
        return with_i32(with_i32(record, RPN_LEFT, left), RPN_TOP, top)
    top_slot, left_slot = (EXPR_TOP_SLOT, EXPR_LEFT_SLOT) if which == "expression" else (
        FIN_TOP_SLOT, FIN_LEFT_SLOT)
    record = with_i32(record, SLOTS + 4 * left_slot, left)
    return with_i32(record, SLOTS + 4 * top_slot, top)


def cli(args, stdin, data_dir):
    """Runs tobrisk-cli on a data folder; returns its standard output."""
    exe = _env_bin("TOBRISK_CLI", "build/cli/tobrisk-cli")
    out = subprocess.run([exe, *args, "--data-dir", data_dir], input=stdin, capture_output=True,
                         text=True, timeout=30)
    return out.stdout


def desktop_opener(x):
    """A stand-in for xdg-open, first on PATH, that only writes down what it was asked to
    open; with it the Help command opens without a desktop. Returns (extra_env, log path)."""
    bin_dir = os.path.join(x.tmp, "opener-bin")
    os.makedirs(bin_dir, exist_ok=True)
    log = os.path.join(x.tmp, "opened.log")
    opener = os.path.join(bin_dir, "xdg-open")
    with open(opener, "w") as f:
        f.write(f'#!/bin/sh\necho "$@" >> "{log}"\n')
    os.chmod(opener, 0o700)
    env = {"PATH": bin_dir + os.pathsep + os.environ.get("PATH", ""),
           "XDG_CURRENT_DESKTOP": "", "DESKTOP_SESSION": ""}
    return env, log


def add_manual(folder):
    """Puts an HTML manual (help/index.html) beside the program in `folder`."""
    os.makedirs(os.path.join(folder, "help"), exist_ok=True)
    with open(os.path.join(folder, "help", "index.html"), "w") as f:
        f.write("<html><body>Tobrisk</body></html>\n")

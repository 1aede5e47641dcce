"""One window program under watch: started with the sanitizers and the movable fake clock,
its windows listed through the window manager, and every step checked for a crash, a
sanitizer report or an event loop that stopped answering."""

import os
import re
import signal
import subprocess
import time

import record
from xharness import Program, Timeout, wait_until
from xping import Pinger

FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "SUMMARY: AddressSanitizer", "SUMMARY: UndefinedBehaviorSanitizer",
                   "AddressSanitizer:DEADLYSIGNAL")

CALCULATORS = {
    "expression": re.compile(r"^Tobrisk +[dr]$"),
    "financial": re.compile(r"^Tobrisk FIN$"),
    "rpn": re.compile(r"^Tobrisk RPN$"),
}
HELPERS = re.compile(r"^(Tobrisk( FIN| RPN)? Built-in Help|About Tobrisk)$")
FILE_DIALOG = re.compile(r"configuration of Tobrisk")


class Finding(AssertionError):
    """Something the soak exists to find: kept with the program's output."""


class FakeClock:
    """The program's wall clock runs this many seconds ahead of the real one; libfaketime
    reads the file again at most once a second."""

    def __init__(self, folder):
        self.path = os.path.join(folder, "faketime.txt")
        self.offset = 0
        self._write()

    def _write(self):
        with open(self.path + ".new", "w") as f:
            f.write(f"+{self.offset}\n")
        os.replace(self.path + ".new", self.path)

    def advance(self, seconds):
        self.offset += int(seconds)
        self._write()

    def env(self):
        if not os.path.exists(FAKETIME_LIB):
            return {}
        return {"LD_PRELOAD": FAKETIME_LIB, "FAKETIME_TIMESTAMP_FILE": self.path,
                "FAKETIME_CACHE_DURATION": "1", "FAKETIME_DONT_FAKE_MONOTONIC": "1"}


class Window:
    def __init__(self, wid, name, kind):
        self.id, self.name, self.kind = wid, name, kind

    def __repr__(self):
        return f"{self.kind}:{self.name!r}:{self.id:#x}"


def sanitizer_env(root):
    supp = os.path.join(root, "tests", "lsan.supp")
    return {
        # The fake clock is preloaded ahead of the sanitizer runtime.
        "ASAN_OPTIONS": "detect_leaks=1:abort_on_error=1:verify_asan_link_order=0",
        "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
        "LSAN_OPTIONS": f"suppressions={supp}:print_suppressions=0",
    }


def private_fonts(root, folder):
    """Only the setup's fonts, with fontconfig's caches in a folder of the soak's own: written
    under the fake clock they would carry future times, and every other program on the
    machine would then scan its fonts again at each start."""
    with open(os.path.join(root, "tests", "fonts", "setup-fonts.conf")) as f:
        text = f.read()
    cache = os.path.join(folder, "fontconfig-cache")
    os.makedirs(cache, exist_ok=True)
    text = re.sub(r"\s*<cachedir[^>]*>[^<]*</cachedir>", "", text)
    text = text.replace("</fontconfig>", f"  <cachedir>{cache}</cachedir>\n</fontconfig>")
    conf = os.path.join(folder, "fonts.conf")
    with open(conf, "w") as f:
        f.write(text)
    return {"FONTCONFIG_FILE": conf}


class Watched:
    """The program in its folder, restarted as often as the soak likes."""

    def __init__(self, x, folder, clock, root, bindir, log):
        self.x, self.folder, self.clock, self.log = x, folder, clock, log
        self.env = dict(sanitizer_env(root))
        self.env.update(clock.env())
        self.env.update(private_fonts(root, x.tmp))
        # The help file opens through xdg-open: a stand-in records the request instead.
        self.env["PATH"] = bindir + os.pathsep + os.environ.get("PATH", "")
        self.app = None
        self.pinger = Pinger(x.display)
        self.starts = 0
        self.tracer_crashes = 0
        self.late_answers = 0

    # -- life -------------------------------------------------------------------------------
    def start(self):
        backup = os.path.join(self.folder, "Tbdata.bak")
        had_backup = os.path.exists(backup)
        self.app = Program(self.x, folder=self.folder, extra_env=self.env)
        self.starts += 1
        try:
            # The warning about an unreadable data file comes before any calculator shows.
            wait_until(lambda: [w for w in self.windows() if w.kind != "helper"]
                       or not self.app.alive(), 60, what="a calculator window")
        except Timeout:
            raise Finding("no calculator window within 60 s of the start")
        self.check_alive()
        # A record that does not load shows a warning at once and keeps the file aside.
        time.sleep(0.5)
        boxes = self.modals()
        if boxes:
            raise Finding(f"a message box at start: {boxes}")
        if not had_backup and os.path.exists(backup):
            raise Finding("the data file could not be read at start (Tbdata.bak appeared)")

    def output(self):
        return self.app.output() if self.app else ""

    def check_output(self):
        out = self.output()
        for mark in SANITIZER_MARKS:
            if mark in out:
                raise Finding(f"sanitizer report ({mark})")

    def check_alive(self):
        self.check_output()
        if not self.app.alive():
            raise Finding(f"the program ended by itself (exit code {self.app.proc.returncode})")

    def check_answers(self):
        """The program's event loop answers a ping within 2 s."""
        wins = self.windows()
        if not wins:
            return
        answer = self.pinger.ping(wins[-1].id, 2.0)
        if answer is False:
            self.check_alive()
            # On a loaded machine a live program can miss 2 s: late is counted, hung is a
            # finding.
            if self.pinger.ping(wins[-1].id, 30.0) is False:
                self.check_alive()
                raise Finding(f"{wins[-1]} did not answer a ping within 30 s")
            self.late_answers += 1

    def wait_end(self, timeout):
        try:
            code = self.app.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Finding(f"the program did not end within {timeout} s of the close")
        self.app.log.close()
        self.check_output()
        return code

    def clean_exit(self, code):
        """Exit code 0, or the leak checker's own tracer crashing at exit: a known fault of
        the sanitizer runtime (not a report about the program), counted and let pass."""
        if code == 0:
            return True
        out = self.output()
        if code == -6 and "Tracer caught signal" in out and \
                "LeakSanitizer has encountered a fatal error" in out:
            self.tracer_crashes += 1
            return True
        return False

    def kill(self):
        if self.app.alive():
            self.app.proc.send_signal(signal.SIGKILL)
            self.app.proc.wait(10)
        self.app.log.close()

    def data(self):
        try:
            with open(os.path.join(self.folder, "Tbdata.dat"), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return b""

    # -- windows ----------------------------------------------------------------------------
    def _xprop(self, *args):
        try:
            out = subprocess.run(["xprop", *args], env=self.x.env(), capture_output=True,
                                 text=True, timeout=10)
        except subprocess.TimeoutExpired:
            return ""
        return out.stdout

    def windows(self):
        """The program's managed, mapped windows, bottom to top."""
        out = self._xprop("-root", "_NET_CLIENT_LIST_STACKING")
        ids = [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", out)]
        pid = self.app.proc.pid if self.app else -1
        wins = []
        for wid in ids:
            props = self._xprop("-id", hex(wid), "_NET_WM_PID", "_NET_WM_NAME")
            m = re.search(r"_NET_WM_PID\(CARDINAL\) = (\d+)", props)
            if not m or int(m.group(1)) != pid:
                continue
            n = re.search(r'_NET_WM_NAME\(UTF8_STRING\) = "(.*)"', props)
            name = n.group(1) if n else ""
            kind = "modal"
            for label, rx in CALCULATORS.items():
                if rx.match(name):
                    kind = label
            if HELPERS.match(name):
                kind = "helper"
            wins.append(Window(wid, name, kind))
        return wins

    def calculators(self):
        return [w for w in self.windows() if w.kind in CALCULATORS]

    def modals(self):
        return [w for w in self.windows() if w.kind == "modal"]

    def wait_calculator(self, kind, timeout=10):
        try:
            return wait_until(lambda: [w for w in self.calculators() if w.kind == kind],
                              timeout, what=kind)[0]
        except Timeout:
            self.check_alive()
            raise Finding(f"the {kind} window did not appear within {timeout} s")


def check_record(data, what):
    if not record.whole(data):
        raise Finding(f"{what}: the data file is not one whole record ({len(data)} bytes)")

"""A soak of the real window program: a seeded stream of real X input from a tireless,
careless user, on Xvfb with openbox, under the sanitizers.

    python3 soak.py SECONDS [--seed N] [--keep DIR]

Every step is followed by the checks (alive, no sanitizer report, a ping answered within
2 s). At fixed points the program is closed, its data file checked, started again, given
known state through real input, closed again and the state looked up in the file. Now and
then it is killed, also in the middle of its save, and the data file must be the old or the
new record, whole, and load at the next start. Exit status 0 when nothing was found.
"""

import argparse
import os
import random
import shutil
import signal
import stat
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "x11"))

import inputs  # noqa: E402
import record  # noqa: E402
from session import FILE_DIALOG, FakeClock, Finding, Watched, check_record  # noqa: E402
from xharness import Timeout, XSession, wait_until  # noqa: E402

ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
SWITCH = {"expression": inputs.EXPRESSION_SWITCH, "rpn": inputs.RPN_SWITCH,
          "financial": inputs.FINANCIAL_SWITCH}
KEYS = {"expression": inputs.EXPRESSION_KEYS, "rpn": inputs.RPN_KEYS,
        "financial": inputs.FINANCIAL_KEYS}
DIALOG_KEYS = {"expression": [(["ctrl"], "o"), (["ctrl"], "s"), (["ctrl"], "m")],
               "rpn": [([], "F1"), (["ctrl"], "F1")],
               "financial": [(["ctrl"], "m"), ([], "F1")]}
TO_EXPRESSION = {"rpn": (["ctrl"], "e"), "financial": (["ctrl"], "e")}
TO_RPN = {"expression": (["ctrl"], "r"), "financial": (["ctrl"], "r")}
TO_FINANCIAL = {"expression": (["ctrl"], "f"), "rpn": (["ctrl"], "f")}


class Soak:
    def __init__(self, x, seed, work, out):
        self.x, self.rng, self.work, self.out = x, random.Random(seed), work, out
        self.folder = os.path.join(work, "prog")
        self.files = os.path.join(work, "files")
        os.makedirs(self.folder)
        os.makedirs(self.files)
        bindir = os.path.join(work, "bin")
        os.makedirs(bindir)
        with open(os.path.join(bindir, "xdg-open"), "w") as f:
            f.write(f'#!/bin/sh\necho "$@" >> "{work}/help-requests.txt"\n')
        os.chmod(os.path.join(bindir, "xdg-open"), 0o755)
        shutil.copy2(os.environ.get("TOBRISK_BIN", "build-asan/shell/tobrisk"),
                     os.path.join(self.folder, "tobrisk"))
        self.clock = FakeClock(work)
        self.p = Watched(x, self.folder, self.clock, ROOT, bindir, out)
        self.steps = 0
        self.counts = {"fixed points": 0, "kills": 0, "kills during save": 0, "closes": 0,
                       "starts": 0,
                       "modal boxes answered": 0, "file names typed": 0, "clock moves": 0}
        self.boxes = {}
        self.seen = set()
        self.lost = 0
        self.old = b""
        self.fixed = 0
        self._make_files()

    # -- files for the dialogs --------------------------------------------------------------
    def _make_files(self):
        rng = self.rng
        for size in (0, 1, 7, 8, 100, 8000, 14663, 14664, 14665, 29328, 40000):
            with open(os.path.join(self.files, f"damaged-{size}.dat"), "wb") as f:
                f.write(bytes(rng.getrandbits(8) for _ in range(size)))
        for n in range(3):  # the magic, then anything: the loader must cope with every field
            body = bytes(rng.getrandbits(8) for _ in range(record.SIZE - 8))
            with open(os.path.join(self.files, f"magic-{n}.dat"), "wb") as f:
                f.write(record.MAGIC + body)
        ro = os.path.join(self.files, "readonly")
        os.makedirs(ro)
        os.chmod(ro, stat.S_IRUSR | stat.S_IXUSR)
        self.targets = [os.path.join(self.files, n) for n in os.listdir(self.files)
                        if n.endswith(".dat")]
        self.unwritable = [os.path.join(ro, "x.dat"), "/proc/tobrisk-soak.dat",
                           os.path.join(self.work, "missing", "x.dat"), "/nonexistent/x.dat"]

    def _good_copy(self, data):
        path = os.path.join(self.files, f"good-{self.fixed}.dat")
        with open(path, "wb") as f:
            f.write(data)
        with open(path[:-4] + "-tail.dat", "wb") as f:  # a short tail is ignored
            f.write(data + b"\0" * self.rng.randint(1, record.SIZE - 1))
        with open(path[:-4] + "-twice.dat", "wb") as f:  # a second record is refused
            f.write(data + data)
        self.targets += [path, path[:-4] + "-tail.dat", path[:-4] + "-twice.dat"]

    # -- input ------------------------------------------------------------------------------
    def _x(self, fn, *args, **kw):
        """An input call that may fail because a window went away meanwhile."""
        try:
            return fn(*args, **kw)
        except (RuntimeError, subprocess.TimeoutExpired):
            return None

    def chord(self, mods, key):
        if not mods:
            self._x(self.x.key, key)
        else:
            self._x(self.x.chord, mods, key, self.rng.choice(["key-first", "mods-first"]))

    def activate(self, win, wait=False):
        """Asks the window manager to activate win; with wait, until it is the active one."""
        self._x(self.x._run, ["xdotool", "windowactivate", str(win.id)], check=False)
        if wait:
            try:
                wait_until(lambda: self._x(self.x.active) == win.id, 3, what="activation")
            except Timeout:
                pass
        self.x.settle(0.1)

    def click_at(self, win, fx, fy, button=1, double=False):
        geo = self._x(self.x.geometry, win.id)
        if geo:
            self._x(self.x.click, win.id, int(geo[2] * fx), int(geo[3] * fy), button, double)

    def click_px(self, win, px, py, button=1, double=False):
        self._x(self.x.click, win.id, px, py, button, double)

    def type_line(self, text):
        self._x(self.x.type, text)

    # -- random steps -----------------------------------------------------------------------
    def step(self):
        wins = self.p.windows()
        modals = [w for w in wins if w.kind == "modal"]
        if modals and self.rng.random() < 0.75:
            return self.answer(modals[-1])
        calcs = [w for w in wins if w.kind in SWITCH]
        helpers = [w for w in wins if w.kind == "helper"]
        self.seen.update(w.name for w in helpers)
        if helpers and self.rng.random() < 0.08:
            w = self.rng.choice(helpers)
            return self.rng.choice([lambda: self.x.close_window(w.id),
                                    lambda: self.click_at(w, 0.5, 0.5),
                                    lambda: self.activate(w)])()
        if not calcs:
            return self.chord([], "Escape")
        win = calcs[-1]
        if self.rng.random() < 0.3:
            self.activate(win)
        roll = self.rng.random()
        if roll < 0.04:
            return self.chord(*self.rng.choice(SWITCH[win.kind]))
        if roll < 0.07:
            return self.context_menu(win)
        if roll < 0.09:
            return self.move_clock()
        if roll < 0.13:  # the boxes: files, fonts, About
            return self.chord(*self.rng.choice(DIALOG_KEYS[win.kind]))
        if roll < 0.15 and win.kind == "expression":
            return self.reminder(win)
        if roll < 0.45:
            return self.chord(*self.rng.choice(KEYS[win.kind]))
        return {"expression": self.expression_step, "rpn": self.rpn_step,
                "financial": self.financial_step}[win.kind](win)

    def expression_step(self, win):
        roll = self.rng.random()
        if roll < 0.55:
            if self.rng.random() < 0.8:
                self.click_at(win, 0.4, 0.26)
                self.chord(["ctrl"], "a")
            self.type_line(inputs.typed_line(self.rng))
            self.chord(*self.rng.choice([([], "Return")] * 6 + [(["ctrl"], "Return"),
                                                                (["ctrl", "shift"], "f")]))
            return
        fx, fy = self.rng.choice(inputs.EXPRESSION_SPOTS)
        self.click_at(win, fx, fy, double=self.rng.random() < 0.3)

    def rpn_step(self, win):
        geo = self._x(self.x.geometry, win.id)
        if not geo:
            return
        if self.rng.random() < 0.15:  # the display and the stack fields
            return self.click_at(win, self.rng.random(), self.rng.random() * 0.3,
                                 double=self.rng.random() < 0.5)
        px, py = inputs.rpn_spot(geo, self.rng.choice(inputs.RPN_BUTTONS))
        self.click_px(win, px, py, double=self.rng.random() < 0.15)

    def financial_step(self, win):
        fx, fy = self.rng.choice(inputs.FINANCIAL_SPOTS)
        spot = (fx / inputs.FIN_W, fy / inputs.FIN_H)
        roll = self.rng.random()
        if roll < 0.35 and (fx, fy) in inputs.FIN_FIELDS:
            self.click_at(win, *spot)
            self.chord(["ctrl"], "a")
            self.type_line(inputs.fin_text(self.rng))
        else:
            self.click_at(win, *spot, double=self.rng.random() < 0.4)

    def context_menu(self, win):
        self.click_at(win, self.rng.uniform(0.1, 0.9), self.rng.uniform(0.05, 0.2), button=3)
        for _ in range(self.rng.randint(0, 9)):
            self.chord([], self.rng.choice(["Down", "Down", "Down", "Up", "Right", "Left"]))
        self.chord([], self.rng.choice(["Return", "Return", "Escape"]))

    def check_reachable(self):
        """A running program always shows the user a calculator or a box, on the screen."""
        wins = self.p.windows()
        if not self.p.app.alive():
            return
        if not wins:
            self.lost += 1
            if self.lost >= 5:
                raise Finding("the program runs with no window on the screen")
            return
        self.lost = 0
        for w in wins:
            if w.kind == "helper":
                continue
            geo = self._x(self.x.frame_geometry, w.id)
            if not geo:
                continue
            x, y, width, height = geo
            inside_w = min(x + width, self.x.width) - max(x, 0)
            inside_h = min(y + height, self.x.height) - max(y, 0)
            if inside_w < 20 or inside_h < 20:
                raise Finding(f"{w} lies off the screen at {geo}")

    def reminder(self, win):
        """A note a minute ahead, then the clock moved past it: the box comes on a tick."""
        self.click_at(win, 0.4, 0.26)
        self.chord(["ctrl"], "a")
        self.type_line(f"note 1 r{self.steps}")
        self.chord([], "Return")
        self.clock.advance(self.rng.choice([70, 90, 200]))
        self.counts["clock moves"] += 1

    def move_clock(self):
        self.clock.advance(self.rng.choice([20, 60, 90, 180, 600, 3600, 13 * 3600]))
        self.counts["clock moves"] += 1

    def answer(self, box):
        self.counts["modal boxes answered"] += 1
        self.boxes[box.name] = self.boxes.get(box.name, 0) + 1
        self.activate(box)
        if FILE_DIALOG.search(box.name) and self.rng.random() < 0.7:
            name = self.rng.choice(self.targets + self.unwritable +
                                   [os.path.join(self.files, f"new-{self.steps}.dat")])
            self.counts["file names typed"] += 1
            self.chord(["ctrl"], "a")
            self.type_line(name)
            return self.chord([], "Return")
        if box.name == "Select Font" and self.rng.random() < 0.3:
            for _ in range(self.rng.randint(1, 4)):
                self.chord([], "Tab")
            self.type_line(self.rng.choice(["20", "8", "x", "14"]))
        self.chord([], self.rng.choice(["Return", "Escape", "Escape", "space"]))

    # -- calm: every box answered, the help windows closed ----------------------------------
    def calm(self):
        for _ in range(3):
            self.chord([], "Escape")  # a menu or a drop-down list left open
        for attempt in range(30):
            wins = self.p.windows()
            modals = [w for w in wins if w.kind == "modal"]
            helpers = [w for w in wins if w.kind == "helper"]
            if not modals and not helpers:
                return
            if modals:
                self.activate(modals[-1])
                self.chord([], "Escape")
                if attempt % 3 == 2:  # a window of its own that Escape does not close
                    self._x(self.x.close_window, modals[-1].id)
            else:
                self._x(self.x.close_window, helpers[-1].id)
            time.sleep(0.2)
        raise Finding(f"boxes that do not go away: {self.p.windows()}")

    # -- ends and starts --------------------------------------------------------------------
    def close_all(self):
        for w in self.p.calculators():
            self._x(self.x.close_window, w.id)

    def clean_close(self):
        self.calm()
        self.close_all()
        code = self.p.wait_end(60)
        if not self.p.clean_exit(code):
            raise Finding(f"exit code {code} after a close")
        data = self.p.data()
        check_record(data, "after a close")
        return data

    def start(self):
        self.p.start()
        self.counts["starts"] += 1
        self.old = self.p.data()
        check_record(self.old, "after a start")

    def kill(self):
        during_save = self.rng.random() < 0.5
        if during_save:
            self.close_all()
            time.sleep(self.rng.uniform(0, 0.6))
            self.counts["kills during save"] += 1
        self.counts["kills"] += 1
        self.p.kill()
        self.p.check_output()
        data = self.p.data()
        check_record(data, "after SIGKILL")
        if not during_save and data != self.old:
            raise Finding("SIGKILL outside a save changed the data file")
        self.start()

    def user_close(self):
        """The close button of whatever calculator shows, boxes or not; refused while a
        box is up, else the program ends and saves."""
        self.close_all()
        try:
            code = self.p.app.proc.wait(8)
        except subprocess.TimeoutExpired:
            return
        self.p.app.log.close()
        self.p.check_output()
        if not self.p.clean_exit(code):
            raise Finding(f"exit code {code} after a close")
        check_record(self.p.data(), "after a close")
        self.counts["closes"] += 1
        self.start()

    def switch_to(self, kind):
        for _ in range(3):
            calcs = self.p.calculators()
            if any(c.kind == kind for c in calcs):
                break
            cur = calcs[-1]
            self.activate(cur)
            table = {"expression": TO_EXPRESSION, "rpn": TO_RPN, "financial": TO_FINANCIAL}
            # Keys first: a modifier let go first leaves a bare key release for the new window
            # (Ctrl+R into the RPN window becomes rcl), which is known and not what this checks.
            mods, key = table[kind][cur.kind]
            self._x(self.x.chord, mods, key, "key-first")
            time.sleep(0.3)
        win = self.p.wait_calculator(kind)
        self.activate(win, wait=True)
        if self._x(self.x.active) != win.id:
            raise Finding(f"the {kind} window shown by a switch cannot be made active")
        return win

    def fixed_point(self):
        """Close, check, start, set known state by real input, close, look it up."""
        self.fixed += 1
        self.counts["fixed points"] += 1
        self._good_copy(self.clean_close())
        self.start()
        self.calm()
        rng = self.rng
        name, value = f"sk{self.fixed}", rng.randint(1, 10 ** 12)
        reg, regval = rng.randint(0, 9), rng.randint(1, 99999)
        mode, digits = rng.randint(0, 2), rng.randint(0, 9)
        lang = rng.randint(0, 1)

        win = self.switch_to("expression")
        self.click_at(win, 0.4, 0.26)
        self.chord(["ctrl"], "a")
        self.type_line("del vars")  # no reminder may pop up over the input below
        self.chord([], "Return")
        try:
            box = self.wait_modal(10)
            self.activate(box, wait=True)
            self.chord([], "Return")
        except Finding:
            raise Finding("\"del vars\" asked nothing")
        self.calm()
        self.activate(win, wait=True)
        self.click_at(win, 0.4, 0.26)
        self.chord(["ctrl"], "a")
        self.type_line(f"{name} = {value}")
        self.chord([], "Return")

        win = self.switch_to("rpn")
        for ch in str(regval) + "s" + str(reg):
            self.chord([], ch)
        geo = self.x.geometry(win.id)
        self.click_px(win, *inputs.rpn_spot(geo, inputs.RPN_SHOW_BUTTON))
        self.chord([], str(mode + 1))
        self.chord([], str(digits))

        win = self.switch_to("financial")
        self.click_at(win, 250 / inputs.FIN_W, 8 / inputs.FIN_H, button=3)
        for key in ["Down"] * 7 + ["Right"] + ["Down"] * lang + ["Return"]:
            self.chord([], key)
        time.sleep(0.3)
        self.p.check_alive()
        self.x.close_window(win.id)
        code = self.p.wait_end(60)
        if not self.p.clean_exit(code):
            raise Finding(f"exit code {code} after closing the financial window")
        data = self.p.data()
        check_record(data, "after setting known state")
        wrong = []
        if record.variable(data, name) != value:
            wrong.append(f"variable {name} = {record.variable(data, name)}, typed {value}")
        if record.register(data, reg) != regval:
            wrong.append(f"register {reg} = {record.register(data, reg)}, keyed {regval}")
        if record.display_mode(data) != (mode, digits):
            wrong.append(f"display mode {record.display_mode(data)}, chose {(mode, digits)}")
        if record.slot(data, record.FIN_LANGUAGE_SLOT) != lang:
            wrong.append(f"language {record.slot(data, record.FIN_LANGUAGE_SLOT)}, chose {lang}")
        if record.active(data) != 1:
            wrong.append(f"active calculator {record.active(data)}, closed the financial one")
        if wrong:
            raise Finding("the data file does not hold the state set: " + "; ".join(wrong))
        self.cli_reads(data, name)
        self._good_copy(data)
        self.start()

    def cli_reads(self, data, name):
        """tobrisk-cli, on a copy, finds the variable too (and leaves the original alone)."""
        exe = os.environ.get("TOBRISK_CLI")
        if not exe or not os.path.exists(exe):
            return
        copy = os.path.join(self.work, "cli")
        shutil.rmtree(copy, ignore_errors=True)
        os.makedirs(copy)
        with open(os.path.join(copy, "Tbdata.dat"), "wb") as f:
            f.write(data)
        env = dict(os.environ, **self.p.env)
        env.pop("LD_PRELOAD", None)
        out = subprocess.run([exe, "--data-dir", copy], input=":listing\n", text=True,
                             capture_output=True, timeout=60, env=env)
        if out.returncode != 0 or not any(line.startswith(f"{name} = ")
                                          for line in out.stdout.splitlines()):
            raise Finding(f"tobrisk-cli does not list {name} from the saved record: "
                          f"{out.stdout[-500:]} {out.stderr[-2000:]}")

    def wait_modal(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            boxes = self.p.modals()
            if boxes:
                return boxes[-1]
            time.sleep(0.1)
        raise Finding("no box appeared")

    # -- the run ----------------------------------------------------------------------------
    def run(self, seconds):
        start = time.monotonic()
        self.start()
        next_fixed = start + min(90, seconds / 2)
        while time.monotonic() - start < seconds:
            self.steps += 1
            roll = self.rng.random()
            if roll < 0.012:
                self.kill()
            elif roll < 0.018:
                self.user_close()
            else:
                self.step()
            self.x.settle(0.05)
            self.p.check_alive()
            self.p.check_answers()
            self.check_reachable()
            if time.monotonic() > next_fixed:
                self.fixed_point()
                next_fixed = time.monotonic() + 150
        self.fixed_point()
        self.clean_close()
        return time.monotonic() - start


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("seconds", type=float)
    ap.add_argument("--seed", type=int, default=None)
    ap.add_argument("--keep", default=None, help="folder for the evidence of a finding")
    args = ap.parse_args()
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1, 10 ** 9)
    print(f"soak: seed {seed} ({args.seconds:.0f} s); replay with --seed {seed}", flush=True)
    keep = args.keep or os.path.join(os.getcwd(), "soak-findings")
    # A terminated soak still takes its display and program down.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    with XSession() as x:
        soak = Soak(x, seed, os.path.join(x.tmp, "soak"), sys.stdout)
        try:
            minutes = soak.run(args.seconds) / 60
        except Finding as f:
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(os.path.join(soak.folder, "program.log"),
                         os.path.join(keep, f"program-{seed}.log"))
            soak._x(x.screenshot, os.path.join(keep, f"screen-{seed}.png"))
            if soak.p.app and soak.p.app.alive():
                soak.p.app.proc.send_signal(signal.SIGKILL)
            print(f"soak: FINDING at step {soak.steps}: {f}", flush=True)
            print(soak.p.output()[-6000:], flush=True)
            print(f"soak: evidence in {keep}; replay with --seed {seed}", flush=True)
            return 1
        finally:
            if soak.p.app and soak.p.app.alive():
                soak.p.app.proc.send_signal(signal.SIGKILL)
            os.chmod(os.path.join(soak.files, "readonly"), 0o755)
    soak.counts["leak checker tracer crashes"] = soak.p.tracer_crashes
    soak.counts["answers later than 2 s"] = soak.p.late_answers
    summary = ", ".join(f"{k} {v}" for k, v in soak.counts.items())
    print(f"soak: {soak.steps} steps in {minutes:.1f} min without a finding ({summary})")
    print("soak: help and About windows seen: " + ", ".join(sorted(soak.seen)))
    print("soak: boxes answered: " + ", ".join(f"{k!r} {v}" for k, v in sorted(soak.boxes.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main())

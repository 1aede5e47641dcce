"""Switching and help shortcuts in both key-release orders: the release of a shortcut's key
must not act in the window the shortcut switched to. The releases are held back until the new
window is active, the worst case of real timings. Afterwards the next digits must start a
number: in the RPN window they are stored into a register (a stray "rcl" from the R of Ctrl+R
would recall one instead), in the expression window they end up in a variable."""

import unittest

from xharness import (EXPRESSION, FINANCIAL, RPN, XSession, add_manual, cli, desktop_opener,
                      wait_until)

WINDOWS = {"expression": EXPRESSION, "financial": FINANCIAL, "rpn": RPN}
HELP = {"expression": r"^Tobrisk Built-in Help$", "financial": r"^Tobrisk FIN Built-in Help$",
        "rpn": r"^Tobrisk RPN Built-in Help$"}

# (from, modifiers, key, to); to None: the shortcut keeps the calculator (help keys).
CASES = [
    ("expression", ["ctrl"], "r", "rpn"),
    ("expression", ["ctrl"], "f", "financial"),
    ("expression", [], "F1", None),
    ("expression", ["ctrl"], "F1", None),
    ("financial", ["ctrl"], "e", "expression"),
    ("financial", ["ctrl"], "r", "rpn"),
    ("financial", [], "F1", None),
    ("financial", ["ctrl"], "F1", None),
    ("rpn", ["ctrl"], "e", "expression"),
    ("rpn", ["ctrl"], "f", "financial"),
    ("rpn", [], "F1", None),
    ("rpn", ["ctrl"], "F1", None),
]
# How to reach a calculator from another one with a plain shortcut.
GO = {"expression": "e", "financial": "f", "rpn": "r"}


class SwitchKeys(unittest.TestCase):
    def test_a_shortcut_acts_only_where_it_was_pressed(self):
        with XSession() as x:
            # Ctrl+F1 opens the manual through a stand-in for the desktop, without a box.
            opener_env, _ = desktop_opener(x)
            app = x.start_program(extra_env=opener_env)
            add_manual(app.folder)
            win = app.wait_window(EXPRESSION, timeout=30)
            x.activate(win)
            current = "expression"
            registers = {}  # RPN register -> value stored after a case
            variables = {}  # expression variable -> value
            for release in ("mods-first", "key-first"):
                for source, mods, key, target in CASES:
                    if current != source:
                        x.chord(["ctrl"], GO[source])
                        x.wait_active(app.wait_window(WINDOWS[source]))
                        current = source
                    lands = target or source
                    what = f"{'+'.join(mods + [key])} ({release}) from {source}"

                    def landed():
                        w = app.wait_window(WINDOWS[lands])
                        x.wait_active(w)
                        if key == "F1" and not mods:
                            app.wait_window(HELP[source])

                    x.chord(mods, key, release=release, before_release=landed)
                    x.settle(0.15)
                    self.assertEqual(app.visible_calculators(), [lands], what)
                    current = lands
                    value = 10 + len(registers) + len(variables)
                    if lands == "rpn":
                        reg = len(registers)
                        x.type(str(value))
                        x.key("s")
                        x.key(str(reg))
                        registers[reg] = (value, what)
                    elif lands == "expression":
                        name = f"v{len(variables)}"
                        x.chord(["ctrl"], "a")
                        x.type(f"{name}={value}")
                        x.key("Return")
                        variables[name] = (value, what)
            self.assertEqual(app.close(), 0)

            script = "".join(f":reg {r}\n" for r in registers)
            got = cli(["--rpn"], script, app.folder).split("\n")
            for i, (reg, (value, what)) in enumerate(registers.items()):
                self.assertEqual(got[i], str(value), f"register {reg} after {what}")
            listing = cli([], ":listing\n", app.folder)
            for name, (value, what) in variables.items():
                self.assertIn(f"{name} = {value}", listing, f"after {what}")
            self.assertGreaterEqual(len(registers), 8)
            self.assertGreaterEqual(len(variables), 8)


if __name__ == "__main__":
    unittest.main()

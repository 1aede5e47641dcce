"""The expression window's lines and the help command on a real X server: the history keys
(Up = previous line, newest first; Down = next, then the line being typed), the result line's
colour after its list opens from the keyboard and after the application is left and entered
again, the `del vars` box, a configuration without an extension opened back, and Ctrl+F1
with and without an application for the help file."""

import os
import re
import shutil
import subprocess
import unittest

from xharness import EXPRESSION, XSession, add_manual, cli, desktop_opener, wait_until


def listing(folder):
    """Variable name -> value text, from the data file the program left."""
    out = cli([], ":listing\n", folder)
    return dict(re.findall(r"^(\w+) = (\S+)", out, re.M))


class HistoryKeys(unittest.TestCase):
    def test_up_and_down_walk_the_history_like_a_shell(self):
        with XSession() as x:
            app = x.start_program()
            x.activate(app.wait_window(EXPRESSION))
            # First start: the history holds "(pi/2)^2.5 + sqrt(2)" and "2+2".
            for line in ("a = 5", "b = 7", "c = 9"):
                x.chord(["ctrl"], "a")
                x.type(line)
                x.key("Return")
            steps = [
                (["Up", "Up"], "0"),                          # b = 7 -> b = 70
                (["Up", "Up", "Up", "Up", "Down", "Down"], "9"),  # b70 c9 b7 a5, b7 c9 -> c = 99
            ]
            for keys, suffix in steps:
                for k in keys:
                    x.key(k)
                x.key("End")
                x.type(suffix)
                x.key("Return")
            # A line being typed comes back after Down past the newest.
            x.chord(["ctrl"], "a")
            x.type("d = 4")
            x.key("Up")
            x.key("Down")
            x.key("End")
            x.type("4")
            x.key("Return")
            # Up stops at the oldest line, (pi/2)^2.5 + sqrt(2) = 4.5066...
            for _ in range(12):
                x.key("Up")
            x.key("Home")
            x.type("f = ")
            x.key("Return")
            self.assertEqual(app.close(), 0)
            got = listing(app.folder)
            self.assertEqual({k: got.get(k) for k in "abcd"},
                             {"a": "5", "b": "70", "c": "99", "d": "44"})
            self.assertTrue(got.get("f", "").startswith("4.5066"), got)


def count_pixels(x, win, lower, test):
    """How many pixels of one line (the window's upper or lower half, the arrow left out) pass
    test(r, g, b)."""
    ppm = subprocess.run(["import", "-window", str(win), "-depth", "8", "ppm:-"], env=x.env(),
                         capture_output=True, timeout=20, check=True).stdout
    _magic, size, _maxval, pixels = ppm.split(b"\n", 3)
    width, height = map(int, size.split())
    rows = range(height // 2, height) if lower else range(0, height // 2)
    count = 0
    for row in rows:
        for col in range(width - 30):
            i = (row * width + col) * 3
            if test(*pixels[i:i + 3]):
                count += 1
    return count


def notice_pixels(x, win):
    """Result line pixels in the notice colour RGB(136,68,34), or near it (anti-aliasing)."""
    return count_pixels(x, win, True, lambda r, g, b: r > g + 40 and g > b + 15)


def dark_entry_pixels(x, win):
    """Entry line pixels in the user's colour (black by default), none while greyed."""
    return count_pixels(x, win, False, lambda r, g, b: max(r, g, b) < 60)


@unittest.skipUnless(shutil.which("import"), "ImageMagick's import reads the window's pixels")
class ResultLineColour(unittest.TestCase):
    def show_a_notice(self, x, win):
        x.activate(win)
        x.click(win, 60, 12)  # into the entry line
        x.chord(["ctrl"], "a")
        x.type("1/0")
        x.key("Return")
        wait_until(lambda: notice_pixels(x, win) > 0, 10, what="the notice colour")

    def test_opening_the_list_from_the_keyboard_gives_the_users_colour(self):
        with XSession() as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION)
            for opening in (["alt"], "Down"), ([], "F4"):
                self.show_a_notice(x, win)
                x.key("Tab")  # to the result line
                x.chord(*opening)
                x.key("Escape")
                wait_until(lambda: notice_pixels(x, win) == 0, 10, what=f"{opening} to recolour")
            self.assertEqual(app.close(), 0)

    def test_coming_back_to_the_application_gives_the_users_colour(self):
        with XSession() as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION)
            self.show_a_notice(x, win)
            other = subprocess.Popen(["xmessage", "-name", "other", "another application"],
                                     env=x.env(), stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            try:
                x.activate(wait_until(lambda: x.search("^other$"), 10, what="xmessage")[0])
                wait_until(lambda: dark_entry_pixels(x, win) == 0, 10, what="greyed lines")
                x.activate(win)
                wait_until(lambda: dark_entry_pixels(x, win) > 0, 10, what="the entry's colour")
                self.assertEqual(notice_pixels(x, win), 0)
            finally:
                other.kill()
                other.wait()
            self.assertEqual(app.close(), 0)


class DeleteVariables(unittest.TestCase):
    def test_cancel_in_the_warning_box_keeps_the_variables(self):
        with XSession() as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION)
            x.activate(win)
            x.chord(["ctrl"], "a")
            x.type("k = 3")
            x.key("Return")
            x.chord(["ctrl"], "a")
            x.type("del vars")
            x.key("Return")
            box = wait_until(lambda: [w for w in x.search(r"^Tobrisk$") if w != win], 10,
                             what="the warning box")[0]
            x.activate(box)
            x.key("Escape")
            app.wait_gone(r"^Tobrisk$", timeout=10)
            self.assertEqual(app.close(), 0)
            self.assertEqual(listing(app.folder).get("k"), "3")


class OpenConfiguration(unittest.TestCase):
    def test_a_configuration_without_extension_opens_back(self):
        with XSession() as x:
            app = x.start_program()
            x.activate(app.wait_window(EXPRESSION))
            self.assertEqual(app.close(), 0)
            # A configuration saved as "mycalc", holding m = 12.
            conf = os.path.join(app.folder, "mycalc")
            with open(conf, "wb") as f:
                f.write(app.record())
            cli([], "m = 12\n", app.folder)
            os.replace(app.data_path, conf)

            app = x.start_program(folder=app.folder)
            x.activate(app.wait_window(EXPRESSION))
            x.chord(["ctrl"], "o")
            dialog = wait_until(lambda: x.search("^Open a particular configuration"), 10,
                                what="the open dialog")[0]
            x.activate(dialog)
            x.type(conf)
            x.key("Return")
            app.wait_gone("^Open a particular configuration", timeout=10)
            self.assertEqual(app.close(), 0)
            self.assertEqual(listing(app.folder).get("m"), "12")


class HelpCommand(unittest.TestCase):
    def run_help(self, chm_handler):
        """Ctrl+F1 with help file and manual beside the program; returns what xdg-open got."""
        with XSession() as x:
            env, log = desktop_opener(x)
            cfg = os.path.join(x.tmp, "config")
            data = os.path.join(x.tmp, "data")
            for d in (cfg, os.path.join(data, "applications")):
                os.makedirs(d)
            if chm_handler:
                with open(os.path.join(cfg, "mimeapps.list"), "w") as f:
                    f.write("[Default Applications]\napplication/vnd.ms-htmlhelp=xchm.desktop\n")
            env.update({"XDG_CONFIG_HOME": cfg, "XDG_CONFIG_DIRS": cfg, "XDG_DATA_HOME": data,
                        "XDG_DATA_DIRS": data})
            app = x.start_program(extra_env=env)
            add_manual(app.folder)
            with open(os.path.join(app.folder, "Tbhelp.chm"), "ab"):
                pass
            x.activate(app.wait_window(EXPRESSION))
            x.chord(["ctrl"], "F1")
            wait_until(lambda: os.path.exists(log), 10, what="xdg-open to be called")
            self.assertEqual(app.close(), 0)
            with open(log) as f:
                return f.read().split(), app.folder

    def test_with_an_application_for_chm_the_help_file_opens(self):
        opened, folder = self.run_help(chm_handler=True)
        self.assertEqual(len(opened), 1)
        self.assertTrue(opened[0].endswith("/Tbhelp.chm"), opened)

    def test_without_one_the_manual_opens_in_the_browser(self):
        opened, folder = self.run_help(chm_handler=False)
        self.assertEqual(len(opened), 1)
        self.assertTrue(opened[0].endswith("/help/index.html"), opened)


if __name__ == "__main__":
    unittest.main()

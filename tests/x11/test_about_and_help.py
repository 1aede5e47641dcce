"""The About box comes up in front of the calculator it was called from, also when that window
is always on top (the expression window always is; at the first start both are centred). A
built-in help window that does not fit the available area at 200 % scaling is shortened to it
and scrolls."""

import shutil
import unittest

from xharness import ABOUT, EXPRESSION, FINANCIAL, RPN, XSession, wait_until

WINDOWS = {"expression": EXPRESSION, "financial": FINANCIAL, "rpn": RPN}
GO = {"expression": "e", "financial": "f", "rpn": "r"}


class AboutBox(unittest.TestCase):
    def about_from_menu(self, x, app, win):
        # "About..." is the last entry of every calculator's menu.
        x.click(win, 2, 2, button=3)
        x.wait_popup()
        x.key("Up")
        x.key("Return")
        return app.wait_window(ABOUT)

    def assert_in_front(self, x, about, win, what):
        order = wait_until(lambda: (lambda s: s if about in s and win in s else None)(
            x.stacking()), what="both windows in the stacking list")
        self.assertGreater(order.index(about), order.index(win), what)

    def test_about_is_in_front_of_every_calculator(self):
        with XSession() as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION, timeout=30)
            x.activate(win)
            for calc in ("expression", "rpn", "financial"):
                if calc != "expression":
                    x.chord(["ctrl"], GO[calc])
                    win = app.wait_window(WINDOWS[calc])
                    x.wait_active(win)
                if calc == "rpn":
                    x.click(win, 150, 15, double=True)  # always on top (a new X window)
                    win = wait_until(lambda: next(
                        (w for w in x.search(RPN) if x.always_on_top(w)), None),
                        what="the RPN window on top")
                    x.activate(win)
                about = self.about_from_menu(x, app, win)
                self.assert_in_front(x, about, win, f"About from {calc}")
                x.wait_active(about)
                x.key("Escape")
                app.wait_gone(ABOUT)
            self.assertEqual(app.close(), 0)


@unittest.skipUnless(shutil.which("import"), "imagemagick's import is needed for pictures")
class HelpAtDoubleScale(unittest.TestCase):
    def test_a_tall_help_window_is_shortened_and_scrolls(self):
        with XSession(width=1280, height=1024, scale=2) as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION, timeout=30)
            x.activate(win)
            x.chord(["ctrl"], "r")
            rpn = app.wait_window(RPN)
            x.wait_active(rpn)
            x.key("F1")
            help_win = app.wait_window(r"^Tobrisk RPN Built-in Help$")
            area_x, area_y, area_w, area_h = x.workarea()

            def framed_inside():
                fx, fy, fw, fh = x.frame_geometry(help_win)
                return (x.frame_extents(help_win) != (0, 0, 0, 0) and fx >= area_x and
                        fy >= area_y and fx + fw <= area_x + area_w and
                        fy + fh <= area_y + area_h)
            wait_until(framed_inside, what="the help window's frame on the available area")
            self.assertEqual(x.active(), rpn)  # the calculator keeps the keyboard

            # The page scrolls: the wheel shows other lines (the notes at its end).
            _, _, w, h = x.geometry(help_win)
            before = x.window_pixels(help_win)
            for _ in range(12):
                x.click(help_win, w // 2, h // 2, button=5)
            wait_until(lambda: x.window_pixels(help_win) != before, what="the page to scroll")
            self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()

"""Window positions under a window manager that draws frames. A switch puts the next window's
frame exactly where the previous window's frame was, whichever calculator the program started
on and however often the user switches; the saved positions are those frame corners, and a
start places the window's frame back on them. A saved position beyond the screen is pulled
back so that the whole frame is on the available area."""

import unittest

from xharness import (ACTIVE_CALCULATOR, EXPRESSION, FINANCIAL, RPN, XSession, saved_frame,
                      wait_until, with_i32, with_saved_frame)

WINDOWS = {"expression": EXPRESSION, "financial": FINANCIAL, "rpn": RPN}
NUMBER = {"expression": 0, "financial": 1, "rpn": 2}
GO = {"expression": "e", "financial": "f", "rpn": "r"}
# Visits every ordered pair of calculators from any start.
TOUR = ["financial", "rpn", "expression", "rpn", "financial", "expression", "financial", "rpn",
        "expression"]
START_AT = {"expression": (120, 100), "financial": (300, 150), "rpn": (200, 300)}


class WindowPositions(unittest.TestCase):
    def base_record(self, x):
        app = x.start_program()
        app.wait_window(EXPRESSION, timeout=30)
        self.assertEqual(app.close(), 0)
        return app.record()

    def corner(self, x, win):
        return x.frame_geometry(win)[:2]

    def test_switching_keeps_the_frame_corner_from_every_start(self):
        with XSession() as x:
            base = self.base_record(x)
            for start in ("expression", "financial", "rpn"):
                record = with_i32(base, ACTIVE_CALCULATOR, NUMBER[start])
                for which, (left, top) in START_AT.items():
                    record = with_saved_frame(record, which, left, top)
                app = x.start_program(record=record)
                win = app.wait_window(WINDOWS[start], timeout=30)
                x.activate(win)
                corner = START_AT[start]
                self.assertEqual(self.corner(x, win), corner, f"start on {start}")
                current = start
                for step, target in enumerate(TOUR):
                    if target == current:
                        continue
                    x.chord(["ctrl"], GO[target])
                    win = app.wait_window(WINDOWS[target])
                    x.wait_active(win)
                    self.assertEqual(self.corner(x, win), corner,
                                     f"start on {start}, switch {step} to {target}")
                    current = target
                self.assertEqual(app.close(), 0)
                saved = app.record()
                for which in WINDOWS:
                    self.assertEqual(saved_frame(saved, which), corner, f"{which} saved")

                # The next start puts the frame back on the saved corner.
                again = x.start_program(record=saved)
                win = again.wait_window(WINDOWS[current], timeout=30)
                x.activate(win)
                self.assertEqual(self.corner(x, win), corner, f"restart after {start}")
                self.assertEqual(again.close(), 0)

    def test_always_on_top_switches_keep_the_frame_corner(self):
        # Changing the always-on-top state hides and re-shows the window.
        with XSession() as x:
            app = x.start_program()
            x.activate(app.wait_window(EXPRESSION, timeout=30))
            for calc, point in (("rpn", (150, 15)), ("financial", (330, 123))):
                x.chord(["ctrl"], GO[calc])
                win = app.wait_window(WINDOWS[calc])
                x.wait_active(win)
                corner = self.corner(x, win)
                for on in (True, False, True):
                    x.click(win, *point, double=calc == "rpn")  # display / "Topmost Window"
                    win = wait_until(lambda: next(
                        (w for w in x.search(WINDOWS[calc]) if x.always_on_top(w) == on), None),
                        what=f"{calc} on top {on}")
                    x.activate(win)
                    self.assertEqual(self.corner(x, win), corner, f"{calc} on top {on}")
            self.assertEqual(app.close(), 0)

    def test_a_position_beyond_the_screen_is_pulled_back_with_its_frame(self):
        with XSession(width=1024, height=768) as x:
            base = self.base_record(x)
            area_x, area_y, area_w, area_h = x.workarea()
            for start in ("expression", "financial"):
                record = with_i32(base, ACTIVE_CALCULATOR, NUMBER[start])
                record = with_saved_frame(record, start, 1900, 1150)  # a larger screen's corner
                app = x.start_program(record=record)
                win = app.wait_window(WINDOWS[start], timeout=30)
                x.activate(win)
                fx, fy, fw, fh = x.frame_geometry(win)
                # Right and bottom edges, frame included, on the available area's edges.
                self.assertEqual((fx + fw, fy + fh), (area_x + area_w, area_y + area_h), start)
                self.assertEqual(app.close(), 0)
                self.assertEqual(saved_frame(app.record(), start), (fx, fy), start)


if __name__ == "__main__":
    unittest.main()

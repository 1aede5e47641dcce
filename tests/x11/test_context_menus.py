"""A right click on any control of a calculator window opens that window's pop-up menu, not a
text field's own menu (Undo, Cut, Copy, Paste, ...). Every click must bring up a pop-up of the
same size as the window's menu; one click per window then chooses the menu's first entry with
the keyboard, which switches calculators only in the window's menu."""

import unittest

from xharness import EXPRESSION, FINANCIAL, RPN, XSession, wait_until

# Client coordinates of the controls at their design places.
EXPRESSION_POINTS = {
    "entry line": (100, 14), "entry arrow": (290, 14), "result line": (100, 40),
    "result arrow": (290, 40), "window margin": (1, 1),
}

RPN_LEFT_COLUMNS, RPN_RIGHT_COLUMNS = (6, 54, 102, 150), (6, 54)
RPN_ROWS = (12, 42, 72, 102, 132, 162)


def rpn_points(top):
    """Every button of both groups, the display and the groups' edges; `top` is the display's
    top (98 with the stack shown)."""
    points = {"display": (150, top + 15), "left group edge": (2, top + 30),
              "right group edge": (201, top + 30)}
    for group, (left, columns) in enumerate(((0, RPN_LEFT_COLUMNS), (199, RPN_RIGHT_COLUMNS))):
        for r, row in enumerate(RPN_ROWS):
            for c, column in enumerate(columns):
                points[f"button {group}.{r}.{c}"] = (left + column + 20, top + 24 + row + 12)
    return points


FINANCIAL_POINTS = {
    "TextBox0": (75, 28), "TextBox1": (200, 28), "TextBox2": (68, 68), "TextBox3": (206, 68),
    "TextBox5": (362, 68), "top right": (360, 28), "Control0": (30, 104),
    "Control1": (30, 122), "Control2": (196, 104), "Control3": (196, 122), "Edit1": (318, 100),
    "UpDown1 up": (337, 93), "UpDown1 down": (337, 107), "Label3": (372, 98),
    "CheckBox1": (330, 123), "GroupBox1 edge": (4, 84), "Label1": (20, 6),
}


class ContextMenus(unittest.TestCase):
    def menu_size(self, x, win, point):
        x.click(win, *point, button=3)
        popup, size = x.wait_popup()
        x.key("Escape")
        wait_until(lambda: not x.popup_menus(), what="the menu to close")
        return size

    def check_window(self, x, win, points, reference):
        sizes = {name: self.menu_size(x, win, p) for name, p in points.items()}
        expected = sizes[reference]
        for name, size in sizes.items():
            self.assertEqual(size, expected, f"right click on {name}")

    def choose_first_entry(self, x, win, point):
        x.click(win, *point, button=3)
        x.wait_popup()
        x.key("Down")
        x.key("Return")

    def test_every_control_opens_the_window_menu(self):
        with XSession() as x:
            app = x.start_program()
            expr = app.wait_window(EXPRESSION, timeout=30)
            x.activate(expr)
            self.check_window(x, expr, EXPRESSION_POINTS, "window margin")
            # "RPN Calculator..." is the first entry of the expression window's menu.
            self.choose_first_entry(x, expr, EXPRESSION_POINTS["entry line"])
            rpn = app.wait_window(RPN)
            x.wait_active(rpn)

            self.check_window(x, rpn, rpn_points(0), "left group edge")
            x.chord(["ctrl"], "h")  # the stack fields above the display
            wait_until(lambda: x.geometry(rpn)[3] > 300, what="the stack fields")
            stack = {f"Edit{i + 1}": (150, 12 + 24 * i) for i in range(4)}
            stack["display"] = (150, 98 + 15)
            stack["left group edge"] = (2, 98 + 30)
            self.check_window(x, rpn, stack, "left group edge")
            x.chord(["ctrl"], "h")
            # "Expression Calculator..." is the RPN menu's first entry.
            self.choose_first_entry(x, rpn, (150, 15))
            x.wait_active(app.wait_window(EXPRESSION))

            x.chord(["ctrl"], "f")
            fin = app.wait_window(FINANCIAL)
            x.wait_active(fin)
            self.check_window(x, fin, FINANCIAL_POINTS, "Label1")
            self.choose_first_entry(x, fin, FINANCIAL_POINTS["TextBox0"])
            x.wait_active(app.wait_window(EXPRESSION))
            self.assertEqual(app.visible_calculators(), ["expression"])
            self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()

"""The window program on a real X server: it starts, computes a typed line and keeps it."""

import unittest

from xharness import EXPRESSION, RECORD_SIZE, XSession, cli


class Smoke(unittest.TestCase):
    def test_typed_line_is_kept_in_the_data_file(self):
        with XSession() as x:
            app = x.start_program()
            win = app.wait_window(EXPRESSION)
            x.activate(win)
            x.chord(["ctrl"], "a")
            x.type("x = 6*7")
            x.key("Return")
            self.assertEqual(app.close(), 0)
            self.assertEqual(len(app.record()), RECORD_SIZE)
            self.assertIn("x = 42", cli([], ":listing\n", app.folder))


if __name__ == "__main__":
    unittest.main()

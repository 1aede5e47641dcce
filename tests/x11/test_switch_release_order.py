"""A switch into the RPN window by Ctrl+R leaves nothing behind, whichever key is let go
first: the digits typed next are the number that gets stored."""

import struct
import unittest

from xharness import EXPRESSION, FINANCIAL, RPN, XSession, wait_until

REGISTERS = 14536
ACTIVE = 188


def register(rec, k):
    return struct.unpack_from("<d", rec, REGISTERS + 8 * k)[0]


class SwitchReleaseOrder(unittest.TestCase):
    def store_after_switch(self, x, app, from_window, release):
        x.activate(from_window)
        x.chord(["ctrl"], "r", release=release)
        rpn = app.wait_window(RPN)
        wait_until(lambda: x.active() == rpn, what="the RPN window to be active")
        for key in "425s3":  # 425, sto, register 3
            x.key(key)
        self.assertEqual(app.close(), 0)
        return register(app.record(), 3)

    def check(self, release):
        for start in (EXPRESSION, FINANCIAL):
            with self.subTest(start=start), XSession() as x:
                record = None
                if start == FINANCIAL:  # a record whose active calculator is the financial one
                    app = x.start_program()
                    app.wait_window(EXPRESSION)
                    app.close()
                    record = bytearray(app.record())
                    struct.pack_into("<i", record, ACTIVE, 1)
                app = x.start_program(record=bytes(record) if record else None)
                win = app.wait_window(start)
                self.assertEqual(self.store_after_switch(x, app, win, release), 425.0)

    def test_key_let_go_first(self):
        self.check("key-first")

    # The RPN window acts on key release: a bare "r" released there after Ctrl would be rcl,
    # and the first digit would then recall a register.
    def test_ctrl_let_go_first(self):
        self.check("mods-first")


if __name__ == "__main__":
    unittest.main()

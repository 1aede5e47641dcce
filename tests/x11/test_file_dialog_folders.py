"""The file dialogs stay usable in any folder the user types, /proc included."""

import os
import unittest

from xharness import EXPRESSION, XSession

SAVE = r"^Save a particular configuration of Tobrisk$"


class FileDialogFolders(unittest.TestCase):
    # Reading /proc/kmsg blocks until the kernel logs something; only root may read it.
    @unittest.skipUnless(os.access("/proc/kmsg", os.R_OK), "needs a readable /proc/kmsg")
    def test_typing_proc_leaves_the_dialog_answering(self):
        with XSession() as x:
            app = x.start_program()
            try:
                x.activate(app.wait_window(EXPRESSION))
                x.chord(["ctrl"], "s")
                x.activate(app.wait_window(SAVE))
                x.type("/proc/")
                x.key("Escape")  # the list of names offered for completion
                x.key("Escape")
                app.wait_gone(SAVE, timeout=20)
                self.assertEqual(app.close(), 0)
            finally:
                app.kill()  # a program stuck in a read does not notice its display going


if __name__ == "__main__":
    unittest.main()

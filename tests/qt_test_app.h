#pragma once
// One application object for a whole window test program, whichever test comes first (each
// test also runs alone under ctest).

#include <QApplication>

#include "platform/qt/font_substitutes.h"

namespace tobrisk {

inline void ensureTestApplication() {
    static int argc = 1;
    static char name[] = "tobrisk-window-tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    new QApplication(argc, argv);
    // As the program does at start. TOBRISK_TEST_NO_FONT_CLONES stands for a machine without
    // fonts-wine (the DejaVu-only run).
    installFontSubstitutes(qEnvironmentVariableIsSet("TOBRISK_TEST_NO_FONT_CLONES")
                               ? QString()
                               : defaultCloneFolder());
}

}  // namespace tobrisk

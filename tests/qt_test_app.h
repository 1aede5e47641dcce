#pragma once
// One application object for a whole window test program, whichever test comes first (each
// test also runs alone under ctest).

#include <QApplication>

namespace tobrisk {

inline void ensureTestApplication() {
    static int argc = 1;
    static char name[] = "tobrisk-window-tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace tobrisk

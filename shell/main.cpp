#include <QApplication>

#include "exprwin/ui/expression_window.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/system_services.h"
#include "shell/ui/app_shell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tobrisk");
    QApplication::setDesktopFileName("org.tobrisk.Tobrisk");
    QApplication::setQuitOnLastWindowClosed(false);  // the expression window's close ends it
    tobrisk::installFontSubstitutes();

    tobrisk::DesktopAlerts alerts;
    tobrisk::DesktopDialogs dialogs;
    tobrisk::SystemClock clock;
    tobrisk::AppServices services{alerts,
                                  dialogs,
                                  clock,
                                  tobrisk::localeSeparators(),
                                  tobrisk::programFolder(),
                                  tobrisk::defaultDataFolder()};
    tobrisk::AppShell shell(services);
    shell.start();
    dialogs.setFallbackParent(shell.expressionWindow());
    return app.exec();
}

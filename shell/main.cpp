#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QThread>
#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "exprwin/record_files.h"
#include "exprwin/ui/expression_window.h"
#include "platform/data_lock.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/system_services.h"
#include "shell/ui/app_shell.h"

namespace {

// Another program holds the data folder. A window program there is asked to come to the front;
// one that is still starting gets a moment to answer. False when the holder is not a window
// program (a tobrisk-cli run) or does not let go.
bool handOver(tobrisk::DataFolderLock& lock, const std::string& folder) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000) {
        if (tobrisk::DataFolderLock::askHolderToShow(folder)) return true;
        QThread::msleep(50);
        if (lock.acquire(folder, tobrisk::LockRole::Window)) return false;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tobrisk");
    QApplication::setDesktopFileName("org.tobrisk.Tobrisk");
    QApplication::setQuitOnLastWindowClosed(false);  // the expression window's close ends it
    tobrisk::installFontSubstitutes();

    const std::string dataFolder = tobrisk::defaultDataFolder();
    // Held for the whole run, so that no other program saves over this one's work.
    const int showRequests = tobrisk::DataFolderLock::listenForShowRequests();
    tobrisk::DataFolderLock lock;
    if (!lock.acquire(dataFolder, tobrisk::LockRole::Window)) {
        if (handOver(lock, dataFolder)) return 0;
        if (!lock.held()) {
            QMessageBox::warning(
                nullptr, "Tobrisk",
                QString::fromStdString("The data file " + dataFolder + tobrisk::kDataFileName) +
                    " is in use by another Tobrisk program. Start Tobrisk again "
                    "when it has ended.");
            return 1;
        }
    }

    tobrisk::DesktopAlerts alerts;
    tobrisk::DesktopDialogs dialogs;
    tobrisk::SystemClock clock;
    tobrisk::AppServices services{
        alerts, dialogs, clock, tobrisk::localeSeparators(), tobrisk::programFolder(), dataFolder};
    tobrisk::AppShell shell(services);
    shell.start();
    dialogs.setFallbackParent(shell.expressionWindow());

    if (showRequests >= 0) {
        auto* notifier = new QSocketNotifier(showRequests, QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &shell, [&shell, showRequests] {
#ifndef _WIN32
            char bytes[16];
            while (read(showRequests, bytes, sizeof bytes) > 0) {
            }
#endif
            shell.bringToFront();
        });
    }
    return app.exec();
}

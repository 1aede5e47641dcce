#include <QDesktopServices>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/qt/desktop_launcher_qt.h"

namespace tobrisk {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
namespace {

// The type and the other names shared-mime-info knows it by (application/x-chm, ...).
QStringList namesOf(const std::string& mimeType) {
    QStringList names{QString::fromStdString(mimeType)};
    const QMimeType known = QMimeDatabase().mimeTypeForName(names.front());
    if (known.isValid()) {
        names << known.name() << known.aliases();
        names.removeDuplicates();
    }
    return names;
}

bool xdgMimeNamesHandler(const QStringList& names) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return false;
    for (const QString& name : names) {
        QProcess query;
        query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), name});
        if (!query.waitForFinished(3000)) {
            query.kill();
            query.waitForFinished(500);
            continue;
        }
        if (query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
}

bool listsNameHandler(const QStringList& names) {
    QStringList lists;
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        for (const char* file : {"mimeapps.list", "defaults.list", "mimeinfo.cache"})
            lists << dir + QStringLiteral("/applications/") + QLatin1String(file);
    for (const QString& path : lists) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
        const std::string text = f.read(4 << 20).toStdString();
        for (const QString& name : names)
            if (mimeListNamesHandler(text, name.toStdString())) return true;
    }
    return false;
}

}  // namespace
#endif

bool QtDesktopLauncher::hasHandler(const std::string& mimeType) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QStringList names = namesOf(mimeType);
    return xdgMimeNamesHandler(names) || listsNameHandler(names);
#else
    // No freedesktop lists to read: the shell's own answer comes from openDocument().
    (void)mimeType;
    return true;
#endif
}

bool QtDesktopLauncher::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtDesktopLauncher::openInBrowser(const std::string& path) {
    // An HTML file goes to the desktop's handler for HTML, the user's browser.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace tobrisk

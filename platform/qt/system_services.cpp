#include "platform/qt/system_services.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tobrisk {

double SystemClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime tm = t.time();
    return encodeDateTime(d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second(),
                          tm.msec());
}

Separators localeSeparators() {
    const QLocale loc = QLocale::system();
    Separators s;
    const QString dec = loc.decimalPoint();
    const QString grp = loc.groupSeparator();
    // Only single-byte separators can be shown in the record's code page.
    if (dec.size() == 1 && dec[0].unicode() < 0x100)
        s.decimal = static_cast<char>(dec[0].unicode());
    if (grp.size() == 1 && grp[0].unicode() < 0x100)
        s.thousands = static_cast<char>(grp[0].unicode());
    else if (grp.size() == 1 && grp[0].unicode() == 0x202F)  // narrow no-break space
        s.thousands = static_cast<char>(0xA0);
    if (s.thousands == s.decimal) s.thousands = s.decimal == '.' ? ',' : '.';
    return s;
}

namespace {

std::string withSeparator(const QString& dir) {
    QString d = QDir::toNativeSeparators(QDir(dir).absolutePath());
    if (!d.endsWith(QDir::separator())) d += QDir::separator();
    return d.toStdString();
}

bool writable(const QString& dir) {
    QTemporaryFile probe(dir + "/.tobrisk-probe-XXXXXX");
    return probe.open();
}

}  // namespace

std::string programFolder() {
    return withSeparator(QCoreApplication::applicationDirPath());
}

std::string defaultDataFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && writable(exeDir)) return withSeparator(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + "/.tobrisk";
    QDir().mkpath(data);
    return withSeparator(data);
}

}  // namespace tobrisk

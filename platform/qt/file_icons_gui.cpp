#include <QDir>
#include <QMimeDatabase>

#include "platform/qt/file_icons.h"

namespace tobrisk {

QIcon NameOnlyFileIcons::icon(const QFileInfo& info) const {
    if (info.isDir()) return icon(QDir(info.absoluteFilePath()).isRoot() ? Drive : Folder);
    return icon(File);
}

QString NameOnlyFileIcons::type(const QFileInfo& info) const {
    if (!info.isFile()) return QFileIconProvider::type(info);  // folders, links: no reads
    const QMimeType mime =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

}  // namespace tobrisk

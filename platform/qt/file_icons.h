#pragma once
// Icons and type names for the file dialogs, taken from file names alone. Qt's own provider
// reads a file's first bytes to name its type; in a folder such as /proc a read can block
// for good (/proc/kmsg), and it would block the program's only thread with it.

#include <QFileIconProvider>

namespace tobrisk {

class NameOnlyFileIcons : public QFileIconProvider {
  public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

}  // namespace tobrisk

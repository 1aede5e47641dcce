#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include "platform/file_filter.h"
#include "platform/qt/desktop_platform.h"
#include "platform/qt/file_dialog_setup.h"
#include "platform/qt/file_icons.h"

namespace tobrisk {

void setUpFileDialog(QFileDialog& dialog, const FileDialogSpec& spec, FileDialogMode mode) {
    dialog.setWindowTitle(QString::fromStdString(spec.title));
    dialog.setDirectory(QString::fromStdString(spec.startFolder));
    QStringList filters;
    for (const NameFilter& f : parseFileFilter(spec.filter, kStarDotStarNeedsADot))
        filters << QString::fromStdString(f.text());
    dialog.setNameFilters(filters);
    dialog.setViewMode(QFileDialog::Detail);
    if (mode == FileDialogMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        // No default extension here: it would turn a chosen "mycalc" into "mycalc.dat".
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // We ask "already exists" ourselves, with the program's own text.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setDefaultSuffix(QString::fromStdString(spec.defaultExtension));
    }
    // Qt's own dialog sizes its columns from sample texts, which cut sizes and dates short:
    // they follow their contents, and the name takes the rest.
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    // Wide and tall enough for the four columns and a dozen files, but never larger than the
    // screen.
    const QScreen* screen =
        dialog.parentWidget() ? dialog.parentWidget()->screen() : QApplication::primaryScreen();
    QSize size(880, 540);
    if (screen) size = size.boundedTo(screen->availableSize() * 0.9);
    dialog.resize(size.expandedTo(dialog.minimumSizeHint()));
}

namespace {

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogSpec& spec,
                                         FileDialogMode mode) {
    NameOnlyFileIcons icons;  // outlives the dialog that uses it
    QFileDialog dialog(parent);
    dialog.setIconProvider(&icons);
    setUpFileDialog(dialog, spec, mode);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> DesktopDialogs::openFile(const FileDialogSpec& spec) {
    return runFileDialog(parent(), spec, FileDialogMode::Open);
}

std::optional<std::string> DesktopDialogs::saveFile(const FileDialogSpec& spec) {
    return runFileDialog(parent(), spec, FileDialogMode::Save);
}

}  // namespace tobrisk

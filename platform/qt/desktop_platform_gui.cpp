#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

#include "platform/qt/desktop_platform.h"
#include "platform/qt/file_icons.h"
#include "platform/qt/text_encoding.h"

#ifdef TOBRISK_HAVE_CANBERRA
#include <canberra.h>
#endif

namespace tobrisk {

DesktopAlerts::DesktopAlerts() {
#ifdef TOBRISK_HAVE_CANBERRA
    ca_context* ctx = nullptr;
    if (ca_context_create(&ctx) == 0) {
        ca_context_change_props(ctx, CA_PROP_APPLICATION_NAME, "Tobrisk", nullptr);
        context_ = ctx;
    }
#endif
}

DesktopAlerts::~DesktopAlerts() {
#ifdef TOBRISK_HAVE_CANBERRA
    if (context_) ca_context_destroy(static_cast<ca_context*>(context_));
#endif
}

void DesktopAlerts::play(AlertKind kind) {
#ifdef TOBRISK_HAVE_CANBERRA
    if (context_) {
        static constexpr const char* kEvents[] = {"bell", "dialog-question", "dialog-warning",
                                                  "dialog-information"};
        if (ca_context_play(static_cast<ca_context*>(context_), 0, CA_PROP_EVENT_ID,
                            kEvents[static_cast<int>(kind)], nullptr) == 0)
            return;
    }
#endif
    (void)kind;
    QApplication::beep();
}

QWidget* DesktopDialogs::parent() const {
    if (QWidget* w = QApplication::activeWindow()) return w;
    return fallback_.data();
}

namespace {

QString boxText(const std::string& text) {
    // The record's texts use a carriage return for a line break.
    return QString::fromStdString(text).replace(QChar('\r'), QChar('\n'));
}

QString filterOf(const std::string& filter) {
    // "Name (*.dat)|*.dat|All Files (*.*)|*.*" -> "Name (*.dat);;All Files (*.*)"
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts[i];
    return names.join(";;");
}

}  // namespace

void DesktopDialogs::message(const std::string& caption, const std::string& text, MessageKind kind,
                             bool systemModal) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (kind == MessageKind::Information) icon = QMessageBox::Information;
    if (kind == MessageKind::Warning) icon = QMessageBox::Warning;
    if (kind == MessageKind::Error) icon = QMessageBox::Critical;
    QMessageBox box(icon, QString::fromStdString(caption), boxText(text), QMessageBox::Ok,
                    parent());
    if (systemModal) {
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    box.exec();
}

bool DesktopDialogs::askOkCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), boxText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent());
    return box.exec() == QMessageBox::Ok;
}

QFont toQFont(const FontSpec& spec) {
    QFont f(toQString(spec.name));
    f.setPointSize(spec.size > 0 ? spec.size : 10);
    f.setBold(spec.style & kBold);
    f.setItalic(spec.style & kItalic);
    f.setUnderline(spec.style & kUnderline);
    f.setStrikeOut(spec.style & kStrikeOut);
    return f;
}

FontSpec fromQFont(const QFont& font, int colour) {
    FontSpec s;
    s.name = fromQString(font.family());
    s.size = font.pointSize();
    s.style = (font.bold() ? kBold : 0u) | (font.italic() ? kItalic : 0u) |
              (font.underline() ? kUnderline : 0u) | (font.strikeOut() ? kStrikeOut : 0u);
    s.colour = colour;
    return s;
}

std::optional<FontSpec> DesktopDialogs::chooseFont(const FontSpec& current, int minSize,
                                                   int maxSize) {
    (void)minSize;
    (void)maxSize;  // Qt's dialog cannot limit sizes; the caller checks the chosen size
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, toQFont(current), parent());
    if (!ok) return std::nullopt;
    return fromQFont(chosen, current.colour);
}

std::optional<std::string> DesktopDialogs::openFile(const FileDialogSpec& spec) {
    NameOnlyFileIcons icons;
    QFileDialog dlg(parent(), QString::fromStdString(spec.title),
                    QString::fromStdString(spec.startFolder), filterOf(spec.filter));
    dlg.setIconProvider(&icons);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QString::fromStdString(spec.defaultExtension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

std::optional<std::string> DesktopDialogs::saveFile(const FileDialogSpec& spec) {
    NameOnlyFileIcons icons;
    QFileDialog dlg(parent(), QString::fromStdString(spec.title),
                    QString::fromStdString(spec.startFolder), filterOf(spec.filter));
    dlg.setIconProvider(&icons);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    // We ask "already exists" ourselves, with the program's own text.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.setDefaultSuffix(QString::fromStdString(spec.defaultExtension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

}  // namespace tobrisk

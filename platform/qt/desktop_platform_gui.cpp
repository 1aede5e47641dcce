#include <QApplication>
#include <QMessageBox>

#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_dialog.h"
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

QMessageBox::Icon iconOf(MessageKind kind) {
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                   QMessageBox::Warning, QMessageBox::Critical,
                                                   QMessageBox::Question};
    return kIcons[static_cast<int>(kind)];
}

}  // namespace

void DesktopDialogs::message(const std::string& caption, const std::string& text, MessageKind kind,
                             bool systemModal) {
    QMessageBox box(iconOf(kind), QString::fromStdString(caption), boxText(text), QMessageBox::Ok,
                    parent());
    if (systemModal) {
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    box.exec();
}

bool DesktopDialogs::askOkCancel(const std::string& caption, const std::string& text,
                                 MessageKind kind) {
    QMessageBox box(iconOf(kind), QString::fromStdString(caption), boxText(text),
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

std::optional<FontSpec> DesktopDialogs::chooseFont(const FontSpec& current, int minSize,
                                                   int maxSize) {
    FontDialog dlg(current, minSize, maxSize, parent());
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.font();
}

}  // namespace tobrisk

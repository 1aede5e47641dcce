#include <QApplication>
#include <QMessageBox>
#include <cstdint>

#include "platform/qt/desktop_platform.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/text_encoding.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace tobrisk {

// libcanberra is opened on the first alert, not at start: it and the libraries it pulls in
// cost start-up time, and many sessions never sound. Its calls are looked up by name, so the
// build needs neither its headers nor the library.
struct DesktopAlerts::Canberra {
    using Create = int (*)(void**);
    using Destroy = int (*)(void*);
    using ChangeProps = int (*)(void*, ...);
    using Play = int (*)(void*, std::uint32_t, ...);

    void* library = nullptr;
    void* context = nullptr;
    Destroy destroy = nullptr;
    Play play = nullptr;

    Canberra() {
#ifndef _WIN32
        library = dlopen("libcanberra.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library) return;
        auto create = reinterpret_cast<Create>(dlsym(library, "ca_context_create"));
        auto change = reinterpret_cast<ChangeProps>(dlsym(library, "ca_context_change_props"));
        destroy = reinterpret_cast<Destroy>(dlsym(library, "ca_context_destroy"));
        play = reinterpret_cast<Play>(dlsym(library, "ca_context_play"));
        if (!create || !change || !destroy || !play || create(&context) != 0) {
            context = nullptr;
            return;
        }
        change(context, "application.name", "Tobrisk", nullptr);
#endif
    }
    ~Canberra() {
        if (context) destroy(context);
        // The library stays loaded: its threads may still be finishing a sound.
    }
    bool sound(const char* event) {
        return context && play(context, 0, "event.id", event, nullptr) == 0;
    }
};

DesktopAlerts::DesktopAlerts() = default;
DesktopAlerts::~DesktopAlerts() = default;

bool DesktopAlerts::soundLoaded() const {
    return canberra_ != nullptr;
}

void DesktopAlerts::play(AlertKind kind) {
    static constexpr const char* kEvents[] = {"bell", "dialog-question", "dialog-warning",
                                              "dialog-information"};
    if (!canberra_) canberra_ = std::make_unique<Canberra>();
    if (canberra_->sound(kEvents[static_cast<int>(kind)])) return;
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

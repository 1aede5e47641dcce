#pragma once
// Alerts and dialogs on the desktop: freedesktop sound events through libcanberra when the
// system has it, opened on the first alert (else the toolkit's beep), and Qt's message boxes and
// common dialogs.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/alerts.h"
#include "platform/dialogs.h"

namespace tobrisk {

class DesktopAlerts : public Alerts {
  public:
    DesktopAlerts();
    ~DesktopAlerts() override;
    DesktopAlerts(const DesktopAlerts&) = delete;
    DesktopAlerts& operator=(const DesktopAlerts&) = delete;
    void play(AlertKind kind) override;
    // True once the first alert has opened the sound library (or found it missing).
    bool soundLoaded() const;

  private:
    struct Canberra;
    std::unique_ptr<Canberra> canberra_;
};

class DesktopDialogs : public Dialogs {
  public:
    // Boxes are centred over the active window, or over `fallbackParent`.
    void setFallbackParent(QWidget* w) { fallback_ = w; }

    void message(const std::string& caption, const std::string& text, MessageKind kind,
                 bool systemModal) override;
    bool askOkCancel(const std::string& caption, const std::string& text,
                     MessageKind kind) override;
    std::optional<FontSpec> chooseFont(const FontSpec& current, int minSize, int maxSize) override;
    std::optional<std::string> openFile(const FileDialogSpec& spec) override;
    std::optional<std::string> saveFile(const FileDialogSpec& spec) override;

  private:
    QWidget* parent() const;
    QPointer<QWidget> fallback_;
};

// The record's description of a font as a Qt font (the design name stays the family; the
// substitution table decides the face).
QFont toQFont(const FontSpec& spec);

}  // namespace tobrisk

#pragma once
// One built-in help window: a static page of text labels beside its calculator (caption, start
// position, border and lines from shell/help_texts.h). It has no behaviour of its own; closing
// it only hides it. The shell calls showBeside() for F1 and hide() when the user switches away
// from the calculator. (The compiled help file is opened by shell/help_lookup.h.)

#include <QWidget>

class QScrollArea;
#include <string>

#include "platform/alerts.h"
#include "shell/help_texts.h"

namespace tobrisk {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(HelpKind kind, QWidget* parent = nullptr);

    HelpKind kind() const { return kind_; }

    // F1: information sound, shows the window without taking the focus (an open window stays
    // where it is; a closed one comes back where it was), then gives the input focus back to
    // `calculator`.
    void showBeside(QWidget* calculator, Alerts& alerts);

  protected:
    bool event(QEvent* e) override;

  private:
    // A page taller or wider than the screen's available area is shortened to it and scrolls.
    void fitOnScreen(const QMargins& hint);
    void applySize(QSize size);

    HelpKind kind_;
    QScrollArea* scroll_ = nullptr;
    QSize content_;
    bool maximiseBox_ = false;
    QMargins fittedTo_;   // the frame the size was fitted for
    bool refit_ = false;  // fit again once this window's own frame is known
};

}  // namespace tobrisk

#pragma once
// The About window: product name, version and date, three short lines, and the tumbling cube
// (shell/about_cube.h) painted in the top-left square. Not modal; one window for all three
// calculators. Its timer runs from creation: a frame every 100 ms while the window is active,
// every 10 s while it is not, so the state carries on from one showing to the next.

#include <QDialog>
#include <QTimer>
#include <random>

#include "shell/about_cube.h"

namespace tobrisk {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kActiveInterval = 100;
    static constexpr int kInactiveInterval = 10000;

    explicit AboutBox(QWidget* parent = nullptr);

    // "About...": shows the window (centred on the screen the first time), raises and
    // activates it. It stays in front of `caller` (the calculator it was called from), even
    // when that window is always on top.
    void present(QWidget* caller = nullptr);

    const AboutCube& cube() const { return cube_; }
    int timerInterval() const { return timer_.interval(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Timer1Timer();
    void centreOnScreen();

    std::mt19937 rng_;
    AboutCube cube_;
    QTimer timer_;
    bool placed_ = false;
};

}  // namespace tobrisk

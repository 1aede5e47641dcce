#pragma once
// The up/down arrows bound to the periods-per-rate box (UpDown1): a position
// within a range, moved one step per click without wrapping. The window decides
// what a step does.

#include <QWidget>
#include <functional>

class QToolButton;

namespace tobrisk {

class PeriodArrows : public QWidget {
  public:
    explicit PeriodArrows(QWidget* parent = nullptr);

    int position() const { return position_; }
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Called with +1 or -1 when an arrow is clicked (before the position moves).
    std::function<void(int)> onChanging;

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  private:
    QToolButton* up_;
    QToolButton* down_;
    int position_ = 12;
    int minimum_ = 1;
    int maximum_ = 99;
};

}  // namespace tobrisk

#pragma once
// Places a top-level window by the top-left corner of the frame the window manager draws
// around it, which is what switching and the saved positions refer to. On X11 the frame is
// known only while the window is mapped: a hidden window reports no frame, and placing it by
// Qt's frame-aware move() then puts its client area where its frame should be (the window
// creeps up by a title bar each time). This helper places the client area by the last frame
// seen (its own, or a hint from another window), corrects the position once the window
// manager has framed the window, and can pull the whole frame onto the available area.
//
// One instance per window, created on first use as the window's child.

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace tobrisk {

class FramePlacement : public QObject {
  public:
    static FramePlacement& of(QWidget* window);
    // frameTopLeft() of the window's placement; its position when it has none yet.
    static QPoint frameTopLeftOf(const QWidget* window);

    // Puts the frame's top-left corner at `frameTopLeft`. `hint` is the frame of a similar
    // window, used while this window's own frame has never been seen.
    void placeFrameAt(QPoint frameTopLeft, QMargins hint = {});
    // The same, then the whole frame is pulled onto the available area of its screen, now
    // and again when the frame becomes known.
    void placeOnScreen(QPoint frameTopLeft);

    // The frame's top-left corner: the current one while the frame is known, else the last
    // one placed or seen.
    QPoint frameTopLeft() const;
    // The frame's margins: the current ones, else as last seen (empty when never seen).
    QMargins margins() const;
    // Available area of the screen that holds `p` (the primary screen's when none does).
    static QRect availableAreaAt(QPoint p);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FramePlacement(QWidget* window);
    QMargins currentMargins() const;
    void settle();

    QWidget* window_;
    QMargins margins_;
    QPoint last_;
    QPoint target_;
    bool pending_ = false;   // placed while the frame was unknown
    bool pullBack_ = false;  // the pending placement must end on the available area
};

}  // namespace tobrisk

#pragma once
// Texts that must fit a control of fixed design size: the room a control gives its text (as its
// style draws it), and the largest font, no larger than the chosen one, in which a text fits
// that room. Windows use it where a long text would otherwise be cut (the RPN display, the
// buttons at their largest fonts); tests use the same room to check every control.

#include <QFont>
#include <QSize>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tobrisk {

// The pixels available to the text of each kind of control.
QSize textRoom(const QLineEdit* edit);
QSize textRoom(const QPushButton* button);
QSize textRoom(const QLabel* label);

// The size a text needs in a font: advance width, line height.
QSize textNeed(const QFont& font, const QString& text);

// `font`, made smaller in steps of a quarter point (or a pixel) until `text` fits `room`; never
// larger than `font`, never below minPixelSize pixels (a text that does not fit even then gets
// that size). `prepare` adjusts each candidate before it is measured (segment blanks).
QFont fittedFont(const QFont& font, const QString& text, QSize room, qreal minPixelSize = 5,
                 const std::function<QFont(QFont)>& prepare = {});

}  // namespace tobrisk

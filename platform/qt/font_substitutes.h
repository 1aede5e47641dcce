#pragma once
// The windows were designed around Windows fonts ("Tahoma", "MS Sans Serif", "LcdD", ...).
// installFontSubstitutes() runs once at start: it loads the Debian clones that live outside
// fontconfig's folders and registers, for every design name that has no face of its own (after
// the clones), the installed faces with the closest metrics. The record and the dialogs keep the
// design names; only the drawing uses the substitute.

#include <QFont>
#include <QString>
#include <QStringList>
#include <span>

namespace tobrisk {

struct FontSubstitute {
    const char* design;                  // the name the record or the window uses
    std::span<const char* const> faces;  // best first
};

// Every design name with its substitutes.
std::span<const FontSubstitute> fontSubstitutes();

// Where Debian's fonts-wine puts its clones of Tahoma and Webdings.
QString defaultCloneFolder();

// Loads the clone files from `cloneFolder` (none when empty) and registers with QFont the rows of
// the table whose design name has no face.
// The first call counts; later calls do nothing.
void installFontSubstitutes(const QString& cloneFolder = defaultCloneFolder());

// The design names, for the font dialog: offered whether or not a face of that name exists.
QStringList designFontNames();

// The display face draws segments, so a blank is narrower than a digit cell; this returns
// `font` with blanks as wide as a digit when its face is a segment face.
QFont withSegmentBlanks(QFont font);

// True when the face `font` resolves to has a glyph for every character of `text` (no fallback
// face would be needed).
bool fontCovers(const QFont& font, const QString& text);

}  // namespace tobrisk

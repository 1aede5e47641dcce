#pragma once
// The font dialog of every font command. It opens on the font as the record holds it (the
// design name even when only a substitute is installed, size, bold, italic, underline,
// strike-out, colour), so OK without a change returns exactly that font. It offers Latin fonts,
// sizes minSize..maxSize (another typed size is refused inside the dialog, with the reason) and
// a colour among the effects.

#include <QDialog>

#include "platform/dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tobrisk {

class FontDialog : public QDialog {
  public:
    FontDialog(const FontSpec& current, int minSize, int maxSize, QWidget* parent = nullptr);

    // The font as the controls now describe it; valid when sizeAccepted().
    FontSpec font() const;
    bool sizeAccepted() const;

    void accept() override;

  private:
    void updateSample();
    int typedSize(bool* ok) const;

    FontSpec current_;
    int minSize_;
    int maxSize_;
    QComboBox* family_ = nullptr;
    QComboBox* style_ = nullptr;
    QComboBox* size_ = nullptr;
    QCheckBox* strikeOut_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QComboBox* colour_ = nullptr;
    QLabel* sample_ = nullptr;
    QLabel* refusal_ = nullptr;
};

// The record's colour (0x00BBGGRR, or a system colour with the high bit set) as drawn.
QColor recordColour(int colour, const QPalette& palette);

}  // namespace tobrisk

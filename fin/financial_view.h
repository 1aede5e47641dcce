#pragma once
// What the financial model asks of its window: the six field texts, focus, the modal message
// box, the mode-dependent layout and the one radio change the model makes itself. The Qt window
// implements it; tests and tobrisk-cli use plain stand-ins.

#include <string>

namespace tobrisk {

// The state the layout is drawn from; captions follow from it and the language.
struct FinancialLayout {
    int calculationType = 0;     // 0 Consumer Credit, 1 Generic Formula
    int timing = 1;              // 0 Start of Period, 1 End of Period
    bool notationShown = false;  // " (1+" ... ")" around the number field
};

class FinancialView {
  public:
    virtual ~FinancialView() = default;
    virtual std::string fieldText(int field) const = 0;  // fields 0..5, UTF-8
    // A write by the program. The model sets the field's changed flag itself, so the view must
    // not report this write back as the user's typing.
    virtual void setFieldText(int field, const std::string& text) = 0;
    virtual void focusField(int field) = 0;
    // A modal box; a window that is always on top steps back while it is open.
    virtual void showMessage(const std::string& text) = 0;
    virtual void applyLayout(const FinancialLayout& layout) = 0;
    // Checks "End of Period" without reporting a mode change back to the model.
    virtual void selectEndOfPeriod() = 0;
};

}  // namespace tobrisk

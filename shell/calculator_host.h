#pragma once
// What a calculator window asks of the application shell: switching to another calculator,
// ending the program, the help windows, the help file and the About box, and the two services
// one calculator borrows from another (the expression window's line calculation and font
// routine). The shell implements it; window tests use a fake.

#include <string>

namespace tobrisk {

enum class Calculator : int { Expression = 0, Financial = 1, Rpn = 2 };

class CalculatorHost {
  public:
    virtual ~CalculatorHost() = default;
    // Shows `to` at `from`'s top-left corner, hides `from`, records `to` as the active
    // calculator, closes `from`'s built-in help window, question alert.
    virtual void switchCalculator(Calculator from, Calculator to) = 0;
    // The financial and RPN windows' close: sets the closing flag, closes the expression window
    // (which saves the record).
    virtual void closeFrom(Calculator from) = 0;
    virtual bool closing() const = 0;
    virtual void showBuiltInHelp(Calculator which) = 0;  // F1
    virtual void openHelpFile() = 0;                     // Ctrl+F1
    virtual void showAbout() = 0;
    // The expression window's font routine (8..14), applied to its lines and to the financial
    // window's six fields.
    virtual void chooseExpressionFont() = 0;
    // Writes `line` (Windows-1252) into the expression window's entry line and runs the line
    // calculation without the continuation rewrite; true when it succeeded, else `message`
    // gets the result line's text.
    virtual bool calculateExpressionLine(const std::string& line, std::string& message) = 0;
};

}  // namespace tobrisk

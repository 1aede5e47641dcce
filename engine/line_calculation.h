#pragma once
// Calculate-line, the one entry operation of the expression engine, and the "Factor Integer"
// command. For each line it offers the text to the command hook, lexes it, applies the
// continuation rewrite of "Automatic Soma Mode", parses and evaluates it (starting over when a
// user function call rewrote it), adds it to the history and shows the result text or the
// message in the window's result line, with the colours, sounds and timer interval that go
// with each outcome.
//
// A failed line keeps the last successful result: continuation and the decimal-places
// re-display go on from it. A line whose user function calls keep rewriting it stops after
// kMaxReruns passes with a message.

#include <cstdint>
#include <string>

#include "engine/calc_context.h"
#include "engine/evaluator.h"
#include "engine/expression_view.h"
#include "engine/factoring.h"
#include "engine/lexer.h"
#include "engine/parser.h"
#include "engine/variable_store.h"

namespace tobrisk {

class LineCalculation {
  public:
    static constexpr int kNormalInterval = 10000;
    static constexpr int kBlinkInterval = 500;
    static constexpr int kMaxReruns = 100;  // reruns allowed for one typed line
    static constexpr const char* kTooManyReruns =
        "user function calls do not end (more than 100 expansions)";

    LineCalculation(CalcContext& context, VariableStore& store, ExpressionView& view,
                    CommandHook& commands);

    // Enter: calculates the entry line. True when the message slot was empty at the end. The
    // RPN calculator passes continuation = false so its expressions are never rewritten.
    bool calculateLine(bool continuation = true);
    // Ctrl+Enter: the same in fraction mode (for this one line).
    bool calculateInFractionMode();
    // Ctrl+Shift+F: factorises the entry line's integer into the result line.
    void factorInteger();

    void setCommandHook(CommandHook& commands) { commands_ = &commands; }
    void setFactorBig(bool on) { factoring_.setFactorBig(on); }
    bool factorBig() const { return factoring_.factorBig(); }

    // The last successful result as continuation writes it: plain digits when that line ended
    // in integer mode, else the general form with "." as decimal point.
    std::string lastResultText() const;
    const Value& lastResult() const { return lastGood_; }

    CalcContext& context() { return ctx_; }
    VariableStore& store() { return store_; }

  private:
    void startPass();
    bool continuationRewrite();
    bool finish(const std::string& typed, bool evaluated);

    CalcContext& ctx_;
    VariableStore& store_;
    ExpressionView& view_;
    CommandHook* commands_;
    Factoring factoring_;
    Lexer lexer_;
    Parser parser_;
    Evaluator evaluator_;

    Value lastGood_;  // exact = that line ended in integer mode
    StackSlot goodTop_;
    bool goodIntegerMode_ = true;
};

}  // namespace tobrisk

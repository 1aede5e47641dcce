#pragma once
// The parser: checks the context's token table and turns it into the postfix list the
// evaluator runs, with the call records and the postfix trace. Three passes: a flat check
// (refusals raised as ErroP), a recursive descent (its messages written into the message slot
// without stopping) and a final check. Parse never lets an exception escape; recursion is
// bounded by the 79-token table.

#include <string>
#include <string_view>

#include "engine/calc_context.h"

namespace tobrisk {

class Parser {
  public:
    explicit Parser(CalcContext& context);

    // Fills context.postfix and context.calls; leaves context.message
    // empty on success, otherwise holds the refusal.
    void parse();

  private:
    void checkPass();
    void line();
    void statement();
    void additive();
    void multiplicative();
    void power();
    void unary();
    void call();
    void atom();
    void finalCheck();
    // Operators pass their character as op and no text.
    void emit(ItemKind kind, int tokenIndex, std::string_view text = {}, char op = 0);
    void advance();

    CalcContext& ctx_;
    int cursor_ = 1;
    std::string callText_;  // reused for every call item
};

}  // namespace tobrisk

#pragma once
// The lexer: turns one typed line into the context's token table. It expands bare user function
// names into "(" + body + ")", stores definitions name = "body" through the variable store and
// folds literal fractions in fraction mode; the first two rewrite the line and lex it again.
// Problems go only into the context's message slot; it never throws. Every (re)started line is
// published as context.entryLine.

#include <string>

#include "engine/calc_context.h"
#include "engine/variable_store.h"

namespace tobrisk {

class Lexer {
  public:
    // The listing is refreshed with context.forms after a definition.
    Lexer(CalcContext& context, VariableStore& store);

    // Fills context.tokens (count 0..79, sentinels at 0 and count + 1) or sets context.message.
    // The caller stops before parsing when the message is set or the count is 0.
    void lex(const std::string& line);

  private:
    CalcContext& ctx_;
    VariableStore& store_;
    std::string scratch_;
};

}  // namespace tobrisk

#pragma once
// A fresh store and context for lexer and parser tests, with helpers that render the tables.

#include <string>

#include "engine/calc_context.h"
#include "engine/lexer.h"
#include "engine/parser.h"
#include "engine/variable_store.h"

namespace tobrisk {

class FrontFixture {
  protected:
    FrontFixture() : store(record), lexer(ctx, store), parser(ctx) { store.reset(); }

    void lex(const std::string& line, bool fraction = false) {
        ctx.clearForStart();
        ctx.fractionMode = fraction;
        lexer.lex(line);
    }
    // Lex and, when the lexer accepted the line, parse it.
    void lexParse(const std::string& line, bool fraction = false) {
        lex(line, fraction);
        if (ctx.message.empty() && ctx.tokens.count > 0) parser.parse();
    }
    // Token texts separated by blanks; folded fractions show as "n(d)".
    std::string tokens() const {
        std::string out;
        for (int k = 1; k <= ctx.tokens.count; ++k) {
            const Token& t = ctx.tokens.at(k);
            if (k > 1) out += ' ';
            out += t.text;
            if (ctx.fractionMode && t.kind == '9' && t.denominator != "1") {
                out += "(" + t.denominator + ")";
            }
        }
        return out;
    }
    std::string kinds() const {
        std::string out;
        for (int k = 1; k <= ctx.tokens.count; ++k) out += ctx.tokens.kind(k);
        return out;
    }
    // Postfix items separated by blanks: texts, with the kind of targets shown as "x(nome=)".
    std::string items() const {
        std::string out;
        for (int k = 0; k < ctx.postfix.count; ++k) {
            const PostfixItem& it = ctx.postfix.items[k];
            if (k > 0) out += ' ';
            out += it.kind == ItemKind::EndOfStatement ? "eoc" : it.itemText();
            if (it.kind == ItemKind::Target) out += "(nome=)";
        }
        return out;
    }

    DataRecord record;
    VariableStore store;
    CalcContext ctx;
    Lexer lexer;
    Parser parser;
};

}  // namespace tobrisk

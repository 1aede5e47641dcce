#include "engine/parser.h"

#include <exception>

#include "engine/erro_p.h"

namespace tobrisk {

namespace {

bool isSign(const Token& t) {
    return t.kind == '+' || t.kind == '-';
}
bool isOperand(char kind) {
    return kind == ')' || kind == '9' || kind == 'a';
}

// "#" + the argument count in two digits + the name.
void callText(std::string& out, int count, const std::string& name) {
    out.assign(count < 10 ? "#0" : "#");
    out += std::to_string(count);
    out += name;
}

}  // namespace

Parser::Parser(CalcContext& context) : ctx_(context) {}

void Parser::parse() {
    ctx_.postfix.clear();
    ctx_.calls.clear();
    cursor_ = 1;
    try {
        checkPass();
        line();
        if (ctx_.message.empty()) finalCheck();
    } catch (const ErroP& e) {
        ctx_.message = e.what();
    } catch (const std::exception& e) {
        ctx_.message = e.what();
    }
}

void Parser::checkPass() {
    TokenTable& t = ctx_.tokens;
    int depth = 0;
    bool expectOperand = true;
    int statementStart = 1;
    int signsSinceOperand = 1;
    int signsSinceParen = 0;
    for (int k = 1; k <= t.count; ++k) {
        Token& tok = t.entries[k];
        // A target marked by an earlier parse of this table reads as the name it was.
        if (tok.kind == '=' && tok.text != "=") tok.kind = 'a';
        switch (tok.kind) {
            case ';':
                statementStart = k + 1;
                if (depth != 0) throw ErroP("unpaired parenthesis");
                expectOperand = true;
                signsSinceOperand = 1;
                break;
            case '=':
                if (t.kind(statementStart) != 'a' || k != statementStart + 1) {
                    throw ErroP("invalid assignment");
                }
                t.entries[statementStart].kind = '=';
                expectOperand = true;
                break;
            case '(':
                ++depth;
                signsSinceParen = 0;
                break;
            case ')':
                if (--depth < 0) throw ErroP("unexpected parenthesis close");
                break;
            case '9':
            case 'a':
                if (!expectOperand && depth == 0) throw ErroP("incomplete expression");
                expectOperand = false;
                signsSinceOperand = signsSinceParen = 0;
                break;
            case '+':
            case '-':
                ++signsSinceOperand;
                ++signsSinceParen;
                if (signsSinceOperand > 2 && signsSinceParen > 1) {
                    throw ErroP("two immediate unaries");
                }
                expectOperand = true;
                break;
            default:  // * / ^ ,
                expectOperand = true;
                break;
        }
    }
    if (depth != 0) throw ErroP("unpaired parenthesis");
}

void Parser::advance() {
    // One past the end sentinel at most, so the cursor always names a table entry.
    if (cursor_ <= ctx_.tokens.count + 1) ++cursor_;
}

void Parser::line() {
    statement();
    while (ctx_.tokens.kind(cursor_) == ';' && cursor_ <= ctx_.tokens.count) {
        emit(ItemKind::EndOfStatement, cursor_);
        advance();
        statement();
    }
}

void Parser::statement() {
    additive();
    const Token& t = ctx_.tokens.at(cursor_);
    if (t.kind == '=' && t.text == "=" && cursor_ <= ctx_.tokens.count) {
        advance();
        additive();
        emit(ItemKind::Assign, cursor_, {}, '=');
    }
}

void Parser::additive() {
    multiplicative();
    for (char k = ctx_.tokens.kind(cursor_); k == '+' || k == '-'; k = ctx_.tokens.kind(cursor_)) {
        const int at = cursor_;
        advance();
        multiplicative();
        emit(ItemKind::Operator, at, {}, k);
    }
}

void Parser::multiplicative() {
    power();
    for (char k = ctx_.tokens.kind(cursor_); k == '*' || k == '/'; k = ctx_.tokens.kind(cursor_)) {
        const int at = cursor_;
        advance();
        power();
        emit(ItemKind::Operator, at, {}, k);
    }
}

void Parser::power() {
    unary();
    while (ctx_.tokens.kind(cursor_) == '^') {
        const int at = cursor_;
        advance();
        unary();
        emit(ItemKind::Operator, at, {}, '^');
    }
}

// unary(), call(), atom() and emit() are inlined into their callers: every operand of every
// line passes through all of them.
[[gnu::always_inline]] inline void Parser::unary() {
    call();
    const TokenTable& t = ctx_.tokens;
    if (!isSign(t.at(cursor_)) || isOperand(t.kind(cursor_ - 1))) return;
    const char sign = t.kind(cursor_);
    const int at = cursor_;
    if (isSign(t.at(cursor_ + 1))) ctx_.message = "two immediate unaries";
    advance();
    call();
    if (ctx_.fractionMode) ctx_.message = "unary operator with fraction";
    emit(sign == '-' ? ItemKind::UnaryMinus : ItemKind::UnaryPlus, at, {}, sign);
}

[[gnu::always_inline]] inline void Parser::call() {
    atom();
    const TokenTable& t = ctx_.tokens;
    if (t.kind(cursor_) != 'a' || cursor_ > t.count || t.kind(cursor_ + 1) != '(') return;
    const std::string& name = t.text(cursor_);
    const int nameIndex = cursor_;
    advance();
    int args = 0;
    do {
        advance();  // past "(" or ","
        additive();
        ++args;
    } while (t.kind(cursor_) == ',' && cursor_ <= t.count);
    if (t.kind(cursor_) != ')' || cursor_ > t.count) ctx_.message = "sintax error func";
    CallRecords& calls = ctx_.calls;
    if (++calls.counter > CallRecords::kMaxCalls) {
        ctx_.message = "more than 10 functions in a line";
        advance();
        return;
    }
    CallRecord& record = calls.records[static_cast<std::size_t>(calls.count++)];
    record.name = name;
    record.nameIndex = nameIndex;
    record.closeIndex = cursor_;
    advance();
    callText(callText_, args, name);
    emit(ItemKind::Function, nameIndex, callText_);
}

[[gnu::always_inline]] inline void Parser::atom() {
    const TokenTable& t = ctx_.tokens;
    const Token& tok = t.at(cursor_);
    if (cursor_ > t.count) {  // the end sentinel
        if (t.kind(cursor_ - 1) != ';') ctx_.message = "unexpected expression end";
        return;
    }
    switch (tok.kind) {
        case '(':
            advance();
            additive();
            if (t.kind(cursor_) != ')' || cursor_ > t.count) {
                ctx_.message = "unexpected " + t.text(cursor_) + " symbol";
            }
            advance();
            break;
        case '+':
        case '-':
            break;  // the unary rule takes the sign
        case '9':
            emit(ItemKind::Number, cursor_, tok.text);
            advance();
            break;
        case '=':
            if (tok.text == "=") {
                ctx_.message = "unexpected = symbol";
                break;
            }
            emit(ItemKind::Target, cursor_, tok.text);
            advance();
            break;
        case 'a':
            if (t.kind(cursor_ + 1) == '(') break;  // the call rule takes it
            emit(ItemKind::Name, cursor_, tok.text);
            advance();
            break;
        default:
            ctx_.message = "unexpected " + tok.text + " symbol";
            break;
    }
}

void Parser::finalCheck() {
    const PostfixList& p = ctx_.postfix;
    if (p.count > 0 &&
        (p.items[0].kind == ItemKind::UnaryPlus || p.items[0].kind == ItemKind::UnaryMinus)) {
        throw ErroP("parser error 1");
    }
    if (cursor_ <= ctx_.tokens.count) throw ErroP("incomplete expression");
    int operators = 0, operands = 0;
    for (int k = 0; k < p.count; ++k) {
        const ItemKind kind = p.items[static_cast<std::size_t>(k)].kind;
        if (kind == ItemKind::Operator) ++operators;
        if (kind == ItemKind::Name || kind == ItemKind::Number) ++operands;
    }
    if (operators >= operands) throw ErroP("parser error 2");
}

[[gnu::always_inline]] inline void Parser::emit(ItemKind kind, int tokenIndex,
                                                std::string_view text, char op) {
    PostfixList& p = ctx_.postfix;
    if (p.emitted >= static_cast<int>(p.items.size())) return;  // one item per token: never
    PostfixItem& it = p.items[static_cast<std::size_t>(p.emitted++)];
    if (p.count + 1 > PostfixList::kMaxItems) {
        ctx_.message = "RPN stack overflow (too complex expression)";
    } else {
        ++p.count;
    }
    // Names and targets come from the lexer in lower case already.
    setText(it.text, text);
    it.kind = kind;
    it.op = op;
    const Token& tok = ctx_.tokens.at(tokenIndex);
    if (kind == ItemKind::Number) {
        it.exact = tok.exact;
        it.number = tok.number;
        it.integer = tok.integer;
    } else {
        it.exact = false;
        it.number = 0;
        it.integer = 0;
    }
    if (ctx_.fractionMode) {
        it.denominator = tok.denominator;
    } else {
        it.denominator.clear();
    }
}

}  // namespace tobrisk

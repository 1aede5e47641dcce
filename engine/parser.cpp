#include "engine/parser.h"

#include <exception>

#include "engine/erro_p.h"
#include "engine/name_chars.h"
#include "engine/number_forms.h"

namespace tobrisk {

namespace {

bool isSign(const Token& t) {
    return t.kind == '+' || t.kind == '-';
}
bool isOperand(char kind) {
    return kind == ')' || kind == '9' || kind == 'a';
}

// How an item shows in the trace: operators by their character, unary signs as "-u"/"+u",
// the assignment as "=", a call by its name.
std::string traceForm(const std::string& text, const char* kind) {
    const std::string_view k = kind;
    if (k == item::kOperator) return text.substr(0, 1);
    if (text == "-1" && k == item::kUnaryMinus) return "-u";
    if (text == "+1" && k == item::kUnaryPlus) return "+u";
    if (text == "=2" && k == item::kAssign) return "=";
    if (!text.empty() && text[0] == '#') return text.size() > 3 ? text.substr(3) : std::string();
    return text;
}

// No point, no exponent, and below 2^63 (zero counts as small).
bool integerExact(const std::string& text) {
    if (text.find_first_of(".eE") != std::string::npos) return false;
    const double v = NumberForms::readNumber(text);
    return v < 9223372036854775808.0;  // 2^63
}

std::string callText(int count, const std::string& name) {
    return (count < 10 ? "#0" : "#") + std::to_string(count) + name;
}

}  // namespace

Parser::Parser(CalcContext& context) : ctx_(context) {}

void Parser::parse() {
    ctx_.postfix.clear();
    ctx_.calls.clear();
    ctx_.postfixTrace.clear();
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
        emit(";", item::kEndOfStatement, cursor_);
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
        emit("=2", item::kAssign, cursor_);
    }
}

void Parser::additive() {
    multiplicative();
    for (char k = ctx_.tokens.kind(cursor_); k == '+' || k == '-'; k = ctx_.tokens.kind(cursor_)) {
        const int at = cursor_;
        advance();
        multiplicative();
        emit(k == '+' ? "+2" : "-2", item::kOperator, at);
    }
}

void Parser::multiplicative() {
    power();
    for (char k = ctx_.tokens.kind(cursor_); k == '*' || k == '/'; k = ctx_.tokens.kind(cursor_)) {
        const int at = cursor_;
        advance();
        power();
        emit(k == '*' ? "*2" : "/2", item::kOperator, at);
    }
}

void Parser::power() {
    unary();
    while (ctx_.tokens.kind(cursor_) == '^') {
        const int at = cursor_;
        advance();
        unary();
        emit("^2", item::kOperator, at);
    }
}

void Parser::unary() {
    call();
    const TokenTable& t = ctx_.tokens;
    if (!isSign(t.at(cursor_)) || isOperand(t.kind(cursor_ - 1))) return;
    const char sign = t.kind(cursor_);
    const int at = cursor_;
    if (isSign(t.at(cursor_ + 1))) ctx_.message = "two immediate unaries";
    advance();
    call();
    if (ctx_.fractionMode) ctx_.message = "unary operator with fraction";
    if (sign == '-') {
        emit("-1", item::kUnaryMinus, at);
    } else {
        emit("+1", item::kUnaryPlus, at);
    }
}

void Parser::call() {
    atom();
    const TokenTable& t = ctx_.tokens;
    if (t.kind(cursor_) != 'a' || cursor_ > t.count || t.kind(cursor_ + 1) != '(') return;
    const std::string name = t.text(cursor_);
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
    calls.records[calls.count++] = CallRecord{name, nameIndex, cursor_};
    advance();
    emit(callText(args, name), item::kFunction, nameIndex);
}

void Parser::atom() {
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
            emit(tok.text, item::kNumber, cursor_);
            advance();
            break;
        case '=':
            if (tok.text == "=") {
                ctx_.message = "unexpected = symbol";
                break;
            }
            emit(tok.text, item::kTarget, cursor_);
            advance();
            break;
        case 'a':
            if (t.kind(cursor_ + 1) == '(') break;  // the call rule takes it
            emit(tok.text, item::kName, cursor_);
            advance();
            break;
        default:
            ctx_.message = "unexpected " + tok.text + " symbol";
            break;
    }
}

void Parser::finalCheck() {
    const PostfixList& p = ctx_.postfix;
    if (p.count > 0 && (p.items[0].text == "+1" || p.items[0].text == "-1")) {
        throw ErroP("parser error 1");
    }
    if (cursor_ <= ctx_.tokens.count) throw ErroP("incomplete expression");
    int operators = 0, operands = 0;
    for (int k = 0; k < p.count; ++k) {
        const std::string& kind = p.items[k].kind;
        if (kind == item::kOperator) ++operators;
        if (kind == item::kName || kind == item::kNumber) ++operands;
    }
    if (operators >= operands) throw ErroP("parser error 2");
}

void Parser::emit(const std::string& text, const char* kind, int tokenIndex) {
    ctx_.postfixTrace += " " + traceForm(text, kind);
    PostfixList& p = ctx_.postfix;
    if (p.count + 1 > PostfixList::kMaxItems) {
        ctx_.message = "RPN stack overflow (too complex expression)";
        return;
    }
    PostfixItem& it = p.items[p.count++];
    const std::string_view k = kind;
    it.text = (k == item::kName || k == item::kTarget) ? lowerName(text) : text;
    it.kind = kind;
    it.exact = k == item::kNumber && integerExact(text);
    it.denominator = ctx_.fractionMode ? ctx_.tokens.at(tokenIndex).denominator : std::string();
}

}  // namespace tobrisk

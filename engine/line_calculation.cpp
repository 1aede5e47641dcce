#include "engine/line_calculation.h"

#include <algorithm>
#include <cstring>

namespace tobrisk {

namespace {

bool isOperand(char kind) {
    return kind == '9' || kind == 'a';
}
bool isOperator(char kind) {
    return kind != '\0' && std::strchr("+-*/^", kind) != nullptr;
}

std::string withoutLeadingBlanks(const std::string& s) {
    std::size_t i = s.find_first_not_of(' ');
    return i == std::string::npos ? std::string() : s.substr(i);
}

}  // namespace

LineCalculation::LineCalculation(CalcContext& context, VariableStore& store, ExpressionView& view,
                                 CommandHook& commands)
    : ctx_(context),
      store_(store),
      view_(view),
      commands_(&commands),
      lexer_(context, store),
      parser_(context),
      evaluator_(context, store, factoring_) {
    evaluator_.setRepaint([this] {
        view_.setResultText(ctx_.message);
        view_.repaint();
    });
}

std::string LineCalculation::lastResultText() const {
    if (lastGood_.exact) return NumberForms::plainInteger(lastGood_.twin);
    std::string text = ctx_.forms.generalForm(lastGood_.value);
    if (std::size_t comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    return text;
}

// The resets of a (re)start; the continuation flags move only once per line.
void LineCalculation::startPass() {
    view_.setResultColour(ResultColour::Normal);
    ctx_.clearForStart();
    view_.setResultText(std::string());
    evaluator_.reseedFromClock();
}

// A short line continues from the last result: "5*" is last*5, and while continuing "-3" is
// last-3 and "4" is last+4. True when the line was rewritten and lexed again.
bool LineCalculation::continuationRewrite() {
    if (ctx_.fractionMode) ctx_.previouslyContinued = false;
    const TokenTable& t = ctx_.tokens;
    const bool previously = ctx_.previouslyContinued;
    auto operandText = [&](int k) {
        std::string s = t.text(k);
        const std::string& den = t.at(k).denominator;
        if (ctx_.fractionMode && !den.empty() && den != "1") s += "/" + den;
        return s;
    };
    std::string op, operand;
    if (t.count == 1 && previously && isOperand(t.kind(1))) {
        operand = operandText(1);
        op = "+";
    } else if (t.count == 2 && isOperand(t.kind(1)) && isOperator(t.kind(2))) {
        operand = operandText(1);
        op = t.text(2);
    } else if (t.count == 2 && previously && isOperator(t.kind(1)) && isOperand(t.kind(2))) {
        op = t.text(1);
        operand = operandText(2);
    } else {
        return false;
    }
    const bool soma = view_.automaticSomaMode();
    if (!previously && soma) {
        view_.alert(AlertKind::Exclamation);
        view_.setTimerInterval(kBlinkInterval);
    }
    const std::string line = lastResultText() + op + operand;
    startPass();
    if (soma) ctx_.continued = true;
    lexer_.lex(line);
    return true;
}

bool LineCalculation::calculateInFractionMode() {
    ctx_.fractionMode = true;
    return calculateLine();
}

bool LineCalculation::calculateLine(bool continuation) {
    // The typed line stays in the context until the next line: nothing writes it meanwhile.
    view_.copyEntryText(ctx_.typedLine);
    const std::string& typed = ctx_.typedLine;
    ctx_.previouslyContinued = ctx_.continued;
    ctx_.continued = false;
    startPass();

    if (commands_->handleCommand(typed)) return finish(typed, false);
    lexer_.lex(typed);
    if (!ctx_.message.empty() || ctx_.tokens.count == 0) return finish(typed, false);
    if (continuation && continuationRewrite()) {
        if (!ctx_.message.empty() || ctx_.tokens.count == 0) return finish(typed, false);
    }

    for (int passes = 0;; ++passes) {
        ctx_.lastResult = Value{};
        parser_.parse();
        if (!ctx_.message.empty()) return finish(typed, false);
        ctx_.resultText.clear();
        ctx_.rerun = false;
        evaluator_.evaluate();
        if (!ctx_.rerun) break;
        ctx_.rerun = false;
        if (passes >= kMaxReruns) {
            ctx_.message = kTooManyReruns;
            break;
        }
        const std::string rewritten = ctx_.entryLine;
        startPass();
        lexer_.lex(rewritten);
        if (!ctx_.message.empty() || ctx_.tokens.count == 0) return finish(typed, false);
    }
    return finish(typed, true);
}

// Steps 10 to 12: history (only for lines that reached the evaluator), result line, colours,
// sounds and the end of continuation.
bool LineCalculation::finish(const std::string& typed, bool evaluated) {
    const bool ok = evaluated && ctx_.message.empty();
    StackSlot& top = ctx_.stack.slot(1);
    if (ok && !ctx_.fractionMode) {
        lastGood_ = ctx_.lastResult;
        goodTop_ = top;
        goodIntegerMode_ = ctx_.integerMode;
    } else if (ok) {
        // A fraction result is re-shown at fixed decimals through its value.
        ctx_.lastResult = lastGood_;
        top.value = static_cast<double>(top.twin) / static_cast<double>(top.denominator);
        ctx_.integerMode = top.denominator == 1;
        goodTop_ = top;
        goodIntegerMode_ = ctx_.integerMode;
    } else {
        ctx_.lastResult = lastGood_;
        top = goodTop_;
        ctx_.integerMode = goodIntegerMode_;
    }

    view_.setEntryText(typed);
    if (evaluated) {
        if (!ctx_.continued) {
            if (!view_.lastHistoryIs(typed)) view_.addHistory(typed);
        } else {
            view_.addHistory(typed + "   " + lastResultText());
        }
    }
    const bool endsContinuation = ctx_.previouslyContinued && !ctx_.continued;
    if (ok && (ctx_.resultText.empty() || ctx_.resultText.front() != ' ')) {
        view_.setResultText(ctx_.resultText);
    } else if (ok) {
        view_.setResultText(withoutLeadingBlanks(ctx_.resultText));
    } else {
        view_.setResultColour(ResultColour::Notice);
        view_.setResultText(ctx_.message);
    }
    if (endsContinuation) {
        view_.alert(AlertKind::Exclamation);
        view_.setTimerInterval(kNormalInterval);
    }
    ctx_.fractionMode = false;
    if (ok) {
        view_.selectAllEntry();
    } else if (!ctx_.message.empty()) {
        view_.alert(AlertKind::Asterisk);
    }
    return ok;
}

void LineCalculation::factorInteger() {
    view_.selectAllEntry();
    std::string text = view_.entryText();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    int64_t n = 0;
    if (text.empty() || !NumberForms::readInteger(text, n)) {
        view_.setResultColour(ResultColour::Notice);
        view_.setResultText("invalid input to factor");
        view_.alert(AlertKind::Asterisk);
        return;
    }
    view_.setResultText("Factoring...");
    view_.repaint();
    std::string message;
    const std::string out = factoring_.factorText(n, message);
    view_.setResultText(out);
    if (out.find('^') == std::string::npos) view_.alert(AlertKind::Asterisk);
}

}  // namespace tobrisk

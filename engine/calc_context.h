#pragma once
// The calculation context of the expression engine: everything one line calculation works on,
// from the token table through the postfix list to the evaluation stack, the message slot and
// the result text. It exists once per expression calculator and is reused by every line; the
// stages (lexer, parser, evaluator, line calculation) are objects that take it by reference.
//
// Indexing follows the line's own numbering: tokens 1..count with sentinels at 0 and count + 1,
// postfix items 0..count-1, call records 0..count-1, stack slots 1..60 (slot 1 the top). The
// safe accessors never read outside their tables.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/number_forms.h"
#include "engine/value.h"

namespace tobrisk {

// Replaces s by text. The tables' texts are short and rewritten for every line: when the
// length is the same the characters are overwritten in place, which spares the general
// assignment's checks.
[[gnu::always_inline]] inline void setText(std::string& s, std::string_view text) {
    if (s.size() == text.size()) {
        for (std::size_t i = 0; i < text.size(); ++i) s[i] = text[i];
    } else {
        s.clear();  // then a plain append into the kept storage: no overlap to consider
        s.append(text.data(), text.size());
    }
}

// ---- Token table (filled by the lexer) ----

struct Token {
    std::string text;         // number as typed, name in lower case, or the character
    char kind = ' ';          // '9' number, 'a' name, '=' assignment target or "=" sign,
                              // one of "+-*/^(),;" for that character, ' ' end sentinel
    int position = 0;         // 1-based: first char of a name, last char of a number
    std::string denominator;  // fraction mode: "1" unless a literal fraction was folded
    // A number's value, read once by the lexer: the double, and the integer itself when the
    // text is integer-exact (no point, no exponent, below 2^63).
    double number = 0;
    int64_t integer = 0;
    bool exact = false;
};

struct TokenTable {
    static constexpr int kMaxTokens = 79;
    // [0] start sentinel (kind ';'), [1..count] tokens, [count + 1] end sentinel (" ", ' ').
    std::array<Token, kMaxTokens + 2> entries{};
    int count = 0;

    TokenTable() {
        entries[0].text.assign(1, ';');
        clear();
    }

    // Any index: below 0 gives the start sentinel, past count the end sentinel.
    const Token& at(int k) const {
        if (k <= 0) return entries[0];
        if (k > count) return entries[count + 1];
        return entries[k];
    }
    char kind(int k) const { return at(k).kind; }
    const std::string& text(int k) const { return at(k).text; }
    // Only the start sentinel is reset: the lexer writes every field of each token it stores
    // and the end sentinel after them, and nothing reads past count + 1. The texts keep their
    // storage, so a table reused line after line allocates nothing.
    void clear() {
        count = 0;
        entries[0].kind = ';';
    }
};

// ---- Postfix list (filled by the parser) ----

// Internal item kinds; kindText() gives each one's name as the engine has always called it.
enum class ItemKind : uint8_t {
    Number,          // "número"
    Name,            // "nome"
    Target,          // "nome=": the name an assignment writes to
    Operator,        // "op aritm": "+2" "-2" "*2" "/2" "^2"
    UnaryMinus,      // "minus unário": "-1"
    UnaryPlus,       // "plus unário": "+1"
    Assign,          // "assgn": "=2"
    Function,        // "função": "#" + 2-digit count + name, "#01sin"
    EndOfStatement,  // "eoc": ";"
};
const char* kindText(ItemKind kind);

struct PostfixItem {
    // A number as typed, a name, a target or a call ("#01sin"); operators keep only `op`.
    std::string text;
    ItemKind kind = ItemKind::Number;
    char op = 0;         // operators, unary signs and the assignment: their character
    bool exact = false;  // integer-exact number: no point, no exponent, below 2^63
    double number = 0;   // a number's value, and its integer when exact
    int64_t integer = 0;
    std::string denominator;  // fraction mode: the denominator text of its token

    // The item as the engine writes it: "+2" for an operator, "-1" for a unary minus, "=2",
    // ";", "#01sin", or the number or name.
    std::string itemText() const;
};

struct PostfixList {
    static constexpr int kMaxItems = 59;
    // Each token gives at most one item, so the table holds every item a parse emits; those
    // past kMaxItems are refused (count stops there) but kept for the trace.
    std::array<PostfixItem, TokenTable::kMaxTokens + 1> items{};
    int count = 0;    // items in the list, 0..kMaxItems
    int emitted = 0;  // items the parse produced, refused ones included
    // The items keep their texts' storage for the next parse.
    void clear() {
        count = 0;
        emitted = 0;
    }
};

// One function call of the line, in the order its ")" was reached (inner calls first).
struct CallRecord {
    std::string name;    // lower case
    int nameIndex = 0;   // token index of the name
    int closeIndex = 0;  // token index of its ")"
};

struct CallRecords {
    static constexpr int kMaxCalls = 10;
    std::array<CallRecord, kMaxCalls> records{};
    int count = 0;    // records stored, 0..10
    int counter = 0;  // calls seen by the parser (may pass 10: the 11th is refused)
    void clear() {
        count = 0;
        counter = 0;
    }
};

// ---- Evaluation stack (used by the evaluator) ----

struct StackSlot : Value {
    std::string name;  // target name of an assignment ("nome=" slot only)
    int index = 0;     // store index of that target (found or created at the push)
};

struct EvaluationStack {
    static constexpr int kSlots = 60;
    std::array<StackSlot, kSlots + 1> slots{};  // [1..60], [1] is the top; [0] unused
    int depth = 0;
    // Clamped to 1..60 so a stray index never leaves the table.
    StackSlot& slot(int k) { return slots[k < 1 ? 1 : (k > kSlots ? kSlots : k)]; }
    const StackSlot& slot(int k) const { return slots[k < 1 ? 1 : (k > kSlots ? kSlots : k)]; }
};

// ---- The context ----

struct CalcContext {
    static constexpr double kDegrees = 0.017453292519943295;  // pi / 180
    static constexpr double kRadians = 1.0;

    TokenTable tokens;
    PostfixList postfix;
    CallRecords calls;
    EvaluationStack stack;

    // The one text of refusals and notices; non-empty after a stage means the line failed.
    std::string message;
    // Each statement's formatted result appended (";" + 5 blanks between statements).
    std::string resultText;
    // The text of the entry line as the engine sees it: the lexer publishes every (re)started
    // line here and the evaluator rewrites it for user function calls; the line calculation
    // hands it to the window and restores the typed line at the end.
    std::string entryLine;
    std::string typedLine;  // the line as the user typed it

    Value lastResult;  // last statement's double and twin; reset to 0 before each parse

    bool fractionMode = false;  // set by the window for one calculation
    bool integerMode = true;    // set at each evaluation start, only cleared during the line;
                                // after a calculation: whether it ended in integer mode
    bool rerun = false;         // the evaluator rewrote entryLine for a user function call
    bool continued = false;     // continuation rewrite with "Automatic Soma Mode" on
    bool previouslyContinued = false;
    bool newVariable = false;  // this evaluation created a store entry for an assignment
    double angleFactor = kDegrees;

    // Decimal places, display pattern, show-integers option and separators.
    NumberForms forms;

    // Step 2 of a line calculation: empties stack depth, call records, result text and message
    // slot. Leaves tokens, store and modes alone, and the postfix list: it holds the last parse
    // until the next parse replaces it, for the trace.
    void clearForStart();

    // The trace of the last parse, " 2 3 4 * +": each item the parser produced (those refused
    // for overflow too), operators by their character, unary signs as "-u"/"+u", the
    // assignment as "=", a call by its name. Made only when asked for.
    std::string postfixTrace() const;

    // The decimal places setting becomes n; returns the text for the result line from the
    // evaluation stack's top as the last calculation left it (integer form when that ended in
    // integer mode, else the float form, which also becomes the result text).
    std::string redisplay(int n);
    // "Automatic": decimals -1, general form of the last value without leading blanks.
    std::string redisplayAutomatic();
};

}  // namespace tobrisk

#include "engine/lexer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/name_chars.h"
#include "engine/number_forms.h"

namespace tobrisk {

namespace {

constexpr std::string_view kOperatorChars = "+-*/^(),=;";
constexpr unsigned char kOpenQuote = 0x93;
constexpr unsigned char kCloseQuote = 0x94;
constexpr int kMaxNameLength = 30;
// Expansions and definitions each add a token before the rewritten name, so the token limit
// ends any chain of them; this only guards against a loop nobody foresaw.
constexpr int kMaxRestarts = 1000;

constexpr const char* kTokenOverflow = "token overflow (too complex expression)";
constexpr const char* kNotPreceded = "quotes not preceded by \"name =\"";
constexpr const char* kFractionInvalid = "expression invalid for the fraction mode";

enum class Pass { Done, Restart, Stop };

// What each byte starts: quotes are '"' and the Windows-1252 curly pair.
enum class CharClass : uint8_t { Other, Blank, Quote, Number, Letter, Symbol };

constexpr std::array<CharClass, 256> makeCharClasses() {
    std::array<CharClass, 256> table{};
    table[' '] = CharClass::Blank;
    table['"'] = table[kOpenQuote] = table[kCloseQuote] = CharClass::Quote;
    table['.'] = CharClass::Number;
    for (int c = '0'; c <= '9'; ++c) table[c] = CharClass::Number;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = table[c - 'a' + 'A'] = CharClass::Letter;
    for (char c : kOperatorChars) table[static_cast<unsigned char>(c)] = CharClass::Symbol;
    return table;
}
constexpr std::array<CharClass, 256> kCharClasses = makeCharClasses();

// One pass over one version of the line.
class LineScan {
  public:
    LineScan(CalcContext& ctx, VariableStore& store, std::string& line, std::string& scratch)
        : ctx_(ctx), store_(store), line_(line), scratch_(scratch), tokens_(ctx.tokens) {}

    Pass run() {
        while (i_ < line_.size()) {
            const unsigned char c = byte(i_);
            Pass p = Pass::Done;
            switch (kCharClasses[c]) {
                case CharClass::Blank:
                    ++i_;
                    break;
                case CharClass::Quote:
                    p = definition();
                    break;
                case CharClass::Number:
                    p = number();
                    break;
                case CharClass::Letter:
                    p = name();
                    break;
                case CharClass::Symbol:
                    p = symbol(static_cast<char>(c));
                    break;
                case CharClass::Other:
                    ctx_.message = std::string(1, line_[i_]) + ": invalid character";
                    ++i_;
                    break;
            }
            if (p != Pass::Done) return p;
        }
        if (ctx_.fractionMode) foldFractions();
        return Pass::Done;
    }

  private:
    unsigned char byte(std::size_t k) const { return static_cast<unsigned char>(line_[k]); }
    char previousKind() const { return tokens_.entries[tokens_.count].kind; }
    int position() const { return static_cast<int>(i_) + 1; }

    // False when the table is full and lexing must stop.
    [[gnu::always_inline]] bool store(char kind, std::string_view text, int pos) {
        if (kind == ';' && previousKind() == ';') return true;  // empty statements vanish
        if (tokens_.count + 1 > TokenTable::kMaxTokens) {
            ctx_.message = kTokenOverflow;
            return false;
        }
        Token& t = tokens_.entries[++tokens_.count];
        setText(t.text, text);
        t.kind = kind;
        t.position = pos;
        t.denominator.clear();
        t.number = 0;
        t.integer = 0;
        t.exact = false;
        return true;
    }
    bool implicitTimes(int pos) { return previousKind() != '9' || store('*', "*", pos); }

    // The number's value, once: plain digits are summed up while they are scanned (exact below
    // 2^64, and the conversion to double rounds as reading the text would); anything else is
    // read as a decimal text. Integer-exact means no point, no exponent and a double below 2^63.
    static void setValue(Token& t, bool summed, uint64_t n) {
        if (summed) {
            t.number = static_cast<double>(n);
            t.exact = t.number < 9223372036854775808.0;  // 2^63
            t.integer = t.exact ? static_cast<int64_t>(n) : 0;
        } else {
            t.number = NumberForms::readNumber(t.text);
            t.exact = false;
            t.integer = 0;
        }
    }

    Pass symbol(char c) {
        const int pos = position();
        ++i_;
        if (c == '(' && !implicitTimes(pos)) return Pass::Stop;
        return store(c, std::string_view(&line_[i_ - 1], 1), pos) ? Pass::Done : Pass::Stop;
    }

    [[gnu::always_inline]] Pass number() {
        const std::size_t len = line_.size();
        std::string& kept = scratch_;
        // The text is the line's characters from i_ to j, taken at the end in one piece unless
        // a second point is left out: from then on the kept characters are appended one by one.
        bool appending = false;
        auto keep = [&](char ch) {
            if (appending) kept += ch;
        };
        bool pointSeen = line_[i_] == '.';
        bool exponentSeen = false;
        // The digits' sum while the text is plain digits and the sum fits in 64 bits.
        uint64_t sum = pointSeen ? 0 : static_cast<uint64_t>(line_[i_] - '0');
        bool fits = true;
        std::size_t j = i_ + 1;
        // Leading digits first, without overflow checks: 19 digits always fit in 64 bits.
        if (!pointSeen) {
            const std::size_t stop = std::min(len, i_ + 19);
            for (; j < stop && isDigit(line_[j]); ++j) sum = sum * 10 + (line_[j] - '0');
        }
        while (j < len) {
            const char ch = line_[j];
            if (ch == '.') {
                if (pointSeen) {
                    ctx_.message = "invalid value";
                    if (!appending) kept.assign(line_, i_, j - i_);
                    appending = true;
                } else {
                    keep(ch);
                }
                pointSeen = true;
                ++j;
            } else if (isDigit(ch)) {
                keep(ch);
                if (fits && !pointSeen) {
                    fits = !__builtin_mul_overflow(sum, uint64_t{10}, &sum) &&
                           !__builtin_add_overflow(sum, static_cast<uint64_t>(ch - '0'), &sum);
                }
                ++j;
            } else if (ch == 'e' || ch == 'E') {
                pointSeen = true;
                if (line_[j - 1] == '.') ctx_.message = "invalid number format";
                if (exponentSeen) break;  // the letter starts a name
                keep(ch);
                if (j + 1 < len && (line_[j + 1] == '+' || line_[j + 1] == '-')) {
                    keep(line_[j + 1]);
                    ++j;
                }
                exponentSeen = true;
                ++j;
            } else {
                break;
            }
        }
        const std::string_view text =
            appending ? std::string_view(kept) : std::string_view(line_).substr(i_, j - i_);
        if (text == ".") ctx_.message = "invalid number format";
        const char last = text.back();
        if (last == 'e' || last == 'E' || last == '+' || last == '-') {
            ctx_.message.assign("number ").append(text).append(": lacks exponent");
        }
        if (ctx_.fractionMode && (pointSeen || exponentSeen)) ctx_.message = kFractionInvalid;
        const int pos = static_cast<int>(j);  // the number's last character
        i_ = j;
        if (!store('9', text, pos)) return Pass::Stop;
        // A point or an exponent letter sets pointSeen: the text is plain digits without one.
        setValue(tokens_.entries[tokens_.count], !pointSeen && fits, sum);
        return Pass::Done;
    }

    Pass name() {
        const std::size_t len = line_.size();
        const int pos = position();
        if (!implicitTimes(pos)) return Pass::Stop;
        std::size_t j = i_ + 1;
        while (j < len && isNameChar(byte(j))) ++j;
        std::string& text = scratch_;
        text.assign(line_, i_, j - i_);
        lowerInPlace(text);
        if (static_cast<int>(text.size()) > kMaxNameLength) {
            ctx_.message = text + ": name with more than 30 characters";
        }
        std::size_t k = j;
        while (k < len && line_[k] == ' ') ++k;
        const char next = k < len ? line_[k] : '\0';
        if (next != '(') {
            const int fn = store_.findUserFunction(text);
            if (fn != 0 && next != '=') {
                line_ =
                    line_.substr(0, i_) + "(" + store_.record().body(fn) + ")" + line_.substr(j);
                return Pass::Restart;
            }
        }
        if (ctx_.fractionMode) ctx_.message = kFractionInvalid;
        i_ = j;
        return store('a', text, pos) ? Pass::Done : Pass::Stop;
    }

    // name = "body": store the function and calculate its body at once, as if typed.
    Pass definition() {
        const int n = tokens_.count;
        if (n < 2) {
            ctx_.message = kNotPreceded;
            return Pass::Stop;
        }
        const Token& nameToken = tokens_.entries[n - 1];
        if (nameToken.kind != 'a' || tokens_.entries[n].kind != '=') ctx_.message = kNotPreceded;
        const std::size_t len = line_.size();
        std::size_t j = i_ + 1;
        while (j < len && line_[j] != '"' && byte(j) != kCloseQuote) ++j;
        if (j >= len) ctx_.message = "quotes not closed";
        if (!ctx_.message.empty()) return Pass::Stop;

        const std::string body = line_.substr(i_ + 1, j - i_ - 1);
        VariableStore::Definition def = store_.define(nameToken.text, body);
        ctx_.message = def.message;
        if (!def.stored) return Pass::Stop;
        const std::size_t nameStart = nameToken.position > 0 ? nameToken.position - 1 : 0;
        line_ = line_.substr(0, nameStart) + body + line_.substr(j + 1);
        store_.refreshListing(ctx_.forms);
        return Pass::Restart;
    }

    // Literal fractions a/b become one number a with denominator b, where precedence allows:
    // not after "^" or "/" and not before "^", so 6/2^2 and 1/2/3/4 keep their meaning.
    void foldFractions() {
        const int n = tokens_.count;
        for (int k = 1; k <= n; ++k) tokens_.entries[k].denominator = "1";
        bool removed[TokenTable::kMaxTokens + 2] = {};
        int lastFold = -10;
        for (int j = 1; j <= n - 1; ++j) {
            if (tokens_.text(j) != "/" || tokens_.kind(j - 1) != '9' || tokens_.kind(j + 1) != '9')
                continue;
            if (j == lastFold + 2) continue;
            const char before = tokens_.kind(j - 2);
            if (j - 2 >= 1 && (before == '^' || before == '/')) continue;
            if (j + 2 <= n && tokens_.kind(j + 2) == '^') continue;
            tokens_.entries[j - 1].denominator = tokens_.text(j + 1);
            removed[j] = removed[j + 1] = true;
            lastFold = j;
        }
        // Close up texts, kinds and denominators; positions stay where they are.
        int out = 0;
        for (int k = 1; k <= n; ++k) {
            if (removed[k]) continue;
            ++out;
            if (out != k) {
                Token& to = tokens_.entries[out];
                const Token& from = tokens_.entries[k];
                to.text = from.text;
                to.kind = from.kind;
                to.denominator = from.denominator;
                to.number = from.number;
                to.integer = from.integer;
                to.exact = from.exact;
            }
        }
        tokens_.count = out;
    }

    CalcContext& ctx_;
    VariableStore& store_;
    std::string& line_;
    std::string& scratch_;  // a number's or name's text while it is read
    TokenTable& tokens_;
    std::size_t i_ = 0;
};

void writeEndSentinel(TokenTable& t) {
    Token& end = t.entries[t.count + 1];
    if (end.text != " ") end.text.assign(1, ' ');
    end.kind = ' ';
    end.position = 0;
    end.denominator.clear();
}

}  // namespace

Lexer::Lexer(CalcContext& context, VariableStore& store) : ctx_(context), store_(store) {}

void Lexer::lex(const std::string& line) {
    // Lexed where it is published: expansions and definitions rewrite it there before the
    // next pass.
    std::string& current = ctx_.entryLine;
    setText(current, line);
    for (int pass = 0;; ++pass) {
        ctx_.tokens.clear();
        const Pass p = LineScan(ctx_, store_, current, scratch_).run();
        if (p != Pass::Restart) break;
        if (pass >= kMaxRestarts) {
            ctx_.tokens.clear();
            ctx_.message = kTokenOverflow;
            break;
        }
    }
    writeEndSentinel(ctx_.tokens);
}

}  // namespace tobrisk

#include "engine/evaluator.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "engine/erro_c.h"
#include "engine/integer_functions.h"

namespace tobrisk {

struct Evaluator::Native {
    std::string_view name;
    int count;  // 0: any count (gcd and lcm check their own)
    Op op;
};

const Evaluator::Native* Evaluator::findNative(std::string_view name, int count) {
    static constexpr Native kNatives[] = {
        {"sin", 1, Op::Sin},         {"seno", 1, Op::Sin},  {"cos", 1, Op::Cos},
        {"tan", 1, Op::Tan},         {"asin", 1, Op::Asin}, {"aseno", 1, Op::Asin},
        {"acos", 1, Op::Acos},       {"atan", 1, Op::Atan}, {"sqrt", 1, Op::Sqrt},
        {"raiz", 1, Op::Sqrt},       {"log", 1, Op::Log},   {"log", 2, Op::LogBase},
        {"exp", 1, Op::Exp},         {"rand", 1, Op::Rand}, {"round", 1, Op::Round},
        {"round", 2, Op::RoundMode}, {"fact", 1, Op::Fact}, {"fat", 1, Op::Fact},
        {"comb", 2, Op::Comb},       {"mod", 2, Op::Mod},   {"gcd", 0, Op::Gcd},
        {"mdc", 0, Op::Gcd},         {"lcm", 0, Op::Lcm},   {"mmc", 0, Op::Lcm},
    };
    for (const Native& n : kNatives)
        if (n.name == name && (n.count == 0 || n.count == count)) return &n;
    return nullptr;
}

Evaluator::Evaluator(CalcContext& context, VariableStore& store, const Factoring& factoring)
    : ctx_(context), store_(store), factoring_(factoring) {}

void Evaluator::underflow() {
    throw ErroC("logical error: evaluation stack underflow");
}

std::string Evaluator::faultText(Fault f) const {
    switch (f) {
        case Fault::Overflow:
            return prefix_ + "overflow";
        case Fault::DivisionByZero:
            return prefix_ + "division by zero";
        case Fault::InvalidOperation:
            break;
    }
    if (prefix_.empty()) return "Invalid floating point operation";
    return prefix_ + (operandCount_ == 1 ? "invalid argument" : "invalid arguments");
}

namespace {
std::size_t nameField(int index) {
    return layout::kNames + (layout::kNameCapacity + 1) * static_cast<std::size_t>(index);
}
}  // namespace

void Evaluator::journal(int index) {
    if (index < 0 || index >= layout::kStorePositions || journaled_[index]) return;
    journaled_[index] = true;
    const DataRecord& rec = store_.record();
    SavedEntry& saved = saved_[static_cast<std::size_t>(index)];
    saved.kind = rec.kind(index);
    std::memcpy(saved.name.data(), &rec.bytes()[nameField(index)], saved.name.size());
    saved.value = rec.value(index);
    saved.intValue = rec.intValue(index);
}

// A pass ended by a user function rewrite is calculated again from the start, so it must not
// leave its assignments, new entries or r behind (otherwise `n = n + 1; f(2)` counts twice).
void Evaluator::rollBackPass() {
    DataRecord& rec = store_.record();
    for (int i = store_.count(); i > savedCount_; --i) rec.clearEntry(i);
    rec.setCount(savedCount_);
    for (int i = 0; i < layout::kStorePositions; ++i) {
        if (!journaled_[i] || i > savedCount_) continue;
        rec.setKind(i, saved_[i].kind);
        std::memcpy(&rec.bytes()[nameField(i)], saved_[i].name.data(), saved_[i].name.size());
        rec.setValue(i, saved_[i].value);
        rec.setIntValue(i, saved_[i].intValue);
    }
}

void Evaluator::removePendingEntry() {
    if (pendingEntry_ == 0) return;
    DataRecord& rec = store_.record();
    if (pendingEntry_ == store_.count()) {
        rec.clearEntry(pendingEntry_);
        rec.setCount(pendingEntry_ - 1);
    }
    pendingEntry_ = 0;
    listingDirty_ = true;
}

void Evaluator::evaluate() {
    ctx_.integerMode = true;
    ctx_.newVariable = false;
    ctx_.stack.depth = 0;
    depth_ = 0;
    top_ = Slot{};
    closeTextValid_ = false;
    rChanged_ = false;
    prefix_.clear();
    operandCount_ = 0;
    pendingEntry_ = 0;
    listingDirty_ = false;
    journaled_.reset();
    savedCount_ = store_.count();

    try {
        run();
    } catch (const ErroC& e) {
        ctx_.message = e.what();
    } catch (const FaultSignal& f) {
        ctx_.message = faultText(f.fault);
    } catch (const std::exception& e) {
        ctx_.message = e.what();
    }
    if (ctx_.rerun) {
        rollBackPass();
        return;
    }
    if (!ctx_.message.empty()) removePendingEntry();
    // Slot 1 as this calculation left it: what the window re-shows for a new decimal setting.
    const Slot& top = depth_ > 0 ? stack_[static_cast<std::size_t>(depth_ - 1)] : top_;
    StackSlot& out = ctx_.stack.slot(1);
    out.value = top.value;
    out.twin = top.twin;
    out.exact = top.exact;
    out.denominator = top.den;
    ctx_.stack.depth = depth_;
    if (listingDirty_) {
        store_.refreshListing(ctx_.forms);
    } else if (rChanged_ && !ctx_.message.empty()) {
        // A statement closed before the failure changed r: the listing's first line follows.
        const DataRecord& rec = store_.record();
        const int r = VariableStore::kRIndex;
        store_.setFirstListingLine("r = " + (rec.kind(r) == EntryKind::IntegerVariable
                                                 ? NumberForms::plainInteger(rec.intValue(r))
                                                 : ctx_.forms.generalForm(rec.value(r))));
    }
}

void Evaluator::run() {
    const PostfixList& list = ctx_.postfix;
    for (int k = 0; k < list.count; ++k) {
        const PostfixItem& item = list.items[static_cast<std::size_t>(k)];
        const ItemKind kind = item.kind;
        if (kind == ItemKind::EndOfStatement) {
            if (k != list.count - 1) closeStatement();
            if (depth_ > 0) top_ = stack_[static_cast<std::size_t>(depth_ - 1)];
            depth_ = 0;
            continue;
        }
        if (kind == ItemKind::Number || kind == ItemKind::Name || kind == ItemKind::Target) {
            push(item);
            continue;
        }
        Flow flow = apply(item);
        if (flow == Flow::Rerun) return;
        if (flow == Flow::Stop) return;
    }
    closeStatement();

    // The listing's first line follows the last result; after a fraction line r kept its value.
    std::string& rLine = rLine_;
    rLine.clear();
    rLine += "r = ";
    if (ctx_.fractionMode) {
        const DataRecord& rec = store_.record();
        if (rec.kind(VariableStore::kRIndex) == EntryKind::IntegerVariable) {
            rLine += NumberForms::plainInteger(rec.intValue(VariableStore::kRIndex));
        } else {
            ctx_.forms.appendGeneralForm(rLine, rec.value(VariableStore::kRIndex));
        }
    } else if (ctx_.integerMode) {
        rLine += NumberForms::plainInteger(ctx_.lastResult.twin);
    } else if (closeTextValid_) {
        rLine += closeText_;
    } else {
        ctx_.forms.appendGeneralForm(rLine, ctx_.lastResult.value);
    }
    if (listingDirty_) store_.refreshListing(ctx_.forms);
    listingDirty_ = false;
    if (ctx_.fractionMode) {
        store_.setFirstListingLine(rLine);
    } else {
        store_.setFirstListingLine(rLine, ctx_.lastResult);
    }
    if (list.count > 0 &&
        list.items[static_cast<std::size_t>(list.count - 1)].kind == ItemKind::EndOfStatement)
        ctx_.resultText += ";";
}

// push() and apply() run for every item: inlined into run().
[[gnu::always_inline]] inline void Evaluator::push(const PostfixItem& item) {
    if (depth_ >= EvaluationStack::kSlots)
        throw ErroC("RPN stack overflow (too complex expression)");
    if (!prefix_.empty()) prefix_.clear();  // a fault while reading a number has no prefix
    Slot s;
    const ItemKind kind = item.kind;
    if (kind == ItemKind::Target) {
        int index = store_.find(item.text);
        if (index == 0) {
            index = store_.append();
            if (index == 0) throw ErroC(VariableStore::kFullMessage);
            ctx_.newVariable = true;
            pendingEntry_ = index;
            listingDirty_ = true;
        }
        s.name = &item.text;
        s.index = index;
        s.exact = true;
        stack_[static_cast<std::size_t>(depth_++)] = s;
        return;
    }
    if (ctx_.fractionMode) {
        pushFraction(item, s);
        stack_[static_cast<std::size_t>(depth_++)] = s;
        return;
    }
    if (kind == ItemKind::Name) {
        int index = store_.find(item.text);
        if (index == 0) {
            removePendingEntry();
            throw ErroC("\"" + item.text + "\" variable not defined");
        }
        const DataRecord& rec = store_.record();
        switch (rec.kind(index)) {
            case EntryKind::IntegerVariable:
                s.twin = rec.intValue(index);
                s.value = static_cast<double>(s.twin);
                s.exact = true;
                break;
            case EntryKind::Variable:
                s.value = rec.value(index);
                // Only a damaged data file holds a non-number.
                if (!std::isfinite(s.value))
                    throw ErroC("\"" + item.text + "\" holds an invalid value");
                break;
            default: {
                // A function or event name read as a value: its body must be a number.
                const std::string body = rec.body(index);
                std::size_t i = 0;
                while (i < body.size() && body[i] == ' ') ++i;
                bool numeric = i < body.size();
                for (std::size_t j = i; j < body.size(); ++j) {
                    char c = body[j];
                    bool sign = (c == '+' || c == '-') && j > i && (body[j - 1] | 0x20) == 'e';
                    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' &&
                        (c | 0x20) != 'e' && !sign)
                        numeric = false;
                }
                if (!numeric) throw ErroC("\"" + item.text + "\" is not a variable");
                s.value = NumberForms::readNumber(std::string_view(body).substr(i));
                break;
            }
        }
    } else {
        s.value = item.number;
        s.twin = item.exact ? item.integer : 0;
        s.exact = item.exact;
    }
    if (!std::isfinite(s.value)) throw FaultSignal{Fault::Overflow};
    if (!s.exact) ctx_.integerMode = false;
    stack_[static_cast<std::size_t>(depth_++)] = s;
}

[[gnu::always_inline]] inline Evaluator::Flow Evaluator::apply(const PostfixItem& item) {
    const std::string& text = item.text;
    const bool call = item.kind == ItemKind::Function;
    int count = 0;
    std::string_view name;
    if (call) {
        if (text.size() < 4 || text[0] != '#')
            throw ErroC("logical error: invalid item " + item.itemText());
        count = (text[1] - '0') * 10 + (text[2] - '0');
        name = std::string_view(text).substr(3);
        prefix_.assign(name);
        prefix_ += ": ";
    } else {
        const bool unary = item.kind == ItemKind::UnaryMinus || item.kind == ItemKind::UnaryPlus;
        count = unary ? 1 : 2;
        prefix_.clear();
    }
    operandCount_ = count;
    if (count < 1 || count > depth_) throw ErroC("logical error: evaluation stack underflow");

    bool e = true;
    for (int k = 1; k <= count && e; ++k) e = slot(k).exact;
    if (!ctx_.fractionMode && IntegerFunctions::tooLarge(slot(1).value)) {
        e = false;
        ctx_.integerMode = false;
    }

    Op op;
    if (!call) {
        switch (item.op) {
            case '+':
                op = count == 1 ? Op::Plus : Op::Add;
                break;
            case '-':
                op = count == 1 ? Op::Neg : Op::Sub;
                break;
            case '*':
                op = Op::Mul;
                break;
            case '/':
                op = Op::Div;
                break;
            case '^':
                op = Op::Pow;
                break;
            case '=':
                op = Op::Assign;
                break;
            default:
                throw ErroC("logical error: invalid item " + item.itemText());
        }
        if (ctx_.fractionMode) {
            applyFraction(op);
        } else if (op == Op::Assign) {
            assign();
        } else {
            applyArithmetic(op, e);
        }
        return Flow::Next;
    }
    const std::string fname(name);
    if (ctx_.fractionMode) throw ErroC("invalid operation for fraction mode");
    const Native* native = findNative(name, count);
    if (!native) return callUserFunction(fname, count);
    applyFunction(native->op, e, fname, count);
    return Flow::Next;
}

void Evaluator::writeR(const Slot& top) {
    journal(VariableStore::kRIndex);
    rChanged_ = true;
    if (ctx_.integerMode) {
        store_.setIntegerVariable(VariableStore::kRIndex, top.value, top.twin);
    } else {
        store_.setVariable(VariableStore::kRIndex, top.value);
    }
}

void Evaluator::closeStatement() {
    const Slot& top = depth_ > 0 ? stack_[static_cast<std::size_t>(depth_ - 1)] : top_;
    Value v;
    v.value = top.value;
    v.twin = top.twin;
    v.exact = top.exact;
    v.denominator = top.den;
    if (ctx_.fractionMode) {
        ctx_.forms.appendStatement(ctx_.resultText, v, true, false);
        return;
    }
    if (!ctx_.integerMode && ctx_.forms.decimalPlaces() == NumberForms::kAutomatic) {
        // The float form is then the general form, which the "r = " line needs too.
        closeText_.clear();
        ctx_.forms.appendGeneralForm(closeText_, v.value);
        if (!ctx_.resultText.empty()) ctx_.resultText += ";     ";
        ctx_.resultText += closeText_;
        closeTextValid_ = true;
    } else {
        ctx_.forms.appendStatement(ctx_.resultText, v, false, ctx_.integerMode);
        closeTextValid_ = false;
    }
    ctx_.lastResult.value = top.value;
    ctx_.lastResult.twin = ctx_.integerMode ? top.twin : 0;
    ctx_.lastResult.exact = ctx_.integerMode;
    ctx_.lastResult.denominator = 1;
    writeR(top);
}

}  // namespace tobrisk

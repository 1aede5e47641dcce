#pragma once
// The evaluator: runs the context's postfix list on a stack of values, each a double with an
// exact 64-bit twin (or, in fraction mode, an exact fraction), applies the operators and native
// functions, carries out assignments in the variable store and closes every statement into the
// result text, the last result and the store entry r.
//
// Contract of evaluate():
// - success: context.message empty (or holding a notice that does not stop the line, such as
//   the refused assignment of r, pi or e), result text filled, r and the listing updated;
// - failure: the refusal in context.message; an entry appended for an assignment that was not
//   carried out is removed again;
// - rerun: a user function call rewrote context.entryLine and set context.rerun; the pass left
//   no trace (no statement close, the store as it was when the pass started).
// Integer arithmetic never overflows: a twin that would leave 64 bits falls back to the double
// with integer mode off; floating-point faults are detected from the results.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/calc_context.h"
#include "engine/factoring.h"
#include "engine/variable_store.h"

namespace tobrisk {

class Evaluator {
  public:
    Evaluator(CalcContext& context, VariableStore& store, const Factoring& factoring);

    // Called after "Factoring..." was written into the message slot, before the work starts.
    void setRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // The random generator of rand() starts again for every line (the line calculation calls
    // this at each start) from the clock and a count of starts; the clock is read only when
    // the line draws a number.
    void reseedFromClock() {
        seedPending_ = true;
        ++seedCount_;
    }

    void evaluate();

    // Texts of the faults, as the message slot shows them after the prefix.
    enum class Fault { Overflow, DivisionByZero, InvalidOperation };

  private:
    // One evaluation stack slot. The name of an assignment target is the postfix item's text.
    struct Slot {
        double value = 0;
        int64_t twin = 0;
        bool exact = false;
        int64_t den = 1;
        const std::string* name = nullptr;
        int index = 0;  // store entry of an assignment target
    };
    struct FaultSignal {
        Fault fault;
    };
    enum class Flow { Next, Rerun, Stop };

    enum class Op : uint8_t {
        Add,
        Sub,
        Mul,
        Div,
        Pow,
        Neg,
        Plus,
        Assign,
        Sin,
        Cos,
        Tan,
        Asin,
        Acos,
        Atan,
        Sqrt,
        Log,
        LogBase,
        Exp,
        Rand,
        Round,
        RoundMode,
        Fact,
        Comb,
        Mod,
        Gcd,
        Lcm,
        UserFunction
    };
    struct Native;
    static const Native* findNative(std::string_view name, int count);

    // evaluator.cpp
    void run();
    void push(const PostfixItem& item);
    Flow apply(const PostfixItem& item);
    void closeStatement();
    void writeR(const Slot& top);
    Slot& slot(int k) {  // 1 = top
        if (k < 1 || k > depth_) underflow();
        return stack_[static_cast<std::size_t>(depth_ - k)];
    }
    void drop(int n) {  // removes n - 1 operands, the result goes into the remaining slot 1
        if (n > depth_ || n < 1) underflow();
        depth_ -= n - 1;
    }
    [[noreturn]] static void underflow();
    std::string faultText(Fault f) const;
    void journal(int index);
    void rollBackPass();
    void removePendingEntry();

    // evaluator_arithmetic.cpp
    void applyArithmetic(Op op, bool e);
    void applyFunction(Op op, bool e, const std::string& name, int count);
    void applyIntegerFunction(Op op, bool e, const std::string& name, int count);

    // evaluator_fractions.cpp
    void applyFraction(Op op);
    void pushFraction(const PostfixItem& item, Slot& s);

    // evaluator_calls.cpp
    void assign();
    Flow callUserFunction(const std::string& name, int count);

    CalcContext& ctx_;
    VariableStore& store_;
    const Factoring& factoring_;
    std::function<void()> repaint_;
    uint64_t random_ = 0x5eed;  // splitmix64 state: cheap to reseed for every line
    uint64_t seedCount_ = 0;
    bool seedPending_ = false;
    uint64_t nextRandom();

    std::array<Slot, EvaluationStack::kSlots + 1> stack_{};
    int depth_ = 0;
    Slot top_;  // slot 1 after a statement end emptied the stack

    std::string prefix_;  // current function name + ": ", empty for operators
    int operandCount_ = 0;
    int pendingEntry_ = 0;  // appended for an assignment not yet carried out
    bool listingDirty_ = false;
    bool rChanged_ = false;
    std::string closeText_;  // general form of the last statement closed, when that was shown
    std::string rLine_;      // the listing's "r = " line being made
    bool closeTextValid_ = false;

    // The store as the pass found it, for a pass abandoned by a user function rewrite.
    struct SavedEntry {
        EntryKind kind;
        std::array<uint8_t, layout::kNameCapacity + 1> name;  // the name field's bytes
        double value;
        int64_t intValue;
    };
    std::array<SavedEntry, layout::kStorePositions> saved_{};
    std::bitset<layout::kStorePositions> journaled_;
    int savedCount_ = 0;
};

}  // namespace tobrisk

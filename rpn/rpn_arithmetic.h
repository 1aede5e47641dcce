#pragma once
// The RPN calculator's arithmetic in extended precision, with floating-point faults detected
// from the results (never trapped) and classified into the three kinds the display reports.

namespace tobrisk {

enum class Fault { None, Overflow, DivisionByZero, Invalid };

struct Outcome {
    long double value = 0;
    Fault fault = Fault::None;
    bool ok() const { return fault == Fault::None; }
};

enum class Operator { Add, Subtract, Multiply, Divide, Power };

// The native functions of the functions pad, numbered by the key that applies them.
enum class NativeFunction {
    Percent = 0,
    Log = 1,
    Exp = 2,
    Sqrt = 3,
    Asin = 4,
    Acos = 5,
    Atan = 6,
    Sin = 7,
    Cos = 8,
    Tan = 9
};

class RpnArithmetic {
  public:
    // Y op X.
    static Outcome apply(Operator op, long double y, long double x);
    // Y^X: 1 for X = 0, 0 for Y = 0 and X > 0, repeated squaring for whole |X| <= 2^31 - 1,
    // else e^(X ln Y).
    static Outcome power(long double y, long double x);
    // f(X) with the angle factor (pi/180 or 1); Percent uses Y as well.
    static Outcome function(NativeFunction f, long double y, long double x, long double factor);
    // 1 / X; 0 is the caller's own case.
    static Outcome reciprocal(long double x);
    // Messages of the display: operators' and functions pad's wording.
    static const char* operatorMessage(Fault f);
    static const char* functionMessage(Fault f);
};

}  // namespace tobrisk

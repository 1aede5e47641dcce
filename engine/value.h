#pragma once
// One number of the expression engine: a double carried with an exact signed 64-bit integer
// twin while the arithmetic allows (exact set), and in fraction mode a fraction whose numerator
// is the twin and whose denominator is `denominator`. Plain aggregate; the stages fill it.

#include <cstdint>

namespace tobrisk {

struct Value {
    double value = 0;         // always meaningful outside fraction mode
    int64_t twin = 0;         // meaningful only when exact is set (or in fraction mode)
    bool exact = false;       // integer-exact mark
    int64_t denominator = 1;  // fraction mode only; the twin is then the numerator
};

}  // namespace tobrisk

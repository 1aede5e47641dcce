#pragma once
// How the RPN machine reaches the expression calculator's line calculation: the user functions
// pad and the fact and comb keys hand it a finished expression line and then read the result
// from store entry 1 (r) of the data record. The window adapts the shell; tests use a fake.

#include <string>

namespace tobrisk {

class LineCalculatorPort {
  public:
    virtual ~LineCalculatorPort() = default;
    // Calculates `line` (Windows-1252) as a typed line, without the continuation rewrite.
    // True on success; on failure `message` gets the result line's text.
    virtual bool calculate(const std::string& line, std::string& message) = 0;
};

}  // namespace tobrisk

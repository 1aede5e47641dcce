#pragma once
// Refusal raised inside the evaluator (and by the integer functions it calls); Evaluate turns it
// into the message slot's text at its one handler.

#include <stdexcept>
#include <string>

namespace tobrisk {

class ErroC : public std::runtime_error {
  public:
    explicit ErroC(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tobrisk

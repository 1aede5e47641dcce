#pragma once
// ErroC: a refused precondition of a financial solve, kept apart from the expression engine's
// class of the same name. Its message reaches the user as it is when it begins with "Calc.";
// the solver's failure handler decides how any other text is shown.

#include <stdexcept>
#include <string>

namespace tobrisk::fin {

class ErroC : public std::runtime_error {
  public:
    explicit ErroC(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tobrisk::fin

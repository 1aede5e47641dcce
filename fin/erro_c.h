#pragma once
// ErroC: a refused precondition of a financial solve. Its message reaches the user as it is when
// it begins with "Calc."; the solver's failure handler decides how any other text is shown.

#include <stdexcept>
#include <string>

namespace tobrisk {

class ErroC : public std::runtime_error {
  public:
    explicit ErroC(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tobrisk

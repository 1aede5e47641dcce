#pragma once
// Refusal raised by the parser's check pass and final check; Parse turns it into the message.

#include <stdexcept>
#include <string>

namespace tobrisk {

class ErroP : public std::runtime_error {
  public:
    explicit ErroP(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tobrisk

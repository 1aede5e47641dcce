#pragma once
// The RPN keys by the names the command-line front end and the tests use: "0".."9", ".", "E",
// "Enter", "clx", "clst", "x-y", "rolld", "rollu", "lastx", "chs", "del", "+", "-", "x", "/",
// "^", "1/x", "func", "deg", "sto", "rcl", "clrg", "show", "udata", "ufunc".

#include <string_view>

namespace tobrisk {

class RpnMachine;

// Presses the named key; false (and nothing pressed) for an unknown name.
bool pressNamedKey(RpnMachine& machine, std::string_view name);

}  // namespace tobrisk

#pragma once
// A colour as the shell's logic hands it to the windows: 8-bit red, green and blue.

namespace tobrisk {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

}  // namespace tobrisk

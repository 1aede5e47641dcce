#pragma once
// The locale's display separators, handed to the formatting logic. Typed input always uses '.'.

namespace tobrisk {

struct Separators {
    char decimal = '.';
    char thousands = ',';
};

}  // namespace tobrisk

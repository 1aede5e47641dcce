#include <iostream>

#include "cli/cli_modes.h"

namespace tobrisk::cli {

int runRpnMode(std::istream&, std::ostream&, std::ostream& err, const Options&) {
    err << "error: this mode is not available yet\n";
    return 2;
}

}  // namespace tobrisk::cli

// tobrisk-cli: the three calculators driven from standard input (see README).

#include <cstring>
#include <iostream>
#include <string>

#include "cli/cli_modes.h"
#include "exprwin/record_files.h"
#include "platform/data_lock.h"
#include "platform/system_services.h"

namespace {

int usage() {
    std::cerr << "usage: tobrisk-cli [--rpn | --fin] [--data-dir DIR]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    enum class Mode { Expression, Rpn, Financial } mode = Mode::Expression;
    tobrisk::cli::Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rpn") == 0) {
            mode = Mode::Rpn;
        } else if (std::strcmp(argv[i], "--fin") == 0) {
            mode = Mode::Financial;
        } else if (std::strcmp(argv[i], "--data-dir") == 0 && i + 1 < argc) {
            options.dataDir = argv[++i];
        } else {
            return usage();
        }
    }
    if (options.dataDir.empty()) {
        options.dataDir = tobrisk::defaultDataFolder();
    } else if (options.dataDir.back() != '/' && options.dataDir.back() != '\\') {
        options.dataDir += '/';
    }
    // Held until the process ends: a window program started meanwhile leaves the file alone.
    tobrisk::DataFolderLock lock;
    if (!lock.acquire(options.dataDir, tobrisk::LockRole::CommandLine)) {
        options.saveData = false;
        std::cerr << "note: " << options.dataDir << tobrisk::kDataFileName
                  << " is in use by another Tobrisk program; this run does not save it\n";
    }
    std::ios::sync_with_stdio(false);
    switch (mode) {
        case Mode::Rpn:
            return tobrisk::cli::runRpnMode(std::cin, std::cout, std::cerr, options);
        case Mode::Financial:
            return tobrisk::cli::runFinancialMode(std::cin, std::cout, std::cerr, options);
        case Mode::Expression:
            break;
    }
    return tobrisk::cli::runExpressionMode(std::cin, std::cout, std::cerr, options);
}

#pragma once
// The three front-end modes of tobrisk-cli. Each reads commands from `in`, prints results on
// `out` and alerts/errors on `err`, loads "Tbdata.dat" from dataDir at start (or creates it, as
// the program does) and saves it when the input ends (unless saveData is off). Returns the process
// exit code.

#include <iosfwd>
#include <string>

namespace tobrisk::cli {

struct Options {
    std::string dataDir;   // UTF-8, with a trailing separator
    bool saveData = true;  // false while another program holds the data folder
};

int runExpressionMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o);
int runRpnMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o);
int runFinancialMode(std::istream& in, std::ostream& out, std::ostream& err, const Options& o);

}  // namespace tobrisk::cli

// How tobrisk-cli's expression mode splits its input into lines: line ends of either kind, empty
// lines, a last line without its end, and lines longer than one read of the input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/cli/cli_process.h"

namespace {

namespace fs = std::filesystem;

#ifdef TOBRISK_CLI_PROCESS
std::string runOn(const std::string& input) {
    const fs::path dir = fs::temp_directory_path() / ("tobrisk-lines-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "in.txt", std::ios::binary) << input;
    runCliProcess({TOBRISK_CLI_PATH, "--data-dir", dir.string()}, dir / "in.txt", dir / "out.txt",
                  dir / "err.txt");
    std::ifstream out(dir / "out.txt", std::ios::binary);
    std::stringstream text;
    text << out.rdbuf();
    fs::remove_all(dir);
    return text.str();
}
#endif

TEST(InputLines, EachLineGivesOneResultLine) {
#ifndef TOBRISK_CLI_PROCESS
    GTEST_SKIP() << "needs fork/exec";
#else
    const std::string longBlanks(20000, ' ');  // several reads of the input
    const struct {
        std::string input;
        std::string output;
    } cases[] = {
        {"", ""},
        {"2*3", "6\n"},
        {"2*3\n", "6\n"},
        {"2*3\r\n7-1\r\n", "6\n6\n"},
        {"\n\n", "\n\n"},
        {"2*3\n\n7-2", "6\n\n5\n"},
        {longBlanks + "4*5\n6+1", "20\n7\n"},
        {"1+1\n" + longBlanks + "\n" + longBlanks + "9", "2\n\n9\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runOn(c.input), c.output) << c.input.substr(0, 40);
    }
#endif
}

}  // namespace

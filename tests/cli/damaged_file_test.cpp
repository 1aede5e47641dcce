// Damaged data files of many sizes and contents, loaded by each calculator through tobrisk-cli:
// every session must end normally, leave exactly one record behind, and that record must load
// again without complaint and still calculate.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/cli_process.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRecordSize = 14664;

#ifdef TOBRISK_CLI_PROCESS
// Runs the CLI in `mode` (may be empty) on `dir` with `input`; returns its output, or a note of
// how it ended when it did not exit with 0.
std::string runCli(const std::string& mode, const fs::path& dir, const std::string& input) {
    const fs::path in = dir.parent_path() / (dir.filename().string() + ".in");
    const fs::path out = dir.parent_path() / (dir.filename().string() + ".out");
    std::ofstream(in) << input;
    std::vector<std::string> args{TOBRISK_CLI_PATH};
    if (!mode.empty()) args.push_back(mode);
    args.push_back("--data-dir");
    args.push_back(dir.string());
    const bool ok = runCliProcess(args, in, out, {}).exitedWithZero;
    std::ifstream o(out);
    std::string text((std::istreambuf_iterator<char>(o)), std::istreambuf_iterator<char>());
    if (!ok) text += "\n[did not exit with 0]";
    return text;
}

std::vector<char> readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const std::vector<char>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
#endif

enum class Fill { Random, Zero, AllOnes, DamagedRecord };

}  // namespace

TEST(DamagedDataFile, EveryCalculatorLoadsItAndLeavesOneGoodRecord) {
#ifndef TOBRISK_CLI_PROCESS
    GTEST_SKIP() << "needs fork/exec";
#else
    const fs::path root =
        fs::temp_directory_path() / ("tobrisk-damage-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "fresh");
    ASSERT_EQ(runCli("", root / "fresh", "1\n").find("[did"), std::string::npos);
    const std::vector<char> good = readFile(root / "fresh" / "Tbdata.dat");
    ASSERT_EQ(good.size(), kRecordSize);

    const std::size_t sizes[] = {0,    1,     2,     3,     4,     8,     255,   256,
                                 4096, 14659, 14663, 14664, 14665, 29328, 29329, 70000};
    const char* const modes[] = {"", "--rpn", "--fin"};
    std::mt19937 rng(20261208);
    int n = 0;
    for (std::size_t size : sizes) {
        for (Fill fill : {Fill::Random, Fill::Zero, Fill::AllOnes, Fill::DamagedRecord}) {
            std::vector<char> bytes(size);
            for (std::size_t i = 0; i < size; ++i) {
                switch (fill) {
                    case Fill::Random:
                        bytes[i] = static_cast<char>(rng());
                        break;
                    case Fill::Zero:
                        bytes[i] = 0;
                        break;
                    case Fill::AllOnes:
                        bytes[i] = static_cast<char>(0xFF);
                        break;
                    case Fill::DamagedRecord:
                        bytes[i] = good[i % good.size()];
                        break;
                }
            }
            if (fill == Fill::DamagedRecord && size > 0)
                for (int k = 0; k < 40; ++k) bytes[rng() % size] = static_cast<char>(rng());

            const fs::path dir = root / std::to_string(n);
            fs::create_directories(dir);
            writeFile(dir / "Tbdata.dat", bytes);
            const std::string mode = modes[n % 3];
            const std::string what = "size " + std::to_string(size) + ", fill " +
                                     std::to_string(int(fill)) + ", mode " +
                                     (mode.empty() ? "expression" : mode);
            ++n;

            const std::string input = mode == "--rpn"   ? "2 Enter 3 +\n:stack\nudata\nufunc\n"
                                      : mode == "--fin" ? "show\nsolve 0\nsolve 4\n"
                                                        : "q = 7\nvars\nhist\n:frac 1/3+1/6\n";
            EXPECT_EQ(runCli(mode, dir, input).find("[did"), std::string::npos) << what;
            EXPECT_EQ(fs::file_size(dir / "Tbdata.dat"), kRecordSize) << what;

            // What was saved is a record the program reads back as it is, and it still works.
            const std::string again = runCli("", dir, "6*7\n");
            EXPECT_EQ(again.find("could not be read"), std::string::npos) << what << ": " << again;
            EXPECT_NE(again.find("42"), std::string::npos) << what << ": " << again;
        }
    }
    fs::remove_all(root);
#endif
}

// Runs tobrisk-cli on every golden file of tests/cli/golden. A golden file holds input lines
// ("> LINE"), the standard output they must give (every other line, verbatim; an empty line is
// an expected empty output line), expected standard-error lines ("! TEXT"; when a file has
// none, standard error is not checked), comments ("# ...") and "%restart", which ends the
// process and starts a new one on the same data folder (to check what was saved). "$DIR" in
// any line stands for that data folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Expected {
    std::string text;
    int goldenLine;
};

struct Session {
    std::vector<std::string> input;
    std::vector<Expected> out, err;
};

std::vector<Session> readGolden(const fs::path& file) {
    std::vector<Session> sessions(1);
    std::ifstream in(file);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("#", 0) == 0) continue;
        if (line == "%restart") {
            sessions.emplace_back();
        } else if (line.rfind("> ", 0) == 0 || line == ">") {
            sessions.back().input.push_back(line.size() > 2 ? line.substr(2) : "");
        } else if (line.rfind("! ", 0) == 0) {
            sessions.back().err.push_back({line.substr(2), n});
        } else {
            sessions.back().out.push_back({line, n});
        }
    }
    return sessions;
}

std::vector<std::string> readLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string withDir(const std::string& s, const std::string& dir) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find("$DIR", from)) != std::string::npos; from = at + 4)
        out.append(s, from, at - from).append(dir);
    return out.append(s, from, std::string::npos);
}

void compare(std::vector<Expected> want, const std::vector<std::string>& got,
             const std::string& dir, const std::string& stream, const std::string& file) {
    for (Expected& w : want) w.text = withDir(w.text, dir);
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (i >= got.size()) {
            ADD_FAILURE() << file << ":" << want[i].goldenLine << ": " << stream
                          << " ended, expected \"" << want[i].text << "\"";
            return;
        }
        if (got[i] != want[i].text) {
            ADD_FAILURE() << file << ":" << want[i].goldenLine << ": " << stream << " \"" << got[i]
                          << "\", expected \"" << want[i].text << "\"";
            return;
        }
    }
    EXPECT_EQ(got.size(), want.size())
        << file << ": extra " << stream << " lines, first \""
        << (got.size() > want.size() ? got[want.size()] : "") << "\"";
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputMatches) {
    const fs::path file = fs::path(TOBRISK_GOLDEN_DIR) / GetParam();
    const fs::path dir = fs::temp_directory_path() / ("tobrisk_golden_" + file.stem().string());
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const Session& s : readGolden(file)) {
        const fs::path in = dir / "in.txt", out = dir / "out.txt", err = dir / "err.txt";
        {
            std::ofstream f(in, std::ios::binary);
            for (const std::string& l : s.input) f << withDir(l, dir.string()) << '\n';
        }
        const std::string cmd = std::string("\"") + TOBRISK_CLI_PATH + "\" --data-dir \"" +
                                dir.string() + "\" < \"" + in.string() + "\" > \"" + out.string() +
                                "\" 2> \"" + err.string() + "\"";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const std::string name = file.filename().string();
        compare(s.out, readLines(out), dir.string(), "stdout", name);
        if (!s.err.empty()) compare(s.err, readLines(err), dir.string(), "stderr", name);
    }
    fs::remove_all(dir);
}

std::vector<std::string> goldenFiles() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(TOBRISK_GOLDEN_DIR))
        if (e.path().extension() == ".txt") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, testing::ValuesIn(goldenFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string n = fs::path(info.param).stem().string();
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace

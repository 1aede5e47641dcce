// Two programs on one data folder: the one that holds the folder's lock saves, the other
// leaves the data file alone (tobrisk-cli computes without saving, a second window program
// hands over to the first and ends).

#include "platform/data_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_process.h"

#ifdef TOBRISK_CLI_PROCESS
#include <signal.h>

namespace {

namespace fs = std::filesystem;
using tobrisk::DataFolderLock;
using tobrisk::LockRole;

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TwoProgramsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tobrisk-two-" + std::to_string(getpid()));
        fs::remove_all(root);
        dir = root / "data";
        fs::create_directories(dir);
        folder = dir.string() + "/";
    }
    void TearDown() override {
        for (pid_t p : children) {
            kill(p, SIGKILL);
            waitpid(p, nullptr, 0);
        }
        fs::remove_all(root);
    }
    struct Run {
        bool ok;
        std::string out, err;
    };
    Run cli(const std::string& input, const fs::path& data) {
        std::ofstream(root / "in") << input;
        std::ofstream(root / "err").close();
        const bool ok = runCliProcess({TOBRISK_CLI_PATH, "--data-dir", data.string()}, root / "in",
                                      root / "out", root / "err")
                            .exitedWithZero;
        return {ok, readText(root / "out"), readText(root / "err")};
    }
    // A process that holds the folder's lock until it is killed.
    pid_t holdInChild() {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            DataFolderLock lock;
            const char ok = lock.acquire(folder, LockRole::Window) ? 1 : 0;
            [[maybe_unused]] ssize_t n = write(ready[1], &ok, 1);
            alarm(30);
            for (;;) pause();
        }
        char ok = 0;
        EXPECT_EQ(read(ready[0], &ok, 1), 1);
        EXPECT_EQ(ok, 1);
        close(ready[0]);
        close(ready[1]);
        children.push_back(pid);
        return pid;
    }

    fs::path root, dir;
    std::string folder;
    std::vector<pid_t> children;
};

TEST_F(TwoProgramsTest, CommandLineOnALockedFolderComputesButLeavesTheFile) {
    ASSERT_TRUE(cli("v = 1\n", dir).ok);
    const std::string before = readText(dir / "Tbdata.dat");
    ASSERT_EQ(before.size(), 14664u);

    DataFolderLock lock;  // the test process holds it; the CLI is another process
    ASSERT_TRUE(lock.acquire(folder, LockRole::Window));
    const Run locked = cli("v = 42\nv*2\n", dir);
    EXPECT_TRUE(locked.ok);
    EXPECT_EQ(locked.out, "42\n84\n");
    EXPECT_EQ(locked.err, "note: " + folder +
                              "Tbdata.dat is in use by another Tobrisk program; this run "
                              "does not save it\n");
    EXPECT_EQ(readText(dir / "Tbdata.dat"), before);

    // Nothing is made either when the data file is missing.
    fs::remove(dir / "Tbdata.dat");
    EXPECT_TRUE(cli("1+1\n", dir).ok);
    EXPECT_FALSE(fs::exists(dir / "Tbdata.dat"));

    // Another folder is another lock.
    const fs::path other = root / "other";
    fs::create_directories(other);
    const Run free = cli("w = 7\n", other);
    EXPECT_TRUE(free.err.empty()) << free.err;
    EXPECT_EQ(cli("w\n", other).out, "7\n");

    lock.release();
    ASSERT_TRUE(cli("v = 5\n", dir).ok);
    EXPECT_EQ(cli("v\n", dir).out, "5\n");
}

TEST_F(TwoProgramsTest, LockOfAKilledProgramDoesNotStopTheNextSave) {
    const pid_t holder = holdInChild();
    EXPECT_FALSE(cli("v = 1\n", dir).err.empty());
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    children.clear();
    ASSERT_TRUE(fs::exists(dir / DataFolderLock::kFileName));  // the file stays, unlocked

    const Run run = cli("v = 9\n", dir);
    EXPECT_TRUE(run.ok);
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(cli("v\n", dir).out, "9\n");
}

#ifdef TOBRISK_WINDOW_PATH
// The window program keeps its data beside itself when that folder can be written, so a copy
// in the test folder works on the test's data.
TEST_F(TwoProgramsTest, SecondWindowProgramHandsOverAndLeavesTheFile) {
    const fs::path program = dir / "tobrisk";
    fs::copy_file(TOBRISK_WINDOW_PATH, program);
    auto startWindow = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            freopen("/dev/null", "w", stderr);
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    };
    const pid_t first = startWindow();
    children.push_back(first);
    const std::string tag = "window " + std::to_string(first) + "\n";
    // Up: it holds the lock and has written its new data file.
    auto up = [&] {
        return readText(dir / DataFolderLock::kFileName) == tag &&
               readText(dir / "Tbdata.dat").size() == 14664u;
    };
    for (int i = 0; i < 200 && !up(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(up());
    const std::string before = readText(dir / "Tbdata.dat");
    const auto stamp = fs::last_write_time(dir / "Tbdata.dat");

    const pid_t second = startWindow();
    int status = -1;
    for (int i = 0; i < 200 && waitpid(second, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(WIFEXITED(status)) << "the second program did not end";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first program ended";
    EXPECT_EQ(readText(dir / "Tbdata.dat"), before);
    EXPECT_EQ(fs::last_write_time(dir / "Tbdata.dat"), stamp);

    // While the window program runs, the command line does not save either.
    EXPECT_FALSE(cli("1\n", dir).err.empty());
    EXPECT_EQ(readText(dir / "Tbdata.dat"), before);
}
#endif

}  // namespace
#endif

#include "platform/data_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tobrisk {
namespace {

namespace fs = std::filesystem;

class DataLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tobrisk-lock-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        folder = dir.string() + "/";
    }
    void TearDown() override {
        if (holder > 0) {
            kill(holder, SIGKILL);
            waitpid(holder, nullptr, 0);
        }
        fs::remove_all(dir);
    }
    // A child process that takes the lock in `role`, says so, and then waits. With show
    // requests on, it exits with 7 when one arrives.
    void startHolder(LockRole role, bool listen) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        holder = fork();
        if (holder == 0) {
            const int requests = listen ? DataFolderLock::listenForShowRequests() : -1;
            DataFolderLock lock;
            const char ok = lock.acquire(folder, role) ? 1 : 0;
            [[maybe_unused]] ssize_t n = write(ready[1], &ok, 1);
            alarm(20);  // never outlive a failed test
            pollfd p{requests, POLLIN, 0};
            for (;;) {
                if (requests < 0) {
                    pause();
                } else if (poll(&p, 1, -1) == 1) {
                    _exit(7);
                }
            }
        }
        char ok = 0;
        ASSERT_EQ(read(ready[0], &ok, 1), 1);
        ASSERT_EQ(ok, 1);
        close(ready[0]);
        close(ready[1]);
    }
    int holderExitCode() {
        int status = 0;
        waitpid(holder, &status, 0);
        holder = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
    std::string folder;
    pid_t holder = 0;
};

TEST_F(DataLockTest, OneProcessAtATimeUntilTheHolderEndsHoweverItEnds) {
    startHolder(LockRole::CommandLine, false);
    DataFolderLock lock;
    EXPECT_FALSE(lock.acquire(folder, LockRole::Window));
    EXPECT_FALSE(lock.held());
    kill(holder, SIGKILL);  // no chance to clean up: the system drops the lock
    holderExitCode();
    EXPECT_TRUE(fs::exists(dir / DataFolderLock::kFileName));
    EXPECT_TRUE(lock.acquire(folder, LockRole::Window));
    EXPECT_TRUE(lock.held());
}

TEST_F(DataLockTest, ReleasedLockIsFreeForTheNext) {
    {
        startHolder(LockRole::Window, false);
        kill(holder, SIGTERM);
        holderExitCode();
    }
    DataFolderLock a;
    ASSERT_TRUE(a.acquire(folder, LockRole::CommandLine));
    a.release();
    startHolder(LockRole::CommandLine, false);  // would fail if a still held it
}

TEST_F(DataLockTest, OnlyAWindowHolderIsAskedToShow) {
    startHolder(LockRole::CommandLine, true);
    EXPECT_FALSE(DataFolderLock::askHolderToShow(folder));
    kill(holder, SIGKILL);
    holderExitCode();

    EXPECT_FALSE(DataFolderLock::askHolderToShow(folder));  // "window" left by no one
    startHolder(LockRole::Window, true);
    EXPECT_TRUE(DataFolderLock::askHolderToShow(folder));
    EXPECT_EQ(holderExitCode(), 7);
}

TEST_F(DataLockTest, FolderWithoutRoomForTheLockCountsAsFree) {
    DataFolderLock lock;
    EXPECT_TRUE(lock.acquire((dir / "missing").string() + "/", LockRole::CommandLine));
    EXPECT_FALSE(lock.held());
}

}  // namespace
}  // namespace tobrisk
#endif

#pragma once
// One program at a time on a data folder's "Tbdata.dat". The program that works on it holds an
// advisory lock on "Tbdata.lock" beside it for as long as it runs; the system drops the lock
// when the process ends, however it ends, so a crash never leaves the folder locked. The lock
// file names its holder ("window PID" or "cli PID") so that a second window program can ask the
// first to come to the front instead of starting.
//
// The lock binds the whole process: one DataFolderLock per folder and process.

#include <string>

namespace tobrisk {

enum class LockRole { Window, CommandLine };

class DataFolderLock {
  public:
    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock on folder (UTF-8, with a trailing separator) without waiting. False when
    // another process holds it. A folder where the lock file cannot be made (read-only, missing)
    // counts as free: nothing else can be saving there either.
    bool acquire(const std::string& folder, LockRole role);
    bool held() const;
    void release();

    // Asks the window program that holds folder's lock to bring its window to the front; false
    // when no window program holds it (free, or held by a command line run).
    static bool askHolderToShow(const std::string& folder);

    // Show requests reach this process as a readable byte on the returned descriptor (read it
    // and bring the window up). Call once, before acquire(); -1 where not supported.
    static int listenForShowRequests();

    static constexpr const char* kFileName = "Tbdata.lock";

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

}  // namespace tobrisk

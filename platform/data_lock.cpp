#include "platform/data_lock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tobrisk {

#ifdef _WIN32

// Windows: the lock file opened without sharing; the handle closes with the process. A second
// window program just ends (no show request).
DataFolderLock::~DataFolderLock() {
    release();
}

bool DataFolderLock::acquire(const std::string& folder, LockRole) {
    release();
    const std::string name = folder + kFileName;
    const std::filesystem::path p(
        std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
    HANDLE h = CreateFileW(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_SHARING_VIOLATION;
    handle_ = h;
    return true;
}

bool DataFolderLock::held() const {
    return handle_ != nullptr;
}

void DataFolderLock::release() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

bool DataFolderLock::askHolderToShow(const std::string&) {
    return false;
}

int DataFolderLock::listenForShowRequests() {
    return -1;
}

#else

namespace {

constexpr const char* kWindowTag = "window";
constexpr const char* kCliTag = "cli";

int showPipe[2] = {-1, -1};

void onShowRequest(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(showPipe[1], &byte, 1);
    errno = saved;
}

// fcntl locks rather than flock: the system tells who holds one (F_GETLK), so a show request
// goes to the holder itself and never to a process that reused a stale file's number.
bool lockWhole(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    return fcntl(fd, F_SETLK, &fl) == 0;
}

pid_t holderOf(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (fcntl(fd, F_GETLK, &fl) != 0 || fl.l_type == F_UNLCK) return 0;
    return fl.l_pid;
}

}  // namespace

DataFolderLock::~DataFolderLock() {
    release();
}

bool DataFolderLock::acquire(const std::string& folder, LockRole role) {
    release();
    const std::string name = folder + kFileName;
    const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;
    if (!lockWhole(fd)) {
        close(fd);
        return false;
    }
    fd_ = fd;
    const std::string tag = std::string(role == LockRole::Window ? kWindowTag : kCliTag) + " " +
                            std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0) {
        [[maybe_unused]] ssize_t n = pwrite(fd, tag.data(), tag.size(), 0);
    }
    return true;
}

bool DataFolderLock::held() const {
    return fd_ >= 0;
}

void DataFolderLock::release() {
    if (fd_ >= 0) close(fd_);  // closing drops the lock
    fd_ = -1;
}

bool DataFolderLock::askHolderToShow(const std::string& folder) {
    const std::string name = folder + kFileName;
    // Callers do not hold this folder's lock: closing a descriptor of the file would drop it.
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char text[64] = {};
    const ssize_t got = pread(fd, text, sizeof text - 1, 0);
    const pid_t holder = holderOf(fd);
    close(fd);
    if (got <= 0 || holder <= 0) return false;
    char tag[16] = {};
    long pid = 0;
    if (std::sscanf(text, "%15s %ld", tag, &pid) != 2) return false;
    if (std::strcmp(tag, kWindowTag) != 0 || pid != holder) return false;
    return kill(holder, SIGUSR1) == 0;
}

int DataFolderLock::listenForShowRequests() {
    if (showPipe[0] >= 0) return showPipe[0];
    if (pipe(showPipe) != 0) return -1;
    for (int fd : showPipe) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction sa {};
    sa.sa_handler = onShowRequest;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &sa, nullptr);
    return showPipe[0];
}

#endif

}  // namespace tobrisk

#include "platform/system_services.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#include <unistd.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace tobrisk {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string withSeparator(std::string dir) {
    if (dir.empty() || (dir.back() != '/' && dir.back() != kSeparator)) dir += kSeparator;
    return dir;
}

std::string utf8Of(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeFolder() {
    std::string home = env("HOME");
#if !defined(_WIN32) && !defined(__APPLE__)
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
#endif
    return home.empty() ? std::string("/") : home;
}

fs::path executablePath() {
#ifdef _WIN32
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return fs::path(buf.substr(0, n));
        buf.resize(buf.size() * 2);
    }
#elif defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string buf(size, '\0');
    if (_NSGetExecutablePath(buf.data(), &size) != 0) return {};
    std::error_code ec;
    fs::path p = fs::canonical(fs::path(buf.c_str()), ec);
    return ec ? fs::path(buf.c_str()) : p;
#else
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : p;
#endif
}

}  // namespace

double SystemClock::now() const {
    using namespace std::chrono;
    const auto t = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(t);
    const int ms =
        static_cast<int>(duration_cast<milliseconds>(t.time_since_epoch()).count() % 1000);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &secs);
#else
    localtime_r(&secs, &local);
#endif
    return encodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, ms < 0 ? 0 : ms);
}

std::string programFolder() {
    const fs::path exe = executablePath();
    if (exe.empty()) {
        std::error_code ec;
        return withSeparator(utf8Of(fs::current_path(ec)));
    }
    return withSeparator(utf8Of(exe.parent_path()));
}

std::string userDataFolder() {
#ifdef _WIN32
    std::string base = env("APPDATA");
    if (base.empty()) base = homeFolder();
    return withSeparator(base) + "Tobrisk\\";
#elif defined(__APPLE__)
    return homeFolder() + "/Library/Application Support/Tobrisk/";
#else
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    std::string base = env("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') base = withSeparator(homeFolder()) + ".local/share";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return withSeparator(base) + "Tobrisk/";
#endif
}

bool isSystemInstall(const std::string& programFolder) {
#ifdef _WIN32
    (void)programFolder;
    return false;
#else
    return programFolder.rfind("/usr/", 0) == 0;
#endif
}

bool folderWritable(const std::string& folder) {
    // Creating a file answers for read-only mounts and access lists, which a permission test
    // would not.
    static int counter = 0;
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    const fs::path probe = pathOf(withSeparator(folder) + ".tobrisk-probe-" + std::to_string(pid) +
                                  "-" + std::to_string(++counter));
#ifdef _WIN32
    std::FILE* f = _wfopen(probe.c_str(), L"wx");
#else
    std::FILE* f = std::fopen(probe.c_str(), "wx");
#endif
    if (!f) return false;
    std::fclose(f);
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

std::string chooseDataFolder(const std::string& programFolder, const std::string& userFolder,
                             bool programFolderWritable) {
    if (!programFolder.empty() && programFolderWritable && !isSystemInstall(programFolder))
        return withSeparator(programFolder);
    return withSeparator(userFolder);
}

std::string defaultDataFolder() {
    const std::string program = programFolder();
    const bool writable = !isSystemInstall(program) && folderWritable(program);
    const std::string chosen = chooseDataFolder(program, userDataFolder(), writable);
    if (chosen != program) {
        std::error_code ec;
        fs::create_directories(pathOf(chosen), ec);
    }
    return chosen;
}

}  // namespace tobrisk

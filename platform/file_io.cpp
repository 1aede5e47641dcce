#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tobrisk {

namespace fs = std::filesystem;

namespace {

fs::path toPath(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string errnoText(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

bool syncFile(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

}  // namespace

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(toPath(path), ec);
}

ReadStatus readFileStart(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& out,
                         std::uintmax_t& fileSize, std::string& error) {
    out.clear();
    fileSize = 0;
    std::error_code ec;
    const fs::path p = toPath(path);
    if (!fs::exists(p, ec)) {
        error = path + ": " + std::make_error_code(std::errc::no_such_file_or_directory).message();
        return ReadStatus::Missing;
    }
    if (fs::is_directory(p, ec)) {
        error = path + ": " + std::make_error_code(std::errc::is_a_directory).message();
        return ReadStatus::Failed;
    }
#ifdef _WIN32
    std::FILE* f = _wfopen(p.c_str(), L"rb");
#else
    std::FILE* f = std::fopen(p.c_str(), "rb");
#endif
    if (!f) {
        error = errnoText(path);
        return ReadStatus::Failed;
    }
    auto size = fs::file_size(p, ec);
    fileSize = ec ? 0 : size;
    out.resize(maxBytes);
    std::size_t got = std::fread(out.data(), 1, maxBytes, f);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    out.resize(got);
    if (bad) {
        error = path + ": read error";
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

bool writeFileAtomically(const std::string& path, const uint8_t* data, std::size_t size,
                         std::string& error) {
    const fs::path target = toPath(path);
    fs::path temp = target;
    temp += ".tmp";
#ifdef _WIN32
    std::FILE* f = _wfopen(temp.c_str(), L"wb");
#else
    std::FILE* f = std::fopen(temp.c_str(), "wb");
#endif
    if (!f) {
        error = errnoText(path);
        return false;
    }
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = ok && std::fflush(f) == 0 && syncFile(f);
    if (!ok) error = errnoText(path);
    ok = (std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (!ok) {
        if (error.empty()) error = errnoText(path);
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        error = path + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool renameFile(const std::string& from, const std::string& to, std::string& error) {
    std::error_code ec;
    fs::rename(toPath(from), toPath(to), ec);
    if (ec) {
        error = from + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace tobrisk

#pragma once
// Whole-file reads and crash-safe writes. A write goes to a temporary file in the same folder,
// is flushed to the disk and then renamed over the target, so an interrupted save leaves either
// the old file or the new one, whole.

#include <cstdint>
#include <string>
#include <vector>

namespace tobrisk {

enum class ReadStatus { Ok, Missing, Failed };

// Reads at most maxBytes from the start of the file (UTF-8 path); fileSize gets the full size.
ReadStatus readFileStart(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& out,
                         std::uintmax_t& fileSize, std::string& error);
bool writeFileAtomically(const std::string& path, const uint8_t* data, std::size_t size,
                         std::string& error);
bool fileExists(const std::string& path);
// Renames from to to, replacing to; false with the error text on failure.
bool renameFile(const std::string& from, const std::string& to, std::string& error);

}  // namespace tobrisk

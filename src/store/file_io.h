#pragma once
// Whole-file reads and crash-safe writes of line files (CR LF after every line).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/codec.h"

namespace store {

namespace fs = std::filesystem;

// The whole file (at most `maxBytes` of its beginning), or nothing when it
// cannot be opened or read.
std::optional<std::string> readFile(const fs::path& path, size_t maxBytes = SIZE_MAX);

// Lines end only at CR LF; a lone CR or LF and byte 0x1A are ordinary
// characters. A last line without its terminator is still a line; a file that
// ends with CR LF has no empty line after it.
Lines splitLines(std::string_view bytes);
std::string joinLines(const Lines& lines);  // every line followed by CR LF

// Writes `bytes` to `temp`, flushes it to the disk, then renames it over
// `target`, so that `target` always holds either the old or the new content.
bool writeFileAtomic(const fs::path& target, std::string_view bytes, const fs::path& temp);

// Creates or truncates the file and writes the bytes (no rename).
bool writeFilePlain(const fs::path& path, std::string_view bytes);

}  // namespace store

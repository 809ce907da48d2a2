#include "store/file_io.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <system_error>

namespace store {
namespace {

std::FILE* openFile(const fs::path& path, bool write) {
#ifdef _WIN32
  return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

bool writeAll(const fs::path& path, std::string_view bytes) {
  std::FILE* f = openFile(path, true);
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

std::optional<std::string> readFile(const fs::path& path, size_t maxBytes) {
  std::FILE* f = openFile(path, false);
  if (!f) return std::nullopt;
  std::string out;
  char buf[1 << 16];
  size_t n;
  bool failed = false;
  try {
    while (out.size() < maxBytes && (n = std::fread(buf, 1, std::min(sizeof buf, maxBytes - out.size()), f)) > 0)
      out.append(buf, n);
  } catch (const std::bad_alloc&) {
    failed = true;  // a file larger than memory is one the diary cannot read
  } catch (const std::length_error&) {
    failed = true;
  }
  failed = failed || std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return out;
}

Lines splitLines(std::string_view bytes) {
  Lines lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(start));
      break;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string joinLines(const Lines& lines) {
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

FileRead readExistingFile(const fs::path& path) {
  if (auto bytes = readFile(path)) return {FileState::Read, std::move(*bytes)};
  // Only a name that is certainly not there is missing; anything else that
  // failed (a lock, a folder, no access, a status that cannot be had) is
  // unreadable.
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  return {st.type() == fs::file_type::not_found ? FileState::Missing : FileState::Unreadable, {}};
}

bool writeFileAtomic(const fs::path& target, std::string_view bytes, const fs::path& temp) {
  if (writeFileDurably(temp, bytes) && replaceFileDurably(temp, target)) return true;
  // Only a temporary this call may have made goes: never a folder by its name.
  std::error_code ec;
  if (fs::symlink_status(temp, ec).type() == fs::file_type::regular) fs::remove(temp, ec);
  return false;
}

bool writeFilePlain(const fs::path& path, std::string_view bytes) { return writeAll(path, bytes); }

}  // namespace store

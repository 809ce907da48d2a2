#include "store/file_io.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace store {
namespace {

std::FILE* openFile(const fs::path& path, bool write) {
#ifdef _WIN32
  return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

bool flushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

bool writeAll(const fs::path& path, std::string_view bytes, bool durable) {
  std::FILE* f = openFile(path, true);
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (ok && durable) ok = flushToDisk(f);
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
  while (out.size() < maxBytes && (n = std::fread(buf, 1, std::min(sizeof buf, maxBytes - out.size()), f)) > 0)
    out.append(buf, n);
  const bool failed = std::ferror(f) != 0;
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

bool writeFileAtomic(const fs::path& target, std::string_view bytes, const fs::path& temp) {
  if (!writeAll(temp, bytes, true)) {
    std::error_code ec;
    fs::remove(temp, ec);
    return false;
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool writeFilePlain(const fs::path& path, std::string_view bytes) { return writeAll(path, bytes, false); }

}  // namespace store

#include "export/diary_reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>

#include "rtf/reader.h"
#include "store/listing.h"

namespace exporting {
namespace fs = std::filesystem;
namespace {

bool older(const base::Date& a, const base::Date& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

std::FILE* openForReading(const fs::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

// At most `limit` bytes of the file; nothing when it cannot be read.
std::optional<std::string> readAtMost(const fs::path& path, std::uintmax_t limit, bool& cut) {
  std::FILE* f = openForReading(path);
  if (!f) return std::nullopt;
  std::string out;
  char buf[1 << 16];
  size_t n;
  while (out.size() < limit && (n = std::fread(buf, 1, sizeof buf, f)) > 0)
    out.append(buf, std::min<std::uintmax_t>(n, limit - out.size()));
  cut = out.size() >= limit && std::fgetc(f) != EOF;
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return out;
}

// The entry's rich text: the top bit of every byte flipped back, except in
// the CR LF pairs that end the lines (the codec never touches those).
std::string decode(std::string encoded) {
  const size_t n = encoded.size();
  for (size_t i = 0; i < n; ++i) {
    if (encoded[i] == '\r' && i + 1 < n && encoded[i + 1] == '\n') {
      ++i;
      continue;
    }
    encoded[i] = static_cast<char>(encoded[i] ^ 0x80);
  }
  return encoded;
}

}  // namespace

DiaryReader::DiaryReader(fs::path dataFolder) : m_folder(std::move(dataFolder)) {
  std::vector<std::pair<base::Date, std::string>> dated;
  auto names = store::listOrdinaryFiles(m_folder);
  std::error_code ec;
  // A missing folder holds no days; one that is there but cannot be listed is told.
  m_listed = names || !fs::exists(m_folder, ec);
  for (std::string& name : names.value_or(std::vector<std::string>{})) {
    if (auto date = base::parseDateKey(name)) dated.emplace_back(*date, std::move(name));
    else ++m_skipped;
  }
  std::sort(dated.begin(), dated.end(), [](const auto& a, const auto& b) { return older(a.first, b.first); });
  for (auto& [date, key] : dated) m_keys.push_back(std::move(key));
}

Day DiaryReader::read(const std::string& key) const {
  Day day;
  day.key = key;
  day.date = base::parseDateKey(key).value_or(base::Date{});
  bool cut = false;
  const auto encoded = readAtMost(m_folder / fs::path(std::u8string(key.begin(), key.end())), kMaxEntryBytes, cut);
  if (!encoded) {
    day.damage = Damage::Unreadable;
    return day;
  }
  const std::string bytes = decode(std::move(*encoded));
  if (bytes.find_first_not_of("\r\n") == std::string::npos) return day;  // an empty entry
  if (!rtf::isRtf(bytes)) {
    day.document = rtf::readPlainText(bytes);
    day.damage = Damage::NotRichText;
  } else {
    bool closed = false;
    day.document = rtf::readRtf(bytes, {}, closed);
    if (!closed) day.damage = Damage::Truncated;
  }
  if (cut) day.damage = Damage::TooLarge;
  return day;
}

}  // namespace exporting

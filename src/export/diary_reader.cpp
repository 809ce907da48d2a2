#include "export/diary_reader.h"

#include <algorithm>
#include <system_error>

#include "rtf/reader.h"
#include "store/entries.h"
#include "store/listing.h"

namespace exporting {
namespace fs = std::filesystem;
namespace {

bool older(const base::Date& a, const base::Date& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

}  // namespace

DiaryReader::DiaryReader(fs::path dataFolder, const store::SecretKey* key) : m_folder(std::move(dataFolder)), m_key(key) {
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
  const auto read = store::readEntryFile(m_folder / fs::path(std::u8string(key.begin(), key.end())), kMaxEntryBytes, &cut, m_key);
  if (!read) {
    day.damage = Damage::Unreadable;
    return day;
  }
  const std::string& bytes = *read;
  if (bytes.find_first_not_of("\r\n") == std::string::npos) return day;  // an empty entry
  if (!rtf::isRtf(bytes)) {
    day.document = rtf::readPlainText(bytes);
    day.damage = Damage::NotRichText;
  } else {
    rtf::Reading reading;
    day.document = rtf::readRtf(bytes, {}, reading);
    if (reading.unreadableData) day.damage = Damage::PictureUnreadable;
    if (!reading.closed) day.damage = Damage::Truncated;
  }
  if (cut) day.damage = Damage::TooLarge;
  return day;
}

}  // namespace exporting

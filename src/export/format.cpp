#include "export/format.h"

#include <algorithm>

namespace exporting {

std::optional<Format> formatOf(const std::filesystem::path& file) {
  const std::u8string u8 = file.extension().u8string();  // never throws on letters outside the code page
  std::string ext(u8.begin(), u8.end());
  std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
  if (ext == ".html" || ext == ".htm") return Format::Html;
  if (ext == ".rtf") return Format::Rtf;
  if (ext == ".txt") return Format::Text;
  return std::nullopt;
}

const char* extensionOf(Format format) {
  switch (format) {
    case Format::Html: return "html";
    case Format::Rtf: return "rtf";
    case Format::Text: return "txt";
  }
  return "";
}

std::string dayHeading(const base::Date& date) {
  return base::weekdayName(base::weekday(date)) + ", " + std::to_string(date.day) + ". " + base::monthName(date.month) +
         " " + std::to_string(date.year);
}

}  // namespace exporting

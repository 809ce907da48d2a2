#include "store/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/cp1250.h"
#include "store/codec.h"
#include "store/file_io.h"

namespace store {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The file is exactly four lines, so the fourth is everything after the third
// CR LF up to the file's final CR LF: an encoded password may itself contain
// CR LF (the letters Ť and Š encode to those bytes).
Lines splitSettingsLines(std::string_view bytes) {
  Lines lines;
  size_t start = 0;
  for (int i = 0; i < 3 && start < bytes.size(); ++i) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(start));
      return lines;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  if (lines.size() == 3 && start < bytes.size()) {
    std::string_view rest = bytes.substr(start);
    if (rest.size() >= 2 && rest.substr(rest.size() - 2) == "\r\n") rest.remove_suffix(2);
    lines.emplace_back(rest);
  }
  return lines;
}

}  // namespace

std::string formatNumber(double value, const NumberFormat& format) {
  const float single = static_cast<float>(value);
  char buf[64];
  if (std::isfinite(single) && std::nearbyint(single) == single && std::fabs(single) < 1e7f) {
    std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(single));
  } else {
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(single));
  }
  std::string out(buf);
  const std::string sep = base::utf16ToCp1250(std::u16string(1, format.decimalSeparator));
  if (auto dot = out.find('.'); dot != std::string::npos) out.replace(dot, 1, sep);
  if (out == "-0") out = "0";
  return out;
}

std::optional<double> parseNumber(std::string_view text, const NumberFormat& format) {
  const std::string sep = base::utf16ToCp1250(std::u16string(1, format.decimalSeparator));
  std::string s(trim(text));
  if (s.empty() || s.size() > 64) return std::nullopt;
  if (!sep.empty() && sep != ".")
    if (auto p = s.find(sep); p != std::string::npos) s.replace(p, sep.size(), ".");
  // Only plain decimal numbers: sign, digits, one point, optional exponent.
  size_t i = 0, digits = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++digits;
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) ++expDigits;
    if (expDigits == 0) return std::nullopt;
    i = j;
  }
  if (i != s.size()) return std::nullopt;
  const double v = std::strtod(s.c_str(), nullptr);
  const float single = static_cast<float>(v);
  if (!std::isfinite(single)) return std::nullopt;
  return static_cast<double>(single);
}

std::optional<bool> parseBoolean(std::string_view text, const NumberFormat& format) {
  const std::string t = lower(trim(text));
  if (t == "true") return true;
  if (t == "false") return false;
  if (auto n = parseNumber(t, format)) return *n != 0;
  return std::nullopt;
}

Settings parseSettings(std::string_view fileBytes, const NumberFormat& format) {
  Lines encoded = splitSettingsLines(fileBytes);
  Lines plain;
  transform(encoded, plain);
  plain.resize(4);  // a missing line reads as an empty text
  Settings s;
  s.top = parseNumber(plain[0], format);
  s.left = parseNumber(plain[1], format);
  s.onTop = parseBoolean(plain[2], format).value_or(false);
  s.password = base::cp1250ToUtf16(plain[3]);
  return s;
}

Settings readSettings(const fs::path& file, const NumberFormat& format) {
  auto bytes = readFile(file);
  if (!bytes) return Settings{};
  return parseSettings(*bytes, format);
}

SettingsRead readSettingsChecked(const fs::path& file, const NumberFormat& format, Patience patience) {
  FileRead read = readExistingFile(file);
  for (int i = 1; i < patience.attempts && read.state == FileState::Unreadable; ++i) {
    std::this_thread::sleep_for(patience.wait);
    read = readExistingFile(file);
  }
  if (read.state != FileState::Read) return {read.state, Settings{}};
  return {FileState::Read, parseSettings(read.bytes, format)};
}

std::string formatSettings(const Settings& settings, const NumberFormat& format) {
  Lines plain = {
      formatNumber(settings.top.value_or(0), format),
      formatNumber(settings.left.value_or(0), format),
      settings.onTop ? "True" : "False",
      base::utf16ToCp1250(settings.password),
  };
  Lines encoded;
  transform(plain, encoded);
  return joinLines(encoded);
}

bool writeSettings(const fs::path& file, const Settings& settings, const NumberFormat& format, const fs::path& temp) {
  return writeFileAtomic(file, formatSettings(settings, format), temp);
}

}  // namespace store

#include "base/date.h"

#include <array>
#include <charconv>

#include "base/number.h"

namespace base {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValidDate(const Date& d) {
  return d.year >= 1 && d.year <= 9999 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

int weekday(const Date& d) {
  // Days from civil (Howard Hinnant's algorithm); day 0 = 1970-01-01, a Thursday.
  const int y = d.year - (d.month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = static_cast<long>(era) * 146097 + doe - 719468;
  return static_cast<int>(((days % 7) + 7 + 3) % 7);
}

namespace {
std::string twoDigits(int v) { return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)}; }

}  // namespace

std::string dateKey(const Date& d) {
  return twoDigits(d.month) + "-" + twoDigits(d.day) + "-" + twoDigits(d.year / 100) + twoDigits(d.year % 100);
}

std::string keyMonth(std::string_view key) { return std::string(key.substr(0, 2)); }
std::string keyDay(std::string_view key) { return key.size() >= 5 ? std::string(key.substr(3, 2)) : std::string(); }
std::string keyYear(std::string_view key) { return std::string(key.size() >= 4 ? key.substr(key.size() - 4) : key); }

std::optional<Date> parseDateKey(std::string_view key) {
  if (key.size() != 10 || key[2] != '-' || key[5] != '-') return std::nullopt;
  auto m = wholeNumber(key.substr(0, 2)), d = wholeNumber(key.substr(3, 2)), y = wholeNumber(key.substr(6, 4));
  if (!m || !d || !y) return std::nullopt;
  Date date{*y, *m, *d};
  if (!isValidDate(date)) return std::nullopt;
  return date;
}

std::string monthName(int month) {
  static constexpr std::array<const char*, 12> names = {
      "januar", "februar", "marec", "april", "maj", "junij",
      "julij", "avgust", "september", "oktober", "november", "december"};
  return month >= 1 && month <= 12 ? names[month - 1] : "";
}

std::string weekdayName(int wd) {
  static constexpr std::array<const char*, 7> names = {
      "ponedeljek", "torek", "sreda", "četrtek", "petek", "sobota", "nedelja"};
  return wd >= 0 && wd < 7 ? names[wd] : "";
}

}  // namespace base

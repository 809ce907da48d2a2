#pragma once
// Calendar dates and the diary's date keys (MM-DD-YYYY), independent of locale.
#include <optional>
#include <string>
#include <string_view>

namespace base {

struct Date {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const Date&, const Date&) = default;
};

struct DateTime {
  Date date;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool isValidDate(const Date& d);
int daysInMonth(int year, int month);

// 0 = Monday … 6 = Sunday (proleptic Gregorian calendar).
int weekday(const Date& d);

// "MM-DD-YYYY" with leading zeros.
std::string dateKey(const Date& d);

// Parts of a key taken by position (month = chars 1-2, day = 4-5, year = last
// four), as the day list and the pickers do. Empty when the text is too short.
std::string keyMonth(std::string_view key);
std::string keyDay(std::string_view key);
std::string keyYear(std::string_view key);

// The date a key names, when its three parts are numbers forming a real date.
std::optional<Date> parseDateKey(std::string_view key);

// Slovenian names, UTF-8. Month 1..12 (empty outside); weekday 0 = Monday.
std::string monthName(int month);
std::string weekdayName(int weekday);

}  // namespace base

#include <gtest/gtest.h>

#include "base/cp1250.h"
#include "base/date.h"

using namespace base;

TEST(Cp1250, SlovenianLettersHaveTheirCodePageBytes) {
  // č š ž Č Š Ž and Ť, the letter whose byte is 0x8D (CR once its top bit is flipped).
  EXPECT_EQ(utf8ToCp1250("čšžČŠŽŤ"), "\xE8\x9A\x9E\xC8\x8A\x8E\x8D");
  EXPECT_EQ(cp1250ToUtf8("\xE8\x9A\x9E\xC8\x8A\x8E\x8D"), "čšžČŠŽŤ");
}

TEST(Cp1250, EveryByteSurvivesARoundTripThroughUnicode) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf16ToCp1250(cp1250ToUtf16(all)), all);
  EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1250("a€b"), "a\x80" "b");
  EXPECT_EQ(utf8ToCp1250("日本"), "??");
  EXPECT_EQ(utf8ToCp1250("x😀y"), "x?y");  // a surrogate pair is one character
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xC0\x80z"), u"a\uFFFD\uFFFDz");
  EXPECT_EQ(utf8ToUtf16("\xE2\x82"), u"\uFFFD");
  EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("ščž😀")), "ščž😀");
}

TEST(Wide, BridgesToWcharOnEveryPlatform) {
  EXPECT_EQ(fromWide(toWide(u"Ščž😀")), u"Ščž😀");
}

TEST(DateKey, IsMonthDayYearWithLeadingZeros) {
  EXPECT_EQ(dateKey({2026, 12, 7}), "12-07-2026");
  EXPECT_EQ(dateKey({2004, 1, 5}), "01-05-2004");
  EXPECT_EQ(dateKey({987, 3, 9}), "03-09-0987");
}

TEST(DateKey, PartsAreTakenByPosition) {
  EXPECT_EQ(keyMonth("02-14-2004"), "02");
  EXPECT_EQ(keyDay("02-14-2004"), "14");
  EXPECT_EQ(keyYear("02-14-2004"), "2004");
  EXPECT_EQ(keyYear("notes.txt"), ".txt");  // stray files are split the same way
  EXPECT_EQ(keyDay("ab"), "");
}

TEST(DateKey, OnlyRealDatesParse) {
  EXPECT_EQ(parseDateKey("02-29-2024"), (Date{2024, 2, 29}));
  EXPECT_FALSE(parseDateKey("02-29-2023"));
  EXPECT_FALSE(parseDateKey("13-01-2024"));
  EXPECT_FALSE(parseDateKey("1-5-2004"));
  EXPECT_FALSE(parseDateKey("01-05-20x4"));
  EXPECT_FALSE(parseDateKey("01-00-2004"));
}

TEST(Weekday, MatchesTheCalendar) {
  EXPECT_EQ(weekdayName(weekday({2026, 12, 7})), "ponedeljek");
  EXPECT_EQ(weekdayName(weekday({2026, 12, 12})), "sobota");
  EXPECT_EQ(weekdayName(weekday({2026, 12, 13})), "nedelja");
  EXPECT_EQ(weekdayName(weekday({2031, 1, 1})), "sreda");
  EXPECT_EQ(weekdayName(weekday({2000, 2, 29})), "torek");
  EXPECT_EQ(weekdayName(weekday({1900, 1, 1})), "ponedeljek");
}

TEST(Names, SlovenianMonthsWithEmptyOutsideTheYear) {
  EXPECT_EQ(monthName(1), "januar");
  EXPECT_EQ(monthName(12), "december");
  EXPECT_EQ(monthName(0), "");
  EXPECT_EQ(monthName(13), "");
}

// Choosing a year, a month and a day in the real diary with real input, and
// coming back to today to write.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

// Client pixels of the main window's pickers: the year and month labels,
// and the middle of row k of the year list and the month list.
constexpr POINT kYearLabel{440, 71};
constexpr POINT kMonthLabel{440, 95};
POINT yearRow(int k) { return {440, 79 + 17 * (k - 1) + 9}; }
POINT monthRow(int k) { return {440, 103 + 17 * (k - 1) + 9}; }

}  // namespace

TEST(DiaryEndToEnd, PickingAnotherYearMonthAndDayThenWritingToday) {
  Diary diary;
  // Another year, first in the sorted names: its months 01 and 05.
  diary.writeEntry("01-01-2019", "{\\rtf1\\ansi novo leto\\par\r\n}\r\n");
  diary.writeEntry("05-20-2019", "{\\rtf1\\ansi majski dan\\par\r\n}\r\n");
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return diary.editor() != nullptr; }));
  saveScreenshot(main, "dates-1-today");

  ASSERT_TRUE(clickAndWaitForChange(main, kYearLabel));
  saveScreenshot(main, "dates-2-year-list");
  ASSERT_TRUE(clickAndWaitForChange(main, yearRow(1)));  // 2019
  EXPECT_EQ(diary.editorText(), L"");  // no day chosen yet: today's (empty) entry stays
  ASSERT_TRUE(clickAndWaitForChange(main, kMonthLabel));
  saveScreenshot(main, "dates-3-month-list");
  ASSERT_TRUE(clickAndWaitForChange(main, monthRow(2)));  // maj
  click(main, dayRow(1));  // 20 May 2019
  waitUntil([&] { return diary.editorText() == L"majski dan"; });
  EXPECT_EQ(diary.editorText(), L"majski dan");
  saveScreenshot(main, "dates-4-past-day-read-only");
  // Read-only: typing changes nothing.
  click(main, kInEditor);
  typeText(L"xyz");
  settle();  // nothing to wait for: the text must stay as it is
  EXPECT_EQ(diary.editorText(), L"majski dan");

  // Back to today: this year is the second year row; its only entry is today's.
  ASSERT_TRUE(clickAndWaitForChange(main, kYearLabel));
  ASSERT_TRUE(clickAndWaitForChange(main, yearRow(2)));
  click(main, dayRow(1));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText().empty(); }));
  ASSERT_TRUE(writeToday(diary, main, L"Danes spet pišem."));
  saveScreenshot(main, "dates-5-today-editable");
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(diary.waitForExit(), 0u);

  const auto today = diary.decodedEntry(todayKey());
  ASSERT_TRUE(today);
  EXPECT_NE(today->find("Danes spet pi"), std::string::npos);
  EXPECT_EQ(diary.decodedEntry("05-20-2019"), "{\\rtf1\\ansi majski dan\\par\r\n}\r\n");
}

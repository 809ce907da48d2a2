// Looking back over the diary: the same date in earlier years, words as a
// reader counts them, the year window's shades, and runs of written days.
#include <gtest/gtest.h>

#include "export/printable.h"
#include "lookback/diary_days.h"
#include "lookback/words.h"
#include "rtf/reader.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "support/scratch.h"

namespace {

using Keys = std::vector<std::string>;

struct EarlierCase {
  const char* name;
  base::Date shown;
  Keys expected;
};

const Keys kListing{"12-09-2025", "12-09-1925", "12-09-2026", "12-09-2027", "12-10-2025", "02-28-2023",
                    "02-29-2020", "02-28-2020", "02-28-1900", "02-29-2000", "03-01-2023", "12-9-2024",
                    "beležka.txt", "02-28-2025"};

class EarlierYears : public testing::TestWithParam<EarlierCase> {};

TEST_P(EarlierYears, ListsTheDateInTheYearsBeforeNewestFirst) {
  EXPECT_EQ(lookback::earlierYears(kListing, GetParam().shown), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, EarlierYears,
    testing::Values(
        // A century apart; the shown year itself, later years, other days and
        // names that are no date keys stay out.
        EarlierCase{"Ordinary", {2026, 12, 9}, {"12-09-2025", "12-09-1925"}},
        // Years without a leap day give their 28 February; leap years their 29th.
        EarlierCase{"LeapDay", {2024, 2, 29}, {"02-28-2023", "02-29-2020", "02-29-2000", "02-28-1900"}},
        EarlierCase{"TwentyEighthInALeapYearIsOnlyThe28th", {2024, 2, 28}, {"02-28-2023", "02-28-2020", "02-28-1900"}},
        EarlierCase{"NoEarlierEntry", {2026, 7, 14}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WordCase {
  std::u16string text;
  size_t words;
};

class Words : public testing::TestWithParam<WordCase> {};

TEST_P(Words, AreCountedAsAReaderCountsThem) { EXPECT_EQ(lookback::countWords(GetParam().text), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(Texts, Words,
                         testing::Values(WordCase{u"", 0}, WordCase{u"Danes je lep dan.", 4},
                                         WordCase{u"Čaj, šipek in žajbelj\rna vrtu", 6},
                                         WordCase{u"PALAČINKE!!! — spet", 2}, WordCase{u"čšž", 1},
                                         WordCase{u"7. 12. 2026 ob 10.30", 6},
                                         WordCase{u"sonce \U0001F31E in dež", 3}, WordCase{u"  \r\r\t  ", 0}));

TEST(Shades, StepUpWithTheWordsWritten) {
  const std::pair<size_t, int> steps[] = {{0, 0}, {1, 1}, {49, 1}, {50, 2}, {149, 2}, {150, 3}, {399, 3}, {400, 4}, {90000, 4}};
  for (const auto& [words, shade] : steps) EXPECT_EQ(lookback::shadeOf(words), shade) << words << " words";
}

// Days written at one word each, by date key.
lookback::DiaryDays written(const Keys& keys) {
  lookback::DiaryDays days;
  for (const std::string& key : keys) days.setText(key, u"beseda beseda");
  return days;
}

TEST(Runs, GoOnAcrossMonthsYearsAndLeapDays) {
  // 30 Dec 2023 to 3 Jan 2024 (five), 28 Feb to 1 Mar 2024 over the leap
  // day (three), 28 Feb and 1 Mar 2023 (two: no leap day between).
  lookback::DiaryDays days = written({"12-30-2023", "12-31-2023", "01-01-2024", "01-02-2024", "01-03-2024",
                                      "02-28-2024", "02-29-2024", "03-01-2024", "02-28-2023", "03-01-2023",
                                      "01-31-2025", "02-01-2025"});
  days.setText("02-02-2025", u"");  // an empty entry breaks the run
  const base::Date today{2025, 2, 2};
  const lookback::Summary diary = days.summary(std::nullopt, today);
  EXPECT_EQ(diary.days, 12u);
  EXPECT_EQ(diary.words, 24u);
  EXPECT_EQ(diary.longestRun, 5);
  EXPECT_EQ(diary.currentRun, 2);  // today still empty: the run up to yesterday
  const lookback::Summary y2024 = days.summary(2024, today);
  EXPECT_EQ(y2024.days, 6u);
  EXPECT_EQ(y2024.longestRun, 3);  // the year's share of the run over new year, and the leap day's
  EXPECT_FALSE(y2024.currentRun);  // today lies in another year
  const lookback::Summary y2023 = days.summary(2023, today);
  EXPECT_EQ(y2023.longestRun, 2);
  EXPECT_EQ(days.summary(2025, {2025, 2, 4}).currentRun, 0);  // two days without writing end it
  EXPECT_EQ(days.years(today), (std::pair<int, int>{2023, 2025}));
}

TEST(DiaryDays, CountTheWordsTheEditorShowsNotTheRichTextCodes) {
  ScratchFolder dir;
  store::DiaryStore store(dir.path());
  const auto put = [&](const std::string& key, const std::string& rtf) {
    store::Lines encoded;
    store::transform(store::splitLines(rtf), encoded);
    dir.write(std::filesystem::path("Podatki") / key, store::joinLines(encoded));
  };
  put("12-01-2026", "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss Times New Roman;}}{\\colortbl;\\red255\\green0\\blue0;}"
                    "\\f0\\fs20 Pala\\'e8inke \\b\\cf1 in\\b0  \\'9apageti\\par\r\n{\\*\\generator Riched20 10.0;}}\r\n");
  put("12-02-2026", "samo besedilo brez kod\r\n");
  store.Rescan();
  lookback::DiaryDays days;
  days.read(store, store.listing(), "12-02-2026");  // the day being written comes from the editor
  EXPECT_EQ(days.words({2026, 12, 1}), 3u);
  EXPECT_FALSE(days.words({2026, 12, 2}));
  days.setText("12-02-2026", u"pišem");
  EXPECT_EQ(days.words({2026, 12, 2}), 1u);
  std::filesystem::remove(dir.path() / "Podatki" / "12-01-2026");
  store.Rescan();
  days.read(store, store.listing());  // a day gone from the folder is forgotten
  EXPECT_FALSE(days.hasEntry({2026, 12, 1}));
}

TEST(Printout, OpensWithTheExportsHeadingAndKeepsTheDaysFormatting) {
  const std::string page = exporting::printableDay(
      {2026, 12, 9}, "{\\rtf1\\ansi\\ansicpg1250 \\qc\\b Pala\\'e8inke\\b0  za \\i kosilo\\i0\\par\r\n}\r\n");
  const rtf::Document doc = rtf::readRtf(page);
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(doc.text(), u"sreda, 9. december 2026\r\rPalačinke za kosilo");
  EXPECT_TRUE(doc.paragraphs[0].runs.at(0).format.bold);
  const rtf::Paragraph& day = doc.paragraphs[2];
  EXPECT_EQ(day.alignment, base::Alignment::Center);
  EXPECT_TRUE(day.runs.at(0).format.bold);
  EXPECT_TRUE(day.runs.back().format.italic);
}

}  // namespace

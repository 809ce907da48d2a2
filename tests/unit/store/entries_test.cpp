#include <functional>
#include <gtest/gtest.h>

#include "support/scratch.h"
#include "store/codec.h"
#include "store/entries.h"
#include "store/file_io.h"

using namespace store;

namespace {

std::string decoded(const std::string& fileBytes) {
  Lines plain;
  transform(splitLines(fileBytes), plain);
  return joinLines(plain);
}

struct StoreTest : ::testing::Test {
  ScratchFolder dir;
  DiaryStore store{dir.path()};
  std::string content;  // the editor's rich text
  void SetUp() override { ASSERT_TRUE(store.ensureDataFolder()); }
  void addEntry(const std::string& name, std::string_view bytes = "") { dir.write(fs::path("Podatki") / name, bytes); }
};

}  // namespace

TEST_F(StoreTest, MissingDataFolderIsCreated) {
  fs::remove_all(store.dataFolder());
  EXPECT_TRUE(store.ensureDataFolder());
  EXPECT_TRUE(fs::is_directory(store.dataFolder()));
}

TEST_F(StoreTest, SaveEncodesEveryLineAndLeavesOnlyCrLfInTheTemporaryFile) {
  content = "{\\rtf1 Dragi dnevnik \\'e8\\par\r\n}\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", content));
  const std::string file = dir.read("Podatki/12-07-2026");
  EXPECT_EQ(file.size(), content.size());
  EXPECT_EQ(file.find("Dragi"), std::string::npos);
  EXPECT_EQ(decoded(file), content);
  EXPECT_EQ(dir.read("TMP.tkw"), "\r\n");
}

TEST_F(StoreTest, LoadGivesTheEditorWhatWasSavedAndEmptiesTheTemporaryFile) {
  content = "line one\r\nline \xE8\x9A\x9E two\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", content));
  const EntryText other = store.Load("12-07-2026");
  ASSERT_EQ(other.state, EntryState::Read);
  EXPECT_EQ(other.rtf, content);
  EXPECT_EQ(dir.read("TMP.tkw"), "\r\n");
}

TEST_F(StoreTest, ZeroLengthEntryLoadsAsEmpty) {
  addEntry("12-07-2026");
  const EntryText entry = store.Load("12-07-2026");
  EXPECT_EQ(entry.state, EntryState::Read);
  EXPECT_EQ(entry.rtf, "");
}

TEST_F(StoreTest, SavingShorterEntryAfterLongerOneLeavesOnlyItsLines) {
  content = std::string(5000, 'a') + "\r\n" + std::string(5000, 'b') + "\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", content));
  content = "short\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", content));
  EXPECT_EQ(decoded(dir.read("Podatki/12-07-2026")), "short\r\n");
}

TEST_F(StoreTest, WritingLeavesNoExtraFileInTheListing) {
  content = "x\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", content));
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-07-2026"}));
}

TEST_F(StoreTest, EnsureTodayCreatesOnceAndNeverTruncates) {
  store.Rescan();
  ASSERT_TRUE(store.ensureToday("12-07-2026"));
  EXPECT_EQ(dir.read("Podatki/12-07-2026"), "");
  EXPECT_TRUE(store.Exists("12-07-2026"));
  addEntry("12-07-2026", "\xE1");
  ASSERT_TRUE(store.ensureToday("12-07-2026"));
  EXPECT_EQ(dir.read("Podatki/12-07-2026"), "\xE1");
  // A name taken by something the listing does not show is never written
  // through: here a link to a file elsewhere that is not there yet.
  fs::create_symlink(dir.path() / "elsewhere", store.entryFile("12-08-2026"));
  store.ensureToday("12-08-2026");
  EXPECT_FALSE(fs::exists(dir.path() / "elsewhere"));
}

TEST_F(StoreTest, ExistsComparesTheWholeKey) {
  addEntry("01-05-2004");
  store.Rescan();
  EXPECT_TRUE(store.Exists("01-05-2004"));
  EXPECT_FALSE(store.Exists("1-5-2004"));
  EXPECT_FALSE(store.Exists("01-05-200"));
}

TEST_F(StoreTest, YearsMonthsAndDaysFollowTheSortedListing) {
  for (const char* name : {"03-01-2004", "01-05-2005", "02-14-2004"}) addEntry(name);
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"01-05-2005", "02-14-2004", "03-01-2004"}));
  EXPECT_EQ(store.Years(), (std::vector<std::string>{"2005", "2004"}));
  EXPECT_EQ(store.Months("2004"), (std::vector<std::string>{"02", "03"}));
  EXPECT_EQ(store.Days("02", "2004"), (std::vector<std::string>{"02-14-2004"}));
  EXPECT_TRUE(store.Days("04", "2004").empty());
}

// A start lists only this year's names; whatever asks for more than this
// year sees the whole folder, as after a full listing.
TEST_F(StoreTest, AListingOfOneYearAnswersEveryQuestionAsTheWholeListingDoes) {
  for (const char* name : {"12-01-2026", "11-30-2026", "01-05-2005", "12-24-2025", "beležka 2026", "x", "~Pisarion.tmp"})
    addEntry(name);
  fs::create_directories(store.dataFolder() / "12-02-2026");  // a folder is not an entry
  using Answer = std::vector<std::string>;
  const std::function<Answer(DiaryStore&)> questions[] = {
      [](DiaryStore& s) { return s.listing(); },
      [](DiaryStore& s) { return s.Years(); },
      [](DiaryStore& s) { return s.Months("2026"); },
      [](DiaryStore& s) { return s.Months("2025"); },
      [](DiaryStore& s) { return s.Days("12", "2026"); },
      [](DiaryStore& s) { return s.Days("12", "2025"); },
      [](DiaryStore& s) { return Answer{s.Exists("01-05-2005") ? "yes" : "no", s.Exists("12-01-2026") ? "yes" : "no"}; },
  };
  ASSERT_TRUE(store.Rescan());
  for (size_t i = 0; i < std::size(questions); ++i) {
    SCOPED_TRACE(i);
    DiaryStore started(dir.path());
    ASSERT_TRUE(started.RescanYear("2026"));
    EXPECT_EQ(questions[i](started), questions[i](store));
  }
}

TEST_F(StoreTest, StrayFilesAreListedAndSplitByPositionWithoutHarm) {
  addEntry("12-07-2026");
  addEntry("beležka.txt");
  addEntry("x");
  addEntry(".hidden");
  fs::create_directories(store.dataFolder() / "01-01-2026");  // a folder is not an entry
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-07-2026", "beležka.txt", "x"}));
  EXPECT_EQ(store.Years(), (std::vector<std::string>{"2026", ".txt", "x"}));
  EXPECT_EQ(store.Months(".txt"), (std::vector<std::string>{"be"}));
  EXPECT_EQ(nameSuffix("žščđ", 2), "čđ");
  EXPECT_EQ(namePrefix("žščđ", 2), "žš");
}

TEST_F(StoreTest, DamagedEntriesLoadWithoutLoss) {
  const std::string binary("\x00\xFF\r\n\x1A\x80\r", 7);
  const std::string big(10 << 20, '\xC1');  // 10 MB without a single line break
  for (const std::string& bytes : {binary, big, std::string("not rich text at all")}) {
    addEntry("12-07-2026", bytes);
    store.Rescan();
    const EntryText e = store.Load("12-07-2026");
    ASSERT_EQ(e.state, EntryState::Read);
    // CR LF pairs are terminators and are not flipped.
    std::string want;
    for (const auto& l : splitLines(bytes)) {
      std::string line = l;
      flipTopBits(line);
      want += line + "\r\n";
    }
    EXPECT_EQ(e.rtf, want);
    // The entry file itself is never touched by a load.
    EXPECT_EQ(dir.read("Podatki/12-07-2026"), bytes);
  }
}

TEST_F(StoreTest, AMissingEntryIsNotAnUnreadableOne) {
  EXPECT_EQ(store.Load("01-01-1999").state, EntryState::Missing);
  fs::create_directory(store.entryFile("12-07-2026"));  // there, but no file to read
  EXPECT_EQ(store.Load("12-07-2026").state, EntryState::Unreadable);
}

TEST_F(StoreTest, NamesWithCapitalsSortAsTextWithoutRegardToCase) {
  for (const char* name : {"Zapiski", "12-07-2026", "beležka", "Avgust"}) addEntry(name);
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-07-2026", "Avgust", "beležka", "Zapiski"}));
}

TEST_F(StoreTest, AnEntryReadUpToALimitSaysWhetherThereWasMore) {
  const std::string plain = "{\\rtf1 \\'e8a\\par\r\n}";  // 19 bytes, a CR LF at 16
  std::string file = plain;
  flipRange(file.data(), 16);
  flipRange(file.data() + 18, 1);
  addEntry("12-07-2026", file);
  struct Case {
    size_t limit;
    std::string text;
    bool cut;
  };
  // A limit that falls inside the CR LF leaves the CR as the lone byte it then is.
  const std::string lone = plain.substr(0, 16) + '\x8d';
  for (const Case& c : {Case{SIZE_MAX, plain, false}, Case{19, plain, false}, Case{18, plain.substr(0, 18), true}, Case{17, lone, true}}) {
    bool cut = !c.cut;
    EXPECT_EQ(readEntryFile(store.entryFile("12-07-2026"), c.limit, &cut), c.text) << c.limit;
    EXPECT_EQ(cut, c.cut) << c.limit;
  }
  EXPECT_EQ(store.Read("12-07-2026"), plain);
  EXPECT_EQ(readEntryFile(store.entryFile("12-08-2026")), std::nullopt);
}

// The day on screen as the user meets it: what reaches the entry files, what
// the editor lets them do, and what they are told.
#include <cstdint>
#include <new>
#include <stdexcept>

#include "navigation_fixture.h"
#include "rtf/reader.h"

namespace {

// The editor with the faults of real ones: a disk that takes nothing, a
// control reader that dies on deep nesting or long names (Wine's, at 32
// groups and past 1 KB) or makes nothing of a document, and a memory that
// holds only so much.
struct FaultyEditor : textmodel::TextEditor {
  const bool* failing;
  const bool* readsNothing;
  const size_t* memory;
  const bool* refusesPieces;
  bool appendRichText(std::string_view rtf) override { return !*refusesPieces && TextEditor::appendRichText(rtf); }
  std::optional<std::string> richText() const override { return *failing ? std::nullopt : TextEditor::richText(); }
  bool setRichText(std::string_view rtf) override {
    const rtf::Extent e = rtf::measure(rtf);
    if (e.depth >= 32 || e.longestName > 1000 || e.longestWord > 1000) throw std::runtime_error("the control's reader crashed");
    if (rtf.size() > *memory) throw std::bad_alloc();
    return !*readsNothing && TextEditor::setRichText(rtf);
  }
};

class DayOnScreenTest : public NavigationTest {
 protected:
  bool failing = false, readsNothing = false, refusesPieces = false;
  size_t memory = SIZE_MAX;
  static constexpr int kWait = app::DayOnScreen::kAutosaveMs;
  DayOnScreenTest() {
    platform.setEditorFactory([this] {
      auto e = std::make_unique<FaultyEditor>();
      e->failing = &failing;
      e->readsNothing = &readsNothing;
      e->memory = &memory;
      e->refusesPieces = &refusesPieces;
      return e;
    });
    addText("12-06-2026", "yesterday");
  }
  std::string todayFile() { return dir.read("Podatki/12-07-2026"); }
  bool todayHolds(const char* text) { return entry("12-07-2026").find(text) != std::string::npos; }
};

}  // namespace

TEST_F(DayOnScreenTest, ADayOnlyLookedAtStaysByteForByte) {
  addEntry("12-07-2026", "{\\rtf1 napisano drugje\\par}   \r\n\r\nostanek");
  const std::string before = todayFile();
  start();
  days().IzberiDan("12-06-2026");
  days().IzberiDan("12-07-2026");
  platform.advance(3 * kWait);
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_EQ(todayFile(), before);
}

TEST_F(DayOnScreenTest, AnEntryThatCannotBeReadIsReadOnlyNeverSavedAndTriedAgain) {
  std::filesystem::create_directories(dir.path() / "Podatki" / "12-07-2026");  // there, but unreadable
  start();
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"Zapisa ni bilo mogoče prebrati"), std::u16string::npos);
  EXPECT_FALSE(el("BtnKrepko").visible());
  type(u"izgubljeno");
  EXPECT_EQ(editorText(), u"");
  std::filesystem::remove(dir.path() / "Podatki" / "12-07-2026");
  addText("12-07-2026", "prej");
  days().IzberiDan("12-07-2026");
  EXPECT_EQ(editorText(), u"prej");
  EXPECT_FALSE(editor().Locked());
}

TEST_F(DayOnScreenTest, TypingIsSavedAFewSecondsAfterItStopsAndWhenTheDiaryIsPutAway) {
  start();
  type(u"a");
  platform.advance(kWait - 100);
  type(u"b");
  platform.advance(kWait - 100);
  EXPECT_EQ(todayFile(), "");  // still typing
  platform.advance(200);
  EXPECT_TRUE(todayHolds("ab"));
  type(u"c");
  pressOn(el("BtnMini"));
  EXPECT_TRUE(todayHolds("abc"));
}

TEST_F(DayOnScreenTest, AFailingAutosaveIsToldOnceAndKeepsTrying) {
  start();
  failing = true;
  for (const char16_t* words : {u"ena ", u"dva ", u"tri "}) {
    type(words);
    platform.advance(2 * kWait);
  }
  failing = false;
  platform.advance(kWait);
  EXPECT_TRUE(todayHolds("ena dva tri"));
  EXPECT_EQ(platform.messages().size(), 1u);
}

TEST_F(DayOnScreenTest, ClosingWithoutASaveAsksAndOnYesLeavesARescueCopyBesideTheSettings) {
  start();
  type(u"rešite me");
  failing = true;
  platform.closeWindow(main().form());  // the default answer: no
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_TRUE(platform.messages()[0].question);
  EXPECT_FALSE(platform.exitCode());
  // A folder has taken the entry's name, so it still cannot be replaced.
  failing = false;
  std::filesystem::remove(dir.path() / "Podatki" / "12-07-2026");
  std::filesystem::create_directories(dir.path() / "Podatki" / "12-07-2026");
  platform.answerYes = true;
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
  const std::string rescue = dir.read(u8"Podatki rešeno 12-07-2026");
  store::Lines plain;
  store::transform(store::splitLines(rescue), plain);
  EXPECT_NE(store::joinLines(plain).find("re\\'9aite me"), std::string::npos);
  EXPECT_EQ(rescue.find("me"), std::string::npos);  // encoded like an entry
}

TEST_F(DayOnScreenTest, DamagedEntriesNeverReachTheControlUncheckedAndStayAsTheyAre) {
  addText("12-07-2026", std::string(40, '{') + "globoko" + std::string(40, '}'));
  addText("12-05-2026", "nerazumljivo");
  std::string bold;
  for (int i = 0; i < 20000; ++i) bold += "\\b x\\b0 y";
  addEntry("12-04-2026", "{\\rtf1{\\fonttbl{\\f0 " + std::string(100'000, 'A') + ";}}\\f0" + bold + "\\par}");
  const std::string before = todayFile();
  start();
  EXPECT_EQ(editorText(), u"globoko");
  days().IzberiDan("12-04-2026");
  std::u16string xy;
  for (int i = 0; i < 20000; ++i) xy += u"xy";
  EXPECT_EQ(editorText(), xy);
  readsNothing = true;  // shown as plain text, read-only, with a word
  days().IzberiDan("12-05-2026");
  EXPECT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(editorText().find(u"nerazumljivo"), std::u16string::npos);
  EXPECT_TRUE(editor().Locked());
  platform.closeWindow(main().form());
  EXPECT_EQ(todayFile(), before);
}

TEST_F(DayOnScreenTest, AnEntryAnotherProgramRewroteWhileOpenIsKeptBesideItAndToldOnce) {
  start();
  for (const char* theirs : {"tuje", "spet tuje"}) {  // a sync tool brings another computer's day, twice
    type(u"moje ");
    addText("12-07-2026", theirs);
    platform.advance(kWait);
  }
  EXPECT_TRUE(todayHolds("moje moje"));
  EXPECT_NE(entry("~12-07-2026 (druga različica 2)").find("spet tuje"), std::string::npos);
  diary->store().Rescan();
  EXPECT_EQ(diary->store().listing().size(), 2u);  // yesterday and today: never a day of its own
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"~12-07-2026 (druga različica)"), std::u16string::npos);
}

TEST_F(DayOnScreenTest, ATodayTooLargeForTheMemoryIsReadOnlyToldAndKeptByteForByte) {
  addText("12-07-2026", std::string(300'000, 'a'));
  memory = 200'000;
  const std::string before = todayFile();
  start();
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"ni dovolj pomnilnika"), std::u16string::npos);
  EXPECT_FALSE(el("BtnKrepko").visible());
  type(u"izgubljeno");
  EXPECT_EQ(editorText(), u"");
  platform.advance(2 * kWait);
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_EQ(todayFile(), before);
}

TEST_F(DayOnScreenTest, ALongDayShowsItsBeginningAtOnceAndWhatIsTypedMeanwhileIsSavedWithAllOfIt) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0 ";
  for (int i = 0; i < 30000; ++i) rtf += "vrstica " + std::to_string(i) + " \\b krepko\\b0\\par\r\n";
  rtf += "\\qc zadnja\\par\r\n}\r\n";
  addEntry("12-07-2026", rtf);
  const rtf::Document whole = rtf::readRtf(rtf);
  for (const bool waitForTheRest : {true, false}) {
    start();
    EXPECT_LT(editorText().size(), whole.text().size() / 10);  // the first screen, at once
    type(u"novo ");
    if (waitForTheRest) {
      platform.advance(2 * kWait);
      EXPECT_EQ(editorText(), u"novo " + whole.text());
    }
    platform.closeWindow(main().form());  // otherwise the rest comes in before the close saves
    const rtf::Document saved = rtf::readRtf(entry("12-07-2026"));
    EXPECT_EQ(saved.text(), u"novo " + whole.text());
    ASSERT_EQ(saved.paragraphs.size(), whole.paragraphs.size());
    EXPECT_TRUE(saved.paragraphs[20000].runs.back().format.bold);
    EXPECT_EQ(saved.paragraphs[30000].alignment, base::Alignment::Center);
    addEntry("12-07-2026", rtf);
  }
}

// Once a long today is all in, the caret waits after its last word, unless
// the user typed or moved it meanwhile: then it stays where the user put it.
TEST_F(DayOnScreenTest, ALongTodayPutsTheCaretAtItsEndOnceAllInUnlessTheUserMovedIt) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0 ";
  for (int i = 0; i < 30000; ++i) rtf += "vrstica " + std::to_string(i) + "\\par\r\n";
  rtf += "}\r\n";
  addEntry("12-07-2026", rtf);
  const size_t whole = rtf::readRtf(rtf).text().size();
  constexpr int kAtTheEnd = -1;
  const struct {
    std::u16string typed;
    int placed;  // where the user put the caret, 0 when left alone
    int caret;
  } cases[] = {{u"", 0, kAtTheEnd}, {u"novo ", 0, 5}, {u"", 3, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caret);
    start();
    ASSERT_LT(editorText().size(), whole / 10);  // still arriving
    main().focusEditor();
    // The user's click in the first line (the editor here places no caret by the pointer).
    if (c.placed) editor().setSelection(c.placed, 0);
    platform.typeText(c.typed);
    platform.advance(2 * kWait);
    ASSERT_EQ(editorText().size(), whole + c.typed.size());
    const int end = static_cast<int>(editor().text().size());
    EXPECT_EQ(editor().selection(), (std::pair{c.caret == kAtTheEnd ? end : c.caret, 0}));
    platform.closeWindow(main().form());
    addEntry("12-07-2026", rtf);
  }
}

// Typing into a long today whose rest the editor then refuses: the file
// keeps the whole day, and the typed words are never let go unasked (each
// close asks; on yes they go into the rescue copy of that day).
TEST_F(DayOnScreenTest, WordsTypedIntoALongDayWhoseRestIsRefusedAreRescuedNotDropped) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0 ";
  for (int i = 0; i < 30000; ++i) rtf += "vrstica " + std::to_string(i) + "\\par\r\n";
  rtf += "}\r\n";
  addEntry("12-07-2026", rtf);
  const std::string onDisk = todayFile();
  start();
  type(u"novo ");
  refusesPieces = true;
  for (const bool yes : {false, false, true}) {
    platform.answerYes = yes;
    platform.closeWindow(main().form());
    EXPECT_TRUE(platform.messages().back().question);
    EXPECT_EQ(diary->ended(), yes);
  }
  EXPECT_EQ(todayFile(), onDisk);
  store::Lines plain;
  store::transform(store::splitLines(dir.read(u8"Podatki rešeno 12-07-2026")), plain);
  EXPECT_NE(store::joinLines(plain).find("novo vrstica 0"), std::string::npos);
}

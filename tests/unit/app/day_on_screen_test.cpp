// The day on screen as the user meets it: what reaches the entry files, what
// the editor lets them do, and what they are told.
#include <stdexcept>

#include "navigation_fixture.h"
#include "rtf/reader.h"

namespace {

// The editor of the tests, with the faults of real ones: a disk that takes
// nothing, and a control reader that dies on deep nesting (as Wine's does at
// 32 groups) or makes nothing of a document.
struct FaultyEditor : textmodel::TextEditor {
  bool* failing;
  bool* readsNothing;
  std::optional<std::string> richText() const override {
    return *failing ? std::nullopt : TextEditor::richText();
  }
  bool setRichText(std::string_view rtf) override {
    if (rtf::groupDepth(rtf) >= 32) throw std::runtime_error("the control's reader crashed");
    return !*readsNothing && TextEditor::setRichText(rtf);
  }
};

class DayOnScreenTest : public NavigationTest {
 protected:
  bool failing = false, readsNothing = false;
  static constexpr char kYesterday[] = "{\\rtf1 yesterday\\par\r\n}\r\n";

  DayOnScreenTest() {
    platform.setEditorFactory([this] {
      auto e = std::make_unique<FaultyEditor>();
      e->failing = &failing;
      e->readsNothing = &readsNothing;
      return e;
    });
    addEntry("12-06-2026", kYesterday);
  }
  std::string todayFile() { return dir.read("Podatki/12-07-2026"); }
};

}  // namespace

TEST_F(DayOnScreenTest, ADayOnlyLookedAtStaysByteForByte) {
  const std::string odd = "{\\rtf1 napisano drugje\\par}   \r\n\r\nostanek";
  addEntry("12-07-2026", odd);
  const std::string before = todayFile();
  start();
  main().Datumi1.IzberiDan("12-06-2026");
  main().Datumi1.IzberiDan("12-07-2026");
  platform.advance(3 * app::DayOnScreen::kAutosaveMs);
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_EQ(todayFile(), before);
}

TEST_F(DayOnScreenTest, TodaysEntryThatCannotBeReadIsShownReadOnlyNeverSavedAndTriedAgain) {
  std::filesystem::create_directories(dir.path() / "Podatki" / "12-07-2026");  // there, but unreadable
  start();
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"Zapisa ni bilo mogoče prebrati"), std::u16string::npos);
  EXPECT_TRUE(main().editor().Locked());
  EXPECT_FALSE(main().BtnKrepko.visible());
  type(u"izgubljeno");
  EXPECT_EQ(editorText(), u"");

  // Readable again: choosing the day again shows it, writable.
  std::filesystem::remove(dir.path() / "Podatki" / "12-07-2026");
  addEntry("12-07-2026", "{\\rtf1 prej\\par\r\n}\r\n");
  main().ShowDay("12-07-2026");
  EXPECT_EQ(editorText(), u"prej");
  EXPECT_FALSE(main().editor().Locked());
}

TEST_F(DayOnScreenTest, TypingIsSavedAFewSecondsAfterItStopsAndWhenTheDiaryIsPutAway) {
  start();
  type(u"a");
  platform.advance(app::DayOnScreen::kAutosaveMs - 100);
  type(u"b");
  platform.advance(app::DayOnScreen::kAutosaveMs - 100);
  EXPECT_EQ(todayFile(), "");  // still typing
  platform.advance(200);
  EXPECT_NE(entry("12-07-2026").find("ab"), std::string::npos);

  type(u"c");
  pressOn(main().BtnMini);  // minimised: saved at once
  EXPECT_NE(entry("12-07-2026").find("abc"), std::string::npos);
}

TEST_F(DayOnScreenTest, AFailingAutosaveIsToldOnceAndKeepsTrying) {
  start();
  failing = true;
  for (const char16_t* words : {u"ena ", u"dva ", u"tri "}) {
    type(words);
    platform.advance(2 * app::DayOnScreen::kAutosaveMs);
  }
  EXPECT_EQ(platform.messages().size(), 1u);
  failing = false;
  platform.advance(app::DayOnScreen::kAutosaveMs);
  EXPECT_NE(entry("12-07-2026").find("ena dva tri"), std::string::npos);
  EXPECT_EQ(platform.messages().size(), 1u);
}

TEST_F(DayOnScreenTest, ClosingWithoutASaveAsksAndOnYesLeavesARescueCopyBesideTheSettings) {
  start();
  type(u"rešite me");
  failing = true;
  platform.closeWindow(main().form());  // default: no
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_TRUE(platform.messages()[0].question);
  EXPECT_FALSE(platform.exitCode());

  // The entry still cannot be replaced (a folder has taken its name); the rescue copy can be written.
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
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 40; ++i) deep += "{\\b ";
  deep += "globoko";
  for (int i = 0; i < 40; ++i) deep += "}";
  deep += "\\par\r\n}\r\n";
  addEntry("12-07-2026", deep);
  addEntry("12-05-2026", "{\\rtf1 nerazumljivo\\par\r\n}\r\n");
  const std::string before = todayFile();
  start();
  EXPECT_EQ(editorText(), u"globoko");
  EXPECT_FALSE(main().editor().Locked());

  readsNothing = true;  // a document the control cannot read is shown as plain text, read-only
  main().Datumi1.IzberiDan("12-05-2026");
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(editorText().find(u"nerazumljivo"), std::u16string::npos);
  EXPECT_TRUE(main().editor().Locked());
  platform.closeWindow(main().form());
  EXPECT_EQ(todayFile(), before);
}

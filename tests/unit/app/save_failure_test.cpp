#include "diary_fixture.h"

namespace {

// An editor whose rich text cannot be written while `failing` is set, as
// when the disk is full or the folder has become read-only.
struct FailingEditor : textmodel::TextEditor {
  bool* failing;
  std::optional<std::string> richText() const override {
    return *failing ? std::nullopt : TextEditor::richText();
  }
};

class SaveFailureTest : public DiaryTest {
 protected:
  bool failing = false;
  void SetUp() override {
    platform.setEditorFactory([this] {
      auto e = std::make_unique<FailingEditor>();
      e->failing = &failing;
      return e;
    });
    addEntry("12-06-2026", "{\\rtf1 yesterday\\par\r\n}\r\n");
    start();
    type(u"ne izgubi me");
    failing = true;
  }
};

}  // namespace

TEST_F(SaveFailureTest, ClosingWhenTheEntryCannotBeSavedSaysSoAndKeepsTheDiaryOpen) {
  platform.closeWindow(main().form());
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].icon, gui::MessageIcon::Exclamation);
  EXPECT_FALSE(platform.exitCode());
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_EQ(editorText(), u"ne izgubi me");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Podatki.ini"));
  // Once the disk takes it again, closing saves and ends as usual.
  failing = false;
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_NE(entry("12-07-2026").find("ne izgubi me"), std::string::npos);
}

TEST_F(SaveFailureTest, ChoosingAnotherDayKeepsTodaysUnsavedTextEditable) {
  days().IzberiDan("12-06-2026");
  EXPECT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(editorText(), u"ne izgubi me");
  EXPECT_FALSE(editor().Locked());
  failing = false;
  days().IzberiDan("12-07-2026");
  days().IzberiDan("12-06-2026");
  EXPECT_NE(entry("12-07-2026").find("ne izgubi me"), std::string::npos);
  EXPECT_TRUE(editor().Locked());
  EXPECT_EQ(platform.messages().size(), 1u);
}

TEST_F(SaveFailureTest, ALogoffWaitsWhileTodaysTextCannotBeSaved) {
  EXPECT_FALSE(platform.endSession());
  EXPECT_FALSE(platform.exitCode());
  failing = false;
  EXPECT_TRUE(platform.endSession());
  EXPECT_NE(entry("12-07-2026").find("ne izgubi me"), std::string::npos);
}

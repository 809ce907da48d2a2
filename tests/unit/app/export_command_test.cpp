#include "diary_fixture.h"
#include "base/cp1250.h"

namespace {

namespace fs = std::filesystem;

class ExportCommandTest : public DiaryTest {
 protected:
  void SetUp() override { addEntry("12-06-2026", "{\\rtf1 v\\'e8eraj\\par\r\n}\r\n"); }
  void startWith(std::vector<std::u16string> args) {
    env.folder = dir.path();
    diary = std::make_unique<app::Pisarion>(platform, env);
    diary->setCommandLine(app::parseCommandLine(args));
    diary->start();
  }
  std::u16string lastMessage() { return platform.messages().empty() ? u"" : platform.messages().back().text; }
};

}  // namespace

TEST_F(ExportCommandTest, CtrlESavesTodayThenExportsWhereTheDialogSays) {
  start();
  type(u"danes");
  platform.saveFileAnswers = {gui::SaveFileAnswer{dir.path() / "izvoz", 2}};  // typed without extension, .txt chosen
  platform.keyDown('E', gui::kCtrl);
  ASSERT_EQ(platform.saveFileRequests().size(), 1u);
  EXPECT_EQ(platform.saveFileRequests()[0].fileName, u"Pisarion.html");
  EXPECT_EQ(platform.saveFileRequests()[0].types.at(1).label, u"Obogateno besedilo (*.rtf)");
  EXPECT_EQ(dir.read("izvoz.txt"),
            "\xEF\xBB\xBFnedelja, 6. december 2026\r\n\r\nvčeraj\r\n\r\n"
            "ponedeljek, 7. december 2026\r\n\r\ndanes\r\n\r\n");
  EXPECT_NE(lastMessage().find(u"izvoz.txt\r\n\r\nV njej sta 2 dneva."), std::u16string::npos);
  EXPECT_EQ(editorText(), u"danes");  // Ctrl+E is not the editor's centring

  platform.keyDown('E', gui::kCtrl);  // cancelled: nothing more written or said
  EXPECT_EQ(platform.messages().size(), 1u);
}

TEST_F(ExportCommandTest, TheQuestionBeforeReplacingIsAskedOfTheNameThatWillBeWritten) {
  dir.write("x.bak.html", "also mine");
  start();
  // "x.bak" typed with the web page chosen: the file would be x.bak.html.
  platform.saveFileAnswers = {gui::SaveFileAnswer{dir.path() / "x.bak", 0}, std::nullopt};
  platform.keyDown('E', gui::kCtrl);
  ASSERT_EQ(platform.messages().size(), 1u);  // No: back to the dialog, which is cancelled
  EXPECT_NE(platform.messages()[0].text.find(u"x.bak.html« že obstaja"), std::u16string::npos);
  EXPECT_EQ(platform.saveFileRequests().size(), 2u);
  EXPECT_EQ(dir.read("x.bak.html"), "also mine");
}

TEST_F(ExportCommandTest, TheCommandLineWritesTheFileWithoutOpeningOrTouchingTheDiary) {
  dir.write("~d.rtf.izvoz.tmp", "an export cut off by a crash");
  dir.write("~moje.tmp", "someone else's");
  startWith({u"/IZVOZ", (dir.path() / "d.html").u16string()});
  EXPECT_EQ(platform.exitCode(), 0);
  ASSERT_EQ(platform.messages().size(), 1u);  // where it went
  EXPECT_NE(lastMessage().find((dir.path() / "d.html").u16string()), std::u16string::npos);
  EXPECT_FALSE(fs::exists(dir.path() / "~d.rtf.izvoz.tmp"));
  EXPECT_EQ(dir.read("~moje.tmp"), "someone else's");
  EXPECT_NE(dir.read("d.html").find("<h2>nedelja, 6. december 2026</h2>"), std::string::npos);
  EXPECT_FALSE(diary->mainLoaded());
  EXPECT_FALSE(fs::exists(dir.path() / "Podatki" / "12-07-2026"));  // no entry made for today
  EXPECT_FALSE(fs::exists(dir.path() / "TMP.tkw"));
}

TEST_F(ExportCommandTest, TheCommandLineEndsWithOneAndSaysWhyWhenNothingWasWritten) {
  const std::pair<std::vector<std::u16string>, std::u16string> cases[] = {
      {{u"/izvoz"}, u"Pisarion.exe /izvoz"},
      {{u"/izvoz", (dir.path() / "d.doc").u16string()}, u"vrsta datoteke ni znana"},
      {{u"/izvoz", (dir.path() / "ni" / "d.rtf").u16string()}, u"ne obstaja"}};
  for (const auto& [args, says] : cases) {
    startWith(args);
    EXPECT_EQ(platform.exitCode(), 1);
    EXPECT_NE(lastMessage().find(says), std::u16string::npos) << base::utf16ToUtf8(lastMessage());
  }
}

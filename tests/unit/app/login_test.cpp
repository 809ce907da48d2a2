#include "diary_fixture.h"
#include "skin/rects.h"

namespace {

class LoginTest : public DiaryTest {
 protected:
  void SetUp() override {
    writeSettings({2220, 1500, false, u"Geslo1"});
    start();
  }
  gui::TextBox& box() { return login().Text1; }
};

}  // namespace

TEST_F(LoginTest, APasswordBringsUpTheLoginFirst) {
  EXPECT_TRUE(window(login().form()).visible());
  EXPECT_FALSE(diary->mainLoaded() && main().form().visible());
  EXPECT_EQ(window(login().form()).bounds().w, 190);
  EXPECT_EQ(window(login().form()).bounds().h, 85);
}

TEST_F(LoginTest, DotsAreCentredWithTheCaretAfterTheLast) {
  EXPECT_FALSE(login().Geslo.visible());
  EXPECT_EQ(login().Picture1.left(), 95);  // empty: the caret stands at the centre
  platform.typeText(u"abc");
  EXPECT_TRUE(login().Geslo.visible());
  EXPECT_EQ(login().Geslo.width(), 30);
  EXPECT_EQ(login().Geslo.left(), 80);
  EXPECT_EQ(login().Picture1.left(), 110);
  EXPECT_EQ(login().Geslo.top(), 35);
  // Each cell of the strip is the dot cell of the skin.
  const gui::Surface shot = platform.shown(login().form());
  EXPECT_EQ(shot.pixel(80 + 5, 35 + 8), diary->PictureGUI.pixel(skin::r::passwordDot.x + 5, skin::r::passwordDot.y + 8));
}

TEST_F(LoginTest, TheBoxRefusesASixteenthCharacter) {
  platform.typeText(u"0123456789abcdefgh");
  EXPECT_EQ(box().text(), u"0123456789abcde");
  EXPECT_EQ(login().Geslo.width(), 150);
}

TEST_F(LoginTest, TheCaretBlinksEveryHalfSecond) {
  platform.typeText(u"a");
  const bool before = login().Picture1.visible();
  platform.advance(500);
  EXPECT_NE(login().Picture1.visible(), before);
  platform.advance(500);
  EXPECT_EQ(login().Picture1.visible(), before);
}

TEST_F(LoginTest, AWrongPasswordSaysSoAndEmptiesTheBoxAndTheCaretStops) {
  platform.typeText(u"geslo1");  // one letter in the other case
  platform.keyDown(gui::kKeyReturn);
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text, u"Geslo je napačno!!!");
  EXPECT_EQ(platform.messages()[0].icon, gui::MessageIcon::Critical);
  EXPECT_EQ(box().text(), u"");
  EXPECT_FALSE(login().Picture1.visible());
  platform.advance(2000);
  EXPECT_FALSE(login().Picture1.visible());
  EXPECT_FALSE(diary->mainLoaded() && main().form().visible());
}

TEST_F(LoginTest, TheRightPasswordOpensTheDiaryAndHidesTheLogin) {
  platform.typeText(u"Geslo1");
  platform.keyDown(gui::kKeyReturn);
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_EQ(window(main().form()).bounds().x, 100);
  EXPECT_EQ(login().mark, "1");
}


TEST_F(LoginTest, MinimisedDiaryComesBackThroughTheLockScreen) {
  platform.typeText(u"Geslo1");
  platform.keyDown(gui::kKeyReturn);
  diary->taskbar().form().setWindowState(gui::kMinimized);
  EXPECT_FALSE(window(main().form()).visible());
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_TRUE(window(login().form()).visible());
  EXPECT_FALSE(window(main().form()).visible());
  EXPECT_EQ(box().text(), u"");
  // Escape on the lock screen leaves the diary in the taskbar…
  platform.keyDown(gui::kKeyEscape);
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_TRUE(window(diary->taskbar().form()).minimized());
  EXPECT_FALSE(platform.exitCode());
  // …and restoring asks again; the right password brings the diary back.
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_TRUE(window(login().form()).visible());
  platform.typeText(u"Geslo1");
  platform.keyDown(gui::kKeyReturn);
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_FALSE(window(login().form()).visible());
}

TEST_F(DiaryTest, WithoutPasswordRestoringFromTheTaskbarShowsTheDiaryAtOnce) {
  start();
  diary->taskbar().form().setWindowState(gui::kMinimized);
  EXPECT_FALSE(window(main().form()).visible());
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_FALSE(window(login().form()).visible());
}

// Escape (true) or closing the login window (false).
class LoginAtStartUpTest : public LoginTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LoginAtStartUpTest, PutAwayEndsTheProgramWithoutWritingAnything) {
  GetParam() ? platform.keyDown(gui::kKeyEscape) : platform.closeWindow(login().form());
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Podatki"));
  EXPECT_EQ(readSettings().password, u"Geslo1");
}

INSTANTIATE_TEST_SUITE_P(EscapeOrClose, LoginAtStartUpTest, ::testing::Bool());

#include <algorithm>

#include "app/frm_obnovitev.h"
#include "app/frm_spremeni_geslo.h"
#include "store/codec.h"
#include "diary_fixture.h"
#include "skin/rects.h"

namespace {

class ChangePasswordTest : public DiaryTest {
 protected:
  // Starts the diary with the password and logs in with it.
  void startWith(const std::u16string& password, bool onTop = false) {
    writeSettings({2220, 1500, onTop, password});
    start();
    if (!password.empty()) {
      platform.typeText(password);
      platform.keyDown(gui::kKeyReturn);
    }
    ASSERT_TRUE(window(main().form()).visible());
  }
  app::frmSpremeniGeslo& dialog() { return diary->spremeniGeslo(); }
  headless::HeadlessWindow& dialogWindow() { return window(dialog().form()); }
  // A click on the main window's password button.
  void clickPasswordButton() {
    const base::Rect r = el("BtnGeslo").screenRect();
    platform.click({r.x + r.w / 2, r.y + r.h / 2});
  }
  void enter(std::u16string_view text) {
    platform.typeText(text);
    platform.keyDown(gui::kKeyReturn);
  }
  // Opens the dialog and gives the current password.
  void openAndConfirm(const std::u16string& current) {
    clickPasswordButton();
    enter(current);
  }
  void closeDiary() {
    main().form().unload();
    ASSERT_TRUE(diary->ended());
  }
  // A new run of the diary in the same folder.
  void restart() {
    diary.reset();
    platform.clearMessages();
    start();
  }
};

}  // namespace

TEST_F(ChangePasswordTest, ThePasswordButtonOpensTheDialogCentredSmallAndTheMainWindowWaits) {
  startWith(u"staro");
  clickPasswordButton();
  headless::HeadlessWindow& w = dialogWindow();
  ASSERT_TRUE(w.visible());
  EXPECT_EQ(w.bounds(), (base::Rect{(1280 - 190) / 2, (1024 - 75) / 2, 190, 75}));
  EXPECT_FALSE(w.topmost());
  EXPECT_FALSE(window(main().form()).enabled());
  EXPECT_EQ(platform.activeForm(), &dialog().form());
  EXPECT_TRUE(dialog().Text1.hasFocus());
  EXPECT_FALSE(dialog().Text2.enabled());
  EXPECT_FALSE(dialog().Text3.enabled());
  // The caret waits at the first field; no dots yet.
  EXPECT_EQ(dialog().Picture1.left(), 94);
  EXPECT_EQ(dialog().Picture1.top(), 24);
  EXPECT_FALSE(dialog().Geslo1.visible());
  // The face is the skin's, and the bottom strip closes it at row 67.
  const gui::Surface shot = platform.shown(dialog().form());
  const gui::Surface& atlas = diary->PictureGUI;
  EXPECT_EQ(shot.pixel(10, 10), atlas.pixel(skin::r::frmSpremeniGeslo.x + 10, skin::r::frmSpremeniGeslo.y + 10));
  EXPECT_EQ(shot.pixel(100, 70), atlas.pixel(skin::r::picSpodaj.x + 100, skin::r::picSpodaj.y + 3));

  // Typing shows centred dots with the caret after them; the box stops at 15.
  platform.typeText(u"abc");
  EXPECT_TRUE(dialog().Geslo1.visible());
  EXPECT_EQ(dialog().Geslo1.width(), 30);
  EXPECT_EQ(dialog().Geslo1.left(), 80);
  EXPECT_EQ(dialog().Picture1.left(), 110);
  EXPECT_EQ(platform.shown(dialog().form()).pixel(85, 24 + 8),
            atlas.pixel(skin::r::passwordDot.x + 5, skin::r::passwordDot.y + 8));
  platform.typeText(u"defghijklmnopqrs");
  EXPECT_EQ(dialog().Text1.text().size(), 15u);
  EXPECT_EQ(dialog().Geslo1.width(), 150);
  // The caret blinks every half second.
  const bool caret = dialog().Picture1.visible();
  platform.advance(500);
  EXPECT_NE(dialog().Picture1.visible(), caret);
}

TEST_F(ChangePasswordTest, WithKeepOnTopTheDialogIsAboveOtherWindowsToo) {
  startWith(u"", true);
  clickPasswordButton();
  EXPECT_TRUE(dialogWindow().topmost());
}

TEST_F(ChangePasswordTest, AWrongCurrentPasswordIsReportedAndItsFieldEmptiedShowingItsLabel) {
  startWith(u"Staro");
  openAndConfirm(u"staro");  // one letter in the other case
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text, u"Geslo ni pravilno!!!");
  EXPECT_EQ(platform.messages()[0].icon, gui::MessageIcon::Exclamation);
  EXPECT_EQ(dialog().Text1.text(), u"");
  EXPECT_FALSE(dialog().Geslo1.visible());
  EXPECT_TRUE(dialog().Text1.enabled());
  EXPECT_FALSE(dialog().Text2.enabled());
  platform.advance(1000);
  EXPECT_EQ(dialogWindow().bounds().h, 75);  // it does not grow
  EXPECT_EQ(diary->state().password(), u"Staro");
}

TEST_F(ChangePasswordTest, TheConfirmedDialogGrowsInEightFramesToShowTheNewFields) {
  startWith(u"staro");
  openAndConfirm(u"staro");
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_FALSE(dialog().Text1.enabled());
  EXPECT_TRUE(dialog().Text2.hasFocus());
  EXPECT_EQ(dialog().Picture1.top(), 75);
  EXPECT_EQ(dialog().Picture1.left(), 94);
  std::vector<int> heights, strips;
  for (int i = 0; i < 9; ++i) {
    platform.advance(50);
    heights.push_back(dialogWindow().bounds().h);
    strips.push_back(dialog().picSpodaj.top());
  }
  EXPECT_EQ(heights, (std::vector<int>{85, 95, 105, 115, 125, 135, 145, 153, 153}));
  EXPECT_EQ(strips, (std::vector<int>{77, 87, 97, 107, 117, 127, 137, 145, 145}));
  // Grown, the face is the skin's whole, down to the bottom strip.
  const gui::Surface shot = platform.shown(dialog().form());
  const gui::Surface& atlas = diary->PictureGUI;
  EXPECT_EQ(shot.pixel(5, 130), atlas.pixel(skin::r::frmSpremeniGeslo.x + 5, skin::r::frmSpremeniGeslo.y + 130));
  EXPECT_EQ(shot.pixel(100, 150), atlas.pixel(skin::r::picSpodaj.x + 100, skin::r::picSpodaj.y + 5));
}

TEST_F(ChangePasswordTest, DifferentNewPasswordsAreReportedAndAskedForAgain) {
  startWith(u"staro");
  openAndConfirm(u"staro");
  platform.advance(1000);
  enter(u"novo1");
  EXPECT_TRUE(dialog().Text3.hasFocus());
  EXPECT_FALSE(dialog().Text2.enabled());
  EXPECT_EQ(dialog().Picture1.top(), 101);
  enter(u"novo2");
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text, u"Gesli se ne ujemata!\r\nPoskusite znova");
  EXPECT_EQ(platform.messages()[0].icon, gui::MessageIcon::Exclamation);
  EXPECT_EQ(dialog().Text2.text(), u"");
  EXPECT_EQ(dialog().Text3.text(), u"");
  EXPECT_FALSE(dialog().Geslo2.visible());
  EXPECT_FALSE(dialog().Geslo3.visible());
  EXPECT_TRUE(dialog().Text2.hasFocus());
  EXPECT_TRUE(dialog().Text2.enabled());
  EXPECT_FALSE(dialog().Text3.enabled());
  EXPECT_EQ(dialog().Picture1.top(), 75);
  EXPECT_EQ(dialog().Picture1.left(), 94);
  EXPECT_TRUE(dialogWindow().visible());
  EXPECT_EQ(diary->state().password(), u"staro");
}

// That the next start asks for the new password is proved end to end.
TEST_F(ChangePasswordTest, ANewPasswordSlidesTheDialogUpAndIsSavedAtOnce) {
  startWith(u"staro");
  openAndConfirm(u"staro");
  platform.advance(1000);
  enter(u"Novo geslo 7");
  enter(u"Novo geslo 7");
  EXPECT_EQ(diary->state().password(), u"Novo geslo 7");
  // A crash from now on keeps it; sealing the diary is offered (and declined here).
  EXPECT_EQ(readSettings().password, u"Novo geslo 7");
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_TRUE(platform.messages()[0].question);
  EXPECT_FALSE(dialog().Timer2.enabled());
  // The change is told for 800 ms, the main window usable from the first
  // frame; then each 50 ms frame moves it 700 twips (47 pixels) up.
  const int top = dialogWindow().bounds().y;
  EXPECT_FALSE(window(main().form()).enabled());
  platform.advance(50);
  EXPECT_TRUE(window(main().form()).enabled());
  platform.advance(750);
  EXPECT_EQ(dialogWindow().bounds().y, top);
  platform.advance(50);
  EXPECT_EQ(dialogWindow().bounds().y, top - 47);
  platform.advance(50);
  EXPECT_EQ(dialogWindow().bounds().y, top - 94);
  platform.advance(2000);
  EXPECT_FALSE(dialogWindow().visible());
  EXPECT_LE(dialogWindow().bounds().y, -153);
  EXPECT_EQ(dialog().Text1.text(), u"");
  EXPECT_EQ(dialog().Text2.text(), u"");
  EXPECT_EQ(dialog().Text3.text(), u"");
  closeDiary();
  EXPECT_EQ(readSettings().password, u"Novo geslo 7");
}

TEST_F(ChangePasswordTest, AnEmptyNewPasswordGivenTwiceRemovesThePassword) {
  startWith(u"staro");
  openAndConfirm(u"staro");
  platform.advance(1000);
  platform.keyDown(gui::kKeyReturn);
  platform.keyDown(gui::kKeyReturn);
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_EQ(diary->state().password(), u"");
  platform.advance(2000);
  closeDiary();
  EXPECT_EQ(readSettings().password, u"");
  restart();
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_TRUE(window(main().form()).visible());
}

TEST_F(ChangePasswordTest, EscapeInAnyFieldSlidesTheDialogDownAndKeepsThePassword) {
  startWith(u"staro");
  // 0: while asking for the current password; 1: in the new one; 2: in the repeat.
  for (int step = 0; step < 3; ++step) {
    SCOPED_TRACE(step);
    clickPasswordButton();
    if (step >= 1) enter(u"staro");
    platform.advance(1000);
    if (step >= 1) platform.typeText(u"drugo");
    if (step == 2) enter(u"drugo");
    platform.keyDown(gui::kKeyEscape);
    const int top = dialogWindow().bounds().y;
    platform.advance(50);
    EXPECT_TRUE(window(main().form()).enabled());
    EXPECT_EQ(dialogWindow().bounds().y, top + 47);
    // Keys while it leaves change nothing.
    platform.keyDown(gui::kKeyReturn);
    platform.advance(2000);
    EXPECT_FALSE(dialogWindow().visible());
    EXPECT_GE(dialogWindow().bounds().y, 1024);
    EXPECT_EQ(diary->state().password(), u"staro");
    EXPECT_TRUE(platform.messages().empty());
  }
  // Opened again it is as new: centred, small, asking for the current password.
  clickPasswordButton();
  EXPECT_EQ(dialogWindow().bounds(), (base::Rect{545, 474, 190, 75}));
  EXPECT_TRUE(dialog().Text1.enabled());
  EXPECT_TRUE(dialog().Text1.hasFocus());
  EXPECT_FALSE(dialog().Text2.enabled());
  EXPECT_FALSE(dialog().Text3.enabled());
  EXPECT_EQ(dialog().Text1.text(), u"");
  EXPECT_FALSE(dialog().Geslo1.visible());
  EXPECT_EQ(dialog().Picture1.top(), 24);
  EXPECT_TRUE(dialog().Timer2.enabled());
  closeDiary();
  EXPECT_EQ(readSettings().password, u"staro");
}

TEST_F(ChangePasswordTest, ClosingTheDialogFromTheSystemCancelsIt) {
  startWith(u"");
  clickPasswordButton();
  platform.closeWindow(dialog().form());
  platform.advance(2000);
  EXPECT_FALSE(dialogWindow().visible());
  EXPECT_TRUE(window(main().form()).enabled());
}

TEST_F(ChangePasswordTest, APressOnANewPasswordRowChoosesThatField) {
  startWith(u"");
  openAndConfirm(u"");
  platform.advance(1000);
  platform.typeText(u"ab");
  const base::Rect d = dialogWindow().bounds();
  // Outside columns 18 to 172 nothing changes.
  platform.click({d.x + 17, d.y + 108});
  platform.click({d.x + 173, d.y + 108});
  EXPECT_TRUE(dialog().Text2.hasFocus());
  platform.click({d.x + 18, d.y + 100});
  EXPECT_TRUE(dialog().Text3.hasFocus());
  EXPECT_FALSE(dialog().Text2.enabled());
  EXPECT_EQ(dialog().Picture1.top(), 101);
  EXPECT_EQ(dialog().Picture1.left(), 94);
  platform.typeText(u"x");
  // A press on the dots of the new password goes back to it, the caret after them.
  platform.click({d.x + 95, d.y + 80});
  EXPECT_TRUE(dialog().Text2.hasFocus());
  EXPECT_FALSE(dialog().Text3.enabled());
  EXPECT_EQ(dialog().Picture1.top(), 75);
  EXPECT_EQ(dialog().Picture1.left(), 105);
  EXPECT_EQ(dialog().Text2.text(), u"ab");
  EXPECT_EQ(dialog().Text3.text(), u"x");
}

TEST_F(ChangePasswordTest, ActivatingTheMainWindowOrTheTaskbarButtonFocusesTheOpenDialog) {
  startWith(u"");
  clickPasswordButton();
  main().form().activate();
  EXPECT_EQ(platform.activeForm(), &dialog().form());
  diary->taskbar().form().activate();
  EXPECT_EQ(platform.activeForm(), &dialog().form());
  platform.keyDown(gui::kKeyEscape);
  platform.advance(2000);
  // Once it is gone the main window takes the focus again.
  diary->taskbar().form().activate();
  EXPECT_EQ(platform.activeForm(), &main().form());
  main().form().activate();
  EXPECT_EQ(platform.activeForm(), &main().form());
}

TEST_F(ChangePasswordTest, CharactersTheSettingsFileCannotHoldAreRefusedSoThePasswordSurvives) {
  startWith(u"");
  openAndConfirm(u"");
  platform.advance(1000);
  // Cyrillic and CJK letters are not in code page 1250; Slovenian and
  // Central European letters are, including those that encode to CR and LF.
  platform.typeText(u"čžжŠ漢Ťš €");
  EXPECT_EQ(dialog().Text2.text(), u"čžŠŤš €");
  platform.keyDown(gui::kKeyReturn);
  enter(u"čžжŠ漢Ťš €");
  EXPECT_EQ(diary->state().password(), u"čžŠŤš €");
  platform.advance(2000);
  closeDiary();
  restart();
  ASSERT_TRUE(window(login().form()).visible());
  enter(u"čžŠŤš €");
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_TRUE(window(main().form()).visible());
}

namespace {

// Every file under the folder, raw and with the keyless decoding: none may
// hold any of the secrets.
void expectNowhere(const std::filesystem::path& folder, const std::vector<std::string>& secrets) {
  for (const auto& f : std::filesystem::recursive_directory_iterator(folder)) {
    if (!f.is_regular_file()) continue;
    std::string raw = store::readFile(f.path()).value_or(""), flipped = raw;
    store::flipTopBits(flipped);
    for (const std::string& s : secrets) {
      EXPECT_EQ(raw.find(s), std::string::npos) << f.path() << " holds " << s;
      EXPECT_EQ(flipped.find(s), std::string::npos) << f.path() << " holds " << s << " (decoded)";
    }
  }
}

}  // namespace

TEST_F(ChangePasswordTest, ASealedDiaryKeepsNothingReadableAndOpensWithThePasswordOrTheRecoveryCode) {
  addEntry("11-03-2026", "{\\rtf1 Skrivnost novembra}\r\n");
  startWith(u"staro");
  type(u"Danes skrivno");
  platform.answerYes = true;
  openAndConfirm(u"staro");
  platform.advance(1000);
  enter(u"Geslo7");
  enter(u"Geslo7");
  // Asked once, Enter meaning yes.
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].byDefault, gui::DefaultAnswer::Yes);
  app::frmObnovitev& shown = diary->recoveryWindow();
  ASSERT_TRUE(window(shown.form()).visible());
  const std::u16string code = shown.lblKoda.text();
  EXPECT_EQ(code.size(), 29u);
  platform.keyDown('C', gui::kCtrl);  // Kopiraj, by keys
  EXPECT_EQ(platform.clipboardText, code);
  const gui::AccNode heard = shown.form().describe();  // a reader can read the code out
  EXPECT_TRUE(std::any_of(heard.children.begin(), heard.children.end(),
                          [&](const gui::AccNode& n) { return n.name == u"Obnovitvena koda" && n.value == code; }));
  platform.keyDown(gui::kKeyReturn);
  EXPECT_FALSE(window(shown.form()).visible());
  platform.advance(3000);
  closeDiary();
  expectNowhere(dir.path(), {"Skrivnost", "skrivno", "Geslo7", "staro"});
  EXPECT_TRUE(readSettings().password.empty());

  // The old password opens nothing; the new one opens every day.
  restart();
  enter(u"staro");
  EXPECT_FALSE(window(main().form()).visible());
  enter(u"Geslo7");
  ASSERT_TRUE(window(main().form()).visible());
  EXPECT_EQ(editorText(), u"Danes skrivno");
  closeDiary();

  // The recovery code as typed opens it and asks for a new password at once.
  restart();
  std::u16string typed;
  for (char16_t c : code)
    if (c != u'-') typed += static_cast<char16_t>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
  enter(typed);
  ASSERT_TRUE(window(main().form()).visible());
  ASSERT_TRUE(dialogWindow().visible());
  EXPECT_TRUE(dialog().Text2.hasFocus());
  enter(u"Tretje");
  enter(u"Tretje");
  platform.advance(3000);
  closeDiary();
  restart();
  enter(u"Geslo7");
  EXPECT_FALSE(window(main().form()).visible());
  enter(u"Tretje");
  EXPECT_TRUE(window(main().form()).visible());
  expectNowhere(dir.path(), {"Skrivnost", "skrivno", "Tretje"});

  // An empty new password twice, and yes: every day keyless again, the key
  // file gone, and the next start needs no password.
  openAndConfirm(u"Tretje");
  platform.advance(1000);
  platform.keyDown(gui::kKeyReturn);
  platform.keyDown(gui::kKeyReturn);
  platform.advance(3000);
  closeDiary();
  EXPECT_EQ(platform.messages().back().text, u"Dnevnik je odšifriran.");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / store::kKeyFileName));
  std::string november = store::readFile(dir.path() / "Podatki" / "11-03-2026").value_or("");
  store::flipTopBits(november);
  EXPECT_NE(november.find("Skrivnost novembra"), std::string::npos);
  restart();
  ASSERT_TRUE(window(main().form()).visible());
  EXPECT_EQ(editorText(), u"Danes skrivno");
}

// Keys and focus: the hidden password box, key handlers, focus changes,
// keys going to the active window, and typing into the editor's host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

using namespace gui;
using headless::HeadlessPlatform;

namespace {

// Just enough of an editor to watch typing reach it.
class FakeEditor : public Editor {
 public:
  std::optional<std::string> richText() const override { return std::nullopt; }
  bool setRichText(std::string_view) override { return false; }
  bool appendRichText(std::string_view) override { return false; }
  bool modified() const override { return false; }
  void setModified(bool) override {}
  std::u16string text() const override { return m_text; }
  void setText(std::u16string_view t) override { m_text = t; m_start = int(m_text.size()); m_length = 0; }
  bool Locked() const override { return m_locked; }
  void setLocked(bool l) override { m_locked = l; }
  Tri SelBold() const override { return Tri::False; }
  void setSelBold(bool) override {}
  Tri SelItalic() const override { return Tri::False; }
  void setSelItalic(bool) override {}
  Tri SelUnderline() const override { return Tri::False; }
  void setSelUnderline(bool) override {}
  std::optional<base::Alignment> SelAlignment() const override { return base::Alignment::Left; }
  void setSelAlignment(base::Alignment) override {}
  std::optional<base::Color> SelColor() const override { return base::Color{}; }
  void setSelColor(base::Color) override {}
  std::optional<double> SelFontSize() const override { return 9; }
  void setSelFontSize(double) override {}
  void setFont(const FontSpec&) override {}
  void setSelection(int start, int length) override { m_start = start; m_length = length; }
  std::pair<int, int> selection() const override { return {m_start, m_length}; }
  void cut() override {}
  void copy() override {}
  void paste() override {}
  void replaceSelection(std::u16string_view t) override {
    m_text.replace(m_start, m_length, t);
    m_start += int(t.size());
    m_length = 0;
  }

 private:
  std::u16string m_text;
  int m_start = 0, m_length = 0;
  bool m_locked = false;
};

class LoginTest : public ::testing::Test {
 protected:
  LoginTest() {
    form.setPixelBounds({400, 300, 230, 80});
    text1.move(0, 100, 50, 20);  // below the visible face, never seen
    text1.setMaxLength(15);
    text1.onChange = [this] { changes.push_back(text1.text()); };
    text1.onKeyDown = [this](int key, int) { keys.push_back(key); };
    form.show();
    text1.setFocus();
  }
  HeadlessPlatform platform;
  Form form{platform, "frmGeslo"};
  TextBox& text1 = form.add<TextBox>("Text1");
  std::vector<std::u16string> changes;
  std::vector<int> keys;
};

}  // namespace

TEST_F(LoginTest, HiddenBoxTakesFifteenCharactersAndBackspace) {
  platform.typeText(u"geslo");
  EXPECT_EQ(text1.text(), u"geslo");
  EXPECT_EQ(changes.size(), 5u);
  EXPECT_EQ(keys, (std::vector<int>{'G', 'E', 'S', 'L', 'O'}));
  platform.typeText(u"čšž0123456789XY");  // reaches 20 typed characters
  EXPECT_EQ(text1.text(), u"gesločšž0123456");
  EXPECT_EQ(text1.text().size(), 15u);
  EXPECT_EQ(changes.size(), 15u) << "refused characters change nothing";
  platform.keyDown(kKeyBack);
  EXPECT_EQ(text1.text(), u"gesločšž012345");
  // Enter and Escape reach the key handler and type nothing.
  keys.clear();
  platform.keyDown(kKeyReturn);
  platform.keyDown(kKeyEscape);
  EXPECT_EQ(keys, (std::vector<int>{kKeyReturn, kKeyEscape}));
  EXPECT_EQ(text1.text(), u"gesločšž012345");
  text1.setText(u"");
  platform.keyDown(kKeyBack);
  EXPECT_EQ(text1.text(), u"");
}

TEST_F(LoginTest, KeyPressHandlerCanSwallowACharacter) {
  text1.onKeyPress = [](char16_t& ch) {
    if (ch == u'x') ch = 0;
    if (ch == u'a') ch = u'A';
  };
  platform.typeText(u"axb");
  EXPECT_EQ(text1.text(), u"Ab");
}

TEST_F(LoginTest, FocusDecidesWhereKeysGo) {
  std::vector<std::string> seen;
  std::u16string formKeys;
  form.onKeyPress = [&](char16_t& ch) { formKeys += ch; };
  text1.onGotFocus = [&] { seen.push_back("got"); };
  text1.onLostFocus = [&] { seen.push_back("lost"); };
  auto& face = form.add<PictureBox>("picFace");
  face.move(0, 0, 230, 80);
  // A click on a picture does not take the keys away from the box.
  platform.click({410, 310});
  platform.typeText(u"a");
  EXPECT_EQ(text1.text(), u"a");
  form.setFocus(nullptr);
  platform.typeText(u"b");
  EXPECT_EQ(formKeys, u"b");
  text1.setFocus();
  EXPECT_EQ(seen, (std::vector<std::string>{"lost", "got"}));
  // A hidden focused box passes the keys to the form.
  text1.setVisible(false);
  platform.typeText(u"c");
  EXPECT_EQ(formKeys, u"bc");
  EXPECT_EQ(text1.text(), u"a");
}

TEST_F(LoginTest, KeysGoToTheActiveWindowOnly) {
  Form other(platform, "frmMain");
  std::u16string otherKeys;
  other.onKeyPress = [&](char16_t& ch) { otherKeys += ch; };
  other.setPixelBounds({0, 0, 100, 100});
  other.show();
  EXPECT_EQ(platform.activeForm(), &other);
  platform.typeText(u"x");
  EXPECT_EQ(otherKeys, u"x");
  EXPECT_EQ(text1.text(), u"");
  platform.click({410, 310});
  EXPECT_EQ(platform.activeForm(), &form) << "a click activates the window under it";
  platform.typeText(u"y");
  EXPECT_EQ(text1.text(), u"y");
  // Disabled: keys are lost rather than going elsewhere.
  form.setEnabled(false);
  platform.typeText(u"z");
  EXPECT_EQ(text1.text(), u"y");
  EXPECT_EQ(otherKeys, u"x");
  // Hiding the active window activates the next one.
  form.setEnabled(true);
  form.hide();
  EXPECT_EQ(platform.activeForm(), &other);
}

TEST(EditorHost, PressingTheEditorFocusesItAndTypingEditsIt) {
  HeadlessPlatform platform;
  platform.setEditorFactory([] { return std::make_unique<FakeEditor>(); });
  Form main(platform, "frmMain");
  main.setPixelBounds({0, 0, 596, 567});
  auto& frame = main.add<PictureBox>("PicText");
  frame.move(9, 60, 400, 500);
  auto& host = frame.add<Host>("Editor");
  host.move(3, 3, 394, 494);
  host.attach(platform.createEditor(main, host.formRect()));
  ASSERT_EQ(platform.editors().size(), 1u);
  EXPECT_EQ(platform.editors()[0].rect, (Rect{12, 63, 394, 494}));
  main.show();
  platform.click({100, 100});
  EXPECT_EQ(main.focused(), &host);
  platform.typeText(u"Dan");
  platform.keyDown(kKeyBack);
  platform.keyDown(kKeyReturn);
  platform.typeText(u"č");
  EXPECT_EQ(host.editor()->text(), u"Da\rč");
  host.editor()->setLocked(true);
  platform.typeText(u"x");
  EXPECT_EQ(host.editor()->text(), u"Da\rč") << "a read-only day takes no typing";
}

TEST(EditorHost, ShortcutsReachTheWindowBeforeTheEditor) {
  HeadlessPlatform platform;
  platform.setEditorFactory([] { return std::make_unique<FakeEditor>(); });
  Form main(platform, "frmMain");
  main.setPixelBounds({0, 0, 300, 300});
  auto& host = main.add<Host>("Editor");
  host.move(0, 0, 300, 300);
  host.attach(platform.createEditor(main, host.formRect()));
  std::vector<int> taken;
  main.onShortcut = [&](int key, int) {
    if (key != 'F') return false;
    taken.push_back(key);
    return true;
  };
  main.show();
  platform.click({100, 100});
  platform.keyDown('F', kCtrl);
  platform.keyDown('G', kCtrl);
  platform.keyDown('F');
  EXPECT_EQ(taken, std::vector<int>{'F'}) << "only Ctrl keys are shortcuts";
  platform.typeText(u"ab");
  EXPECT_EQ(host.editor()->text(), u"ab") << "a shortcut types nothing into the editor";
}

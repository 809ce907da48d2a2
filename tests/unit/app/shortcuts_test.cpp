// The Ctrl keys of the caption buttons, the alignment and the password
// window: what the user sees after each, and what the diary saves.
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include "navigation_fixture.h"
#include "skin/rects.h"

namespace {

using Keys = std::vector<std::pair<int, int>>;
constexpr int C = gui::kCtrl, CS = gui::kCtrl | gui::kShift;
enum class Shows { Main, Clock, Nothing };

struct Shortcut {
  const char* name;
  Keys keys;
  Shows shows;
  bool running;  // false: the diary has closed
  bool passwordWindow;
  bool onTop;  // the window above the others, and so in the settings
  base::Alignment face;  // the alignment button's face
  const char* savedMark;  // today's file holds it, or no alignment mark at all
};

class ShortcutsTest : public NavigationTest, public ::testing::WithParamInterface<Shortcut> {};

TEST_P(ShortcutsTest, DoesWhatItsButtonDoes) {
  const Shortcut& c = GetParam();
  writeSettings({100, 100, false, u""});
  start();
  type(u"Lep dan.");
  for (auto [key, shift] : c.keys) {
    platform.keyDown(key, shift);
    platform.advance(500);
  }
  const bool mainShown = window(main().form()).visible(), clockShown = window(diary->mini().form()).visible();
  if (c.running) {
    EXPECT_EQ(mainShown ? Shows::Main : clockShown ? Shows::Clock : Shows::Nothing, c.shows) << c.name;
  }
  EXPECT_EQ(!platform.exitCode().has_value(), c.running) << c.name;
  EXPECT_EQ(window(diary->spremeniGeslo().form()).visible(), c.passwordWindow) << c.name;
  EXPECT_EQ(readSettings().onTop, c.onTop) << c.name;
  if (c.running) {
    EXPECT_TRUE(shows(el("BtnPoravnaj").surface(), skin::toolbarFace(skin::poravnajFace(c.face), skin::Row::Rest)))
        << c.name;
    // No key typed its control character into the text.
    EXPECT_EQ(editorText(), u"Lep dan.") << c.name;
    if (mainShown) {
      EXPECT_EQ(window(main().form()).topmost(), c.onTop) << c.name;
    }
    if (!mainShown && !clockShown) platform.restoreFromTaskbar(diary->taskbar().form());
    if (c.passwordWindow) {  // it keeps the keys till it has slid away
      platform.keyDown(gui::kKeyEscape);
      platform.advance(3000);
    }
    platform.keyDown('W', C);
    EXPECT_EQ(platform.exitCode(), 0) << c.name;
  }
  const std::string saved = entry("12-07-2026");
  EXPECT_NE(saved.find("Lep dan."), std::string::npos) << c.name;
  for (const char* mark : {"\\qr", "\\qc", "\\qj"})
    EXPECT_EQ(saved.find(mark) != std::string::npos, c.savedMark && std::string(mark) == c.savedMark)
        << c.name << ": " << mark << " in " << saved;
}

using A = base::Alignment;
const Shortcut kShortcuts[] = {
    {"Ctrl+M folds into the clock", {{'M', C}}, Shows::Clock, true, false, false, A::Left, nullptr},
    {"Ctrl+M on the clock unfolds", {{'M', C}, {'M', C}}, Shows::Main, true, false, false, A::Left, nullptr},
    {"Ctrl+W on the clock closes", {{'M', C}, {'W', C}}, Shows::Nothing, false, false, false, A::Left, nullptr},
    {"Ctrl+Shift+M minimises", {{'M', CS}}, Shows::Nothing, true, false, false, A::Left, nullptr},
    {"Ctrl+T keeps on top", {{'T', C}}, Shows::Main, true, false, true, A::Left, nullptr},
    {"Ctrl+T twice", {{'T', C}, {'T', C}}, Shows::Main, true, false, false, A::Left, nullptr},
    {"Ctrl+W closes", {{'W', C}}, Shows::Nothing, false, false, false, A::Left, nullptr},
    {"Ctrl+G asks for the new password", {{'G', C}}, Shows::Main, true, true, false, A::Left, nullptr},
    {"Ctrl+R aligns right", {{'R', C}}, Shows::Main, true, false, false, A::Right, "\\qr"},
    {"Ctrl+Shift+E centres", {{'E', CS}}, Shows::Main, true, false, false, A::Center, "\\qc"},
    {"Ctrl+L aligns left again", {{'R', C}, {'L', C}}, Shows::Main, true, false, false, A::Left, nullptr},
    {"Ctrl+J neither justifies nor types", {{'J', C}}, Shows::Main, true, false, false, A::Left, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Main, ShortcutsTest, ::testing::ValuesIn(kShortcuts));

}  // namespace

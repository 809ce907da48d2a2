// Where the main window's keys are, as the user sees it: the ring round the
// part that has them, what typing does, the page's colour, Escape.
#include "controls/row_list.h"
#include "navigation_fixture.h"
#include "skin/atlas.h"
#include "skin/skinned_button.h"

namespace {

// Steps: a key ("Tab", "S-Tab", "Up", "Down", "Enter", "Esc"), a click on an
// element ("@lblLeto") or on a row of a list ("@cmbLeta#1").
struct Story {
  const char* name;
  std::vector<std::string> steps;
  const char* ringed;
  std::u16string textAfterTyping;  // "abc" is typed last
};

class KeysTest : public NavigationTest {
 protected:
  gui::Element& part(const std::string& name) { return *main().form().find(name); }
  // On all four sides a deep-blue line two pixels out from the part, apart
  // from the part's own outline by a line of the body colour.
  // A toolbar button's ring lies that much further in, inside its edge.
  bool ringed(const char* name, int inside = 0) {
    const gui::Surface& s = platform.shown(main().form());
    const gui::Rect r = part(name).formRect();
    for (auto [d, colour] : {std::pair{1 - inside, skin::kBodyColor}, std::pair{2 - inside, skin::kDeepBlue}})
      for (base::Point p : {base::Point{r.x - d, r.y + r.h / 2}, base::Point{r.x + r.w - 1 + d, r.y + r.h / 2},
                            base::Point{r.x + r.w / 2, r.y - d}, base::Point{r.x + r.w / 2, r.y + r.h - 1 + d}})
        if (s.pixel(p.x, p.y) != colour) return false;
    return true;
  }
  void step(const std::string& s) {
    static const std::map<std::string, std::pair<int, int>> keys{
        {"Tab", {gui::kKeyTab, 0}}, {"S-Tab", {gui::kKeyTab, gui::kShift}}, {"Up", {gui::kKeyUp, 0}},
        {"Down", {gui::kKeyDown, 0}}, {"Enter", {gui::kKeyReturn, 0}}, {"Esc", {gui::kKeyEscape, 0}},
        {"Left", {gui::kKeyLeft, 0}}, {"Right", {gui::kKeyRight, 0}}, {"Space", {gui::kKeySpace, 0}}};
    if (s[0] != '@') return platform.keyDown(keys.at(s).first, keys.at(s).second);
    const size_t hash = s.find('#');
    if (hash == std::string::npos) return clickOn(part(s.substr(1)));
    clickRow(static_cast<controls::RowList&>(part(s.substr(1, hash - 1))), std::stoi(s.substr(hash + 1)));
  }
};

class KeyboardTest : public KeysTest, public ::testing::WithParamInterface<Story> {};

TEST_P(KeyboardTest, TheKeysGoWhereTheRingShows) {
  const Story& story = GetParam();
  addText("11-02-2026", "november");
  addText("12-06-2026", "sesti");
  start();
  for (const std::string& s : story.steps) step(s);
  for (const char* name : {"PicText", "PicDatumi", "PicLeto", "PicMesec"})
    EXPECT_EQ(ringed(name), std::string(name) == story.ringed) << story.name << ": " << name;
  // A page that cannot be written is pale blue and shows no caret.
  const bool today = !editor().Locked();
  EXPECT_EQ(platform.shown(main().form()).pixel(200, 450), today ? base::Color::rgb(255, 255, 255) : skin::kPaleBlue);
  EXPECT_EQ(platform.editors().back().look->caret, today);
  platform.typeText(u"abc");
  EXPECT_EQ(editorText(), story.textAfterTyping) << story.name;
}

INSTANTIATE_TEST_SUITE_P(
    Main, KeyboardTest,
    ::testing::Values(Story{"at the start", {}, "PicText", u"abc"}, Story{"Tab", {"Tab"}, "PicDatumi", u""},
                      Story{"Tab, Up: yesterday", {"Tab", "Up"}, "PicDatumi", u"sesti"},
                      Story{"Tab twice", {"Tab", "Tab"}, "PicLeto", u""},
                      Story{"three times", {"Tab", "Tab", "Tab"}, "PicMesec", u""},
                      Story{"six: round again", {"Tab", "Tab", "Tab", "Tab", "Tab", "Tab"}, "PicText", u"abc"},
                      Story{"Shift+Tab past the toolbar and the caption", {"S-Tab", "S-Tab", "S-Tab"}, "PicMesec", u""},
                      Story{"keys open the year list, Esc", {"Tab", "Tab", "Down", "Esc"}, "PicLeto", u""},
                      Story{"keys choose november, then december again, then its first day",
                            {"Tab", "Tab", "Tab", "Down", "Up", "Enter", "Down", "Down", "Enter", "S-Tab", "S-Tab", "Down"},
                            "PicDatumi", u"sesti"},
                      Story{"a past day clicked", {"@Datumi1#1"}, "PicText", u"sesti"},
                      Story{"a month clicked", {"@lblMesec", "@cmbMesci#2"}, "PicText", u"abc"}));

// The click that opens a list or a menu, and the box or panel it hangs from.
class EscapeTest : public KeysTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(EscapeTest, ClosesWhatIsOpen) {
  start();
  const auto [opener, panel] = GetParam();
  const gui::Rect r = part(panel).formRect();
  const gui::Surface before = platform.shown(main().form());
  const auto asBefore = [&] {  // below the ring round the box the list hangs from
    const gui::Surface& now = platform.shown(main().form());
    for (int y = r.y + 6; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        if (now.pixel(x, y) != before.pixel(x, y)) return false;
    return true;
  };
  step(opener);
  EXPECT_FALSE(asBefore()) << panel << " did not open";
  platform.keyDown(gui::kKeyEscape);
  platform.advance(200);
  EXPECT_TRUE(asBefore()) << panel;
  // The editor's window, cut while a menu lay over it, shows whole again.
  EXPECT_EQ(platform.editors().back().visible, gui::Region(gui::Rect{0, 0, text().width(), text().height()}));
}

INSTANTIATE_TEST_SUITE_P(Main, EscapeTest,
                         ::testing::Values(std::pair{"@lblLeto", "PiccmbLeta"}, std::pair{"@lblMesec", "PicCmbMesci"},
                                           std::pair{"@BtnPoravnaj", "mnuPoravnaj"},
                                           std::pair{"@BtnSpremeniBarvo", "mnuSpremniBarvo"},
                                           std::pair{"@BtnSpremeniVelikost", "mnuSpremeniVelikost"}));

// After a click on a toolbar button or menu the pointer rests on the next
// button, its tip showing, so the tooltip has the window subclassed while
// the keys come: they still go to the diary's shortcuts.
class AfterToolbarClickTest : public KeysTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(AfterToolbarClickTest, TabCtrlFAndCtrlBStillWork) {
  start();
  const auto [button, next] = GetParam();
  platform.typeText(u"Besedilo");
  clickOn(part(button));
  platform.keyDown(gui::kKeyEscape);  // an open menu closes
  pointAt(part(next));
  platform.advance(1000);
  ASSERT_FALSE(platform.toolTip(main().form()).value_or(headless::HeadlessPlatform::ToolTipTool{}).text.empty());
  platform.keyDown(gui::kKeyTab);
  EXPECT_TRUE(ringed("PicDatumi"));
  platform.keyDown(gui::kKeyTab, gui::kShift);
  EXPECT_TRUE(ringed("PicText"));
  platform.keyDown('F', gui::kCtrl);
  EXPECT_TRUE(el<gui::EditBox>("txtSearch").hasFocus());
  platform.keyDown(gui::kKeyEscape);
  EXPECT_FALSE(el<gui::EditBox>("txtSearch").hasFocus());
  const gui::Tri bold = editor().SelBold();
  platform.keyDown('B', gui::kCtrl);
  EXPECT_NE(editor().SelBold(), bold);
  EXPECT_EQ(editorText(), u"Besedilo");  // no tab typed, nothing replaced
}

INSTANTIATE_TEST_SUITE_P(Toolbar, AfterToolbarClickTest,
                         ::testing::Values(std::pair{"BtnKrepko", "BtnLežeče"}, std::pair{"BtnLežeče", "BtnPodčrtano"},
                                           std::pair{"BtnPodčrtano", "BtnPoravnaj"},
                                           std::pair{"BtnPoravnaj", "BtnSpremeniBarvo"},
                                           std::pair{"BtnSpremeniBarvo", "BtnSpremeniVelikost"},
                                           std::pair{"BtnSpremeniVelikost", "BtnKrepko"}));

// The toolbar and the caption buttons by keys: where the ring is (inside a
// toolbar button's edge), which menu is open, what reached today's text.
struct ButtonStory {
  std::vector<std::string> steps;
  const char* ringed;
  const char* openMenu = "";
  bool bold = false;
  base::Alignment alignment = base::Alignment::Left;
  double size = 9;
  base::Color colour = base::Color::rgb(0, 0, 0);
  bool onTop = false;
};

class ToolbarKeysTest : public KeysTest, public ::testing::WithParamInterface<ButtonStory> {};

TEST_P(ToolbarKeysTest, TheArrowsWalkTheButtonsAndTheirMenus) {
  const ButtonStory& story = GetParam();
  start();
  for (const std::string& s : story.steps) step(s);
  platform.advance(200);
  for (const char* name : {"PicText", "PicDatumi", "PicLeto", "PicMesec", "BtnZloži", "BtnVednoNaVrhu", "BtnMini",
                           "BtnZapri", "BtnGeslo", "BtnKrepko", "BtnLežeče", "BtnPodčrtano", "BtnPoravnaj",
                           "BtnSpremeniBarvo", "BtnSpremeniVelikost"}) {
    const bool toolbar = part(name).top() == skin::kToolbarTop;
    EXPECT_EQ(ringed(name, toolbar ? 2 : 0), std::string(name) == story.ringed) << name;
  }
  for (const char* menu : {"mnuPoravnaj", "mnuSpremniBarvo", "mnuSpremeniVelikost"})
    EXPECT_EQ(part(menu).visible(), std::string(menu) == story.openMenu) << menu;
  EXPECT_EQ(gui::isTrue(editor().SelBold()), story.bold);
  EXPECT_EQ(editor().SelAlignment(), story.alignment);
  EXPECT_EQ(editor().SelFontSize(), story.size);
  EXPECT_EQ(editor().SelColor(), story.colour);
  EXPECT_EQ(window(main().form()).topmost(), story.onTop);
}

using A = base::Alignment;
INSTANTIATE_TEST_SUITE_P(
    Main, ToolbarKeysTest,
    ::testing::Values(ButtonStory{{"S-Tab"}, "BtnGeslo"},  // the toolbar lies above the editor
                      ButtonStory{{"Tab", "Tab", "Tab", "Tab"}, "BtnZloži"},
                      ButtonStory{{"S-Tab", "Left"}, "BtnSpremeniVelikost"},  // round the end
                      ButtonStory{{"S-Tab", "Right", "Space"}, "BtnKrepko", "", true},
                      ButtonStory{{"S-Tab", "Left", "Left", "Left", "Enter", "Right", "Enter"}, "BtnPoravnaj", "",
                                  false, A::Center},
                      ButtonStory{{"S-Tab", "Left", "Down", "Down", "Enter"}, "BtnSpremeniVelikost", "", false,
                                  A::Left, 10},  // it opens on 9, the size in use
                      ButtonStory{{"S-Tab", "Left", "Down", "Down", "Esc"}, "BtnSpremeniVelikost"},
                      // The colours open on black in the bottom row; Up goes a row up.
                      ButtonStory{{"S-Tab", "Left", "Left", "Enter", "Up", "Space"}, "BtnSpremeniBarvo", "", false,
                                  A::Left, 9, base::Color::rgb(64, 64, 64)},
                      ButtonStory{{"S-Tab", "Left", "Left", "Down", "Right"}, "BtnSpremeniBarvo", "mnuSpremniBarvo"},
                      ButtonStory{{"S-Tab", "Left", "Enter", "Tab"}, "PicText"},
                      ButtonStory{{"Tab", "Tab", "Tab", "Tab", "Right", "Space"}, "BtnVednoNaVrhu", "", false,
                                  A::Left, 9, base::Color::rgb(0, 0, 0), true}));

}  // namespace

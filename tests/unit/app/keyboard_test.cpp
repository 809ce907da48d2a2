// Where the main window's keyboard is and how the user sees it: the ring
// round the part that has it, Tab and Shift+Tab moving it, a mouse choice
// giving it back to the editor, Escape closing what is open, and the page
// of a day that cannot be written.
#include "controls/row_list.h"
#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

using Keys = std::vector<std::pair<int, int>>;  // key, shift

class KeyboardTest : public NavigationTest {
 protected:
  gui::Element& part(const char* name) { return *main().form().find(name); }
  controls::RowList& list(const char* name) { return static_cast<controls::RowList&>(part(name)); }
  // Deep blue two pixels wide just outside the part, on all four sides.
  bool ringed(const char* name) {
    const gui::Surface& s = platform.shown(main().form());
    const gui::Rect r = part(name).formRect();
    for (int d : {1, 2})
      for (base::Point p : {base::Point{r.x - d, r.y + r.h / 2}, base::Point{r.x + r.w - 1 + d, r.y + r.h / 2},
                            base::Point{r.x + r.w / 2, r.y - d}, base::Point{r.x + r.w / 2, r.y + r.h - 1 + d}})
        if (s.pixel(p.x, p.y) != skin::kDeepBlue) return false;
    return true;
  }
  std::string ringedPart() {
    std::string out;
    for (const char* name : {"PicText", "PicDatumi", "PicLeto", "PicMesec"})
      if (ringed(name)) out += (out.empty() ? "" : "+") + std::string(name);
    return out;
  }
  void press(const Keys& keys) {
    for (auto [key, shift] : keys) platform.keyDown(key, shift);
  }
  // The pixels of a form rectangle as shown.
  std::vector<base::Color> area(gui::Rect r) {
    const gui::Surface& s = platform.shown(main().form());
    std::vector<base::Color> out;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) out.push_back(s.pixel(x, y));
    return out;
  }
};

// ---- Tab order and the ring ------------------------------------------------------

struct TabCase {
  const char* story;
  Keys keys;
  const char* ringedPart;
};

class TabOrderTest : public KeyboardTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrderTest, TheRingShowsWhereTheKeysAre) {
  addText("12-01-2026", "prvi");
  start();
  press(GetParam().keys);
  EXPECT_EQ(ringedPart(), GetParam().ringedPart) << GetParam().story;
}

constexpr int kTab = gui::kKeyTab, kDown = gui::kKeyDown, kEsc = gui::kKeyEscape;
INSTANTIATE_TEST_SUITE_P(
    Main, TabOrderTest,
    ::testing::Values(TabCase{"at the start the editor has them", {}, "PicText"},
                      TabCase{"Tab: the day list", {{kTab, 0}}, "PicDatumi"},
                      TabCase{"Tab twice: the year box", {{kTab, 0}, {kTab, 0}}, "PicLeto"},
                      TabCase{"three times: the month box", {{kTab, 0}, {kTab, 0}, {kTab, 0}}, "PicMesec"},
                      TabCase{"four times: round to the editor", {{kTab, 0}, {kTab, 0}, {kTab, 0}, {kTab, 0}}, "PicText"},
                      TabCase{"Shift+Tab: backwards to the month box", {{kTab, gui::kShift}}, "PicMesec"},
                      TabCase{"Down opens the year box's list, Escape closes it", {{kTab, 0}, {kTab, 0}, {kDown, 0}, {kEsc, 0}},
                              "PicLeto"}));

TEST_F(KeyboardTest, UpAndDownInTheDayListShowTheDays) {
  addText("11-02-2026", "novembrski");
  addText("12-05-2026", "peti");
  addText("12-06-2026", "sesti");
  start();
  press({{kTab, 0}, {gui::kKeyUp, 0}});
  EXPECT_EQ(editorText(), u"sesti");
  press({{gui::kKeyUp, 0}});
  EXPECT_EQ(editorText(), u"peti");
  // In the month box Down opens its list at december; Up and Enter choose
  // november, and the box keeps the keys.
  press({{kTab, 0}, {kTab, 0}, {kDown, 0}, {gui::kKeyUp, 0}, {gui::kKeyReturn, 0}});
  EXPECT_EQ(static_cast<gui::Label&>(part("lblMesec")).text(), u"november");
  EXPECT_EQ(list("Datumi1").rowTag(1), "11-02-2026");
  EXPECT_EQ(ringedPart(), "PicMesec");
  press({{kDown, 0}, {kDown, 0}, {gui::kKeyReturn, 0}});
  EXPECT_EQ(list("Datumi1").rowTag(1), "12-05-2026");
}

// ---- after a choice with the mouse -------------------------------------------------

struct MouseChoice {
  const char* story;
  const char* opener;  // clicked first (nullptr: none)
  const char* list;
  int row;
};

class MouseChoiceTest : public KeyboardTest, public ::testing::WithParamInterface<MouseChoice> {};

TEST_P(MouseChoiceTest, TypingGoesToTheEditor) {
  addText("11-02-2026", "novembrski");
  start();
  if (GetParam().opener) clickOn(part(GetParam().opener));
  clickRow(list(GetParam().list), GetParam().row);
  platform.typeText(u"abc");
  EXPECT_EQ(editorText(), u"abc") << GetParam().story;
  EXPECT_EQ(ringedPart(), "PicText");
}

INSTANTIATE_TEST_SUITE_P(Main, MouseChoiceTest,
                         ::testing::Values(MouseChoice{"today's row", nullptr, "Datumi1", 1},
                                           MouseChoice{"a month", "lblMesec", "cmbMesci", 2},
                                           MouseChoice{"a year", "lblLeto", "cmbLeta", 1}));

// ---- Escape ------------------------------------------------------------------------

struct Opened {
  const char* opener;
  const char* panel;
};

class EscapeTest : public KeyboardTest, public ::testing::WithParamInterface<Opened> {};

TEST_P(EscapeTest, ClosesWhatIsOpen) {
  for (int d = 1; d <= 6; ++d) addText("12-0" + std::to_string(d) + "-2026", "dan");
  addText("11-02-2026", "novembrski");
  start();
  gui::Rect r = part(GetParam().panel).formRect();
  // Below the ring round the box the list hangs from.
  r = {r.x, r.y + 6, r.w, r.h - 6};
  const auto before = area(r);
  clickOn(part(GetParam().opener));
  ASSERT_NE(area(r), before) << GetParam().panel << " did not open";
  platform.keyDown(gui::kKeyEscape);
  platform.advance(200);
  EXPECT_EQ(area(r), before) << GetParam().panel << " still shows";
}

INSTANTIATE_TEST_SUITE_P(Main, EscapeTest,
                         ::testing::Values(Opened{"lblLeto", "PiccmbLeta"}, Opened{"lblMesec", "PicCmbMesci"},
                                           Opened{"BtnPoravnaj", "mnuPoravnaj"},
                                           Opened{"BtnSpremeniBarvo", "mnuSpremniBarvo"},
                                           Opened{"BtnSpremeniVelikost", "mnuSpremeniVelikost"}));

// ---- an open list hides whole what it covers ------------------------------------------

struct Covering {
  const char* opener;
  const char* frame;
  int years, days;
  int bottom;  // where the list's frame ends on the window
};

class CoveringTest : public KeyboardTest, public ::testing::WithParamInterface<Covering> {};

TEST_P(CoveringTest, TheFrameEndsWhereWhatItCoversEnds) {
  const Covering& c = GetParam();
  for (int y = 1; y < c.years; ++y) addText("01-01-20" + std::to_string(10 + y), "staro leto");
  for (int d = 1; d < c.days; ++d) addText("12-0" + std::to_string(d) + "-2026", "dan");
  addText("11-02-2026", "november");
  start();
  clickOn(part(c.opener));
  const gui::Rect r = part(c.frame).formRect();
  EXPECT_EQ(r.y + r.h, c.bottom) << c.frame << " over " << c.days << " days";
}

INSTANTIATE_TEST_SUITE_P(
    Main, CoveringTest,
    ::testing::Values(Covering{"lblLeto", "PiccmbLeta", 1, 1, 104},      // the month box's end
                      Covering{"lblLeto", "PiccmbLeta", 2, 3, 129},      // the first day row's line
                      Covering{"lblLeto", "PiccmbLeta", 3, 1, 132},      // past the last day row: as it is
                      Covering{"lblMesec", "PicCmbMesci", 1, 3, 146}));  // the second day row's line

// ---- the page of a day that cannot be written -------------------------------------------

TEST_F(KeyboardTest, APastDayHasATintedPageAndNoCaret) {
  addText("12-06-2026", "včeraj");
  start();
  const base::Point page{200, 450};  // the editor, below its text
  struct Case {
    int row;
    base::Color page;
    bool caret;
  };
  for (Case c : {Case{1, skin::kPaleBlue, false}, Case{2, base::Color::rgb(255, 255, 255), true}}) {
    clickRow(list("Datumi1"), c.row);
    EXPECT_EQ(platform.shown(main().form()).pixel(page.x, page.y), c.page) << "row " << c.row;
    EXPECT_EQ(platform.editors().back().look->caret, c.caret) << "row " << c.row;
  }
}

}  // namespace

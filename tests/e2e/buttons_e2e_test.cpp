// The skinned buttons of the real diary with real input: hover and pressed
// faces on the screen, keep-on-top, close, minimise and restore.
#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "skin/atlas.h"
#include "skin/rects.h"

using namespace e2e;

namespace {

constexpr int kW = 596;
// Centres of the buttons, in the main window's client pixels.
constexpr POINT kZapri{kW - 21 + 6, 5 + 6};
constexpr POINT kMini{kW - 36 + 6, 5 + 6};
constexpr POINT kVednoNaVrhu{kW - 54 + 6, 5 + 6};
constexpr POINT kZloži{kW - 72 + 6, 5 + 6};
constexpr POINT kKrepko{60 + 20, 19 + 20};
constexpr POINT kGeslo{15 + 20, 19 + 20};
constexpr POINT kPoravnaj{183 + 20, 19 + 20};
constexpr POINT kAway{300, 300};  // in the editor

// The atlas as the diary holds it at start: the size button's faces show the
// editor's 9-point size, the colour button's its black.
const gui::Surface& atlas() {
  static const gui::Surface a = [] {
    gui::Surface s = skin::loadAtlas();
    skin::drawSizeDigits(s, 9);
    skin::drawColourAreas(s, base::Color::rgb(0, 0, 0));
    return s;
  }();
  return a;
}

bool showsCaption(HWND w, POINT centre, skin::CaptionButton b, skin::ButtonState st) {
  return showsFace(w, atlas(), {centre.x - 6, centre.y - 6}, skin::captionFace(b, st), 13);
}
bool showsToolbar(HWND w, POINT centre, skin::ToolbarFace f, skin::Row row) {
  return showsFace(w, atlas(), {centre.x - 20, centre.y - 20}, skin::toolbarFace(f, row), 39);
}

bool becomesVisible(HWND w) {
  return waitUntil([&] { return IsWindowVisible(w) != FALSE; }, 3000);
}
bool becomesHidden(HWND w) {
  return waitUntil([&] { return !IsWindowVisible(w); }, 3000);
}
bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

TEST(ButtonsEndToEnd, CaptionButtonsShowHoverAndPressedFacesAndRestAfterThePointerLeaves) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kZapri, skin::CaptionButton::Zapri, skin::ButtonState::Rest); }));
  EXPECT_TRUE(showsCaption(main, kZloži, skin::CaptionButton::Zloži, skin::ButtonState::Rest));
  pointAt(main, kMini);
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kMini, skin::CaptionButton::Mini, skin::ButtonState::Hover); }));
  saveScreenshot(main, "buttons-mini-hover");
  pointAt(main, kZloži);
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kMini, skin::CaptionButton::Mini, skin::ButtonState::Rest); }));
  EXPECT_TRUE(showsCaption(main, kZloži, skin::CaptionButton::Zloži, skin::ButtonState::Hover));
  leftDown();
  EXPECT_TRUE(showsCaption(main, kZloži, skin::CaptionButton::Zloži, skin::ButtonState::Pressed));
  saveScreenshot(main, "buttons-zlozi-pressed");
  pointAt(main, kAway);  // released outside: nothing happens
  leftUp();
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kZloži, skin::CaptionButton::Zloži, skin::ButtonState::Rest); }));
  EXPECT_NE(diary.window("frmMain"), nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

TEST(ButtonsEndToEnd, ToolbarHoverFadesInAndOutAndBoldTogglesWithAClick) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  EXPECT_TRUE(showsToolbar(main, kKrepko, skin::ToolbarFace::KrepkoOff, skin::Row::Rest));
  pointAt(main, kKrepko);
  EXPECT_TRUE(waitUntil([&] { return showsToolbar(main, kKrepko, skin::ToolbarFace::KrepkoOff, skin::Row::Highlight); }));
  saveScreenshot(main, "buttons-krepko-hover");
  leftDown();
  EXPECT_TRUE(showsToolbar(main, kKrepko, skin::ToolbarFace::KrepkoOff, skin::Row::Pressed));
  saveScreenshot(main, "buttons-krepko-pressed");
  leftUp();
  EXPECT_TRUE(showsToolbar(main, kKrepko, skin::ToolbarFace::KrepkoOn, skin::Row::Highlight));
  pointAt(main, {450, 300});
  EXPECT_TRUE(waitUntil([&] { return showsToolbar(main, kKrepko, skin::ToolbarFace::KrepkoOn, skin::Row::Rest); }));
  typeText(L"krepko");
  pointAt(main, {450, 300});
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(diary.waitForExit(), 0u);
  const auto rtf = diary.decodedEntry(todayKey());
  ASSERT_TRUE(rtf);
  EXPECT_NE(rtf->find("\\b"), std::string::npos);
  EXPECT_NE(rtf->find("krepko"), std::string::npos);
}

TEST(ButtonsEndToEnd, TheAlignmentButtonOpensAndClosesItsMenu) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return showsToolbar(main, kPoravnaj, skin::ToolbarFace::PoravnajLevo, skin::Row::Rest); }));
  pointAt(main, kPoravnaj);
  ASSERT_TRUE(waitUntil([&] { return showsToolbar(main, kPoravnaj, skin::ToolbarFace::PoravnajLevo, skin::Row::Highlight); }));
  // The menu's top band, the whole width, also where it lies over the
  // editor's own window (below it the menu's items show their own faces).
  const gui::Rect menu{skin::r::mnuPoravnaj.x, skin::r::mnuPoravnaj.y, skin::r::mnuPoravnaj.w, 3};
  const POINT menuAt{185, 58};
  EXPECT_FALSE(showsFace(main, atlas(), menuAt, menu, menu.w));
  leftDown();
  leftUp();
  pointAt(main, {450, 300});
  settle(300);  // the face stays while the menu is open
  EXPECT_TRUE(showsFace(main, atlas(), menuAt, menu, menu.w));
  EXPECT_TRUE(showsToolbar(main, kPoravnaj, skin::ToolbarFace::PoravnajLevo, skin::Row::Pressed));
  saveScreenshot(main, "buttons-poravnaj-menu");
  pointAt(main, kGeslo);  // moving over another button closes it
  EXPECT_TRUE(waitUntil([&] { return !showsFace(main, atlas(), menuAt, menu, menu.w); }));
  pointAt(main, {450, 300});
  EXPECT_TRUE(waitUntil([&] { return showsToolbar(main, kPoravnaj, skin::ToolbarFace::PoravnajLevo, skin::Row::Rest); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

TEST(ButtonsEndToEnd, KeepOnTopReallyChangesTheWindowsTopmostStateAndTheCloseButtonSavesItAndToday) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return showsCaption(main, kVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOff, skin::ButtonState::Rest); }));
  EXPECT_FALSE(topmost(main));
  click(main, kVednoNaVrhu);
  EXPECT_TRUE(topmost(main));
  // The old face (ring) stays until the pointer moves over the button again.
  EXPECT_TRUE(showsCaption(main, kVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOff, skin::ButtonState::Rest));
  pointAt(main, {kVednoNaVrhu.x + 1, kVednoNaVrhu.y});
  EXPECT_TRUE(showsCaption(main, kVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOn, skin::ButtonState::Hover));
  saveScreenshot(main, "buttons-on-top-hover");
  click(main, kVednoNaVrhu);
  EXPECT_FALSE(topmost(main));
  click(main, kVednoNaVrhu);
  EXPECT_TRUE(topmost(main));
  ASSERT_TRUE(writeToday(diary, main, L"Zapiram z gumbom."));
  pointAt(main, kZapri);
  leftDown();
  EXPECT_TRUE(showsCaption(main, kZapri, skin::CaptionButton::Zapri, skin::ButtonState::Pressed));
  saveScreenshot(main, "buttons-zapri-pressed");
  leftUp();
  ASSERT_EQ(diary.waitForExit(), 0u);
  EXPECT_TRUE(diary.readSettings().onTop);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Zapiram z gumbom."), std::string::npos);

  ASSERT_TRUE(diary.start());
  main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(waitUntil([&] { return topmost(main); }));
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOn, skin::ButtonState::Rest); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

TEST(ButtonsEndToEnd, MinimiseHidesTheDiaryAndTheTaskbarButtonBringsItBack) {
  Diary diary;
  HWND main = diary.startMain();
  HWND taskbar = diary.waitForWindow("frmTaskbar");
  ASSERT_NE(main, nullptr);
  ASSERT_NE(taskbar, nullptr);
  click(main, kMini);
  EXPECT_TRUE(becomesHidden(main));
  EXPECT_TRUE(IsIconic(taskbar));
  ShowWindow(taskbar, SW_RESTORE);
  EXPECT_TRUE(becomesVisible(main));
  // The restored window is painted again before the next click.
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kZapri, skin::CaptionButton::Zapri, skin::ButtonState::Rest); }));

  click(main, kMini);
  EXPECT_TRUE(becomesHidden(main));
  PostMessageW(taskbar, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(becomesVisible(main));
  // Back at rest, not stuck in the pressed face: the restored window may see
  // the pointer over the button first, and the tracking timer then puts it
  // back to rest once the pointer has left.
  pointAt(main, kAway);
  EXPECT_TRUE(waitUntil([&] { return showsCaption(main, kMini, skin::CaptionButton::Mini, skin::ButtonState::Rest); }, 3000));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

TEST(ButtonsEndToEnd, ATipShowsWhileThePointerRestsOnAButtonAndKeepOnTopStillWorks) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return showsCaption(main, kVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOff, skin::ButtonState::Rest); }));
  pointAt(main, kVednoNaVrhu);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  EXPECT_TRUE(waitUntil([&] { return winsupport::visibleWindowOf(pid, L"tooltips_class32") != nullptr; }, 5000));
  saveScreenshot(GetDesktopWindow(), "buttons-tip-vedno-na-vrhu");
  // A tip on screen must not keep the window out of the topmost band.
  click(main, kVednoNaVrhu);
  EXPECT_TRUE(topmost(main));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

TEST(ButtonsEndToEnd, EveryToolbarButtonHighlightsPressesAndReturnsToRest) {
  struct Case {
    const char* name;
    int left;
    skin::ToolbarFace before, after;  // the face column before and after a click
    bool opensMenu;
  };
  const Case cases[] = {
      {"BtnGeslo", 15, skin::ToolbarFace::Geslo, skin::ToolbarFace::Geslo, false},
      {"BtnLežeče", 100, skin::ToolbarFace::LežečeOff, skin::ToolbarFace::LežečeOn, false},
      {"BtnPodčrtano", 140, skin::ToolbarFace::PodčrtanoOff, skin::ToolbarFace::PodčrtanoOn, false},
      {"BtnSpremeniBarvo", 226, skin::ToolbarFace::SpremeniBarvo, skin::ToolbarFace::SpremeniBarvo, true},
      {"BtnSpremeniVelikost", 270, skin::ToolbarFace::SpremeniVelikost, skin::ToolbarFace::SpremeniVelikost, true},
  };
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const POINT at{c.left + 20, 19 + 20};
    pointAt(main, at);
    EXPECT_TRUE(waitUntil([&] { return showsToolbar(main, at, c.before, skin::Row::Highlight); }));
    leftDown();
    EXPECT_TRUE(showsToolbar(main, at, c.before, skin::Row::Pressed));
    leftUp();
    if (c.before == skin::ToolbarFace::Geslo) {
      // The password button opens the change-password window; Escape sends it away.
      HWND dialog = diary.waitForWindow("frmSpremeniGeslo");
      ASSERT_NE(dialog, nullptr);
      pressKey(VK_ESCAPE);
      EXPECT_TRUE(becomesHidden(dialog));
    }
    pointAt(main, kAway);
    if (c.opensMenu) {
      settle(400);  // the pressed face stays while the menu is open…
      EXPECT_TRUE(showsToolbar(main, at, c.after, skin::Row::Pressed));
      click(main, kAway);  // …and a click in the editor closes it
    }
    EXPECT_TRUE(waitUntil([&] { return showsToolbar(main, at, c.after, skin::Row::Rest); }));
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

// The caption buttons' tips were cut ("Minimin…") and one showing once took
// the click meant for the button: a tip lies wholly inside the work area,
// off the pointer, and the click under it reaches the button.
TEST(ButtonsEndToEnd, ACaptionButtonsTipShowsWholeOffThePointerAndTheClickStillMinimises) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  for (const POINT at : {kZapri, kMini}) {
    pointAt(main, {at.x, at.y - 2});
    pointAt(main, at);
    HWND tip = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (tip = winsupport::visibleWindowOf(pid, L"tooltips_class32")) != nullptr; }, 5000));
    RECT r{};
    GetWindowRect(tip, &r);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_TRUE(r.left >= wa.left && r.top >= wa.top && r.right <= wa.right && r.bottom <= wa.bottom);
    EXPECT_FALSE(PtInRect(&r, cursor));
    saveScreenshot(GetDesktopWindow(), at.x == kMini.x ? "buttons-tip-mini" : "buttons-tip-zapri");
  }
  leftClick();
  HWND taskbar = diary.waitForWindow("frmTaskbar");
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(main) && IsIconic(taskbar); }));
  ShowWindow(taskbar, SW_RESTORE);
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
}

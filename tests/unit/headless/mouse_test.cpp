// Mouse input as the user gives it: capture by the pressed element, clicks,
// double clicks, hit-testing by stacking, regions, visibility and enabling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

using namespace gui;
using headless::HeadlessPlatform;

namespace {

class MouseTest : public ::testing::Test {
 protected:
  MouseTest() {
    form.setPixelBounds({100, 100, 200, 100});
    form.show();
    logForm();
  }

  // Records every mouse event of an element as "name event button x y".
  template <class E>
  E& watch(E& e) {
    const std::string n = e.name();
    e.onMouseDown = [this, n](int b, int, double x, double y) { log(n + " down", b, x, y); };
    e.onMouseMove = [this, n](int b, int, double x, double y) { log(n + " move", b, x, y); };
    e.onMouseUp = [this, n](int b, int, double x, double y) { log(n + " up", b, x, y); };
    e.onClick = [this, n] { events.push_back(n + " click"); };
    e.onDblClick = [this, n] { events.push_back(n + " dblclick"); };
    return e;
  }
  void logForm() {
    form.onMouseDown = [this](int b, int, double x, double y) { log("form down", b, x, y); };
    form.onMouseUp = [this](int b, int, double x, double y) { log("form up", b, x, y); };
    form.onClick = [this] { events.push_back("form click"); };
  }
  void log(const std::string& what, int b, double x, double y) {
    events.push_back(what + " " + std::to_string(b) + " " + std::to_string(int(x)) + " " + std::to_string(int(y)));
  }
  // Presses and releases at a point of the form's client area.
  void clickAt(int x, int y, int button = kLeftButton) { platform.click({100 + x, 100 + y}, button); }
  std::vector<std::string> take() { return std::exchange(events, {}); }

  HeadlessPlatform platform;
  Form form{platform, "frmTest"};
  std::vector<std::string> events;
};

}  // namespace

TEST_F(MouseTest, PressedElementKeepsTheMouseUntilReleasedEvenOutsideItself) {
  auto& a = watch(form.add<PictureBox>("A"));
  a.move(10, 10, 20, 20);
  platform.moveMouse({115, 117});
  platform.mouseDown();
  EXPECT_EQ(form.captured(), &a);
  platform.moveMouse({150, 160});  // over the form, outside A
  platform.moveMouse({90, 95});    // off the window altogether
  platform.mouseUp();
  EXPECT_EQ(take(), (std::vector<std::string>{"A move 0 5 7", "A down 1 5 7", "A move 1 40 50", "A move 1 -20 -15",
                                              "A up 1 -20 -15"}))
      << "no click: released outside";
  EXPECT_EQ(form.captured(), nullptr);
  // Afterwards moves go where the pointer is again.
  platform.moveMouse({150, 160});
  EXPECT_EQ(take(), (std::vector<std::string>{}));  // the form has no move handler
  platform.moveMouse({112, 112});
  EXPECT_EQ(take(), (std::vector<std::string>{"A move 0 2 2"}));
}

TEST_F(MouseTest, ClickIsPressAndReleaseOnTheSameElement) {
  auto& a = watch(form.add<PictureBox>("A"));
  a.move(10, 10, 20, 20);
  clickAt(12, 13);
  EXPECT_EQ(take(), (std::vector<std::string>{"A move 0 2 3", "A down 1 2 3", "A up 1 2 3", "A click"}));
  // Pressed on A, released over the form: A gets the release, nobody a click.
  platform.advance(600);  // not a double click
  platform.moveMouse({112, 113});
  platform.mouseDown();
  platform.moveMouse({170, 170});
  platform.mouseUp();
  EXPECT_EQ(take(), (std::vector<std::string>{"A move 0 2 3", "A down 1 2 3", "A move 1 60 60", "A up 1 60 60"}));
  // A second button while the first is held
  // goes to the element holding the mouse.
  platform.moveMouse({150, 150});
  platform.mouseDown(kRightButton);
  platform.moveMouse({112, 112});
  platform.mouseDown(kLeftButton);
  platform.mouseUp(kLeftButton);
  platform.mouseUp(kRightButton);
  EXPECT_EQ(take(), (std::vector<std::string>{"form down 2 50 50", "form down 1 12 12", "form up 1 12 12",
                                              "form up 2 12 12"}))
      << "released over A, which was not pressed: no click";
}

TEST_F(MouseTest, DoubleClickReplacesTheSecondPress) {
  auto& clock = watch(form.add<PictureBox>("picClock"));
  clock.move(0, 0, 50, 50);
  platform.doubleClick({110, 110});
  EXPECT_EQ(take(), (std::vector<std::string>{"picClock move 0 10 10", "picClock down 1 10 10", "picClock up 1 10 10",
                                              "picClock click", "picClock move 0 10 10", "picClock dblclick",
                                              "picClock up 1 10 10"}));
  // Too slow for a double click: two plain clicks.
  platform.click({110, 110});
  platform.advance(600);
  platform.click({110, 110});
  auto e = take();
  EXPECT_EQ(std::count(e.begin(), e.end(), "picClock click"), 2);
  EXPECT_EQ(std::count(e.begin(), e.end(), "picClock dblclick"), 0);
}

TEST_F(MouseTest, TopmostShownElementUnderThePointerGetsThePress) {
  auto& lower = watch(form.add<PictureBox>("lower"));
  lower.move(0, 0, 40, 40);
  auto& upper = watch(form.add<PictureBox>("upper"));
  upper.move(20, 20, 40, 40);
  EXPECT_EQ(form.hitTest({30, 30}), &upper) << "made later, lies on top";
  lower.bringToFront();
  EXPECT_EQ(form.hitTest({30, 30}), &lower);
  lower.sendToBack();
  // Outside its region an element is not there: the one below gets it.
  upper.setRegion(Region(Rect{5, 5, 35, 35}));
  EXPECT_EQ(form.hitTest({22, 22}), &lower);
  EXPECT_EQ(form.hitTest({26, 26}), &upper);
  // Hidden: receives nothing.
  upper.setVisible(false);
  EXPECT_EQ(form.hitTest({30, 30}), &lower);
  lower.setVisible(false);
  take();
  clickAt(30, 30);
  EXPECT_EQ(take(), (std::vector<std::string>{"form down 1 30 30", "form up 1 30 30", "form click"}));
}

TEST_F(MouseTest, ChildrenOfHiddenOrDisabledParentsReceiveNothing) {
  auto& panel = watch(form.add<Panel>("panel"));
  panel.move(10, 10, 100, 50);
  auto& row = watch(panel.add<Label>("lblDan1"));
  row.move(2, 5, 80, 16);
  auto& under = watch(form.add<PictureBox>("under"));
  under.move(0, 0, 200, 100);
  under.sendToBack();
  clickAt(15, 20);
  EXPECT_EQ(take(), (std::vector<std::string>{"lblDan1 move 0 3 5", "lblDan1 down 1 3 5", "lblDan1 up 1 3 5",
                                              "lblDan1 click"}))
      << "coordinates in the label's own pixels";
  row.setEnabled(false);
  EXPECT_EQ(form.hitTest({15, 20}), &panel) << "a disabled item's press goes to its parent";
  panel.setEnabled(false);
  EXPECT_EQ(form.hitTest({15, 20}), nullptr) << "...not to the sibling below";
  panel.setEnabled(true);
  panel.setVisible(false);
  EXPECT_EQ(form.hitTest({15, 20}), &under);
}

TEST_F(MouseTest, WindowedItemsLieAboveLabelsAndShapesTakeNoPress) {
  auto& pic = watch(form.add<PictureBox>("pic"));
  pic.move(0, 0, 50, 50);
  auto& label = watch(form.add<Label>("label"));
  label.move(10, 10, 100, 20);
  EXPECT_EQ(form.hitTest({20, 15}), &pic) << "the label is painted on the form, below the picture box";
  EXPECT_EQ(form.hitTest({70, 15}), &label);
  auto& shape = form.add<Shape>("Izbor");
  shape.move(0, 0, 200, 100);
  shape.bringToFront();
  EXPECT_EQ(form.hitTest({70, 15}), &label) << "the shape over the label lets the press through";
}

TEST_F(MouseTest, RemovingThePressedElementEndsItsPress) {
  auto& a = watch(form.add<PictureBox>("A"));
  a.move(0, 0, 50, 50);
  a.onMouseDown = [&](int, int, double, double) { form.remove(a); };
  platform.moveMouse({110, 110});
  platform.mouseDown();
  platform.moveMouse({120, 120});
  platform.mouseUp();
  take();
  EXPECT_EQ(form.captured(), nullptr);
  platform.advance(600);
  clickAt(10, 10);
  EXPECT_EQ(take(), (std::vector<std::string>{"form down 1 10 10", "form up 1 10 10", "form click"}));
}

TEST_F(MouseTest, ALostReleaseDoesNotLeaveTheMouseHeld) {
  auto& btn = watch(form.add<PictureBox>("BtnGeslo"));
  btn.move(0, 0, 50, 50);
  btn.onMouseDown = [&](int, int, double, double) { form.setEnabled(false); };  // a dialog takes over
  platform.moveMouse({110, 110});
  platform.mouseDown();
  platform.mouseUp();  // the disabled window gets no release
  form.setEnabled(true);
  take();
  platform.moveMouse({170, 170});
  EXPECT_EQ(form.captured(), nullptr);
  platform.moveMouse({120, 120});
  EXPECT_EQ(take(), (std::vector<std::string>{"BtnGeslo move 0 20 20"}));
}

TEST(Windows, InputGoesToTheTopmostVisibleEnabledWindowUnderThePointer) {
  HeadlessPlatform platform;
  Form back(platform, "frmMain"), front(platform, "frmMini");
  std::vector<std::string> got;
  back.onMouseDown = [&](int, int, double x, double y) { got.push_back("main " + std::to_string(int(x)) + "," + std::to_string(int(y))); };
  front.onMouseDown = [&](int, int, double, double) { got.push_back("mini"); };
  back.setPixelBounds({0, 0, 300, 300});
  front.setPixelBounds({100, 100, 50, 50});
  front.setWindowPos(InsertAfter::Topmost, {100, 100, 50, 50});
  front.show();
  back.show();  // shown later, but the other is kept on top
  EXPECT_EQ(platform.windows().front(), platform.window(front));
  platform.click({120, 120});
  EXPECT_EQ(got, (std::vector<std::string>{"mini"}));
  // Outside the front window's region the press falls through to the window below.
  front.setRegion(Region(Rect{10, 10, 40, 40}));
  platform.click({105, 105});
  // A disabled window eats the press; a minimised or hidden one is not there.
  front.setRegion(std::nullopt);
  front.setEnabled(false);
  platform.click({120, 120});
  front.setEnabled(true);
  front.setWindowState(kMinimized);
  platform.click({121, 122});
  EXPECT_EQ(got, (std::vector<std::string>{"mini", "main 105,105", "main 121,122"}));
  // Out of the topmost band: the window shown or activated last is on top.
  front.setWindowState(kNormal);
  front.setWindowPos(InsertAfter::NoTopmost, {100, 100, 50, 50});
  back.activate();
  platform.click({130, 130});
  EXPECT_EQ(got.back(), "main 130,130");
  EXPECT_FALSE(platform.window(front)->topmost());
}

TEST(Windows, PressOnAWindowKeepsItsMouseAcrossOtherWindows) {
  HeadlessPlatform platform;
  Form a(platform, "a"), b(platform, "b");
  a.setPixelBounds({0, 0, 100, 100});
  b.setPixelBounds({200, 0, 100, 100});
  a.show();
  b.show();
  std::vector<std::string> got;
  a.onMouseMove = [&](int buttons, int, double x, double) { got.push_back("a move " + std::to_string(buttons) + " " + std::to_string(int(x))); };
  b.onMouseMove = [&](int, int, double, double) { got.push_back("b move"); };
  a.onMouseUp = [&](int, int, double x, double) { got.push_back("a up " + std::to_string(int(x))); };
  platform.moveMouse({50, 50});
  platform.mouseDown();
  EXPECT_EQ(platform.activeForm(), &a) << "a press activates";
  platform.moveMouse({250, 50});
  platform.mouseUp();
  platform.moveMouse({251, 50});
  EXPECT_EQ(got, (std::vector<std::string>{"a move 0 50", "a move 1 250", "a up 250", "b move"}));
}

TEST_F(MouseTest, TheTooltipHoldsTheTipOfTheElementUnderThePointer) {
  auto& a = form.add<PictureBox>("A");
  a.move(10, 10, 20, 20);
  a.setToolTip(u"Krepko");
  form.add<PictureBox>("B").move(40, 10, 20, 20);
  platform.moveMouse({145, 115});  // on B, which has no tip: no tooltip made yet
  EXPECT_FALSE(platform.toolTip(form));
  const struct {
    Point at;
    std::u16string text;
    Rect rect;
  } steps[] = {{{115, 115}, u"Krepko", {10, 10, 20, 20}}, {{145, 115}, u"", {}}, {{190, 190}, u"", {}},
               {{112, 112}, u"Krepko", {10, 10, 20, 20}}};
  for (const auto& s : steps) {
    platform.moveMouse(s.at);
    ASSERT_TRUE(platform.toolTip(form));
    EXPECT_EQ(platform.toolTip(form)->text, s.text) << s.at.x;
    EXPECT_EQ(platform.toolTip(form)->rect, s.rect) << s.at.x;
  }
  // A tip changed under a resting pointer shows with the next move.
  a.setToolTip(u"Ležeče");
  platform.moveMouse({113, 113});
  EXPECT_EQ(platform.toolTip(form)->text, u"Ležeče");
}

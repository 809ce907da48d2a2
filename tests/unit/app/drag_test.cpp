#include "diary_fixture.h"

namespace {

class DragTest : public DiaryTest {
 protected:
  void SetUp() override {
    writeSettings({3000, 3000, false, u""});  // window at (200, 200)
    start();
  }
  gui::Rect bounds() { return window(main().form()).bounds(); }
  void drag(gui::Point from, gui::Point to) {
    platform.moveMouse(from);
    platform.mouseDown();
    platform.moveMouse(to);
    platform.mouseUp();
  }
};

}  // namespace

TEST_F(DragTest, TheTitleStripDragsTheWindowWithThePointerTheTitleTextIncluded) {
  drag({200 + 400, 200 + 10}, {200 + 450, 200 + 50});
  EXPECT_EQ(bounds(), (gui::Rect{250, 240, 596, 567}));
  drag({250 + 60, 240 + 10}, {250 + 10, 240 + 20});  // on the title text
  EXPECT_EQ(bounds(), (gui::Rect{200, 250, 596, 567}));
}

TEST_F(DragTest, TheWindowStopsFlushWithTheWorkAreaEdges) {
  drag({600, 210}, {-500, -500});
  EXPECT_EQ(bounds().x, 0);
  EXPECT_EQ(bounds().y, 0);
  drag({400, 10}, {5000, 5000});
  EXPECT_EQ(bounds().x, 1280 - 596);
  EXPECT_EQ(bounds().y, 984 - 567);  // the work area ends above the taskbar
}

TEST_F(DragTest, PressesOutsideTheStripOrOnTheCaptionPlateDoNotDrag) {
  drag({200 + 400, 200 + 30}, {200 + 450, 200 + 80});  // below the strip
  EXPECT_EQ(bounds(), (gui::Rect{200, 200, 596, 567}));
  drag({200 + 596 - 60, 200 + 10}, {200 + 500, 200 + 80});  // right 80 pixels of the strip
  EXPECT_EQ(bounds(), (gui::Rect{200, 200, 596, 567}));
  // Moving without a button after such a press does nothing either.
  platform.moveMouse({900, 900});
  EXPECT_EQ(bounds(), (gui::Rect{200, 200, 596, 567}));
}

TEST_F(DragTest, TheWorkAreaIsReadAsTheDragStartsNotOnEveryMove) {
  platform.moveMouse({600, 210});
  platform.mouseDown();
  platform.setWorkArea({0, 0, 800, 600});  // the taskbar moves during the drag
  platform.moveMouse({5000, 5000});
  EXPECT_EQ(bounds().x, 1280 - 596);
  platform.mouseUp();
  drag({bounds().x + 10, bounds().y + 10}, {5000, 5000});
  EXPECT_EQ(bounds().x, 800 - 596) << "the next drag sees the new work area";
}

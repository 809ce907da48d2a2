// The key-colour shaper on each kind of target, and the docking handler.
#include <gtest/gtest.h>

#include "gui/button.h"
#include "platform/headless/headless_platform.h"
#include "shape/cls_docking_handler.h"
#include "shape/cls_trans_form.h"
#include "raised.h"

using gui::Rect;
using gui::Region;

namespace {
const base::Color kInk = base::Color::rgb(10, 20, 30), kKey = base::kKeyColor;
}  // namespace

TEST(Shaper, EachKindOfTargetLosesItsKeyPixels) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMini");
  shape::clsTransForm shaper;
  gui::PictureBox& box = form.add<gui::PictureBox>("pic");
  box.move(0, 0, 4, 1);
  box.surface().fill(kInk);
  box.surface().fill({1, 0, 2, 1}, kKey);
  shaper.ShapeMe(box, kKey);
  EXPECT_EQ(box.region()->rects(), (std::vector<Rect>{{0, 0, 1, 1}, {3, 0, 1, 1}}));

  form.setPixelBounds({0, 0, 200, 100});
  form.surface().fill(kInk);
  form.surface().fill({197, 0, 3, 1}, kKey);  // a run reaching the right edge ends on its row
  shaper.ShapeMe(form, kKey);
  EXPECT_EQ(form.region(), Region(Rect{0, 0, 200, 100}).subtracted(Region(Rect{197, 0, 3, 1})));

  // Buttons: the face takes the key colour and the caption goes, so only the
  // check box's mark stays, within the two-pixel inset.
  auto& command = form.add<gui::Button>("cmd");
  command.move(10, 10, 60, 20);
  command.setCaption(u"V redu");
  shaper.ShapeMe(command, kKey);
  EXPECT_EQ(command.caption(), u"");
  EXPECT_TRUE(command.region()->empty());
  auto& check = form.add<gui::Button>("chk", gui::ElementKind::CheckBox);
  check.move(10, 40, 80, 17);
  shaper.ShapeMe(check, kKey);
  EXPECT_EQ(check.region()->bounds(), (Rect{2, 2, 11, 13}));

  gui::Label& label = form.add<gui::Label>("lbl");
  EXPECT_EQ(raised([&] { shaper.ShapeMe(label, kKey); }),
            "-2147218992 TransForm: Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or "
            "OptionButton.  TransForm ShapeMe method failed.");
  EXPECT_FALSE(label.region());
}

TEST(DockingHandler, ReadsTheWorkAreaInTwipsAndSwitchesKeepOnTop) {
  headless::HeadlessPlatform platform;
  platform.setWorkArea({0, 0, 1280, 1024 - 28});  // a 28-pixel taskbar at the bottom
  shape::WorkArea programWide;
  shape::clsDockingHandler handler(platform, [&](const shape::WorkArea& area) { programWide = area; });
  EXPECT_EQ(handler.SnapDistance(), 150);
  handler.StartDockDrag(0, 0);
  EXPECT_EQ(programWide, shape::WorkArea{}) << "a drag of its own leaves the program's work area";
  handler.GetSize(0, 0);
  platform.setWorkArea({});  // the system cannot answer: the last values stay
  handler.GetSize(0, 0);
  EXPECT_EQ(programWide, (shape::WorkArea{0, 0, 1280 * 15, 996 * 15}));

  gui::Form form(platform, "frmMain");
  form.setPixelBounds({100, 50, 300, 200});
  form.show();
  handler.setParentForm(&form);
  handler.setAlwaysOnTop(true);
  handler.setAlwaysOnTop(true);
  EXPECT_TRUE(platform.window(form)->topmost());
  EXPECT_EQ(platform.window(form)->bounds(), (Rect{100, 50, 300, 200}));
}

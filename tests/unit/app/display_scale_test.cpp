// The diary on displays of 100 %, 150 % and 200 %: the windows take their
// size at the scale, the frame shows the atlas painted for it, the shape is
// cut at the scale, presses land where the scaled faces are, and a change of
// the scale while running lays the window out again.
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include "diary_fixture.h"
#include "skin/atlas.h"
#include "skin/palette.h"

namespace {

using base::Point;
using base::Rect;

class DisplayScale : public DiaryTest, public ::testing::WithParamInterface<int> {
 protected:
  base::Scale scale{GetParam()};
  void startAtScale() {
    platform.setScreenSize({2560, 2048});  // room for the window at 2×
    platform.setDpi(96 * GetParam() / 100);
    writeSettings({1500, 1500, false, u""});  // the main window at (100, 100)
    start();
  }
  headless::HeadlessWindow& mainWindow() { return window(main().form()); }
};

TEST_P(DisplayScale, TheWindowsOpenAtTheScaleWithTheFrameCutAndPressedWhereTheScaledFacesLie) {
  startAtScale();
  const Rect b = mainWindow().bounds();
  EXPECT_EQ(b, (Rect{100, 100, scale(596), scale(567)}));

  // The bottom-left corner piece of the frame is the atlas's own at the
  // scale, pixel for pixel, where the window's shape keeps it.
  const gui::Surface shot = platform.screenshot(base::Color::rgb(1, 2, 3));
  const gui::Surface atlas = skin::loadAtlas(GetParam()).devicePixels();
  const Rect piece = scale(skin::r::bottomLeftCorner);
  const Rect at = scale(Rect{0, 567 - 5, 6, 5});
  int compared = 0, differing = 0;
  for (int y = 0; y < at.h; ++y)
    for (int x = 0; x < at.w; ++x) {
      if (!mainWindow().region() || !mainWindow().region()->contains({at.x + x, at.y + y})) continue;
      ++compared;
      differing += shot.pixel(b.x + at.x + x, b.y + at.y + y) != atlas.pixel(piece.x + x, piece.y + y);
    }
  EXPECT_GT(compared, at.w * at.h / 2);
  EXPECT_EQ(differing, 0);

  // The corners are cut as at 100 %, grown to the scale: the first five
  // pixels of the top row and the last of the bottom one.
  ASSERT_TRUE(mainWindow().region());
  const gui::Region& shape = *mainWindow().region();
  EXPECT_FALSE(shape.contains({scale(5) - 1, 0}));
  EXPECT_TRUE(shape.contains({scale(5), 0}));
  EXPECT_FALSE(shape.contains({b.w - 1, b.h - 1}));
  EXPECT_TRUE(shape.contains({b.w / 2, b.h / 2}));

  // A click in the middle of the scaled fold button folds the diary into
  // the clock, which opens at the scale too.
  platform.click({b.x + scale(596 - 72 + 6), b.y + scale(11)});
  platform.advance(400);
  EXPECT_FALSE(mainWindow().visible());
  gui::Form& clock = diary->mini().form();
  ASSERT_TRUE(window(clock).visible());
  EXPECT_EQ(window(clock).bounds().w, scale(101));
  EXPECT_EQ(window(clock).bounds().h, scale(111));
}

TEST_P(DisplayScale, AChangeOfTheScaleWhileRunningLaysTheWindowOutAgainAtTheSuggestedPlace) {
  startAtScale();
  const int dpi = GetParam() == 200 ? 96 : 192;
  const base::Scale next{dpi * 100 / 96};
  main().form().dispatchDpiChanged(dpi, {300, 200, 10, 10});
  platform.advance(50);
  EXPECT_EQ(mainWindow().bounds(), (Rect{300, 200, next(596), next(567)}));
  ASSERT_TRUE(mainWindow().region());
  EXPECT_FALSE(mainWindow().region()->contains({next(5) - 1, 0}));
  EXPECT_TRUE(mainWindow().region()->contains({next(5), 0}));
  // The frame is painted again from the atlas of the new scale.
  const gui::Surface shot = platform.screenshot();
  const gui::Surface atlas = skin::loadAtlas(next.percent).devicePixels();
  const Rect piece = next(skin::r::topRightCorner);
  const Rect at = next(Rect{596 - 5, 0, 5, 26});
  const Point inside{at.x + at.w / 2, at.y + at.h / 2};
  EXPECT_EQ(shot.pixel(300 + inside.x, 200 + inside.y),
            atlas.pixel(piece.x + inside.x - at.x, piece.y + inside.y - at.y));
  // So are the buttons' faces and the menus, copied pixel for pixel from
  // the new atlas, not resampled from the one of the old scale.
  using skin::ButtonState, skin::CaptionButton, skin::Row, skin::ToolbarFace;
  const std::pair<const char*, Rect> faces[] = {
      {"BtnGeslo", skin::toolbarFace(ToolbarFace::Geslo, Row::Rest)},
      {"BtnZapri", skin::captionFace(CaptionButton::Zapri, ButtonState::Rest)},
      {"mnuPoravnaj", skin::r::mnuPoravnaj},
  };
  for (const auto& [name, face] : faces) {
    const gui::Surface box = el(name).surface().devicePixels();
    const Rect from = next(face);
    const int w = std::min(box.width(), from.w), h = std::min(box.height(), from.h);
    EXPECT_GE(w * h, next(face.w - 1) * next(face.h - 1)) << name;
    int differing = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) differing += box.pixel(x, y) != atlas.pixel(from.x + x, from.y + y);
    EXPECT_EQ(differing, 0) << name;
  }
}

TEST_P(DisplayScale, AChangeOfTheScalePaintsTheOtherWindowsAgainAtTheNewScale) {
  startAtScale();
  platform.keyDown('D', gui::kCtrl | gui::kShift);  // the year window
  diary->spremeniGeslo().Open();
  gui::Form* year = nullptr;
  for (headless::HeadlessWindow* w : platform.windows())
    if (w->form().name() == "frmLeto") year = &w->form();
  ASSERT_NE(year, nullptr);
  const int dpi = GetParam() == 200 ? 96 : 192;
  const base::Scale next{dpi * 100 / 96};
  const gui::Surface atlas = skin::loadAtlas(next.percent).devicePixels();
  // Each window's top band, inside its border: the atlas's face at the new
  // scale, or for the year window its title strip's colour.
  struct Case {
    const char* name;
    gui::Form& form;
    std::optional<Rect> face;
  };
  const Case cases[] = {{"login", login().form(), skin::r::frmGeslo},
                        {"change of password", diary->spremeniGeslo().form(), skin::r::frmSpremeniGeslo},
                        {"year", *year, std::nullopt}};
  for (const Case& c : cases) {
    const int width = c.form.pixelWidth();
    c.form.dispatchDpiChanged(dpi, {300, 200, next(width), next(c.form.pixelHeight())});
    platform.advance(50);
    const gui::Surface s = c.form.surface().devicePixels();
    ASSERT_EQ(s.width(), next(width)) << c.name;
    const Rect from = c.face ? next(*c.face) : Rect{};
    int differing = 0;
    for (int y = next(2); y < next(4); ++y)
      for (int x = next(2); x < next(width - 2); ++x)
        differing += s.pixel(x, y) != (c.face ? atlas.pixel(from.x + x, from.y + y) : skin::kDeepBlue);
    EXPECT_EQ(differing, 0) << c.name;
  }
}

TEST_P(DisplayScale, TheDiaryOpenedOnASecondMonitorTakesThatMonitorsScale) {
  platform.setScreenSize({2560, 2048});  // the primary, at 96 DPI
  platform.addMonitor({2560, 0, 2560, 2048}, {2560, 0, 2560, 2008}, 96 * GetParam() / 100);
  writeSettings({1500, 40000, false, u""});  // the main window at (2667, 100)
  start();
  EXPECT_EQ(mainWindow().bounds(), (Rect{2667, 100, scale(596), scale(567)}));
  EXPECT_EQ(main().form().scale(), scale);
  ASSERT_TRUE(mainWindow().region());
  EXPECT_FALSE(mainWindow().region()->contains({scale(5) - 1, 0}));
  EXPECT_TRUE(mainWindow().region()->contains({scale(5), 0}));
}

INSTANTIATE_TEST_SUITE_P(Scales, DisplayScale, ::testing::Values(100, 150, 200),
                         [](const auto& info) { return "at" + std::to_string(info.param); });

}  // namespace

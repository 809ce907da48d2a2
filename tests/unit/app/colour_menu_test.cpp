// The colour menu of the running diary: its swatches and their order, the
// hover frame on the virtual clock, what a choice does to the editor's
// selection and to the colour button's faces, and what it leaves alone.
#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

using skin::ColourMenu;
using skin::Row;
using skin::ToolbarFace;

// The palette as the user sees it, row by row from the top left.
constexpr int kPalette[48][3] = {
    {255, 255, 255}, {255, 192, 192}, {255, 224, 192}, {255, 255, 192}, {192, 255, 192}, {192, 255, 255},
    {192, 192, 255}, {255, 192, 255}, {224, 224, 224}, {255, 128, 128}, {255, 192, 128}, {255, 255, 128},
    {128, 255, 128}, {128, 255, 255}, {128, 128, 255}, {255, 128, 255}, {192, 192, 192}, {255, 0, 0},
    {255, 128, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},   {0, 0, 255},     {255, 0, 255},
    {128, 128, 128}, {192, 0, 0},     {192, 64, 0},    {192, 192, 0},   {0, 192, 0},     {0, 192, 192},
    {0, 0, 192},     {192, 0, 192},   {64, 64, 64},    {128, 0, 0},     {128, 64, 0},    {128, 128, 0},
    {0, 128, 0},     {0, 128, 128},   {0, 0, 128},     {128, 0, 128},   {0, 0, 0},       {64, 0, 0},
    {128, 64, 64},   {64, 64, 0},     {0, 64, 0},      {0, 64, 64},     {0, 0, 64},      {64, 0, 64}};

base::Color paletteColour(int k) {
  return base::Color::rgb(kPalette[k - 1][0], kPalette[k - 1][1], kPalette[k - 1][2]);
}

class ColourMenuTest : public NavigationTest {
 protected:
  gui::Editor& ed() { return editor(); }
  gui::PictureBox& menu() { return el("mnuSpremniBarvo"); }
  gui::PictureBox& swatch(int k) { return inMenu<gui::PictureBox>("mnuSpremniBarvo", "picBarva(" + std::to_string(k) + ")"); }
  gui::PictureBox& hoverFrame() { return inMenu<gui::PictureBox>("mnuSpremniBarvo", "picIzbranaBarva"); }

  void open() { pressOn(el("BtnSpremeniBarvo")); }
  void pointAway() { platform.moveMouse(centre(text())); }

  // Every face the colour button shows (at rest, fading in, pressed) has `c`
  // in its colour area, drawn over the atlas, which stays as loaded.
  bool atlasShows(base::Color c) {
    return diary->PictureGUI == skin::loadAtlas() &&
           everyFace(el("BtnSpremeniBarvo"), [&](Row row) { return buttonShows(c, row); });
  }
  // The colour button, at rest (or in `row`), shows `c` in its colour area.
  bool buttonShows(base::Color c, Row row = Row::Rest) {
    const base::Rect f = skin::toolbarFace(ToolbarFace::SpremeniBarvo, row);
    const base::Rect a = skin::colourArea(row);
    const gui::Surface& s = el("BtnSpremeniBarvo").surface();
    for (int y = 0; y < a.h; ++y)
      for (int x = 0; x < a.w; ++x)
        if (s.pixel(a.x - f.x + x, a.y - f.y + y) != c) return false;
    return true;
  }
};

TEST_F(ColourMenuTest, FortyEightSwatchesInTheirFramesUnderTheButton) {
  start();
  EXPECT_EQ(menu().find("picBarva(49)"), nullptr);
  EXPECT_FALSE(swatch(0).visible());
  const gui::Surface fresh = skin::loadAtlas();
  for (int k = 1; k <= 48; ++k) {
    const gui::PictureBox& s = swatch(k);
    const int row = (k - 1) / 8, col = (k - 1) % 8;
    EXPECT_EQ(s.bounds(), (gui::Rect{20 * col + 4, 20 * row + 4, 16, 16})) << k;
    EXPECT_TRUE(s.visible()) << k;
    EXPECT_EQ(s.backColor(), paletteColour(k)) << k;
    EXPECT_EQ(s.surface().pixel(8, 8), paletteColour(k)) << k;
    // The skin frame's top-left corner one pixel outside the swatch.
    EXPECT_EQ(menu().surface().pixel(s.left() - 1, s.top() - 1), fresh.pixel(294, 99)) << k;
    EXPECT_EQ(menu().surface().pixel(s.left() + 16, s.top() + 16), fresh.pixel(294 + 17, 99 + 17)) << k;
  }
  // Today's text is black, and so is the button at start.
  EXPECT_TRUE(atlasShows(base::Color::rgb(0, 0, 0)));
  EXPECT_TRUE(buttonShows(base::Color::rgb(0, 0, 0)));
}

// What a choice does to today's selection only: the toolbar menus' table.
TEST_F(ColourMenuTest, AChosenColourShowsInEveryButtonFace) {
  start();
  type(u"rdeča beseda");
  ed().setSelection(0, 5);
  open();
  pressOn(swatch(18));  // red
  const base::Color red = base::Color::rgb(255, 0, 0);
  EXPECT_FALSE(hoverFrame().visible());
  EXPECT_TRUE(atlasShows(red));
  pointAway();
  platform.advance(1000);
  EXPECT_TRUE(buttonShows(red));
  // The right button chooses as well.
  open();
  pressOn(swatch(23), gui::kRightButton);  // blue
  EXPECT_EQ(ed().SelColor(), base::Color::rgb(0, 0, 255));
  EXPECT_TRUE(atlasShows(base::Color::rgb(0, 0, 255)));
  EXPECT_FALSE(menu().visible());
}

TEST_F(ColourMenuTest, AMixedSelectionTakesTheColour) {
  start();
  type(u"ab");
  ed().setSelection(0, 1);
  ed().setSelColor(base::Color::rgb(0, 128, 0));
  ed().setSelection(0, 2);
  ASSERT_FALSE(ed().SelColor().has_value());
  open();
  pressOn(swatch(26));  // dark red over both colours
  EXPECT_EQ(ed().SelColor(), base::Color::rgb(192, 0, 0));
  EXPECT_TRUE(atlasShows(base::Color::rgb(192, 0, 0)));
}

}  // namespace

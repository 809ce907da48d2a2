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
  gui::Editor& ed() { return main().editor(); }
  ColourMenu& colours() { return *main().barve; }
  gui::PictureBox& menu() { return main().menus->mnuSpremniBarvo; }

  void open() { pressOn(main().BtnSpremeniBarvo); }
  void pointAway() { platform.moveMouse(centre(main().Text)); }

  // Every face the colour button can show (each row of its fades) has `c` in
  // its colour area, drawn over the atlas, which stays as loaded.
  bool atlasShows(base::Color c) {
    bool all = diary->PictureGUI == skin::loadAtlas();
    for (Row row : skin::kRows) {
      main().spremeniBarvo->drawFace(row);
      all = all && buttonShows(c, row);
    }
    main().spremeniBarvo->drawFace(Row::Rest);
    return all;
  }
  // The colour button, at rest (or in `row`), shows `c` in its colour area.
  bool buttonShows(base::Color c, Row row = Row::Rest) {
    const base::Rect f = skin::toolbarFace(ToolbarFace::SpremeniBarvo, row);
    const base::Rect a = skin::colourArea(row);
    const gui::Surface& s = main().BtnSpremeniBarvo.surface();
    for (int y = 0; y < a.h; ++y)
      for (int x = 0; x < a.w; ++x)
        if (s.pixel(a.x - f.x + x, a.y - f.y + y) != c) return false;
    return true;
  }
};

TEST_F(ColourMenuTest, FortyEightSwatchesInTheirFramesUnderTheButton) {
  start();
  EXPECT_EQ(menu().bounds(), (gui::Rect{228, 58, 166, 129}));
  EXPECT_FALSE(menu().visible());
  ASSERT_EQ(colours().picBarva.size(), 49u);
  EXPECT_FALSE(colours().picBarva[0]->visible());
  const gui::Surface fresh = skin::loadAtlas();
  for (int k = 1; k <= 48; ++k) {
    const gui::PictureBox& s = *colours().picBarva[k];
    const int row = (k - 1) / 8, col = (k - 1) % 8;
    EXPECT_EQ(s.bounds(), (gui::Rect{20 * col + 4, 20 * row + 4, 16, 16})) << k;
    EXPECT_TRUE(s.visible()) << k;
    EXPECT_EQ(s.backColor(), paletteColour(k)) << k;
    EXPECT_EQ(s.surface().pixel(8, 8), paletteColour(k)) << k;
    // The skin frame's top-left corner one pixel outside the swatch.
    EXPECT_EQ(menu().surface().pixel(s.left() - 1, s.top() - 1), fresh.pixel(294, 99)) << k;
    EXPECT_EQ(menu().surface().pixel(s.left() + 16, s.top() + 16), fresh.pixel(294 + 17, 99 + 17)) << k;
  }
  EXPECT_EQ(colours().picBarva[1]->backColor(), base::Color::rgb(255, 255, 255));
  EXPECT_EQ(colours().picBarva[41]->backColor(), base::Color::rgb(0, 0, 0));
  EXPECT_FALSE(colours().picIzbranaBarva.visible());
  EXPECT_EQ(colours().picIzbranaBarva.width(), 20);
  EXPECT_EQ(colours().picIzbranaBarva.height(), 20);
  EXPECT_FALSE(colours().tmrMnuBarve.enabled());
  // The separator line above the bottom edge.
  EXPECT_TRUE(shows(menu().surface(), {291, 141, 166, 2}, {0, 123}));
  // Today's text is black, and so is the button at start.
  EXPECT_TRUE(atlasShows(base::Color::rgb(0, 0, 0)));
  EXPECT_TRUE(buttonShows(base::Color::rgb(0, 0, 0)));
}

TEST_F(ColourMenuTest, PointingFramesASwatchUntilThePointerLeavesTheMenu) {
  start();
  open();
  ASSERT_TRUE(menu().visible());
  gui::PictureBox& s10 = *colours().picBarva[10];
  pointAt(s10);
  gui::PictureBox& frame = colours().picIzbranaBarva;
  EXPECT_TRUE(frame.visible());
  EXPECT_EQ(frame.left(), s10.left() - 2);
  EXPECT_EQ(frame.top(), s10.top() - 2);
  EXPECT_TRUE(colours().tmrMnuBarve.enabled());
  // On screen, the ring around the swatch is the skin's hover frame.
  const gui::Surface fresh = skin::loadAtlas();
  gui::Surface screen = platform.shown(main().form());
  const base::Rect m = menu().formRect();
  EXPECT_EQ(screen.pixel(m.x + frame.left(), m.y + frame.top()), fresh.pixel(313, 98));
  EXPECT_EQ(screen.pixel(m.x + frame.left() + 19, m.y + frame.top() + 10), fresh.pixel(313 + 19, 98 + 10));
  EXPECT_EQ(screen.pixel(m.x + s10.left() + 8, m.y + s10.top() + 8), paletteColour(10));
  // Off the menu: gone within one tick, the menu stays open.
  pointAway();
  platform.advance(50);
  EXPECT_FALSE(frame.visible());
  EXPECT_FALSE(colours().tmrMnuBarve.enabled());
  EXPECT_TRUE(menu().visible());
  // A press paints the pressed frame, and dragging off the menu keeps it.
  pointAt(*colours().picBarva[20]);
  platform.mouseDown();
  EXPECT_EQ(frame.tag(), "D");
  EXPECT_TRUE(shows(frame.surface(), {333, 98, 20, 20}));
  pointAt(*colours().picBarva[30]);
  EXPECT_EQ(frame.left(), colours().picBarva[20]->left() - 2);
  pointAway();
  platform.advance(200);
  EXPECT_TRUE(frame.visible());
  platform.mouseUp();
  EXPECT_EQ(frame.tag(), "");
  EXPECT_TRUE(shows(frame.surface(), {313, 98, 20, 20}));
}

TEST_F(ColourMenuTest, ChoosingAColourColoursTheSelectionAndEveryButtonFace) {
  start();
  app::frmMain& m = main();
  type(u"rdeča beseda");
  ed().setSelection(0, 5);
  open();
  pressOn(*colours().picBarva[18]);  // red
  const base::Color red = base::Color::rgb(255, 0, 0);
  EXPECT_EQ(ed().SelColor(), red);
  EXPECT_FALSE(menu().visible());
  EXPECT_FALSE(colours().picIzbranaBarva.visible());
  EXPECT_EQ(m.picBarvaZaGumb.backColor(), red);
  EXPECT_TRUE(atlasShows(red));
  pointAway();
  platform.advance(1000);
  EXPECT_TRUE(buttonShows(red));
  ed().setSelection(6, 6);
  EXPECT_EQ(ed().SelColor(), base::Color::rgb(0, 0, 0));  // only the selection changed
  // The right button chooses as well.
  open();
  pressOn(*colours().picBarva[23], gui::kRightButton);  // blue
  EXPECT_EQ(ed().SelColor(), base::Color::rgb(0, 0, 255));
  EXPECT_TRUE(atlasShows(base::Color::rgb(0, 0, 255)));
  EXPECT_FALSE(menu().visible());
}

TEST_F(ColourMenuTest, AMixedSelectionTakesTheColourAndAReadOnlyDayKeepsItsOwn) {
  addText("12-06-2026", "yesterday");
  start();
  app::frmMain& m = main();
  type(u"ab");
  ed().setSelection(0, 1);
  ed().setSelColor(base::Color::rgb(0, 128, 0));
  ed().setSelection(0, 2);
  ASSERT_FALSE(ed().SelColor().has_value());
  open();
  pressOn(*colours().picBarva[26]);  // dark red over both colours
  EXPECT_EQ(ed().SelColor(), base::Color::rgb(192, 0, 0));
  EXPECT_TRUE(atlasShows(base::Color::rgb(192, 0, 0)));
  // Yesterday is read-only: the choice changes neither the text nor the
  // button, but the menu closes.
  clickRow(m.Datumi1, 1);
  ASSERT_TRUE(ed().Locked());
  ed().setSelection(0, 3);
  const std::optional<base::Color> before = ed().SelColor();
  menu().setVisible(true);
  pressOn(*colours().picBarva[7]);
  EXPECT_EQ(ed().SelColor(), before);
  EXPECT_NE(ed().SelColor(), paletteColour(7));
  EXPECT_FALSE(menu().visible());
  EXPECT_EQ(m.picBarvaZaGumb.backColor(), base::Color::rgb(192, 0, 0));
  EXPECT_TRUE(atlasShows(base::Color::rgb(192, 0, 0)));
}

}  // namespace

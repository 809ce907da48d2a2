// Every rectangle the diary copies out of the skin, written out again here
// from the description of the windows, must be in the table under its name
// and lie inside the atlas.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "skin/rects.h"

using namespace skin;

namespace {

struct Expected {
  std::string name;
  Rect rect;
};

std::vector<Expected> expectedRects() {
  std::vector<Expected> e = {
      // Frame of the main window.
      {"title tile", {19, 0, 60, 26}},
      {"PicNaslov tile", {19, 4, 60, 15}},
      {"bottom edge tile", {19, 27, 60, 5}},
      {"toolbar band tile", {11, 205, 60, 32}},
      {"left edge", {0, 27, 6, 60}},
      {"right edge", {7, 27, 5, 60}},
      {"top-left corner", {0, 0, 6, 26}},
      {"bottom-left corner", {0, 88, 6, 5}},
      {"top-right corner", {7, 0, 5, 26}},
      {"bottom-right corner", {7, 88, 5, 5}},
      {"caption-button plate", {0, 94, 115, 26}},
      {"right edge beside the toolbar", {13, 0, 5, 78}},
      {"toolbar left end", {0, 205, 10, 32}},
      {"toolbar right end", {73, 205, 32, 32}},
      {"separator active", {106, 205, 2, 32}},
      {"separator inactive", {56, 205, 2, 32}},
      // Editor frame and day list, cut from the box graphic.
      {"PicText left edge", {118, 11, 3, 10}},
      {"PicText right edge", {290, 11, 3, 10}},
      {"PicText top edge", {170, 0, 10, 3}},
      {"PicText bottom edge", {170, 29, 10, 3}},
      {"PicText top-left end", {118, 0, 70, 3}},
      {"PicText top-right end", {223, 0, 70, 3}},
      {"PicText bottom-left end", {118, 29, 70, 3}},
      {"PicText bottom-right end", {223, 29, 70, 3}},
      {"PicDatumi row", {118, 11, 175, 10}},
      {"PicDatumi top", {118, 0, 175, 10}},
      {"PicDatumi bottom", {118, 22, 175, 10}},
      {"box", {118, 0, 175, 32}},
      // Year and month boxes.
      {"date box", {58, 32, 175, 20}},
      {"drop button", {79, 0, 14, 14}},
      {"drop button pressed", {93, 0, 14, 14}},
      {"search field", {460, 0, 175, 20}},
      {"BtnSearchClose rest", {460, 22, 14, 14}},
      {"BtnSearchClose pressed", {474, 22, 14, 14}},
      // Mini clock window.
      {"frmMini", {190, 72, 101, 111}},
      {"frmMini BtnZloži rest", {58, 72, 13, 13}},
      {"frmMini BtnZloži hover", {71, 72, 13, 13}},
      {"frmMini BtnZloži pressed", {84, 72, 13, 13}},
      // Password windows.
      {"frmSpremeniGeslo", {0, 237, 190, 145}},
      {"picSpodaj", {0, 383, 190, 8}},
      {"password dot", {116, 104, 10, 16}},
      {"frmGeslo", {0, 120, 190, 85}},
      {"password area", {58, 52, 154, 20}},
      // Menus.
      {"mnuPoravnaj", {293, 0, 78, 29}},
      {"mnuBtnPoravnajLevo rest", {293, 29, 24, 24}},
      {"mnuBtnPoravnajLevo hover", {293, 52, 24, 24}},
      {"mnuBtnPoravnajLevo pressed", {293, 75, 24, 24}},
      {"mnuBtnPoravnajNaSredino rest", {317, 29, 24, 24}},
      {"mnuBtnPoravnajNaSredino hover", {317, 52, 24, 24}},
      {"mnuBtnPoravnajNaSredino pressed", {317, 75, 24, 24}},
      {"mnuBtnPoravnajDesno rest", {341, 29, 24, 24}},
      {"mnuBtnPoravnajDesno hover", {341, 52, 24, 24}},
      {"mnuBtnPoravnajDesno pressed", {341, 75, 24, 24}},
      {"size menu tile", {291, 120, 23, 20}},
      {"size menu right edge", {456, 120, 1, 20}},
      {"size menu edge", {291, 118, 24, 1}},
      {"menu tile", {291, 120, 166, 20}},
      {"menu edge", {291, 118, 166, 1}},
      {"menu separator", {291, 141, 166, 2}},
      {"swatch frame", {294, 99, 18, 18}},
      {"hover frame", {313, 98, 20, 20}},
      {"hover frame pressed", {333, 98, 20, 20}},
      // Colour button swatch areas.
      {"colour area rest", {597, 312, 23, 15}},
      {"colour area fade 1", {596, 272, 25, 17}},
      {"colour area fade 2", {595, 232, 27, 19}},
      {"colour area highlight", {594, 192, 29, 21}},
      {"colour area pressed", {596, 350, 29, 21}},
      // Size button digit places and the digit strips.
      {"size tens highlight", {640, 197, 8, 12}},
      {"size units highlight", {649, 197, 8, 12}},
      {"size tens fade 2", {642, 237, 7, 11}},
      {"size units fade 2", {650, 237, 7, 11}},
      {"size tens fade 1", {644, 276, 6, 10}},
      {"size units fade 1", {651, 276, 6, 10}},
      {"size tens rest", {645, 316, 6, 9}},
      {"size units rest", {652, 316, 6, 9}},
      {"size tens pressed", {642, 355, 8, 12}},
      {"size units pressed", {651, 355, 8, 12}},
      {"digits 8x12", {371, 0, 80, 12}},
      {"digits 7x11", {371, 12, 70, 11}},
      {"digits 6x10", {371, 23, 60, 10}},
      {"digits 6x9", {371, 33, 60, 9}},
  };
  // Caption buttons: rest, hover and pressed side by side.
  const std::pair<const char*, Point> captions[] = {{"BtnZapri", {19, 33}},          {"BtnMini", {19, 46}},
                                                    {"BtnZloži", {19, 72}},          {"BtnVednoNaVrhu off", {19, 59}},
                                                    {"BtnVednoNaVrhu on", {79, 14}}};
  for (auto [name, p] : captions) {
    e.push_back({std::string(name) + " rest", {p.x, p.y, 13, 13}});
    e.push_back({std::string(name) + " hover", {p.x + 13, p.y, 13, 13}});
    e.push_back({std::string(name) + " pressed", {p.x + 26, p.y, 13, 13}});
  }
  // Toolbar faces: five rows of every column.
  const std::pair<const char*, int> rows[] = {
      {"highlight", 183}, {"fade 2", 222}, {"fade 1", 261}, {"rest", 300}, {"pressed", 339}};
  const std::tuple<const char*, int, int> columns[] = {
      {"BtnGeslo", 190, 41},           {"BtnKrepko on", 232, 41},      {"BtnKrepko off", 272, 41},
      {"BtnLežeče on", 312, 41},       {"BtnLežeče off", 352, 41},     {"BtnPodčrtano on", 392, 41},
      {"BtnPodčrtano off", 432, 41},   {"BtnPoravnaj left", 472, 41},  {"BtnPoravnaj right", 512, 41},
      {"BtnPoravnaj centre", 552, 41}, {"BtnSpremeniBarvo", 592, 43},  {"BtnSpremeniVelikost", 636, 46}};
  for (auto [col, x, w] : columns)
    for (auto [row, y] : rows) e.push_back({std::string(col) + " " + row, {x, y, w, 39}});
  return e;
}

bool insideAtlas(Rect r) { return r.x >= 0 && r.y >= 0 && r.right() <= kAtlasWidth && r.bottom() <= kAtlasHeight && !r.empty(); }

}  // namespace

TEST(SkinRects, EveryRectangleTheWindowsCopyIsInTheTableAndInsideTheAtlas) {
  const auto expected = expectedRects();
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const std::optional<Rect> found = findRect(e.name);
    ASSERT_TRUE(found.has_value()) << "missing from the table";
    EXPECT_EQ(*found, e.rect);
    EXPECT_TRUE(insideAtlas(e.rect));
  }
  // And the table holds nothing else, each name once.
  std::set<std::string> names;
  for (const NamedRect& n : allRects()) {
    EXPECT_TRUE(names.insert(std::string(n.name)).second) << "duplicate name " << n.name;
    EXPECT_TRUE(insideAtlas(n.rect)) << n.name;
  }
  EXPECT_EQ(names.size(), expected.size());
}

TEST(SkinRects, ButtonsPickTheirColumnFromTheEditorState) {
  EXPECT_EQ(toolbarFace(krepkoFace(true), Row::Highlight), (Rect{232, 183, 41, 39}));
  EXPECT_EQ(toolbarFace(krepkoFace(false), Row::Rest).x, 272);
  EXPECT_EQ(toolbarFaceX(ležečeFace(true)), 312);
  EXPECT_EQ(toolbarFaceX(ležečeFace(false)), 352);
  EXPECT_EQ(toolbarFaceX(podčrtanoFace(true)), 392);
  EXPECT_EQ(toolbarFaceX(podčrtanoFace(false)), 432);
  EXPECT_EQ(toolbarFaceX(poravnajFace(base::Alignment::Left)), 472);
  EXPECT_EQ(toolbarFaceX(poravnajFace(base::Alignment::Right)), 512);
  EXPECT_EQ(toolbarFaceX(poravnajFace(base::Alignment::Center)), 552);
  EXPECT_EQ(toolbarButtonWidth(ToolbarFace::KrepkoOn), 39);
  EXPECT_EQ(toolbarButtonWidth(ToolbarFace::Geslo), 41);
  EXPECT_EQ(captionFace(vednoNaVrhuFace(true), ButtonState::Rest), (Rect{79, 14, 13, 13}));
  EXPECT_EQ(captionFace(vednoNaVrhuFace(false), ButtonState::Pressed), (Rect{45, 59, 13, 13}));
  // Digit glyph d of a strip starts at 371 + d·w.
  EXPECT_EQ(digitStrip(Row::Fade1).glyph(7), (Rect{371 + 7 * 6, 23, 6, 10}));
  EXPECT_EQ(digitStrip(Row::Pressed).glyph(9), (Rect{371 + 9 * 8, 0, 8, 12}));
}

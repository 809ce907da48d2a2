// The built-in artwork as the windows will see it: faces that are copied as
// they stand carry no key colour, round faces are shaped by it, the fade
// rows really lie between rest and highlight, and the two repainted areas
// take what the pickers write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/scale.h"
#include "skin/atlas.h"
#include "skin/rects.h"

using namespace skin;
using base::Color;
using base::kKeyColor;

namespace {

const gui::Surface& atlas() {
  static const gui::Surface a = loadAtlas();
  return a;
}

int keyPixels(const gui::Surface& s, Rect r) {
  int n = 0;
  for (int y = r.y; y < r.bottom(); ++y)
    for (int x = r.x; x < r.right(); ++x) n += s.pixel(x, y) == kKeyColor;
  return n;
}

double distance(Color a, Color b) {
  return std::sqrt(std::pow(a.r() - b.r(), 2) + std::pow(a.g() - b.g(), 2) + std::pow(a.b() - b.b(), 2));
}

// Mean colour distance between two faces of the same size.
double faceDistance(Rect a, Rect b) {
  double sum = 0;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) sum += distance(atlas().pixel(a.x + x, a.y + y), atlas().pixel(b.x + x, b.y + y));
  return sum / (a.w * a.h);
}

int saturation(Color c) { return std::max({c.r(), c.g(), c.b()}) - std::min({c.r(), c.g(), c.b()}); }

}  // namespace

TEST(SkinAtlas, HasTheSizeOfTheSkinAndMagentaBetweenFaces) {
  EXPECT_EQ(atlas().width(), 683);
  EXPECT_EQ(atlas().height(), 391);
  EXPECT_EQ(atlas().pixel(231, 200), kKeyColor);  // the gap between BtnGeslo and BtnKrepko
  EXPECT_EQ(atlas().pixel(682, 390), kKeyColor);
  // Every load gives a fresh, identical copy.
  EXPECT_EQ(loadAtlas(), atlas());
}

TEST(SkinAtlas, FacesCopiedAsTheyStandShowNoKeyColour) {
  for (const NamedRect& n : allRects()) {
    const std::string name(n.name);
    // Shaped by the key colour: round buttons, the mini window, the corners the region cuts.
    const bool shaped = name.starts_with("Btn") || name.starts_with("frmMini") || name.starts_with("drop button") ||
                        name.find("corner") != std::string::npos;
    const bool toolbar = name.starts_with("BtnGeslo") || name.starts_with("BtnKrepko") ||
                         name.starts_with("BtnLežeče") || name.starts_with("BtnPodčrtano") ||
                         name.starts_with("BtnPoravnaj") || name.starts_with("BtnSpremeni");
    if (shaped && !toolbar) continue;
    Rect r = n.rect;
    if (toolbar) r.w = 39;  // what every toolbar button shows of its face at least
    EXPECT_EQ(keyPixels(atlas(), r), 0) << name;
  }
}

TEST(SkinAtlas, RoundButtonsHaveMagentaCornersAndASolidMiddle) {
  for (int b = 0; b < kCaptionButtonCount; ++b)
    for (ButtonState s : kButtonStates) {
      const Rect f = captionFace(static_cast<CaptionButton>(b), s);
      SCOPED_TRACE(testing::Message() << "button " << b << " state " << int(s));
      for (auto [x, y] : {std::pair{0, 0}, {12, 0}, {0, 12}, {12, 12}, {1, 1}})
        EXPECT_EQ(atlas().pixel(f.x + x, f.y + y), kKeyColor);
      EXPECT_EQ(keyPixels(atlas(), {f.x + 2, f.y + 2, 9, 9}), 0);
      EXPECT_NE(atlas().pixel(f.x + 6, f.y), kKeyColor);  // round to the edge, not a smaller dot
    }
  EXPECT_EQ(atlas().pixel(r::dropButton.x, r::dropButton.y), kKeyColor);
  EXPECT_EQ(keyPixels(atlas(), {r::dropButton.x + 3, r::dropButton.y + 3, 8, 8}), 0);
}

TEST(SkinAtlas, WindowCornersAreMagentaExactlyWhereTheRegionCutsThem) {
  const Rect tl = r::topLeftCorner, tr = r::topRightCorner;
  static constexpr int cut[5] = {5, 3, 2, 1, 1};
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < 5; ++x) {
      const bool isCut = y < 5 && x < cut[y];
      EXPECT_EQ(atlas().pixel(tl.x + x, tl.y + y) == kKeyColor, isCut) << x << "," << y;
      EXPECT_EQ(atlas().pixel(tr.right() - 1 - x, tr.y + y) == kKeyColor, isCut) << x << "," << y;
    }
  EXPECT_EQ(keyPixels(atlas(), r::bottomLeftCorner), 3);
  EXPECT_EQ(keyPixels(atlas(), r::bottomRightCorner), 3);
}

TEST(SkinAtlas, SharedPicturesAgree) {
  // The password area repainted after a good password is the login face's own.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 154; ++x)
      ASSERT_EQ(atlas().pixel(r::passwordBox.x + x, r::passwordBox.y + y),
                atlas().pixel(r::frmGeslo.x + 18 + x, r::frmGeslo.y + 33 + y));
  // The dot cell's background is the field's inside, so the strip blends in.
  EXPECT_EQ(atlas().pixel(r::passwordDot.x, r::passwordDot.y), atlas().pixel(r::frmGeslo.x + 18 + 3, r::frmGeslo.y + 35));
  // The inactive separator is plain band: read-only days show no separators.
  for (int y = 0; y < 32; ++y)
    EXPECT_EQ(atlas().pixel(r::inactiveSeparator.x, r::inactiveSeparator.y + y), atlas().pixel(r::toolbarBand.x, r::toolbarBand.y + y));
  // Toolbar faces continue the band they are placed on (their rows 7 and below).
  const Rect face = toolbarFace(ToolbarFace::KrepkoOn, Row::Rest);
  EXPECT_EQ(atlas().pixel(face.x, face.y + 10), atlas().pixel(r::toolbarBand.x, r::toolbarBand.y + 3));
}

TEST(SkinAtlas, HoverFadesInThroughTrueIntermediateSteps) {
  for (int f = 0; f < kToolbarFaceCount; ++f) {
    const auto face = static_cast<ToolbarFace>(f);
    if (face == ToolbarFace::SpremeniBarvo || face == ToolbarFace::SpremeniVelikost) continue;  // they also grow
    SCOPED_TRACE(f);
    const Rect rest = toolbarFace(face, Row::Rest);
    const double d1 = faceDistance(rest, toolbarFace(face, Row::Fade1));
    const double d2 = faceDistance(rest, toolbarFace(face, Row::Fade2));
    const double d3 = faceDistance(rest, toolbarFace(face, Row::Highlight));
    EXPECT_GT(d1, 0.2 * d3);
    EXPECT_GT(d2, d1 + 0.2 * d3);
    EXPECT_GT(d3, d2 + 0.2 * d3);
    EXPECT_GT(faceDistance(toolbarFace(face, Row::Pressed), toolbarFace(face, Row::Highlight)), 1.0);
  }
}

TEST(SkinAtlas, RestRowIsQuieterThanTheHighlightButNotGreyAndTogglesShowTickOrRedCross) {
  auto maxSaturation = [](Rect r) {
    int m = 0;
    for (int y = r.y; y < r.bottom(); ++y)
      for (int x = r.x; x < r.x + 39; ++x) m = std::max(m, saturation(atlas().pixel(x, y)));
    return m;
  };
  auto countRed = [](Rect r) {
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
      for (int x = r.x; x < r.x + 39; ++x) {
        const Color c = atlas().pixel(x, y);
        n += c.r() > 180 && c.g() < 90 && c.b() < 90;
      }
    return n;
  };
  for (auto [on, off] : {std::pair{ToolbarFace::KrepkoOn, ToolbarFace::KrepkoOff},
                         {ToolbarFace::LežečeOn, ToolbarFace::LežečeOff},
                         {ToolbarFace::PodčrtanoOn, ToolbarFace::PodčrtanoOff}}) {
    // Grey would read as disabled.
    const int rest = maxSaturation(toolbarFace(off, Row::Rest)), lit = maxSaturation(toolbarFace(off, Row::Highlight));
    EXPECT_LT(rest, lit);
    EXPECT_GT(rest, lit / 2);
    EXPECT_GT(countRed(toolbarFace(off, Row::Highlight)), 10);
    EXPECT_EQ(countRed(toolbarFace(on, Row::Highlight)), 0);
    EXPECT_GT(countRed(toolbarFace(off, Row::Pressed)), 10);
  }
}

TEST(SkinAtlas, SizeDigitsAreWrittenIntoAllFiveFaces) {
  for (const DigitStrip& s : kDigitStrips)
    for (int a = 0; a < 10; ++a)
      for (int b = a + 1; b < 10; ++b) {
        gui::Surface ga(s.w, s.h), gb(s.w, s.h);
        ga.blit(atlas(), s.glyph(a), {0, 0});
        gb.blit(atlas(), s.glyph(b), {0, 0});
        EXPECT_NE(ga, gb) << "digits " << a << " and " << b << " of the " << s.w << "x" << s.h << " strip look alike";
      }
  auto shows = [](const gui::Surface& a, Point at, Rect glyph) {
    for (int y = 0; y < glyph.h; ++y)
      for (int x = 0; x < glyph.w; ++x)
        if (a.pixel(at.x + x, at.y + y) != a.pixel(glyph.x + x, glyph.y + y)) return false;
    return true;
  };
  gui::Surface a = loadAtlas();
  drawSizeDigits(a, 9);  // one digit: the tens place shows 0
  for (Row row : kRows) {
    EXPECT_TRUE(shows(a, sizeDigitPlaces(row).tens, digitStrip(row).glyph(0)));
    EXPECT_TRUE(shows(a, sizeDigitPlaces(row).units, digitStrip(row).glyph(9)));
  }
  // Nothing outside the digit places changed.
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      bool inPlace = false;
      for (Row row : kRows) {
        const DigitStrip s = digitStrip(row);
        const SizeDigitPlaces p = sizeDigitPlaces(row);
        inPlace |= Rect{p.tens.x, p.tens.y, s.w, s.h}.contains({x, y}) || Rect{p.units.x, p.units.y, s.w, s.h}.contains({x, y});
      }
      if (!inPlace) {
        ASSERT_EQ(a.pixel(x, y), atlas().pixel(x, y)) << x << "," << y;
      }
    }
  drawSizeDigits(a, 100);  // three digits: the first and the last, 10 again
  EXPECT_TRUE(shows(a, sizeDigitPlaces(Row::Pressed).tens, digitStrip(Row::Pressed).glyph(1)));
  EXPECT_TRUE(shows(a, sizeDigitPlaces(Row::Pressed).units, digitStrip(Row::Pressed).glyph(0)));
  EXPECT_EQ(a, atlas());  // the built-in atlas starts out showing 10 pt
}

TEST(SkinAtlas, ColourAreasTakeTheChosenColourAndNothingElseChanges) {
  gui::Surface a = loadAtlas();
  const Color red = Color::rgb(255, 0, 0);
  drawColourAreas(a, red);
  for (Row row : kRows) {
    const Rect r = colourArea(row);
    EXPECT_EQ(a.pixel(r.x, r.y), red);
    EXPECT_EQ(a.pixel(r.right() - 1, r.bottom() - 1), red);
    EXPECT_EQ(a.pixel(r.x - 1, r.y), atlas().pixel(r.x - 1, r.y));
    EXPECT_EQ(a.pixel(r.right(), r.bottom()), atlas().pixel(r.right(), r.bottom()));
    // The area sits inside its face.
    const Rect face = toolbarFace(ToolbarFace::SpremeniBarvo, row);
    EXPECT_EQ(face.intersect(r), r);
  }
}

TEST(SkinClock, DialFitsTheMiniWindowAndItsFaceBacksEveryVisibleDialPixel) {
  const gui::Surface clock = loadClockFace(), cap = loadClockCap();
  ASSERT_EQ(clock.width(), 100);
  ASSERT_EQ(clock.height(), 100);
  EXPECT_EQ(clock.pixel(0, 0), kKeyColor);
  EXPECT_EQ(clock.pixel(99, 99), kKeyColor);
  EXPECT_NE(clock.pixel(50, 50), kKeyColor);
  // picClock sits at (1, 16) of the 101 × 111 window: the dial must end
  // above the window's bottom, and the window's face must not be cut away
  // under it (a shaped window clips its children).
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      if (clock.pixel(x, y) == kKeyColor) continue;
      ASSERT_LT(16 + y, 111) << "dial pixel " << x << "," << y << " falls outside the window";
      ASSERT_NE(atlas().pixel(r::frmMini.x + 1 + x, r::frmMini.y + 16 + y), kKeyColor) << x << "," << y;
    }
  EXPECT_EQ(cap.width(), 7);
  EXPECT_EQ(cap.height(), 7);
  EXPECT_EQ(cap.pixel(0, 0), kKeyColor);
  EXPECT_NE(cap.pixel(3, 3), kKeyColor);
  // The drag strip left of the buttons (x ≤ 65, y ≤ 21) is part of the window.
  EXPECT_NE(atlas().pixel(r::frmMini.x + 30, r::frmMini.y + 10), kKeyColor);
}

// ---- The artwork painted at the larger scales --------------------------

namespace {

std::set<uint32_t> coloursOf(const gui::Surface& s) {
  std::set<uint32_t> c;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) c.insert(s.pixel(x, y).value);
  return c;
}

}  // namespace

class SkinAtlasAtScale : public testing::TestWithParam<int> {};

// Every face lies at its scaled rectangle: the faces that show no key colour
// at 100 % show none at the scale (a face painted a pixel off would), and the
// shaped ones are cut by about as much.
TEST_P(SkinAtlasAtScale, EveryNamedRectangleHoldsItsFaceAtTheScaledPlace) {
  const base::Scale s{GetParam()};
  const gui::Surface a = loadAtlas(GetParam()).devicePixels();
  ASSERT_EQ(a.width(), s(683));
  ASSERT_EQ(a.height(), s(391));
  for (const NamedRect& n : allRects()) {
    const Rect r = s(n.rect);
    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= a.width() && r.bottom() <= a.height()) << n.name;
    const double at100 = double(keyPixels(atlas(), n.rect)) / (n.rect.w * n.rect.h);
    const double scaled = double(keyPixels(a, r)) / (r.w * r.h);
    // A small round face's disc is kept a pixel inside its span where the
    // span may vary, so it shows up to a fifth more key.
    if (at100 == 0) EXPECT_EQ(keyPixels(a, r), 0) << n.name;
    else EXPECT_NEAR(scaled, at100, n.rect.w <= 14 ? 0.22 : 0.08) << n.name;
  }
  // The dial and cap keep their proportions too.
  const gui::Surface dial = loadClockFace(GetParam()).devicePixels(), cap = loadClockCap(GetParam()).devicePixels();
  EXPECT_EQ(dial.width(), s(100));
  EXPECT_EQ(cap.width(), s(7));
  const gui::Surface dial100 = loadClockFace();
  EXPECT_NEAR(double(keyPixels(dial, dial.bounds())) / (dial.width() * dial.height()),
              double(keyPixels(dial100, dial100.bounds())) / (100 * 100), 0.01);
}

// The larger pictures keep the exact colours of the 100 % ones.
TEST_P(SkinAtlasAtScale, UsesOnlyTheColoursOfThe100PercentPicture) {
  const std::pair<gui::Surface, gui::Surface> pictures[] = {{loadAtlas(), loadAtlas(GetParam()).devicePixels()},
                                                            {loadClockFace(), loadClockFace(GetParam()).devicePixels()},
                                                            {loadClockCap(), loadClockCap(GetParam()).devicePixels()}};
  for (const auto& [base, scaled] : pictures) {
    const std::set<uint32_t> palette = coloursOf(base);
    for (uint32_t c : coloursOf(scaled)) EXPECT_TRUE(palette.count(c)) << std::hex << c;
  }
}

// The round caption buttons' icons are drawn in whole pixels: each is its
// own mirror image, centred on its disc, and the dash's and chevrons'
// columns all hold the same height of ink. Where a face may land on a span a
// pixel wider or narrower than its own, its last column and row are key, so
// the one repeated or dropped to fit never doubles or cuts the outline.
TEST_P(SkinAtlasAtScale, CaptionIconsAreEvenAndCentred) {
  const gui::Surface a = loadAtlas(GetParam()).devicePixels();
  const bool spansVary = kCaptionSize * GetParam() % 100 != 0;
  for (int b = 0; b < kCaptionButtonCount; ++b) {
    const Rect f = base::Scale{GetParam()}(captionFace(CaptionButton(b), ButtonState::Rest));
    auto ink = [&](int x, int y) { return a.pixel(f.x + x, f.y + y) == Color::rgb(18, 66, 105); };
    auto key = [&](int x, int y) { return a.pixel(f.x + x, f.y + y) == base::kKeyColor; };
    std::vector<int> height(size_t(f.w), 0);
    int l = f.w, r = -1, discL = f.w, discR = -1;  // the first and last columns holding ink, and the disc
    for (int x = 0; x < f.w; ++x) {
      for (int y = 0; y < f.h; ++y) {
        height[size_t(x)] += ink(x, y);
        if (!key(x, y)) discL = std::min(discL, x), discR = x;
      }
      if (height[size_t(x)] > 0) l = std::min(l, x), r = x;
    }
    for (int i = 0; spansVary && (i < f.w || i < f.h); ++i)
      EXPECT_TRUE((i >= f.h || key(f.w - 1, i)) && (i >= f.w || key(i, f.h - 1))) << b << ": " << i;
    ASSERT_LE(l, r) << b;
    EXPECT_LE(std::abs((l - discL) - (discR - r)), 1) << b;
    std::set<int> distinct;
    for (int x = l; x <= r; ++x) {
      distinct.insert(height[size_t(x)]);
      for (int y = 0; y < f.h; ++y) EXPECT_EQ(ink(x, y), ink(l + r - x, y)) << b << ": " << x << "," << y;
    }
    if (b == int(CaptionButton::Mini) || b == int(CaptionButton::Zloži) || b == int(CaptionButton::MiniZloži)) {
      EXPECT_EQ(distinct.size(), 1u) << b;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Painted, SkinAtlasAtScale, testing::ValuesIn(kScales.begin() + 1, kScales.end()));

// A close button looked at and kept: the hover face at 200 %, painted round
// with a two-pixel outline and the cross drawn at the scale, not enlarged.
TEST(SkinAtlasScale, CloseButtonAt200MatchesTheKeptPicture) {
  std::ifstream in(std::string(PISARION_SOURCE_DIR) + "/tests/data/skin/close-hover-200.txt");
  ASSERT_TRUE(in.good());
  std::map<char, Color> legend;
  std::vector<std::string> grid;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.size() == 8 && line[1] == ' ') {  // a letter and its colour
      const uint32_t rgb = uint32_t(std::stoul(line.substr(2), nullptr, 16));
      legend[line[0]] = Color::rgb(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
    } else {
      grid.push_back(line);
    }
  }
  const base::Scale s{200};
  const Rect face = s(captionFace(CaptionButton::Zapri, ButtonState::Hover));
  ASSERT_EQ(int(grid.size()), face.h);
  const gui::Surface a = loadAtlas(200).devicePixels();
  for (int y = 0; y < face.h; ++y) {
    ASSERT_EQ(int(grid[size_t(y)].size()), face.w);
    for (int x = 0; x < face.w; ++x)
      EXPECT_EQ(a.pixel(face.x + x, face.y + y), legend.at(grid[size_t(y)][size_t(x)])) << x << "," << y;
  }
}

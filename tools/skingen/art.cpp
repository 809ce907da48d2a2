// Painting the skin. Sections:
//   1. colours and shared gradients
//   2. small drawing helpers (segments, rings, glyph icons)
//   3. main window frame, box graphic, date box
//   4. round caption buttons and drop buttons
//   5. toolbar faces and digit strips
//   6. menus
//   7. login, change-password and mini clock windows
//   8. clock dial, centre cap, icons
#include "art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "skin/rects.h"

namespace skingen {
namespace {

using base::Alignment;
using skin::ButtonState;
using skin::CaptionButton;
using skin::Row;
using skin::ToolbarFace;
namespace r = skin::r;

// ---- 1. Colours ----------------------------------------------------------

constexpr Color kDeep = Color::rgb(70, 109, 167);
constexpr Color kText = Color::rgb(18, 66, 105);
constexpr Color kLight = Color::rgb(183, 226, 250);
constexpr Color kPale = Color::rgb(233, 245, 254);
constexpr Color kWhite = Color::rgb(255, 255, 255);
constexpr Color kLine = Color::rgb(150, 190, 228);      // soft blue rule
constexpr Color kFrameHi = Color::rgb(208, 233, 251);   // frame highlight
constexpr Color kGlossTop = Color::rgb(250, 253, 255);
constexpr Color kGlossLow = Color::rgb(212, 237, 252);
constexpr Color kBandTop = Color::rgb(244, 250, 255);
constexpr Color kBandLow = Color::rgb(232, 243, 253);
constexpr Color kPressTop = Color::rgb(172, 208, 238);
constexpr Color kPressLow = Color::rgb(194, 226, 248);
constexpr Color kPressShade = Color::rgb(146, 184, 222);
constexpr Color kRed = Color::rgb(214, 44, 44);
constexpr Color kRedDark = Color::rgb(150, 24, 24);
constexpr Color kRedLight = Color::rgb(244, 150, 140);
constexpr Color kGreen = Color::rgb(40, 150, 64);
constexpr Color kGold = Color::rgb(246, 200, 84);
constexpr Color kGoldLow = Color::rgb(228, 170, 46);
constexpr Color kGoldEdge = Color::rgb(164, 112, 22);
constexpr Color kSteel = Color::rgb(112, 128, 156);

// A glossy vertical gradient over rows y0..y1: a bright upper half, then a
// light-blue lower half, each in whole-row steps.
// Every gloss shares the same five steps per half, whatever its height, so
// all of them together cost the palette ten colours.
Color gloss(int y, int y0, int y1) {
  const int n = y1 - y0 + 1, half = n / 2, i = y - y0;
  auto step = [](double t) { return std::round(t * 4) / 4; };
  if (i < half) return mix(kGlossTop, kPale, step(half > 1 ? double(i) / (half - 1) : 0));
  return mix(kGlossLow, kLight, step(n - half > 1 ? double(i - half) / (n - half - 1) : 0));
}

Color titleRow(int y) { return y <= 0 ? kDeep : gloss(y, 1, 25); }

Color bandRow(int y) {
  if (y <= 0) return kLine;
  if (y >= 31) return kLine;
  return y <= 15 ? kBandTop : kBandLow;
}

// Frame colours by distance from the window's outer edge.
Color frameAt(int d) {
  static constexpr std::array<Color, 6> k{kDeep, kFrameHi, kLight, kLight, kLine, kPale};
  return k[static_cast<size_t>(std::clamp(d, 0, 5))];
}

// The rest row shows icons in quiet colour: a third of the way to their own
// grey and a touch lighter. Fully grey would read as a disabled button.
Color greyed(Color c) {
  const int lum = static_cast<int>(std::lround(0.3 * c.r() + 0.59 * c.g() + 0.11 * c.b()));
  return mix(mix(Color::rgb(lum, lum, lum), c, 0.65), Color::rgb(236, 240, 246), 0.12);
}

// ---- 2. Helpers ----------------------------------------------------------

struct Pt {
  double x, y;
};

double segmentDistance(Pt p, Pt a, Pt b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double dx = p.x - (a.x + t * vx), dy = p.y - (a.y + t * vy);
  return std::sqrt(dx * dx + dy * dy);
}

// An anti-aliased polyline of the given width, offset by (ox, oy).
void polyline(Canvas& c, int ox, int oy, std::initializer_list<Pt> pts, double width, Color colour, int steps = 4) {
  std::vector<Pt> v(pts);
  double minx = 1e9, miny = 1e9, maxx = -1e9, maxy = -1e9;
  for (Pt& p : v) {
    p.x += ox, p.y += oy;
    minx = std::min(minx, p.x), maxx = std::max(maxx, p.x), miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
  }
  auto inside = [&](double x, double y) {
    for (size_t i = 0; i + 1 < v.size(); ++i)
      if (segmentDistance({x, y}, v[i], v[i + 1]) <= width / 2) return true;
    return false;
  };
  // The pixels of the 100 % bounding box, at the canvas's scale.
  const base::Scale sc = c.scale();
  const int x0 = sc(int(minx - width) - 1), x1 = sc(int(maxx + width) + 2);
  const int y0 = sc(int(miny - width) - 1), y1 = sc(int(maxy + width) + 2);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) c.blend(x, y, colour, coverage(c, inside, x, y, steps));
}

// Anti-aliased filled shape given by a continuous predicate, within `area`.
void fillSmooth(Canvas& c, Rect area, const std::function<bool(double, double)>& inside, Color colour, int steps = 4) {
  const Rect a = c.scale()(area);
  for (int y = a.y; y < a.bottom(); ++y)
    for (int x = a.x; x < a.right(); ++x) c.blend(x, y, colour, coverage(c, inside, x, y, steps));
}

// Icon colours follow the hover: t = 0 greyed (rest), t = 1 full colour.
struct Ink {
  double t;
  Color operator()(Color full) const { return mix(greyed(full), full, t); }
};

// ---- 3. Frame ------------------------------------------------------------

// The main window's rounded corners, as the pixels cut away from each row at
// 100 %, counted from the window's outer corner (top corners, bottom ones).
constexpr int kTopCut[] = {5, 3, 2, 1, 1};
constexpr int kBottomCut[] = {2, 1};

// How far the cut reaches into the row whose centre lies `y` (100 %
// coordinates, from the outer edge) from the outer corner: the curve through
// the row centres of the table. A pixel is cut when its centre lies short of
// it, so at 100 % the table's pixels are cut exactly and at a larger scale
// the outline follows the curve rather than the 100 % steps.
double cutReach(std::span<const int> rows, double y) {
  const int n = static_cast<int>(rows.size());
  auto at = [&](int i) { return i < n ? double(rows[static_cast<size_t>(i)]) : 0.0; };
  const double t = y - 0.5;
  if (t < 0) return at(0) + (at(0) - at(1)) * -t;
  const int i = static_cast<int>(t);
  if (i >= n) return 0;
  return at(i) + (at(i + 1) - at(i)) * (t - i);
}

// Paints a corner piece of the main window: pixels cut along the curve of
// `rows` are key colour, those within a line's width of the cut or on the
// outer edge are the outline, the rest `inner(dx, dy)` with dx, dy the
// 100 % distances from the outer edges.
void paintCorner(Canvas& c, Rect piece, bool left, bool top, std::span<const int> rows,
                 const std::function<Color(int dx, int dy)>& inner) {
  const Rect p = c.scale()(piece);
  const double f = c.factor();
  auto cut = [&](int dX, int dY) {
    if (dX < 0 || dY < 0) return false;
    return (dX + 0.5) / f < cutReach(rows, (dY + 0.5) / f);
  };
  const int w = c.lineWidth();
  for (int y = 0; y < p.h; ++y)
    for (int i = 0; i < p.w; ++i) {
      const int dX = left ? i : p.w - 1 - i, dY = top ? y : p.h - 1 - y;
      const int li = c.unscale(p.x + i) - piece.x, ly = c.unscale(p.y + y) - piece.y;
      const int dx = left ? li : piece.w - 1 - li, dy = top ? ly : piece.h - 1 - ly;
      Color col = inner(dx, dy);
      if (cut(dX, dY)) col = kKey;
      else if (dx == 0 || dy == 0) col = kDeep;
      else
        for (int d = 1; d <= w; ++d)
          if (cut(dX - d, dY) || cut(dX, dY - d)) col = kDeep;
      c.put(p.x + i, p.y + y, col);
    }
}
void paintFrame(Canvas& c) {
  // Title tile and the tile behind the title text (the same pixels).
  for (int y = 0; y < 26; ++y) c.hline(r::titleTile.x, r::titleTile.right() - 1, y, titleRow(y));
  // Bottom edge tile: rows count down towards the outer edge.
  for (int y = 0; y < 5; ++y) c.hline(r::bottomEdge.x, r::bottomEdge.right() - 1, r::bottomEdge.y + y, frameAt(4 - y));
  for (int x = 0; x < 6; ++x) c.vline(r::leftEdge.x + x, r::leftEdge.y, r::leftEdge.bottom() - 1, frameAt(x));
  for (int x = 0; x < 5; ++x) c.vline(r::rightEdge.x + x, r::rightEdge.y, r::rightEdge.bottom() - 1, frameAt(4 - x));
  for (int x = 0; x < 5; ++x)
    c.vline(r::toolbarRightEdge.x + x, r::toolbarRightEdge.y, r::toolbarRightEdge.bottom() - 1, frameAt(4 - x));

  // Top corners: the title strip, rounded as the window's region cuts it,
  // with the outline following the curve.
  const auto title = [](int, int dy) { return titleRow(dy); };
  const auto frame = [](int dx, int dy) { return frameAt(std::min(dx, dy)); };
  paintCorner(c, r::topLeftCorner, true, true, kTopCut, title);
  paintCorner(c, r::topRightCorner, false, true, kTopCut, title);
  paintCorner(c, r::bottomLeftCorner, true, false, kBottomCut, frame);
  paintCorner(c, r::bottomRightCorner, false, false, kBottomCut, frame);

  // Caption-button plate: the title strip with a recessed capsule that holds
  // the four round buttons (at 48, 66, 84 and 99 of the plate).
  const Rect plate = r::captionPlate;
  for (int y = 0; y < plate.h; ++y) c.hline(plate.x, plate.right() - 1, plate.y + y, titleRow(y));
  const Rect capsule{plate.x + 43, plate.y + 2, 71, 19};
  paintShape(c, capsule, roundedRect(capsule, 9, c.scale()), kLine, [&](int, int y) {
    const int i = y - capsule.y;
    return i <= 1 ? Color::rgb(196, 224, 246) : mix(Color::rgb(214, 236, 252), kPale, std::min(1.0, i / 8.0));
  });

  // Toolbar band, its ends and the separators.
  for (int y = 0; y < 32; ++y) c.hline(0, 107, r::toolbarBand.y + y, bandRow(y));
  // Left end: a grip of dots.
  for (int y = 6; y <= 25; y += 3) {
    c.set(r::toolbarLeftEnd.x + 4, r::toolbarLeftEnd.y + y, kLine);
    c.set(r::toolbarLeftEnd.x + 5, r::toolbarLeftEnd.y + y + 1, kWhite);
  }
  // Active separator: an engraved line.
  for (int y = 3; y <= 28; ++y) {
    c.set(r::activeSeparator.x, r::activeSeparator.y + y, kLine);
    c.set(r::activeSeparator.x + 1, r::activeSeparator.y + y, kWhite);
  }
}

// The toolbar's right end carries the program's monogram.
void paintMonogram(Canvas& c, const Fonts& fonts, Rect area) {
  const double cx = area.x + area.w / 2.0, cy = area.y + area.h / 2.0;
  paintShape(c, area, disc(cx, cy, 12, c.scale()), kText, [&](int, int y) { return mix(Color::rgb(104, 150, 206), kDeep, (y - cy + 12) / 24.0); });
  const int w = fonts.measure(Face::SerifBoldItalic, 17, "P");
  fonts.draw(c, Face::SerifBoldItalic, 17, int(cx - w / 2.0), int(cy + 6), "P", kWhite, 4, 0.5);
}

// The 175 × 32 box: a three-pixel frame around a white field.
void paintBox(Canvas& c) {
  const Rect b = r::boxFrame;
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) {
      const int d = std::min({x, y, b.w - 1 - x, b.h - 1 - y});
      const bool corner = (x == 0 || x == b.w - 1) && (y == 0 || y == b.h - 1);
      static constexpr std::array<Color, 3> k{kDeep, kLight, Color::rgb(226, 241, 253)};
      c.set(b.x + x, b.y + y, corner ? kPale : d < 3 ? k[static_cast<size_t>(d)] : kWhite);
    }
}

void paintDateBox(Canvas& c) {
  const Rect b = r::dateBox;
  c.fill(b, kPale);
  paintShape(c, b, roundedRect(b, 2, c.scale()), kDeep, [&](int, int y) { return y == b.y + 1 ? kLight : kWhite; });
}

// The search field: the date box with a magnifier at its left end.
void paintSearchField(Canvas& c) {
  const Rect b = r::searchField;
  c.fill(b, kPale);
  paintShape(c, b, roundedRect(b, 2, c.scale()), kDeep, [&](int, int y) { return y == b.y + 1 ? kLight : kWhite; });
  const int cx = b.x + 8, cy = b.y + 8;
  paintPixels(c, {cx - 5, cy - 5, 13, 12}, [&](double x, double y) {
    const double d = std::hypot(x - cx, y - cy);
    // The ring, and the handle: two pixels wide along the diagonal.
    const double along = y - cy, across = x - cx - along;
    return (d >= 2.6 && d <= 4.2) || (along >= 2.5 && along <= 6.5 && across >= -0.5 && across <= 1.5);
  }, kDeep);
}

// ---- 4. Round buttons ----------------------------------------------------

enum class Glyph { Cross, Dash, Up, Down, Ring, Square, Triangle };

// A small triangle pointing down: rows of 5, 3 and 1 pixels from (x0, y0).
void paintDownTriangle(Canvas& c, int x0, int y0, Color ink) {
  paintPixels(c, {x0, y0, 5, 3}, [&](double x, double y) {
    const double i = y - y0;
    return i >= -0.5 && i <= 2.5 && x >= x0 + i - 0.5 && x <= x0 + 4 - i + 0.5;
  }, ink);
}

// The 13 × 13 icons of the round buttons, drawn as one-pixel strokes at 100 %.
//
// At a larger scale they are drawn in the canvas's own pixels on a grid
// snapped to whole pixels, so that every stroke is equally wide wherever it
// lies: a one-pixel stroke becomes lineWidth() pixels, W. The icon's box is
// N × N pixels around a centre stroke of W, and the 100 % pixel column (or
// row) 6 ± k of the cell starts k steps from the centre stroke, the same
// distance either side, so the icon is symmetric. The distance is chosen so
// that the strokes of columns 6 − k to 6 + k together span the whole number
// of pixels nearest their scaled width, (2k + 1) × scale. The box is centred
// on the face's disc (to half a pixel where the disc's width and the box's
// differ in parity). At 100 % the grid is the cell itself.
class GlyphGrid {
 public:
  GlyphGrid(Canvas& c, Rect face, int shift) : m_c(c), m_w(c.lineWidth()) {
    const base::Scale s = c.scale();
    m_c0 = distance(6);
    const int n = 2 * m_c0 + m_w;
    const Rect f = discSpan(face, s);
    m_x = f.x + floorHalf(f.w - n), m_y = f.y + floorHalf(f.h - n) + round(shift * s.percent);
    // A diagonal is R pixels across in every row: the stroke width, made
    // odd so that the run sits centred on the diagonal both arms share.
    m_run = m_w | 1;
    m_n = n;
  }
  int w() const { return m_w; }
  int n() const { return m_n; }
  int run() const { return m_run; }
  int c0() const { return m_c0; }
  double centre() const { return m_c0 + m_w / 2.0; }
  int at(int i) const { return m_c0 + (i >= 6 ? distance(i - 6) : -distance(6 - i)); }
  // The end (exclusive) of 100 % pixel i's stroke.
  int end(int i) const { return at(i) + m_w; }
  // Paints the box's pixels (x, y) for which inside(x, y) holds.
  void paint(const std::function<bool(int, int)>& inside, Color ink) {
    for (int y = 0; y < m_n; ++y)
      for (int x = 0; x < m_n; ++x)
        if (inside(x, y)) m_c.put(m_x + x, m_y + y, ink);
  }

 private:
  // How far the stroke of column 6 + k starts from the centre stroke's:
  // 2d + W is the span of the 2k + 1 columns, nearest (2k + 1) × scale.
  int distance(int k) const {
    const int p = m_c.scale().percent;
    return k == 0 ? 0 : ((2 * k + 1) * p - 100 * m_w + 100) / 200;
  }
  // k percent-pixels to whole pixels, halves rounded down (k >= 0).
  static int round(int k) { return (k + 49) / 100; }
  static int floorHalf(int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }
  Canvas& m_c;
  int m_w, m_c0 = 0, m_n = 0, m_run = 1, m_x = 0, m_y = 0;
};

void paintGlyph(Canvas& c, Rect face, int shift, Glyph g, Color ink) {
  GlyphGrid q(c, face, shift);
  const int n = q.n(), half = q.run() / 2, w = q.w();
  // The horizontal extent of the strokes: the 100 % columns 3 to 9.
  const int left = q.at(3), right = q.end(9);
  auto within = [&](int x) { return x >= left && x < right; };
  // How far column x lies beside the centre stroke.
  auto beside = [&](int x) { return x < q.c0() ? q.c0() - x : x >= q.c0() + w ? x - (q.c0() + w - 1) : 0; };
  switch (g) {
    case Glyph::Cross:
      q.paint([&](int x, int y) {
        return within(x) && (std::abs(x - y) <= half || std::abs(n - 1 - x - y) <= half);
      }, ink);
      break;
    case Glyph::Dash:
      // Two strokes thick, on the 100 % rows 6 and 7.
      q.paint([&](int x, int y) { return within(x) && y >= q.at(6) && y < q.at(6) + 2 * w; }, ink);
      break;
    case Glyph::Up:
    case Glyph::Down: {
      // Two-pixel chevrons: at 100 % row 5 + i (up) or 8 - i (down) holds
      // x = 6 ± i. Each column holds two strokes, stepping a pixel per column
      // away from the centre stroke, within the rows 5 to 9.
      const int tall = 2 * w, top = q.at(5), bottom = q.end(9);
      q.paint([&](int x, int y) {
        if (!within(x)) return false;
        const int from = g == Glyph::Up ? top + beside(x) : bottom - beside(x) - tall;
        return y >= from && y < from + tall;
      }, ink);
      break;
    }
    case Glyph::Ring: {
      const double f = c.factor(), m = q.centre();
      q.paint([&](int x, int y) {
        const double d = std::hypot(x + 0.5 - m, y + 0.5 - m);
        return d >= 2.0 * f && d <= 3.3 * f;
      }, ink);
      break;
    }
    case Glyph::Square:
      q.paint([&](int x, int y) { return x >= q.at(4) && x < q.end(8) && y >= q.at(4) && y < q.end(8); }, ink);
      break;
    case Glyph::Triangle:
      // Pointing down from the 100 % row 5, columns 4 to 8: each row a pixel
      // shorter at either end.
      q.paint([&](int x, int y) {
        const int i = y - q.at(5);
        return i >= 0 && x >= q.at(4) + i && x < q.end(8) - i;
      }, ink);
      break;
  }
}

// A round face of the given size: outline ring, glossy fill, icon; magenta
// outside so the button can be shaped by the key colour.
void paintRound(Canvas& c, Rect at, ButtonState s, Glyph g, bool danger) {
  c.fill(at, kKey);
  const Shape shape = discIn(at, c.scale());
  const int mid = at.y + at.h / 2;
  Color outline = kDeep, ink = kText, top = kGlossTop, low = kLight;
  if (s == ButtonState::Hover) {
    top = danger ? Color::rgb(252, 214, 206) : Color::rgb(226, 243, 255);
    low = danger ? Color::rgb(236, 112, 98) : Color::rgb(128, 186, 238);
    outline = danger ? kRedDark : kDeep;
    ink = danger ? kWhite : kText;
  } else if (s == ButtonState::Pressed) {
    top = danger ? Color::rgb(170, 30, 30) : kDeep;
    low = danger ? Color::rgb(206, 70, 60) : Color::rgb(104, 150, 206);
    outline = danger ? kRedDark : kText;
    ink = kWhite;
  }
  paintShape(c, at, shape, outline, [&](int, int y) { return y < mid ? top : low; });
  // Pressed, the icon moves down by a pixel, scaled.
  paintGlyph(c, at, s == ButtonState::Pressed ? 1 : 0, g, ink);
}

void paintCaptionButtons(Canvas& c) {
  const std::pair<CaptionButton, Glyph> kinds[] = {
      {CaptionButton::Zapri, Glyph::Cross},         {CaptionButton::Mini, Glyph::Dash},
      {CaptionButton::Zloži, Glyph::Up},            {CaptionButton::VednoNaVrhuOff, Glyph::Ring},
      {CaptionButton::VednoNaVrhuOn, Glyph::Square}, {CaptionButton::MiniZloži, Glyph::Down},
  };
  for (auto [button, glyph] : kinds)
    for (ButtonState s : skin::kButtonStates)
      paintRound(c, skin::captionFace(button, s), s, glyph, button == CaptionButton::Zapri);
  paintRound(c, r::dropButton, ButtonState::Rest, Glyph::Triangle, false);
  paintRound(c, r::dropButtonPressed, ButtonState::Pressed, Glyph::Triangle, false);
  paintRound(c, r::searchClose, ButtonState::Rest, Glyph::Cross, false);
  paintRound(c, r::searchClosePressed, ButtonState::Pressed, Glyph::Cross, false);
}

// ---- 5. Toolbar ----------------------------------------------------------

double hoverAmount(Row row) {
  switch (row) {
    case Row::Rest: return 0;
    case Row::Fade1: return 1.0 / 3;
    case Row::Fade2: return 2.0 / 3;
    default: return 1;
  }
}

// Alignment lines: five bars of alternating length, aligned as the button says.
void paintAlignmentLines(Canvas& c, int x0, int y0, int width, int shortWidth, int bar, int gap,
                         Alignment align, Color ink) {
  for (int i = 0; i < 5; ++i) {
    const int w = i % 2 ? shortWidth : width;
    const int x = align == Alignment::Left    ? x0
                  : align == Alignment::Right ? x0 + width - w
                                                    : x0 + (width - w) / 2;
    c.fill({x, y0 + i * (bar + gap), w, bar}, ink);
  }
}

// Toolbar icons are anti-aliased in halves only: five rows of faces multiply
// every blended colour, and the palette has 256 places.
constexpr int kToolbarSteps = 2;

void paintPadlock(Canvas& c, int ox, int oy, Ink ink) {
  // Shackle: the upper half of a ring, with straight legs into the body.
  const double cx = ox + 20.5, cy = oy + 18;
  fillSmooth(c, {ox + 10, oy + 9, 22, 12}, [&](double x, double y) {
    const double d = std::hypot(x - cx, y - cy);
    return (y <= cy && d >= 3.6 && d <= 6.2) || (y > cy && y < cy + 3 && std::abs(std::abs(x - cx) - 4.9) <= 1.3);
  }, ink(kSteel), kToolbarSteps);
  const Rect body{ox + 12, oy + 20, 17, 13};
  paintShape(c, body, roundedRect(body, 2, c.scale()), ink(kGoldEdge),
             [&](int, int y) { return y < body.y + 6 ? ink(kGold) : ink(kGoldLow); });
  fillSmooth(c, {ox + 17, oy + 22, 8, 10}, [&](double x, double y) {
    return std::hypot(x - (ox + 20.5), y - (oy + 25.5)) <= 2.0 || (std::abs(x - (ox + 20.5)) <= 1 && y >= oy + 25.5 && y <= oy + 30);
  }, ink(kText), kToolbarSteps);
}

// The leftmost and rightmost columns a text paints when drawn centred
// (anchor 0.5) from x = 0 at the canvas's scale, counted from the pen's
// scaled start.
std::pair<int, int> inkColumns(const Fonts& fonts, Face face, int size, const char* text, base::Scale scale) {
  constexpr int kAt = 10;
  Canvas tmp(fonts.measure(face, size, text) + 2 * kAt, 2 * size, kKey, scale);
  fonts.draw(tmp, face, size, kAt, size + size / 2, text, kWhite, kToolbarSteps, 0.5);
  int left = tmp.width(), right = -1;
  for (int y = 0; y < tmp.height(); ++y)
    for (int x = 0; x < tmp.width(); ++x)
      if (tmp.get(x, y) != kKey) left = std::min(left, x), right = std::max(right, x);
  return {left - scale(kAt), right - scale(kAt)};
}

struct ToolbarContext {
  Canvas& c;
  const Fonts& fonts;
};

void paintToolbarFace(ToolbarContext& k, ToolbarFace f, Row row) {
  Canvas& c = k.c;
  const Rect face = skin::toolbarFace(f, row);
  const int visible = skin::toolbarButtonWidth(f);
  // Background: the title strip's lowest rows, then the band, so the button
  // sits seamlessly where it is placed (top 19 on the window).
  for (int y = 0; y < face.h; ++y) c.hline(face.x, face.right() - 1, face.y + y, y < 7 ? titleRow(19 + y) : bandRow(y - 7));

  const bool pressed = row == Row::Pressed;
  const double t = hoverAmount(row);
  const Rect plate{face.x + 1, face.y + 8, visible - 2, 30};
  if (pressed) {
    paintShape(c, plate, roundedRect(plate, 3, c.scale()), kText, [&](int x, int y) {
      if (y == plate.y + 1 || x == plate.x + 1) return kPressShade;
      return y < plate.y + 15 ? kPressTop : kPressLow;
    });
  } else if (t > 0) {
    paintShape(c, plate, roundedRect(plate, 3, c.scale()), mix(bandRow(1), kDeep, t), [&](int, int y) {
      const Color band = bandRow(y - face.y - 7);
      return mix(band, y < plate.y + 15 ? kGlossTop : Color::rgb(206, 233, 252), t);
    });
  }
  const Ink ink{pressed ? 1.0 : t};
  const int ox = face.x + (pressed ? 1 : 0), oy = face.y + (pressed ? 1 : 0);

  auto letter = [&](Face font, const char* text, bool on, bool underline) {
    const int w = k.fonts.measure(font, 19, text);
    const int x = ox + 15 - w / 2, base = oy + 29;
    k.fonts.draw(c, font, 19, x, base, text, ink(kText), kToolbarSteps, 0.5);
    if (underline) {
      // The rule reaches as far beyond the letter's painted ink as it does at
      // 100 %, where it spans the letter's advance, the overhang scaled: the
      // ink itself is measured at this scale, as the letters rasterised
      // afresh are not the 100 % ones made larger.
      const auto [l100, r100] = inkColumns(k.fonts, font, 19, text, {});
      const auto [l, r] = inkColumns(k.fonts, font, 19, text, c.scale());
      const base::Scale s = c.scale();
      const int from = s(x) + l - s(l100), to = s(x) + r + s(w - 1 - r100);
      const int top = s(base + 2);
      c.fillPixels({from, top, to - from + 1, s(base + 4) - top}, ink(kText));
    }
    if (on)
      polyline(c, ox, oy, {{23.5, 25.0}, {26.5, 28.0}, {33.0, 20.5}}, 2.2, ink(kGreen), kToolbarSteps);
    else {
      polyline(c, ox, oy, {{22.5, 20.5}, {31.0, 29.0}}, 2.4, ink(kRed), kToolbarSteps);
      polyline(c, ox, oy, {{31.0, 20.5}, {22.5, 29.0}}, 2.4, ink(kRed), kToolbarSteps);
    }
  };
  auto lines = [&](Alignment a) { paintAlignmentLines(c, ox + 9, oy + 14, 21, 13, 2, 2, a, ink(kText)); };

  switch (f) {
    case ToolbarFace::Geslo: paintPadlock(c, ox, oy, ink); break;
    case ToolbarFace::KrepkoOn: letter(Face::SansBold, "K", true, false); break;
    case ToolbarFace::KrepkoOff: letter(Face::SansBold, "K", false, false); break;
    case ToolbarFace::LežečeOn: letter(Face::SansOblique, "L", true, false); break;
    case ToolbarFace::LežečeOff: letter(Face::SansOblique, "L", false, false); break;
    case ToolbarFace::PodčrtanoOn: letter(Face::Sans, "P", true, true); break;
    case ToolbarFace::PodčrtanoOff: letter(Face::Sans, "P", false, true); break;
    case ToolbarFace::PoravnajLevo: lines(Alignment::Left); break;
    case ToolbarFace::PoravnajDesno: lines(Alignment::Right); break;
    case ToolbarFace::PoravnajNaSredino: lines(Alignment::Center); break;
    case ToolbarFace::SpremeniBarvo: {
      // The swatch area is the program's; we frame it and leave it black.
      const Rect a = skin::colourArea(row);
      c.fill({a.x - 1, a.y - 1, a.w + 2, a.h + 2}, ink(kDeep));
      c.fill(a, Color::rgb(0, 0, 0));
      paintDownTriangle(c, ox + 34, oy + 19, ink(kText));
      break;
    }
    case ToolbarFace::SpremeniVelikost: {
      const skin::SizeDigitPlaces p = skin::sizeDigitPlaces(row);
      const skin::DigitStrip s = skin::digitStrip(row);
      const Rect field{p.tens.x - 1, p.tens.y - 1, p.units.x + s.w + 1 - (p.tens.x - 1), s.h + 2};
      c.fill({field.x - 1, field.y - 1, field.w + 2, field.h + 2}, ink(kDeep));
      c.fill(field, kWhite);
      const int ax = field.right() + 3;
      k.fonts.draw(c, Face::SansBold, 15, ax, oy + 27, "A", ink(kText), kToolbarSteps);
      paintDownTriangle(c, ax + 12, oy + 19, ink(kText));
      break;
    }
  }
}

// Digit glyphs on white, in the ink of the row each strip serves.
void paintDigitStrips(Canvas& c, const Fonts& fonts) {
  const std::array<double, 4> amount{1.0, 2.0 / 3, 1.0 / 3, 0.0};
  for (size_t i = 0; i < skin::kDigitStrips.size(); ++i) {
    const skin::DigitStrip s = skin::kDigitStrips[i];
    c.fill(s.rect(), kWhite);
    const Color ink = Ink{amount[i]}(kText);
    const int px = s.h + 1;
    for (int d = 0; d < 10; ++d) {
      // Draw into a scratch cell in the canvas's own pixels, then centre the
      // ink in the glyph cell. A digit rasterised at a scaled size can come
      // out a pixel wider or taller than its scaled cell; it is drawn a size
      // smaller then, whole, rather than cut at the cell's edge.
      const Rect g = c.scale()(s.glyph(d));
      const std::string text(1, char('0' + d));
      for (int size = c.scale()(px);; --size) {
        Canvas tmp(3 * g.w + 8, 3 * g.h + 8, kWhite);
        fonts.draw(tmp, Face::SansBold, size, 4, 2 * g.h, text, ink);
        int x0 = tmp.width(), x1 = -1, y0 = tmp.height(), y1 = -1;
        for (int y = 0; y < tmp.height(); ++y)
          for (int x = 0; x < tmp.width(); ++x)
            if (tmp.get(x, y) != kWhite) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        const int w = x1 - x0 + 1, h = y1 - y0 + 1;
        if ((w > g.w || h > g.h) && c.scale().percent > 100 && size > 1) continue;
        c.copyPixels(tmp, {x0, y0, std::min(w, g.w), std::min(h, g.h)}, g.x + (g.w - w + 1) / 2, g.y + (g.h - h + 1) / 2);
        break;
      }
    }
  }
}

void paintToolbar(Canvas& c, const Fonts& fonts) {
  ToolbarContext k{c, fonts};
  for (int f = 0; f < skin::kToolbarFaceCount; ++f)
    for (Row row : skin::kRows) paintToolbarFace(k, static_cast<ToolbarFace>(f), row);
  paintDigitStrips(c, fonts);
  // The size faces start out showing 10 pt, copied from the strips exactly
  // as the program will write later sizes.
  for (Row row : skin::kRows) {
    const skin::DigitStrip s = skin::digitStrip(row);
    const skin::SizeDigitPlaces p = skin::sizeDigitPlaces(row);
    c.copy(c, s.glyph(1), p.tens.x, p.tens.y);
    c.copy(c, s.glyph(0), p.units.x, p.units.y);
  }
}

// ---- 6. Menus ------------------------------------------------------------

void paintMenus(Canvas& c) {
  // Alignment menu panel.
  const Rect m = r::mnuPoravnaj;
  c.fill(m, kPale);
  for (int x = m.x; x < m.right(); ++x) c.set(x, m.y, kDeep), c.set(x, m.bottom() - 1, kDeep);
  for (int y = m.y; y < m.bottom(); ++y) c.set(m.x, y, kDeep), c.set(m.right() - 1, y, kDeep);

  // Item faces: painted in order so that the row each face shares with the
  // next (never shown in the 23 × 23 items) belongs to the later face.
  for (ButtonState s : skin::kButtonStates)
    for (Alignment a : {Alignment::Left, Alignment::Center, Alignment::Right}) {
      const Rect f = skin::alignmentItemFace(a, s);
      const Rect shown{f.x, f.y, 23, 23};
      c.fill(f, kPale);
      const int shift = s == ButtonState::Pressed ? 1 : 0;
      if (s == ButtonState::Hover)
        paintShape(c, shown, roundedRect(shown, 2, c.scale()), kDeep, [&](int, int y) { return y < shown.y + 11 ? kGlossTop : kLight; });
      if (s == ButtonState::Pressed)
        paintShape(c, shown, roundedRect(shown, 2, c.scale()), kText, [&](int x, int y) {
          return (y == shown.y + 1 || x == shown.x + 1) ? kPressShade : y < shown.y + 11 ? kPressTop : kPressLow;
        });
      paintAlignmentLines(c, f.x + 4 + shift, f.y + 4 + shift, 15, 9, 2, 1, a, kText);
    }

  // Shared menu background: a tile with a border column at each side, the
  // edge line and a separator.
  const Rect tile = r::menuTile;
  c.fill(tile, kPale);
  c.vline(tile.x, tile.y, tile.bottom() - 1, kDeep);
  c.vline(tile.right() - 1, tile.y, tile.bottom() - 1, kDeep);
  c.hline(r::menuEdge.x, r::menuEdge.right() - 1, r::menuEdge.y, kDeep);
  const Rect sep = r::menuSeparator;
  c.hline(sep.x, sep.right() - 1, sep.y, kLine);
  c.hline(sep.x, sep.right() - 1, sep.y + 1, kWhite);
  c.set(sep.x, sep.y, kDeep), c.set(sep.x, sep.y + 1, kDeep);
  c.set(sep.right() - 1, sep.y, kDeep), c.set(sep.right() - 1, sep.y + 1, kDeep);

  // Swatch frame and the two hover frames.
  auto ring = [&](Rect a, Color outer, Color inner, Color centre) {
    c.fill(a, outer);
    c.fill({a.x + 1, a.y + 1, a.w - 2, a.h - 2}, inner);
    c.fill({a.x + 2, a.y + 2, a.w - 4, a.h - 4}, centre);
  };
  ring(r::swatchFrame, Color::rgb(122, 142, 172), kPale, kPale);
  ring(r::swatchFrame, Color::rgb(122, 142, 172), kWhite, kWhite);
  c.fill({r::swatchFrame.x + 1, r::swatchFrame.y + 1, 16, 16}, kWhite);
  ring(r::swatchHover, kDeep, kWhite, kWhite);
  ring(r::swatchPressed, kText, Color::rgb(62, 155, 226), kWhite);
}

// ---- 7. Windows ----------------------------------------------------------

// An empty password field: the dot strip's cells continue its white inside.
void paintPasswordField(Canvas& c, int x, int y) {
  const Rect f{x, y, 154, 20};
  paintShape(c, f, roundedRect(f, 2, c.scale()), kDeep, [&](int, int yy) { return yy == y + 1 ? kLight : kWhite; });
}

void paintTitleStrip(Canvas& c, const Fonts& fonts, Rect strip, const char* title) {
  for (int y = strip.y; y < strip.bottom(); ++y) c.hline(strip.x, strip.right() - 1, y, gloss(y, strip.y, strip.bottom() - 1));
  c.hline(strip.x, strip.right() - 1, strip.bottom(), kLine);
  fonts.draw(c, Face::SansBold, 11, strip.x + 6, strip.y + 12, title, kText);
}

void paintBorder(Canvas& c, Rect w, bool bottom) {
  c.hline(w.x, w.right() - 1, w.y, kDeep);
  c.vline(w.x, w.y, w.bottom() - 1, kDeep);
  c.vline(w.right() - 1, w.y, w.bottom() - 1, kDeep);
  if (bottom) c.hline(w.x, w.right() - 1, w.bottom() - 1, kDeep);
}

// Little pictures beside the change-password fields.
void paintSmallPadlock(Canvas& c, int x, int y) {
  fillSmooth(c, {x, y, 12, 7}, [&](double px, double py) {
    const double d = std::hypot(px - (x + 6), py - (y + 6));
    return (py <= y + 6 && d >= 2.2 && d <= 3.9);
  }, kSteel);
  c.fill({x + 1, y + 6, 10, 7}, kGoldEdge);
  c.fill({x + 2, y + 7, 8, 5}, kGold);
  c.fill({x + 5, y + 8, 2, 3}, kText);
}

void paintSmallKey(Canvas& c, int x, int y) {
  fillSmooth(c, {x, y, 12, 13}, [&](double px, double py) {
    const double d = std::hypot(px - (x + 4), py - (y + 4));
    return (d >= 1.4 && d <= 3.6) || (std::abs((px - x) - (py - y)) <= 1.1 && px > x + 5.5 && px < x + 11) ||
           (px > x + 7.5 && px < x + 9.5 && py > y + 8.5 && py < y + 11.5 && std::abs((px - x) - (py - y)) <= 3);
  }, kGoldEdge);
}

void paintWindows(Canvas& c, const Fonts& fonts) {
  // Login window.
  const Rect login = r::frmGeslo;
  c.fill(login, kPale);
  paintBorder(c, login, true);
  paintTitleStrip(c, fonts, {login.x + 1, login.y + 1, login.w - 2, 16}, "Pisarion");
  const char* prompt = "Vpišite geslo";
  fonts.draw(c, Face::Sans, 11, login.x + (login.w - fonts.measure(Face::Sans, 11, prompt)) / 2, login.y + 29, prompt, kText,
             4, 0.5);
  paintPasswordField(c, login.x + 18, login.y + 33);
  const char* hint = "Enter  potrdi      Esc  nazaj";
  fonts.draw(c, Face::Sans, 10, login.x + (login.w - fonts.measure(Face::Sans, 10, hint)) / 2, login.y + 72, hint, kDeep,
             4, 0.5);
  // The empty password area the login window repaints after a good password.
  c.copy(c, {login.x + 18, login.y + 33, 154, 20}, r::passwordBox.x, r::passwordBox.y);

  // One dot cell of the dot strips.
  const Rect dot = r::passwordDot;
  c.fill(dot, kWhite);
  paintShape(c, dot, disc(dot.x + 5.0, dot.y + 8.0, 3.2, c.scale()), kText, [](int, int) { return kText; });

  // Change-password window and its bottom strip.
  const Rect cp = r::frmSpremeniGeslo;
  c.fill(cp, kPale);
  paintBorder(c, cp, false);
  paintTitleStrip(c, fonts, {cp.x + 1, cp.y + 1, cp.w - 2, 16}, "Sprememba gesla");
  const int tops[3] = {24, 75, 101};
  // Each empty field says what it asks for, ending left of the caret's
  // resting place (x 94); the window covers it once typing begins.
  const char* labels[3] = {"Staro geslo", "Novo geslo", "Še enkrat"};
  for (int i = 0; i < 3; ++i) {
    paintPasswordField(c, cp.x + 18, cp.y + tops[i] - 2);
    fonts.draw(c, Face::Sans, 10, cp.x + 90 - fonts.measure(Face::Sans, 10, labels[i]), cp.y + tops[i] + 12, labels[i],
               kDeep, 4, 1);
    if (i == 0) paintSmallPadlock(c, cp.x + 4, cp.y + tops[i] + 1);
    else paintSmallKey(c, cp.x + 4, cp.y + tops[i] + 1);
  }
  // Between the current password and the new ones, as on the login window.
  fonts.draw(c, Face::Sans, 10, cp.x + (cp.w - fonts.measure(Face::Sans, 10, hint)) / 2, cp.y + 58, hint, kDeep, 4, 0.5);
  const Rect strip = r::picSpodaj;
  c.fill(strip, kPale);
  paintBorder(c, strip, true);
  c.hline(strip.x + 1, strip.right() - 2, strip.y, kLine);

  // Mini clock window: a rounded title bar on a disc that carries the dial.
  const Rect mini = r::frmMini;
  c.fill(mini, kKey);
  const double cx = mini.x + 51.5, cy = mini.y + 66.5;
  paintShape(c, {mini.x, mini.y + 16, mini.w, mini.h - 16}, disc(cx, cy, 44.5, c.scale()), kDeep,
             [](int, int) { return kLight; });
  const Rect bar{mini.x, mini.y, mini.w, 23};
  paintShape(c, bar, roundedRect(bar, 6, c.scale()), kDeep, [&](int, int y) { return gloss(y, bar.y + 1, bar.bottom() - 2); });
  fonts.draw(c, Face::SansBold, 10, mini.x + 7, mini.y + 15, "Pisarion", kText);
}

}  // namespace

Canvas paintAtlas(const Fonts& fonts, base::Scale scale) {
  Canvas c(skin::kAtlasWidth, skin::kAtlasHeight, kKey, scale);
  paintFrame(c);
  paintMonogram(c, fonts, r::toolbarRightEnd);
  paintBox(c);
  paintDateBox(c);
  paintSearchField(c);
  paintCaptionButtons(c);
  paintMenus(c);
  paintWindows(c, fonts);
  paintToolbar(c, fonts);
  return c;
}

// ---- 8. Clock, cap, icons ------------------------------------------------

Canvas paintClockFace(base::Scale scale) {
  Canvas c(100, 100, kKey, scale);
  const double cx = 50.5, cy = 50.5;
  // The dial: a two-pixel deep-blue rim around a white face, magenta outside;
  // the rings are decided at the canvas's own pixels.
  paintShape(c, {0, 0, 100, 100}, disc(cx, cy, 43.5, scale), kDeep, [](int, int) { return kWhite; });
  const double f = c.factor();
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double d = std::hypot((x + 0.5) / f - cx, (y + 0.5) / f - cy);
      if (c.get(x, y) != kWhite) continue;
      if (d > 42.2) c.put(x, y, kDeep);
      else if (d > 41.0) c.put(x, y, kLight);
    }
  // Hour marks: long and heavy at 12, 3, 6 and 9, short at the others.
  for (int h = 0; h < 12; ++h) {
    const double a = h * M_PI / 6;
    const double sx = std::sin(a), sy = -std::cos(a);
    const bool major = h % 3 == 0;
    const double r0 = major ? 31.5 : 34.5, r1 = 39.0, w = major ? 3.0 : 1.6;
    polyline(c, 0, 0, {{cx + sx * r0, cy + sy * r0}, {cx + sx * r1, cy + sy * r1}}, w, major ? kText : kDeep);
  }
  // Minute dots between the marks.
  for (int m = 0; m < 60; ++m) {
    if (m % 5 == 0) continue;
    const double a = m * M_PI / 30;
    const int x = int(std::floor(cx + std::sin(a) * 38.0)), y = int(std::floor(cy - std::cos(a) * 38.0));
    c.set(x, y, kLight);
  }
  return c;
}

Canvas paintClockCap(base::Scale scale) {
  Canvas c(7, 7, kKey, scale);
  paintShape(c, {0, 0, 7, 7}, disc(3.5, 3.5, 3.5, scale), kText, [](int, int) { return kDeep; });
  c.set(2, 2, kLight);
  return c;
}

Canvas paintIcon(int size, const Fonts& fonts) {
  Canvas c(size, size, kKey);
  const Rect all{0, 0, size, size};
  const double radius = size / 5.0;
  paintShape(c, all, roundedRect(all, radius), kText,
             [&](int, int y) { return y < size / 2 ? Color::rgb(104, 150, 206) : kDeep; });
  // The monogram: a white serif italic P, as on the toolbar's right end.
  const int fontPx = size == 16 ? 15 : 29;
  const int w = fonts.measure(Face::SerifBoldItalic, fontPx, "P");
  fonts.draw(c, Face::SerifBoldItalic, fontPx, (size - w) / 2, size * 13 / 16, "P", kWhite);
  return c;
}

// The setup program's icon: the diary's tile with a green round badge in its
// lower right corner, a white arrow pointing down into the tile.
Canvas paintSetupIcon(int size, const Fonts& fonts) {
  Canvas c = paintIcon(size, fonts);
  const double r = size * 0.28, cx = size - r - 0.5, cy = size - r - 0.5;
  paintShape(c, {0, 0, size, size}, disc(cx, cy, r + 0.5), kWhite, [](int, int) { return kGreen; });
  const double w = size / 10.0, h = r * 0.6;
  polyline(c, 0, 0, {{cx, cy - h}, {cx, cy + h * 0.7}}, w, kWhite);
  polyline(c, 0, 0, {{cx - h * 0.75, cy}, {cx, cy + h * 0.75}, {cx + h * 0.75, cy}}, w, kWhite);
  return c;
}

}  // namespace skingen

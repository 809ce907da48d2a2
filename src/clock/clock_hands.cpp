#include "clock/clock_hands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "clock/line_gs.h"

namespace miniclock {

namespace {

// The table step: whole degrees to radians, as the tables have always used it.
constexpr double kDegree = 0.017453294;

const base::Color kPen = base::Color::rgb(255, 255, 255);
const base::Color kFill = base::Color::rgb(0, 0, 0);
const base::Color kHandEdge = base::Color::rgb(94, 94, 94);
const base::Color kSecondEdge = base::Color::rgb(72, 146, 200);

int wrap(int v, int m) { return ((v % m) + m) % m; }

// Nearest integer, halves to even (the default rounding mode).
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int64_t floorDiv(int64_t n, int64_t d) {  // d > 0
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// One side with a one-pixel pen, first point in, last point out: Windows'
// Bresenham walk. Lines heading into octants 3, 5, 6 and 8 (counted clockwise
// from +x, y down) take the side step on a tie one pixel earlier, so a side
// drawn either way round lights the same pixels between its ends.
void penLine(gui::Surface& s, base::Point a, base::Point b, base::Color c) {
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int adx = std::abs(dx), ady = std::abs(dy);
  int octant;
  if (dy > 0)
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  else
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const bool xMajor = adx > ady;
  const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const int xInc = dx > 0 ? 1 : -1, yInc = dy > 0 ? 1 : -1;
  int err = 2 * minor - major;
  base::Point p = a;
  for (int n = 0; n < major; ++n) {
    s.setPixel(p.x, p.y, c);
    const bool step = err + bias > 0;
    err += step ? 2 * minor - 2 * major : 2 * minor;
    if (xMajor) {
      p.x += xInc;
      if (step) p.y += yInc;
    } else {
      p.y += yInc;
      if (step) p.x += xInc;
    }
  }
}

}  // namespace

HandAngles AnglesAt(const base::DateTime& now) {
  HandAngles a;
  a.second = wrap(now.second * 6, 360);
  a.minute = wrap(now.minute * 6, 360);
  a.hour = wrap(wrap(now.hour, 12) * 30 + a.minute / 12, 360);
  return a;
}

ClockHands::ClockHands(int radius) : m_radius(radius) {
  for (int i = 0; i < 360; ++i) {
    m_sin[i] = static_cast<float>(std::sin(i * kDegree));
    m_cos[i] = static_cast<float>(std::cos(i * kDegree));
  }
  buildTemplates();
  Reset();
}

void ClockHands::buildTemplates() {
  auto r = [this](double factor) { return roundEven(m_radius * factor); };
  Outline& s = m_templates[Second];
  Outline& m = m_templates[Minute];
  Outline& h = m_templates[Hour];
  s[0] = {r(-0.2), 0}, s[1] = {0, r(0.05)}, s[2] = {r(0.6), 0};
  h[0] = {r(-0.2), 0}, h[1] = {0, r(0.075)}, h[2] = {r(0.4), 0};
  std::copy_n(s.begin(), 3, m.begin());
  // The far half mirrors the near one across the hand's axis.
  for (Outline* t : {&s, &m, &h}) {
    (*t)[3] = {(*t)[1].x, -(*t)[1].y};
    (*t)[4] = {(*t)[0].x, -(*t)[0].y};
  }
}

base::Point ClockHands::rotate(base::Point p, int degrees) const {
  const int a = wrap(degrees, 360);
  // Single-precision table values, products and sums in double.
  const double s = m_sin[a], c = m_cos[a];
  return {roundEven(s * p.x + c * p.y + m_radius), roundEven(-c * p.x + s * p.y + m_radius)};
}

void ClockHands::turn(Hand h, int degrees) {
  for (size_t i = 0; i < 5; ++i) m_polygons[h][i] = rotate(m_templates[h][i], degrees);
}

bool ClockHands::Update(const base::DateTime& now) {
  const HandAngles a = AnglesAt(now);
  bool changed = false;
  const std::array<std::pair<int*, int>, 3> hands{{{&m_last.hour, a.hour}, {&m_last.minute, a.minute},
                                                   {&m_last.second, a.second}}};
  for (int h = Hour; h <= Second; ++h) {
    auto [last, angle] = hands[h];
    if (*last == angle) continue;
    *last = angle;
    turn(static_cast<Hand>(h), angle);
    changed = true;
  }
  return changed;
}

void ClockHands::Draw(const gui::Surface& face, gui::Surface& pic) const {
  pic = face;
  LineGS pen;
  auto edges = [&](const Outline& p, base::Color c) {
    for (size_t i = 0; i < 4; ++i) pen.LineGP(pic, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, c);
  };
  for (Hand h : {Hour, Minute}) {
    FillPolygon(pic, std::span(m_polygons[h]).first(4), kFill, kPen);
    edges(m_polygons[h], kHandEdge);
  }
  edges(m_polygons[Second], kSecondEdge);
}

void ClockHands::Reset() { m_last = HandAngles{}; }

void FillPolygon(gui::Surface& s, std::span<const base::Point> points, base::Color fill, base::Color pen) {
  const size_t n = points.size();
  if (n < 2) return;
  int top = points[0].y, bottom = points[0].y;
  for (const base::Point& p : points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  top = std::max(top, 0), bottom = std::min(bottom, s.height());
  std::vector<int> xs;
  for (int y = top; y < bottom; ++y) {
    xs.clear();
    for (size_t i = 0; i < n; ++i) {
      base::Point a = points[i], b = points[(i + 1) % n];
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      if (y < a.y || y >= b.y) continue;  // top end in, bottom end out
      // The first grid point at or right of the side: ceil of its exact x.
      const int64_t num = int64_t(a.x) * (b.y - a.y) + int64_t(y - a.y) * (b.x - a.x);
      xs.push_back(static_cast<int>(-floorDiv(-num, b.y - a.y)));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2)
      s.fill({xs[k], y, xs[k + 1] - xs[k], 1}, fill);
  }
  for (size_t i = 0; i < n; ++i) penLine(s, points[i], points[(i + 1) % n], pen);
}

}  // namespace miniclock

// The mini clock's hands at 10:08:30, drawn with the anti-aliased pen (the
// four edges of each of the three hands) on the 100 × 100 dial, directly and
// through a copy of the dial's pixels, against filling the hands' bounding
// rectangles with a plain fill.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "clock/line_gs.h"
#include "skin/atlas.h"

namespace {

constexpr int kR = 50;
using Hand = std::array<base::Point, 5>;

// A hand outline rotated to a clock angle (0 up, clockwise) on the dial.
Hand hand(double tip, double half, int degrees) {
  auto r = [](double v) { return int(std::nearbyint(v)); };
  const base::Point t[5] = {
      {r(-0.2 * kR), 0}, {0, r(half * kR)}, {r(tip * kR), 0}, {0, -r(half * kR)}, {r(-0.2 * kR), 0}};
  const float a = float(degrees) * 0.017453294f;
  const float s = std::sin(a), c = std::cos(a);
  Hand h;
  for (int i = 0; i < 5; ++i) h[i] = {r(s * t[i].x + c * t[i].y + kR), r(-c * t[i].x + s * t[i].y + kR)};
  return h;
}

struct Clock {
  gui::Surface dial = skin::loadClockFace();
  std::array<Hand, 3> hands{hand(0.4, 0.075, 304), hand(0.6, 0.05, 48), hand(0.6, 0.05, 180)};
  std::array<base::Color, 3> colours{base::Color::rgb(94, 94, 94), base::Color::rgb(94, 94, 94),
                                     base::Color::rgb(72, 146, 200)};
  miniclock::LineGS pen;
};

void BM_ClockHandsDirect(benchmark::State& state) {
  Clock c;
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k)
      for (int i = 0; i < 4; ++i) {
        const Hand& h = c.hands[k];
        c.pen.LineGP(c.dial, h[i].x, h[i].y, h[i + 1].x, h[i + 1].y, c.colours[k]);
      }
    benchmark::DoNotOptimize(c.dial.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel("vs:BM_FillHandRects");
}
BENCHMARK(BM_ClockHandsDirect);

void BM_ClockHandsPixelArray(benchmark::State& state) {
  Clock c;
  for (auto _ : state) {
    c.pen.DIB(c.dial, c.dial, c.dial.width(), c.dial.height());
    for (int k = 0; k < 3; ++k)
      for (int i = 0; i < 4; ++i) {
        const Hand& h = c.hands[k];
        c.pen.LineDIB(h[i].x, h[i].y, h[i + 1].x, h[i + 1].y, c.colours[k]);
      }
    c.pen.Array2Pic();
    benchmark::DoNotOptimize(c.dial.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel("vs:BM_FillHandRects");
}
BENCHMARK(BM_ClockHandsPixelArray);

void BM_FillHandRects(benchmark::State& state) {
  Clock c;
  std::array<base::Rect, 3> rects;
  for (int k = 0; k < 3; ++k) {
    int l = 1000, t = 1000, r = -1000, b = -1000;
    for (const base::Point& p : c.hands[k]) {
      l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
    }
    rects[k] = {l, t, r - l + 1, b - t + 1};
  }
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) c.dial.fill(rects[k], c.colours[k]);
    benchmark::DoNotOptimize(c.dial.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillHandRects);

}  // namespace

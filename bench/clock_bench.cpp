// The mini clock: one tick that moves the second hand, against copying the
// 100 × 100 dial; and the hands at 10:08:30 drawn with the anti-aliased pen
// (the four edges of each of the three hands) on the dial, directly and
// through a copy of the dial's pixels, against filling the hands' bounding
// rectangles with a plain fill.
#include <benchmark/benchmark.h>

#include <array>

#include "clock/clock_hands.h"
#include "clock/line_gs.h"
#include "skin/atlas.h"

namespace {

using Hand = miniclock::ClockHands::Outline;

base::DateTime at(int h, int m, int s) { return {{2026, 12, 9}, h, m, s}; }

std::array<Hand, 3> handsAt(const base::DateTime& t) {
  miniclock::ClockHands h(50);
  h.Update(t);
  using C = miniclock::ClockHands;
  return {h.polygonOf(C::Hour), h.polygonOf(C::Minute), h.polygonOf(C::Second)};
}

struct Clock {
  gui::Surface dial = skin::loadClockFace();
  std::array<Hand, 3> hands = handsAt(at(10, 8, 30));
  std::array<base::Color, 3> colours{base::Color::rgb(94, 94, 94), base::Color::rgb(94, 94, 94),
                                     base::Color::rgb(72, 146, 200)};
  miniclock::LineGS pen;
};

// One tick of the folded clock that moves the second hand: turn it, clear the
// picture to the dial, draw the three hands.
void BM_ClockTick(benchmark::State& state) {
  const gui::Surface face = skin::loadClockFace();
  gui::Surface pic;
  miniclock::ClockHands hands(50);
  int second = 0;
  for (auto _ : state) {
    if (hands.Update(at(10, 8, second))) hands.Draw(face, pic);
    second = (second + 1) % 60;
    benchmark::DoNotOptimize(pic.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel("vs:BM_CopyFace");
}
BENCHMARK(BM_ClockTick);

void BM_CopyFace(benchmark::State& state) {
  const gui::Surface face = skin::loadClockFace();
  gui::Surface pic = face;
  for (auto _ : state) {
    pic = face;
    benchmark::DoNotOptimize(pic.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyFace);

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

#pragma once
// The mini clock's three hands: their outlines, turned to the time of day and
// drawn over the dial. Each hand is a thin diamond that starts 0.2 R behind the
// centre; the hour and minute hands are black with a white one-pixel border
// softened by a grey anti-aliased edge, the second hand is a blue anti-aliased
// outline only. The window (frmMini) owns one ClockHands, calls Update() on
// every tick and Draw() only when Update() says a hand moved.
#include <array>
#include <span>

#include "base/date.h"
#include "base/geometry.h"
#include "gui/surface.h"

namespace miniclock {

struct HandAngles {
  int hour = -1, minute = -1, second = -1;
  bool operator==(const HandAngles&) const = default;
};

// Whole degrees, 0 = twelve o'clock, clockwise: s = sec*6, m = min*6,
// h = (hour mod 12)*30 + m/12. A leap second (60) or any other value out of
// range still gives an angle in 0 … 359.
HandAngles AnglesAt(const base::DateTime& now);

class ClockHands {
 public:
  enum Hand { Hour, Minute, Second };
  using Outline = std::array<base::Point, 5>;

  // R: 50 for the 100 × 100 face; the centre is (R, R) on the picture.
  explicit ClockHands(int radius);

  int radius() const { return m_radius; }
  // The outline in hand coordinates: x from the centre towards the tip, y
  // across; the fifth point repeats the first.
  const Outline& templateOf(Hand h) const { return m_templates[h]; }
  // The outline turned to the hand's last angle, in picture pixels.
  const Outline& polygonOf(Hand h) const { return m_polygons[h]; }
  // The angles last drawn (all −1 until the first Update).
  HandAngles angles() const { return m_last; }

  // Compares now's angles with the last drawn ones and turns only the hands
  // whose angle changed; true when any changed. Comparing rather than
  // counting ticks lets the clock catch up at once after a sleep.
  bool Update(const base::DateTime& now);
  // Clears `pic` to `face`, then draws the hour, minute and second hands in
  // that order.
  void Draw(const gui::Surface& face, gui::Surface& pic) const;
  // Forgets the last angles: the next Update reports a change.
  void Reset();

  // Point (x, y) of hand coordinates turned by `degrees` onto the picture,
  // each coordinate rounded to the nearest integer, halves to even.
  base::Point rotate(base::Point p, int degrees) const;

 private:
  void buildTemplates();
  void turn(Hand h, int degrees);

  int m_radius;
  std::array<float, 360> m_sin{}, m_cos{};
  std::array<Outline, 3> m_templates{};
  std::array<Outline, 3> m_polygons{};
  HandAngles m_last;
};

// What GDI's Polygon does with a solid brush and a one-pixel pen, for a
// closed outline of integer points: fills the inside (alternate rule; a
// pixel counts when its grid point lies inside, left and top edges in, right
// and bottom edges out), then draws each side with the pen from its first
// point up to, not including, its last.
void FillPolygon(gui::Surface& s, std::span<const base::Point> points, base::Color fill, base::Color pen);

}  // namespace miniclock

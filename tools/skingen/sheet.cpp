#include <algorithm>
#include <array>

#include "art.h"
#include "generate.h"
#include "skin/rects.h"

namespace skingen {
namespace {

constexpr int kScale = 3;
constexpr int kMargin = 12;

void blitScaled(Canvas& c, const gui::Surface& s, int x0, int y0) {
  for (int y = 0; y < s.height() * kScale; ++y)
    for (int x = 0; x < s.width() * kScale; ++x) c.set(x0 + x, y0 + y, s.pixel(x / kScale, y / kScale));
}

void outline(Canvas& c, Rect r, Color col) {
  c.hline(r.x, r.right() - 1, r.y, col);
  c.hline(r.x, r.right() - 1, r.bottom() - 1, col);
  c.vline(r.x, r.y, r.bottom() - 1, col);
  c.vline(r.right() - 1, r.y, r.bottom() - 1, col);
}

}  // namespace

Canvas renderSheet(const gui::Surface& atlas, const gui::Surface& clock, const gui::Surface& cap, const Fonts& fonts) {
  const int width = atlas.width() * kScale + 2 * kMargin;
  const int height = atlas.height() * kScale + clock.height() * kScale + 3 * kMargin + 24;
  Canvas c(width, height, Color::rgb(64, 64, 72));
  blitScaled(c, atlas, kMargin, kMargin);

  static constexpr std::array kColours{Color::rgb(0, 150, 0), Color::rgb(220, 0, 0), Color::rgb(0, 0, 230),
                                       Color::rgb(200, 110, 0), Color::rgb(0, 140, 160), Color::rgb(150, 0, 170)};
  const auto rects = skin::allRects();
  // Outlines first, then every label over them, so no outline crosses a label.
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect r = rects[i].rect;
    outline(c, {kMargin + r.x * kScale, kMargin + r.y * kScale, r.w * kScale, r.h * kScale},
            kColours[i % kColours.size()]);
  }
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect r = rects[i].rect;
    const std::string_view name = rects[i].name;
    const int x = kMargin + r.x * kScale + 2, y = kMargin + r.y * kScale + 2;
    const int w = fonts.measure(Face::Sans, 9, name);
    Canvas label(w + 2, 11, Color::rgb(255, 255, 255));
    fonts.draw(label, Face::Sans, 9, 1, 8, name, kColours[i % kColours.size()]);
    for (int ly = 0; ly < label.height(); ++ly)
      for (int lx = 0; lx < label.width(); ++lx) c.blend(x + lx, y + ly, label.get(lx, ly), 0.8);
  }

  // Below the atlas: the clock with its cap in the middle, and the icons.
  const int y0 = kMargin * 2 + atlas.height() * kScale + 20;
  fonts.draw(c, Face::SansBold, 12, kMargin, y0 - 6, "clock.bmp with clockcap.bmp at its centre, pisarion.ico (16, 32)",
             Color::rgb(255, 255, 255));
  gui::Surface composed = clock;
  for (int y = 0; y < cap.height(); ++y)
    for (int x = 0; x < cap.width(); ++x)
      if (cap.pixel(x, y) != base::kKeyColor)
        composed.setPixel(50 - cap.width() / 2 + x, 50 - cap.height() / 2 + y, cap.pixel(x, y));
  blitScaled(c, composed, kMargin, y0);
  const Canvas icon16 = paintIcon(16, fonts), icon32 = paintIcon(32, fonts);
  int ix = kMargin + clock.width() * kScale + 24;
  for (const Canvas* icon : {&icon16, &icon32}) {
    for (int y = 0; y < icon->height() * kScale; ++y)
      for (int x = 0; x < icon->width() * kScale; ++x) c.set(ix + x, y0 + y, icon->get(x / kScale, y / kScale));
    ix += icon->width() * kScale + 24;
  }
  return c;
}

}  // namespace skingen

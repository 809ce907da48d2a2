#include <algorithm>
#include <array>
#include <tuple>

#include "art.h"
#include "generate.h"
#include "skin/atlas.h"
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


// Copies a rectangle, leaving out magenta: a control shaped by the key colour.
void keyedBlit(gui::Surface& dst, const gui::Surface& src, Rect from, base::Point to) {
  for (int y = 0; y < from.h; ++y)
    for (int x = 0; x < from.w; ++x) {
      const Color p = src.pixel(from.x + x, from.y + y);
      if (p != base::kKeyColor) dst.setPixel(to.x + x, to.y + y, p);
    }
}

// The main window as its layout paints it: tiles, edges, corners, plate,
// caption buttons, editor frame, date boxes, day list, toolbar.
gui::Surface previewMain(const gui::Surface& a, const Fonts& fonts) {
  namespace r = skin::r;
  using skin::ToolbarFace;
  const int W = 596, H = 567;
  gui::Surface m(W, H, skin::kBodyColor);
  for (int i = 0; i <= 10; ++i) {
    m.blit(a, r::titleTile, {60 * i, 0});
    m.blit(a, r::bottomEdge, {60 * i, H - 5});
    m.blit(a, r::toolbarBand, {60 * i, 26});
  }
  for (int j = 0; j <= 9; ++j) {
    m.blit(a, r::leftEdge, {0, 60 * j});
    m.blit(a, r::rightEdge, {W - 5, 60 * j});
  }
  m.blit(a, r::topLeftCorner, {0, 0});
  m.blit(a, r::bottomLeftCorner, {0, H - 5});
  m.blit(a, r::topRightCorner, {W - 5, 0});
  m.blit(a, r::bottomRightCorner, {W - 5, H - 5});
  m.blit(a, r::captionPlate, {W - 120, 0});
  m.blit(a, r::toolbarRightEdge, {W - 5, 26});
  m.blit(a, r::toolbarLeftEnd, {7, 26});
  m.blit(a, r::toolbarRightEnd, {W - 37, 26});
  // A sample title, as the program prints it in its own font.
  gui::Surface title(350, 15);
  for (int i = 0; i <= 10; ++i) title.blit(a, r::titleTextTile, {60 * i, 0});
  Canvas t(350, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 350; ++x) t.set(x, y, title.pixel(x, y));
  fonts.draw(t, Face::SansBold, 11, 2, 11, "Pisarion (ponedeljek, 08. december 2025)", Color::rgb(18, 66, 105));
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 350; ++x) m.setPixel(20 + x, 4 + y, t.get(x, y));
  const std::pair<skin::CaptionButton, int> caps[] = {{skin::CaptionButton::Zapri, W - 21},
                                                       {skin::CaptionButton::Mini, W - 36},
                                                       {skin::CaptionButton::VednoNaVrhuOff, W - 54},
                                                       {skin::CaptionButton::Zloži, W - 72}};
  for (auto [b, left] : caps) keyedBlit(m, a, skin::captionFace(b, skin::ButtonState::Rest), {left, 5});
  // Editor frame.
  gui::Surface pt(400, 500, Color::rgb(255, 255, 255));
  for (int i = 0; i <= 50; ++i) pt.blit(a, r::boxLeft, {0, 10 * i}), pt.blit(a, r::boxRight, {397, 10 * i});
  for (int i = 0; i <= 40; ++i) pt.blit(a, r::boxTop, {10 * i, 0}), pt.blit(a, r::boxBottom, {10 * i, 497});
  pt.blit(a, r::boxTopLeft, {0, 0});
  pt.blit(a, r::boxTopRight, {330, 0});
  pt.blit(a, r::boxBottomLeft, {0, 497});
  pt.blit(a, r::boxBottomRight, {330, 497});
  m.blit(pt, pt.bounds(), {9, 60});
  // Year and month boxes with their drop buttons, the month one pressed.
  for (int k = 0; k < 2; ++k) {
    m.blit(a, r::dateBox, {413, 60 + 24 * k});
    keyedBlit(m, a, k ? r::dropButtonPressed : r::dropButton, {413 + 158, 60 + 24 * k + 3});
  }
  // Day list background.
  const int dh = 452;
  gui::Surface pd(175, dh);
  for (int i = 0; i <= dh / 10; ++i) pd.blit(a, r::dayListMiddle, {0, 10 * i});
  pd.blit(a, r::dayListTop, {0, 0});
  pd.blit(a, r::dayListBottom, {0, dh - 10});
  m.blit(pd, pd.bounds(), {413, 108});
  // Toolbar: rest faces, bold in its highlight, italic pressed.
  const std::tuple<ToolbarFace, int, skin::Row> buttons[] = {
      {ToolbarFace::Geslo, 15, skin::Row::Rest},
      {ToolbarFace::KrepkoOn, 60, skin::Row::Highlight},
      {ToolbarFace::LežečeOff, 100, skin::Row::Pressed},
      {ToolbarFace::PodčrtanoOff, 140, skin::Row::Rest},
      {ToolbarFace::PoravnajLevo, 183, skin::Row::Fade1},
      {ToolbarFace::SpremeniBarvo, 226, skin::Row::Rest},
      {ToolbarFace::SpremeniVelikost, 270, skin::Row::Rest}};
  for (auto [f, left, row] : buttons) {
    const Rect face = skin::toolbarFace(f, row);
    m.blit(a, {face.x, face.y, skin::toolbarButtonWidth(f), face.h}, {left, 19});
  }
  for (int x : {57, 180, 223}) m.blit(a, r::activeSeparator, {x, 26});
  // The alignment menu, open under its button.
  gui::Surface menu(78, 29);
  menu.blit(a, r::mnuPoravnaj, {0, 0});
  const std::pair<base::Alignment, skin::ButtonState> items[] = {
      {base::Alignment::Left, skin::ButtonState::Rest},
      {base::Alignment::Center, skin::ButtonState::Hover},
      {base::Alignment::Right, skin::ButtonState::Pressed}};
  for (int i = 0; i < 3; ++i) {
    const Rect f = skin::alignmentItemFace(items[i].first, items[i].second);
    menu.blit(a, {f.x, f.y, 23, 23}, {3 + 24 * i, 3});
  }
  m.blit(menu, menu.bounds(), {185, 58});
  // The window's region cuts the corners.
  static constexpr int top[5] = {5, 3, 2, 1, 1};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < top[y]; ++x) m.setPixel(x, y, base::kKeyColor), m.setPixel(W - 1 - x, y, base::kKeyColor);
  for (int x = 0; x < 2; ++x) m.setPixel(x, H - 1, base::kKeyColor), m.setPixel(W - 1 - x, H - 1, base::kKeyColor);
  m.setPixel(0, H - 2, base::kKeyColor), m.setPixel(W - 1, H - 2, base::kKeyColor);
  return m;
}

gui::Surface previewLogin(const gui::Surface& a) {
  gui::Surface w(190, 85);
  w.blit(a, skin::r::frmGeslo, {0, 0});
  for (int i = 0; i < 5; ++i) w.blit(a, skin::r::passwordDot, {(190 - 50) / 2 + 10 * i, 35});
  w.fill({(190 - 50) / 2 + 50, 35, 2, 16}, Color::rgb(18, 66, 105));
  return w;
}

gui::Surface previewChangePassword(const gui::Surface& a) {
  gui::Surface w(190, 153);
  w.blit(a, skin::r::frmSpremeniGeslo, {0, 0});
  w.blit(a, skin::r::picSpodaj, {0, 145});
  for (int i = 0; i < 3; ++i) w.blit(a, skin::r::passwordDot, {(190 - 30) / 2 + 10 * i, 24});
  return w;
}

gui::Surface previewMini(const gui::Surface& a, const gui::Surface& clock, const gui::Surface& cap) {
  gui::Surface w(101, 111, base::kKeyColor);
  keyedBlit(w, a, skin::r::frmMini, {0, 0});
  keyedBlit(w, a, skin::captionFace(skin::CaptionButton::MiniZloži, skin::ButtonState::Rest), {65, 5});
  keyedBlit(w, a, skin::captionFace(skin::CaptionButton::Zapri, skin::ButtonState::Rest), {80, 5});
  keyedBlit(w, clock, clock.bounds(), {1, 16});
  keyedBlit(w, cap, cap.bounds(), {1 + 50 - cap.width() / 2, 16 + 50 - cap.height() / 2});
  return w;
}

}  // namespace

Canvas renderSheet(const gui::Surface& atlas, const gui::Surface& clock, const gui::Surface& cap, const Fonts& fonts,
                   const gui::Surface* atlas2x) {
  const int width = atlas.width() * kScale + 2 * kMargin;
  const int extra = atlas2x ? atlas2x->height() + kMargin + 30 : 0;
  const int height = atlas.height() * kScale + 567 + clock.height() * kScale + 3 * kMargin + 60 + extra;
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

  // Below the atlas: the windows put together at 1× as the layout builds
  // them, then the clock with its cap and the icons at 3×.
  const int y0 = kMargin * 2 + atlas.height() * kScale + 20;
  const Color white = Color::rgb(255, 255, 255);
  fonts.draw(c, Face::SansBold, 12, kMargin, y0 - 6, "The windows at 1x, put together as the layout does", white);
  int x = kMargin;
  for (const gui::Surface& w : {previewMain(atlas, fonts), previewLogin(atlas), previewChangePassword(atlas),
                                previewMini(atlas, clock, cap)}) {
    for (int yy = 0; yy < w.height(); ++yy)
      for (int xx = 0; xx < w.width(); ++xx)
        if (w.pixel(xx, yy) != base::kKeyColor) c.set(x + xx, y0 + yy, w.pixel(xx, yy));
    x += w.width() + 16;
  }
  const int y1 = y0 + 567 + 30;
  fonts.draw(c, Face::SansBold, 12, kMargin, y1 - 6, "clock.bmp with clockcap.bmp at its centre, pisarion.ico and namestko.ico (16, 32), at 3x", white);
  gui::Surface composed = clock;
  keyedBlit(composed, cap, cap.bounds(), {50 - cap.width() / 2, 50 - cap.height() / 2});
  blitScaled(c, composed, kMargin, y1);
  const Canvas icon16 = paintIcon(16, fonts), icon32 = paintIcon(32, fonts);
  const Canvas setup16 = paintSetupIcon(16, fonts), setup32 = paintSetupIcon(32, fonts);
  int ix = kMargin + clock.width() * kScale + 24;
  for (const Canvas* icon : {&icon16, &icon32, &setup16, &setup32}) {
    for (int y = 0; y < icon->height() * kScale; ++y)
      for (int xx = 0; xx < icon->width() * kScale; ++xx)
        if (icon->get(xx / kScale, y / kScale) != kKey) c.set(ix + xx, y1 + y, icon->get(xx / kScale, y / kScale));
    ix += icon->width() * kScale + 24;
  }
  if (atlas2x) {
    // The atlas painted at 200 %, at 1:1, with the named rectangles where
    // the scale arithmetic puts them.
    const int y2 = y1 + clock.height() * kScale + kMargin + 30;
    fonts.draw(c, Face::SansBold, 12, kMargin, y2 - 6, "skin-200.png at 1:1, every named rectangle at its 200 % place", white);
    for (int y = 0; y < atlas2x->height(); ++y)
      for (int xx = 0; xx < atlas2x->width(); ++xx) c.put(kMargin + xx, y2 + y, atlas2x->pixel(xx, y));
    const base::Scale two{200};
    for (size_t i = 0; i < rects.size(); ++i) {
      const Rect r = two(rects[i].rect);
      outline(c, {kMargin + r.x, y2 + r.y, r.w, r.h}, kColours[i % kColours.size()]);
    }
  }
  return c;
}

}  // namespace skingen

#include "gui/button.h"

#include "gui/form.h"

namespace gui {
namespace {

constexpr Color kHighlight = Color::rgb(255, 255, 255), kLight = Color::rgb(227, 227, 227);
constexpr Color kShadow = Color::rgb(160, 160, 160), kDarkShadow = Color::rgb(64, 64, 64);
constexpr Color kInk = Color::rgb(0, 0, 0);
constexpr int kMark = 13;  // the check box's square, the option button's circle

// A raised or sunken edge: `lit` on the top and left, `dark` on the bottom and right.
void edge(Surface& s, Rect r, Color lit, Color dark) {
  s.fill({r.x, r.y, r.w, 1}, lit);
  s.fill({r.x, r.y, 1, r.h}, lit);
  s.fill({r.x, r.bottom() - 1, r.w, 1}, dark);
  s.fill({r.right() - 1, r.y, 1, r.h}, dark);
}

}  // namespace

Button::Button(std::string name, ElementKind kind) : Element(kind, std::move(name)) {}

void Button::setCaption(std::u16string c) {
  if (c == m_caption) return;
  m_caption = std::move(c);
  invalidate();
}

void Button::setBackColor(Color c) {
  if (c == m_backColor) return;
  m_backColor = c;
  invalidate();
}


void Button::drawMark(Surface& s) const {
  const int top = (height() - kMark) / 2;
  if (kind() == ElementKind::CheckBox) {
    s.fill({0, top, kMark, kMark}, kHighlight);
    edge(s, {0, top, kMark, kMark}, kShadow, kHighlight);
    edge(s, {1, top + 1, kMark - 2, kMark - 2}, kDarkShadow, kLight);
    return;
  }
  // The option button's round well: a disc with a darker rim.
  const double c = (kMark - 1) / 2.0;
  for (int y = 0; y < kMark; ++y)
    for (int x = 0; x < kMark; ++x) {
      const double d = (x - c) * (x - c) + (y - c) * (y - c);
      if (d <= c * c) s.setPixel(x, top + y, d >= (c - 1.5) * (c - 1.5) ? kShadow : kHighlight);
    }
}

Surface Button::face(TextService& text) const {
  Surface s(width(), height(), m_backColor, form().scale());
  const Size extent = text.measure(m_font, m_caption);
  if (kind() == ElementKind::CommandButton) {
    edge(s, s.bounds(), kHighlight, kDarkShadow);
    edge(s, {1, 1, width() - 2, height() - 2}, kLight, kShadow);
    text.draw(s, {2, (height() - extent.height) / 2, width() - 4, extent.height}, m_caption, m_font, kInk,
              base::Alignment::Center);
    return s;
  }
  drawMark(s);
  text.draw(s, {kMark + 4, (height() - extent.height) / 2, width() - kMark - 4, extent.height}, m_caption, m_font,
            kInk, base::Alignment::Left);
  return s;
}

void Button::paint(Surface& out, TextService& text, const Region& clip) const {
  const Rect r = form().scale()(formRect());
  const Surface f = face(text);
  for (const Rect& piece : clip.rects())
    out.blitDevice(f, {piece.x - r.x, piece.y - r.y, piece.w, piece.h}, {piece.x, piece.y});
}

}  // namespace gui

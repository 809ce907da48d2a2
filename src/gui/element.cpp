// Index: painting through a clip · Container · Element · PictureBox · Label ·
//        Panel · Shape · Line · TextBox · Host · EditBox
#include "gui/element.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "gui/form.h"
#include "gui/handler.h"

namespace gui {

namespace {

// The clip's rectangles; a single one (a face or a hover frame) is read
// without building the list.
template <class Each>
void forEachPiece(const Region& clip, Each each) {
  if (clip.rectCount() == 1) return each(clip.bounds());
  for (const Rect& piece : clip.rects()) each(piece);
}

// Fills `r` (window pixels) through the clip.
void fillThrough(Surface& out, Rect r, Color c, const Region& clip) {
  forEachPiece(clip, [&](const Rect& piece) { out.fillDevice(piece.intersect(r), c); });
}

// Copies `src`, whose top-left lies at `origin` (window pixels), through the clip.
void blitThrough(Surface& out, const Surface& src, Point origin, const Region& clip) {
  forEachPiece(clip, [&](const Rect& piece) {
    out.blitDevice(src, {piece.x - origin.x, piece.y - origin.y, piece.w, piece.h}, {piece.x, piece.y});
  });
}

// The element's rectangle in the window's own pixels.
Rect onWindow(const Element& e) { return e.form().scale()(e.formRect()); }

// The first and the last of rows 0..h-1 that `same` does not hold for;
// first is h when it holds for all.
template <class Same>
std::pair<int, int> differingRows(int h, Same same) {
  int first = 0, last = h - 1;
  while (first < h && same(first)) ++first;
  while (last > first && same(last)) --last;
  return {first, last};
}

// The part of `box` (100 % pixels) whose device rows first..last changed.
Rect rowsChanged(Rect box, base::Scale scale, int first, int last) {
  const int top = scale.unscale(first), bottom = scale.unscale(last) + 1;
  return Rect{box.x, top, box.w, bottom - top}.intersect(box);
}

}  // namespace

// ---- Container ---------------------------------------------------------------

Container::~Container() = default;

void Container::adopt(std::unique_ptr<Element> child) {
  child->m_form = &form();
  child->m_parent = this;
  child->m_parentElement = dynamic_cast<Element*>(this);
  Element& added = *child;
  m_children.push_back(std::move(child));
  added.rescaled();
  added.attached();
  added.invalidate();
  added.stackingChanged();
}

void Container::clearChildren() {
  while (!m_children.empty()) remove(*m_children.back());
}

void Container::remove(Element& child) {
  auto it = std::find_if(m_children.begin(), m_children.end(), [&](const auto& p) { return p.get() == &child; });
  if (it == m_children.end()) return;
  child.invalidate();
  child.stackingChanged();
  std::unique_ptr<Element> doomed = std::move(*it);
  m_children.erase(it);
  doomed.reset();
}

Element* Container::find(std::string_view name) const {
  for (const auto& c : m_children) {
    if (c->name() == name) return c.get();
    if (Element* e = c->find(name)) return e;
  }
  return nullptr;
}

void Container::restack(Element& child, bool toFront) {
  auto it = std::find_if(m_children.begin(), m_children.end(), [&](const auto& p) { return p.get() == &child; });
  if (it == m_children.end()) return;
  if (toFront)
    std::rotate(it, it + 1, m_children.end());
  else
    std::rotate(m_children.begin(), it, it + 1);
  child.invalidate();
  child.stackingChanged();
}

// ---- Element -----------------------------------------------------------------

Element::Element(ElementKind kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}

Element::~Element() {
  // Children go first, so the form forgets them while this element still exists.
  clearChildren();
  if (m_form) m_form->forget(*this);
}

void Element::setBounds(Rect r) {
  if (r == m_bounds) return;
  const bool sized = r.w != m_bounds.w || r.h != m_bounds.h;
  invalidate();  // where it was
  m_bounds = r;
  if (sized) resized();
  invalidate();
  stackingChanged();
}

Rect Element::formRect() const {
  Rect r = m_bounds;
  for (const Element* p = m_parentElement; p; p = p->m_parentElement) {
    r.x += p->m_bounds.x;
    r.y += p->m_bounds.y;
  }
  return r;
}

Rect Element::screenRect() const {
  Rect r = onWindow(*this);
  const Rect f = m_form->pixelBounds();
  return {r.x + f.x, r.y + f.y, r.w, r.h};
}

void Element::setVisible(bool v) {
  if (v == m_visible) return;
  m_visible = v;
  markDirty();
  stackingChanged();
}

bool Element::shown() const {
  for (const Element* e = this; e; e = e->m_parentElement)
    if (!e->m_visible) return false;
  return true;
}

void Element::setEnabled(bool v) {
  if (v == m_enabled) return;
  m_enabled = v;
  invalidate();
}

void Element::bringToFront() { m_parent->restack(*this, true); }
void Element::sendToBack() { m_parent->restack(*this, false); }

void Element::setRegion(std::optional<Region> r) {
  if (r == m_region) return;
  m_region = std::move(r);
  invalidate();
}

bool Element::hasFocus() const { return m_form->focused() == this; }
void Element::setFocus() { m_form->setFocus(this); }

bool Element::windowed() const {
  switch (m_kind) {
    case ElementKind::Label:
    case ElementKind::Shape:
    case ElementKind::Line: return false;
    default: return true;
  }
}

bool Element::receivesMouse() const { return m_kind != ElementKind::Shape && m_kind != ElementKind::Line; }

bool Element::hitArea(Point local) const {
  const Rect r = onWindow(*this);
  if (!Rect{0, 0, r.w, r.h}.contains(local)) return false;
  return !m_region || m_region->contains(local);
}

Rect Element::visibleFormRect() const {
  Rect r = formRect();
  for (const Element* p = m_parentElement; p; p = p->m_parentElement) r = r.intersect(p->formRect());
  return r;
}

void Element::markDirty() {
  if (m_form && (!m_parentElement || m_parentElement->shown())) m_form->invalidate(visibleFormRect());
}

void Element::invalidate() {
  if (m_visible) markDirty();
}

void Element::stackingChanged() {
  // Graphical elements (labels, shapes, lines) never cut a native child.
  if (m_form && (windowed() || !children().empty())) m_form->m_placeNativeChildren = true;
}

void Element::paint(Surface&, TextService&, const Region&) const {}

void Element::rescaled() {}

// ---- PictureBox --------------------------------------------------------------

void PictureBox::setBackColor(Color c) { m_backColor = c; }

void PictureBox::cls() { surface().fill(m_backColor); }

void PictureBox::blit(const Surface& src, Rect from, Point to) {
  // Clipped as Surface::blit clips: to the source, then to the box.
  Rect s = from.intersect(src.bounds());
  const Rect d{to.x + s.x - from.x, to.y + s.y - from.y, s.w, s.h};
  const Rect onBox = d.intersect(m_surface.bounds());
  if (onBox.empty()) return;
  s = {s.x + onBox.x - d.x, s.y + onBox.y - d.y, onBox.w, onBox.h};
  Rect changed = onBox;
  const base::Scale scale = m_surface.scale();
  const Rect source = scale(s), target = scale(onBox);
  if (&src != &m_surface && src.scale() == scale && source.w == target.w && source.h == target.h) {
    // Only the device rows between the first and the last that differ are
    // copied and marked: a face drawn again as it was marks nothing, and the
    // next fade step often keeps its top and bottom rows.
    const auto same = [&](int y) {
      return std::memcmp(src.row(source.y + y) + source.x, m_surface.row(target.y + y) + target.x,
                         static_cast<size_t>(source.w) * sizeof(uint32_t)) == 0;
    };
    const auto [first, last] = differingRows(source.h, same);
    if (first == source.h) return;
    for (int y = first; y <= last; ++y)
      std::memcpy(m_surface.row(target.y + y) + target.x, src.row(source.y + y) + source.x,
                  static_cast<size_t>(source.w) * sizeof(uint32_t));
    changed = rowsChanged(onBox, scale, target.y + first, target.y + last);
  } else if (scale.identity() && src.scale().identity()) {
    m_surface.blit(src, s, {onBox.x, onBox.y});  // overlapping: the surface copies through a temporary
  } else {
    // Spans that differ by a device pixel (150 %) or another scale: the
    // surface's own copy decides the pixels, and the rows it changed are
    // found by comparing before and after.
    const Rect d = target.intersect(m_surface.deviceBounds());
    std::vector<uint32_t> before(static_cast<size_t>(d.w) * d.h);
    for (int y = 0; y < d.h; ++y) std::memcpy(&before[size_t(y) * d.w], m_surface.row(d.y + y) + d.x, size_t(d.w) * 4);
    m_surface.blit(src, s, {onBox.x, onBox.y});
    const auto same = [&](int y) {
      return std::memcmp(&before[size_t(y) * d.w], m_surface.row(d.y + y) + d.x, size_t(d.w) * 4) == 0;
    };
    const auto [first, last] = differingRows(d.h, same);
    if (first == d.h) return;
    changed = rowsChanged(onBox, scale, d.y + first, d.y + last);
  }
  if (!shown()) return;
  const Rect r = formRect();
  form().invalidate(Rect{r.x + changed.x, r.y + changed.y, changed.w, changed.h}.intersect(visibleFormRect()));
}

void PictureBox::resized() { m_surface.resize(width(), height(), m_backColor); }

void PictureBox::rescaled() {
  if (m_surface.scale() != form().scale()) m_surface.rescale(form().scale(), m_backColor);
}

void PictureBox::paint(Surface& out, TextService&, const Region& clip) const {
  const Rect r = onWindow(*this);
  blitThrough(out, m_surface, {r.x, r.y}, clip);
}

// ---- Label -------------------------------------------------------------------

void Label::setText(std::u16string t) {
  if (t == m_text) return;
  m_text = std::move(t);
  redraw();
}

void Label::setForeColor(Color c) {
  if (c == m_foreColor) return;
  m_foreColor = c;
  redraw();
}

void Label::setBackColor(Color c) {
  if (c == m_backColor) return;
  m_backColor = c;
  redraw();
}

void Label::setTransparent(bool t) {
  if (t == m_transparent) return;
  m_transparent = t;
  redraw();
}

void Label::setFont(FontSpec f) {
  m_font = std::move(f);
  redraw();
}

void Label::setAlignment(base::Alignment a) {
  if (a == m_alignment) return;
  m_alignment = a;
  redraw();
}

void Label::redraw() {
  m_drawnOn = Surface();
  invalidate();
}

void Label::paint(Surface& out, TextService& text, const Region& clip) const {
  const Rect logical = formRect();
  const Rect r = onWindow(*this);
  Surface face(logical.w, logical.h, m_backColor, form().scale());
  if (m_transparent) face.blitDevice(out, r, {0, 0});
  if (face != m_drawnOn) {
    m_drawnOn = face;
    text.draw(face, face.bounds(), m_text, m_font, m_foreColor, m_alignment);
    m_drawn = std::move(face);
  }
  blitThrough(out, m_drawn, {r.x, r.y}, clip);
}

// ---- Panel -------------------------------------------------------------------

void Panel::setBackColor(Color c) {
  if (c == m_backColor) return;
  m_backColor = c;
  invalidate();
}

void Panel::paint(Surface& out, TextService&, const Region& clip) const {
  fillThrough(out, onWindow(*this), m_backColor, clip);
}

// ---- Shape -------------------------------------------------------------------

void Shape::setFillColor(Color c) {
  if (c == m_fillColor) return;
  m_fillColor = c;
  invalidate();
}

void Shape::setBorderColor(Color c) {
  if (c == m_borderColor) return;
  m_borderColor = c;
  invalidate();
}

void Shape::setFillStyle(FillStyle s) {
  if (s == m_fillStyle) return;
  m_fillStyle = s;
  invalidate();
}

void Shape::setBorderStyle(BorderStyle s) {
  if (s == m_borderStyle) return;
  m_borderStyle = s;
  invalidate();
}

void Shape::paint(Surface& out, TextService&, const Region& clip) const {
  const Rect r = formRect();
  const base::Scale scale = form().scale();
  if (m_fillStyle == FillStyle::Solid) fillThrough(out, scale(r), m_fillColor, clip);
  if (m_borderStyle == BorderStyle::None) return;
  fillThrough(out, scale(Rect{r.x, r.y, r.w, 1}), m_borderColor, clip);
  fillThrough(out, scale(Rect{r.x, r.bottom() - 1, r.w, 1}), m_borderColor, clip);
  fillThrough(out, scale(Rect{r.x, r.y, 1, r.h}), m_borderColor, clip);
  fillThrough(out, scale(Rect{r.right() - 1, r.y, 1, r.h}), m_borderColor, clip);
}

// ---- Line --------------------------------------------------------------------

void Line::setPoints(int x1, int y1, int x2, int y2) {
  m_x1 = x1;
  m_y1 = y1;
  m_x2 = x2;
  m_y2 = y2;
  Element::setBounds({std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1});
  invalidate();
}

void Line::setBounds(Rect r) {
  const int dx = r.x - left(), dy = r.y - top();
  if (dx == 0 && dy == 0) return;
  setPoints(m_x1 + dx, m_y1 + dy, m_x2 + dx, m_y2 + dy);
}

void Line::setColor(Color c) {
  if (c == m_color) return;
  m_color = c;
  invalidate();
}

void Line::paint(Surface& out, TextService&, const Region& clip) const {
  // Bresenham from the first point; the end point is left out.
  const Rect r = formRect();
  const int ox = r.x - left(), oy = r.y - top();
  int x = m_x1, y = m_y1;
  const int dx = std::abs(m_x2 - m_x1), dy = -std::abs(m_y2 - m_y1);
  const int sx = m_x1 < m_x2 ? 1 : -1, sy = m_y1 < m_y2 ? 1 : -1;
  int err = dx + dy;
  const base::Scale scale = form().scale();
  while (x != m_x2 || y != m_y2) {
    if (scale.identity()) {
      if (clip.contains({x + ox, y + oy})) out.setPixel(x + ox, y + oy, m_color);
    } else {
      fillThrough(out, scale(Rect{x + ox, y + oy, 1, 1}), m_color, clip);
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// ---- TextBox -----------------------------------------------------------------

TextBox::TextBox(std::string name) : Element(ElementKind::TextBox, std::move(name)) { setTakesFocus(true); }

void TextBox::setText(std::u16string t) {
  if (m_maxLength > 0 && t.size() > static_cast<size_t>(m_maxLength)) t.resize(m_maxLength);
  if (t == m_text) return;
  m_text = std::move(t);
  if (auto handler = onChange) handler();
}

void TextBox::keyPressDefault(char16_t ch) {
  if (ch == kKeyBack) {
    if (!m_text.empty()) setText(m_text.substr(0, m_text.size() - 1));
    return;
  }
  if (ch < 32) return;
  if (m_maxLength > 0 && m_text.size() >= static_cast<size_t>(m_maxLength)) return;
  setText(m_text + ch);
}

// ---- Host --------------------------------------------------------------------

Host::Host(std::string name) : Element(ElementKind::Host, std::move(name)) { setTakesFocus(true); }

void Host::attach(HostedEditor hosted) {
  m_window.reset();
  m_editor = std::move(hosted.editor);
  m_window = std::move(hosted.window);
  if (!m_window) return;
  stackingChanged();  // a new window, not yet cut
  m_window->onFocused = [this] { form().setFocus(this); };
  m_window->setLook(m_look);
}

void Host::setLook(const EditLook& look) {
  if (look == m_look) return;
  m_look = look;
  if (m_window) m_window->setLook(look);
  invalidate();
}

void Host::keyPressDefault(char16_t ch) {
  if (m_window) m_window->keyPress(ch);
}

void Host::setBounds(Rect r) {
  Element::setBounds(r);
  if (m_window) m_window->setBounds(onWindow(*this));
}

void Host::mouseUpDefault(int button) {
  if (button == kRightButton && m_editor && m_editor->onContextMenu) {
    auto handler = m_editor->onContextMenu;
    handler();
  }
}

// ---- EditBox -----------------------------------------------------------------

EditBox::EditBox(std::string name) : Element(ElementKind::EditBox, std::move(name)) { setTakesFocus(true); }

void EditBox::attach(HostedLineEdit hosted) {
  m_window.reset();
  m_edit = std::move(hosted.edit);
  m_window = std::move(hosted.window);
  if (!m_edit || !m_window) return;
  stackingChanged();
  m_edit->onChange = [this] { call(onChange); };
  m_window->onFocused = [this] { form().setFocus(this); };
  // A field that receives its keys itself offers them here first.
  m_window->onKeyDown = [this](int keyCode, int shift) {
    call(onKeyDown, keyCode, shift);
    return takeKey(keyCode, shift);
  };
  m_window->onChar = [this](char16_t& ch) { call(onKeyPress, ch); };
  // Where the platform has no window of its own the mouse comes through the form.
  using Mouse = NativeChild::Mouse;
  onMouseDown = [this](int button, int shift, double x, double y) {
    m_window->mouse(Mouse::Down, button, shift, form().scale()(Point{static_cast<int>(x), static_cast<int>(y)}));
  };
  onMouseMove = [this](int buttons, int shift, double x, double y) {
    m_window->mouse(Mouse::Move, buttons, shift, form().scale()(Point{static_cast<int>(x), static_cast<int>(y)}));
  };
  onDblClick = [this] {
    const Point p = form().platform().cursorPos();
    const Rect r = screenRect();
    m_window->mouse(Mouse::DoubleClick, kLeftButton, 0, {p.x - r.x, p.y - r.y});
  };
}

void EditBox::setText(std::u16string_view text) {
  if (m_edit) m_edit->setText(text);
}

bool EditBox::takeKey(int keyCode, int shift) {
  if (!onTakeKey) return false;
  auto handler = onTakeKey;
  return handler(keyCode, shift);
}

void EditBox::keyDownDefault(int keyCode, int shift) {
  if (!takeKey(keyCode, shift) && m_window) m_window->keyDown(keyCode, shift);
}

void EditBox::keyPressDefault(char16_t ch) {
  if (m_window) m_window->keyPress(ch);
}

void EditBox::setBounds(Rect r) {
  Element::setBounds(r);
  if (m_window) m_window->setBounds(onWindow(*this));
}

}  // namespace gui


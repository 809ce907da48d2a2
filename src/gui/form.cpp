// Index: geometry · lifecycle and window state · focus and timers ·
//        mouse dispatch (hit-testing, capture, click) · keys and system events ·
//        compose
#include "gui/form.h"

#include <cmath>

#include "gui/handler.h"

namespace gui {

namespace {

// The children of `c` that lie on top first: windowed ones, then graphical.
std::vector<Element*> topFirst(const Container& c) {
  std::vector<Element*> out;
  for (bool windowed : {true, false})
    for (auto it = c.children().rbegin(); it != c.children().rend(); ++it)
      if ((*it)->windowed() == windowed) out.push_back(it->get());
  return out;
}

// An element's rectangle in the window's own pixels.
Rect onWindow(const Element& e) { return e.form().scale()(e.formRect()); }

// The first shown child of `c`, top first, whose rectangle meets `r` (window pixels).
const Element* topmostAt(const Container& c, const Rect& r) {
  for (bool windowed : {true, false})
    for (auto it = c.children().rbegin(); it != c.children().rend(); ++it) {
      const Element& e = **it;
      if (e.windowed() == windowed && e.visible() && !onWindow(e).intersect(r).empty()) return &e;
    }
  return nullptr;
}

void paintChildren(const Container& c, const Region& clip, Surface& out, TextService& text) {
  const Rect reach = clip.bounds();
  for (bool windowed : {false, true})
    for (const auto& child : c.children()) {
      if (!child->visible() || child->windowed() != windowed) continue;
      const Rect r = onWindow(*child);
      if (r.intersect(reach).empty()) continue;
      Region own = clip.intersected(Region(r));
      if (child->region()) own = own.intersected(child->region()->offsetBy(r.x, r.y));
      if (own.empty()) continue;
      child->paint(out, text, own);
      paintChildren(*child, own, out, text);
    }
}

bool covers(const Rect& outer, const Rect& inner) { return outer.intersect(inner) == inner; }

// The element that alone decides every pixel of `r` (window pixels): the
// topmost one there, opaque, with nothing of its own stacked inside `r`.
// nullptr when the pixels mix several elements.
const Element* opaqueCover(const Container& c, const Rect& r) {
  const Element* e = topmostAt(c, r);
  if (!e || !covers(onWindow(*e), r) || e->region()) return nullptr;
  if (topmostAt(*e, r)) return opaqueCover(*e, r);
  return e->opaque() ? e : nullptr;
}

// A transparent label draws its text over the pixels beneath it, so it is
// composed whole or not at all: the clip grows by every such label it touches.
void addWholeElements(const Container& c, Region& clip) {
  for (const auto& child : c.children()) {
    if (!child->visible()) continue;
    const Rect r = onWindow(*child);
    if (child->composedWhole() && !r.intersect(clip.bounds()).empty() && !clip.intersected(Region(r)).empty())
      clip = clip.united(Region(r));
    addWholeElements(*child, clip);
  }
}

// The part of the window covered by shown windowed elements stacked above
// `e`: its later siblings, and those of each of its parents (window pixels).
Region coveredAbove(const Element& e) {
  Region covered;
  for (const Element* node = &e; node; node = node->parentElement()) {
    bool above = false;
    for (const auto& s : node->parent().children()) {
      if (s.get() == node) {
        above = true;
        continue;
      }
      if (above && s->shown() && s->windowed()) covered = covered.united(Region(onWindow(*s)));
    }
  }
  return covered;
}

void placeChildrenIn(const Container& c) {
  for (const auto& child : c.children()) {
    if (NativeChild* window = child->nativeChild()) {
      const Rect r = onWindow(*child);
      Region visible = Region(r).subtracted(coveredAbove(*child));
      visible.offset(-r.x, -r.y);
      window->setBounds(r);  // a parent moved it
      window->setVisibleRegion(visible);
      window->setShown(child->shown());
    }
    placeChildrenIn(*child);
  }
}

// Every element of `c` and below, told of the form's new scale.
void rescaleAll(Container& c) {
  for (const auto& child : c.children()) {
    child->rescaled();
    rescaleAll(*child);
  }
}

}  // namespace

int twipsToPixels(int twips, int twipsPerPixel) {
  if (twipsPerPixel <= 0) return twips;
  return static_cast<int>(std::nearbyint(static_cast<double>(twips) / twipsPerPixel));
}

Form::Form(Platform& platform, std::string name, TaskbarButton taskbar)
    : m_platform(platform), m_name(std::move(name)), m_taskbar(taskbar),
      m_scale{base::paintedScaleFor(base::Scale::ofDpi(platform.dpiAt({})).percent)}, m_surface(0, 0, {}, m_scale) {
  m_peer = m_platform.createPeer(*this);
}

Form::~Form() {
  onDescribe = nullptr;  // the window's controls are going
  clearChildren();
  m_timers.clear();
  m_toolTip.reset();  // before the window it watches
  m_peer.reset();
}

// ---- geometry ----------------------------------------------------------------

void Form::setLeft(int twips) { setPixelBounds({twipsToPixels(twips, tppX()), m_bounds.y, m_bounds.w, m_bounds.h}); }
void Form::setTop(int twips) { setPixelBounds({m_bounds.x, twipsToPixels(twips, tppY()), m_bounds.w, m_bounds.h}); }
void Form::setWidth(int twips) {
  setPixelBounds({m_bounds.x, m_bounds.y, m_scale(twipsToPixels(twips, tppX())), m_bounds.h});
}
void Form::setHeight(int twips) {
  setPixelBounds({m_bounds.x, m_bounds.y, m_bounds.w, m_scale(twipsToPixels(twips, tppY()))});
}

void Form::move(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
  setPixelBounds({twipsToPixels(leftTwips, tppX()), twipsToPixels(topTwips, tppY()),
                  m_scale(twipsToPixels(widthTwips, tppX())), m_scale(twipsToPixels(heightTwips, tppY()))});
}

void Form::setPixelBounds(Rect screen) {
  if (screen == m_bounds) return;
  // Put on a monitor of another scale, the window is drawn at that
  // monitor's scale, as one dragged there is; its 100 % size stays. Only a
  // move decides it: a window that only grows keeps its scale.
  if (screen.x != m_bounds.x || screen.y != m_bounds.y) {
    const Rect probe{screen.x, screen.y, std::max(1, screen.w), std::max(1, screen.h)};
    const base::Scale there{base::paintedScaleFor(base::Scale::ofDpi(m_platform.dpiAt(probe)).percent)};
    if (there != m_scale) {
      const int w = std::max(0, m_scale.unscale(screen.w)), h = std::max(0, m_scale.unscale(screen.h));
      setScale(there, {screen.x, screen.y, there(w), there(h)});
      m_peer->setBounds(m_bounds);
      return;
    }
  }
  applyBounds(screen);
  m_peer->setBounds(m_bounds);
}

void Form::applyBounds(Rect screen) {
  screen.w = std::max(0, screen.w);
  screen.h = std::max(0, screen.h);
  const bool sized = screen.w != m_bounds.w || screen.h != m_bounds.h;
  m_bounds = screen;
  if (!sized) return;
  m_surface.resize(m_scale.unscale(m_bounds.w), m_scale.unscale(m_bounds.h), m_backColor);
  invalidate();
  call(onResize);
}

void Form::setScale(base::Scale scale, Rect screen) {
  if (scale == m_scale) {
    setPixelBounds(screen);
    return;
  }
  m_scale = scale;
  m_surface.rescale(scale, m_backColor);
  rescaleAll(*this);
  m_placeNativeChildren = true;
  // The old shape is in the old scale's pixels; the new one is cut by the
  // redraw, from the pictures at the new scale.
  if (m_region) {
    m_region.reset();
    m_peer->setRegion(nullptr);
  }
  m_bounds = screen;
  m_bounds.w = std::max(0, m_bounds.w);
  m_bounds.h = std::max(0, m_bounds.h);
  m_surface.resize(m_scale.unscale(m_bounds.w), m_scale.unscale(m_bounds.h), m_backColor);
  m_peer->scaleChanged();
  call(onScaleChange);
  invalidate();
}

void Form::blit(const Surface& src, Rect from, Point to) {
  m_surface.blit(src, from, to);
  invalidate({to.x, to.y, from.w, from.h});
}

void Form::setBackColor(Color c) { m_backColor = c; }

void Form::cls() { surface().fill(m_backColor); }

// ---- lifecycle and window state ----------------------------------------------

void Form::load() {
  if (m_loaded) return;
  m_loaded = true;
  call(onLoad);
}

void Form::show(Activation activation) {
  load();
  if (!m_loaded) return;  // unloaded again by its own load
  if (m_visible) {
    if (activation == Activation::Activate) activate();
    return;
  }
  m_visible = true;
  m_peer->setVisible(true, activation);
}

void Form::hide() {
  if (!m_visible) return;
  m_visible = false;
  m_hover = nullptr;
  m_peer->setVisible(false, Activation::NoActivate);
}

bool Form::unload() {
  if (!m_loaded) return true;
  bool cancel = false;
  call(onUnload, cancel);
  if (cancel) return false;
  hide();
  for (auto& t : m_timers) t->setEnabled(false);
  m_loaded = false;
  return true;
}

void Form::setEnabled(bool v) {
  if (v == m_enabled) return;
  m_enabled = v;
  m_peer->setEnabled(v);
}

void Form::activate() { m_peer->activate(); }

void Form::setWindowState(int state) {
  if (state == m_windowState) return;
  m_windowState = state;
  m_peer->setMinimized(state == kMinimized);
  call(onResize);
}

void Form::setRegion(std::optional<Region> r) {
  if (r == m_region) return;
  m_region = std::move(r);
  m_peer->setRegion(m_region ? &*m_region : nullptr);
}

void Form::setCaption(std::u16string c) {
  if (c == m_caption) return;
  m_caption = std::move(c);
  m_peer->setCaption(m_caption);
}

void Form::setWindowPos(InsertAfter insertAfter, Rect screen) {
  m_topmost = insertAfter == InsertAfter::Topmost;
  applyBounds(screen);
  m_peer->setWindowPos(insertAfter, m_bounds);
}

void Form::invalidate() {
  if (m_peer && m_bounds.w > 0 && m_bounds.h > 0) m_peer->invalidate({0, 0, m_bounds.w, m_bounds.h});
}

void Form::invalidate(Rect client) {
  client = m_scale(client).intersect({0, 0, m_bounds.w, m_bounds.h});
  if (m_peer && !client.empty()) m_peer->invalidate(client);
}

// ---- focus and timers ----------------------------------------------------------

void Form::setFocus(Element* e) {
  if (e == m_focus) return;
  Element* old = m_focus;
  m_focus = e;
  if (NativeChild* child = e ? e->nativeChild() : nullptr) {
    placeNativeChildren();  // a child just shown is on the screen before it takes the keys
    child->focus();
  } else
    m_peer->focusChanged(e);
  if (old) call(old->onLostFocus);
  if (e && m_focus == e) call(e->onGotFocus);
}

Timer& Form::addTimer(std::string name, int intervalMs, TimerStart start) {
  m_timers.push_back(std::make_unique<Timer>(*this, std::move(name), intervalMs, start == TimerStart::Running));
  return *m_timers.back();
}

Timer* Form::timer(std::string_view name) const {
  for (const auto& t : m_timers)
    if (t->name() == name) return t.get();
  return nullptr;
}

void Form::forget(Element& e) {
  if (m_focus == &e) {
    m_focus = nullptr;
    if (m_peer) m_peer->focusChanged(nullptr);
  }
  if (m_hover == &e) m_hover = nullptr;
  if (m_tipElement == &e) m_tipElement = nullptr;
  if (m_capture == &e) {
    m_capture = nullptr;
    m_captureGone = true;
  }
  if (m_keyTarget == &e) m_keyTarget = nullptr;
}

// ---- mouse dispatch ------------------------------------------------------------

AccNode Form::describe() const {
  AccNode window = accNode(AccRole::Window, m_caption, m_surface.bounds());
  if (!m_enabled) window.state |= kAccUnavailable;
  if (onDescribe) onDescribe(window);
  return window;
}

Element* Form::hitTest(Point client) const {
  const Element* found = nullptr;
  const Container* level = this;
  for (;;) {
    const Element* next = nullptr;
    for (const Element* child : topFirst(*level)) {
      if (!child->visible() || !child->receivesMouse()) continue;
      const Rect r = onWindow(*child);
      if (!child->hitArea({client.x - r.x, client.y - r.y})) continue;
      next = child;
      break;
    }
    // A disabled item passes its input to its parent, not to what lies below.
    if (!next || !next->enabled()) return const_cast<Element*>(found);
    found = next;
    level = next;
  }
}

bool Form::overForm(Point client) const {
  if (!Rect{0, 0, m_bounds.w, m_bounds.h}.contains(client)) return false;
  return !m_region || m_region->contains(client);
}

void Form::sendMouse(Element* target, MouseEvent event, int button, int shift, Point client) {
  // The handlers see the 100 % pixel the window's pixel lies in.
  Point at = m_scale.unscale(client);
  if (target) {
    const Rect r = target->formRect();
    at = {at.x - r.x, at.y - r.y};
  }
  const MouseHandler& h = event == MouseEvent::Down ? (target ? target->onMouseDown : onMouseDown)
                          : event == MouseEvent::Move ? (target ? target->onMouseMove : onMouseMove)
                                                      : (target ? target->onMouseUp : onMouseUp);
  call(h, button, shift, double(at.x), double(at.y));
  if (event == MouseEvent::Up && target && !m_captureGone) target->mouseUpDefault(button);
}

void Form::dispatchMouseDown(int button, int shift, Point client, bool doubleClick) {
  if (m_buttons == 0) {
    m_capture = hitTest(client);
    m_captureGone = false;
    m_pressDouble = doubleClick;
    m_hover = m_capture;
  }
  m_buttons |= button;
  // A press puts the tip away (a menu opening under it is seen whole). The
  // element and its text stay noted as the tip's, so it comes back only on
  // another element, or with another text.
  if (m_toolTip && !m_tipText.empty()) m_toolTip->setTool({}, u"");
  Element* target = m_capture;
  if (button == kLeftButton && target && target->takesFocus()) setFocus(target);
  if (m_captureGone) return;
  if (doubleClick) {
    call(target ? target->onDblClick : onDblClick);
    return;
  }
  sendMouse(target, MouseEvent::Down, button, shift, client);
}

void Form::dispatchMouseMove(int buttons, int shift, Point client) {
  // A release that never reached this window (it was disabled meanwhile)
  // must not leave the pressed element holding the mouse.
  if (buttons == 0 && m_buttons != 0) {
    m_buttons = 0;
    m_capture = nullptr;
    m_captureGone = false;
    m_pressDouble = false;
  }
  Element* target = nullptr;
  if (m_buttons != 0) {
    if (m_captureGone) return;
    target = m_capture;
  } else {
    target = hitTest(client);
    m_hover = target;
  }
  sendMouse(target, MouseEvent::Move, buttons, shift, client);
  updateToolTip();
}

void Form::updateToolTip() {
  // One tool at a time, the element under the pointer, so that the tip
  // shows anew on every element that has one. Elements move and change
  // their tips, so the rectangle and text are read again on each change.
  const Element* e = m_hover;
  const std::u16string text = e ? e->toolTip() : std::u16string();
  if (e == m_tipElement && text == m_tipText) return;
  m_tipElement = e;
  m_tipText = text;
  if (!m_toolTip && !text.empty()) m_toolTip = m_platform.createToolTip(*this);
  if (m_toolTip) m_toolTip->setTool(e && !text.empty() ? onWindow(*e) : Rect{}, text);
}

void Form::dispatchMouseUp(int button, int shift, Point client) {
  if (m_buttons == 0) {  // pressed elsewhere: the release goes where it happens
    sendMouse(hitTest(client), MouseEvent::Up, button, shift, client);
    return;
  }
  Element* target = m_capture;
  const bool gone = m_captureGone;
  m_buttons &= ~button;
  const bool released = m_buttons == 0;
  const bool over = !gone && hitTest(client) == target && (target || overForm(client));
  const bool click = released && over && !m_pressDouble;
  if (released) m_pressDouble = false;
  if (gone) return;
  sendMouse(target, MouseEvent::Up, button, shift, client);
  if (released) {
    const bool alive = !m_captureGone;
    m_capture = nullptr;
    m_captureGone = false;
    if (click && alive) call(target ? target->onClick : onClick);
  }
}

void Form::dispatchMouseLeave() {
  if (m_buttons == 0) m_hover = nullptr;
}

// ---- keys and system events -----------------------------------------------------

Element* Form::keyTarget() const {
  if (!m_focus || !m_focus->shown()) return nullptr;
  for (const Element* e = m_focus; e; e = e->parentElement())
    if (!e->enabled()) return nullptr;
  return m_focus;
}

void Form::dispatchKeyDown(int keyCode, int shift) {
  m_keyTarget = keyTarget();
  if (!m_keyTarget) {
    call(onKeyDown, keyCode, shift);
    return;
  }
  call(m_keyTarget->onKeyDown, keyCode, shift);
  if (m_keyTarget) m_keyTarget->keyDownDefault(keyCode, shift);
}

bool Form::dispatchShortcut(int keyCode, int shift) {
  const bool offered = (shift & kCtrl) || keyCode == kKeyTab || keyCode == kKeyEscape;
  // A hidden, minimised or disabled window's shortcuts do nothing.
  if (!offered || !onShortcut || !m_enabled || !m_visible || m_windowState == kMinimized) return false;
  auto handler = onShortcut;
  return handler(keyCode, shift);
}

void Form::dispatchMouseWheel(int delta, int shift, Point client) {
  if (!m_enabled || m_buttons != 0) return;
  for (Element* e = hitTest(client); e; e = e->parentElement())
    if (e->onMouseWheel) {
      call(e->onMouseWheel, delta, shift);
      return;
    }
}

void Form::dispatchKeyUp(int keyCode, int shift) {
  m_keyTarget = keyTarget();
  call(m_keyTarget ? m_keyTarget->onKeyUp : onKeyUp, keyCode, shift);
}

void Form::dispatchKeyPress(char16_t ch) {
  m_keyTarget = keyTarget();
  if (!m_keyTarget) {
    call(onKeyPress, ch);
    return;
  }
  call(m_keyTarget->onKeyPress, ch);
  if (m_keyTarget && ch != 0) m_keyTarget->keyPressDefault(ch);
}

void Form::dispatchActivate(bool active) {
  if (active == m_active) return;
  m_active = active;
  call(active ? onActivate : onDeactivate);
}

void Form::dispatchClose() { unload(); }

bool Form::dispatchQueryEndSession() {
  if (!onQueryEndSession) return true;
  auto handler = onQueryEndSession;
  return handler();
}

void Form::dispatchEndSession(bool ending) { call(onEndSession, ending); }

void Form::dispatchDisplayChange() { call(onDisplayChange); }

void Form::dispatchSystemColours() { call(onSystemColours); }
void Form::dispatchDpiChanged(int dpi, Rect suggested) {
  const base::Scale scale{base::paintedScaleFor(base::Scale::ofDpi(dpi).percent)};
  // The suggested rectangle is the old size at the monitor's own scale; the
  // window keeps its top-left there and takes its size at the scale it is
  // drawn at.
  const Rect screen{suggested.x, suggested.y, scale(m_scale.unscale(m_bounds.w)), scale(m_scale.unscale(m_bounds.h))};
  setScale(scale, screen);
  m_peer->setBounds(m_bounds);
}

void Form::dispatchWindowState(int state) {
  if (state == m_windowState) return;
  m_windowState = state;
  call(onResize);
}

// ---- compose ---------------------------------------------------------------------

void Form::compose(Surface& out) const {
  out = m_surface;
  const int w = m_scale.unscale(m_bounds.w), h = m_scale.unscale(m_bounds.h);
  if (out.width() != w || out.height() != h) out.resize(w, h, m_backColor);
  paintChildren(*this, Region(out.deviceBounds()), out, m_platform.text());
}

void Form::compose(Surface& out, const Region& clip) const {
  if (out.scale() != m_scale || out.width() != m_surface.width() || out.height() != m_surface.height()) {
    compose(out);
    return;
  }
  // A hover frame or a changed face lies on one opaque element: its copy
  // alone is the picture there.
  if (clip.rectCount() == 1) {
    if (const Element* top = opaqueCover(*this, clip.bounds())) return top->paint(out, m_platform.text(), clip);
  }
  Region rest;
  for (const Rect& r : clip.rects()) {
    if (const Element* top = opaqueCover(*this, r))
      top->paint(out, m_platform.text(), Region(r));
    else
      rest = rest.united(Region(r));
  }
  if (rest.empty()) return;
  // Grows until no transparent label lies across its edge (one label
  // grown into may touch another).
  for (Region before; before != rest;) {
    before = rest;
    addWholeElements(*this, rest);
  }
  for (const Rect& piece : rest.rects()) out.blitDevice(m_surface, piece, {piece.x, piece.y});
  paintChildren(*this, rest, out, m_platform.text());
}

void Form::placeNativeChildren() const {
  if (!m_placeNativeChildren) return;
  m_placeNativeChildren = false;
  placeChildrenIn(*this);
}

Surface Form::composite() const {
  Surface out;
  compose(out);
  return out;
}

}  // namespace gui

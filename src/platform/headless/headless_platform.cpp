// Index: HeadlessWindow · BlockFont · clock and timers · stacking and
//        activation · mouse · keys · system actions · platform services
#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "textmodel/line_edit_model.h"

namespace headless {

namespace {

constexpr int64_t kDayMs = 24LL * 60 * 60 * 1000;

base::DateTime addMilliseconds(base::DateTime t, int64_t ms) {
  int64_t inDay = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond + ms;
  int64_t days = inDay / kDayMs;
  inDay %= kDayMs;
  if (inDay < 0) {
    inDay += kDayMs;
    --days;
  }
  t.millisecond = static_cast<int>(inDay % 1000);
  t.second = static_cast<int>(inDay / 1000 % 60);
  t.minute = static_cast<int>(inDay / 60000 % 60);
  t.hour = static_cast<int>(inDay / 3600000);
  for (; days > 0; --days) {
    if (++t.date.day > base::daysInMonth(t.date.year, t.date.month)) {
      t.date.day = 1;
      if (++t.date.month > 12) {
        t.date.month = 1;
        ++t.date.year;
      }
    }
  }
  for (; days < 0; ++days) {
    if (--t.date.day < 1) {
      if (--t.date.month < 1) {
        t.date.month = 12;
        --t.date.year;
      }
      t.date.day = base::daysInMonth(t.date.year, t.date.month);
    }
  }
  return t;
}

// The virtual-key code of a typed character, as the keyboard would send it.
int keyCodeOf(char16_t ch) {
  if (ch >= u'a' && ch <= u'z') return ch - 32;
  if ((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u' ') return ch;
  return 0;
}

}  // namespace

// ---- HeadlessWindow ----------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, gui::Form& form)
    : m_platform(platform),
      m_form(form),
      m_bounds(form.pixelBounds()),
      m_topmost(form.topmost()),
      m_enabled(form.enabled()),
      m_region(form.region()),
      m_caption(form.caption()) {}

HeadlessWindow::~HeadlessWindow() { m_platform.windowDestroyed(*this); }

void HeadlessWindow::formProcedure(HeadlessWindow& w, const Message& m) {
  switch (m.kind) {
    case Message::KeyDown: w.m_form.dispatchKeyDown(m.keyCode, m.shift); break;
    case Message::Char: w.m_form.dispatchKeyPress(m.ch); break;
    case Message::KeyUp: w.m_form.dispatchKeyUp(m.keyCode, m.shift); break;
  }
}

HeadlessWindow::Procedure HeadlessWindow::procedure() const {
  return m_subclasses.empty() ? &formProcedure : &subclassProcedure;
}

void HeadlessWindow::setSubclass(const void* owner, Subclass subclass) {
  removeSubclass(owner);
  m_subclasses.emplace_back(owner, std::move(subclass));
}

void HeadlessWindow::removeSubclass(const void* owner) {
  std::erase_if(m_subclasses, [&](const auto& s) { return s.first == owner; });
}

void HeadlessWindow::subclassProcedure(HeadlessWindow& w, const Message& m) {
  const auto subclasses = w.m_subclasses;  // a subclass may go while it runs
  for (auto it = subclasses.rbegin(); it != subclasses.rend(); ++it)
    if (it->second(m)) return;
  formProcedure(w, m);
}

bool HeadlessWindow::covers(Point screen) const {
  const Point local{screen.x - m_bounds.x, screen.y - m_bounds.y};
  if (!Rect{0, 0, m_bounds.w, m_bounds.h}.contains(local)) return false;
  return !m_region || m_region->contains(local);
}

void HeadlessWindow::invalidate(Rect client) {
  if (!m_dirty)
    m_pending.assign(client);
  else if (m_pending.rectCount() != 1 || m_pending.bounds().intersect(client) != client)
    m_pending = m_pending.united(gui::Region(client));
  m_dirty = !m_pending.empty();
}

void HeadlessWindow::paintPending() {
  if (!onScreen()) return;
  const Rect b = m_form.pixelBounds();
  if (m_frame.deviceWidth() != b.w || m_frame.deviceHeight() != b.h || m_frame.scale() != m_form.scale()) {
    m_pending.assign({0, 0, b.w, b.h});
    m_dirty = true;
  }
  if (!m_dirty) return;
  m_form.placeNativeChildren();
  m_form.compose(m_frame, m_pending);
  // The editor's page lies above the form's pixels, in its own colour.
  for (const HeadlessPlatform::EditorPlacement& e : m_platform.editors()) {
    if (e.form != &m_form || !e.look) continue;
    const gui::Region page = e.visible.offsetBy(e.rect.x, e.rect.y).intersected(m_pending);
    for (const Rect& r : page.rects()) m_frame.fillDevice(r, e.look->background);
  }
  ++m_presents;
  if (m_pending.rectCount() == 1)
    m_presentedPixels += int64_t(m_pending.bounds().w) * m_pending.bounds().h;
  else
    for (const Rect& r : m_pending.rects()) m_presentedPixels += int64_t(r.w) * r.h;
  // Copied, not moved: both keep their storage for the next frames.
  m_lastPresent = m_pending;
  m_dirty = false;
}

void HeadlessWindow::setVisible(bool visible, gui::Activation activation) {
  if (visible == m_visible) return;
  m_visible = visible;
  if (visible) invalidate(Rect{0, 0, m_bounds.w, m_bounds.h});
  if (visible)
    m_platform.windowShown(*this, activation);
  else
    m_platform.windowHidden(*this);
}

void HeadlessWindow::setBounds(Rect screen) { m_bounds = screen; }

void HeadlessWindow::setWindowPos(gui::InsertAfter insertAfter, Rect screen) {
  m_topmost = insertAfter == gui::InsertAfter::Topmost;
  m_bounds = screen;
  m_platform.windowRestacked(*this);
  if (onScreen()) m_platform.activateWindow(this);
}

void HeadlessWindow::setRegion(const gui::Region* region) {
  m_region = region ? std::optional<gui::Region>(*region) : std::nullopt;
}

void HeadlessWindow::setEnabled(bool enabled) { m_enabled = enabled; }

void HeadlessWindow::setCaption(std::u16string_view caption) { m_caption = caption; }

void HeadlessWindow::activate() {
  if (onScreen()) m_platform.activateWindow(this);
}

void HeadlessWindow::setMinimized(bool minimized) {
  if (minimized == m_minimized) return;
  m_minimized = minimized;
  if (!minimized) invalidate(Rect{0, 0, m_bounds.w, m_bounds.h});
  if (minimized)
    m_platform.windowHidden(*this);
  else if (m_visible)
    m_platform.windowShown(*this, gui::Activation::Activate);
}

// ---- BlockFont ---------------------------------------------------------------

int BlockFont::advance(const gui::FontSpec& font) {
  return std::max(1, static_cast<int>(std::lround(font.size * 2 / 3))) + (font.bold ? 1 : 0);
}

int BlockFont::lineHeight(const gui::FontSpec& font) {
  return std::max(1, static_cast<int>(std::lround(font.size * 4 / 3)));
}

gui::Size BlockFont::measure(const gui::FontSpec& font, std::u16string_view text) {
  return {advance(font) * static_cast<int>(text.size()), lineHeight(font)};
}

void BlockFont::draw(gui::Surface& target, Rect box, std::u16string_view text, const gui::FontSpec& font,
                     gui::Color color, base::Alignment alignment) {
  const int adv = advance(font), lh = lineHeight(font);
  const int width = adv * static_cast<int>(text.size());
  int x = box.x;
  if (alignment == base::Alignment::Right) x = box.right() - width;
  if (alignment == base::Alignment::Center) x = box.x + (box.w - width) / 2;
  for (char16_t ch : text) {
    if (ch != u' ') target.fill(Rect{x, box.y + 1, adv - 1, lh - 2}.intersect(box), color);
    x += adv;
  }
}

// ---- clock and timers ----------------------------------------------------------

HeadlessPlatform::HeadlessPlatform() = default;

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::setScreenSize(gui::Size size) {
  m_screen = size;
  m_workArea = {0, 0, size.width, size.height};
}

void HeadlessPlatform::setTwipsPerPixel(int x, int y) {
  m_tppX = x;
  m_tppY = y;
}

void HeadlessPlatform::setNow(const base::DateTime& t) {
  m_clockBase = t;
  m_clockBaseElapsed = m_elapsed;
}

base::DateTime HeadlessPlatform::now() const {
  return addMilliseconds(m_clockBase, m_elapsed - m_clockBaseElapsed);
}

void HeadlessPlatform::addTimer(gui::Timer& timer) { m_timers[&timer] = {++m_timerCount, std::nullopt}; }

void HeadlessPlatform::updateTimer(gui::Timer& timer) {
  auto it = m_timers.find(&timer);
  if (it == m_timers.end()) return;
  if (timer.running())
    it->second.due = m_elapsed + std::max(timer.interval(), kMinTimerInterval);
  else
    it->second.due.reset();
}

void HeadlessPlatform::removeTimer(gui::Timer& timer) { m_timers.erase(&timer); }

void HeadlessPlatform::post(std::function<void()> task) {
  const std::lock_guard lock(m_postedMutex);
  m_posted.push_back(std::move(task));
}

void HeadlessPlatform::advance(int64_t ms) {
  std::vector<std::function<void()>> posted;
  {
    const std::lock_guard lock(m_postedMutex);
    posted.swap(m_posted);
  }
  for (auto& task : posted) {
    task();
    paintWindows();
  }
  const int64_t end = m_elapsed + std::max<int64_t>(0, ms);
  for (;;) {
    gui::Timer* next = nullptr;
    const TimerState* best = nullptr;
    for (auto& [timer, state] : m_timers) {
      if (!state.due || *state.due > end) continue;
      if (!best || *state.due < *best->due || (*state.due == *best->due && state.order < best->order)) {
        best = &state;
        next = timer;
      }
    }
    if (!next) break;
    m_elapsed = *best->due;
    m_timers[next].due = m_elapsed + std::max(next->interval(), kMinTimerInterval);
    next->fire();
    paintWindows();
  }
  m_elapsed = end;
}

// ---- stacking and activation -----------------------------------------------------

std::unique_ptr<gui::FormPeer> HeadlessPlatform::createPeer(gui::Form& form) {
  auto w = std::make_unique<HeadlessWindow>(*this, form);
  m_stack.push_back(w.get());
  raise(*w);
  return w;
}

bool HeadlessPlatform::alive(const HeadlessWindow* w) const {
  return w && std::find(m_stack.begin(), m_stack.end(), w) != m_stack.end();
}

void HeadlessPlatform::raise(HeadlessWindow& w) {
  m_stack.erase(std::find(m_stack.begin(), m_stack.end(), &w));
  auto at = w.topmost() ? m_stack.begin()
                        : std::find_if(m_stack.begin(), m_stack.end(), [](auto* o) { return !o->topmost(); });
  m_stack.insert(at, &w);
}

std::vector<HeadlessWindow*> HeadlessPlatform::windows() const { return m_stack; }

HeadlessWindow* HeadlessPlatform::window(const gui::Form& form) const {
  for (HeadlessWindow* w : m_stack)
    if (&w->form() == &form) return w;
  return nullptr;
}

HeadlessWindow* HeadlessPlatform::windowAt(Point screen) const {
  for (HeadlessWindow* w : m_stack)
    if (w->onScreen() && w->covers(screen)) return w;
  return nullptr;
}

void HeadlessPlatform::paintWindows() {
  for (HeadlessWindow* w : m_stack) w->paintPending();
}

const gui::Surface& HeadlessPlatform::shown(const gui::Form& form) {
  paintWindows();
  return window(form)->frame();
}

gui::Surface HeadlessPlatform::screenshot(gui::Color desktop) {
  paintWindows();
  gui::Surface screen(m_screen.width, m_screen.height, desktop);
  for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
    const HeadlessWindow& w = **it;
    if (!w.onScreen()) continue;
    const gui::Surface& picture = w.frame();
    const Rect b = w.bounds();
    const gui::Region shape = w.region() ? *w.region() : gui::Region(Rect{0, 0, b.w, b.h});
    // The screen's pixels are the window's own, whatever its scale.
    for (const Rect& r : shape.rects()) screen.blitDevice(picture, r, {b.x + r.x, b.y + r.y});
  }
  return screen;
}

void HeadlessPlatform::windowShown(HeadlessWindow& w, gui::Activation activation) {
  raise(w);
  if (activation == gui::Activation::Activate) activateWindow(&w);
}

void HeadlessPlatform::windowHidden(HeadlessWindow& w) {
  if (m_hoverWindow == &w) m_hoverWindow = nullptr;
  if (m_active == &w) pickNewActive();
}

void HeadlessPlatform::windowDestroyed(HeadlessWindow& w) {
  m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), &w), m_stack.end());
  if (m_capture == &w) m_capture = nullptr;
  if (m_hoverWindow == &w) m_hoverWindow = nullptr;
  if (m_lastPress.window == &w) m_lastPress = {};
  if (m_active == &w) m_active = nullptr;
}

void HeadlessPlatform::windowRestacked(HeadlessWindow& w) { raise(w); }

void HeadlessPlatform::pickNewActive() {
  for (HeadlessWindow* w : m_stack)
    if (w != m_active && w->onScreen() && w->enabled()) {
      activateWindow(w);
      return;
    }
  activateWindow(nullptr);
}

void HeadlessPlatform::activateWindow(HeadlessWindow* w) {
  if (w) raise(*w);
  if (w == m_active) return;
  HeadlessWindow* old = m_active;
  m_active = w;
  if (old) old->form().dispatchActivate(false);
  if (w && m_active == w) w->form().dispatchActivate(true);
}

// ---- mouse -------------------------------------------------------------------------

Point HeadlessPlatform::toClient(const HeadlessWindow& w) const {
  return {m_cursor.x - w.bounds().x, m_cursor.y - w.bounds().y};
}

HeadlessWindow* HeadlessPlatform::receiver() const {
  if (m_buttons != 0 && m_capture) return m_capture;
  return windowAt(m_cursor);
}

void HeadlessPlatform::moveMouse(Point screen) {
  m_cursor = screen;
  HeadlessWindow* w = receiver();
  if (m_buttons == 0 && w != m_hoverWindow) {
    HeadlessWindow* old = m_hoverWindow;
    m_hoverWindow = w;
    if (old) old->form().dispatchMouseLeave();
  }
  if (w && alive(w) && w->enabled()) w->form().dispatchMouseMove(m_buttons, 0, toClient(*w));
  paintWindows();
}

void HeadlessPlatform::mouseDown(int button, int shift) {
  HeadlessWindow* w = receiver();
  if (!w || !w->enabled()) return;  // the desktop, or a disabled window eats it
  if (m_buttons == 0) {
    activateWindow(w);
    if (!alive(w)) return;
    m_capture = w;
  }
  m_buttons |= button;
  const bool dbl = !m_lastPress.usedForDouble && m_lastPress.window == w && m_lastPress.button == button &&
                   m_elapsed - m_lastPress.time <= kDoubleClickMs && std::abs(m_cursor.x - m_lastPress.at.x) <= 2 &&
                   std::abs(m_cursor.y - m_lastPress.at.y) <= 2;
  m_lastPress = {w, button, m_cursor, m_elapsed, dbl};
  w->form().dispatchMouseDown(button, shift, toClient(*w), dbl);
  paintWindows();
}

void HeadlessPlatform::mouseUp(int button, int shift) {
  HeadlessWindow* w = receiver();
  m_buttons &= ~button;
  if (m_buttons == 0) m_capture = nullptr;
  if (w && alive(w) && w->enabled()) w->form().dispatchMouseUp(button, shift, toClient(*w));
  paintWindows();
}

void HeadlessPlatform::click(Point screen, int button) {
  moveMouse(screen);
  mouseDown(button);
  mouseUp(button);
}

// The message loop hands the wheel to the form under the pointer, known as
// for the shortcuts.
void HeadlessPlatform::wheel(int delta, int shift) {
  HeadlessWindow* w = ownRoot(windowAt(m_cursor));
  if (!w || !w->enabled()) return;
  w->form().dispatchMouseWheel(delta, shift, toClient(*w));
  paintWindows();
}

void HeadlessPlatform::doubleClick(Point screen) {
  click(screen);
  click(screen);
}

// ---- keys ----------------------------------------------------------------------------

// The message loop as the program runs it on the system: each key-down is
// first offered to the form of the window it is for, and a shortcut taken
// there never reaches the window's procedure, nor types anything.
void HeadlessPlatform::keyStroke(int keyCode, char16_t ch, int shift) {
  HeadlessWindow* w = m_active;
  if (!w || !w->onScreen() || !w->enabled()) return;
  if (translateShortcut(*w, keyCode, shift)) {
    if (alive(w)) w->dispatch({HeadlessWindow::Message::KeyUp, keyCode, 0, shift});
    return;
  }
  w->dispatch({HeadlessWindow::Message::KeyDown, keyCode, 0, shift});
  // The character was queued for the same window before the key-down ran.
  if (ch && alive(w)) w->dispatch({HeadlessWindow::Message::Char, 0, ch, 0});
  if (alive(m_active) && m_active->enabled())
    m_active->dispatch({HeadlessWindow::Message::KeyUp, keyCode, 0, shift});
  paintWindows();
}

// Tab, Escape and the Ctrl keys go to the form's shortcuts first.
bool HeadlessPlatform::translateShortcut(HeadlessWindow& w, int keyCode, int shift) {
  if (!(shift & gui::kCtrl) && keyCode != gui::kKeyTab && keyCode != gui::kKeyEscape) return false;
  HeadlessWindow* own = ownRoot(&w);
  return own && own->form().dispatchShortcut(keyCode, shift);
}

// A form's window is known by the list of the windows the program made,
// never by its procedure, which a subclass changes.
HeadlessWindow* HeadlessPlatform::ownRoot(HeadlessWindow* w) const { return alive(w) ? w : nullptr; }

void HeadlessPlatform::keyDown(int keyCode, int shift) {
  const bool typesChar = keyCode == gui::kKeyBack || keyCode == gui::kKeyTab || keyCode == gui::kKeyReturn ||
                         keyCode == gui::kKeyEscape;
  // Ctrl with a letter types its control character, as TranslateMessage
  // makes it: Ctrl+I is a Tab.
  const bool ctrlLetter = (shift & gui::kCtrl) && !(shift & gui::kAlt) && keyCode >= 'A' && keyCode <= 'Z';
  // Ctrl+Backspace types DEL.
  const bool ctrlBack = (shift & gui::kCtrl) && keyCode == gui::kKeyBack;
  const char16_t ch = ctrlLetter ? static_cast<char16_t>(keyCode - 'A' + 1)
                      : ctrlBack ? char16_t(127)
                      : typesChar ? static_cast<char16_t>(keyCode)
                                  : 0;
  keyStroke(keyCode, ch, shift);
}

void HeadlessPlatform::typeText(std::u16string_view text) {
  for (char16_t ch : text) {
    const bool upper = ch >= u'A' && ch <= u'Z';
    keyStroke(keyCodeOf(ch), ch, upper ? gui::kShift : 0);
  }
}

// ---- system actions ---------------------------------------------------------------------

void HeadlessPlatform::restoreFromTaskbar(gui::Form& form) {
  HeadlessWindow* w = window(form);
  if (!w || !w->minimized()) return;
  w->setMinimized(false);
  form.dispatchWindowState(gui::kNormal);
  paintWindows();
}

void HeadlessPlatform::closeWindow(gui::Form& form) {
  if (window(form)) form.dispatchClose();
  paintWindows();
}

void HeadlessPlatform::displayChanged() {
  std::vector<gui::Form*> forms;
  for (HeadlessWindow* w : m_stack) forms.push_back(&w->form());
  for (gui::Form* f : forms)
    if (window(*f)) f->dispatchDisplayChange();
  paintWindows();
}

void HeadlessPlatform::setHighContrast(std::optional<gui::ContrastColours> colours) {
  m_highContrast = colours;
  std::vector<gui::Form*> forms;
  for (HeadlessWindow* w : m_stack) forms.push_back(&w->form());
  for (gui::Form* f : forms)
    if (window(*f)) f->dispatchSystemColours();
  paintWindows();
}

bool HeadlessPlatform::endSession() {
  std::vector<gui::Form*> forms;
  for (HeadlessWindow* w : m_stack) forms.push_back(&w->form());
  bool ends = true;
  for (gui::Form* f : forms)
    if (ends && window(*f) && !f->dispatchQueryEndSession()) ends = false;
  for (gui::Form* f : forms)
    if (window(*f)) f->dispatchEndSession(ends);
  return ends;
}

// ---- platform services ---------------------------------------------------------------------

void HeadlessPlatform::messageBox(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon) {
  m_messages.push_back({std::u16string(text), std::u16string(caption), icon});
  if (onMessageBox) {
    auto handler = onMessageBox;
    handler(m_messages.back());
  }
}

std::optional<gui::SaveFileAnswer> HeadlessPlatform::askSaveFile(gui::Form&, const gui::SaveFileRequest& request) {
  m_saveFileRequests.push_back(request);
  if (saveFileAnswers.empty()) return std::nullopt;
  auto answer = saveFileAnswers.front();
  saveFileAnswers.erase(saveFileAnswers.begin());
  return answer;
}

gui::PrintOutcome HeadlessPlatform::print(gui::Form&, const gui::PrintRequest& request) {
  m_printRequests.push_back(request);
  return printOutcome;
}

bool HeadlessPlatform::askYesNo(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon,
                                gui::DefaultAnswer byDefault) {
  messageBox(text, caption, icon);
  m_messages.back().question = true;
  m_messages.back().byDefault = byDefault;
  return answerYes;
}

namespace {

int64_t overlapArea(Rect a, Rect b) {
  const Rect i = a.intersect(b);
  return i.empty() ? 0 : int64_t{i.w} * i.h;
}

// Squared distance between two rectangles that do not overlap (0 when they touch).
int64_t gapSquared(Rect a, Rect b) {
  const int64_t dx = std::max<int64_t>({0, int64_t{b.x} - a.right(), int64_t{a.x} - b.right()});
  const int64_t dy = std::max<int64_t>({0, int64_t{b.y} - a.bottom(), int64_t{a.y} - b.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

const HeadlessPlatform::Monitor& HeadlessPlatform::nearestMonitor(Rect screen, std::vector<Monitor>& all) const {
  // The primary monitor first: it wins ties, as on Windows.
  all = {Monitor{{0, 0, m_screen.width, m_screen.height}, m_workArea, m_dpi}};
  all.insert(all.end(), m_monitors.begin(), m_monitors.end());
  const Monitor* best = &all.front();
  for (const Monitor& m : all)
    if (overlapArea(m.bounds, screen) > overlapArea(best->bounds, screen)) best = &m;
  if (overlapArea(best->bounds, screen) > 0) return *best;
  for (const Monitor& m : all)
    if (gapSquared(m.bounds, screen) < gapSquared(best->bounds, screen)) best = &m;
  return *best;
}

Rect HeadlessPlatform::workAreaNearest(Rect screen) const {
  std::vector<Monitor> all;
  return nearestMonitor(screen, all).workArea;
}

int HeadlessPlatform::dpiAt(Rect screen) const {
  std::vector<Monitor> all;
  return nearestMonitor(screen, all).dpi;
}

std::optional<size_t> HeadlessPlatform::popupMenu(gui::Form&, const std::vector<gui::MenuItem>& items) {
  m_popups.push_back({items, m_cursor});
  if (popupChoices.empty()) return std::nullopt;
  const size_t choice = popupChoices.front();
  popupChoices.erase(popupChoices.begin());
  if (choice >= items.size() || !items[choice].enabled) return std::nullopt;
  return choice;
}

namespace {

// The editor's window: it keeps the place it is given and types the
// characters the form lets through into the editor, as the system's control
// does on its own.
class EditorWindow : public gui::NativeChild {
 public:
  EditorWindow(gui::Editor* editor, std::vector<HeadlessPlatform::EditorPlacement>& placements, size_t index)
      : m_editor(editor), m_placements(placements), m_index(index) {}
  void setBounds(Rect form) override { m_placements[m_index].rect = form; }
  void setVisibleRegion(const gui::Region& visible) override { m_placements[m_index].visible = visible; }
  void focus() override {}
  void setLook(const gui::EditLook& look) override { m_placements[m_index].look = look; }
  void keyPress(char16_t ch) override {
    if (!m_editor || m_editor->Locked()) return;
    if (ch == gui::kKeyBack) {
      auto [start, length] = m_editor->selection();
      if (length == 0 && start > 0) m_editor->setSelection(start - 1, 1);
      m_editor->replaceSelection(u"");
      return;
    }
    if (ch == gui::kKeyReturn) {
      m_editor->replaceSelection(u"\r");
      return;
    }
    // The system's control types a Tab over the selection, as any character.
    if (ch >= 32 || ch == gui::kKeyTab) m_editor->replaceSelection(std::u16string(1, ch));
  }

 private:
  gui::Editor* m_editor;
  std::vector<HeadlessPlatform::EditorPlacement>& m_placements;
  size_t m_index;
};

}  // namespace

gui::HostedEditor HeadlessPlatform::createEditor(gui::Form& form, Rect rect) {
  rect = form.scale()(rect);
  m_editorPlacements.push_back({&form, rect, gui::Region(Rect{0, 0, rect.w, rect.h}), std::nullopt});
  std::unique_ptr<gui::Editor> editor = m_editorFactory ? m_editorFactory() : nullptr;
  auto window = std::make_unique<EditorWindow>(editor.get(), m_editorPlacements, m_editorPlacements.size() - 1);
  return {std::move(editor), std::move(window)};
}

namespace {

// A form's tooltip: the tool it holds, kept where the tests can read it.
// While a tool is set the tooltip subclasses the form's window to watch its
// messages, as the system's control does, and hands every one of them on.
class ToolTipWindow : public gui::NativeToolTip {
 public:
  ToolTipWindow(HeadlessPlatform& platform, std::map<const gui::Form*, HeadlessPlatform::ToolTipTool>& tools,
                const gui::Form& form)
      : m_platform(platform), m_tools(tools), m_form(&form) {
    m_tools[m_form] = {};
  }
  ~ToolTipWindow() override {
    m_tools.erase(m_form);
    if (HeadlessWindow* w = m_platform.window(*m_form)) w->removeSubclass(this);
  }
  void setTool(Rect form, std::u16string_view text) override {
    m_tools[m_form] = {form, std::u16string(text)};
    HeadlessWindow* w = m_platform.window(*m_form);
    if (!w) return;
    if (text.empty()) w->removeSubclass(this);
    else w->setSubclass(this, [](const HeadlessWindow::Message&) { return false; });
  }

 private:
  HeadlessPlatform& m_platform;
  std::map<const gui::Form*, HeadlessPlatform::ToolTipTool>& m_tools;
  const gui::Form* m_form;
};

}  // namespace

namespace {

// A text field's window: the editing model behind it, the pointer turned
// into the nearest character position by the width of the text before it.
class FieldWindow : public gui::NativeChild {
 public:
  FieldWindow(textmodel::LineEditModel& model, gui::TextService& text, gui::FontSpec font)
      : m_model(model), m_text(text), m_font(std::move(font)) {}
  void setBounds(Rect) override {}
  void setVisibleRegion(const gui::Region&) override {}
  void focus() override {}
  void setLook(const gui::EditLook&) override {}
  void keyDown(int keyCode, int shift) override { m_model.keyDown(keyCode, shift); }
  void keyPress(char16_t ch) override { m_model.keyPress(ch); }
  void mouse(Mouse action, int buttons, int shift, Point local) override {
    if (!(buttons & gui::kLeftButton)) return;
    const int pos = positionAt(local.x);
    if (action == Mouse::Down) m_model.press(pos, shift & gui::kShift);
    else if (action == Mouse::Move) m_model.dragTo(pos);
    else m_model.doubleClick(pos);
  }

 private:
  int positionAt(int x) {
    const std::u16string text = m_model.text();
    int best = 0, bestDistance = std::abs(x);
    for (size_t i = 1; i <= text.size(); ++i) {
      const int d = std::abs(m_text.measure(m_font, std::u16string_view(text).substr(0, i)).width - x);
      if (d < bestDistance) best = static_cast<int>(i), bestDistance = d;
    }
    return best;
  }

  textmodel::LineEditModel& m_model;
  gui::TextService& m_text;
  gui::FontSpec m_font;
};

}  // namespace

gui::HostedLineEdit HeadlessPlatform::createLineEdit(gui::Form&, Rect, const gui::FieldLook& look) {
  auto model = std::make_unique<textmodel::LineEditModel>(m_fieldClipboard);
  auto window = std::make_unique<FieldWindow>(*model, m_font, look.font);
  return {std::move(model), std::move(window)};
}

std::unique_ptr<gui::NativeToolTip> HeadlessPlatform::createToolTip(gui::Form& form) {
  return std::make_unique<ToolTipWindow>(*this, m_toolTips, form);
}

std::optional<HeadlessPlatform::ToolTipTool> HeadlessPlatform::toolTip(const gui::Form& form) const {
  const auto it = m_toolTips.find(&form);
  if (it == m_toolTips.end()) return std::nullopt;
  return it->second;
}

}  // namespace headless

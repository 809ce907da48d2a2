#pragma once
// A top-level window: position and size in twips, a persistent backing
// surface, its elements and timers, and the one root that owns hover, mouse
// capture and keyboard focus. The platform's window delivers every input
// event through the dispatch* members; the form calls its peer on every
// change of its own state.
//
// Index:
//   geometry (twips, pixels) · visibility and lifecycle · window state ·
//   region, caption, keep-on-top · focus · timers · events · dispatch · compose
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/accessible.h"
#include "gui/element.h"
#include "gui/platform.h"
#include "gui/region.h"
#include "gui/surface.h"
#include "gui/timer.h"

namespace gui {

// Window state as the form property numbers it.
enum WindowState : int { kNormal = 0, kMinimized = 1 };

// Twips to whole pixels: nearest, halves to even.
int twipsToPixels(int twips, int twipsPerPixel);

// Whether the form's window has a button of its own on the taskbar; fixed
// when the window is made.
enum class TaskbarButton { None, Shown };

class Form : public Container {
 public:
  Form(Platform& platform, std::string name, TaskbarButton taskbar = TaskbarButton::None);
  ~Form() override;

  Platform& platform() const { return m_platform; }
  FormPeer& peer() const { return *m_peer; }
  const std::string& name() const { return m_name; }
  TaskbarButton taskbarButton() const { return m_taskbar; }
  Form& form() override { return *this; }
  const Form& form() const override { return *this; }

  // Geometry in twips. The window sits on whole pixels, so a value reads back
  // as its pixel count times twips per pixel. The position is the screen's;
  // the size is that of the 100 % layout, which the window has at its scale.
  int left() const { return m_bounds.x * tppX(); }
  int top() const { return m_bounds.y * tppY(); }
  int width() const { return m_scale.unscale(m_bounds.w) * tppX(); }
  int height() const { return m_scale.unscale(m_bounds.h) * tppY(); }
  void setLeft(int twips);
  void setTop(int twips);
  void setWidth(int twips);
  void setHeight(int twips);
  void move(int leftTwips, int topTwips, int widthTwips, int heightTwips);
  // The scale the window is drawn at, chosen from its monitor's DPI: every
  // element's rectangle, every surface's coordinates and the mouse the
  // handlers see stay in 100 % pixels; the screen pixels of pixelBounds, of
  // the regions and of what the window presents are at this scale.
  base::Scale scale() const { return m_scale; }
  // Draws the window at another scale from now on: every picture box
  // is blank at the new scale until onScaleChange has drawn it again, and
  // the window takes `screen` (its bounds at the new scale).
  void setScale(base::Scale scale, Rect screen);
  // The screen size of a 100 % size at the window's scale.
  Rect scaledBounds(Point screenTopLeft, int width, int height) const {
    return {screenTopLeft.x, screenTopLeft.y, m_scale(width), m_scale(height)};
  }
  // Geometry in screen pixels.
  Rect pixelBounds() const { return m_bounds; }
  void setPixelBounds(Rect screen);
  // The size in the form's own 100 % pixels, those its elements are laid
  // out in (the screen size unscaled).
  int pixelWidth() const { return m_surface.width(); }
  int pixelHeight() const { return m_surface.height(); }
  int tppX() const { return m_platform.twipsPerPixelX(); }
  int tppY() const { return m_platform.twipsPerPixelY(); }

  // The form's own drawing target; its size follows the form, new parts take
  // the back colour. Asking for it to draw on marks the whole form changed.
  Surface& surface() {
    invalidate();
    return m_surface;
  }
  const Surface& surface() const { return m_surface; }
  // Copies src's rectangle onto the form, marking changed only the pixels it
  // covers.
  void blit(const Surface& src, Rect from, Point to);
  Color backColor() const { return m_backColor; }
  void setBackColor(Color c);
  void cls();  // fills the surface with the back colour

  // Lifecycle: load runs onLoad once; show loads first; unload runs onUnload
  // (which may cancel), hides the window and stops every timer. Answers
  // whether the form is now unloaded.
  bool loaded() const { return m_loaded; }
  void load();
  void show(Activation activation = Activation::Activate);
  void hide();
  bool unload();
  bool visible() const { return m_visible; }
  void setVisible(bool v) { v ? show() : hide(); }
  bool enabled() const { return m_enabled; }
  void setEnabled(bool v);
  bool active() const { return m_active; }
  void activate();

  int windowState() const { return m_windowState; }
  void setWindowState(int state);

  const std::optional<Region>& region() const { return m_region; }
  void setRegion(std::optional<Region> r);
  const std::u16string& caption() const { return m_caption; }
  void setCaption(std::u16string c);
  bool topmost() const { return m_topmost; }
  // SetWindowPos with flags 0: keep-on-top on or off, and the rectangle.
  void setWindowPos(InsertAfter insertAfter, Rect screen);

  // Shows what was drawn on the form: it is presented with everything else
  // that changed once the current event is handled.
  void refresh() { invalidate(); }
  // The whole composite, or these client pixels of it, changed.
  void invalidate();
  void invalidate(Rect client);

  // Keyboard focus: an element, or nullptr for the form itself.
  Element* focused() const { return m_focus; }
  void setFocus(Element* e);
  Element* hovered() const { return m_hover; }
  // The element holding the mouse while a button is held (nullptr: none, or
  // the form's own surface).
  Element* captured() const { return m_capture; }

  Timer& addTimer(std::string name, int intervalMs = 0, TimerStart start = TimerStart::Running);
  Timer* timer(std::string_view name) const;
  const std::vector<std::unique_ptr<Timer>>& timers() const { return m_timers; }

  // Events of the form itself.
  std::function<void()> onLoad;
  std::function<void(bool& cancel)> onUnload;
  std::function<void()> onActivate, onDeactivate;
  std::function<void()> onResize;  // window state or size changed
  // The screen's resolution or the desktop's work area changed.
  std::function<void()> onDisplayChange;
  // The system's colours changed, or high contrast was turned on or off.
  std::function<void()> onSystemColours;
  // The window is now drawn at another scale (it moved to a monitor of
  // another DPI, or the DPI changed): everything it drew is to be drawn
  // again, and the shapes cut again.
  std::function<void()> onScaleChange;
  // Logoff or shutdown: answer false to object; endSession(true) follows
  // when the session really ends.
  std::function<bool()> onQueryEndSession;
  std::function<void(bool ending)> onEndSession;
  // Mouse and keys on the form's own surface (no element under the point,
  // or no element focused).
  MouseHandler onMouseDown, onMouseMove, onMouseUp;
  std::function<void()> onClick, onDblClick;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  // A key pressed with Ctrl, or Tab or Escape, anywhere in the window,
  // before whoever has the keyboard sees it (the editor included): the
  // window's keyboard shortcuts and its moves of the keyboard between its
  // parts. Answer true when the key was taken; it then goes no further.
  std::function<bool(int keyCode, int shift)> onShortcut;
  // What a screen reader is told the window holds: the window adds its
  // controls to the node of the window itself (named by the caption).
  std::function<void(AccNode& window)> onDescribe;
  AccNode describe() const;

  // Input from the window, in client pixels (at the window's scale). `doubleClick` marks the second
  // press of a double click: the receiver gets DblClick instead of MouseDown
  // and no Click on the release. `buttons` of a move is the held-button mask.
  void dispatchMouseDown(int button, int shift, Point client, bool doubleClick = false);
  void dispatchMouseMove(int buttons, int shift, Point client);
  void dispatchMouseUp(int button, int shift, Point client);
  void dispatchMouseLeave();
  void dispatchKeyDown(int keyCode, int shift);
  void dispatchKeyUp(int keyCode, int shift);
  void dispatchKeyPress(char16_t ch);
  // A Ctrl key, Tab or Escape, offered before the key goes to the focus;
  // true when taken.
  bool dispatchShortcut(int keyCode, int shift);
  // The wheel turned with the pointer at the client point: to the element
  // there, or the nearest of its parents that takes the wheel.
  void dispatchMouseWheel(int delta, int shift, Point client);
  // Window-system notifications.
  void dispatchActivate(bool active);
  void dispatchClose();  // the user closes the window: unload
  bool dispatchQueryEndSession();
  void dispatchEndSession(bool ending);
  void dispatchWindowState(int state);  // minimised or restored by the system
  void dispatchDisplayChange();
  void dispatchSystemColours();
  // The window's monitor has another DPI now; `suggested` is where the
  // system would put the window at it (screen pixels).
  void dispatchDpiChanged(int dpi, Rect suggested);

  // The element that receives a press at the client point (nullptr: the
  // form); the point is in the window's own pixels, at its scale.
  Element* hitTest(Point client) const;

  // The window's picture: the backing surface, then every shown element in
  // stacking order, each clipped to its parent and its own region. `out` is
  // resized to the form's pixel size.
  void compose(Surface& out) const;
  Surface composite() const;
  // The same, redrawing only the pixels of `clip` in `out`, which holds the
  // picture as it was last composed (a kept frame). A frame of another size
  // is composed whole.
  void compose(Surface& out, const Region& clip) const;
  // Tells every hosted native child which part of it shows: native children
  // lie above everything the form paints, so each is cut where shown
  // windowed elements stack above its host. The window calls it as it paints;
  // it works only after an element was added, removed, moved, shown, hidden
  // or restacked since the last time (a hover frame or a keystroke changes
  // no cut).
  void placeNativeChildren() const;

 private:
  friend class Container;
  friend class Element;
  void forget(Element& e);  // an element is being destroyed
  void applyBounds(Rect screen);
  Element* keyTarget() const;
  bool overForm(Point client) const;
  enum class MouseEvent { Down, Move, Up };
  void sendMouse(Element* target, MouseEvent event, int button, int shift, Point client);
  // Gives the tooltip the element now under the pointer, when it or its
  // tip changed.
  void updateToolTip();

  Platform& m_platform;
  std::string m_name;
  TaskbarButton m_taskbar;
  std::unique_ptr<FormPeer> m_peer;
  base::Scale m_scale;
  Rect m_bounds;
  Surface m_surface;
  Color m_backColor = Color::rgb(255, 255, 255);
  bool m_loaded = false;
  bool m_visible = false;
  bool m_enabled = true;
  bool m_active = false;
  bool m_topmost = false;
  int m_windowState = kNormal;
  std::optional<Region> m_region;
  std::u16string m_caption;
  Element* m_focus = nullptr;
  Element* m_hover = nullptr;
  Element* m_capture = nullptr;
  int m_buttons = 0;         // buttons held since a press on this form
  bool m_pressDouble = false;  // the current press began with a double click
  bool m_captureGone = false;  // the pressed element was destroyed meanwhile
  Element* m_keyTarget = nullptr;  // receiver of the key being dispatched
  std::vector<std::unique_ptr<Timer>> m_timers;
  std::unique_ptr<NativeToolTip> m_toolTip;
  const Element* m_tipElement = nullptr;  // the tool the tooltip holds
  std::u16string m_tipText;
  mutable bool m_placeNativeChildren = true;  // the cuts may have changed
};

}  // namespace gui

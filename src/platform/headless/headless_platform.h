#pragma once
// A simulated window system for tests: a screen with a work area, a virtual
// clock that fires timers, a cursor the test moves, and input delivered the
// way Windows delivers it — to the topmost visible window under the cursor,
// or to the window holding the mouse while a button is held; keys to the
// active window. Nothing sleeps.
//
// Index: HeadlessWindow (a form's window) · BlockFont (text) ·
//        HeadlessPlatform: screen, clock, input, windows, message boxes, editor
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "gui/form.h"
#include "gui/platform.h"

namespace headless {

using base::Point;
using base::Rect;

class HeadlessPlatform;

// The window of one form, inspectable by tests.
class HeadlessWindow : public gui::FormPeer {
 public:
  HeadlessWindow(HeadlessPlatform& platform, gui::Form& form);
  ~HeadlessWindow() override;

  // The key messages the message loop dispatches to a window.
  struct Message {
    enum Kind { KeyDown, Char, KeyUp } kind;
    int keyCode = 0;
    char16_t ch = 0;
    int shift = 0;
  };
  // A window's procedure, as the system keeps it: the form's own until a
  // control subclasses the window (a tooltip does while a tool of it lies on
  // the form, as the system's tooltip control does); then the system's
  // subclass procedure, which runs the subclasses, latest first, and hands
  // on what none of them takes to the form's own.
  using Procedure = void (*)(HeadlessWindow&, const Message&);
  using Subclass = std::function<bool(const Message&)>;  // true: taken
  static void formProcedure(HeadlessWindow& w, const Message& m);
  Procedure procedure() const;
  void setSubclass(const void* owner, Subclass subclass);
  void removeSubclass(const void* owner);
  // The message through the window's procedure, as DispatchMessage does.
  void dispatch(const Message& m) { procedure()(*this, m); }

  gui::Form& form() const { return m_form; }
  bool visible() const { return m_visible; }
  Rect bounds() const { return m_bounds; }  // screen pixels
  bool topmost() const { return m_topmost; }
  bool enabled() const { return m_enabled; }
  bool minimized() const { return m_minimized; }
  const std::optional<gui::Region>& region() const { return m_region; }
  const std::u16string& caption() const { return m_caption; }
  // Paints: how many, the pixels of the last one and of all together. Changes
  // collect between events; each paint composes only them into the window's
  // kept frame, which is what the screen shows.
  int presents() const { return m_presents; }
  const gui::Region& lastPresent() const { return m_lastPresent; }
  int64_t presentedPixels() const { return m_presentedPixels; }
  const gui::Surface& frame() const { return m_frame; }
  // Paints what changed since the last paint, when on screen (the message
  // loop does this once the queue is empty).
  void paintPending();
  // On screen: shown and not minimised.
  bool onScreen() const { return m_visible && !m_minimized; }
  // Screen point inside the window and its region.
  bool covers(Point screen) const;

  void setVisible(bool visible, gui::Activation activation) override;
  void setBounds(Rect screen) override;
  void setWindowPos(gui::InsertAfter insertAfter, Rect screen) override;
  void setRegion(const gui::Region* region) override;
  void setEnabled(bool enabled) override;
  void setCaption(std::u16string_view caption) override;
  void invalidate(Rect client) override;
  void activate() override;
  void setMinimized(bool minimized) override;
  void focusChanged(gui::Element*) override {}

 private:
  HeadlessPlatform& m_platform;
  gui::Form& m_form;
  bool m_visible = false;
  Rect m_bounds;
  bool m_topmost = false;
  bool m_enabled = true;
  bool m_minimized = false;
  std::optional<gui::Region> m_region;
  std::u16string m_caption;
  static void subclassProcedure(HeadlessWindow& w, const Message& m);
  std::vector<std::pair<const void*, Subclass>> m_subclasses;  // first set first
  gui::Region m_pending;  // what changed since the last paint, while m_dirty
  bool m_dirty = false;
  gui::Surface m_frame;
  int m_presents = 0;
  gui::Region m_lastPresent;
  int64_t m_presentedPixels = 0;
};

// Every glyph but the space is a solid box of the text colour: advance
// round(size * 2 / 3) pixels (one more when bold), glyph box one pixel
// narrower than the advance, line height round(size * 4 / 3), the box from
// the second row to the second-last row of the line. Lines do not wrap.
class BlockFont : public gui::TextService {
 public:
  static int advance(const gui::FontSpec& font);
  static int lineHeight(const gui::FontSpec& font);
  gui::Size measure(const gui::FontSpec& font, std::u16string_view text) override;
  void draw(gui::Surface& target, Rect box, std::u16string_view text, const gui::FontSpec& font,
            gui::Color color, base::Alignment alignment) override;
};

struct MessageRecord {
  std::u16string text;
  std::u16string caption;
  gui::MessageIcon icon;
  bool question = false;  // asked with Yes and No
  gui::DefaultAnswer byDefault = gui::DefaultAnswer::No;
};

class HeadlessPlatform : public gui::Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // Screen: 1280 × 1024 with the work area the whole screen until set.
  void setScreenSize(gui::Size size);
  void setWorkArea(Rect area) { m_workArea = area; }
  // The system tells every window that the display or the work area changed
  // (after setScreenSize or setWorkArea).
  void displayChanged();
  // Windows' high-contrast mode on with these colours, or off (nothing); every
  // window is told the system's colours changed, as WM_SYSCOLORCHANGE tells it.
  void setHighContrast(std::optional<gui::ContrastColours> colours);
  // Monitors beside the primary one (the screen, whose work area is
  // workArea()): each its bounds and its work area, in screen pixels.
  // A monitor's DPI decides the scale of the windows made on it.
  void addMonitor(Rect bounds, Rect workArea, int dpi = 96) { m_monitors.push_back({bounds, workArea, dpi}); }
  void setTwipsPerPixel(int x, int y);
  // The primary monitor's DPI (96 until set).
  void setDpi(int dpi) { m_dpi = dpi; }

  // Virtual clock: the local time now, and the milliseconds since start.
  void setNow(const base::DateTime& t);
  int64_t elapsedMs() const { return m_elapsed; }
  // Moves the clock forward, firing every timer that falls due on the way in
  // due-time order (ties: the timer made first), each at its due time and
  // re-armed by its interval; handlers may start, stop or change timers.
  void advance(int64_t ms);

  // Input. Buttons: 1 left, 2 right, 4 middle.
  void moveMouse(Point screen);
  void mouseDown(int button = gui::kLeftButton, int shift = 0);
  void mouseUp(int button = gui::kLeftButton, int shift = 0);
  // Moves to the point, then presses and releases.
  void click(Point screen, int button = gui::kLeftButton);
  // Two clicks at the point within the double-click time.
  void doubleClick(Point screen);
  // The wheel turned where the pointer is (notches of 120, away from the
  // user positive): to the window under the pointer, as Windows 10 does.
  void wheel(int delta, int shift = 0);
  int buttonsHeld() const { return m_buttons; }
  // The user acts on a window through the system: the taskbar button
  // restores a minimised window; Alt+F4 closes one.
  void restoreFromTaskbar(gui::Form& form);
  void closeWindow(gui::Form& form);
  // Logoff: every form is asked; if none objects, every form hears that the
  // session ends (else that it goes on). Answers whether it ends.
  bool endSession();
  // A whole key stroke: key down, the character it types (Backspace, Tab,
  // Enter, Escape), key up; to the active window.
  void keyDown(int keyCode, int shift = 0);
  // Each character as a key stroke with its character.
  void typeText(std::u16string_view text);

  // Windows, topmost first (the stacking order of the screen).
  std::vector<HeadlessWindow*> windows() const;
  HeadlessWindow* window(const gui::Form& form) const;
  HeadlessWindow* windowAt(Point screen) const;  // topmost on screen under the point
  gui::Form* activeForm() const { return m_active ? &m_active->form() : nullptr; }
  // The screen as the user sees it, once every window painted what changed:
  // the desktop (`desktop` colour), then each window on screen from the
  // bottom up, its frame cut by its region.
  gui::Surface screenshot(gui::Color desktop = gui::Color{});
  // Every window paints what changed; input and timer ticks end with this.
  void paintWindows();
  // The form's window as painted once what changed is painted: the pixels
  // the user sees of it.
  const gui::Surface& shown(const gui::Form& form);

  // Message boxes and questions, in the order they were shown.
  const std::vector<MessageRecord>& messages() const { return m_messages; }
  void clearMessages() { m_messages.clear(); }
  // Runs whenever a message box is shown (after it is recorded).
  std::function<void(const MessageRecord&)> onMessageBox;
  // What the user answers to a Yes/No question.
  bool answerYes = false;

  // The Save As dialog answers from this queue, first scripted first; an
  // empty queue cancels. Every request is kept.
  std::vector<std::optional<gui::SaveFileAnswer>> saveFileAnswers;
  const std::vector<gui::SaveFileRequest>& saveFileRequests() const { return m_saveFileRequests; }

  // Popup menus: each shown is kept with where the pointer was; the user's
  // choice comes from this queue (an item's index), an empty queue dismisses.
  // A disabled item chosen is taken as a dismissal, as Windows does.
  struct PopupRecord {
    std::vector<gui::MenuItem> items;
    Point at;
  };
  std::vector<size_t> popupChoices;
  const std::vector<PopupRecord>& popups() const { return m_popups; }

  // The print dialog: every request is kept; the user prints, cancels (or
  // has no printer) or the printer fails as this says.
  gui::PrintOutcome printOutcome = gui::PrintOutcome::Printed;
  const std::vector<gui::PrintRequest>& printRequests() const { return m_printRequests; }

  using EditorFactory = std::function<std::unique_ptr<gui::Editor>()>;
  void setEditorFactory(EditorFactory f) { m_editorFactory = std::move(f); }
  // Each editor made: its form, its rectangle (form pixels), the part of
  // it that showed at the last paint (its own pixels) and its look. Once a
  // look is given the window shows the editor's page in its colour.
  struct EditorPlacement {
    const gui::Form* form;
    Rect rect;
    gui::Region visible;
    std::optional<gui::EditLook> look;
  };
  const std::vector<EditorPlacement>& editors() const { return m_editorPlacements; }
  // The tool a form's tooltip holds now (what a pointer resting there
  // shows): nothing before the first tip, empty text off every tip.
  struct ToolTipTool {
    Rect rect;
    std::u16string text;
  };
  std::optional<ToolTipTool> toolTip(const gui::Form& form) const;

  std::optional<int> exitCode() const { return m_exitCode; }

  // gui::Platform
  int twipsPerPixelX() const override { return m_tppX; }
  int twipsPerPixelY() const override { return m_tppY; }
  gui::Size screenSize() const override { return m_screen; }
  Rect workArea() const override { return m_workArea; }
  std::optional<gui::ContrastColours> highContrast() const override { return m_highContrast; }
  Point cursorPos() const override { return m_cursor; }
  base::DateTime now() const override;
  void messageBox(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon) override;
  std::optional<gui::SaveFileAnswer> askSaveFile(gui::Form& owner, const gui::SaveFileRequest& request) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon,
                gui::DefaultAnswer byDefault) override;
  Rect workAreaNearest(Rect screen) const override;
  int dpiAt(Rect screen) const override;
  std::optional<size_t> popupMenu(gui::Form& owner, const std::vector<gui::MenuItem>& items) override;
  gui::PrintOutcome print(gui::Form& owner, const gui::PrintRequest& request) override;
  bool copyText(std::u16string_view text) override {
    clipboardText = text;
    return true;
  }
  std::u16string clipboardText;  // what copyText put there
  std::unique_ptr<gui::FormPeer> createPeer(gui::Form& form) override;
  void addTimer(gui::Timer& timer) override;
  void updateTimer(gui::Timer& timer) override;
  void removeTimer(gui::Timer& timer) override;
  gui::TextService& text() override { return m_font; }
  // Without a factory there is no editor (nullptr); the rect is recorded.
  gui::HostedEditor createEditor(gui::Form& form, Rect rect) override;
  // The field edits as the system's control does (textmodel::LineEditModel),
  // with the mouse placed by the block font's widths.
  gui::HostedLineEdit createLineEdit(gui::Form& form, Rect rect, const gui::FieldLook& look) override;
  std::unique_ptr<gui::NativeToolTip> createToolTip(gui::Form& form) override;
  void quit(int exitCode) override { m_exitCode = exitCode; }
  // Posted tasks run at the start of the next advance(), in the order posted.
  void post(std::function<void()> task) override;

  // Called by the windows.
  void windowShown(HeadlessWindow& w, gui::Activation activation);
  void windowHidden(HeadlessWindow& w);
  void windowDestroyed(HeadlessWindow& w);
  void windowRestacked(HeadlessWindow& w);  // topmost band changed: top of its band
  void activateWindow(HeadlessWindow* w);

  // Windows' smallest timer interval; shorter ones are raised to it.
  static constexpr int kMinTimerInterval = 10;
  static constexpr int kDoubleClickMs = 500;

 private:
  struct TimerState {
    uint64_t order = 0;               // creation order
    std::optional<int64_t> due;       // armed when set
  };

  void raise(HeadlessWindow& w);  // to the top of its band
  HeadlessWindow* receiver() const;  // the window mouse input goes to
  Point toClient(const HeadlessWindow& w) const;
  void pickNewActive();
  void keyStroke(int keyCode, char16_t ch, int shift);
  bool translateShortcut(HeadlessWindow& w, int keyCode, int shift);
  HeadlessWindow* ownRoot(HeadlessWindow* w) const;
  bool alive(const HeadlessWindow* w) const;

  gui::Size m_screen{1280, 1024};
  Rect m_workArea{0, 0, 1280, 1024};
  std::optional<gui::ContrastColours> m_highContrast;
  int m_tppX = 15, m_tppY = 15;
  base::DateTime m_clockBase{{2026, 1, 1}, 12, 0, 0, 0};
  int64_t m_clockBaseElapsed = 0;  // elapsedMs() when the clock was set
  int64_t m_elapsed = 0;
  std::map<gui::Timer*, TimerState> m_timers;
  uint64_t m_timerCount = 0;
  Point m_cursor;
  int m_buttons = 0;
  HeadlessWindow* m_capture = nullptr;
  HeadlessWindow* m_hoverWindow = nullptr;
  struct LastPress {
    HeadlessWindow* window = nullptr;
    int button = 0;
    Point at;
    int64_t time = 0;
    bool usedForDouble = false;
  } m_lastPress;
  std::vector<HeadlessWindow*> m_stack;  // topmost first, every created window
  HeadlessWindow* m_active = nullptr;
  std::vector<MessageRecord> m_messages;
  std::vector<gui::SaveFileRequest> m_saveFileRequests;
  std::vector<gui::PrintRequest> m_printRequests;
  struct Monitor {
    Rect bounds, workArea;
    int dpi = 96;
  };
  const Monitor& nearestMonitor(Rect screen, std::vector<Monitor>& all) const;
  int m_dpi = 96;
  std::vector<Monitor> m_monitors;  // beside the primary
  std::vector<PopupRecord> m_popups;
  EditorFactory m_editorFactory;
  std::u16string m_fieldClipboard;  // what the text fields copied and paste
  std::vector<EditorPlacement> m_editorPlacements;
  std::map<const gui::Form*, ToolTipTool> m_toolTips;
  std::optional<int> m_exitCode;
  BlockFont m_font;
  std::mutex m_postedMutex;  // posts may come from worker threads
  std::vector<std::function<void()>> m_posted;
};

}  // namespace headless

#pragma once
// What the framework needs of the window system. Implemented by the Win32
// layer and by the headless platform of the tests.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "gui/editor.h"
#include "gui/line_edit.h"
#include "gui/native_child.h"
#include "gui/region.h"
#include "gui/text.h"

namespace gui {

class Element;
class Form;
class Timer;

enum class MessageIcon { Critical, Exclamation, Information };
// The button of a question that Enter presses.
enum class DefaultAnswer { No, Yes };

// The Save As dialog: the kinds of file it offers (a label such as
// "Spletna stran (*.html)" and the extension it stands for) and the name it
// proposes in the user's Documents folder.
struct FileType {
  std::u16string label;
  std::u16string extension;  // without the dot
};
struct SaveFileRequest {
  std::u16string title;
  std::u16string fileName;
  std::vector<FileType> types;
};
struct SaveFileAnswer {
  std::filesystem::path file;
  size_t type = 0;  // the kind chosen, an index into the request's types
};

// An item of a popup menu, as the user reads it.
struct MenuItem {
  std::u16string text;
  bool enabled = true;
};

// A document for the printer: rich text, and the name the print queue shows.
struct PrintRequest {
  std::u16string documentName;
  std::string richText;
};
// Cancelled includes a machine with no printer, where the dialog itself says so.
enum class PrintOutcome { Printed, Cancelled, Failed };

// SetWindowPos's insert-after handles for keep-on-top.
enum class InsertAfter { Topmost, NoTopmost };

enum class Activation { Activate, NoActivate };

// The window of one form. The form calls it on every change of its state;
// the window reports back through the form's dispatch* and platform*
// members.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  // Show (activating when asked) or hide.
  virtual void setVisible(bool visible, Activation activation) = 0;
  // Position and size in screen pixels.
  virtual void setBounds(Rect screen) = 0;
  // Every pixel of the window, rects and region included, is now at the
  // form's new scale: the window takes the bounds and its shape anew.
  virtual void scaleChanged() {}
  // SetWindowPos(insertAfter, rect, flags 0): moves the window into or out of
  // the topmost band and to the given rectangle; activates it when visible.
  virtual void setWindowPos(InsertAfter insertAfter, Rect screen) = 0;
  // The window's shape in its own pixels; nullptr removes it.
  virtual void setRegion(const Region* region) = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual void setCaption(std::u16string_view caption) = 0;
  // These client pixels of the composite changed. The window paints what
  // collected once the current input event or timer tick is handled, so an
  // event that changes many things still shows them in one present.
  virtual void invalidate(Rect client) = 0;
  virtual void activate() = 0;
  virtual void setMinimized(bool minimized) = 0;
  // The form's focused element changed (nullptr: the form itself) and it is
  // not a native child: the form's own window takes the keys.
  virtual void focusChanged(Element* focused) = 0;
};

// The system colours a high-contrast scheme gives (COLOR_WINDOW, COLOR_WINDOWTEXT,
// COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE, COLOR_BTNTEXT).
struct ContrastColours {
  Color window, windowText, highlight, highlightText, buttonFace, buttonText;
  bool operator==(const ContrastColours&) const = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // 15 at 96 DPI.
  virtual int twipsPerPixelX() const = 0;
  virtual int twipsPerPixelY() const = 0;
  // Screen size and the work area (the screen minus the taskbar), pixels.
  virtual Size screenSize() const = 0;
  virtual Rect workArea() const = 0;
  // The pointer position in screen pixels.
  virtual Point cursorPos() const = 0;
  // Windows' high-contrast mode: the system's colours while it is on,
  // nothing while it is off.
  virtual std::optional<ContrastColours> highContrast() const { return std::nullopt; }
  virtual base::DateTime now() const = 0;

  // An OK box with the icon; blocks until dismissed on Windows.
  virtual void messageBox(std::u16string_view text, std::u16string_view caption, MessageIcon icon) = 0;
  // A question with Yes and No buttons; true for Yes.
  virtual bool askYesNo(std::u16string_view text, std::u16string_view caption, MessageIcon icon,
                        DefaultAnswer byDefault) = 0;

  // The system's Save As dialog, modal to the form; nothing when cancelled.
  // It does not ask about a file already there: the caller, who may still
  // add an extension, asks about the name it will write.
  virtual std::optional<SaveFileAnswer> askSaveFile(Form& owner, const SaveFileRequest& request) = 0;

  // The system's print dialog, modal to the form, then the document on the
  // printer chosen: over as many pages as it needs, each numbered at its foot.
  virtual PrintOutcome print(Form& owner, const PrintRequest& request) = 0;

  // A popup menu at the pointer, owned by the form, until an item is chosen
  // or the menu is dismissed: the index of the item chosen, or nothing.
  virtual std::optional<size_t> popupMenu(Form& owner, const std::vector<MenuItem>& items) = 0;
  // Puts plain text on the clipboard; false when the clipboard refused.
  virtual bool copyText(std::u16string_view text) = 0;
  // ---- beyond the window framework: the diary's files and its place
  // The work area of the monitor nearest to a rectangle of screen pixels
  // (MonitorFromRect with MONITOR_DEFAULTTONEAREST): the most overlapped
  // monitor, or the closest when none is overlapped.
  virtual Rect workAreaNearest(Rect screen) const = 0;

  // The DPI of the monitor nearest to a rectangle of screen pixels (the
  // primary one for an empty rectangle): what a window there is drawn for.
  virtual int dpiAt(Rect screen) const {
    (void)screen;
    return 96;
  }

  // The window of a form; called once by the form's constructor. The peer
  // reads the form's current state when it is made.
  virtual std::unique_ptr<FormPeer> createPeer(Form& form) = 0;

  // A timer was made, its interval or enabled state changed, or it is about
  // to be destroyed. updateTimer (re)arms it when it runs and stops it
  // otherwise.
  virtual void addTimer(Timer& timer) = 0;
  virtual void updateTimer(Timer& timer) = 0;
  virtual void removeTimer(Timer& timer) = 0;

  virtual TextService& text() = 0;

  // The rich-text editor as a child of the form at `rect` (form pixels).
  virtual HostedEditor createEditor(Form& form, Rect rect) = 0;
  // A one-line text field as a child of the form at `rect` (form pixels),
  // hidden until its element shows.
  virtual HostedLineEdit createLineEdit(Form& form, Rect rect, const FieldLook& look) = 0;
  // The form's tooltip window; made when the pointer first rests on an
  // element with a tip. nullptr: the platform shows no tips.
  virtual std::unique_ptr<NativeToolTip> createToolTip(Form& form) = 0;

  // Ends the message loop; the program exits with the code.
  virtual void quit(int exitCode) = 0;

  // Runs the task on the user-interface thread after the event being handled; callable from any thread.
  virtual void post(std::function<void()> task) = 0;
};

}  // namespace gui

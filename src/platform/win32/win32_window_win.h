#pragma once
// One popup window per form. It paints the form's composite through a
// top-down 32-bit DIB and turns window messages into the form's events.
#include <windows.h>

#include <memory>
#include <string>

#include "gui/form.h"
#include "gui/platform.h"
#include "platform/win32/accessible_win.h"

namespace win32 {

class Win32Window : public gui::FormPeer {
 public:
  Win32Window(HINSTANCE instance, gui::Form& form);
  ~Win32Window() override;

  // The window, made now if it was not yet.
  HWND hwnd();
  static Win32Window* fromHwnd(HWND hwnd);
  // The window made for a form; nullptr before it is made or after.
  static Win32Window* of(const gui::Form& form);
  // Offers a Ctrl key stroke of the message loop to the form whose window
  // (or native child) it is for, before it is translated and dispatched, as
  // an accelerator table would; true when the form took it.
  static bool translateShortcut(const MSG& msg);
  // Sends a wheel turn of the message loop to what lies under the pointer
  // in one of our windows (Windows gives it to the window with the keys):
  // the form's element there, or a native child such as the editor. True
  // when it was sent on.
  static bool translateWheel(const MSG& msg);
  // The window of ours that `hwnd` is, or lies in; nullptr for others'.
  static Win32Window* ownRoot(HWND hwnd);

  void setVisible(bool visible, gui::Activation activation) override;
  void setBounds(gui::Rect screen) override;
  void setWindowPos(gui::InsertAfter insertAfter, gui::Rect screen) override;
  void setRegion(const gui::Region* region) override;
  void setEnabled(bool enabled) override;
  void setCaption(std::u16string_view caption) override;
  void invalidate(gui::Rect client) override;
  void activate() override;
  void setMinimized(bool minimized) override;
  void focusChanged(gui::Element* focused) override;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  void create();
  void paint();
  void mouseDown(int button, WPARAM wp, LPARAM lp, bool doubleClick);
  void mouseUp(int button, WPARAM wp, LPARAM lp);

  gui::Form& m_form;
  HINSTANCE m_instance;
  HWND m_hwnd = nullptr;
  gui::Surface m_frame;  // the last composite, reused between paints
  bool m_minimized = false;
  FormAccessibility m_accessibility;
};

}  // namespace win32

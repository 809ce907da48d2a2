#pragma once
// A child window of the system's own (the RichEdit editor) as the form's
// host element directs it: placed, cut to the part that shows, focused. Its
// WM_NOTIFY messages reach its parent, whose window procedure hands them to
// route(), which passes each to the child it came from.
#include <windows.h>

#include <functional>

#include "gui/native_child.h"

namespace win32 {

class NativeChildWindow : public gui::NativeChild {
 public:
  // Answers whether it handled a notification; *result is then returned.
  using NotifyHandler = std::function<bool(const NMHDR*, LRESULT*)>;

  // `hwnd` stays owned by whoever made it and outlives this object.
  NativeChildWindow(HWND hwnd, NotifyHandler onNotify);
  ~NativeChildWindow() override;
  NativeChildWindow(const NativeChildWindow&) = delete;
  NativeChildWindow& operator=(const NativeChildWindow&) = delete;

  // A parent's WM_NOTIFY: false unless one of these children sent it.
  static bool route(const NMHDR* hdr, LRESULT* result);
  // A parent's WM_COMMAND (a child's notification code and its window):
  // false unless one of these children sent it and handled it.
  static bool routeCommand(WPARAM wParam, LPARAM lParam);
  std::function<bool(WPARAM, LPARAM)> onCommand;
  // Carries out a look (the control's own messages for it).
  std::function<void(const gui::EditLook&)> onLook;
  // The child's colours (WM_CTLCOLOREDIT): sets them on the device context
  // and answers the background brush.
  std::function<LRESULT(HDC)> onColour;
  static bool routeColour(HWND child, HDC dc, LRESULT* result);

  // The child's window was replaced by a new one in its place (the editor
  // starts over in a fresh control to drop a long document quickly).
  void rebind(HWND hwnd);

  void setBounds(gui::Rect form) override;
  void setVisibleRegion(const gui::Region& visible) override;
  void focus() override;
  void setShown(bool shown) override;
  void keyPress(char16_t) override {}  // the control gets its WM_CHAR itself
  void setLook(const gui::EditLook& look) override {
    if (onLook) onLook(look);
  }

 private:
  HWND m_hwnd;
  NotifyHandler m_onNotify;
  gui::Region m_visible;  // the shape last given, so an unchanged one is not set again
  bool m_shaped = false;
};

}  // namespace win32

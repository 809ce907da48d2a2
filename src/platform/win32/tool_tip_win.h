#pragma once
// A form's tooltip: the system's tooltip control with one tool, the element
// the form says is under the pointer. The control shows the tip once the
// pointer rests on the tool and hides it as the pointer moves off. The tip
// is always shown whole, on the screen, and never under the pointer, where
// it would take a click meant for the window beneath it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "gui/native_child.h"

namespace win32 {

class ToolTipWindow : public gui::NativeToolTip {
 public:
  // `form` is the form's window, whose mouse moves the control watches; it
  // outlives this object.
  explicit ToolTipWindow(HWND form) : m_form(form) {}
  ~ToolTipWindow() override;
  ToolTipWindow(const ToolTipWindow&) = delete;
  ToolTipWindow& operator=(const ToolTipWindow&) = delete;

  void setTool(gui::Rect form, std::u16string_view text) override;
  // The form's WM_NOTIFY: true when it came from one of the tips (then
  // *result is what the window procedure returns).
  static bool route(const NMHDR* hdr, LRESULT* result);

 private:
  bool create();
  TOOLINFOW toolInfo() const;
  // TTN_SHOW: the tip placed wholly inside the work area, below the pointer
  // or, without room there, above it.
  void place();

  HWND m_form;
  HWND m_tip = nullptr;  // made with the first tool
  bool m_hasTool = false;
  std::wstring m_text;  // the tool's text, kept while the control shows it
};

}  // namespace win32

#pragma once
// A form's tooltip: the system's tooltip control with one tool, the element
// the form says is under the pointer. The control shows the tip once the
// pointer rests on the tool and hides it as the pointer moves off.
#include <windows.h>

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

 private:
  bool create();

  HWND m_form;
  HWND m_tip = nullptr;  // made with the first tool
  bool m_hasTool = false;
  std::wstring m_text;  // the tool's text, kept while the control shows it
};

}  // namespace win32

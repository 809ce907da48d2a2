#pragma once
// The one-line text field on Windows: the system's EDIT control, a child of
// the form's window, drawn by the system in the field's colours and font.
// Its key messages are offered to the host element before the control sees
// them; Ctrl+A and Ctrl+Backspace, which the control leaves to its owner,
// select everything and delete the word before the caret.
#include <windows.h>

#include <memory>

#include "gui/line_edit.h"
#include "platform/win32/native_child_win.h"

namespace win32 {

class EditControl : public gui::LineEdit {
 public:
  // The control at `rect` (parent client pixels), hidden, in `font`.
  static gui::HostedLineEdit create(HWND parent, const RECT& rect, const gui::FieldLook& look, HFONT font);
  ~EditControl() override;
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  std::u16string text() const override;
  void setText(std::u16string_view text) override;
  std::pair<int, int> selection() const override;
  void setSelection(int start, int length) override;

 private:
  EditControl(HWND hwnd, const gui::FieldLook& look);
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  bool command(WPARAM wp);
  void deleteWordBefore();

  HWND m_hwnd;
  WNDPROC m_controlProc = nullptr;
  NativeChildWindow* m_child = nullptr;
  HBRUSH m_background;
  COLORREF m_backColour, m_textColour;
  bool m_settingText = false;  // the program's own change, not the user's
  bool m_swallowChar = false;  // the key was taken: its character goes too
};

}  // namespace win32

#pragma once
// A one-line text field without a window: the keys and mouse actions of the
// system's edit control, for the headless platform and its tests. Arrows,
// Home and End move the caret (Shift extends the selection, Ctrl goes by
// words); Backspace and Delete remove the selection or a character,
// Ctrl+Backspace the word before the caret; Ctrl+A selects everything;
// Ctrl+C, Ctrl+X and Ctrl+V, and Shift+Delete, use the clipboard given; a
// press places the caret, a drag selects, a double-click selects a word.
#include <string>

#include "gui/line_edit.h"

namespace textmodel {

class LineEditModel : public gui::LineEdit {
 public:
  explicit LineEditModel(std::u16string& clipboard) : m_clipboard(clipboard) {}

  std::u16string text() const override { return m_text; }
  void setText(std::u16string_view text) override;
  std::pair<int, int> selection() const override;
  void setSelection(int start, int length) override;

  void keyDown(int keyCode, int shift);
  void keyPress(char16_t ch);
  // The character position nearest the pointer, as the field measured it.
  void press(int pos, bool extend);
  void dragTo(int pos) { m_caret = clamp(pos); }
  void doubleClick(int pos);

 private:
  int clamp(int pos) const;
  void moveCaret(int pos, bool extend);
  void replaceSelection(std::u16string_view with);
  // The selection deleted, or when there is none the text from the caret to `to`.
  void erase(int to);
  void copy() const;

  std::u16string& m_clipboard;
  std::u16string m_text;
  int m_anchor = 0, m_caret = 0;  // the selection runs between them
};

}  // namespace textmodel

#pragma once
// A one-line text field of the platform's own: on Windows the system's EDIT
// control, so that every key and mouse action a user knows from any text
// field works in it (the caret, selecting, the clipboard, its context menu,
// input methods), drawn by the system over the form's own background.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "gui/editor.h"
#include "gui/native_child.h"

namespace gui {

class LineEdit {
 public:
  virtual ~LineEdit() = default;
  virtual std::u16string text() const = 0;
  // Replaces the text, caret after it; not a change of the user's.
  virtual void setText(std::u16string_view text) = 0;
  // Start and length, in characters of text().
  virtual std::pair<int, int> selection() const = 0;
  virtual void setSelection(int start, int length) = 0;
  // The user changed the text (typing, deleting, pasting, cutting).
  std::function<void()> onChange;
};

// How the field is drawn: its page colour under the text, the text's colour
// and font.
struct FieldLook {
  Color background = Color::rgb(255, 255, 255);
  Color text = Color::rgb(0, 0, 0);
  FontSpec font;
};

// Words as a text field moves over them: runs of anything but spaces and
// tabs. The start of the word before `pos` (Ctrl+Left, Ctrl+Backspace), the
// start of the next word after it (Ctrl+Right), and the word around it (a
// double-click), as start and end.
int wordStartBefore(std::u16string_view text, int pos);
int nextWordStart(std::u16string_view text, int pos);
std::pair<int, int> wordAround(std::u16string_view text, int pos);

struct HostedLineEdit {
  std::unique_ptr<LineEdit> edit;
  std::unique_ptr<NativeChild> window;
};

}  // namespace gui

#pragma once
// The rich-text editor as the diary uses it: exactly the members it relies on.
// On Windows this is a RichEdit control; in tests a model of formatted text.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/alignment.h"
#include "base/geometry.h"

namespace gui {

// A Boolean format of a selection: mixed selections answer Undetermined.
enum class Tri : uint8_t { False, True, Undetermined };

inline bool isTrue(Tri t) { return t == Tri::True; }

struct FontSpec {
  std::u16string name = u"Arial";
  int charset = 238;  // Central European
  double size = 9;
  bool bold = false;
};

class Editor {
 public:
  virtual ~Editor() = default;

  // The whole content as Rich Text Format, in memory (the text never passes
  // through a file): nullopt when the control could not write it.
  virtual std::optional<std::string> richText() const = 0;
  // Replaces the whole content with a rich-text document (allowed while
  // Locked; caret to the start; not a change of the user's). Text after the
  // document's end is ignored. False, with the editor left empty, when the
  // control made nothing of the document.
  virtual bool setRichText(std::string_view rtf) = 0;
  // Adds a rich-text document at the end of the content, as the later pieces
  // of a long day arrive: its first paragraph continues the last one there.
  // The user's selection, view and modified state stay as they were, Locked
  // or not; not a change of the user's, and nothing to undo.
  virtual bool appendRichText(std::string_view rtf) = 0;

  // Whether the user changed the text or its format since the content was
  // last replaced or marked saved with setModified(false).
  virtual bool modified() const = 0;
  virtual void setModified(bool modified) = 0;

  // Plain text; paragraphs are separated by '\r' as RichEdit reports them.
  virtual std::u16string text() const = 0;
  // Replaces the whole content with plain text, as a load does (modified
  // is cleared).
  virtual void setText(std::u16string_view text) = 0;

  virtual bool Locked() const = 0;
  virtual void setLocked(bool locked) = 0;

  virtual Tri SelBold() const = 0;
  virtual void setSelBold(bool on) = 0;
  virtual Tri SelItalic() const = 0;
  virtual void setSelItalic(bool on) = 0;
  virtual Tri SelUnderline() const = 0;
  virtual void setSelUnderline(bool on) = 0;

  // nullopt for mixed paragraphs.
  virtual std::optional<base::Alignment> SelAlignment() const = 0;
  virtual void setSelAlignment(base::Alignment alignment) = 0;
  virtual std::optional<base::Color> SelColor() const = 0;
  virtual void setSelColor(base::Color color) = 0;
  // Points; nullopt when the selection mixes sizes.
  virtual std::optional<double> SelFontSize() const = 0;
  virtual void setSelFontSize(double points) = 0;

  virtual void setFont(const FontSpec& font) = 0;

  // Selection in characters of text(): start and length, brought into view.
  // Typing replaces it.
  virtual void setSelection(int start, int length) = 0;
  virtual std::pair<int, int> selection() const = 0;
  virtual void replaceSelection(std::u16string_view text) = 0;

  // The clipboard: cut and paste change nothing while Locked.
  virtual void cut() = 0;
  virtual void copy() = 0;
  virtual void paste() = 0;
  // The name a screen reader gives the editor (which day it shows, and
  // whether it can be written); the editor's own accessibility tells the rest.
  virtual void setAccessibleName(std::u16string_view) {}
  void deleteSelection() { replaceSelection(u""); }
  void selectAll() { setSelection(0, static_cast<int>(text().size())); }

  std::function<void()> onClick;
  std::function<void()> onSelChange;
  // The user changed the text or its format (typing, deleting, a format
  // command); never raised by the program's own replacements.
  std::function<void()> onChange;
  // The right button was released over the editor (its context menu is due).
  std::function<void()> onContextMenu;
};

}  // namespace gui

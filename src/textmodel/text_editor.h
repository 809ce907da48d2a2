#pragma once
// The editor without a window: a model of formatted text that behaves as the
// diary's RichEdit control does for every member the diary uses. The
// headless platform hands it out, and tests drive it directly.
//
// Text is held flat, one format per character, with '\r' between paragraphs
// and a final paragraph mark after the last character; a paragraph's
// alignment lives on its mark. Formatting part of a run therefore needs no
// splitting of its own, and deleting across paragraphs keeps the alignment of
// the paragraph whose mark survives, as RichEdit does.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gui/editor.h"
#include "rtf/document.h"

namespace textmodel {

class TextEditor : public gui::Editor {
 public:
  TextEditor();

  std::optional<std::string> richText() const override;
  bool setRichText(std::string_view rtf) override;
  bool appendRichText(std::string_view rtf) override;
  bool modified() const override { return m_modified; }
  void setModified(bool modified) override { m_modified = modified; }

  std::u16string text() const override { return m_text; }
  void setText(std::u16string_view text) override;

  bool Locked() const override { return m_locked; }
  void setLocked(bool locked) override { m_locked = locked; }

  gui::Tri SelBold() const override;
  void setSelBold(bool on) override;
  gui::Tri SelItalic() const override;
  void setSelItalic(bool on) override;
  gui::Tri SelUnderline() const override;
  void setSelUnderline(bool on) override;

  std::optional<base::Alignment> SelAlignment() const override;
  void setSelAlignment(base::Alignment alignment) override;
  std::optional<base::Color> SelColor() const override;
  void setSelColor(base::Color color) override;
  std::optional<double> SelFontSize() const override;
  void setSelFontSize(double points) override;

  // The format of new text after setText and of an empty editor. Text
  // already in the editor keeps its own format.
  void setFont(const gui::FontSpec& font) override;

  void setSelection(int start, int length) override;
  std::pair<int, int> selection() const override { return {m_selStart, m_selLength}; }
  void replaceSelection(std::u16string_view text) override;

  // A clipboard of the editor's own, holding plain text: the tests' system
  // clipboard.
  void cut() override;
  void copy() override;
  void paste() override { replaceSelection(m_clipboard); }

  // The content as a document, and replacing it with one (like setRichText:
  // allowed while Locked, caret to the start).
  rtf::Document document() const;
  void setDocument(const rtf::Document& document);
  const rtf::CharFormat& defaultFormat() const { return m_default; }

 private:
  struct FormatLess {
    bool operator()(const rtf::CharFormat& a, const rtf::CharFormat& b) const;
  };

  uint32_t intern(const rtf::CharFormat& format);
  const rtf::CharFormat& format(uint32_t index) const { return m_table[index]; }
  void clearContent(const rtf::CharFormat& endMark);
  uint32_t caretFormatIndex() const;
  // Format indices of the selected characters, or of the caret when empty.
  std::vector<uint32_t> selectedFormats() const;
  template <typename Get>
  gui::Tri triState(Get get) const;
  template <typename Change>
  void changeFormat(Change change);
  size_t markOf(size_t pos) const;
  std::vector<size_t> selectedMarks() const;
  void selectionChanged();
  void changedByUser();

  std::u16string m_text;
  std::vector<uint32_t> m_formats;          // one per character, plus the final mark
  std::vector<base::Alignment> m_alignment;  // read at paragraph marks only
  std::vector<rtf::CharFormat> m_table;
  std::map<rtf::CharFormat, uint32_t, FormatLess> m_index;

  int m_selStart = 0, m_selLength = 0;
  // A format chosen with nothing selected; typing at the caret uses it.
  std::optional<rtf::CharFormat> m_caretFormat;
  bool m_locked = false;
  bool m_modified = false;
  rtf::CharFormat m_default;
  std::u16string m_clipboard;
};

}  // namespace textmodel

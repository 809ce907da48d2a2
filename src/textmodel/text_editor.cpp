#include "textmodel/text_editor.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "rtf/reader.h"
#include "rtf/writer.h"

namespace textmodel {
namespace {

// Typed or pasted text: every kind of line end becomes one paragraph mark;
// control characters other than tab and line break are dropped.
std::u16string normalized(std::u16string_view in) {
  std::u16string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    const char16_t c = in[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < in.size() && in[i + 1] == u'\n') ++i;
      out += u'\r';
    } else if (c >= 0x20 || c == u'\t' || c == rtf::kLineBreak) {
      out += c;
    }
  }
  return out;
}

// RTF holds sizes in half points; RichEdit's range is 1 to 1638 points.
int clampHalfPoints(double points) { return static_cast<int>(std::lround(std::clamp(points * 2, 2.0, 3276.0))); }

}  // namespace

bool TextEditor::FormatLess::operator()(const rtf::CharFormat& a, const rtf::CharFormat& b) const {
  return std::tie(a.bold, a.italic, a.underline, a.caps, a.color.value, a.halfPoints, a.font) <
         std::tie(b.bold, b.italic, b.underline, b.caps, b.color.value, b.halfPoints, b.font);
}

TextEditor::TextEditor() { clearContent(m_default); }

uint32_t TextEditor::intern(const rtf::CharFormat& f) {
  const auto [it, added] = m_index.try_emplace(f, static_cast<uint32_t>(m_table.size()));
  if (added) m_table.push_back(f);
  return it->second;
}

void TextEditor::clearContent(const rtf::CharFormat& endMark) {
  m_text.clear();
  m_table.clear();
  m_index.clear();
  m_formats.assign(1, intern(endMark));
  m_alignment.assign(1, base::Alignment::Left);
  m_caretFormat.reset();
  m_selStart = m_selLength = 0;
}

void TextEditor::selectionChanged() {
  if (onSelChange) onSelChange();
}

void TextEditor::changedByUser() {
  m_modified = true;
  if (onChange) onChange();
}

// ---- content ------------------------------------------------------------

rtf::Document TextEditor::document() const {
  rtf::Document doc;
  doc.paragraphs.clear();
  rtf::Paragraph paragraph;
  size_t runStart = 0;
  for (size_t i = 0; i <= m_text.size(); ++i) {
    const bool mark = i == m_text.size() || m_text[i] == u'\r';
    if (i > runStart && (mark || m_formats[i] != m_formats[runStart])) {
      rtf::appendText(paragraph, std::u16string_view(m_text).substr(runStart, i - runStart), format(m_formats[runStart]));
      runStart = i;
    }
    if (mark) {
      paragraph.mark = format(m_formats[i]);
      paragraph.alignment = m_alignment[i];
      doc.paragraphs.push_back(std::move(paragraph));
      paragraph = rtf::Paragraph{};
      runStart = i + 1;
    }
  }
  return doc;
}

void TextEditor::setDocument(const rtf::Document& doc) {
  clearContent(m_default);
  m_formats.clear();
  m_alignment.clear();
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    const rtf::Paragraph& paragraph = doc.paragraphs[p];
    for (const rtf::Run& run : paragraph.runs) {
      const std::u16string clean = normalized(run.text);
      m_text += clean;
      m_formats.insert(m_formats.end(), clean.size(), intern(run.format));
      m_alignment.insert(m_alignment.end(), clean.size(), base::Alignment::Left);
    }
    if (p + 1 < doc.paragraphs.size()) m_text += u'\r';
    m_formats.push_back(intern(paragraph.mark));
    m_alignment.push_back(paragraph.alignment);
  }
  if (m_formats.empty()) {  // a document without paragraphs is an empty one
    m_formats.push_back(intern(m_default));
    m_alignment.push_back(base::Alignment::Left);
  }
  m_modified = false;
  selectionChanged();
}

void TextEditor::setText(std::u16string_view text) {
  clearContent(m_default);
  const std::u16string clean = normalized(text);
  m_text = clean;
  m_formats.assign(clean.size() + 1, m_formats.front());
  m_alignment.assign(clean.size() + 1, base::Alignment::Left);
  m_modified = false;
  selectionChanged();
}

std::optional<std::string> TextEditor::richText() const { return rtf::writeRtf(document()); }

bool TextEditor::setRichText(std::string_view rtf) {
  setDocument(rtf::readRtf(rtf, m_default));
  return true;
}

bool TextEditor::appendRichText(std::string_view rtf) {
  const rtf::Document piece = rtf::readRtf(rtf, m_default);
  for (size_t p = 0; p < piece.paragraphs.size(); ++p) {
    const rtf::Paragraph& paragraph = piece.paragraphs[p];
    for (const rtf::Run& run : paragraph.runs) {
      const std::u16string clean = normalized(run.text);
      m_text += clean;
      m_formats.insert(m_formats.end() - 1, clean.size(), intern(run.format));
      m_alignment.insert(m_alignment.end() - 1, clean.size(), base::Alignment::Left);
    }
    // The mark at the end is this paragraph's; the next one gets its own.
    m_formats.back() = intern(paragraph.mark);
    m_alignment.back() = paragraph.alignment;
    if (p + 1 < piece.paragraphs.size()) {
      m_text += u'\r';
      m_formats.push_back(m_formats.back());
      m_alignment.push_back(m_alignment.back());
    }
  }
  return true;
}

void TextEditor::setFont(const gui::FontSpec& font) {
  m_default.font = font.name;
  m_default.halfPoints = clampHalfPoints(font.size > 0 && std::isfinite(font.size) ? font.size : 9);
  m_default.bold = font.bold;
  if (m_text.empty()) m_formats.back() = intern(m_default);
}

// ---- selection ----------------------------------------------------------

void TextEditor::setSelection(int start, int length) {
  if (length < 0) {
    start += length;
    length = -length;
  }
  const int size = static_cast<int>(m_text.size());
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start == m_selStart && length == m_selLength) return;
  m_selStart = start;
  m_selLength = length;
  m_caretFormat.reset();
  selectionChanged();
}

// At the start of a paragraph the caret shows the format of the text that
// follows it; elsewhere that of the character before it.
uint32_t TextEditor::caretFormatIndex() const {
  const size_t caret = static_cast<size_t>(m_selStart);
  if (caret == 0 || m_text[caret - 1] == u'\r') return m_formats[caret];
  return m_formats[caret - 1];
}

std::vector<uint32_t> TextEditor::selectedFormats() const {
  if (m_selLength == 0) return {caretFormatIndex()};
  const size_t begin = static_cast<size_t>(m_selStart), end = begin + static_cast<size_t>(m_selLength);
  // Paragraph marks count only when nothing but marks is selected: a user
  // who bolded two lines expects the two to answer "bold".
  std::vector<uint32_t> out, marks;
  for (size_t i = begin; i < end; ++i) {
    auto& into = m_text[i] == u'\r' ? marks : out;
    if (std::find(into.begin(), into.end(), m_formats[i]) == into.end()) into.push_back(m_formats[i]);
  }
  return out.empty() ? marks : out;
}

template <typename Get>
gui::Tri TextEditor::triState(Get get) const {
  if (m_selLength == 0 && m_caretFormat) return get(*m_caretFormat) ? gui::Tri::True : gui::Tri::False;
  bool seenTrue = false, seenFalse = false;
  for (uint32_t f : selectedFormats()) (get(format(f)) ? seenTrue : seenFalse) = true;
  if (seenTrue && seenFalse) return gui::Tri::Undetermined;
  return seenTrue ? gui::Tri::True : gui::Tri::False;
}

gui::Tri TextEditor::SelBold() const {
  return triState([](const rtf::CharFormat& f) { return f.bold; });
}
gui::Tri TextEditor::SelItalic() const {
  return triState([](const rtf::CharFormat& f) { return f.italic; });
}
gui::Tri TextEditor::SelUnderline() const {
  return triState([](const rtf::CharFormat& f) { return f.underline; });
}

std::optional<base::Color> TextEditor::SelColor() const {
  if (m_selLength == 0 && m_caretFormat) return m_caretFormat->color;
  std::optional<base::Color> result;
  for (uint32_t f : selectedFormats()) {
    if (result && *result != format(f).color) return std::nullopt;
    result = format(f).color;
  }
  return result;
}

std::optional<double> TextEditor::SelFontSize() const {
  if (m_selLength == 0 && m_caretFormat) return m_caretFormat->points();
  std::optional<int> result;
  for (uint32_t f : selectedFormats()) {
    if (result && *result != format(f).halfPoints) return std::nullopt;
    result = format(f).halfPoints;
  }
  return result ? std::optional<double>(*result / 2.0) : std::nullopt;
}

// Applies a change to every selected character (paragraph marks included,
// and the final mark when the selection runs to the end). With nothing
// selected the change waits at the caret for the next typing.
template <typename Change>
void TextEditor::changeFormat(Change change) {
  if (m_locked) return;
  if (m_selLength == 0) {
    rtf::CharFormat f = m_caretFormat ? *m_caretFormat : format(caretFormatIndex());
    change(f);
    m_caretFormat = f;
    if (m_text.empty()) {
      m_formats.back() = intern(f);
      changedByUser();
    }
    return;
  }
  const size_t begin = static_cast<size_t>(m_selStart);
  size_t end = begin + static_cast<size_t>(m_selLength);
  if (end == m_text.size()) ++end;
  std::map<uint32_t, uint32_t> changed;
  for (size_t i = begin; i < end; ++i) {
    auto [it, added] = changed.try_emplace(m_formats[i], 0);
    if (added) {
      rtf::CharFormat f = format(m_formats[i]);
      change(f);
      it->second = intern(f);
    }
    m_formats[i] = it->second;
  }
  changedByUser();
}

void TextEditor::setSelBold(bool on) {
  changeFormat([on](rtf::CharFormat& f) { f.bold = on; });
}
void TextEditor::setSelItalic(bool on) {
  changeFormat([on](rtf::CharFormat& f) { f.italic = on; });
}
void TextEditor::setSelUnderline(bool on) {
  changeFormat([on](rtf::CharFormat& f) { f.underline = on; });
}
void TextEditor::setSelColor(base::Color color) {
  color.value &= 0xFFFFFF;  // a colour is 0x00RRGGBB; a stray top byte would not survive a save
  changeFormat([color](rtf::CharFormat& f) { f.color = color; });
}
void TextEditor::setSelFontSize(double points) {
  if (!std::isfinite(points) || points <= 0) return;
  const int halfPoints = clampHalfPoints(points);
  changeFormat([halfPoints](rtf::CharFormat& f) { f.halfPoints = halfPoints; });
}

// ---- paragraphs ---------------------------------------------------------

size_t TextEditor::markOf(size_t pos) const {
  const size_t mark = m_text.find(u'\r', pos);
  return mark == std::u16string::npos ? m_text.size() : mark;
}

// The marks of every paragraph the selection touches; a selection ending
// just after a mark does not reach into the next paragraph.
std::vector<size_t> TextEditor::selectedMarks() const {
  const size_t begin = static_cast<size_t>(m_selStart);
  const size_t last = m_selLength > 0 ? begin + static_cast<size_t>(m_selLength) - 1 : begin;
  std::vector<size_t> marks{markOf(begin)};
  while (marks.back() < last) marks.push_back(markOf(marks.back() + 1));
  return marks;
}

std::optional<base::Alignment> TextEditor::SelAlignment() const {
  std::optional<base::Alignment> result;
  for (size_t m : selectedMarks()) {
    if (result && *result != m_alignment[m]) return std::nullopt;
    result = m_alignment[m];
  }
  return result;
}

void TextEditor::setSelAlignment(base::Alignment alignment) {
  if (m_locked || !base::isAlignment(alignment)) return;
  for (size_t m : selectedMarks()) m_alignment[m] = alignment;
  changedByUser();
}

// ---- typing -------------------------------------------------------------

void TextEditor::replaceSelection(std::u16string_view typed) {
  if (m_locked) return;
  const std::u16string text = normalized(typed);
  if (text.empty() && m_selLength == 0) return;
  const size_t begin = static_cast<size_t>(m_selStart), end = begin + static_cast<size_t>(m_selLength);
  // New text takes the format chosen at the caret, else that of the first
  // replaced character, else the caret's.
  const uint32_t f = m_caretFormat ? intern(*m_caretFormat) : m_selLength > 0 ? m_formats[begin] : caretFormatIndex();

  m_text.erase(begin, end - begin);
  m_formats.erase(m_formats.begin() + static_cast<std::ptrdiff_t>(begin), m_formats.begin() + static_cast<std::ptrdiff_t>(end));
  m_alignment.erase(m_alignment.begin() + static_cast<std::ptrdiff_t>(begin), m_alignment.begin() + static_cast<std::ptrdiff_t>(end));

  // A paragraph split by Enter keeps its alignment in both halves.
  const base::Alignment paragraphAlignment = m_alignment[markOf(begin)];
  m_text.insert(begin, text);
  m_formats.insert(m_formats.begin() + static_cast<std::ptrdiff_t>(begin), text.size(), f);
  m_alignment.insert(m_alignment.begin() + static_cast<std::ptrdiff_t>(begin), text.size(), paragraphAlignment);

  m_selStart = static_cast<int>(begin + text.size());
  m_selLength = 0;
  m_caretFormat.reset();
  changedByUser();
  selectionChanged();
}

void TextEditor::copy() {
  if (m_selLength > 0) m_clipboard = m_text.substr(static_cast<size_t>(m_selStart), static_cast<size_t>(m_selLength));
}

void TextEditor::cut() {
  if (m_locked || m_selLength == 0) return;
  copy();
  replaceSelection(u"");
}

}  // namespace textmodel

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

TextEditor::TextEditor() { clearContent(default_); }

uint32_t TextEditor::intern(const rtf::CharFormat& f) {
  const auto [it, added] = index_.try_emplace(f, static_cast<uint32_t>(table_.size()));
  if (added) table_.push_back(f);
  return it->second;
}

void TextEditor::clearContent(const rtf::CharFormat& endMark) {
  text_.clear();
  table_.clear();
  index_.clear();
  formats_.assign(1, intern(endMark));
  alignment_.assign(1, rtf::Alignment::Left);
  caretFormat_.reset();
  selStart_ = selLength_ = 0;
}

void TextEditor::selectionChanged() {
  if (onSelChange) onSelChange();
}

void TextEditor::changedByUser() {
  modified_ = true;
  if (onChange) onChange();
}

// ---- content ------------------------------------------------------------

rtf::Document TextEditor::document() const {
  rtf::Document doc;
  doc.paragraphs.clear();
  rtf::Paragraph paragraph;
  size_t runStart = 0;
  for (size_t i = 0; i <= text_.size(); ++i) {
    const bool mark = i == text_.size() || text_[i] == u'\r';
    if (i > runStart && (mark || formats_[i] != formats_[runStart])) {
      rtf::appendText(paragraph, std::u16string_view(text_).substr(runStart, i - runStart), format(formats_[runStart]));
      runStart = i;
    }
    if (mark) {
      paragraph.mark = format(formats_[i]);
      paragraph.alignment = alignment_[i];
      doc.paragraphs.push_back(std::move(paragraph));
      paragraph = rtf::Paragraph{};
      runStart = i + 1;
    }
  }
  return doc;
}

void TextEditor::setDocument(const rtf::Document& doc) {
  clearContent(default_);
  formats_.clear();
  alignment_.clear();
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    const rtf::Paragraph& paragraph = doc.paragraphs[p];
    for (const rtf::Run& run : paragraph.runs) {
      const std::u16string clean = normalized(run.text);
      text_ += clean;
      formats_.insert(formats_.end(), clean.size(), intern(run.format));
      alignment_.insert(alignment_.end(), clean.size(), rtf::Alignment::Left);
    }
    if (p + 1 < doc.paragraphs.size()) text_ += u'\r';
    formats_.push_back(intern(paragraph.mark));
    alignment_.push_back(paragraph.alignment);
  }
  if (formats_.empty()) {  // a document without paragraphs is an empty one
    formats_.push_back(intern(default_));
    alignment_.push_back(rtf::Alignment::Left);
  }
  modified_ = false;
  selectionChanged();
}

void TextEditor::setText(std::u16string_view text) {
  clearContent(default_);
  const std::u16string clean = normalized(text);
  text_ = clean;
  formats_.assign(clean.size() + 1, formats_.front());
  alignment_.assign(clean.size() + 1, rtf::Alignment::Left);
  modified_ = false;
  selectionChanged();
}

std::optional<std::string> TextEditor::richText() const { return rtf::writeRtf(document()); }

bool TextEditor::setRichText(std::string_view rtf) {
  setDocument(rtf::readRtf(rtf, default_));
  return true;
}

bool TextEditor::appendRichText(std::string_view rtf) {
  const rtf::Document piece = rtf::readRtf(rtf, default_);
  for (size_t p = 0; p < piece.paragraphs.size(); ++p) {
    const rtf::Paragraph& paragraph = piece.paragraphs[p];
    for (const rtf::Run& run : paragraph.runs) {
      const std::u16string clean = normalized(run.text);
      text_ += clean;
      formats_.insert(formats_.end() - 1, clean.size(), intern(run.format));
      alignment_.insert(alignment_.end() - 1, clean.size(), rtf::Alignment::Left);
    }
    // The mark at the end is this paragraph's; the next one gets its own.
    formats_.back() = intern(paragraph.mark);
    alignment_.back() = paragraph.alignment;
    if (p + 1 < piece.paragraphs.size()) {
      text_ += u'\r';
      formats_.push_back(formats_.back());
      alignment_.push_back(alignment_.back());
    }
  }
  return true;
}

void TextEditor::setFont(const gui::FontSpec& font) {
  default_.font = font.name;
  default_.halfPoints = clampHalfPoints(font.size > 0 && std::isfinite(font.size) ? font.size : 9);
  default_.bold = font.bold;
  if (text_.empty()) formats_.back() = intern(default_);
}

// ---- selection ----------------------------------------------------------

void TextEditor::setSelection(int start, int length) {
  if (length < 0) {
    start += length;
    length = -length;
  }
  const int size = static_cast<int>(text_.size());
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  caretFormat_.reset();
  selectionChanged();
}

// At the start of a paragraph the caret shows the format of the text that
// follows it; elsewhere that of the character before it.
uint32_t TextEditor::caretFormatIndex() const {
  const size_t caret = static_cast<size_t>(selStart_);
  if (caret == 0 || text_[caret - 1] == u'\r') return formats_[caret];
  return formats_[caret - 1];
}

std::vector<uint32_t> TextEditor::selectedFormats() const {
  if (selLength_ == 0) return {caretFormatIndex()};
  const size_t begin = static_cast<size_t>(selStart_), end = begin + static_cast<size_t>(selLength_);
  // Paragraph marks count only when nothing but marks is selected: a user
  // who bolded two lines expects the two to answer "bold".
  std::vector<uint32_t> out, marks;
  for (size_t i = begin; i < end; ++i) {
    auto& into = text_[i] == u'\r' ? marks : out;
    if (std::find(into.begin(), into.end(), formats_[i]) == into.end()) into.push_back(formats_[i]);
  }
  return out.empty() ? marks : out;
}

template <typename Get>
gui::Tri TextEditor::triState(Get get) const {
  if (selLength_ == 0 && caretFormat_) return get(*caretFormat_) ? gui::Tri::True : gui::Tri::False;
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
  if (selLength_ == 0 && caretFormat_) return caretFormat_->color;
  std::optional<base::Color> result;
  for (uint32_t f : selectedFormats()) {
    if (result && *result != format(f).color) return std::nullopt;
    result = format(f).color;
  }
  return result;
}

std::optional<double> TextEditor::SelFontSize() const {
  if (selLength_ == 0 && caretFormat_) return caretFormat_->points();
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
  if (locked_) return;
  if (selLength_ == 0) {
    rtf::CharFormat f = caretFormat_ ? *caretFormat_ : format(caretFormatIndex());
    change(f);
    caretFormat_ = f;
    if (text_.empty()) {
      formats_.back() = intern(f);
      changedByUser();
    }
    return;
  }
  const size_t begin = static_cast<size_t>(selStart_);
  size_t end = begin + static_cast<size_t>(selLength_);
  if (end == text_.size()) ++end;
  std::map<uint32_t, uint32_t> changed;
  for (size_t i = begin; i < end; ++i) {
    auto [it, added] = changed.try_emplace(formats_[i], 0);
    if (added) {
      rtf::CharFormat f = format(formats_[i]);
      change(f);
      it->second = intern(f);
    }
    formats_[i] = it->second;
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
  const size_t mark = text_.find(u'\r', pos);
  return mark == std::u16string::npos ? text_.size() : mark;
}

// The marks of every paragraph the selection touches; a selection ending
// just after a mark does not reach into the next paragraph.
std::vector<size_t> TextEditor::selectedMarks() const {
  const size_t begin = static_cast<size_t>(selStart_);
  const size_t last = selLength_ > 0 ? begin + static_cast<size_t>(selLength_) - 1 : begin;
  std::vector<size_t> marks{markOf(begin)};
  while (marks.back() < last) marks.push_back(markOf(marks.back() + 1));
  return marks;
}

std::optional<int> TextEditor::SelAlignment() const {
  std::optional<rtf::Alignment> result;
  for (size_t m : selectedMarks()) {
    if (result && *result != alignment_[m]) return std::nullopt;
    result = alignment_[m];
  }
  return static_cast<int>(*result);
}

void TextEditor::setSelAlignment(int alignment) {
  if (locked_ || alignment < 0 || alignment > 2) return;
  for (size_t m : selectedMarks()) alignment_[m] = static_cast<rtf::Alignment>(alignment);
  changedByUser();
}

// ---- typing -------------------------------------------------------------

void TextEditor::replaceSelection(std::u16string_view typed) {
  if (locked_) return;
  const std::u16string text = normalized(typed);
  if (text.empty() && selLength_ == 0) return;
  const size_t begin = static_cast<size_t>(selStart_), end = begin + static_cast<size_t>(selLength_);
  // New text takes the format chosen at the caret, else that of the first
  // replaced character, else the caret's.
  const uint32_t f = caretFormat_ ? intern(*caretFormat_) : selLength_ > 0 ? formats_[begin] : caretFormatIndex();

  text_.erase(begin, end - begin);
  formats_.erase(formats_.begin() + static_cast<std::ptrdiff_t>(begin), formats_.begin() + static_cast<std::ptrdiff_t>(end));
  alignment_.erase(alignment_.begin() + static_cast<std::ptrdiff_t>(begin), alignment_.begin() + static_cast<std::ptrdiff_t>(end));

  // A paragraph split by Enter keeps its alignment in both halves.
  const rtf::Alignment paragraphAlignment = alignment_[markOf(begin)];
  text_.insert(begin, text);
  formats_.insert(formats_.begin() + static_cast<std::ptrdiff_t>(begin), text.size(), f);
  alignment_.insert(alignment_.begin() + static_cast<std::ptrdiff_t>(begin), text.size(), paragraphAlignment);

  selStart_ = static_cast<int>(begin + text.size());
  selLength_ = 0;
  caretFormat_.reset();
  changedByUser();
  selectionChanged();
}

void TextEditor::copy() {
  if (selLength_ > 0) clipboard_ = text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

void TextEditor::cut() {
  if (locked_ || selLength_ == 0) return;
  copy();
  replaceSelection(u"");
}

}  // namespace textmodel

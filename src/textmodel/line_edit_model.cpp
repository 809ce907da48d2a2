#include "textmodel/line_edit_model.h"

#include <algorithm>

#include "gui/element.h"

namespace textmodel {
namespace {
constexpr int kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyRight = 39, kKeyDelete = 46;
constexpr char16_t kCtrlA = 1, kCtrlC = 3, kCtrlV = 22, kCtrlX = 24, kCtrlBack = 127;
}  // namespace

void LineEditModel::setText(std::u16string_view text) {
  m_text = text;
  m_anchor = m_caret = static_cast<int>(m_text.size());
}

std::pair<int, int> LineEditModel::selection() const {
  return {std::min(m_anchor, m_caret), std::abs(m_caret - m_anchor)};
}

void LineEditModel::setSelection(int start, int length) {
  m_anchor = clamp(start);
  m_caret = clamp(start + length);
}

int LineEditModel::clamp(int pos) const { return std::clamp(pos, 0, static_cast<int>(m_text.size())); }

void LineEditModel::moveCaret(int pos, bool extend) {
  m_caret = clamp(pos);
  if (!extend) m_anchor = m_caret;
}

void LineEditModel::keyDown(int keyCode, int shift) {
  const bool extend = shift & gui::kShift, words = shift & gui::kCtrl;
  const auto [start, length] = selection();
  switch (keyCode) {
    case kKeyHome: moveCaret(0, extend); break;
    case kKeyEnd: moveCaret(static_cast<int>(m_text.size()), extend); break;
    case kKeyLeft:
      if (words) moveCaret(gui::wordStartBefore(m_text, m_caret), extend);
      else if (length > 0 && !extend) moveCaret(start, false);
      else moveCaret(m_caret - 1, extend);
      break;
    case kKeyRight:
      if (words) moveCaret(gui::nextWordStart(m_text, m_caret), extend);
      else if (length > 0 && !extend) moveCaret(start + length, false);
      else moveCaret(m_caret + 1, extend);
      break;
    case kKeyDelete:
      if (extend) {  // Shift+Delete cuts
        copy();
        replaceSelection(u"");
      } else {
        erase(m_caret + 1);
      }
      break;
    default: break;
  }
}

void LineEditModel::keyPress(char16_t ch) {
  switch (ch) {
    case gui::kKeyBack: erase(m_caret - 1); return;
    case kCtrlBack: erase(gui::wordStartBefore(m_text, m_caret)); return;
    case kCtrlA: setSelection(0, static_cast<int>(m_text.size())); return;
    case kCtrlC: copy(); return;
    case kCtrlX:
      copy();
      replaceSelection(u"");
      return;
    case kCtrlV: {
      // One line: a pasted text ends at its first line break.
      const std::u16string_view pasted(m_clipboard);
      replaceSelection(pasted.substr(0, pasted.find_first_of(u"\r\n")));
      return;
    }
    default:
      if (ch >= 32) replaceSelection(std::u16string(1, ch));
  }
}

void LineEditModel::press(int pos, bool extend) { moveCaret(pos, extend); }

void LineEditModel::doubleClick(int pos) {
  const auto [start, end] = gui::wordAround(m_text, pos);
  m_anchor = start;
  m_caret = end;
}

void LineEditModel::replaceSelection(std::u16string_view with) {
  const auto [start, length] = selection();
  if (length == 0 && with.empty()) return;
  m_text.replace(start, length, with);
  m_anchor = m_caret = start + static_cast<int>(with.size());
  if (auto handler = onChange) handler();
}

void LineEditModel::erase(int to) {
  if (m_anchor == m_caret) m_anchor = clamp(to);
  replaceSelection(u"");
}

void LineEditModel::copy() const {
  const auto [start, length] = selection();
  if (length > 0) m_clipboard = m_text.substr(start, length);
}

}  // namespace textmodel

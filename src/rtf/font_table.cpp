#include "rtf/font_table.h"

namespace rtf {

void FontTable::addNameCharacter(char16_t ch) {
  if (ch < 0x20 || (ch == u' ' && m_name.empty()) || m_name.size() >= kMaxNameLength) return;
  m_name += ch;
}

void FontTable::endEntry() {
  while (!m_name.empty() && m_name.back() == u' ') m_name.pop_back();
  if (!m_name.empty()) {
    const std::optional<CodePage> page = m_entryCodePage ? m_entryCodePage : m_entryCharset;
    if (const auto it = m_byNumber.find(m_entry); it != m_byNumber.end()) {
      m_fonts[it->second] = Font{std::move(m_name), page};
    } else if (m_fonts.size() < kMaxEntries) {
      m_byNumber.emplace(m_entry, static_cast<int32_t>(m_fonts.size()));
      m_fonts.push_back(Font{std::move(m_name), page});
    }
  }
  m_name.clear();
  m_entryCharset.reset();
  m_entryCodePage.reset();
}

CodePage FontTable::entryCodePage() const {
  if (m_entryCodePage) return *m_entryCodePage;
  return m_entryCharset ? *m_entryCharset : documentCodePage();
}

std::optional<int32_t> FontTable::find(int64_t number) const {
  const auto it = m_byNumber.find(number);
  if (it == m_byNumber.end()) return std::nullopt;
  return it->second;
}

int32_t FontTable::resolve(int32_t font) const {
  if (font != kDefaultFont) return font;
  return find(m_default).value_or(kDefaultFont);
}

const std::u16string* FontTable::name(int32_t font) const {
  return font >= 0 ? &m_fonts[static_cast<size_t>(font)].name : nullptr;
}

CodePage FontTable::codePageOf(int32_t font) const {
  const int32_t index = resolve(font);
  if (index >= 0 && m_fonts[static_cast<size_t>(index)].codePage) return *m_fonts[static_cast<size_t>(index)].codePage;
  return documentCodePage();
}

CodePage FontTable::documentCodePage() const {
  if (m_documentCodePage) return *m_documentCodePage;
  return m_documentCharset.value_or(CodePage::Windows1250);
}

}  // namespace rtf

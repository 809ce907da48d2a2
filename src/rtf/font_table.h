#pragma once
// The document's fonts as both rich-text readers (readRtf and the text
// scanner) keep them, so that they agree on every font's name and code page,
// and so on what every byte of text stands for.
//
// Formatting state refers to a font by its index here, never by a copy of
// its name; a name is kept to the 31 characters the editor keeps of a face
// name, and the table to kMaxEntries fonts, so no input makes it large.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "rtf/code_page.h"

namespace rtf {

class FontTable {
 public:
  static constexpr size_t kMaxNameLength = 31;
  static constexpr size_t kMaxEntries = 65536;
  // The font of text before any \f and after \plain: the one \deff names.
  static constexpr int32_t kDefaultFont = -1;

  // ---- inside \fonttbl: \fN begins an entry, ';' or its group's end ends it
  void beginEntry(int64_t number) { m_entry = number; }
  void setCharset(int64_t charset) { m_entryCharset = codePageOfCharset(charset); }
  void setCodePage(int64_t number) { m_entryCodePage = codePageNumbered(number); }
  void addNameCharacter(char16_t ch);
  // Keeps the entry when it has a name (leading and trailing spaces taken off).
  void endEntry();
  // The code page the entry's own name is written in.
  CodePage entryCodePage() const;

  // ---- the document
  void setDefaultFont(int64_t number) { m_default = number; }
  void setDocumentCodePage(int64_t number) { m_documentCodePage = codePageNumbered(number); }
  void setDocumentCharset(CodePage page) { m_documentCharset = page; }

  // The index of the font numbered so (\fN in the text), when the table has it.
  std::optional<int32_t> find(int64_t number) const;
  // kDefaultFont resolved to the \deff font's index (kDefaultFont again when
  // the table lacks it); any other index stays.
  int32_t resolve(int32_t font) const;
  // The name of a resolved index; nullptr for kDefaultFont.
  const std::u16string* name(int32_t font) const;
  // What a byte of text in this font stands for: the font's code page, else
  // the document's, else Windows-1250.
  CodePage codePageOf(int32_t font) const;

 private:
  struct Font {
    std::u16string name;
    std::optional<CodePage> codePage;
  };

  CodePage documentCodePage() const;

  std::vector<Font> m_fonts;
  std::unordered_map<int64_t, int32_t> m_byNumber;
  int64_t m_default = 0;
  std::optional<CodePage> m_documentCodePage;  // \ansicpgN
  std::optional<CodePage> m_documentCharset;   // \ansi, \mac, \pc, \pca

  int64_t m_entry = 0;
  std::u16string m_name;
  std::optional<CodePage> m_entryCharset, m_entryCodePage;
};

}  // namespace rtf

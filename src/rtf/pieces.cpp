#include "rtf/pieces.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>

namespace rtf {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Words of the document's group that put something into the text (or
// define a table's rows) rather than set a format: never repeated.
bool putsContent(std::string_view w) {
  static constexpr std::array<std::string_view, 34> kContent = {
      "par",    "line",   "tab",     "sect",     "page",      "column",   "cell",     "row",    "nestcell",
      "nestrow", "lquote", "rquote", "ldblquote", "rdblquote", "bullet",  "endash",   "emdash", "enspace",
      "emspace", "qmspace", "zwj",   "zwnj",     "ltrmark",   "rtlmark",  "chatn",    "chftn",  "chdate",
      "chtime", "chpgn",  "sectnum", "u",        "bin"};
  if (std::find(kContent.begin(), kContent.end(), w) != kContent.end()) return true;
  // Table rows and cells, and the nesting of tables.
  return w.starts_with("tr") || w.starts_with("cl") || w == "cellx" || w == "intbl" || w == "itap";
}

// Where the body begins: the first text, paragraph control or group that
// is not one of the header's tables.
bool beginsBody(std::string_view w) {
  return w == "pard" || w == "par" || w == "plain" || w == "sectd" || w == "trowd" || w == "ltrpar" ||
         w == "rtlpar" || putsContent(w);
}

bool isHeaderGroup(std::string_view firstWord) {
  static constexpr std::array<std::string_view, 8> kHeader = {"fonttbl", "colortbl", "stylesheet", "info",
                                                              "*",       "listtable", "revtbl",     "rsidtbl"};
  return std::find(kHeader.begin(), kHeader.end(), firstWord) != kHeader.end();
}

}  // namespace

class Cutter {
 public:
  Cutter(std::string_view doc, size_t pieceBytes, size_t firstBytes)
      : m_doc(doc), m_pieceBytes(pieceBytes), m_firstBytes(firstBytes) {}

  // False when the document is not one to cut.
  bool scan() {
    size_t i = 0;
    while (i < m_doc.size()) {
      const char c = m_doc[i];
      if (c == '{') {
        ++m_depth;
        if (m_depth == 2 && m_header == npos && !isHeaderGroup(firstWordAt(i + 1))) m_header = i;
        ++i;
      } else if (c == '}') {
        if (--m_depth == 0) {
          m_end = i;
          return m_header != npos && !m_cuts.empty();
        }
        ++i;
      } else if (c == '\\') {
        if (!controlAt(i)) return false;
      } else {
        if (m_depth == 1 && m_header == npos && c != '\r' && c != '\n') m_header = i;
        ++i;
      }
      if (m_depth < 1) return false;
    }
    return false;  // never closed
  }

  // The cuts into `pieces`; false when the document is not one to cut.
  bool cut(Pieces& pieces) {
    if (!scan()) return false;
    pieces.m_header = m_header;
    pieces.m_end = m_end;
    pieces.m_cuts = std::move(m_cuts);
    return true;
  }

 private:
  static constexpr size_t npos = std::string_view::npos;

  std::string_view firstWordAt(size_t i) const {
    while (i < m_doc.size() && (m_doc[i] == '\r' || m_doc[i] == '\n')) ++i;
    if (i + 1 < m_doc.size() && m_doc[i] == '\\' && m_doc[i + 1] == '*') return "*";
    if (i >= m_doc.size() || m_doc[i] != '\\') return {};
    size_t j = i + 1;
    while (j < m_doc.size() && isLetter(m_doc[j])) ++j;
    return m_doc.substr(i + 1, j - i - 1);
  }

  // A control word or symbol at i; i moves past it. False on binary data in
  // the document's own group (nothing to cut around safely).
  bool controlAt(size_t& i) {
    const size_t start = i++;
    if (i >= m_doc.size()) return true;
    if (!isLetter(m_doc[i])) {
      // \'xx is a character; any other symbol is one byte.
      if (m_doc[i] == '\'') i += 2;
      ++i;
      if (m_depth == 1 && m_header == npos) m_header = start;
      return true;
    }
    const size_t nameStart = i;
    while (i < m_doc.size() && isLetter(m_doc[i])) ++i;
    const std::string_view name = m_doc.substr(nameStart, i - nameStart);
    const size_t numberStart = i;
    if (i < m_doc.size() && m_doc[i] == '-') ++i;
    while (i < m_doc.size() && isDigit(m_doc[i])) ++i;
    const std::string_view number = m_doc.substr(numberStart, i - numberStart);
    const size_t tokenEnd = i;
    if (i < m_doc.size() && m_doc[i] == ' ') ++i;
    if (name == "bin") {
      if (m_depth == 1) return false;
      i += static_cast<size_t>(std::min<long long>(std::atoll(std::string(number).c_str()), 1LL << 40));
      return true;
    }
    if (m_depth != 1) return true;
    if (m_header == npos && beginsBody(name)) m_header = start;
    if (m_header == npos) return true;
    if (name == "intbl" || name == "trowd") m_inTable = true;
    if (name == "pard" || name == "row") m_inTable = false;
    if (name == "par" && !m_inTable && start - lastCut() >= (m_cuts.empty() ? m_firstBytes : m_pieceBytes))
      m_cuts.push_back({start, stateNow()});
    if (!putsContent(name)) remember(name, m_doc.substr(start, tokenEnd - start));
    return true;
  }

  size_t lastCut() const { return m_cuts.empty() ? 0 : m_cuts.back().at; }

  void remember(std::string_view name, std::string_view token) {
    auto it = m_last.find(name);
    if (it == m_last.end()) it = m_last.emplace(std::string(name), Seen{}).first;
    it->second = {++m_seq, token};
  }

  std::string stateNow() const {
    std::vector<const Seen*> seen;
    for (const auto& [name, s] : m_last) seen.push_back(&s);
    std::sort(seen.begin(), seen.end(), [](const Seen* a, const Seen* b) { return a->seq < b->seq; });
    std::string state;
    for (const Seen* s : seen) {
      state += s->token;
      state += ' ';
    }
    return state;
  }

  struct Seen {
    size_t seq = 0;
    std::string_view token;  // in the document
  };

  std::string_view m_doc;
  size_t m_pieceBytes, m_firstBytes;
  int m_depth = 0;
  size_t m_header = npos, m_end = npos;
  bool m_inTable = false;
  size_t m_seq = 0;
  std::map<std::string, Seen, std::less<>> m_last;
  std::vector<Pieces::Cut> m_cuts;
};

namespace {

// A whole document's last paragraph end becomes the editor's own; one
// added at the end would leave an empty paragraph after it.
std::string_view withoutLastParagraphEnd(std::string_view slice) {
  std::string_view s = slice;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  if (s.size() >= 5 && s.ends_with("\\par") && s[s.size() - 5] != '\\') return s.substr(0, s.size() - 4);
  return slice;
}

}  // namespace

Pieces::Pieces(std::string document, size_t pieceBytes, size_t firstBytes) : m_doc(std::move(document)) {
  if (!Cutter(m_doc, pieceBytes, firstBytes).cut(*this)) {
    m_cuts.clear();
    m_header = 0;
    m_end = m_doc.size();
  }
}

std::string Pieces::join(size_t first, size_t end) const {
  if (first >= end || end > size()) return {};
  // An uncut document is its one piece, as it is.
  if (m_cuts.empty()) return m_doc;
  const size_t from = first == 0 ? 0 : m_cuts[first - 1].at;
  const size_t to = end <= m_cuts.size() ? m_cuts[end - 1].at : m_end;
  std::string piece;
  std::string_view slice = std::string_view(m_doc).substr(from, to - from);
  if (first > 0) {
    // Added at the end of what is there, a piece would otherwise start in
    // the format of the text before it.
    piece.reserve(m_header + slice.size() + m_cuts[first - 1].state.size() + 16);
    piece = std::string_view(m_doc).substr(0, m_header);
    piece += "\\pard\\plain ";
    piece += m_cuts[first - 1].state;
    if (end == size()) slice = withoutLastParagraphEnd(slice);
  }
  piece += slice;
  piece += '}';
  return piece;
}

}  // namespace rtf

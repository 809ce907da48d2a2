#pragma once
// A long rich-text document cut into documents of their own that, read one
// after another and each added at the end of what came before, give what
// the whole document gives: the editor shows the first at once and takes
// the rest while the user can already read and write.
//
// Cuts fall only just before a paragraph's end in the document's own group
// (never inside a group, a table or binary data). Every piece after the
// first repeats the document's header (font and colour tables and the
// like) and, before its text, the formatting in force at its cut: the last
// of each control word the document's group had met since its header, in
// the order met (each sets what it sets whatever came before, so the last
// ones give the state).
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

// A document and where it is cut: each piece is made when asked for, and so
// is the whole rest from any piece on, as one document (the way to take in
// at once what would otherwise arrive piece by piece).
class Pieces {
 public:
  Pieces() = default;
  // Pieces of about `pieceBytes` or longer, the first possibly shorter; a
  // document that cannot be cut safely (too short, no paragraphs in its own
  // group, unbalanced, binary data in its own group) is one piece: itself.
  Pieces(std::string document, size_t pieceBytes, size_t firstBytes);

  // 0 for none, else the number of pieces.
  size_t size() const { return m_doc.empty() ? 0 : m_cuts.size() + 1; }
  std::string piece(size_t k) const { return join(k, k + 1); }
  // Pieces k to the last as one document: read after pieces 0 to k - 1 it
  // gives what they would give read one by one.
  std::string rest(size_t k) const { return join(k, size()); }

 private:
  struct Cut {
    size_t at;
    std::string state;  // the formatting words in force there
  };
  friend class Cutter;
  std::string join(size_t first, size_t end) const;

  std::string m_doc;
  size_t m_header = 0, m_end = 0;
  std::vector<Cut> m_cuts;
};

}  // namespace rtf

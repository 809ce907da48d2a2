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

// The pieces, each about `pieceBytes` long or longer, the first possibly
// shorter; a document that cannot be cut safely (too short, no paragraphs
// in its own group, unbalanced, binary data in its own group) gives one
// piece: the document as it is.
std::vector<std::string> cutIntoPieces(std::string_view document, size_t pieceBytes, size_t firstBytes);

}  // namespace rtf

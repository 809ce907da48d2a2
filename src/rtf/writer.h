#pragma once
// Writing a document as Rich Text Format that RichEdit and rtf::readRtf both
// read back to the same document.
#include <string>

#include "rtf/document.h"

namespace rtf {

// The output is 7-bit ASCII: characters of code page 1250 become \'xx,
// others \uN with '?' as the fallback for older readers. Lines end in CR LF
// (after every paragraph, and within long paragraphs at the next control
// word or space past about 200 characters), and the output ends with "}"
// followed by CR LF, so a reader splitting it into CR LF lines gets every
// byte back.
std::string writeRtf(const Document& document);

}  // namespace rtf

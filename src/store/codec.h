#pragma once
// The keyless codec every line on disk passes through: it flips the top bit
// of each byte, so the same call encodes and decodes and a line keeps its
// length. Line terminators are never part of a line and never transformed.
#include <string>
#include <string_view>
#include <vector>

namespace store {

using Line = std::string;  // bytes in code page 1250
using Lines = std::vector<Line>;

// Flips the top bit of every byte of the line in place.
void flipTopBits(std::string& line);

// Flips the top bit of n bytes in place.
void flipRange(char* bytes, size_t n);

// An entry file's bytes to its rich text, in place: every line decoded, the
// CR LF pairs that end the lines left as they are.
void decodeEntry(std::string& bytes);

// Output line i is input line i transformed; `out` is replaced.
void transform(const Lines& in, Lines& out);

}  // namespace store

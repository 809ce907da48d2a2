#include "store/codec.h"

#include <cstdint>
#include <cstring>

namespace store {

namespace {

// Copies n bytes from src to dst flipping each top bit: bytes below 0x80
// gain 0x80 and bytes from 0x80 lose it, an exclusive-or with 0x80. Eight
// bytes at a time, so the compiler's vector code runs near memory speed.
void flipCopy(char* dst, const char* src, size_t n) {
  constexpr uint64_t kMask = 0x8080808080808080ull;
  for (; n >= 8; dst += 8, src += 8, n -= 8) {
    uint64_t w;
    std::memcpy(&w, src, 8);
    w ^= kMask;
    std::memcpy(dst, &w, 8);
  }
  for (; n > 0; ++dst, ++src, --n) *dst = static_cast<char>(*src ^ 0x80);
}

}  // namespace

void flipTopBits(std::string& line) { flipCopy(line.data(), line.data(), line.size()); }

void flipRange(char* bytes, size_t n) { flipCopy(bytes, bytes, n); }

void decodeEntry(std::string& bytes) {
  for (size_t start = 0;;) {
    const size_t end = bytes.find("\r\n", start);
    const size_t stop = end == std::string::npos ? bytes.size() : end;
    flipRange(bytes.data() + start, stop - start);
    if (end == std::string::npos) return;
    start = end + 2;
  }
}

void transform(const Lines& in, Lines& out) {
  // Output lines keep their buffers between calls: no allocation once warm.
  out.resize(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    out[i].resize(in[i].size());
    flipCopy(out[i].data(), in[i].data(), in[i].size());
  }
}

}  // namespace store

#include "store/codec.h"

#include <cstdint>
#include <cstring>

namespace store {

void flipTopBits(std::string& line) {
  // Eight bytes at a time: bytes below 0x80 gain 0x80 and bytes from 0x80
  // lose it, which is exactly an exclusive-or with 0x80.
  char* p = line.data();
  size_t n = line.size();
  constexpr uint64_t kMask = 0x8080808080808080ull;
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    w ^= kMask;
    std::memcpy(p, &w, 8);
  }
  for (; n > 0; ++p, --n) *p = static_cast<char>(*p ^ 0x80);
}

void transform(const Lines& in, Lines& out) {
  out.assign(in.begin(), in.end());
  for (auto& line : out) flipTopBits(line);
}

}  // namespace store

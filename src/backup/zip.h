#pragma once
// A small writer of .zip archives (the PKZIP format every system can open):
// each member deflated with zlib as its bytes arrive, its CRC-32 and sizes
// in a descriptor after its data, and the central directory at the end. The
// archive goes out in pieces as it is made; nothing holds a member whole.
//
// The classic format counts members in 16 bits and sizes and offsets in 32;
// an archive that would need more is refused (the 64-bit extension is not
// written): the writer says so instead of writing one that no tool reads.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/date.h"

struct z_stream_s;

namespace backup {

struct ZipLimits {
  uint64_t members = 0xFFFF;
  uint64_t bytes = 0xFFFFFFFF;  // a member's size, packed or not, and the archive's offsets
};

class ZipWriter {
 public:
  // Receives the archive's bytes in order; false stops the writing.
  using Out = std::function<bool(std::string_view)>;

  // Every member is stamped with this local time.
  ZipWriter(const base::DateTime& stamp, Out out, ZipLimits limits = {});
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // A member under a UTF-8 name ("Podatki/12-07-2026"), then its bytes in
  // any number of pieces, then its end. False once anything failed or a
  // limit was passed; the archive is then not to be kept.
  bool begin(std::string_view name);
  bool write(std::string_view piece);
  bool end();
  bool add(std::string_view name, std::string_view bytes) { return begin(name) && write(bytes) && end(); }
  // The central directory; false when the archive is not whole.
  bool finish();
  bool failed() const { return m_failed; }

 private:
  bool emit(std::string_view bytes);
  bool deflatePiece(std::string_view piece, int flush);
  bool fail();

  Out m_out;
  ZipLimits m_limits;
  uint16_t m_dosTime = 0, m_dosDate = 0;
  std::string m_directory;  // central directory records
  uint64_t m_offset = 0;    // bytes written so far
  uint64_t m_count = 0;
  bool m_failed = false;
  // The member being written.
  z_stream_s* m_z = nullptr;
  std::string m_name;
  uint64_t m_memberOffset = 0, m_size = 0, m_packed = 0;
  unsigned long m_crc = 0;
  std::string m_buffer;  // deflate's output, reused
};

}  // namespace backup

#pragma once
// A small writer of .zip archives (the PKZIP format every system can open):
// each member deflated with zlib, its CRC-32, and the central directory at
// the end. The archive is built in memory; the diary's backups are small.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"

namespace backup {

class ZipWriter {
 public:
  // Every member is stamped with this local time.
  explicit ZipWriter(const base::DateTime& stamp);

  // Adds a member under a UTF-8 name ("Podatki/12-07-2026"); false when the
  // archive would outgrow what the format holds without its 64-bit extension.
  bool add(std::string_view name, std::string_view bytes);
  // The finished archive; nothing when a member could not be added.
  std::optional<std::string> finish();

 private:
  void putMemberHeader(std::string& out, uint32_t signature, std::string_view name, uint32_t crc,
                       uint32_t packed, uint32_t size) const;

  uint16_t m_dosTime = 0, m_dosDate = 0;
  std::string m_body;       // local headers and data
  std::string m_directory;  // central directory records
  uint16_t m_count = 0;
  bool m_failed = false;
};

}  // namespace backup

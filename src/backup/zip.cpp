#include "backup/zip.h"

#include <zlib.h>

#include <algorithm>

namespace backup {
namespace {

constexpr uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndOfDirectory = 0x06054b50;
constexpr uint16_t kVersion = 20;          // 2.0: deflate
constexpr uint16_t kUtf8Names = 1u << 11;  // general purpose flag: names are UTF-8
constexpr uint16_t kDeflated = 8;
// Sizes and offsets are 32-bit without the 64-bit extension; stay well inside.
constexpr size_t kMaxArchive = 0x7FFFFFFF;

void put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void put32(std::string& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v & 0xFFFF));
  put16(out, static_cast<uint16_t>(v >> 16));
}

bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Raw deflate (no zlib header), as the zip format stores it.
std::optional<std::string> deflateRaw(std::string_view bytes) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
  std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) return std::nullopt;
  return out;
}

}  // namespace

ZipWriter::ZipWriter(const base::DateTime& stamp) {
  const int year = std::clamp(stamp.date.year, 1980, 2107);
  m_dosDate = static_cast<uint16_t>(((year - 1980) << 9) | (stamp.date.month << 5) | stamp.date.day);
  m_dosTime = static_cast<uint16_t>((stamp.hour << 11) | (stamp.minute << 5) | (stamp.second / 2));
}

void ZipWriter::putMemberHeader(std::string& out, uint32_t signature, std::string_view name, uint32_t crc,
                                uint32_t packed, uint32_t size) const {
  put32(out, signature);
  if (signature == kCentralHeader) put16(out, kVersion);  // made by
  put16(out, kVersion);                                   // needed to extract
  put16(out, isAscii(name) ? 0 : kUtf8Names);
  put16(out, kDeflated);
  put16(out, m_dosTime);
  put16(out, m_dosDate);
  put32(out, crc);
  put32(out, packed);
  put32(out, size);
  put16(out, static_cast<uint16_t>(name.size()));
  put16(out, 0);  // no extra field
}

bool ZipWriter::add(std::string_view name, std::string_view bytes) {
  if (m_failed || name.empty() || name.size() > 0xFFFF || m_count == 0xFFFF || bytes.size() > kMaxArchive) {
    m_failed = true;
    return false;
  }
  const auto packed = deflateRaw(bytes);
  if (!packed || m_body.size() + m_directory.size() + packed->size() + 2 * name.size() + 200 > kMaxArchive) {
    m_failed = true;
    return false;
  }
  const auto crc = static_cast<uint32_t>(
      crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
  const auto offset = static_cast<uint32_t>(m_body.size());
  const auto packedSize = static_cast<uint32_t>(packed->size()), size = static_cast<uint32_t>(bytes.size());

  putMemberHeader(m_body, kLocalHeader, name, crc, packedSize, size);
  m_body += name;
  m_body += *packed;

  putMemberHeader(m_directory, kCentralHeader, name, crc, packedSize, size);
  put16(m_directory, 0);  // comment length
  put16(m_directory, 0);  // disk number
  put16(m_directory, 0);  // internal attributes
  put32(m_directory, 0);  // external attributes
  put32(m_directory, offset);
  m_directory += name;
  ++m_count;
  return true;
}

std::optional<std::string> ZipWriter::finish() {
  if (m_failed) return std::nullopt;
  std::string out = m_body + m_directory;
  put32(out, kEndOfDirectory);
  put16(out, 0);  // this disk
  put16(out, 0);  // the disk where the directory starts
  put16(out, m_count);
  put16(out, m_count);
  put32(out, static_cast<uint32_t>(m_directory.size()));
  put32(out, static_cast<uint32_t>(m_body.size()));
  put16(out, 0);  // no comment
  return out;
}

}  // namespace backup

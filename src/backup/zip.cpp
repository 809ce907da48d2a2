#include "backup/zip.h"

#include <zlib.h>

#include <algorithm>

namespace backup {
namespace {

constexpr uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndOfDirectory = 0x06054b50,
                   kDescriptor = 0x08074b50;
constexpr uint16_t kVersion = 20;             // 2.0: deflate
constexpr uint16_t kSizesAfter = 1u << 3;     // general purpose flag: CRC and sizes follow the data
constexpr uint16_t kUtf8Names = 1u << 11;     // general purpose flag: names are UTF-8
constexpr uint16_t kDeflated = 8;
constexpr size_t kOutBuffer = 1 << 16;

void put16(std::string& out, uint64_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, uint64_t v) {
  put16(out, v & 0xFFFF);
  put16(out, (v >> 16) & 0xFFFF);
}

bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

ZipWriter::ZipWriter(const base::DateTime& stamp, Out out, ZipLimits limits)
    : m_out(std::move(out)), m_limits(limits), m_buffer(kOutBuffer, '\0') {
  const int year = std::clamp(stamp.date.year, 1980, 2107);
  m_dosDate = static_cast<uint16_t>(((year - 1980) << 9) | (stamp.date.month << 5) | stamp.date.day);
  m_dosTime = static_cast<uint16_t>((stamp.hour << 11) | (stamp.minute << 5) | (stamp.second / 2));
}

ZipWriter::~ZipWriter() {
  if (!m_z) return;
  deflateEnd(m_z);
  delete m_z;
}

bool ZipWriter::fail() {
  m_failed = true;
  return false;
}

bool ZipWriter::emit(std::string_view bytes) {
  if (m_failed) return false;
  if (!m_out(bytes)) return fail();
  m_offset += bytes.size();
  return true;
}

bool ZipWriter::begin(std::string_view name) {
  if (m_failed || m_z || name.empty() || name.size() > 0xFFFF || m_count + 1 > m_limits.members ||
      m_offset > m_limits.bytes)
    return fail();
  m_z = new z_stream{};
  if (deflateInit2(m_z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    delete m_z;
    m_z = nullptr;
    return fail();
  }
  m_name = name;
  m_memberOffset = m_offset;
  m_size = m_packed = 0;
  m_crc = crc32(0, nullptr, 0);
  // CRC and sizes are not known yet: zero here, in the descriptor after the data.
  std::string header;
  put32(header, kLocalHeader);
  put16(header, kVersion);
  put16(header, kSizesAfter | (isAscii(name) ? 0 : kUtf8Names));
  put16(header, kDeflated);
  put16(header, m_dosTime);
  put16(header, m_dosDate);
  put32(header, 0);
  put32(header, 0);
  put32(header, 0);
  put16(header, name.size());
  put16(header, 0);  // no extra field
  header += name;
  return emit(header);
}

bool ZipWriter::deflatePiece(std::string_view piece, int flush) {
  m_z->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
  m_z->avail_in = static_cast<uInt>(piece.size());
  for (;;) {
    m_z->next_out = reinterpret_cast<Bytef*>(m_buffer.data());
    m_z->avail_out = static_cast<uInt>(m_buffer.size());
    const int rc = deflate(m_z, flush);
    if (rc == Z_STREAM_ERROR) return fail();
    const size_t produced = m_buffer.size() - m_z->avail_out;
    m_packed += produced;
    if (m_packed > m_limits.bytes || !emit(std::string_view(m_buffer.data(), produced))) return fail();
    if (flush == Z_FINISH ? rc == Z_STREAM_END : m_z->avail_out != 0) return true;
  }
}

bool ZipWriter::write(std::string_view piece) {
  if (m_failed || !m_z) return fail();
  constexpr size_t kStep = 1u << 30;  // zlib counts its input in 32 bits
  while (!piece.empty()) {
    const std::string_view step = piece.substr(0, kStep);
    m_size += step.size();
    if (m_size > m_limits.bytes) return fail();
    m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(step.data()), static_cast<uInt>(step.size()));
    if (!deflatePiece(step, Z_NO_FLUSH)) return false;
    piece.remove_prefix(step.size());
  }
  return true;
}

bool ZipWriter::end() {
  if (m_failed || !m_z) return fail();
  const bool deflated = deflatePiece({}, Z_FINISH);
  deflateEnd(m_z);
  delete m_z;
  m_z = nullptr;
  if (!deflated) return false;
  std::string descriptor;
  put32(descriptor, kDescriptor);
  put32(descriptor, m_crc);
  put32(descriptor, m_packed);
  put32(descriptor, m_size);
  if (!emit(descriptor)) return false;

  put32(m_directory, kCentralHeader);
  put16(m_directory, kVersion);  // made by
  put16(m_directory, kVersion);  // needed to extract
  put16(m_directory, kSizesAfter | (isAscii(m_name) ? 0 : kUtf8Names));
  put16(m_directory, kDeflated);
  put16(m_directory, m_dosTime);
  put16(m_directory, m_dosDate);
  put32(m_directory, m_crc);
  put32(m_directory, m_packed);
  put32(m_directory, m_size);
  put16(m_directory, m_name.size());
  put16(m_directory, 0);  // no extra field
  put16(m_directory, 0);  // comment length
  put16(m_directory, 0);  // disk number
  put16(m_directory, 0);  // internal attributes
  put32(m_directory, 0);  // external attributes
  put32(m_directory, m_memberOffset);
  m_directory += m_name;
  ++m_count;
  return true;
}

bool ZipWriter::finish() {
  if (m_failed || m_z) return fail();
  const uint64_t directoryAt = m_offset;
  if (directoryAt > m_limits.bytes || m_directory.size() > m_limits.bytes) return fail();
  std::string tail;
  put32(tail, kEndOfDirectory);
  put16(tail, 0);  // this disk
  put16(tail, 0);  // the disk where the directory starts
  put16(tail, m_count);
  put16(tail, m_count);
  put32(tail, m_directory.size());
  put32(tail, directoryAt);
  put16(tail, 0);  // no comment
  return emit(m_directory) && emit(tail);
}

}  // namespace backup

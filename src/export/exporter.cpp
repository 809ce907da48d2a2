#include "export/exporter.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "export/diary_reader.h"
#include "export/writers.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace exporting {
namespace fs = std::filesystem;
namespace {

constexpr size_t kFlushBytes = 1 << 20;

// The temporary file being written, with the reason of its first failure.
class OutputFile {
 public:
  explicit OutputFile(const fs::path& path) {
#ifdef _WIN32
    m_file = _wfopen(path.c_str(), L"wb");
#else
    m_file = std::fopen(path.c_str(), "wb");
#endif
    if (!m_file) m_error = errno;
  }
  ~OutputFile() {
    if (m_file) std::fclose(m_file);
  }

  bool ok() const { return m_error == 0; }
  int error() const { return m_error; }

  // Writes the buffer out and empties it.
  void write(std::string& buffer) {
    if (ok() && std::fwrite(buffer.data(), 1, buffer.size(), m_file) != buffer.size()) fail();
    buffer.clear();
  }

  // Everything on the disk, then closed.
  void close() {
    if (!m_file) return;
    if (ok() && std::fflush(m_file) != 0) fail();
#ifdef _WIN32
    if (ok() && _commit(_fileno(m_file)) != 0) fail();
#else
    if (ok() && fsync(fileno(m_file)) != 0) fail();
#endif
    if (std::fclose(m_file) != 0 && ok()) fail();
    m_file = nullptr;
  }

 private:
  void fail() { m_error = errno ? errno : EIO; }

  std::FILE* m_file = nullptr;
  int m_error = 0;
};

constexpr std::u8string_view kTemporaryEnd = u8".izvoz.tmp";

fs::path temporarySibling(const fs::path& file) {
  fs::path name = file.filename();
  return file.parent_path() / (u8"~" + name.u8string() + std::u8string(kTemporaryEnd));
}

// What an export cut off by a crash left in the folder. Another export that
// is writing its own at this moment keeps it: on Windows a file open for
// writing cannot be removed.
void removeLeftovers(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string name = it->path().filename().u8string();
    std::error_code typeEc;
    if (name.starts_with(u8"~") && name.ends_with(kTemporaryEnd) && it->is_regular_file(typeEc))
      fs::remove(it->path(), typeEc);
  }
}

bool sameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

Problem checkTarget(const fs::path& dataFolder, const fs::path& file) {
  std::error_code ec;
  if (!fs::is_directory(file.parent_path(), ec)) return Problem::FolderMissing;
  if (fs::is_directory(file, ec)) return Problem::IsFolder;
  if (sameFolder(file.parent_path(), dataFolder)) return Problem::IntoDataFolder;
  return Problem::None;
}

// Reads every day into the writer and the file; fills the outcome's counts.
int writeDays(const DiaryReader& reader, Format format, OutputFile& output, Outcome& outcome) {
  outcome.skippedNames = reader.skippedNames();
  const auto writer = makeWriter(format);
  std::string buffer;
  writer->begin(buffer);
  for (const std::string& key : reader.keys()) {
    const Day day = reader.read(key);
    if (day.empty()) continue;  // a day opened but never written holds nothing to take along
    writer->day(day, buffer);
    ++outcome.days;
    if (day.damage != Damage::None) outcome.damaged.push_back(day.date);
    if (buffer.size() >= kFlushBytes) output.write(buffer);
  }
  writer->end(buffer);
  output.write(buffer);
  output.close();
  return output.error();
}

}  // namespace

Outcome exportDiary(const fs::path& dataFolder, const fs::path& file, const store::SecretKey* key) {
  const auto format = formatOf(file);
  if (!format) {
    Outcome outcome;
    std::error_code ec;
    outcome.file = fs::absolute(file, ec);
    outcome.problem = Problem::UnknownExtension;
    return outcome;
  }
  return exportDiary(dataFolder, file, *format, key);
}

Outcome exportDiary(const fs::path& dataFolder, const fs::path& file, Format format, const store::SecretKey* key) {
  Outcome outcome;
  std::error_code ec;
  outcome.file = fs::absolute(file, ec);
  if (ec) outcome.file = file;
  outcome.problem = checkTarget(dataFolder, outcome.file);
  if (!outcome.written()) return outcome;
  const DiaryReader reader(dataFolder, key);
  if (!reader.listed()) {
    outcome.problem = Problem::DiaryUnreadable;
    return outcome;
  }

  removeLeftovers(outcome.file.parent_path());
  const fs::path temp = temporarySibling(outcome.file);
  int error = 0;
  {
    OutputFile output(temp);
    error = output.ok() ? writeDays(reader, format, output, outcome) : output.error();
  }
  if (error == 0) fs::rename(temp, outcome.file, ec);
  if (error != 0 || ec) {
    fs::remove(temp, ec);
    outcome.problem = error == ENOSPC ? Problem::DiskFull : Problem::CannotWrite;
    outcome.days = 0;
    outcome.damaged.clear();
  }
  return outcome;
}

}  // namespace exporting

#pragma once
// Whole-file reads and crash-safe writes of line files (CR LF after every line).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/codec.h"

namespace store {

namespace fs = std::filesystem;

// The whole file (at most `maxBytes` of its beginning), or nothing when it
// cannot be opened or read.
std::optional<std::string> readFile(const fs::path& path, size_t maxBytes = SIZE_MAX);

// A file that is not there is not the same as a file that is there but
// cannot be read (held open by another program, a folder in its place, no
// access): the diary starts afresh from the first and must never write over
// the second.
enum class FileState { Read, Missing, Unreadable };
struct FileRead {
  FileState state = FileState::Missing;
  std::string bytes;  // the content when Read
};
FileRead readExistingFile(const fs::path& path);

// Lines end only at CR LF; a lone CR or LF and byte 0x1A are ordinary
// characters. A last line without its terminator is still a line; a file that
// ends with CR LF has no empty line after it.
Lines splitLines(std::string_view bytes);
std::string joinLines(const Lines& lines);  // every line followed by CR LF

// Writes `bytes` to `temp`, flushes it to the disk, then moves it over
// `target` (the move itself written through), so that `target` always holds
// either the old or the new content, also after a power cut. On failure the
// temporary is removed and `target` is untouched.
bool writeFileAtomic(const fs::path& target, std::string_view bytes, const fs::path& temp);

// Creates or truncates the file and writes the bytes (no rename).
bool writeFilePlain(const fs::path& path, std::string_view bytes);

// Creates the file only when nothing at all has its name (a file, a folder,
// a link, even one pointing nowhere), then writes the bytes and flushes them
// to the disk. A name taken in the meantime by another program is never
// opened, so nothing of its is emptied or overwritten.
enum class NewFile { Written, NameTaken, Failed };
NewFile writeNewFile(const fs::path& path, std::string_view bytes);

// A file read in pieces, opened so that a save may replace it meanwhile
// (on Windows an ordinary open would make the save's rename fail): the
// reader goes on reading the bytes it opened.
class SharedReader {
 public:
  explicit SharedReader(const fs::path& path);
  ~SharedReader();
  SharedReader(const SharedReader&) = delete;
  SharedReader& operator=(const SharedReader&) = delete;
  bool isOpen() const { return m_file != nullptr; }
  // Up to `size` bytes into `buf`: 0 at the end, nothing on a read error.
  std::optional<size_t> read(char* buf, size_t size);

 private:
  void* m_file = nullptr;
};

// A new file written in pieces (created or truncated), flushed to the disk
// by finish(); a writer dropped before finish() leaves whatever it wrote for
// the caller to remove.
class DurableWriter {
 public:
  explicit DurableWriter(const fs::path& path);
  ~DurableWriter();
  DurableWriter(const DurableWriter&) = delete;
  DurableWriter& operator=(const DurableWriter&) = delete;
  bool isOpen() const { return m_file != nullptr; }
  bool write(std::string_view bytes);
  // Flushes to the disk and closes; true when every byte reached it.
  bool finish();

 private:
  void close();
  void* m_file = nullptr;
  bool m_failed = false;
};

// The system's halves of writeFileAtomic (file_io_win.cpp, file_io_posix.cpp):
// create or truncate `path`, write the bytes and flush them to the disk; and
// move `from` over `to` so that the disk holds the new name when it returns.
bool writeFileDurably(const fs::path& path, std::string_view bytes);
bool replaceFileDurably(const fs::path& from, const fs::path& to);

}  // namespace store

#pragma once
// One writer per diary. While a diary runs it holds a lock file in its data
// folder, opened sharing nothing with its first byte locked, so that a second
// diary on the same folder — another account, another session, another
// computer on a network folder — finds it held and writes nothing. What
// counts is the open file, never its presence: a file left behind by a crash
// or a power cut is simply taken over.
#include <cstdint>
#include <filesystem>

namespace store {

class FolderLock {
 public:
  enum class State {
    Held,           // this diary holds it
    HeldElsewhere,  // another diary holds it
    Unavailable,    // it could not be made (a folder that cannot be written)
  };

  // Tries to take the lock of `folder` at once.
  explicit FolderLock(const std::filesystem::path& folder);
  // Releases the lock and removes its file.
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State state() const { return m_state; }

  // A temporary's name, so that the listing, the backup and an export never
  // take it for a day.
  static constexpr char kFileName[] = "~Pisarion-odprt.tmp";

 private:
  std::filesystem::path m_file;
  std::intptr_t m_handle = -1;  // the system's handle or descriptor while held
  State m_state = State::Unavailable;
};

}  // namespace store

#pragma once
// A fresh folder per test, removed afterwards.
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "store/file_io.h"

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("pisarion-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  const std::filesystem::path& path() const { return m_path; }
  void write(const std::filesystem::path& rel, std::string_view bytes) const {
    std::filesystem::create_directories((m_path / rel).parent_path());
    store::writeFilePlain(m_path / rel, bytes);
  }
  std::string read(const std::filesystem::path& rel) const { return store::readFile(m_path / rel).value_or("<missing>"); }

 private:
  std::filesystem::path m_path;
};

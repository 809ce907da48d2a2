#pragma once
// The installation's system calls on Windows: files and folders, the program
// Namestko carries, the shell's folders and shortcuts, the list of installed
// programs, administrator rights, and a diary that is running.
#include <windows.h>

#include <string>
#include <vector>

#include "installer/installer.h"

namespace installer {

class WindowsOperations : public Operations {
 public:
  // Namestko itself (windows_operations.cpp)
  std::span<const uint8_t> payload() override;
  std::string payloadSha256() override;
  std::string sha256(std::span<const uint8_t> bytes) override;
  std::wstring selfPath() override;
  bool elevated() override;
  bool restartElevated(const std::vector<std::wstring>& arguments) override;

  // Folders and files (windows_operations.cpp)
  std::wstring expandEnvironment(const std::wstring& text) override;
  std::wstring specialFolder(SpecialFolder folder, Scope scope) override;
  std::vector<std::wstring> programFilesFolders() override;
  bool exists(const std::wstring& path) override;
  bool createFolder(const std::wstring& path) override;
  bool writeFile(const std::wstring& path, std::span<const uint8_t> bytes) override;
  bool writeNewFile(const std::wstring& path, const std::string& bytes) override;
  bool copyFile(const std::wstring& from, const std::wstring& to) override;
  std::optional<uint64_t> fileSize(const std::wstring& path) override;
  bool removeFile(const std::wstring& path) override;
  bool removeTree(const std::wstring& path) override;
  bool removeEmptyFolder(const std::wstring& path) override;
  bool removeWhenEnded(const std::wstring& file, const std::wstring& folder) override;

  // The shell, the list of installed programs, the diary (windows_system.cpp)
  bool createShortcut(const std::wstring& file, const Shortcut& shortcut) override;
  std::optional<Registration> readRegistration(Scope scope) override;
  bool writeRegistration(Scope scope, const Registration& registration) override;
  bool removeRegistration(Scope scope) override;
  bool diaryRunning(const std::wstring& program) override;
  bool closeDiary(const std::wstring& program) override;

  // The window the messages and Windows' rights prompt belong to.
  HWND owner = nullptr;
};

// The user's answers through message boxes captioned "Namestko".
class MessageBoxUser : public User {
 public:
  explicit MessageBoxUser(HWND owner = nullptr) : m_owner(owner) {}
  bool answer(const Message& message) override;
  void setOwner(HWND owner) { m_owner = owner; }

 private:
  HWND m_owner;
};

// The argument Namestko's copy in the temporary folder is started with to
// remove the Namestko.exe of a removed installation, and what that copy does.
inline constexpr wchar_t kCleanUpSwitch[] = L"/pocisti";
int cleanUpAfterRemoval(const std::vector<std::wstring>& arguments);

// One argument quoted for a command line, as CommandLineToArgvW splits it.
std::wstring quoted(const std::wstring& argument);

}  // namespace installer

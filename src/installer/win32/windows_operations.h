#pragma once
// The installation's file-system and shell operations on Windows.
#include "installer/installer.h"

namespace installer {

class WindowsOperations : public Operations {
 public:
  std::wstring windowsFolder() override;
  std::wstring expandEnvironment(const std::wstring& text) override;
  bool exists(const std::wstring& path) override;
  bool createFolder(const std::wstring& path) override;
  bool copyFile(const std::wstring& from, const std::wstring& to) override;
  bool writeNewFile(const std::wstring& path, const std::string& bytes) override;
  std::wstring specialFolder(SpecialFolder folder) override;
  bool createShortcut(const std::wstring& file, const Shortcut& shortcut) override;
};

}  // namespace installer

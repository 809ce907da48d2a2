// Pisarion.exe: the diary on real Windows.
#include <windows.h>
#include <shlobj.h>

#include <filesystem>

#include "app/folders.h"
#include "app/pisarion.h"
#include "platform/win32/win32_platform_win.h"

namespace {

std::filesystem::path programFolder() {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  return std::filesystem::path(std::wstring(buf, n)).parent_path();
}

std::filesystem::path perUserFolder() {
  PWSTR path = nullptr;
  std::filesystem::path result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) result = std::filesystem::path(path) / L"Pisarion";
  CoTaskMemFree(path);
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  win32::Win32Platform platform(instance);
  app::Environment env{app::chooseDiaryFolder(programFolder(), perUserFolder()), platform.decimalSeparator()};
  app::Pisarion diary(platform, env);
  diary.start();
  if (diary.ended()) return 0;
  return platform.run();
}

// Pisarion.exe: the diary on real Windows.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>  // __argc, __wargv
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/folders.h"
#include "app/pisarion.h"
#include "platform/win32/single_instance_win.h"
#include "platform/win32/system_libraries_win.h"
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

// The arguments after the program's own name, as the C runtime split them
// (by the same rules as CommandLineToArgvW, without loading the shell).
app::CommandLine commandLine() {
  std::vector<std::u16string> args;
  for (int i = 1; __wargv && i < __argc; ++i) args.emplace_back(__wargv[i], __wargv[i] + wcslen(__wargv[i]));
  return app::parseCommandLine(args);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  win32::restrictLibrarySearch();  // before anything can load a library
  win32::Win32Platform platform(instance);
  const std::filesystem::path program = programFolder();
  app::Environment env;
  env.folder = app::chooseDiaryFolder(program, perUserFolder);
  env.decimalSeparator = platform.decimalSeparator();
  if (env.folder != program) env.programFolder = program;
  const app::CommandLine command = commandLine();
  // Nothing is written before this diary knows it is the only one on its
  // folder. An export only reads the diary, so it may run beside it.
  std::optional<win32::SingleInstance> oneDiary;
  if (command.mode == app::CommandLine::Mode::Diary) {
    oneDiary.emplace(env.folder / L"Podatki");
    if (!oneDiary->first()) {
      oneDiary->bringRunningToFront(10000);
      return 0;
    }
  }
  app::Pisarion diary(platform, env);
  diary.setCommandLine(command);
  if (oneDiary) oneDiary->listen(instance, [&diary] { diary.BringToFront(); });
  diary.start();
  if (diary.ended()) return diary.exitCode();
  return platform.run();
}

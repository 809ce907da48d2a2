// Namestko.exe: installs the diary it carries, or removes it with /odstrani.
#include <windows.h>
#include <objbase.h>

#include <cstdlib>  // __argc, __wargv
#include <string>
#include <vector>

#include "frm_namestko.h"
#include "installer/installer.h"
#include "windows_operations.h"

namespace {

using namespace installer;

std::vector<std::wstring> arguments() {
  std::vector<std::wstring> args;
  for (int i = 1; __wargv && i < __argc; ++i) args.emplace_back(__wargv[i]);
  return args;
}

bool is(const std::wstring& argument, const wchar_t* word) {
  return CompareStringOrdinal(argument.c_str(), -1, word, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Namestko runs from wherever it was downloaded to: libraries it loads
  // come from System32 only, never from beside it.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const std::vector<std::wstring> args = arguments();
  if (!args.empty() && is(args[0], kCleanUpSwitch)) return cleanUpAfterRemoval(args);

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int code = 1;
  if (args.size() == 1 && is(args[0], kRemoveSwitch)) {
    WindowsOperations ops;
    MessageBoxUser user;
    const Outcome outcome = installer::remove(ops, user);
    code = outcome == Outcome::Done || outcome == Outcome::HandedOver ? 0 : 1;
  } else if (args.empty() || (args.size() == 2 && is(args[0], kFolderSwitch))) {
    code = runSetupWindow(instance, show, args.empty() ? std::nullopt : std::optional<std::wstring>(args[1]));
  } else {
    MessageBoxUser().answer({std::wstring(L"Namestko.exe namesti Pisarion.\r\nNamestko.exe ") + kRemoveSwitch +
                                 L" ga odstrani (dnevnik ostane, če ne izberete drugače).",
                             Icon::Information});
  }
  CoUninitialize();
  return code;
}

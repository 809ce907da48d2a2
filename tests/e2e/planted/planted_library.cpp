// A library planted beside the program under a system library's name: loaded,
// it leaves "<its own file>.loaded" beside itself and refuses to load.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring mark = std::wstring(path, GetModuleFileNameW(self, path, MAX_PATH)) + L".loaded";
  if (reason == DLL_PROCESS_ATTACH) CloseHandle(CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return reason != DLL_PROCESS_ATTACH;
}

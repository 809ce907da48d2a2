#include "platform/win32/system_libraries_win.h"

#include <delayimp.h>

namespace win32 {
namespace {

// The delay-load helper asks here before it loads a library by its bare
// name; the answer is the system folder's copy (or nothing, which fails the
// call as a missing library would).
FARPROC WINAPI beforeDelayLoad(unsigned notice, PDelayLoadInfo info) {
  if (notice != dliNotePreLoadLibrary) return nullptr;
  return reinterpret_cast<FARPROC>(LoadLibraryExA(info->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace

void restrictLibrarySearch() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  __pfnDliNotifyHook2 = beforeDelayLoad;
}

HMODULE loadSystemLibrary(const wchar_t* name) { return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

}  // namespace win32

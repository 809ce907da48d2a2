#pragma once
// The diary's folder is one its user can write to, and so is anyone who can
// put a file there: a library found there by name would run as the user.
// Every library the program loads comes from the system folder only.
#include <windows.h>

namespace win32 {

// Called first thing: the system folder becomes the only place libraries are
// searched for, for every later load (the delay-loaded ones included).
void restrictLibrarySearch();

// A system library by name, from the system folder only; nullptr when it is
// not there or does not load.
HMODULE loadSystemLibrary(const wchar_t* name);

}  // namespace win32

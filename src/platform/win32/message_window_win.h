#pragma once
// A hidden window that only receives messages (timers, a later start's
// knock): no place on the screen, no part in the window list.
#include <windows.h>

namespace win32 {

// Registers the class and makes one message-only window of it, carrying
// `owner` in its user data for `proc` to find; nullptr when it cannot.
HWND createMessageWindow(HINSTANCE instance, const wchar_t* windowClass, WNDPROC proc, void* owner);

}  // namespace win32

#include "platform/win32/message_window_win.h"

namespace win32 {

HWND createMessageWindow(HINSTANCE instance, const wchar_t* windowClass, WNDPROC proc, void* owner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = windowClass;
  RegisterClassExW(&wc);
  HWND hwnd = CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (hwnd) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return hwnd;
}

}  // namespace win32

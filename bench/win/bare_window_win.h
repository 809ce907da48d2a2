#pragma once
// The skeleton of the benchmarks' baseline programs: one popup window of a
// class of their own, shown, and its messages run until it is closed.
#include <windows.h>

namespace bench {

struct BareWindow {
  const wchar_t* windowClass;
  WNDPROC proc;           // handles what the program measures; bareWindowProc does the rest
  RECT place;             // left, top, width, height
  DWORD exStyle = 0;
  HBRUSH background = nullptr;
};

// Ends the program when its window goes; everything else as the system does.
inline LRESULT bareWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers the class and shows the window: nullptr when it cannot.
inline HWND showBareWindow(HINSTANCE instance, const BareWindow& w) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = w.proc;
  wc.hInstance = instance;
  wc.hbrBackground = w.background;
  wc.lpszClassName = w.windowClass;
  RegisterClassExW(&wc);
  HWND hwnd = CreateWindowExW(w.exStyle, w.windowClass, L"", WS_POPUP, w.place.left, w.place.top, w.place.right,
                              w.place.bottom, nullptr, nullptr, instance, nullptr);
  if (hwnd) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

inline int runMessages() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

}  // namespace bench

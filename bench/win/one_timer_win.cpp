// The baseline for the diary's idle cost: a bare Win32 program whose only
// work is one 50 ms timer that reads the pointer, as a button's tracking
// timer does, with a small window shown.
#include <windows.h>

namespace {

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER: {
      POINT p;
      GetCursorPos(&p);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"Pisarion.OneTimer";
  RegisterClassExW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"OneTimer", WS_POPUP, 0, 0, 101, 111, nullptr,
                              nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, 50, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

// The baselines for the diary's start-up time: the least a Win32 program does
// to put a window of the diary's size on the screen and paint it; and, with
// the argument "editor", also what the diary cannot show its first frame
// without: the rich-text library with an editor in the window, and a second
// window that carries the taskbar button.
#include <richedit.h>

#include <cwchar>

#include "bare_window_win.h"

namespace {

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return bench::bareWindowProc(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EndPaint(hwnd, &ps);
  return 0;
}

void addEditorAndTaskbarWindow(HINSTANCE instance, HWND window) {
  LoadLibraryW(L"msftedit.dll");
  CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 13, 61, 394, 494, window,
                  nullptr, instance, nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"Pisarion.EmptyTaskbar";
  RegisterClassExW(&wc);
  HWND bar = CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, L"Pisarion", WS_POPUP, 3, -45, 52, 2, nullptr, nullptr,
                             instance, nullptr);
  ShowWindow(bar, SW_SHOWNA);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int) {
  HWND window = bench::showBareWindow(instance, {L"Pisarion.EmptyWindow", proc, {300, 200, 596, 567}});
  if (window && std::wcscmp(args, L"editor") == 0) addEditorAndTaskbarWindow(instance, window);
  return bench::runMessages();
}

// The baseline for the diary's start-up time: the least a Win32 program does
// to put a window of the diary's size on the screen and paint it.
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  bench::showBareWindow(instance, {L"Pisarion.EmptyWindow", proc, {300, 200, 596, 567}});
  return bench::runMessages();
}

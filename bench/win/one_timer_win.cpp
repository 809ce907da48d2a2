// The baseline for the diary's idle cost: a bare Win32 program whose only
// work is one 50 ms timer that reads the pointer, as a button's tracking
// timer does, with a small window shown.
#include "bare_window_win.h"

namespace {

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_TIMER) return bench::bareWindowProc(hwnd, msg, wp, lp);
  POINT p;
  GetCursorPos(&p);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const bench::BareWindow w{L"Pisarion.OneTimer", proc, {0, 0, 101, 111}, WS_EX_TOOLWINDOW,
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))};
  HWND hwnd = bench::showBareWindow(instance, w);
  SetTimer(hwnd, 1, 50, nullptr);
  return bench::runMessages();
}

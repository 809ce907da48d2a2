// Popup menus: a system menu at the pointer, TrackPopupMenu returning the
// command chosen rather than posting it.
#include <windows.h>

#include "base/cp1250.h"
#include "platform/win32/win32_platform_win.h"

namespace win32 {

std::optional<size_t> Win32Platform::popupMenu(gui::Form& owner, const std::vector<gui::MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return std::nullopt;
  // Command ids start at 1: TrackPopupMenu answers 0 for a dismissal.
  for (size_t i = 0; i < items.size(); ++i) {
    const std::wstring text = base::toWide(items[i].text);
    const UINT flags = MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu, flags, i + 1, text.c_str());
  }
  HWND hwnd = windowOf(owner);
  POINT p{};
  GetCursorPos(&p);
  // The owner must be the foreground window, or the menu stays open when
  // the user clicks elsewhere.
  SetForegroundWindow(hwnd);
  const UINT id = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, hwnd, nullptr));
  PostMessageW(hwnd, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (id == 0 || id > items.size()) return std::nullopt;
  return id - 1;
}

}  // namespace win32

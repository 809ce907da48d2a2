// Plain text onto the clipboard, as CF_UNICODETEXT.
#include <windows.h>

#include <cstring>

#include "platform/win32/win32_platform_win.h"

namespace win32 {

bool Win32Platform::copyText(std::u16string_view text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (void* p = memory ? GlobalLock(memory) : nullptr) {
    std::memcpy(p, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(p)[text.size()] = 0;
    GlobalUnlock(memory);
    ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  }
  if (!ok && memory) GlobalFree(memory);  // the clipboard owns it only once taken
  CloseClipboard();
  return ok;
}

}  // namespace win32

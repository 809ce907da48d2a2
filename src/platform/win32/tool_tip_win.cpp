#include "platform/win32/tool_tip_win.h"

#include <commctrl.h>

#include "base/cp1250.h"

namespace win32 {

ToolTipWindow::~ToolTipWindow() {
  if (m_tip) DestroyWindow(m_tip);
}

bool ToolTipWindow::create() {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)initialised;
  // Not owned by the form's window: an owned topmost tip keeps the owner
  // from being placed on top afterwards (seen under Wine).
  m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  return m_tip != nullptr;
}

void ToolTipWindow::setTool(gui::Rect r, std::u16string_view text) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = m_form;
  ti.uId = 1;
  if (m_hasTool) SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  m_hasTool = false;
  m_text = base::toWide(text);
  if (m_text.empty() || (!m_tip && !create())) return;
  ti.uFlags = TTF_SUBCLASS;
  ti.rect = RECT{r.x, r.y, r.x + r.w, r.y + r.h};
  ti.lpszText = m_text.data();
  m_hasTool = SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
  // The tool is new: let it see the move that brought the pointer here, so
  // that a pointer coming to rest shows the tip.
  MSG msg{m_form, WM_MOUSEMOVE, 0, 0, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&msg.pt);
  POINT client = msg.pt;
  ScreenToClient(m_form, &client);
  msg.lParam = MAKELPARAM(client.x, client.y);
  SendMessageW(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace win32

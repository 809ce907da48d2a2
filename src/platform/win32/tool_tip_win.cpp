#include "platform/win32/tool_tip_win.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "base/cp1250.h"

namespace win32 {
namespace {
std::set<ToolTipWindow*>& tips() {
  static std::set<ToolTipWindow*> all;
  return all;
}
}  // namespace

ToolTipWindow::~ToolTipWindow() {
  tips().erase(this);
  if (m_tip) DestroyWindow(m_tip);
}

bool ToolTipWindow::route(const NMHDR* hdr, LRESULT* result) {
  if (!hdr || hdr->code != TTN_SHOW) return false;
  for (ToolTipWindow* tip : tips())
    if (tip->m_tip == hdr->hwndFrom) {
      tip->place();
      *result = TRUE;  // placed here, not by the control
      return true;
    }
  return false;
}

TOOLINFOW ToolTipWindow::toolInfo() const {
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = m_form;
  ti.uId = 1;
  return ti;
}

void ToolTipWindow::place() {
  TOOLINFOW ti = toolInfo();
  const LRESULT bubble = SendMessageW(m_tip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
  RECT now{};
  GetWindowRect(m_tip, &now);
  const int w = std::max<int>(LOWORD(bubble), now.right - now.left);
  const int h = std::max<int>(HIWORD(bubble), now.bottom - now.top);
  POINT p{};
  GetCursorPos(&p);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi)) area = mi.rcWork;
  const int below = p.y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  int y = below + h <= area.bottom ? below : p.y - h - 2;
  const int x = std::clamp<int>(p.x, area.left, std::max<int>(area.left, area.right - w));
  y = std::clamp<int>(y, area.top, std::max<int>(area.top, area.bottom - h));
  SetWindowPos(m_tip, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE);
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
  if (m_tip) tips().insert(this);
  return m_tip != nullptr;
}

void ToolTipWindow::setTool(gui::Rect r, std::u16string_view text) {
  TOOLINFOW ti = toolInfo();
  if (m_hasTool) SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  m_hasTool = false;
  m_text = base::toWide(text);
  if (m_text.empty() || (!m_tip && !create())) return;
  // The control watches the form's mouse itself; the tip lets clicks through.
  ti.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
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

#include "platform/win32/native_child_win.h"

#include <map>
#include <vector>

namespace win32 {
namespace {

std::map<HWND, NativeChildWindow*>& children() {
  static std::map<HWND, NativeChildWindow*> all;
  return all;
}

}  // namespace

NativeChildWindow::NativeChildWindow(HWND hwnd, NotifyHandler onNotify)
    : m_hwnd(hwnd), m_onNotify(std::move(onNotify)) {
  if (m_hwnd) children()[m_hwnd] = this;
}

NativeChildWindow::~NativeChildWindow() {
  if (m_hwnd) children().erase(m_hwnd);
}

bool NativeChildWindow::route(const NMHDR* hdr, LRESULT* result) {
  if (!hdr) return false;
  auto it = children().find(hdr->hwndFrom);
  if (it == children().end() || !it->second->m_onNotify) return false;
  return it->second->m_onNotify(hdr, result);
}

bool NativeChildWindow::routeCommand(WPARAM wParam, LPARAM lParam) {
  auto it = children().find(reinterpret_cast<HWND>(lParam));
  if (it == children().end()) return false;
  NativeChildWindow& child = *it->second;
  // A click into the child gave it the keys: the form is told (EN_SETFOCUS,
  // which edit controls send whatever their event mask).
  if (HIWORD(wParam) == EN_SETFOCUS) {
    if (auto handler = child.onFocused) handler();
    return true;
  }
  return child.onCommand && child.onCommand(wParam, lParam);
}

bool NativeChildWindow::routeColour(HWND child, HDC dc, LRESULT* result) {
  auto it = children().find(child);
  if (it == children().end() || !it->second->onColour) return false;
  *result = it->second->onColour(dc);
  return true;
}

void NativeChildWindow::setShown(bool shown) {
  if ((IsWindowVisible(m_hwnd) != FALSE) != shown) ShowWindow(m_hwnd, shown ? SW_SHOWNA : SW_HIDE);
}

void NativeChildWindow::rebind(HWND hwnd) {
  if (m_hwnd) children().erase(m_hwnd);
  m_hwnd = hwnd;
  m_shaped = false;
  if (m_hwnd) children()[m_hwnd] = this;
}

void NativeChildWindow::setBounds(gui::Rect r) {
  SetWindowPos(m_hwnd, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeChildWindow::setVisibleRegion(const gui::Region& visible) {
  if (m_shaped && visible == m_visible) return;
  m_shaped = true;
  m_visible = visible;
  RECT client{};
  GetClientRect(m_hwnd, &client);
  if (visible == gui::Region(gui::Rect{0, 0, client.right, client.bottom})) {
    SetWindowRgn(m_hwnd, nullptr, TRUE);
    return;
  }
  const std::vector<uint8_t> data = visible.toRegionData();
  HRGN rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
  if (rgn) SetWindowRgn(m_hwnd, rgn, TRUE);  // the window owns the region from now on
}

void NativeChildWindow::focus() {
  // Keys go to a window only once its parent is on the screen.
  if (IsWindowVisible(GetParent(m_hwnd))) SetFocus(m_hwnd);
}

}  // namespace win32

#include "platform/win32/win32_window_win.h"

#include <windowsx.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "platform/win32/native_child_win.h"
#include "platform/win32/tool_tip_win.h"

namespace win32 {
namespace {
// The monitor of the window has another DPI (WM_DPICHANGED).
constexpr UINT kDpiChanged = 0x02E0;

// Each form has a window class of its own, "Pisarion.<form name>", so that
// tools and tests can find a given window.
std::wstring registerClass(HINSTANCE instance, WNDPROC proc, const std::string& formName) {
  std::wstring name = L"Pisarion." + std::wstring(formName.begin(), formName.end());
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return name;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = name.c_str();
  RegisterClassExW(&wc);
  return name;
}

int shiftState(WPARAM wp) {
  int s = 0;
  if (wp & MK_SHIFT) s |= gui::kShift;
  if (wp & MK_CONTROL) s |= gui::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= gui::kAlt;
  return s;
}

int keyShiftState() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= gui::kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= gui::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= gui::kAlt;
  return s;
}

int heldButtons(WPARAM wp) {
  int b = 0;
  if (wp & MK_LBUTTON) b |= gui::kLeftButton;
  if (wp & MK_RBUTTON) b |= gui::kRightButton;
  if (wp & MK_MBUTTON) b |= gui::kMiddleButton;
  return b;
}

gui::Point clientPoint(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

// Each form's window, for the platform's calls that take a form.
std::map<const gui::Form*, Win32Window*>& windows() {
  static std::map<const gui::Form*, Win32Window*> all;
  return all;
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, gui::Form& form)
    : m_form(form), m_instance(instance), m_accessibility(form) {
  windows()[&form] = this;
}

// The system's window is made when something first needs it (the form shown,
// a child window put in it, a dialog owned by it), from what the form says by
// then. A form that never shows, such as the login of a diary without a
// password or the folded clock of a diary never folded, costs no window, and
// the start does not wait for windows the diary may never open.
HWND Win32Window::hwnd() {
  if (!m_hwnd) create();
  return m_hwnd;
}

void Win32Window::create() {
  const std::wstring className = registerClass(m_instance, windowProc, m_form.name());
  // A form without a taskbar button is a tool window.
  const bool taskbar = m_form.taskbarButton() == gui::TaskbarButton::Shown;
  const DWORD exStyle = (taskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW) | (m_form.topmost() ? WS_EX_TOPMOST : 0);
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (taskbar ? WS_SYSMENU | WS_MINIMIZEBOX : 0);
  const gui::Rect b = m_form.pixelBounds();
  const std::wstring caption = base::toWide(m_form.caption());
  CreateWindowExW(exStyle, className.c_str(), caption.c_str(), style, b.x, b.y, b.w, b.h, nullptr, nullptr,
                  m_instance, this);  // WM_NCCREATE keeps the handle
  if (!m_hwnd) return;
  if (!m_form.enabled()) EnableWindow(m_hwnd, FALSE);
  if (m_form.region()) setRegion(&*m_form.region());
}

Win32Window* Win32Window::of(const gui::Form& form) {
  const auto it = windows().find(&form);
  return it == windows().end() ? nullptr : it->second;
}

Win32Window::~Win32Window() {
  windows().erase(&m_form);
  if (m_hwnd) {
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

// The form whose window is the top-level one of `hwnd`, or nullptr for the
// windows of others (message boxes, tooltips, dialogs). Our windows are known
// by the list of them, never by their window procedure: a tooltip whose tool
// lies on a form subclasses the form's window for as long as the tool is set,
// and a form known by its procedure would lose its shortcuts meanwhile.
Win32Window* Win32Window::ownRoot(HWND hwnd) {
  HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  if (!root) return nullptr;
  for (const auto& [form, window] : windows())
    if (window->m_hwnd == root) return window;
  return nullptr;
}

bool Win32Window::translateShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (GetKeyState(VK_CONTROL) >= 0 && msg.wParam != VK_TAB && msg.wParam != VK_ESCAPE) return false;
  Win32Window* self = ownRoot(msg.hwnd);
  return self && self->m_form.dispatchShortcut(static_cast<int>(msg.wParam), keyShiftState());
}

bool Win32Window::translateWheel(const MSG& msg) {
  if (msg.message != WM_MOUSEWHEEL) return false;
  const POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  HWND under = WindowFromPoint(pt);
  Win32Window* self = ownRoot(under);
  if (!self) return false;
  HWND root = self->m_hwnd;
  if (under != root) {
    // A native child scrolls itself; it has it already when it has the keys.
    if (under == msg.hwnd) return false;
    SendMessageW(under, WM_MOUSEWHEEL, msg.wParam, msg.lParam);
    return true;
  }
  POINT client = pt;
  ScreenToClient(root, &client);
  self->m_form.dispatchMouseWheel(GET_WHEEL_DELTA_WPARAM(msg.wParam), shiftState(GET_KEYSTATE_WPARAM(msg.wParam)),
                                  {client.x, client.y});
  return true;
}

Win32Window* Win32Window::fromHwnd(HWND hwnd) {
  return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (auto* self = fromHwnd(hwnd)) return self->handle(msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: mouseDown(gui::kLeftButton, wp, lp, false); return 0;
    case WM_RBUTTONDOWN: mouseDown(gui::kRightButton, wp, lp, false); return 0;
    case WM_MBUTTONDOWN: mouseDown(gui::kMiddleButton, wp, lp, false); return 0;
    case WM_LBUTTONDBLCLK: mouseDown(gui::kLeftButton, wp, lp, true); return 0;
    case WM_RBUTTONDBLCLK: mouseDown(gui::kRightButton, wp, lp, true); return 0;
    case WM_LBUTTONUP: mouseUp(gui::kLeftButton, wp, lp); return 0;
    case WM_RBUTTONUP: mouseUp(gui::kRightButton, wp, lp); return 0;
    case WM_MBUTTONUP: mouseUp(gui::kMiddleButton, wp, lp); return 0;
    case WM_MOUSEMOVE:
      m_form.dispatchMouseMove(heldButtons(wp), shiftState(wp), clientPoint(lp));
      return 0;
    case WM_SETFOCUS:
      // Back from another window: the keys go where the form had them.
      if (gui::Element* e = m_form.focused(); e && e->nativeChild() && e->shown()) e->nativeChild()->focus();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != m_hwnd) m_form.dispatchMouseLeave();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      m_form.dispatchKeyDown(static_cast<int>(wp), keyShiftState());
      if (msg == WM_SYSKEYDOWN) break;
      return 0;
    case WM_KEYUP: m_form.dispatchKeyUp(static_cast<int>(wp), keyShiftState()); return 0;
    case WM_CHAR: m_form.dispatchKeyPress(static_cast<char16_t>(wp)); return 0;
    case WM_ACTIVATE: m_form.dispatchActivate(LOWORD(wp) != WA_INACTIVE); break;
    case WM_CLOSE: m_form.dispatchClose(); return 0;
    case WM_QUERYENDSESSION: return m_form.dispatchQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION: m_form.dispatchEndSession(wp != 0); return 0;
    case WM_DISPLAYCHANGE: m_form.dispatchDisplayChange(); break;
    case kDpiChanged: {
      // The window moved to a monitor of another scale, or the scale
      // changed: drawn anew at it, where the system suggests.
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      m_form.dispatchDpiChanged(HIWORD(wp), {r->left, r->top, r->right - r->left, r->bottom - r->top});
      return 0;
    }
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETWORKAREA) m_form.dispatchDisplayChange();
      if (wp == SPI_SETHIGHCONTRAST) m_form.dispatchSystemColours();
      break;
    case WM_SYSCOLORCHANGE: m_form.dispatchSystemColours(); break;
    case WM_SIZE:
      if (wp == SIZE_MINIMIZED && !m_minimized) {
        m_minimized = true;
        m_form.dispatchWindowState(gui::kMinimized);
      } else if (wp == SIZE_RESTORED && m_minimized) {
        m_minimized = false;
        m_form.dispatchWindowState(gui::kNormal);
      }
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (NativeChildWindow::route(reinterpret_cast<const NMHDR*>(lp), &result) ||
          ToolTipWindow::route(reinterpret_cast<const NMHDR*>(lp), &result))
        return result;
      break;
    }
    case WM_COMMAND:
      if (NativeChildWindow::routeCommand(wp, lp)) return 0;
      break;
    case WM_GETOBJECT:
      if (const LRESULT answer = m_accessibility.getObject(m_hwnd, wp, lp)) return answer;
      break;
    case WM_CTLCOLOREDIT: {
      LRESULT brush = 0;
      if (NativeChildWindow::routeColour(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), &brush)) return brush;
      break;
    }
    default: break;
  }
  return DefWindowProcW(m_hwnd, msg, wp, lp);
}

namespace {

// The window's update region: what the form invalidated since the last
// paint, and whatever the system uncovered.
gui::Region updateRegion(HWND hwnd, gui::Rect client) {
  gui::Region whole(client);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (!rgn) return whole;
  std::optional<gui::Region> update;
  RECT box;
  const int kind = GetUpdateRgn(hwnd, rgn, FALSE);
  if (kind == SIMPLEREGION && GetRgnBox(rgn, &box) != ERROR) {
    // One rectangle, as a hover frame's face: no region data to read.
    update = gui::Region(gui::Rect{box.left, box.top, box.right - box.left, box.bottom - box.top});
  } else if (kind != ERROR) {
    std::vector<uint8_t> data(GetRegionData(rgn, 0, nullptr));
    if (!data.empty() && GetRegionData(rgn, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())))
      update = gui::Region::fromRegionData(data);
  }
  DeleteObject(rgn);
  return update ? update->intersected(whole) : whole;
}

}  // namespace

void Win32Window::paint() {
  m_form.placeNativeChildren();
  const gui::Rect bounds = m_form.pixelBounds();
  const gui::Region dirty = updateRegion(m_hwnd, {0, 0, bounds.w, bounds.h});
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(m_hwnd, &ps);
  m_form.compose(m_frame, dirty);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = m_frame.deviceWidth();
  bmi.bmiHeader.biHeight = -m_frame.deviceHeight();  // top-down, as the surface is laid out
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  // The device context is clipped to the update region, so only the
  // recomposed pixels reach the screen. The whole frame is given: a part of a
  // top-down bitmap counts its source rows from the bottom, which is easy
  // to get wrong for no gain.
  SetDIBitsToDevice(dc, 0, 0, m_frame.deviceWidth(), m_frame.deviceHeight(), 0, 0, 0, m_frame.deviceHeight(),
                    m_frame.data(), &bmi, DIB_RGB_COLORS);
  EndPaint(m_hwnd, &ps);
  // What the screen now shows, a screen reader is told.
  m_accessibility.tellChanges(m_hwnd);
}

void Win32Window::mouseDown(int button, WPARAM wp, LPARAM lp, bool doubleClick) {
  // The window keeps the mouse while any button is held, so the element
  // pressed sees the moves and the release even outside the window.
  SetCapture(m_hwnd);
  m_form.dispatchMouseDown(button, shiftState(wp), clientPoint(lp), doubleClick);
}

void Win32Window::mouseUp(int button, WPARAM wp, LPARAM lp) {
  if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == m_hwnd) {
    // Release capture after the event, so WM_CAPTURECHANGED does not cancel it.
    m_form.dispatchMouseUp(button, shiftState(wp), clientPoint(lp));
    ReleaseCapture();
    return;
  }
  m_form.dispatchMouseUp(button, shiftState(wp), clientPoint(lp));
}

void Win32Window::setVisible(bool visible, gui::Activation activation) {
  if (!visible && !m_hwnd) return;
  ShowWindow(hwnd(), !visible ? SW_HIDE : activation == gui::Activation::Activate ? SW_SHOW : SW_SHOWNA);
}

// Before the window is made there is nothing to tell: it is made from the
// form's bounds, caption, region, state and keep-on-top as they are then.
void Win32Window::setBounds(gui::Rect s) {
  if (!m_hwnd) return;
  SetWindowPos(m_hwnd, nullptr, s.x, s.y, s.w, s.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::setWindowPos(gui::InsertAfter insertAfter, gui::Rect s) {
  if (!m_hwnd) return;
  SetWindowPos(m_hwnd, insertAfter == gui::InsertAfter::Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, s.x, s.y, s.w, s.h,
               0);
}

void Win32Window::setRegion(const gui::Region* region) {
  if (!m_hwnd) return;
  if (!region) {
    SetWindowRgn(m_hwnd, nullptr, TRUE);
    return;
  }
  const std::vector<uint8_t> data = region->toRegionData();
  HRGN rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
  if (rgn) SetWindowRgn(m_hwnd, rgn, TRUE);  // the window owns the region from now on
}

void Win32Window::setEnabled(bool enabled) {
  if (m_hwnd) EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

void Win32Window::setCaption(std::u16string_view caption) {
  if (m_hwnd) SetWindowTextW(m_hwnd, base::toWide(caption).c_str());
}

void Win32Window::invalidate(gui::Rect c) {
  if (!m_hwnd) return;
  const RECT r{c.x, c.y, c.x + c.w, c.y + c.h};
  InvalidateRect(m_hwnd, &r, FALSE);
}

void Win32Window::activate() {
  SetForegroundWindow(hwnd());
  SetActiveWindow(m_hwnd);
  // The keys come with it: a focus left in another of the diary's windows
  // (the main window's editor) would keep them there.
  HWND focus = GetFocus();
  if (focus == m_hwnd || IsChild(m_hwnd, focus)) return;
  gui::Element* e = m_form.focused();
  if (gui::NativeChild* child = e ? e->nativeChild() : nullptr) child->focus();
  else SetFocus(m_hwnd);
}

void Win32Window::setMinimized(bool minimized) {
  m_minimized = minimized;
  ShowWindow(hwnd(), minimized ? SW_MINIMIZE : SW_RESTORE);
}

void Win32Window::focusChanged(gui::Element*) {
  // Keys for the form's own elements (the hidden password box) arrive at the
  // form's window; a native child takes the focus itself.
  if (m_hwnd && IsWindowVisible(m_hwnd)) SetFocus(m_hwnd);
}

}  // namespace win32

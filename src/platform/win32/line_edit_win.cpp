#include "platform/win32/line_edit_win.h"

#include <utility>

#include "gui/element.h"

namespace win32 {
namespace {

COLORREF colourRef(gui::Color c) { return RGB(c.r(), c.g(), c.b()); }

int shiftNow() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= gui::kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= gui::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= gui::kAlt;
  return s;
}

constexpr wchar_t kCtrlA = 1, kCtrlBackspace = 127;

}  // namespace

gui::HostedLineEdit EditControl::create(HWND parent, const RECT& r, const gui::FieldLook& look, HFONT font) {
  // No border and no margins: the field's skin is its frame.
  HWND hwnd = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_LEFT | ES_AUTOHSCROLL, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return {};
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  std::unique_ptr<EditControl> edit(new EditControl(hwnd, look));
  auto window = std::make_unique<NativeChildWindow>(hwnd, nullptr);
  EditControl* e = edit.get();
  e->m_child = window.get();
  window->onCommand = [e](WPARAM wp, LPARAM) { return e->command(wp); };
  window->onColour = [e](HDC dc) {
    SetTextColor(dc, e->m_textColour);
    SetBkColor(dc, e->m_backColour);
    return reinterpret_cast<LRESULT>(e->m_background);
  };
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(e));
  e->m_controlProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
  return {std::move(edit), std::move(window)};
}

EditControl::EditControl(HWND hwnd, const gui::FieldLook& look)
    : m_hwnd(hwnd),
      m_background(CreateSolidBrush(colourRef(look.background))),
      m_backColour(colourRef(look.background)),
      m_textColour(colourRef(look.text)) {}

EditControl::~EditControl() {
  if (m_controlProc) SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
  SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
  DestroyWindow(m_hwnd);
  DeleteObject(m_background);
}

std::u16string EditControl::text() const {
  std::wstring w(static_cast<size_t>(GetWindowTextLengthW(m_hwnd)) + 1, L'\0');
  w.resize(static_cast<size_t>(GetWindowTextW(m_hwnd, w.data(), static_cast<int>(w.size()))));
  return std::u16string(w.begin(), w.end());
}

void EditControl::setText(std::u16string_view text) {
  const std::wstring w(text.begin(), text.end());
  m_settingText = true;
  SetWindowTextW(m_hwnd, w.c_str());
  m_settingText = false;
  SendMessageW(m_hwnd, EM_SETSEL, w.size(), w.size());
}

std::pair<int, int> EditControl::selection() const {
  DWORD start = 0, end = 0;
  SendMessageW(m_hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

void EditControl::setSelection(int start, int length) { SendMessageW(m_hwnd, EM_SETSEL, start, start + length); }

bool EditControl::command(WPARAM wp) {
  if (HIWORD(wp) != EN_CHANGE) return false;
  if (!m_settingText && onChange) {
    auto handler = onChange;
    handler();
  }
  return true;
}

void EditControl::deleteWordBefore() {
  const auto [start, length] = selection();
  if (length == 0) SendMessageW(m_hwnd, EM_SETSEL, gui::wordStartBefore(text(), start), start);
  SendMessageW(m_hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

LRESULT CALLBACK EditControl::subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<EditControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT EditControl::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      m_swallowChar = false;
      if (m_child && m_child->onKeyDown && m_child->onKeyDown(static_cast<int>(wp), shiftNow())) {
        m_swallowChar = true;
        return 0;
      }
      break;
    case WM_CHAR: {
      if (std::exchange(m_swallowChar, false)) return 0;
      // One line: Enter, Escape and Tab type nothing (the control would only beep).
      if (wp == L'\r' || wp == L'\n' || wp == 27 || wp == L'\t') return 0;
      if (wp == kCtrlA) return SendMessageW(m_hwnd, EM_SETSEL, 0, -1), 0;
      if (wp == kCtrlBackspace) return deleteWordBefore(), 0;
      char16_t ch = static_cast<char16_t>(wp);
      if (m_child && m_child->onChar) {
        auto handler = m_child->onChar;
        handler(ch);
        if (ch == 0) return 0;
        wp = ch;
      }
      break;
    }
    default: break;
  }
  return CallWindowProcW(m_controlProc, m_hwnd, msg, wp, lp);
}

}  // namespace win32

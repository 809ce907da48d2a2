#include "platform/win32/win32_platform_win.h"

#include <cmath>
#include <tuple>

#include "base/cp1250.h"
#include "gui/timer.h"
#include "platform/win32/line_edit_win.h"
#include "platform/win32/message_window_win.h"
#include "platform/win32/native_child_win.h"
#include "platform/win32/rich_edit_win.h"
#include "platform/win32/system_libraries_win.h"
#include "platform/win32/tool_tip_win.h"
#include "platform/win32/win32_window_win.h"

namespace win32 {
namespace {

constexpr UINT kPostedTask = WM_APP + 1;  // lParam: a std::function<void()> the window owns


}  // namespace

// ---- text ----------------------------------------------------------------

GdiText::GdiText() : m_dc(CreateCompatibleDC(nullptr)) {}

GdiText::~GdiText() {
  for (auto& [key, f] : m_fonts) DeleteObject(f);
  DeleteDC(m_dc);
}

HFONT GdiText::fontFor(const gui::FontSpec& font, base::Scale scale) {
  // The font for the pixels it is drawn on: 96 DPI at 100 %, the scale's
  // DPI beyond, so that text on a 2× window is drawn with twice the pixels,
  // never enlarged.
  const double dpi = base::Scale::kBaseDpi * scale.percent / 100.0;
  const int height = -static_cast<int>(std::lround(font.size * dpi / 72.0));
  auto key = std::make_tuple(font.name, font.charset, height, font.bold);
  auto it = m_fonts.find(key);
  if (it != m_fonts.end()) return it->second;
  const std::wstring face = base::toWide(font.name);
  HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  m_fonts.emplace(key, handle);
  return handle;
}

gui::Size GdiText::measure(const gui::FontSpec& font, std::u16string_view text) {
  HGDIOBJ old = SelectObject(m_dc, fontFor(font));
  const std::wstring w = base::toWide(text);
  SIZE size{};
  GetTextExtentPoint32W(m_dc, w.c_str(), static_cast<int>(w.size()), &size);
  if (w.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(m_dc, &tm);
    size.cy = tm.tmHeight;
  }
  SelectObject(m_dc, old);
  return {size.cx, size.cy};
}

void GdiText::draw(gui::Surface& target, gui::Rect box, std::u16string_view text, const gui::FontSpec& font,
                   gui::Color color, base::Alignment alignment) {
  // Laid out in 100 % pixels, drawn in the target's own.
  box = target.scale()(box);
  const gui::Rect clip = box.intersect(target.deviceBounds());
  if (clip.empty() || text.empty()) return;
  // GDI draws into a DIB holding the pixels under the box, then they go back.
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = clip.w;
  bmi.bmiHeader.biHeight = -clip.h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return;
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < clip.h; ++y)
    std::copy_n(target.row(clip.y + y) + clip.x, clip.w, px + static_cast<size_t>(y) * clip.w);
  HGDIOBJ oldBitmap = SelectObject(m_dc, dib);
  HGDIOBJ oldFont = SelectObject(m_dc, fontFor(font, target.scale()));
  SetBkMode(m_dc, TRANSPARENT);
  SetTextColor(m_dc, color.colorref());
  RECT r{box.x - clip.x, box.y - clip.y, box.x - clip.x + box.w, box.y - clip.y + box.h};
  const UINT align = alignment == base::Alignment::Right    ? DT_RIGHT
                     : alignment == base::Alignment::Center ? DT_CENTER
                                                            : DT_LEFT;
  const std::wstring w = base::toWide(text);
  DrawTextW(m_dc, w.c_str(), static_cast<int>(w.size()), &r, align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  GdiFlush();
  for (int y = 0; y < clip.h; ++y)
    for (int x = 0; x < clip.w; ++x) target.row(clip.y + y)[clip.x + x] = px[static_cast<size_t>(y) * clip.w + x] & 0x00FFFFFF;
  SelectObject(m_dc, oldFont);
  SelectObject(m_dc, oldBitmap);
  DeleteObject(dib);
}

// ---- platform ------------------------------------------------------------

Win32Platform::Win32Platform(HINSTANCE instance)
    : m_instance(instance), m_timerWindow(createMessageWindow(instance, L"PisarionTimers", timerProc, this)) {}

Win32Platform::~Win32Platform() { DestroyWindow(m_timerWindow); }

int Win32Platform::run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (Win32Window::translateShortcut(msg) || Win32Window::translateWheel(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// A screen pixel counts as many twips on every monitor, whatever its scale:
// the positions in the settings file are screen pixels times 15, as they
// always were, so a window saved on one monitor comes back to the same pixel
// however the monitors are scaled (one that is off every monitor now is
// brought back, as before).
int Win32Platform::twipsPerPixelX() const { return 1440 / base::Scale::kBaseDpi; }
int Win32Platform::twipsPerPixelY() const { return 1440 / base::Scale::kBaseDpi; }

gui::Size Win32Platform::screenSize() const { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

gui::Rect Win32Platform::workArea() const {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

gui::Point Win32Platform::cursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

std::optional<gui::ContrastColours> Win32Platform::highContrast() const {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) || !(hc.dwFlags & HCF_HIGHCONTRASTON))
    return std::nullopt;
  const auto sys = [](int index) { return base::Color::fromColorref(GetSysColor(index)); };
  return gui::ContrastColours{sys(COLOR_WINDOW),        sys(COLOR_WINDOWTEXT), sys(COLOR_HIGHLIGHT),
                              sys(COLOR_HIGHLIGHTTEXT), sys(COLOR_BTNFACE),    sys(COLOR_BTNTEXT)};
}

base::DateTime Win32Platform::now() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {{t.wYear, t.wMonth, t.wDay}, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void Win32Platform::messageBox(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon) {
  const UINT iconFlag = icon == gui::MessageIcon::Critical      ? MB_ICONERROR
                        : icon == gui::MessageIcon::Information ? MB_ICONINFORMATION
                                                                : MB_ICONEXCLAMATION;
  const UINT flags = MB_OK | MB_SETFOREGROUND | iconFlag;
  MessageBoxW(GetActiveWindow(), base::toWide(text).c_str(), base::toWide(caption).c_str(), flags);
}

bool Win32Platform::askYesNo(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon,
                             gui::DefaultAnswer byDefault) {
  const UINT flags = MB_YESNO | (byDefault == gui::DefaultAnswer::Yes ? MB_DEFBUTTON1 : MB_DEFBUTTON2) |
                     MB_SETFOREGROUND |
                     (icon == gui::MessageIcon::Critical ? MB_ICONERROR : MB_ICONEXCLAMATION);
  return MessageBoxW(GetActiveWindow(), base::toWide(text).c_str(), base::toWide(caption).c_str(), flags) == IDYES;
}

gui::Rect Win32Platform::workAreaNearest(gui::Rect screen) const {
  const RECT r{screen.x, screen.y, screen.right(), screen.bottom()};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return workArea();
  const RECT& w = info.rcWork;
  return {w.left, w.top, w.right - w.left, w.bottom - w.top};
}

int Win32Platform::dpiAt(gui::Rect screen) const {
  // GetDpiForMonitor (Windows 8.1 and later) where there is one; before it
  // every monitor has the system's DPI.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = [] {
    HMODULE shcore = loadSystemLibrary(L"shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  const RECT r{screen.x, screen.y, screen.right(), screen.bottom()};
  HMONITOR monitor = screen.empty() ? MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)
                                    : MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
  UINT x = 0, y = 0;
  if (getDpiForMonitor && monitor && SUCCEEDED(getDpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && y > 0)
    return static_cast<int>(y);
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : base::Scale::kBaseDpi;
}

std::unique_ptr<gui::FormPeer> Win32Platform::createPeer(gui::Form& form) {
  return std::make_unique<Win32Window>(m_instance, form);
}

void Win32Platform::addTimer(gui::Timer& timer) {
  const UINT_PTR id = m_nextTimerId++;
  m_timerIds[&timer] = id;
  m_timersById[id] = &timer;
  updateTimer(timer);
}

void Win32Platform::updateTimer(gui::Timer& timer) {
  auto it = m_timerIds.find(&timer);
  if (it == m_timerIds.end()) return;
  if (timer.running())
    SetTimer(m_timerWindow, it->second, static_cast<UINT>(timer.interval()), nullptr);
  else
    KillTimer(m_timerWindow, it->second);
}

void Win32Platform::removeTimer(gui::Timer& timer) {
  auto it = m_timerIds.find(&timer);
  if (it == m_timerIds.end()) return;
  KillTimer(m_timerWindow, it->second);
  m_timersById.erase(it->second);
  m_timerIds.erase(it);
}

LRESULT CALLBACK Win32Platform::timerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
      auto it = self->m_timersById.find(wp);
      if (it != self->m_timersById.end()) it->second->fire();
    }
    return 0;
  }
  if (msg == kPostedTask) {
    const std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lp));
    if (task && *task) (*task)();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

gui::HostedEditor Win32Platform::createEditor(gui::Form& form, gui::Rect rect) {
  rect = form.scale()(rect);
  RECT r{rect.x, rect.y, rect.right(), rect.bottom()};
  std::unique_ptr<RichEditEditor> editor = RichEditEditor::create(windowOf(form), r);
  if (!editor) return {};
  auto window = std::make_unique<NativeChildWindow>(editor->hwnd(), RichEditEditor::handleNotify);
  window->onCommand = RichEditEditor::handleCommand;
  window->onLook = [ed = editor.get()](const gui::EditLook& look) { ed->applyLook(look); };
  editor->onRenewed = [child = window.get()](HWND fresh) { child->rebind(fresh); };
  return {std::move(editor), std::move(window)};
}

gui::HostedLineEdit Win32Platform::createLineEdit(gui::Form& form, gui::Rect rect, const gui::FieldLook& look) {
  HWND parent = windowOf(form);
  if (!parent) return {};
  rect = form.scale()(rect);
  return EditControl::create(parent, RECT{rect.x, rect.y, rect.right(), rect.bottom()}, look,
                             m_text.fontFor(look.font, form.scale()));
}

std::unique_ptr<gui::NativeToolTip> Win32Platform::createToolTip(gui::Form& form) {
  HWND hwnd = windowOf(form);
  return hwnd ? std::make_unique<ToolTipWindow>(hwnd) : nullptr;
}

void Win32Platform::quit(int exitCode) { PostQuitMessage(exitCode); }

void Win32Platform::post(std::function<void()> task) {
  auto owned = std::make_unique<std::function<void()>>(std::move(task));
  // Only a full message queue refuses it; the task is then dropped here.
  if (PostMessageW(m_timerWindow, kPostedTask, 0, reinterpret_cast<LPARAM>(owned.get()))) owned.release();
}

char16_t Win32Platform::decimalSeparator() const {
  wchar_t buf[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 0 && buf[0]) return static_cast<char16_t>(buf[0]);
  return u',';
}

HWND windowOf(const gui::Form& form) {
  Win32Window* w = Win32Window::of(form);
  return w ? w->hwnd() : nullptr;
}

}  // namespace win32

#include "e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <thread>
#include <unordered_set>

#include "base/date.h"
#include "gui/png.h"
#include "store/codec.h"
#include "store/file_io.h"

namespace e2e {

std::string todayKey() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return base::dateKey({t.wYear, t.wMonth, t.wDay});
}

Diary::Diary() : Diary(fs::temp_directory_path()) {}

Diary::Diary(const fs::path& parent) {
  static std::atomic<int> n{0};
  m_folder = parent / (L"Pisarion e2e " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n++));
  fs::remove_all(m_folder);
  fs::create_directories(m_folder);
  fs::copy_file(hostPath(PISARION_EXE), m_folder / L"Pisarion.exe");
}

Diary::~Diary() {
  if (running()) {
    TerminateProcess(m_process.hProcess, 1);
    WaitForSingleObject(m_process.hProcess, 5000);
  }
  if (m_process.hProcess) {
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }
  std::error_code ec;
  fs::remove_all(m_folder, ec);
}

void Diary::writeSettings(const store::Settings& s) {
  store::writeSettings(m_folder / L"Podatki.ini", s, {u','}, m_folder / L"ini.tmp");
}

store::Settings Diary::readSettings() const { return store::readSettings(m_folder / L"Podatki.ini", {u','}); }

std::optional<std::string> Diary::readFile(const fs::path& relative) const { return store::readFile(m_folder / relative); }

std::optional<std::string> Diary::decodedEntry(const std::string& key) const {
  auto bytes = store::readFile(entryFile(key));
  if (!bytes) return std::nullopt;
  store::Lines plain;
  store::transform(store::splitLines(*bytes), plain);
  return store::joinLines(plain);
}

void Diary::writeEntry(const std::string& key, const std::string& plainRtf) {
  fs::create_directories(m_folder / L"Podatki");
  store::Lines enc;
  store::transform(store::splitLines(plainRtf), enc);
  store::writeFilePlain(entryFile(key), store::joinLines(enc));
}

bool Diary::start(const std::wstring& arguments) {
  if (m_process.hProcess) {
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
    m_process = {};
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + (m_folder / L"Pisarion.exe").wstring() + L"\"";
  if (!arguments.empty()) cmd += L" " + arguments;
  // Wine has been seen to refuse a start outright, once in a full run on a
  // loaded machine: the program never ran. The refusal is printed with its
  // error and the start tried again, as a user would double-click again.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si, &m_process))
      return true;
    std::fprintf(stderr, "CreateProcess refused the diary (error %lu, try %d)\n", GetLastError(), attempt);
    Sleep(500);
  }
  return false;
}

HWND Diary::startUnlocked(const store::Settings& settings) {
  writeSettings(settings);
  if (!start() || !waitForWindow("frmGeslo")) return nullptr;
  typeText(std::wstring(settings.password.begin(), settings.password.end()));
  pressKey(VK_RETURN);
  return waitForWindow("frmMain");
}

HWND Diary::startMain(const std::wstring& arguments) {
  return start(arguments) ? waitForWindow("frmMain") : nullptr;
}

std::optional<DWORD> Diary::startAnother(int timeoutMs) const {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + (m_folder / L"Pisarion.exe").wstring() + L"\"";
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si, &pi))
    return std::nullopt;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, code);
  else GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return code == STILL_ACTIVE ? std::nullopt : std::optional<DWORD>(code);
}

bool Diary::running() const {
  return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

void Diary::kill() {
  if (!running()) return;
  TerminateProcess(m_process.hProcess, 9);
  WaitForSingleObject(m_process.hProcess, 10000);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  for (int waited = 0;; waited += 20) {
    if (condition()) return true;
    if (waited >= timeoutMs) return false;
    settle(20);
  }
}

std::optional<DWORD> Diary::waitForExit(int timeoutMs) {
  if (!m_process.hProcess) return std::nullopt;
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(m_process.hProcess, &code);
      return code;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(50);
  }
  return std::nullopt;
}


HWND Diary::window(const char* form) const {
  if (!m_process.hProcess) return nullptr;
  const std::string f(form);
  return winsupport::visibleWindowOf(m_process.dwProcessId, L"Pisarion." + std::wstring(f.begin(), f.end()));
}

HWND Diary::waitForWindow(const char* form, int timeoutMs) const {
  for (int waited = 0; waited < timeoutMs; waited += 100) {
    if (HWND h = window(form)) {
      settle(200);
      return h;
    }
    Sleep(100);
  }
  return nullptr;
}

HWND Diary::editor() const {
  HWND main = window("frmMain");
  return main ? FindWindowExW(main, nullptr, L"RICHEDIT50W", nullptr) : nullptr;
}

std::wstring Diary::editorText() const {
  HWND ed = editor();
  if (!ed) return L"<no editor>";
  wchar_t buf[8192] = {};
  SendMessageW(ed, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(buf));
  return buf;
}

HWND Diary::waitForMessageBox(int timeoutMs) const {
  for (int waited = 0; waited < timeoutMs; waited += 100) {
    if (HWND h = winsupport::visibleWindowOf(m_process.dwProcessId, L"#32770")) {
      settle(200);
      return h;
    }
    Sleep(100);
  }
  return nullptr;
}

std::wstring Diary::messageBoxText(HWND box) {
  wchar_t buf[512] = {};
  GetDlgItemTextW(box, 0xFFFF, buf, 512);  // the message's static control
  return buf;
}

void settle(int ms) {
  for (int waited = 0; waited < ms; waited += 20) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

void moveMouse(POINT p) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  settle(60);
}

void pointAt(HWND window, POINT client) {
  ClientToScreen(window, &client);
  moveMouse(client);
}

namespace {
void leftButton(DWORD flags, int settleMs) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
  settle(settleMs);
}
}  // namespace

void leftDown() { leftButton(MOUSEEVENTF_LEFTDOWN, 100); }
void leftUp() { leftButton(MOUSEEVENTF_LEFTUP, 150); }
void leftClick() {
  leftDown();
  leftButton(MOUSEEVENTF_LEFTUP, 200);
}

bool waitForChange(HWND window, const gui::Surface& before, int timeoutMs) {
  return waitUntil([&] { return !(screenshot(window) == before); }, timeoutMs);
}

bool clickAndWaitForChange(HWND window, POINT client, int timeoutMs) {
  const gui::Surface before = screenshot(window);
  click(window, client);
  return waitForChange(window, before, timeoutMs);
}

bool writeToday(const Diary& diary, HWND main, const std::wstring& text) {
  click(main, kInEditor);
  typeText(text);
  return waitUntil([&] { return diary.editorText().find(text) != std::wstring::npos; });
}

void closeDiary(Diary& diary) {
  PostMessageW(diary.window("frmMain"), WM_CLOSE, 0, 0);
  ASSERT_EQ(diary.waitForExit(), 0u);
}

void click(HWND window, POINT client) {
  ClientToScreen(window, &client);
  moveMouse(client);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in[0], sizeof(INPUT));
  settle(60);
  SendInput(1, &in[1], sizeof(INPUT));
  settle(150);
}

void typeText(const std::wstring& text) {
  for (wchar_t ch : text) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = ch;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    settle(30);
  }
  settle(200);
}

void turnWheel(int delta) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(delta);
  SendInput(1, &in, sizeof(INPUT));
}

void pressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  settle(250);
}

void pressCtrlKey(WORD vk) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[2].ki.wVk = vk;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  settle(250);
}

gui::Surface paintedByGdi(int w, int h, const std::function<void(HDC)>& paint) {
  gui::Surface out(std::max(w, 0), std::max(h, 0));
  if (w <= 0 || h <= 0) return out;
  HDC mem = CreateCompatibleDC(nullptr);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  paint(mem);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.row(y)[x] = px[static_cast<size_t>(y) * w + x] & 0x00FFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return out;
}

gui::Surface screenshot(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  gui::Surface out = paintedByGdi(r.right - r.left, r.bottom - r.top, [&](HDC mem) {
    BitBlt(mem, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  });
  ReleaseDC(nullptr, screen);
  return out;
}

::testing::AssertionResult showsFace(HWND window, const gui::Surface& atlas, POINT at, gui::Rect face, int width) {
  const gui::Surface s = screenshot(window);
  for (int y = 0; y < face.h; ++y)
    for (int x = 0; x < width && x < face.w; ++x) {
      const gui::Color want = atlas.pixel(face.x + x, face.y + y);
      if (want != base::kKeyColor && s.pixel(at.x + x, at.y + y) != want)
        return ::testing::AssertionFailure() << "first difference at (" << at.x + x << ", " << at.y + y << "): "
                                             << std::hex << s.pixel(at.x + x, at.y + y).value << " instead of " << want.value;
    }
  return ::testing::AssertionSuccess();
}

fs::path saveScreenshot(HWND window, const std::string& name) {
  const fs::path dir = hostPath(PISARION_SCREENSHOTS);
  fs::create_directories(dir);
  const fs::path file = dir / (name + ".png");
  gui::writePng(screenshot(window), file);
  return file;
}

gui::Surface cut(const gui::Surface& from, gui::Rect rect) {
  gui::Surface out(rect.w, rect.h);
  out.blit(from, rect, {0, 0});
  return out;
}

gui::Surface bilinear(const gui::Surface& from, int w, int h) {
  gui::Surface out(w, h);
  const int sw = from.deviceWidth(), sh = from.deviceHeight();
  if (sw == 0 || sh == 0) return out;
  // Where a pixel's centre falls in the source: its two neighbours there and
  // how far it lies between them.
  struct Tap { int a, b; double f; };
  auto tap = [](int i, int n, int to) {
    const double at = std::clamp((i + 0.5) * n / to - 0.5, 0.0, n - 1.0);
    const int a = static_cast<int>(at);
    return Tap{a, std::min(a + 1, n - 1), at - a};
  };
  for (int y = 0; y < h; ++y) {
    const Tap ty = tap(y, sh, h);
    for (int x = 0; x < w; ++x) {
      const Tap tx = tap(x, sw, w);
      uint32_t pixel = 0;
      for (int shift : {0, 8, 16}) {
        auto c = [&](int px, int py) { return (from.row(py)[px] >> shift) & 0xFF; };
        const double top = c(tx.a, ty.a) * (1 - tx.f) + c(tx.b, ty.a) * tx.f;
        const double bottom = c(tx.a, ty.b) * (1 - tx.f) + c(tx.b, ty.b) * tx.f;
        pixel |= static_cast<uint32_t>(std::lround(top * (1 - ty.f) + bottom * ty.f)) << shift;
      }
      out.row(y)[x] = pixel;
    }
  }
  return out;
}

double paletteShare(const gui::Surface& picture, const gui::Surface& palette) {
  const size_t n = static_cast<size_t>(palette.deviceWidth()) * palette.deviceHeight();
  const std::unordered_set<uint32_t> colours(palette.data(), palette.data() + n);
  const size_t total = static_cast<size_t>(picture.deviceWidth()) * picture.deviceHeight();
  const auto in = std::count_if(picture.data(), picture.data() + total, [&](uint32_t c) { return colours.count(c); });
  return total ? static_cast<double>(in) / total : 0.0;
}

double meanEdgeWidth(const gui::Surface& picture) {
  const int w = picture.deviceWidth(), h = picture.deviceHeight();
  auto brightness = [](uint32_t c) { return 0.2126 * (c >> 16 & 0xFF) + 0.7152 * (c >> 8 & 0xFF) + 0.0722 * (c & 0xFF); };
  // The paper is the commonest colour, the ink the darkest: each pixel's
  // ink, 0 on the paper and 1 at the darkest.
  std::map<uint32_t, int> counts;
  double darkest = 255;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      ++counts[picture.row(y)[x]];
      darkest = std::min(darkest, brightness(picture.row(y)[x]));
    }
  if (counts.empty()) return std::numeric_limits<double>::quiet_NaN();
  const double paper =
      brightness(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first);
  if (paper - darkest < 1) return std::numeric_limits<double>::quiet_NaN();
  auto ink = [&](int x, int y) { return (paper - brightness(picture.row(y)[x])) / (paper - darkest); };
  // The first line: the first run of rows holding any pixel off the paper.
  auto inked = [&](int y) {
    for (int x = 0; x < w; ++x)
      if (ink(x, y) > 0.1) return true;
    return false;
  };
  int y = 0;
  while (y < h && !inked(y)) ++y;
  int between = 0, edges = 0;
  for (; y < h && inked(y); ++y)
    for (int x = 0; x < w; ++x) {
      const double t = ink(x, y);
      between += t > 0.1 && t < 0.9;
      edges += x + 1 < w && (t <= 0.1) != (ink(x + 1, y) <= 0.1);
    }
  return edges ? static_cast<double>(between) / edges : std::numeric_limits<double>::quiet_NaN();
}

HWND visibleToolTip() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND h, LPARAM out) {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (IsWindowVisible(h) && std::wstring(cls) == L"tooltips_class32") *reinterpret_cast<HWND*>(out) = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace e2e

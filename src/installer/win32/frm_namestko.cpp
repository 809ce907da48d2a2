#include "frm_namestko.h"

#include "installer/installer.h"
#include "windows_operations.h"

namespace installer {

namespace {

constexpr wchar_t kWindowClass[] = L"Namestko.frmNamestko";
constexpr wchar_t kProgressClass[] = L"Namestko.PicPotekOzadje";
constexpr wchar_t kCaption[] = L"Tarnwick Namestko";

constexpr int kTwipsPerPixel = 15;
// Client layout in pixels.
constexpr int kClientWidth = 400;
constexpr int kLine1Top = 168;  // the window ends here until the installation starts
constexpr int kFrameTwips = 3765;
constexpr int kFrameWidth = kFrameTwips / kTwipsPerPixel;
constexpr int kFrameHeight = 22;
constexpr int kFrameLeft = (kClientWidth - kFrameWidth) / 2;
constexpr int kFrameTop = kLine1Top + 16;
constexpr int kFrameBorder = 2;  // the sunken edge: 60 twips of the frame's width together
constexpr int kTallHeight = kFrameTop + 600 / kTwipsPerPixel;

enum ControlId { IdLabel1 = 100, IdLabel4, IdText1, IdProgress };
// Posted to the window of a copy with administrator rights: install now.
constexpr UINT kInstallNow = WM_APP + 1;
// Line1 and Line2, the separators above and below the progress part, are
// drawn by the window itself: a shadow line with a light line under it.
constexpr int kLine1 = kLine1Top;
constexpr int kLine2 = kTallHeight - 2;

struct Window {
  HWND form = nullptr;
  HWND label1 = nullptr, label4 = nullptr, text1 = nullptr, ok = nullptr, cancel = nullptr;
  HWND progress = nullptr;
  HFONT font = nullptr;
  bool installing = false;
  // The progress bar: the filled part's width in twips, and Label2's caption,
  // which the filled part repeats in white (Label3).
  double filledTwips = 0;
  std::wstring label2;
  int percent = 0;  // the last progress shown
  WindowsOperations ops;
  MessageBoxUser user;
  std::optional<std::wstring> folder;  // given on the command line
  int exitCode = 1;
};

Window g;

void setLabel2(const std::wstring& caption) {
  g.label2 = caption;
  InvalidateRect(g.progress, nullptr, FALSE);
}

void repaint() {
  RedrawWindow(g.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void showProgress(int percent) {
  g.percent = percent;
  g.filledTwips = progressWidth(kFrameTwips, percent);
  setLabel2(progressText(percent));
  repaint();
}

void setClientHeight(int height) {
  RECT r{0, 0, kClientWidth, height};
  AdjustWindowRectEx(&r, GetWindowLongW(g.form, GWL_STYLE), FALSE, GetWindowLongW(g.form, GWL_EXSTYLE));
  SetWindowPos(g.form, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Label2 black on white over the whole frame, then Label3 white on black
// clipped to the filled part, so the text reads inverted where the bar is.
void paintProgress(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, r.right, r.bottom);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  HGDIOBJ oldFont = SelectObject(mem, g.font);
  SetBkMode(mem, TRANSPARENT);

  FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT edge = r;
  DrawEdge(mem, &edge, EDGE_SUNKEN, BF_RECT);
  RECT inner{kFrameBorder, kFrameBorder, r.right - kFrameBorder, r.bottom - kFrameBorder};
  SetTextColor(mem, RGB(0, 0, 0));
  DrawTextW(mem, g.label2.c_str(), -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

  const int filled = static_cast<int>(g.filledTwips / kTwipsPerPixel);
  if (filled > 0) {
    RECT bar{inner.left, inner.top, inner.left + filled, inner.bottom};
    FillRect(mem, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HRGN clip = CreateRectRgnIndirect(&bar);
    SelectClipRgn(mem, clip);
    SetTextColor(mem, RGB(255, 255, 255));
    DrawTextW(mem, g.label2.c_str(), -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectClipRgn(mem, nullptr);
    DeleteObject(clip);
  }
  BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, oldFont);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK progressProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      paintProgress(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The window grows to show the progress part while the work runs, and
// shrinks back when the user stops it before anything was done.
void showInstalling(bool installing) {
  g.installing = installing;
  EnableWindow(g.ok, !installing);
  EnableWindow(g.cancel, !installing);
  SendMessageW(g.text1, EM_SETREADONLY, installing, 0);
  g.percent = 0;
  g.filledTwips = 0;
  setClientHeight(installing ? kTallHeight : kLine1Top);
  setLabel2(kPreparingText);
  repaint();
}

void ok_Click() {
  std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(g.text1)) + 1, L'\0');
  typed.resize(GetWindowTextW(g.text1, typed.data(), static_cast<int>(typed.size())));
  const std::wstring target = targetFolder(typed, g.ops);
  if (target.empty()) {  // nothing is touched until the folder makes sense
    g.user.answer(invalidFolderMessage(g.ops));
    SetFocus(g.text1);
    return;
  }
  showInstalling(true);
  // The work runs inside this click: the hourglass and the bar's text are
  // what the user sees of it.
  HCURSOR normal = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  const Outcome outcome = install(g.ops, g.user, target, showProgress);
  SetCursor(normal);
  if (outcome == Outcome::Cancelled) {
    showInstalling(false);
    SetFocus(g.text1);
    return;
  }
  g.exitCode = outcome == Outcome::Done || outcome == Outcome::HandedOver ? 0 : 1;
  DestroyWindow(g.form);
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, g.form,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(g.font), FALSE);
  return c;
}

void Form_Load() {
  g.label1 = child(L"STATIC", questionText().c_str(), SS_LEFT | SS_NOPREFIX, 20, 16, 360, 72, IdLabel1);
  g.label4 = child(L"STATIC", L"Pot:", SS_LEFT, 20, 99, 30, 18, IdLabel4);
  const std::wstring folder = g.folder ? *g.folder : proposedFolder(g.ops);
  g.text1 = child(L"EDIT", folder.c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 56, 96, 324, 22, IdText1);
  SendMessageW(g.text1, EM_SETLIMITTEXT, MAX_PATH - 40, 0);
  g.ops.owner = g.form;
  g.user.setOwner(g.form);
  g.ok = child(L"BUTTON", L"Da", WS_TABSTOP | BS_DEFPUSHBUTTON, 200, 130, 85, 26, IDOK);
  g.cancel = child(L"BUTTON", L"Ne", WS_TABSTOP | BS_PUSHBUTTON, 295, 130, 85, 26, IDCANCEL);
  g.progress = child(kProgressClass, L"", 0, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight, IdProgress);
  g.filledTwips = 0;
  setClientHeight(kLine1Top);
  SetFocus(g.ok);
  if (g.folder) PostMessageW(g.form, kInstallNow, 0, 0);
}

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      g.form = hwnd;
      Form_Load();
      return 0;
    case kInstallNow:
      if (!g.installing) ok_Click();
      return 0;
    case WM_COMMAND:
      if (g.installing) return 0;
      if (LOWORD(wp) == IDOK) ok_Click();
      if (LOWORD(wp) == IDCANCEL) DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      for (int y : {kLine1, kLine2}) {
        RECT shadow{0, y, kClientWidth, y + 1}, light{0, y + 1, kClientWidth, y + 2};
        FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (!g.installing) DestroyWindow(hwnd);  // half an installation is worse than none
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HFONT messageFont() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) return CreateFontIndirectW(&m.lfMessageFont);
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

int runSetupWindow(HINSTANCE instance, int show, const std::optional<std::wstring>& folder) {
  g.folder = folder;
  g.font = messageFont();

  WNDCLASSW progress{};
  progress.lpfnWndProc = progressProc;
  progress.hInstance = instance;
  progress.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  progress.lpszClassName = kProgressClass;
  RegisterClassW(&progress);

  WNDCLASSW form{};
  form.lpfnWndProc = formProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kWindowClass;
  RegisterClassW(&form);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, kClientWidth, kTallHeight};
  AdjustWindowRect(&r, style, FALSE);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  HWND hwnd = CreateWindowExW(0, kWindowClass, kCaption, style, x, y, r.right - r.left, r.bottom - r.top, nullptr,
                              nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd, &msg)) continue;  // Tab, Enter (Da) and Escape (Ne)
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(g.font);
  return g.exitCode;
}

}  // namespace installer

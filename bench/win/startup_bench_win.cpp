// Start-up and day-switch timings of the real program under Windows (or
// Wine), each as a ratio to a baseline measured in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/rich_edit_win.h"
#include "store/entries.h"
#include "store/file_io.h"

namespace fs = std::filesystem;

namespace {

fs::path hostPath(std::string p) {
  if (!p.empty() && p[0] == '/') {
    std::replace(p.begin(), p.end(), '/', '\\');
    p = "Z:" + p;
  }
  return fs::path(p);
}

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

HWND findVisible(DWORD pid, const wchar_t* cls) {
  struct S {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } s{pid, cls, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* st = reinterpret_cast<S*>(lp);
        DWORD p = 0;
        GetWindowThreadProcessId(h, &p);
        wchar_t c[128] = {};
        GetClassNameW(h, c, 128);
        if (p == st->pid && IsWindowVisible(h) && wcscmp(c, st->cls) == 0) {
          st->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Milliseconds from CreateProcess to the window being shown with nothing
// left to paint; the program is then closed.
double timeToFirstPaint(const fs::path& exe, const fs::path& folder, const wchar_t* windowClass) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  const double t0 = nowMs();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return -1;
  double t1 = -1;
  HWND hwnd = nullptr;
  while (nowMs() - t0 < 30000) {
    if (!hwnd) hwnd = findVisible(pi.dwProcessId, windowClass);
    if (hwnd && !GetUpdateRect(hwnd, nullptr, FALSE)) {
      t1 = nowMs();
      break;
    }
    Sleep(1);
  }
  if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return t1 < 0 ? -1 : t1 - t0;
}

double timeEach(int runs, const std::function<void(int)>& f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const double a = nowMs();
    f(i);
    t.push_back(nowMs() - a);
  }
  return median(t);
}

void report(const char* what, const char* baseline, double ms, double baseMs) {
  std::printf("%-44s %9.2f ms   %-32s %9.2f ms   ratio %6.2f\n", what, ms, baseline, baseMs, baseMs > 0 ? ms / baseMs : 0);
}

}  // namespace

int main() {
  const fs::path work = fs::temp_directory_path() / L"pisarion-bench-win";
  fs::remove_all(work);
  fs::create_directories(work / L"diary");
  fs::create_directories(work / L"empty");
  fs::copy_file(hostPath(PISARION_EXE), work / L"diary" / L"Pisarion.exe");
  fs::copy_file(hostPath(EMPTY_WINDOW_EXE), work / L"empty" / L"EmptyWindow.exe");

  // Start-up: alternate the two programs so that both see the same machine.
  constexpr int kRuns = 5;
  std::vector<double> diary, empty;
  for (int i = 0; i < kRuns; ++i) {
    empty.push_back(timeToFirstPaint(work / L"empty" / L"EmptyWindow.exe", work / L"empty", L"Pisarion.EmptyWindow"));
    diary.push_back(timeToFirstPaint(work / L"diary" / L"Pisarion.exe", work / L"diary", L"Pisarion.frmMain"));
  }
  report("start to first paint (Pisarion.exe)", "empty Win32 window", median(diary), median(empty));

  // Switching the editor to another day's entry of 20 KB and of 200 KB.
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
  auto editor = win32::RichEditEditor::create(parent, RECT{0, 0, 394, 494});
  if (!editor) return 1;
  store::DiaryStore st(work / L"entries");
  st.ensureDataFolder();
  for (const int kb : {20, 200}) {
    std::u16string text;
    while (text.size() < kb * 1024u) text += u"Danes sem hodil po gozdu in videl srno, čudovito! \r";
    for (const char* key : {"12-05-2026", "12-06-2026"}) {
      editor->setText(text);
      editor->setSelection(0, 500);
      editor->setSelBold(true);
      st.Save(key, *editor->richText());
    }
    const int runs = kb > 100 ? 3 : 9;
    const double load =
        timeEach(runs, [&](int i) { editor->setRichText(st.Load(i % 2 ? "12-05-2026" : "12-06-2026").rtf); });
    const double raw = timeEach(runs, [&](int i) {
      auto bytes = store::readFile(st.entryFile(i % 2 ? "12-05-2026" : "12-06-2026"));
      if (!bytes || bytes->empty()) std::puts("raw read failed");
    });
    const auto size = fs::file_size(st.entryFile("12-05-2026"));
    const std::string what = "switch editor to a " + std::to_string(size / 1024) + " KB entry";
    report(what.c_str(), "raw read of the entry file", load, raw);
  }
  DestroyWindow(parent);
  fs::remove_all(work);
  return 0;
}

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
#include "support/windows_win.h"

namespace fs = std::filesystem;
using winsupport::hostPath;

namespace {

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Milliseconds from CreateProcess to the window being shown with nothing
// left to paint; the program is then closed.
double timeToFirstPaint(const fs::path& exe, const fs::path& folder, const wchar_t* windowClass,
                        const wchar_t* args = L"") {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe.wstring() + L"\" " + args;
  Sleep(500);  // the previous program's leaving settles first
  const double t0 = nowMs();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return -1;
  double t1 = -1;
  HWND hwnd = nullptr;
  // Asking the window system many times a millisecond would slow the very
  // start it measures (under Wine every question waits its turn at the
  // server the starting program also needs): wait until the program first
  // waits for input, which comes after its first paint, then look.
  WaitForInputIdle(pi.hProcess, 30000);
  while (nowMs() - t0 < 30000) {
    if (!hwnd) hwnd = winsupport::visibleWindowOf(pi.dwProcessId, windowClass);
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

// With the argument "start" only the start-up is measured, of the program
// given as the second argument when there is one.
int main(int argc, char** argv) {
  const bool startOnly = argc > 1 && std::string(argv[1]) == "start";
  const fs::path work = fs::temp_directory_path() / L"pisarion-bench-win";
  fs::remove_all(work);
  fs::create_directories(work / L"diary");
  fs::create_directories(work / L"empty");
  fs::copy_file(hostPath(argc > 2 ? argv[2] : PISARION_EXE), work / L"diary" / L"Pisarion.exe");
  fs::copy_file(hostPath(EMPTY_WINDOW_EXE), work / L"empty" / L"EmptyWindow.exe");

  // Start-up: alternate the programs so that all see the same machine.
  constexpr int kRuns = 9;
  std::vector<double> diary, empty, floor;
  const fs::path emptyExe = work / L"empty" / L"EmptyWindow.exe";
  for (int i = 0; i < kRuns; ++i) {
    empty.push_back(timeToFirstPaint(emptyExe, work / L"empty", L"Pisarion.EmptyWindow"));
    floor.push_back(timeToFirstPaint(emptyExe, work / L"empty", L"Pisarion.EmptyWindow", L"editor"));
    diary.push_back(timeToFirstPaint(work / L"diary" / L"Pisarion.exe", work / L"diary", L"Pisarion.frmMain"));
  }
  report("start to first paint (Pisarion.exe)", "empty Win32 window", median(diary), median(empty));
  report("start to first paint (Pisarion.exe)", "the same with an editor, taskbar", median(diary), median(floor));
  if (startOnly) {
    fs::remove_all(work);
    return 0;
  }

  // Day switches in a shown editor: to a big day from a small one and away
  // from it again, each against streaming the same rich text into a fresh
  // control (the least Wine's RichEdit takes for that text).
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 500, nullptr, nullptr, nullptr,
                                nullptr);
  const RECT place{0, 0, 394, 494};
  auto editor = win32::RichEditEditor::create(parent, place);
  if (!editor) return 1;
  store::DiaryStore st(work / L"entries");
  st.ensureDataFolder();
  auto makeEntry = [&](const char* key, size_t bytes) {
    std::u16string text;
    while (text.size() < bytes) text += u"Danes sem hodil po gozdu in videl srno, čudovito! \r";
    editor->setText(text);
    editor->setSelection(0, 500);
    editor->setSelBold(true);
    st.Save(key, *editor->richText());
  };
  auto showDay = [&](win32::RichEditEditor& e, const char* key) {
    e.setRichText(st.Load(key).rtf);
    UpdateWindow(e.hwnd());
  };
  makeEntry("12-04-2026", 2 * 1024);
  double arrive[2] = {};
  for (const int kb : {23, 230}) {
    makeEntry("12-05-2026", kb * 1024u);
    const std::string rtf = st.Load("12-05-2026").rtf;
    const int runs = kb > 100 ? 3 : 7;
    std::vector<double> to, away, fresh;
    for (int i = 0; i < runs; ++i) {
      showDay(*editor, "12-04-2026");
      to.push_back(timeEach(1, [&](int) { showDay(*editor, "12-05-2026"); }));
      away.push_back(timeEach(1, [&](int) { showDay(*editor, "12-04-2026"); }));
      auto other = win32::RichEditEditor::create(parent, place);
      fresh.push_back(timeEach(1, [&](int) {
        other->setRichText(rtf);
        UpdateWindow(other->hwnd());
      }));
    }
    const auto size = fs::file_size(st.entryFile("12-05-2026"));
    const std::string what = "switch to a " + std::to_string(size / 1024) + " KB day";
    report(what.c_str(), "its text into a fresh control", median(to), median(fresh));
    report("switch away from it (to a 2 KB day)", "the same fresh stream-in", median(away), median(fresh));
    arrive[kb > 100] = median(to);
  }
  std::printf("switch to 230 KB / switch to 23 KB: %.2f\n", arrive[0] > 0 ? arrive[1] / arrive[0] : 0);

  // An autosave of a 200 KB day (the control's rich text out, encoded and
  // replaced durably) against writing the same bytes durably.
  makeEntry("12-07-2026", 200 * 1024);
  editor->setModified(true);
  const std::string onDisk = *store::readFile(st.entryFile("12-07-2026"));
  const double autosave = timeEach(5, [&](int) { st.Save("12-07-2026", *editor->richText()); });
  const double durable =
      timeEach(5, [&](int) { store::writeFileAtomic(st.entryFile("12-06-2026"), onDisk, work / L"durable.tmp"); });
  const std::string what = "autosave of a " + std::to_string(onDisk.size() / 1024) + " KB day";
  report(what.c_str(), "the same bytes written durably", autosave, durable);
  DestroyWindow(parent);
  fs::remove_all(work);
  return 0;
}

// Idle CPU under Windows (or Wine) of the diary open (nothing hovered, then the
// pointer resting on a button) and folded into its mini clock, against a bare
// program with one 50 ms timer measured in the same run. Under Wine the times
// GetProcessTimes gives for another process lag, so the Linux host's own
// accounting (/proc through drive Z:) is read when there is one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "support/windows_win.h"

namespace fs = std::filesystem;
using winsupport::hostPath;

namespace {

constexpr int kMeasureMs = 30000;  // the host counts in 10 ms ticks

HWND waitForVisible(DWORD pid, const wchar_t* cls) {
  for (int waited = 0; waited < 30000; waited += 50) {
    if (HWND h = winsupport::visibleWindowOf(pid, cls)) return h;
    Sleep(50);
  }
  return nullptr;
}

// The host process whose command line names `exe` inside `folder`.
std::optional<fs::path> hostProcess(const fs::path& folder, const std::string& exe) {
  const std::string mark = folder.filename().string();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(L"Z:\\proc", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "cmdline", std::ios::binary);
    const std::string cmd{std::istreambuf_iterator<char>(in), {}};
    if (cmd.find(mark) != std::string::npos && cmd.find(exe) != std::string::npos) return entry.path();
  }
  return std::nullopt;
}

// Seconds of CPU: the host's user and system ticks, else GetProcessTimes.
double cpuSeconds(HANDLE process, const std::optional<fs::path>& host) {
  if (host) {
    std::ifstream in(*host / "stat");
    const std::string stat{std::istreambuf_iterator<char>(in), {}};
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string f;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i)
      if (i == 14 || i == 15) ticks += std::stod(f);
    return ticks / 100.0;
  }
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto secs = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7; };
  return secs(kernel) + secs(user);
}

double idlePercent(HANDLE process, const std::optional<fs::path>& host) {
  const double before = cpuSeconds(process, host);
  const ULONGLONG t0 = GetTickCount64();
  Sleep(kMeasureMs);
  const double after = cpuSeconds(process, host);
  return 100.0 * (after - before) / ((GetTickCount64() - t0) / 1000.0);
}

bool launch(const fs::path& exe, PROCESS_INFORMATION& pi) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  return CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, exe.parent_path().c_str(), &si,
                        &pi) != FALSE;
}

void end(PROCESS_INFORMATION& pi, HWND closeMe) {
  PostMessageW(closeMe, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// A left click at a client point, posted to the window as the system would send it.
void postClick(HWND w, int x, int y) {
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

int main() {
  const fs::path work = fs::temp_directory_path() / ("pisarion-idle-" + std::to_string(GetCurrentProcessId()));
  fs::remove_all(work);
  fs::create_directories(work);
  fs::copy_file(hostPath(PISARION_EXE), work / L"Pisarion.exe");
  fs::copy_file(hostPath(ONE_TIMER_EXE), work / L"OneTimer.exe");

  PROCESS_INFORMATION timer{};
  if (!launch(work / L"OneTimer.exe", timer)) return 1;
  HWND timerWindow = waitForVisible(timer.dwProcessId, L"Pisarion.OneTimer");
  Sleep(2000);
  const double baseline = idlePercent(timer.hProcess, hostProcess(work, "OneTimer.exe"));
  end(timer, timerWindow);

  PROCESS_INFORMATION diary{};
  if (!launch(work / L"Pisarion.exe", diary)) return 1;
  HWND main = waitForVisible(diary.dwProcessId, L"Pisarion.frmMain");
  if (!main) return 1;
  Sleep(2000);
  const std::optional<fs::path> host = hostProcess(work, "Pisarion.exe");
  const double open = idlePercent(diary.hProcess, host);
  // The pointer resting on the bold button: its tracking timer runs.
  RECT r{};
  GetWindowRect(main, &r);
  SetCursorPos(r.left + 60 + 15, r.top + 19 + 20);
  Sleep(2000);
  const double resting = idlePercent(diary.hProcess, host);
  SetCursorPos(r.left - 40, r.top + 200);
  postClick(main, 596 - 72 + 6, 5 + 6);  // the fold button
  HWND clock = waitForVisible(diary.dwProcessId, L"Pisarion.frmMini");
  if (!clock) return 1;
  Sleep(2000);
  const double folded = idlePercent(diary.hProcess, host);
  end(diary, clock);
  fs::remove_all(work);

  const char* by = host ? "the Linux host's accounting" : "GetProcessTimes";
  std::printf("idle CPU over %d s, by %s:\n", kMeasureMs / 1000, by);
  std::printf("  bare program, one 50 ms timer reading the pointer: %.2f %%\n", baseline);
  std::printf("  Pisarion.exe open, nothing hovered:               %.2f %%\n", open);
  std::printf("  Pisarion.exe open, pointer resting on a button:   %.2f %%  (ratio to the bare program %.2f)\n",
              resting, baseline > 0 ? resting / baseline : 0.0);
  std::printf("  Pisarion.exe folded into the mini clock:          %.2f %%  (ratio to the bare program %.2f)\n", folded,
              baseline > 0 ? folded / baseline : 0.0);
  return 0;
}

// Runs in another Wine prefix than the tests' own (its own wineserver, the
// nearest thing here to another account or computer on the same folder):
// starts Pisarion.exe in the folder given, answers its message boxes, and
// writes what it saw into the result file (UTF-8):
//   box: <a message box's text>       for each box, answered with OK
//   opened                            when its main window appeared (it is then ended)
//   exit: <the exit code>             last, once it has ended
//   usage <folder> <result file>
#include <windows.h>

#include <string>

#include "support/windows_win.h"

namespace {

std::string utf8(const std::wstring& w) {
  std::string out(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), static_cast<int>(out.size()), nullptr,
                      nullptr);
  return out;
}

std::wstring boxText(HWND box) {
  wchar_t buf[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, buf, 1024);
  return buf;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const std::wstring folder = argv[1];
  std::wstring cmd = L"\"" + folder + L"\\Pisarion.exe\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string seen;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    seen = "not started\n";
  } else {
    for (int waited = 0; waited < 60000 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; waited += 100) {
      if (HWND box = winsupport::visibleWindowOf(pi.dwProcessId, L"#32770")) {
        seen += "box: " + utf8(boxText(box)) + "\n";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box)) Sleep(50);
      } else if (winsupport::visibleWindowOf(pi.dwProcessId, L"Pisarion.frmMain")) {
        seen += "opened\n";
        TerminateProcess(pi.hProcess, 3);
      }
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    seen += "exit: " + std::to_string(code) + "\n";
  }
  HANDLE out = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(out, seen.data(), static_cast<DWORD>(seen.size()), &written, nullptr);
  CloseHandle(out);
  return 0;
}

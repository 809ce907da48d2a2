// The shell's shortcuts, the list of installed programs, a running diary,
// the message boxes, and the removal of Namestko.exe after it has ended.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include "windows_operations.h"

namespace installer {

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pisarion";

HKEY rootOf(Scope scope) { return scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Releases a COM interface when it goes out of scope.
template <class T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

bool sameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The path with short names made long, so that two spellings of one file compare equal.
std::wstring longPath(const std::wstring& path) {
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return path;
  buffer.resize(n);
  return buffer;
}

std::wstring fileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring readString(HKEY key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return {};
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS) return {};
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

bool setString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool setNumber(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

// The processes whose program file is `program`.
std::vector<DWORD> diaryProcesses(const std::wstring& program) {
  std::vector<DWORD> found;
  const std::wstring wanted = longPath(program);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (!sameText(entry.szExeFile, fileNameOf(program))) continue;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
    if (!process) continue;
    std::wstring image(32768, L'\0');
    DWORD size = static_cast<DWORD>(image.size());
    if (QueryFullProcessImageNameW(process, 0, image.data(), &size)) {
      image.resize(size);
      if (sameText(longPath(image), wanted)) found.push_back(entry.th32ProcessID);
    }
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return found;
}

// The window that closes the diary as its own close button does: the main
// window once it exists (saving today and the settings), else the login
// window of a diary still waiting for its password (which has nothing to save).
HWND closingWindow(DWORD process) {
  struct Search {
    DWORD process;
    HWND main = nullptr, login = nullptr;
  } search{process};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->process) return TRUE;
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (std::wstring(cls) == L"Pisarion.frmMain") s->main = hwnd;
        if (std::wstring(cls) == L"Pisarion.frmGeslo") s->login = hwnd;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.main ? search.main : search.login;
}

// Waits for the processes to end, keeping Namestko's own window painted.
void waitForEnd(std::vector<HANDLE>& processes, DWORD timeoutMs) {
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  while (!processes.empty() && GetTickCount64() < until) {
    const DWORD left = static_cast<DWORD>(until - GetTickCount64());
    const DWORD count = static_cast<DWORD>(processes.size());
    const DWORD r = MsgWaitForMultipleObjects(count, processes.data(), FALSE, left, QS_ALLINPUT);
    if (r < WAIT_OBJECT_0 + processes.size()) {
      CloseHandle(processes[r - WAIT_OBJECT_0]);
      processes.erase(processes.begin() + (r - WAIT_OBJECT_0));
      continue;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  for (HANDLE h : processes) CloseHandle(h);
}

// The whole file, read past a handle that may delete it when closed.
std::string readShared(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(file);
  return bytes;
}

}  // namespace

bool WindowsOperations::createShortcut(const std::wstring& file, const Shortcut& s) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))))
    return false;
  if (FAILED(link->SetPath(s.targetPath.c_str())) || FAILED(link->SetWorkingDirectory(s.workingDirectory.c_str())) ||
      FAILED(link->SetShowCmd(s.windowStyle)) || FAILED(link->SetIconLocation(s.iconPath.c_str(), s.iconIndex)) ||
      FAILED(link->SetDescription(L"Pisarion, dnevnik")))
    return false;
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)))) return false;
  return SUCCEEDED(persist->Save(file.c_str(), TRUE)) && exists(file);
}

std::optional<Registration> WindowsOperations::readRegistration(Scope scope) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(rootOf(scope), kUninstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  Registration r;
  r.displayName = readString(key, L"DisplayName");
  r.displayVersion = readString(key, L"DisplayVersion");
  r.publisher = readString(key, L"Publisher");
  r.displayIcon = readString(key, L"DisplayIcon");
  r.installLocation = readString(key, L"InstallLocation");
  r.uninstallString = readString(key, L"UninstallString");
  DWORD size = 0, bytes = sizeof size;
  if (RegGetValueW(key, nullptr, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr, &size, &bytes) == ERROR_SUCCESS)
    r.estimatedSizeKb = size;
  RegCloseKey(key);
  return r;
}

bool WindowsOperations::writeRegistration(Scope scope, const Registration& r) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(rootOf(scope), kUninstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok = setString(key, L"DisplayName", r.displayName) &&
                  setString(key, L"DisplayVersion", r.displayVersion) && setString(key, L"Publisher", r.publisher) &&
                  setString(key, L"DisplayIcon", r.displayIcon) &&
                  setString(key, L"InstallLocation", r.installLocation) &&
                  setString(key, L"UninstallString", r.uninstallString) &&
                  setNumber(key, L"EstimatedSize", r.estimatedSizeKb) &&
                  // Apps & features offers only removal: there is nothing to change or repair.
                  setNumber(key, L"NoModify", 1) && setNumber(key, L"NoRepair", 1);
  RegCloseKey(key);
  return ok;
}

bool WindowsOperations::removeRegistration(Scope scope) {
  const LSTATUS r = RegDeleteKeyW(rootOf(scope), kUninstallKey);
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

bool WindowsOperations::diaryRunning(const std::wstring& program) { return !diaryProcesses(program).empty(); }

bool WindowsOperations::closeDiary(const std::wstring& program) {
  std::vector<HANDLE> processes;
  for (DWORD id : diaryProcesses(program)) {
    if (HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, id)) processes.push_back(h);
    if (HWND window = closingWindow(id)) PostMessageW(window, WM_CLOSE, 0, 0);
  }
  // A diary that cannot save today asks its user first; the user's answer
  // may take a while.
  waitForEnd(processes, 20000);
  return diaryProcesses(program).empty();
}

bool MessageBoxUser::answer(const Message& m) {
  UINT flags = MB_SETFOREGROUND;
  switch (m.icon) {
    case Icon::Information: flags |= MB_ICONINFORMATION; break;
    case Icon::Question: flags |= MB_ICONQUESTION; break;
    case Icon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case Icon::Error: flags |= MB_ICONERROR; break;
  }
  switch (m.buttons) {
    case Buttons::Ok: flags |= MB_OK; break;
    case Buttons::OkCancel: flags |= MB_OKCANCEL; break;
    case Buttons::YesNo: flags |= MB_YESNO; break;
    case Buttons::YesNoDefaultNo: flags |= MB_YESNO | MB_DEFBUTTON2; break;
    case Buttons::RetryCancel: flags |= MB_RETRYCANCEL; break;
  }
  const int r = MessageBoxW(m_owner, m.text.c_str(), kProgramTitle, flags);
  return r == IDOK || r == IDYES || r == IDRETRY;
}

// A copy of Namestko in the user's own temporary folder waits for this one
// to end, removes its file and the emptied folder, and ends; Windows removes
// the copy itself when it ends, as the handle it inherits asks.
bool WindowsOperations::removeWhenEnded(const std::wstring& file, const std::wstring& folder) {
  wchar_t temp[MAX_PATH + 1] = {};
  if (!GetTempPathW(MAX_PATH + 1, temp)) return false;
  const std::wstring self = selfPath();
  std::wstring copy;
  for (int attempt = 0; attempt < 10 && copy.empty(); ++attempt) {
    const std::wstring name = std::wstring(temp) + L"Namestko-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64() + attempt) + L".exe";
    if (CopyFileW(self.c_str(), name.c_str(), TRUE)) copy = name;  // never over a file already there
  }
  if (copy.empty()) return false;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE keep = CreateFileW(copy.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited, OPEN_EXISTING,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (keep == INVALID_HANDLE_VALUE) {
    DeleteFileW(copy.c_str());
    return false;
  }
  // Nobody can write the copy from here on; it must be this very program.
  HANDLE me = nullptr;
  bool started = false;
  if (readShared(copy) == readShared(self) &&
      DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &me, SYNCHRONIZE, TRUE, 0)) {
    const std::wstring handle = std::to_wstring(reinterpret_cast<uintptr_t>(me));
    std::wstring command =
        quoted(copy) + L" " + kCleanUpSwitch + L" " + handle + L" " + quoted(file) + L" " + quoted(folder);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    started =
        CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, system, &startup, &process);
    if (started) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(me);
  }
  CloseHandle(keep);  // the copy's own inherited handle keeps it while it runs
  return started;
}

int cleanUpAfterRemoval(const std::vector<std::wstring>& arguments) {
  if (arguments.size() != 4) return 1;
  const std::wstring& file = arguments[2];
  const std::wstring& folder = arguments[3];
  // Only ever the Namestko.exe of the folder it was given.
  const size_t slash = file.find_last_of(L'\\');
  if (slash == std::wstring::npos || !sameText(file.substr(slash + 1), kSetupFile) ||
      !sameText(file.substr(0, slash), folder))
    return 1;
  HANDLE removing = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(wcstoull(arguments[1].c_str(), nullptr, 10)));
  WaitForSingleObject(removing, 60000);
  CloseHandle(removing);
  // Windows lets go of a program's file a moment after the program ended.
  for (int attempt = 0; attempt < 50 && !DeleteFileW(file.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND; ++attempt)
    Sleep(100);
  RemoveDirectoryW(folder.c_str());  // only when nothing else is left in it
  return 0;
}

}  // namespace installer

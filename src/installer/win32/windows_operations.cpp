#include "windows_operations.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace installer {

namespace {

bool isFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Releases a COM interface when it goes out of scope.
template <class T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

}  // namespace

std::wstring WindowsOperations::windowsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

std::wstring WindowsOperations::expandEnvironment(const std::wstring& text) {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring out(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
  if (written == 0 || written > needed) return text;
  out.resize(written - 1);
  return out;
}

bool WindowsOperations::exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WindowsOperations::createFolder(const std::wstring& path) {
  std::wstring folder = path;
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  if (isFolder(folder)) return true;
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);  // with any missing parents
  return isFolder(folder);
}

bool WindowsOperations::copyFile(const std::wstring& from, const std::wstring& to) {
  if (!isFile(from)) return false;
  // The shell wants lists of names, each ended by a null, the list by another.
  std::wstring source = from + L'\0';
  std::wstring target = to + L'\0';
  SHFILEOPSTRUCTW op{};
  op.hwnd = nullptr;
  op.wFunc = FO_COPY;
  op.pFrom = source.c_str();
  op.pTo = target.c_str();
  // Undo allowed, no questions; failures come back to us and are told in
  // the installer's own final message rather than in a shell box.
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI;
  const int result = SHFileOperationW(&op);
  return result == 0 && !op.fAnyOperationsAborted && isFile(to);
}

bool WindowsOperations::writeNewFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!ok) DeleteFileW(path.c_str());  // no half a settings file
  return ok;
}

std::wstring WindowsOperations::specialFolder(SpecialFolder folder) {
  wchar_t buffer[MAX_PATH] = {};
  const int csidl = folder == SpecialFolder::Desktop ? CSIDL_DESKTOPDIRECTORY : CSIDL_PROGRAMS;
  if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

// The shell's own link object writes the same .lnk file a script host would.
bool WindowsOperations::createShortcut(const std::wstring& file, const Shortcut& s) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))))
    return false;
  if (FAILED(link->SetPath(s.targetPath.c_str())) || FAILED(link->SetWorkingDirectory(s.workingDirectory.c_str())) ||
      FAILED(link->SetShowCmd(s.windowStyle)) || FAILED(link->SetIconLocation(s.iconPath.c_str(), s.iconIndex)))
    return false;
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)))) return false;
  return SUCCEEDED(persist->Save(file.c_str(), TRUE)) && isFile(file);
}

}  // namespace installer

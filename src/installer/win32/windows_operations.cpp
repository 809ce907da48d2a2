// Namestko itself (the program it carries, its digest, its rights) and the
// files and folders it writes and removes.
#include "windows_operations.h"

#include <bcrypt.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>

#include "store/file_io.h"

namespace installer {

namespace {

std::wstring knownFolder(REFKNOWNFOLDERID id, DWORD flags = 0) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, flags, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

bool isFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool gone(const std::wstring& path) { return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES; }

std::string_view asText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The bytes of a resource of this program's own file.
std::span<const uint8_t> resource(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const uint8_t*>(data), SizeofResource(nullptr, found)};
}

// bcrypt.dll is not one of the libraries Windows always takes from its own
// folder, so it is loaded by hand from System32, never from beside Namestko.
struct Cng {
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  decltype(&BCryptCloseAlgorithmProvider) close = nullptr;
  decltype(&BCryptHash) hash = nullptr;

  Cng() {
    HMODULE dll = LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dll) return;
    load(dll, open, "BCryptOpenAlgorithmProvider");
    load(dll, close, "BCryptCloseAlgorithmProvider");
    load(dll, hash, "BCryptHash");
  }
  template <class F>
  static void load(HMODULE dll, F& function, const char* name) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  }
  bool ready() const { return open && close && hash; }
};

// Removes a folder and what it holds. A link or junction inside is removed
// itself; what it points to is never entered.
bool removeTreeAt(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
      const bool isLink = found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(path.c_str());
      else if (isLink) RemoveDirectoryW(path.c_str());
      else removeTreeAt(path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
  return gone(folder);
}

}  // namespace

std::span<const uint8_t> WindowsOperations::payload() { return resource(L"PISARION"); }

std::string WindowsOperations::payloadSha256() {
  const std::string_view text = asText(resource(L"PISARION_SHA256"));
  return std::string(text.substr(0, 64));
}

std::string WindowsOperations::sha256(std::span<const uint8_t> bytes) {
  static const Cng cng;
  if (!cng.ready()) return {};
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (cng.open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) return {};
  UCHAR digest[32];
  const bool ok = cng.hash(algorithm, nullptr, 0, const_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(bytes.size()),
                           digest, sizeof digest) == 0;
  cng.close(algorithm, 0);
  if (!ok) return {};
  static const char hex[] = "0123456789abcdef";
  std::string text;
  for (UCHAR b : digest) {
    text += hex[b >> 4];
    text += hex[b & 15];
  }
  return text;
}

std::wstring WindowsOperations::selfPath() {
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(n);
  return buffer;
}

bool WindowsOperations::elevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  return ok && elevation.TokenIsElevated;
}

bool WindowsOperations::restartElevated(const std::vector<std::wstring>& arguments) {
  std::wstring parameters;
  for (const std::wstring& a : arguments) parameters += (parameters.empty() ? L"" : L" ") + quoted(a);
  const std::wstring file = selfPath();
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOASYNC;
  run.hwnd = owner;
  run.lpVerb = L"runas";  // Windows asks the user for the rights
  run.lpFile = file.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&run);
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

std::wstring WindowsOperations::specialFolder(SpecialFolder folder, Scope scope) {
  const bool all = scope == Scope::Machine;
  switch (folder) {
    case SpecialFolder::Desktop: return knownFolder(all ? FOLDERID_PublicDesktop : FOLDERID_Desktop, KF_FLAG_CREATE);
    case SpecialFolder::Programs: return knownFolder(all ? FOLDERID_CommonPrograms : FOLDERID_Programs, KF_FLAG_CREATE);
    case SpecialFolder::LocalAppData: return knownFolder(FOLDERID_LocalAppData);
    case SpecialFolder::RoamingAppData: return knownFolder(FOLDERID_RoamingAppData);
  }
  return {};
}

std::vector<std::wstring> WindowsOperations::programFilesFolders() {
  std::vector<std::wstring> folders;
  for (const std::wstring& f : {knownFolder(FOLDERID_ProgramFiles), knownFolder(FOLDERID_ProgramFilesX86)})
    if (!f.empty()) folders.push_back(f);
  return folders;
}

bool WindowsOperations::exists(const std::wstring& path) { return !gone(path); }

bool WindowsOperations::createFolder(const std::wstring& path) {
  if (isFolder(path)) return true;
  SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);  // with any missing parents
  return isFolder(path);
}

bool WindowsOperations::writeFile(const std::wstring& path, std::span<const uint8_t> bytes) {
  const std::filesystem::path target(path);
  const std::filesystem::path temp = target.parent_path() / (L"~" + target.filename().wstring() + L".novo");
  return store::writeFileAtomic(target, asText(bytes), temp);
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

bool WindowsOperations::copyFile(const std::wstring& from, const std::wstring& to) {
  const std::optional<std::string> bytes = store::readFile(std::filesystem::path(from));
  return bytes && writeFile(to, {reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()});
}

std::optional<uint64_t> WindowsOperations::fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WindowsOperations::removeFile(const std::wstring& path) {
  DeleteFileW(path.c_str());
  return gone(path);
}

bool WindowsOperations::removeTree(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return true;
  if (a & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveDirectoryW(path.c_str()) || gone(path);
  return removeTreeAt(path);
}

bool WindowsOperations::removeEmptyFolder(const std::wstring& path) {
  RemoveDirectoryW(path.c_str());  // refused while anything is inside
  return gone(path);
}

std::wstring quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');  // before the closing quote
  return out + L"\"";
}

}  // namespace installer

// The Save As dialog: GetSaveFileNameW, opening in the user's Documents folder.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "platform/win32/win32_platform_win.h"

namespace win32 {
namespace {

std::wstring documentsFolder() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

// "label\0*.ext\0" for each type, then one more \0.
std::wstring filterOf(const std::vector<gui::FileType>& types) {
  std::wstring filter;
  for (const gui::FileType& t : types) {
    filter += base::toWide(t.label);
    filter += L'\0';
    filter += L"*." + base::toWide(t.extension);
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

}  // namespace

std::optional<gui::SaveFileAnswer> Win32Platform::askSaveFile(gui::Form& owner, const gui::SaveFileRequest& request) {
  const std::wstring filter = filterOf(request.types);
  const std::wstring title = base::toWide(request.title);
  const std::wstring folder = documentsFolder();
  const std::wstring defaultExtension = request.types.empty() ? L"" : base::toWide(request.types.front().extension);
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring proposed = base::toWide(request.fileName);
  proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = windowOf(owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  const size_t type = ofn.nFilterIndex >= 1 ? ofn.nFilterIndex - 1 : 0;
  return gui::SaveFileAnswer{std::filesystem::path(std::wstring(file.data())), type};
}

}  // namespace win32

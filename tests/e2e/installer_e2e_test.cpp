// Namestko.exe run for real: the files an outer setup step leaves in the
// Windows TEMP folder are put there by the test, the user answers with the
// mouse and the keyboard, and the test reads what was installed.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "store/file_io.h"
#include "store/settings.h"

using namespace e2e;

namespace {

constexpr int kLabel1 = 100, kText1 = 102;

fs::path windowsFolder() {
  wchar_t buf[MAX_PATH] = {};
  GetWindowsDirectoryW(buf, MAX_PATH);
  return buf;
}

fs::path special(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf);
  return buf;
}

fs::path desktopLink() { return special(CSIDL_DESKTOPDIRECTORY) / L"Tarnwick Pisarion.lnk"; }
fs::path programsLink() { return special(CSIDL_PROGRAMS) / L"Tarnwick Pisarion.lnk"; }

std::wstring textOf(HWND h) {
  wchar_t buf[1024] = {};
  SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return buf;
}

// One run of the installer, with the setup files and a scratch target.
class Installation {
 public:
  Installation() {
    m_scratch = fs::temp_directory_path() / (L"Namestko e2e " + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(m_scratch);
    fs::create_directories(m_scratch);
    m_target = m_scratch / L"Moj Pisarion";
    removeOutputs();
    keepShortcutsInsideWine();
  }
  ~Installation() {
    if (m_process.hProcess) {
      if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 1);
      CloseHandle(m_process.hProcess);
      CloseHandle(m_process.hThread);
    }
    removeOutputs();
    std::error_code ec;
    fs::remove_all(m_scratch, ec);
    if (m_menuOverrideAdded) RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, kMenuBuilder);
  }

  fs::path temp(const wchar_t* name) const { return windowsFolder() / L"TEMP" / name; }
  const fs::path& target() const { return m_target; }

  // What the outer setup step leaves behind: the diary as PSR.EXE, its
  // settings, and a stand-in for the rich-text control (Wine has none).
  void placeSetupFiles() {
    fs::create_directories(windowsFolder() / L"TEMP");
    fs::copy_file(hostPath(PISARION_EXE), temp(L"PSR.EXE"), fs::copy_options::overwrite_existing);
    store::Settings s;
    s.top = 2220;
    s.left = 3000;
    s.password = u"žaba";
    ASSERT_TRUE(store::writeFilePlain(temp(L"Podatki.ini"), store::formatSettings(s, {u','})));
    ASSERT_TRUE(store::writeFilePlain(temp(L"RICHTX32.OCX"), "rich-text control stand-in"));
  }

  void start() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + hostPath(NAMESTKO_EXE).wstring() + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, m_scratch.c_str(), &si,
                               &m_process));
  }

  HWND waitFor(const wchar_t* cls, int timeoutMs = 20000) const {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
      if (HWND found = winsupport::visibleWindowOf(m_process.dwProcessId, cls)) {
        settle(300);
        return found;
      }
      Sleep(100);
    }
    return nullptr;
  }

  std::optional<DWORD> waitForExit(int timeoutMs = 20000) const {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
      DWORD code = 0;
      if (WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0 && GetExitCodeProcess(m_process.hProcess, &code))
        return code;
    }
    return std::nullopt;
  }

 private:
  static constexpr wchar_t kOverrides[] = L"Software\\Wine\\DllOverrides";
  static constexpr wchar_t kMenuBuilder[] = L"winemenubuilder.exe";

  // Under Wine the shell mirrors every new shortcut into the host's desktop
  // menus; for the test's run its menu builder is switched off.
  void keepShortcutsInsideWine() {
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
    if (RegGetValueW(HKEY_CURRENT_USER, kOverrides, kMenuBuilder, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS)
      return;
    m_menuOverrideAdded =
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, kMenuBuilder, REG_SZ, L"", sizeof(wchar_t)) == ERROR_SUCCESS;
  }

  void removeOutputs() {
    std::error_code ec;
    for (const wchar_t* n : {L"PSR.EXE", L"Podatki.ini", L"RICHTX32.OCX"}) fs::remove(temp(n), ec);
    fs::remove(windowsFolder() / L"SYSTEM" / L"RICHTX32.OCX", ec);
    fs::remove(desktopLink(), ec);
    fs::remove(programsLink(), ec);
  }

  fs::path m_scratch, m_target;
  PROCESS_INFORMATION m_process{};
  bool m_menuOverrideAdded = false;
};

// Clicks a child control in its middle.
void clickControl(HWND form, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ScreenToClient(form, &p);
  click(form, p);
}

// Selects the whole folder box with Home and Shift+End and types over it.
void replaceFolderText(HWND form, const std::wstring& text) {
  clickControl(form, GetDlgItem(form, kText1));
  pressKey(VK_HOME);
  INPUT in[4] = {};
  for (auto& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_SHIFT;
  in[1].ki.wVk = in[2].ki.wVk = VK_END;
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = VK_SHIFT;
  in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  settle(200);
  typeText(text);
}

struct Link {
  std::wstring path, workingDirectory, iconPath;
  int showCmd = -1, iconIndex = -1;
};

std::optional<Link> readLink(const fs::path& file) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return std::nullopt;
  std::optional<Link> out;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
      Link l;
      wchar_t buf[MAX_PATH] = {};
      link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH);
      l.path = buf;
      link->GetWorkingDirectory(buf, MAX_PATH);
      l.workingDirectory = buf;
      link->GetIconLocation(buf, MAX_PATH, &l.iconIndex);
      l.iconPath = buf;
      link->GetShowCmd(&l.showCmd);
      out = l;
    }
    persist->Release();
  }
  link->Release();
  return out;
}

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
};

}  // namespace

TEST(InstallerEndToEnd, InstallsIntoTheChosenFolderWithDataFolderSettingsAndShortcuts) {
  ComScope com;
  Installation setup;
  setup.placeSetupFiles();
  setup.start();
  HWND form = setup.waitFor(L"Namestko.frmNamestko");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(textOf(GetDlgItem(form, kLabel1)),
            L"Tarnwick Namestko bo v vaš računalnik namestil \r\nTarnwick Pisarion 1.0.31.\r\n\r\nŽelite nadaljevati?");
  EXPECT_EQ(textOf(GetDlgItem(form, kText1)), L"c:\\Program Files\\Pisarion");
  EXPECT_EQ(textOf(GetDlgItem(form, IDOK)), L"Da");
  EXPECT_EQ(textOf(GetDlgItem(form, IDCANCEL)), L"Ne");
  RECT shortRect{};
  GetClientRect(form, &shortRect);
  saveScreenshot(form, "installer-1-question");

  replaceFolderText(form, setup.target().wstring());
  EXPECT_EQ(textOf(GetDlgItem(form, kText1)), setup.target().wstring());
  saveScreenshot(form, "installer-2-folder");

  clickControl(form, GetDlgItem(form, IDOK));
  HWND box = setup.waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  RECT tallRect{};
  GetClientRect(form, &tallRect);
  EXPECT_GT(tallRect.bottom, shortRect.bottom);  // the progress part came into view
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(form, IDOK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(form, IDCANCEL)));
  saveScreenshot(box, "installer-4-koncano");
  // The box is moved aside to see the finished bar: filled black to the end
  // of its frame, its "100 %" written in white over the black.
  SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  settle(300);
  saveScreenshot(form, "installer-3-progress-done");
  HWND bar = FindWindowExW(form, nullptr, L"Namestko.PicPotekOzadje", nullptr);
  ASSERT_NE(bar, nullptr);
  const gui::Surface barPixels = screenshot(bar);
  ASSERT_GT(barPixels.height(), 10);
  const int mid = barPixels.height() / 2;
  EXPECT_EQ(barPixels.row(mid)[4], 0x000000u);
  EXPECT_EQ(barPixels.row(mid)[barPixels.width() - 5], 0x000000u);
  int white = 0;
  for (int x = 0; x < barPixels.width(); ++x) white += barPixels.row(mid)[x] == 0xFFFFFFu;
  EXPECT_GT(white, 0);
  EXPECT_EQ(Diary::messageBoxText(box), L"Končano...");
  EXPECT_EQ(textOf(box), L"Namestko");
  pressKey(VK_RETURN);
  EXPECT_EQ(setup.waitForExit(), 0u);

  const fs::path d = setup.target();
  EXPECT_EQ(store::readFile(d / L"Pisarion.exe"), store::readFile(hostPath(PISARION_EXE)));
  EXPECT_TRUE(fs::is_directory(d / L"Podatki"));
  EXPECT_TRUE(fs::is_empty(d / L"Podatki"));
  EXPECT_EQ(store::readFile(d / L"Podatki.ini"), store::readFile(setup.temp(L"Podatki.ini")));
  const store::Settings s = store::readSettings(d / L"Podatki.ini", {u','});
  EXPECT_EQ(s.password, u"žaba");
  EXPECT_EQ(store::readFile(windowsFolder() / L"SYSTEM" / L"RICHTX32.OCX"), "rich-text control stand-in");

  for (const fs::path& file : {desktopLink(), programsLink()}) {
    SCOPED_TRACE(file.string());
    const auto link = readLink(file);
    ASSERT_TRUE(link);
    EXPECT_EQ(fs::path(link->path), d / L"Pisarion.exe");
    EXPECT_EQ(fs::path(link->workingDirectory), d);
    EXPECT_EQ(fs::path(link->iconPath), d / L"Pisarion.exe");
    EXPECT_EQ(link->iconIndex, 0);
    // The window style as stored in the link file's header (offset 0x3C).
    const auto bytes = store::readFile(file);
    ASSERT_TRUE(bytes && bytes->size() > 0x40);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[0x3C]), 4) << "shell reads it back as " << link->showCmd;
  }
}

TEST(InstallerEndToEnd, ReinstallWithTheKeyboardKeepsTheDiaryAndItsPassword) {
  ComScope com;
  Installation setup;
  setup.placeSetupFiles();
  const fs::path d = setup.target();
  fs::create_directories(d / L"Podatki");
  ASSERT_TRUE(store::writeFilePlain(d / L"Podatki" / L"03-01-2004", "\xFB\xF2\xF4\xE6\x8D\x8A"));
  store::Settings mine;
  mine.top = 15;
  mine.left = 30;
  mine.onTop = true;
  mine.password = u"moje geslo";
  const std::string myIni = store::formatSettings(mine, {u','});
  ASSERT_TRUE(store::writeFilePlain(d / L"Podatki.ini", myIni));
  ASSERT_TRUE(store::writeFilePlain(d / L"Pisarion.exe", "old program"));

  setup.start();
  HWND form = setup.waitFor(L"Namestko.frmNamestko");
  ASSERT_NE(form, nullptr);
  replaceFolderText(form, d.wstring() + L"\\");  // a trailing backslash is the same folder
  pressKey(VK_RETURN);  // Da is the default button
  HWND box = setup.waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Diary::messageBoxText(box), L"Končano...");
  pressKey(VK_RETURN);
  EXPECT_EQ(setup.waitForExit(), 0u);

  EXPECT_EQ(store::readFile(d / L"Podatki" / L"03-01-2004"), "\xFB\xF2\xF4\xE6\x8D\x8A");
  EXPECT_EQ(store::readFile(d / L"Podatki.ini"), myIni);
  EXPECT_EQ(store::readFile(d / L"Pisarion.exe"), store::readFile(hostPath(PISARION_EXE)));
  EXPECT_TRUE(fs::exists(desktopLink()));
}

TEST(InstallerEndToEnd, MissingSetupFilesAreReportedNotCalledDone) {
  ComScope com;
  Installation setup;  // nothing in TEMP
  setup.start();
  HWND form = setup.waitFor(L"Namestko.frmNamestko");
  ASSERT_NE(form, nullptr);
  replaceFolderText(form, setup.target().wstring());
  clickControl(form, GetDlgItem(form, IDOK));
  HWND box = setup.waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  saveScreenshot(box, "installer-5-failure");
  SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  settle(300);
  saveScreenshot(form, "installer-5-progress-stopped");  // the bar stopped where the copying failed
  const std::wstring text = Diary::messageBoxText(box);
  EXPECT_EQ(text.find(L"Končano"), std::wstring::npos);
  EXPECT_NE(text.find(L"PSR.EXE"), std::wstring::npos);
  EXPECT_NE(text.find(L"RICHTX32.OCX"), std::wstring::npos);
  pressKey(VK_RETURN);
  EXPECT_EQ(setup.waitForExit(), 0u);
  EXPECT_TRUE(fs::is_directory(setup.target() / L"Podatki"));
  EXPECT_FALSE(fs::exists(setup.target() / L"Pisarion.exe"));
  // The diary can still start there: a settings file of our own, no password.
  const auto ini = store::readFile(setup.target() / L"Podatki.ini");
  ASSERT_TRUE(ini);
  EXPECT_EQ(store::splitLines(*ini).size(), 4u);
  EXPECT_TRUE(store::parseSettings(*ini, {u','}).password.empty());
  EXPECT_FALSE(fs::exists(desktopLink()));
  EXPECT_FALSE(fs::exists(programsLink()));
}

TEST(InstallerEndToEnd, NeEndsWithoutTouchingAnythingAndAnEmptyFolderIsRefused) {
  Installation setup;
  setup.placeSetupFiles();
  setup.start();
  HWND form = setup.waitFor(L"Namestko.frmNamestko");
  ASSERT_NE(form, nullptr);
  replaceFolderText(form, L"   ");
  clickControl(form, GetDlgItem(form, IDOK));
  HWND box = setup.waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"celotno pot"), std::wstring::npos);
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(GetDlgItem(form, IDOK)); }));  // still asking

  clickControl(form, GetDlgItem(form, IDCANCEL));
  EXPECT_EQ(setup.waitForExit(), 0u);
  EXPECT_FALSE(fs::exists(setup.target()));
  EXPECT_FALSE(fs::exists(windowsFolder() / L"SYSTEM" / L"RICHTX32.OCX"));
  EXPECT_FALSE(fs::exists(desktopLink()));
}

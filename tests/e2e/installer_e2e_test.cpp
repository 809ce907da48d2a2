// Namestko.exe run for real, as a user who has only that file: it installs
// into the user's own programs folder, the shortcuts start the diary, the
// list of installed programs has its entry, a reinstall over a diary changes
// none of its bytes, and /odstrani removes the program and leaves the diary.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>

#include "e2e_support.h"
#include "store/file_io.h"
#include "store/settings.h"

using namespace e2e;

namespace {

constexpr int kText1 = 102;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pisarion";

// The user's folders as Wine's shell gives them (Wine maps some into $HOME).
fs::path knownFolder(REFKNOWNFOLDERID id) {
  PWSTR p = nullptr;
  fs::path result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &p))) result = p;
  CoTaskMemFree(p);
  return result;
}

fs::path windowsFolder() {
  wchar_t buf[MAX_PATH] = {};
  GetWindowsDirectoryW(buf, MAX_PATH);
  return buf;
}

fs::path userProgramsFolder() { return knownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Pisarion"; }
std::vector<fs::path> shortcuts() {
  const wchar_t* name = L"Tarnwick Pisarion.lnk";
  return {knownFolder(FOLDERID_Desktop) / name, knownFolder(FOLDERID_Programs) / name};
}

std::string bytesOf(const fs::path& p) { return store::readFile(p).value_or("<missing>"); }

// Every file under the folder with its bytes.
std::map<fs::path, std::string> filesUnder(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder)] = bytesOf(e.path());
  return files;
}

// What `reg query` prints for the key, as a user would type it into Wine's
// console; empty when the key is not there.
std::string regQuery(const std::wstring& key) {
  FILE* reg = _wpopen((L"reg.exe query \"" + key + L"\" 2>nul").c_str(), L"r");
  if (!reg) return {};
  std::string out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, reg)) > 0;) out.append(buf, n);
  return _pclose(reg) == 0 ? out : std::string();
}

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// Brings the window to the front and waits until it has the keyboard.
bool inFront(HWND window) {
  return waitUntil([&] { return SetForegroundWindow(window), GetForegroundWindow() == window; });
}

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
};

// One run of Namestko.exe: its window, its message boxes, its end.
class Namestko {
 public:
  explicit Namestko(const fs::path& exe, const std::wstring& arguments = L"") {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe.wstring() + L"\" " + arguments;
    const fs::path cwd = fs::temp_directory_path();
    EXPECT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &m_process));
  }
  ~Namestko() {
    if (!m_process.hProcess) return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }

  HWND waitFor(const wchar_t* cls) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = winsupport::visibleWindowOf(m_process.dwProcessId, cls)) != nullptr; }, 20000);
    return found;
  }
  HWND form() const { return waitFor(L"Namestko.frmNamestko"); }

  // Waits for the next message box, answers it with a key and answers its text.
  std::wstring answer(WORD key) const {
    HWND box = waitFor(L"#32770");
    if (!box) return L"<no message>";
    const std::wstring text = Diary::messageBoxText(box);
    // The key goes to the box only once it has the keyboard.
    if (!inFront(box)) return L"<not in front> " + text;
    pressKey(key);
    if (!waitUntil([&] { return !IsWindowVisible(box); })) return L"<not answered> " + text;
    return text;
  }

  std::optional<DWORD> waitForExit() const {
    if (WaitForSingleObject(m_process.hProcess, 30000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION m_process{};
};

// Leaves the Wine prefix as it found it: no installation, shortcuts, entry
// or planted files, and Wine's menu builder kept off the host's menus.
class CleanPrefix {
 public:
  CleanPrefix() {
    removeAll();
    static constexpr wchar_t kOverrides[] = L"Software\\Wine\\DllOverrides";
    // Under Wine the shell mirrors every new shortcut into the host's desktop
    // menus; for the test's run its menu builder is switched off.
    RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"winemenubuilder.exe", REG_SZ, L"", sizeof(wchar_t));
  }
  ~CleanPrefix() { removeAll(); }

  static fs::path temp(const wchar_t* name) { return windowsFolder() / L"TEMP" / name; }

 private:
  static void removeAll() {
    std::error_code ec;
    fs::remove_all(userProgramsFolder(), ec);
    for (const fs::path& link : shortcuts()) fs::remove(link, ec);
    for (const wchar_t* n : {L"PSR.EXE", L"Podatki.ini", L"RICHTX32.OCX"}) fs::remove(temp(n), ec);
    RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
  }
};

// What an old setup step once left in the Windows folder's TEMP, where
// every user of the PC can write.
void plantInWindowsTemp() {
  fs::create_directories(windowsFolder() / L"TEMP");
  store::Settings planted;
  planted.password = u"tuje";
  ASSERT_TRUE(store::writeFilePlain(CleanPrefix::temp(L"PSR.EXE"), "MZ planted program"));
  ASSERT_TRUE(store::writeFilePlain(CleanPrefix::temp(L"RICHTX32.OCX"), "MZ planted control"));
  ASSERT_TRUE(store::writeFilePlain(CleanPrefix::temp(L"Podatki.ini"), store::formatSettings(planted, {u','})));
}

class InstallerEndToEnd : public ::testing::TestWithParam<bool> {};

TEST_P(InstallerEndToEnd, InstallsFromItselfAloneStartsTheDiaryAndRemovesOnlyTheProgram) {
  ComScope com;
  CleanPrefix clean;
  const bool planted = GetParam();
  if (planted) plantInWindowsTemp();
  const fs::path d = userProgramsFolder();

  {
    Namestko setup(hostPath(NAMESTKO_EXE));
    HWND form = setup.form();
    ASSERT_NE(form, nullptr);
    wchar_t proposed[MAX_PATH] = {};
    GetDlgItemTextW(form, kText1, proposed, MAX_PATH);
    EXPECT_EQ(fs::path(proposed), d);
    saveScreenshot(form, "installer-1-question");
    ASSERT_TRUE(inFront(form));
    pressKey(VK_RETURN);  // Da, the default button
    const std::wstring done = setup.answer(VK_RETURN);
    EXPECT_EQ(done.rfind(L"Končano...", 0), 0u) << narrow(done);
    EXPECT_NE(done.find((d / L"Podatki").wstring()), std::wstring::npos) << "says where the entries will be";
    EXPECT_EQ(setup.waitForExit(), 0u);
  }

  EXPECT_EQ(bytesOf(d / L"Pisarion.exe"), bytesOf(hostPath(PISARION_EXE)));
  EXPECT_EQ(bytesOf(d / L"Namestko.exe"), bytesOf(hostPath(NAMESTKO_EXE)));
  EXPECT_TRUE(store::readSettings(d / L"Podatki.ini", {u','}).password.empty());
  for (const wchar_t* system : {L"SYSTEM", L"system32", L"syswow64"})
    EXPECT_FALSE(fs::exists(windowsFolder() / system / L"RICHTX32.OCX")) << narrow(system);
  if (planted) {
    EXPECT_EQ(bytesOf(CleanPrefix::temp(L"PSR.EXE")), "MZ planted program");
  }

  const std::string key = regQuery(std::wstring(L"HKCU\\") + kUninstallKey);
  const std::string folder = narrow(d.wstring());
  for (const std::string& line : std::vector<std::string>{
           "DisplayName    REG_SZ    Pisarion", "DisplayVersion    REG_SZ    1.0.31", "Publisher    REG_SZ    Tarnwick",
           "DisplayIcon    REG_SZ    " + folder + "\\Pisarion.exe,0", "InstallLocation    REG_SZ    " + folder,
           "UninstallString    REG_SZ    \"" + folder + "\\Namestko.exe\" /odstrani",
           "EstimatedSize    REG_DWORD    0x"})
    EXPECT_NE(key.find(line), std::string::npos) << line << " not in\n" << key;

  // Each shortcut starts the diary, which keeps its entries beside the
  // program, in the folder it was installed to.
  for (const fs::path& link : shortcuts()) {
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.lpFile = link.c_str();
    run.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&run)) << link.string();
    HWND diary = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (diary = FindWindowW(L"Pisarion.frmMain", nullptr)) != nullptr; }, 30000));
    DWORD pid = 0;
    GetWindowThreadProcessId(diary, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(diary, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    CloseHandle(process);
    EXPECT_TRUE(fs::exists(d / L"Podatki" / todayKey())) << link.string();
  }
  const auto diaryBefore = filesUnder(d / L"Podatki");

  {
    // What Apps & features runs.
    Namestko removal(d / L"Namestko.exe", L"/odstrani");
    const std::wstring question = removal.answer(VK_RETURN);
    EXPECT_NE(question.find((d / L"Podatki").wstring()), std::wstring::npos) << narrow(question);
    const std::wstring deleteToo = removal.answer(VK_RETURN);  // No is the default
    EXPECT_NE(deleteToo.find(L"izbrisati tudi dnevnik"), std::wstring::npos) << narrow(deleteToo);
    const std::wstring removed = removal.answer(VK_RETURN);
    EXPECT_NE(removed.find(L"Dnevnik je ostal"), std::wstring::npos) << narrow(removed);
    EXPECT_EQ(removal.waitForExit(), 0u);
  }
  EXPECT_FALSE(fs::exists(d / L"Pisarion.exe"));
  EXPECT_TRUE(waitUntil([&] { return !fs::exists(d / L"Namestko.exe"); }, 20000)) << "removed once it has ended";
  for (const fs::path& link : shortcuts()) EXPECT_FALSE(fs::exists(link)) << link.string();
  EXPECT_EQ(regQuery(std::wstring(L"HKCU\\") + kUninstallKey), "");
  EXPECT_EQ(filesUnder(d / L"Podatki"), diaryBefore);
  EXPECT_TRUE(fs::exists(d / L"Podatki.ini"));
}

INSTANTIATE_TEST_SUITE_P(WindowsTemp, InstallerEndToEnd, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PlantedFilesThere" : "NothingThere"; });

TEST(InstallerUpgradeEndToEnd, OverADiaryWithEntriesAndAPasswordChangesNoByteAndClosesARunningOne) {
  CleanPrefix clean;
  Diary diary;
  const fs::path d = diary.folder();
  store::Settings mine;
  mine.top = 1200;
  mine.left = 900;
  mine.password = u"moje geslo";
  diary.writeSettings(mine);
  diary.writeEntry("03-01-2004", "{\\rtf1 Prvi dan.\\par}\r\n");
  fs::create_directories(d / L"Varnostne kopije");
  ASSERT_TRUE(store::writeFilePlain(d / L"Varnostne kopije" / L"2026-01-01.zip", "PK\x05\x06 backup"));
  // An older build: the same program with bytes of its own at the end.
  ASSERT_TRUE(store::writeFilePlain(d / L"Pisarion.exe", bytesOf(hostPath(PISARION_EXE)) + "older build"));
  auto install = [&](bool diaryOpen) {
    Namestko setup(hostPath(NAMESTKO_EXE));
    HWND form = setup.form();
    ASSERT_NE(form, nullptr);
    SetDlgItemTextW(form, kText1, (d.wstring() + L"\\").c_str());  // a trailing backslash is the same folder
    ASSERT_TRUE(inFront(form));
    pressKey(VK_RETURN);
    if (diaryOpen) {
      EXPECT_NE(setup.answer(VK_RETURN).find(L"Pisarion je odprt"), std::wstring::npos);
    }
    EXPECT_NE(setup.answer(VK_RETURN).find(L"je posodobljen"), std::wstring::npos);
    EXPECT_EQ(setup.waitForExit(), 0u);
  };

  const auto before = filesUnder(d);
  install(false);
  auto after = filesUnder(d);
  EXPECT_EQ(after[L"Pisarion.exe"], bytesOf(hostPath(PISARION_EXE)));
  EXPECT_EQ(after[L"Namestko.exe"], bytesOf(hostPath(NAMESTKO_EXE)));
  after.erase(L"Pisarion.exe");
  after.erase(L"Namestko.exe");
  auto unchanged = before;
  unchanged.erase(L"Pisarion.exe");
  EXPECT_EQ(after, unchanged);

  // Upgrading under a diary that is open with today's writing: the diary is
  // asked to close, saves today, and its files are left as it left them.
  ASSERT_TRUE(store::writeFilePlain(d / L"Pisarion.exe", bytesOf(hostPath(PISARION_EXE)) + "older build"));
  ASSERT_NE(diary.startUnlocked(mine), nullptr);
  typeText(L"Zapis pred posodobitvijo");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText().find(L"Zapis pred posodobitvijo") != std::wstring::npos; }))
      << narrow(diary.editorText());
  install(true);
  EXPECT_FALSE(diary.running());
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Zapis pred posodobitvijo"), std::string::npos)
      << diary.decodedEntry(todayKey()).value_or("<none>");
  EXPECT_EQ(diary.readSettings().password, u"moje geslo");
  EXPECT_EQ(bytesOf(d / L"Podatki" / L"03-01-2004"), before.at(L"Podatki/03-01-2004"));
  EXPECT_EQ(bytesOf(d / L"Varnostne kopije" / L"2026-01-01.zip"), "PK\x05\x06 backup");
  EXPECT_EQ(bytesOf(d / L"Pisarion.exe"), bytesOf(hostPath(PISARION_EXE)));
}

TEST(InstallerFolderEndToEnd, NeEndsWithoutTouchingAnythingAndAnEmptyFolderIsRefused) {
  CleanPrefix clean;
  Namestko setup(hostPath(NAMESTKO_EXE));
  HWND form = setup.form();
  ASSERT_NE(form, nullptr);
  SetDlgItemTextW(form, kText1, L"   ");
  ASSERT_TRUE(inFront(form));
  pressKey(VK_RETURN);
  EXPECT_NE(setup.answer(VK_RETURN).find(L"celotno pot"), std::wstring::npos);
  EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(GetDlgItem(form, IDOK)); }));  // still asking
  PostMessageW(form, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(setup.waitForExit(), 1u);
  EXPECT_FALSE(fs::exists(userProgramsFolder()));
  for (const fs::path& link : shortcuts()) EXPECT_FALSE(fs::exists(link));
}

}  // namespace

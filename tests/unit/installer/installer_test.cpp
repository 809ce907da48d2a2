// The installation against a fake file system and shell: what ends up where,
// what the user is told, and what a reinstall leaves alone.
#include "installer/installer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "store/file_io.h"
#include "store/settings.h"

using namespace installer;

namespace {

const std::wstring W = L"C:\\windows";
const std::wstring D = L"c:\\Program Files\\Pisarion";

std::wstring parentOf(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

std::wstring withoutSlash(std::wstring p) {
  while (!p.empty() && p.back() == L'\\') p.pop_back();
  return p;
}

class FakeOperations : public Operations {
 public:
  std::set<std::wstring> folders{L"C:", W, W + L"\\TEMP", W + L"\\SYSTEM", L"c:", L"c:\\Program Files",
                                 L"C:\\Users\\ana\\Desktop", L"C:\\Users\\ana\\Start Menu\\Programs"};
  std::map<std::wstring, std::string> files;
  std::map<std::wstring, Shortcut> shortcuts;
  std::set<std::wstring> refuse;  // destinations that cannot be written
  std::wstring windows = W;

  std::wstring windowsFolder() override { return windows; }
  std::wstring expandEnvironment(const std::wstring& text) override {
    std::wstring out = text;
    const std::wstring var = L"%ProgramFiles%";
    if (size_t at = out.find(var); at != std::wstring::npos) out.replace(at, var.size(), L"C:\\Program Files");
    return out;
  }
  bool exists(const std::wstring& path) override { return files.count(path) || folders.count(withoutSlash(path)); }
  bool createFolder(const std::wstring& path) override {
    const std::wstring p = withoutSlash(path);
    if (refuse.count(p)) return false;
    for (std::wstring q = p; !q.empty(); q = parentOf(q)) folders.insert(q);
    return true;
  }
  bool copyFile(const std::wstring& from, const std::wstring& to) override {
    if (!files.count(from) || !folders.count(parentOf(to)) || refuse.count(to)) return false;
    files[to] = files[from];
    return true;
  }
  bool writeNewFile(const std::wstring& path, const std::string& bytes) override {
    if (files.count(path) || !folders.count(parentOf(path)) || refuse.count(path)) return false;
    files[path] = bytes;
    return true;
  }
  std::wstring specialFolder(SpecialFolder f) override {
    return f == SpecialFolder::Desktop ? L"C:\\Users\\ana\\Desktop" : L"C:\\Users\\ana\\Start Menu\\Programs";
  }
  bool createShortcut(const std::wstring& file, const Shortcut& s) override {
    if (refuse.count(file) || !folders.count(parentOf(file))) return false;
    shortcuts[file] = s;
    return true;
  }

  void placeSetupFiles(bool withSettings = true) {
    if (withSettings) files[W + L"\\TEMP\\Podatki.ini"] = "setup settings\r\n";
    files[W + L"\\TEMP\\PSR.EXE"] = "MZ new program";
    files[W + L"\\TEMP\\RICHTX32.OCX"] = "MZ control";
  }
};

struct Outcome {
  Result result;
  std::vector<int> progress;
};

Outcome runInstall(FakeOperations& ops, const std::wstring& target = D) {
  Outcome run;
  run.result = install(ops, target, [&](int p) { run.progress.push_back(p); });
  return run;
}

const std::wstring kDesktopLink = L"C:\\Users\\ana\\Desktop\\Tarnwick Pisarion.lnk";
const std::wstring kProgramsLink = L"C:\\Users\\ana\\Start Menu\\Programs\\Tarnwick Pisarion.lnk";

}  // namespace

TEST(InstallerPlan, CopiesFromTheTemporaryFolderIntoTheTargetAndTheSystemFolder) {
  const auto steps = plan(W, D);
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[0].kind, StepKind::CreateFolder);
  EXPECT_EQ(steps[0].destination, D + L"\\");
  EXPECT_EQ(steps[1].kind, StepKind::CreateFolder);
  EXPECT_EQ(steps[1].destination, D + L"\\Podatki\\");
  EXPECT_EQ(steps[2].kind, StepKind::PlaceSettings);
  EXPECT_EQ(steps[2].source, L"C:\\windows\\TEMP\\Podatki.ini");
  EXPECT_EQ(steps[2].destination, D + L"\\Podatki.ini");
  EXPECT_EQ(steps[3].source, L"C:\\windows\\TEMP\\PSR.EXE");
  EXPECT_EQ(steps[3].destination, D + L"\\Pisarion.exe");
  EXPECT_EQ(steps[4].source, L"C:\\windows\\TEMP\\RICHTX32.OCX");
  // The control goes to the system folder whatever the target is.
  EXPECT_EQ(steps[4].destination, L"C:\\windows\\SYSTEM\\RICHTX32.OCX");
  EXPECT_EQ(plan(W, L"E:\\Drugje")[4].destination, L"C:\\windows\\SYSTEM\\RICHTX32.OCX");
  EXPECT_EQ(steps[2].progressAfter, 12);
  EXPECT_EQ(steps[3].progressAfter, 69);
  EXPECT_EQ(steps[4].progressAfter, 100);
}

TEST(InstallerTexts, QuestionProgressAndBarWidth) {
  EXPECT_EQ(questionText(),
            L"Tarnwick Namestko bo v vaš računalnik namestil \r\nTarnwick Pisarion 1.0.31.\r\n\r\nŽelite nadaljevati?");
  EXPECT_DOUBLE_EQ(progressWidth(3765, 69), 2556.45);
  EXPECT_DOUBLE_EQ(progressWidth(3765, 0), 0);
  EXPECT_DOUBLE_EQ(progressWidth(3765, 100), 3705);
  EXPECT_EQ(progressText(69), L"69 %");
  EXPECT_EQ(progressText(100), L"100 %");
}

TEST(InstallerTargetFolder, TakesFullPathsOnly) {
  FakeOperations ops;
  EXPECT_EQ(targetFolder(L"c:\\Program Files\\Pisarion", ops), D);
  EXPECT_EQ(targetFolder(L"  D:\\Dnevnik\\\\ ", ops), L"D:\\Dnevnik");
  EXPECT_EQ(targetFolder(L"D:/Dnevnik/Moj/", ops), L"D:\\Dnevnik\\Moj");
  EXPECT_EQ(targetFolder(L"%ProgramFiles%\\Pisarion", ops), L"C:\\Program Files\\Pisarion");
  EXPECT_EQ(targetFolder(L"\\\\streznik\\deljeno\\Pisarion", ops), L"\\\\streznik\\deljeno\\Pisarion");
  EXPECT_EQ(targetFolder(L"", ops), L"");
  EXPECT_EQ(targetFolder(L"   ", ops), L"");
  EXPECT_EQ(targetFolder(L"Pisarion", ops), L"");        // relative to wherever Namestko runs
  EXPECT_EQ(targetFolder(L"\\Pisarion", ops), L"");      // no drive
  EXPECT_EQ(targetFolder(L"c:Pisarion", ops), L"");
  EXPECT_EQ(targetFolder(L"c:\\Pis*rion", ops), L"");    // a wildcard copies something else
  EXPECT_EQ(targetFolder(L"c:\\a\\b:c", ops), L"");
}

TEST(InstallerRun, FreshInstallPlacesEverythingAndEndsWithKončano) {
  FakeOperations ops;
  ops.placeSetupFiles();
  const Outcome run = runInstall(ops);
  EXPECT_TRUE(run.result.failures.empty());
  EXPECT_EQ(run.progress, (std::vector<int>{12, 69, 100}));
  EXPECT_TRUE(ops.folders.count(D));
  EXPECT_TRUE(ops.folders.count(D + L"\\Podatki"));
  EXPECT_EQ(ops.files[D + L"\\Podatki.ini"], "setup settings\r\n");
  EXPECT_EQ(ops.files[D + L"\\Pisarion.exe"], "MZ new program");
  EXPECT_EQ(ops.files[W + L"\\SYSTEM\\RICHTX32.OCX"], "MZ control");
  for (const auto& [name, bytes] : ops.files) EXPECT_NE(name.rfind(D + L"\\Podatki\\", 0), 0u) << "data folder not empty";

  ASSERT_EQ(ops.shortcuts.size(), 2u);
  EXPECT_EQ(run.result.shortcutsMade, 2);
  for (const auto& link : {kDesktopLink, kProgramsLink}) {
    ASSERT_TRUE(ops.shortcuts.count(link)) << std::string(link.begin(), link.end());
    const Shortcut& s = ops.shortcuts[link];
    EXPECT_EQ(s.targetPath, D + L"\\Pisarion.exe");
    EXPECT_EQ(s.workingDirectory, D);
    EXPECT_EQ(s.windowStyle, 4);
    EXPECT_EQ(s.iconPath, D + L"\\Pisarion.exe");
    EXPECT_EQ(s.iconIndex, 0);
  }
  const Message m = finalMessage(run.result);
  EXPECT_EQ(m.text, L"Končano...");
  EXPECT_FALSE(m.error);
}

TEST(InstallerRun, WithoutSetupSettingsWritesAnInitialFileTheDiaryReads) {
  FakeOperations ops;
  ops.placeSetupFiles(/*withSettings=*/false);
  const Outcome run = runInstall(ops);
  EXPECT_TRUE(run.result.failures.empty());
  ASSERT_TRUE(ops.files.count(D + L"\\Podatki.ini"));
  const std::string bytes = ops.files[D + L"\\Podatki.ini"];
  EXPECT_EQ(bytes, initialSettings());
  EXPECT_EQ(store::splitLines(bytes).size(), 4u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(bytes.find("False"), std::string::npos);  // encoded, not readable
  const store::Settings s = store::parseSettings(bytes, {u','});
  EXPECT_EQ(s.top, 1500);
  EXPECT_EQ(s.left, 1500);
  EXPECT_FALSE(s.onTop);
  EXPECT_TRUE(s.password.empty());
}

TEST(InstallerRun, ReinstallKeepsTheDiaryAndTheSettingsAndReplacesTheProgram) {
  FakeOperations ops;
  ops.placeSetupFiles();
  ops.createFolder(D + L"\\Podatki\\");
  ops.files[D + L"\\Podatki\\03-01-2004"] = "\xFB\xF2\xF4\xE6";
  ops.files[D + L"\\Podatki.ini"] = "users own settings with password\r\n";
  ops.files[D + L"\\Pisarion.exe"] = "MZ old program";
  const Outcome run = runInstall(ops);
  EXPECT_TRUE(run.result.failures.empty());
  EXPECT_EQ(ops.files[D + L"\\Podatki\\03-01-2004"], "\xFB\xF2\xF4\xE6");
  EXPECT_EQ(ops.files[D + L"\\Podatki.ini"], "users own settings with password\r\n");
  EXPECT_EQ(ops.files[D + L"\\Pisarion.exe"], "MZ new program");
  EXPECT_EQ(run.progress, (std::vector<int>{12, 69, 100}));
  EXPECT_EQ(finalMessage(run.result).text, L"Končano...");
}

TEST(InstallerRun, MissingSetupFilesAreReportedAndNoShortcutPointsToNothing) {
  FakeOperations ops;  // nothing in TEMP
  const Outcome run = runInstall(ops);
  EXPECT_EQ(run.progress, (std::vector<int>{12}));  // the bar stops where the copying failed
  EXPECT_FALSE(run.result.programInPlace);
  EXPECT_TRUE(ops.shortcuts.empty());
  EXPECT_FALSE(ops.files.count(D + L"\\Pisarion.exe"));
  // The settings file is ours when the setup brought none.
  EXPECT_EQ(ops.files[D + L"\\Podatki.ini"], initialSettings());
  ASSERT_EQ(run.result.failures.size(), 2u);
  EXPECT_NE(run.result.failures[0].find(L"PSR.EXE"), std::wstring::npos);
  EXPECT_NE(run.result.failures[1].find(L"RICHTX32.OCX"), std::wstring::npos);
  const Message m = finalMessage(run.result);
  EXPECT_TRUE(m.error);
  EXPECT_EQ(m.text.find(L"Končano"), std::wstring::npos);
  EXPECT_NE(m.text.find(L"PSR.EXE"), std::wstring::npos);
  EXPECT_NE(m.text.find(L"bližnjice niso bile ustvarjene"), std::wstring::npos);
}

TEST(InstallerRun, AFolderThatCannotBeCreatedFailsTheCopiesIntoIt) {
  FakeOperations ops;
  ops.placeSetupFiles();
  ops.refuse.insert(D);
  ops.refuse.insert(D + L"\\Podatki");
  const Outcome run = runInstall(ops);
  EXPECT_FALSE(run.result.programInPlace);
  EXPECT_TRUE(ops.shortcuts.empty());
  // Both folders, the settings file and the program; the control still went to the system folder.
  ASSERT_EQ(run.result.failures.size(), 4u);
  EXPECT_NE(run.result.failures[0].find(L"Mape"), std::wstring::npos);
  EXPECT_NE(run.result.failures[2].find(L"Podatki.ini"), std::wstring::npos);
  EXPECT_EQ(ops.files[W + L"\\SYSTEM\\RICHTX32.OCX"], "MZ control");
  EXPECT_TRUE(finalMessage(run.result).error);
}

TEST(InstallerRun, AFailedControlCopyOrShortcutIsNotCalledSuccess) {
  FakeOperations ops;
  ops.placeSetupFiles();
  ops.refuse.insert(W + L"\\SYSTEM\\RICHTX32.OCX");
  ops.refuse.insert(kProgramsLink);
  const Outcome run = runInstall(ops);
  EXPECT_TRUE(run.result.programInPlace);
  EXPECT_EQ(run.result.shortcutsMade, 1);
  EXPECT_TRUE(ops.shortcuts.count(kDesktopLink));
  ASSERT_EQ(run.result.failures.size(), 2u);
  EXPECT_NE(run.result.failures[0].find(L"RICHTX32.OCX"), std::wstring::npos);
  EXPECT_NE(run.result.failures[1].find(kProgramsLink), std::wstring::npos);
  const Message m = finalMessage(run.result);
  EXPECT_TRUE(m.error);
  EXPECT_EQ(m.text.find(L"bližnjice niso bile"), std::wstring::npos);  // the program is there
}

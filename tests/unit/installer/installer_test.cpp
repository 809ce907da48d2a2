// Installing, upgrading and removing against a fake PC: what ends up where,
// what the user is asked and told, and what of the diary is left alone.
#include "installer/installer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "store/settings.h"

using namespace installer;

namespace {

const std::wstring D = L"C:\\Users\\ana\\AppData\\Local\\Programs\\Pisarion";
const std::wstring kRoaming = L"C:\\Users\\ana\\AppData\\Roaming";
const std::wstring kMachine = L"C:\\Program Files\\Pisarion";
const std::wstring kDownloads = L"C:\\Users\\ana\\Downloads\\Namestko.exe";

std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }
bool under(const std::wstring& path, const std::wstring& folder) { return path.rfind(folder + L"\\", 0) == 0; }
std::string text(std::span<const uint8_t> b) { return {reinterpret_cast<const char*>(b.data()), b.size()}; }

// The PC: its files, shortcuts and list of installed programs, a diary that
// may be running, and a user who answers from a list (then OK to the rest).
class FakePC : public Operations, public User {
 public:
  std::map<std::wstring, std::string> files{{kDownloads, "MZ Namestko"}};
  std::set<std::wstring> folders{L"C:\\Program Files", L"C:\\Users\\ana\\Downloads", kRoaming,
                                 L"C:\\Users\\ana\\AppData\\Local", L"C:\\Users\\ana\\Desktop",
                                 L"C:\\Users\\ana\\Start Menu\\Programs", L"C:\\Users\\Public\\Desktop",
                                 L"C:\\ProgramData\\Start Menu\\Programs"};
  std::map<std::wstring, Shortcut> shortcuts;
  std::map<Scope, Registration> registered;
  std::set<std::wstring> refuse, running;  // folders that cannot be made; programs a diary runs from
  std::string program = "MZ Pisarion 1.0.31", digestAtBuild = digest(program);
  std::wstring self = kDownloads;
  bool admin = false;
  std::vector<std::wstring> restartedWith;
  std::deque<bool> answers;
  std::vector<Message> asked;

  static std::string digest(std::string_view b) { return std::to_string(std::hash<std::string_view>{}(b)); }

  std::span<const uint8_t> payload() override { return {reinterpret_cast<const uint8_t*>(program.data()), program.size()}; }
  std::string payloadSha256() override { return digestAtBuild; }
  std::string sha256(std::span<const uint8_t> b) override { return digest(text(b)); }
  std::wstring selfPath() override { return self; }
  bool elevated() override { return admin; }
  bool restartElevated(const std::vector<std::wstring>& a) override { return restartedWith = a, true; }
  std::wstring expandEnvironment(const std::wstring& t) override { return t; }
  std::wstring specialFolder(SpecialFolder f, Scope scope) override {
    const bool all = scope == Scope::Machine;
    if (f == SpecialFolder::Desktop) return all ? L"C:\\Users\\Public\\Desktop" : L"C:\\Users\\ana\\Desktop";
    if (f == SpecialFolder::Programs) return all ? L"C:\\ProgramData\\Start Menu\\Programs" : L"C:\\Users\\ana\\Start Menu\\Programs";
    return f == SpecialFolder::LocalAppData ? L"C:\\Users\\ana\\AppData\\Local" : kRoaming;
  }
  std::vector<std::wstring> programFilesFolders() override { return {L"C:\\Program Files", L"C:\\Program Files (x86)"}; }
  bool exists(const std::wstring& p) override { return files.count(p) || folders.count(p); }
  bool createFolder(const std::wstring& p) override {
    for (std::wstring q = p; q.size() > 2; q = parentOf(q))
      if (refuse.count(q) || !folders.insert(q).second) return !refuse.count(q);
    return true;
  }
  // A running program's file cannot be replaced, as on Windows.
  bool put(const std::wstring& p, std::string bytes) {
    return folders.count(parentOf(p)) && !running.count(p) && (files[p] = std::move(bytes), true);
  }
  bool writeFile(const std::wstring& p, std::span<const uint8_t> b) override { return put(p, text(b)); }
  bool writeNewFile(const std::wstring& p, const std::string& b) override { return !files.count(p) && put(p, b); }
  bool copyFile(const std::wstring& from, const std::wstring& to) override { return files.count(from) && put(to, files[from]); }
  std::optional<uint64_t> fileSize(const std::wstring& p) override {
    return files.count(p) ? std::optional<uint64_t>(files[p].size()) : std::nullopt;
  }
  bool removeFile(const std::wstring& p) override {
    if (p == self) return false;  // a running program's file stays
    return files.erase(p), shortcuts.erase(p), true;
  }
  bool removeTree(const std::wstring& p) override {
    std::erase_if(files, [&](const auto& f) { return under(f.first, p); });
    std::erase_if(folders, [&](const auto& f) { return under(f, p); });
    return folders.erase(p), true;
  }
  bool removeEmptyFolder(const std::wstring& p) override {
    const bool empty = std::none_of(files.begin(), files.end(), [&](const auto& f) { return under(f.first, p); }) &&
                       std::none_of(folders.begin(), folders.end(), [&](const auto& f) { return under(f, p); });
    return empty && folders.erase(p) > 0;
  }
  bool removeWhenEnded(const std::wstring& file, const std::wstring& folder) override {
    files.erase(file);  // this program ends with the test's next line
    return removeEmptyFolder(folder), true;
  }
  bool createShortcut(const std::wstring& file, const Shortcut& s) override {
    return folders.count(parentOf(file)) && (shortcuts[file] = s, true);
  }
  std::optional<Registration> readRegistration(Scope s) override {
    return registered.count(s) ? std::optional<Registration>(registered[s]) : std::nullopt;
  }
  bool writeRegistration(Scope s, const Registration& r) override { return registered[s] = r, true; }
  bool removeRegistration(Scope s) override { return registered.erase(s), true; }
  bool diaryRunning(const std::wstring& p) override { return running.count(p) > 0; }
  bool closeDiary(const std::wstring& p) override { return running.erase(p), true; }
  bool answer(const Message& m) override {
    asked.push_back(m);
    const bool a = answers.empty() || answers.front();
    if (!answers.empty()) answers.pop_front();
    return a;
  }

  // The diary's own files, wherever they are.
  std::map<std::wstring, std::string> diary() const {
    std::map<std::wstring, std::string> out;
    for (const auto& [name, bytes] : files)
      if (name.find(L"\\Podatki") != std::wstring::npos || name.find(L"\\Varnostne kopije\\") != std::wstring::npos)
        out[name] = bytes;
    return out;
  }
  void writeDiary(const std::wstring& folder) {
    createFolder(folder + L"\\Podatki");
    createFolder(folder + L"\\Varnostne kopije");
    store::Settings mine;
    mine.password = u"žaba";
    files[folder + L"\\Podatki.ini"] = store::formatSettings(mine, {u','});
    files[folder + L"\\Podatki\\03-01-2004"] = "\xFB\xF2\xF4\xE6";
    files[folder + L"\\Varnostne kopije\\2026-01-01.zip"] = "PK\x03\x04";
  }
};

void installedWithDiary(FakePC& pc) {
  installer::install(pc, pc, D, {});
  pc.writeDiary(D);
  pc.asked.clear();
}

enum class Action { Install, Remove };
enum class Diary { None, Unchanged, Gone };

struct Case {
  const char* name;
  std::function<void(FakePC&)> before;
  Action action;
  std::wstring folder;
  std::deque<bool> answers;
  Outcome outcome;
  bool installed;  // the carried program, its shortcuts and entry there afterwards
  Diary diary;
  std::wstring told;                              // in the last message
  std::function<void(const FakePC&)> also = {};  // what else this case shows
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Scenario : public ::testing::TestWithParam<Case> {};

TEST_P(Scenario, LeavesThePcAsTheUserExpects) {
  const Case& c = GetParam();
  FakePC pc;
  if (c.before) c.before(pc);
  const FakePC before = pc;
  pc.answers = c.answers;
  std::vector<int> progress;
  const Outcome outcome = c.action == Action::Install
                              ? installer::install(pc, pc, c.folder, [&](int p) { progress.push_back(p); })
                              : installer::remove(pc, pc);
  EXPECT_EQ(outcome, c.outcome);
  ASSERT_FALSE(pc.asked.empty());
  EXPECT_NE(pc.asked.back().text.find(c.told), std::wstring::npos) << std::string(c.told.begin(), c.told.end());
  if (c.also) c.also(pc);
  if (outcome != Outcome::Done) {
    EXPECT_EQ(pc.files, before.files) << "nothing may change";
    EXPECT_EQ(pc.shortcuts.size(), before.shortcuts.size());
    EXPECT_EQ(pc.registered, before.registered);
  }
  if (c.diary == Diary::Unchanged) {
    EXPECT_EQ(pc.diary(), before.diary());
  }
  const std::wstring& d = c.folder;
  if (c.diary == Diary::Gone) {
    for (const auto& [name, bytes] : pc.diary()) EXPECT_FALSE(under(name, d)) << "left: " << name.size();
    EXPECT_FALSE(pc.exists(d)) << "the folder goes when nothing is left in it";
  }
  if (!c.installed) {
    if (c.action == Action::Remove && outcome == Outcome::Done) {
      EXPECT_FALSE(pc.exists(d + L"\\Pisarion.exe") || pc.exists(d + L"\\Namestko.exe"));
      EXPECT_TRUE(pc.shortcuts.empty());
      EXPECT_TRUE(pc.registered.empty());
    }
    return;
  }
  EXPECT_EQ(pc.files[d + L"\\Pisarion.exe"], pc.program);
  EXPECT_EQ(pc.files[d + L"\\Namestko.exe"], "MZ Namestko");
  EXPECT_EQ(progress, (std::vector<int>{12, 69, 100}));
  ASSERT_EQ(pc.shortcuts.size(), 2u);
  for (const auto& [file, s] : pc.shortcuts) {
    EXPECT_EQ(file.substr(file.rfind(L'\\') + 1), L"Tarnwick Pisarion.lnk");
    EXPECT_EQ(s.targetPath + L"|" + s.workingDirectory + L"|" + s.iconPath, d + L"\\Pisarion.exe|" + d + L"|" + d + L"\\Pisarion.exe");
  }
  const Registration expected{L"Pisarion", L"1.0.31", L"Tarnwick", d + L"\\Pisarion.exe,0", d,
                              L"\"" + d + L"\\Namestko.exe\" /odstrani", 1};
  EXPECT_TRUE(pc.registered[d == kMachine ? Scope::Machine : Scope::PerUser] == expected);
  if (c.diary == Diary::None) {
    EXPECT_EQ(pc.files[d + L"\\Podatki.ini"], initialSettings());
  }
}

const Case kCases[] = {
    {"FreshInstall", nullptr, Action::Install, D, {}, Outcome::Done, true, Diary::None,
     L"Zapiske bo hranil v mapi " + D + L"\\Podatki."},
    {"ReinstallOverADiary", installedWithDiary, Action::Install, D, {}, Outcome::Done, true, Diary::Unchanged,
     L"je posodobljen"},
    {"UpgradeClosesTheRunningDiaryFirst",
     [](FakePC& pc) {
       installedWithDiary(pc);
       pc.files[D + L"\\Pisarion.exe"] = "MZ Pisarion 1.0.30";
       pc.running.insert(D + L"\\Pisarion.exe");
     },
     Action::Install, D, {true}, Outcome::Done, true, Diary::Unchanged, L"je posodobljen"},
    {"ARunningDiaryTheUserKeepsOpenStopsTheUpgrade",
     [](FakePC& pc) {
       installedWithDiary(pc);
       pc.running.insert(D + L"\\Pisarion.exe");
     },
     Action::Install, D, {false}, Outcome::Cancelled, false, Diary::Unchanged, L"Pisarion je odprt"},
    {"AFolderThatCannotBeCreated", [](FakePC& pc) { pc.refuse.insert(D); }, Action::Install, D, {}, Outcome::Failed,
     false, Diary::None, L"Mape " + D + L" ni bilo mogoče ustvariti. Nič ni bilo nameščeno."},
    {"APayloadWhoseHashDoesNotMatch", [](FakePC& pc) { pc.digestAtBuild = "0"; }, Action::Install, D, {},
     Outcome::Failed, false, Diary::None, L"Nič ni bilo nameščeno."},
    {"ProgramFilesAsksForRightsAndHandsOver", nullptr, Action::Install, kMachine, {true}, Outcome::HandedOver, false,
     Diary::None, L"skrbniške pravice",
     [](const FakePC& pc) { EXPECT_EQ(pc.restartedWith, (std::vector<std::wstring>{L"/mapa", kMachine})); }},
    {"ProgramFilesWithRights", [](FakePC& pc) { pc.admin = true; }, Action::Install, kMachine, {}, Outcome::Done, true,
     Diary::None, L"Vsak uporabnik"},
    {"RemovalKeepsTheDiary", [](FakePC& pc) { installedWithDiary(pc), pc.self = D + L"\\Namestko.exe"; },
     Action::Remove, D, {true, false}, Outcome::Done, false, Diary::Unchanged,
     L"Dnevnik je ostal: zapiski so v mapi " + D + L"\\Podatki, varnostne kopije v mapi " + D,
     [](const FakePC& pc) { EXPECT_EQ(pc.asked.at(1).buttons, Buttons::YesNoDefaultNo); }},
    {"RemovalWithTheDiaryLeavesAnotherInstallationsDiary",
     [](FakePC& pc) {
       installedWithDiary(pc);
       pc.writeDiary(kRoaming + L"\\Pisarion");  // of an installation under Program Files
       pc.running.insert(D + L"\\Pisarion.exe");
     },
     Action::Remove, D, {true, true, true}, Outcome::Done, false, Diary::Gone, L"z njim tudi dnevnik",
     [](const FakePC& pc) { EXPECT_TRUE(pc.files.count(kRoaming + L"\\Pisarion\\Podatki.ini")); }},
    {"MachineWideRemovalWithTheDiaryInTheUsersFolder",
     [](FakePC& pc) {
       pc.admin = true;
       installer::install(pc, pc, kMachine, {});
       pc.writeDiary(kRoaming + L"\\Pisarion");
       pc.self = kMachine + L"\\Namestko.exe";
     },
     Action::Remove, kMachine, {true, true}, Outcome::Done, false, Diary::Gone, L"z njim tudi dnevnik",
     [](const FakePC& pc) { EXPECT_FALSE(pc.folders.count(kRoaming + L"\\Pisarion")); }},
    {"RemovalTheUserDeclines", installedWithDiary, Action::Remove, D, {false}, Outcome::Cancelled, false,
     Diary::Unchanged, L"Dnevnik ostane, kjer je"},
};

INSTANTIATE_TEST_SUITE_P(Installer, Scenario, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InstallerFolder, TheProposalAndWhatMayBeTyped) {
  FakePC pc;
  EXPECT_EQ(proposedFolder(pc), D);
  pc.registered[Scope::Machine].installLocation = kMachine;
  EXPECT_EQ(proposedFolder(pc), kMachine);  // an upgrade goes where the diary is
  const std::pair<std::wstring, std::wstring> typed[] = {
      {L"  D:\\Dnevnik\\\\ ", L"D:\\Dnevnik"},
      {L"D:/Dnevnik/Moj/", L"D:\\Dnevnik\\Moj"},
      {L"\\\\streznik\\deljeno\\Pisarion", L"\\\\streznik\\deljeno\\Pisarion"},
      {L"Pisarion", L""},  // relative to wherever Namestko runs
      {L"\\Pisarion", L""},
      {L"c:Pisarion", L""},
      {L"D:\\", L""},  // a drive's root is no folder of its own
      {L"c:\\Pis*rion", L""},
      {L"c:\\a\\b:c", L""},
      {L"c:\\Users\\..\\Windows", L""},
  };
  for (const auto& [in, out] : typed) EXPECT_EQ(targetFolder(in, pc), out) << std::string(in.begin(), in.end());
  EXPECT_EQ(scopeOf(L"c:\\program files\\Pisarion", pc), Scope::Machine);
  EXPECT_EQ(scopeOf(L"C:\\Program Files Mine\\Pisarion", pc), Scope::PerUser);
}

TEST(InstallerTexts, QuestionBarAndInitialSettings) {
  EXPECT_EQ(questionText(),
            L"Tarnwick Namestko bo v vaš računalnik namestil \r\nTarnwick Pisarion 1.0.31.\r\n\r\nŽelite nadaljevati?");
  EXPECT_DOUBLE_EQ(progressWidth(3765, 69), 2556.45);
  EXPECT_EQ(progressText(69), L"69 %");
  const store::Settings s = store::parseSettings(initialSettings(), {u','});
  EXPECT_EQ(s.top, 1500);
  EXPECT_EQ(s.left, 1500);
  EXPECT_TRUE(s.password.empty());
}

}  // namespace

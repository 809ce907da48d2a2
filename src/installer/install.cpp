// Installing and upgrading: the folder, the checks before anything is
// touched, then the files, the shortcuts and the entry in the list of
// installed programs, in that order.
#include "installer/installer.h"
#include "installer/steps.h"
#include "store/settings.h"

namespace installer {

using steps::join;

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool isDriveLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// The folder the diary writes its entries to, as the diary chooses it: beside
// the program when the user can write there, which a per-user installation
// is made for; for an installation under Program Files, the user's own.
std::wstring entriesFolder(Operations& ops, const std::wstring& target, Scope scope) {
  if (scope == Scope::PerUser) return join(target, L"Podatki");
  const std::wstring user = steps::userDiaryFolder(ops);
  return join(user.empty() ? L"%APPDATA%\\Pisarion" : user, L"Podatki");
}

Registration registrationFor(const std::wstring& target, uint64_t bytes) {
  Registration r;
  r.displayName = L"Pisarion";
  r.displayVersion = kVersion;
  r.publisher = L"Tarnwick";
  r.displayIcon = join(target, kProgramFile) + L",0";
  r.installLocation = target;
  r.uninstallString = L"\"" + join(target, kSetupFile) + L"\" " + kRemoveSwitch;
  r.estimatedSizeKb = static_cast<uint32_t>((bytes + 1023) / 1024);
  return r;
}

// One run of the installation: each step records its failure, and the bar
// stops at the first one.
class Installing {
 public:
  Installing(Operations& ops, const std::wstring& target, const std::function<void(int)>& progress)
      : m_ops(ops), m_target(target), m_scope(scopeOf(target, ops)), m_progress(progress) {}

  void run(std::span<const uint8_t> program) {
    m_upgrade = m_ops.exists(join(m_target, kProgramFile));
    makeFolder(join(m_target, L"Podatki"));
    placeSettings();
    advance(12);
    const bool programInPlace =
        write(join(m_target, kProgramFile), [&](const std::wstring& path) { return m_ops.writeFile(path, program); });
    advance(69);
    if (!programInPlace) {
      m_failures.push_back(L"Pisarion ni nameščen; bližnjice niso bile ustvarjene.");
      return;  // a shortcut to nothing helps nobody
    }
    const std::wstring setup = join(m_target, kSetupFile);
    const bool setupInPlace =
        steps::samePath(m_ops.selfPath(), setup) ||
        write(setup, [&](const std::wstring& path) { return m_ops.copyFile(m_ops.selfPath(), path); });
    makeShortcuts();
    // Without Namestko.exe beside it the entry could not remove the diary.
    if (setupInPlace) {
      const uint64_t bytes = m_ops.fileSize(join(m_target, kProgramFile)).value_or(program.size()) +
                             m_ops.fileSize(setup).value_or(0);
      if (!m_ops.writeRegistration(m_scope, registrationFor(m_target, bytes)))
        m_failures.push_back(L"Pisarion ni bil vpisan med nameščene programe.");
    }
    advance(100);
  }

  Message finalMessage() {
    if (!m_failures.empty()) return {steps::listed(L"Namestitev ni v celoti uspela:", m_failures), Icon::Error};
    const std::wstring entries = entriesFolder(m_ops, m_target, m_scope);
    std::wstring text = L"Končano...\r\n\r\n";
    if (m_upgrade)
      text += L"Pisarion v mapi " + m_target + L" je posodobljen; zapiski, nastavitve in varnostne kopije so "
              L"ostali, kot so bili.\r\nZapiski so v mapi " + entries + L".";
    else
      text += L"Pisarion je nameščen v mapo " + m_target + L".\r\nZapiske bo hranil v mapi " + entries + L".";
    if (m_scope == Scope::Machine) text += L"\r\nVsak uporabnik tega računalnika ima svoje.";
    return {text, Icon::Exclamation};
  }

 private:
  void advance(int percent) {
    if (m_failures.empty() && m_progress) m_progress(percent);
  }

  void makeFolder(const std::wstring& folder) {
    if (!m_ops.createFolder(folder)) m_failures.push_back(L"Mape " + folder + L" ni bilo mogoče ustvariti.");
  }

  bool write(const std::wstring& path, const std::function<bool(const std::wstring&)>& how) {
    if (how(path)) return true;
    m_failures.push_back(L"Datoteke " + path + L" ni bilo mogoče zapisati.");
    return false;
  }

  // A settings file already there is the user's (their window's place and
  // their password) and is kept.
  void placeSettings() {
    const std::wstring file = join(m_target, L"Podatki.ini");
    if (m_ops.exists(file)) return;
    write(file, [&](const std::wstring& path) { return m_ops.writeNewFile(path, initialSettings()); });
  }

  void makeShortcuts() {
    const std::wstring program = join(m_target, kProgramFile);
    Shortcut shortcut;
    shortcut.targetPath = program;
    shortcut.workingDirectory = m_target;
    shortcut.iconPath = program;
    const std::vector<std::wstring> files = steps::shortcutFiles(m_ops, m_scope);
    if (files.size() < 2) m_failures.push_back(L"Namestko ni našel namizja ali menija Start za bližnjice.");
    for (const std::wstring& file : files)
      if (!m_ops.createShortcut(file, shortcut))
        m_failures.push_back(L"Bližnjice " + file + L" ni bilo mogoče ustvariti.");
  }

  Operations& m_ops;
  const std::wstring m_target;
  const Scope m_scope;
  const std::function<void(int)>& m_progress;
  bool m_upgrade = false;
  std::vector<std::wstring> m_failures;  // one sentence each, in order
};

}  // namespace

std::wstring questionText() {
  const std::wstring lineBreak = L"\r\n";
  return L"Tarnwick Namestko bo v vaš računalnik namestil " + lineBreak + L"Tarnwick Pisarion " + kVersion + L"." +
         lineBreak + lineBreak + L"Želite nadaljevati?";
}

std::wstring proposedFolder(Operations& ops) {
  for (Scope scope : {Scope::PerUser, Scope::Machine}) {
    const auto registered = ops.readRegistration(scope);
    if (registered && !targetFolder(registered->installLocation, ops).empty())
      return targetFolder(registered->installLocation, ops);
  }
  const std::wstring local = ops.specialFolder(SpecialFolder::LocalAppData, Scope::PerUser);
  return join(local.empty() ? L"%LOCALAPPDATA%" : local, L"Programs\\Pisarion");
}

std::wstring targetFolder(const std::wstring& typed, Operations& ops) {
  size_t first = 0, last = typed.size();
  while (first < last && isBlank(typed[first])) ++first;
  while (last > first && isBlank(typed[last - 1])) --last;
  std::wstring folder = ops.expandEnvironment(typed.substr(first, last - first));
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  // A folder of its own: "X:" alone is wherever that drive's current folder
  // is, and a drive's root would share its files with everything else there.
  const bool drive = folder.size() > 3 && folder[1] == L':' && isDriveLetter(folder[0]) && folder[2] == L'\\';
  const bool share = folder.size() > 2 && folder[0] == L'\\' && folder[1] == L'\\';
  if (!drive && !share) return {};
  // Wildcards, the characters Windows forbids in names, and "." or ".."
  // steps would put the diary somewhere else than the folder the user read.
  for (size_t i = 2; i < folder.size(); ++i)
    if (folder[i] == L'*' || folder[i] == L'?' || folder[i] == L'"' || folder[i] == L'<' || folder[i] == L'>' ||
        folder[i] == L'|' || folder[i] == L':' || folder[i] < L' ')
      return {};
  for (size_t at = 0; (at = folder.find(L"\\.", at)) != std::wstring::npos; ++at) {
    const size_t end = folder.find(L'\\', at + 1);
    const std::wstring step = folder.substr(at + 1, end == std::wstring::npos ? std::wstring::npos : end - at - 1);
    if (step == L"." || step == L"..") return {};
  }
  return folder;
}

Scope scopeOf(const std::wstring& folder, Operations& ops) {
  for (const std::wstring& programFiles : ops.programFilesFolders())
    if (steps::inside(folder, programFiles)) return Scope::Machine;
  return Scope::PerUser;
}

std::string initialSettings() {
  store::Settings s;
  s.top = 1500;
  s.left = 1500;
  return store::formatSettings(s, {u','});
}

Outcome install(Operations& ops, User& user, const std::wstring& target, const std::function<void(int)>& progress) {
  // Nothing is touched before the program Namestko carries proves whole.
  const std::span<const uint8_t> program = ops.payload();
  const std::string digest = program.empty() ? std::string() : ops.sha256(program);
  if (digest.empty() || digest != ops.payloadSha256()) {
    user.answer({L"Namestko.exe je poškodovan: program Pisarion, ki ga nosi v sebi, ni tak, kot je bil ob izdelavi. "
                 L"Nič ni bilo nameščeno.\r\n\r\nPrenesite Namestko.exe znova.",
                 Icon::Error});
    return Outcome::Failed;
  }
  if (scopeOf(target, ops) == Scope::Machine && !ops.elevated())
    return steps::handOver(ops, user,
                           L"Za namestitev v mapo " + target +
                               L", za vse uporabnike tega računalnika, potrebuje Namestko skrbniške pravice.",
                           {kFolderSwitch, target});
  if (!steps::closeRunningDiary(ops, user, join(target, kProgramFile))) return Outcome::Cancelled;
  if (!ops.createFolder(target)) {
    user.answer({L"Mape " + target + L" ni bilo mogoče ustvariti. Nič ni bilo nameščeno.\r\n\r\n"
                 L"Izberite drugo mapo.",
                 Icon::Error});
    return Outcome::Failed;
  }
  Installing installing(ops, target, progress);
  installing.run(program);
  user.answer(installing.finalMessage());
  return Outcome::Done;
}

double progressWidth(double frameTwips, int percent) { return (frameTwips - 60) * percent / 100; }

std::wstring progressText(int percent) { return std::to_wstring(percent) + L" %"; }

Message invalidFolderMessage(Operations& ops) {
  return {L"Vpišite celotno pot do mape, v katero naj se namesti Pisarion (na primer " + proposedFolder(ops) + L").",
          Icon::Error};
}

}  // namespace installer

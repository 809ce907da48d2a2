// Removing the diary: the program, its shortcuts and its entry in the list
// of installed programs. The diary's own files stay unless the user, asked
// separately, wants them gone too.
#include "installer/installer.h"
#include "installer/steps.h"

namespace installer {

using steps::join;

namespace {

// Everything the diary writes into its folder; whatever else is there is
// not the diary's and stays.
constexpr const wchar_t* kDiaryTrees[] = {L"Podatki", L"Varnostne kopije"};
constexpr const wchar_t* kDiaryFiles[] = {L"Podatki.ini", L"TMP.tkw", L"~Podatki.ini.tmp", L"Pisarion-mapa.txt",
                                          L"~Pisarion-mapa.tmp"};

class Removing {
 public:
  Removing(Operations& ops, const Installation& installation)
      : m_ops(ops), m_folder(installation.folder), m_scope(installation.scope),
        m_diaryFolders(steps::diaryFolders(ops, installation)) {}

  std::wstring whereTheDiaryIs() const { return steps::whereTheDiaryIs(m_ops, m_diaryFolders); }

  void removeProgram() {
    removeFile(join(m_folder, kProgramFile));
    for (const std::wstring& shortcut : steps::shortcutFiles(m_ops, m_scope)) removeFile(shortcut);
    // The entry may name another installation, made later elsewhere; it stays.
    const auto registered = m_ops.readRegistration(m_scope);
    if (registered && !steps::samePath(targetFolder(registered->installLocation, m_ops), m_folder)) return;
    if (!m_ops.removeRegistration(m_scope))
      m_failures.push_back(L"Pisarion ni bil izbrisan s seznama nameščenih programov.");
  }

  void removeDiary() {
    for (const std::wstring& folder : m_diaryFolders) {
      for (const wchar_t* tree : kDiaryTrees)
        if (!m_ops.removeTree(join(folder, tree)))
          m_failures.push_back(L"Mape " + join(folder, tree) + L" ni bilo mogoče izbrisati.");
      for (const wchar_t* file : kDiaryFiles) removeFile(join(folder, file));
      if (!steps::samePath(folder, m_folder)) m_ops.removeEmptyFolder(folder);
    }
  }

  // Namestko.exe goes last: the uninstall entry runs it from the program's
  // folder, and a running program's file can only go once it has ended.
  void removeSetupAndFolder() {
    const std::wstring setup = join(m_folder, kSetupFile);
    if (steps::samePath(m_ops.selfPath(), setup)) {
      if (!m_ops.removeWhenEnded(setup, m_folder))
        m_failures.push_back(L"Datoteke " + setup + L" ni bilo mogoče izbrisati.");
      return;
    }
    removeFile(setup);
    m_ops.removeEmptyFolder(m_folder);
  }

  Message finalMessage(bool diaryKept) const {
    const std::wstring where = whereTheDiaryIs();
    const std::wstring kept = diaryKept && !where.empty() ? L"\r\n\r\nDnevnik je ostal: " + where + L"." : L"";
    if (!m_failures.empty()) return {steps::listed(L"Odstranitev ni v celoti uspela:", m_failures) + kept, Icon::Error};
    if (!diaryKept) return {L"Pisarion je odstranjen, z njim tudi dnevnik.", Icon::Information};
    return {L"Pisarion je odstranjen." + kept, Icon::Information};
  }

 private:
  void removeFile(const std::wstring& path) {
    if (!m_ops.removeFile(path)) m_failures.push_back(L"Datoteke " + path + L" ni bilo mogoče izbrisati.");
  }

  Operations& m_ops;
  const std::wstring m_folder;
  const Scope m_scope;
  const std::vector<std::wstring> m_diaryFolders;
  std::vector<std::wstring> m_failures;
};

}  // namespace

std::optional<Installation> findInstallation(Operations& ops) {
  const std::wstring own = steps::parentOf(ops.selfPath());
  std::optional<Installation> registered;
  for (Scope scope : {Scope::PerUser, Scope::Machine}) {
    const auto r = ops.readRegistration(scope);
    if (!r) continue;
    const std::wstring folder = targetFolder(r->installLocation, ops);
    if (folder.empty()) continue;
    if (steps::samePath(folder, own)) return Installation{own, scope};
    if (!registered) registered = Installation{folder, scope};
  }
  if (ops.exists(join(own, kProgramFile))) return Installation{own, scopeOf(own, ops)};
  return registered;
}

Outcome remove(Operations& ops, User& user) {
  const std::optional<Installation> found = findInstallation(ops);
  if (!found) {
    user.answer({L"Pisarion ni nameščen: Namestko ga ni našel ne v svoji mapi ne na seznamu nameščenih programov.",
                 Icon::Information});
    return Outcome::Failed;
  }
  if (found->scope == Scope::Machine && !ops.elevated())
    return steps::handOver(ops, user,
                           L"Pisarion je nameščen za vse uporabnike tega računalnika, v mapi " + found->folder +
                               L"; za odstranitev potrebuje Namestko skrbniške pravice.",
                           {kRemoveSwitch});

  Removing removing(ops, *found);
  const std::wstring where = removing.whereTheDiaryIs();
  if (!user.answer({L"Odstranim Pisarion iz mape " + found->folder + L"?\r\n\r\n" +
                        (where.empty() ? L"Dnevnik še nima zapiskov."
                                       : L"Dnevnik ostane, kjer je: " + where + L"."),
                    Icon::Question, Buttons::YesNo}))
    return Outcome::Cancelled;
  // A separate question, No the default: the diary is the user's writing.
  const bool deleteDiary =
      !where.empty() && user.answer({L"Želite izbrisati tudi dnevnik?\r\n\r\nIzbrisani bodo vsi zapiski in vse "
                                     L"varnostne kopije (" + where + L"). Tega ni mogoče razveljaviti.",
                                     Icon::Exclamation, Buttons::YesNoDefaultNo});
  if (!steps::closeRunningDiary(ops, user, join(found->folder, kProgramFile))) return Outcome::Cancelled;

  removing.removeProgram();
  if (deleteDiary) removing.removeDiary();
  removing.removeSetupAndFolder();
  user.answer(removing.finalMessage(!deleteDiary));
  return Outcome::Done;
}

}  // namespace installer

#include "installer/steps.h"

namespace installer::steps {

namespace {

// Letter case as Windows folds it for the letters a path of this diary's
// users holds: ASCII, Latin-1 and Latin Extended-A (č, š, ž, ć, đ ...).
wchar_t folded(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  if (c >= 0x100 && c <= 0x17F) {
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x178 || c == 0x17F) return c;
    if (oddUpper ? (c % 2 == 1) : (c % 2 == 0)) return static_cast<wchar_t>(c + 1);
  }
  return c;
}

std::wstring trimmed(std::wstring p) {
  while (p.size() > 3 && p.back() == L'\\') p.pop_back();
  return p;
}

}  // namespace

std::wstring join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

std::wstring parentOf(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool samePath(const std::wstring& a, const std::wstring& b) {
  const std::wstring x = trimmed(a), y = trimmed(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i)
    if (folded(x[i]) != folded(y[i])) return false;
  return true;
}

bool inside(const std::wstring& path, const std::wstring& folder) {
  const std::wstring f = trimmed(folder);
  if (f.empty() || path.size() < f.size()) return false;
  if (!samePath(path.substr(0, f.size()), f)) return false;
  return path.size() == f.size() || path[f.size()] == L'\\' || f.back() == L'\\';
}

std::vector<std::wstring> shortcutFiles(Operations& ops, Scope scope) {
  std::vector<std::wstring> files;
  for (SpecialFolder where : {SpecialFolder::Desktop, SpecialFolder::Programs}) {
    const std::wstring folder = ops.specialFolder(where, scope);
    if (!folder.empty()) files.push_back(join(folder, kShortcutName));
  }
  return files;
}

std::wstring userDiaryFolder(Operations& ops) {
  const std::wstring roaming = ops.specialFolder(SpecialFolder::RoamingAppData, Scope::PerUser);
  return roaming.empty() ? std::wstring() : join(roaming, L"Pisarion");
}

std::vector<std::wstring> diaryFolders(Operations& ops, const Installation& installation) {
  std::vector<std::wstring> folders{installation.folder};
  const std::wstring user = userDiaryFolder(ops);
  if (installation.scope == Scope::Machine && !user.empty()) folders.push_back(user);
  return folders;
}

bool holdsDiary(Operations& ops, const std::wstring& folder) {
  for (const wchar_t* name : {L"Podatki", L"Podatki.ini", L"Varnostne kopije"})
    if (ops.exists(join(folder, name))) return true;
  return false;
}

std::wstring whereTheDiaryIs(Operations& ops, const std::vector<std::wstring>& folders) {
  std::wstring text;
  for (const std::wstring& folder : folders) {
    if (!holdsDiary(ops, folder)) continue;
    if (!text.empty()) text += L"; ";
    text += L"zapiski so v mapi " + join(folder, L"Podatki");
    const std::wstring backups = join(folder, L"Varnostne kopije");
    if (ops.exists(backups)) text += L", varnostne kopije v mapi " + backups;
  }
  return text;
}

bool closeRunningDiary(Operations& ops, User& user, const std::wstring& program) {
  if (!ops.diaryRunning(program)) return true;
  if (!user.answer({L"Pisarion je odprt. Namestko ga bo zaprl; današnji zapis se pri tem shrani.\r\n\r\nNadaljujem?",
                    Icon::Question, Buttons::OkCancel}))
    return false;
  while (!ops.closeDiary(program)) {
    if (!user.answer({L"Pisarion se ni zaprl (morda čaka na vaš odgovor). Zaprite ga sami, nato izberite "
                      L"Poskusi znova.",
                      Icon::Exclamation, Buttons::RetryCancel}))
      return false;
  }
  return true;
}

Outcome handOver(Operations& ops, User& user, const std::wstring& why, const std::vector<std::wstring>& arguments) {
  if (!user.answer({why + L" Windows vas bo vprašal zanje.", Icon::Information, Buttons::OkCancel}))
    return Outcome::Cancelled;
  if (ops.restartElevated(arguments)) return Outcome::HandedOver;
  user.answer({L"Namestko ni dobil skrbniških pravic, zato ni ničesar spremenil.", Icon::Exclamation, Buttons::Ok});
  return Outcome::Cancelled;
}

std::wstring listed(const std::wstring& heading, const std::vector<std::wstring>& lines) {
  std::wstring text = heading + L"\r\n";
  for (const std::wstring& line : lines) text += L"\r\n" + line;
  return text;
}

}  // namespace installer::steps

#include "installer/installer.h"

#include "store/settings.h"

namespace installer {

namespace {

std::wstring join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring copyFailure(const Step& step) {
  return L"Datoteke " + step.source + L" ni bilo mogoče kopirati v " + step.destination + L".";
}

}  // namespace

std::wstring questionText() {
  const std::wstring lineBreak = L"\r\n";
  return L"Tarnwick Namestko bo v vaš računalnik namestil " + lineBreak + L"Tarnwick Pisarion 1.0.31" + L"." + lineBreak +
         lineBreak + L"Želite nadaljevati?";
}

std::wstring targetFolder(const std::wstring& typed, Operations& ops) {
  size_t first = 0, last = typed.size();
  while (first < last && isBlank(typed[first])) ++first;
  while (last > first && isBlank(typed[last - 1])) --last;
  std::wstring folder = ops.expandEnvironment(typed.substr(first, last - first));
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';  // the shell's copy takes backslashes only
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  const bool drive = folder.size() >= 2 && folder[1] == L':' &&
                     ((folder[0] >= L'a' && folder[0] <= L'z') || (folder[0] >= L'A' && folder[0] <= L'Z')) &&
                     (folder.size() == 2 || folder[2] == L'\\');
  const bool share = folder.size() > 2 && folder[0] == L'\\' && folder[1] == L'\\';
  if (!drive && !share) return {};
  // A path with wildcards or the characters Windows forbids in names would
  // make the shell's copy do something else than asked.
  for (size_t i = 2; i < folder.size(); ++i)
    if (folder[i] == L'*' || folder[i] == L'?' || folder[i] == L'"' || folder[i] == L'<' || folder[i] == L'>' ||
        folder[i] == L'|' || folder[i] == L':')
      return {};
  return folder;
}

std::vector<Step> plan(const std::wstring& windows, const std::wstring& target) {
  const std::wstring temp = join(windows, L"TEMP");
  return {
      {StepKind::CreateFolder, L"", target + L"\\", std::nullopt},
      {StepKind::CreateFolder, L"", join(target, L"Podatki\\"), std::nullopt},
      {StepKind::PlaceSettings, join(temp, L"Podatki.ini"), join(target, L"Podatki.ini"), 12},
      {StepKind::CopyFile, join(temp, L"PSR.EXE"), join(target, L"Pisarion.exe"), 69},
      {StepKind::CopyFile, join(temp, L"RICHTX32.OCX"), join(windows, L"SYSTEM\\RICHTX32.OCX"), 100},
  };
}

std::string initialSettings() {
  store::Settings s;
  s.top = 1500;
  s.left = 1500;
  return store::formatSettings(s, {u','});
}

double progressWidth(double frameTwips, int percent) { return (frameTwips - 60) * percent / 100; }

std::wstring progressText(int percent) { return std::to_wstring(percent) + L" %"; }

Result install(Operations& ops, const std::wstring& target, const std::function<void(int)>& progress,
               const std::function<void()>& makingShortcuts) {
  Result result;
  for (const Step& step : plan(ops.windowsFolder(), target)) {
    switch (step.kind) {
      case StepKind::CreateFolder:
        if (!ops.createFolder(step.destination))
          result.failures.push_back(L"Mape " + step.destination + L" ni bilo mogoče ustvariti.");
        break;
      case StepKind::CopyFile:
        if (!ops.copyFile(step.source, step.destination)) result.failures.push_back(copyFailure(step));
        break;
      case StepKind::PlaceSettings:
        // A reinstall keeps the user's window position and password.
        if (ops.exists(step.destination)) break;
        if (ops.exists(step.source)) {
          if (!ops.copyFile(step.source, step.destination)) result.failures.push_back(copyFailure(step));
        } else if (!ops.writeNewFile(step.destination, initialSettings())) {
          result.failures.push_back(L"Datoteke " + step.destination + L" ni bilo mogoče zapisati.");
        }
        break;
    }
    // The bar stops where a step failed: it never reads 100 % for an
    // installation that is not whole.
    if (step.progressAfter && progress && result.failures.empty()) progress(*step.progressAfter);
  }

  const std::wstring program = join(target, L"Pisarion.exe");
  result.programInPlace = ops.exists(program);
  if (!result.programInPlace) return result;  // a shortcut to nothing helps nobody

  if (makingShortcuts) makingShortcuts();
  Shortcut shortcut;
  shortcut.targetPath = program;
  shortcut.workingDirectory = target;
  shortcut.iconPath = program;
  shortcut.iconIndex = 0;
  for (SpecialFolder where : {SpecialFolder::Desktop, SpecialFolder::Programs}) {
    const std::wstring folder = ops.specialFolder(where);
    const std::wstring file = join(folder, kShortcutName);
    if (!folder.empty() && ops.createShortcut(file, shortcut))
      ++result.shortcutsMade;
    else
      result.failures.push_back(L"Bližnjice " + (folder.empty() ? std::wstring(kShortcutName) : file) +
                                L" ni bilo mogoče ustvariti.");
  }
  return result;
}

Message finalMessage(const Result& result) {
  if (result.failures.empty()) return {L"Končano...", false};
  std::wstring text = L"Namestitev ni v celoti uspela:\r\n";
  for (const std::wstring& f : result.failures) text += L"\r\n" + f;
  if (!result.programInPlace) text += L"\r\n\r\nPisarion ni nameščen; bližnjice niso bile ustvarjene.";
  return {text, true};
}

Message invalidFolderMessage() {
  return {L"Vpišite celotno pot do mape, v katero naj se namesti Pisarion (na primer c:\\Program Files\\Pisarion).", true};
}

}  // namespace installer

#pragma once
// Namestko, the setup program of the diary: what it copies where, in which
// order, and what it tells the user at the end. The file system and the shell
// are reached only through `Operations`, so that the whole installation can
// run against a fake as well as against Windows.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace installer {

inline constexpr wchar_t kProgramTitle[] = L"Namestko";
inline constexpr wchar_t kInitialFolder[] = L"c:\\Program Files\\Pisarion";
inline constexpr wchar_t kShortcutName[] = L"Tarnwick Pisarion.lnk";
inline constexpr int kShortcutWindowStyle = 4;

enum class SpecialFolder { Desktop, Programs };

struct Shortcut {
  std::wstring targetPath;
  std::wstring workingDirectory;
  int windowStyle = kShortcutWindowStyle;
  std::wstring iconPath;
  int iconIndex = 0;
};

class Operations {
 public:
  virtual ~Operations() = default;
  // The Windows folder; empty when the system does not tell.
  virtual std::wstring windowsFolder() = 0;
  virtual std::wstring expandEnvironment(const std::wstring& text) = 0;
  virtual bool exists(const std::wstring& path) = 0;
  // True when the folder exists afterwards (also when it existed before; an
  // existing folder and what is in it are left alone).
  virtual bool createFolder(const std::wstring& path) = 0;
  // Copies one file over whatever is at `to`; true only when the copy is there.
  virtual bool copyFile(const std::wstring& from, const std::wstring& to) = 0;
  // Creates a new file; never replaces an existing one.
  virtual bool writeNewFile(const std::wstring& path, const std::string& bytes) = 0;
  // The folder's path; empty when it is unknown.
  virtual std::wstring specialFolder(SpecialFolder folder) = 0;
  virtual bool createShortcut(const std::wstring& file, const Shortcut& shortcut) = 0;
};

enum class StepKind {
  CreateFolder,
  CopyFile,      // the copy replaces an older file (the program, the control)
  PlaceSettings  // a settings file already there is the user's and is kept
};

struct Step {
  StepKind kind;
  std::wstring source;  // empty for a folder
  std::wstring destination;
  std::optional<int> progressAfter;
};

// "Tarnwick Namestko bo v vaš računalnik namestil ..." with its line breaks.
std::wstring questionText();

// The folder as typed, with blanks around it and trailing backslashes
// removed and environment variables expanded; empty when it cannot be an
// installation folder (it must be a full path: "X:\..." or "\\server\...").
std::wstring targetFolder(const std::wstring& typed, Operations& ops);

// Every step for the Windows folder `windows` and the target folder `target`.
std::vector<Step> plan(const std::wstring& windows, const std::wstring& target);

// The settings file Namestko writes when none comes with the setup files:
// four encoded lines, the main window near the top left of the screen,
// not kept on top, no password.
std::string initialSettings();

// The width of the filled part of the progress bar, in twips, for a frame
// `frameTwips` wide, at `percent`.
double progressWidth(double frameTwips, int percent);
std::wstring progressText(int percent);
inline constexpr wchar_t kPreparingText[] = L"Pripravljam na namestitev...";
inline constexpr wchar_t kShortcutsText[] = L"Ustvarjam bližnjice...";

struct Result {
  std::vector<std::wstring> failures;  // one sentence each, in order
  bool programInPlace = false;
  int shortcutsMade = 0;
};

// Runs the plan for the typed folder (already checked with targetFolder):
// creates the folders, copies the files (reporting progress after each),
// then makes the two shortcuts when the program is in place, telling
// `makingShortcuts` first (the shell can take seconds). A failing step does
// not stop the next one; it is recorded, and progress is reported no further.
Result install(Operations& ops, const std::wstring& target, const std::function<void(int)>& progress,
               const std::function<void()>& makingShortcuts = {});

struct Message {
  std::wstring text;
  bool error = false;  // the critical icon instead of the exclamation
};

// "Končano..." only when everything succeeded; otherwise what failed.
Message finalMessage(const Result& result);
// Shown when the folder box holds nothing usable.
Message invalidFolderMessage();

}  // namespace installer

#pragma once
// Namestko, the diary's setup program: what it puts where, in which order,
// and what it asks and tells the user, both to install (or upgrade) and to
// remove the diary. The system is reached only through `Operations` and the
// user only through `User`, so that a whole installation or removal can run
// against fakes as well as against Windows.
//
// Namestko carries the diary program inside itself and takes nothing from any
// other folder. It installs for the user who runs it, into the user's own
// programs folder, unless a folder under Program Files is chosen: that is an
// installation for every user of the PC, which needs administrator rights.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace installer {

inline constexpr wchar_t kProgramTitle[] = L"Namestko";
inline constexpr wchar_t kVersion[] = L"" PISARION_VERSION;
inline constexpr wchar_t kProgramFile[] = L"Pisarion.exe";
inline constexpr wchar_t kSetupFile[] = L"Namestko.exe";
inline constexpr wchar_t kShortcutName[] = L"Tarnwick Pisarion.lnk";
inline constexpr int kShortcutWindowStyle = 4;

// Command-line words of Namestko.exe.
inline constexpr wchar_t kRemoveSwitch[] = L"/odstrani";  // the uninstall entry runs this
inline constexpr wchar_t kFolderSwitch[] = L"/mapa";      // install into the folder after it, at once

// For one user (their own folders, HKEY_CURRENT_USER) or for every user of
// the PC (Program Files, the common Start menu, HKEY_LOCAL_MACHINE).
enum class Scope { PerUser, Machine };

enum class SpecialFolder {
  Desktop,
  Programs,        // the Start menu's programs
  LocalAppData,    // the user's, for both scopes
  RoamingAppData,  // the user's, for both scopes
};

struct Shortcut {
  std::wstring targetPath;
  std::wstring workingDirectory;
  int windowStyle = kShortcutWindowStyle;
  std::wstring iconPath;
  int iconIndex = 0;
};

// The diary's entry in the list of installed programs.
struct Registration {
  std::wstring displayName;
  std::wstring displayVersion;
  std::wstring publisher;
  std::wstring displayIcon;
  std::wstring installLocation;
  std::wstring uninstallString;
  uint32_t estimatedSizeKb = 0;
  bool operator==(const Registration&) const = default;
};

class Operations {
 public:
  virtual ~Operations() = default;

  // --- Namestko itself
  // The diary program it carries; empty when it cannot be read.
  virtual std::span<const uint8_t> payload() = 0;
  // The payload's SHA-256 as written when Namestko was built, lowercase hex.
  virtual std::string payloadSha256() = 0;
  // SHA-256 of the bytes, lowercase hex; empty when the system cannot tell.
  virtual std::string sha256(std::span<const uint8_t> bytes) = 0;
  // The full path of the running Namestko.exe.
  virtual std::wstring selfPath() = 0;
  virtual bool elevated() = 0;
  // Starts Namestko again with administrator rights (Windows asks the user)
  // and the given arguments; false when the user refused or it failed.
  virtual bool restartElevated(const std::vector<std::wstring>& arguments) = 0;

  // --- Folders of the system and the user
  virtual std::wstring expandEnvironment(const std::wstring& text) = 0;
  // The folder's path; empty when it is unknown.
  virtual std::wstring specialFolder(SpecialFolder folder, Scope scope) = 0;
  // Program Files, and its 32-bit sibling where there is one.
  virtual std::vector<std::wstring> programFilesFolders() = 0;

  // --- Files
  virtual bool exists(const std::wstring& path) = 0;
  // With any missing parents; true when the folder exists afterwards (an
  // existing folder and what is in it are left alone).
  virtual bool createFolder(const std::wstring& path) = 0;
  // Replaces the file whole: `path` holds the old or the new bytes, never a part.
  virtual bool writeFile(const std::wstring& path, std::span<const uint8_t> bytes) = 0;
  // Creates a new file; never replaces an existing one.
  virtual bool writeNewFile(const std::wstring& path, const std::string& bytes) = 0;
  // Copies `from` over `to` as writeFile does.
  virtual bool copyFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual std::optional<uint64_t> fileSize(const std::wstring& path) = 0;
  // Each true when nothing is left at `path` (also when nothing was there).
  virtual bool removeFile(const std::wstring& path) = 0;
  virtual bool removeTree(const std::wstring& path) = 0;
  // A folder with anything in it stays (and the answer is false).
  virtual bool removeEmptyFolder(const std::wstring& path) = 0;
  // The running Namestko.exe cannot remove its own file: `file` is removed
  // once this program has ended, and then `folder` when it is empty.
  virtual bool removeWhenEnded(const std::wstring& file, const std::wstring& folder) = 0;

  // --- The shell and the list of installed programs
  virtual bool createShortcut(const std::wstring& file, const Shortcut& shortcut) = 0;
  virtual std::optional<Registration> readRegistration(Scope scope) = 0;
  virtual bool writeRegistration(Scope scope, const Registration& registration) = 0;
  virtual bool removeRegistration(Scope scope) = 0;

  // --- A diary running from `program`
  virtual bool diaryRunning(const std::wstring& program) = 0;
  // Asks every diary running from `program` to close, as its close button
  // would (it saves today's entry and its settings), and waits a while for
  // them to end; true when none runs any more.
  virtual bool closeDiary(const std::wstring& program) = 0;
};

enum class Icon { Information, Question, Exclamation, Error };
enum class Buttons {
  Ok,
  OkCancel,
  YesNo,           // Yes is the default
  YesNoDefaultNo,  // for what cannot be undone
  RetryCancel,
};

struct Message {
  std::wstring text;
  Icon icon = Icon::Information;
  Buttons buttons = Buttons::Ok;
};

class User {
 public:
  virtual ~User() = default;
  // Shows the message and waits: true for OK, Yes and Retry.
  virtual bool answer(const Message& message) = 0;
};

enum class Outcome {
  Done,        // installed or removed, perhaps not wholly (the user was told)
  Failed,      // nothing installed or removed (the user was told why)
  Cancelled,   // the user said no; nothing changed
  HandedOver,  // a copy with administrator rights carries on
};

// --- Installing

// "Tarnwick Namestko bo v vaš računalnik namestil ..." with its line breaks.
std::wstring questionText();

// The folder proposed in the folder box: where the diary is installed
// already, else the user's own programs folder.
std::wstring proposedFolder(Operations& ops);

// The folder as typed, with blanks around it and trailing backslashes
// removed and environment variables expanded; empty when it cannot be an
// installation folder (it must be a full path: "X:\..." or "\\server\...").
std::wstring targetFolder(const std::wstring& typed, Operations& ops);

// Machine for a folder inside Program Files, PerUser for any other.
Scope scopeOf(const std::wstring& folder, Operations& ops);

// The settings file Namestko writes when there is none: four encoded lines,
// the main window near the top left of the screen, not kept on top, no
// password.
std::string initialSettings();

// Installs into `target` (already checked with targetFolder), or upgrades
// the diary there: a running diary is asked to close first, the program is
// replaced, and nothing of the diary's own files is touched. `progress` gets
// 12, 69 and 100 as the work advances; it stops where a step failed.
Outcome install(Operations& ops, User& user, const std::wstring& target, const std::function<void(int)>& progress);

// The width of the filled part of the progress bar, in twips, for a frame
// `frameTwips` wide, at `percent`.
double progressWidth(double frameTwips, int percent);
std::wstring progressText(int percent);
inline constexpr wchar_t kPreparingText[] = L"Pripravljam na namestitev...";

// Shown when the folder box holds nothing usable.
Message invalidFolderMessage(Operations& ops);

// --- Removing

struct Installation {
  std::wstring folder;
  Scope scope = Scope::PerUser;
};

// The installation this Namestko belongs to (the folder it runs from), else
// the one the list of installed programs names.
std::optional<Installation> findInstallation(Operations& ops);

// Removes the program, its shortcuts and its entry in the list of installed
// programs. The diary itself (entries, settings, backups) stays unless the
// user asks for it to go in a second, separate question.
Outcome remove(Operations& ops, User& user);

}  // namespace installer

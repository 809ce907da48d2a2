#pragma once
// The application object: the program-wide state and the diary's windows,
// each created on first use and kept until the program ends.
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/program_state.h"
#include "backup/background.h"
#include "gui/platform.h"
#include "gui/surface.h"
#include "shape/cls_docking_handler.h"
#include "skin/atlas.h"
#include "store/entries.h"
#include "store/settings.h"

namespace app {

class frmGeslo;
class frmObnovitev;
class Sealing;
class frmMain;
class frmMini;
class frmSpremeniGeslo;
class frmTaskbar;

struct Environment {
  std::filesystem::path folder;  // where Podatki, Podatki.ini and TMP.tkw live
  char16_t decimalSeparator = u',';
  // The program's own folder when the diary lives elsewhere (it could not be
  // written); empty when the diary lives beside the program.
  std::filesystem::path programFolder;
  // How long a settings file held open by another program is waited for.
  store::Patience settingsPatience{15, std::chrono::milliseconds(200)};
  // How long the end of the program waits for the day's backup to be done
  // before it stops it (the archive is then made at the next start).
  std::chrono::milliseconds backupPatience{1500};
};

class Pisarion {
 public:
  Pisarion(gui::Platform& platform, Environment environment);
  ~Pisarion();

  // What the command line asks for, before start(): Pisarion.exe /izvoz
  // <file> exports instead of opening the diary.
  void setCommandLine(CommandLine command) { m_command = std::move(command); }
  bool exporting() const { return m_command.mode == CommandLine::Mode::Export; }
  // The program's start: the diary's files are made ready (start-up.cpp),
  // then the login window loads. When the files cannot be trusted the user
  // is told why and the program ends without writing anything.
  void start();

  gui::Platform& platform() const { return m_platform; }
  const Environment& environment() const { return m_environment; }
  store::DiaryStore& store() { return m_store; }
  store::NumberFormat numberFormat() const { return {m_environment.decimalSeparator}; }
  std::filesystem::path settingsFile() const { return m_environment.folder / "Podatki.ini"; }
  std::filesystem::path backupFolder() const { return m_environment.folder / "Varnostne kopije"; }

  // The day's backup, written by a worker once the main window shows.
  backup::BackgroundBackup& dailyBackup() { return m_backup; }

  frmGeslo& geslo();
  frmMain& main();
  frmTaskbar& taskbar();
  frmSpremeniGeslo& spremeniGeslo();
  frmObnovitev& recoveryWindow();
  Sealing& sealing() { return *m_sealing; }
  // A password guards the diary: one is set, or the diary is sealed.
  bool hasPassword() const;
  // The settings file written now, so a crash keeps what the user just set;
  // the user is told when it cannot be (the close tries again).
  void saveSettingsNow();
  // The mini clock; made with the change-password dialog once the main window has loaded.
  frmMini& mini();
  bool mainLoaded() const { return m_main != nullptr; }
  // The lock screen shows: the diary waits for its password.
  bool locked() const;
  // The diary is folded into the mini clock (sliding either way included).
  bool folded() const;

  // Today's local date and its key, taken now.
  base::Date today() const { return m_platform.now().date; }
  std::string todayKey() const { return base::dateKey(today()); }

  // Loads the main window, places it, shows it with the taskbar window and
  // applies the keep-on-top setting; then the login window hides.
  void OpenMainWindow();
  // The main window hides and the mini clock slides to the work area's
  // top-left corner (read by the fold button just before). Today's text is
  // saved first.
  void FoldToMini();
  // The mini clock slides back to the main window's place, which then shows
  // again. Unlocking the diary from the taskbar comes here too: with no clock
  // showing the main window is shown at once.
  void UnfoldFromMini();
  // The main window back on screen, on top when so set, with the editor's caret.
  void ShowMainWindowAgain();
  // Another start of the diary on the same folder asked for it: it comes to
  // the front as a click on its taskbar button would bring it, through the
  // lock screen when a password is set.
  void BringToFront();
  // Ends at once: no entry or settings are saved here. A backup under way is
  // given a moment to finish, then stopped.
  void EndProgram();
  // Tells the user why the diary cannot go on, then ends it with code 1.
  void EndOnFailure(std::u16string_view message);
  bool ended() const { return m_ended; }
  // The program's exit code: 0, except for an export asked for on the
  // command line that was not written, or a diary that ended because its
  // files or its editor could not be trusted (1).
  int exitCode() const { return m_exitCode; }

  // The values the whole program shares, each behind its setter.
  ProgramState& state() { return m_state; }
  const ProgramState& state() const { return m_state; }

  store::Settings settings;  // as read at start-up (the window position)
  const gui::Surface PictureGUI;  // the skin atlas every window copies from, at 100 %
  // The atlas painted for the scale a window is drawn at (loaded the first
  // time a window needs it, then kept).
  const gui::Surface& atlasFor(const gui::Form& form);
  skin::FaceMarks faceMarks;       // the size and colour the toolbar shows

 private:
  ProgramState m_state;
  std::map<int, gui::Surface> m_atlases;  // by painted scale, beyond 100 %
  gui::Platform& m_platform;
  Environment m_environment;
  store::DiaryStore m_store;
  std::unique_ptr<frmGeslo> m_geslo;
  std::unique_ptr<frmTaskbar> m_taskbar;
  std::unique_ptr<frmMain> m_main;
  std::unique_ptr<frmSpremeniGeslo> m_spremeniGeslo;
  std::unique_ptr<frmObnovitev> m_obnovitev;
  std::unique_ptr<Sealing> m_sealing;
  // After the main window: its buttons' timers are the main window's.
  std::unique_ptr<frmMini> m_mini;
  CommandLine m_command;
  backup::BackgroundBackup m_backup;
  bool m_ended = false;
  int m_exitCode = 0;
};

}  // namespace app

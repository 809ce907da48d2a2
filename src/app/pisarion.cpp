#include "app/pisarion.h"

#include "app/diary_export.h"
#include "app/frm_geslo.h"
#include "app/start_up.h"
#include "app/frm_main.h"
#include "app/frm_mini.h"
#include "app/frm_obnovitev.h"
#include "app/sealing.h"
#include "app/frm_spremeni_geslo.h"
#include "app/frm_taskbar.h"
#include "skin/atlas.h"

namespace app {
namespace {

// A window is made the first time it is asked for.
template <class Window, class... Args>
Window& made(std::unique_ptr<Window>& window, Args&&... args) {
  if (!window) window = std::make_unique<Window>(std::forward<Args>(args)...);
  return *window;
}

}  // namespace

Pisarion::Pisarion(gui::Platform& platform, Environment environment)
    : PictureGUI(skin::loadAtlas()), m_platform(platform), m_environment(std::move(environment)),
      m_store(m_environment.folder), m_sealing(std::make_unique<Sealing>(*this)) {}

Pisarion::~Pisarion() = default;

const gui::Surface& Pisarion::atlasFor(const gui::Form& form) {
  const int scale = skin::atlasScaleFor(form.scale().percent);
  if (scale == 100) return PictureGUI;
  auto it = m_atlases.find(scale);
  if (it == m_atlases.end()) it = m_atlases.emplace(scale, skin::loadAtlas(scale)).first;
  return it->second;
}

void Pisarion::start() {
  // An export from the command line fails until its file is written: Escape
  // at the login, or any failure, ends the program with exit code 1.
  switch (m_command.mode) {
    case CommandLine::Mode::Diary: break;
    case CommandLine::Mode::Export: m_exitCode = 1; break;
    case CommandLine::Mode::Usage:
      m_platform.messageBox(kUsage, u"Pisarion", gui::MessageIcon::Exclamation);
      m_exitCode = 1;
      EndProgram();
      return;
  }
  // Without a password the main window opens within this call: the data
  // folder listed by the checks is the one it shows.
  const store::DiaryStore::ListingHold listed(m_store);
  if (!prepareDiaryFiles(*this)) return;
  geslo().form().load();
}

frmGeslo& Pisarion::geslo() { return made(m_geslo, *this); }

frmMain& Pisarion::main() { return made(m_main, *this); }

frmSpremeniGeslo& Pisarion::spremeniGeslo() { return made(m_spremeniGeslo, *this); }

frmObnovitev& Pisarion::recoveryWindow() { return made(m_obnovitev, *this); }

bool Pisarion::hasPassword() const { return !m_state.password().empty() || m_sealing->sealed(); }

void Pisarion::saveSettingsNow() {
  if (!mainLoaded() || main().saveSettings()) return;
  m_platform.messageBox(u"Nastavitev ni bilo mogoče shraniti v datoteko:\n" + settingsFile().u16string() +
                            u"\n\nPisarion jih bo poskusil shraniti znova, ko ga boste zaprli.",
                        u"Pisarion", gui::MessageIcon::Exclamation);
}

frmMini& Pisarion::mini() { return m_mini ? *m_mini : made(m_mini, *this, main().form()); }

bool Pisarion::locked() const { return m_geslo && m_geslo->form().visible(); }

bool Pisarion::folded() const { return m_mini && m_mini->form().visible(); }

frmTaskbar& Pisarion::taskbar() { return made(m_taskbar, *this); }

void Pisarion::OpenMainWindow() {
  // The command-line export passes the same login (a locked diary asks for
  // its password first), then writes its file instead of opening the diary.
  if (m_command.mode == CommandLine::Mode::Export) {
    geslo().form().hide();
    if (exportToFile(*this, m_command.exportFile)) m_exitCode = 0;
    EndProgram();
    return;
  }
  frmMain& m = main();
  m.form().load();
  if (m_ended) return;  // the main window could not be made, or the diary's files opened
  // The windows the main window opens, each laid out by itself as it is made.
  mini();
  spremeniGeslo();
  m.placeFromSettings(settings);
  m.form().show();
  taskbar().form().show(gui::Activation::NoActivate);
  m.applyOnTop();
  m.drawOnTopFace();
  geslo().mark = "1";
  geslo().form().hide();
  m.form().activate();
  m.focusEditor();  // the day's writing can start at once
  m.backUpSoon();    // once the window is drawn
}

void Pisarion::FoldToMini() {
  frmMain& m = main();
  frmMini& clock = mini();
  // A crash or a power cut while folded loses nothing of today's writing.
  m.SaveWhileAway();
  // The lock screen, when it comes, lies above the clock.
  gui::Form& login = geslo().form();
  login.setWindowPos(gui::InsertAfter::Topmost, login.pixelBounds());
  m_state.restartFold();
  clock.form().move(m.form().left(), m.form().top(), clock.form().width(), clock.form().height());
  m.form().hide();
  clock.form().show();
  clock.form().move(m.form().left(), m.form().top(), clock.form().width(), clock.form().height());
  clock.Timer1_Tick();  // the time of now at once, not the last fold's until the next tick
  clock.startSlide("Z");
}

void Pisarion::UnfoldFromMini() {
  if (!folded()) {
    ShowMainWindowAgain();
    return;
  }
  // The slide back starts where the clock is now.
  gui::Form& clock = mini().form();
  m_state.setSlideCorner(clock.left(), clock.top());
  mini().startSlide("R");
  m_state.restartFold();
}

void Pisarion::ShowMainWindowAgain() {
  main().form().show();
  main().applyOnTop();
  main().focusEditor();
}

void Pisarion::BringToFront() {
  // Minimised to the taskbar: restored as its button restores it, which
  // shows the lock screen first when a password is set.
  if (mainLoaded() && taskbar().form().windowState() == gui::kMinimized) taskbar().form().setWindowState(gui::kNormal);
  if (m_geslo && m_geslo->form().visible()) m_geslo->form().activate();
  else if (m_spremeniGeslo && m_spremeniGeslo->form().visible()) m_spremeniGeslo->form().activate();
  else if (mainLoaded() && main().form().visible()) main().form().activate();
  else if (folded()) mini().form().activate();
}

void Pisarion::EndProgram() {
  // Whatever ends the diary (a close, the lock screen's Escape, a failure
  // after the start), today's writing reaches its file first.
  if (m_main && !m_ended && m_main->form().loaded()) m_main->SaveWhileAway();
  m_backup.finish(m_environment.backupPatience);
  m_ended = true;
  m_platform.quit(m_exitCode);
}

void Pisarion::EndOnFailure(std::u16string_view message) {
  m_platform.messageBox(message, u"Pisarion", gui::MessageIcon::Critical);
  m_exitCode = 1;
  EndProgram();
}

}  // namespace app

// The main window's four round caption buttons: their table and commands.
#include "app/frm_main.h"
#include "app/frm_taskbar.h"
#include "app/main_window_buttons.h"
#include "app/pisarion.h"

namespace app {

using namespace main_window;

void frmMain::makeCaptionButtons() {
  const gui::Surface& atlas = m_app.atlasFor(m_form);
  zapri = std::make_unique<skin::SkinnedButton>(BtnZapri, atlas, kZapri);
  mini = std::make_unique<skin::SkinnedButton>(BtnMini, atlas, kMini);
  zloži = std::make_unique<skin::SkinnedButton>(BtnZloži, atlas, kZloži);
  vednoNaVrhu = std::make_unique<skin::SkinnedButton>(
      BtnVednoNaVrhu, atlas, kVednoNaVrhu, skin::ButtonLinks{.onTop = [this] { return m_app.state().OnTopSetting(); }});
  for (skin::SkinnedButton* b : {zapri.get(), mini.get(), zloži.get()}) b->closeMenus = [this] { CloseMenus(); };
  // Closing saves the entry and the settings and ends the program.
  zapri->onCommand = [this] { m_form.unload(); };
  // The taskbar window hides the diary as it is minimised.
  mini->onCommand = [this] { m_app.taskbar().form().setWindowState(gui::kMinimized); };
  // Switches the setting and applies it to the window (SetWindowPos).
  vednoNaVrhu->onCommand = [this] {
    m_app.state().setOnTopSetting(!m_app.state().OnTopSetting());
    applyOnTop();
    m_app.saveSettingsNow();  // kept at once, not only at the close
  };
  // The fold slides to the corner of the work area as it is now.
  zloži->onCommand = [this] {
    docking().StartDockDrag(0, 0);
    docking().GetSize(0, 0);
    m_app.FoldToMini();
  };
}

void frmMain::layoutCaptionButtons(shape::clsTransForm& shaper) {
  for (skin::SkinnedButton* b : {zapri.get(), mini.get(), vednoNaVrhu.get(), zloži.get()}) b->place();
  // The atlas's magenta around each round face is cut away.
  for (gui::PictureBox* b : {&BtnZapri, &BtnMini, &BtnVednoNaVrhu, &BtnZloži}) shaper.ShapeMe(*b, base::kKeyColor);
}

void frmMain::drawOnTopFace() { vednoNaVrhu->drawRest(); }

}  // namespace app

#include "app/frm_taskbar.h"

#include "app/frm_geslo.h"
#include "app/frm_main.h"
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include "app/pisarion.h"

namespace app {
namespace {
// The window has no control table because it has no controls: nothing of it
// is ever seen but its taskbar button, so it is a bare form 52 by 2 pixels,
// placed above the top edge of the screen. Its caption, the button's text, is
// the main window's title, set as the main window loads.
constexpr gui::Rect kBounds{3, -45, 52, 2};
}  // namespace

frmTaskbar::frmTaskbar(Pisarion& app) : m_app(app), m_form(app.platform(), "frmTaskbar", gui::TaskbarButton::Shown) {
  m_form.setPixelBounds(m_form.scaledBounds({kBounds.x, kBounds.y}, kBounds.w, kBounds.h));
  m_form.onResize = [this] { Form_Resize(); };
  m_form.onActivate = [this] { Form_Activate(); };
  m_form.onUnload = [this](bool& cancel) { Form_Unload(cancel); };
}

void frmTaskbar::Form_Resize() {
  frmMain& main = m_app.main();
  if (m_form.windowState() == gui::kMinimized) {
    if (main.form().visible()) {
      main.form().hide();
      Tag = "frmmain";
      main.SaveWhileAway();
    }
    return;
  }
  if (Tag != "frmmain") return;
  // Folded since the last minimise: the diary stays folded into its clock.
  if (m_app.folded()) return;
  if (m_app.hasPassword())
    m_app.geslo().showLockScreen();
  else
    main.form().show();
}

void frmTaskbar::Form_Activate() {
  frmMain& main = m_app.main();
  if (!main.form().visible() && m_app.folded()) {
    // Folded into the mini clock: the lock screen, when up, takes the focus,
    // else the clock.
    if (m_app.geslo().form().visible()) m_app.geslo().form().activate();
    else m_app.mini().form().activate();
    return;
  }
  if (m_app.spremeniGeslo().form().visible()) m_app.spremeniGeslo().form().activate();
  else if (main.form().visible()) main.form().activate();
}

void frmTaskbar::Form_Unload(bool& cancel) {
  // Closing the taskbar button closes the diary the way its close button does.
  cancel = true;
  m_app.main().form().unload();
}

}  // namespace app

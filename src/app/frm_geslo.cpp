#include "app/frm_geslo.h"

#include "app/dot_strip.h"
#include "app/frm_main.h"
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include "app/frm_taskbar.h"
#include "app/pisarion.h"
#include "app/sealing.h"
#include <algorithm>
#include "base/cp1250.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/window_table.h"
#include "store/settings.h"

namespace app {
namespace {
constexpr int kWidth = 190, kHeight = 85;
constexpr int kCells = 15;
constexpr int kRecoveryChars = 29;  // XXXXX-XXXXX-XXXXX-XXXXX-XXXXX

// The key box lies below the window's face, never seen; the dot strip, one
// cell per typed character, and the caret after it share one row.
const skin::ControlRow kControls[] = {
    {"Text1", skin::ControlKind::KeyBox, {0, 100, 100, 20}, true, {}, kCells},
    {"Geslo", skin::ControlKind::Picture, {0, 35, kCells * 10, 16}, false, {}, 0},
    {"Picture1", skin::ControlKind::Picture, {kWidth / 2, 35, 2, 16}, true, skin::kTextBlue, 0},
};
// The key box is what a screen reader meets: the password field, on the dots' row.
const skin::AccessRow kAccess[] = {{"Text1", gui::AccRole::Text, u"Geslo"}};

}  // namespace

void frmGeslo::describe(gui::AccNode& window) const {
  skin::describeControls(m_form, kAccess, window);
  if (gui::AccNode* field = skin::nodeOf(window, Text1)) {
    field->state |= gui::kAccProtected;
    field->location = kControls[1].rect;
  }
}

frmGeslo::frmGeslo(Pisarion& app)
    : m_app(app),
      m_form(app.platform(), "frmGeslo"),
      Text1(skin::control<gui::TextBox>(skin::buildControls(m_form, kControls), "Text1")),
      Geslo(skin::control<gui::PictureBox>(m_form, "Geslo")),
      Picture1(skin::control<gui::PictureBox>(m_form, "Picture1")),
      Timer2(m_form.addTimer("Timer2", 500, gui::TimerStart::Running)) {
  m_form.setCaption(u"Pisarion");
  Text1.onChange = [this] { Text1_Change(); };
  Text1.onKeyDown = [this](int key, int shift) { Text1_KeyDown(key, shift); };
  Timer2.onTimer = [this] { Timer2_Timer(); };
  m_form.onClick = [this] { Form_Click(); };
  m_form.onLoad = [this] { Form_Load(); };
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  // At another scale the face and the dots are painted again from the
  // atlas of the new scale, the strip as long as the typed password.
  m_form.onScaleChange = [this] {
    LayoutLoginWindow();
    fitDots();
  };
  // Closing the window from the system (Alt+F4) backs out as Escape does, so
  // the program never runs on with no window to reach it by.
  m_form.onUnload = [this](bool& cancel) {
    cancel = true;
    backOut();
  };
}

void frmGeslo::Form_Load() {
  mark = "0";
  // The settings were read a moment ago, with the diary's other files, so
  // that a file that cannot be read ends the program before anything shows.
  m_app.state().setOnTopSetting(m_app.settings.onTop);
  m_app.state().setPassword(m_app.settings.password);
  // A sealed diary always asks, whatever the settings say; its recovery
  // code is longer than any password.
  if (m_app.sealing().sealed()) Text1.setMaxLength(kRecoveryChars);
  if (!m_app.hasPassword()) {
    m_app.OpenMainWindow();
    Timer2.setEnabled(false);  // never shown: no caret to blink
  }
  LayoutLoginWindow();
  if (m_app.hasPassword()) {
    centreOnWorkArea();
    m_form.show();
    Text1.setFocus();
  }
}

void frmGeslo::LayoutLoginWindow() {
  const int tpp = m_form.tppX();
  m_form.setWidth(kWidth * tpp);
  m_form.setHeight(kHeight * m_form.tppY());
  m_form.surface().blit(m_app.atlasFor(m_form), skin::r::frmGeslo, {0, 0});
  paintDots();
  m_form.refresh();
}

// The dot strip shows as many cells as its width holds, so its picture is
// painted whole again whenever the strip changes size.
void frmGeslo::paintDots() { paintDotCells(Geslo, m_app.atlasFor(m_form)); }

void frmGeslo::centreOnWorkArea() {
  const gui::Rect wa = m_app.platform().workArea();
  const gui::Rect size = m_form.scaledBounds({}, kWidth, kHeight);
  m_form.setPixelBounds({wa.x + (wa.w - size.w) / 2, wa.y + (wa.h - size.h) / 2, size.w, size.h});
}

void frmGeslo::showLockScreen() {
  Text1.setText(u"");
  // In the middle of the work area, never over the folded clock in its corner.
  centreOnWorkArea();
  m_form.surface().blit(m_app.atlasFor(m_form), skin::r::frmGeslo, {0, 0});
  m_form.refresh();
  m_form.show();
  Text1.setFocus();
}

void frmGeslo::Form_Click() { Text1.setFocus(); }

void frmGeslo::Text1_Change() {
  fitDots();
  Timer2.setEnabled(true);
}

void frmGeslo::fitDots() {
  fitDotStrip(Geslo, std::min(static_cast<int>(Text1.text().size()), kCells), m_form.pixelWidth(), m_app.atlasFor(m_form));
  Picture1.setLeft(Geslo.visible() ? Geslo.left() + Geslo.width() : m_form.pixelWidth() / 2);
}

void frmGeslo::Text1_KeyDown(int keyCode, int) {
  if (keyCode == gui::kKeyReturn) checkPassword();
  if (keyCode == gui::kKeyEscape) backOut();
}

void frmGeslo::Timer2_Timer() {
  Timer2.setInterval(500);
  Picture1.setVisible(!Picture1.visible());
}

void frmGeslo::checkPassword() {
  store::Opener by = store::Opener::Password;
  if (!m_app.sealing().accepts(Text1.text(), &by)) {
    m_app.platform().messageBox(u"Geslo je napačno!!!", u"Pisarion", gui::MessageIcon::Critical);
    Text1.setText(u"");
  } else if (mark != "1") {
    Geslo.setVisible(false);
    m_form.surface().blit(m_app.atlasFor(m_form), skin::r::passwordBox, {18, 33});
    m_form.refresh();
    Timer2.setEnabled(false);
    Picture1.setVisible(false);
    m_app.OpenMainWindow();
    if (!m_app.ended() && !m_app.exporting()) {
      m_app.sealing().resume();
      // The password is forgotten: a new one at once.
      if (by == store::Opener::RecoveryCode) m_app.spremeniGeslo().OpenForNewPassword();
    }
  } else {
    Geslo.setVisible(false);
    m_app.UnfoldFromMini();
    m_form.hide();
    if (m_app.folded()) m_app.mini().form().setEnabled(true);
  }
  Timer2.setEnabled(false);
  Picture1.setVisible(false);
  m_form.refresh();
}

void frmGeslo::backOut() {
  if (mark == "1" && m_app.folded()) {
    // Raised from the mini clock: back to it, folded still.
    m_form.hide();
    Timer2.setEnabled(false);
    m_app.mini().form().setEnabled(true);
    m_app.mini().form().activate();
    return;
  }
  const bool mainVisible = m_app.mainLoaded() && m_app.main().form().visible();
  if (mark == "1" && !mainVisible) {
    // Locked in the taskbar: stay there; restoring raises this window again.
    m_form.hide();
    Timer2.setEnabled(false);
    m_app.taskbar().form().setWindowState(gui::kMinimized);
    return;
  }
  // At the start-up login nothing is open yet: the program ends, saving nothing.
  m_app.EndProgram();
}

// Its controls go before the form: from now on the form describes nothing.
frmGeslo::~frmGeslo() { m_form.onDescribe = nullptr; }

}  // namespace app

#include "app/frm_mini.h"

#include <algorithm>
#include <cmath>

#include "app/frm_geslo.h"
#include "app/frm_main.h"
#include "app/pisarion.h"
#include "base/cp1250.h"
#include "base/number.h"
#include "shape/cls_trans_form.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/window_table.h"

namespace app {
namespace {
using base::clampSpan;
using base::roundToInt;
constexpr int kWidth = 101, kHeight = 111;
constexpr int kStripRight = 65, kStripBottom = 21;  // the drag strip, left of the buttons
constexpr int kSlideSteps = 7;
constexpr gui::Point kClockAt{1, 16};
// The window's controls, back to front, placed by the layout to their faces' sizes.
const skin::ControlRow kControls[] = {
    {"picClock", skin::ControlKind::Picture, {}},
    {"imgCenter", skin::ControlKind::Picture, {}, true, {}, 0, "picClock"},  // the cap over the hands' hub
    {"BtnZapri", skin::ControlKind::Picture, {}},
    {"BtnZloži", skin::ControlKind::Picture, {}},
};
// The two buttons; each x counts from the window's right edge.
constexpr skin::ButtonSetup kZapri{.kind = skin::ButtonKind::Round, .at = {21, skin::kCaptionTop},
                                  .tip = u"Zapri in Shrani Dnevnik (Ctrl+W)", .faces = skin::CaptionButton::Zapri,
                                  .tracking = "miniTmrBtnZapri"};
constexpr skin::ButtonSetup kZloži{.kind = skin::ButtonKind::Round, .at = {36, skin::kCaptionTop},
                                  .tip = u"Raztegni Dnevnik (Ctrl+M)", .faces = skin::CaptionButton::MiniZloži,
                                  .tracking = "miniTmrBtnZloži"};

const skin::AccessRow kAccess[] = {{"picClock", gui::AccRole::Clock, u"Ura"}};

}  // namespace

// The clock tells the time it shows, as "10:08"; the two buttons their tips.
void frmMini::describe(gui::AccNode& window) const {
  skin::describeControls(m_form, kAccess, window);
  if (gui::AccNode* clock = skin::nodeOf(window, picClock)) {
    const base::DateTime now = m_app.platform().now();
    const std::string minutes = std::to_string(now.minute);
    clock->value = base::utf8ToUtf16(std::to_string(now.hour) + ":" + (now.minute < 10 ? "0" : "") + minutes);
  }
  for (const skin::SkinnedButton* button : {&m_zloži, &m_zapri})
    if (auto node = button->describe()) window.add(std::move(*node));
}

frmMini::frmMini(Pisarion& app, gui::Form& timerForm)
    : m_app(app),
      m_form(app.platform(), "frmMini"),
      picClock(skin::control<gui::PictureBox>(skin::buildControls(m_form, kControls), "picClock")),
      imgCenter(skin::control<gui::PictureBox>(m_form, "imgCenter")),
      BtnZapri(skin::control<gui::PictureBox>(m_form, "BtnZapri")),
      BtnZloži(skin::control<gui::PictureBox>(m_form, "BtnZloži")),
      m_tick(m_form.addTimer("Timer1(0)", 500, gui::TimerStart::Running)),
      m_slide(m_form.addTimer("Timer1(3)", 50, gui::TimerStart::Stopped)),
      m_zapri(BtnZapri, app.atlasFor(m_form), kZapri, {.timerForm = &timerForm}),
      m_zloži(BtnZloži, app.atlasFor(m_form), kZloži, {.timerForm = &timerForm}),
      m_docking(app.platform(), [&app](const shape::WorkArea& area) { app.state().setWorkArea(area); }) {
  m_form.setCaption(u"Pisarion");
  m_docking.setParentForm(&m_form);
  m_form.onLoad = [this] { Form_Load(); };
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  m_form.onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  m_form.onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  m_form.onDisplayChange = [this] { Form_DisplayChange(); };
  m_form.onScaleChange = [this] {
    for (skin::SkinnedButton* b : {&m_zapri, &m_zloži}) b->setAtlas(m_app.atlasFor(m_form));
    Layout();
    if (!m_hands) return;
    m_hands.reset();
    Form_Load();  // the hands for the new face, drawn at once
  };
  // Alt+F4 on the clock closes the diary as its close button does.
  m_form.onUnload = [this](bool& cancel) {
    cancel = true;
    m_app.main().form().unload();
  };
  picClock.onDblClick = [this] { UnfoldRequest(); };
  m_tick.onTimer = [this] { Timer1_Tick(); };
  m_slide.onTimer = [this] { Timer1_Slide(); };
  // Closing from the clock is the main window's whole shutdown: today's entry
  // and the settings are saved.
  m_zapri.onCommand = [this] { m_app.main().form().unload(); };
  m_zloži.onCommand = [this] { UnfoldRequest(); };
  // The main window's Ctrl+M and Ctrl+W work on the clock as well.
  m_form.onShortcut = [this](int key, int shift) {
    if ((shift & (gui::kShift | gui::kAlt)) || !(shift & gui::kCtrl)) return false;
    if (key == 'M') UnfoldRequest();
    else if (key == 'W') m_app.main().form().unload();
    else return false;
    return true;
  };
  Layout();
}

void frmMini::Layout() {
  shape::clsTransForm shaper;
  m_form.setWidth(kWidth * m_form.tppX());
  m_form.setHeight(kHeight * m_form.tppY());
  m_form.blit(m_app.atlasFor(m_form), skin::r::frmMini, {0, 0});
  m_form.refresh();
  shaper.ShapeMe(m_form, base::kKeyColor);
  m_zloži.place();
  shaper.ShapeMe(BtnZloži, base::kKeyColor);
  m_zapri.place();
  shaper.ShapeMe(BtnZapri, base::kKeyColor);
  // The clock sizes itself to its face; the cap keeps its own magenta corners out.
  m_face = skin::loadClockFace(m_form.scale().percent);
  picClock.move(kClockAt.x, kClockAt.y, m_face.width(), m_face.height());
  picClock.blit(m_face, m_face.bounds(), {0, 0});
  shaper.ShapeMe(picClock, base::kKeyColor);
  const gui::Surface cap = skin::loadClockCap(m_form.scale().percent);
  imgCenter.move(0, 0, cap.width(), cap.height());
  imgCenter.blit(cap, cap.bounds(), {0, 0});
  shaper.ShapeMe(imgCenter, base::kKeyColor);
}

void frmMini::Form_Load() {
  // Above all other windows, where it stands.
  m_docking.setAlwaysOnTop(true);
  const int R = picClock.height() / 2;
  // The hands are drawn in the face's own pixels, at the window's scale.
  m_hands.emplace(m_form.scale()(R));
  imgCenter.setLeft(R - imgCenter.width() / 2);
  imgCenter.setTop(R - imgCenter.height() / 2);
  Timer1_Tick();
}

void frmMini::Timer1_Tick() {
  if (!m_form.visible() || !m_hands) return;
  // Asking for the picture marks it changed, so only when a hand moved.
  if (!m_hands->Update(m_app.platform().now())) return;
  if (m_form.scale().identity()) {
    m_hands->Draw(m_face, picClock.surface());
    return;
  }
  gui::Surface drawn = picClock.surface().devicePixels();
  m_hands->Draw(m_face.devicePixels(), drawn);
  picClock.surface().blitDevice(drawn, drawn.bounds(), {0, 0});
}

void frmMini::startSlide(const char* direction) {
  m_slideFrom = {m_form.left(), m_form.top()};
  m_slide.setTag(direction);
  m_slide.setEnabled(true);
}

// Seven equal steps between the work area's corner and the main window's
// place, then the exact end; an unfold ends by giving the main window back.
// Each step is counted from where the slide began, so the window's whole
// pixels add no error and the seventh step lands on the end.
void frmMini::Timer1_Slide() {
  gui::Form& main = m_app.main().form();
  const shape::WorkArea& wa = m_app.state().workArea();
  const bool folding = m_slide.tag() == "Z";
  if (m_app.state().FoldStep() >= kSlideSteps) {
    m_slide.setEnabled(false);
    if (folding) {
      m_form.move(wa.WorkAreaLeft, wa.WorkAreaTop, m_form.width(), m_form.height());
    } else {
      m_form.move(main.left(), main.top(), m_form.width(), m_form.height());
      m_app.ShowMainWindowAgain();
      m_form.hide();
    }
    return;
  }
  const double dx = (main.left() - wa.WorkAreaLeft) / double(kSlideSteps);
  const double dy = (main.top() - wa.WorkAreaTop) / double(kSlideSteps);
  const double k = (folding ? -1 : 1) * (m_app.state().FoldStep() + 1);
  m_form.move(roundToInt(m_slideFrom.x + k * dx), roundToInt(m_slideFrom.y + k * dy), m_form.width(),
              m_form.height());
  m_app.state().countFoldStep();
}

void frmMini::UnfoldRequest() {
  // A double-click during a slide (the clock still folding, or already
  // on its way back after the password) starts nothing more: a lock screen
  // raised now would stay over the main window once it is shown.
  if (m_slide.enabled()) return;
  if (m_app.hasPassword()) {
    m_form.setEnabled(false);  // until the lock screen is left
    m_app.geslo().showLockScreen();
    return;
  }
  m_app.geslo().form().hide();
  m_app.UnfoldFromMini();
  m_form.setEnabled(true);
}

void frmMini::Form_MouseDown(int button, int, double x, double y) {
  const bool inStrip = button == gui::kLeftButton && x <= kStripRight && y <= kStripBottom;
  m_dragAnchorX = inStrip ? roundToInt(x) : -1;
  if (inStrip) m_dragAnchorY = roundToInt(y);
}

// The clock follows the pointer, inside the work area recorded at the fold.
void frmMini::Form_MouseMove(int button, int, double, double) {
  if (!(button & gui::kLeftButton) || m_dragAnchorX < 0) return;
  shape::DragWithin(m_form, m_app.platform().cursorPos(), m_form.scale()(gui::Point{m_dragAnchorX, m_dragAnchorY}),
                    m_app.state().workArea());
}

void frmMini::Form_DisplayChange() {
  // A slide ends where it was going; only a clock at rest is moved.
  if (!m_form.visible() || m_slide.enabled()) return;
  m_docking.GetSize(0, 0);
  const shape::WorkArea& wa = m_app.state().workArea();
  m_form.move(clampSpan(m_form.left(), m_form.width(), wa.WorkAreaLeft, wa.WorkAreaRight),
              clampSpan(m_form.top(), m_form.height(), wa.WorkAreaTop, wa.WorkAreaBottom), m_form.width(),
              m_form.height());
}

// Its controls go before the form: from now on the form describes nothing.
frmMini::~frmMini() { m_form.onDescribe = nullptr; }

}  // namespace app

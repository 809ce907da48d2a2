#include "app/frm_spremeni_geslo.h"

#include "app/dot_strip.h"
#include "app/frm_main.h"
#include "app/pisarion.h"
#include "app/sealing.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/window_table.h"

namespace app {
namespace {
constexpr int kWidth = 190;
constexpr int kFullHeight = 153;   // grown: all three fields
constexpr int kOpenHeight = 75;    // asking for the current password only
constexpr int kGrowStep = 10;
constexpr int kSlideStepTwips = 700;
constexpr int kCaretRest = 94;     // the caret's left while its field is empty
constexpr int kStripTops[] = {24, 75, 101};
// A press chooses a new-password field only between these columns.
constexpr int kFieldLeft = 18, kFieldRight = 172;
// A field's box in the face: its label shows while the field is empty.
constexpr int kBoxWidth = 154, kBoxHeight = 20;
// The row of the keys' hint, where a successful change is told.
constexpr gui::Rect kHintRow{4, 46, 182, 16};
// Ticks of 50 ms that the news of a change stays before the dialog leaves.
constexpr int kToldTicks = 16;

gui::Rect boxOf(const gui::PictureBox& strip) { return {kFieldLeft, strip.top() - 2, kBoxWidth, kBoxHeight}; }

// The three key boxes lie below the grown dialog, never seen; each field's
// dot strip shows one cell per typed character, hidden while it is empty.
// The bottom edge moves down as the dialog grows.
constexpr int kKeyRow = kFullHeight + 10;
const skin::ControlRow kControls[] = {
    {"Text1", skin::ControlKind::KeyBox, {0, kKeyRow, 100, 20}, true, {}, kDotCells},
    {"Text2", skin::ControlKind::KeyBox, {0, kKeyRow + 20, 100, 20}, true, {}, kDotCells},
    {"Text3", skin::ControlKind::KeyBox, {0, kKeyRow + 40, 100, 20}, true, {}, kDotCells},
    {"Geslo1", skin::ControlKind::Picture, {0, kStripTops[0], kDotCells * kDotWidth, 16}, false, {}, 0},
    {"Geslo2", skin::ControlKind::Picture, {0, kStripTops[1], kDotCells * kDotWidth, 16}, false, {}, 0},
    {"Geslo3", skin::ControlKind::Picture, {0, kStripTops[2], kDotCells * kDotWidth, 16}, false, {}, 0},
    {"Picture1", skin::ControlKind::Picture, {kCaretRest, kStripTops[0], 2, 16}, true, skin::kTextBlue, 0},
    {"picSpodaj", skin::ControlKind::Picture, {0, kFullHeight - 8, kWidth, 8}, true, {}, 0},
};
// The three key boxes are the fields a screen reader meets, each named by
// what it asks for and lying on its dots' row; the new ones are unavailable
// until the current password is confirmed.
const skin::AccessRow kAccess[] = {
    {"Text1", gui::AccRole::Text, u"Trenutno geslo"},
    {"Text2", gui::AccRole::Text, u"Novo geslo"},
    {"Text3", gui::AccRole::Text, u"Ponovite novo geslo"},
};

}  // namespace

void frmSpremeniGeslo::describe(gui::AccNode& window) const {
  skin::describeControls(m_form, kAccess, window);
  const gui::TextBox* boxes[] = {&Text1, &Text2, &Text3};
  const gui::PictureBox* strips[] = {&Geslo1, &Geslo2, &Geslo3};
  for (int i = 0; i < 3; ++i) {
    gui::AccNode* field = skin::nodeOf(window, *boxes[i]);
    if (!field) continue;
    field->state |= gui::kAccProtected;
    field->location = boxOf(*strips[i]);
  }
}

frmSpremeniGeslo::frmSpremeniGeslo(Pisarion& app)
    : m_app(app),
      m_form(app.platform(), "frmSpremeniGeslo"),
      Text1(skin::control<gui::TextBox>(skin::buildControls(m_form, kControls), "Text1")),
      Text2(skin::control<gui::TextBox>(m_form, "Text2")),
      Text3(skin::control<gui::TextBox>(m_form, "Text3")),
      Geslo1(skin::control<gui::PictureBox>(m_form, "Geslo1")),
      Geslo2(skin::control<gui::PictureBox>(m_form, "Geslo2")),
      Geslo3(skin::control<gui::PictureBox>(m_form, "Geslo3")),
      Picture1(skin::control<gui::PictureBox>(m_form, "Picture1")),
      picSpodaj(skin::control<gui::PictureBox>(m_form, "picSpodaj")),
      Timer1(m_form.addTimer("Timer1", 50, gui::TimerStart::Stopped)),
      Timer2(m_form.addTimer("Timer2", 500, gui::TimerStart::Stopped)),
      Timer3(m_form.addTimer("Timer3", 50, gui::TimerStart::Stopped)) {
  m_form.setCaption(u"Pisarion");
  for (gui::TextBox* box : {&Text1, &Text2, &Text3}) {
    // The settings file keeps the password in code page 1250; a character it
    // cannot hold would come back as '?' after a restart and lock the user
    // out, so such characters are refused as they are typed.
    box->onKeyPress = [](char16_t& ch) {
      if (ch >= 32 && !passwordCharacterKept(ch)) ch = 0;
    };
  }
  Text2.setEnabled(false);
  Text3.setEnabled(false);

  wireEvents();
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  Layout();
}

// The fields' changes and keys, presses on the window and on the dots, the
// timers, the resize and the close from the system.
void frmSpremeniGeslo::wireEvents() {
  Text1.onChange = [this] { Text1_Change(); };
  Text2.onChange = [this] { Text2_Change(); };
  Text3.onChange = [this] { Text3_Change(); };
  Text1.onKeyDown = [this](int k, int s) { Text1_KeyDown(k, s); };
  Text2.onKeyDown = [this](int k, int s) { Text2_KeyDown(k, s); };
  Text3.onKeyDown = [this](int k, int s) { Text3_KeyDown(k, s); };
  m_form.onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  // The dots and the caret lie on the fields: a press on them chooses the
  // field as a press beside them does.
  for (gui::PictureBox* p : {&Geslo1, &Geslo2, &Geslo3, &Picture1})
    p->onMouseDown = [this, p](int b, int s, double x, double y) {
      Form_MouseDown(b, s, x + p->left(), y + p->top());
    };
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer2.onTimer = [this] { Timer2_Timer(); };
  Timer3.onTimer = [this] { Timer3_Timer(); };
  // The window keeps its face when it grows back from the opening height.
  m_form.onResize = [this] { paintFace(); };
  // At another scale everything is painted again from the atlas of the new
  // scale, at the height the window has now (open, grown or sliding).
  m_form.onScaleChange = [this] {
    const int height = m_form.pixelHeight();
    const int bottom = picSpodaj.top();
    Layout();
    m_form.setHeight(height * m_form.tppY());
    picSpodaj.setTop(bottom);
    paintFace();
    for (auto [box, strip] : {std::pair{&Text1, &Geslo1}, std::pair{&Text2, &Geslo2}, std::pair{&Text3, &Geslo3}})
      fitDotStrip(*strip, static_cast<int>(box->text().size()), m_form.pixelWidth(), m_app.atlasFor(m_form));
    m_form.refresh();
  };
  // Closed from the system (Alt+F4) it cancels, so the main window is never
  // left disabled behind a vanished dialog.
  m_form.onUnload = [this](bool& cancelUnload) {
    cancelUnload = true;
    if (!leaving()) cancel();
  };
}

void frmSpremeniGeslo::paintFace() {
  m_form.surface().blit(m_app.atlasFor(m_form), skin::r::frmSpremeniGeslo, {0, 0});
  coverLabel(Text1, Geslo1);
  coverLabel(Text2, Geslo2);
  coverLabel(Text3, Geslo3);
  if (m_toldTicks > 0) tellChanged();
}

void frmSpremeniGeslo::coverLabel(const gui::TextBox& box, const gui::PictureBox& strip) {
  const gui::Rect r = boxOf(strip);
  const gui::Rect& face = skin::r::frmSpremeniGeslo;
  // The empty box of the login window, or this field's own with its label.
  const gui::Rect source = box.text().empty() ? gui::Rect{face.x + r.x, face.y + r.y, r.w, r.h} : skin::r::passwordBox;
  m_form.surface().blit(m_app.atlasFor(m_form), source, {r.x, r.y});
  m_form.invalidate();
}

void frmSpremeniGeslo::tellChanged() {
  const gui::Rect& face = skin::r::frmSpremeniGeslo;
  gui::Surface& s = m_form.surface();
  s.fill(kHintRow, m_app.atlasFor(m_form).pixel(face.x + kHintRow.x, face.y + kHintRow.y));
  const std::u16string news = m_app.state().password().empty() ? u"Geslo je odstranjeno." : u"Geslo je spremenjeno.";
  m_app.platform().text().draw(s, kHintRow, news, gui::FontSpec{u"Arial", 238, 8.25, true}, skin::kTextBlue,
                               base::Alignment::Center);
  m_form.refresh();
}

void frmSpremeniGeslo::Layout() {
  m_form.setWidth(kWidth * m_form.tppX());
  m_form.setHeight(kFullHeight * m_form.tppY());
  paintFace();
  picSpodaj.surface().blit(m_app.atlasFor(m_form), skin::r::picSpodaj, {0, 0});
  picSpodaj.refresh();
  m_form.setHeight(kOpenHeight * m_form.tppY());
  picSpodaj.setTop(kOpenHeight - 8);
  for (gui::PictureBox* strip : {&Geslo1, &Geslo2, &Geslo3}) paintDotCells(*strip, m_app.atlasFor(m_form));
}

void frmSpremeniGeslo::Open() {
  // Opened again while still sliding away: that leaving is over.
  Timer1.setEnabled(false);
  Timer3.setEnabled(false);
  m_toldTicks = 0;
  for (gui::TextBox* box : {&Text1, &Text2, &Text3}) box->setText(u"");
  paintFace();
  Text2.setEnabled(false);
  Text3.setEnabled(false);
  Text1.setEnabled(true);
  m_form.setHeight(kOpenHeight * m_form.tppY());
  picSpodaj.setTop(kOpenHeight - 8);
  Timer2.setEnabled(true);
  Picture1.move(kCaretRest, Geslo1.top(), Picture1.width(), Picture1.height());
  Picture1.setVisible(true);
  m_app.main().form().setEnabled(false);

  const gui::Size screen = m_app.platform().screenSize();
  const int tx = m_form.tppX(), ty = m_form.tppY();
  // Centred by its size on the screen, which is its 100 % size scaled.
  m_form.setLeft((screen.width - m_form.pixelBounds().w) * tx / 2);
  m_form.setTop((screen.height - m_form.pixelBounds().h) * ty / 2);
  m_form.setWindowPos(m_app.state().OnTopSetting() ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost,
                      m_form.pixelBounds());
  m_form.show();
  Text1.setFocus();
}

void frmSpremeniGeslo::showDots(gui::TextBox& box, gui::PictureBox& strip) {
  coverLabel(box, strip);
  fitDotStrip(strip, static_cast<int>(box.text().size()), m_form.pixelWidth(), m_app.atlasFor(m_form));
  Picture1.setLeft(box.text().empty() ? kCaretRest : strip.left() + strip.width());
}

void frmSpremeniGeslo::Text1_Change() { showDots(Text1, Geslo1); }
void frmSpremeniGeslo::Text2_Change() { showDots(Text2, Geslo2); }
void frmSpremeniGeslo::Text3_Change() { showDots(Text3, Geslo3); }

void frmSpremeniGeslo::Text1_KeyDown(int keyCode, int) {
  if (leaving()) return;
  if (keyCode == gui::kKeyReturn) confirmCurrent();
  else if (keyCode == gui::kKeyEscape) cancel();
}

void frmSpremeniGeslo::Text2_KeyDown(int keyCode, int) {
  if (leaving()) return;
  // The new password is taken as typed; only its repeat is checked.
  if (keyCode == gui::kKeyReturn) chooseField(Text3, Text2, Geslo3);
  else if (keyCode == gui::kKeyEscape) cancel();
}

void frmSpremeniGeslo::Text3_KeyDown(int keyCode, int) {
  if (leaving()) return;
  if (keyCode == gui::kKeyReturn) compareNew();
  else if (keyCode == gui::kKeyEscape) cancel();
}

void frmSpremeniGeslo::OpenForNewPassword() {
  Open();
  askForNew();
}

void frmSpremeniGeslo::confirmCurrent() {
  if (!m_app.sealing().accepts(Text1.text())) {
    m_app.platform().messageBox(u"Geslo ni pravilno!!!", u"Pisarion", gui::MessageIcon::Exclamation);
    // As on the login window: the next try starts from an empty field.
    Text1.setText(u"");
    return;
  }
  askForNew();
}

void frmSpremeniGeslo::askForNew() {
  Text1.setEnabled(false);
  Text2.setEnabled(true);
  Text2.setFocus();
  Timer1.setEnabled(true);
  Picture1.move(kCaretRest, Geslo2.top(), Picture1.width(), Picture1.height());
}

void frmSpremeniGeslo::compareNew() {
  if (Text2.text() != Text3.text()) {
    m_app.platform().messageBox(u"Gesli se ne ujemata!\r\nPoskusite znova", u"Pisarion",
                                gui::MessageIcon::Exclamation);
    Text2.setText(u"");
    Text3.setText(u"");
    chooseField(Text2, Text3, Geslo2);
    return;
  }
  // Kept at once: in the settings file, or for a sealed diary by wrapping
  // its key again. The same empty text twice removes the password.
  if (!m_app.sealing().passwordChosen(Text3.text())) {
    cancel();
    return;
  }
  Timer3.setTag("1");
  Timer3.setEnabled(true);
  Timer2.setEnabled(false);
  Picture1.setVisible(false);
  // The user sees that the change took before the dialog slides away.
  m_toldTicks = kToldTicks;
  tellChanged();
}

void frmSpremeniGeslo::cancel() {
  Timer2.setEnabled(false);
  Timer3.setTag("2");
  Timer3.setEnabled(true);
}

void frmSpremeniGeslo::chooseField(gui::TextBox& box, gui::TextBox& other, gui::PictureBox& strip) {
  box.setEnabled(true);
  other.setEnabled(false);
  box.setFocus();
  const int left = box.text().empty() ? kCaretRest : strip.left() + strip.width();
  Picture1.move(left, strip.top(), Picture1.width(), Picture1.height());
}

void frmSpremeniGeslo::Form_MouseDown(int, int, double x, double y) {
  if (x < kFieldLeft || x > kFieldRight) return;
  if (y >= Geslo2.top() - 1 && y <= Geslo2.top() + 17) chooseField(Text2, Text3, Geslo2);
  else if (y >= Geslo3.top() - 1 && y <= Geslo3.top() + 17) chooseField(Text3, Text2, Geslo3);
}

void frmSpremeniGeslo::Timer1_Timer() {
  const int ty = m_form.tppY();
  const int height = m_form.pixelHeight();
  if (height >= kFullHeight - 8) {
    m_form.setHeight(kFullHeight * ty);
    picSpodaj.setTop(kFullHeight - 8);
    Timer1.setEnabled(false);
  } else {
    m_form.setHeight((height + kGrowStep) * ty);
    picSpodaj.setTop(picSpodaj.top() + kGrowStep);
  }
}

void frmSpremeniGeslo::Timer2_Timer() {
  Timer2.setInterval(500);
  Picture1.setVisible(!Picture1.visible());
}

void frmSpremeniGeslo::Timer3_Timer() {
  gui::Form& main = m_app.main().form();
  // The main window is usable again as soon as the dialog starts to leave.
  if (!main.enabled()) main.setEnabled(true);
  if (m_toldTicks > 0) {
    --m_toldTicks;
    return;
  }
  const int screenHeight = m_app.platform().screenSize().height * m_form.tppY();
  const bool up = Timer3.tag() == "1";
  const bool onScreen = up ? m_form.top() > -m_form.height() : m_form.top() < screenHeight;
  if (onScreen) {
    m_form.setTop(m_form.top() + (up ? -kSlideStepTwips : kSlideStepTwips));
    return;
  }
  m_form.hide();
  Timer3.setEnabled(false);
  for (gui::TextBox* box : {&Text1, &Text2, &Text3}) box->setText(u"");
}

// Its controls go before the form: from now on the form describes nothing.
frmSpremeniGeslo::~frmSpremeniGeslo() { m_form.onDescribe = nullptr; }

}  // namespace app

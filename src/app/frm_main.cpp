#include "app/frm_main.h"

#include <cmath>

#include "app/frm_taskbar.h"
#include "app/pisarion.h"
#include "app/title.h"
#include "base/cp1250.h"
#include "shape/rounded.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {
namespace {
constexpr int kWidth = 596, kHeight = 567;
constexpr gui::Rect kPicText{9, 60, 400, 500};
constexpr gui::Rect kText{3, 3, 394, 494};

int roundToInt(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

frmMain::frmMain(Pisarion& app)
    : m_app(app),
      m_form(app.platform(), "frmMain"),
      PicNaslov(m_form.add<gui::PictureBox>("PicNaslov")),
      PicText(m_form.add<gui::PictureBox>("PicText")),
      Text(PicText.add<gui::Host>("Text")) {
  m_form.setCaption(u"Pisarion");
  m_form.setBackColor(skin::kBodyColor);
  m_form.onLoad = [this] { Form_Load(); };
  m_form.onUnload = [this](bool& cancel) { Form_Unload(cancel); };
  m_form.onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  m_form.onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  // Logging off or shutting down must not lose the day's writing.
  m_form.onQueryEndSession = [] { return true; };
  m_form.onEndSession = [this](bool ending) {
    if (ending) endSession();
  };
}

void frmMain::Form_Load() {
  LayoutMainWindow();
  store::DiaryStore& store = m_app.store();
  store.ensureDataFolder();  // a missing data folder is made, not a failure
  store.Rescan();
  store.EnsureToday(m_app.todayKey());
  store.Rescan();
  ShowDay(m_app.todayKey());
  const std::u16string title = base::utf8ToUtf16(windowTitle(m_app.today()));
  m_app.taskbar().form().setCaption(title);
  printTitle(title);
}

void frmMain::LayoutMainWindow() {
  m_form.setWidth(kWidth * m_form.tppX());
  m_form.setHeight(kHeight * m_form.tppY());
  m_form.cls();
  paintFrame();
  gui::Editor* ed = Text.editor();
  if (!ed) {
    PicText.move(kPicText.x, kPicText.y, kPicText.w, kPicText.h);
    Text.move(kText.x, kText.y, kText.w, kText.h);
    Text.setTakesFocus(true);
    Text.attach(m_app.platform().createEditor(m_form, Text.formRect()));
    ed = Text.editor();
    m_editorFile = std::make_unique<EditorFile>(*ed);
  }
  ed->setFont(gui::FontSpec{u"Arial", 238, 9, false});
  PicText.move(kPicText.x, kPicText.y, kPicText.w, kPicText.h);
  paintEditorFrame();
  m_form.refresh();
  m_form.setRegion(shape::roundedCorners(m_form.pixelWidth(), m_form.pixelHeight()));
}

void frmMain::paintFrame() {
  gui::Surface& s = m_form.surface();
  const gui::Surface& a = m_app.PictureGUI;
  const int W = m_form.pixelWidth(), H = m_form.pixelHeight();
  PicNaslov.move(20, 4, 350, 15);
  PicNaslov.cls();
  const int n = roundToInt(W / 60.0);
  for (int i = 0; i <= n; ++i) {
    s.blit(a, skin::r::naslov, {60 * i, 0});
    s.blit(a, skin::r::spodnjiRob, {60 * i, H - 5});
    s.blit(a, skin::r::orodjaTrak, {60 * i, 26});
    PicNaslov.surface().blit(a, skin::r::naslovBesedilo, {60 * i, 0});
  }
  const int m = roundToInt(H / 60.0);
  for (int j = 0; j <= m; ++j) {
    s.blit(a, skin::r::leviRob, {0, 60 * j});
    s.blit(a, skin::r::desniRob, {W - 5, 60 * j});
  }
  s.blit(a, skin::r::kotZgorajLevo, {0, 0});
  s.blit(a, skin::r::kotSpodajLevo, {0, H - 5});
  s.blit(a, skin::r::kotZgorajDesno, {W - 5, 0});
  s.blit(a, skin::r::kotSpodajDesno, {W - 5, H - 5});
  s.blit(a, skin::r::gumbiNaslova, {W - 120, 0});
  s.blit(a, skin::r::desniRobOrodja, {W - 5, 26});
  s.blit(a, skin::r::orodjaLevo, {7, 26});
  s.blit(a, skin::r::orodjaDesno, {W - 37, 26});
}

void frmMain::paintEditorFrame() {
  gui::Surface& s = PicText.surface();
  const gui::Surface& a = m_app.PictureGUI;
  for (int i = 0; i <= 50; ++i) {
    s.blit(a, skin::r::tekstLevo, {0, 10 * i});
    s.blit(a, skin::r::tekstDesno, {397, 10 * i});
  }
  for (int i = 0; i <= 40; ++i) {
    s.blit(a, skin::r::tekstZgoraj, {10 * i, 0});
    s.blit(a, skin::r::tekstSpodaj, {10 * i, 497});
  }
  s.blit(a, skin::r::tekstZgorajLevo, {0, 0});
  s.blit(a, skin::r::tekstZgorajDesno, {330, 0});
  s.blit(a, skin::r::tekstSpodajLevo, {0, 497});
  s.blit(a, skin::r::tekstSpodajDesno, {330, 497});
  PicText.refresh();
}

void frmMain::printTitle(const std::u16string& title) {
  const gui::FontSpec font{u"Arial", 238, 8.25, true};
  m_app.platform().text().draw(PicNaslov.surface(), PicNaslov.surface().bounds(), title, font, skin::kTextBlue,
                               gui::Alignment::Left);
  PicNaslov.refresh();
}

void frmMain::ShowDay(std::string key) {
  const std::string today = m_app.todayKey();
  if (key.empty()) key = today;
  gui::Editor& ed = editor();
  if (key == today) {
    ed.setLocked(false);
    m_editingKey = key;
  } else {
    ed.setLocked(true);
  }
  m_shownKey = key;
  store::DiaryStore& store = m_app.store();
  store.Rescan();
  if (!store.Exists(key) || !store.Load(key, *m_editorFile)) ed.setText(u"");
}

bool frmMain::SaveToday() {
  if (!IzbranDanes()) return false;
  return m_app.store().Save(m_editingKey, *m_editorFile);
}

void frmMain::Form_Unload(bool&) {
  m_unloading = true;
  SaveToday();
  store::Settings s;
  s.top = m_form.top();
  s.left = m_form.left();
  s.onTop = m_app.OnTopSetting;
  s.password = m_app.password;
  store::writeSettings(m_app.settingsFile(), s, m_app.numberFormat(), m_app.environment().folder / "~Podatki.ini.tmp");
  m_app.EndProgram();
}

void frmMain::endSession() {
  if (m_unloading) return;
  bool cancel = false;
  Form_Unload(cancel);
}

void frmMain::placeFromSettings(const store::Settings& settings) {
  const gui::Rect wa = m_app.platform().workArea();
  const int tx = m_form.tppX(), ty = m_form.tppY();
  // Without a stored position the window is centred in the work area.
  m_form.setTop(settings.top ? roundToInt(*settings.top) : (wa.y + (wa.h - m_form.pixelHeight()) / 2) * ty);
  m_form.setLeft(settings.left ? roundToInt(*settings.left) : (wa.x + (wa.w - m_form.pixelWidth()) / 2) * tx);
}

void frmMain::applyOnTop() {
  const gui::Rect r = m_form.pixelBounds();
  m_form.setWindowPos(m_app.OnTopSetting ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost, r);
}

void frmMain::Form_MouseDown(int button, int, double x, double y) {
  if (button != gui::kLeftButton) return;
  DragAnchorX = roundToInt(x);
  DragAnchorY = roundToInt(y);
}

void frmMain::Form_MouseMove(int button, int, double, double) {
  // The title strip, left of the caption buttons, drags the window; it stays
  // inside the work area.
  if (!(button & gui::kLeftButton)) return;
  if (DragAnchorX >= m_form.pixelWidth() - 80 || DragAnchorY >= 22) return;
  const gui::Point p = m_app.platform().cursorPos();
  const gui::Rect wa = m_app.platform().workArea();
  const int tx = m_form.tppX(), ty = m_form.tppY();
  const int waTop = wa.y * ty, waBottom = wa.bottom() * ty, waLeft = wa.x * tx, waRight = wa.right() * tx;
  const int top = (p.y - DragAnchorY) * ty;
  if (top <= waTop) m_form.setTop(waTop);
  else if (top + m_form.height() >= waBottom) m_form.setTop(waBottom - m_form.height());
  else m_form.setTop(top);
  const int left = (p.x - DragAnchorX) * tx;
  if (left <= waLeft) m_form.setLeft(waLeft);
  else if (left + m_form.width() >= waRight) m_form.setLeft(waRight - m_form.width());
  else m_form.setLeft(left);
}

}  // namespace app

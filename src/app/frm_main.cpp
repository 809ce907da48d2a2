// Index: the control table · making the window and its load · layout
//        (frame, editor frame, title) · a day's look · unload, the settings
//        and the backup · placement and keep-on-top · shortcuts · the
//        title-strip drag and clicks · wiring
#include "app/frm_main.h"

#include <cmath>

#include "app/diary_export.h"
#include "app/frm_leto.h"
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include "app/frm_taskbar.h"
#include "app/pisarion.h"
#include "app/placement.h"
#include "app/search_field.h"
#include "app/start_up.h"
#include "app/sealing.h"
#include "app/title.h"
#include "base/cp1250.h"
#include "base/number.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/window_table.h"

namespace app {
namespace {
using base::roundToInt;
constexpr int kWidth = 596, kHeight = 567;

constexpr int kBackupDelayMs = 100;

// ---- the control table -------------------------------------------------------

// The window's controls, back to front. The skinned buttons (those with no
// rectangle here) take their places and faces from main_window_buttons.h;
// the year and month lists' holders start at the empty list's height and
// follow its rows from then on (fitListHolder).
using Kind = skin::ControlKind;
constexpr gui::Rect kDateCaption{5, 3, 145, 16};
const skin::ControlRow kControls[] = {
    {"PicNaslov", Kind::Picture, {20, 4, 350, 15}},
    {"PicText", Kind::Picture, {9, 60, 400, 500}},
    {"Text", Kind::Host, {3, 3, 394, 494}, true, {}, 0, "PicText"},
    {"PicLeto", Kind::Picture, {413, 60, 175, 20}},
    {"lblLeto", Kind::Label, kDateCaption, true, {}, 0, "PicLeto"},
    {"BtnLeta", Kind::Picture, {}, true, {}, 0, "PicLeto"},
    {"PicMesec", Kind::Picture, {413, 84, 175, 20}},
    {"lblMesec", Kind::Label, kDateCaption, true, {}, 0, "PicMesec"},
    {"BtnMesec", Kind::Picture, {}, true, {}, 0, "PicMesec"},
    {"PicDatumi", Kind::Picture, {413, 108, 175, 452}},
    {"Datumi1", Kind::Custom, {3, 3, 169, 446}, true, {}, 0, "PicDatumi", &skin::makeControl<controls::Datumi>},
    {"PiccmbLeta", Kind::Picture, {414, 78, 173, 118}, false},
    {"cmbLeta", Kind::Custom, {1, 1, 171, 116}, true, {}, 0, "PiccmbLeta", &skin::makeControl<controls::ComboBox2>},
    {"PicCmbMesci", Kind::Picture, {414, 102, 173, 118}, false},
    {"cmbMesci", Kind::Custom, {1, 1, 171, 116}, true, {}, 0, "PicCmbMesci", &skin::makeControl<controls::ComboBox2>},
    {"BtnGeslo", Kind::Picture, {}},
    {"BtnKrepko", Kind::Picture, {}},
    {"BtnLežeče", Kind::Picture, {}},
    {"BtnPodčrtano", Kind::Picture, {}},
    {"BtnPoravnaj", Kind::Picture, {}},
    {"BtnSpremeniBarvo", Kind::Picture, {}},
    {"BtnSpremeniVelikost", Kind::Picture, {}},
    {"picBarvaZaGumb", Kind::Picture, {}, false},
    {"BtnZapri", Kind::Picture, {}},
    {"BtnMini", Kind::Picture, {}},
    {"BtnVednoNaVrhu", Kind::Picture, {}},
    {"BtnZloži", Kind::Picture, {}},
};

}  // namespace

// ---- making the window and its load ----------------------------------------

frmMain::frmMain(Pisarion& app)
    : m_app(app),
      m_form(app.platform(), "frmMain"),
      PicNaslov(skin::control<gui::PictureBox>(skin::buildControls(m_form, kControls), "PicNaslov")),
      PicText(skin::control<gui::PictureBox>(m_form, "PicText")),
      Text(skin::control<gui::Host>(m_form, "Text")),
      PicLeto(skin::control<gui::PictureBox>(m_form, "PicLeto")),
      lblLeto(skin::control<gui::Label>(m_form, "lblLeto")),
      BtnLeta(skin::control<gui::PictureBox>(m_form, "BtnLeta")),
      PicMesec(skin::control<gui::PictureBox>(m_form, "PicMesec")),
      lblMesec(skin::control<gui::Label>(m_form, "lblMesec")),
      BtnMesec(skin::control<gui::PictureBox>(m_form, "BtnMesec")),
      PicDatumi(skin::control<gui::PictureBox>(m_form, "PicDatumi")),
      Datumi1(skin::control<controls::Datumi>(m_form, "Datumi1")),
      PiccmbLeta(skin::control<gui::PictureBox>(m_form, "PiccmbLeta")),
      cmbLeta(skin::control<controls::ComboBox2>(m_form, "cmbLeta")),
      PicCmbMesci(skin::control<gui::PictureBox>(m_form, "PicCmbMesci")),
      cmbMesci(skin::control<controls::ComboBox2>(m_form, "cmbMesci")),
      BtnGeslo(skin::control<gui::PictureBox>(m_form, "BtnGeslo")),
      BtnKrepko(skin::control<gui::PictureBox>(m_form, "BtnKrepko")),
      BtnLežeče(skin::control<gui::PictureBox>(m_form, "BtnLežeče")),
      BtnPodčrtano(skin::control<gui::PictureBox>(m_form, "BtnPodčrtano")),
      BtnPoravnaj(skin::control<gui::PictureBox>(m_form, "BtnPoravnaj")),
      BtnSpremeniBarvo(skin::control<gui::PictureBox>(m_form, "BtnSpremeniBarvo")),
      BtnSpremeniVelikost(skin::control<gui::PictureBox>(m_form, "BtnSpremeniVelikost")),
      picBarvaZaGumb(skin::control<gui::PictureBox>(m_form, "picBarvaZaGumb")),
      BtnZapri(skin::control<gui::PictureBox>(m_form, "BtnZapri")),
      BtnMini(skin::control<gui::PictureBox>(m_form, "BtnMini")),
      BtnVednoNaVrhu(skin::control<gui::PictureBox>(m_form, "BtnVednoNaVrhu")),
      BtnZloži(skin::control<gui::PictureBox>(m_form, "BtnZloži")),
      m_day(m_form, app.store(), app.settingsFile().parent_path(), [&app] { return app.todayKey(); }),
      tmrVarnostnaKopija(m_form.addTimer("tmrVarnostnaKopija", kBackupDelayMs, gui::TimerStart::Stopped)) {
  m_form.setCaption(u"Pisarion");
  m_form.setBackColor(skin::kBodyColor);
  wireWindowEvents();
  wireEvents();
  makeToolbar();
  makeCaptionButtons();
  makeDateOpeners();
  makeSearch();
  wireKeyboard();
}

// Its controls' behaviour goes before the form: from now on the form
// describes nothing to a screen reader.
frmMain::~frmMain() { m_form.onDescribe = nullptr; }

void frmMain::Form_Load() {
  LayoutMainWindow();
  if (!Text.editor()) {
    // Without its editor the diary can neither show nor keep a day.
    m_app.EndOnFailure(
        u"Pisarion ne more odpreti urejevalnika besedila: knjižnice msftedit.dll ni ali pa urejevalnika ni bilo "
        u"mogoče ustvariti. Pisarion se bo zaprl, ne da bi karkoli spremenil.");
    return;
  }
  if (!prepareToWrite(m_app)) return;
  // The skin's colours are in place already; high contrast takes the system's.
  if (m_app.platform().highContrast()) applyColours();
  store::DiaryStore& store = m_app.store();
  // The folder was listed a moment ago; today's entry, when made, joins that listing.
  const store::DiaryStore::ListingHold listed(store);
  Datumi1.Počisti();
  store.ensureToday(m_app.todayKey());
  Datumi1.Počisti();
  fillPickersForToday();
  Datumi1.IzberiDan(m_app.todayKey());
  const std::u16string title = base::utf8ToUtf16(windowTitle(m_app.today()));
  m_app.taskbar().form().setCaption(title);
  printTitle(title);
  // The diary opens ready for writing.
  Text.setFocus();
}

// ---- layout ------------------------------------------------------------------

void frmMain::LayoutMainWindow() {
  m_form.setWidth(kWidth * m_form.tppX());
  m_form.setHeight(kHeight * m_form.tppY());
  m_form.cls();
  paintFrame();
  // One shaper cuts the magenta out of every skinned control the layout makes.
  shape::clsTransForm shaper;
  layoutCaptionButtons(shaper);
  gui::Editor* ed = Text.editor();
  if (!ed) {
    Text.setTakesFocus(true);
    Text.attach(m_app.platform().createEditor(m_form, Text.formRect()));
    ed = Text.editor();
    if (!ed) return;  // the load reports it and ends
    m_day.attach(*ed);
    ed->onSelChange = [this] { Text_SelChange(); };
    ed->onClick = [this] { Text_Click(); };
    ed->onContextMenu = [this] { Text_ContextMenu(); };
  }
  ed->setFont(gui::FontSpec{u"Arial", 238, 9, false});
  paintEditorFrame();
  layoutDatePickers(shaper);
  m_form.refresh();
  LayoutToolbar();
  Regija.setMyObject(m_form);
  Regija.DoObject2();
  Regija.DeleteRGN();
}

void frmMain::paintFrame() {
  gui::Surface& s = m_form.surface();
  const gui::Surface& a = m_app.atlasFor(m_form);
  const int W = m_form.pixelWidth(), H = m_form.pixelHeight();
  PicNaslov.cls();
  const int n = roundToInt(W / 60.0);
  for (int i = 0; i <= n; ++i) {
    s.blit(a, skin::r::titleTile, {60 * i, 0});
    s.blit(a, skin::r::bottomEdge, {60 * i, H - 5});
    s.blit(a, skin::r::toolbarBand, {60 * i, 26});
    PicNaslov.surface().blit(a, skin::r::titleTextTile, {60 * i, 0});
  }
  const int m = roundToInt(H / 60.0);
  for (int j = 0; j <= m; ++j) {
    s.blit(a, skin::r::leftEdge, {0, 60 * j});
    s.blit(a, skin::r::rightEdge, {W - 5, 60 * j});
  }
  s.blit(a, skin::r::topLeftCorner, {0, 0});
  s.blit(a, skin::r::bottomLeftCorner, {0, H - 5});
  s.blit(a, skin::r::topRightCorner, {W - 5, 0});
  s.blit(a, skin::r::bottomRightCorner, {W - 5, H - 5});
  s.blit(a, skin::r::captionPlate, {W - 120, 0});
  s.blit(a, skin::r::toolbarRightEdge, {W - 5, 26});
  s.blit(a, skin::r::toolbarLeftEnd, {7, 26});
  s.blit(a, skin::r::toolbarRightEnd, {W - 37, 26});
}

void frmMain::paintEditorFrame() {
  gui::Surface& s = PicText.surface();
  const gui::Surface& a = m_app.atlasFor(m_form);
  for (int i = 0; i <= 50; ++i) {
    s.blit(a, skin::r::boxLeft, {0, 10 * i});
    s.blit(a, skin::r::boxRight, {397, 10 * i});
  }
  for (int i = 0; i <= 40; ++i) {
    s.blit(a, skin::r::boxTop, {10 * i, 0});
    s.blit(a, skin::r::boxBottom, {10 * i, 497});
  }
  s.blit(a, skin::r::boxTopLeft, {0, 0});
  s.blit(a, skin::r::boxTopRight, {330, 0});
  s.blit(a, skin::r::boxBottomLeft, {0, 497});
  s.blit(a, skin::r::boxBottomRight, {330, 497});
  PicText.refresh();
}

void frmMain::showTitleNote(std::u16string_view note) {
  const gui::Surface& a = m_app.atlasFor(m_form);
  for (int x = 0; x < PicNaslov.width(); x += 60) PicNaslov.surface().blit(a, skin::r::titleTextTile, {x, 0});
  std::u16string title = base::utf8ToUtf16(windowTitle(m_app.today()));
  if (!note.empty()) title += u" \u2013 " + std::u16string(note);
  printTitle(title);
}

void frmMain::printTitle(const std::u16string& title) {
  const gui::FontSpec font{u"Arial", 238, 8.25, true};
  m_app.platform().text().draw(PicNaslov.surface(), PicNaslov.surface().bounds(), title, font, skin::kTextBlue,
                               base::Alignment::Left);
  PicNaslov.refresh();
}

// ---- a day's look ------------------------------------------------------------

void frmMain::ShowDay(std::string key) {
  m_day.show(std::move(key));
  if (Text.editor()) Text.editor()->setAccessibleName(editorName());
}

void frmMain::showWritable(bool writable) {
  const ToolbarLook look = writable ? ToolbarLook::Active : ToolbarLook::Inactive;
  drawSeparators(look);
  showFormatting(look);
  m_writable = writable;
  Text.setLook(editLook());
  if (Text.editor()) Text.editor()->setAccessibleName(editorName());
}

// A day that cannot be written looks it: a tinted page and no caret. In high
// contrast the page is the system's window colour, a read-only one its button
// face; text of the automatic colour then follows the system's window text
// (colours the user chose stay as written: they are part of the entry).
gui::EditLook frmMain::editLook() const {
  const std::optional<gui::ContrastColours> contrast = m_app.platform().highContrast();
  if (m_writable) return {contrast ? contrast->window : gui::EditLook{}.background, true};
  return {contrast ? contrast->buttonFace : skin::kPaleBlue, false};
}

void frmMain::applyColours() {
  const std::optional<gui::ContrastColours> c = m_app.platform().highContrast();
  const controls::RowList::Colours rows =
      c ? controls::RowList::Colours{c->window, c->windowText, c->highlight, c->highlight, c->highlightText,
                                     c->buttonFace, c->windowText}
        : controls::RowList::skinColours();
  for (controls::RowList* list : std::initializer_list<controls::RowList*>{&Datumi1, &cmbLeta, &cmbMesci})
    list->setColours(rows);
  Text.setLook(editLook());
}

void frmMain::SaveWhileAway() {
  HideYearWindow();  // what it shows of the diary goes out of sight with it
  m_day.autosave();
}

// ---- unload, the settings and the backup ------------------------------------

void frmMain::Form_Unload(bool& cancel) {
  // The diary does not close on a day's writing it could not save, nor on
  // settings it could not write, unless the user says so.
  if (!m_day.close()) {
    cancel = true;
    return;
  }
  if (!WriteSettings()) {
    m_day.reopen();
    cancel = true;
    return;
  }
  m_app.EndProgram();
}

bool frmMain::saveSettings() {
  store::Settings s;
  s.top = m_form.top();
  s.left = m_form.left();
  s.onTop = m_app.state().OnTopSetting();
  s.password = m_app.sealing().passwordForSettings();
  const std::string bytes = store::formatSettings(s, m_app.numberFormat());
  const std::filesystem::path file = m_app.settingsFile();
  // A file that already holds these settings loses nothing when it cannot
  // be written (a settings file made read-only on purpose, say).
  if (store::readFile(file) == bytes) return true;
  return store::writeFileAtomic(file, bytes, m_app.environment().folder / "~Podatki.ini.tmp");
}

bool frmMain::WriteSettings() {
  if (saveSettings()) return true;
  const std::filesystem::path file = m_app.settingsFile();
  // At a logoff nobody can answer: the session ends either way.
  if (m_sessionEnding) return true;
  return m_app.platform().askYesNo(
      u"Nastavitev (položaja okna, ohranjanja na vrhu in gesla) ni bilo mogoče shraniti v datoteko:\n" +
          file.u16string() +
          u"\n\nČe Pisarion zdaj zaprete, bodo te spremembe izgubljene; če ne, lahko poskusite znova. Ali naj se "
          u"Pisarion vseeno zapre?",
      u"Pisarion", gui::MessageIcon::Exclamation, gui::DefaultAnswer::No);
}

void frmMain::endSession() {
  if (m_day.closed()) return;
  m_sessionEnding = true;
  bool cancel = false;
  Form_Unload(cancel);
}

void frmMain::backUpSoon() { tmrVarnostnaKopija.setEnabled(true); }

// ---- placement and keep-on-top ----------------------------------------------

void frmMain::placeFromSettings(const store::Settings& settings) {
  const gui::Rect size = m_form.pixelBounds();
  m_form.setPixelBounds(openingBounds(settings, {size.w, size.h}, m_app.platform()));
}

void frmMain::applyOnTop() { docking().setAlwaysOnTop(m_app.state().OnTopSetting()); }

shape::clsDockingHandler& frmMain::docking() {
  if (!m_docking) {
    m_docking = std::make_unique<shape::clsDockingHandler>(
        m_app.platform(), [this](const shape::WorkArea& area) { m_app.state().setWorkArea(area); });
    m_docking->setParentForm(&m_form);
  }
  return *m_docking;
}

// ---- shortcuts ---------------------------------------------------------------

bool frmMain::Form_Shortcut(int keyCode, int shift) {
  // Behind the lock screen nothing of the diary acts.
  if (m_app.locked()) return true;
  if (keyCode == gui::kKeyTab || keyCode == gui::kKeyEscape) return takeNavigationKey(keyCode, shift);
  if (shift & gui::kAlt) return false;  // AltGr (Ctrl+Alt) types letters such as €
  if (takeCommandKey(keyCode, shift)) return true;
  switch (keyCode) {
    case 'E':
      // The export reads the files: today's writing goes into its file first.
      if (m_day.save()) exportWithDialog(m_app, m_form);
      return true;
    case 'F': OpenSearch(); return true;
    case 'D':
      if (shift & gui::kShift) OpenYearAtAGlance();
      else OnThisDay();
      return true;
    case 'P': PrintDay(); return true;
    // Taken here even on a past day: the editor's own Ctrl+I would type a Tab
    // over the selection.
    case 'B': ToggleFormat(skin::Format::Bold); return true;
    case 'I': ToggleFormat(skin::Format::Italic); return true;
    case 'U': ToggleFormat(skin::Format::Underline); return true;
    default: return false;
  }
}

// ---- the title-strip drag and clicks ----------------------------------------

void frmMain::Form_MouseDown(int button, int, double x, double y) {
  CloseMenus();
  if (button != gui::kLeftButton) return;
  // A drag reads the work area once, as it starts.
  if (x < m_form.pixelWidth() - 80 && y < 22) docking().GetSize(0, 0);
  DragAnchorX = roundToInt(x);
  DragAnchorY = roundToInt(y);
}

void frmMain::Form_MouseMove(int button, int, double, double) {
  // The title strip, left of the caption buttons, drags the window; it stays
  // inside the work area.
  if (!(button & gui::kLeftButton)) return;
  if (DragAnchorX >= m_form.pixelWidth() - 80 || DragAnchorY >= 22) return;
  // The anchor is where the press fell in the layout; on the screen it lies at the window's scale.
  shape::DragWithin(m_form, m_app.platform().cursorPos(), m_form.scale()(gui::Point{DragAnchorX, DragAnchorY}),
                    m_app.state().workArea());
}

void frmMain::Form_Click() {
  CloseMenus();
  CloseDateDropDowns();
}

// A click in the editor closes what a click on the window closes.
void frmMain::Text_Click() { Form_Click(); }

void frmMain::CloseMenus() {
  // What the keyboard pointed at in a menu is at rest when it opens again.
  if (m_menuItem > 0)
    for (gui::PictureBox* menu : {&menus->mnuPoravnaj, &menus->mnuSpremniBarvo, &menus->mnuSpremeniVelikost})
      if (menu->visible()) pointMenuItem(*menu, 0);
  m_menuItem = 0;
  menus->CloseMenus();
}

// ---- wiring ------------------------------------------------------------------

// The window's own events: load, unload, the session's end, presses on the
// title strip, shortcuts, focus, the day's writability and the backup's start.
void frmMain::wireWindowEvents() {
  m_form.onLoad = [this] { Form_Load(); };
  // At another scale every picture is blank: the window is laid out and
  // painted again, its shape cut again, from the atlas of the new scale.
  m_form.onScaleChange = [this] {
    takeAtlasForScale();
    LayoutMainWindow();
  };
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  m_form.onUnload = [this](bool& cancel) { Form_Unload(cancel); };
  m_form.onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  m_form.onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  // Logging off or shutting down must not lose the day's writing.
  // A logoff waits while today's text cannot be saved.
  m_form.onQueryEndSession = [this] { return m_day.save(); };
  m_form.onEndSession = [this](bool ending) {
    if (ending) endSession();
  };
  m_form.onClick = [this] { Form_Click(); };
  // The title text is part of the strip that drags the window: its presses
  // and moves are the window's.
  PicNaslov.onMouseDown = [this](int b, int s, double x, double y) {
    Form_MouseDown(b, s, x + PicNaslov.left(), y + PicNaslov.top());
  };
  PicNaslov.onMouseMove = [this](int b, int s, double x, double y) {
    Form_MouseMove(b, s, x + PicNaslov.left(), y + PicNaslov.top());
  };
  m_form.onShortcut = [this](int key, int shift) { return Form_Shortcut(key, shift); };
  // While the change-password dialog is up it keeps the focus, as a modal
  // dialog would.
  m_form.onActivate = [this] {
    gui::Form& dialog = m_app.spremeniGeslo().form();
    if (dialog.visible()) dialog.activate();
  };
  // Another window takes the focus: what was typed is put on the disk.
  m_form.onDeactivate = [this] { m_day.autosave(); };
  m_form.onSystemColours = [this] { applyColours(); };
  m_day.onWritableChanged = [this](bool writable) { showWritable(writable); };
  // A timer's turn comes after the window's first paint.
  tmrVarnostnaKopija.onTimer = [this] {
    tmrVarnostnaKopija.setEnabled(false);
    startDailyBackup(m_app);
  };
}

void frmMain::wireEvents() {
  Datumi1.IzbtranDatum = [this](std::string& d) {
    Datumi1_IzbtranDatum(d);
    searchDayShown(d);
  };
  Datumi1.SpremembaIzbora = [this](std::string& a, std::string& b) { Datumi1_SpremembaIzbora(a, b); };
  Datumi1.ČiščenjeIzbora = [this](bool& danes) { Datumi1_ČiščenjeIzbora(danes); };
  Datumi1.Klik = [this] { Datumi1_Klik(); };
  cmbLeta.Izbran = [this](std::string& t) {
    cmbLeta_Izbran(t);
    afterListChoice(cmbLeta);
  };
  cmbMesci.Izbran = [this](std::string& t) {
    cmbMesci_Izbran(t);
    afterListChoice(cmbMesci);
  };
  cmbLeta.Klik = [this] { CloseMenus(); };
  cmbMesci.Klik = [this] { CloseMenus(); };
  cmbLeta.Resize = [this] { cmbLeta_Resize(); };
  cmbMesci.Resize = [this] { cmbMesci_Resize(); };
  cmbLeta.onLostFocus = [this] { listLostFocus(cmbLeta); };
  cmbMesci.onLostFocus = [this] { listLostFocus(cmbMesci); };
  BtnLeta.onMouseDown = [this](int b, int s, double x, double y) { BtnLeta_MouseDown(b, s, x, y); };
  lblLeto.onMouseDown = [this](int b, int s, double x, double y) { lblLeto_MouseDown(b, s, x, y); };
  BtnMesec.onMouseDown = [this](int b, int s, double x, double y) { BtnMesec_MouseDown(b, s, x, y); };
  lblMesec.onMouseDown = [this](int b, int s, double x, double y) { lblMesec_MouseDown(b, s, x, y); };
  // Passive areas close the formatting menus.
  for (gui::Element* e : std::initializer_list<gui::Element*>{&PicText, &PicDatumi, &PicLeto, &PicMesec, &PiccmbLeta,
                                                               &PicCmbMesci})
    e->onClick = [this] { CloseMenus(); };
}

}  // namespace app

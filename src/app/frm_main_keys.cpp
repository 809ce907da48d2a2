// The main window's keyboard: Tab and Shift+Tab move it between the editor,
// the day list and the year and month boxes; a choice made with the mouse
// gives it back to the editor; Escape closes an open list or menu; a ring
// round the part that has it shows where it is. The caption buttons, the
// alignment and the password window have Ctrl keys of their own.
#include "app/frm_main.h"
#include "app/frm_spremeni_geslo.h"
#include "app/pisarion.h"
#include "skin/atlas.h"
#include "skin/skinned_button.h"

namespace app {
namespace {
// The ring is a deep-blue line two pixels out from the part, with a line of
// the body colour between: the parts' own outlines are deep blue as well, and
// a ring laid against one would only read as a thicker frame. Two pixels is
// all the room there is above the editor (the toolbar's band) and below it
// (the window's frame).
struct RingLine {
  int distance;
  base::Color color;
};
constexpr RingLine kRingLines[2] = {{2, skin::kDeepBlue}, {1, skin::kBodyColor}};
}  // namespace

void frmMain::wireKeyboard() {
  for (int i = 0; i < 2; ++i) {
    gui::Shape& ring = m_form.add<gui::Shape>("FocusRing" + std::to_string(i));
    ring.setFillStyle(gui::FillStyle::Transparent);
    ring.setBorderColor(kRingLines[i].color);
    ring.setVisible(false);
    m_focusRing[i] = &ring;
  }
  for (gui::Element* e : std::initializer_list<gui::Element*>{&Text, &Datumi1, &PicLeto, &PicMesec, &cmbLeta, &cmbMesci}) {
    e->onGotFocus = [this] { markFocus(); };
    auto lost = std::move(e->onLostFocus);
    e->onLostFocus = [this, lost] {
      if (lost) lost();
      markFocus();
    };
  }
  // While searching the keys stay in the search field.
  Datumi1.onChosenWithMouse = [this] {
    if (!searching()) Text.setFocus();
  };
  cmbLeta.onChosenWithMouse = [this] { Text.setFocus(); };
  cmbMesci.onChosenWithMouse = [this] { Text.setFocus(); };
  PicLeto.onKeyDown = [this](int key, int) { box_KeyDown(cmbLeta, key); };
  PicMesec.onKeyDown = [this](int key, int) { box_KeyDown(cmbMesci, key); };
}

void frmMain::markFocus() {
  const gui::Element* f = m_form.focused();
  const gui::Element* framed = f == &Text                       ? static_cast<gui::Element*>(&PicText)
                               : f == &Datumi1                  ? &PicDatumi
                               : f == &PicLeto || f == &cmbLeta  ? &PicLeto
                               : f == &PicMesec || f == &cmbMesci ? &PicMesec
                                                                  : nullptr;
  for (int i = 0; i < 2; ++i) {
    if (!framed || !framed->shown()) {
      m_focusRing[i]->setVisible(false);
      continue;
    }
    const gui::Rect r = framed->formRect();
    const int d = kRingLines[i].distance;
    m_focusRing[i]->move(r.x - d, r.y - d, r.w + 2 * d, r.h + 2 * d);
    m_focusRing[i]->setVisible(true);
  }
}

bool frmMain::closeOpenLists() {
  const bool open = PiccmbLeta.visible() || PicCmbMesci.visible();
  const gui::Element* f = m_form.focused();
  CloseDateDropDowns();
  // The keys go back to the box whose list had them.
  if (f == &cmbLeta) PicLeto.setFocus();
  else if (f == &cmbMesci) PicMesec.setFocus();
  return open;
}

bool frmMain::takeNavigationKey(int keyCode, int shift) {
  if (keyCode == gui::kKeyEscape) {
    const bool menuOpen = menus->mnuPoravnaj.visible() || menus->mnuSpremniBarvo.visible() ||
                          menus->mnuSpremeniVelikost.visible();
    CloseMenus();
    return closeOpenLists() || menuOpen;
  }
  if (keyCode != gui::kKeyTab || searching()) return false;
  if (shift & gui::kCtrl) {
    // The Tab key moves the keyboard; Ctrl+Tab types a Tab into today's text.
    if (m_form.focused() == &Text && m_day.writing() && !editor().Locked()) editor().replaceSelection(u"\t");
    return true;
  }
  moveKeyboard(shift & gui::kShift ? -1 : 1);
  return true;
}

bool frmMain::takeCommandKey(int keyCode, int shift) {
  const bool withShift = shift & gui::kShift;
  // What the mouse would have closed on its way to the button.
  const auto runButton = [this](skin::SkinnedButton& button) {
    CloseMenus();
    CloseDateDropDowns();
    if (button.onCommand) button.onCommand();
  };
  switch (keyCode) {
    case 'M': runButton(withShift ? *mini : *zloži); return true;
    case 'T':
      if (withShift) return false;
      runButton(*vednoNaVrhu);
      return true;
    case 'W':
      if (withShift) return false;
      runButton(*zapri);
      return true;
    case 'G':
      if (withShift) return false;
      runButton(*geslo);
      return true;
    // The editor's own Ctrl+L, Ctrl+R and Ctrl+E would align behind the
    // toolbar's back; its Ctrl+J would justify, which the diary does not
    // offer: they are all taken here.
    case 'L':
      if (!withShift) AlignParagraphs(base::Alignment::Left);
      return true;
    case 'R':
      if (!withShift) AlignParagraphs(base::Alignment::Right);
      return true;
    case 'E':
      if (!withShift) return false;  // Ctrl+E is the export
      AlignParagraphs(base::Alignment::Center);
      return true;
    case 'J': return true;
    default: return false;
  }
}

void frmMain::AlignParagraphs(base::Alignment alignment) {
  CloseMenus();
  gui::Editor& ed = editor();
  if (!m_day.writing() || ed.Locked()) return;
  ed.setSelAlignment(alignment);
  drawIndicators();
}

void frmMain::moveKeyboard(int step) {
  gui::Element* stops[] = {&Text, &Datumi1, &PicLeto, &PicMesec};
  constexpr int n = 4;
  const gui::Element* f = m_form.focused();
  if (f == &cmbLeta) f = &PicLeto;
  if (f == &cmbMesci) f = &PicMesec;
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (stops[i] == f) at = i;
  CloseMenus();
  CloseDateDropDowns();
  if (at < 0) at = step > 0 ? n - 1 : 0;
  for (int k = 1; k <= n; ++k) {
    gui::Element* next = stops[((at + step * k) % n + n) % n];
    if (next->shown()) return next->setFocus();
  }
}

void frmMain::box_KeyDown(controls::ComboBox2& list, int keyCode) {
  // Down, Up, Enter or Space open the box's list with the keys in it, Up and
  // Down then moving on from the row that shows its value.
  if (keyCode != gui::kKeyDown && keyCode != gui::kKeyUp && keyCode != gui::kKeyReturn && keyCode != ' ') return;
  if (&list == &cmbLeta) openYearList();
  else openMonthList();
  list.takeHighlight();
}

void frmMain::afterListChoice(controls::ComboBox2& list) {
  if (m_form.focused() != &list) return;
  if (&list == &cmbLeta) PicLeto.setFocus();
  else PicMesec.setFocus();
}

}  // namespace app

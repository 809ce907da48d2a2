// The main window's keyboard: Tab and Shift+Tab move it between the editor,
// the day list, the year and month boxes, the caption buttons and the
// toolbar; a choice made with the mouse gives it back to the editor; Escape
// closes an open list or menu; a ring round the part that has it shows where
// it is. On the toolbar and the caption buttons Left and Right move along,
// Space and Enter press, and a menu button opens its menu with Down or Enter,
// the arrows walking its items. The caption buttons, the alignment and the
// password window have Ctrl keys of their own.
#include <algorithm>

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
// A toolbar button has no room round it (the title strip above, its
// neighbours at its sides): its ring lies inside its own edge, this much in.
constexpr int kInsideRing = 2;

// The next of `count` places from `at` (1 … count), `step` away, round the ends.
int around(int at, int step, int count) { return ((at - 1 + step) % count + count) % count + 1; }
}  // namespace

// The ring's lines lie in what they surround: on the window, or inside a toolbar button.
void frmMain::makeFocusRing(gui::Container& parent) {
  for (int i = 0; i < 2; ++i) {
    if (m_focusRing[i]) m_focusRing[i]->parent().remove(*m_focusRing[i]);
    gui::Shape& ring = parent.add<gui::Shape>("FocusRing" + std::to_string(i));
    ring.setFillStyle(gui::FillStyle::Transparent);
    ring.setBorderColor(kRingLines[i].color);
    ring.setVisible(false);
    m_focusRing[i] = &ring;
  }
}

std::vector<gui::PictureBox*> frmMain::toolbarBoxes() const {
  return {&BtnGeslo, &BtnKrepko, &BtnLežeče, &BtnPodčrtano, &BtnPoravnaj, &BtnSpremeniBarvo, &BtnSpremeniVelikost};
}

std::vector<gui::PictureBox*> frmMain::captionBoxes() const { return {&BtnZloži, &BtnVednoNaVrhu, &BtnMini, &BtnZapri}; }

void frmMain::wireKeyboard() {
  makeFocusRing(m_form);
  std::vector<gui::Element*> parts{&Text, &Datumi1, &PicLeto, &PicMesec, &cmbLeta, &cmbMesci};
  for (const auto& group : {toolbarBoxes(), captionBoxes()})
    for (gui::PictureBox* box : group) {
      parts.push_back(box);
      box->onKeyDown = [this, box](int key, int shift) {
        if (!(shift & (gui::kCtrl | gui::kAlt))) button_KeyDown(*box, key);
      };
    }
  for (gui::Element* e : parts) {
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
  gui::Element* f = m_form.focused();
  const auto toolbar = toolbarBoxes(), caption = captionBoxes();
  const bool onToolbar = std::find(toolbar.begin(), toolbar.end(), f) != toolbar.end();
  const bool onCaption = std::find(caption.begin(), caption.end(), f) != caption.end();
  gui::Element* framed = f == &Text                        ? static_cast<gui::Element*>(&PicText)
                         : f == &Datumi1                   ? &PicDatumi
                         : f == &PicLeto || f == &cmbLeta   ? &PicLeto
                         : f == &PicMesec || f == &cmbMesci ? &PicMesec
                         : onToolbar || onCaption           ? f
                                                            : nullptr;
  gui::Container& holder = onToolbar ? static_cast<gui::Container&>(*f) : m_form;
  if (&m_focusRing[0]->parent() != &holder) makeFocusRing(holder);
  for (int i = 0; i < 2; ++i) {
    if (!framed || !framed->shown()) {
      m_focusRing[i]->setVisible(false);
      continue;
    }
    const gui::Rect r = onToolbar ? gui::Rect{0, 0, f->width(), f->height()} : framed->formRect();
    const int d = kRingLines[i].distance - (onToolbar ? kInsideRing : 0);
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
  const auto runButton = [this](skin::SkinnedButton& button) { runCommand(button); };
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

void frmMain::runCommand(skin::SkinnedButton& button) {
  CloseMenus();
  CloseDateDropDowns();
  if (button.onCommand) button.onCommand();
}

// The Tab stops in their order: the editor, the day list, the year and month
// boxes, the caption buttons and the toolbar (which the arrows walk), and
// round to the editor again, so that Shift+Tab from the editor reaches the
// toolbar just above it.
void frmMain::moveKeyboard(int step) {
  const std::vector<gui::Element*> single[] = {{&Text}, {&Datumi1}, {&PicLeto}, {&PicMesec}};
  const auto caption = captionBoxes(), toolbar = toolbarBoxes();
  std::vector<std::vector<gui::Element*>> stops(std::begin(single), std::end(single));
  stops.emplace_back(caption.begin(), caption.end());
  stops.emplace_back(toolbar.begin(), toolbar.end());
  const int n = static_cast<int>(stops.size());
  const gui::Element* f = m_form.focused();
  if (f == &cmbLeta) f = &PicLeto;
  if (f == &cmbMesci) f = &PicMesec;
  int at = 0;
  for (int i = 0; i < n; ++i)
    if (std::find(stops[i].begin(), stops[i].end(), f) != stops[i].end()) at = i + 1;
  CloseMenus();
  CloseDateDropDowns();
  if (at == 0) at = step > 0 ? n : 1;
  for (int k = 1; k <= n; ++k)
    for (gui::Element* next : stops[around(at, step * k, n) - 1])
      if (next->shown()) return next->setFocus();
}

void frmMain::button_KeyDown(gui::PictureBox& box, int keyCode) {
  const bool press = keyCode == gui::kKeyReturn || keyCode == gui::kKeySpace;
  gui::PictureBox* menu = menuOf(box);
  if (menu && menu->visible()) {
    // The arrows walk the open menu, Enter or Space choose its pointed item.
    if (press) return m_menuItem > 0 ? chooseMenuItem(*menu, m_menuItem) : void();
    const int count = static_cast<int>(menuItems(*menu).size());
    const int row = count > menuColumns(*menu) ? menuColumns(*menu) : 1;
    const int step = keyCode == gui::kKeyLeft ? -1 : keyCode == gui::kKeyRight ? 1
                     : keyCode == gui::kKeyUp ? -row : keyCode == gui::kKeyDown ? row : 0;
    if (step == 0) return;
    pointMenuItem(*menu, m_menuItem > 0 ? around(m_menuItem, step, count) : step > 0 ? 1 : count);
    return;
  }
  if (keyCode == gui::kKeyLeft || keyCode == gui::kKeyRight) {
    const auto toolbar = toolbarBoxes();
    const bool onToolbar = std::find(toolbar.begin(), toolbar.end(), &box) != toolbar.end();
    const std::vector<gui::PictureBox*> group = onToolbar ? toolbar : captionBoxes();
    const int count = static_cast<int>(group.size());
    const int at = static_cast<int>(std::find(group.begin(), group.end(), &box) - group.begin()) + 1;
    const int step = keyCode == gui::kKeyLeft ? -1 : 1;
    for (int k = 1; k < count; ++k)
      if (gui::PictureBox* next = group[around(at, step * k, count) - 1]; next->shown()) return next->setFocus();
    return;
  }
  if (menu && (press || keyCode == gui::kKeyDown)) return openMenuByKeyboard(box, *menu);
  if (press) pressButton(box);
}

void frmMain::pressButton(gui::PictureBox& box) {
  if (&box == &BtnKrepko) return ToggleFormat(skin::Format::Bold);
  if (&box == &BtnLežeče) return ToggleFormat(skin::Format::Italic);
  if (&box == &BtnPodčrtano) return ToggleFormat(skin::Format::Underline);
  const std::pair<gui::PictureBox*, skin::SkinnedButton*> commands[] = {
      {&BtnGeslo, geslo.get()}, {&BtnZloži, zloži.get()}, {&BtnVednoNaVrhu, vednoNaVrhu.get()},
      {&BtnMini, mini.get()},   {&BtnZapri, zapri.get()}};
  for (const auto& [b, button] : commands)
    if (b == &box) {
      runCommand(*button);
      // The keep-on-top button's face shows the setting it now has.
      if (b == &BtnVednoNaVrhu) drawOnTopFace();
      return;
    }
}

// ---- the toolbar's menus by keyboard

gui::PictureBox* frmMain::menuOf(const gui::Element& opener) const {
  if (&opener == &BtnPoravnaj) return &menus->mnuPoravnaj;
  if (&opener == &BtnSpremeniBarvo) return &menus->mnuSpremniBarvo;
  if (&opener == &BtnSpremeniVelikost) return &menus->mnuSpremeniVelikost;
  return nullptr;
}

std::vector<gui::Element*> frmMain::menuItems(const gui::PictureBox& menu) const {
  if (&menu == &menus->mnuPoravnaj)
    return {&poravnava->mnuBtnPoravnajLevo, &poravnava->mnuBtnPoravnajNaSredino, &poravnava->mnuBtnPoravnajDesno};
  if (&menu == &menus->mnuSpremeniVelikost) return {velikost->lblVelikost.begin() + 1, velikost->lblVelikost.end()};
  return {barve->picBarva.begin() + 1, barve->picBarva.end()};
}

int frmMain::menuColumns(const gui::PictureBox& menu) const {
  if (&menu == &menus->mnuPoravnaj) return 3;
  if (&menu == &menus->mnuSpremeniVelikost) return velikost->items().columns();
  return barve->items().columns();
}

int frmMain::currentMenuItem(const gui::PictureBox& menu) const {
  const gui::Editor* ed = Text.editor();
  if (!ed) return 0;
  if (&menu == &menus->mnuPoravnaj) {
    const std::optional<base::Alignment> a = ed->SelAlignment();
    if (!a) return 0;
    return *a == base::Alignment::Left ? 1 : *a == base::Alignment::Center ? 2 : 3;
  }
  if (&menu == &menus->mnuSpremeniVelikost) {
    const std::optional<double> size = ed->SelFontSize();
    const auto& sizes = skin::SizeMenu::kSizes;
    for (size_t i = 0; size && i < sizes.size(); ++i)
      if (*size == sizes[i]) return static_cast<int>(i) + 1;
    return 0;
  }
  const std::optional<base::Color> colour = ed->SelColor();
  const auto& palette = skin::ColourMenu::kPalette;
  for (size_t i = 0; colour && i < palette.size(); ++i)
    if (*colour == palette[i]) return static_cast<int>(i) + 1;
  return 0;
}

// The menu opens as a click opens it, with the highlight on the item in use
// (on the first when none is).
void frmMain::openMenuByKeyboard(gui::PictureBox& opener, gui::PictureBox& menu) {
  CloseMenus();
  CloseDateDropDowns();
  const std::pair<gui::PictureBox*, skin::SkinnedButton*> openers[] = {
      {&BtnPoravnaj, poravnaj.get()}, {&BtnSpremeniBarvo, spremeniBarvo.get()},
      {&BtnSpremeniVelikost, spremeniVelikost.get()}};
  for (const auto& [b, button] : openers)
    if (b == &opener && button->onCommand) button->onCommand();
  menu.setVisible(true);
  pointMenuItem(menu, std::max(1, currentMenuItem(menu)));
}

void frmMain::pointMenuItem(gui::PictureBox& menu, int k) {
  m_menuItem = k;
  if (&menu == &menus->mnuPoravnaj) {
    int i = 0;
    for (skin::AlignmentMenu::Item* item : {&poravnava->Levo, &poravnava->NaSredino, &poravnava->Desno})
      poravnava->drawFace(*item, ++i == k ? skin::ButtonState::Hover : skin::ButtonState::Rest);
  } else if (&menu == &menus->mnuSpremeniVelikost) {
    velikost->items().point(k);
  } else {
    barve->items().point(k);
  }
}

void frmMain::chooseMenuItem(gui::PictureBox& menu, int k) {
  if (&menu == &menus->mnuPoravnaj) {
    const base::Alignment alignments[] = {base::Alignment::Left, base::Alignment::Center, base::Alignment::Right};
    return AlignParagraphs(alignments[k - 1]);  // it closes the menu
  }
  m_menuItem = 0;
  if (&menu == &menus->mnuSpremeniVelikost) velikost->items().choose(k);
  else barve->items().choose(k);
  drawIndicators();
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

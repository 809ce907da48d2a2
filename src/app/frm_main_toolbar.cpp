// The main window's formatting toolbar: its table (every button's place,
// face, tip and timers, and the separators between the groups), the buttons
// and the three formatting menus they open, the bold, italic and underline
// toggles, and the indicators that follow the editor's selection.
#include <cmath>

#include "app/frm_main.h"
#include "app/frm_spremeni_geslo.h"
#include "app/main_window_buttons.h"
#include "app/pisarion.h"
#include "app/search_field.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {

using skin::Row;

using namespace main_window;

void frmMain::makeToolbar() {
  const gui::Surface& atlas = m_app.atlasFor(m_form);
  const skin::EditorSource ed = [this] { return Text.editor(); };
  menus = std::make_unique<skin::FormatMenus>(m_form, atlas, kPoravnaj.at.x, kSpremeniBarvo.at.x,
                                              kSpremeniVelikost.at.x);
  auto make = [&atlas](gui::PictureBox& box, const skin::ButtonSetup& setup, skin::ButtonLinks links) {
    return std::make_unique<skin::SkinnedButton>(box, atlas, setup, std::move(links));
  };
  geslo = make(BtnGeslo, kGeslo, {});
  krepko = make(BtnKrepko, kKrepko, {.editor = ed});
  ležeče = make(BtnLežeče, kLežeče, {.editor = ed});
  podčrtano = make(BtnPodčrtano, kPodčrtano, {.editor = ed});
  poravnaj = make(BtnPoravnaj, kPoravnaj, {.editor = ed, .menu = &menus->mnuPoravnaj});
  spremeniBarvo =
      make(BtnSpremeniBarvo, kSpremeniBarvo, {.menu = &menus->mnuSpremniBarvo, .marks = &m_app.faceMarks});
  spremeniVelikost = make(BtnSpremeniVelikost, kSpremeniVelikost,
                          {.menu = &menus->mnuSpremeniVelikost, .marks = &m_app.faceMarks});
  for (skin::SkinnedButton* b : {geslo.get(), krepko.get(), ležeče.get(), podčrtano.get()})
    b->closeMenus = [this] { CloseMenus(); };
  geslo->onCommand = [this] { m_app.spremeniGeslo().Open(); };
  // A move over a menu's button closes the other two.
  poravnaj->closeMenus = [this] { menus->closeOthers(menus->mnuPoravnaj); };
  spremeniBarvo->closeMenus = [this] { menus->closeOthers(menus->mnuSpremniBarvo); };
  spremeniVelikost->closeMenus = [this] { menus->closeOthers(menus->mnuSpremeniVelikost); };

  poravnava = std::make_unique<skin::AlignmentMenu>(menus->mnuPoravnaj, atlas, ed);
  velikost = std::make_unique<skin::SizeMenu>(menus->mnuSpremeniVelikost, m_app.faceMarks,
                                              BtnSpremeniVelikost, ed);
  barve = std::make_unique<skin::ColourMenu>(menus->mnuSpremniBarvo, atlas, m_app.faceMarks, BtnSpremeniBarvo,
                                             picBarvaZaGumb, ed);
  // The right-align item is put back to rest as the alignment menu opens or closes.
  poravnaj->onCommand = [this] { poravnava->drawFace(poravnava->Desno, skin::ButtonState::Rest); };
}

void frmMain::takeAtlasForScale() {
  const gui::Surface& atlas = m_app.atlasFor(m_form);
  for (skin::SkinnedButton* b : {geslo.get(), krepko.get(), ležeče.get(), podčrtano.get(), poravnaj.get(),
                                 spremeniBarvo.get(), spremeniVelikost.get(), zapri.get(), mini.get(), zloži.get(),
                                 vednoNaVrhu.get(), yearOpener.get(), monthOpener.get()})
    b->setAtlas(atlas);
  menus->paint(atlas);
  poravnava->setAtlas(atlas);
  barve->setAtlas(atlas);
  if (searchField) searchField->setAtlas(atlas);
}

void frmMain::LayoutToolbar() {
  // The editor's size is known before the size button's first face is drawn.
  velikost->drawSizeDisplay();
  // Each button at its place with its rest face in the column of the
  // editor's formatting, its animation counter at "0".
  for (skin::SkinnedButton* b : {geslo.get(), krepko.get(), ležeče.get(), podčrtano.get(), poravnaj.get(),
                                 spremeniBarvo.get(), spremeniVelikost.get()})
    b->place();
  for (gui::PictureBox* b : {&BtnKrepko, &BtnLežeče, &BtnPodčrtano, &BtnPoravnaj, &BtnSpremeniBarvo,
                             &BtnSpremeniVelikost})
    b->bringToFront();
  // The rest faces in the columns of the editor's current formatting.
  drawIndicators();
  drawSeparators(ToolbarLook::Active);
}

void frmMain::drawSeparators(ToolbarLook look) {
  const gui::Rect& piece = look == ToolbarLook::Active ? skin::r::activeSeparator : skin::r::inactiveSeparator;
  for (int x : kSeparatorX) m_form.blit(m_app.atlasFor(m_form), piece, {x, kSeparatorY});
}

void frmMain::showFormatting(ToolbarLook look) {
  for (gui::PictureBox* b : {&BtnKrepko, &BtnPoravnaj, &BtnLežeče, &BtnPodčrtano, &BtnSpremeniBarvo, &BtnSpremeniVelikost})
    b->setVisible(look == ToolbarLook::Active);
}

void frmMain::Text_SelChange() {
  if (editor().Locked()) return;
  drawIndicators();
}

void frmMain::ToggleFormat(skin::Format format) {
  gui::Editor& ed = editor();
  if (!m_day.writing() || ed.Locked()) return;
  using F = skin::Format;
  // As the buttons do: a selection that only partly has the format gets it throughout.
  switch (format) {
    case F::Bold: ed.setSelBold(!gui::isTrue(ed.SelBold())); break;
    case F::Italic: ed.setSelItalic(!gui::isTrue(ed.SelItalic())); break;
    case F::Underline: ed.setSelUnderline(!gui::isTrue(ed.SelUnderline())); break;
  }
  drawIndicators();
}

void frmMain::drawIndicators() {
  gui::Editor& ed = editor();
  // The toggles' and the alignment button's columns follow the selection (a
  // format that is mixed in it counts as off).
  for (skin::SkinnedButton* b : {krepko.get(), ležeče.get(), podčrtano.get(), poravnaj.get()}) b->drawRest();
  // Several colours or sizes in the selection leave the swatch and the digits as they were.
  if (const std::optional<base::Color> colour = ed.SelColor()) {
    picBarvaZaGumb.setBackColor(*colour);
    m_app.faceMarks.colour = *colour;
  }
  spremeniBarvo->drawRest();
  if (const std::optional<double> size = ed.SelFontSize())
    m_app.faceMarks.pointSize = static_cast<int>(std::lround(*size));
  spremeniVelikost->drawRest();
  // The menus mark the values in use, mixed ones none.
  velikost->markSize(ed.SelFontSize());
  barve->markColour(ed.SelColor());
}

}  // namespace app

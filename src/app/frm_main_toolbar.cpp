// The main window's formatting toolbar: the buttons at their places with
// their faces, the bold, italic and underline toggles, the indicators that
// follow the editor's selection, and the separators between the groups.
#include <cmath>

#include "app/frm_main.h"
#include "app/frm_spremeni_geslo.h"
#include "app/pisarion.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {

using skin::Row;
using skin::ToolbarFace;

namespace {
constexpr int kSeparatorX[] = {57, 180, 223};
constexpr int kSeparatorY = 26;
}  // namespace

void frmMain::drawFace(gui::PictureBox& button, const gui::Rect& face) {
  button.blit(m_app.PictureGUI, face, {0, 0});
}

void frmMain::LayoutToolbar() {
  m_app.spremeniGeslo().Layout();
  // The editor's size is known before the size button's first face is drawn.
  velikost->drawSizeDisplay();
  // Each button at top 19 with its rest face in the column of the editor's
  // formatting, its animation counter at "0".
  geslo->place(15);
  krepko->place(60);
  ležeče->place(100);
  podčrtano->place(140);
  poravnaj->place(183);
  spremeniBarvo->place(226);
  spremeniVelikost->place(270);
  for (gui::PictureBox* b : {&BtnKrepko, &BtnLežeče, &BtnPodčrtano, &BtnPoravnaj, &BtnSpremeniBarvo,
                             &BtnSpremeniVelikost})
    b->bringToFront();
  picBarvaZaGumb.setVisible(false);
  // The rest faces in the columns of the editor's current formatting.
  drawIndicators();
  drawSeparators(ToolbarLook::Active);
}

void frmMain::drawSeparators(ToolbarLook look) {
  const gui::Rect& piece = look == ToolbarLook::Active ? skin::r::activeSeparator : skin::r::inactiveSeparator;
  for (int x : kSeparatorX) m_form.blit(m_app.PictureGUI, piece, {x, kSeparatorY});
}

void frmMain::showFormatting(ToolbarLook look) {
  for (gui::PictureBox* b : {&BtnKrepko, &BtnPoravnaj, &BtnLežeče, &BtnPodčrtano, &BtnSpremeniBarvo, &BtnSpremeniVelikost})
    b->setVisible(look == ToolbarLook::Active);
}

void frmMain::Text_SelChange() {
  if (editor().Locked()) return;
  drawIndicators();
}

void frmMain::ToggleFormat(skin::FormatToggle::Format format) {
  gui::Editor& ed = editor();
  if (!m_day.writing() || ed.Locked()) return;
  using F = skin::FormatToggle::Format;
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
  for (skin::ToolbarButton* b : std::initializer_list<skin::ToolbarButton*>{krepko.get(), ležeče.get(), podčrtano.get(), poravnaj.get()})
    b->drawFace(Row::Rest);
  // Several colours or sizes in the selection leave the swatch and the digits as they were.
  if (const std::optional<base::Color> colour = ed.SelColor()) {
    picBarvaZaGumb.setBackColor(*colour);
    m_app.faceMarks.colour = *colour;
  }
  spremeniBarvo->drawFace(Row::Rest);
  if (const std::optional<double> size = ed.SelFontSize())
    m_app.faceMarks.pointSize = static_cast<int>(std::lround(*size));
  spremeniVelikost->drawFace(Row::Rest);
  // The menus mark the values in use, mixed ones none.
  velikost->markSize(ed.SelFontSize());
  barve->markColour(ed.SelColor());
}

}  // namespace app

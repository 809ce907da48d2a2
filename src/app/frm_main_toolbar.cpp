// The main window's formatting toolbar: the buttons at their places with
// their faces, the bold, italic and underline toggles, the indicators that
// follow the editor's selection, and the separators between the groups.
#include <cmath>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {

using skin::Row;
using skin::ToolbarFace;

namespace {
constexpr int kButtonTop = 19;
constexpr int kSeparatorX[] = {57, 180, 223};
constexpr int kSeparatorY = 26;
}  // namespace

void frmMain::drawFace(gui::PictureBox& button, const gui::Rect& face) {
  button.surface().blit(m_app.PictureGUI, face, {0, 0});
  button.refresh();
}

void frmMain::LayoutToolbar() {
  struct Place {
    gui::PictureBox& button;
    int left;
    ToolbarFace face;
  };
  for (Place p : {Place{BtnGeslo, 15, ToolbarFace::Geslo}, Place{BtnKrepko, 60, ToolbarFace::KrepkoOff},
                  Place{BtnLežeče, 100, ToolbarFace::LežečeOff}, Place{BtnPodčrtano, 140, ToolbarFace::PodčrtanoOff},
                  Place{BtnPoravnaj, 183, ToolbarFace::PoravnajLevo},
                  Place{BtnSpremeniBarvo, 226, ToolbarFace::SpremeniBarvo},
                  Place{BtnSpremeniVelikost, 270, ToolbarFace::SpremeniVelikost}}) {
    p.button.move(p.left, kButtonTop, skin::toolbarButtonWidth(p.face), skin::kToolbarFaceHeight);
    if (&p.button != &BtnGeslo) p.button.bringToFront();
  }
  drawFace(BtnGeslo, skin::toolbarFace(ToolbarFace::Geslo, Row::Rest));
  picBarvaZaGumb.setVisible(false);
  // The rest faces in the columns of the editor's current formatting.
  drawIndicators();
  drawSeparators(true);
}

void frmMain::drawSeparators(bool active) {
  const gui::Rect& piece = active ? skin::r::ločiloAktivno : skin::r::ločiloNeaktivno;
  for (int x : kSeparatorX) m_form.surface().blit(m_app.PictureGUI, piece, {x, kSeparatorY});
  m_form.refresh();
}

void frmMain::showFormatting(bool shown) {
  for (gui::PictureBox* b : {&BtnKrepko, &BtnPoravnaj, &BtnLežeče, &BtnPodčrtano, &BtnSpremeniBarvo, &BtnSpremeniVelikost})
    b->setVisible(shown);
}

void frmMain::Text_SelChange() {
  if (editor().Locked()) return;
  drawIndicators();
}

void frmMain::drawIndicators() {
  gui::Editor& ed = editor();
  // A format that is mixed in the selection counts as off.
  drawFace(BtnKrepko, skin::toolbarFace(skin::krepkoFace(gui::isTrue(ed.SelBold())), Row::Rest));
  drawFace(BtnLežeče, skin::toolbarFace(skin::ležečeFace(gui::isTrue(ed.SelItalic())), Row::Rest));
  drawFace(BtnPodčrtano, skin::toolbarFace(skin::podčrtanoFace(gui::isTrue(ed.SelUnderline())), Row::Rest));
  const std::optional<ToolbarFace> alignment = skin::poravnajFace(ed.SelAlignment().value_or(0));
  drawFace(BtnPoravnaj, skin::toolbarFace(alignment.value_or(ToolbarFace::PoravnajLevo), Row::Rest));
  // Several colours or sizes in the selection leave the swatch and the digits as they were.
  if (const std::optional<base::Color> colour = ed.SelColor()) {
    picBarvaZaGumb.setBackColor(*colour);
    skin::drawColourAreas(m_app.PictureGUI, *colour);
  }
  drawFace(BtnSpremeniBarvo, skin::toolbarFace(ToolbarFace::SpremeniBarvo, Row::Rest));
  if (const std::optional<double> size = ed.SelFontSize())
    skin::drawSizeDigits(m_app.PictureGUI, static_cast<int>(std::lround(*size)));
  drawFace(BtnSpremeniVelikost, skin::toolbarFace(ToolbarFace::SpremeniVelikost, Row::Rest));
}

// ---- toggles ------------------------------------------------------------------------

gui::PictureBox& frmMain::toggleButton(Format f) {
  return f == Format::Krepko ? BtnKrepko : f == Format::Ležeče ? BtnLežeče : BtnPodčrtano;
}

gui::Tri frmMain::selectionHas(Format f) {
  gui::Editor& ed = editor();
  return f == Format::Krepko ? ed.SelBold() : f == Format::Ležeče ? ed.SelItalic() : ed.SelUnderline();
}

namespace {
ToolbarFace toggleFace(int format, bool on) {
  return format == 0 ? skin::krepkoFace(on) : format == 1 ? skin::ležečeFace(on) : skin::podčrtanoFace(on);
}
}  // namespace

void frmMain::toggleDown(Format f, int button) {
  if (button != gui::kLeftButton) return;
  gui::PictureBox& b = toggleButton(f);
  b.setTag("D");
  drawFace(b, skin::toolbarFace(toggleFace(int(f), gui::isTrue(selectionHas(f))), Row::Pressed));
}

void frmMain::toggleUp(Format f, int button) {
  if (button != gui::kLeftButton) return;
  gui::Editor& ed = editor();
  if (!ed.Locked()) {
    // A selection that is only partly in the format gets it throughout.
    const bool on = !gui::isTrue(selectionHas(f));
    if (f == Format::Krepko) ed.setSelBold(on);
    else if (f == Format::Ležeče) ed.setSelItalic(on);
    else ed.setSelUnderline(on);
  }
  gui::PictureBox& b = toggleButton(f);
  drawFace(b, skin::toolbarFace(toggleFace(int(f), gui::isTrue(selectionHas(f))), Row::Highlight));
  b.setTag("H");
}

void frmMain::BtnKrepko_MouseDown(int button, int, double, double) { toggleDown(Format::Krepko, button); }
void frmMain::BtnKrepko_MouseUp(int button, int, double, double) { toggleUp(Format::Krepko, button); }
void frmMain::BtnLežeče_MouseDown(int button, int, double, double) { toggleDown(Format::Ležeče, button); }
void frmMain::BtnLežeče_MouseUp(int button, int, double, double) { toggleUp(Format::Ležeče, button); }
void frmMain::BtnPodčrtano_MouseDown(int button, int, double, double) { toggleDown(Format::Podčrtano, button); }
void frmMain::BtnPodčrtano_MouseUp(int button, int, double, double) { toggleUp(Format::Podčrtano, button); }

}  // namespace app

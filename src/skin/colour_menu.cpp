#include "skin/colour_menu.h"

#include "gui/form.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace skin {
namespace {

constexpr int kFrameSize = 20;

gui::PictureBox& makeTemplate(gui::PictureBox& menu) {
  gui::PictureBox& t = menu.add<gui::PictureBox>("picBarva(0)");
  t.move(ColourMenu::kMargin, ColourMenu::kMargin, ColourMenu::kSwatchSize, ColourMenu::kSwatchSize);
  t.setVisible(false);
  return t;
}

gui::PictureBox& makeHoverFrame(gui::PictureBox& menu) {
  gui::PictureBox& f = menu.add<gui::PictureBox>("picIzbranaBarva");
  f.setVisible(false);
  return f;
}

gui::Shape& makeCurrentMark(gui::PictureBox& menu) {
  gui::Shape& s = menu.add<gui::Shape>("currentMark");
  s.setBorderColor(kTextBlue);
  s.setVisible(false);
  return s;
}

}  // namespace

ColourMenu::ColourMenu(gui::PictureBox& menu, const gui::Surface& atlas, FaceMarks& marks, gui::PictureBox& colourButton,
                       gui::PictureBox& shownColour, EditorSource editor)
    : mnuSpremniBarvo(menu),
      picBarva{&makeTemplate(menu)},
      picIzbranaBarva(makeHoverFrame(menu)),
      picBarvaZaGumb(shownColour),
      tmrMnuBarve(menu.form().addTimer("tmrMnuBarve", kTimerInterval, false)),
      currentMark(makeCurrentMark(menu)),
      m_atlas(atlas),
      m_marks(marks),
      m_colourButton(colourButton),
      m_editor(std::move(editor)) {
  tmrMnuBarve.onTimer = [this] { tmrMnuBarve_Timer(); };
  build();
}

void ColourMenu::build() {
  // The panel's own place, size and background are set where the three
  // menus are made.
  picIzbranaBarva.move(picIzbranaBarva.left(), picIzbranaBarva.top(), kFrameSize, kFrameSize);
  paintFrame(false);
  const gui::PictureBox& t = *picBarva[0];
  for (int r = 0; r < kRows; ++r)
    for (int c = 1; c <= kColumns; ++c) {
      const int k = kColumns * r + c;
      gui::PictureBox& s = mnuSpremniBarvo.add<gui::PictureBox>("picBarva(" + std::to_string(k) + ")");
      const int left = kPitch * (c - 1) + kMargin, top = kPitch * r + kMargin;
      s.move(left, top, t.width(), t.height());
      s.setBackColor(kPalette[k - 1]);
      s.cls();
      s.onMouseDown = [this, k](int b, int sh, double x, double y) { picBarva_MouseDown(k, b, sh, x, y); };
      s.onMouseMove = [this, k](int b, int sh, double x, double y) { picBarva_MouseMove(k, b, sh, x, y); };
      s.onMouseUp = [this, k](int b, int sh, double x, double y) { picBarva_MouseUp(k, b, sh, x, y); };
      mnuSpremniBarvo.surface().blit(m_atlas, r::okvirBarve, {left - 1, top - 1});
      picBarva.push_back(&s);
    }
  // The frame lies behind the swatches and lets the mouse through to the menu.
  picIzbranaBarva.sendToBack();
  picIzbranaBarva.setEnabled(false);
  mnuSpremniBarvo.refresh();
}

void ColourMenu::paintFrame(bool pressed) {
  picIzbranaBarva.blit(m_atlas, pressed ? r::izbranaBarvaPritisnjena : r::izbranaBarva, {0, 0});
}

void ColourMenu::picBarva_MouseMove(int index, int button, int, double, double) {
  // A drag with the left button held doesn't move the frame.
  if (button & gui::kLeftButton) return;
  tmrMnuBarve.setEnabled(true);
  if (!picIzbranaBarva.visible()) picIzbranaBarva.setVisible(true);
  const gui::PictureBox& s = *picBarva[index];
  picIzbranaBarva.move(s.left() - 2, s.top() - 2, kFrameSize, kFrameSize);
}

void ColourMenu::picBarva_MouseDown(int, int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  paintFrame(true);
  picIzbranaBarva.setTag("D");
}

void ColourMenu::picBarva_MouseUp(int index, int, int, double, double) {
  const base::Color colour = kPalette[index - 1];
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  // A read-only day keeps its colours, and the button keeps showing them;
  // the menu still closes.
  const bool applied = ed && !ed->Locked();
  if (applied) ed->setSelColor(colour);
  mnuSpremniBarvo.setVisible(false);
  picIzbranaBarva.setVisible(false);
  if (applied) {
    picBarvaZaGumb.setBackColor(colour);
    drawColourDisplay();
  }
  paintFrame(false);
  picIzbranaBarva.setTag("");
}

void ColourMenu::tmrMnuBarve_Timer() {
  if (picIzbranaBarva.tag() == "D") return;  // a press is in progress
  if (pointerOver(mnuSpremniBarvo)) return;
  picIzbranaBarva.setVisible(false);
  tmrMnuBarve.setEnabled(false);
}

void ColourMenu::markColour(std::optional<base::Color> colour) {
  int index = 0;
  for (int k = 1; k <= kSwatches; ++k)
    if (colour && *colour == kPalette[k - 1]) index = k;
  if (index == 0) {
    currentMark.setVisible(false);
    return;
  }
  const gui::PictureBox& s = *picBarva[index];
  currentMark.move(s.left() - 2, s.top() - 2, kFrameSize, kFrameSize);
  currentMark.sendToBack();
  currentMark.setVisible(true);
}

void ColourMenu::drawColourDisplay() {
  m_marks.colour = picBarvaZaGumb.backColor();
  m_colourButton.refresh();
}

}  // namespace skin

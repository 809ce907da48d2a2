#include "skin/colour_menu.h"

#include "gui/form.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace skin {
namespace {

constexpr int kFrameSize = 20;
constexpr MenuGrid kGrid{.columns = ColourMenu::kColumns, .rows = ColourMenu::kRows,
                         .first = {ColourMenu::kMargin, ColourMenu::kMargin},
                         .pitch = {ColourMenu::kPitch, ColourMenu::kPitch}, .width = ColourMenu::kSwatchSize,
                         .height = ColourMenu::kSwatchSize};

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
      picIzbranaBarva(makeHoverFrame(menu)),
      picBarvaZaGumb(shownColour),
      m_atlas(&atlas),
      m_items(menu, picIzbranaBarva, "tmrMnuBarve", kGrid, gui::kLeftButton,
              [this](Row row, int pointed) { drawFrame(row, pointed); }),
      picBarva(),
      tmrMnuBarve(m_items.timer()),
      currentMark(makeCurrentMark(menu)),
      m_marks(marks),
      m_colourButton(colourButton),
      m_editor(std::move(editor)) {
  m_items.onChoose = [this](int k) { picBarva_MouseUp(k); };
  // The panel's own place, size and background are set where the three
  // menus are made.
  picIzbranaBarva.move(picIzbranaBarva.left(), picIzbranaBarva.top(), kFrameSize, kFrameSize);
  drawFrame(Row::Rest, 0);
  picBarva = m_items.make<gui::PictureBox>("picBarva", [this](gui::PictureBox& s, int k) { setUpSwatch(s, k); });
  // The frame lies behind the swatches and lets the mouse through to the menu.
  picIzbranaBarva.sendToBack();
  picIzbranaBarva.setEnabled(false);
  mnuSpremniBarvo.refresh();
}

const std::array<const char16_t*, ColourMenu::kSwatches> ColourMenu::kNames{
    u"bela", u"bledo rdeča", u"bledo oranžna", u"bledo rumena", u"bledo zelena", u"bledo turkizna", u"bledo modra",
    u"bledo škrlatna",  //
    u"zelo svetlo siva", u"svetlo rdeča", u"svetlo oranžna", u"svetlo rumena", u"svetlo zelena", u"svetlo turkizna",
    u"svetlo modra", u"svetlo škrlatna",  //
    u"svetlo siva", u"rdeča", u"oranžna", u"rumena", u"zelena", u"turkizna", u"modra", u"škrlatna",  //
    u"siva", u"temno rdeča", u"temno oranžna", u"temno rumena", u"temno zelena", u"temno turkizna", u"temno modra",
    u"temno škrlatna",  //
    u"temno siva", u"bordo", u"rjava", u"olivna", u"zelo temno zelena", u"zelo temno turkizna", u"mornarsko modra",
    u"vijolična",  //
    u"črna", u"temno bordo", u"rjavo rdeča", u"temno olivna", u"črno zelena", u"črno turkizna", u"črno modra",
    u"črno vijolična"};

void ColourMenu::setUpSwatch(gui::PictureBox& s, int k) {
  if (k == 0) return;
  s.setToolTip(kNames[k - 1]);
  s.setBackColor(kPalette[k - 1]);
  s.cls();
  mnuSpremniBarvo.surface().blit(*m_atlas, r::swatchFrame, {s.left() - 1, s.top() - 1});
}

void ColourMenu::setAtlas(const gui::Surface& atlas) {
  m_atlas = &atlas;
  for (std::size_t k = 1; k < picBarva.size(); ++k) setUpSwatch(*picBarva[k], static_cast<int>(k));
  drawFrame(Row::Rest, 0);
  mnuSpremniBarvo.refresh();
}

void ColourMenu::drawFrame(Row row, int pointed) {
  switch (row) {
    case Row::Pressed: picIzbranaBarva.blit(*m_atlas, r::swatchPressed, {0, 0}); return;
    case Row::Rest:
      picIzbranaBarva.setVisible(false);
      picIzbranaBarva.blit(*m_atlas, r::swatchHover, {0, 0});
      return;
    default: break;
  }
  if (!picIzbranaBarva.visible()) picIzbranaBarva.setVisible(true);
  const gui::PictureBox& s = *picBarva[pointed];
  picIzbranaBarva.move(s.left() - 2, s.top() - 2, kFrameSize, kFrameSize);
}

void ColourMenu::picBarva_MouseUp(int index) {
  const base::Color colour = kPalette[index - 1];
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  // A read-only day keeps its colours, and the button keeps showing them;
  // the menu still closes.
  if (!ed || ed->Locked()) return;
  ed->setSelColor(colour);
  picBarvaZaGumb.setBackColor(colour);
  drawColourDisplay();
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

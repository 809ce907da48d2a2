#include "skin/size_menu.h"

#include <cmath>

#include "gui/form.h"
#include "skin/atlas.h"

namespace skin {
namespace {

// The entries fill the menu between its 3-pixel margins; the trailing space
// of each text keeps the right-aligned digits off the highlight's border.
constexpr MenuGrid kGrid{.columns = 1, .rows = SizeMenu::kEntries, .first = {3, 3}, .pitch = {0, SizeMenu::kEntryHeight},
                         .width = 18, .height = SizeMenu::kEntryHeight};
constexpr int kHighlightLeft = 2, kHighlightWidth = 20;

std::u16string entryText(int points) {
  std::u16string t;
  for (char c : std::to_string(points)) t += static_cast<char16_t>(c);
  return t + u" ";
}

gui::Shape& makeHighlight(gui::PictureBox& menu) {
  gui::Shape& s = menu.add<gui::Shape>("Izbor");
  s.setFillStyle(gui::FillStyle::Solid);
  s.setFillColor(SizeMenu::kHoverFill);
  s.setBorderColor(SizeMenu::kHoverBorder);
  s.setVisible(false);
  return s;
}

}  // namespace

SizeMenu::SizeMenu(gui::PictureBox& menu, FaceMarks& marks, gui::PictureBox& sizeButton, EditorSource editor)
    : mnuSpremeniVelikost(menu),
      Izbor(makeHighlight(menu)),
      m_items(menu, Izbor, "tmrMnuVelikost", kGrid, gui::kLeftButton | gui::kRightButton | gui::kMiddleButton,
              [this](Row row, int pointed) { drawHighlight(row, pointed); }),
      lblVelikost(m_items.make<gui::Label>("lblVelikost", [this](gui::Label& e, int i) { setUpEntry(e, i); })),
      tmrMnuVelikost(m_items.timer()),
      m_marks(marks),
      m_sizeButton(sizeButton),
      m_editor(std::move(editor)) {
  m_items.onChoose = [this](int i) { lblVelikost_MouseUp(i); };
  // The panel's own place, size and background are set where the three
  // menus are made; the highlight goes behind the entries.
  Izbor.move(kHighlightLeft, Izbor.top(), kHighlightWidth, kEntryHeight + 2);
  Izbor.sendToBack();
  mnuSpremeniVelikost.refresh();
}

void SizeMenu::setUpEntry(gui::Label& e, int index) {
  e.setTransparent(true);
  e.setFont(gui::FontSpec{u"Arial", 238, 8.25, true});
  e.setAlignment(base::Alignment::Right);
  if (index == 0) return;
  e.setForeColor(kEntryColor);
  e.setText(entryText(kSizes[index - 1]));
}

void SizeMenu::resetEntryColours(int except) {
  for (int i = 1; i <= kEntries; ++i)
    if (i != except && lblVelikost[i]->foreColor() != restColour(i)) lblVelikost[i]->setForeColor(restColour(i));
}

void SizeMenu::markSize(std::optional<double> points) {
  m_current = 0;
  for (int i = 1; i <= kEntries; ++i)
    if (points && *points == kSizes[i - 1]) m_current = i;
  resetEntryColours(0);
}

void SizeMenu::drawHighlight(Row row, int pointed) {
  switch (row) {
    case Row::Pressed:
      Izbor.setFillColor(kPressedFill);
      Izbor.setBorderColor(kPressedBorder);
      return;
    case Row::Rest:
      Izbor.setVisible(false);
      resetEntryColours(0);
      return;
    default: break;
  }
  // The hover colours again after a choice left its own (a press still
  // held keeps the pressed ones).
  if (Izbor.tag() != "D") {
    Izbor.setFillColor(kHoverFill);
    Izbor.setBorderColor(kHoverBorder);
  }
  if (!Izbor.visible()) Izbor.setVisible(true);
  const int top = lblVelikost[pointed]->top() - 1;
  if (Izbor.top() != top) Izbor.setTop(top);
  lblVelikost[pointed]->setForeColor(kPointedColor);
  resetEntryColours(pointed);
}

void SizeMenu::lblVelikost_MouseUp(int index) {
  Izbor.setFillColor(kReleasedFill);
  Izbor.setBorderColor(kReleasedBorder);
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  // A read-only day keeps its formatting; the menu still closes.
  if (ed && !ed->Locked()) {
    const double chosen = kSizes[index - 1];
    // Several sizes in the selection: nothing to compare with, nothing applied.
    if (const std::optional<double> current = ed->SelFontSize(); current && *current != chosen) {
      ed->setSelFontSize(chosen);
      drawSizeDisplay();
    }
  }
  markSize(ed ? ed->SelFontSize() : std::nullopt);
}

void SizeMenu::drawSizeDisplay() {
  const gui::Editor* ed = m_editor ? m_editor() : nullptr;
  const std::optional<double> size = ed ? ed->SelFontSize() : std::nullopt;
  if (!size) return;
  m_marks.pointSize = static_cast<int>(std::lround(*size));
  m_sizeButton.refresh();
}

}  // namespace skin

#include "skin/size_menu.h"

#include <cmath>

#include "gui/form.h"
#include "skin/atlas.h"

namespace skin {
namespace {

constexpr int kEntryLeft = 3, kEntryTop = 3;
// The entries fill the menu between its 3-pixel margins; the trailing space
// of each text keeps the right-aligned digits off the highlight's border.
constexpr int kEntryWidth = 18;
constexpr int kHighlightLeft = 2, kHighlightWidth = 20;

std::u16string entryText(int points) {
  std::u16string t;
  for (char c : std::to_string(points)) t += static_cast<char16_t>(c);
  return t + u" ";
}

gui::Label& makeTemplate(gui::PictureBox& menu) {
  gui::Label& t = menu.add<gui::Label>("lblVelikost(0)");
  t.move(kEntryLeft, kEntryTop, kEntryWidth, SizeMenu::kEntryHeight);
  t.setTransparent(true);
  t.setFont(gui::FontSpec{u"Arial", 238, 8.25, true});
  t.setAlignment(gui::Alignment::Right);
  t.setVisible(false);
  return t;
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

SizeMenu::SizeMenu(gui::PictureBox& menu, const gui::Surface& atlas, FaceMarks& marks, gui::PictureBox& sizeButton, EditorSource editor)
    : mnuSpremeniVelikost(menu),
      lblVelikost{&makeTemplate(menu)},
      Izbor(makeHighlight(menu)),
      tmrMnuVelikost(menu.form().addTimer("tmrMnuVelikost", kTimerInterval, false)),
      m_atlas(atlas),
      m_marks(marks),
      m_sizeButton(sizeButton),
      m_editor(std::move(editor)) {
  tmrMnuVelikost.onTimer = [this] { tmrMnuVelikost_Timer(); };
  build();
}

void SizeMenu::build() {
  const gui::Label& t = *lblVelikost[0];
  for (int i = 1; i <= kEntries; ++i) {
    gui::Label& e = mnuSpremeniVelikost.add<gui::Label>("lblVelikost(" + std::to_string(i) + ")");
    e.move(kEntryLeft, kEntryHeight * (i - 1) + kEntryTop, t.width(), t.height());
    e.setTransparent(t.transparent());
    e.setFont(t.font());
    e.setAlignment(t.alignment());
    e.setForeColor(kEntryColor);
    e.setText(entryText(kSizes[i - 1]));
    e.onMouseDown = [this, i](int b, int s, double x, double y) { lblVelikost_MouseDown(i, b, s, x, y); };
    e.onMouseMove = [this, i](int b, int s, double x, double y) { lblVelikost_MouseMove(i, b, s, x, y); };
    e.onMouseUp = [this, i](int b, int s, double x, double y) { lblVelikost_MouseUp(i, b, s, x, y); };
    lblVelikost.push_back(&e);
  }
  // The panel's own place, size and background are set where the three
  // menus are made; the highlight goes behind the entries.
  Izbor.move(kHighlightLeft, Izbor.top(), kHighlightWidth, kEntryHeight + 2);
  Izbor.sendToBack();
  mnuSpremeniVelikost.refresh();
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

void SizeMenu::lblVelikost_MouseMove(int index, int button, int, double, double) {
  // A drag with the left button held doesn't move the highlight.
  if (button & gui::kLeftButton) return;
  tmrMnuVelikost.setEnabled(true);
  if (!Izbor.visible()) Izbor.setVisible(true);
  const int top = lblVelikost[index]->top() - 1;
  if (Izbor.top() != top) Izbor.setTop(top);
  lblVelikost[index]->setForeColor(kPointedColor);
  resetEntryColours(index);
}

void SizeMenu::lblVelikost_MouseDown(int, int, int, double, double) {
  Izbor.setFillColor(kPressedFill);
  Izbor.setBorderColor(kPressedBorder);
}

void SizeMenu::lblVelikost_MouseUp(int index, int, int, double, double) {
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
  mnuSpremeniVelikost.setVisible(false);
  Izbor.setVisible(false);
  markSize(ed ? ed->SelFontSize() : std::nullopt);
}

void SizeMenu::tmrMnuVelikost_Timer() {
  if (Izbor.fillColor() == kPressedFill) return;  // a press is in progress
  if (pointerOver(mnuSpremeniVelikost)) return;
  tmrMnuVelikost.setEnabled(false);
  Izbor.setVisible(false);
  resetEntryColours(0);
}

void SizeMenu::drawSizeDisplay() {
  const gui::Editor* ed = m_editor ? m_editor() : nullptr;
  const std::optional<double> size = ed ? ed->SelFontSize() : std::nullopt;
  if (!size) return;
  m_marks.pointSize = static_cast<int>(std::lround(*size));
  m_sizeButton.refresh();
}

}  // namespace skin

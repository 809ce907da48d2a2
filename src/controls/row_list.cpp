#include "controls/row_list.h"

#include <algorithm>
#include <cmath>

#include "base/number.h"
#include "gui/form.h"

namespace controls {
namespace {
using base::roundToInt;
const std::string kNoTag;
// The row text's distance from the list's left border.
constexpr int kTextLeft = 6;
// A wheel notch (120) scrolls three rows, as Windows scrolls three lines.
constexpr int kWheelPerRow = 40;
}  // namespace

RowList::RowList(std::string name, int designWidth, int designHeight)
    : gui::Panel(std::move(name)), m_designWidth(designWidth), m_designHeight(designHeight) {
  setBackColor(skin::kPaleBlue);
  setTakesFocus(true);
}

void RowList::attached() {
  Območje = &add<gui::Panel>("Območje");
  Območje->setBackColor(base::Color::rgb(255, 255, 255));
  Območje->move(0, 0, m_designWidth - kTrackWidth, m_designHeight - 5);

  PoložajnaVrstica = &add<gui::Panel>("PoložajnaVrstica");
  PoložajnaVrstica->setBackColor(skin::kLightBlue);
  Gor = &PoložajnaVrstica->add<gui::Panel>("Gor");
  Dol = &PoložajnaVrstica->add<gui::Panel>("Dol");
  Drsnik = &PoložajnaVrstica->add<gui::Panel>("Drsnik");
  for (gui::Panel* p : {Gor, Dol, Drsnik}) p->setBackColor(skin::kDeepBlue);
  Gor->move(0, 0, kTrackWidth, 15);
  Dol->move(0, m_designHeight - 15, kTrackWidth, 15);
  Drsnik->move(0, 15, kTrackWidth, 61);
  makeRowParts();
  wireMouse();
  move(left(), top(), m_designWidth, m_designHeight);
  resized();
}

// The first row's label and line (the rest are made as rows come), the
// choice's mark, the mark under the pointer and the chosen day's label.
void RowList::makeRowParts() {
  gui::Label& template0 = Območje->add<gui::Label>("lblDan(0)");
  template0.move(2, 1, m_designWidth, 16);
  template0.setTransparent(true);
  template0.setForeColor(skin::kTextBlue);
  template0.setFont(gui::FontSpec{u"Arial", 238, 8.25, true});
  template0.setText(u"TestniDan");
  template0.setVisible(false);
  lblDan = {&template0};
  gui::Line& line0 = Območje->add<gui::Line>("Line1(0)");
  line0.setColor(skin::kDeepBlue);
  line0.setVisible(false);
  Line1 = {&line0};

  Izbor = &Območje->add<gui::Shape>("Izbor");
  Izbor->setFillStyle(gui::FillStyle::Solid);
  Izbor->setFillColor(skin::kLightBlue);
  Izbor->setBorderColor(skin::kDeepBlue);
  Izbor->setVisible(false);

  m_hover = &Območje->add<gui::Shape>("PodKazalcem");
  m_hover->setFillStyle(gui::FillStyle::Solid);
  m_hover->setFillColor(skin::kPointedRow);
  m_hover->setBorderStyle(gui::BorderStyle::None);
  m_hover->setVisible(false);
  m_hoverBehaviour = std::make_unique<skin::ButtonBehaviour>(*m_hover, form(), name() + ".tmrPodKazalcem", "",
                                                             skin::ButtonStyle{},
                                                             [this](skin::Row row) { drawHover(row); });

  lblIzbranDan = &add<gui::Label>("lblIzbranDan");
  lblIzbranDan->setForeColor(skin::kChosenText);
  lblIzbranDan->setVisible(false);
}

void RowList::wireMouse() {
  // Every part of the control takes the keys when pressed and reports a click.
  auto wire = [this](gui::Element& e) {
    e.onMouseDown = [this](int, int, double, double) { pressed(); };
    e.onClick = [this] { raiseKlik(); };
  };
  wire(*this);
  wire(*Območje);
  wire(*PoložajnaVrstica);
  wire(*Gor);
  wire(*Dol);
  wire(*Drsnik);
  Drsnik->onMouseDown = [this](int button, int, double, double y) {
    pressed();
    if (button == gui::kLeftButton) m_dragStartY = roundToInt(y);
  };
  Drsnik->onMouseMove = [this](int buttons, int, double, double y) {
    if (buttons & gui::kLeftButton) thumbMove(y);
  };
  // The blocks at the ends of the track scroll by one row.
  Gor->onMouseDown = [this](int button, int, double, double) {
    pressed();
    if (button == gui::kLeftButton) scrollRows(-1);
  };
  Dol->onMouseDown = [this](int button, int, double, double) {
    pressed();
    if (button == gui::kLeftButton) scrollRows(1);
  };
  onMouseWheel = [this](int delta, int) { wheel(delta); };
}

void RowList::resized() {
  gui::Panel::resized();
  if (!PoložajnaVrstica) return;  // still being built
  // The track runs along the right edge over the full height.
  PoložajnaVrstica->move(width() - kTrackWidth, 0, kTrackWidth, height());
  Dol->setTop(height() - Dol->height());
  NastaviDrsnik();
}

const std::string& RowList::rowTag(int i) const {
  if (i < 0 || i >= static_cast<int>(lblDan.size())) return kNoTag;
  return lblDan[i]->tag();
}

int RowList::rowWithTag(const std::string& tag) const {
  int found = 0;
  for (int i = 1; i <= rowCount(); ++i)
    if (rowTag(i) == tag) found = i;
  return found;
}

int RowList::addRow(const std::string& tag) {
  const int n = static_cast<int>(lblDan.size());
  const int H = rowHeight();
  const gui::Label& t = *lblDan[0];
  gui::Label& label = Območje->add<gui::Label>("lblDan(" + std::to_string(n) + ")");
  label.move(kTextLeft, (H + 1) * (n - 1) + 1, width(), H);
  label.setTransparent(true);
  label.setForeColor(t.foreColor());
  label.setFont(t.font());
  label.setText(t.text());
  label.setTag(tag);
  gui::Line& line = Območje->add<gui::Line>("Line1(" + std::to_string(n) + ")");
  line.setColor(Line1[0]->color());
  line.setPoints(0, (H + 1) * n, width(), (H + 1) * n);
  lblDan.push_back(&label);
  Line1.push_back(&line);
  wireRow(label, n);
  label.onMouseMove = [this, n](int buttons, int, double, double) { pointerOnRow(n, buttons); };
  return n;
}

void RowList::removeRows() {
  clearHover();
  for (size_t i = lblDan.size(); i-- > 1;) {
    Območje->remove(*Line1[i]);
    Območje->remove(*lblDan[i]);
  }
  lblDan.resize(1);
  Line1.resize(1);
}

void RowList::placeHighlight(int i) {
  const int H = rowHeight();
  Izbor->move(0, (H + 1) * (i - 1), Območje->width(), H + 2);
  Izbor->setVisible(true);
  m_highlightRow = i;
  if (m_hover->visible() && m_hover->top() == (H + 1) * (i - 1) + 1) clearHover();
}

void RowList::pointerOnRow(int i, int buttons) {
  if (buttons != 0 || (i == m_highlightRow && Izbor->visible())) {
    clearHover();
    return;
  }
  const int H = rowHeight();
  m_hover->move(0, (H + 1) * (i - 1) + 1, Območje->width(), H);
  m_hoverBehaviour->move(0, 0, 0);
  m_hover->bringToFront();
  lblDan[i]->bringToFront();
}

void RowList::clearHover() {
  if (m_hover->visible() || m_hover->tag() != "") m_hoverBehaviour->rest();
}

void RowList::drawHover(skin::Row row) { m_hover->setVisible(row == skin::Row::Highlight); }

RowList::Colours RowList::skinColours() {
  return {base::Color::rgb(255, 255, 255), skin::kTextBlue, skin::kLightBlue, skin::kDeepBlue, skin::kChosenText,
          skin::kPointedRow, skin::kDeepBlue};
}

void RowList::setColours(const Colours& c) {
  Območje->setBackColor(c.area);
  lblIzbranDan->setForeColor(c.chosenText);
  for (int i = 0; i <= rowCount(); ++i) lblDan[i]->setForeColor(i > 0 && i == Izbrana ? c.chosenText : c.text);
  for (gui::Line* line : Line1) line->setColor(c.lines);
  Izbor->setFillColor(c.chosenFill);
  Izbor->setBorderColor(c.chosenBorder);
  m_hover->setFillColor(c.pointed);
  invalidate();
}

void RowList::recolour(int chosen, int previous) {
  if (chosen > 0 && chosen <= rowCount()) lblDan[chosen]->setForeColor(lblIzbranDan->foreColor());
  if (previous > 0 && previous <= rowCount() && previous != chosen) lblDan[previous]->setForeColor(lblDan[0]->foreColor());
}

void RowList::raiseKlik() {
  if (auto handler = Klik) handler();
}

void RowList::raiseChosenWithMouse() {
  if (auto handler = onChosenWithMouse) handler();
}

void RowList::pressed() {
  if (!hasFocus()) setFocus();
}

void RowList::NastaviDrsnik() {
  const int V = height(), W = width(), A = Območje->height();
  if (V < A) {
    PoložajnaVrstica->setVisible(true);
    Območje->setWidth(W - PoložajnaVrstica->width());
    Dol->setTop(V - Dol->height());
    // Fewer rows than before may leave the area scrolled past its end.
    if (Območje->top() < V - A) Območje->setTop(V - A);
    if (Območje->top() == 0)
      Drsnik->setTop(Gor->height());
    else if (Območje->top() == V - A)
      Drsnik->setTop(V - Dol->height() - Drsnik->height());
    Drsnik->setHeight(roundToInt((V - Gor->height() - Dol->height()) * (static_cast<double>(V) / A)));
  } else {
    PoložajnaVrstica->setVisible(false);
    Območje->setWidth(W);
    // Without a track nothing could scroll a shorter list back into view.
    Območje->setTop(0);
  }
  if (Izbor->width() != Območje->width()) Izbor->setWidth(Območje->width());
}

void RowList::scrollTo(int areaTop) {
  const int V = height(), A = Območje->height();
  if (V >= A) return;
  const int top = std::clamp(areaTop, V - A, 0);
  clearHover();
  Območje->setTop(top);
  const int up = Gor->height(), down = Dol->height(), thumb = Drsnik->height();
  const int span = V - up - down - thumb;
  Drsnik->setTop(up + roundToInt(span * (static_cast<double>(top) / (V - A))));
}

void RowList::scrollRows(int rows) { scrollTo(Območje->top() - rows * (rowHeight() + 1)); }

void RowList::showRow(int i) {
  if (i < 1 || i > rowCount()) return;
  const int H = rowHeight(), top = Območje->top();
  const int rowTop = (H + 1) * (i - 1), rowBottom = (H + 1) * i + 1;
  if (rowTop + top < 0) scrollTo(-rowTop);
  else if (rowBottom + top > height()) scrollTo(height() - rowBottom);
}

void RowList::wheel(int delta) {
  m_wheelRest += delta;
  const int rows = m_wheelRest / kWheelPerRow;
  m_wheelRest -= rows * kWheelPerRow;
  if (rows != 0) scrollRows(-rows);
}

void RowList::thumbMove(double y) {
  const int V = height(), A = Območje->height();
  const int up = Gor->height(), down = Dol->height(), thumb = Drsnik->height();
  const double t = Drsnik->top() - (m_dragStartY - y);
  if (t <= up) {
    Drsnik->setTop(up);
    Območje->setTop(0);
  } else if (t >= V - down - thumb) {
    Drsnik->setTop(V - down - thumb);
    Območje->setTop(V - A);
  } else {
    Drsnik->setTop(roundToInt(t));
    // The proportional step takes the height in twips over 15, the pixel
    // count only at 96 DPI; the two ends above always reach the true limits.
    const double c = static_cast<double>(height()) * form().tppY() / 15.0;
    const double span = c - up - down - thumb;
    const double f = span != 0 ? (Drsnik->top() - up) / span : 0.0;
    Območje->setTop(roundToInt(f * (c - A)));
  }
}

}  // namespace controls

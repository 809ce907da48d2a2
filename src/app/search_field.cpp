#include "app/search_field.h"

#include "base/cp1250.h"
#include "shape/cls_trans_form.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {
namespace {

const gui::FontSpec kFont{u"Arial", 238, 8.25, true};
constexpr gui::Rect kTextBox{20, 3, 136, 16};  // between the magnifier and the round button
constexpr gui::Rect kClose{158, 3, 14, 14};
constexpr gui::Rect kStatus{5, 3, 165, 16};

}  // namespace

SearchField::SearchField(gui::Form& form, const gui::Surface& atlas)
    : PicSearch(form.add<gui::PictureBox>("PicSearch")),
      txtSearch(PicSearch.add<gui::TextBox>("txtSearch")),
      PicSearchCaret(PicSearch.add<gui::PictureBox>("PicSearchCaret")),
      BtnSearchClose(PicSearch.add<gui::PictureBox>("BtnSearchClose")),
      PicSearchStatus(form.add<gui::PictureBox>("PicSearchStatus")),
      lblSearchStatus(PicSearchStatus.add<gui::Label>("lblSearchStatus")),
      tmrSearchPause(form.addTimer("tmrSearchPause", kPauseMs, false)),
      tmrSearchCaret(form.addTimer("tmrSearchCaret", 500, false)),
      tmrSearchProgress(form.addTimer("tmrSearchProgress", 100, false)),
      m_form(form),
      m_atlas(atlas) {
  for (gui::Element* e : {static_cast<gui::Element*>(&PicSearch), static_cast<gui::Element*>(&PicSearchStatus)})
    e->setVisible(false);
  txtSearch.move(0, 0, 0, 0);  // takes the keys, shows nothing, is never hit
  PicSearchCaret.setBackColor(skin::kTextBlue);
  lblSearchStatus.setFont(gui::FontSpec{u"Arial", 238, 8.25, false});
  lblSearchStatus.setForeColor(skin::kTextBlue);
  lblSearchStatus.setTransparent(true);

  txtSearch.onChange = [this] {
    paintText();
    tmrSearchPause.setEnabled(false);  // each key starts the pause anew
    tmrSearchPause.setEnabled(true);
  };
  txtSearch.onKeyPress = [this](char16_t& ch) { refuseUnwritable(ch); };
  txtSearch.onKeyDown = [this](int key, int) { keyDown(key); };
  txtSearch.onGotFocus = [this] {
    PicSearchCaret.setVisible(true);
    tmrSearchCaret.setEnabled(true);
  };
  txtSearch.onLostFocus = [this] {
    PicSearchCaret.setVisible(false);
    tmrSearchCaret.setEnabled(false);
  };
  tmrSearchCaret.onTimer = [this] { PicSearchCaret.setVisible(!PicSearchCaret.visible()); };
  tmrSearchPause.onTimer = [this] {
    tmrSearchPause.setEnabled(false);
    if (auto handler = onSearch) handler();
  };
  BtnSearchClose.onMouseDown = [this](int button, int, double, double) {
    if (button == gui::kLeftButton) drawClose(true);
  };
  BtnSearchClose.onMouseUp = [this](int button, int, double x, double y) {
    if (button != gui::kLeftButton) return;
    drawClose(false);
    if (x >= 0 && y >= 0 && x <= kClose.w && y <= kClose.h)
      if (auto handler = onClose) handler();
  };
  PicSearch.onMouseDown = [this](int, int, double, double) { focus(); };
}

void SearchField::show(gui::Rect yearBox, gui::Rect monthBox) {
  PicSearch.move(yearBox.x, yearBox.y, yearBox.w, yearBox.h);
  PicSearchStatus.move(monthBox.x, monthBox.y, monthBox.w, monthBox.h);
  PicSearchStatus.surface().blit(m_atlas, skin::r::datumskoPolje, {0, 0});
  PicSearchStatus.refresh();
  lblSearchStatus.move(kStatus.x, kStatus.y, kStatus.w, kStatus.h);
  BtnSearchClose.move(kClose.x, kClose.y, kClose.w, kClose.h);
  drawClose(false);
  shape::clsTransForm().ShapeMe(BtnSearchClose, base::kKeyColor);
  txtSearch.setText(u"");
  tmrSearchPause.setEnabled(false);
  setStatus(u"");
  paintText();
  PicSearch.setVisible(true);
  PicSearchStatus.setVisible(true);
  PicSearch.bringToFront();
  PicSearchStatus.bringToFront();
}

void SearchField::hide() {
  tmrSearchPause.setEnabled(false);
  tmrSearchProgress.setEnabled(false);
  tmrSearchCaret.setEnabled(false);
  PicSearch.setVisible(false);
  PicSearchStatus.setVisible(false);
}

void SearchField::setStatus(std::u16string status, std::u16string toolTip) {
  lblSearchStatus.setText(std::move(status));
  PicSearchStatus.setToolTip(std::move(toolTip));
}

// The words' end stays in sight: what does not fit is cut at the front.
void SearchField::paintText() {
  gui::Surface& s = PicSearch.surface();
  s.blit(m_atlas, skin::r::searchField, {0, 0});
  gui::TextService& text = m_form.platform().text();
  std::u16string_view shown = txtSearch.text();
  int width = text.measure(kFont, shown).width;
  while (!shown.empty() && width > kTextBox.w - 2) {
    shown.remove_prefix(1);
    width = text.measure(kFont, shown).width;
  }
  text.draw(s, kTextBox, shown, kFont, skin::kTextBlue, gui::Alignment::Left);
  PicSearch.refresh();
  PicSearchCaret.move(kTextBox.x + width, kTextBox.y, 1, 14);
  PicSearchCaret.cls();
}

void SearchField::keyDown(int keyCode) {
  switch (keyCode) {
    case gui::kKeyReturn:
      if (pausing() || !onEnter) {
        tmrSearchPause.setEnabled(false);
        if (auto handler = onSearch) handler();
      } else {
        onEnter();
      }
      break;
    case gui::kKeyEscape:
      if (auto handler = onClose) handler();
      break;
    case gui::kKeyUp:
    case gui::kKeyDown:
      if (auto handler = onArrow) handler(keyCode);
      break;
    default: break;
  }
}

// The words are compared in code page 1250: a character it lacks could
// never be found, so it is not taken.
void SearchField::refuseUnwritable(char16_t& ch) {
  if (ch >= 32 && base::utf16ToCp1250(std::u16string_view(&ch, 1)) == "?" && ch != u'?') ch = 0;
}

void SearchField::drawClose(bool pressed) {
  BtnSearchClose.surface().blit(m_atlas, pressed ? skin::r::searchClosePressed : skin::r::searchClose, {0, 0});
  BtnSearchClose.refresh();
}

}  // namespace app

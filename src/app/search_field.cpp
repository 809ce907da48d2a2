#include "app/search_field.h"

#include "base/cp1250.h"
#include "shape/cls_trans_form.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/window_table.h"

namespace app {
namespace {

const gui::FontSpec kFont{u"Arial", 238, 8.25, true};
constexpr gui::Rect kTextBox{20, 3, 136, 16};  // between the magnifier and the round button
constexpr skin::ButtonSetup kClose{.kind = skin::ButtonKind::Close, .at = {158, 3}, .rest = skin::r::searchClose,
                                  .pressed = skin::r::searchClosePressed};
constexpr gui::Rect kStatus{5, 3, 165, 16};

// The field's controls on the main window, hidden until Ctrl+F; show() places them.
using Kind = skin::ControlKind;
const skin::ControlRow kControls[] = {
    {"PicSearch", Kind::Picture, {}, false},
    {"txtSearch", Kind::LineEdit, {}, true, {}, 0, "PicSearch"},
    {"BtnSearchClose", Kind::Picture, {}, true, {}, 0, "PicSearch"},
    {"PicSearchStatus", Kind::Picture, {}, false},
    {"lblSearchStatus", Kind::Label, {}, true, {}, 0, "PicSearchStatus"},
};

// What a screen reader is told of them.
const skin::AccessRow kAccess[] = {
    {"txtSearch", gui::AccRole::Text, u"Iskanje"},
    {"BtnSearchClose", gui::AccRole::PushButton, u"Končaj iskanje"},
    {"lblSearchStatus", gui::AccRole::StaticText},  // named by what it says
};

}  // namespace

void SearchField::describe(gui::AccNode& into) const {
  if (!shown()) return;
  skin::describeControls(m_form, kAccess, into);
  if (gui::AccNode* field = skin::nodeOf(into, txtSearch)) field->value = txtSearch.text();
  if (gui::AccNode* count = skin::nodeOf(into, lblSearchStatus)) count->name = lblSearchStatus.text();
}

SearchField::SearchField(gui::Form& form, const gui::Surface& atlas)
    : PicSearch(skin::control<gui::PictureBox>(skin::buildControls(form, kControls), "PicSearch")),
      txtSearch(skin::control<gui::EditBox>(form, "txtSearch")),
      BtnSearchClose(skin::control<gui::PictureBox>(form, "BtnSearchClose")),
      PicSearchStatus(skin::control<gui::PictureBox>(form, "PicSearchStatus")),
      lblSearchStatus(skin::control<gui::Label>(form, "lblSearchStatus")),
      tmrSearchPause(form.addTimer("tmrSearchPause", kPauseMs, gui::TimerStart::Stopped)),
      tmrSearchProgress(form.addTimer("tmrSearchProgress", 100, gui::TimerStart::Stopped)),
      m_form(form),
      m_atlas(&atlas),
      m_close(BtnSearchClose, atlas, kClose) {
  // The page under the words is the skin's, the colour of the field's middle.
  const gui::Color page = atlas.pixel(skin::r::searchField.x + kTextBox.x + kTextBox.w / 2,
                                      skin::r::searchField.y + kTextBox.y + kTextBox.h / 2);
  txtSearch.attach(form.platform().createLineEdit(form, kTextBox, {page, skin::kTextBlue, kFont}));
  txtSearch.move(kTextBox.x, kTextBox.y, kTextBox.w, kTextBox.h);
  lblSearchStatus.setFont(gui::FontSpec{u"Arial", 238, 8.25, false});
  lblSearchStatus.setForeColor(skin::kTextBlue);
  lblSearchStatus.setTransparent(true);

  txtSearch.onChange = [this] {
    tmrSearchPause.setEnabled(false);  // each change starts the pause anew
    tmrSearchPause.setEnabled(true);
  };
  txtSearch.onKeyPress = [this](char16_t& ch) { refuseUnwritable(ch); };
  txtSearch.onTakeKey = [this](int key, int) { return keyDown(key); };
  tmrSearchPause.onTimer = [this] {
    tmrSearchPause.setEnabled(false);
    if (auto handler = onSearch) handler();
  };
  m_close.onCommand = [this] {
    if (auto handler = onClose) handler();
  };
  // The magnifier and the field's edges give the keys to the words.
  PicSearch.onMouseDown = [this](int, int, double, double) { focus(); };
}

void SearchField::setAtlas(const gui::Surface& atlas) {
  m_atlas = &atlas;
  m_close.setAtlas(atlas);
  if (!PicSearch.visible()) return;
  PicSearchStatus.surface().blit(atlas, skin::r::dateBox, {0, 0});
  PicSearchStatus.refresh();
  PicSearch.surface().blit(atlas, skin::r::searchField, {0, 0});
  PicSearch.refresh();
  m_close.place();
  shape::clsTransForm().ShapeMe(BtnSearchClose, base::kKeyColor);
}

void SearchField::show(gui::Rect yearBox, gui::Rect monthBox) {
  PicSearch.move(yearBox.x, yearBox.y, yearBox.w, yearBox.h);
  PicSearchStatus.move(monthBox.x, monthBox.y, monthBox.w, monthBox.h);
  PicSearchStatus.surface().blit(*m_atlas, skin::r::dateBox, {0, 0});
  PicSearchStatus.refresh();
  lblSearchStatus.move(kStatus.x, kStatus.y, kStatus.w, kStatus.h);
  m_close.place();
  shape::clsTransForm().ShapeMe(BtnSearchClose, base::kKeyColor);
  txtSearch.setText(u"");
  tmrSearchPause.setEnabled(false);
  setStatus(u"");
  PicSearch.surface().blit(*m_atlas, skin::r::searchField, {0, 0});
  PicSearch.refresh();
  PicSearch.setVisible(true);
  PicSearchStatus.setVisible(true);
  PicSearch.bringToFront();
  PicSearchStatus.bringToFront();
}

void SearchField::hide() {
  tmrSearchPause.setEnabled(false);
  tmrSearchProgress.setEnabled(false);
  PicSearch.setVisible(false);
  PicSearchStatus.setVisible(false);
}

void SearchField::setStatus(std::u16string status, std::u16string toolTip) {
  lblSearchStatus.setText(std::move(status));
  PicSearchStatus.setToolTip(std::move(toolTip));
}

// Enter, Escape, Up and Down steer the search; every other key edits.
bool SearchField::keyDown(int keyCode) {
  switch (keyCode) {
    case gui::kKeyReturn:
      if (pausing() || !onEnter) {
        tmrSearchPause.setEnabled(false);
        if (auto handler = onSearch) handler();
      } else {
        onEnter();
      }
      return true;
    case gui::kKeyEscape:
      if (auto handler = onClose) handler();
      return true;
    case gui::kKeyUp:
    case gui::kKeyDown:
      if (auto handler = onArrow) handler(keyCode);
      return true;
    default: return false;
  }
}

// The words are compared in code page 1250: a character it lacks could
// never be found, so it is not taken.
void SearchField::refuseUnwritable(char16_t& ch) {
  if (ch >= 32 && base::utf16ToCp1250(std::u16string_view(&ch, 1)) == "?" && ch != u'?') ch = 0;
}

}  // namespace app

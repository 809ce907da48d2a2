#pragma once
// The search field that Ctrl+F opens over the main window's year and month
// boxes: a skinned box with a magnifier where the typed words show with a
// blinking caret, a round button that ends the search, and below it, in the
// month box's place, a line that tells how the search went. The words are
// typed into a text field of the system's own, over the field's skin in its
// colours, so that it edits as every text field does. The field only
// reports; the main window searches.
#include <functional>
#include <string>

#include "gui/form.h"
#include "skin/skinned_button.h"

namespace app {

class SearchField {
 public:
  // Makes its elements on the form, hidden; `atlas` gives the faces.
  SearchField(gui::Form& form, const gui::Surface& atlas);

  // Shown empty, over the boxes at the given place (the year box's); the
  // status line lies one box lower.
  void show(gui::Rect yearBox, gui::Rect monthBox);
  void hide();
  bool shown() const { return PicSearch.visible(); }
  void focus() { txtSearch.setFocus(); }

  std::u16string text() const { return txtSearch.text(); }
  // While shown: the field, its round button and the line of the count, for a screen reader.
  void describe(gui::AccNode& into) const;
  // Typing has changed the words and the pause before searching still runs.
  bool pausing() const { return tmrSearchPause.enabled(); }
  void setStatus(std::u16string status, std::u16string toolTip = u"");
  const std::u16string& status() const { return lblSearchStatus.text(); }

  std::function<void()> onSearch;  // typing paused after a change, or Enter
  std::function<void()> onEnter;   // Enter with no change waiting
  std::function<void()> onClose;   // Escape, or the round button
  std::function<void(int keyCode)> onArrow;  // Up or Down

  gui::PictureBox& PicSearch;
  gui::EditBox& txtSearch;
  gui::PictureBox& BtnSearchClose;
  gui::PictureBox& PicSearchStatus;
  gui::Label& lblSearchStatus;
  gui::Timer& tmrSearchPause;
  gui::Timer& tmrSearchProgress;  // the main window shows the reading's progress on it

  static constexpr int kPauseMs = 300;

  // Copies its faces from `atlas` from now on (the window's scale changed);
  // a field on show is painted again at once.
  void setAtlas(const gui::Surface& atlas);

 private:
  bool keyDown(int keyCode);
  void refuseUnwritable(char16_t& ch);

  gui::Form& m_form;
  const gui::Surface* m_atlas;
  skin::SkinnedButton m_close;  // BtnSearchClose's faces and presses
};

}  // namespace app

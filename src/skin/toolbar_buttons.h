#pragma once
// The seven toolbar buttons: picture boxes whose faces are copied out of the
// skin atlas, hovering with the shared button behaviour's fades (a tracking
// timer that notices the pointer leaving and an animation timer that steps
// the face through the fade rows).
//
// Index:
//   ToolbarButton ...... what all seven share: faces and the behaviour
//   FormatToggle ....... BtnKrepko, BtnLežeče, BtnPodčrtano
//   PasswordButton ..... BtnGeslo
//   MenuButton ......... BtnPoravnaj, BtnSpremeniBarvo, BtnSpremeniVelikost
//
// The face column is asked for afresh at every draw, so a format changed
// meanwhile shows in the very next frame.
#include <functional>
#include <string>

#include "gui/editor.h"
#include "gui/element.h"
#include "gui/timer.h"
#include "skin/atlas.h"
#include "skin/button_behaviour.h"
#include "skin/rects.h"

namespace skin {

// The editor whose selection the faces follow; nullptr before it exists.
using EditorSource = std::function<gui::Editor*()>;

// Toolbar buttons sit at top 19 and are 39 pixels high.
inline constexpr int kToolbarTop = 19;

class ToolbarButton {
 public:
  // Creates the two timers (50 ms, disabled) on the button's form and wires
  // the box's mouse events and the timers' ticks to the handlers below.
  ToolbarButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                const std::string& animationTimer);
  virtual ~ToolbarButton() = default;
  ToolbarButton(const ToolbarButton&) = delete;
  ToolbarButton& operator=(const ToolbarButton&) = delete;

  ButtonBehaviour behaviour;
  gui::PictureBox& Btn;
  gui::Timer& Tmr;   // tracking
  gui::Timer& TmrE;  // animation

  // The column the faces are taken from right now.
  virtual ToolbarFace column() const = 0;

  // Copies the face of `row` in the current column to the box and shows it,
  // with the size or colour marks over it when the button shows them.
  void drawFace(Row row);
  void showMarks(const FaceMarks& marks) { m_marks = &marks; }

  // Places the box at (left, 19) in its face's button width, shows the rest
  // face and sets the frame counter to "0".
  void place(int left);

  // A left press starts the press; a move closes the menus and hovers.
  virtual void Btn_MouseDown(int button, int shift, double x, double y);
  virtual void Btn_MouseMove(int button, int shift, double x, double y);
  virtual void Btn_MouseUp(int button, int shift, double x, double y) = 0;

  // Menus that a move over this button closes; set by the owner.
  std::function<void()> CloseMenus;

 protected:
  const gui::Surface& m_atlas;
  const FaceMarks* m_marks = nullptr;
};

// Bold, italic or underline: the face shows whether the selection has it,
// and a click turns it over.
class FormatToggle : public ToolbarButton {
 public:
  enum class Format { Bold, Italic, Underline };
  FormatToggle(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
               const std::string& animationTimer, Format format, EditorSource editor);

  ToolbarFace column() const override;
  // "On" only when the whole selection has the format.
  bool formatOn() const;

  void Btn_MouseUp(int button, int shift, double x, double y) override;

 private:
  Format m_format;
  EditorSource m_editor;
};

// BtnGeslo: a click flashes the highlight, fades back to rest at once and
// opens the change-password window.
class PasswordButton : public ToolbarButton {
 public:
  PasswordButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                 const std::string& animationTimer);

  ToolbarFace column() const override { return ToolbarFace::Geslo; }

  void Btn_MouseUp(int button, int shift, double x, double y) override;

  std::function<void()> onCommand;
};

// A button that opens and closes its drop-down menu with a press.
class MenuButton : public ToolbarButton {
 public:
  // `face` is the fixed column (colour, size) or any alignment column for
  // BtnPoravnaj, whose column then follows the editor's alignment.
  MenuButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
             const std::string& animationTimer, ToolbarFace face, EditorSource editor, gui::Element& menu);

  ToolbarFace column() const override;
  gui::Element& menu() const { return m_menu; }

  void Btn_MouseDown(int button, int shift, double x, double y) override;
  void Btn_MouseMove(int button, int shift, double x, double y) override;
  void Btn_MouseUp(int button, int shift, double x, double y) override;

  // Hides the other two menus (not this button's own).
  std::function<void()> closeOtherMenus;
  // Runs on a left press just before the menu is toggled (the alignment
  // button redraws an item of its menu there).
  std::function<void()> beforeToggle;

 private:
  ToolbarFace m_face;
  EditorSource m_editor;
  gui::Element& m_menu;
};

}  // namespace skin

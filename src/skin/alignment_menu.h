#pragma once
// The three image buttons inside mnuPoravnaj: align left, centre and right.
// Each shows its rest, hover or pressed face from the atlas with the shared
// button behaviour (no fades): its own 50 ms timer returns it to rest once
// the pointer is off it. Releasing the mouse on one sets the paragraph
// alignment of the editor's selection (not on a read-only day) and closes
// the menu.
//
// A press holds only while the menu is open: after a choice the chosen
// button keeps its pressed face until its timer sees the pointer away from
// it, so a menu reopened at once still shows it pressed.
#include <array>
#include <memory>

#include "gui/element.h"
#include "gui/timer.h"
#include "skin/button_behaviour.h"
#include "skin/rects.h"
#include "skin/skinned_button.h"

namespace skin {

class AlignmentMenu {
 public:
  struct Item {
    std::unique_ptr<ButtonBehaviour> behaviour;
    gui::PictureBox& btn;
    gui::Timer& tmr;
    base::Alignment alignment;  // what it sets, and its face
  };

  // `menu` is the panel mnuPoravnaj, already placed and painted.
  AlignmentMenu(gui::PictureBox& menu, const gui::Surface& atlas, EditorSource editor);
  AlignmentMenu(const AlignmentMenu&) = delete;
  AlignmentMenu& operator=(const AlignmentMenu&) = delete;

  gui::PictureBox& mnuPoravnaj;
  Item Levo, NaSredino, Desno;
  gui::PictureBox& mnuBtnPoravnajLevo;
  gui::PictureBox& mnuBtnPoravnajNaSredino;
  gui::PictureBox& mnuBtnPoravnajDesno;

  void drawFace(Item& item, ButtonState state);
  // Copies the items' faces from `atlas` from now on and draws them at rest.
  void setAtlas(const gui::Surface& atlas);

  void Btn_MouseDown(Item& item, int button, int shift, double x, double y);
  void Btn_MouseMove(Item& item, int button, int shift, double x, double y);
  void Btn_MouseUp(Item& item, int button, int shift, double x, double y);

 private:
  Item makeItem(const char* name, const char* timer, base::Alignment alignment, int left,
                const char16_t* tip);

  const gui::Surface* m_atlas;
  EditorSource m_editor;
};

}  // namespace skin

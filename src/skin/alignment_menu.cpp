#include "skin/alignment_menu.h"

#include "gui/form.h"

namespace skin {
namespace {
constexpr int kItemTop = 3, kItemSize = 23;
}  // namespace

AlignmentMenu::AlignmentMenu(gui::PictureBox& menu, const gui::Surface& atlas, EditorSource editor)
    : mnuPoravnaj(menu),
      Levo(makeItem("mnuBtnPoravnajLevo", "tmrPoravnajLevo", AlignmentItem::Levo, 0, 3, u"Poravnaj Levo")),
      NaSredino(makeItem("mnuBtnPoravnajNaSredino", "tmrPoravnajNaSredino", AlignmentItem::NaSredino, 2, 27,
                         u"Poravnaj Na Sredino")),
      Desno(makeItem("mnuBtnPoravnajDesno", "tmrPoravnajDesno", AlignmentItem::Desno, 1, 51, u"Poravnaj Desno")),
      mnuBtnPoravnajLevo(Levo.btn),
      mnuBtnPoravnajNaSredino(NaSredino.btn),
      mnuBtnPoravnajDesno(Desno.btn),
      m_atlas(atlas),
      m_editor(std::move(editor)) {
  for (Item* item : {&Levo, &NaSredino, &Desno}) {
    item->btn.onMouseDown = [this, item](int b, int s, double x, double y) { Btn_MouseDown(*item, b, s, x, y); };
    item->btn.onMouseMove = [this, item](int b, int s, double x, double y) { Btn_MouseMove(*item, b, s, x, y); };
    item->btn.onMouseUp = [this, item](int b, int s, double x, double y) { Btn_MouseUp(*item, b, s, x, y); };
    item->tmr.onTimer = [this, item] { Tmr_Timer(*item); };
    drawFace(*item, ButtonState::Rest);
  }
}

AlignmentMenu::Item AlignmentMenu::makeItem(const char* name, const char* timer, AlignmentItem face, int alignment,
                                            int left, const char16_t* tip) {
  gui::PictureBox& b = mnuPoravnaj.add<gui::PictureBox>(name);
  b.move(left, kItemTop, kItemSize, kItemSize);
  b.setToolTip(tip);
  gui::Timer& t = mnuPoravnaj.form().addTimer(timer, kTimerInterval, false);
  return Item{b, t, face, alignment};
}

void AlignmentMenu::drawFace(Item& item, ButtonState state) {
  // The 24 × 24 face is clipped to the 23 × 23 button.
  item.btn.blit(m_atlas, alignmentItemFace(item.face, state), {0, 0});
}

void AlignmentMenu::Btn_MouseDown(Item& item, int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  drawFace(item, ButtonState::Pressed);
  item.btn.setTag("D");
}

void AlignmentMenu::Btn_MouseMove(Item& item, int button, int, double, double) {
  if (button & gui::kLeftButton) return;
  drawFace(item, ButtonState::Hover);
  item.btn.setTag("H");
  item.tmr.setEnabled(true);
}

void AlignmentMenu::Btn_MouseUp(Item& item, int, int, double, double) {
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  if (ed && !ed->Locked()) ed->setSelAlignment(item.alignment);
  mnuPoravnaj.setVisible(false);
}

void AlignmentMenu::Tmr_Timer(Item& item) {
  // A press in an open menu keeps its face, even with the pointer dragged off.
  if (item.btn.tag() != "H" && mnuPoravnaj.visible()) return;
  if (pointerOver(item.btn)) return;
  drawFace(item, ButtonState::Rest);
  item.btn.setTag("");
  item.tmr.setEnabled(false);
}

}  // namespace skin

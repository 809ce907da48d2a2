#include "skin/alignment_menu.h"

#include "gui/form.h"

namespace skin {
namespace {
constexpr int kItemTop = 3, kItemSize = 23;
}  // namespace

AlignmentMenu::AlignmentMenu(gui::PictureBox& menu, const gui::Surface& atlas, EditorSource editor)
    : mnuPoravnaj(menu),
      Levo(makeItem("mnuBtnPoravnajLevo", "tmrPoravnajLevo", base::Alignment::Left, 3, u"Poravnaj Levo (Ctrl+L)")),
      NaSredino(makeItem("mnuBtnPoravnajNaSredino", "tmrPoravnajNaSredino", base::Alignment::Center, 27,
                         u"Poravnaj Na Sredino (Ctrl+Shift+E)")),
      Desno(makeItem("mnuBtnPoravnajDesno", "tmrPoravnajDesno", base::Alignment::Right, 51, u"Poravnaj Desno (Ctrl+R)")),
      mnuBtnPoravnajLevo(Levo.btn),
      mnuBtnPoravnajNaSredino(NaSredino.btn),
      mnuBtnPoravnajDesno(Desno.btn),
      m_atlas(&atlas),
      m_editor(std::move(editor)) {
  for (Item* item : {&Levo, &NaSredino, &Desno}) {
    item->btn.onMouseDown = [this, item](int b, int s, double x, double y) { Btn_MouseDown(*item, b, s, x, y); };
    item->btn.onMouseMove = [this, item](int b, int s, double x, double y) { Btn_MouseMove(*item, b, s, x, y); };
    item->btn.onMouseUp = [this, item](int b, int s, double x, double y) { Btn_MouseUp(*item, b, s, x, y); };
    item->behaviour->holdsPress = [this] { return mnuPoravnaj.visible(); };
    drawFace(*item, ButtonState::Rest);
  }
}

void AlignmentMenu::setAtlas(const gui::Surface& atlas) {
  m_atlas = &atlas;
  for (Item* item : {&Levo, &NaSredino, &Desno}) drawFace(*item, ButtonState::Rest);
}

AlignmentMenu::Item AlignmentMenu::makeItem(const char* name, const char* timer, base::Alignment alignment, int left,
                                            const char16_t* tip) {
  gui::PictureBox& b = mnuPoravnaj.add<gui::PictureBox>(name);
  b.move(left, kItemTop, kItemSize, kItemSize);
  b.setToolTip(tip);
  // The 24 × 24 face is clipped to the 23 × 23 button.
  const auto draw = [this, &b, alignment](Row row) {
    b.blit(*m_atlas, alignmentItemFace(alignment, buttonState(row)), {0, 0});
  };
  auto behaviour = std::make_unique<ButtonBehaviour>(b, mnuPoravnaj.form(), timer, "", ButtonStyle{}, draw);
  gui::Timer& t = behaviour->tracking;
  return Item{std::move(behaviour), b, t, alignment};
}

void AlignmentMenu::drawFace(Item& item, ButtonState state) {
  item.behaviour->draw(state == ButtonState::Rest      ? Row::Rest
                       : state == ButtonState::Pressed ? Row::Pressed
                                                       : Row::Highlight);
}

void AlignmentMenu::Btn_MouseDown(Item& item, int button, int, double, double) {
  if (button == gui::kLeftButton) item.behaviour->press();
}

void AlignmentMenu::Btn_MouseMove(Item& item, int button, int, double x, double y) {
  item.behaviour->move(button, x, y);
}

void AlignmentMenu::Btn_MouseUp(Item& item, int, int, double, double) {
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  if (ed && !ed->Locked()) ed->setSelAlignment(item.alignment);
  mnuPoravnaj.setVisible(false);
}

}  // namespace skin

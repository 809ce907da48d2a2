#include "skin/toolbar_buttons.h"

#include "gui/form.h"

namespace skin {

// ---- ToolbarButton -------------------------------------------------------------

ToolbarButton::ToolbarButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                             const std::string& animationTimer)
    : behaviour(box, box.form(), trackingTimer, animationTimer, {.fades = true, .hoverBelow = 3.0},
                [this](Row row) { drawFace(row); }),
      Btn(box),
      Tmr(behaviour.tracking),
      TmrE(*behaviour.animation),
      m_atlas(atlas) {
  Btn.onMouseDown = [this](int b, int s, double x, double y) { Btn_MouseDown(b, s, x, y); };
  Btn.onMouseMove = [this](int b, int s, double x, double y) { Btn_MouseMove(b, s, x, y); };
  Btn.onMouseUp = [this](int b, int s, double x, double y) { Btn_MouseUp(b, s, x, y); };
}

void ToolbarButton::drawFace(Row row) {
  // A face wider than the button shows its left columns: the copy is
  // clipped to the box.
  const ToolbarFace f = column();
  const Rect face = toolbarFace(f, row);
  if (!m_marks) return Btn.blit(m_atlas, face, {0, 0});
  gui::Surface picture(face.w, face.h);
  picture.blit(m_atlas, face, {0, 0});
  drawFaceMarks(picture, {0, 0}, m_atlas, f, row, *m_marks);
  Btn.blit(picture, picture.bounds(), {0, 0});
}

void ToolbarButton::place(int left) {
  Btn.move(left, kToolbarTop, toolbarButtonWidth(column()), kToolbarFaceHeight);
  drawFace(Row::Rest);
  TmrE.setTag("0");
}

void ToolbarButton::Btn_MouseDown(int button, int, double, double) {
  if (button == gui::kLeftButton) behaviour.press();
}

void ToolbarButton::Btn_MouseMove(int button, int, double x, double y) {
  if (CloseMenus) CloseMenus();
  behaviour.move(button, x, y);
}

// ---- FormatToggle --------------------------------------------------------------

FormatToggle::FormatToggle(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                           const std::string& animationTimer, Format format, EditorSource editor)
    : ToolbarButton(box, atlas, trackingTimer, animationTimer), m_format(format), m_editor(std::move(editor)) {}

bool FormatToggle::formatOn() const {
  const gui::Editor* ed = m_editor ? m_editor() : nullptr;
  if (!ed) return false;
  switch (m_format) {
    case Format::Bold: return gui::isTrue(ed->SelBold());
    case Format::Italic: return gui::isTrue(ed->SelItalic());
    case Format::Underline: return gui::isTrue(ed->SelUnderline());
  }
  return false;
}

ToolbarFace FormatToggle::column() const {
  const bool on = formatOn();
  switch (m_format) {
    case Format::Bold: return krepkoFace(on);
    case Format::Italic: return ležečeFace(on);
    case Format::Underline: return podčrtanoFace(on);
  }
  return krepkoFace(on);
}

void FormatToggle::Btn_MouseUp(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  gui::Editor* ed = m_editor ? m_editor() : nullptr;
  if (ed && !ed->Locked()) {
    // A selection that only partly has the format gets it throughout.
    const bool on = !formatOn();
    switch (m_format) {
      case Format::Bold: ed->setSelBold(on); break;
      case Format::Italic: ed->setSelItalic(on); break;
      case Format::Underline: ed->setSelUnderline(on); break;
    }
  }
  drawFace(Row::Highlight);
  Btn.setTag("H");
}

// ---- PasswordButton ------------------------------------------------------------

PasswordButton::PasswordButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                               const std::string& animationTimer)
    : ToolbarButton(box, atlas, trackingTimer, animationTimer) {}

void PasswordButton::Btn_MouseUp(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  // The Tag stays "D" until the fade-out ends, so the tracking timer keeps
  // out of the way while the change-password window opens.
  behaviour.fadeOut();
  if (onCommand) onCommand();
}

// ---- MenuButton ----------------------------------------------------------------

MenuButton::MenuButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                       const std::string& animationTimer, ToolbarFace face, EditorSource editor, gui::Element& menu)
    : ToolbarButton(box, atlas, trackingTimer, animationTimer), m_face(face), m_editor(std::move(editor)),
      m_menu(menu) {
  // The face stays up while the menu is open.
  behaviour.holdsHover = [this] { return m_menu.visible(); };
}

ToolbarFace MenuButton::column() const {
  switch (m_face) {
    case ToolbarFace::PoravnajLevo:
    case ToolbarFace::PoravnajDesno:
    case ToolbarFace::PoravnajNaSredino: {
      // Paragraphs of mixed alignment show the left-aligned face, as the
      // toolbar's indicators do.
      const gui::Editor* ed = m_editor ? m_editor() : nullptr;
      const std::optional<int> a = ed ? ed->SelAlignment() : std::nullopt;
      return poravnajFace(a.value_or(0)).value_or(ToolbarFace::PoravnajLevo);
    }
    default: return m_face;
  }
}

void MenuButton::Btn_MouseDown(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  drawFace(Row::Pressed);
  if (beforeToggle) beforeToggle();
  m_menu.setVisible(!m_menu.visible());
}

void MenuButton::Btn_MouseMove(int button, int, double x, double y) {
  if (closeOtherMenus) closeOtherMenus();
  behaviour.move(button, x, y);
}

void MenuButton::Btn_MouseUp(int, int, double, double) {
  // The pressed face stays until the tracking timer fades the button out.
}

}  // namespace skin

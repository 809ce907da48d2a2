#include "skin/toolbar_buttons.h"

#include <charconv>

#include "gui/form.h"

namespace skin {

int frameNumber(const std::string& tag) {
  int n = 0;
  const auto [end, ec] = std::from_chars(tag.data(), tag.data() + tag.size(), n);
  return ec == std::errc() && end == tag.data() + tag.size() ? n : 0;
}

bool pointerOver(const gui::Element& e) {
  // Single precision, each time: a window moved or dragged since the last
  // tick is seen where it is now.
  const gui::Form& f = e.form();
  const gui::Rect r = e.formRect();
  const float left = static_cast<float>(f.left()) / static_cast<float>(f.tppX()) + static_cast<float>(r.x);
  const float top = static_cast<float>(f.top()) / static_cast<float>(f.tppY()) + static_cast<float>(r.y);
  const float right = left + static_cast<float>(r.w);
  const float bottom = top + static_cast<float>(r.h);
  const gui::Point p = f.platform().cursorPos();
  const float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
  return left <= x && x <= right && top <= y && y <= bottom;
}

// ---- ToolbarButton -------------------------------------------------------------

ToolbarButton::ToolbarButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                             const std::string& animationTimer)
    : Btn(box),
      Tmr(box.form().addTimer(trackingTimer, kTimerInterval, false)),
      TmrE(box.form().addTimer(animationTimer, kTimerInterval, false)),
      m_atlas(atlas) {
  Btn.onMouseDown = [this](int b, int s, double x, double y) { Btn_MouseDown(b, s, x, y); };
  Btn.onMouseMove = [this](int b, int s, double x, double y) { Btn_MouseMove(b, s, x, y); };
  Btn.onMouseUp = [this](int b, int s, double x, double y) { Btn_MouseUp(b, s, x, y); };
  Tmr.onTimer = [this] { Tmr_Timer(); };
  TmrE.onTimer = [this] { TmrE_Timer(); };
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

void ToolbarButton::startHoverIfDue(int button, double y) {
  if (button & gui::kLeftButton) return;
  if (TmrE.enabled() || frameNumber(TmrE.tag()) == 100 || !(y > 3.0)) return;
  TmrE.setTag("1");
  TmrE.setEnabled(true);
  Tmr.setEnabled(true);
}

void ToolbarButton::Tmr_Timer() {
  if (Btn.tag() != "H") return;
  if (pointerOver(Btn)) return;
  if (holdsFace()) return;
  Btn.setTag("");
  Tmr.setEnabled(false);
  TmrE.setTag("5");
  TmrE.setEnabled(true);
}

void ToolbarButton::TmrE_Timer() {
  switch (frameNumber(TmrE.tag())) {
    case 1:
      drawFace(Row::Fade1);
      TmrE.setTag("2");
      break;
    case 2:
      drawFace(Row::Fade2);
      TmrE.setTag("3");
      break;
    case 3:
      drawFace(Row::Highlight);
      TmrE.setTag("100");
      Btn.setTag("H");
      TmrE.setEnabled(false);
      break;
    case 5:
      drawFace(Row::Fade2);
      TmrE.setTag("6");
      break;
    case 6:
      drawFace(Row::Fade1);
      TmrE.setTag("7");
      break;
    case 7:
      drawFace(Row::Rest);
      TmrE.setTag("0");
      TmrE.setEnabled(false);
      Btn.setTag("");
      break;
    default: break;
  }
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

void FormatToggle::Btn_MouseDown(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  Btn.setTag("D");
  drawFace(Row::Pressed);
}

void FormatToggle::Btn_MouseMove(int button, int, double, double y) {
  if (CloseMenus) CloseMenus();
  startHoverIfDue(button, y);
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

void PasswordButton::Btn_MouseDown(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  Btn.setTag("D");
  drawFace(Row::Pressed);
}

void PasswordButton::Btn_MouseMove(int button, int, double, double y) {
  if (CloseMenus) CloseMenus();
  startHoverIfDue(button, y);
}

void PasswordButton::Btn_MouseUp(int button, int, double, double) {
  if (button != gui::kLeftButton) return;
  // The Tag stays "D" until the fade-out ends, so the tracking timer keeps
  // out of the way while the change-password window opens.
  drawFace(Row::Highlight);
  TmrE.setTag("5");
  TmrE.setEnabled(true);
  if (onCommand) onCommand();
}

// ---- MenuButton ----------------------------------------------------------------

MenuButton::MenuButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& trackingTimer,
                       const std::string& animationTimer, ToolbarFace face, EditorSource editor, gui::Element& menu)
    : ToolbarButton(box, atlas, trackingTimer, animationTimer), m_face(face), m_editor(std::move(editor)),
      m_menu(menu) {}

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

void MenuButton::Btn_MouseMove(int button, int, double, double y) {
  if (closeOtherMenus) closeOtherMenus();
  startHoverIfDue(button, y);
}

void MenuButton::Btn_MouseUp(int, int, double, double) {
  // The pressed face stays until the tracking timer fades the button out.
}

}  // namespace skin

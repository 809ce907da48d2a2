#include "skin/skinned_button.h"

#include <string>

#include "gui/form.h"

namespace skin {
namespace {

ButtonStyle styleOf(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::FormatToggle:
    case ButtonKind::Command:
    case ButtonKind::MenuOpener: return {.fades = true, .hoverBelow = 3.0};
    default: return {.dragShowsPress = true, .pressStopsTracking = true};
  }
}

// 0 ≤ x ≤ width and 0 ≤ y ≤ height, edges included.
bool onBox(const gui::Element& box, double x, double y) {
  return 0 <= x && x <= box.width() && 0 <= y && y <= box.height();
}

}  // namespace

SkinnedButton::SkinnedButton(gui::PictureBox& box, const gui::Surface& atlas, const ButtonSetup& setup,
                             ButtonLinks links)
    : m_box(box), m_atlas(&atlas), m_setup(setup), m_links(std::move(links)) {
  if (!setup.tip.empty()) m_box.setToolTip(std::u16string(setup.tip));
  if (fades() || round()) {
    gui::Form& timers = m_links.timerForm ? *m_links.timerForm : box.form();
    m_behaviour.emplace(box, timers, std::string(setup.tracking), std::string(setup.animation), styleOf(setup.kind),
                        [this](Row row) { draw(row); });
  }
  // The face stays up while the menu is open.
  if (setup.kind == ButtonKind::MenuOpener) m_behaviour->holdsHover = [this] { return m_links.menu->visible(); };
  if (setup.kind == ButtonKind::ListOpener) return;
  m_box.onMouseDown = [this](int b, int, double, double) { mouseDown(b); };
  m_box.onMouseMove = [this](int b, int, double x, double y) { mouseMove(b, x, y); };
  m_box.onMouseUp = [this](int b, int, double x, double y) { mouseUp(b, x, y); };
}

bool SkinnedButton::fades() const {
  return m_setup.kind == ButtonKind::FormatToggle || m_setup.kind == ButtonKind::Command ||
         m_setup.kind == ButtonKind::MenuOpener;
}

bool SkinnedButton::round() const { return m_setup.kind == ButtonKind::Round || m_setup.kind == ButtonKind::OnTop; }

void SkinnedButton::place() {
  if (fades()) {
    m_box.move(m_setup.at.x, m_setup.at.y, toolbarButtonWidth(column()), kToolbarFaceHeight);
  } else if (round()) {
    // The layout then makes it round by cutting away the atlas's magenta corners.
    m_box.move(m_box.form().pixelWidth() - m_setup.at.x, m_setup.at.y, kCaptionSize, kCaptionSize);
  } else {
    m_box.move(m_setup.at.x, m_setup.at.y, m_setup.rest.w, m_setup.rest.h);
  }
  draw(Row::Rest);
  if (fades()) m_behaviour->animation->setTag("0");
}

// ---- faces ---------------------------------------------------------------------

std::optional<gui::AccNode> SkinnedButton::describe() const {
  if (!m_box.shown()) return std::nullopt;
  gui::AccNode node =
      gui::accNode(m_setup.kind == ButtonKind::MenuOpener ? gui::AccRole::MenuButton : gui::AccRole::PushButton,
                   m_box.toolTip(), m_box.formRect(), &m_box);
  if (m_setup.kind == ButtonKind::MenuOpener) {
    node.state |= gui::kAccHasPopup;
    node.state |= m_links.menu && m_links.menu->shown() ? gui::kAccExpanded : gui::kAccCollapsed;
  }
  const bool on = m_setup.kind == ButtonKind::FormatToggle ? formatOn()
                  : m_setup.kind == ButtonKind::OnTop      ? m_links.onTop && m_links.onTop()
                                                          : false;
  if (on) node.state |= gui::kAccPressed;
  // The toolbar's and the caption's buttons are reached with Tab and the arrows.
  if (fades() || round()) node.state |= gui::kAccFocusable;
  if (m_box.hasFocus()) node.state |= gui::kAccFocused;
  return node;
}

bool SkinnedButton::formatOn() const {
  const gui::Editor* ed = m_links.editor ? m_links.editor() : nullptr;
  if (!ed) return false;
  switch (m_setup.format) {
    case Format::Bold: return gui::isTrue(ed->SelBold());
    case Format::Italic: return gui::isTrue(ed->SelItalic());
    case Format::Underline: return gui::isTrue(ed->SelUnderline());
  }
  return false;
}

ToolbarFace SkinnedButton::column() const {
  if (m_setup.kind == ButtonKind::FormatToggle) {
    const bool on = formatOn();
    switch (m_setup.format) {
      case Format::Bold: return krepkoFace(on);
      case Format::Italic: return ležečeFace(on);
      case Format::Underline: return podčrtanoFace(on);
    }
  }
  if (m_setup.column == ToolbarFace::PoravnajLevo || m_setup.column == ToolbarFace::PoravnajDesno ||
      m_setup.column == ToolbarFace::PoravnajNaSredino) {
    // Paragraphs of mixed alignment show the left-aligned face, as the
    // toolbar's indicators do.
    const gui::Editor* ed = m_links.editor ? m_links.editor() : nullptr;
    const std::optional<base::Alignment> a = ed ? ed->SelAlignment() : std::nullopt;
    return poravnajFace(a.value_or(base::Alignment::Left));
  }
  return m_setup.column;
}

CaptionButton SkinnedButton::faceSet() const {
  return m_setup.kind == ButtonKind::OnTop ? vednoNaVrhuFace(m_links.onTop()) : m_setup.faces;
}

void SkinnedButton::draw(Row row) {
  if (fades()) return drawToolbarFace(row);
  if (round()) return drawCaption(faceSet(), buttonState(row));
  m_box.blit(*m_atlas, row == Row::Pressed ? m_setup.pressed : m_setup.rest, {0, 0});
}

void SkinnedButton::drawToolbarFace(Row row) {
  // A face wider than the button shows its left columns: the copy is
  // clipped to the box.
  const ToolbarFace f = column();
  const Rect face = toolbarFace(f, row);
  if (!m_links.marks) return m_box.blit(*m_atlas, face, {0, 0});
  gui::Surface picture(face.w, face.h);
  picture.blit(*m_atlas, face, {0, 0});
  drawFaceMarks(picture, {0, 0}, *m_atlas, f, row, *m_links.marks);
  m_box.blit(picture, picture.bounds(), {0, 0});
}

void SkinnedButton::drawCaption(CaptionButton set, ButtonState state) {
  m_box.blit(*m_atlas, captionFace(set, state), {0, 0});
}

// ---- the pointer ---------------------------------------------------------------

void SkinnedButton::mouseDown(int button) {
  const bool left = button == gui::kLeftButton;
  switch (m_setup.kind) {
    case ButtonKind::MenuOpener:
      if (!left) return;
      draw(Row::Pressed);
      if (onCommand) onCommand();
      m_links.menu->setVisible(!m_links.menu->visible());
      return;
    case ButtonKind::Round:
      if (closeMenus) closeMenus();
      [[fallthrough]];
    case ButtonKind::FormatToggle:
    case ButtonKind::Command:
    case ButtonKind::OnTop:  // unlike its round neighbours it leaves the menus open
      if (left) m_behaviour->press();
      return;
    case ButtonKind::Close:
      if (left) draw(Row::Pressed);
      return;
    case ButtonKind::ListOpener: return;
  }
}

void SkinnedButton::mouseMove(int button, double x, double y) {
  if (!m_behaviour) return;
  if (fades() && closeMenus) closeMenus();
  m_behaviour->move(button, x, y);
}

void SkinnedButton::turnFormatOver() {
  gui::Editor* ed = m_links.editor ? m_links.editor() : nullptr;
  if (!ed || ed->Locked()) return;
  // A selection that only partly has the format gets it throughout.
  const bool on = !formatOn();
  switch (m_setup.format) {
    case Format::Bold: ed->setSelBold(on); break;
    case Format::Italic: ed->setSelItalic(on); break;
    case Format::Underline: ed->setSelUnderline(on); break;
  }
}

void SkinnedButton::mouseUp(int button, double x, double y) {
  const bool left = button == gui::kLeftButton;
  switch (m_setup.kind) {
    case ButtonKind::FormatToggle:
      if (!left) return;
      turnFormatOver();
      draw(Row::Highlight);
      m_box.setTag("H");
      return;
    case ButtonKind::Command:
      if (!left) return;
      // The Tag stays "D" until the fade-out ends, so the tracking timer
      // keeps out of the way while the command's window opens.
      m_behaviour->fadeOut();
      if (onCommand) onCommand();
      return;
    case ButtonKind::Round:
    case ButtonKind::OnTop: return roundRelease(button, x, y);
    case ButtonKind::Close:
      if (!left) return;
      draw(Row::Rest);
      if (onBox(m_box, x, y) && onCommand) onCommand();
      return;
    case ButtonKind::MenuOpener:  // the pressed face stays until the tracking timer fades it out
    case ButtonKind::ListOpener: return;
  }
}

// The keep-on-top button's release that toggles the setting leaves the old
// rest face up until the pointer moves over the button again.
void SkinnedButton::roundRelease(int button, double x, double y) {
  const CaptionButton before = faceSet();
  drawCaption(before, ButtonState::Hover);
  const bool command = button == gui::kLeftButton && onBox(m_box, x, y);
  if (m_setup.kind == ButtonKind::Round) {
    if (command && onCommand) onCommand();
    return m_behaviour->rest();
  }
  if (command && onCommand) onCommand();
  drawCaption(before, ButtonState::Rest);
  m_behaviour->stopTracking();
}

}  // namespace skin

#pragma once
// The system-drawn buttons: a command button (a raised face with its caption
// in the middle), a check box and an option button (a square or round mark
// with the caption beside it). Each is a window of its own; its face is the
// back colour, so a face painted in a key colour can be cut away.
#include <string>

#include "gui/element.h"

namespace gui {

class Button : public Element {
 public:
  // kind: CommandButton, CheckBox or OptionButton.
  Button(std::string name, ElementKind kind = ElementKind::CommandButton);

  const std::u16string& caption() const { return m_caption; }
  void setCaption(std::u16string c);
  Color backColor() const { return m_backColor; }
  void setBackColor(Color c);
  // Presents the button as it is now.
  void refresh() { invalidate(); }

  // What the button's window shows, frame included, in its own pixels.
  Surface face(TextService& text) const;
  void paint(Surface& out, TextService& text, const Region& clip) const override;

 private:
  void drawMark(Surface& s) const;

  std::u16string m_caption;
  Color m_backColor = Color::rgb(240, 240, 240);
  FontSpec m_font{u"Arial", 238, 8.25, false};
};

}  // namespace gui

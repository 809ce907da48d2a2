#include "skin/window_table.h"

#include <stdexcept>
#include <string>

namespace skin {

gui::Form& buildControls(gui::Form& form, std::span<const ControlRow> rows) {
  for (const ControlRow& row : rows) {
    if (row.kind == ControlKind::KeyBox) {
      auto& box = form.add<gui::TextBox>(std::string(row.name));
      box.setTakesFocus(true);
      if (row.maxLength > 0) box.setMaxLength(row.maxLength);
      box.setBounds(row.rect);
      box.setVisible(row.shown);
    } else {
      auto& picture = form.add<gui::PictureBox>(std::string(row.name));
      picture.setBounds(row.rect);
      if (row.color) {
        picture.setBackColor(*row.color);
        picture.cls();
      }
      picture.setVisible(row.shown);
    }
  }
  return form;
}

gui::Element& findControl(const gui::Form& form, std::string_view name) {
  gui::Element* e = form.find(name);
  if (!e) throw std::logic_error("the window has no control " + std::string(name));
  return *e;
}

}  // namespace skin

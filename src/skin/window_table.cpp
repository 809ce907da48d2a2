#include "skin/window_table.h"

#include <stdexcept>
#include <string>

namespace skin {

namespace {

gui::Element& make(gui::Container& parent, const ControlRow& row) {
  std::string name(row.name);
  switch (row.kind) {
    case ControlKind::KeyBox: {
      auto& box = parent.add<gui::TextBox>(std::move(name));
      box.setTakesFocus(true);
      if (row.maxLength > 0) box.setMaxLength(row.maxLength);
      return box;
    }
    case ControlKind::Picture: return parent.add<gui::PictureBox>(std::move(name));
    case ControlKind::Label: return parent.add<gui::Label>(std::move(name));
    case ControlKind::Host: return parent.add<gui::Host>(std::move(name));
    case ControlKind::LineEdit: return parent.add<gui::EditBox>(std::move(name));
    case ControlKind::Custom: return row.make(parent, std::move(name));
  }
  throw std::logic_error("a control of no kind");
}

}  // namespace

gui::Form& buildControls(gui::Form& form, std::span<const ControlRow> rows) {
  for (const ControlRow& row : rows) {
    gui::Container& parent = row.parent.empty() ? static_cast<gui::Container&>(form) : findControl(form, row.parent);
    gui::Element& e = make(parent, row);
    if (row.rect.w > 0 || row.rect.h > 0) e.setBounds(row.rect);
    if (auto* picture = dynamic_cast<gui::PictureBox*>(&e); picture && row.color) {
      picture->setBackColor(*row.color);
      picture->cls();
    }
    if (!row.shown) e.setVisible(false);
  }
  return form;
}

gui::Element& findControl(const gui::Form& form, std::string_view name) {
  gui::Element* e = form.find(name);
  if (!e) throw std::logic_error("the window has no control " + std::string(name));
  return *e;
}

}  // namespace skin

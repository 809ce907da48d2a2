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

gui::AccNode describeControl(const gui::Element& e, gui::AccRole role, std::u16string name) {
  gui::AccNode node = gui::accNode(role, std::move(name), e.formRect(), &e);
  if (e.takesFocus()) node.state |= gui::kAccFocusable;
  if (e.hasFocus()) node.state |= gui::kAccFocused;
  if (!e.enabled()) node.state |= gui::kAccUnavailable;
  return node;
}

void describeControls(const gui::Form& form, std::span<const AccessRow> rows, gui::AccNode& into) {
  for (const AccessRow& row : rows) {
    const gui::Element* e = form.find(row.control);
    if (!e || !e->shown()) continue;
    into.add(describeControl(*e, row.role, row.name.empty() ? e->toolTip() : std::u16string(row.name)));
  }
}

namespace {
std::u16string trimmed(std::u16string text) {
  while (!text.empty() && text.back() == u' ') text.pop_back();
  while (!text.empty() && text.front() == u' ') text.erase(text.begin());
  return text;
}
}  // namespace

gui::AccNode describeMenu(const gui::Element& menu, std::u16string name) {
  gui::AccNode node = describeControl(menu, gui::AccRole::MenuPopup, std::move(name));
  for (const auto& child : menu.children()) {
    if (!child->visible()) continue;
    std::u16string itemName = child->toolTip();
    if (const auto* label = dynamic_cast<const gui::Label*>(child.get()); label && itemName.empty())
      itemName = label->text();
    itemName = trimmed(std::move(itemName));
    if (!itemName.empty()) node.add(describeControl(*child, gui::AccRole::MenuItem, std::move(itemName)));
  }
  return node;
}

gui::AccNode* nodeOf(gui::AccNode& root, const gui::Element& e) {
  if (root.element == &e) return &root;
  for (gui::AccNode& child : root.children)
    if (gui::AccNode* found = nodeOf(child, e)) return found;
  return nullptr;
}

}  // namespace skin

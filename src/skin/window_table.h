#pragma once
// A window described as data: each of its controls as one row with the name
// it goes by, its kind, its rectangle in the window's pixels and how it
// starts. One builder makes the controls of such a table on a form, so that
// what a window holds and where it lies is read in one place.
#include <optional>
#include <span>
#include <string_view>

#include "gui/form.h"

namespace skin {

enum class ControlKind {
  Picture,  // a picture box, filled with its colour when it has one
  KeyBox,   // a text box kept out of sight that takes the keys
};

struct ControlRow {
  std::string_view name;
  ControlKind kind;
  gui::Rect rect;
  bool shown = true;
  std::optional<base::Color> color;  // a picture's fill
  int maxLength = 0;                 // a key box's limit; 0: none
};

// Makes every row's control on the form, in table order: a later row lies
// above the earlier ones. Answers the form, for the first look-up.
gui::Form& buildControls(gui::Form& form, std::span<const ControlRow> rows);

// A control the table made, by its name.
gui::Element& findControl(const gui::Form& form, std::string_view name);
template <class T>
T& control(const gui::Form& form, std::string_view name) {
  return dynamic_cast<T&>(findControl(form, name));
}

}  // namespace skin

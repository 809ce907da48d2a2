#pragma once
// A window described as data: each of its controls as one row with the name
// it goes by, its kind, its rectangle in the window's pixels and how it
// starts. One builder makes the controls of such a table on a form, so that
// what a window holds and where it lies is read in one place.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gui/form.h"

namespace skin {

enum class ControlKind {
  Picture,  // a picture box, filled with its colour when it has one
  KeyBox,   // a text box kept out of sight that takes the keys
  Label,    // a line of text
  Host,     // the place of a native editor the platform makes later
  LineEdit, // the place of a native one-line text field the platform makes later
  Custom,   // a control of the program's own, made by the row's `make`
};

struct ControlRow {
  std::string_view name;
  ControlKind kind;
  gui::Rect rect;  // empty: the window's layout places it
  bool shown = true;
  std::optional<base::Color> color = {};  // a picture's fill
  int maxLength = 0;                 // a key box's limit; 0: none
  std::string_view parent = "";      // the control it lies in; "": the window
  gui::Element& (*make)(gui::Container& parent, std::string name) = nullptr;  // a Custom row's
};

// A Custom row's maker for a control class T.
template <class T>
gui::Element& makeControl(gui::Container& parent, std::string name) {
  return parent.add<T>(std::move(name));
}

// Makes every row's control on the form, in table order: a later row lies
// above the earlier ones. Answers the form, for the first look-up.
gui::Form& buildControls(gui::Form& form, std::span<const ControlRow> rows);

// A control the table made, by its name.
gui::Element& findControl(const gui::Form& form, std::string_view name);
template <class T>
T& control(const gui::Form& form, std::string_view name) {
  return dynamic_cast<T&>(findControl(form, name));
}

// What a screen reader is told of a window's controls, beside its table:
// the role each plays and its name (empty: the control's tip). A row whose
// control is not shown tells nothing.
struct AccessRow {
  std::string_view control;
  gui::AccRole role;
  std::u16string_view name = u"";
};

// A node for one control: its role and name, its place on the form, and
// whether it can take the keys and has them.
gui::AccNode describeControl(const gui::Element& e, gui::AccRole role, std::u16string name);
// A node for each row whose control is shown, added to `into` in the rows' order.
void describeControls(const gui::Form& form, std::span<const AccessRow> rows, gui::AccNode& into);
// An open menu panel: each shown item in it that has a tip or a text, as a
// menu item named by it.
gui::AccNode describeMenu(const gui::Element& menu, std::u16string name);
// The node standing for the control, anywhere under `root`; nullptr: none.
gui::AccNode* nodeOf(gui::AccNode& root, const gui::Element& e);

}  // namespace skin

#pragma once
// What a screen reader learns of a window: a tree of nodes, each with its
// role, name, state, value and place. Every window describes itself afresh
// when asked (Form::describe), so the tree always says what the screen
// shows; the platform serves it to the system's accessibility layer and
// tells that layer what changed between two descriptions.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace gui {
using base::Rect;
}

namespace gui {

class Element;

// The roles the diary's controls play.
enum class AccRole {
  Window,      // the window itself, the root
  TitleBar,    // the strip with the title
  ToolBar,     // the formatting buttons together
  PushButton,  // a button that does one thing, or a toggle (pressed while on)
  MenuButton,  // a button that opens a menu
  MenuPopup,   // an open menu
  MenuItem,
  List,        // the day list
  ListItem,
  ComboBox,    // the year and month boxes
  Text,        // a text field (the editor, the password fields, the search field)
  StaticText,  // a line of text the program writes (the search's count)
  Clock,       // the mini clock
};

// State bits; a node without any is an ordinary, enabled, shown control.
enum AccState : uint32_t {
  kAccPressed = 1u << 0,
  kAccSelected = 1u << 1,
  kAccFocused = 1u << 2,
  kAccFocusable = 1u << 3,
  kAccSelectable = 1u << 4,
  kAccProtected = 1u << 5,  // a password: its value is never told
  kAccReadOnly = 1u << 6,
  kAccUnavailable = 1u << 7,
  kAccExpanded = 1u << 8,
  kAccCollapsed = 1u << 9,
  kAccHasPopup = 1u << 10,
  kAccChecked = 1u << 11,
};

struct AccNode {
  AccRole role = AccRole::Window;
  std::u16string name;
  uint32_t state = 0;
  std::u16string value;
  Rect location;  // in the window's client pixels
  // The control the node stands for: what the keyboard focus and the
  // changes between two descriptions are matched by. nullptr: none.
  const Element* element = nullptr;
  // What a screen reader's "do the default action" does (a button pressed,
  // a menu opened, an item chosen); unset: the node has none.
  std::function<void()> doDefault;
  std::vector<AccNode> children;

  AccNode& add(AccNode child) {
    children.push_back(std::move(child));
    return children.back();
  }
};

inline AccNode accNode(AccRole role, std::u16string name, Rect location, const Element* element = nullptr) {
  AccNode node;
  node.role = role;
  node.name = std::move(name);
  node.location = location;
  node.element = element;
  return node;
}

// The changes a screen reader is told of.
enum class AccEvent { Focus, Selection, StateChange, MenuStart, MenuEnd, ValueChange, NameChange };

// Nodes are numbered depth first, the root 0, its first child 1 and so on:
// the number an event names its node by.
int accCount(const AccNode& root);  // the root included
const AccNode* accNodeAt(const AccNode& root, int id);
// The number of the (first) node standing for the element; -1 when none does.
int accIdOf(const AccNode& root, const Element* element);
// The node that has the keys; -1 when none does.
int accFocusId(const AccNode& root);

struct AccChange {
  AccEvent event;
  int id;  // in `after`
};
// What changed from one description of a window to the next, node by node
// as matched by their controls: the focus moving, a row or item becoming
// selected, a toggle or a box opening or closing, a menu appearing or
// going, a value or a name changing.
std::vector<AccChange> accChanges(const AccNode& before, const AccNode& after);

}  // namespace gui

#include "gui/accessible.h"

#include <map>

namespace gui {
namespace {

void number(const AccNode& node, std::vector<const AccNode*>& out) {
  out.push_back(&node);
  for (const AccNode& child : node.children) number(child, out);
}

std::vector<const AccNode*> numbered(const AccNode& root) {
  std::vector<const AccNode*> all;
  number(root, all);
  return all;
}

// The states whose change is news of its own: a toggle, a box opening.
constexpr uint32_t kToldStates = kAccPressed | kAccChecked | kAccExpanded | kAccCollapsed | kAccUnavailable;

}  // namespace

int accCount(const AccNode& root) { return static_cast<int>(numbered(root).size()); }

const AccNode* accNodeAt(const AccNode& root, int id) {
  const auto all = numbered(root);
  return id >= 0 && id < static_cast<int>(all.size()) ? all[id] : nullptr;
}

int accIdOf(const AccNode& root, const Element* element) {
  if (!element) return -1;
  const auto all = numbered(root);
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i]->element == element) return static_cast<int>(i);
  return -1;
}

int accFocusId(const AccNode& root) {
  const auto all = numbered(root);
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i]->state & kAccFocused) return static_cast<int>(i);
  return -1;
}

std::vector<AccChange> accChanges(const AccNode& before, const AccNode& after) {
  std::map<const Element*, const AccNode*> old;
  for (const AccNode* n : numbered(before))
    if (n->element) old.emplace(n->element, n);
  std::vector<AccChange> changes;
  std::map<const Element*, bool> seen;
  const auto now = numbered(after);
  for (size_t i = 0; i < now.size(); ++i) {
    const AccNode& n = *now[i];
    const int id = static_cast<int>(i);
    if (!n.element) continue;
    seen[n.element] = true;
    const auto it = old.find(n.element);
    const AccNode* was = it == old.end() ? nullptr : it->second;
    if (n.role == AccRole::MenuPopup && !was) changes.push_back({AccEvent::MenuStart, id});
    if (!was) {
      if (n.state & kAccSelected) changes.push_back({AccEvent::Selection, id});
      continue;
    }
    if ((n.state & kAccSelected) && !(was->state & kAccSelected)) changes.push_back({AccEvent::Selection, id});
    if ((n.state & kToldStates) != (was->state & kToldStates)) changes.push_back({AccEvent::StateChange, id});
    if (n.value != was->value && !(n.state & kAccProtected)) changes.push_back({AccEvent::ValueChange, id});
    if (n.name != was->name) changes.push_back({AccEvent::NameChange, id});
  }
  // A menu gone from the window is told against the window itself.
  for (const AccNode* n : numbered(before))
    if (n->role == AccRole::MenuPopup && n->element && !seen.count(n->element))
      changes.push_back({AccEvent::MenuEnd, 0});
  const int focus = accFocusId(after);
  const int wasFocus = accFocusId(before);
  const AccNode* f = accNodeAt(after, focus);
  const AccNode* wf = accNodeAt(before, wasFocus);
  if (f && (!wf || wf->element != f->element)) changes.push_back({AccEvent::Focus, focus});
  return changes;
}

}  // namespace gui

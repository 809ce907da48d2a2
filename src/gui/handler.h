#pragma once
// Runs an event handler, when there is one, through a copy of it: the
// handler may replace itself or destroy its owner while it runs.
#include <utility>

namespace gui {

template <class Handler, class... Args>
void call(const Handler& h, Args&&... args) {
  if (!h) return;
  Handler copy = h;
  copy(std::forward<Args>(args)...);
}

}  // namespace gui

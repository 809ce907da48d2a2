#include "shape/key_runs.h"

#include <algorithm>

namespace shape {

gui::Region withoutRuns(gui::Rect base, std::span<const KeyRun> runs) {
  gui::Region out;
  if (base.empty()) return out;
  size_t next = 0;
  std::vector<gui::Region::Span> spans;
  for (int y = base.y; y < base.bottom(); ++y) {
    while (next < runs.size() && runs[next].y < y) ++next;
    spans.clear();
    int from = base.x;
    for (; next < runs.size() && runs[next].y == y; ++next) {
      const int cutFrom = std::max(runs[next].first, base.x);
      const int cutTo = std::min(runs[next].last + 1, base.right());
      if (cutTo <= cutFrom) continue;
      if (cutFrom > from) spans.push_back({from, cutFrom});
      from = std::max(from, cutTo);
    }
    if (from < base.right()) spans.push_back({from, base.right()});
    if (!spans.empty()) out.appendBand(y, y + 1, spans);
  }
  return out;
}

}  // namespace shape

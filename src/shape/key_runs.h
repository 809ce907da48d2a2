#pragma once
// Runs of key-colour pixels, the raw material of every shape cut from a
// picture: one run per stretch of key pixels within a row (never across
// rows), so a picture with large key areas yields few of them.
#include <span>
#include <vector>

#include "gui/region.h"

namespace shape {

struct KeyRun {
  int y = 0;
  int first = 0, last = 0;  // columns, both inclusive
  friend bool operator==(const KeyRun&, const KeyRun&) = default;
};

// The runs of a w × h picture, top to bottom and left to right; isKey(x, y)
// says whether a pixel has the key colour.
template <class IsKey>
std::vector<KeyRun> findKeyRuns(int w, int h, IsKey isKey) {
  std::vector<KeyRun> runs;
  for (int y = 0; y < h; ++y) {
    int start = -1;
    for (int x = 0; x < w; ++x) {
      if (isKey(x, y)) {
        if (start < 0) start = x;
      } else if (start >= 0) {
        runs.push_back({y, start, x - 1});
        start = -1;
      }
    }
    if (start >= 0) runs.push_back({y, start, w - 1});  // the last column closes the run
  }
  return runs;
}

// `base` with every run cut out. Built row by row, so the cost grows with
// the rows and runs, not with their product.
gui::Region withoutRuns(gui::Rect base, std::span<const KeyRun> runs);

}  // namespace shape

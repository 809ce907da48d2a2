#pragma once
// What both rich-text readers (readRtf and the text scanner) count beside
// their stacks of group states, so that they agree on what is text: groups
// opened past kMaxDepth, skipped whole with everything inside them, and the
// fallback characters after \uN still to be swallowed.
#include <cstddef>

#include "rtf/reader.h"

namespace rtf {

class GroupLimits {
 public:
  // A brace opens a group inside `depth` kept ones: true when its state is
  // to be kept, false when it lies past the limit.
  bool open(size_t depth) {
    m_fallback = 0;
    if (m_overflow > 0 || depth >= static_cast<size_t>(kMaxDepth)) {
      ++m_overflow;
      return false;
    }
    return true;
  }

  // A brace closes a group: true when it is a kept one (its enclosing state
  // comes back), false when it was past the limit.
  bool close() {
    m_fallback = 0;
    if (m_overflow > 0) {
      --m_overflow;
      return false;
    }
    return true;
  }

  bool pastLimit() const { return m_overflow > 0; }

  // After \uN: the next `count` characters stand in for it.
  void expectFallback(int count) { m_fallback = count; }

  // True (and one fewer to come) when the next character is such a fallback.
  bool consumedAsFallback() {
    if (m_fallback == 0) return false;
    --m_fallback;
    return true;
  }

 private:
  int m_overflow = 0;
  int m_fallback = 0;
};

}  // namespace rtf

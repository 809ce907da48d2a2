#pragma once
// Small numeric helpers shared across the program.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace base {

// A decimal whole number that is the whole text (a leading minus allowed);
// nothing for any other text, the empty one included.
inline std::optional<int> wholeNumber(std::string_view s) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// To the nearest whole number, halves to even as the system's rounding does.
inline int roundToInt(double v) { return static_cast<int>(std::nearbyint(v)); }

// The start of a span of `length` moved the least distance to lie between
// `low` and `high`; flush with `low` when it does not fit.
inline int clampSpan(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace base

#include "app/placement.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace app {
namespace {

// Window coordinates of the window system are 16-bit wide in places.
constexpr double kLargestCoordinate = 32767;

std::optional<int> toPixels(const std::optional<double>& twips, int twipsPerPixel) {
  if (!twips || !std::isfinite(*twips) || twipsPerPixel <= 0) return std::nullopt;
  const double pixels = std::nearbyint(*twips / twipsPerPixel);
  if (std::fabs(pixels) > kLargestCoordinate) return std::nullopt;
  return static_cast<int>(pixels);
}

// The start of a span of `length` moved the least distance to lie within
// [from, from + room); the start of the room when it does not fit.
int within(int start, int length, int from, int room) { return std::max(from, std::min(start, from + room - length)); }

}  // namespace

gui::Rect openingBounds(const store::Settings& settings, gui::Size size, const gui::Platform& platform) {
  const gui::Rect main = platform.workArea();
  const int x = toPixels(settings.left, platform.twipsPerPixelX()).value_or(main.x + (main.w - size.width) / 2);
  const int y = toPixels(settings.top, platform.twipsPerPixelY()).value_or(main.y + (main.h - size.height) / 2);
  const gui::Rect wanted{x, y, size.width, size.height};
  const gui::Rect area = platform.workAreaNearest(wanted);
  return {within(x, size.width, area.x, area.w), within(y, size.height, area.y, area.h), size.width, size.height};
}

}  // namespace app

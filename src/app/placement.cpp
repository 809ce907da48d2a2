#include "app/placement.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/number.h"

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

}  // namespace

gui::Rect openingBounds(const store::Settings& settings, gui::Size size, const gui::Platform& platform) {
  const gui::Rect main = platform.workArea();
  const int x = toPixels(settings.left, platform.twipsPerPixelX()).value_or(main.x + (main.w - size.width) / 2);
  const int y = toPixels(settings.top, platform.twipsPerPixelY()).value_or(main.y + (main.h - size.height) / 2);
  const gui::Rect wanted{x, y, size.width, size.height};
  const gui::Rect area = platform.workAreaNearest(wanted);
  return {base::clampSpan(x, size.width, area.x, area.right()), base::clampSpan(y, size.height, area.y, area.bottom()),
          size.width, size.height};
}

}  // namespace app

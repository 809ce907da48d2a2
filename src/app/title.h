#pragma once
#include <string>

#include "base/date.h"

namespace app {

// "Pisarion (ponedeljek, 07. december 2026)": the taskbar button's text and
// the title strip's, UTF-8.
std::string windowTitle(const base::Date& today);

}  // namespace app

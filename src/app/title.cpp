#include "app/title.h"

namespace app {

std::string windowTitle(const base::Date& today) {
  const std::string key = base::dateKey(today);
  return "Pisarion (" + base::weekdayName(base::weekday(today)) + ", " + base::keyDay(key) + ". " +
         base::monthName(today.month) + " " + base::keyYear(key) + ")";
}

}  // namespace app

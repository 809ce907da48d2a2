#pragma once
// A day as it is printed: the heading the export gives it, an empty line,
// then the day's own paragraphs with their formatting.
#include <string>
#include <string_view>

#include "base/date.h"

namespace exporting {

// Rich text in, rich text out (what the editor writes, whatever its damage:
// the reader keeps what it can read, as the export does).
std::string printableDay(const base::Date& date, std::string_view richText);

}  // namespace exporting

#pragma once
// What the diary tells the user after an export, in Slovenian.
#include <string>

#include "export/exporter.h"

namespace exporting {

// Where the file went and how many days it holds, what was left out and
// which days were damaged; or why nothing was written.
std::u16string describe(const Outcome& outcome);

// "1 dan", "2 dneva", "3 dnevi", "5 dni" with the verb that goes with it.
std::string daysSentence(int days);

}  // namespace exporting

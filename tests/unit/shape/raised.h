#pragma once
// What a call raises, as "number text" (with the source before the text when
// there is one); "" when it raises nothing.
#include <string>

#include "shape/error.h"

template <class F>
std::string raised(F&& f) {
  try {
    f();
  } catch (const shape::Error& e) {
    return std::to_string(e.number()) + " " + (e.source().empty() ? "" : e.source() + ": ") + e.description();
  }
  return "";
}

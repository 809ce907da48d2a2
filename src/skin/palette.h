#pragma once
// The theme's colours, for anything the program paints itself around the
// skin: window backgrounds, the caret, the lists' rows, lines and texts.
#include "base/geometry.h"

namespace skin {

inline constexpr base::Color kDeepBlue = base::Color::rgb(70, 109, 167);    // buttons, lines, chosen text
inline constexpr base::Color kTextBlue = base::Color::rgb(18, 66, 105);     // row text
inline constexpr base::Color kLightBlue = base::Color::rgb(183, 226, 250);  // track and highlight fill
inline constexpr base::Color kPaleBlue = base::Color::rgb(233, 245, 254);   // a list's own background
// The main window's own background between the skinned pieces.
inline constexpr base::Color kBodyColor = kPaleBlue;
// A list's chosen row text: 5.8 : 1 on the highlight, where the lines' blue is 3.8 : 1.
inline constexpr base::Color kChosenText = base::Color::rgb(40, 80, 140);
// A list's row under the pointer: paler than the highlight, bluer than a Saturday.
inline constexpr base::Color kPointedRow = base::Color::rgb(208, 234, 252);

}  // namespace skin

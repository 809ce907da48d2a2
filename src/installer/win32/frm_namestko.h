#pragma once
// Namestko's one window: the question and the folder box, then the progress
// bar while the diary is installed, then the final message.
#include <windows.h>

#include <optional>
#include <string>

namespace installer {

// Shows the window and runs it until the installation has ended or the user
// said no; the exit code is 0 when the diary was installed. With `folder`
// (a copy started with administrator rights) the window installs into it at
// once, as if Da had been pressed.
int runSetupWindow(HINSTANCE instance, int show, const std::optional<std::wstring>& folder);

}  // namespace installer

#pragma once
// The diary's two ways out into a file of the user's: Ctrl+E in the main
// window, through the Save As dialog, and Pisarion.exe /izvoz <file>.
#include <filesystem>

#include "gui/form.h"

namespace app {

class Pisarion;

// Asks where with the Save As dialog (a web page, rich text or plain text;
// "Pisarion.html" proposed), asks before a file of that name is replaced,
// writes the whole diary there and says where it went and how many days it
// holds, or why it could not.
void exportWithDialog(Pisarion& app, gui::Form& owner);

// Writes the whole diary into the file, its kind chosen by its extension,
// and says where it went, or why not. True when written.
bool exportToFile(Pisarion& app, const std::filesystem::path& file);

}  // namespace app

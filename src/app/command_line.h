#pragma once
// What Pisarion.exe is asked to do by its command line: open the diary (no
// arguments, or arguments it does not know), or export the diary into a file
// and end ("/izvoz <file>").
#include <filesystem>
#include <string>
#include <vector>

namespace app {

struct CommandLine {
  enum class Mode { Diary, Export, Usage };  // Usage: /izvoz without a file
  Mode mode = Mode::Diary;
  std::filesystem::path exportFile;
};

// The program's arguments, without its own name.
CommandLine parseCommandLine(const std::vector<std::u16string>& args);

inline constexpr char16_t kUsage[] = u"Izvoz dnevnika v datoteko:\r\n\r\nPisarion.exe /izvoz <datoteka.html | .rtf | .txt>";

}  // namespace app

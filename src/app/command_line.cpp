#include "app/command_line.h"

#include <algorithm>

#include "base/cp1250.h"

namespace app {
namespace {

bool isExportSwitch(std::u16string arg) {
  std::transform(arg.begin(), arg.end(), arg.begin(), [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; });
  return arg == u"/izvoz" || arg == u"-izvoz";
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::u16string>& args) {
  CommandLine command;
  if (args.empty() || !isExportSwitch(args[0])) return command;
  if (args.size() < 2 || args[1].empty()) {
    command.mode = CommandLine::Mode::Usage;
    return command;
  }
  command.mode = CommandLine::Mode::Export;
  command.exportFile = std::filesystem::path(base::toWide(args[1]));
  return command;
}

}  // namespace app

#include "app/folders.h"

#include <system_error>

#include "store/file_io.h"
#include "store/listing.h"

namespace app {

namespace fs = std::filesystem;

bool isWritableFolder(const fs::path& folder) {
  const fs::path probe = folder / "~Pisarion-write-test.tmp";
  if (!store::writeFilePlain(probe, "")) return false;
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

fs::path chooseDiaryFolder(const fs::path& programFolder, const std::function<fs::path()>& perUserFolder) {
  return isWritableFolder(programFolder) ? programFolder : perUserFolder();
}

namespace {

// Copies a file that is there and not yet at `to`; false when that failed.
bool copyOnce(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::symlink_status(from, ec).type() == fs::file_type::not_found || fs::exists(to, ec)) return true;
  auto bytes = store::readFile(from);
  return bytes && store::writeFileAtomic(to, *bytes, to.parent_path() / "~Pisarion-copy.tmp");
}

}  // namespace

Carry carryToUserFolder(const fs::path& programFolder, const fs::path& perUserFolder) {
  const fs::path from = programFolder / "Podatki", to = perUserFolder / "Podatki";
  std::error_code ec;
  // The data folder in the per-user folder is the mark that the move is done.
  if (fs::exists(to, ec)) return Carry::AlreadyThere;
  fs::create_directories(perUserFolder, ec);
  bool whole = copyOnce(programFolder / "Podatki.ini", perUserFolder / "Podatki.ini");
  auto names = store::listOrdinaryFiles(from);
  if (!names && fs::symlink_status(from, ec).type() != fs::file_type::not_found) whole = false;
  fs::create_directories(to, ec);
  if (names)
    for (const std::string& name : *names) {
      const fs::path file(std::u8string(name.begin(), name.end()));
      whole = copyOnce(from / file, to / file) && whole;
    }
  return whole ? Carry::Moved : Carry::MovedInPart;
}

}  // namespace app

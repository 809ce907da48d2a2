#include "app/folders.h"

#include <system_error>

#include "store/file_io.h"

namespace app {

namespace fs = std::filesystem;

bool isWritableFolder(const fs::path& folder) {
  const fs::path probe = folder / "~Pisarion-write-test.tmp";
  if (!store::writeFilePlain(probe, "")) return false;
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

fs::path chooseDiaryFolder(const fs::path& programFolder, const fs::path& perUserFolder) {
  if (isWritableFolder(programFolder)) return programFolder;
  std::error_code ec;
  fs::create_directories(perUserFolder, ec);
  const fs::path settings = perUserFolder / "Podatki.ini";
  if (!fs::exists(settings, ec) && fs::exists(programFolder / "Podatki.ini", ec))
    fs::copy_file(programFolder / "Podatki.ini", settings, ec);
  return perUserFolder;
}

}  // namespace app

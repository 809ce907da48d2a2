#include "app/folders.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>

#include "store/file_io.h"
#include "store/listing.h"

namespace app {

namespace fs = std::filesystem;

namespace {

constexpr char kDecisionHeading[] = "Pisarion hrani v tej mapi dnevnik programa iz naslednjih map:";

std::string lineOf(const fs::path& folder) {
  const std::u8string u8 = folder.lexically_normal().u8string();
  return {u8.begin(), u8.end()};
}

// Windows compares paths without regard to letter case.
bool sameFolderText(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool remembers(const fs::path& folder, const fs::path& programFolder) {
  const auto bytes = store::readFile(folder / kDecisionFile, 1 << 20);
  if (!bytes) return false;
  const std::string program = lineOf(programFolder);
  for (const std::string& line : store::splitLines(*bytes))
    if (sameFolderText(line, program)) return true;
  return false;
}

// Adds the program folder to the decision file of `folder`; false when the
// folder cannot be written.
bool remember(const fs::path& folder, const fs::path& programFolder) {
  store::Lines lines{kDecisionHeading};
  if (auto bytes = store::readFile(folder / kDecisionFile, 1 << 20)) {
    lines = store::splitLines(*bytes);
    if (lines.empty()) lines.push_back(kDecisionHeading);
  }
  lines.push_back(lineOf(programFolder));
  return store::writeFileAtomic(folder / kDecisionFile, store::joinLines(lines), folder / "~Pisarion-mapa.tmp");
}

// The write tried again a few times: a file held for a moment by another
// program is not a folder that cannot be written.
bool rememberWithPatience(const fs::path& folder, const fs::path& programFolder) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (remember(folder, programFolder)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace

fs::path chooseDiaryFolder(const fs::path& programFolder, const std::function<fs::path()>& perUserFolder) {
  if (remembers(programFolder, programFolder)) return programFolder;
  const fs::path user = perUserFolder();
  if (!user.empty() && remembers(user, programFolder)) return user;
  if (rememberWithPatience(programFolder, programFolder) || user.empty()) return programFolder;
  std::error_code ec;
  fs::create_directories(user, ec);
  remember(user, programFolder);  // when even that fails, the next start decides again
  return user;
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

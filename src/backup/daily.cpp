#include "backup/daily.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

#include "store/file_io.h"
#include "store/listing.h"

namespace backup {
namespace {

// "YYYY-MM-DD.zip": the only files of the backup folder this program ever
// removes are archives it named itself.
bool isArchiveName(const std::string& name) {
  static const char kShape[] = "dddd-dd-dd.zip";
  if (name.size() != sizeof kShape - 1) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (kShape[i] == 'd' ? !digit : name[i] != kShape[i]) return false;
  }
  return true;
}

std::string utf8Name(const fs::path& p) {
  const std::u8string u8 = p.filename().u8string();
  return {u8.begin(), u8.end()};
}

bool missing(const fs::path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() == fs::file_type::not_found;
}

// The ordinary files of the data folder, in name order; nothing when the
// folder cannot be listed (a partial archive must not pass for the day's
// backup).
std::optional<std::vector<fs::path>> dataFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  if (missing(folder)) return files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_regular_file(typeEc) && !store::isTemporaryName(utf8Name(it->path()))) files.push_back(it->path());
  }
  if (ec) return std::nullopt;
  std::sort(files.begin(), files.end());
  return files;
}

enum class Added { Yes, Gone, Failed, Stopped };

// One file into the archive, a piece at a time. A file that went between the
// listing and its reading is left out, as it would be from a later listing.
Added addFile(ZipWriter& zip, const fs::path& file, const std::string& name, const BackupOptions& options) {
  store::SharedReader reader(file);
  if (!reader.isOpen()) return missing(file) ? Added::Gone : Added::Failed;
  if (!zip.begin(name)) return Added::Failed;
  std::string buf(1 << 16, '\0');
  for (;;) {
    if (options.stop && *options.stop) return Added::Stopped;
    const std::optional<size_t> n = reader.read(buf.data(), buf.size());
    if (!n) return Added::Failed;
    if (*n == 0) break;
    if (!zip.write(std::string_view(buf.data(), *n))) return Added::Failed;
  }
  return zip.end() ? Added::Yes : Added::Failed;
}

// Every file into the archive; the outcome when it did not get through.
std::optional<Outcome> addAll(ZipWriter& zip, const DiaryFiles& files, const std::vector<fs::path>& entries,
                              const BackupOptions& options) {
  std::vector<std::pair<fs::path, std::string>> members;
  if (!missing(files.settingsFile)) members.emplace_back(files.settingsFile, utf8Name(files.settingsFile));
  if (!files.keyFile.empty() && !missing(files.keyFile)) members.emplace_back(files.keyFile, utf8Name(files.keyFile));
  const std::string prefix = utf8Name(files.dataFolder) + "/";
  for (const fs::path& f : entries) members.emplace_back(f, prefix + utf8Name(f));
  for (const auto& [file, name] : members) {
    switch (addFile(zip, file, name, options)) {
      case Added::Yes:
      case Added::Gone: break;
      case Added::Failed: return Outcome::Failed;
      case Added::Stopped: return Outcome::Stopped;
    }
  }
  if (!zip.finish()) return Outcome::Failed;
  return std::nullopt;
}

void removeIfFile(const fs::path& p) {
  std::error_code ec;
  if (fs::symlink_status(p, ec).type() == fs::file_type::regular) fs::remove(p, ec);
}

}  // namespace

std::string archiveName(const base::Date& day) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d.zip", day.year, day.month, day.day);
  return buf;
}

namespace {

Outcome writeArchive(const DiaryFiles& files, const base::DateTime& now, const BackupOptions& options) {
  const std::string name = archiveName(now.date);
  const fs::path archive = files.backupFolder / name;
  std::error_code ec;
  const auto entries = dataFiles(files.dataFolder);
  if (!entries) return Outcome::Failed;
  if (entries->empty() && missing(files.settingsFile)) return Outcome::NothingToKeep;
  fs::create_directories(files.backupFolder, ec);
  const fs::path temp = files.backupFolder / ("~" + name + ".tmp");
  std::optional<Outcome> cut;
  {
    store::DurableWriter out(temp);
    if (!out.isOpen()) return Outcome::Failed;
    ZipWriter zip(now, [&out](std::string_view bytes) { return out.write(bytes); }, options.limits);
    cut = addAll(zip, files, *entries, options);
    if (!cut && !out.finish()) cut = Outcome::Failed;
  }
  if (cut || !store::replaceFileDurably(temp, archive)) {
    removeIfFile(temp);
    return cut.value_or(Outcome::Failed);
  }
  keepNewest(files.backupFolder, now.date, options.keep);
  return Outcome::Made;
}

}  // namespace

Outcome makeDailyBackup(const DiaryFiles& files, const base::DateTime& now, const BackupOptions& options) {
  std::error_code ec;
  if (fs::exists(files.backupFolder / archiveName(now.date), ec)) return Outcome::AlreadyMade;
  return writeArchive(files, now, options);
}

Outcome replaceArchives(const DiaryFiles& files, const base::DateTime& now) {
  BackupOptions options;
  options.keep = 1;
  return writeArchive(files, now, options);
}

void keepNewest(const fs::path& folder, const base::Date& today, int keep) {
  const std::string todays = archiveName(today);
  std::vector<std::string> names;
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    const std::string name = utf8Name(it->path());
    if (!it->is_regular_file(typeEc)) continue;
    // The names sort as their dates do.
    if (isArchiveName(name) && name <= todays) names.push_back(name);
    else if (store::isTemporaryName(name) && name != "~" + todays + ".tmp") leftovers.push_back(it->path());
  }
  for (const fs::path& p : leftovers) fs::remove(p, ec);  // a crash while writing one
  std::sort(names.begin(), names.end(), std::greater<>());
  for (size_t i = static_cast<size_t>(std::max(keep, 1)); i < names.size(); ++i)
    if (names[i] != todays) fs::remove(folder / fs::path(std::u8string(names[i].begin(), names[i].end())), ec);
}

}  // namespace backup

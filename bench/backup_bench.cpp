// The day's backup of ten years of entries against the least any backup of
// them costs: reading every file and writing their bytes, one after the
// other, durably into one file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "backup/daily.h"
#include "base/date.h"
#include "store/file_io.h"

namespace fs = std::filesystem;

namespace {

// `days` entries of about 2 KB of encoded rich text, and a settings file.
struct DiaryFolder {
  fs::path path;
  explicit DiaryFolder(int days) : path(fs::temp_directory_path() / ("pisarion-backup-bench-" + std::to_string(getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path / "Podatki");
    std::string entry;
    while (entry.size() < 2048) entry += "\xFB\xF2\xF4\xE6\xB1 \xC4\xE1\xEE\xE5\xF3 \xF3\xE5\xED \xE8\xEF\xE4\xE9\xEC\x8D\x8A";
    base::Date d{2026, 12, 7};
    for (int i = 0; i < days; ++i, d = previous(d)) store::writeFilePlain(path / "Podatki" / base::dateKey(d), entry);
    store::writeFilePlain(path / "Podatki.ini", "\xB1\xB2\xB2\xB0\x8D\x8A");
  }
  ~DiaryFolder() { fs::remove_all(path); }
  static base::Date previous(base::Date d) {
    if (--d.day >= 1) return d;
    if (--d.month < 1) d = {d.year - 1, 12, 0};
    d.day = base::daysInMonth(d.year, d.month);
    return d;
  }
  backup::DiaryFiles files() const { return {path / "Podatki", path / "Podatki.ini", path / "Varnostne kopije"}; }
};

void BM_DailyBackup(benchmark::State& state) {
  DiaryFolder diary(static_cast<int>(state.range(0)));
  const base::DateTime now{{2026, 12, 7}, 10, 0, 0, 0};
  for (auto _ : state) {
    fs::remove(diary.path / "Varnostne kopije" / backup::archiveName(now.date));
    benchmark::DoNotOptimize(backup::makeDailyBackup(diary.files(), now));
  }
  state.SetLabel("vs:BM_ReadAllWriteOnce/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_DailyBackup)->Arg(3650)->Unit(benchmark::kMillisecond);

void BM_ReadAllWriteOnce(benchmark::State& state) {
  DiaryFolder diary(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string all;
    for (const auto& e : fs::directory_iterator(diary.path / "Podatki")) all += store::readFile(e.path()).value_or("");
    all += store::readFile(diary.path / "Podatki.ini").value_or("");
    store::writeFileAtomic(diary.path / "all", all, diary.path / "all.tmp");
  }
}
BENCHMARK(BM_ReadAllWriteOnce)->Arg(3650)->Unit(benchmark::kMillisecond);

}  // namespace

// Searching the whole diary: the first search (every entry read, decoded,
// rich text turned into its characters, the words matched) against reading
// the same files raw, and a later search over the index in memory against
// memchr over the same bytes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <unistd.h>

#include "base/date.h"
#include "diary_folder.h"
#include "search/diary_search.h"
#include "search/index.h"
#include "store/codec.h"
#include "store/entries.h"
#include "store/file_io.h"

namespace fs = std::filesystem;

namespace {

using benchdiary::Diary;
using benchdiary::diaryOf;

search::Index indexOf(const Diary& diary, unsigned workers = 1) {
  std::atomic<bool> stop{false};
  std::atomic<size_t> done{0};
  return search::readEntries(diary.folder, diary.keys, workers, stop, done).index;
}

// Arguments: the entries, and the threads reading them (the program uses
// two where there are two cores); the baseline reads on one.
void BM_FirstSearch(benchmark::State& state) {
  const Diary& diary = diaryOf(int(state.range(0)));
  const search::Query query(u"poročila načrtih");
  for (auto _ : state) {
    const search::Index index = indexOf(diary, unsigned(state.range(1)));
    benchmark::DoNotOptimize(index.find(query));
  }
  state.SetLabel("vs:BM_RawReads/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_FirstSearch)->ArgsProduct({{3650, 36500}, {1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RawReads(benchmark::State& state) {
  const Diary& diary = diaryOf(int(state.range(0)));
  const fs::path data = diary.folder / "Podatki";
  for (auto _ : state)
    for (const std::string& key : diary.keys) benchmark::DoNotOptimize(store::readFile(data / key));
}
BENCHMARK(BM_RawReads)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond)->UseRealTime();

// Words that occur nowhere, so that every day is scanned to its end; the
// second has a caron, so each place of its bare letters is checked.
void BM_LaterSearch(benchmark::State& state) {
  static const search::Index index = indexOf(diaryOf(36500));
  const search::Query query(state.range(0) ? u"žaba" : u"krompir");
  for (auto _ : state) benchmark::DoNotOptimize(index.find(query));
  state.SetLabel("vs:BM_MemchrSameBytes");
}
BENCHMARK(BM_LaterSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// memchr for a byte that is not there, over copies of the bare strings of
// the same 36,500 days: one pass over the bytes a word is looked for in.
void BM_MemchrSameBytes(benchmark::State& state) {
  const Diary& diary = diaryOf(36500);
  const store::DiaryStore store(diary.folder);
  std::vector<std::string> days;
  for (const std::string& key : diary.keys) days.push_back(search::foldText(*search::readDay(store, key)).bare);
  for (auto _ : state)
    for (const std::string& d : days) benchmark::DoNotOptimize(std::memchr(d.data(), 0x7F, d.size()));
}
BENCHMARK(BM_MemchrSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace

// Opening the year window: every entry's words counted (read through the
// store, decoded, rich text to the characters the editor shows) and the
// year drawn, against reading the same files raw; then opening it again with
// the counts in memory, where only the folder is listed and the new days read.
#include <benchmark/benchmark.h>

#include "app/frm_leto.h"
#include "diary_folder.h"
#include "platform/headless/headless_platform.h"
#include "store/entries.h"

namespace {

using benchdiary::Diary;
using benchdiary::diaryOf;

// As the main window opens it: the folder listed on the first opening only.
void openYearWindow(app::frmLeto& window, store::DiaryStore& store, bool first) {
  if (first) store.Rescan();
  window.days().read(store, store.listing());
  window.showYear(2026, {2026, 12, 7}, {0, 0, 800, 600}, false);
}

void BM_YearWindowFirstOpen(benchmark::State& state) {
  const Diary& diary = diaryOf(int(state.range(0)));
  headless::HeadlessPlatform platform;
  app::frmLeto window(platform);
  store::DiaryStore store(diary.folder);
  for (auto _ : state) {
    window.days().clear();
    openYearWindow(window, store, true);
  }
  state.SetLabel("vs:BM_RawReads/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_YearWindowFirstOpen)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_YearWindowOpenAgain(benchmark::State& state) {
  const Diary& diary = diaryOf(int(state.range(0)));
  headless::HeadlessPlatform platform;
  app::frmLeto window(platform);
  store::DiaryStore store(diary.folder);
  openYearWindow(window, store, true);
  for (auto _ : state) openYearWindow(window, store, false);
  state.SetLabel("vs:BM_RawReads/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_YearWindowOpenAgain)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// Choosing a month and a day in the running diary (headless platform, text
// model editor) with years of entries in the data folder, against two
// baselines of the same run: an empty event handler (what any choice costs
// at least) and reading one entry file raw (the least a day switch must do).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "base/date.h"
#include "platform/headless/headless_platform.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "textmodel/text_editor.h"

namespace fs = std::filesystem;

namespace {

// A data folder with one short entry a day for `days` days up to 7 Dec 2026,
// and the diary started on that day.
struct RunningDiary {
  fs::path folder;
  headless::HeadlessPlatform platform;
  std::unique_ptr<app::Pisarion> diary;

  explicit RunningDiary(int days) {
    folder = fs::temp_directory_path() / ("pisarion-dates-bench-" + std::to_string(days) + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Podatki");
    store::Lines enc;
    store::transform(store::splitLines("{\\rtf1\\ansi Danes je bil lep dan, sonce in sneg.\\par\r\n}\r\n"), enc);
    const std::string bytes = store::joinLines(enc);
    base::Date d{2026, 12, 7};
    for (int i = 0; i < days; ++i) {
      store::writeFilePlain(folder / "Podatki" / base::dateKey(d), bytes);
      d = previous(d);
    }
    platform.setNow({{2026, 12, 7}, 10, 0, 0, 0});
    platform.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
    app::Environment env;
    env.folder = folder;
    diary = std::make_unique<app::Pisarion>(platform, env);
    diary->start();
  }
  ~RunningDiary() {
    diary.reset();
    fs::remove_all(folder);
  }
  static base::Date previous(base::Date d) {
    if (--d.day >= 1) return d;
    if (--d.month < 1) {
      d.month = 12;
      --d.year;
    }
    d.day = base::daysInMonth(d.year, d.month);
    return d;
  }
  app::frmMain& main() { return diary->main(); }
  // The window's controls, found by name as a user finds them on screen.
  controls::Datumi& days() { return dynamic_cast<controls::Datumi&>(*main().form().find("Datumi1")); }
  controls::ComboBox2& months() { return dynamic_cast<controls::ComboBox2&>(*main().form().find("cmbMesci")); }
  gui::Editor& editor() { return *dynamic_cast<gui::Host&>(*main().form().find("Text")).editor(); }
};

// One month's days into the day list: the month drop-down's choice,
// alternating between November and October (30 and 31 rows).
void BM_MonthSwitch(benchmark::State& state) {
  RunningDiary d(static_cast<int>(state.range(0)));
  // Away from today, so that the switches measure the list and not today's save.
  d.days().IzberiDan("12-06-2026");
  bool odd = false;
  for (auto _ : state) {
    std::string month = (odd = !odd) ? "11" : "10";
    d.months().Izbran(month);
    benchmark::DoNotOptimize(d.days().rowCount());
  }
  state.SetLabel("vs:BM_EmptyHandler");
}
BENCHMARK(BM_MonthSwitch)->Arg(3650)->Arg(36500)->Unit(benchmark::kMicrosecond);

// Another day of the listed month: the day list's choice shows its entry.
void BM_DaySwitch(benchmark::State& state) {
  RunningDiary d(static_cast<int>(state.range(0)));
  bool odd = false;
  for (auto _ : state) {
    d.days().IzberiDan((odd = !odd) ? "12-03-2026" : "12-04-2026");
    benchmark::DoNotOptimize(d.editor().text().size());
  }
  state.SetLabel("vs:BM_RawEntryRead");
}
BENCHMARK(BM_DaySwitch)->Arg(3650)->Arg(36500)->Unit(benchmark::kMicrosecond);

void BM_EmptyHandler(benchmark::State& state) {
  std::function<void(std::string&)> handler = [](std::string& s) { benchmark::DoNotOptimize(s.data()); };
  std::string tekst = "11";
  for (auto _ : state) {
    auto copy = handler;
    copy(tekst);
  }
}
BENCHMARK(BM_EmptyHandler)->Unit(benchmark::kMicrosecond);

void BM_RawEntryRead(benchmark::State& state) {
  RunningDiary d(1);
  const fs::path entry = d.folder / "Podatki" / "12-07-2026";
  store::writeFilePlain(entry, std::string(200, 'x'));
  for (auto _ : state) benchmark::DoNotOptimize(store::readFile(entry));
}
BENCHMARK(BM_RawEntryRead)->Unit(benchmark::kMicrosecond);

}  // namespace

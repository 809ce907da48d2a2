// An autosave of a 200 KB day in the running diary (headless platform, text
// model editor): one key typed, the clock moved past the wait, the day's rich
// text written, encoded and replaced durably. Baseline: writing the same
// bytes durably (temporary file, flush, rename).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "app/day_on_screen.h"
#include "app/frm_main.h"
#include "app/pisarion.h"
#include "platform/headless/headless_platform.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "textmodel/text_editor.h"

namespace fs = std::filesystem;

namespace {

fs::path scratch(const char* name) {
  const fs::path p = fs::temp_directory_path() / (std::string("pisarion-autosave-") + name + std::to_string(getpid()));
  fs::remove_all(p);
  fs::create_directories(p / "Podatki");
  return p;
}

std::string entryOf200KB() {
  std::string s = "{\\rtf1\\ansi ";
  while (s.size() < 200 * 1024) s += "Danes sem hodil po gozdu \\'e8\\'9a\\'9e in videl srno.\\par\r\n";
  return s + "}\r\n";
}

void BM_Autosave200KB(benchmark::State& state) {
  const fs::path folder = scratch("diary");
  store::Lines enc;
  store::transform(store::splitLines(entryOf200KB()), enc);
  store::writeFilePlain(folder / "Podatki" / "12-07-2026", store::joinLines(enc));
  headless::HeadlessPlatform platform;
  platform.setNow({{2026, 12, 7}, 10, 0, 0, 0});
  platform.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
  app::Environment env;
  env.folder = folder;
  auto diary = std::make_unique<app::Pisarion>(platform, env);
  diary->start();
  diary->main().focusEditor();
  for (auto _ : state) {
    platform.typeText(u"x");
    platform.advance(app::DayOnScreen::kAutosaveMs);
  }
  state.SetLabel("vs:BM_DurableWrite200KB");
  diary.reset();
  fs::remove_all(folder);
}
BENCHMARK(BM_Autosave200KB)->Unit(benchmark::kMillisecond);

void BM_DurableWrite200KB(benchmark::State& state) {
  const fs::path folder = scratch("raw");
  store::Lines enc;
  store::transform(store::splitLines(entryOf200KB()), enc);
  const std::string bytes = store::joinLines(enc);
  for (auto _ : state) store::writeFileAtomic(folder / "Podatki" / "12-07-2026", bytes, folder / "t.tmp");
  fs::remove_all(folder);
}
BENCHMARK(BM_DurableWrite200KB)->Unit(benchmark::kMillisecond);

}  // namespace

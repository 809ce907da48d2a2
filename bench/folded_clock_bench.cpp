// One tick of the real folded clock (headless platform) that moves the
// second hand: the hand turned, the picture cleared to the dial, the three
// hands drawn, and the window's paint of what changed. Baseline: copying the
// 100 × 100 dial (BM_CopyFace in clock_bench.cpp).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "app/frm_main.h"
#include "app/frm_mini.h"
#include "app/pisarion.h"
#include "platform/headless/headless_platform.h"
#include "textmodel/text_editor.h"

namespace {

void BM_FoldedClockTick(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / ("pisarion-clock-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  headless::HeadlessPlatform platform;
  platform.setNow({{2026, 12, 9}, 10, 8, 0, 0});
  platform.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
  app::Environment env;
  env.folder = folder;
  auto diary = std::make_unique<app::Pisarion>(platform, env);
  diary->start();
  const base::Rect main = platform.window(diary->main().form())->bounds();
  platform.click({main.x + main.w - 72 + 6, main.y + 11});  // the fold button
  platform.advance(400);
  app::frmMini& clock = diary->mini();
  int second = 0;
  for (auto _ : state) {
    second = (second + 1) % 60;
    platform.setNow({{2026, 12, 9}, 10, 8, second, 0});
    clock.Timer1_Tick();
    platform.paintWindows();
  }
  state.SetLabel("vs:BM_CopyFace");
  diary.reset();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FoldedClockTick);

}  // namespace

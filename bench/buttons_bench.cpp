// One frame of a toolbar button's hover animation: the face copied out of the
// atlas into the button and the window painted as the Windows window paints
// it (what changed composed into its kept frame), against copying the same
// face rectangle alone. And what one keystroke in today's entry presents.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <unistd.h>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "gui/form.h"
#include "platform/headless/headless_platform.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/skinned_button.h"
#include "textmodel/text_editor.h"

namespace {

// The main window's size with the seven toolbar buttons and the editor
// frame, on a display of `percent` scale with the atlas painted for it.
struct Window {
  struct Display {
    Display(headless::HeadlessPlatform& p, int percent) { p.setDpi(96 * percent / 100); }
  };
  headless::HeadlessPlatform platform;
  int percent;
  Display display{platform, percent};
  gui::Surface atlas = skin::loadAtlas(percent);
  gui::Form form{platform, "frmMain"};
  std::vector<std::unique_ptr<skin::SkinnedButton>> buttons;

  explicit Window(int scale = 100) : percent(scale) {
    form.setPixelBounds(form.scaledBounds({100, 100}, 596, 567));
    form.cls();
    gui::PictureBox& text = form.add<gui::PictureBox>("PicText");
    text.move(9, 60, 400, 500);
    const int lefts[] = {15, 60, 100, 140, 183, 226, 270};
    for (int left : lefts) {
      const std::string tracking = "t" + std::to_string(left), animation = "e" + std::to_string(left);
      const skin::ButtonSetup setup{.kind = skin::ButtonKind::Command, .at = {left, skin::kToolbarTop},
                                  .tracking = tracking, .animation = animation};
      auto b = std::make_unique<skin::SkinnedButton>(form.add<gui::PictureBox>("Btn" + std::to_string(left)), atlas,
                                                     setup);
      b->place();
      buttons.push_back(std::move(b));
    }
    form.show();
  }
};

void animationTick(benchmark::State& state, int percent) {
  Window w(percent);
  gui::Timer& animation = *w.form.timer("e15");  // BtnGeslo's, at its place
  int frame = 0;
  for (auto _ : state) {
    animation.setTag(std::to_string(1 + frame % 3));
    animation.onTimer();        // draws the face, marking it changed
    w.platform.paintWindows();  // what the window's paint does with it
    benchmark::DoNotOptimize(w.platform.window(w.form)->frame().data());
    ++frame;
  }
  state.counters["pixels"] =
      benchmark::Counter(double(w.platform.window(w.form)->presentedPixels()), benchmark::Counter::kAvgIterations);
}

void BM_AnimationTick(benchmark::State& state) {
  animationTick(state, 100);
  state.SetLabel("vs:BM_CopyFaceRect");
}
BENCHMARK(BM_AnimationTick);

// The same at 2×: four times the pixels, the face copied from the 2× atlas.
void BM_AnimationTick2x(benchmark::State& state) {
  animationTick(state, 200);
  state.SetLabel("vs:BM_CopyFaceRect2x");
}
BENCHMARK(BM_AnimationTick2x);

void BM_AnimationTickDrawOnly(benchmark::State& state) {
  Window w;
  gui::Timer& animation = *w.form.timer("e15");  // BtnGeslo's, at its place
  int frame = 0;
  for (auto _ : state) {
    animation.setTag(std::to_string(1 + frame % 3));
    animation.onTimer();
    benchmark::DoNotOptimize(w.buttons[0]->box().surface().data());
    ++frame;
  }
  state.SetLabel("vs:BM_CopyFaceRect");
}
BENCHMARK(BM_AnimationTickDrawOnly);

void copyFaceRect(benchmark::State& state, int percent) {
  const gui::Surface atlas = skin::loadAtlas(percent);
  gui::Surface button(41, 39, {}, base::Scale{percent});
  int frame = 0;
  for (auto _ : state) {
    button.blit(atlas, skin::toolbarFace(skin::ToolbarFace::Geslo, skin::kRows[1 + frame % 3]), {0, 0});
    benchmark::DoNotOptimize(button.data());
    benchmark::ClobberMemory();
    ++frame;
  }
}

void BM_CopyFaceRect(benchmark::State& state) { copyFaceRect(state, 100); }
BENCHMARK(BM_CopyFaceRect);
void BM_CopyFaceRect2x(benchmark::State& state) { copyFaceRect(state, 200); }
BENCHMARK(BM_CopyFaceRect2x);

// The diary running on the headless platform with today 7 December 2026,
// in a data folder of its own that goes again with it.
struct RunningDiary {
  struct Folder {
    std::filesystem::path path;
    explicit Folder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
      std::filesystem::remove_all(path);
      std::filesystem::create_directories(path / "Podatki");
    }
    ~Folder() { std::filesystem::remove_all(path); }
  } folder;
  headless::HeadlessPlatform platform;
  std::unique_ptr<app::Pisarion> diary;

  explicit RunningDiary(const std::string& name) : folder(name) {
    platform.setNow({{2026, 12, 7}, 10, 0, 0, 0});
    platform.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
    app::Environment env;
    env.folder = folder.path;
    diary = std::make_unique<app::Pisarion>(platform, env);
    diary->start();
  }
  const headless::HeadlessWindow& window() { return *platform.window(diary->main().form()); }
};

// The hover fade of BtnKrepko in the running diary, whose window also holds
// the editor's native window: the pointer rests on the button for three
// 50 ms ticks, then away for three. Per tick: the tracking, the face drawn
// and the window painted.
void BM_HoverTickInDiary(benchmark::State& state) {
  RunningDiary d("pisarion-hover-bench");
  const gui::Rect bold = d.diary->main().form().find("BtnKrepko")->screenRect();
  const gui::Rect page = d.diary->main().form().find("PicText")->screenRect();
  const headless::HeadlessWindow& w = d.window();
  const int presents = w.presents();
  int tick = 0;
  for (auto _ : state) {
    if (tick % 6 == 0) d.platform.moveMouse({bold.x + bold.w / 2, bold.y + bold.h / 2});
    if (tick % 6 == 3) d.platform.moveMouse({page.x + page.w / 2, page.y + page.h / 2});
    d.platform.advance(50);
    ++tick;
  }
  state.counters["presents"] = benchmark::Counter(w.presents() - presents, benchmark::Counter::kAvgIterations);
  state.SetLabel("vs:BM_CopyFaceRect");
}
BENCHMARK(BM_HoverTickInDiary);

// One character typed into today's entry of the running diary: how many
// presents it causes and how many pixels they compose, on average.
void BM_KeystrokeInToday(benchmark::State& state) {
  RunningDiary d("pisarion-keys-bench");
  d.diary->main().focusEditor();
  d.platform.typeText(u"Danes ");
  const headless::HeadlessWindow& w = d.window();
  const int presents = w.presents();
  const int64_t pixels = w.presentedPixels();
  for (auto _ : state) d.platform.typeText(u"a");
  state.counters["presents"] = benchmark::Counter(w.presents() - presents, benchmark::Counter::kAvgIterations);
  state.counters["pixels"] =
      benchmark::Counter(double(w.presentedPixels() - pixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeystrokeInToday);

}  // namespace

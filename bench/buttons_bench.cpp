// One frame of a toolbar button's hover animation: the face copied out of the
// atlas into the button and the window presented, as the Windows window
// presents it (the whole form composed into its frame buffer), against
// copying the same face rectangle alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "gui/form.h"
#include "platform/headless/headless_platform.h"
#include "skin/atlas.h"
#include "skin/rects.h"
#include "skin/toolbar_buttons.h"

namespace {

// The main window's size with the seven toolbar buttons and the editor frame.
struct Window {
  headless::HeadlessPlatform platform;
  gui::Surface atlas = skin::loadAtlas();
  gui::Form form{platform, "frmMain"};
  std::vector<std::unique_ptr<skin::PasswordButton>> buttons;
  gui::Surface frame;

  Window() {
    form.setPixelBounds({100, 100, 596, 567});
    form.cls();
    gui::PictureBox& text = form.add<gui::PictureBox>("PicText");
    text.move(9, 60, 400, 500);
    const int lefts[] = {15, 60, 100, 140, 183, 226, 270};
    for (int left : lefts) {
      auto b = std::make_unique<skin::PasswordButton>(form.add<gui::PictureBox>("Btn" + std::to_string(left)), atlas,
                                                      "t" + std::to_string(left), "e" + std::to_string(left));
      b->place(left);
      buttons.push_back(std::move(b));
    }
    form.show();
  }
};

void BM_AnimationTick(benchmark::State& state) {
  Window w;
  skin::ToolbarButton& b = *w.buttons[1];
  int frame = 0;
  for (auto _ : state) {
    b.TmrE.setTag(std::to_string(1 + frame % 3));
    b.TmrE_Timer();               // draws the face and asks for a present
    w.form.compose(w.frame);      // what the window's paint does with it
    benchmark::DoNotOptimize(w.frame.data());
    ++frame;
  }
  state.SetLabel("vs:BM_CopyFaceRect");
}
BENCHMARK(BM_AnimationTick);

void BM_AnimationTickDrawOnly(benchmark::State& state) {
  Window w;
  skin::ToolbarButton& b = *w.buttons[1];
  int frame = 0;
  for (auto _ : state) {
    b.TmrE.setTag(std::to_string(1 + frame % 3));
    b.TmrE_Timer();
    benchmark::DoNotOptimize(b.Btn.surface().data());
    ++frame;
  }
  state.SetLabel("vs:BM_CopyFaceRect");
}
BENCHMARK(BM_AnimationTickDrawOnly);

void BM_CopyFaceRect(benchmark::State& state) {
  const gui::Surface atlas = skin::loadAtlas();
  gui::Surface button(41, 39);
  int frame = 0;
  for (auto _ : state) {
    button.blit(atlas, skin::toolbarFace(skin::ToolbarFace::Geslo, skin::kRows[1 + frame % 3]), {0, 0});
    benchmark::DoNotOptimize(button.data());
    benchmark::ClobberMemory();
    ++frame;
  }
}
BENCHMARK(BM_CopyFaceRect);

}  // namespace

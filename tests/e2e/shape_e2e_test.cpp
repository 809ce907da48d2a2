// The main window's shape on a real screen: outside its rounded corners the
// window behind it shows, and no magenta shows anywhere (the caption and drop
// buttons are round: their faces' magenta corners are cut away).
#include <gtest/gtest.h>

#include <memory>

#include "e2e_support.h"
#include "platform/headless/headless_platform.h"
#include "shape/std_trans_s1.h"
#include "skin/atlas.h"
#include "skin/rects.h"

using namespace e2e;

namespace {

constexpr COLORREF kBackdrop = RGB(0, 200, 0);
constexpr int kW = 596, kH = 567;

// A plain green window under the place where the diary opens.
HWND backdrop(RECT r) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = CreateSolidBrush(kBackdrop);
  wc.lpszClassName = L"PisarionTestBackdrop";
  RegisterClassW(&wc);
  return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, r.left,
                         r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
}

// The window's region as the diary's layout makes it.
gui::Region mainWindowShape() {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.setPixelBounds({0, 0, kW, kH});
  shape::stdTRANSs1 control;
  control.setMyObject(form);
  control.DoObject2();
  return *form.region();
}

}  // namespace

TEST(ShapeEndToEnd, TheCornersShowTheWindowBehindAndNoMagentaShows) {
  const std::unique_ptr<HWND__, BOOL (*)(HWND)> behind(backdrop({150, 150, 850, 800}), DestroyWindow);
  Diary diary;
  diary.writeSettings({3000, 3000, false, u""});  // at (200, 200)
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  const gui::Color green = gui::Color::fromColorref(kBackdrop);
  // Shaped, and painted as far as the close button's middle.
  const gui::Rect zapri = skin::captionFace(skin::CaptionButton::Zapri, skin::ButtonState::Rest);
  const gui::Color zapriMiddle = skin::loadAtlas().pixel(zapri.x + 6, zapri.y + 6);
  ASSERT_TRUE(waitUntil([&] {
    const gui::Surface s = screenshot(main);
    return s.pixel(0, 0) == green && s.pixel(kW - 21 + 6, 5 + 6) == zapriMiddle;
  }));
  const gui::Surface shot = screenshot(main);
  saveScreenshot(main, "main-window-shape");

  const gui::Region shape = mainWindowShape();
  int cut = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const bool outside = !shape.contains({x, y});
      cut += outside;
      ASSERT_EQ(shot.pixel(x, y) == green, outside) << "at " << x << "," << y;
      ASSERT_NE(shot.pixel(x, y), base::kKeyColor) << "magenta at " << x << "," << y;
    }
  EXPECT_EQ(cut, 2 * (5 + 3 + 2 + 1 + 1) + 2 * (1 + 2));

  closeDiary(diary);
}

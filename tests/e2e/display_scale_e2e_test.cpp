// The diary under Wine with the display at 144 and 192 DPI, each run in a
// prefix of its own: the main window opens at its size times the scale, its
// corners cut, and the fold button where the scaled face shows it folds the
// diary into a clock of the scaled size. Screenshots of both windows are kept.
#include <gtest/gtest.h>

#include <fstream>

#include "base/scale.h"
#include "e2e_support.h"
#include "skin/atlas.h"

using namespace e2e;

namespace {

int scaled(int v, int percent) { return (v * percent + 50) / 100; }

SIZE sizeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

// Run by the next test in the scaled prefix, with the scale in PISARION_SCALE.
TEST(DisplayScaleEndToEnd, DISABLED_AtTheScale) {
  SetProcessDPIAware();  // the test reads the screen's own pixels
  wchar_t value[16] = {};
  GetEnvironmentVariableW(L"PISARION_SCALE", value, 16);
  const int percent = _wtoi(value);
  ASSERT_GT(percent, 100);
  Diary diary;
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  settle(1000);
  const SIZE size = sizeOf(main);
  EXPECT_EQ(size.cx, scaled(596, percent));
  EXPECT_EQ(size.cy, scaled(567, percent));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(main, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, scaled(5, percent) - 1, 0));  // the top-left corner cut at the scale
  EXPECT_TRUE(PtInRegion(rgn, scaled(5, percent), 0));
  EXPECT_FALSE(PtInRegion(rgn, size.cx - 1, size.cy - 1));
  DeleteObject(rgn);
  typeText(L"Besedilo dneva, 9 točk.");
  settle(500);
  saveScreenshot(main, "main-at-" + std::to_string(percent));
  // The close button is the art painted at the scale, pixel for pixel: not
  // the 100 % face enlarged, which differs along its curves.
  const base::Scale s{percent};
  const gui::Rect zapri = s(skin::captionFace(skin::CaptionButton::Zapri, skin::ButtonState::Rest));
  EXPECT_TRUE(showsFace(main, skin::loadAtlas(percent).devicePixels(), {s(596 - 21), s(5)}, zapri, zapri.w));
  click(main, {scaled(596 - 72 + 6, percent), scaled(11, percent)});
  HWND clock = diary.waitForWindow("frmMini");
  ASSERT_NE(clock, nullptr);
  settle(1000);
  EXPECT_EQ(sizeOf(clock).cx, scaled(101, percent));
  EXPECT_EQ(sizeOf(clock).cy, scaled(111, percent));
  saveScreenshot(clock, "clock-at-" + std::to_string(percent));
  PostMessageW(clock, WM_CLOSE, 0, 0);
  diary.waitForExit();
}

TEST(DisplayScaleEndToEnd, TheDiaryOpensAtTwiceAndOneAndAHalfTimesItsSizeAndFolds) {
  for (int dpi : {192, 144}) {
    const fs::path report = hostPath(BUILD_FOLDER) / ("display-scale-" + std::to_string(dpi) + ".xml");
    fs::remove(report);
    const std::string prefix = DPI_PREFIX;
    std::wstring cmd = L"\"" + hostPath(IN_DPI_PREFIX).wstring() + L"\" " + std::wstring(prefix.begin(), prefix.end()) +
                       L" " + std::to_wstring(dpi) + L" \"" + hostPath(TEST_E2E).wstring() +
                       L"\" --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_AtTheScale \"--gtest_output=xml:" +
                       report.wstring() + L"\"";
    SetEnvironmentVariableW(L"PISARION_SCALE", std::to_wstring(dpi * 100 / 96).c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    std::string seen;  // the prefix's first start sets it up, which takes a while
    waitUntil(
        [&] {
          std::error_code ec;
          if (!fs::exists(report, ec)) return false;
          std::ifstream in(report);
          seen.assign(std::istreambuf_iterator<char>(in), {});
          return seen.find("</testsuites>") != std::string::npos;
        },
        120000);
    EXPECT_NE(seen.find("tests=\"1\" failures=\"0\""), std::string::npos) << dpi << " DPI: " << seen;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
}

// A form as a window: twips and pixels, keep-on-top, minimising, loading and
// unloading, closing, the end of a session, message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

using namespace gui;
using headless::HeadlessPlatform;

TEST(Twips, WindowsSitOnWholePixels) {
  EXPECT_EQ(twipsToPixels(1500, 15), 100);
  EXPECT_EQ(twipsToPixels(1507, 15), 100);
  EXPECT_EQ(twipsToPixels(1508, 15), 101);
  EXPECT_EQ(twipsToPixels(-1508, 15), -101);
  EXPECT_EQ(twipsToPixels(18, 4), 4) << "halves go to even";
  EXPECT_EQ(twipsToPixels(22, 4), 6);

  HeadlessPlatform platform;
  Form main(platform, "frmMain");
  main.move(1507, 3000, 596 * 15, 567 * 15);
  EXPECT_EQ(main.pixelBounds(), (Rect{100, 200, 596, 567}));
  EXPECT_EQ(main.left(), 1500) << "reads back what the window really holds";
  EXPECT_EQ(main.width(), 8940);
  EXPECT_EQ(platform.window(main)->bounds(), (Rect{100, 200, 596, 567}));
  EXPECT_EQ(main.surface().width(), 596);
  EXPECT_EQ(main.surface().height(), 567);
  // At 120 DPI a pixel is 12 twips.
  HeadlessPlatform large;
  large.setTwipsPerPixel(12, 12);
  Form other(large, "frmMini");
  other.setWidth(1200);
  EXPECT_EQ(other.pixelWidth(), 100);
  EXPECT_EQ(other.width(), 1200);
}

TEST(Twips, ElementsReportTheirScreenRectangle) {
  HeadlessPlatform platform;
  Form main(platform, "frmMain");
  main.setPixelBounds({50, 40, 300, 200});
  auto& frame = main.add<PictureBox>("PicText");
  frame.move(9, 60, 100, 100);
  auto& inner = frame.add<Panel>("inner");
  inner.move(3, 3, 10, 10);
  EXPECT_EQ(inner.formRect(), (Rect{12, 63, 10, 10}));
  EXPECT_EQ(inner.screenRect(), (Rect{62, 103, 10, 10}));
}

TEST(FormWindow, KeepOnTopMovesTheWindowIntoAndOutOfTheTopmostBand) {
  HeadlessPlatform platform;
  Form main(platform, "frmMain"), other(platform, "other");
  main.setPixelBounds({0, 0, 100, 100});
  other.setPixelBounds({0, 0, 100, 100});
  main.show();
  other.show();
  EXPECT_EQ(platform.windowAt({50, 50}), platform.window(other));
  main.setWindowPos(InsertAfter::Topmost, {10, 20, 100, 100});
  EXPECT_TRUE(main.topmost());
  EXPECT_TRUE(platform.window(main)->topmost());
  EXPECT_EQ(main.left(), 150);
  EXPECT_EQ(main.top(), 300);
  other.activate();
  EXPECT_EQ(platform.windowAt({50, 50}), platform.window(main)) << "activation does not lift a window above the topmost";
  main.setWindowPos(InsertAfter::NoTopmost, main.pixelBounds());
  other.activate();
  EXPECT_EQ(platform.windowAt({50, 50}), platform.window(other));
}

TEST(FormWindow, TheScreenShowsWindowsInStackingOrderThroughTheirRegions) {
  HeadlessPlatform platform;
  platform.setScreenSize({6, 3});
  Form lower(platform, "frmMain"), upper(platform, "frmMini");
  lower.setBackColor(Color::rgb(255, 0, 0));
  lower.setPixelBounds({0, 0, 4, 3});
  lower.cls();
  upper.setBackColor(Color::rgb(0, 0, 255));
  upper.setPixelBounds({2, 0, 3, 3});
  upper.cls();
  upper.setRegion(Region(Rect{0, 0, 3, 3}).subtracted(Region(Rect{0, 1, 1, 1})));  // a see-through pixel
  lower.show();
  upper.show();
  const Surface screen = platform.screenshot();
  std::string seen;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) {
      const Color c = screen.pixel(x, y);
      seen += c.r() ? 'R' : c.b() ? 'B' : '.';
    }
  EXPECT_EQ(seen, "RRBBB." "RRRBB." "RRBBB.");
  upper.hide();
  EXPECT_EQ(platform.screenshot().pixel(3, 0), Color::rgb(255, 0, 0));
}

TEST(FormWindow, MinimisingAndRestoringReachTheResizeHandler) {
  HeadlessPlatform platform;
  Form taskbar(platform, "frmTaskbar");
  std::vector<int> states;
  taskbar.onResize = [&] { states.push_back(taskbar.windowState()); };
  taskbar.setPixelBounds({0, 0, 10, 10});
  states.clear();
  taskbar.show();
  taskbar.setWindowState(kMinimized);
  EXPECT_TRUE(platform.window(taskbar)->minimized());
  EXPECT_FALSE(platform.window(taskbar)->onScreen());
  EXPECT_EQ(platform.activeForm(), nullptr);
  platform.restoreFromTaskbar(taskbar);
  EXPECT_EQ(taskbar.windowState(), kNormal);
  EXPECT_EQ(states, (std::vector<int>{kMinimized, kNormal}));
  EXPECT_EQ(platform.activeForm(), &taskbar);
}

TEST(FormWindow, LoadShowUnloadInTheirOrder) {
  HeadlessPlatform platform;
  Form login(platform, "frmGeslo");
  std::vector<std::string> log;
  login.onLoad = [&] { log.push_back("load"); };
  login.onActivate = [&] { log.push_back("activate"); };
  login.onDeactivate = [&] { log.push_back("deactivate"); };
  bool refuse = true;
  login.onUnload = [&](bool& cancel) {
    log.push_back("unload");
    cancel = refuse;
  };
  login.setPixelBounds({0, 0, 10, 10});
  login.show();
  login.show();
  EXPECT_EQ(log, (std::vector<std::string>{"load", "activate"}));
  platform.closeWindow(login);
  EXPECT_TRUE(login.loaded()) << "the unload handler refused";
  EXPECT_TRUE(login.visible());
  refuse = false;
  platform.closeWindow(login);
  EXPECT_FALSE(login.loaded());
  EXPECT_FALSE(platform.window(login)->visible());
  EXPECT_EQ(log, (std::vector<std::string>{"load", "activate", "unload", "unload", "deactivate"}));
  login.show();
  EXPECT_EQ(log.at(5), "load") << "a form shown again after unloading loads again";
}

TEST(FormWindow, WindowStateIsInspectable) {
  HeadlessPlatform platform;
  Form main(platform, "frmMain");
  main.setCaption(u"Pisarion (torek, 08. december 2026)");
  main.setRegion(Region(Rect{0, 0, 5, 5}));
  main.setEnabled(false);
  auto* w = platform.window(main);
  EXPECT_EQ(w->caption(), u"Pisarion (torek, 08. december 2026)");
  EXPECT_EQ(w->region(), Region(Rect{0, 0, 5, 5}));
  EXPECT_FALSE(w->enabled());
  main.setRegion(std::nullopt);
  EXPECT_FALSE(w->region());
}

TEST(FormWindow, AnEventPresentsOnceAndOnlyWhatChanged) {
  HeadlessPlatform platform;
  Form main(platform, "frmMain");
  main.setPixelBounds({0, 0, 100, 100});
  PictureBox& a = main.add<PictureBox>("a");
  PictureBox& b = main.add<PictureBox>("b");
  a.move(0, 0, 10, 10);
  b.move(50, 50, 10, 10);
  main.show();
  const Surface red(10, 10, Color::rgb(255, 0, 0)), blue(10, 10, Color::rgb(0, 0, 255));
  Surface face = red;
  a.onMouseDown = [&](int, int, double, double) {
    for (PictureBox* box : {&a, &b, &a, &b}) box->blit(face, face.bounds(), {0, 0});
  };
  platform.click({5, 5});
  auto* w = platform.window(main);
  const int before = w->presents();
  face = blue;
  platform.advance(1000);  // not a double click
  platform.mouseDown();
  EXPECT_EQ(w->presents(), before + 1);
  EXPECT_EQ(w->lastPresent(), Region(Rect{0, 0, 10, 10}).united(Region(Rect{50, 50, 10, 10})));
  EXPECT_EQ(platform.screenshot().pixel(55, 55), Color::rgb(0, 0, 255));
  platform.mouseUp();
  platform.advance(1000);
  platform.mouseDown();  // the same faces again: nothing to present
  EXPECT_EQ(w->presents(), before + 1);
}

TEST(Session, LogoffAsksEveryWindowAndThenTellsThemAll) {
  HeadlessPlatform platform;
  Form main(platform, "frmMain"), login(platform, "frmGeslo");
  std::vector<std::string> log;
  bool object = true;
  main.onQueryEndSession = [&] { log.push_back("query main"); return !object; };
  main.onEndSession = [&](bool ending) { log.push_back(ending ? "main ends" : "main goes on"); };
  login.onEndSession = [&](bool ending) { log.push_back(ending ? "login ends" : "login goes on"); };
  EXPECT_FALSE(platform.endSession());
  EXPECT_EQ(std::count(log.begin(), log.end(), "main goes on"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "login goes on"), 1);
  log.clear();
  object = false;
  EXPECT_TRUE(platform.endSession());
  EXPECT_EQ(std::count(log.begin(), log.end(), "main ends"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "login ends"), 1);
}

TEST(Services, MessageBoxesAreRecordedAndQuitKeepsItsCode) {
  HeadlessPlatform platform;
  int seen = 0;
  platform.onMessageBox = [&](const headless::MessageRecord& m) { seen += m.icon == MessageIcon::Critical; };
  platform.messageBox(u"Geslo je napačno!!!", u"Pisarion", MessageIcon::Critical);
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text, u"Geslo je napačno!!!");
  EXPECT_EQ(platform.messages()[0].caption, u"Pisarion");
  EXPECT_EQ(seen, 1);
  EXPECT_FALSE(platform.exitCode());
  platform.quit(0);
  EXPECT_EQ(platform.exitCode(), 0);
}

#pragma once
// A form on the headless platform holding one list control, with every event
// of the control written into a log in the order it is raised.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/headless/headless_platform.h"

template <class Control>
class ListTest : public ::testing::Test {
 protected:
  headless::HeadlessPlatform platform;
  gui::Form form{platform, "frmTest"};
  Control& list;
  std::vector<std::string> log;

  ListTest() : list(form.add<Control>("list")) {
    platform.setNow({{2026, 12, 7}, 10, 0, 0, 0});  // a Monday
    form.setPixelBounds({0, 0, 400, 600});
    form.show();
    list.move(10, 10, list.width(), list.height());
    list.Klik = [this] { log.push_back("Klik"); };
  }

  // The middle of row i's label on the screen.
  base::Point rowPoint(int i) {
    const base::Rect r = list.lblDan.at(i)->screenRect();
    return {r.x + 20, r.y + r.h / 2};
  }
  base::Point centre(const gui::Element& e) {
    const base::Rect r = e.screenRect();
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  base::Color pixelAt(base::Point screen) { return platform.shown(form).pixel(screen.x, screen.y); }
  std::string text(int i) {
    std::string out;
    for (char16_t c : list.lblDan.at(i)->text()) out += c < 128 ? char(c) : '?';
    return out;
  }
};

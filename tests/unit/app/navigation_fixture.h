#pragma once
// The diary fixture with the pointer: clicks on the main window's elements
// and the rows of its lists, and comparisons of button faces with the atlas.
#include "diary_fixture.h"
#include "skin/rects.h"

#include <functional>

class NavigationTest : public DiaryTest {
 protected:
  static constexpr const char* kRtf = "{\\rtf1\\ansi\\ansicpg1250 ";  // as the editor writes it
  void addText(const std::string& key, const std::string& text) { addEntry(key, kRtf + text + "\\par\r\n}\r\n"); }

  static base::Point centre(const gui::Element& e) {
    const base::Rect r = e.screenRect();
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  void pointAt(const gui::Element& e) { platform.moveMouse(centre(e)); }
  // Down and up on the element, with the clock standing still.
  void pressOn(const gui::Element& e, int button = gui::kLeftButton) {
    pointAt(e);
    platform.mouseDown(button);
    platform.mouseUp(button);
  }
  // A click in the middle of an element, well apart from the last one so
  // that two never make a double click.
  void clickOn(const gui::Element& e) {
    platform.click(centre(e));
    platform.advance(1000);
  }
  void clickRow(const controls::RowList& list, int row) {
    const base::Rect r = list.lblDan.at(row)->screenRect();
    platform.click({r.x + 10, r.y + r.h / 2});
    platform.advance(1000);
  }
  // A control inside one of the window's menus, by name.
  template <class T>
  T& inMenu(std::string_view menu, std::string_view name) {
    gui::Element* e = el(menu).find(name);
    if (!e) throw std::runtime_error(std::string(name) + " is not in " + std::string(menu));
    return dynamic_cast<T&>(*e);
  }
  // Whether a toolbar menu button passes `faceOk` in every face it shows:
  // at rest, each frame of the fade in under the pointer, and pressed. The
  // press opens its menu; a second press closes it again.
  bool everyFace(gui::PictureBox& button, const std::function<bool(skin::Row)>& faceOk) {
    pointAt(text());
    platform.advance(1000);
    bool all = faceOk(skin::Row::Rest);
    pointAt(button);
    for (skin::Row row : {skin::Row::Fade1, skin::Row::Fade2, skin::Row::Highlight}) {
      platform.advance(50);
      all = faceOk(row) && all;
    }
    platform.mouseDown();
    all = faceOk(skin::Row::Pressed) && all;
    platform.mouseUp();
    platform.advance(1000);
    platform.mouseDown();
    platform.mouseUp();
    pointAt(text());
    platform.advance(1000);
    return all;
  }
  // The row of a list whose tag is the text; 0 when none.
  static int rowOf(const controls::RowList& list, const std::string& tag) {
    for (int i = 1; i <= list.rowCount(); ++i)
      if (list.rowTag(i) == tag) return i;
    return 0;
  }
  static std::vector<std::string> tags(const controls::RowList& list) {
    std::vector<std::string> out;
    for (int i = 1; i <= list.rowCount(); ++i) out.push_back(list.rowTag(i));
    return out;
  }
  // Whether the surface shows the atlas rectangle (as much of it as fits) at `at`.
  bool shows(const gui::Surface& s, const base::Rect& atlasRect, base::Point at = {0, 0}) {
    const gui::Surface& atlas = diary->PictureGUI;
    for (int y = 0; y < atlasRect.h && at.y + y < s.height(); ++y)
      for (int x = 0; x < atlasRect.w && at.x + x < s.width(); ++x)
        if (s.pixel(at.x + x, at.y + y) != atlas.pixel(atlasRect.x + x, atlasRect.y + y)) return false;
    return true;
  }
  bool separatorsActive() {
    const gui::Surface& s = main().form().surface();
    return shows(s, skin::r::activeSeparator, {57, 26}) && shows(s, skin::r::activeSeparator, {180, 26}) &&
           shows(s, skin::r::activeSeparator, {223, 26});
  }
  bool separatorsInactive() {
    const gui::Surface& s = main().form().surface();
    return shows(s, skin::r::inactiveSeparator, {57, 26}) && shows(s, skin::r::inactiveSeparator, {180, 26}) &&
           shows(s, skin::r::inactiveSeparator, {223, 26});
  }
  bool formattingShown() {
    int shown = 0;
    for (gui::PictureBox* b : {&el("BtnKrepko"), &el("BtnLežeče"), &el("BtnPodčrtano"), &el("BtnPoravnaj"), &el("BtnSpremeniBarvo"),
                               &el("BtnSpremeniVelikost")})
      shown += b->visible();
    EXPECT_TRUE(shown == 0 || shown == 6) << shown << " of the six formatting buttons shown";
    return shown == 6;
  }
};

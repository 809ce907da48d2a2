// The size, colour and alignment menus of the real diary with real input: opened
// with a click, an entry chosen, the choice seen on the toolbar and saved in
// today's entry as rich text.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e_support.h"
#include "skin/atlas.h"
#include "skin/rects.h"

using namespace e2e;

namespace {

// In the main window's client pixels.
constexpr POINT kPoravnaj{183 + 20, 19 + 20};
constexpr POINT kVelikost{270 + 23, 19 + 20};
constexpr POINT kBarvo{226 + 21, 19 + 20};
constexpr POINT kVelikostMenu{272, 58};
constexpr POINT kPoravnajMenu{185, 58};
constexpr POINT kBarvoMenu{228, 58};
constexpr POINT kAway{450, 300};  // in the editor

// The atlas with the size button's digits for `size`.
gui::Surface atlasWithSize(int size) {
  gui::Surface s = skin::loadAtlas();
  skin::drawSizeDigits(s, size);
  return s;
}

// Points at a toolbar button (its face `left` pixels in, `width` wide) and
// waits for its highlight, the face a click then presses.
void hover(HWND main, POINT at, skin::ToolbarFace face, int left, int width) {
  gui::Surface atStart = atlasWithSize(9);
  skin::drawColourAreas(atStart, base::Color::rgb(0, 0, 0));
  pointAt(main, at);
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, atStart, {left, 19}, skin::toolbarFace(face, skin::Row::Highlight), width)); }));
}

std::optional<std::string> closeAndReadToday(Diary& diary, HWND main) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (diary.waitForExit() != 0u) return std::nullopt;
  return diary.decodedEntry(todayKey());
}

TEST(MenusEndToEnd, TheSizeMenuSetsTheSizeOfWhatIsTypedAndTheButtonShowsIt) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  const gui::Surface nine = atlasWithSize(9);
  // The menu's left edge, where no entry's text lies.
  const gui::Rect tile{291, 121, 2, 19};
  EXPECT_FALSE(showsFace(main, nine, {kVelikostMenu.x, kVelikostMenu.y + 1}, tile, tile.w));
  hover(main, kVelikost, skin::ToolbarFace::SpremeniVelikost, 270, 46);
  leftClick();
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, nine, {kVelikostMenu.x, kVelikostMenu.y + 1}, tile, tile.w)); }));
  // The entry for 14 pt, the sixth from the top.
  const POINT entry14{kVelikostMenu.x + 12, kVelikostMenu.y + 16 * 5 + 3 + 8};
  pointAt(main, entry14);
  EXPECT_TRUE(waitUntil([&] {
    return screenshot(main).pixel(kVelikostMenu.x + 2, kVelikostMenu.y + 16 * 5 + 2) == base::Color::rgb(70, 109, 167);
  }));
  saveScreenshot(main, "menus-velikost-open");
  leftClick();
  pointAt(main, kAway);
  EXPECT_TRUE(waitUntil([&] { return !showsFace(main, nine, {kVelikostMenu.x, kVelikostMenu.y + 1}, tile, tile.w); }));
  const gui::Surface fourteen = atlasWithSize(14);
  const gui::Rect rest = skin::toolbarFace(skin::ToolbarFace::SpremeniVelikost, skin::Row::Rest);
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, fourteen, {270, 19}, rest, 46)); }));
  typeText(L"velika");
  const auto rtf = closeAndReadToday(diary, main);
  ASSERT_TRUE(rtf);
  EXPECT_NE(rtf->find("\\fs28"), std::string::npos) << *rtf;
  EXPECT_NE(rtf->find("velika"), std::string::npos) << *rtf;
}

TEST(MenusEndToEnd, TheAlignmentMenuCentresTheParagraph) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"na sredini"));
  const gui::Surface atlas = atlasWithSize(9);
  hover(main, kPoravnaj, skin::ToolbarFace::PoravnajLevo, 183, 39);
  leftClick();
  pointAt(main, kAway);  // out from under the button's tip
  const gui::Rect menu = skin::r::mnuPoravnaj;
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, atlas, {kPoravnajMenu.x, kPoravnajMenu.y}, {menu.x, menu.y, 3, menu.h}, 3)); }));
  const POINT centreAt{kPoravnajMenu.x + 27, kPoravnajMenu.y + 3};
    using skin::ButtonState;
  // The 24-pixel faces show 23 × 23 in the items.
  auto item = [](ButtonState st) {
    const gui::Rect f = skin::alignmentItemFace(base::Alignment::Center, st);
    return gui::Rect{f.x, f.y, 23, 23};
  };
  EXPECT_TRUE(showsFace(main, atlas, centreAt, item(ButtonState::Rest), 23));
  pointAt(main, {centreAt.x + 11, centreAt.y + 11});
  EXPECT_TRUE(waitUntil([&] { return showsFace(main, atlas, centreAt, item(ButtonState::Hover), 23); }));
  saveScreenshot(main, "menus-poravnaj-open");
  leftClick();
  pointAt(main, kAway);
  EXPECT_TRUE(waitUntil([&] { return !showsFace(main, atlas, centreAt, item(ButtonState::Pressed), 23); }));
  // The alignment button has faded back to rest in the centred column.
  EXPECT_TRUE(waitUntil([&] {
    return bool(showsFace(main, atlas, {183, 19}, skin::toolbarFace(skin::ToolbarFace::PoravnajNaSredino, skin::Row::Rest), 39));
  }));
  const auto rtf = closeAndReadToday(diary, main);
  ASSERT_TRUE(rtf);
  EXPECT_NE(rtf->find("\\qc"), std::string::npos) << *rtf;
  EXPECT_NE(rtf->find("na sredini"), std::string::npos) << *rtf;
}

TEST(MenusEndToEnd, TheColourMenuColoursWhatIsTypedAndTheButtonShowsIt) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  hover(main, kBarvo, skin::ToolbarFace::SpremeniBarvo, 226, 43);
  leftClick();
  // Red, the second swatch of the third row.
  const POINT red{kBarvoMenu.x + 20 + 4 + 8, kBarvoMenu.y + 40 + 4 + 8};
  pointAt(main, red);
  const gui::Surface atlas = atlasWithSize(9);
  const gui::Rect ring = skin::r::swatchHover;
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, atlas, {red.x - 10, red.y - 10}, {ring.x, ring.y, ring.w, 2}, ring.w)); }));
  // The hover frame rings the swatch; the swatch itself is red.
  EXPECT_TRUE(showsFace(main, atlas, {red.x - 10, red.y - 10}, {ring.x, ring.y, ring.w, 2}, ring.w));
  EXPECT_TRUE(showsFace(main, atlas, {red.x - 10, red.y - 10}, {ring.x, ring.y, 2, ring.h}, 2));
  EXPECT_EQ(screenshot(main).pixel(red.x, red.y), base::Color::rgb(255, 0, 0));
  saveScreenshot(main, "menus-barvo-open");
  leftClick();
  pointAt(main, kAway);
  gui::Surface redAtlas = skin::loadAtlas();
  skin::drawColourAreas(redAtlas, base::Color::rgb(255, 0, 0));
  const gui::Rect rest = skin::toolbarFace(skin::ToolbarFace::SpremeniBarvo, skin::Row::Rest);
  EXPECT_TRUE(waitUntil([&] { return bool(showsFace(main, redAtlas, {226, 19}, rest, 43)); }));
  // The menu is closed: the swatch's place shows the editor again.
  EXPECT_NE(screenshot(main).pixel(red.x, red.y), base::Color::rgb(255, 0, 0));
  typeText(L"rdeče");
  const auto rtf = closeAndReadToday(diary, main);
  ASSERT_TRUE(rtf);
  EXPECT_NE(rtf->find("\\red255\\green0\\blue0;"), std::string::npos) << *rtf;
  EXPECT_NE(rtf->find("rde"), std::string::npos) << *rtf;
}

}  // namespace

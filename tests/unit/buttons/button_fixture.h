#pragma once
// A small window with the seven toolbar buttons, the three menus and the four
// caption buttons made from the main window's table, on the headless platform
// with the virtual clock and the text-model editor. Tests read what the
// window shows and name it by the atlas rectangle it matches.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_buttons.h"
#include "gui/form.h"
#include "platform/headless/headless_platform.h"
#include "shape/cls_trans_form.h"
#include "skin/atlas.h"
#include "skin/format_menus.h"
#include "skin/rects.h"
#include "skin/skinned_button.h"
#include "textmodel/text_editor.h"

class ButtonTest : public ::testing::Test {
 protected:
  static constexpr int kW = 596;
  static constexpr gui::Point kOrigin{100, 50};  // the window on the screen

  headless::HeadlessPlatform platform;
  gui::Surface atlas = skin::loadAtlas();
  textmodel::TextEditor editor;
  gui::Form form{platform, "frmMain"};
  bool onTop = false;
  int closeCommands = 0, miniCommands = 0, zložiCommands = 0, gesloCommands = 0, onTopApplied = 0;

  using Button = std::unique_ptr<skin::SkinnedButton>;
  Button BtnGeslo, BtnKrepko, BtnLežeče, BtnPodčrtano, BtnPoravnaj, BtnSpremeniBarvo, BtnSpremeniVelikost;
  Button BtnZapri, BtnMini, BtnZloži, BtnVednoNaVrhu;
  std::unique_ptr<skin::FormatMenus> menus;

  ButtonTest() {
    namespace mw = app::main_window;
    form.setBackColor(skin::kBodyColor);
    form.setPixelBounds({kOrigin.x, kOrigin.y, kW, 300});
    form.cls();
    editor.setText(u"ena dva tri");
    editor.setSelection(0, 3);
    const skin::EditorSource ed = [this] { return &editor; };
    auto make = [this](const char* name, const skin::ButtonSetup& setup, skin::ButtonLinks links = {}) {
      return std::make_unique<skin::SkinnedButton>(form.add<gui::PictureBox>(name), atlas, setup, std::move(links));
    };
    BtnGeslo = make("BtnGeslo", mw::kGeslo);
    BtnKrepko = make("BtnKrepko", mw::kKrepko, {.editor = ed});
    BtnLežeče = make("BtnLežeče", mw::kLežeče, {.editor = ed});
    BtnPodčrtano = make("BtnPodčrtano", mw::kPodčrtano, {.editor = ed});
    gui::PictureBox& poravnaj = form.add<gui::PictureBox>("BtnPoravnaj");
    gui::PictureBox& barvo = form.add<gui::PictureBox>("BtnSpremeniBarvo");
    gui::PictureBox& velikost = form.add<gui::PictureBox>("BtnSpremeniVelikost");
    menus = std::make_unique<skin::FormatMenus>(form, atlas, 183, 226, 270);
    gui::PictureBox* const menu[] = {&menus->mnuPoravnaj, &menus->mnuSpremniBarvo, &menus->mnuSpremeniVelikost};
    BtnPoravnaj = std::make_unique<skin::SkinnedButton>(poravnaj, atlas, mw::kPoravnaj,
                                                        skin::ButtonLinks{.editor = ed, .menu = menu[0]});
    BtnSpremeniBarvo = std::make_unique<skin::SkinnedButton>(barvo, atlas, mw::kSpremeniBarvo,
                                                             skin::ButtonLinks{.menu = menu[1]});
    BtnSpremeniVelikost = std::make_unique<skin::SkinnedButton>(velikost, atlas, mw::kSpremeniVelikost,
                                                                skin::ButtonLinks{.menu = menu[2]});
    for (skin::SkinnedButton* b : toolbar()) {
      b->place();
      b->closeMenus = [this] { menus->CloseMenus(); };
    }
    for (int i = 0; i < 3; ++i) toolbar()[4 + i]->closeMenus = [this, m = menu[i]] { menus->closeOthers(*m); };
    BtnGeslo->onCommand = [this] { ++gesloCommands; };

    BtnZapri = make("BtnZapri", mw::kZapri);
    BtnMini = make("BtnMini", mw::kMini);
    BtnZloži = make("BtnZloži", mw::kZloži);
    BtnVednoNaVrhu = make("BtnVednoNaVrhu", mw::kVednoNaVrhu, {.onTop = [this] { return onTop; }});
    shape::clsTransForm shaper;  // as the layout makes them round
    for (skin::SkinnedButton* b : {BtnZapri.get(), BtnMini.get(), BtnVednoNaVrhu.get(), BtnZloži.get()}) b->place();
    for (const char* name : {"BtnZapri", "BtnMini", "BtnVednoNaVrhu", "BtnZloži"})
      shaper.ShapeMe(dynamic_cast<gui::PictureBox&>(*form.find(name)), base::kKeyColor);
    for (skin::SkinnedButton* b : {BtnZapri.get(), BtnMini.get(), BtnZloži.get()})
      b->closeMenus = [this] { menus->CloseMenus(); };
    BtnZapri->onCommand = [this] { ++closeCommands; };
    BtnMini->onCommand = [this] { ++miniCommands; };
    BtnZloži->onCommand = [this] { ++zložiCommands; };
    BtnVednoNaVrhu->onCommand = [this] {
      onTop = !onTop;
      ++onTopApplied;
      form.setWindowPos(onTop ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost, form.pixelBounds());
    };
    form.show();
  }

  std::array<skin::SkinnedButton*, 7> toolbar() {
    return {BtnGeslo.get(),    BtnKrepko.get(),        BtnLežeče.get(),          BtnPodčrtano.get(),
            BtnPoravnaj.get(), BtnSpremeniBarvo.get(), BtnSpremeniVelikost.get()};
  }
  static bool isToolbar(const skin::SkinnedButton& b) { return b.box().height() == skin::kToolbarFaceHeight; }

  // The pointer to a point of an element, in the element's own pixels.
  void pointAt(const gui::Element& e, int x, int y) {
    const gui::Rect r = e.screenRect();
    platform.moveMouse({r.x + x, r.y + y});
  }
  void pointAt(const skin::SkinnedButton& b, int x, int y) { pointAt(b.box(), x, y); }
  // Well inside the button: a toolbar button's (20, 20), a round one's (6, 6).
  void pointAt(const skin::SkinnedButton& b) { pointAt(b.box(), isToolbar(b) ? 20 : 6, isToolbar(b) ? 20 : 6); }
  // Somewhere on the window away from every button and menu.
  void pointAway() { platform.moveMouse({kOrigin.x + 450, kOrigin.y + 250}); }
  void tick(int n = 1) { platform.advance(50 * n); }

  // Whether an area of a surface shows the atlas from `from` on: exact pixels,
  // except where the atlas is magenta (cut away by a round region).
  bool sameAs(const gui::Surface& s, gui::Rect at, gui::Point from) const {
    for (int y = 0; y < at.h; ++y)
      for (int x = 0; x < at.w; ++x) {
        const gui::Color want = atlas.pixel(from.x + x, from.y + y);
        if (want != base::kKeyColor && s.pixel(at.x + x, at.y + y) != want) return false;
      }
    return true;
  }
  // "Column Row" of the toolbar face or "Set State" of the caption face the
  // button shows on the screen, or "?".
  std::string shown(const skin::SkinnedButton& b) { return isToolbar(b) ? shownToolbar(b) : shownCaption(b); }
  std::string shownToolbar(const skin::SkinnedButton& b) {
    static const char* const columns[] = {"Geslo",        "KrepkoOn",     "KrepkoOff",         "LežečeOn",
                                          "LežečeOff",    "PodčrtanoOn",  "PodčrtanoOff",      "PoravnajLevo",
                                          "PoravnajDesno", "PoravnajNaSredino", "SpremeniBarvo", "SpremeniVelikost"};
    static const char* const rows[] = {"Highlight", "Fade2", "Fade1", "Rest", "Pressed"};
    const gui::Surface screen = platform.screenshot();
    const gui::Rect at = b.box().screenRect();
    for (int c = 0; c < skin::kToolbarFaceCount; ++c)
      for (skin::Row row : skin::kRows) {
        const auto f = static_cast<skin::ToolbarFace>(c);
        if (skin::toolbarFaceWidth(f) < at.w) continue;
        if (sameAs(screen, at, {skin::toolbarFace(f, row).x, skin::rowY(row)}))
          return std::string(columns[c]) + " " + rows[static_cast<int>(row)];
      }
    return "?";
  }
  std::string shownCaption(const skin::SkinnedButton& b) {
    static const char* const sets[] = {"Zapri", "Mini", "Zloži", "VednoNaVrhuOff", "VednoNaVrhuOn", "MiniZloži"};
    static const char* const states[] = {"Rest", "Hover", "Pressed"};
    const gui::Surface screen = platform.screenshot();
    const gui::Rect at = b.box().screenRect();
    for (int c = 0; c < skin::kCaptionButtonCount; ++c)
      for (skin::ButtonState s : skin::kButtonStates)
        if (const gui::Rect r = skin::captionFace(static_cast<skin::CaptionButton>(c), s);
            sameAs(screen, at, {r.x, r.y}))
          return std::string(sets[c]) + " " + states[static_cast<int>(s)];
    return "?";
  }

  // Lets the virtual clock run in small steps until the button shows `last`
  // (at most `limitMs`), and returns every face it showed on the way, in order.
  std::vector<std::string> framesUntil(const skin::SkinnedButton& b, const std::string& last, int limitMs = 2000) {
    std::vector<std::string> seen;
    std::string now = shown(b);
    for (int t = 0; t < limitMs && (seen.empty() || now != last); t += 10) {
      platform.advance(10);
      const std::string next = shown(b);
      if (next != now) seen.push_back(now = next);
    }
    return seen;
  }
};

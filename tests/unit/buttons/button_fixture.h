#pragma once
// A small window with the seven toolbar buttons, the three menus and the four
// caption buttons laid out as on the main window, on the headless platform
// with the virtual clock and the text-model editor. Tests read what the
// window shows and name it by the atlas rectangle it matches.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/headless/headless_platform.h"
#include "shape/cls_trans_form.h"
#include "skin/atlas.h"
#include "skin/caption_buttons.h"
#include "skin/format_menus.h"
#include "skin/rects.h"
#include "skin/toolbar_buttons.h"
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

  std::unique_ptr<skin::PasswordButton> BtnGeslo;
  std::unique_ptr<skin::FormatToggle> BtnKrepko, BtnLežeče, BtnPodčrtano;
  std::unique_ptr<skin::FormatMenus> menus;
  std::unique_ptr<skin::MenuButton> BtnPoravnaj, BtnSpremeniBarvo, BtnSpremeniVelikost;
  std::unique_ptr<skin::RoundButton> BtnZapri, BtnMini, BtnZloži;
  std::unique_ptr<skin::OnTopButton> BtnVednoNaVrhu;

  ButtonTest() {
    form.setBackColor(skin::kBodyColor);
    form.setPixelBounds({kOrigin.x, kOrigin.y, kW, 300});
    form.cls();
    editor.setText(u"ena dva tri");
    editor.setSelection(0, 3);
    const skin::EditorSource ed = [this] { return &editor; };
    auto box = [this](const char* name) -> gui::PictureBox& { return form.add<gui::PictureBox>(name); };

    BtnGeslo = std::make_unique<skin::PasswordButton>(box("BtnGeslo"), atlas, "tmrBtnGeslo", "tmrBtnGesloE");
    BtnKrepko = std::make_unique<skin::FormatToggle>(box("BtnKrepko"), atlas, "TmrBtnKrepko", "TmrBtnKrepkoE",
                                                     skin::FormatToggle::Format::Bold, ed);
    BtnLežeče = std::make_unique<skin::FormatToggle>(box("BtnLežeče"), atlas, "tmrBtnLežeče", "tmrBtnLežečeE",
                                                     skin::FormatToggle::Format::Italic, ed);
    BtnPodčrtano = std::make_unique<skin::FormatToggle>(box("BtnPodčrtano"), atlas, "TMRBtnPodčrtano",
                                                        "TMRBtnPodčrtanoE", skin::FormatToggle::Format::Underline, ed);
    gui::PictureBox& poravnaj = box("BtnPoravnaj");
    gui::PictureBox& barvo = box("BtnSpremeniBarvo");
    gui::PictureBox& velikost = box("BtnSpremeniVelikost");
    menus = std::make_unique<skin::FormatMenus>(form, atlas, 183, 226, 270);
    BtnPoravnaj = std::make_unique<skin::MenuButton>(poravnaj, atlas, "tmrBtnPoravnaj", "tmrBtnPoravnajE",
                                                     skin::ToolbarFace::PoravnajLevo, ed, menus->mnuPoravnaj);
    BtnSpremeniBarvo =
        std::make_unique<skin::MenuButton>(barvo, atlas, "tmrBtnSpremeniBarvo", "tmrBtnSpremeniBarvoE",
                                           skin::ToolbarFace::SpremeniBarvo, ed, menus->mnuSpremniBarvo);
    BtnSpremeniVelikost =
        std::make_unique<skin::MenuButton>(velikost, atlas, "tmrBtnSpremeniVelikost", "tmrBtnSpremeniVelikostE",
                                           skin::ToolbarFace::SpremeniVelikost, ed, menus->mnuSpremeniVelikost);
    const int lefts[] = {15, 60, 100, 140, 183, 226, 270};
    int i = 0;
    for (skin::ToolbarButton* b : toolbar()) {
      b->place(lefts[i++]);
      b->CloseMenus = [this] { menus->CloseMenus(); };
    }
    for (skin::MenuButton* m : {BtnPoravnaj.get(), BtnSpremeniBarvo.get(), BtnSpremeniVelikost.get()})
      m->closeOtherMenus = [this, m] { menus->closeOthers(m->menu()); };
    BtnGeslo->onCommand = [this] { ++gesloCommands; };

    BtnZapri = std::make_unique<skin::RoundButton>(box("BtnZapri"), atlas, form, "TmrBtnZapri",
                                                   skin::CaptionButton::Zapri);
    BtnMini = std::make_unique<skin::RoundButton>(box("BtnMini"), atlas, form, "TmrBtnMini",
                                                  skin::CaptionButton::Mini);
    BtnZloži = std::make_unique<skin::RoundButton>(box("BtnZloži"), atlas, form, "TmrBtnZloži",
                                                   skin::CaptionButton::Zloži);
    BtnVednoNaVrhu = std::make_unique<skin::OnTopButton>(box("BtnVednoNaVrhu"), atlas, "TmrBtnVednoNaVrhu",
                                                          [this] { return onTop; });
    BtnZapri->place(kW - 21);
    BtnMini->place(kW - 36);
    BtnVednoNaVrhu->place(kW - 54);
    BtnZloži->place(kW - 72);
    shape::clsTransForm shaper;  // as the layout makes them round
    for (skin::RoundButton* b : std::initializer_list<skin::RoundButton*>{BtnZapri.get(), BtnMini.get(),
                                                                         BtnVednoNaVrhu.get(), BtnZloži.get()})
      shaper.ShapeMe(b->Btn, base::kKeyColor);
    for (skin::RoundButton* b : {BtnZapri.get(), BtnMini.get(), BtnZloži.get()})
      b->CloseMenus = [this] { menus->CloseMenus(); };
    BtnZapri->onCommand = [this] { ++closeCommands; };
    BtnMini->onCommand = [this] { ++miniCommands; };
    BtnZloži->onCommand = [this] { ++zložiCommands; };
    BtnVednoNaVrhu->toggle = [this] {
      onTop = !onTop;
      ++onTopApplied;
      form.setWindowPos(onTop ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost, form.pixelBounds());
    };
    form.show();
  }

  std::array<skin::ToolbarButton*, 7> toolbar() {
    return {BtnGeslo.get(),    BtnKrepko.get(),        BtnLežeče.get(),          BtnPodčrtano.get(),
            BtnPoravnaj.get(), BtnSpremeniBarvo.get(), BtnSpremeniVelikost.get()};
  }

  // The pointer to a point of an element, in the element's own pixels.
  void pointAt(const gui::Element& e, int x, int y) {
    const gui::Rect r = e.screenRect();
    platform.moveMouse({r.x + x, r.y + y});
  }
  void pointAt(const skin::ToolbarButton& b, int x = 20, int y = 20) { pointAt(b.Btn, x, y); }
  void pointAt(const skin::RoundButton& b, int x = 6, int y = 6) { pointAt(b.Btn, x, y); }
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
  // "Column Row" of the toolbar face the button shows on the screen, or "?".
  std::string shown(const skin::ToolbarButton& b) {
    static const char* const columns[] = {"Geslo",        "KrepkoOn",     "KrepkoOff",         "LežečeOn",
                                          "LežečeOff",    "PodčrtanoOn",  "PodčrtanoOff",      "PoravnajLevo",
                                          "PoravnajDesno", "PoravnajNaSredino", "SpremeniBarvo", "SpremeniVelikost"};
    static const char* const rows[] = {"Highlight", "Fade2", "Fade1", "Rest", "Pressed"};
    const gui::Surface screen = platform.screenshot();
    const gui::Rect at = b.Btn.screenRect();
    for (int c = 0; c < skin::kToolbarFaceCount; ++c)
      for (skin::Row row : skin::kRows) {
        const auto f = static_cast<skin::ToolbarFace>(c);
        if (skin::toolbarFaceWidth(f) < at.w) continue;
        if (sameAs(screen, at, {skin::toolbarFace(f, row).x, skin::rowY(row)}))
          return std::string(columns[c]) + " " + rows[static_cast<int>(row)];
      }
    return "?";
  }
  // "Set State" of the caption face the button shows on the screen, or "?".
  std::string shown(const skin::RoundButton& b) {
    static const char* const sets[] = {"Zapri", "Mini", "Zloži", "VednoNaVrhuOff", "VednoNaVrhuOn", "MiniZloži"};
    static const char* const states[] = {"Rest", "Hover", "Pressed"};
    const gui::Surface screen = platform.screenshot();
    const gui::Rect at = b.Btn.screenRect();
    for (int c = 0; c < skin::kCaptionButtonCount; ++c)
      for (skin::ButtonState s : skin::kButtonStates)
        if (const gui::Rect r = skin::captionFace(static_cast<skin::CaptionButton>(c), s);
            sameAs(screen, at, {r.x, r.y}))
          return std::string(sets[c]) + " " + states[static_cast<int>(s)];
    return "?";
  }

  // Lets the virtual clock run in small steps until the button shows `last`
  // (at most `limitMs`), and returns every face it showed on the way, in order.
  template <class Button>
  std::vector<std::string> framesUntil(const Button& b, const std::string& last, int limitMs = 2000) {
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

// The tour: two scripted sessions of the diary on the headless screen, from
// the first start to the close, through every window and every state the
// user can reach: the main window on today and on a past day, each button
// pointed at and pressed, each menu and list open, the search with its
// results, the window dragged, the change-password dialog at each height,
// the fold into the mini clock and back through the lock screen, the taskbar
// and the next start's login. Each step's screen (and the message boxes
// shown on the way) and, at each end, every file the session left are
// compared with what tour.txt recorded, so that a change inside the program
// that should show nothing shows nothing, pixel for pixel and byte for byte.
//
// PISARION_RECORD_TOUR=1 writes tour.txt anew from this run (and the
// screens as PNG files under build/tour for people to look at); a step that
// differs writes its screen there too.
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <thread>

#include "app/frm_mini.h"
#include "app/frm_taskbar.h"
#include "gui/png.h"
#include "unit/app/navigation_fixture.h"

namespace {

const std::filesystem::path kRecord = std::filesystem::path(PISARION_SOURCE_DIR) / "tests/unit/tour/tour.txt";
const std::filesystem::path kScreens = std::filesystem::path(PISARION_SOURCE_DIR) / "build/tour";

struct Hash {
  uint64_t value = 1469598103934665603ull;
  void add(const void* data, size_t n) {
    for (size_t i = 0; i < n; ++i) value = (value ^ static_cast<const uint8_t*>(data)[i]) * 1099511628211ull;
  }
  void add(std::u16string_view s) { add(s.data(), s.size() * sizeof(char16_t)); }
  std::string hex() const {
    std::ostringstream out;
    out << std::hex << value;
    return out.str();
  }
};

std::map<std::string, std::string> readRecord() {
  std::map<std::string, std::string> out;
  std::ifstream in(kRecord);
  for (std::string name, hash; in >> name >> hash;) out[name] = hash;
  return out;
}

class Tour : public NavigationTest {
 protected:
  struct Step {
    std::string name;
    std::function<void()> act;
    enum class Seen { Screen, Files } seen = Seen::Screen;
  };

  bool recording = std::getenv("PISARION_RECORD_TOUR") != nullptr;
  std::map<std::string, std::string> recorded = readRecord();
  std::vector<std::pair<std::string, std::string>> seen;

  // What the user sees after the step: the screen and the messages shown.
  std::string screen(const std::string& name) {
    const gui::Surface s = platform.screenshot();
    Hash h;
    h.add(s.data(), size_t(s.width()) * s.height() * sizeof(uint32_t));
    for (const headless::MessageRecord& m : platform.messages()) h.add(m.text);
    platform.clearMessages();
    if (recording || recorded[name] != h.hex()) {
      std::filesystem::create_directories(kScreens);
      gui::writePng(s, kScreens / (name + ".png"));
    }
    return h.hex();
  }
  // Every file in the diary's folder, its name and its bytes.
  std::string files() {
    Hash h;
    std::vector<std::filesystem::path> paths;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
      if (e.is_regular_file()) paths.push_back(e.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
      const std::string rel = std::filesystem::relative(p, dir.path()).generic_string();
      const std::string bytes = dir.read(std::filesystem::relative(p, dir.path()));
      h.add(rel.data(), rel.size());
      h.add(bytes.data(), bytes.size());
    }
    return h.hex();
  }
  void run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      step.act();
      const std::string got = step.seen == Step::Seen::Files ? files() : screen(step.name);
      seen.emplace_back(step.name, got);
      if (!recording) {
        EXPECT_EQ(recorded[step.name], got) << "the tour differs at " << step.name;
      }
    }
    if (recording) {
      std::ofstream out(kRecord);
      for (const auto& [name, hash] : seen) out << name << ' ' << hash << '\n';
    }
  }

  gui::Form& form(const char* which) {
    if (std::string_view(which) == "login") return login().form();
    if (std::string_view(which) == "taskbar") return diary->taskbar().form();
    return main().form();
  }
  // A press and a release on a point of the main window, the clock standing still.
  void pressAt(int x, int y) {
    const base::Rect r = window(main().form()).bounds();
    platform.moveMouse({r.x + x, r.y + y});
    platform.mouseDown();
    platform.mouseUp();
  }
  bool waitForSearch() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (label("lblSearchStatus").text().empty() ||
           label("lblSearchStatus").text().find(u"Berem") != std::u16string::npos) {
      if (std::chrono::steady_clock::now() > end) return false;
      // The worker reads in real time; the virtual clock stands, so that
      // every later step falls at the same virtual time in every run.
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      platform.advance(0);
    }
    return true;
  }
  void enter(std::u16string_view text) {
    platform.typeText(text);
    platform.keyDown(gui::kKeyReturn);
  }
  // Each pointed at till its highlight shows; the toolbar's pressed too and
  // released, which toggles a format or opens a menu.
  void addButtons(std::vector<Step>& steps) {
    for (const char* b : {"BtnKrepko", "BtnLežeče", "BtnPodčrtano", "BtnGeslo", "BtnZapri", "BtnMini",
                          "BtnVednoNaVrhu", "BtnZloži", "BtnLeta", "BtnMesec"}) {
      steps.push_back({std::string("point-") + b, [this, b] {
                         pointAt(el(b));
                         platform.advance(200);
                       }});
    }
    for (const char* b : {"BtnKrepko", "BtnLežeče", "BtnPodčrtano"}) {
      steps.push_back({std::string("press-") + b, [this, b] {
                         pointAt(el(b));
                         platform.mouseDown();
                       }});
      steps.push_back({std::string("release-") + b, [this] {
                         platform.mouseUp();
                         platform.advance(200);
                       }});
    }
    steps.push_back({"typed-formatted", [this] { type(u" krepko, ležeče, podčrtano"); }});
  }
  // Each toolbar menu opened, an item pointed at and chosen.
  void addMenus(std::vector<Step>& steps) {
    const std::pair<const char*, const char*> menus[] = {{"BtnPoravnaj", "mnuBtnPoravnajNaSredino"},
                                                         {"BtnSpremeniBarvo", "picBarva(5)"},
                                                         {"BtnSpremeniVelikost", "lblVelikost(4)"}};
    for (const auto& [button, item] : menus) {
      steps.push_back({std::string("press-") + button, [this, button = button] {
                         pointAt(el(button));
                         platform.advance(200);
                         platform.mouseDown();
                       }});
      steps.push_back({std::string("open-") + button, [this] {
                         platform.mouseUp();
                         platform.advance(200);
                       }});
      steps.push_back({std::string("point-") + item, [this, item = item] {
                         platform.moveMouse(centre(*main().form().find(item)));
                         platform.advance(200);
                       }});
      steps.push_back({std::string("choose-") + item, [this] {
                         platform.mouseDown();
                         platform.mouseUp();
                         platform.advance(1000);
                       }});
    }
    steps.push_back({"typed-in-the-chosen-format", [this] { type(u" in še nekaj"); }});
  }
};

TEST_F(Tour, EveryWindowInEveryStateLooksAndStoresAsRecorded) {
  addText("12-01-2026", "Prvi dan meseca, \\b krepko\\b0 .");
  addText("11-15-2026", "Sredi novembra.");
  addText("03-02-2025", "Lani spomladi.");
  writeSettings({1500, 1500, false, u""});
  std::vector<Step> steps = {
      {"today", [this] { start(); }},
      {"typed", [this] { type(u"Danes je bil lep dan."); }},
  };
  addButtons(steps);
  addMenus(steps);
  const std::vector<Step> rest = {
      {"past-day", [this] { clickRow(days(), rowOf(days(), "12-01-2026")); }},
      {"back-to-today", [this] { clickRow(days(), rowOf(days(), "12-07-2026")); }},
      {"year-list-open", [this] { clickOn(el("BtnLeta")); }},
      {"year-list-pointed", [this] {
         const base::Rect r = yearList().lblDan.at(1)->screenRect();
         platform.moveMouse({r.x + 10, r.y + r.h / 2});
         platform.advance(200);
       }},
      {"year-list-closed", [this] { clickOn(el("BtnLeta")); }},
      {"month-list-open", [this] { clickOn(el("BtnMesec")); }},
      {"month-chosen", [this] { clickRow(monthList(), rowOf(monthList(), "11")); }},
      {"past-month-day", [this] { clickRow(days(), 1); }},
      {"month-back", [this] {
         clickOn(el("BtnMesec"));
         clickRow(monthList(), rowOf(monthList(), "12"));
         clickRow(days(), rowOf(days(), "12-07-2026"));
       }},
      {"search-open", [this] { platform.keyDown('F', gui::kCtrl); }},
      {"search-typed", [this] { platform.typeText(u"dan"); }},
      {"search-results", [this] {
         platform.keyDown(gui::kKeyReturn);
         ASSERT_TRUE(waitForSearch());
       }},
      {"search-result-chosen", [this] { clickRow(days(), 2); }},
      {"search-close-pointed", [this] {
         pointAt(el("BtnSearchClose"));
         platform.advance(200);
       }},
      {"search-closed", [this] {
         clickOn(el("BtnSearchClose"));
         clickRow(days(), rowOf(days(), "12-07-2026"));
       }},
      {"dragged", [this] {
         const base::Rect r = window(main().form()).bounds();
         platform.moveMouse({r.x + 200, r.y + 10});
         platform.mouseDown();
         platform.moveMouse({r.x + 230, r.y + 30});
         platform.mouseUp();
         platform.advance(200);
       }},
      {"on-top", [this] { clickOn(el("BtnVednoNaVrhu")); }},
      {"password-dialog", [this] { clickOn(el("BtnGeslo")); }},
      {"password-wrong", [this] { enter(u"x"); }},
      {"password-confirmed", [this] {
         platform.keyDown(gui::kKeyBack);
         platform.keyDown(gui::kKeyReturn);
       }},
  };
  steps.insert(steps.end(), rest.begin(), rest.end());
  for (int tick = 1; tick <= 8; ++tick)
    steps.push_back({"password-grows-" + std::to_string(tick), [this] { platform.advance(50); }});
  const std::vector<Step> more = {
      {"password-new", [this] { enter(u"abc"); }},
      {"password-mismatch", [this] { enter(u"abd"); }},
      {"password-new-again", [this] { enter(u"abc"); }},
      {"password-repeated", [this] { platform.typeText(u"abc"); }},
      {"password-changed", [this] { platform.keyDown(gui::kKeyReturn); }},
  };
  steps.insert(steps.end(), more.begin(), more.end());
  for (int step = 1; step <= 4; ++step)
    steps.push_back({"password-leaves-" + std::to_string(step), [this] { platform.advance(250); }});
  steps.push_back({"password-gone", [this] { platform.advance(2000); }});
  steps.push_back({"fold-pressed", [this] {
                     pointAt(el("BtnZloži"));
                     platform.advance(200);
                     platform.mouseDown();
                     platform.mouseUp();
                   }});
  for (int tick = 1; tick <= 8; ++tick)
    steps.push_back({"fold-" + std::to_string(tick), [this] { platform.advance(50); }});
  const std::vector<Step> clock = {
      {"clock-ticks", [this] { platform.advance(1000); }},
      {"clock-unfold-pointed", [this] {
         const base::Rect r = window(diary->mini().form()).bounds();
         platform.moveMouse({r.x + 71, r.y + 11});
         platform.advance(200);
       }},
      {"lock-screen", [this] {
         platform.mouseDown();
         platform.mouseUp();
         platform.advance(100);
       }},
      {"lock-typed", [this] { platform.typeText(u"ab"); }},
      {"lock-blinks", [this] { platform.advance(500); }},
      {"lock-wrong", [this] { enter(u"d"); }},
      {"lock-empty-blinks", [this] {
         platform.typeText(u"a");
         platform.keyDown(gui::kKeyBack);
         platform.advance(500);
       }},
      {"unfold-1", [this] { enter(u"abc"); }},
      {"unfold-2", [this] { platform.advance(150); }},
      {"unfolded", [this] { platform.advance(1000); }},
      {"minimised", [this] {
         clickOn(el("BtnMini"));
         platform.advance(200);
       }},
      {"restored-locked", [this] {
         platform.restoreFromTaskbar(form("taskbar"));
         platform.advance(200);
       }},
      {"restored", [this] {
         enter(u"abc");
         platform.advance(1000);
       }},
      {"closed", [this] {
         clickOn(el("BtnZapri"));
         ASSERT_TRUE(diary->ended());
       }},
      {"files-after-first-session", [this] { diary.reset(); }, Step::Seen::Files},
      {"next-start-login", [this] { start(); }},
      {"next-start-blinks", [this] { platform.advance(500); }},
      {"next-start-typed", [this] { platform.typeText(u"abc"); }},
      {"next-start-main", [this] {
         platform.keyDown(gui::kKeyReturn);
         platform.advance(200);
       }},
      {"next-start-closed", [this] {
         clickOn(el("BtnZapri"));
         diary.reset();
       }},
      {"files-after-second-session", [] {}, Step::Seen::Files},
  };
  steps.insert(steps.end(), clock.begin(), clock.end());
  run(steps);
}

}  // namespace

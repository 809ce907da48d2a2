// What a screen reader is told of each window, as the user would hear it:
// every control's role, name, state and value in the states the windows
// reach, and the changes it is told of as the user works.
#include "app/frm_mini.h"
#include "app/frm_spremeni_geslo.h"
#include <chrono>
#include <map>
#include <thread>

#include "base/cp1250.h"
#include "navigation_fixture.h"

namespace {

const char* roleName(gui::AccRole role) {
  switch (role) {
    case gui::AccRole::Window: return "window";
    case gui::AccRole::TitleBar: return "title bar";
    case gui::AccRole::ToolBar: return "tool bar";
    case gui::AccRole::PushButton: return "button";
    case gui::AccRole::MenuButton: return "menu button";
    case gui::AccRole::MenuPopup: return "menu";
    case gui::AccRole::MenuItem: return "menu item";
    case gui::AccRole::List: return "list";
    case gui::AccRole::ListItem: return "item";
    case gui::AccRole::ComboBox: return "combo box";
    case gui::AccRole::Text: return "text";
    case gui::AccRole::StaticText: return "static text";
    case gui::AccRole::Clock: return "clock";
  }
  return "?";
}

// One line per node, as a reader says it: role "name" = value [states].
void outline(const gui::AccNode& n, std::vector<std::string>& lines) {
  std::string line = std::string(roleName(n.role)) + " \"" + base::utf16ToUtf8(n.name) + "\"";
  if (!n.value.empty()) line += " = " + base::utf16ToUtf8(n.value);
  const std::pair<uint32_t, const char*> states[] = {
      {gui::kAccPressed, "pressed"},       {gui::kAccSelected, "selected"}, {gui::kAccFocused, "focused"},
      {gui::kAccProtected, "protected"},   {gui::kAccReadOnly, "read-only"}, {gui::kAccUnavailable, "unavailable"},
      {gui::kAccExpanded, "expanded"},     {gui::kAccCollapsed, "collapsed"},       {gui::kAccChecked, "checked"}};
  for (const auto& [bit, word] : states)
    if (n.state & bit) line += std::string(" ") + word;
  lines.push_back(line);
  for (const gui::AccNode& c : n.children) outline(c, lines);
}

const gui::AccNode* named(const gui::AccNode& n, const std::u16string& name) {
  if (n.name == name) return &n;
  for (const gui::AccNode& c : n.children)
    if (const gui::AccNode* found = named(c, name)) return found;
  return nullptr;
}

enum class Window { Main, Login, ChangePassword, Clock, Year };

// What the user does before listening: keys ("^B" Ctrl+B, "Tab", "Up",
// "Enter"), typing ("'words"), clicks on a control ("@BtnLeta"), a reader's
// default action on the main window's node of that name ("!Krepko").
struct Scene {
  const char* name;
  bool password;
  std::vector<std::string> steps;
  Window window;
  std::vector<std::string> heard;    // lines the outline holds
  std::vector<std::string> unheard;  // lines it must not hold
};

void PrintTo(const Scene& scene, std::ostream* os) { *os << scene.name; }

class Listening : public NavigationTest {
 protected:
  gui::Form& form(Window w) {
    switch (w) {
      case Window::Main: return main().form();
      case Window::Login: return login().form();
      case Window::ChangePassword: return diary->spremeniGeslo().form();
      case Window::Clock: return diary->mini().form();
      case Window::Year:
        for (headless::HeadlessWindow* w : platform.windows())
          if (w->form().name() == "frmLeto") return w->form();
    }
    return main().form();
  }
  void step(const std::string& s) {
    if (s == "wait") {  // for the search's worker, in real time
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (el<gui::Label>("lblSearchStatus").text().find(u"Berem") != std::u16string::npos &&
             std::chrono::steady_clock::now() < end) {
        platform.advance(50);
        std::this_thread::yield();
      }
      return;
    }
    if (s[0] == '^' && s[1] == '^') return platform.keyDown(s[2], gui::kCtrl | gui::kShift);
    if (s[0] == '^') return platform.keyDown(s[1], gui::kCtrl);
    if (s[0] == '!') {
      const gui::AccNode tree = main().form().describe();
      const gui::AccNode* node = named(tree, base::utf8ToUtf16(s.substr(1)));
      ASSERT_TRUE(node && node->doDefault) << s;
      return node->doDefault();
    }
    if (s[0] == '@') return clickOn(el(s.substr(1)));
    if (s[0] == '\'') return platform.typeText(base::utf8ToUtf16(s.substr(1)));
    static const std::map<std::string, int> keys{
        {"Tab", gui::kKeyTab}, {"Up", gui::kKeyUp}, {"Down", gui::kKeyDown}, {"Enter", gui::kKeyReturn},
        {"Left", gui::kKeyLeft}, {"Right", gui::kKeyRight}};
    if (s == "S-Tab") return platform.keyDown(gui::kKeyTab, gui::kShift);
    platform.keyDown(keys.at(s), 0);
  }
};

class AccessibilityTest : public Listening, public ::testing::WithParamInterface<Scene> {};

const std::vector<std::string> kMainAtRest = {
    "window \"Pisarion\"",
    "tool bar \"Orodna vrstica\"",
    "button \"Spremeni Geslo... (Ctrl+G)\"",
    "button \"Krepko\"",
    "menu button \"Nastavi Postavitev Pisave...\" collapsed",
    "menu button \"Barva pisave\" collapsed",
    "text \"Zapis za danes\" focused",
    "combo box \"Leto\" = 2026 collapsed",
    "combo box \"Mesec\" = december collapsed",
    "list \"Dnevi\"",
    "item \"Danes (07. ponedeljek)\" selected",
    "item \"06. nedelja\"",
    "button \"Zloži Dnevnik (In Prikaži Na Vrhu) (Ctrl+M)\"",
    "button \"Prikaži Dnevnik Na Vrhu (Ctrl+T)\"",
    "button \"Zapri in Shrani Dnevnik (Ctrl+W)\"",
};

const Scene kScenes[] = {
    {"TodayAtRest", false, {}, Window::Main, kMainAtRest, {"button \"Krepko\" pressed"}},
    {"BoldIsPressed", false, {"^B", "'x"}, Window::Main, {"button \"Krepko\" pressed"}, {}},
    {"AlignmentMenuOpen", false, {"@BtnPoravnaj"}, Window::Main,
     {"menu button \"Nastavi Postavitev Pisave...\" expanded", "menu \"Nastavi Postavitev Pisave...\"",
      "menu item \"Poravnaj Levo (Ctrl+L)\" checked", "menu item \"Poravnaj Na Sredino (Ctrl+Shift+E)\"", "menu item \"Poravnaj Desno (Ctrl+R)\""},
     {}},
    {"SizeMenuOpen", false, {"@BtnSpremeniVelikost"}, Window::Main,
     {"menu item \"8\"", "menu item \"9\" checked", "menu item \"72\""}, {}},
    {"SizeMenuByKeys", false, {"S-Tab", "Left", "Down", "Down"}, Window::Main,
     {"menu button \"Velikost pisave\" expanded", "menu item \"9\" checked", "menu item \"10\" focused"},
     {"menu button \"Velikost pisave\" focused expanded"}},
    {"AlignedRightByKeys", false, {"S-Tab", "Left", "Left", "Left", "Enter", "Left", "Enter", "Enter"}, Window::Main,
     {"menu item \"Poravnaj Levo (Ctrl+L)\"", "menu item \"Poravnaj Desno (Ctrl+R)\" focused checked"}, {}},
    {"AReaderOpensTheSizes", false, {"!Velikost pisave"}, Window::Main, {"menu button \"Velikost pisave\" expanded"}, {}},
    {"AReaderChoosesFourteen", false, {"!Velikost pisave", "!14", "!Velikost pisave"}, Window::Main,
     {"menu item \"14\" checked"}, {}},
    {"AReaderAlignsRight", false,
     {"!Nastavi Postavitev Pisave...", "!Poravnaj Desno (Ctrl+R)", "!Nastavi Postavitev Pisave..."}, Window::Main,
     {"menu item \"Poravnaj Desno (Ctrl+R)\" checked"}, {}},
    {"AReaderClosesAnOpenMenu", false, {"!Barva pisave", "!Barva pisave"}, Window::Main,
     {"menu button \"Barva pisave\" collapsed"}, {}},
    {"AReaderKeepsOnTop", false, {"!Prikaži Dnevnik Na Vrhu (Ctrl+T)"}, Window::Main,
     {"button \"Prikaži Dnevnik Na Vrhu (Ctrl+T)\" pressed"}, {}},
    {"PastDayIsReadOnly", false, {"Tab", "Up"}, Window::Main,
     {"text \"Zapis za nedelja, 6. december 2026, samo za branje\" read-only",
      "item \"06. nedelja\" selected focused"},
     {"button \"Krepko\"", "text \"Zapis za danes\" focused"}},
    {"YearListOpen", false, {"@BtnLeta"}, Window::Main,
     {"combo box \"Leto\" = 2026 expanded", "list \"Leto\"", "item \"2026\" selected focused"}, {}},
    {"Searching", false, {"^F", "'sesti", "Enter", "wait"}, Window::Main,
     {"text \"Iskanje\" = sesti focused", "button \"Končaj iskanje\"", "static text \"1 dan\"",
      "item \"06. 12. 2026 (nedelja)\""},
     {"combo box \"Leto\" = 2026 collapsed"}},
    {"Login", true, {}, Window::Login, {"text \"Geslo\" focused protected"}, {}},
    {"ChangePassword", false, {"@BtnGeslo"}, Window::ChangePassword,
     {"text \"Trenutno geslo\" focused protected", "text \"Novo geslo\" protected unavailable",
      "text \"Ponovite novo geslo\" protected unavailable"},
     {}},
    {"YearAtAGlance", false, {"^^D"}, Window::Year,
     {"static text \"Leto na pogled\"", "static text \"Leto\" = 2026", "button \"Zapri\"",
      "list \"Dnevi leta 2026\"", "item \"6. december 2026: 1 beseda\"", "item \"31. december 2026: ni zapisa\"",
      "static text \"Dni z zapisi\" = 2026: 1, ves dnevnik: 1"},
     {"button \"Prejšnje leto\""}},
    {"Clock", false, {"@BtnZloži"}, Window::Clock,
     {"clock \"Ura\" = 10:00", "button \"Raztegni Dnevnik (Ctrl+M)\"", "button \"Zapri in Shrani Dnevnik (Ctrl+W)\""}, {}},
};

TEST_P(AccessibilityTest, AReaderHearsEveryControl) {
  const Scene& scene = GetParam();
  if (scene.password) writeSettings({2220, 1500, false, u"Geslo1"});
  addText("12-06-2026", "sesti");
  start();
  for (const std::string& s : scene.steps) step(s);
  platform.advance(2000);
  std::vector<std::string> lines;
  outline(form(scene.window).describe(), lines);
  std::string all;
  for (const std::string& l : lines) all += "  " + l + "\n";
  for (const std::string& want : scene.heard)
    EXPECT_NE(std::find(lines.begin(), lines.end(), want), lines.end()) << want << "\nnot in\n" << all;
  for (const std::string& not_ : scene.unheard)
    EXPECT_EQ(std::find(lines.begin(), lines.end(), not_), lines.end()) << not_ << "\nin\n" << all;
}

INSTANTIATE_TEST_SUITE_P(Windows, AccessibilityTest, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// What a reader is told as the user acts: the event and the node it names.
struct Telling {
  const char* name;
  std::vector<std::string> before, steps;
  gui::AccEvent event;
  const char* about;
};
void PrintTo(const Telling& t, std::ostream* os) { *os << t.name; }

const Telling kTellings[] = {
    {"TabToTheDayList", {}, {"Tab"}, gui::AccEvent::Focus, "Danes (07. ponedeljek)"},
    {"RightAlongTheToolbar", {"S-Tab"}, {"Right"}, gui::AccEvent::Focus, "Krepko"},
    {"DownInAnOpenMenu", {"S-Tab", "Left", "Down"}, {"Down"}, gui::AccEvent::Focus, "10"},
    {"UpChoosesTheDayAbove", {"Tab"}, {"Up"}, gui::AccEvent::Selection, "06. nedelja"},
    {"BoldTurnsOn", {}, {"^B", "'x"}, gui::AccEvent::StateChange, "Krepko"},
    {"AMenuOpens", {}, {"@BtnSpremeniBarvo"}, gui::AccEvent::MenuStart, "Barva pisave"},
    {"AMenuCloses", {"@BtnSpremeniBarvo"}, {"@BtnSpremeniBarvo"}, gui::AccEvent::MenuEnd, "Pisarion"},
    {"TheYearListOpens", {}, {"@BtnLeta"}, gui::AccEvent::StateChange, "Leto"},
};

class TellingTest : public Listening, public ::testing::WithParamInterface<Telling> {};

TEST_P(TellingTest, AReaderIsToldWhatChanged) {
  const Telling& t = GetParam();
  addText("12-06-2026", "sesti");
  start();
  for (const std::string& s : t.before) step(s);
  platform.advance(2000);
  const gui::AccNode before = main().form().describe();
  for (const std::string& s : t.steps) step(s);
  platform.advance(2000);
  const gui::AccNode after = main().form().describe();
  std::string told;
  bool found = false;
  for (const gui::AccChange& c : gui::accChanges(before, after)) {
    const std::string about = base::utf16ToUtf8(gui::accNodeAt(after, c.id)->name);
    told += std::to_string(static_cast<int>(c.event)) + " " + about + "\n";
    found = found || (c.event == t.event && about == t.about);
  }
  EXPECT_TRUE(found) << "told only:\n" << told;
}

INSTANTIATE_TEST_SUITE_P(Changes, TellingTest, ::testing::ValuesIn(kTellings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace


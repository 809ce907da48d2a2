// Every label of the main window, and the title, reads at least 4.5 : 1
// (WCAG's contrast ratio) against what the window shows behind it: in the
// tests' block font a label's text is boxes of its colour, and its
// background the commonest other colour in its place.
#include <cmath>
#include <map>

#include "controls/datumi.h"
#include "controls/row_list.h"
#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

double luminance(base::Color c) {
  double sum = 0;
  for (auto [v, weight] : {std::pair{c.r(), 0.2126}, {c.g(), 0.7152}, {c.b(), 0.0722}}) {
    const double s = v / 255.0;
    sum += weight * (s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
  }
  return sum;
}

// nullopt where no text of that colour shows (covered by a list or menu).
std::optional<double> contrastAt(const gui::Surface& s, gui::Rect r, base::Color text) {
  std::map<uint32_t, int> others;
  int textPixels = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) s.pixel(x, y) == text ? ++textPixels : ++others[s.pixel(x, y).colorref()];
  if (!textPixels || others.empty()) return std::nullopt;
  const auto back = std::max_element(others.begin(), others.end(), [](auto a, auto b) { return a.second < b.second; });
  const double a = luminance(text), b = luminance(base::Color::rgb(back->first & 0xFF, (back->first >> 8) & 0xFF, back->first >> 16));
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

void check(const gui::Container& c, const gui::Surface& s, const std::string& scene) {
  for (const auto& e : c.children()) {
    if (!e->shown()) continue;
    if (e->kind() == gui::ElementKind::Label) {
      gui::Rect r = e->formRect();  // as far as its parents let it show
      for (const gui::Element* p = e->parentElement(); p; p = p->parentElement()) r = r.intersect(p->formRect());
      const auto ratio = contrastAt(s, r, static_cast<const gui::Label&>(*e).foreColor());
      if (ratio) {
        EXPECT_GE(*ratio, 4.5) << scene << ": " << e->name();
      }
    }
    check(*e, s, scene);
  }
}

class ContrastTest : public NavigationTest, public ::testing::WithParamInterface<std::vector<std::string>> {};

// Each scene: elements clicked in turn; "#k" rests the pointer on day row k.
TEST_P(ContrastTest, EveryLabelReadsAtLeastFourAndAHalfToOne) {
  addText("11-02-2026", "november");
  for (int d = 1; d <= 6; ++d) addText("12-0" + std::to_string(d) + "-2026", "dan");
  start();
  gui::Form& f = main().form();
  auto& days = static_cast<controls::RowList&>(*f.find("Datumi1"));
  for (const std::string& step : GetParam())
    step[0] == '#' ? platform.moveMouse(centre(*days.lblDan.at(std::stoi(step.substr(1))))) : clickOn(*f.find(step));
  check(f, platform.shown(f), GetParam().empty() ? "start" : GetParam().back());
  EXPECT_GE(contrastAt(platform.shown(f), f.find("PicNaslov")->formRect(), skin::kTextBlue).value_or(0), 4.5);
}

INSTANTIATE_TEST_SUITE_P(Main, ContrastTest,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"lblDan(6)", "#5"},
                                           std::vector<std::string>{"lblLeto"}, std::vector<std::string>{"lblMesec"},
                                           std::vector<std::string>{"BtnSpremeniVelikost"}));

// Windows' high contrast turned on (before the start, or while the diary
// runs) and off again, with today or a past day on screen: the editor's page
// and the day list take the system's colours, every label still reads, and
// the skin's come back.
struct Switch {
  bool pastDay, atStart;
};

class HighContrastTest : public NavigationTest, public ::testing::WithParamInterface<Switch> {};

TEST_P(HighContrastTest, TheEditorAndTheDayListTakeTheSystemsColours) {
  const auto [pastDay, atStart] = GetParam();
  const gui::ContrastColours scheme{base::Color::rgb(0, 0, 0),     base::Color::rgb(255, 255, 255),
                                    base::Color::rgb(26, 235, 255), base::Color::rgb(0, 0, 0),
                                    base::Color::rgb(64, 64, 64),   base::Color::rgb(255, 255, 255)};
  for (int d = 1; d <= 6; ++d) addText("12-0" + std::to_string(d) + "-2026", "dan");
  if (atStart) platform.setHighContrast(scheme);
  start();
  gui::Form& f = main().form();
  auto& days = static_cast<controls::RowList&>(*f.find("Datumi1"));
  if (pastDay) clickOn(*days.lblDan.at(2));
  if (!atStart) platform.setHighContrast(scheme);
  // The commonest colour of a row: its background, the text taking less.
  const auto inRow = [&](int row) {
    const gui::Rect r = days.lblDan.at(row)->formRect().intersect(days.Območje->formRect());
    std::map<uint32_t, int> seen;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) ++seen[platform.shown(f).pixel(x, y).colorref()];
    return base::Color::fromColorref(
        std::max_element(seen.begin(), seen.end(), [](auto a, auto b) { return a.second < b.second; })->first);
  };
  const auto page = [&] { return platform.shown(f).pixel(200, 450); };
  const int chosen = pastDay ? 2 : days.rowCount(), saturday = 5;  // the rows run from the 1st to today
  EXPECT_EQ(page(), pastDay ? scheme.buttonFace : scheme.window);
  EXPECT_EQ(inRow(saturday), scheme.window);
  EXPECT_EQ(inRow(chosen), scheme.highlight);
  EXPECT_EQ(days.lblDan.at(chosen)->foreColor(), scheme.highlightText);
  check(f, platform.shown(f), "high contrast");
  platform.setHighContrast(std::nullopt);
  EXPECT_EQ(page(), pastDay ? skin::kPaleBlue : base::Color::rgb(255, 255, 255));
  EXPECT_EQ(inRow(saturday), controls::kSobota);
  EXPECT_EQ(inRow(chosen), skin::kLightBlue);
}

INSTANTIATE_TEST_SUITE_P(Main, HighContrastTest,
                         ::testing::Values(Switch{false, false}, Switch{true, false}, Switch{false, true},
                                           Switch{true, true}));

}  // namespace

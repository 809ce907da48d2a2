// Every label of the main window, and the title, reads at least 4.5 : 1
// against what lies behind it (WCAG's contrast ratio), measured from the
// pixels the window shows: in the block font of the tests a label's text is
// boxes of its colour, and its background the commonest other colour there.
#include <chrono>
#include <cmath>
#include <map>
#include <thread>

#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

double luminance(base::Color c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r()) + 0.7152 * channel(c.g()) + 0.0722 * channel(c.b());
}

double contrast(base::Color a, base::Color b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a rectangle of the shown window holds in the text colour, and the
// commonest other colour; nullopt when no text shows there.
std::optional<double> textContrast(const gui::Surface& s, gui::Rect r, base::Color text) {
  r = r.intersect(s.bounds());
  std::map<uint32_t, int> counts;
  int textPixels = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) {
      const base::Color c = s.pixel(x, y);
      if (c == text) ++textPixels;
      else ++counts[c.colorref()];
    }
  if (textPixels == 0 || counts.empty()) return std::nullopt;
  auto most = counts.begin();
  for (auto it = counts.begin(); it != counts.end(); ++it)
    if (it->second > most->second) most = it;
  const uint32_t ref = most->first;
  return contrast(text, base::Color::rgb(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF));
}

// The part of an element that its parents let show.
gui::Rect shownRect(const gui::Element& e) {
  gui::Rect r = e.formRect();
  for (const gui::Element* p = e.parentElement(); p; p = p->parentElement()) r = r.intersect(p->formRect());
  return r;
}

void collectLabels(const gui::Container& c, std::vector<const gui::Label*>& out) {
  for (const auto& child : c.children()) {
    if (!child->shown()) continue;
    if (child->kind() == gui::ElementKind::Label) out.push_back(static_cast<const gui::Label*>(child.get()));
    collectLabels(*child, out);
  }
}

struct Scene {
  const char* story;
  const char* opener;  // clicked (nullptr: nothing)
  int hoveredDay;      // the pointer rests on this row of the day list (0: none)
  int chosenDay;       // this row of the day list clicked first (0: none)
  const char16_t* search = nullptr;  // searched for with Ctrl+F and Enter
};

class ContrastTest : public NavigationTest, public ::testing::WithParamInterface<Scene> {};

TEST_P(ContrastTest, EveryLabelReadsAtLeastFourAndAHalfToOne) {
  addText("11-02-2026", "november");
  for (int d = 1; d <= 6; ++d) addText("12-0" + std::to_string(d) + "-2026", "dan");
  start();
  const Scene& scene = GetParam();
  gui::Form& f = main().form();
  auto& days = static_cast<controls::RowList&>(*f.find("Datumi1"));
  if (scene.chosenDay) clickRow(days, scene.chosenDay);
  if (scene.opener) clickOn(*f.find(scene.opener));
  if (scene.search) {
    platform.keyDown('F', gui::kCtrl);
    platform.typeText(scene.search);
    platform.keyDown(gui::kKeyReturn);
    // The first search reads the diary on a worker, in real time.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (days.lblDan.back()->text().find(u"2026") == std::u16string::npos &&
           std::chrono::steady_clock::now() < end) {
      platform.advance(50);
      std::this_thread::yield();
    }
  }
  if (scene.hoveredDay) platform.moveMouse(centre(*days.lblDan[scene.hoveredDay]));
  const gui::Surface& s = platform.shown(f);
  std::vector<const gui::Label*> labels;
  collectLabels(f, labels);
  int measured = 0;
  for (const gui::Label* l : labels) {
    const std::optional<double> ratio = textContrast(s, shownRect(*l), l->foreColor());
    if (!ratio) continue;  // covered by a list or menu
    ++measured;
    EXPECT_GE(*ratio, 4.5) << scene.story << ": " << l->name() << " \"" << std::string(l->text().begin(), l->text().end())
                           << "\"";
  }
  EXPECT_GE(measured, 6) << scene.story;
  // The title, drawn on the title strip's picture.
  const std::optional<double> title = textContrast(s, f.find("PicNaslov")->formRect(), skin::kTextBlue);
  ASSERT_TRUE(title);
  EXPECT_GE(*title, 4.5) << "title";
}

INSTANTIATE_TEST_SUITE_P(Main, ContrastTest,
                         ::testing::Values(Scene{"today chosen", nullptr, 0, 0},
                                           Scene{"a Sunday chosen, the pointer on Saturday", nullptr, 5, 6},
                                           Scene{"the year list open", "lblLeto", 0, 0},
                                           Scene{"the month list open", "lblMesec", 0, 0},
                                           Scene{"the size menu open", "BtnSpremeniVelikost", 0, 0},
                                           Scene{"a search's results", nullptr, 0, 0, u"dan"}));

}  // namespace

// Searching the whole diary from the main window with the keyboard and the pointer.
#include <chrono>
#include <thread>

#include "app/search_field.h"
#include "gui/png.h"
#include "navigation_fixture.h"

namespace {

using Tags = std::vector<std::string>;

class SearchTest : public NavigationTest {
 protected:
  // The worker reads in real time: the virtual clock moves on until the
  // condition holds, for at most ten real seconds.
  bool waitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      platform.advance(50);
      std::this_thread::yield();
    }
    return true;
  }
  void searchFor(std::u16string_view words) {
    platform.keyDown('F', gui::kCtrl);
    platform.typeText(words);
    platform.keyDown(gui::kKeyReturn);
    ASSERT_TRUE(waitFor([&] { return status().find(u"Berem") == std::u16string::npos &&
                                      !status().empty(); }));
  }
  std::u16string status() { return label("lblSearchStatus").text(); }
  std::vector<std::u16string> rowTexts() {
    std::vector<std::u16string> out;
    for (int i = 1; i <= days().rowCount(); ++i) out.push_back(days().lblDan[i]->text());
    return out;
  }
  void save(const gui::Surface& s, const char* name) {
    const auto out = std::filesystem::path(PISARION_SOURCE_DIR) / "build" / "screenshots" / name;
    std::filesystem::create_directories(out.parent_path());
    ASSERT_TRUE(gui::writePng(s, out));
  }
};

TEST_F(SearchTest, ResultsComeNewestFirstAndAChosenOneShowsItsDayWithTheMatchSelected) {
  addText("06-30-2026", "Pala\\b \\'e8inke\\b0  za kosilo");
  addText("03-14-2019", "palacinke brez nadeva");
  addText("11-02-2024", "samo juha");
  addText("05-01-2025", "spet PALA\\'c8INKE, tokrat z marmelado");
  dir.write("Podatki/beležka.txt", "palačinke");  // a stray file is not a day
  start();
  type(u"danes nič posebnega");
  searchFor(u"palač");
  EXPECT_FALSE(el("PicLeto").visible());
  EXPECT_EQ(tags(days()), (Tags{"06-30-2026", "05-01-2025"}));  // a caron typed finds only itself
  EXPECT_EQ(rowTexts(), (std::vector<std::u16string>{u"30. 06. 2026 (torek)", u"01. 05. 2025 (četrtek)"}));
  EXPECT_EQ(status(), u"2 dneva");
  // Today's text was saved when the month's rows went, and nothing else was written.
  EXPECT_NE(entry("12-07-2026").find("danes ni"), std::string::npos);
  const gui::Surface results = platform.screenshot();
  save(results, "search-results.png");

  clickRow(days(), 2);
  EXPECT_EQ(editorText(), u"spet PALAČINKE, tokrat z marmelado");
  EXPECT_TRUE(editor().Locked());
  EXPECT_EQ(editor().selection(), (std::pair<int, int>{5, 5}));  // "PALAČ"
  EXPECT_TRUE(el<gui::EditBox>("txtSearch").hasFocus());

  // The words without carons find every spelling, across the years.
  platform.keyDown(gui::kKeyEscape);
  EXPECT_TRUE(el("PicLeto").visible());
  EXPECT_EQ(label("lblLeto").text(), u"2025");
  EXPECT_EQ(label("lblMesec").text(), u"maj");
  EXPECT_EQ(tags(days()), (Tags{"05-01-2025"}));
  EXPECT_EQ(days().Izbrana, 1);
  searchFor(u"palacinke");
  EXPECT_EQ(tags(days()), (Tags{"06-30-2026", "05-01-2025", "03-14-2019"}));
  save(platform.screenshot(), "search-every-spelling.png");
}

TEST_F(SearchTest, TheIndexFollowsTodaysWritingAndEnterOpensTheNewestDay) {
  addText("12-01-2026", "kolo popravljeno");
  start();
  type(u"novo kolo");
  searchFor(u"kolo");
  EXPECT_EQ(tags(days()), (Tags{"12-07-2026", "12-01-2026"}));
  platform.keyDown(gui::kKeyEscape);
  type(u" in gore");  // after the index was filled
  searchFor(u"gore");
  EXPECT_EQ(tags(days()), (Tags{"12-07-2026"}));
  platform.keyDown(gui::kKeyReturn);  // the words are unchanged: Enter opens the day
  EXPECT_EQ(editorText(), u"novo kolo in gore");
  EXPECT_EQ(editor().selection(), (std::pair<int, int>{13, 4}));
  EXPECT_FALSE(editor().Locked());
}

// A long today is searched whole while its end is still arriving, typed on
// or only opened: its last words are found.
TEST_F(SearchTest, ALongTodayStillArrivingIsSearchedWhole) {
  std::string rtf = std::string(kRtf) + "\\pard ";
  for (int i = 0; i < 30000; ++i) rtf += "vrstica " + std::to_string(i) + "\\par\r\n";
  rtf += "zadnja beseda\\par\r\n}\r\n";
  addText("12-01-2026", "zadnja");
  for (const std::u16string_view typed : {u"", u"novo "}) {
    SCOPED_TRACE(typed.size());
    addEntry("12-07-2026", rtf);
    start();
    ASSERT_LT(editorText().size(), 10000u);  // still arriving
    if (!typed.empty()) type(typed);
    searchFor(u"zadnja");
    EXPECT_EQ(tags(days()), (Tags{"12-07-2026", "12-01-2026"}));
    platform.closeWindow(main().form());
  }
}

}  // namespace

namespace {

constexpr int kHome = 36, kEnd = 35, kLeft = 37, kRight = 39, kDelete = 46;
struct Key {
  int code;
  int shift = 0;
};
struct FieldEditCase {
  const char* name;
  std::vector<Key> keys;
  std::u16string typed;  // after the keys
  std::u16string words;  // what the field then holds
  std::u16string status;
};

class SearchFieldEditing : public SearchTest, public ::testing::WithParamInterface<FieldEditCase> {};

// The words are edited as in any text field, and each change searches anew
// once typing pauses.
TEST_P(SearchFieldEditing, KeysEditTheWordsAnywhereAndTheCountFollows) {
  addText("03-14-2019", "palacinke za zajtrk");
  addText("11-02-2024", "kolo in palacinke");
  start();
  platform.keyDown('F', gui::kCtrl);
  platform.typeText(u"palacinke kolo");
  for (const Key& k : GetParam().keys) platform.keyDown(k.code, k.shift);
  platform.typeText(GetParam().typed);
  EXPECT_EQ(el<gui::EditBox>("txtSearch").text(), GetParam().words);
  ASSERT_TRUE(waitFor([&] { return !status().empty() && status().find(u"Berem") == std::u16string::npos; }));
  EXPECT_EQ(status(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SearchFieldEditing,
    ::testing::Values(
        FieldEditCase{"HomeDeleteAndATypedLetter", {{kHome}, {kDelete}}, u"P", u"Palacinke kolo", u"1 dan"},
        FieldEditCase{"ShiftEndFromTheSecondWord", {{kHome}, {kRight, gui::kCtrl}, {kEnd, gui::kShift}, {kDelete}},
                      u"", u"palacinke ", u"2 dneva"},
        FieldEditCase{"CtrlBackspaceTakesTheLastWord", {{gui::kKeyBack, gui::kCtrl}}, u"zajtrk", u"palacinke zajtrk",
                      u"1 dan"},
        FieldEditCase{"ATypoInTheMiddle", {{kLeft}, {kLeft}, {kLeft}, {kLeft}, {gui::kKeyBack}}, u" in ",
                      u"palacinke in kolo", u"1 dan"},
        FieldEditCase{"CtrlAReplacesEverything", {{'A', gui::kCtrl}}, u"zajtrk", u"zajtrk", u"1 dan"},
        FieldEditCase{"ACopiedWordPasted",
                      {{kHome}, {kRight, gui::kCtrl | gui::kShift}, {'C', gui::kCtrl}, {'A', gui::kCtrl}, {'V', gui::kCtrl}},
                      u"", u"palacinke ", u"2 dneva"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, ADoubleClickSelectsAWordOfTheFieldAndTypingReplacesIt) {
  start();
  platform.keyDown('F', gui::kCtrl);
  platform.typeText(u"palacinke kolo");
  const base::Rect field = el<gui::EditBox>("txtSearch").screenRect();
  platform.doubleClick({field.x + 2, field.y + field.h / 2});
  platform.typeText(u"juha");
  EXPECT_EQ(el<gui::EditBox>("txtSearch").text(), u"juha kolo");
}

}  // namespace

// What a typed search finds in an entry's rich text.
#include <gtest/gtest.h>

#include "rtf/reader.h"
#include "search/diary_search.h"
#include "search/index.h"
#include "search/query.h"
#include "support/scratch.h"
#include "store/codec.h"

namespace {

struct Case {
  const char* rtf;       // the entry as RichEdit would write it (code page 1250 escapes)
  const char16_t* typed;
  bool found;
};

// The entry text in the cases: "Danes sem jedel palačinke s Čriko."
constexpr const char* kEntry =
    "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 Danes sem jedel pala\\'e8inke s \\'c8riko.\\par\r\n}";

const Case kCases[] = {
    {kEntry, u"palačinke", true},
    {kEntry, u"PALAČINKE", true},         // case does not matter, carons included
    {kEntry, u"palacinke", true},         // c finds č
    {kEntry, u"criko", true},             // and Č
    {kEntry, u"palaćinke", false},        // a caron typed finds only itself
    {kEntry, u"čriko jedel", true},       // several words, any order
    {kEntry, u"jedel krompir", false},    // every word must occur
    {kEntry, u"  sem   ", true},
    {kEntry, u"par", false},              // the codes are not text
    {kEntry, u"rtf", false},
    {kEntry, u"arial", false},            // nor are the font names
    {"{\\rtf1\\ansi\\ansicpg1250 Pala\\b \\'e8inke\\b0  so dobre\\par}", u"palačinke", true},  // a change of format inside a word
    {"{\\rtf1\\ansi prvi\\par drugi\\par}", u"prvidrugi", false},                 // paragraphs do not run together
    {"{\\rtf1\\ansi \\u353? \\u382? \\u273?\\par}", u"s z d", true},              // š ž đ written as \u
    {"{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'9e\\'f0 \\'e6\\par}", u"sz d c", true},
    {"{\\rtf1\\ansi \\u9731?\\par}", u"\u2603", false},                           // outside the code page: never found
    {"navadno besedilo brez kod", u"BESEDILO", true},                              // not rich text: read as plain
};

class Matching : public ::testing::TestWithParam<Case> {};

TEST_P(Matching, FindsOnlyWhatTheTextHolds) {
  const Case& c = GetParam();
  const search::DayText day = search::foldText(rtf::readText(c.rtf));
  EXPECT_EQ(search::Query(c.typed).matches(day), c.found);
}

INSTANTIATE_TEST_SUITE_P(Typed, Matching, ::testing::ValuesIn(kCases));

// Entries the one-pass reader of the first search must read to the same
// text as the full rich-text reader: it is what every day is searched in.
const std::string kEntries[] = {
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \\pard\\sa200\\f0\\fs18\\lang1060 Pala\\b \\'e8inke\\b0 , "
    "\\cf1 DOLGA VRSTICA BREZ KOD DO KONCA\\cf0\\par\r\n\\'c8\\'8a\\'8e\\'9a\\par\r\n}\r\n",
    "{\\rtf1 \\uc1\\u269?asa \\uc2\\u353ab c \\u-3?d \\uc0\\u382 e\\u10?f}",
    "{\\rtf1 pred {\\pict\\pngblip 89504e470d0a1a0a0000000d49484452} {\\*\\neznano skrito} \\bin4 {}\\x po\\par}",
    "{\\rtf1 a{b{\\i c{\\*\\x d}e}f}g\\line h\\tab i\\emdash\\~\\{\\}\\\\\\\r\nj}",
    "{\\rtf1 \xc8RNI \x8a\x8e 0123456789ABCDEFGHIJ\x01\x0bKLMNOPQRSTUVWXYZ\tabcdefghijklmnop\xff\x81 konec}",
    "{\\rtf1\\ansi\\b odrezan zapis {{{ \\'e",
    "{\\rtf1 \\u269",
    "{\\rtf1 a}}}} b",
    "{\\rtf1 x" + std::string(2000, '{') + "skrito" + std::string(2000, '}') + "y " + std::string(1200, '{') + "\\*" +
        std::string(201, '}') + "w" + std::string(999, '}') + "z}",
    "Navadno BESEDILO\r\ndrugi dan\rtretji\n\x0b\x01\xc8\x8a\x8e\t\xe8",
    std::string("\x00\xff{\\rtf", 6) + "sme\x01ti",
};

class OnePassReading : public ::testing::TestWithParam<std::string> {};

TEST_P(OnePassReading, GivesTheTextTheDocumentShows) {
  const std::string& entry = GetParam();
  std::string lowered(entry.size(), '\0'), bare(entry.size(), '\0');
  const size_t n = search::foldEntry(entry, lowered.data(), bare.data());
  const std::u16string text = rtf::readAny(entry).text();
  search::DayText expected = search::foldText(text);
  // A last paragraph mark ends the text here; the document has no paragraph after it.
  if (n == expected.lowered.size() + 1) expected = search::foldText(text + u'\r');
  EXPECT_EQ(lowered.substr(0, n), expected.lowered);
  EXPECT_EQ(bare.substr(0, n), expected.bare);
}

INSTANTIATE_TEST_SUITE_P(Entries, OnePassReading, ::testing::ValuesIn(kEntries));

TEST(SearchIndex, DaysComeNewestFirstAcrossYearsAndStrayNamesAreLeftOut) {
  search::Index index;
  for (const char* key : {"12-31-2019", "01-02-2026", "06-30-2021", "01-01-2020"})
    EXPECT_TRUE(index.put(key, u"morje"));
  for (const char* stray : {"1-2-2026", "notes.txt", "13-01-2026", "02-30-2026"}) EXPECT_FALSE(index.put(stray, u""));
  EXPECT_EQ(index.find(search::Query(u"morje")),
            (std::vector<std::string>{"01-02-2026", "06-30-2021", "01-01-2020", "12-31-2019"}));
}

TEST(SearchIndex, ADayGivenAgainIsFoundByItsNewTextOnlyAndTheOldTextIsLetGo) {
  search::Index index;
  index.put("01-01-2026", u"zima");
  for (int i = 0; i < 50; ++i) index.put("01-02-2026", i % 2 ? u"sonce" : u"dež");
  EXPECT_EQ(index.find(search::Query(u"sonce")), std::vector<std::string>{"01-02-2026"});
  EXPECT_TRUE(index.find(search::Query(u"dez")).empty());
  EXPECT_EQ(index.find(search::Query(u"zima")), std::vector<std::string>{"01-01-2026"});
  EXPECT_LT(index.bytes(), 40u);
}

TEST(SearchIndex, FirstMatchIsTheEarliestOfAnyWord) {
  const search::Query q(u"kava čaj");
  const auto m = q.firstMatch(u"Zjutraj ČAJ, popoldne kava.");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->start, 8u);
  EXPECT_EQ(m->length, 3u);
}

TEST(SearchIndex, DamagedAndMissingEntriesAreReadAsFarAsTheyGo) {
  ScratchFolder dir;
  store::DiaryStore store(dir.path());
  auto write = [&](const char* key, std::string plain) {
    store::flipRange(plain.data(), plain.size());
    dir.write(std::filesystem::path("Podatki") / key, plain);
  };
  write("01-01-2026", "{\\rtf1\\ansi\\b odrezan zapis {{{ \\'e8");  // cut off in the middle
  write("01-02-2026", std::string("\x00\xff{\\rtf", 6) + "sme\x01ti");
  EXPECT_TRUE(search::Query(u"odrezan zapis").matches(search::foldText(*search::readDay(store, "01-01-2026"))));
  EXPECT_TRUE(search::readDay(store, "01-02-2026"));
  std::string huge = "{\\rtf1\\ansi ";
  while (huge.size() < (10u << 20)) huge += "dolgo besedilo \\b brez konca\\b0\\par\r\n";
  write("01-04-2026", huge + "tu je kraj}");  // 10 MB: read to its end
  EXPECT_TRUE(search::Query(u"kraj").matches(search::foldText(*search::readDay(store, "01-04-2026"))));
  EXPECT_FALSE(search::readDay(store, "01-03-2026"));
  // Read by one thread or shared among three, the days come out the same, newest first.
  write("12-31-2025", "zapis");
  const std::vector<std::string> keys{"01-05-2026", "01-04-2026", "01-02-2026", "01-01-2026", "12-31-2025"};
  std::atomic<bool> stop{false};
  for (unsigned workers : {1u, 3u}) {
    std::atomic<size_t> done{0};
    const search::Reading r = search::readEntries(dir.path(), keys, workers, stop, done);
    EXPECT_EQ(r.index.find(search::Query(u"zapis")), (std::vector<std::string>{"01-01-2026", "12-31-2025"}));
    EXPECT_EQ(r.index.size(), 4u);
    EXPECT_EQ(r.unreadable, 1u);  // 01-05-2026 is not there
    EXPECT_EQ(done, 5u);
  }
}

}  // namespace

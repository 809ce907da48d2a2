#include <gtest/gtest.h>

#include "base/cp1250.h"
#include "export/exporter.h"
#include "export/messages.h"
#include "export/writers.h"
#include "rtf/reader.h"
#include "store/codec.h"
#include "support/scratch.h"

using namespace exporting;
namespace fs = std::filesystem;

namespace {

struct HtmlCase {
  const char* name;
  const char* rtf;
  const char* html;  // the paragraphs as the page holds them
};

class RichTextToHtml : public ::testing::TestWithParam<HtmlCase> {};

TEST_P(RichTextToHtml, KeepsTheFormatting) {
  std::string html;
  appendHtml(rtf::readRtf(GetParam().rtf), html);
  EXPECT_EQ(html, GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RichTextToHtml,
    ::testing::Values(
        HtmlCase{"Bold", R"({\rtf1 a {\b krepko}\par})", "<p>a <b>krepko</b></p>\n"},
        HtmlCase{"ItalicUnderlined", R"({\rtf1\i\ul oboje\par})", "<p><i><u>oboje</u></i></p>\n"},
        HtmlCase{"BoldInsideARedRun", R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 rde\'e8e {\b krepko} rde\'e8e\par})",
                 "<p><span style=\"color:#ff0000\">rdeče <b>krepko</b> rdeče</span></p>\n"},
        HtmlCase{"SizeChangeMidParagraph", R"({\rtf1 mala \fs29 velika\par})",
                 "<p>mala <span style=\"font-size:14.5pt\">velika</span></p>\n"},
        HtmlCase{"CentredAndRight", R"({\rtf1\qc sredina\par\pard\qr desno\par\pard\par})",
                 "<p style=\"text-align:center\">sredina</p>\n<p style=\"text-align:right\">desno</p>\n<p><br></p>\n"},
        HtmlCase{"LettersAndMarkup", R"({\rtf1 \'e8\'9a\'9e \u945? <a & b>\line x\par})",
                 "<p>čšž α &lt;a &amp; b&gt;<br>x</p>\n"},
        HtmlCase{"CapitalsAsShown", R"({\rtf1 {\caps velike \u269?rke} male\par})", "<p>VELIKE ČRKE male</p>\n"},
        HtmlCase{"HostileFontName", R"({\rtf1{\fonttbl{\f1 x"><script>;}}\f1 t\par})",
                 "<p><span style=\"font-family:'xscript',Arial,sans-serif\">t</span></p>\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class ExportTest : public ::testing::Test {
 protected:
  ScratchFolder dir;
  fs::path data() const { return dir.path() / "Podatki"; }
  void entry(const std::string& key, const std::string& rtf) {
    store::Lines lines{rtf}, encoded;
    store::transform(lines, encoded);
    dir.write(fs::path("Podatki") / key, store::joinLines(encoded));
  }
  std::string exportTo(const std::string& name, Outcome* out = nullptr) {
    const Outcome o = exportDiary(data(), dir.path() / name);
    EXPECT_TRUE(o.written()) << base::utf16ToUtf8(describe(o));
    if (out) *out = o;
    return dir.read(name);
  }
  void diaryOfThreeYears() {
    entry("02-14-2004", R"({\rtf1 Valentinovo\par})");
    entry("01-05-2005", R"({\rtf1 Novo leto \u1046?\par})");
    entry("06-30-2026", R"({\rtf1 \'c8udovito, {\b \'9eaba}\par})");
    entry("12-31-2003", R"({\rtf1 Silvestrovo\par})");
    entry("12-07-2026", "");  // opened, never written
    for (const char* stray : {"zapiski.txt", "13-01-2026", "1-5-2004"}) dir.write(fs::path("Podatki") / stray, "x");
  }
};

TEST_F(ExportTest, DaysComeOldestFirstAcrossYearsUnderTheirSlovenianDates) {
  diaryOfThreeYears();
  Outcome o;
  const std::string html = exportTo("d.html", &o);
  EXPECT_EQ(o.days, 4);
  EXPECT_EQ(o.skippedNames, 3);
  EXPECT_NE(html.find("<html lang=\"sl\">"), std::string::npos);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  const std::vector<std::string> inOrder{"<h2>sreda, 31. december 2003</h2>", "<h2>sobota, 14. februar 2004</h2>",
                                         "<h2>sreda, 5. januar 2005</h2>", "<h2>torek, 30. junij 2026</h2>",
                                         "Čudovito, <b>žaba</b>"};
  size_t at = 0;
  for (const std::string& s : inOrder) {
    const size_t found = html.find(s, at);
    ASSERT_NE(found, std::string::npos) << s;
    at = found;
  }
  EXPECT_EQ(html.find("zapiski"), std::string::npos);
  EXPECT_EQ(html.find("7. december 2026"), std::string::npos);
  const std::string message = base::utf16ToUtf8(describe(o));
  EXPECT_NE(message.find("V njej so 4 dnevi."), std::string::npos) << message;
  EXPECT_NE(message.find("niso datumi, niso izvožene: 3."), std::string::npos) << message;
}

TEST_F(ExportTest, RichTextIsOneDocumentWithBoldHeadingsAndTheDaysOwnFormatting) {
  diaryOfThreeYears();
  const std::string rtf = exportTo("d.RTF");
  EXPECT_NE(rtf.find("\\u1046?"), std::string::npos);  // outside code page 1250
  const rtf::Document doc = rtf::readRtf(rtf);
  ASSERT_GE(doc.paragraphs.size(), 12u);
  EXPECT_EQ(doc.paragraphs[0].runs.at(0).text, u"sreda, 31. december 2003");
  EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold);
  EXPECT_EQ(doc.paragraphs[9].runs.at(0).text, u"torek, 30. junij 2026");
  EXPECT_EQ(doc.paragraphs[10].runs.at(1).text, u"žaba");
  EXPECT_TRUE(doc.paragraphs[10].runs[1].format.bold);
}

TEST_F(ExportTest, PlainTextIsUtf8WithAByteOrderMarkAndNoCodes) {
  diaryOfThreeYears();
  const std::string txt = exportTo("d.txt");
  EXPECT_EQ(txt.rfind("\xEF\xBB\xBFsreda, 31. december 2003\r\n\r\nSilvestrovo\r\n\r\n", 0), 0u);
  EXPECT_NE(txt.find("torek, 30. junij 2026\r\n\r\nČudovito, žaba\r\n"), std::string::npos);
  EXPECT_EQ(txt.find_first_of("\\{}"), std::string::npos);
}

TEST_F(ExportTest, ADamagedEntryIsExportedAsFarAsItGoesAndNamed) {
  entry("03-01-2026", R"({\rtf1 Za\'e8etek {\b sredina)");
  entry("03-02-2026", "ni obogateno besedilo");
  entry("03-03-2026", R"({\rtf1 cel\par})");
  // A picture of binary data without its length, whose bytes close the document.
  entry("03-04-2026", R"({\rtf1{\pict\wmetafile8\bin 01}}Po sliki\par})");
  Outcome o;
  const std::string txt = exportTo("d.txt", &o);
  EXPECT_EQ(o.days, 4);
  EXPECT_EQ(o.damaged, (std::vector<base::Date>{{2026, 3, 1}, {2026, 3, 2}, {2026, 3, 4}}));
  EXPECT_NE(txt.find("sreda, 4. marec 2026\r\n\r\n\r\n(Slike"), std::string::npos);
  EXPECT_NE(txt.find("Začetek sredina\r\n(Zapis tega dne je poškodovan"), std::string::npos);
  EXPECT_NE(txt.find("ni obogateno besedilo\r\n"), std::string::npos);
  EXPECT_NE(base::utf16ToUtf8(describe(o)).find(": 1. 3. 2026, 2. 3. 2026, 4. 3. 2026."), std::string::npos);
}

TEST_F(ExportTest, ATargetThatCannotBeUsedWritesNothingAndKeepsWhatWasThere) {
  diaryOfThreeYears();
  dir.write("obstaja.doc", "staro");
  fs::create_directories(dir.path() / "mapa.html");
  const std::pair<std::string, Problem> cases[] = {{"obstaja.doc", Problem::UnknownExtension},
                                                   {"ni/d.html", Problem::FolderMissing},
                                                   {"mapa.html", Problem::IsFolder},
                                                   {"Podatki/d.html", Problem::IntoDataFolder}};
  for (const auto& [name, problem] : cases) {
    const Outcome o = exportDiary(data(), dir.path() / name);
    EXPECT_EQ(o.problem, problem) << name;
    EXPECT_FALSE(describe(o).empty());
  }
  EXPECT_EQ(dir.read("obstaja.doc"), "staro");
  EXPECT_FALSE(fs::exists(data() / "d.html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);  // nothing left behind
}

TEST_F(ExportTest, ADataFolderThatCannotBeListedIsToldNotExportedAsEmpty) {
  dir.write("Podatki", "not a folder");
  const Outcome o = exportDiary(data(), dir.path() / "d.html");
  EXPECT_EQ(o.problem, Problem::DiaryUnreadable);
  EXPECT_FALSE(fs::exists(dir.path() / "d.html"));
}

TEST(ExportMessages, CountDaysInSlovenian) {
  const std::pair<int, const char*> cases[] = {{0, "V njej ni nobenega dneva."}, {1, "V njej je 1 dan."},
                                               {2, "V njej sta 2 dneva."},       {4, "V njej so 4 dnevi."},
                                               {5, "V njej je 5 dni."},          {101, "V njej je 101 dan."},
                                               {112, "V njej je 112 dni."}};
  for (const auto& [days, sentence] : cases) EXPECT_EQ(daysSentence(days), sentence);
}

}  // namespace

// What the writer produces, and that reading it gives the same document back.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rtf/reader.h"
#include "rtf/writer.h"

using namespace rtf;

namespace {

CharFormat plain() { return CharFormat{}; }

Document roundTrip(const Document& doc) { return readRtf(writeRtf(doc)); }

Paragraph paragraph(base::Alignment a, std::vector<rtf::Run> runs, CharFormat mark = plain()) {
  return Paragraph{a, std::move(runs), std::move(mark)};
}

}  // namespace

TEST(RoundTrip, AllFiveFormatsAndEveryAlignment) {
  CharFormat bold = plain(), italic = plain(), underline = plain(), red = plain(), big = plain(), all = plain();
  bold.bold = true;
  italic.italic = true;
  underline.underline = true;
  red.color = base::Color::rgb(192, 0, 0);
  big.halfPoints = 144;  // 72 pt, the largest size the picker offers
  all = {true, true, true, base::Color::rgb(0, 0, 255), 17, u"Times New Roman"};  // 8.5 pt
  Document doc;
  doc.paragraphs = {
      paragraph(base::Alignment::Left, {{u"krepko", bold}, {u" ležeče", italic}, {u" podčrtano", underline}}),
      paragraph(base::Alignment::Center, {{u"rdeče", red}, {u"veliko", big}}, big),
      paragraph(base::Alignment::Right, {{u"vse hkrati", all}}, all),
      paragraph(base::Alignment::Left, {}, red),  // an empty paragraph keeps the format typed into it
      paragraph(base::Alignment::Center, {{u"konec", plain()}}),
  };
  EXPECT_EQ(roundTrip(doc), doc);
}

TEST(RoundTrip, CharactersOfEveryKind) {
  Document doc;
  doc.paragraphs = {
      paragraph(base::Alignment::Left, {{u"čšžČŠŽ ćđ äöü € „narekovaji“ – …", plain()}}),
      paragraph(base::Alignment::Left, {{u"日本 😀 Ω \uFFFF", plain()}}),
      paragraph(base::Alignment::Left, {{u"{oklepaji} \\poševnica\\ \\par ; \x7F", plain()}}),
      paragraph(base::Alignment::Left, {{u"tab\tin\vvrstica  dva presledka ", plain()}}),
      paragraph(base::Alignment::Left, {{u" ", plain()}}),
  };
  EXPECT_EQ(roundTrip(doc), doc);
}

TEST(RoundTrip, EmptyDocument) {
  const Document empty;
  EXPECT_EQ(roundTrip(empty), empty);
  EXPECT_EQ(roundTrip(empty).text(), u"");
}

TEST(RoundTrip, RandomDocuments) {
  std::mt19937 rng(1250);
  const std::u16string alphabet = u"ab cčšžŽ{}\\\t\v;?日€-0123456789";
  const std::u16string fonts[] = {u"Arial", u"Times New Roman", u"Courier New"};
  for (int trial = 0; trial < 300; ++trial) {
    Document doc;
    doc.paragraphs.clear();
    const int paragraphs = 1 + static_cast<int>(rng() % 5);
    for (int p = 0; p < paragraphs; ++p) {
      auto randomFormat = [&] {
        CharFormat f;
        f.bold = rng() % 2;
        f.italic = rng() % 2;
        f.underline = rng() % 2;
        f.color = base::Color{static_cast<uint32_t>(rng() % 4) * 0x405060};
        f.halfPoints = 2 + static_cast<int>(rng() % 200);
        f.font = fonts[rng() % 3];
        return f;
      };
      Paragraph para{static_cast<base::Alignment>(rng() % 3), {}, randomFormat()};
      const int runs = static_cast<int>(rng() % 6);
      for (int r = 0; r < runs; ++r) {
        std::u16string text;
        const int length = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
        appendText(para, text, randomFormat());
      }
      doc.paragraphs.push_back(std::move(para));
    }
    const std::string rtf = writeRtf(doc);
    ASSERT_EQ(readRtf(rtf), doc) << rtf;
  }
}

TEST(Writing, HeaderTablesAndLineEnds) {
  Document doc;
  CharFormat red;
  red.color = base::Color::rgb(255, 0, 0);
  doc.paragraphs = {paragraph(base::Alignment::Left, {{u"Krepko rdeče", red}})};
  const std::string rtf = writeRtf(doc);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1250\\deff0", 0), 0u) << rtf;
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green0\\blue0;}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("rde\\'e8e"), std::string::npos) << rtf;
  ASSERT_GE(rtf.size(), 3u);
  EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
}

TEST(Writing, OutputIsShortAsciiLinesEndingInCrLf) {
  std::u16string longText;
  for (int i = 0; i < 3000; ++i) longText += u"beseda čšž 日 ";
  CharFormat bold;
  bold.bold = true;
  Document doc;
  doc.paragraphs = {paragraph(base::Alignment::Center, {{longText, plain()}, {u"x", bold}, {longText, plain()}}),
                    paragraph(base::Alignment::Left, {{std::u16string(5000, u'w'), bold}})};
  const std::string rtf = writeRtf(doc);
  size_t lineStart = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    const auto c = static_cast<unsigned char>(rtf[i]);
    ASSERT_TRUE(c < 0x80 && c != 0) << "byte " << i;
    if (c == '\r') {
      ASSERT_LT(i + 1, rtf.size());
      ASSERT_EQ(rtf[i + 1], '\n') << "a CR without LF at " << i;
      EXPECT_LE(i - lineStart, 260u) << "line at " << lineStart;
      lineStart = i + 2;
      ++i;
    } else {
      ASSERT_NE(c, '\n') << "an LF without CR at " << i;
    }
  }
  EXPECT_EQ(lineStart, rtf.size());  // the last line ends in CR LF too
  EXPECT_EQ(readRtf(rtf), doc);
}

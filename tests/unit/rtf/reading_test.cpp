// Documents as Windows' RichEdit writes them, and the plain-text loader.
#include <gtest/gtest.h>

#include <string>

#include "rtf/reader.h"

using namespace rtf;
using namespace std::string_literals;

namespace {

// RichEdit ends its lines with CR LF; the fixtures are written with "\n".
std::string crlf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

CharFormat fmt(int halfPoints, std::u16string font = u"Arial") {
  CharFormat f;
  f.halfPoints = halfPoints;
  f.font = std::move(font);
  return f;
}

constexpr base::Color kRed = base::Color::rgb(255, 0, 0);
constexpr base::Color kBlue = base::Color::rgb(0, 0, 255);

const char* const kDiaryEntry = R"({\rtf1\ansi\ansicpg1250\deff0\nouicompat\deflang1060{\fonttbl{\f0\fnil\fcharset238 Arial;}{\f1\fnil\fcharset238 Times New Roman;}}
{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}
{\*\generator Riched20 10.0.19041}\viewkind4\uc1 
\pard\b\f0\fs18\lang1060 Krepko\b0  \cf1\i rde\u269?e\cf0\i0\par
\pard\qc\ul\fs28 Sredina\ulnone\par
\pard\qr\f1\fs24 Desno \'e8\'9a\'9e \'c8\'8a\'8e\par
\pard\cf2\f0\fs18 modro\cf0\par
}
)";

}  // namespace

TEST(ReadingRichEdit, EntryWithAllFormatsAndAlignments) {
  const Document doc = readRtf(crlf(kDiaryEntry));
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.text(), u"Krepko rdeče\rSredina\rDesno čšž ČŠŽ\rmodro");

  const Paragraph& first = doc.paragraphs[0];
  EXPECT_EQ(first.alignment, base::Alignment::Left);
  ASSERT_EQ(first.runs.size(), 3u);
  CharFormat bold = fmt(18);
  bold.bold = true;
  EXPECT_EQ(first.runs[0], (rtf::Run{u"Krepko", bold}));
  // The first space after \b0 ends the control word; the second is text.
  EXPECT_EQ(first.runs[1], (rtf::Run{u" ", fmt(18)}));
  CharFormat redItalic = fmt(18);
  redItalic.italic = true;
  redItalic.color = kRed;
  EXPECT_EQ(first.runs[2], (rtf::Run{u"rdeče", redItalic}));
  EXPECT_EQ(first.mark, fmt(18));

  CharFormat underlined = fmt(28);
  underlined.underline = true;
  EXPECT_EQ(doc.paragraphs[1].alignment, base::Alignment::Center);
  EXPECT_EQ(doc.paragraphs[1].runs, (std::vector<rtf::Run>{{u"Sredina", underlined}}));
  EXPECT_EQ(doc.paragraphs[1].mark, fmt(28));

  EXPECT_EQ(doc.paragraphs[2].alignment, base::Alignment::Right);
  EXPECT_EQ(doc.paragraphs[2].runs, (std::vector<rtf::Run>{{u"Desno čšž ČŠŽ", fmt(24, u"Times New Roman")}}));

  CharFormat blue = fmt(18);
  blue.color = kBlue;
  EXPECT_EQ(doc.paragraphs[3].runs, (std::vector<rtf::Run>{{u"modro", blue}}));
}

TEST(ReadingRichEdit, DocumentEndAndParagraphMarks) {
  // RichEdit ends the last paragraph with \par; that does not add an empty one.
  EXPECT_EQ(readRtf(R"({\rtf1 ena\par})").paragraphs.size(), 1u);
  EXPECT_EQ(readRtf(R"({\rtf1 ena\par\par})").text(), u"ena\r");
  EXPECT_EQ(readRtf(R"({\rtf1 ena\par dva})").text(), u"ena\rdva");
  // An empty document is one empty paragraph.
  EXPECT_EQ(readRtf(R"({\rtf1\ansi{\fonttbl{\f0\fnil Arial;}}\pard\par})").paragraphs.size(), 1u);
  EXPECT_EQ(readRtf(R"({\rtf1})").text(), u"");
  // Whatever follows the closing brace is not part of the document.
  EXPECT_EQ(readRtf(crlf("{\\rtf1 konec\\par\n}\nsmeti {\\b x}\n\0\0"s)).text(), u"konec");
  // Alignment is that in force when the paragraph ends; \pard goes back to left.
  const Document doc = readRtf(R"({\rtf1\qc a\par\pard b\par\qr c})");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].alignment, base::Alignment::Center);
  EXPECT_EQ(doc.paragraphs[1].alignment, base::Alignment::Left);
  EXPECT_EQ(doc.paragraphs[2].alignment, base::Alignment::Right);
  EXPECT_EQ(readRtf(R"({\rtf1\qj a})").paragraphs[0].alignment, base::Alignment::Left);
}

TEST(ReadingRichEdit, SlovenianLettersAsCodePageBytesAndUnicode) {
  // č š ž as \'xx bytes of code page 1250, as \uN with a fallback, and raw bytes.
  EXPECT_EQ(readRtf("{\\rtf1 \\'e8\\'9a\\'9e\\'c8\\'8a\\'8e}").text(), u"čšžČŠŽ");
  EXPECT_EQ(readRtf(R"({\rtf1\uc1 \u269?\u353?\u382?\u268?\u352?\u381?})").text(), u"čšžČŠŽ");
  EXPECT_EQ(readRtf("{\\rtf1 \xE8\x9A\x9E}").text(), u"čšž");
  // The fallback may itself be a \'xx byte or a control symbol; it is still one character.
  EXPECT_EQ(readRtf(R"({\rtf1 \u269\'e8x\u8364\{y})").text(), u"čx€y");
  // \uc2: two fallback characters; \uc0: none.
  EXPECT_EQ(readRtf(R"({\rtf1\uc2 \u269cc!\uc0 \u353!})").text(), u"č!š!");
  // Negative values count from 65536; characters beyond the BMP come as two.
  EXPECT_EQ(readRtf(R"({\rtf1 \u-3913?\u-10179?\u-8704?})").text(), u"\uF0B7😀");
  // \uc is scoped to its group.
  EXPECT_EQ(readRtf(R"({\rtf1 {\uc3 \u269abc}\u353?x})").text(), u"čšx");
  // Braces end the fallback: nothing outside the group is swallowed.
  EXPECT_EQ(readRtf(R"({\rtf1 {\u269}x})").text(), u"čx");
}

TEST(ReadingRichEdit, TablesAndGroups) {
  // Nested groups restore the format; \plain resets to the default font and size.
  const Document doc = readRtf(
      R"({\rtf1\deff1{\fonttbl{\f0\froman Times;}{\f1\fswiss\fcharset238{\*\panose 020b0604020202020204}Verdana{\*\falt Arial};}}a{\b\f0\fs40 b}c\f0\b\fs30 d\plain e})");
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 5u);
  EXPECT_EQ(doc.paragraphs[0].runs[0], (rtf::Run{u"a", fmt(18, u"Verdana")}));
  CharFormat big = fmt(40, u"Times");
  big.bold = true;
  EXPECT_EQ(doc.paragraphs[0].runs[1], (rtf::Run{u"b", big}));
  EXPECT_EQ(doc.paragraphs[0].runs[2].format, fmt(18, u"Verdana"));
  EXPECT_EQ(doc.paragraphs[0].runs[3].format.halfPoints, 30);
  EXPECT_EQ(doc.paragraphs[0].runs[4], (rtf::Run{u"e", fmt(18, u"Verdana")}));

  // A font table without entry groups, \cf0 as the automatic colour, unknown indices as black.
  const Document colors = readRtf(
      R"({\rtf1{\fonttbl\f0\fnil Arial;\f1\fnil Courier New;}{\colortbl;\red0\green128\blue0;}\f1\cf1 g\cf0 a\cf7 b})");
  ASSERT_EQ(colors.paragraphs[0].runs.size(), 2u);
  EXPECT_EQ(colors.paragraphs[0].runs[0].format.color, base::Color::rgb(0, 128, 0));
  EXPECT_EQ(colors.paragraphs[0].runs[0].format.font, u"Courier New");
  EXPECT_EQ(colors.paragraphs[0].runs[1], (rtf::Run{u"ab", fmt(18, u"Courier New")}));
}

TEST(ReadingRichEdit, ThingsThatAreNotTextAreSkipped) {
  const std::string doc = crlf(
      R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\stylesheet{\s0 Normal;}}{\info{\author Jaz}{\title Naslov}}
{\*\generator Msftedit 5.41.21.2510;}{\*\listtable{\list{\listlevel x}}}
\pard{\pict\wmetafile8\picw100\pich100 0123456789abcdef}a{\*\unknowndest hidden}b
{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt povezava}}\par
{\pntext\f0 1.\tab}c\line d\tab e\~f\emdash g\bin3 {}}h\par
})");
  EXPECT_EQ(readRtf(doc).text(), u"abpovezava\r1.\tc\vd\te\u00A0f\u2014gh");
}

TEST(ReadingRichEdit, UnderlineStylesAndSwitches) {
  auto underlined = [](const char* rtf) { return readRtf(rtf).paragraphs[0].runs.at(0).format.underline; };
  EXPECT_TRUE(underlined(R"({\rtf1\ul a})"));
  EXPECT_TRUE(underlined(R"({\rtf1\uldb a})"));
  EXPECT_TRUE(underlined(R"({\rtf1\ulw a})"));
  EXPECT_FALSE(underlined(R"({\rtf1\ul\ulnone a})"));
  EXPECT_FALSE(underlined(R"({\rtf1\ul\ul0 a})"));
  EXPECT_TRUE(readRtf(R"({\rtf1\b1 a})").paragraphs[0].runs[0].format.bold);
  EXPECT_FALSE(readRtf(R"({\rtf1\b\b0 a})").paragraphs[0].runs[0].format.bold);
  EXPECT_FALSE(readRtf(R"({\rtf1\i\i0 a})").paragraphs[0].runs[0].format.italic);
}

TEST(ReadingRichEdit, DefaultsComeFromTheCaller) {
  CharFormat defaults = fmt(20, u"Tahoma");
  defaults.bold = true;
  const Document doc = readRtf(R"({\rtf1 a\plain b})", defaults);
  EXPECT_EQ(doc.paragraphs[0].runs, (std::vector<rtf::Run>{{u"ab", defaults}}));
}

TEST(PlainText, LineEndsOfEveryKindSplitParagraphs) {
  const CharFormat f = fmt(24, u"Courier New");
  const Document doc = readPlainText("ena\r\ndva\rtri\n\x9a" "tiri\x9a\r\n\r\n", f);
  EXPECT_EQ(doc.text(), u"ena\rdva\rtri\rštiriš\r\r");
  for (const Paragraph& p : doc.paragraphs) {
    for (const rtf::Run& r : p.runs) EXPECT_EQ(r.format, f);
    EXPECT_EQ(p.mark, f);
  }
  EXPECT_EQ(readPlainText("a\tb\0c\x01"s).text(), u"a\tbc");
  EXPECT_EQ(readPlainText("").paragraphs.size(), 1u);
}

TEST(PlainText, OnlyFilesBeginningWithTheRtfMarkAreRichText) {
  EXPECT_TRUE(isRtf("{\\rtf1}"));
  EXPECT_FALSE(isRtf(" {\\rtf1}"));
  EXPECT_FALSE(isRtf("{\\rt"));
  EXPECT_FALSE(isRtf(""));
  EXPECT_EQ(readAny("{\\b x} \\par y").text(), u"{\\b x} \\par y");
  EXPECT_EQ(readAny("{\\rtf1 {\\b x}\\par y}").text(), u"x\ry");
}

TEST(ReadingRichEdit, MeasureMeetsWhatAControlReaderWithoutBinaryDataMeets) {
  const Extent entry = measure(crlf(kDiaryEntry));
  EXPECT_EQ(entry.depth, 3);
  EXPECT_EQ(entry.longestName, std::string("Times New Roman").size());
  // Escaped braces are text; braces in binary data are counted as such a reader counts them.
  const Extent hostile = measure("{\\rtf1{\\fonttbl{\\f0 " + std::string(2000, 'A') + ";}}\\fs" + std::string(300, '9') +
                                 " \\{\\{ {\\pict\\bin3 {{{}}}}");
  EXPECT_EQ(hostile.longestName, 2000u);
  EXPECT_EQ(hostile.longestWord, 303u);  // \fs and its digits
  EXPECT_EQ(hostile.depth, 5);
}

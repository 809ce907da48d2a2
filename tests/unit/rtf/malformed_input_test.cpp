// Broken, hostile and huge files: the reader must never crash, hang or read
// past the input, and keeps what text it can.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "rtf/reader.h"
#include "rtf/writer.h"

using namespace rtf;
using namespace std::string_literals;

namespace {

// A readable document must also survive writing and reading again unchanged.
void expectStable(const Document& doc) {
  ASSERT_FALSE(doc.paragraphs.empty());
  EXPECT_EQ(readRtf(writeRtf(doc)), doc);
}

}  // namespace

TEST(MalformedInput, NastyInputsGiveADocument) {
  const std::string inputs[] = {
      "",
      "{",
      "}",
      "\\",
      "{\\",
      "{\\rtf1",
      "{\\rtf1 \\'",
      "{\\rtf1 \\'4",
      "{\\rtf1 \\'zz}",
      "{\\rtf1 \\u",
      "{\\rtf1 \\u-",
      "{\\rtf1 \\u-}",
      "{\\rtf1 \\u99999999999999999999999 x}",
      "{\\rtf1 \\u-99999999999999999999999 x}",
      "{\\rtf1 \\uc99999999999 \\u269 abc}",
      "{\\rtf1 \\uc-5 \\u269 abc}",
      "{\\rtf1 \\fs-10 a\\fs0 b\\fs99999999999999999 c}",
      "{\\rtf1 \\cf-1 a\\cf99999999999 b\\cf}",
      "{\\rtf1 \\f-5 a\\f99999999999 b}",
      "{\\rtf1 \\bin a}",
      "{\\rtf1 \\bin-5 a}",
      "{\\rtf1 \\bin99999999999 a}",
      "{\\rtf1 \\*}",
      "{\\rtf1 \\*\\*\\* a}",
      "{\\rtf1 {\\fonttbl{\\f0",
      "{\\rtf1 {\\fonttbl{\\f0 Arial}}\\f0 a}",
      "{\\rtf1 {\\colortbl\\red999\\green-3\\blue;;}\\cf1 a}",
      "{\\rtf1 {\\colortbl",
      "{\\rtf1 a\0b\0}"s,
      "{\\rtf1 \\\0\\'\0}"s,
      "\0\0\0{\\rtf1 x}"s,
      "{\\rtf1 }}}}}}}}}}}}",
      "{\\rtf1 {{{{{{{{{{{{",
      "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz123 a}",
      "{\\rtf1 \\par\\par\\pard\\qc\\qr\\ql\\line\\tab\\~\\-\\_\\:}",
      "{\\rtf1 \xFF\xFE\x80\x81\x98}",
  };
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    expectStable(readRtf(input));
    expectStable(readAny(input));
    // The text alone is the document's characters, each paragraph ended.
    const std::u16string text = readAny(input).text(), alone = readText(input);
    EXPECT_TRUE(alone == text || alone == text + u'\r');
  }
}

TEST(MalformedInput, WhatCanBeKeptIsKept) {
  EXPECT_EQ(readRtf("{\\rtf1 nezaprto \\b krepko").text(), u"nezaprto krepko");
  EXPECT_EQ(readRtf("{\\rtf1 a}}}} b").text(), u"a");
  EXPECT_EQ(readRtf("{\\rtf1 a\0b\0c}"s).text(), u"abc");
  EXPECT_EQ(readRtf("{\\rtf1 x\\'4").text(), u"x");
  EXPECT_EQ(readRtf("{\\rtf1 \\fs99999999999999999 c}").paragraphs[0].runs[0].format.halfPoints, 3276);
  EXPECT_EQ(readRtf("{\\rtf1 \\fs0 c}").paragraphs[0].runs[0].format.halfPoints, 2);
  EXPECT_EQ(readRtf("{\\rtf1 {\\colortbl;\\red999\\green-3\\blue7;}\\cf1 a}").paragraphs[0].runs[0].format.color,
            base::Color::rgb(255, 0, 7));
  EXPECT_EQ(readRtf("{\\rtf1 \\bin99999999999 a}").text(), u"");
  // Ten digits overflow 32 bits on the way: read in 64, they are only large.
  EXPECT_EQ(readRtf("{\\rtf1 \\fs3000000000 c}").paragraphs[0].runs[0].format.halfPoints, 3276);
  for (auto [large, text] : {std::pair{"{\\rtf1 \\bin3000000000 a}", u""}, {"{\\rtf1 \\u3000000000 ab}", u"b"}}) {
    EXPECT_EQ(readRtf(large).text(), text) << large;
    EXPECT_EQ(readText(large), text) << large;
  }
}

TEST(MalformedInput, DeepNestingIsCappedWithoutRecursion) {
  // Text inside the allowed depth shows; text deeper than that is skipped.
  std::string shallow = "{\\rtf1 " + std::string(500, '{') + "ok" + std::string(500, '}') + "}";
  EXPECT_EQ(readRtf(shallow).text(), u"ok");
  std::string deep = "{\\rtf1 a" + std::string(2000, '{') + "hidden" + std::string(2000, '}') + "b}";
  EXPECT_EQ(readRtf(deep).text(), u"ab");
  // A million unclosed groups.
  const std::string opened = "{\\rtf1 x" + std::string(1'000'000, '{') + "y";
  EXPECT_EQ(readRtf(opened).text(), u"x");
  // Formatting inside a skipped depth does not leak out of it.
  std::string leak = "{\\rtf1 " + std::string(1200, '{') + "\\b" + std::string(1200, '}') + "plain}";
  EXPECT_FALSE(readRtf(leak).paragraphs[0].runs.at(0).format.bold);
}

TEST(MalformedInput, TenMegabyteInputsReadInLinearTime) {
  const size_t size = 10 * 1024 * 1024;
  auto repeated = [&](std::string_view piece, std::string out = "{\\rtf1 ") {
    while (out.size() < size) out += piece;
    return out;
  };
  const std::string inputs[] = {
      repeated("{\\cf1\\fs30\\b\\i\\ul a}{\\fs31 b}"),
      repeated("\\u269?\\'e8\\par "),
      repeated("{"),
      repeated("\\"),
      repeated("{\\colortbl;;;;;;;;}{\\fonttbl{\\f123 F;}}\\f123 "),
      repeated("\\b x\\b0 y", "{\\rtf1{\\fonttbl{\\f0 " + std::string(100'000, 'A') + ";}}\\f0"),
      repeated("{\\v\\caps\\f0\\'e8}{\\fonttbl{\\f0\\fcharset204 A;}}"),
      std::string(size, 'a'),
  };
  for (const std::string& input : inputs) {
    // Processor time, not the clock on the wall: other builds on the machine must not fail this.
    const std::clock_t start = std::clock();
    const Document doc = readRtf(input);
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_FALSE(doc.paragraphs.empty());
    // Generous: a quadratic reader would take minutes here, a linear one well under a second.
    EXPECT_LT(seconds, 10.0) << input.substr(0, 40);
  }
}

#include <gtest/gtest.h>

#include "store/codec.h"
#include "store/file_io.h"

using namespace store;

TEST(Codec, FlipsTheTopBitOfEveryByteAndKeepsLength) {
  Lines out;
  transform({"abc", "", std::string("\x80\xFF\x00\x7F", 4)}, out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], "\xE1\xE2\xE3");
  EXPECT_EQ(out[1], "");
  EXPECT_EQ(out[2], std::string("\x00\x7F\x80\xFF", 4));
}

TEST(Codec, TwiceGivesEveryByteBackAtEveryAlignment) {
  std::string all;
  for (int i = 0; i < 3; ++i)
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (size_t offset = 0; offset < 9; ++offset) {  // exercise the word-wise and byte-wise paths
    Lines once, twice;
    transform({all.substr(offset)}, once);
    for (size_t i = 0; i < once[0].size(); ++i)
      ASSERT_EQ(static_cast<unsigned char>(once[0][i]), static_cast<unsigned char>(all[offset + i]) ^ 0x80);
    transform(once, twice);
    EXPECT_EQ(twice[0], all.substr(offset));
  }
}

TEST(Codec, EmptyListGivesEmptyListAndReplacesOldOutput) {
  Lines out = {"stale"};
  transform({}, out);
  EXPECT_TRUE(out.empty());
}

TEST(Codec, PrintableTextEncodesToHighBytesOnly) {
  Lines out;
  transform({"Danes je lep dan, 12:30!"}, out);
  for (char c : out[0]) EXPECT_GE(static_cast<unsigned char>(c), 0x80);
}

TEST(Lines, SplitOnlyAtCrLf) {
  EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(splitLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(splitLines(""), Lines{});
  // A lone CR or LF and the old end-of-file byte 0x1A stay inside the line.
  EXPECT_EQ(splitLines("a\rb\nc\x1A" "d\r\n"), (Lines{"a\rb\nc\x1A" "d"}));
  EXPECT_EQ(splitLines("x\r"), (Lines{"x\r"}));
}

TEST(Lines, EncodedFileStillHasOneCrLfAfterEveryLine) {
  Lines enc;
  transform({"{\\rtf1", "}"}, enc);
  EXPECT_EQ(joinLines(enc), "\xFB\xDC\xF2\xF4\xE6\xB1\r\n\xFD\r\n");
}

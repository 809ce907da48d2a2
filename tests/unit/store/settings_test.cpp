#include <gtest/gtest.h>

#include "support/scratch.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "store/settings.h"

using namespace store;

namespace {
const NumberFormat kComma{u','};
const NumberFormat kDot{u'.'};

std::string encodeFile(const Lines& plain) {
  Lines enc;
  transform(plain, enc);
  return joinLines(enc);
}
}  // namespace

TEST(Settings, WriteThenReadGivesTheSameFourValuesInLineOrder) {
  ScratchFolder dir;
  Settings s{2220, -45, true, u"moje geslo 12 čž"};
  ASSERT_TRUE(writeSettings(dir.path() / "Podatki.ini", s, kComma, dir.path() / "ini.tmp"));
  Lines plain;
  transform(splitLines(dir.read("Podatki.ini")), plain);
  EXPECT_EQ(plain, (Lines{"2220", "-45", "True", "moje geslo 12 \xE8\x9E"}));  // top first, then left
  Settings back = readSettings(dir.path() / "Podatki.ini", kComma);
  EXPECT_EQ(back.top, 2220);
  EXPECT_EQ(back.left, -45);
  EXPECT_TRUE(back.onTop);
  EXPECT_EQ(back.password, u"moje geslo 12 čž");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "ini.tmp"));
}

TEST(Settings, PasswordWhoseBytesEncodeToCrLfAndEofSurvives) {
  // Ť encodes to CR, Š to LF and š to 0x1A.
  ScratchFolder dir;
  Settings s{0, 0, false, u"aŤŠbšŤŠ"};
  ASSERT_TRUE(writeSettings(dir.path() / "p.ini", s, kComma, dir.path() / "t"));
  EXPECT_NE(dir.read("p.ini").find("\r\n\r\n"), std::string::npos);  // the CR LF really is in the file
  EXPECT_EQ(readSettings(dir.path() / "p.ini", kComma).password, u"aŤŠbšŤŠ");
}

TEST(Settings, NumbersFollowTheUsersFormat) {
  EXPECT_EQ(formatNumber(2220, kComma), "2220");
  EXPECT_EQ(formatNumber(-45, kComma), "-45");
  EXPECT_EQ(formatNumber(1234.5, kComma), "1234,5");
  EXPECT_EQ(formatNumber(1234.5, kDot), "1234.5");
  EXPECT_EQ(parseNumber("1234,5", kComma), 1234.5);
  EXPECT_EQ(parseNumber(" -45 ", kComma), -45);
  EXPECT_EQ(parseNumber("1234.5", kComma), 1234.5);  // a file from a machine with the other separator
  EXPECT_FALSE(parseNumber("12a", kComma));
  EXPECT_FALSE(parseNumber("", kComma));
  EXPECT_FALSE(parseNumber(",", kComma));
  EXPECT_FALSE(parseNumber("1e999", kComma));
  EXPECT_FALSE(parseNumber(std::string(100, '9'), kComma));
}

TEST(Settings, KeepOnTopAcceptsWordsAndNumbers) {
  EXPECT_EQ(parseBoolean("True", kComma), true);
  EXPECT_EQ(parseBoolean("FALSE", kComma), false);
  EXPECT_EQ(parseBoolean("0", kComma), false);
  EXPECT_EQ(parseBoolean("-1", kComma), true);
  EXPECT_EQ(parseBoolean("da", kComma), std::nullopt);
}

TEST(Settings, MissingFileMeansNoPasswordNotOnTopAndNoPosition) {
  ScratchFolder dir;
  Settings s = readSettings(dir.path() / "none.ini", kComma);
  EXPECT_FALSE(s.top);
  EXPECT_FALSE(s.left);
  EXPECT_FALSE(s.onTop);
  EXPECT_TRUE(s.password.empty());
}

TEST(Settings, DamagedFilesGiveDefinedValues) {
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<double> top, left;
    bool onTop;
    std::u16string password;
  };
  const std::string bigLine(1 << 20, 'x');
  const std::vector<Case> cases = {
      {"empty", "", {}, {}, false, u""},
      {"one line", encodeFile({"100"}), 100, {}, false, u""},
      {"truncated inside line 3", encodeFile({"100", "200"}) + "\xD4\xF2", 100, 200, false, u""},
      {"empty password line", encodeFile({"1", "2", "True", ""}), 1, 2, true, u""},
      {"positions not numbers", encodeFile({"gor", "levo", "True", "x"}), {}, {}, true, u"x"},
      {"very long lines", encodeFile({bigLine, bigLine, bigLine, "pw"}), {}, {}, false, u"pw"},
      {"binary", std::string("\x00\xFF\x13\x80\r\n\x1A\x1A\r", 9), {}, {}, false, u""},
      // Lines separated by a bare CR or LF are one long first line.
      {"CR alone", "\xB1\r\xB2\r\xD4\xF2\xF5\xE5\r\xF0\xF7", {}, {}, false, u""},
      {"LF alone", "\xB1\n\xB2\n\xD4\xF2\xF5\xE5\n\xF0\xF7", {}, {}, false, u""},
  };
  for (const auto& c : cases) {
    Settings s = parseSettings(c.bytes, kComma);
    EXPECT_EQ(s.top, c.top) << c.what;
    EXPECT_EQ(s.left, c.left) << c.what;
    EXPECT_EQ(s.onTop, c.onTop) << c.what;
    EXPECT_EQ(s.password, c.password) << c.what;
  }
}

TEST(Settings, MoreThanFourLinesKeepTheRestInTheFourthLine) {
  // The file has exactly four lines, so anything after the third CR LF is the password.
  Settings s = parseSettings(encodeFile({"1", "2", "False", "pw", "extra"}), kComma);
  EXPECT_EQ(s.password, u"pwŤŠextra");  // the line break, decoded, reads as Ť Š
  EXPECT_EQ(s.top, 1);
}

TEST(Settings, FailedWriteLeavesTheOldFileWhole) {
  ScratchFolder dir;
  Settings s{1, 2, false, u"staro"};
  ASSERT_TRUE(writeSettings(dir.path() / "p.ini", s, kComma, dir.path() / "t"));
  const std::string before = dir.read("p.ini");
  s.password = u"novo";
  EXPECT_FALSE(writeSettings(dir.path() / "p.ini", s, kComma, dir.path() / "no-such-dir" / "t"));
  EXPECT_EQ(dir.read("p.ini"), before);
}

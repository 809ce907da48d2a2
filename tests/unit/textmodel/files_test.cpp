// The editor's rich text out and back in, through files for a look at the bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "textmodel/text_editor.h"

using gui::Tri;
using textmodel::TextEditor;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pisarion_textmodel_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path file(const char* name) const { return dir_ / name; }

  static void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static bool save(const TextEditor& e, const fs::path& path) {
    const std::optional<std::string> rtf = e.richText();
    if (rtf) write(path, *rtf);
    return rtf.has_value();
  }
  static bool load(TextEditor& e, const fs::path& path) { return e.setRichText(read(path)); }

  fs::path dir_;
};

constexpr base::Color kGreen = base::Color::rgb(0, 128, 0);

}  // namespace

TEST_F(Files, TextTypedWithAllFormatsSurvivesSaveAndLoad) {
  TextEditor e;
  e.setText(u"krepko ležeče podčrtano zeleno veliko\rsredina\rdesno");
  const std::pair<int, int> words[] = {{0, 6}, {7, 6}, {14, 9}, {24, 6}, {31, 6}};
  e.setSelection(words[0].first, words[0].second);
  e.setSelBold(true);
  e.setSelection(words[1].first, words[1].second);
  e.setSelItalic(true);
  e.setSelection(words[2].first, words[2].second);
  e.setSelUnderline(true);
  e.setSelection(words[3].first, words[3].second);
  e.setSelColor(kGreen);
  e.setSelection(words[4].first, words[4].second);
  e.setSelFontSize(24);
  e.setSelection(40, 0);
  e.setSelAlignment(base::Alignment::Center);
  e.setSelection(48, 0);
  e.setSelAlignment(base::Alignment::Right);
  ASSERT_TRUE(save(e, file("TMP.tkw")));

  TextEditor loaded;
  int events = 0;
  loaded.onSelChange = [&] { ++events; };
  ASSERT_TRUE(load(loaded, file("TMP.tkw")));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(loaded.text(), e.text());
  EXPECT_EQ(loaded.document(), e.document());
  loaded.setSelection(words[0].first, words[0].second);
  EXPECT_EQ(loaded.SelBold(), Tri::True);
  loaded.setSelection(words[1].first, words[1].second);
  EXPECT_EQ(loaded.SelItalic(), Tri::True);
  loaded.setSelection(words[2].first, words[2].second);
  EXPECT_EQ(loaded.SelUnderline(), Tri::True);
  loaded.setSelection(words[3].first, words[3].second);
  EXPECT_EQ(loaded.SelColor(), kGreen);
  loaded.setSelection(words[4].first, words[4].second);
  EXPECT_EQ(loaded.SelFontSize(), 24.0);
  loaded.setSelection(40, 0);
  EXPECT_EQ(loaded.SelAlignment(), base::Alignment::Center);
  loaded.setSelection(48, 0);
  EXPECT_EQ(loaded.SelAlignment(), base::Alignment::Right);
  loaded.setSelection(0, 0);
  EXPECT_EQ(loaded.SelAlignment(), base::Alignment::Left);
}

TEST_F(Files, SavedFileIsRichTextInCrLfLines) {
  TextEditor e;
  e.setText(u"Dragi dnevnik,\rdanes je bil lep dan. Čšž.");
  ASSERT_TRUE(save(e, file("entry")));
  const std::string bytes = read(file("entry"));
  EXPECT_EQ(bytes.rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "}\r\n");
  EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n", 0) + 1);
  // Saving a shorter entry over a longer one leaves only the new one.
  e.setText(u"kratko");
  ASSERT_TRUE(save(e, file("entry")));
  TextEditor loaded;
  ASSERT_TRUE(load(loaded, file("entry")));
  EXPECT_EQ(loaded.text(), u"kratko");
}

TEST_F(Files, ColourWithAStrayTopByteIsSavedAsTheColourItShows) {
  TextEditor e;
  e.setText(u"x");
  e.setSelection(0, 1);
  e.setSelColor(base::Color{0x0100FDFD});
  EXPECT_EQ(e.SelColor(), base::Color::rgb(0, 0xFD, 0xFD));
  ASSERT_TRUE(save(e, file("colour")));
  TextEditor loaded;
  ASSERT_TRUE(load(loaded, file("colour")));
  EXPECT_EQ(loaded.document(), e.document());
}

TEST_F(Files, EmptyEditorSavesAnEmptyDocumentAndAZeroLengthFileLoadsEmpty) {
  TextEditor e;
  ASSERT_TRUE(save(e, file("empty")));
  EXPECT_FALSE(read(file("empty")).empty());
  e.setText(u"prejšnji dan");
  ASSERT_TRUE(load(e, file("empty")));
  EXPECT_EQ(e.text(), u"");

  write(file("zero"), "");
  e.setText(u"prejšnji dan");
  e.setSelection(3, 2);
  ASSERT_TRUE(load(e, file("zero")));
  EXPECT_EQ(e.text(), u"");
  EXPECT_EQ(e.selection(), std::make_pair(0, 0));
}

TEST_F(Files, TextAfterTheDocumentEndIsIgnored) {
  // The store writes the temporary file as lines, so a shorter entry can be
  // followed by an empty line or by leftovers.
  write(file("TMP.tkw"), "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\b ena\\par\r\n}\r\n\r\nostanek}\\par dva}\r\n");
  TextEditor e;
  ASSERT_TRUE(load(e, file("TMP.tkw")));
  EXPECT_EQ(e.text(), u"ena");
  e.setSelection(0, 3);
  EXPECT_EQ(e.SelBold(), Tri::True);
}

TEST_F(Files, ReadOnlyEditorStillLoadsAndSaves) {
  TextEditor e;
  e.setText(u"včeraj");
  ASSERT_TRUE(save(e, file("yesterday")));
  e.setText(u"danes");
  e.setLocked(true);
  ASSERT_TRUE(load(e, file("yesterday")));
  EXPECT_EQ(e.text(), u"včeraj");
  EXPECT_TRUE(e.Locked());
}

TEST_F(Files, LongEntryLoadsWhole) {
  TextEditor e;
  std::u16string text;
  for (int i = 0; i < 4000; ++i) text += u"Vrstica številka " + std::u16string(1, u'0' + i % 10) + u" s šumniki čšž.\r";
  e.setText(text);
  e.setSelection(1000, 50000);
  e.setSelBold(true);
  ASSERT_TRUE(save(e, file("long")));
  EXPECT_GT(fs::file_size(file("long")), 200'000u);
  TextEditor loaded;
  ASSERT_TRUE(load(loaded, file("long")));
  EXPECT_EQ(loaded.document(), e.document());
}

// The entry editor on the real RichEdit control: what the diary's files and
// toolbar rely on, checked through the gui::Editor interface.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/rich_edit_win.h"
#include "rtf/pieces.h"
#include "rtf/reader.h"

namespace fs = std::filesystem;
using gui::Tri;
using win32::RichEditEditor;

namespace {

int g_notifications = 0;  // WM_NOTIFY messages the parent has seen

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    ++g_notifications;
    LRESULT result = 0;
    if (RichEditEditor::handleNotify(reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
  }
  if (msg == WM_COMMAND && RichEditEditor::handleCommand(wParam, lParam)) return 0;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A hidden top-level window, as the diary's main window is to the editor.
HWND parentWindow() {
  static HWND hwnd = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = parentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PisarionRichEditTestParent";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return hwnd;
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Keys as the keyboard delivers them; Enter comes as a key press and a
// character, as from a real keyboard (Wine's RichEdit acts on the press).
void type(RichEditEditor& editor, std::u16string_view text) {
  for (char16_t c : text) {
    if (c == u'\r') SendMessageW(editor.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(editor.hwnd(), WM_CHAR, c, 1);
    if (c == u'\r') SendMessageW(editor.hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
  }
}

class RichEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parentWindow(), nullptr);
    dir_ = fs::temp_directory_path() / ("pisarion_richedit_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir_);
    editor_ = make();
    ASSERT_NE(editor_, nullptr);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  static std::unique_ptr<RichEditEditor> make() { return RichEditEditor::create(parentWindow(), RECT{10, 10, 410, 310}); }
  fs::path file(const char* name) const { return dir_ / name; }

  // Saves the editor and loads the file into a fresh one.
  std::unique_ptr<RichEditEditor> saveAndReload() {
    const std::optional<std::string> rtf = editor_->richText();
    EXPECT_TRUE(rtf.has_value());
    writeBytes(file("entry.rtf"), rtf.value_or(""));
    auto fresh = make();
    EXPECT_TRUE(fresh->setRichText(rtf.value_or("")));
    return fresh;
  }

  fs::path dir_;
  std::unique_ptr<RichEditEditor> editor_;
};

TEST_F(RichEdit, AllFiveFormatsAndAlignmentSurviveSaveAndLoad) {
  editor_->setText(u"krepko ležeče podčrtano rdeče veliko\rdesno\rsredina");
  const base::Color red = base::Color::rgb(200, 10, 30);
  editor_->setSelection(0, 6);
  editor_->setSelBold(true);
  editor_->setSelection(7, 6);
  editor_->setSelItalic(true);
  editor_->setSelection(14, 9);
  editor_->setSelUnderline(true);
  editor_->setSelection(24, 5);
  editor_->setSelColor(red);
  editor_->setSelection(30, 6);
  editor_->setSelFontSize(14.5);
  editor_->setSelection(37, 1);
  editor_->setSelAlignment(base::Alignment::Right);
  editor_->setSelection(43, 2);
  editor_->setSelAlignment(base::Alignment::Center);

  auto loaded = saveAndReload();
  EXPECT_EQ(loaded->text(), editor_->text());
  EXPECT_EQ(loaded->selection(), std::make_pair(0, 0)) << "the caret starts at the beginning";

  loaded->setSelection(0, 6);
  EXPECT_EQ(loaded->SelBold(), Tri::True);
  EXPECT_EQ(loaded->SelItalic(), Tri::False);
  loaded->setSelection(7, 6);
  EXPECT_EQ(loaded->SelItalic(), Tri::True);
  EXPECT_EQ(loaded->SelBold(), Tri::False);
  loaded->setSelection(14, 9);
  EXPECT_EQ(loaded->SelUnderline(), Tri::True);
  loaded->setSelection(24, 5);
  EXPECT_EQ(loaded->SelColor(), red);
  loaded->setSelection(30, 6);
  EXPECT_EQ(loaded->SelFontSize(), 14.5);
  loaded->setSelection(0, 29);
  EXPECT_EQ(loaded->SelFontSize(), 9.0) << "the default size of the editor";
  loaded->setSelection(37, 0);
  EXPECT_EQ(loaded->SelAlignment(), base::Alignment::Right);
  loaded->setSelection(43, 0);
  EXPECT_EQ(loaded->SelAlignment(), base::Alignment::Center);
  loaded->setSelection(0, 0);
  EXPECT_EQ(loaded->SelAlignment(), base::Alignment::Left);
}

TEST_F(RichEdit, MixedSelectionsAnswerUndetermined) {
  editor_->setText(u"ena dva\rtri");
  editor_->setSelection(0, 3);
  editor_->setSelBold(true);
  editor_->setSelItalic(true);
  editor_->setSelUnderline(true);
  editor_->setSelColor(base::Color::rgb(0, 0, 255));
  editor_->setSelFontSize(20);
  editor_->setSelAlignment(base::Alignment::Center);

  editor_->setSelection(0, 5);  // "ena" formatted, " d" not
  EXPECT_EQ(editor_->SelBold(), Tri::Undetermined);
  EXPECT_EQ(editor_->SelItalic(), Tri::Undetermined);
  EXPECT_EQ(editor_->SelUnderline(), Tri::Undetermined);
  EXPECT_EQ(editor_->SelColor(), std::nullopt);
  EXPECT_EQ(editor_->SelFontSize(), std::nullopt);
  EXPECT_EQ(editor_->SelAlignment(), base::Alignment::Center) << "both characters lie in the centred paragraph";

  editor_->setSelection(2, 7);  // from the first paragraph into the second
  EXPECT_EQ(editor_->SelAlignment(), std::nullopt);

  // A toggle on a mixed selection makes it uniform.
  editor_->setSelection(0, 5);
  editor_->setSelBold(true);
  EXPECT_EQ(editor_->SelBold(), Tri::True);

  // Uniform unformatted text: plain answers, auto colour as the window text colour.
  editor_->setSelection(8, 3);
  EXPECT_EQ(editor_->SelBold(), Tri::False);
  EXPECT_EQ(editor_->SelColor(), base::Color::fromColorref(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(editor_->SelFontSize(), 9.0);
}

TEST_F(RichEdit, ZeroLengthOrMissingFiles) {
  editor_->setText(u"prejšnji dan");
  editor_->setSelection(0, 4);
  editor_->setSelBold(true);
  editor_->setSelection(0, 0);

  editor_->setRichText("");
  EXPECT_EQ(editor_->text(), u"");
  EXPECT_EQ(editor_->SelBold(), Tri::False) << "typing in an emptied editor starts in the default format";

  // An empty editor saves as a document that loads back empty.
  editor_->setText(u"");
  auto loaded = saveAndReload();
  EXPECT_EQ(loaded->text(), u"");
}

TEST_F(RichEdit, TextAfterTheDocumentsEndIsIgnored) {
  writeBytes(file("tail"), "{\\rtf1\\ansi\\ansicpg1250 Zdravo \\'e8\\'9a\\'9e\\par}\r\npo koncu {\\b smeti}\r\n");
  EXPECT_TRUE(editor_->setRichText(readBytes(file("tail"))));
  EXPECT_EQ(editor_->text(), u"Zdravo čšž");
}

TEST_F(RichEdit, DamagedDocumentsShowWhatTheyHold) {
  // An entry cut off before its closing braces keeps its text and formats.
  writeBytes(file("cut"), "{\\rtf1\\ansi {\\b odrezan");
  EXPECT_TRUE(editor_->setRichText(readBytes(file("cut"))));
  EXPECT_EQ(editor_->text(), u"odrezan");
  editor_->setSelection(0, 7);
  EXPECT_EQ(editor_->SelBold(), Tri::True);

  // One of which the reader makes nothing is reported, the editor left empty.
  EXPECT_FALSE(editor_->setRichText("{\\rtf"));
  EXPECT_EQ(editor_->text(), u"");
}

TEST_F(RichEdit, TypedSlovenianLettersSurviveSaveAndLoad) {
  type(*editor_, u"Danes sem šel v Žalec,\r");
  editor_->replaceSelection(u"čez hrib ČŠŽ čšž.");
  const std::u16string typed = editor_->text();
  ASSERT_EQ(typed, u"Danes sem šel v Žalec,\rčez hrib ČŠŽ čšž.");

  EXPECT_EQ(saveAndReload()->text(), typed);
  // The saved document is plain ASCII, as the diary's line codec expects.
  const std::string saved = readBytes(file("entry.rtf"));
  EXPECT_EQ(saved.rfind("{\\rtf", 0), 0u);
  EXPECT_TRUE(std::all_of(saved.begin(), saved.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
}

TEST_F(RichEdit, TextThatLooksLikeRichTextStaysLiteral) {
  editor_->setText(u"{\\rtf1 {\\b x}}");
  EXPECT_EQ(editor_->text(), u"{\\rtf1 {\\b x}}");
  editor_->setSelection(0, 0);
  editor_->replaceSelection(u"{\\rtf1 y}");
  EXPECT_EQ(editor_->text(), u"{\\rtf1 y}{\\rtf1 {\\b x}}");
}

TEST_F(RichEdit, SelectionChangesAndClicksReachTheEditorThroughTheParent) {
  int selChanges = 0, clicks = 0;
  editor_->onSelChange = [&] { ++selChanges; };
  editor_->onClick = [&] { ++clicks; };
  editor_->setText(u"ena dva tri");
  EXPECT_EQ(selChanges, 1) << "replacing the content raises one selection change";

  const int before = g_notifications;
  editor_->setSelection(4, 3);
  EXPECT_EQ(selChanges, 2);
  EXPECT_GT(g_notifications, before) << "the change arrived as WM_NOTIFY at the parent";
  EXPECT_EQ(editor_->selection(), std::make_pair(4, 3));

  editor_->setSelection(4, 3);
  EXPECT_EQ(selChanges, 2) << "the same selection again is no change";

  editor_->setSelection(20, 5);
  EXPECT_EQ(editor_->selection(), std::make_pair(11, 0)) << "a selection past the end clamps to it";

  writeBytes(file("one"), "{\\rtf1 nov dan}");
  const int beforeLoad = selChanges;
  EXPECT_TRUE(editor_->setRichText(readBytes(file("one"))));
  EXPECT_EQ(selChanges, beforeLoad + 1);

  const LPARAM at = MAKELPARAM(5, 5);
  SendMessageW(editor_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(clicks, 0) << "a click is the release, not the press";
  SendMessageW(editor_->hwnd(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(clicks, 1);
  ReleaseCapture();
}

TEST_F(RichEdit, TheModifiedFlagAndChangesFollowTheUserNotTheProgram) {
  int changes = 0;
  editor_->onChange = [&] { ++changes; };
  ASSERT_TRUE(editor_->setRichText("{\\rtf1 dan}"));
  EXPECT_FALSE(editor_->modified());
  EXPECT_EQ(changes, 0);
  type(*editor_, u"x");
  EXPECT_TRUE(editor_->modified());
  EXPECT_GT(changes, 0) << "EN_CHANGE reached the editor through the parent's WM_COMMAND";
  editor_->setModified(false);
  editor_->setSelection(0, 2);
  editor_->setSelBold(true);
  EXPECT_TRUE(editor_->modified()) << "a format is a change";
  editor_->setText(u"nov dan");
  EXPECT_FALSE(editor_->modified());

  // Leaving a long day puts a new control in the old one's place: it answers alike.
  editor_->setText(std::u16string(40000, u'a'));
  editor_->setLocked(true);
  ASSERT_TRUE(editor_->setRichText("{\\rtf1 kratek}"));
  EXPECT_TRUE(editor_->Locked());
  editor_->setLocked(false);
  changes = 0;
  type(*editor_, u"x");
  EXPECT_EQ(editor_->text(), u"xkratek");
  EXPECT_GT(changes, 0);
}

TEST_F(RichEdit, LockedEditorRefusesTheUserButNotTheProgram) {
  type(*editor_, u"ab");
  EXPECT_EQ(editor_->text(), u"ab");

  editor_->setLocked(true);
  EXPECT_TRUE(editor_->Locked());
  type(*editor_, u"c");
  EXPECT_EQ(editor_->text(), u"ab");

  editor_->setSelection(0, 2);
  editor_->setSelBold(true);
  editor_->setSelAlignment(base::Alignment::Center);
  editor_->replaceSelection(u"x");
  EXPECT_EQ(editor_->SelBold(), Tri::False);
  EXPECT_EQ(editor_->SelAlignment(), base::Alignment::Left);
  EXPECT_EQ(editor_->text(), u"ab");

  // Showing a past day replaces the content of the locked editor.
  editor_->setText(u"včeraj");
  EXPECT_EQ(editor_->text(), u"včeraj");
  writeBytes(file("past"), "{\\rtf1 {\\b star} dan}");
  EXPECT_TRUE(editor_->setRichText(readBytes(file("past"))));
  EXPECT_EQ(editor_->text(), u"star dan");
  EXPECT_TRUE(editor_->Locked()) << "loading leaves the lock as it was";
  type(*editor_, u"z");
  EXPECT_EQ(editor_->text(), u"star dan");

  editor_->setLocked(false);
  EXPECT_FALSE(editor_->Locked());
  type(*editor_, u"z");
  EXPECT_EQ(editor_->text(), u"zstar dan");
}

TEST_F(RichEdit, FontIsTheFormatOfNewAndPlainText) {
  editor_->setFont(gui::FontSpec{u"Arial", 238, 12, true});
  editor_->setText(u"navadno");
  editor_->setSelection(0, 7);
  EXPECT_EQ(editor_->SelFontSize(), 12.0);
  EXPECT_EQ(editor_->SelBold(), Tri::True);

  // A loaded document keeps its own sizes (with the diary's font, which is
  // not bold: RichEdit reads a document's text from the default format up).
  editor_->setFont(gui::FontSpec{});
  writeBytes(file("sized"), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 velik}");
  EXPECT_TRUE(editor_->setRichText(readBytes(file("sized"))));
  editor_->setSelection(0, 5);
  EXPECT_EQ(editor_->SelFontSize(), 20.0);
  EXPECT_EQ(editor_->SelBold(), Tri::False);
}

}  // namespace

// A long day comes into the control in pieces: what the user then sees and
// what the diary saves are those of the whole day loaded at once.
TEST_F(RichEdit, ADayAddedInPiecesIsTheWholeDay) {
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}{\\f1\\fswiss Tahoma;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs18 ";
  for (int i = 0; i < 400; ++i) {
    doc += "Dan " + std::to_string(i) + " \\b krepko\\b0  \\'e8\\'9a\\'9e {\\i po\\'9aevno}";
    if (i % 7 == 0) doc += "\\par\\pard\\qc\\cf1\\fs28 sredina";
    if (i % 11 == 0) doc += "\\par\\pard\\f1\\fs18 ";
    doc += "\\par\r\n";
  }
  doc += "konec\\par\r\n}\r\n";
  const rtf::Pieces pieces(doc, 2048, 1024);
  ASSERT_GT(pieces.size(), 5u);
  editor_->setRichText(doc);
  const rtf::Document want = rtf::readRtf(editor_->richText().value_or(""));
  // One by one, or the first few and then the rest at once.
  for (const size_t restFrom : {pieces.size(), size_t{3}}) {
    SCOPED_TRACE(restFrom);
    auto pieced = make();
    ASSERT_TRUE(pieced->setRichText(pieces.piece(0)));
    pieced->setSelection(3, 2);
    for (size_t i = 1; i < restFrom; ++i) ASSERT_TRUE(pieced->appendRichText(pieces.piece(i)));
    if (restFrom < pieces.size()) {
      ASSERT_TRUE(pieced->appendRichText(pieces.rest(restFrom)));
    }
    EXPECT_EQ(pieced->text(), editor_->text());
    // Every character in the format it had; only the format of the control's
    // own last paragraph mark may differ (it takes that of the text added last).
    rtf::Document got = rtf::readRtf(pieced->richText().value_or(""));
    ASSERT_EQ(got.paragraphs.size(), want.paragraphs.size());
    got.paragraphs.back().mark = want.paragraphs.back().mark;
    EXPECT_TRUE(got == want);
    EXPECT_EQ(pieced->selection(), (std::pair<int, int>{3, 2}));
    EXPECT_FALSE(pieced->modified());
  }
}

// Ctrl+Z undoes what the user typed while a long day arrived, and never the
// day's text that came meanwhile.
TEST_F(RichEdit, TypingWhileADayArrivesIsUndoneAndTheDayStays) {
  std::string doc = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs18 ";
  for (int i = 0; i < 300; ++i) doc += "Dan " + std::to_string(i) + " \\b krepko\\b0\\par\r\n";
  doc += "konec\\par\r\n}\r\n";
  const rtf::Pieces pieces(doc, 2048, 1024);
  ASSERT_GT(pieces.size(), 3u);
  editor_->setRichText(doc);
  const std::u16string whole = editor_->text();
  auto pieced = make();
  ASSERT_TRUE(pieced->setRichText(pieces.piece(0)));
  pieced->setSelection(0, 0);
  type(*pieced, u"novo ");
  ASSERT_TRUE(pieced->appendRichText(pieces.piece(1)));
  ASSERT_TRUE(pieced->appendRichText(pieces.rest(2)));
  EXPECT_EQ(pieced->text(), u"novo " + whole);
  // Undone as Ctrl+Z undoes, step by step until nothing is left to undo.
  ASSERT_TRUE(SendMessageW(pieced->hwnd(), EM_CANUNDO, 0, 0));
  for (int step = 0; step < 20 && SendMessageW(pieced->hwnd(), EM_CANUNDO, 0, 0); ++step)
    SendMessageW(pieced->hwnd(), EM_UNDO, 0, 0);
  EXPECT_EQ(pieced->text(), whole);
}

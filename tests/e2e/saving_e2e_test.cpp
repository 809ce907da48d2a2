// Saving the day in the real program: kills at random moments while it
// saves, an entry held by another program, a damaged entry, a full disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "e2e_support.h"
#include "store/codec.h"
#include "store/file_io.h"

using namespace e2e;

namespace {

// Characters straight into the editor, as typing puts them there.
void typeInto(const Diary& d, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(d.editor(), WM_CHAR, c, 1);
}

// Enter on the diary's message box: its default button.
void answerDefault(HWND box) {
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(box); }));
}

std::string entryBytes(const Diary& d) { return d.readFile(fs::path("Podatki") / todayKey()).value_or("<missing>"); }

size_t count(const std::string& text, const char* what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool startAndLoad(Diary& d) {
  return d.start() && d.waitForWindow("frmMain") && waitUntil([&] { return d.editor() && SendMessageW(d.editor(), WM_GETTEXTLENGTH, 0, 0) > 0; });
}

}  // namespace

TEST(SavingEndToEnd, KillsAtRandomMomentsWhileSavingLeaveEveryEntryOldOrNewAndWhole) {
  Diary d;
  std::string body = "{\\rtf1\\ansi ";
  while (body.size() < 60 * 1024) body += "Dolg dan v gozdu, \\'e8\\'9a\\'9e in veter.\\par\r\n";
  d.writeEntry(todayKey(), body + "KONEC\\par\r\n}\r\n");
  const size_t paragraphs = count(body, "Dolg dan v gozdu");
  HWND elsewhere = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 1200, 980, 40, 30, nullptr, nullptr,
                                   nullptr, nullptr);
  std::mt19937 random(20261209);
  int unchanged = 0, saved = 0, lost = 0;
  for (int i = 0; i < 100; ++i) {
    const std::string before = entryBytes(d);
    ASSERT_TRUE(startAndLoad(d));
    const std::string marker = "k" + std::to_string(1000 + i) + " ";
    typeInto(d, std::wstring(marker.begin(), marker.end()));
    // The save comes from the close, from the focus going elsewhere, or now
    // and then from the timer after typing stops; the kill at any moment.
    if (i % 12 == 5) {
      Sleep(4700 + random() % 700);
    } else if (i % 2) {
      PostMessageW(d.window("frmMain"), WM_CLOSE, 0, 0);
      Sleep(random() % 250);
    } else {
      settle(100);
      SetForegroundWindow(elsewhere);
      Sleep(random() % 250);
    }
    d.kill();

    const std::string after = entryBytes(d), text = store::joinLines([&] {
      store::Lines plain;
      store::transform(store::splitLines(after), plain);
      return plain;
    }());
    // Whole: every paragraph there, up to the document's closing brace, and
    // whatever of the marker the editor held when it saved (typed after the
    // last word, where today's caret opens).
    if (after == before) ++unchanged;
    else if (count(text, "Dolg dan v gozdu") == paragraphs && text.find("KONEC") != std::string::npos &&
             text.find("k1", text.find("KONEC")) != std::string::npos && text.find("\\par\r\n}") != std::string::npos)
      ++saved;
    else
      ADD_FAILURE() << "kill " << i << ": " << ++lost << " lost; the entry: " << text.substr(0, 200) << " ... "
                    << text.substr(text.size() - std::min<size_t>(text.size(), 80));
    // The temporary file never holds the text, and nothing but the day is in
    // the folder (a replace cut short leaves its "~" temporary, which is never
    // listed and is removed at the next start).
    EXPECT_LE(d.readFile("TMP.tkw").value_or("").size(), 2u) << "kill " << i;
    for (const auto& f : fs::directory_iterator(d.folder() / "Podatki"))
      if (f.path().filename().string()[0] != '~') {
        EXPECT_EQ(f.path().filename().string(), todayKey()) << "kill " << i;
      }
  }
  std::printf("kill loop: 100 kills, %d saved, %d unchanged, %d lost\n", saved, unchanged, lost);
  EXPECT_GT(saved, 0);
  EXPECT_GT(unchanged, 0);
}

TEST(SavingEndToEnd, AnEntryHeldByAnotherProgramIsShownReadOnlyAndKeptWhole) {
  Diary d;
  d.writeEntry(todayKey(), "{\\rtf1\\ansi zaklenjeno\\par\r\n}\r\n");
  const std::string before = entryBytes(d);
  HANDLE held = CreateFileW(d.entryFile(todayKey()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(d.start());
  HWND box = d.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"Zapisa ni bilo mogoče prebrati"), std::wstring::npos);
  saveScreenshot(box, "saving-locked-entry");
  answerDefault(box);
  ASSERT_NE(d.waitForWindow("frmMain"), nullptr);
  // The day's backup, once the window is up, cannot read the held entry either.
  box = d.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"varnostne kopije"), std::wstring::npos);
  answerDefault(box);
  typeInto(d, L"izgubljeno");
  settle(300);
  EXPECT_EQ(d.editorText(), L"");
  closeDiary(d);  // not refused: nothing is saved over the day
  CloseHandle(held);
  EXPECT_EQ(entryBytes(d), before);
  ASSERT_TRUE(startAndLoad(d));  // released: the day is back
  EXPECT_EQ(d.editorText(), L"zaklenjeno");
  closeDiary(d);
}

TEST(SavingEndToEnd, AnEntryNestedDeeperThanTheControlSurvivesOpensAndStaysAsItIs) {
  Diary d;
  d.writeEntry(todayKey(), "{\\rtf1\\ansi " + std::string(64, '{') + "globoko" + std::string(64, '}') + "}\r\n");
  const std::string before = entryBytes(d);
  ASSERT_TRUE(startAndLoad(d));
  EXPECT_EQ(d.editorText(), L"globoko");
  closeDiary(d);
  EXPECT_EQ(entryBytes(d), before);
}

// Wine's control dies on a font name past its 1 KB buffer: the diary hands it
// the day as its own writer writes it, and the window comes and takes typing.
TEST(SavingEndToEnd, ATodayWithAHundredKilobyteFontNameOpensAndTakesTyping) {
  Diary d;
  std::string bold;
  for (int i = 0; i < 20000; ++i) bold += "\\b x\\b0 y";
  d.writeEntry(todayKey(), "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil\\fcharset238 " + std::string(100'000, 'A') +
                               ";}}\\f0" + bold + "\\par\r\n}\r\n");
  ASSERT_TRUE(startAndLoad(d));
  EXPECT_EQ(d.editorText().substr(0, 4), L"xyxy");
  saveScreenshot(d.window("frmMain"), "saving-long-font-name");
  SendMessageW(d.editor(), EM_SETSEL, 0, 0);
  typeInto(d, L"z");
  EXPECT_TRUE(waitUntil([&] { return d.editorText().rfind(L"zxy", 0) == 0; }));
  closeDiary(d);
  ASSERT_TRUE(startAndLoad(d));  // saved, and read again
  EXPECT_EQ(d.editorText().substr(0, 5), L"zxyxy");
  closeDiary(d);
}

// On a small filesystem of its own, mounted by tools/small-disk.
TEST(SavingEndToEnd, AFullDiskKeepsTheTextAndTheOldEntry) {
  const char* small = std::getenv("PISARION_SMALL_DISK");
  if (!small || !*small) GTEST_SKIP() << "no small filesystem mounted (tools/small-disk)";
  Diary d(hostPath(small));
  d.writeEntry(todayKey(), "{\\rtf1\\ansi prej\\par\r\n}\r\n");
  const std::string before = entryBytes(d);
  ASSERT_TRUE(startAndLoad(d));
  const fs::path filler = d.folder().parent_path() / L"filler";
  HANDLE f = CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string chunk(64 * 1024, 'x');
  for (DWORD size : {64u * 1024, 4096u, 1u})  // to the last byte
    for (DWORD done = size; WriteFile(f, chunk.data(), size, &done, nullptr) && done == size;) {
    }
  CloseHandle(f);

  typeInto(d, L"ne izgubi me ");
  HWND box = d.waitForMessageBox(15000);  // the autosave fails and says so
  ASSERT_NE(box, nullptr);
  answerDefault(box);
  PostMessageW(d.window("frmMain"), WM_CLOSE, 0, 0);
  ASSERT_NE(box = d.waitForMessageBox(), nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"Ali naj dnevnik vseeno zaprem"), std::wstring::npos);
  saveScreenshot(box, "saving-full-disk");
  answerDefault(box);  // no: the diary stays, the text with it
  EXPECT_NE(d.editorText().find(L"ne izgubi me"), std::wstring::npos);
  EXPECT_EQ(entryBytes(d), before);
  fs::remove(filler);
  closeDiary(d);
  EXPECT_NE(d.decodedEntry(todayKey()).value_or("").find("ne izgubi me"), std::string::npos);
}

#pragma once
// Drives the real diary: starts Pisarion.exe in a scratch folder, finds its
// windows by their classes ("Pisarion.<form>"), sends real mouse and key
// input with SendInput, reads the files it writes, and saves screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "gui/surface.h"
#include "store/settings.h"
#include "support/windows_win.h"

namespace e2e {

namespace fs = std::filesystem;

using winsupport::hostPath;

// Today's date key as the diary takes it.
std::string todayKey();

class Diary {
 public:
  Diary();  // a fresh scratch folder holding a copy of Pisarion.exe
  explicit Diary(const fs::path& parent);  // the scratch folder inside `parent`
  ~Diary();  // ends the diary if it still runs, removes the folder

  const fs::path& folder() const { return m_folder; }
  fs::path entryFile(const std::string& key) const { return m_folder / "Podatki" / key; }

  void writeSettings(const store::Settings& settings);
  store::Settings readSettings() const;
  std::optional<std::string> readFile(const fs::path& relative) const;
  // An entry's lines, decoded.
  std::optional<std::string> decodedEntry(const std::string& key) const;
  void writeEntry(const std::string& key, const std::string& plainRtf);

  // Starts the program (with the arguments after its name); false when it
  // could not be started.
  bool start(const std::wstring& arguments = L"");
  // Writes the settings with their password, starts the program and gives
  // the password on its lock screen: the main window, or nullptr when the
  // lock screen or the main window did not come.
  HWND startUnlocked(const store::Settings& settings);
  // Starts the program and waits for its main window: nullptr when it did
  // not start or the window did not come.
  HWND startMain(const std::wstring& arguments = L"");
  // Starts another copy in the same folder while this one runs and waits
  // for it to end: its exit code (nullopt when it is still running).
  std::optional<DWORD> startAnother(int timeoutMs = 20000) const;
  bool running() const;
  // Ends the program at once, as a crash or a power cut would.
  void kill();
  // Waits for the program to end; answers its exit code (nullopt on timeout).
  std::optional<DWORD> waitForExit(int timeoutMs = 20000);

  // A visible window of the diary's form (e.g. "frmMain"), waiting for it.
  HWND waitForWindow(const char* form, int timeoutMs = 20000) const;
  HWND window(const char* form) const;  // nullptr unless it exists and is visible
  HWND editor() const;                  // the RichEdit child of the main window
  std::wstring editorText() const;
  // A message box of the diary's process, waiting for it.
  HWND waitForMessageBox(int timeoutMs = 10000) const;
  static std::wstring messageBoxText(HWND box);

 private:
  fs::path m_folder;
  PROCESS_INFORMATION m_process{};
};

// Polls the condition (letting the test's own messages run) until it holds
// or the time is up; answers whether it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// Waits until the window's pixels differ from `before`: it redrew what the
// last input changed. Answers whether it did within the time.
bool waitForChange(HWND window, const gui::Surface& before, int timeoutMs = 5000);
// A click that changes what the window shows (a list opens, a day is
// chosen), waiting for that change.
bool clickAndWaitForChange(HWND window, POINT client, int timeoutMs = 5000);

// Closes the main window and expects the diary to end cleanly.
void closeDiary(Diary& diary);

// Real input, in screen pixels.
void moveMouse(POINT screen);
void pointAt(HWND window, POINT client);  // the pointer to a point of the window
HWND visibleToolTip();                    // a tip showing, or nullptr
void leftDown();
void leftUp();
void leftClick();  // down and up where the pointer is
void click(HWND window, POINT client);
void typeText(const std::wstring& text);  // KEYEVENTF_UNICODE: any layout
void turnWheel(int delta);  // where the pointer is; negative: towards the user
void pressKey(WORD virtualKey);
void pressCtrlKey(WORD virtualKey);  // Ctrl down, the key, Ctrl up
// A point inside the editor's page, clear of any line a test types.
inline constexpr POINT kInEditor{100, 120};
// Clicks the caret into today's entry, types `text` and waits until the
// editor shows it: whether it did.
bool writeToday(const Diary& diary, HWND main, const std::wstring& text);
// The middle of row k of the main window's day list, in client pixels.
inline POINT dayRow(int k) { return {440, 111 + 17 * (k - 1) + 9}; }
// Lets the diary handle what was sent.
void settle(int ms = 300);

// The window's pixels as they are on the screen.
gui::Surface screenshot(HWND window);
// Whether the window shows the first `width` columns of `face` of `atlas` at
// `at` of its client area, cut-away (magenta) pixels aside.
::testing::AssertionResult showsFace(HWND window, const gui::Surface& atlas, POINT at, gui::Rect face, int width);
// Saves a screenshot under the build's screenshots folder; answers the path.
fs::path saveScreenshot(HWND window, const std::string& name);
// A w × h picture of what `paint` draws into a memory DC (a 32-bit DIB, black
// until painted).
gui::Surface paintedByGdi(int w, int h, const std::function<void(HDC)>& paint);

// ---- how sharp a picture is, for the screen at a scale against the 100 %
// picture enlarged. All take and give 100 % surfaces of their device size.
// `rect` of `from`, as a picture of its own.
gui::Surface cut(const gui::Surface& from, gui::Rect rect);
// `from` resampled to w × h by bilinear interpolation between pixel centres,
// as an ordinary enlargement of a picture would be.
gui::Surface bilinear(const gui::Surface& from, int w, int h);
// The share (0 … 1) of the picture's pixels whose colour is exactly one of
// those `palette` holds.
double paletteShare(const gui::Surface& picture, const gui::Surface& palette);
// Dark text on a light paper: how many pixels an edge between paper and ink
// takes along the rows of the picture's first line of text (the first run of
// rows holding ink). Each pixel's ink runs from 0 on the paper's brightness
// (the commonest colour's) to 1 on the darkest pixel's; the pixels between
// 10 and 90 % are the edges' ramps, counted over the steps from paper (ink
// at most 10 %) to ink or back. A hard edge takes 0. NaN without an edge.
double meanEdgeWidth(const gui::Surface& picture);

}  // namespace e2e

// From outside, the way a user sees it: the time from starting Pisarion.exe
// until the first line of today's text can be read out of its editor (the
// window answers, the line is in the control), for diaries of different
// shapes, each as a ratio to the diary with only today's entry in the same
// run; beside them, a program that only lists the hundred-year data folder.
//
//   pisarion_first_line_win.exe            the table
//   pisarion_first_line_win.exe 50mb [N] [EXE]
//                                          today's entry of 50 MB only: N starts
//                                          (3) closed untouched, N after a typed
//                                          key; EXE another build to time
//   pisarion_first_line_win.exe sealed     a year behind a password, sealed or not
//   pisarion_first_line_win.exe list DIR   (the listing baseline's child)
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/date.h"
#include "store/entries.h"
#include "store/file_io.h"
#include "store/sealed.h"
#include "store/settings.h"
#include "support/windows_win.h"

namespace fs = std::filesystem;
using winsupport::hostPath;

namespace {

constexpr char kFirstLine[] = "Prva vrstica danes";

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string todayKey() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return base::dateKey({st.wYear, st.wMonth, st.wDay});
}

std::string archiveOfToday() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d.zip", st.wYear, st.wMonth, st.wDay);
  return buf;
}

std::string dayText(size_t bytes) {
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs18 " + std::string(kFirstLine) + "\\par\r\n";
  while (rtf.size() < bytes) rtf += "Danes sem hodil po gozdu in videl srno, \\b cudovito\\b0 !\\par\r\n";
  return rtf + "}\r\n";
}

HWND editorOf(HWND main) { return FindWindowExW(main, nullptr, L"RICHEDIT50W", nullptr); }

// The first line as the editor gives it to another program, or "" while it
// cannot (no window yet, busy, not loaded).
std::string firstLine(HWND editor) {
  char buf[256] = {};
  *reinterpret_cast<WORD*>(buf) = sizeof buf - 1;
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutA(editor, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 50, &n)) return {};
  return std::string(buf, std::min<size_t>(n, sizeof buf - 1));
}

struct Started {
  double firstLine = -1;  // ms from CreateProcess
  double keyShown = -1;   // ms from then until a typed key is in the text
  double closed = -1;     // ms from the close asked for until the program has ended
};

Started startDiary(const fs::path& folder, bool typeAKey = false) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + (folder / L"Pisarion.exe").wstring() + L"\"";
  Sleep(500);  // the previous program's leaving settles first
  const double t0 = nowMs();
  Started r;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return r;
  WaitForInputIdle(pi.hProcess, 60000);
  HWND main = nullptr, editor = nullptr;
  while (nowMs() - t0 < 600000) {
    if (!main) main = winsupport::visibleWindowOf(pi.dwProcessId, L"Pisarion.frmMain");
    if (main && !editor) editor = editorOf(main);
    if (editor && firstLine(editor).rfind(kFirstLine, 0) == 0) {
      r.firstLine = nowMs() - t0;
      break;
    }
    Sleep(5);
  }
  if (typeAKey && editor && r.firstLine >= 0) {
    const double t1 = nowMs();
    PostMessageW(editor, WM_CHAR, L'Q', 0);
    while (nowMs() - t1 < 600000 && firstLine(editor).find('Q') == std::string::npos) Sleep(5);
    r.keyShown = nowMs() - t1;
  }
  const double t2 = nowMs();
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  // A close after typing into a long day waits for the rest of the day.
  if (WaitForSingleObject(pi.hProcess, 600000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  else r.closed = nowMs() - t2;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return r;
}

// Process start to exit of this program listing a folder: the baseline.
double timeListing(const fs::path& self, const fs::path& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + self.wstring() + L"\" list \"" + folder.wstring() + L"\"";
  Sleep(500);
  const double t0 = nowMs();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 600000);
  const double t = nowMs() - t0;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return t;
}

int listFolder(const wchar_t* folder) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((std::wstring(folder) + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 1;
  size_t n = 0;
  do ++n;
  while (FindNextFileW(h, &data));
  FindClose(h);
  return n > 2 ? 0 : 1;
}

struct Diary {
  const char* what;
  fs::path folder;
};

fs::path makeDiary(const fs::path& work, const wchar_t* name, const fs::path& exe) {
  const fs::path folder = work / name;
  fs::create_directories(folder / L"Podatki");
  fs::copy_file(exe, folder / L"Pisarion.exe", fs::copy_options::overwrite_existing);
  return folder;
}

size_t entriesIn(const fs::path& folder) {
  std::error_code ec;
  size_t n = 0;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) ++n;
  return n;
}

void writeEntry(const fs::path& folder, const std::string& key, const std::string& rtf) {
  store::DiaryStore st(folder);
  st.Save(key, rtf);
}

constexpr char16_t kPassword[] = u"geslo";

void sendKey(WORD vk, wchar_t ch) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[0].ki.wScan = in[1].ki.wScan = ch;
  in[0].ki.dwFlags = ch ? KEYEVENTF_UNICODE : 0;
  in[1].ki.dwFlags = in[0].ki.dwFlags | KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Last year's days and today's behind the password; sealed, the key file made
// here as the program makes it and every entry written under its key.
fs::path makeLockedDiary(const fs::path& work, const wchar_t* name, const fs::path& exe, bool sealed) {
  const fs::path folder = makeDiary(work, name, exe);
  store::DiaryStore st(folder);
  if (sealed) {
    const auto key = store::SecretKey::random();
    const auto code = store::makeRecoveryCode();
    const auto file = store::KeyFile::make(*key, kPassword, *code, store::calibratePasswordIterations());
    store::writeFilePlain(folder / store::kKeyFileName, file->bytes());
    st.setKey(std::make_shared<store::SecretKey>(*key), true);
  }
  store::writeSettings(folder / L"Podatki.ini", {1500, 3000, false, sealed ? u"" : kPassword}, {u','},
                       folder / L"ini.tmp");
  SYSTEMTIME now;
  GetLocalTime(&now);
  st.Save(base::dateKey({now.wYear, now.wMonth, now.wDay}), dayText(100));
  const int year = now.wYear - 1;
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= base::daysInMonth(year, month); ++day) st.Save(base::dateKey({year, month, day}), dayText(2000));
  return folder;
}

// From the Enter that gives the password at the login window until today's
// first line can be read.
double loginToFirstLine(const fs::path& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + (folder / L"Pisarion.exe").wstring() + L"\"";
  Sleep(500);
  double taken = -1;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return taken;
  WaitForInputIdle(pi.hProcess, 60000);
  HWND login = nullptr, main = nullptr, editor = nullptr;
  for (int i = 0; i < 6000 && !login; ++i, Sleep(10)) login = winsupport::visibleWindowOf(pi.dwProcessId, L"Pisarion.frmGeslo");
  if (login) {
    SetForegroundWindow(login);
    Sleep(300);
    for (char16_t c : std::u16string_view(kPassword)) sendKey(0, c), Sleep(30);
    Sleep(300);
    const double t0 = nowMs();
    sendKey(VK_RETURN, 0);
    while (nowMs() - t0 < 120000) {
      if (!main) main = winsupport::visibleWindowOf(pi.dwProcessId, L"Pisarion.frmMain");
      if (main && !editor) editor = editorOf(main);
      if (editor && firstLine(editor).rfind(kFirstLine, 0) == 0) {
        taken = nowMs() - t0;
        break;
      }
      Sleep(5);
    }
  }
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return taken;
}

// The sealed diary's later starts against the same diary keyless, both from
// the login's Enter; beside them the unlock alone (the password's slot
// opened here, with the same system library the program uses).
int sealedTable(const fs::path& work, const fs::path& exe) {
  const fs::path keyless = makeLockedDiary(work, L"keyless", exe, false);
  const fs::path sealed = makeLockedDiary(work, L"sealed", exe, true);
  std::vector<double> a, b, unlock;
  const auto file = store::readKeyFile(sealed / store::kKeyFileName).file;
  for (int run = 0; run < 5; ++run) {
    a.push_back(loginToFirstLine(keyless));
    b.push_back(loginToFirstLine(sealed));
    const double t0 = nowMs();
    if (!file || !file->openWithPassword(kPassword)) return 1;
    unlock.push_back(nowMs() - t0);
  }
  const double ka = median(a), kb = median(b), ku = median(unlock);
  for (size_t i = 0; i < a.size(); ++i) std::printf("run %zu: keyless %.0f, sealed %.0f, unlock %.0f ms\n", i, a[i], b[i], unlock[i]);
  std::printf("login's Enter to today's first line, a year of days: keyless %.0f ms, sealed %.0f ms (%.2f)\n", ka, kb, kb / ka);
  std::printf("unlock alone %.0f ms (%u rounds); sealed beyond the unlock %.0f ms (%.2f)\n", ku,
              file->password.iterations, kb - ku, (kb - ku) / ka);
  fs::remove_all(work / L"keyless");
  fs::remove_all(work / L"sealed");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring(argv[1]) == L"list") return listFolder(argv[2]);
  const bool only50 = argc > 1 && std::wstring(argv[1]) == L"50mb";
  const bool sealedOnly = argc > 1 && std::wstring(argv[1]) == L"sealed";
  // The hundred years of entries take minutes to write under Wine: a
  // folder left by an earlier run is used again (only the diaries' own
  // files beside it are made afresh).
  const fs::path work = fs::temp_directory_path() / L"pisarion-first-line";
  for (const wchar_t* d : {L"empty", L"today2", L"damaged", L"today50"}) fs::remove_all(work / d);
  fs::remove_all(work / L"century" / L"Varnostne kopije");
  const fs::path exe = hostPath(PISARION_EXE);
  const std::string today = todayKey();
  if (sealedOnly) return sealedTable(work, exe);

  if (only50) {
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    const fs::path big = makeDiary(work, L"today50", argc > 3 ? fs::path(argv[3]) : exe);
    writeEntry(big, today, dayText(size_t{50} << 20));
    const auto saved = [&] { return store::DiaryStore(big).Load(today).rtf; };
    const auto count = [](const std::string& text, std::string_view word) {
      size_t n = 0;
      for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
      return n;
    };
    const size_t lines = count(saved(), "cudovito");
    // The baseline: the same diary closed while its rest still arrives,
    // nothing typed (nothing to save, so the close does not wait for it).
    std::vector<double> untouched, typed;
    for (int i = 0; i < runs; ++i) {
      const Started s = startDiary(big, false);
      std::printf("50 MB today, untouched: first line %.0f ms, closed %.0f ms after it\n", s.firstLine, s.closed);
      untouched.push_back(s.closed);
    }
    bool whole = true;
    for (int i = 0; i < runs; ++i) {
      // Each start finds the day as written here, its first line as the measure knows it.
      writeEntry(big, today, dayText(size_t{50} << 20));
      const Started s = startDiary(big, true);
      std::printf("50 MB today, a key typed: first line %.0f ms, the key shown %.0f ms later, closed %.0f ms "
                  "after it\n", s.firstLine, s.keyShown, s.closed);
      typed.push_back(s.closed);
      // What was saved holds the typed keys before the first line and the
      // whole day after them.
      const std::string now = saved();
      whole = whole && now.find(std::string("Q") + kFirstLine) != std::string::npos &&
              count(now, "cudovito") == lines;
    }
    std::printf("close after typing: %.0f ms, untouched %.0f ms (ratio %.1f); every word saved: %s\n",
                median(typed), median(untouched), median(typed) / std::max(1.0, median(untouched)),
                whole ? "yes" : "NO");
    fs::remove_all(big);  // the hundred years stay for the next run of the table
    return whole ? 0 : 1;
  }

  std::vector<Diary> diaries = {{"empty (today's one line)", makeDiary(work, L"empty", exe)},
                                {"36,500 entries over 100 years", makeDiary(work, L"century", exe)},
                                {"today's entry of 2 MB", makeDiary(work, L"today2", exe)},
                                {"a damaged 10 MB past day", makeDiary(work, L"damaged", exe)}};
  for (const Diary& d : diaries) writeEntry(d.folder, today, dayText(100));
  writeEntry(diaries[2].folder, today, dayText(size_t{2} << 20));
  {
    std::mt19937 random(1);
    std::string junk(size_t{10} << 20, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    store::writeFilePlain(diaries[3].folder / L"Podatki" / L"12-01-2026", junk);
  }
  if (entriesIn(diaries[1].folder / L"Podatki") < 36000) {
    // One entry a day for a hundred years before today.
    store::Lines plain = store::splitLines(dayText(1000)), encoded;
    store::transform(plain, encoded);
    const std::string entry = store::joinLines(encoded);
    const fs::path data = diaries[1].folder / L"Podatki";
    int made = 0;
    for (int year = 1926; year <= 2026 && made < 36500; ++year)
      for (int month = 1; month <= 12 && made < 36500; ++month)
        for (int day = 1; day <= base::daysInMonth(year, month) && made < 36500; ++day)
          if (base::dateKey({year, month, day}) != today &&
              store::writeFilePlain(data / base::dateKey({year, month, day}), entry))
            ++made;
  }

  constexpr int kRuns = 5;
  std::vector<std::vector<double>> first(diaries.size()), later(diaries.size());
  std::vector<double> listing;
  for (int run = 0; run < kRuns; ++run) {
    for (size_t i = 0; i < diaries.size(); ++i) {
      fs::remove(diaries[i].folder / L"Varnostne kopije" / archiveOfToday());
      first[i].push_back(startDiary(diaries[i].folder).firstLine);
      later[i].push_back(startDiary(diaries[i].folder).firstLine);
    }
    listing.push_back(timeListing(fs::path(argv[0]), diaries[1].folder / L"Podatki"));
  }
  std::printf("(%zu names in the hundred-year data folder)\n", entriesIn(diaries[1].folder / L"Podatki"));
  const double base1 = median(first[0]), base2 = median(later[0]);
  std::printf("%-34s %22s %22s\n", "start to today's first line", "first start of the day", "later starts");
  for (size_t i = 0; i < diaries.size(); ++i)
    std::printf("%-34s %10.0f ms (%5.2f) %10.0f ms (%5.2f)\n", diaries[i].what, median(first[i]),
                median(first[i]) / base1, median(later[i]), median(later[i]) / base2);
  std::printf("%-34s %10.0f ms (%5.2f of the empty diary's later start)\n", "listing 36,500 names alone",
              median(listing), median(listing) / base2);
  return 0;
}

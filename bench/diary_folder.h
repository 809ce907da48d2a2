#pragma once
// A data folder of n entries, one a day back from 7 December 2026, each about
// 1.3 KB of rich text as RichEdit writes it, encoded as the diary keeps it;
// made once per size for the whole run and removed at its end.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/date.h"
#include "store/codec.h"
#include "store/file_io.h"

namespace benchdiary {

namespace fs = std::filesystem;

// A day's entry as RichEdit writes it: about 1.3 KB of rich text holding
// some 800 characters, with carons and a few changes of format.
inline std::string entryRtf(int day) {
  std::string s =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1060{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
      "\\pard\\sa200\\sl276\\slmult1\\f0\\fs18\\lang1060 ";
  for (int p = 0; p < 6; ++p) {
    s += "Dan " + std::to_string(day) + ": zjutraj sem \\b spil kavo\\b0  in pojedel kos kruha z maslom. Potem sem \\'9ael "
         "v slu\\'9ebo, kjer smo ves dan pisali poro\\'e8ila o \\cf1 projektu\\cf0  in se pogovarjali o na\\'e8rtih.\\par\r\n";
  }
  return s + "}\r\n";
}

struct Diary {
  fs::path folder;
  std::vector<std::string> keys;
  explicit Diary(int n) : folder(fs::temp_directory_path() / ("pisarion-bench-diary-" + std::to_string(n) + "-" + std::to_string(getpid()))) {
    fs::remove_all(folder);
    fs::create_directories(folder / "Podatki");
    base::Date d{2026, 12, 7};
    for (int i = 0; i < n; ++i) {
      keys.push_back(base::dateKey(d));
      store::Lines plain = store::splitLines(entryRtf(i)), encoded;
      store::transform(plain, encoded);
      store::writeFilePlain(folder / "Podatki" / keys.back(), store::joinLines(encoded));
      if (--d.day == 0) {
        if (--d.month == 0) d.month = 12, --d.year;
        d.day = base::daysInMonth(d.year, d.month);
      }
    }
  }
  ~Diary() { fs::remove_all(folder); }
};

inline const Diary& diaryOf(int n) {
  static std::map<int, std::unique_ptr<Diary>> diaries;
  auto& d = diaries[n];
  if (!d) d = std::make_unique<Diary>(n);
  return *d;
}

}  // namespace benchdiary

// The whole diary exported to a web page against reading the same entry
// files raw and writing the same number of bytes durably, for ten and a
// hundred years of one entry a day.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include "base/date.h"
#include "export/exporter.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "store/listing.h"

namespace fs = std::filesystem;

namespace {

// About 700 bytes of rich text as the editor writes a short day: a colour
// table, a bold and a coloured stretch, letters of code page 1250.
std::string dayOfRichText(int i) {
  return "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1060{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}\r\n"
         "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
         "\\viewkind4\\uc1\\pard\\f0\\fs18 Danes sem hodil po gozdu in videl srno. {\\b Bilo je \\'e8udovito}, "
         "pot je vodila mimo \\'9eage in \\'9ea\\'e8ka.\\par\r\n"
         "\\pard\\qc\\cf1 Zve\\'e8er sem pisal pisma prijateljem, ki jih \\'9ee dolgo nisem videl. " +
         std::to_string(i) +
         "\\par\r\n\\pard\\cf0 Jutri grem spet v hribe, \\'e8e bo vreme lepo; s seboj vzamem \\'9eemljevid in "
         "\\'9ealico za \\'e8aj.\\par\r\n}\r\n";
}

struct Diary {
  fs::path path = fs::temp_directory_path() / ("pisarion-bench-export-" + std::to_string(getpid()));
  explicit Diary(int days) {
    path += "-" + std::to_string(days);
    fs::remove_all(path);
    fs::create_directories(path / "Podatki");
    base::Date d{2026, 12, 7};
    for (int i = 0; i < days; ++i) {
      store::Lines encoded;
      store::transform(store::splitLines(dayOfRichText(i)), encoded);
      store::writeFilePlain(path / "Podatki" / base::dateKey(d), store::joinLines(encoded));
      if (--d.day == 0) {
        if (--d.month == 0) d = {d.year - 1, 12, 31};
        else d.day = base::daysInMonth(d.year, d.month);
      }
    }
  }
  ~Diary() { fs::remove_all(path); }
};

const Diary& diaryOf(int days) {
  static std::map<int, std::unique_ptr<Diary>> diaries;
  auto& d = diaries[days];
  if (!d) d = std::make_unique<Diary>(days);
  return *d;
}

void BM_ExportHtml(benchmark::State& state) {
  const Diary& diary = diaryOf(int(state.range(0)));
  for (auto _ : state) {
    const auto outcome = exporting::exportDiary(diary.path / "Podatki", diary.path / "izvoz.html");
    if (!outcome.written()) state.SkipWithError("export failed");
  }
  state.counters["bytes"] = double(fs::file_size(diary.path / "izvoz.html"));
  state.SetLabel("vs:BM_RawReadWrite/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_ExportHtml)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);

void BM_RawReadWrite(benchmark::State& state) {
  // Every entry file read whole, and the export's number of bytes written to
  // a temporary file, flushed and renamed: the export's I/O with no work between.
  const Diary& diary = diaryOf(int(state.range(0)));
  if (!fs::exists(diary.path / "izvoz.html"))
    exporting::exportDiary(diary.path / "Podatki", diary.path / "izvoz.html");
  const std::string out(fs::file_size(diary.path / "izvoz.html"), 'x');
  for (auto _ : state) {
    size_t read = 0;
    const auto names = store::listOrdinaryFiles(diary.path / "Podatki");
    for (const std::string& name : *names)
      read += store::readFile(diary.path / "Podatki" / name)->size();
    benchmark::DoNotOptimize(read);
    store::writeFileAtomic(diary.path / "raw.html", out, diary.path / "raw.tmp");
  }
}
BENCHMARK(BM_RawReadWrite)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);

}  // namespace

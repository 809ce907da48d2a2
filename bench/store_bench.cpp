// The store's hot paths against raw baselines: the codec against memcpy,
// an entry's save and load against writing and reading its bytes raw, and a
// data-folder scan against a bare directory listing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>
#include <filesystem>
#include <unistd.h>

#include "base/date.h"
#include "store/codec.h"
#include "store/entries.h"
#include "store/file_io.h"
#include "store/listing.h"

namespace fs = std::filesystem;
using namespace store;

namespace {

Lines megabyteOfLines() {
  Lines lines;
  size_t total = 0;
  for (int i = 0; total < (1 << 20); ++i) {
    std::string line = "{\\rtf1 Danes sem hodil po gozdu in videl srno \\'e8\\'9a\\'9e " + std::to_string(i);
    total += line.size();
    lines.push_back(std::move(line));
  }
  return lines;
}

size_t byteCount(const Lines& lines) {
  size_t n = 0;
  for (const auto& l : lines) n += l.size();
  return n;
}

void BM_CodecMegabyte(benchmark::State& state) {
  const Lines in = megabyteOfLines();
  Lines out;
  for (auto _ : state) {
    transform(in, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * byteCount(in));
  state.SetLabel("vs:BM_MemcpyMegabyte");
}
BENCHMARK(BM_CodecMegabyte);

void BM_MemcpyMegabyte(benchmark::State& state) {
  // Copying the same lines into kept buffers: what the codec costs at best.
  const Lines in = megabyteOfLines();
  Lines out = in;
  for (auto _ : state) {
    for (size_t i = 0; i < in.size(); ++i) std::memcpy(out[i].data(), in[i].data(), in[i].size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * byteCount(in));
}
BENCHMARK(BM_MemcpyMegabyte);

struct Folder {
  fs::path path;
  explicit Folder(const std::string& name) : path(fs::temp_directory_path() / ("pisarion-bench-" + name + std::to_string(getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path / "Podatki");
  }
  ~Folder() { fs::remove_all(path); }
};

std::string entryOf200KB() {
  std::string s;
  while (s.size() < 200 * 1024) s += "Danes sem hodil po gozdu \\'e8\\'9a\\'9e\\par\r\n";
  return s;
}

void BM_SaveLoad200KB(benchmark::State& state) {
  Folder f("save");
  DiaryStore store(f.path);
  const std::string rtf = entryOf200KB();
  for (auto _ : state) {
    store.Save("12-07-2026", rtf);
    benchmark::DoNotOptimize(store.Load("12-07-2026"));
  }
  state.SetLabel("vs:BM_RawWriteRead200KB");
}
BENCHMARK(BM_SaveLoad200KB)->Unit(benchmark::kMicrosecond);

void BM_RawWriteRead200KB(benchmark::State& state) {
  // The same bytes written durably (as the entry is) and read back once.
  Folder f("raw");
  const std::string bytes = entryOf200KB();
  const fs::path file = f.path / "Podatki" / "12-07-2026";
  for (auto _ : state) {
    writeFileAtomic(file, bytes, f.path / "tmp");
    benchmark::DoNotOptimize(readFile(file));
  }
}
BENCHMARK(BM_RawWriteRead200KB)->Unit(benchmark::kMicrosecond);

// A data folder of n daily entries ending today, reused by the scan benchmarks.
const fs::path& folderOfEntries(int n) {
  static std::map<int, std::unique_ptr<Folder>> folders;
  auto& f = folders[n];
  if (!f) {
    f = std::make_unique<Folder>("scan" + std::to_string(n));
    base::Date d{2026, 12, 7};
    for (int i = 0; i < n; ++i) {
      writeFilePlain(f->path / "Podatki" / base::dateKey(d), "");
      if (--d.day == 0) {
        if (--d.month == 0) {
          d.month = 12;
          --d.year;
        }
        d.day = base::daysInMonth(d.year, d.month);
      }
    }
  }
  return f->path;
}

void BM_RescanAndPick(benchmark::State& state) {
  DiaryStore store(folderOfEntries(int(state.range(0))));
  for (auto _ : state) {
    store.Rescan();
    auto years = store.Years();
    auto months = store.Months("2026");
    auto days = store.Days("12", "2026");
    benchmark::DoNotOptimize(days.data());
  }
  state.SetLabel("vs:BM_BareListing/" + std::to_string(state.range(0)));
}
BENCHMARK(BM_RescanAndPick)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);

void BM_BareListing(benchmark::State& state) {
  const fs::path data = folderOfEntries(int(state.range(0))) / "Podatki";
  for (auto _ : state) {
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(data)) n += e.path().filename().native().size();
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_BareListing)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);

}  // namespace

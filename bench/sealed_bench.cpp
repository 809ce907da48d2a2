// A sealed diary against the same diary keyless: opening and autosaving a
// day of 200 KB, converting ten years of days against reading and durably
// rewriting them, and the unlock (the key made from the password).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "store/conversion.h"
#include "store/entries.h"
#include "store/sealed.h"

namespace fs = std::filesystem;
using namespace store;

namespace {

constexpr char kDay[] = "12-07-2026";

fs::path benchFolder(const char* name) {
  fs::path p = fs::temp_directory_path() / ("pisarion-bench-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

std::string dayOf(size_t bytes) {
  std::string rtf = "{\\rtf1\\ansi ";
  while (rtf.size() < bytes) rtf += "Danes sem hodil po gozdu in videl srno \\'e8\\'9a\\'9e.\\par\r\n";
  return rtf + "}\r\n";
}

SharedKey benchKey() { return std::make_shared<SecretKey>(*SecretKey::random()); }

void BM_DayOpenAndAutosave(benchmark::State& state) {
  const fs::path folder = benchFolder("day");
  DiaryStore store(folder);
  store.ensureDataFolder();
  if (state.range(0)) store.setKey(benchKey(), true);
  const std::string rtf = dayOf(200 << 10);
  store.Save(kDay, rtf);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.Load(kDay));
    benchmark::DoNotOptimize(store.Save(kDay, rtf));
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_DayOpenAndAutosave)->ArgName("sealed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 3,650 days of 2 KB: sealed one by one (arg 1), or each read and durably
// rewritten as it is (arg 0), the least any conversion must do.
void BM_TenYears(benchmark::State& state) {
  const fs::path folder = benchFolder("years");
  DiaryStore store(folder);
  store.ensureDataFolder();
  const std::string rtf = dayOf(2 << 10);
  std::vector<std::string> keys;
  for (int i = 0; i < 3650; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "%02d-%02d-%04d", i / 28 % 12 + 1, i % 28 + 1, 2000 + i / 336);
    keys.push_back(key);
    store.Save(key, rtf);
  }
  const SharedKey key = benchKey();
  for (auto _ : state) {
    if (state.range(0)) {
      state.PauseTiming();
      store.setKey(key, false);
      Conversion back(store, kDay);
      while (back.step(1000)) {
      }
      store.setKey(key, true);
      state.ResumeTiming();
      Conversion c(store, kDay);
      while (c.step(1000)) {
      }
    } else {
      for (const std::string& k : keys) {
        auto bytes = readFile(store.entryFile(k));
        writeFileAtomic(store.entryFile(k), *bytes, store.dataFolder() / "~Pisarion.tmp");
      }
    }
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_TenYears)->ArgName("sealed")->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

// The unlock: the key file's password slot opened with the count this
// machine chose (reported as `iterations`).
void BM_Unlock(benchmark::State& state) {
  const SecretKey data = *SecretKey::random();
  const uint32_t rounds = calibratePasswordIterations();
  const KeyFile file = *KeyFile::make(data, u"geslo", *makeRecoveryCode(), rounds);
  for (auto _ : state) benchmark::DoNotOptimize(file.openWithPassword(u"geslo"));
  state.counters["iterations"] = rounds;
}
BENCHMARK(BM_Unlock)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

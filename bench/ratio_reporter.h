#pragma once
// Benchmarks are read as ratios to a baseline measured in the same run, so
// that the figures mean the same on a slow or a busy machine. Each benchmark
// names its baseline with a "vs:<name>" label; the reporter prints the table
// at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      m_times[r.benchmark_name()] = r.GetAdjustedRealTime();
      if (r.report_label.rfind("vs:", 0) == 0) m_baselines[r.benchmark_name()] = r.report_label.substr(3);
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-58s %-40s %8s\n", "benchmark", "baseline", "ratio");
    for (const auto& [name, base] : m_baselines) {
      auto it = m_times.find(base);
      if (it == m_times.end() || it->second <= 0) continue;
      std::printf("%-58s %-40s %8.2f\n", name.c_str(), base.c_str(), m_times[name] / it->second);
    }
  }

 private:
  std::map<std::string, double> m_times;
  std::map<std::string, std::string> m_baselines;
};

// For benchmarks/*.cpp: BENCHMARK_MAIN with the ratio table.
#define PISARION_BENCHMARK_MAIN()                                 \
  int main(int argc, char** argv) {                               \
    benchmark::Initialize(&argc, argv);                           \
    bench::RatioReporter reporter;                                \
    benchmark::RunSpecifiedBenchmarks(&reporter);                 \
    benchmark::Shutdown();                                        \
    return 0;                                                     \
  }

}  // namespace bench

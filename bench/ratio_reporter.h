#pragma once
// Benchmarks are read as ratios to a baseline measured in the same run, so
// that the figures mean the same on a slow or a busy machine. Each benchmark
// names its baseline with a "vs:<name>" label; the reporter prints the table
// at the end. Run with repetitions, a benchmark's time is the median of its
// repetitions (the row Google Benchmark reports as "<name>_median"), whether
// or not the single repetitions are reported too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs) {
      if (r.error_occurred) continue;
      // The name without an aggregate's suffix, as a "vs:" label names it.
      const std::string name = r.run_name.str();
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (median) {
        m_medians.insert(name);
      } else if (r.run_type != Run::RT_Iteration || m_medians.count(name)) {
        continue;  // the mean, the spread, or a repetition once the median is known
      }
      m_times[name] = r.GetAdjustedRealTime();
      if (r.report_label.rfind("vs:", 0) == 0) m_baselines[name] = r.report_label.substr(3);
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-58s %-40s %8s\n", "benchmark", "baseline", m_medians.empty() ? "ratio" : "ratio*");
    for (const auto& [name, base] : m_baselines) {
      auto it = m_times.find(base);
      if (it == m_times.end() || it->second <= 0) continue;
      std::printf("%-58s %-40s %8.2f\n", name.c_str(), base.c_str(), m_times[name] / it->second);
    }
    if (!m_medians.empty()) std::printf("* of the medians of the repetitions, where a benchmark was repeated\n");
  }

 private:
  std::map<std::string, double> m_times;
  std::map<std::string, std::string> m_baselines;
  std::set<std::string> m_medians;  // benchmarks whose time is their median
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

// The console report of Google Benchmark, keeping the median of every benchmark's repetitions
// so that a drawing can be set beside the memcpy floor measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>

namespace kelvane::bench {

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  // Colour only on a terminal: bench.sh keeps a copy of the output in a file.
  MedianReporter();
  void ReportRuns(const std::vector<Run>& runs) override;

  // Median time per iteration in nanoseconds of the benchmark registered under name. CPU time
  // for work that only computes: others compile on the same two cores, and a floor and its
  // drawing measured a minute apart should not see different shares of the machine. Wall time
  // where waiting is part of the cost, as for a file synced to disk.
  std::optional<double> MedianCpuNs(const std::string& name) const;
  std::optional<double> MedianWallNs(const std::string& name) const;

 private:
  std::map<std::string, double> cpuNs_;
  std::map<std::string, double> wallNs_;
};

}  // namespace kelvane::bench

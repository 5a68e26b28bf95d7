#include "MedianReporter.h"

#include <unistd.h>

namespace kelvane::bench {
namespace {

std::optional<double> Find(const std::map<std::string, double>& medians, const std::string& name) {
  const auto it = medians.find(name);
  if (it == medians.end()) return std::nullopt;
  return it->second;
}

}  // namespace

MedianReporter::MedianReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Aggregate) continue;
    if (run.aggregate_name != "median") continue;
    const double nsPerUnit = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    cpuNs_[run.run_name.function_name] = run.GetAdjustedCPUTime() * nsPerUnit;
    wallNs_[run.run_name.function_name] = run.GetAdjustedRealTime() * nsPerUnit;
  }
}

std::optional<double> MedianReporter::MedianCpuNs(const std::string& name) const {
  return Find(cpuNs_, name);
}

std::optional<double> MedianReporter::MedianWallNs(const std::string& name) const {
  return Find(wallNs_, name);
}

}  // namespace kelvane::bench

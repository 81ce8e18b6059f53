// Collects the median of every benchmark of a run and writes the figures as a markdown table,
// each beside its target, so the ratios come from one run on one machine.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace m1::bench {

// The console reporter, keeping the median real time (in microseconds) of each benchmark.
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // The median of the benchmark named name ("BM_ReadFile/DMK_80x2_DD"), if it ran.
  std::optional<double> MedianUs(const std::string& name) const;

 private:
  std::map<std::string, double> medians_;
};

// One line of the table: a figure (a benchmark's median, or the ratio of two) and its limit.
struct Row {
  std::string what;
  std::string benchmark;
  std::string over;  // when set, the row is the ratio benchmark / over
  double limit = 0;  // microseconds, or the ratio; 0: no target, just the figure
};

// Registers fn as the benchmark `name`, its times printed in microseconds, and returns the row
// of its median against limit.
Row Measured(std::string what, const char* name, void (*fn)(benchmark::State&), double limit);

// The table, one line a row: what, median (µs or ratio), target, met. Rows whose benchmark did
// not run are left out.
std::string MarkdownTable(const MedianReporter& medians, const std::vector<Row>& rows);

// Runs the registered benchmarks with repetitions and medians (unless the command line chose
// otherwise), then, when --markdown=FILE was given, writes the table there as well as to the
// console. Returns the exit status.
int RunAndReport(int argc, char** argv, const std::vector<Row>& rows);

}  // namespace m1::bench

#include "bench/report.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>
#include <utility>

namespace m1::bench {

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
    // Real time per iteration, whatever unit the benchmark prints in.
    const double seconds =
        run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    medians_[run.run_name.str()] = seconds * 1e6;
  }
}

std::optional<double> MedianReporter::MedianUs(const std::string& name) const {
  const auto it = medians_.find(name);
  if (it == medians_.end()) return std::nullopt;
  return it->second;
}

Row Measured(std::string what, const char* name, void (*fn)(benchmark::State&), double limit) {
  benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMicrosecond);
  return {std::move(what), name, "", limit};
}

namespace {

std::string Format(double v, bool ratio) {
  char text[32];
  if (ratio) {
    std::snprintf(text, sizeof text, "%.2fx", v);
  } else if (v >= 1000) {
    std::snprintf(text, sizeof text, "%.2f ms", v / 1000);
  } else {
    std::snprintf(text, sizeof text, "%.2f µs", v);
  }
  return text;
}

}  // namespace

std::string MarkdownTable(const MedianReporter& medians, const std::vector<Row>& rows) {
  std::ostringstream out;
  out << "| measurement | median | target | met |\n| --- | ---: | ---: | :---: |\n";
  for (const Row& row : rows) {
    const std::optional<double> value = medians.MedianUs(row.benchmark);
    if (!value) continue;
    const bool ratio = !row.over.empty();
    double figure = *value;
    if (ratio) {
      const std::optional<double> base = medians.MedianUs(row.over);
      if (!base || *base <= 0) continue;
      figure = *value / *base;
    }
    out << "| " << row.what << " | " << Format(figure, ratio) << " | ";
    if (row.limit > 0) {
      out << "≤ " << Format(row.limit, ratio) << " | " << (figure <= row.limit ? "yes" : "**no**");
    } else {
      out << "– | –";
    }
    out << " |\n";
  }
  return out.str();
}

int RunAndReport(int argc, char** argv, const std::vector<Row>& rows) {
  // Our own option first, so the library does not see it.
  std::string markdown;
  std::vector<char*> args;
  bool repetitionsGiven = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--markdown=")) {
      markdown = std::string(arg.substr(11));
      continue;
    }
    if (arg.starts_with("--benchmark_repetitions")) repetitionsGiven = true;
    args.push_back(argv[i]);
  }
  // Medians of several repetitions are what the table reports.
  static char repetitions[] = "--benchmark_repetitions=9";
  static char aggregates[] = "--benchmark_report_aggregates_only=true";
  if (!repetitionsGiven) {
    args.insert(args.begin() + 1, aggregates);
    args.insert(args.begin() + 1, repetitions);
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const std::string table = MarkdownTable(reporter, rows);
  std::cout << "\n" << table;
  if (!markdown.empty()) {
    std::ofstream file(markdown);
    file << table;
    if (!file) {
      std::cerr << "cannot write " << markdown << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace m1::bench

// m1view-info [--json] [--sectors] IMAGE...: the health of disk images, for scripts and for
// people with many images. Exit status 0 when every image was read, 1 when one was not, 2 for a
// wrong command line.
#include <iostream>
#include <string>
#include <vector>

#include "tools/info/options.h"
#include "tools/info/report.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const m1::info::ParsedArguments parsed = m1::info::ParseArguments(args);
  if (parsed.usageError) {
    std::cerr << "m1view-info: " << *parsed.usageError << "\n" << m1::info::kUsage << "\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  return m1::info::RunInfo(parsed.options, std::cout);
}

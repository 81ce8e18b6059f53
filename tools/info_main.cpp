// m1view-info [OPTION]... PATH...: the health, files and bytes of disk images, for scripts and for
// people with many images, and the files on a disk taken out or shown. Exit status 0 when every
// file was read, 1 when one was not, 2 for a wrong command line.
#include <malloc.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/info/file_commands.h"
#include "tools/info/options.h"
#include "tools/info/report.h"
#include "tools/info/survey.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const m1::info::ParsedArguments parsed = m1::info::ParseArguments(args);
  if (parsed.usageError) {
    std::cerr << "m1view-info: " << *parsed.usageError << "\n"
              << "Try 'm1view-info --help' for more information.\n";
    return 2;
  }
  const m1::info::InfoOptions& options = parsed.options;
  if (options.help) {
    std::cout << m1::info::HelpText();
    return 0;
  }
  if (options.version) {
    std::cout << "m1view-info (m1view) " << M1VIEW_VERSION << "\n";
    return 0;
  }
  std::ios::sync_with_stdio(false);
  // Every image is read into a buffer of its size and let go again; kept by the allocator instead
  // of returned to the system each time, the next image reuses its pages without faulting them in.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  if (options.extract) {
    // A file's bytes on a terminal would be taken as its control sequences.
    if (!options.output && ::isatty(STDOUT_FILENO)) {
      std::cerr << "m1view-info: will not write a file's bytes to a terminal; name a file with -o "
                   "PATH or redirect standard output\n";
      return 2;
    }
    return m1::info::RunExtract(options, std::cout, std::cerr);
  }
  if (options.extractAll) return m1::info::RunExtractAll(options, std::cerr);
  if (options.show) return m1::info::RunShow(options, std::cout, std::cerr);
  if (options.at) {
    const std::string& path = options.images.front();
    const m1::info::ImageFile file = m1::info::ReadImageFile(path);
    if (file.error) {
      std::cerr << "m1view-info: " << path << ": " << *file.error << "\n";
      return 1;
    }
    const m1::info::Outcome explained = m1::info::ExplainAt(file.bytes, *options.at);
    std::cout << explained.text;
    return explained.read ? 0 : 1;
  }
  // The progress line is for a person watching, not for a log.
  return m1::info::RunInfo(options, std::cout, ::isatty(STDERR_FILENO) ? &std::cerr : nullptr);
}

// libFuzzer entry for the file-system readers: the input read as an image of its own, and as the
// directory of one of the DOS disks (its first byte chooses the disk, the rest replaces its system
// or boot sector, GAT, HIT and entry sectors). Any fault the check finds stops the fuzzer with its
// description, as a crash would.
#include <cstdio>
#include <cstdlib>

#include "fuzz/dos_disks.h"

namespace {

void Check(std::span<const std::uint8_t> image) {
  const std::vector<std::string> faults = m1::fuzzing::CheckFileSystem(image);
  if (faults.empty()) return;
  for (const std::string& fault : faults) std::fprintf(stderr, "%s\n", fault.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check({data, size});
  Check(m1::fuzzing::DiskFromInput({data, size}));
  return 0;
}

// libFuzzer entry for the sector map window: the bytes loaded, Next to the end in both orders,
// Previous back, redraws. Any fault the driver finds in what the window shows stops the fuzzer with
// the fault's description, as a crash would.
#include <cstdio>
#include <cstdlib>

#include "fuzz/drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const m1::fuzzing::DriveReport report = m1::fuzzing::DriveMap({data, size});
  if (!report.ok()) {
    for (const std::string& fault : report.faults) std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}

// libFuzzer entry for the physical listing: the bytes listed, every record's data read and its
// sector found, its texts written. Any fault the check finds stops the fuzzer with the fault's
// description, as a crash would.
#include <cstdio>
#include <cstdlib>

#include "fuzz/listing_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto faults = m1::fuzzing::CheckListing({data, size});
  if (!faults.empty()) {
    for (const std::string& fault : faults) std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}

// libFuzzer entry for the hex editor window: the bytes loaded, pages at the start, the middle, the
// end and past the last page, a resize. Any fault the driver finds in what the window shows stops
// the fuzzer with the fault's description, as a crash would.
#include "tests/support/window_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return m1::fuzzing::StopOnFault(m1::fuzzing::DriveHex({data, size}));
}

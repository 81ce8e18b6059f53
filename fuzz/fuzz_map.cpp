// libFuzzer entry for the sector map window: the bytes loaded, Next to the end in both orders,
// Previous back, redraws. Any fault the driver finds in what the window shows stops the fuzzer with
// the fault's description, as a crash would.
#include "tests/support/window_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return m1::fuzzing::StopOnFault(m1::fuzzing::DriveMap({data, size}));
}

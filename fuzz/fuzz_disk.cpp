// libFuzzer entry for the Disk windows: the bytes opened in the main window, the health table
// sorted, filtered and its rows chosen, the files chosen, and the status lines of the main window
// and the sector map. Any fault the driver finds stops the fuzzer with its description.
#include "tests/support/window_drivers.h"

// As for the main window: every record up to this many is chosen, so that noise read as a JV3
// table of thousands of sectors still leaves the fuzzer many inputs a second.
constexpr m1::fuzzing::Effort kEffort{.sectors = 128};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return m1::fuzzing::StopOnFault(m1::fuzzing::DriveDisk({data, size}, kEffort));
}

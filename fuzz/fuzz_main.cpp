// libFuzzer entry for the main window: the bytes opened as an image, every sector shown, the track
// steps, Goto Trk and To Directory. Any fault the driver finds in what the window shows stops the
// fuzzer with the fault's description, as a crash would.
#include "tests/support/window_drivers.h"

// Every sector index up to this many is shown in turn, then a spread up to the last: a JV3 table
// read from 8 KiB of noise holds thousands of sectors, and drawing each takes about a millisecond
// under the sanitizers, which would leave the fuzzer a few inputs a second.
constexpr m1::fuzzing::Effort kEffort{.sectors = 128};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return m1::fuzzing::StopOnFault(m1::fuzzing::DriveMain({data, size}, kEffort));
}

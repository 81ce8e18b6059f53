// Drivers that put one file through each of the three windows the way a user would, on the
// recording platform, and check after every drawing that what the window shows stays inside what
// the file holds. The fuzz targets call them with the fuzzer's bytes; the normal tests replay
// saved inputs and damaged images through the very same code. Nothing here needs libFuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/recording.h"

namespace m1::fuzzing {

// Files that hold one file in memory: Open succeeds for its path only, and reads give its bytes.
class MemoryFiles final : public Files {
 public:
  MemoryFiles(std::string path, std::span<const std::uint8_t> bytes)
      : path_(std::move(path)), bytes_(bytes) {}
  void CloseAll() override { open_ = false; }
  bool Open(const std::string& path) override {
    open_ = !path.empty() && path == path_;
    return open_;
  }
  bool IsOpen() const override { return open_; }
  std::int64_t Length() const override {
    return open_ ? static_cast<std::int64_t>(bytes_.size()) : 0;
  }
  bool ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) override;

  // Opens and reads so far (the tests check that nothing else is ever asked of a file).
  int opens = 0;

 private:
  std::string path_;
  std::span<const std::uint8_t> bytes_;
  bool open_ = false;
};

// What one drive of a window saw: the faults found (empty when all is well) and the message boxes.
struct DriveReport {
  std::vector<std::string> faults;
  std::vector<RecordedMessage> messages;
  int drawings = 0;  // drawings checked
  bool ok() const { return faults.empty(); }
};

// The path under which MemoryFiles serves the bytes.
inline constexpr const char* kMemoryPath = "/fuzz/image.dsk";

// How much of each window a drive goes through. The defaults go through everything; damaged-image
// tests that drive hundreds of files take less of each.
struct Effort {
  // Sector indexes stepped through with "Next Sec"; past them a spread of `spread` + 1 indexes up
  // to the last one is shown.
  int sectors = 1 << 30;
  int spread = 32;
  // "Next Trk" presses, and as many "Prev Trk" (at most the tracks and two more).
  int trackSteps = 300;
  // "Next" and as many "Previous" presses of the sector map in each order.
  int mapSteps = 24;
  // Every out-of-range sector index, every "Goto Trk" text, every hex page, and the hex window
  // opened a second time through its own menu and paged again; false: a few of each.
  bool thorough = true;
};
// Little of each window: two sectors and the last, two track steps, one map page each way, the
// middle and last hex pages.
inline constexpr Effort kLight{2, 1, 2, 1, false};

// The main window: open, sector indexes from 0 to Totalsecs - 1 with "Next Sec" and a few out of
// range, the track steps both ways, "Goto Trk" with odd texts, " To Directory", redraws.
DriveReport DriveMain(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                      const Effort& effort = {});
// The sector map: open, "Next" to the end in numeric and interleave order, "Previous" back,
// redraws.
DriveReport DriveMap(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                     const Effort& effort = {});
// The hex editor: opened from the main window's hand-over and from its own menu, pages at the
// start, the middle, the end and past the clamp, a resize.
DriveReport DriveHex(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                     const Effort& effort = {});

// The Disk windows over the image the main window shows (tests/support/disk_drivers.cpp): the
// health table sorted by every column and filtered, rows chosen, the files table with each file
// chosen, the Disk map in every view and colouring with its cells clicked, the main window's
// status line at the sectors shown and the sector map's at every sector drawn. A chosen row or
// cell must land the main window on the sector whose data starts where the record's does, or hand
// the record's own offset to the hex window.
DriveReport DriveDisk(std::span<const std::uint8_t> bytes, const Effort& effort = {});

// The same with the bytes served from memory.
DriveReport DriveMain(std::span<const std::uint8_t> bytes, const Effort& effort = {});
DriveReport DriveMap(std::span<const std::uint8_t> bytes, const Effort& effort = {});
DriveReport DriveHex(std::span<const std::uint8_t> bytes, const Effort& effort = {});

// All the windows on the bytes; the faults of all of them, each prefixed by its window.
std::vector<std::string> DriveAll(std::span<const std::uint8_t> bytes, const Effort& effort = {});

// What a fuzz target makes of the report of one input: any fault the driver found in what the
// window showed stops the fuzzer with the fault's description, as a crash would. Returns 0.
inline int StopOnFault(const DriveReport& report) {
  if (report.ok()) return 0;
  for (const std::string& fault : report.faults) std::fprintf(stderr, "%s\n", fault.c_str());
  std::abort();
}

}  // namespace m1::fuzzing

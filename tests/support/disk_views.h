// A record of what a window asked the main window (a sector by its data offset) and the hex
// window (bytes from an offset) to show; ShowSector answers `indexed`, as the main window does
// when the sector has an index.
#pragma once

#include <cstdint>
#include <vector>

#include "viewer/main_disk.h"

namespace m1::testing {

class RecordedViews final : public DiskViews {
 public:
  bool ShowSector(std::int64_t dataOffset) override {
    sectors.push_back(dataOffset);
    return indexed;
  }
  void ShowBytes(std::int64_t offset) override { bytes.push_back(offset); }
  bool indexed = true;
  std::vector<std::int64_t> sectors, bytes;
};

}  // namespace m1::testing

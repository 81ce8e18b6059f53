// The real utility disk of ../shared/real (JV3, single density, 80 tracks, one side), read whole
// when it is there; the tests that use it skip when it is absent.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "tests/support/image_builder.h"

namespace m1::testing {

inline std::filesystem::path UtilityDiskPath() {
  return std::filesystem::path(M1VIEW_REAL_IMAGES) / "utility-jv3-sd80.dsk";
}

inline std::optional<Bytes> ReadUtilityDisk() {
  if (!std::filesystem::exists(UtilityDiskPath())) return std::nullopt;
  std::ifstream in(UtilityDiskPath(), std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace m1::testing

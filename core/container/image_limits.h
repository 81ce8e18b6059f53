// How large a file may be to be taken as a disk image at all: the one pair of limits every window
// and tool applies before reading a byte.
#pragma once

#include <cstdint>

namespace m1 {

// Files larger than this are refused without being read: no disk image comes near it.
inline constexpr std::int64_t kMaxImageBytes = std::int64_t{64} * 1024 * 1024;
// The recognition reads header bytes up to offset 15.
inline constexpr std::int64_t kMinImageBytes = 16;

}  // namespace m1

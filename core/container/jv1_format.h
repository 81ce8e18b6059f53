// JV1, as it lies in the file: no header at all. The disk's sectors one after another, track by
// track from track 0, ten single-density sectors of 256 bytes a track (sector 0 first), one side.
// The only sign of the format is the first sector of a Model 1 boot track, which begins 00 FE 11.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/container/byte_reader.h"

namespace m1::jv1 {

inline constexpr int kSectorBytes = 256;
inline constexpr int kSectorsPerTrack = 10;
inline constexpr std::int64_t kTrackBytes = kSectorsPerTrack * kSectorBytes;  // 2560
inline constexpr int kMaxTracks = 96;
inline constexpr int kDirectoryTrack = 17;  // the Model 1 directory track
inline constexpr std::uint8_t kBootSignature[3] = {0x00, 0xFE, 0x11};

inline bool HasBootSignature(const ByteReader& file) {
  for (int k = 0; k < 3; ++k) {
    if (file.byte(k) != kBootSignature[k]) return false;
  }
  return true;
}

// Tracks of a JV1 image: the file size in 2560-byte tracks, rounded up, 1 to 96.
inline int Tracks(std::int64_t fileSize) {
  const std::int64_t tracks = (fileSize + kTrackBytes - 1) / kTrackBytes;
  return static_cast<int>(std::clamp<std::int64_t>(tracks, 1, kMaxTracks));
}

}  // namespace m1::jv1

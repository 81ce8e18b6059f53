// JV3, as it lies in the file: a table of 2901 three-byte sector headers (offsets 0..8702), the
// write-protect byte at 8703, then the sector data from 0x2200 (8704) in table order. Every entry
// of the table owns data space in that order, a free one too (a freed sector keeps its space for
// reuse), so the data of an entry starts after the data of all entries before it. A file may hold
// a second table of the same shape (2901 entries and a padding byte) right after the data of the
// first table's 2901 entries, followed by the data of its own entries.
// Each header:
//   byte 0  track number (0xFF: a free entry)
//   byte 1  sector number as recorded on the disk
//   byte 2  flags:
//           0x80 double density
//           0x60 data address mark: single density 00 FB, 20 FA, 40 F9, 60 F8;
//                double density 00 FB, 20 F8 (the bit 0x20 marks a directory sector)
//           0x10 side 1
//           0x08 the sector was read with a CRC error
//           0x04 non-IBM sector
//           0x03 size code: 0 256, 1 128, 2 1024, 3 512 bytes; in a free entry (flags 0xFC
//                with the size code) the space it keeps: 0 512, 1 1024, 2 128, 3 256 bytes
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/container/byte_reader.h"

namespace m1::jv3 {

inline constexpr std::int64_t kEntries = 2901;  // 2901 x 3 bytes, with the protect byte: 0x2200
inline constexpr std::int64_t kEntryBytes = 3;
inline constexpr int kEntryTrack = 0;
inline constexpr int kEntrySector = 1;
inline constexpr int kEntryFlags = 2;
// What each byte of a sector header is, as the explainer names it.
inline constexpr const char* kEntryByteNames[kEntryBytes] = {"track number", "sector number",
                                                             "flags"};
inline constexpr std::int64_t kWriteProtectAt = kEntries * kEntryBytes;  // 8703
inline constexpr std::int64_t kTableBytes = kWriteProtectAt + 1;         // 0x2200
inline constexpr std::int64_t kDataStart = kTableBytes;                  // 8704
inline constexpr std::uint8_t kFree = 0xFF;

inline constexpr std::uint8_t kDouble = 0x80;
inline constexpr std::uint8_t kDataMarkBits = 0x60;
inline constexpr std::uint8_t kDirectory = 0x20;
inline constexpr std::uint8_t kSide1 = 0x10;
inline constexpr std::uint8_t kCrcError = 0x08;
inline constexpr std::uint8_t kNonIbm = 0x04;
inline constexpr std::uint8_t kSizeMask = 0x03;
inline constexpr std::int64_t kSizes[4] = {256, 128, 1024, 512};
inline constexpr std::int64_t kFreeSizes[4] = {512, 1024, 128, 256};

struct Entry {
  std::uint8_t track = 0;
  std::uint8_t sector = 0;
  std::uint8_t flags = 0;

  bool Free() const { return track == kFree; }
  bool DoubleDensity() const { return (flags & kDouble) != 0; }
  bool Side1() const { return (flags & kSide1) != 0; }
  bool CrcError() const { return (flags & kCrcError) != 0; }
  bool NonIbm() const { return (flags & kNonIbm) != 0; }
  bool DirectoryMark() const { return (flags & kDirectory) != 0; }
  int SizeCode() const { return flags & kSizeMask; }
  std::int64_t Size() const { return kSizes[flags & kSizeMask]; }
  // The data space the entry owns in the file, a free entry's by its own size codes.
  std::int64_t DataBytes() const {
    return Free() ? kFreeSizes[flags & kSizeMask] : kSizes[flags & kSizeMask];
  }
  // The data address mark the flags record.
  std::uint8_t DataMark() const {
    static constexpr std::uint8_t kSingle[4] = {0xFB, 0xFA, 0xF9, 0xF8};
    static constexpr std::uint8_t kDoubleMarks[4] = {0xFB, 0xF8, 0xFB, 0xF8};
    const int code = (flags & kDataMarkBits) >> 5;
    return DoubleDensity() ? kDoubleMarks[code] : kSingle[code];
  }
};

// Entry k of the table that starts at tableStart; nothing when it lies past the end of the file.
inline std::optional<Entry> ReadEntry(const ByteReader& file, std::int64_t tableStart,
                                      std::int64_t k) {
  const auto b = file.bytes(tableStart + kEntryBytes * k, kEntryBytes);
  if (!b) return std::nullopt;
  return Entry{(*b)[kEntryTrack], (*b)[kEntrySector], (*b)[kEntryFlags]};
}

// The entries the design's windows count: from entry 0 up to the first free entry, the 2901st
// entry or the end of the file, whichever comes first.
inline std::int64_t EntriesInUse(const ByteReader& file) {
  const std::int64_t whole =
      std::min<std::int64_t>(kEntries, static_cast<std::int64_t>(file.size()) / kEntryBytes);
  std::int64_t n = 0;
  while (n < whole && file.byte(kEntryBytes * n).value_or(kFree) != kFree) ++n;
  return n;
}

// True when the first n entries all lie in the file and name the track of the first one: a disk's
// table opens with the sectors of track 0.
inline bool FirstEntriesAgree(const ByteReader& file, int n) {
  const auto first = ReadEntry(file, 0, 0);
  for (int k = 1; k < n; ++k) {
    const auto e = ReadEntry(file, 0, k);
    if (!first || !e || e->track != first->track) return false;
  }
  return first.has_value();
}

}  // namespace m1::jv3

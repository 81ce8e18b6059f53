// Newdos/80's system sector, as it lies on the disk: relative sector 2 (track 0 sector 2 of a disk
// whose boot track has the disk's format) carries the marker 0xA5 at byte 239 and, from its
// start, the drive parameter table (PDRIVE), ten bytes an entry; the first entry describes the
// disk itself:
//   byte 0  DDSL, the lump where the directory starts
//   byte 1  the number of lumps on the disk
//   byte 2  TSR (track stepping rate) in bits 0x03, the TI letters in the others
//   byte 3  TC, the cylinders
//   byte 4  SPT, the sectors of a cylinder, both sides counted (which also names the drive kind)
//   byte 5  GPL, granules per lump
//   byte 7  bit 0x04: the second TI letter "L"
//   byte 9  DDGA, the granules given to the directory
// Newdos/80 counts in granules of 5 sectors whatever the density. The main window's analysis and
// the file-system reader both read the disk by these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace m1::newdos {

inline constexpr int kSystemSector = 2;        // relative sector of the system sector
inline constexpr std::size_t kMarkerAt = 239;  // 0xEF
inline constexpr std::uint8_t kMarker = 0xA5;
inline constexpr int kGranuleSectors = 5;

inline constexpr int kPdriveBytes = 10;  // one entry
// The bytes of an entry, by the names above.
enum Pdrive { kDdsl = 0, kLumps = 1, kTi = 2, kTc = 3, kSpt = 4, kGpl = 5, kTi2 = 7, kDdga = 9 };

}  // namespace m1::newdos

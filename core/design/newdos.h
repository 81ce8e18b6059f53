// Newdos/80 facts read from the system sector: the marker and the first drive parameter (PDRIVE)
// entry, and the text the main window shows for it.
#pragma once

#include <cstdint>
#include <string>

#include "core/container/byte_reader.h"
#include "core/design/disk_image.h"

namespace m1 {

// The entry's bytes as stored (offsets from the start of the system sector).
struct PdriveBytes {
  std::uint8_t ddsl = 0;  // 0: directory start lump
  std::uint8_t ti = 0;    // 2: TSR in bits 0x03, the TI letters in the others
  std::uint8_t tc = 0;    // 3: track count
  std::uint8_t spt = 0;   // 4: sectors per track, also the TD letter
  std::uint8_t gpl = 0;   // 5: granules per lump
  std::uint8_t ti2 = 0;   // 7: bit 0x04 gives the second TI letter "L"
  std::uint8_t ddga = 0;  // 9: directory granule allocation
};

// The "Pdrives:" line for an entry.
std::string PdriveText(const PdriveBytes& entry);

// Reads the entry from the sector starting at img.fpa, its bytes step apart (2 for a doubled
// single-density DMK sector), sets pdrive and leaves fpa at the entry's byte 4. Returns false and
// changes nothing when a byte of the entry lies past the end of the file.
bool DecodePdrive(DiskImage& img, const ByteReader& file, int step = 1);

}  // namespace m1

// What the DOS readers share. Each DOS describes its disk as a DosLayout (how relative sectors,
// granules and the directory lie, how an entry is laid out); ReadDirectory then reads the GAT, the
// HIT and the entries the same way for all of them, follows the extents and finds the owner of
// every record of the listing.
//
// The directory of all these DOSes, as it lies on the disk:
//   first sector  the GAT: one allocation byte per track (Newdos/80: per lump), bit n set when
//                 granule n is in use, in bytes 0x00-0x5F with the lockout table at 0x60-0xBF
//                 (Newdos/80: bytes 0x00-0xBF, no lockout table); the disk name at 0xD0 and its
//                 date at 0xD8 (8 characters each)
//   second sector the HIT: one byte per entry slot, the hash of the file's name, 0 for a free slot
//   then          the entry slots. Byte 0 the attributes (0x80 extended entry, 0x40 system file,
//                 0x10 in use, 0x08 invisible, bits 0-2 the protection level), byte 3 the offset
//                 of the end of file in its last sector, byte 4 the record length, bytes 5-12 the
//                 name and 13-15 the extension (space-padded), bytes 20-21 the ending record
//                 number (ERN), from byte 22 the extents: two bytes each, a track (lump) and a
//                 granule byte whose top 3 bits are the first granule and low 5 bits the count
//                 (less one, on the Model 1 DOSes). FF FF ends the list; FE xx continues it in the
//                 extended entry whose HIT position is xx.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/dos/filesystem.h"

namespace m1::dos {

inline constexpr int kSectorBytes = 256;
inline constexpr std::uint8_t kAttrExtended = 0x80;
inline constexpr std::uint8_t kAttrSystem = 0x40;
inline constexpr std::uint8_t kAttrInUse = 0x10;
inline constexpr std::uint8_t kAttrInvisible = 0x08;
inline constexpr std::uint8_t kAttrProtection = 0x07;
inline constexpr std::size_t kDiskNameAt = 0xD0;  // GAT: the disk name, 8 characters
inline constexpr std::size_t kDiskDateAt = 0xD8;  // GAT: the date it was formatted, "MM/DD/YY"
// GAT allocation bytes: TRSDOS, LDOS and Model III TRSDOS keep their lockout table from 0x60;
// Newdos/80 has none and allocates up to 192 lumps.
inline constexpr int kGatUnitsLockout = 0x60;
inline constexpr int kGatUnitsNewdos = 0xC0;
inline constexpr int kHitSectors = 32;  // a Model 1 HIT position keeps the entry sector in 5 bits
inline constexpr int kMaxGranulesPerUnit = 8;  // bits of a GAT byte

// The sectors of the image as the DOS addresses them.
class DiskView {
 public:
  DiskView(std::span<const std::uint8_t> file, const Listing& listing, ContentGuess guess = {})
      : file_(file), listing_(listing), guess_(std::move(guess)) {}

  const Listing& listing() const { return listing_; }
  std::optional<std::size_t> Record(int cylinder, int head, int sector) const {
    return listing_.Find(cylinder, head, sector);
  }
  // The 256 data bytes of a sector, or nothing when the image has no such sector or holds fewer
  // bytes of it.
  std::optional<std::vector<std::uint8_t>> Sector(int cylinder, int head, int sector) const;
  // The lowest sector number and the number of sectors on a track; {0, 0} when it is empty.
  struct TrackShape {
    int firstSector = 0;
    int sectors = 0;
  };
  TrackShape Shape(int cylinder, int head) const;
  // What bytes outside the directory's files seem to hold; nothing without a recogniser.
  std::optional<std::string> Guess(std::span<const std::uint8_t> bytes) const {
    return guess_ ? guess_(bytes) : std::nullopt;
  }

 private:
  std::span<const std::uint8_t> file_;
  const Listing& listing_;
  ContentGuess guess_;
};

// Where an entry's fields lie and what they mean, for one DOS.
enum class SizeRule {
  LastSectorPartial,  // (ERN - 1) x 256 + EOF, or ERN x 256 when EOF is 0
  RecordsPlusEof,     // ERN x 256 + EOF
};
enum class DateRule {
  None,        // no date in the entry
  LdosPacked,  // byte 1 bits 0-3 month; byte 2 bits 3-7 day, bits 0-2 year - 1980
  MonthYear,   // byte 1 month, byte 2 year - 1900
};
enum class HitRule {
  EntryTimes32,  // HIT position = entry in sector x 32 + entry sector (the Model 1 DOSes)
  SectorTimes5,  // HIT position = entry sector x 5 + entry in sector (Model III TRSDOS)
};

struct DosLayout {
  std::string dos;
  std::optional<std::string> version;
  std::string unitName = "track";  // what one GAT byte describes: "track" or "lump"

  // Relative sector r lies on cylinder firstCylinder + r / (sides x sectorsPerSide), side
  // (r / sectorsPerSide) % sides, sector number firstSector + r % sectorsPerSide.
  int firstCylinder = 0;
  int sides = 1;
  int sectorsPerSide = 10;
  int firstSector = 0;
  int totalSectors = 0;  // relative sectors the DOS counts on this disk

  int sectorsPerGranule = 5;
  int granulesPerUnit = 2;          // granules a GAT byte describes
  int units = 0;                    // GAT bytes that describe the disk
  int gatUnits = kGatUnitsLockout;  // GAT bytes the DOS allocates with at most

  int directorySector = 0;   // relative sector of the GAT; the HIT follows, then the entries
  int entrySectors = 0;      // sectors of entry slots
  int entryBytes = 32;       // 32, or 48 on Model III TRSDOS
  int entriesPerSector = 8;  // 8, or 5
  int extentPairs = 5;       // two-byte extent fields from byte 22, a link included
  bool linkedEntries = true;
  bool countLessOne = true;  // the low 5 bits of a granule byte hold the count less one
  HitRule hit = HitRule::EntryTimes32;
  SizeRule size = SizeRule::LastSectorPartial;
  DateRule date = DateRule::None;

  std::vector<int> bootSectors;           // relative sectors that hold the boot sector(s)
  std::vector<int> systemSectors;         // relative sectors the DOS keeps for itself
  std::vector<int> bootCylinders;         // cylinders before relative sector 0 (a boot track)
  std::vector<FileExtent> systemExtents;  // granules of system files kept outside the directory

  int Granules() const { return totalSectors / sectorsPerGranule; }
  int SectorsPerCylinder() const { return sides * sectorsPerSide; }
};

// The hash the DOS keeps in the HIT for a name: each of the 11 bytes of the space-padded name and
// extension XORed in and the result rotated left by one bit; 0 becomes 1, as 0 marks a free slot.
std::uint8_t NameHash(std::span<const std::uint8_t> name11);

// Reads the directory described by layout; the caller has recognised the DOS. The GAT must be
// readable (the recognisers check that).
FileSystem ReadDirectory(const DiskView& disk, const DosLayout& layout);

// The DOSes, each recognised from its own structures; nothing when the disk is not theirs.
std::optional<FileSystem> ReadNewdos80(const DiskView& disk);
std::optional<FileSystem> ReadTrsdosModel1(const DiskView& disk);
std::optional<FileSystem> ReadTrsdosModel3(const DiskView& disk);

// The number of HIT slots of an entry layout whose hash matches its in-use entry, and the number
// of non-zero HIT bytes, over the directory sectors; how the recognisers tell a directory.
struct HitAgreement {
  int matching = 0;
  int used = 0;
};
HitAgreement CheckHit(const DiskView& disk, const DosLayout& layout);

}  // namespace m1::dos

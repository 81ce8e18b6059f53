// Builders of disk image files for tests. Each builds the whole file in memory, byte for byte, the
// way the container lies on disk, so a test can state its fixture in a few lines and work out the
// expected offsets by hand.
//
//   Jv1Builder jv1(35);                       // 35 tracks x 10 sectors x 256 bytes, filled 0xE5
//   jv1.Put(0, 2, 239, {0xA5});               // track 0, sector 2, byte 239
//   std::vector<std::uint8_t> file = jv1.Build();
//
//   Jv3Builder jv3;                           // 0x2200-byte header, then the sector data
//   jv3.Add(0, 0, 0x00);                      // track 0, sector 0, single density, 256 bytes
//   jv3.Add(0, 1, 0x80 | 0x20);               // double density, directory mark
//
//   DmkBuilder dmk(40, 6400);                 // header: 40 tracks, track length 6400
//   dmk.AddTrack({DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2)});
//   dmk.AddTrack({DmkSector::Sd(1, 0, 0)});   // single density, every byte recorded twice
//
// Nothing here throws for odd values the tests want (absurd track numbers, short files); only a
// track whose sectors do not fit in the track length throws std::length_error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace m1::testing {

using Bytes = std::vector<std::uint8_t>;

// CRC-16-CCITT as the floppy controller computes it: polynomial 0x1021, no reflection.
std::uint16_t Crc16Ccitt(std::span<const std::uint8_t> bytes, std::uint16_t init = 0xFFFF);

// ---------------------------------------------------------------------------------------------
// JV1: no header; tracks x 10 sectors x 256 bytes, track by track, sector 0 first. Byte 0..2 of
// track 0 sector 0 are set to 00 FE 11 (the boot sector's first bytes, which mark a JV1 image)
// unless signature is false.
class Jv1Builder {
 public:
  static constexpr int kSectorsPerTrack = 10;
  static constexpr int kSectorBytes = 256;

  explicit Jv1Builder(int tracks, std::uint8_t fill = 0xE5, bool signature = true);

  // File offset of byte 0 of a sector: (track x 10 + sector) x 256.
  static std::size_t Offset(int track, int sector) {
    return static_cast<std::size_t>(track * kSectorsPerTrack + sector) * kSectorBytes;
  }
  // Writes bytes into a sector starting at byte `at` of it.
  Jv1Builder& Put(int track, int sector, std::size_t at, std::span<const std::uint8_t> bytes);
  Jv1Builder& Put(int track, int sector, std::size_t at, std::initializer_list<std::uint8_t> bytes);
  // Writes bytes at a file offset (the file grows when needed).
  Jv1Builder& PutAt(std::size_t offset, std::span<const std::uint8_t> bytes);
  Jv1Builder& PutAt(std::size_t offset, std::initializer_list<std::uint8_t> bytes);

  Bytes Build() const { return file_; }

 private:
  Bytes file_;
};

// ---------------------------------------------------------------------------------------------
// JV3: 2901 three-byte sector headers (track, sector, flags) at offsets 0..8702, free entries
// 0xFF 0xFF 0xFF; byte 8703 is the write-protect byte (0xFF: writable); sector data from 0x2200 on,
// in table order, each sector as long as its flag bits 0x03 say (0: 256, 1: 128, 2: 1024, 3: 512).
// Flags: 0x80 double density, 0x20 directory data mark, 0x10 side 1.
class Jv3Builder {
 public:
  static constexpr std::size_t kEntries = 2901;
  static constexpr std::size_t kDataStart = 0x2200;

  static std::size_t SectorSize(std::uint8_t flags);

  // Appends a table entry and its data (size from the flags, every byte = fill). Returns the
  // entry's number (0 for the first).
  std::size_t Add(int track, int sector, std::uint8_t flags, std::uint8_t fill = 0xE5);
  // Appends sectors 0 .. count - 1 of one track, in order, all with the same flags.
  Jv3Builder& AddTrack(int track, int count, std::uint8_t flags);
  // Appends a free entry (0xFF 0xFF 0xFF) with no data; the reader's table ends there.
  Jv3Builder& AddFree();
  // Writes bytes into the data of entry n starting at byte `at` of the sector.
  Jv3Builder& Put(std::size_t entry, std::size_t at, std::span<const std::uint8_t> bytes);
  Jv3Builder& Put(std::size_t entry, std::size_t at, std::initializer_list<std::uint8_t> bytes);
  // File offset of the data of entry n: 0x2200 plus the sizes of the entries before it.
  std::size_t DataOffset(std::size_t entry) const;

  // The whole file. Entries past kEntries are dropped from the table (their data is kept).
  Bytes Build() const;

 private:
  struct Entry {
    std::uint8_t track, sector, flags;
    bool free;
    Bytes data;
  };
  std::vector<Entry> entries_;
};

// ---------------------------------------------------------------------------------------------
// DMK: a 16-byte header (byte 0 write protect, byte 1 tracks, bytes 2-3 track length including the
// pointer table, byte 4 options: 0x10 single-sided, 0x40 single density stored single-byte, 0x80
// ignore density; bytes 12-15 78 56 34 12 for a real drive), then track images of `track length`
// bytes. Each image opens with 64 little-endian pointers (128 bytes) to its ID address marks,
// offsets from the image start, bit 0x8000 set for double density, 0 after the last.
//
// Double density (MFM) sector: 0x4E gap, 12 x 00, A1 A1 A1, FE T S R N CRC, 22 x 4E, 12 x 00,
// A1 A1 A1, data mark, 256 bytes, CRC, gap; CRCs start at 0xFFFF and cover the three A1 bytes.
// The data mark lies 44 bytes after FE.
// Single density (FM) sector: 6 x 00, FE T S R N CRC, 11 x FF, 6 x 00, data mark, 256 bytes, CRC,
// gap of 0xFF; the data mark lies 24 bytes after FE. In the doubled form (the usual DMK single
// density) every byte of the sector, gaps included, is recorded twice, so the mark lies 48 bytes
// after the first FE and the data starts 50 bytes after it.
struct DmkSector {
  int track = 0;
  int side = 0;
  int sector = 0;
  int sizeCode = 1;  // N of the ID field (1: 256 bytes); only recorded, 256 bytes always written
  bool doubleDensity = true;
  std::uint8_t dam = 0xFB;  // data address mark: 0xFB data, 0xF8 / 0xFA directory (deleted)
  std::uint8_t fill = 0xE5;
  Bytes data;  // first bytes of the sector; the rest is fill

  static DmkSector Dd(int track, int side, int sector, std::uint8_t dam = 0xFB);
  static DmkSector Sd(int track, int side, int sector, std::uint8_t dam = 0xFB);
};

// Sectors first .. first + count - 1 of one side of a track, in that order.
std::vector<DmkSector> DdSectors(int track, int side, int first, int count,
                                 std::uint8_t dam = 0xFB);
std::vector<DmkSector> SdSectors(int track, int side, int first, int count);

class DmkBuilder {
 public:
  static constexpr std::size_t kHeaderBytes = 16;
  static constexpr std::size_t kPointerTableBytes = 128;

  DmkBuilder(int tracks, int trackLength, std::uint8_t options = 0);

  // Sets any header byte (for example bytes 12..15 of a real-drive image).
  DmkBuilder& SetHeaderByte(std::size_t at, std::uint8_t value);

  // Appends one track image (in file order; for double-sided disks add side 0 then side 1 of each
  // track). Single-density sectors are recorded with every byte twice when doubled is true, once
  // when false (header option 0x40). Throws std::length_error when they do not fit.
  DmkBuilder& AddTrack(const std::vector<DmkSector>& sectors, bool doubled = true);
  // Appends a track image as given (cut or padded with zero to the track length when pad is true).
  DmkBuilder& AddRawTrack(const Bytes& image, bool pad = true);

  // Where a sector of an added track lies in the file.
  struct Placed {
    std::size_t idam;  // file offset of its ID address mark (the first FE)
    std::size_t data;  // file offset of its first data byte
  };
  const Placed& Place(std::size_t trackImage, std::size_t sectorNo) const {
    return placed_.at(trackImage).at(sectorNo);
  }
  // File offset of the start of track image n: 16 + n x track length.
  std::size_t TrackOffset(std::size_t n) const { return kHeaderBytes + n * trackLength_; }

  Bytes Build() const;

 private:
  std::size_t trackLength_;
  Bytes header_;
  std::vector<Bytes> images_;
  std::vector<std::vector<Placed>> placed_;
};

// ---------------------------------------------------------------------------------------------
// Newdos/80 system sector (track 0, sector 2): the first PDRIVE entry at bytes 0..9 and the
// marker 0xA5 at byte 239 that tells a Newdos/80 disk.
struct PdriveEntry {
  std::uint8_t ddsl = 17;  // byte 0: directory start lump
  std::uint8_t ti = 0x07;  // byte 2: TSR in bits 0x03, TI letters in the others
  std::uint8_t tc = 40;    // byte 3: track count
  std::uint8_t spt = 18;   // byte 4: sectors per track
  std::uint8_t gpl = 2;    // byte 5: granules per lump
  std::uint8_t ti2 = 0;    // byte 7: bit 0x04 gives the TI letter "L"
  std::uint8_t ddga = 2;   // byte 9: directory granules
};
// 256 bytes: fill, the entry at bytes 0..9, and 0xA5 at byte 239 when marker is true.
Bytes NewdosSystemSector(const PdriveEntry& entry, bool marker = true, std::uint8_t fill = 0x00);

// ---------------------------------------------------------------------------------------------
// A disk addressed by cylinder, side and sector, all tracks alike (256-byte sectors numbered from
// firstSector), written out as a JV3 image in cylinder, side, sector order; every sector filled
// with 0xE5 until written.
class SectorDisk {
 public:
  SectorDisk(int cylinders, int sides, int sectors, int firstSector, bool doubleDensity);
  SectorDisk& Put(int cylinder, int head, int sector, std::size_t at,
                  std::span<const std::uint8_t> bytes);
  SectorDisk& Put(int cylinder, int head, int sector, std::size_t at,
                  std::initializer_list<std::uint8_t> bytes);
  Bytes Jv3() const;
  // File offset of a sector's data in Jv3(): 0x2200 + 256 x its place in that order.
  std::size_t Jv3Offset(int cylinder, int head, int sector) const {
    return Jv3Builder::kDataStart + Index(cylinder, head, sector) * 256;
  }

 private:
  std::size_t Index(int cylinder, int head, int sector) const {
    return static_cast<std::size_t>((cylinder * sides_ + head) * sectors_ + sector - firstSector_);
  }
  int cylinders_, sides_, sectors_, firstSector_;
  bool doubleDensity_;
  std::vector<Bytes> data_;  // (cylinder x sides + head) x sectors + sector - firstSector
};

// A directory entry of the Model 1 DOSes (32 bytes) or of Model III TRSDOS (48): attributes at
// byte 0, the two date bytes at 1-2, EOF at 3, the name at 5 and extension at 13 (space-padded),
// the ERN at 20-21 and the extent bytes as given from 22, the rest of the entry 0xFF.
struct DirEntry {
  std::uint8_t attributes = 0x10;
  std::string name;
  std::string ext;
  std::uint8_t date1 = 0, date2 = 0;
  std::uint8_t eof = 0;
  int ern = 0;
  Bytes extents;  // two bytes each as stored: track (lump), granule byte; FE xx for a link

  Bytes Build(std::size_t bytes = 32) const;
};

}  // namespace m1::testing

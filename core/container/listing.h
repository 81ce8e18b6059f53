// The physical listing of an image: every sector record in file order, as the container holds it,
// with its CRCs checked, independent of the main window's sector index. The health check, the
// file systems and m1view-info all read the disk through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace m1 {

enum class ImageFormat { Jv1, Jv3, Dmk };

// A CRC as the container records it. DMK keeps both values of every field; JV3 keeps only a flag
// that the sector was read with a CRC error, so its values are absent.
struct CrcCheck {
  bool ok = true;
  std::optional<std::uint16_t> written;
  std::optional<std::uint16_t> computed;
};

// What is odd about a record, as bits.
enum Remark : std::uint32_t {
  kRemarkNoDataMark = 1u << 0,  // no data address mark where a controller looks for it
  kRemarkCutByTrack = 1u << 1,  // the field runs past the end of its track image
  kRemarkCutByFile = 1u << 2,   // the field runs past the end of the file
  kRemarkDuplicate =
      1u << 3,  // an earlier record of the same track image has its track, side, sector
  kRemarkTrackDiffers = 1u << 4,  // the recorded track differs from the track image's place
  kRemarkNotIndexed = 1u << 5,    // the main window's sector index does not reach it (set by
                                  // MarkIndexReach, never by the listing)
  kRemarkNonIbm = 1u << 6,        // JV3: a non-IBM sector
  kRemarkNoIdMark = 1u << 7,      // DMK: the pointer does not point at an ID address mark (0xFE)
  kRemarkPastHeader = 1u << 8,    // DMK: in a track image past those the header names
};

// A field cut by either end.
inline constexpr std::uint32_t kRemarksCut = kRemarkCutByTrack | kRemarkCutByFile;

struct SectorRecord {
  int image = 0;  // DMK: track image in file order; JV3: header entry (over both tables); JV1:
                  // sector in file order
  int slot = 0;   // DMK: entry of the image's pointer table; JV3, JV1: 0
  int cylinder =
      0;  // physical cylinder: DMK the image's place, JV3 the header's track, JV1 offset / 2560
  int head =
      0;  // physical side: DMK the image's side on a double-sided disk, JV3 the side flag, JV1 0
  int track = 0;  // track, side and sector as recorded in the ID field (JV3: the header)
  int side = 0;
  int sector = 0;
  int sizeCode = 0;  // as recorded (DMK: the ID field's N; JV3: the flag bits; JV1: 1, 256 bytes)
  int size = 0;      // data bytes
  bool doubleDensity = false;
  bool doubled = false;  // every byte recorded twice: data byte k at dataOffset + 2k
  std::optional<std::int64_t> idOffset;    // DMK: the ID address mark; JV3: the header entry
  std::optional<std::int64_t> dataOffset;  // the first data byte
  std::optional<std::uint8_t> dam;         // the data address mark
  std::optional<CrcCheck> idCrc;
  std::optional<CrcCheck> dataCrc;
  std::uint32_t remarks = 0;
  // The data bytes that lie in the file and inside the record's track image, at most size: fewer
  // only for a record cut by either end.
  int dataPresent = 0;

  int Step() const { return doubled ? 2 : 1; }
  bool Has(Remark r) const { return (remarks & r) != 0; }
};

struct HealthSummary {
  int records = 0;
  int good = 0;  // records that are no problem (IsProblem)
  int idCrcBad = 0;
  int dataCrcBad = 0;
  int noDataMark = 0;
  int duplicates = 0;
  int pastHeader = 0;  // DMK: records of track images past those the header names
};

struct Listing {
  std::optional<ImageFormat> format;
  std::optional<std::string> error;  // why the file was not listed; nothing when it was
  int cylinders = 0;                 // the cylinders and sides the records span
  int sides = 0;
  bool singleDensity = false;  // some record is single density
  bool doubleDensity = false;  // some record is double density
  std::vector<SectorRecord> records;

  HealthSummary Summary() const;
  // The record of a sector by its physical cylinder, side and recorded sector number. Where a
  // track holds two, the one whose recorded track matches the cylinder, then the one with a good
  // data CRC, then the first. Nothing when the track has no such sector.
  std::optional<std::size_t> Find(int cylinder, int head, int sector) const;

  // Filled by ListSectors for Find.
  std::vector<std::vector<std::size_t>> byTrack;  // (cylinder x 2 + head) -> records in file order
};

// Lists every sector record of the image `file`. Never reads outside it; a damaged record is
// listed with its remark, and never ends the listing of the rest. A file that is too short, too
// large or not recognisable as JV1, JV3 or DMK gets its error and no records. The listing
// recognises the container by its own rule (listing.cpp says it), which takes images the main
// window refuses: a DMK made for a real drive, a JV3 whose first entries name different tracks, a
// JV1 data disk without the boot bytes. Which records the main window reaches is no fact of the
// container: MarkIndexReach (core/design/index_reach.h) adds that remark where it is shown.
Listing ListSectors(std::span<const std::uint8_t> file);

// The error of a file the listing refuses by its length alone (under 16 bytes, or over 64 MiB,
// which is refused unread); nothing when the length is fine.
std::optional<std::string> LengthError(std::int64_t length);

// The data bytes of a record that lie in the file and inside its track image: record.dataPresent
// of them (every other byte of a doubled record); none for a record without a data field.
std::vector<std::uint8_t> SectorData(std::span<const std::uint8_t> file,
                                     const SectorRecord& record);

// "JV1", "JV3", "DMK".
std::string FormatName(ImageFormat format);

// A record worth a reader's attention: a bad CRC, no data mark, no ID mark, a cut field, a
// duplicate, a recorded track that differs from its place, or a track image past those the DMK
// header names. Records only out of the main
// window's reach or non-IBM are not problems.
bool IsProblem(const SectorRecord& record);

}  // namespace m1

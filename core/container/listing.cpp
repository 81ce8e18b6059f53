// The physical listing: every sector record of an image as it lies in the file, each CRC checked.
//
// Recognition, in this order (the first that matches decides):
//  1. Length: under 16 bytes is too short, over 64 MiB too large (such a file is never read).
//  2. JV1 by the boot sector's first bytes 00 FE 11, as the main window recognises it (a JV1 boot
//     sector would otherwise pass for a DMK or JV3 header).
//  3. DMK by its header: the track length 6400 or 3264 as emulators write it, or a header that is
//     plausible as DMK (write protect 00 or FF, 1 to 96 tracks, a track length of 3264 to 16384 and
//     a whole track image in the file). An image made for a real drive (78 56 34 12 in bytes 12-15)
//     is listed too: its track images are laid out like any other.
//  4. JV3 by its table: at least one used entry, every used entry on a track below 96, and the data
//     of every used entry starting inside the file (so a file cut inside its last sectors is still
//     listed, with those records cut). Random bytes fail this at once: a track byte of 96 or more
//     among the 2901 entries; text fails it by its letters; a file of zeros by 2901 sectors of
//     track 0 that do not fit it.
//  5. JV1 without the boot bytes (a data disk): a file of a whole number of 2560-byte tracks, 1
//     to 96 of them.
// Anything else is not listed.
#include "core/container/listing.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "core/container/byte_reader.h"
#include "core/container/crc.h"
#include "core/container/dmk_format.h"
#include "core/container/image_limits.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

constexpr std::uint32_t kCut = kRemarkCutByTrack | kRemarkCutByFile;
constexpr int kJv3MaxTracks = 96;    // a plausible JV3 table names tracks 0 to 95 (LDOS uses 95)
constexpr int kMostDmkTracks = 255;  // DMK header byte 1

void CountDensity(Listing& listing, const SectorRecord& r) {
  (r.doubleDensity ? listing.doubleDensity : listing.singleDensity) = true;
}

// ---------------------------------------------------------------------------------------------
// DMK

// One track image as far as it may be read: from its start to its end or the end of the file,
// whichever comes first.
class TrackImage {
 public:
  TrackImage(const ByteReader& file, std::int64_t start, std::int64_t length)
      : file_(file),
        start_(start),
        end_(std::min<std::int64_t>(start + length, static_cast<std::int64_t>(file.size()))),
        cutByFile_(start + length > static_cast<std::int64_t>(file.size())) {}

  std::int64_t start() const { return start_; }
  // The remark of a field that runs past the end.
  Remark Cut() const { return cutByFile_ ? kRemarkCutByFile : kRemarkCutByTrack; }
  // How many of the n logical bytes from `at` (one every `step` bytes) lie inside.
  int Available(std::int64_t at, int step, int n) const {
    if (at >= end_) return 0;
    return static_cast<int>(std::min<std::int64_t>(n, (end_ - at + step - 1) / step));
  }
  // Logical byte k from `at`; the caller has made sure it lies inside.
  std::uint8_t At(std::int64_t at, int step, int k) const {
    return file_.byte(at + std::int64_t{k} * step).value_or(0);
  }
  // n bytes in a row from `at`; the caller has made sure they lie inside.
  std::span<const std::uint8_t> Row(std::int64_t at, int n) const {
    return file_.bytes(at, n).value_or(std::span<const std::uint8_t>());
  }

 private:
  const ByteReader& file_;
  std::int64_t start_;
  std::int64_t end_;
  bool cutByFile_;
};

// The ID field at the record's idOffset: the recorded numbers, the ID CRC, the ID mark.
// Returns false when the field is cut (the record then has the numbers it could read).
bool ReadId(const TrackImage& image, SectorRecord& r) {
  const int step = r.Step();
  const std::int64_t at = *r.idOffset;
  const int n = image.Available(at, step, dmk::kIdLogicalBytes);
  std::array<std::uint8_t, dmk::kIdLogicalBytes> b{};
  for (int k = 0; k < n; ++k) b[k] = image.At(at, step, k);
  if (n > 0 && b[0] != 0xFE) r.remarks |= kRemarkNoIdMark;
  if (n > dmk::kIdTrack) r.track = b[dmk::kIdTrack];
  if (n > dmk::kIdSide) r.side = b[dmk::kIdSide];
  if (n > dmk::kIdSector) r.sector = b[dmk::kIdSector];
  if (n > dmk::kIdSizeCode) {
    r.sizeCode = b[dmk::kIdSizeCode];
    r.size = 128 << (r.sizeCode & 3);
  }
  if (n < dmk::kIdLogicalBytes) {
    r.remarks |= image.Cut();
    return false;
  }
  const std::uint16_t start = r.doubleDensity ? kCrcStartAfterSync : kCrcStart;
  const auto computed = Crc16(std::span(b).first(dmk::kIdCrc), start);
  const auto written = static_cast<std::uint16_t>((b[dmk::kIdCrc] << 8) | b[dmk::kIdCrc + 1]);
  r.idCrc = CrcCheck{written == computed, written, computed};
  return true;
}

// The data field after a whole ID field: the mark where a controller finds it, the data and
// their CRC.
void ReadData(const TrackImage& image, SectorRecord& r) {
  const int step = r.Step();
  const std::int64_t at = *r.idOffset;
  const int window = r.doubleDensity ? dmk::kDataMarkWindowDouble : dmk::kDataMarkWindowSingle;
  const int searchable = image.Available(at, step, dmk::kIdLogicalBytes + window);
  int mark = dmk::kIdLogicalBytes;
  while (mark < searchable && !dmk::IsAnyDataMark(image.At(at, step, mark))) ++mark;
  if (mark >= searchable) {
    r.remarks |= kRemarkNoDataMark;
    if (searchable < dmk::kIdLogicalBytes + window) r.remarks |= image.Cut();
    return;
  }
  const std::uint8_t dam = image.At(at, step, mark);
  r.dam = dam;
  const std::int64_t markAt = at + std::int64_t{mark} * step;
  r.dataOffset = markAt + step;
  // The field: the mark, the data, two CRC bytes.
  const int fieldBytes = 1 + r.size + 2;
  const int present = image.Available(markAt, step, fieldBytes);
  r.dataPresent = std::clamp(present - 1, 0, r.size);
  if (present < fieldBytes) {
    r.remarks |= image.Cut();
    return;
  }
  const std::uint16_t start = r.doubleDensity ? kCrcStartAfterSync : kCrcStart;
  std::uint16_t computed = 0;
  if (step == 1) {
    computed = Crc16(image.Row(markAt, 1 + r.size), start);
  } else {
    std::array<std::uint8_t, 1 + 1024> field;  // the logical bytes of a doubled field
    for (int k = 0; k <= r.size; ++k) field[k] = image.At(markAt, step, k);
    computed = Crc16(std::span(field).first(1 + r.size), start);
  }
  const auto written = static_cast<std::uint16_t>((image.At(markAt, step, 1 + r.size) << 8) |
                                                  image.At(markAt, step, 2 + r.size));
  r.dataCrc = CrcCheck{written == computed, written, computed};
}

// Every entry of the pointer table of every track image the header names, as far as the file holds
// them (a last image cut by the end of the file too): cylinder and head from the image's place.
// Two images a cylinder (side 0, then side 1), unless the header says single-sided or the file
// holds no more images than the header names tracks, as single-sided images written without the
// option do.
void ListDmk(const ByteReader& file, Listing& listing) {
  const dmk::Header header = dmk::ReadHeader(file);
  const std::int64_t length = header.trackLength;
  const std::int64_t body = static_cast<std::int64_t>(file.size()) - dmk::kHeaderBytes;
  std::int64_t images = length > 0 ? (body + length - 1) / length : 0;
  const int perCylinder = header.SingleSided() || images <= header.tracks ? 1 : 2;
  // A header that names no tracks (accepted for its emulator track length) is read as far as the
  // most a header can name.
  const int tracks = header.tracks > 0 ? header.tracks : kMostDmkTracks;
  images = std::min<std::int64_t>(images, std::int64_t{tracks} * perCylinder);
  for (std::int64_t k = 0; k < images; ++k) {
    const TrackImage image(file, dmk::kHeaderBytes + k * length, length);
    const std::size_t first = listing.records.size();
    for (int slot = 0; slot < dmk::kPointerEntries; ++slot) {
      // The table lies inside the image whenever a pointer of it is read: every image is at
      // least 3264 bytes long, or the file is cut inside the table.
      if (image.Available(image.start() + 2 * slot, 1, 2) < 2) break;
      const auto pointer = dmk::ReadPointer(file, image.start(), slot);
      if (!pointer || pointer->End()) break;
      SectorRecord r;
      r.image = static_cast<int>(k);
      r.slot = slot;
      r.cylinder = static_cast<int>(k / perCylinder);
      r.head = static_cast<int>(k % perCylinder);
      r.doubleDensity = pointer->DoubleDensity();
      r.doubled = !r.doubleDensity && header.SingleDensityDoubled();
      r.idOffset = image.start() + pointer->Offset();
      if (ReadId(image, r)) {
        ReadData(image, r);
        if (r.track != r.cylinder) r.remarks |= kRemarkTrackDiffers;
        for (std::size_t e = first; e < listing.records.size(); ++e) {
          const SectorRecord& earlier = listing.records[e];
          if (earlier.idCrc && earlier.track == r.track && earlier.side == r.side &&
              earlier.sector == r.sector) {
            r.remarks |= kRemarkDuplicate;
            break;
          }
        }
      }
      CountDensity(listing, r);
      listing.records.push_back(r);
    }
  }
  listing.cylinders = static_cast<int>((images + perCylinder - 1) / perCylinder);
  listing.sides = static_cast<int>(std::min<std::int64_t>(perCylinder, images));
}

// ---------------------------------------------------------------------------------------------
// JV3

// Whether the table at tableStart, with its data from dataStart, is plausible (see the rule at the
// top). Entries past the end of the file end the table.
bool PlausibleJv3Table(const ByteReader& file, std::int64_t tableStart, std::int64_t dataStart) {
  std::int64_t pos = dataStart;
  bool used = false;
  for (std::int64_t k = 0; k < jv3::kEntries; ++k) {
    const auto e = jv3::ReadEntry(file, tableStart, k);
    if (!e) break;
    if (!e->Free()) {
      if (e->track >= kJv3MaxTracks || !file.Holds(pos, 1)) return false;
      used = true;
    }
    pos += e->DataBytes();
  }
  return used;
}

// The used entries of one table; returns the end of its entries' data (where a second table
// would start).
std::int64_t ListJv3Table(const ByteReader& file, std::int64_t tableStart, std::int64_t dataStart,
                          int firstEntry, Listing& listing) {
  std::int64_t pos = dataStart;
  for (std::int64_t k = 0; k < jv3::kEntries; ++k) {
    const auto e = jv3::ReadEntry(file, tableStart, k);
    if (!e) break;
    const std::int64_t here = pos;
    pos += e->DataBytes();
    if (e->Free()) continue;
    SectorRecord r;
    r.image = firstEntry + static_cast<int>(k);
    r.cylinder = r.track = e->track;
    r.head = r.side = e->Side1() ? 1 : 0;
    r.sector = e->sector;
    r.sizeCode = e->SizeCode();
    r.size = static_cast<int>(e->Size());
    r.doubleDensity = e->DoubleDensity();
    r.idOffset = tableStart + jv3::kEntryBytes * k;
    r.dataOffset = here;
    r.dam = e->DataMark();
    r.dataCrc = CrcCheck{!e->CrcError(), std::nullopt, std::nullopt};
    if (e->NonIbm()) r.remarks |= kRemarkNonIbm;
    const std::int64_t inFile =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(file.size()) - here, 0, r.size);
    r.dataPresent = static_cast<int>(inFile);
    if (r.dataPresent < r.size) r.remarks |= kRemarkCutByFile;
    CountDensity(listing, r);
    listing.records.push_back(r);
  }
  return pos;
}

void ListJv3(const ByteReader& file, Listing& listing) {
  const std::int64_t end = ListJv3Table(file, 0, jv3::kDataStart, 0, listing);
  // A second table: all 2901 entries in the file and plausible.
  if (file.Holds(end, jv3::kEntries * jv3::kEntryBytes) &&
      PlausibleJv3Table(file, end, end + jv3::kTableBytes)) {
    ListJv3Table(file, end, end + jv3::kTableBytes, static_cast<int>(jv3::kEntries), listing);
  }
  // A JV3 image keeps one data field a sector: a second entry of a track, side and sector is a
  // duplicate (an emulator reads the first).
  std::vector<std::tuple<int, int, int, std::size_t>> keys;
  keys.reserve(listing.records.size());
  for (std::size_t i = 0; i < listing.records.size(); ++i) {
    const SectorRecord& r = listing.records[i];
    keys.emplace_back(r.track, r.side, r.sector, i);
  }
  std::sort(keys.begin(), keys.end());
  for (std::size_t i = 1; i < keys.size(); ++i) {
    if (std::get<0>(keys[i]) == std::get<0>(keys[i - 1]) &&
        std::get<1>(keys[i]) == std::get<1>(keys[i - 1]) &&
        std::get<2>(keys[i]) == std::get<2>(keys[i - 1])) {
      listing.records[std::get<3>(keys[i])].remarks |= kRemarkDuplicate;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// JV1

void ListJv1(const ByteReader& file, Listing& listing) {
  const auto size = static_cast<std::int64_t>(file.size());
  for (std::int64_t at = 0; at < size; at += jv1::kSectorBytes) {
    SectorRecord r;
    r.image = static_cast<int>(at / jv1::kSectorBytes);
    r.cylinder = r.track = static_cast<int>(at / jv1::kTrackBytes);
    r.sector = r.image % jv1::kSectorsPerTrack;
    r.sizeCode = 1;  // 256 bytes, as an ID field would record it
    r.size = jv1::kSectorBytes;
    r.dataOffset = at;
    r.dataPresent = static_cast<int>(std::min<std::int64_t>(jv1::kSectorBytes, size - at));
    if (r.dataPresent < r.size) r.remarks |= kRemarkCutByFile;
    listing.records.push_back(r);
  }
  listing.singleDensity = !listing.records.empty();
}

void BuildTrackIndex(Listing& listing) {
  int cylinders = 0;
  for (const SectorRecord& r : listing.records) cylinders = std::max(cylinders, r.cylinder + 1);
  listing.byTrack.assign(static_cast<std::size_t>(cylinders) * 2, {});
  for (std::size_t i = 0; i < listing.records.size(); ++i) {
    const SectorRecord& r = listing.records[i];
    listing.byTrack[static_cast<std::size_t>(r.cylinder) * 2 + (r.head ? 1 : 0)].push_back(i);
  }
}

}  // namespace

std::optional<std::string> LengthError(std::int64_t length) {
  if (length > kMaxImageBytes) return "too large to be a disk image (over 64 MiB)";
  if (length < kMinImageBytes) return "too short to be a disk image";
  return std::nullopt;
}

Listing ListSectors(std::span<const std::uint8_t> bytes) {
  Listing listing;
  listing.error = LengthError(static_cast<std::int64_t>(bytes.size()));
  if (listing.error) return listing;
  const ByteReader file(bytes);
  const auto size = static_cast<std::int64_t>(bytes.size());
  const dmk::Header header = dmk::ReadHeader(file);
  if (jv1::HasBootSignature(file)) {
    listing.format = ImageFormat::Jv1;
  } else if (header.EmulatorLength() || header.Plausible(size)) {
    listing.format = ImageFormat::Dmk;
  } else if (PlausibleJv3Table(file, 0, jv3::kDataStart)) {
    listing.format = ImageFormat::Jv3;
  } else if (size % jv1::kTrackBytes == 0 && size / jv1::kTrackBytes <= jv1::kMaxTracks) {
    listing.format = ImageFormat::Jv1;
  } else {
    listing.error = "not a JV1, JV3 or DMK image";
    return listing;
  }
  switch (*listing.format) {
    case ImageFormat::Jv1:
      ListJv1(file, listing);
      break;
    case ImageFormat::Jv3:
      ListJv3(file, listing);
      break;
    case ImageFormat::Dmk:
      ListDmk(file, listing);
      break;
  }
  if (*listing.format != ImageFormat::Dmk) {
    for (const SectorRecord& r : listing.records) {
      listing.cylinders = std::max(listing.cylinders, r.cylinder + 1);
      listing.sides = std::max(listing.sides, r.head + 1);
    }
  }
  BuildTrackIndex(listing);
  return listing;
}

std::vector<std::uint8_t> SectorData(std::span<const std::uint8_t> bytes,
                                     const SectorRecord& record) {
  std::vector<std::uint8_t> data;
  if (!record.dataOffset) return data;
  const ByteReader file(bytes);
  const int n = std::clamp(record.dataPresent, 0, record.size);
  data.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    const auto b = file.byte(*record.dataOffset + std::int64_t{k} * record.Step());
    if (!b) break;
    data.push_back(*b);
  }
  return data;
}

HealthSummary Listing::Summary() const {
  HealthSummary s;
  for (const SectorRecord& r : records) {
    ++s.records;
    const bool idBad = r.idCrc && !r.idCrc->ok;
    const bool dataBad = r.dataCrc && !r.dataCrc->ok;
    s.idCrcBad += idBad;
    s.dataCrcBad += dataBad;
    s.noDataMark += r.Has(kRemarkNoDataMark);
    s.duplicates += r.Has(kRemarkDuplicate);
    s.good += !IsProblem(r);  // the same test as the health window's "problems only"
  }
  return s;
}

std::optional<std::size_t> Listing::Find(int cylinder, int head, int sector) const {
  const std::size_t track = static_cast<std::size_t>(cylinder) * 2 + (head ? 1 : 0);
  if (cylinder < 0 || track >= byTrack.size()) return std::nullopt;
  std::optional<std::size_t> best;
  int bestRank = -1;
  for (const std::size_t i : byTrack[track]) {
    const SectorRecord& r = records[i];
    if (r.sector != sector) continue;
    const int rank = (r.track == cylinder ? 2 : 0) + (r.dataCrc && r.dataCrc->ok ? 1 : 0);
    if (rank > bestRank) {
      best = i;
      bestRank = rank;
    }
  }
  return best;
}

std::string FormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Jv1:
      return "JV1";
    case ImageFormat::Jv3:
      return "JV3";
    case ImageFormat::Dmk:
      return "DMK";
  }
  return "";
}

bool IsProblem(const SectorRecord& r) {
  constexpr std::uint32_t kProblems =
      kRemarkNoDataMark | kCut | kRemarkDuplicate | kRemarkTrackDiffers | kRemarkNoIdMark;
  return (r.idCrc && !r.idCrc->ok) || (r.dataCrc && !r.dataCrc->ok) || (r.remarks & kProblems) != 0;
}

}  // namespace m1

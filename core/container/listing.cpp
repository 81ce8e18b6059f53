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

#include "core/container/container_listing.h"
#include "core/container/dmk_format.h"
#include "core/container/image_limits.h"
#include "core/container/jv1_format.h"

namespace m1 {

namespace {

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
    ListJv1(file, listing);
  } else if (header.EmulatorLength() || header.Plausible(size)) {
    listing.format = ImageFormat::Dmk;
    ListDmk(file, listing);
  } else if (PlausibleJv3(file)) {
    listing.format = ImageFormat::Jv3;
    ListJv3(file, listing);
  } else if (size % jv1::kTrackBytes == 0 && size / jv1::kTrackBytes <= jv1::kMaxTracks) {
    listing.format = ImageFormat::Jv1;
    ListJv1(file, listing);
  } else {
    listing.error = "not a JV1, JV3 or DMK image";
    return listing;
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
    s.pastHeader += r.Has(kRemarkPastHeader);
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
  constexpr std::array<const char*, 3> kNames{"JV1", "JV3", "DMK"};  // in the order of ImageFormat
  const auto index = static_cast<std::size_t>(format);
  return index < kNames.size() ? kNames[index] : "";
}

bool IsProblem(const SectorRecord& r) {
  constexpr std::uint32_t kProblems = kRemarkNoDataMark | kRemarksCut | kRemarkDuplicate |
                                      kRemarkTrackDiffers | kRemarkNoIdMark | kRemarkPastHeader;
  return (r.idCrc && !r.idCrc->ok) || (r.dataCrc && !r.dataCrc->ok) || (r.remarks & kProblems) != 0;
}

}  // namespace m1
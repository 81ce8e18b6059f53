// The JV3 listing: every used entry of the header table (and of a second table after the first
// table's data), its data in table order. The layout of the container is in jv3_format.h.
#include <algorithm>
#include <vector>

#include "core/container/container_listing.h"
#include "core/container/jv3_format.h"

namespace m1 {

namespace {

constexpr int kJv3MaxTracks = 96;  // a plausible JV3 table names tracks 0 to 95 (LDOS uses 95)

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

}  // namespace

bool PlausibleJv3(const ByteReader& file) {
  return PlausibleJv3Table(file, 0, jv3::kDataStart);
}

void ListJv3(const ByteReader& file, Listing& listing) {
  // The records of the first table, counted first so that the list is made once.
  std::size_t used = 0;
  for (std::int64_t k = 0; k < jv3::kEntries; ++k) {
    const auto e = jv3::ReadEntry(file, 0, k);
    if (!e) break;
    used += e->Free() ? 0 : 1;
  }
  listing.records.reserve(used);
  const std::int64_t end = ListJv3Table(file, 0, jv3::kDataStart, 0, listing);
  // A second table: all 2901 entries in the file and plausible.
  if (file.Holds(end, jv3::kEntries * jv3::kEntryBytes) &&
      PlausibleJv3Table(file, end, end + jv3::kTableBytes)) {
    ListJv3Table(file, end, end + jv3::kTableBytes, static_cast<int>(jv3::kEntries), listing);
  }
  // A JV3 image keeps one data field a sector: a second entry of a track, side and sector is a
  // duplicate (an emulator reads the first). Every used entry names a track below 96.
  std::vector<bool> seen(std::size_t{kJv3MaxTracks} * 2 * 256);
  for (SectorRecord& r : listing.records) {
    const auto key =
        (static_cast<std::size_t>(r.track) * 2 + static_cast<std::size_t>(r.side)) * 256 +
        static_cast<std::size_t>(r.sector);
    if (key >= seen.size()) continue;
    if (seen[key]) r.remarks |= kRemarkDuplicate;
    seen[key] = true;
  }
}

}  // namespace m1

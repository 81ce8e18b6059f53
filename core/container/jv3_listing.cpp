// The JV3 listing: every used entry of the header table (and of a second table after the first
// table's data), its data in table order. The layout of the container is in jv3_format.h.
#include <algorithm>
#include <tuple>
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

}  // namespace m1
